#include "dialogs/ImageLinkSheet.h"
#include "dialogs/LinkSheet.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/QuestionIdentifyDlg.h"

#include "controls/PromptDlg.h"
#include "foundation/FileTypes.h"
#include "model/CorraDoc.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/ImageData.h"
#include "model/Update.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/View.h"
#include "res/ids/Exam.h"
#include "res/ids/LinkSheets.h"
#include "res/ids/QuestionTypes.h"
#include "shell/FileFindExDlg.h"
#include "shell/HVListCtrl.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::time_t kLinked = 1700000000;

// A view that keeps the questions the hints it hears name.
class CHintRecorder : public CView {
public:
    void OnUpdate(CView*, LPARAM, CObject* pHint) override
    {
        auto* update = dynamic_cast<CUpdate*>(pHint);
        named.push_back(update && update->Has(UPD_OBJECT) ? update->m_pObject : nullptr);
    }
    std::vector<void*> named;
};

class LinkSheetTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        banks = CFileTypes::GetPriDir(DT_CORRA);
        fsys::CreateDirectories(banks);
    }

    // A bank file with a readable header (id NULL: no header at all) written at mtime.
    CString Bank(const char* name, const char* id, std::time_t mtime = kLinked - 60)
    {
        const CString path = fsys::Join(banks, name);
        fsys::CreateDirectories(fsys::Folder(path));
        const std::string text = id ? std::string("BEGIN HEADER\r\nCOUNT:1\r\nNUMCOLLECTIONS:0\r\n") +
                                          (*id ? std::string("CORRAID: {") + id + "}\r\n" : std::string()) +
                                          "END HEADER\r\n\r\n"
                                    : std::string("\x01\x02 not a bank");
        EXPECT_TRUE(fsys::WriteFile(path, text.data(), text.size()));
        EXPECT_TRUE(fsys::SetModTime(path, mtime));
        return path;
    }

    static CExamQuestion* Link(CExamDoc& exam, const CString& path, const char* id = "", int type = IDS_QTYPE_ES)
    {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = type;
        q->SetLink(path, id);
        q->m_tLinked = CTime(kLinked);
        return q;
    }

    static std::vector<std::vector<CString>> Rows(CListCtrl& list)
    {
        std::vector<std::vector<CString>> rows;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            std::vector<CString> row;
            for (int c = 0; c < 4; ++c)
                row.push_back(list.GetItemText(i, c));
            rows.push_back(row);
        }
        return rows;
    }

    static UINT Current(CPropertySheet& sheet)
    {
        return sheet.GetActivePage() ? sheet.GetActivePage()->GetTemplateId() : 0;
    }

    std::vector<CString> Texts() const
    {
        std::vector<CString> texts;
        for (const auto& call : messageBox.calls)
            texts.push_back(call.text);
        return texts;
    }

    CString banks;
};

TEST_F(LinkSheetTest, TheCheckSortsLinksIntoMissingAndOutOfDate)
{
    struct Case {
        const char* name;
        BOOL missing;
        BOOL outOfDate;
    };
    const Case cases[] = {
        {"all current", FALSE, FALSE},
        {"missing only", TRUE, FALSE},
        {"out of date only", FALSE, TRUE},
        {"both", TRUE, TRUE},
    };
    const CString current = Bank("Current.crr", "CID_1");
    const CString changed = Bank("Changed.crr", "CID_2", kLinked + 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExamDoc exam;
        Link(exam, current);
        Link(exam, fsys::Join(banks, "Plain.crr"))->Unlink();
        if (c.missing)
            Link(exam, fsys::Join(banks, "Gone.crr"));
        if (c.outOfDate)
            Link(exam, changed);
        CELSSheet sheet("Exam Link Status...");
        sheet.CheckLinks(&exam);
        EXPECT_EQ(sheet.m_startPage.m_bHasMissing, c.missing);
        EXPECT_EQ(sheet.m_startPage.m_bHasOutOfDate, c.outOfDate);
        EXPECT_EQ(sheet.m_startPage.m_bFixMissing, c.missing);
        EXPECT_EQ(sheet.m_startPage.m_bFixOutOfDate, c.outOfDate);
        EXPECT_EQ(sheet.m_noFindPage.m_lQuestions.GetCount(), c.missing ? 1 : 0);
        EXPECT_EQ(sheet.m_outOfDatePage.m_lQuestions.GetCount(), c.outOfDate ? 1 : 0);
    }

    // Nothing to fix: no sheet (no script answers one), only the exam's own message.
    CExamQuestionDialogs dialogs;
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CExamDoc exam;
    Link(exam, current);
    EXPECT_TRUE(exam.CheckCorraLinks(TRUE, nullptr, FALSE));
    EXPECT_EQ(Texts(), std::vector<CString>({"No Question Corra link errors found."}));
}

TEST_F(LinkSheetTest, RowsAreOnePerFileByItsExactPath)
{
    const CString changed = Bank("Changed.crr", "CID_2", kLinked + 3600);
    CExamDoc exam;
    Link(exam, fsys::Join(banks, "Lost/Bank.crr"), "CID_7");
    Link(exam, fsys::Join(banks, "Lost/Bank.crr"), "CID_8");
    Link(exam, fsys::Join(banks, "Lost/bank.crr"));
    Link(exam, changed);
    Link(exam, changed);
    Link(exam, changed, "", IDS_QTYPE_CO);  // a form never counts
    Link(exam, fsys::Join(banks, "Plain.crr"))->Unlink();

    CELSSheet sheet("Exam Link Status...");
    sheet.CheckLinks(&exam);
    sheet.m_noFindPage.InitColumns();
    sheet.m_noFindPage.BuildList();
    sheet.m_noFindPage.FillList();
    const auto missing = Rows(*sheet.m_noFindPage.GetList());
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_EQ(missing[0][0], "Bank.crr");
    EXPECT_EQ(missing[0][1], "2");
    EXPECT_EQ(missing[0][3], "CID_7");
    EXPECT_EQ(missing[1][0], "bank.crr");
    EXPECT_EQ(missing[1][1], "1");
    EXPECT_EQ(missing[1][3], "");
    EXPECT_NE(missing[0][2].Find("Lost"), -1) << missing[0][2].GetString();

    sheet.m_outOfDatePage.InitColumns();
    sheet.m_outOfDatePage.BuildList();
    sheet.m_outOfDatePage.FillList();
    const auto stale = Rows(*sheet.m_outOfDatePage.GetList());
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(stale[0][0], "Changed.crr");
    EXPECT_EQ(stale[0][1], "2");
    EXPECT_EQ(stale[0][2], FormatFileDate(CTime(kLinked + 3600)));
    EXPECT_EQ(stale[0][3], FormatFileDate(CTime(kLinked)));
    EXPECT_FALSE(stale[0][2].IsEmpty());
}

TEST_F(LinkSheetTest, FileDatesThatCannotBeReadAreEmpty)
{
    const CString bank = Bank("Dated.crr", "CID_1", kLinked);
    EXPECT_EQ(GetFileDate(bank, 2).GetTime(), kLinked);
    EXPECT_FALSE(GetFileDate(fsys::Join(banks, "None.crr"), 2).IsValid());
    EXPECT_EQ(FormatFileDate(GetFileDate(fsys::Join(banks, "None.crr"), 2)), "");
    EXPECT_EQ(FormatFileDate(CTime()), "");
}

// Next, Back and Finish as the start page's boxes lead: with both problems the missing page
// comes first and the out-of-date page is the last.
TEST_F(LinkSheetTest, TheWizardGoesWhereTheBoxesLeadAndBackAlongItsHistory)
{
    const CString changed = Bank("Changed.crr", "CID_2", kLinked + 60);
    struct Case {
        const char* name;
        BOOL tickMissing;
        BOOL tickOutOfDate;
        std::vector<UINT> pages;       // reached by Next, each after its problems are broken
        std::vector<DWORD> buttons;    // on each page as it is entered
    };
    const Case cases[] = {
        {"both", TRUE, TRUE, {IDD_ELS_START, IDD_ELS_NO_FIND, IDD_ELS_OUT_OF_DATE},
         {PSWIZB_NEXT, PSWIZB_BACK, PSWIZB_BACK | PSWIZB_DISABLEDFINISH}},
        {"missing only", TRUE, FALSE, {IDD_ELS_START, IDD_ELS_NO_FIND},
         {PSWIZB_NEXT, PSWIZB_BACK | PSWIZB_DISABLEDFINISH}},
        {"out of date only", FALSE, TRUE, {IDD_ELS_START, IDD_ELS_OUT_OF_DATE},
         {PSWIZB_NEXT, PSWIZB_BACK | PSWIZB_DISABLEDFINISH}},
        {"neither", FALSE, FALSE, {IDD_ELS_START}, {PSWIZB_FINISH}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        CExamDoc exam;
        exam.SetTitle("Midterm");
        Link(exam, fsys::Join(banks, "Gone.crr"));
        Link(exam, changed);
        CModalScript script;
        script.On<CELSSheet>([&](CELSSheet& sheet) {
            if (!c.tickMissing)
                ClickDlgButton(sheet.m_startPage, IDC_ELS_FIX_MISSING);
            if (!c.tickOutOfDate)
                ClickDlgButton(sheet.m_startPage, IDC_ELS_FIX_OUT_OF_DATE);
            for (size_t i = 0; i < c.pages.size(); ++i) {
                ASSERT_EQ(Current(sheet), c.pages[i]) << i;
                EXPECT_EQ(sheet.GetWizardButtons(), c.buttons[i]) << i;
                const BOOL last = i + 1 == c.pages.size();
                if (i > 0) {
                    // Back along the history and forth again.
                    ASSERT_TRUE(sheet.PressButton(PSBTN_BACK));
                    EXPECT_EQ(Current(sheet), c.pages[i - 1]);
                    ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
                    ASSERT_EQ(Current(sheet), c.pages[i]);
                    // Its problems broken, the page lets the user on.
                    messageBox.QueueAnswer(IDYES);
                    ClickDlgButton(*sheet.GetActivePage(), IDC_ELS_BREAK_LINKS);
                    EXPECT_EQ(sheet.GetWizardButtons(), last ? (PSWIZB_BACK | PSWIZB_FINISH) : (PSWIZB_BACK | PSWIZB_NEXT));
                }
                if (!last) {
                    ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
                }
            }
            EXPECT_FALSE(sheet.PressButton(PSBTN_NEXT)) << "the last page never leads on";
            messageBox.QueueAnswer(IDNO);
            EXPECT_TRUE(sheet.PressButton(PSBTN_FINISH));
        });
        EXPECT_TRUE(RunExamLinkSheet(exam));
        EXPECT_EQ(script.Answered(), 1);
        // A change asks to save; Finish on the start page changed nothing.
        const std::vector<CString> texts = Texts();
        const BOOL asked = !texts.empty() && texts.back() == "Midterm has been properly updated.  Do you wish to save those changes now?";
        EXPECT_EQ(asked, c.pages.size() > 1);
    }
}

TEST_F(LinkSheetTest, BreakLinksUnlinksEveryListedQuestionAndTellsTheViews)
{
    CHintRecorder view;
    CExamDoc exam;
    exam.AddView(&view);
    CExamQuestion* a = Link(exam, fsys::Join(banks, "Gone.crr"));
    CExamQuestion* b = Link(exam, fsys::Join(banks, "Other.crr"));
    CModalScript script;
    script.On<CELSSheet>([&](CELSSheet& sheet) {
        ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
        messageBox.QueueAnswer(IDNO);
        ClickDlgButton(sheet.m_noFindPage, IDC_ELS_BREAK_LINKS);
        EXPECT_TRUE(a->m_bLinked);
        view.named.clear();
        messageBox.QueueAnswer(IDYES);
        ClickDlgButton(sheet.m_noFindPage, IDC_ELS_BREAK_LINKS);
        EXPECT_FALSE(view.named.empty());
        EXPECT_EQ(sheet.m_noFindPage.GetList()->GetItemCount(), 0);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_FALSE(RunExamLinkSheet(exam));
    EXPECT_EQ(messageBox.calls[0].text, LoadStringId(IDS_ELS_BREAK_ASK));
    EXPECT_FALSE(a->m_bLinked);
    EXPECT_FALSE(b->m_bLinked);
    EXPECT_TRUE(exam.IsModified());
}

// The sample bank behind two bank files; the exam takes questions of both, and then the
// banks change on disk.
class UpdateTest : public LinkSheetTest {
protected:
    CString Copy(const char* name, CCorraDoc& bank)
    {
        const CString path = fsys::Join(banks, name);
        EXPECT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), path, FALSE));
        CCorraDoc::SuppressAutoSave(TRUE);
        EXPECT_EQ(bank.ReadCorraDoc(path), CCorraDoc::readComplete);
        CCorraDoc::SuppressAutoSave(FALSE);
        bank.SetPathName(path, FALSE);
        return path;
    }
    CExamQuestion* Take(CCorraDoc& bank, const CString& path, int id)
    {
        CPtrListEx from;
        from.AddTail(bank.FindQuestionById(id));
        CPtrListEx added;
        exam.AddQuestions(from, &added, &bank, path, nullptr);
        auto* q = dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(added.GetHead()));
        q->m_tLinked = CTime(std::time(nullptr) - 3600);
        return q;
    }
    void Change(CCorraDoc& bank, const CString& path, int id, const char* text)
    {
        bank.FindQuestionById(id)->m_cszQuestionText = text;
        ASSERT_EQ(bank.WriteCorraDoc(path), CCorraDoc::writeDone);
        ASSERT_TRUE(fsys::SetModTime(path, std::time(nullptr) - 60));
    }
    CExamDoc exam;
};

TEST_F(UpdateTest, UpdateTakesTheSelectedBanksAndUpdateAllTheRest)
{
    CCorraDoc biology;
    CCorraDoc physics;
    const CString bio = Copy("Biology.crr", biology);
    const CString phy = Copy("Physics.crr", physics);
    CExamQuestion* fromBio = Take(biology, bio, 101);
    CExamQuestion* fromPhy = Take(physics, phy, 102);
    Change(biology, bio, 101, "Where is the genetic material kept?");
    Change(physics, phy, 102, "What carries a wave's energy?");
    exam.SetModifiedFlag(FALSE);

    CModalScript script;
    script.On<CELSSheet>([&](CELSSheet& sheet) {
        ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
        ASSERT_EQ(Current(sheet), static_cast<UINT>(IDD_ELS_OUT_OF_DATE));
        CListCtrl& list = *sheet.m_outOfDatePage.GetList();
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_EQ(list.GetItemText(0, 0), "Biology.crr");  // the first row is selected
        ClickDlgButton(sheet.m_outOfDatePage, IDC_ELS_UPDATE);
        EXPECT_EQ(fromBio->m_cszQuestionText, "Where is the genetic material kept?");
        EXPECT_NE(fromPhy->m_cszQuestionText, "What carries a wave's energy?");
        ASSERT_EQ(list.GetItemCount(), 1);
        EXPECT_EQ(list.GetItemText(0, 0), "Physics.crr");

        // A bank that cannot be read: said, the row stays, the first update is not forgotten.
        fsys::WriteFile(phy, "x", 1);
        fsys::SetModTime(phy, std::time(nullptr) - 60);
        ClickDlgButton(sheet.m_outOfDatePage, IDC_ELS_UPDATE_ALL);
        EXPECT_EQ(list.GetItemCount(), 1);
        EXPECT_TRUE(sheet.m_bChanged);
        const std::vector<CString> texts = Texts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2], "Cannot open corrafile: " + phy);
        EXPECT_EQ(texts.back(), "Questions were not properly updated.");

        physics.FindQuestionById(102)->m_cszQuestionText = "What carries a wave's energy?";
        ASSERT_EQ(physics.WriteCorraDoc(phy), CCorraDoc::writeDone);
        fsys::SetModTime(phy, std::time(nullptr) - 60);
        ClickDlgButton(sheet.m_outOfDatePage, IDC_ELS_UPDATE_ALL);
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(fromPhy->m_cszQuestionText, "What carries a wave's energy?");
        EXPECT_EQ(sheet.GetWizardButtons(), PSWIZB_BACK | PSWIZB_FINISH);
        messageBox.QueueAnswer(IDNO);
        EXPECT_TRUE(sheet.PressButton(PSBTN_FINISH));
    });
    EXPECT_TRUE(RunExamLinkSheet(exam));
    EXPECT_TRUE(exam.IsModified());
    EXPECT_NE(Texts().back().Find("has been properly updated.  Do you wish to save those changes now?"), -1);
}

TEST_F(UpdateTest, AnOutOfDatePromptAsksAgainAfterTheSheetWasCancelled)
{
    CExamQuestionDialogs dialogs;
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CCorraDoc biology;
    const CString bio = Copy("Biology.crr", biology);
    Take(biology, bio, 101);
    Change(biology, bio, 101, "Changed");
    CModalScript script;
    script.On<CELSSheet>([&](CELSSheet& sheet) { sheet.PressButton(PSBTN_CANCEL); });
    messageBox.QueueAnswer(IDYES);
    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(UpdateOutOfDateLinks(&exam));
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(Texts(), std::vector<CString>({LoadStringId(IDS_EXAM_OUT_OF_DATE), LoadStringId(IDS_EXAM_STILL_OUT_OF_DATE)}));
}

// The lost bank is looked for as the user asks; Find File answers as the case says.
TEST_F(LinkSheetTest, RelinkTakesAFoundBankWithItsCorraId)
{
    enum Find { FIND_PICK, FIND_CANCEL, FIND_NONE_EXPECTED };
    struct Case {
        const char* name;
        int button;               // the search pressed
        const char* foundId;      // the header of the bank found (NULL: none; "": no Corra ID)
        const char* foundName;    // NULL: no bank of that name anywhere
        const char* linkId;       // the Corra ID the links know
        Find find;
        BOOL promptOk;
        BOOL relinked;
        std::vector<CString> said;  // message boxes after the Yes of the question
        CString box;                // the "Cannot find file..." text, when shown
    };
    const CString notFound = "No Question Corra Files were found in the QCorras primary folder tree which matched (Lost.crr).";
    const Case cases[] = {
        {"by name", IDC_ELS_NAME_SEARCH, "CID_NEW", "Lost.crr", "CID_OLD", FIND_PICK, TRUE, TRUE, {}, ""},
        {"by id", IDC_ELS_ID_SEARCH, "CID_OLD", "Renamed.crr", "CID_OLD", FIND_PICK, TRUE, TRUE, {}, ""},
        {"no corra id", IDC_ELS_NAME_SEARCH, "", "Lost.crr", "", FIND_PICK, TRUE, TRUE, {"no id"}, ""},
        {"no header", IDC_ELS_NAME_SEARCH, nullptr, "Lost.crr", "", FIND_PICK, TRUE, FALSE, {"no header"}, ""},
        {"id prompt cancelled", IDC_ELS_ID_SEARCH, "CID_X", "Lost.crr", "", FIND_NONE_EXPECTED, FALSE, FALSE, {}, ""},
        {"nothing found", IDC_ELS_NAME_SEARCH, "CID_X", nullptr, "", FIND_NONE_EXPECTED, TRUE, FALSE, {}, notFound},
        {"search cancelled", IDC_ELS_NAME_SEARCH, "CID_X", "Lost.crr", "", FIND_CANCEL, TRUE, FALSE, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        richBox.calls.clear();
        fsys::DeleteTree(fsys::Join(banks, "Moved"));
        CString found;
        if (c.foundName)
            found = Bank(CString("Moved/") + c.foundName, c.foundId);
        CHintRecorder view;
        CExamDoc exam;
        exam.AddView(&view);
        const CString lost = fsys::Join(banks, "Lost.crr");
        CExamQuestion* a = Link(exam, lost, c.linkId);
        CExamQuestion* b = Link(exam, lost, c.linkId);
        exam.SetModifiedFlag(FALSE);

        CModalScript script;
        script.On<CELSSheet>([&](CELSSheet& sheet) {
            ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
            ASSERT_EQ(Current(sheet), static_cast<UINT>(IDD_ELS_NO_FIND));
            if (!*c.linkId && c.button == IDC_ELS_ID_SEARCH) {
                script.On<CPromptDlg>([&](CPromptDlg& prompt) {
                    if (c.promptOk) {
                        prompt.SetDlgItemText(IDC_PROMPT_EDIT, c.foundId);
                        ClickDlgButton(prompt, IDOK);
                    } else {
                        ClickDlgButton(prompt, IDCANCEL);
                    }
                });
            }
            if (c.find != FIND_NONE_EXPECTED) {
                script.On<CFileFindExDlg>([&](CFileFindExDlg& find) {
                    ASSERT_EQ(find.GetList()->GetItemCount(), 1);
                    if (c.find == FIND_CANCEL) {
                        ClickDlgButton(find, IDCANCEL);
                        return;
                    }
                    find.GetList()->SelectItem(0);
                    ClickDlgButton(find, IDOK);
                });
            }
            if (c.find == FIND_PICK)
                messageBox.QueueAnswer(IDYES);
            view.named.clear();
            ClickDlgButton(sheet.m_noFindPage, c.button);
            EXPECT_EQ(sheet.m_noFindPage.GetList()->GetItemCount(), c.relinked ? 0 : 1);
            EXPECT_EQ(sheet.m_bChanged, c.relinked);
            EXPECT_EQ(view.named.size(), c.relinked ? 2u : 0u);
            sheet.PressButton(PSBTN_CANCEL);
        });
        RunExamLinkSheet(exam);
        EXPECT_EQ(script.Pending(), 0);
        EXPECT_EQ(a->m_csCorraFile, c.relinked ? found : lost);
        EXPECT_EQ(b->m_csCorraFile, c.relinked ? found : lost);
        if (c.relinked) {
            EXPECT_EQ(a->m_csIdentityName, c.foundId);
        }
        EXPECT_EQ(exam.IsModified(), c.relinked);

        std::vector<CString> texts = Texts();
        if (c.find == FIND_PICK) {
            ASSERT_FALSE(texts.empty());
            EXPECT_EQ(texts[0].Left(49), "Are you sure you want to link to Question Corra?\n");
            texts.erase(texts.begin());
        }
        ASSERT_EQ(texts.size(), c.said.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            CString expected;
            expected.Format(LoadStringId(c.said[i] == "no id" ? IDS_ELS_NO_CORRA_ID : IDS_ELS_NO_HEADER), found.GetString());
            EXPECT_EQ(texts[i], expected);
        }
        if (c.box.IsEmpty()) {
            EXPECT_TRUE(richBox.calls.empty());
        } else {
            ASSERT_EQ(richBox.calls.size(), 1u);
            EXPECT_EQ(richBox.calls[0].title, "Cannot find file...");
            EXPECT_EQ(richBox.calls[0].pane[0], c.box);
            EXPECT_EQ(richBox.calls[0].paneId[1], IDS_ELS_MAYBE_DELETED);
            EXPECT_EQ(richBox.calls[0].paneId[2], IDS_ELS_TRY_ID_SEARCH);
        }
    }
}

TEST_F(LinkSheetTest, BrowseRefusesAnExamAndAFileThatIsNotThere)
{
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> scope(FileChooserSlot(), chooser);
    const CString exm = fsys::Join(CFileTypes::GetPriDir(DT_EXAM), "Midterm.exm");
    fsys::CreateDirectories(fsys::Folder(exm));
    fsys::WriteFile(exm, "x", 1);
    CExamDoc exam;
    CExamQuestion* q = Link(exam, fsys::Join(banks, "Lost.crr"));
    chooser.QueueFiles({exm});
    chooser.QueueFiles({fsys::Join(banks, "Nowhere.crr")});
    CModalScript script;
    script.On<CELSSheet>([&](CELSSheet& sheet) {
        sheet.PressButton(PSBTN_NEXT);
        ClickDlgButton(sheet.m_noFindPage, IDC_ELS_BROWSE);
        ClickDlgButton(sheet.m_noFindPage, IDC_ELS_BROWSE);
        EXPECT_EQ(sheet.m_noFindPage.GetList()->GetItemCount(), 1);
        sheet.PressButton(PSBTN_CANCEL);
    });
    RunExamLinkSheet(exam);
    ASSERT_EQ(chooser.calls.size(), 2u);
    EXPECT_EQ(chooser.calls[0].nType, DT_CORRA);
    EXPECT_EQ(chooser.calls[0].csRootFilter, "QCorras");
    EXPECT_EQ(q->m_csCorraFile, fsys::Join(banks, "Lost.crr"));
    const std::vector<CString> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].Find("Only a Question Corra can be linked to."), -1);
    EXPECT_NE(texts[1].Find("Does not exist."), -1);
}

// Whatever an exam stores as a link is sorted without reading from it: a FIFO or a device would
// block a reader, a folder has no header.
TEST_F(LinkSheetTest, LinksToAnyKindOfPathAreCheckedAndRefusedWithoutHanging)
{
    const CString fifo = fsys::Join(banks, "Pipe.crr");
    ASSERT_EQ(::mkfifo(fsys::Native(fifo).c_str(), 0600), 0);
    const CString present = Bank("Ωμέγα Банк.crr", "CID_1");
    const CString missing = fsys::Join(banks, "Gone Ωμέγα.crr");
    const CString relative = fsys::Join(banks, "x/../Nope.crr");
    CExamDoc exam;
    for (const CString& path : {banks, fifo, CString("/dev/null"), relative, present, missing})
        Link(exam, path);

    CELSSheet sheet("Exam Link Status...");
    sheet.CheckLinks(&exam);
    sheet.m_noFindPage.InitColumns();
    sheet.m_noFindPage.BuildList();
    sheet.m_noFindPage.FillList();
    std::vector<CString> names;
    for (const auto& row : Rows(*sheet.m_noFindPage.GetList()))
        names.push_back(row[0]);
    EXPECT_NE(std::find(names.begin(), names.end(), CString("Gone Ωμέγα.crr")), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), CString("Nope.crr")), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), CString("Ωμέγα Банк.crr")), names.end());
    EXPECT_EQ(sheet.m_outOfDatePage.m_lQuestions.GetCount(), 0);

    // None of them is a bank to relink to: the links stay as they were.
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> scope(FileChooserSlot(), chooser);
    const CString targets[] = {banks, fifo, CString("/dev/null")};
    CExamDoc lost;
    CExamQuestion* q = Link(lost, missing);
    lost.SetModifiedFlag(FALSE);
    for (const CString& target : targets)
        chooser.QueueFiles({target});
    CModalScript script;
    script.On<CELSSheet>([&](CELSSheet& s) {
        s.PressButton(PSBTN_NEXT);
        for (size_t i = 0; i < std::size(targets); ++i) {
            messageBox.QueueAnswer(IDYES);
            ClickDlgButton(s.m_noFindPage, IDC_ELS_BROWSE);
        }
        EXPECT_EQ(s.m_noFindPage.GetList()->GetItemCount(), 1);
        EXPECT_FALSE(s.m_bChanged);
        s.PressButton(PSBTN_CANCEL);
    });
    RunExamLinkSheet(lost);
    EXPECT_EQ(chooser.calls.size(), std::size(targets));
    EXPECT_EQ(q->m_csCorraFile, missing);
    EXPECT_FALSE(lost.IsModified());
}

TEST_F(LinkSheetTest, TheImageSheetRepointsOnlyTheMissingImage)
{
    const CString images = CFileTypes::GetPriDir(DT_IMAGE);
    fsys::CreateDirectories(fsys::Join(images, "a"));
    fsys::CreateDirectories(fsys::Join(images, "b"));
    fsys::CreateDirectories(fsys::Join(images, "found"));
    const CString lost = fsys::Join(images, "a/x.png");
    const CString present = fsys::Join(images, "b/x.png");
    const CString found = fsys::Join(images, "found/x.png");
    fsys::WriteFile(present, "png", 3);
    fsys::WriteFile(found, "png", 3);
    CHintRecorder view;
    CCorraDoc doc;
    doc.AddView(&view);
    doc.SetTitle("Biology");
    auto add = [&](const CString& image) {
        CCorraQuestion* q = doc.InsertQuestion(new CCorraQuestion);
        q->m_nType = IDS_QTYPE_ES;
        q->AddImage(image, IP_TOP, 0, 20.0, 0.0);
        return q;
    };
    CCorraQuestion* withLost = add(lost);
    // A present image of the same name in another folder stays where it is.
    CCorraQuestion* withBoth = add(present);
    withBoth->AddImage(lost, IP_LEFT, 0, 20.0, 0.0);

    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> scope(FileChooserSlot(), chooser);
    chooser.QueueFiles({found});
    CModalScript script;
    script.On<CILSSheet>([&](CILSSheet& sheet) {
        EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_NEXT));
        EXPECT_TRUE(sheet.m_startPage.GetDlgItem(IDC_ELS_MESSAGE)->isVisible());
        EXPECT_FALSE(sheet.m_startPage.GetDlgItem(IDC_ELS_FIX_MISSING)->isVisible());
        ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
        CILSNoFindPage& page = sheet.m_imagePage;
        EXPECT_EQ(sheet.GetTitle(), "Search For Missing Images");
        for (int nID : {IDC_ELS_ID_SEARCH, IDC_ELS_BREAK_LINKS})
            EXPECT_FALSE(page.GetDlgItem(nID)->isVisible()) << nID;
        const auto rows = Rows(*page.GetList());
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], "x.png");
        EXPECT_EQ(rows[0][2], "2");
        messageBox.QueueAnswer(IDYES);
        view.named.clear();
        ClickDlgButton(page, IDC_ELS_BROWSE);
        EXPECT_EQ(page.GetList()->GetItemCount(), 0);
        EXPECT_EQ(view.named, std::vector<void*>({withLost, withBoth}));
        EXPECT_EQ(sheet.GetWizardButtons(), PSWIZB_BACK | PSWIZB_FINISH);
        EXPECT_TRUE(sheet.PressButton(PSBTN_FINISH));
    });
    CImageRelinks relinked;
    EXPECT_TRUE(RunImageLinkSheet(doc, TRUE, &relinked));
    EXPECT_EQ(relinked, CImageRelinks({{lost, found}}));
    CPtrList imgs;
    withLost->GetImages(imgs);
    EXPECT_EQ(static_cast<CImageData*>(imgs.GetHead())->m_csFile, found);
    imgs.RemoveAll();
    withBoth->GetImages(imgs);
    ASSERT_EQ(imgs.GetCount(), 2);
    EXPECT_EQ(static_cast<CImageData*>(imgs.GetHead())->m_csFile, present);
    EXPECT_EQ(static_cast<CImageData*>(imgs.GetTail())->m_csFile, found);
    EXPECT_TRUE(doc.IsModified());
    // Finish asked nothing: only the question of the relink and the ending.
    EXPECT_EQ(Texts().back(), "All questions successfully updated.");
    EXPECT_EQ(Texts().size(), 2u);

    // Nothing missing now: no sheet.
    messageBox.calls.clear();
    EXPECT_TRUE(RunImageLinkSheet(doc, TRUE, nullptr));
    EXPECT_EQ(Texts(), std::vector<CString>({"No image link errors found."}));
}

} // namespace
