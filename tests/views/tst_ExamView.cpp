// The exam view's commands and transfers: exam questions copied between exams keep their links,
// scrambling and putting back the forms' choices, unlinking, the instructions and the band
// pages, the link check message, fixed positions after a paste, and clipboard bytes cut short
// or swollen refused as a whole.

#include "views/ExamView.h"

#include "dialogs/InstructionsDlg.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/QuestionList.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/OleData.h"
#include "res/ids/ExamView.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TransferBanks.h"
#include "views/ODListCtrl.h"

#include "controls/HVRichEditCtrl.h"

#include <QClipboard>
#include <QGuiApplication>

#include <memory>
#include <vector>

namespace {

class CTestExam : public CExamDoc {
public:
    explicit CTestExam(LPCSTR title)
    {
        m_bAutoDelete = FALSE;
        SetTitle(title);
        m_csCorraId = CString("CID_") + title;
    }
    CExamQuestion* AddMC(int id, const char* text, const char* answer = "b")
    {
        auto* fresh = new CExamQuestion;
        fresh->m_nId = id;
        auto* q = static_cast<CExamQuestion*>(InsertQuestion(fresh));
        q->m_nIndex = id;
        q->m_nType = static_cast<int>(IDS_QTYPE_MC);
        q->m_cszQuestionText = text;
        q->SetChoices("a. one\nb. two\nc. three\nd. four");
        q->m_cszAnswer = answer;
        return q;
    }
    CCorraQuestion* AddForm(const char* name)
    {
        CPtrListEx members;
        GetDocQuestions(this, members);
        return GetOrCreateCollection(name, &members);
    }
    BOOL DoFileSave() override { return TRUE; }
};

// What a menu item would show: enabled and its text.
class CProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        CCmdUI::Enable(bOn);
    }
    void SetText(const char* t) override { text = t; }
    BOOL enabled = TRUE;
    CString text;
};

// The exam's dialogs as a test answers them.
class CExamScript : public IExamDialogs {
public:
    BOOL HasInstructionsDialog() const override { return TRUE; }
    BOOL Instructions(CExamDoc&, CString& rtf) override
    {
        shownInstructions = rtf;
        rtf = newInstructions;
        return answer;
    }
    BOOL HasPrintBandPages() const override { return TRUE; }
    BOOL PrintBandPage(BOOL footer, CExamPrintSettings& settings, CString& title1, CString&) override
    {
        pages.push_back(footer);
        shownTitle = title1;
        if (footer) {
            settings.pageNumFmt = "Seite %d";
        } else {
            settings.studentNamePrompt = "Student:";
            title1 = "Biology 102";
        }
        return answer;
    }
    BOOL LinkSheet(CExamDoc&) override
    {
        ++linkSheets;
        return TRUE;
    }
    BOOL answer = TRUE;
    CString newInstructions = "{\\rtf1 Answer every question.}";
    CString shownInstructions;
    CString shownTitle;
    std::vector<BOOL> pages;
    int linkSheets = 0;
};

class ExamViewTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        bank = GetProgramHome() + "QCorras/Biology.crr";
        fsys::CreateDirectories(fsys::Folder(bank));
        ASSERT_TRUE(fsys::WriteFile(bank, "x", 1));
        // Saved before any question below was linked to it.
        ASSERT_TRUE(fsys::SetModTime(bank, CTime(2024, 1, 1, 0, 0, 0).GetTime()));
        a = std::make_unique<CTestExam>("Midterm");
        a->SetPathName(GetProgramHome() + "Exams/Midterm.exm", FALSE);
        for (int i = 1; i <= 3; ++i) {
            CExamQuestion* q = a->AddMC(i, CString::Formatted("Cell question %d", i));
            q->SetLink(bank, "");
            q->m_nLinkId = 100 + i;
            q->m_tLinked = CTime(2024, 3, i, 10, 30, 0);
        }
        b = std::make_unique<CTestExam>("Final");
        b->AddMC(10, "Final question");
        a->SetModifiedFlag(FALSE);
        b->SetModifiedFlag(FALSE);
        pa = std::make_unique<CCorraPanes>(*a, 900, 600, CCreatable<CView>::Of<CExamView>());
        pb = std::make_unique<CCorraPanes>(*b, 900, 600, CCreatable<CView>::Of<CExamView>());
    }
    void TearDown() override
    {
        pa.reset();
        pb.reset();
        a.reset();
        b.reset();
        m_dialogs.reset();
        QGuiApplication::clipboard()->clear();
        CorraTest::TearDown();
    }
    static void Command(CCorraView& view, UINT id) { view.OnCmdMsg(id, CN_COMMAND, nullptr); }
    static CProbeCmdUI Probe(CCorraView& view, UINT id)
    {
        CProbeCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(&view, TRUE);
        return ui;
    }
    int PasteIntoB()
    {
        COleDataObject data;
        data.AttachClipboard();
        return pb->upper->PasteFrom(data);
    }

    CFakeDocumentDialogs dialogs;
    CString bank;
    std::unique_ptr<CTestExam> a, b;
    std::unique_ptr<CCorraPanes> pa, pb;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(ExamViewTest, ExamQuestionsCopiedToAnotherExamKeepTheirLinks)
{
    SelectQuestionIds(*pa->upper, {2, 3});
    pa->upper->OnEditCopy();
    COleDataObject data;
    data.AttachClipboard();
    EXPECT_TRUE(data.IsDataAvailable(CExamDoc::QuestionListFormat()));
    EXPECT_FALSE(data.IsDataAvailable(CCorraDoc::QuestionListFormat()));

    EXPECT_EQ(PasteIntoB(), CCorraView::DROP_DONE);
    ASSERT_EQ(b->GetQuestionCount(), 3);
    int seen = 0;
    for (int id : DocIds(*b)) {
        auto* q = dynamic_cast<CExamQuestion*>(b->FindQuestionById(id));
        ASSERT_NE(q, nullptr);
        if (q->m_cszQuestionText == "Final question")
            continue;
        const int n = q->m_cszQuestionText == "Cell question 2" ? 2 : 3;
        EXPECT_EQ(q->m_cszQuestionText, CString::Formatted("Cell question %d", n));
        EXPECT_TRUE(q->m_bLinked);
        EXPECT_EQ(q->m_csCorraFile, bank);
        EXPECT_EQ(q->m_nLinkId, 100 + n);
        EXPECT_EQ(q->m_tLinked, CTime(2024, 3, n, 10, 30, 0));
        ++seen;
    }
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(RowQuestionIds(*pb->upper->GetListCtrl()).size(), 3u);
    EXPECT_TRUE(b->IsModified());
}

TEST_F(ExamViewTest, FormsCopyAsExamCollectionsAndTheFormsPaneTakesNoPaste)
{
    a->AddForm("Form a");
    pa->lower->OnUpdate(nullptr, 0, nullptr);
    pa->lower->GetListCtrl()->SelectItem(0, TRUE);
    pa->lower->OnEditCopy();
    COleDataObject data;
    data.AttachClipboard();
    EXPECT_TRUE(data.IsDataAvailable(CExamDoc::CollectionListFormat()));

    SelectQuestionIds(*pa->upper, {1});
    pa->upper->OnEditCopy();
    COleDataObject again;
    again.AttachClipboard();
    EXPECT_EQ(pb->lower->PasteFrom(again), CCorraView::DROP_REFUSED);
    EXPECT_EQ(b->GetQuestionCount(), 1);
    EXPECT_EQ(b->GetCollectionCount(), 0);
}

TEST_F(ExamViewTest, ScrambleThenUnscrambleTheForms)
{
    a->AddForm("Form a");
    a->AddForm("Form b");
    CProbeCmdUI before = Probe(*pa->upper, ID_EXAM_UNSCRAMBLE);
    EXPECT_FALSE(before.enabled);
    CProbeCmdUI scramble = Probe(*pa->upper, ID_EXAM_SCRAMBLE);
    EXPECT_TRUE(scramble.enabled);
    EXPECT_EQ(scramble.text, "Scram&ble Forms");

    // No: nothing changes.
    messageBox.QueueAnswer(IDNO);
    Command(*pa->upper, ID_EXAM_SCRAMBLE);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, LoadStringId(IDS_EXAM_SCRAMBLE_ASK));
    EXPECT_FALSE(a->HasScrambledForms());

    messageBox.calls.clear();
    messageBox.QueueAnswer(IDYES);
    Command(*pa->upper, ID_EXAM_SCRAMBLE);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text, "Scrambled choices in 2 forms.");
    EXPECT_TRUE(a->HasScrambledForms());
    EXPECT_TRUE(a->IsModified());
    EXPECT_EQ(Probe(*pa->upper, ID_EXAM_SCRAMBLE).text, "Re-Scram&ble Forms");
    EXPECT_TRUE(Probe(*pa->upper, ID_EXAM_UNSCRAMBLE).enabled);

    messageBox.calls.clear();
    messageBox.QueueAnswer(IDYES);
    Command(*pa->upper, ID_EXAM_UNSCRAMBLE);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text, "Unscrambled choices in 2 forms.");
    EXPECT_FALSE(a->HasScrambledForms());
    EXPECT_FALSE(Probe(*pa->upper, ID_EXAM_UNSCRAMBLE).enabled);
}

TEST_F(ExamViewTest, UnscrambleRefusesWhileAQuestionIsInvalid)
{
    a->AddForm("Form a");
    messageBox.QueueAnswer(IDYES);
    Command(*pa->upper, ID_EXAM_SCRAMBLE);
    ASSERT_TRUE(a->HasScrambledForms());
    // A question whose answer names no choice.
    a->FindQuestionById(2)->m_cszAnswer = "";
    messageBox.calls.clear();
    messageBox.QueueAnswer(IDYES);
    Command(*pa->upper, ID_EXAM_UNSCRAMBLE);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text.Find("Failed to scramble forms"), 0);
    EXPECT_TRUE(a->HasScrambledForms());
}

TEST_F(ExamViewTest, UnlinkAsksThenUnlinksTheSelection)
{
    EXPECT_FALSE(Probe(*pa->upper, ID_EXAM_UNLINK).enabled);
    SelectQuestionIds(*pa->upper, {1, 3});
    EXPECT_TRUE(Probe(*pa->upper, ID_EXAM_UNLINK).enabled);
    EXPECT_FALSE(Probe(*pa->lower, ID_EXAM_UNLINK).enabled);

    messageBox.QueueAnswer(IDCANCEL);
    Command(*pa->upper, ID_EXAM_UNLINK);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Are you sure you want to unlink the 2 selected questions?");
    EXPECT_TRUE(static_cast<CExamQuestion*>(a->FindQuestionById(1))->m_bLinked);
    EXPECT_FALSE(a->IsModified());

    messageBox.QueueAnswer(IDOK);
    Command(*pa->upper, ID_EXAM_UNLINK);
    EXPECT_FALSE(static_cast<CExamQuestion*>(a->FindQuestionById(1))->m_bLinked);
    EXPECT_TRUE(static_cast<CExamQuestion*>(a->FindQuestionById(2))->m_bLinked);
    EXPECT_FALSE(static_cast<CExamQuestion*>(a->FindQuestionById(3))->m_bLinked);
    EXPECT_TRUE(a->IsModified());
    CODListCtrl& list = *pa->upper->GetListCtrl();
    EXPECT_EQ(list.GetItemText(list.FindItem(a->FindQuestionById(1)), 6), "");
    EXPECT_EQ(list.GetItemText(list.FindItem(a->FindQuestionById(2)), 6), "Biology.crr");
}

TEST_F(ExamViewTest, InstructionsAndBandPagesFollowTheirDialogs)
{
    // Without the dialogs the commands are disabled.
    for (UINT id : {ID_EXAM_INSTRUCTIONS, ID_EXAM_HEADERS, ID_EXAM_FOOTERS})
        EXPECT_FALSE(Probe(*pa->upper, id).enabled) << id;

    CExamScript script;
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), script);
    for (UINT id : {ID_EXAM_INSTRUCTIONS, ID_EXAM_HEADERS, ID_EXAM_FOOTERS})
        EXPECT_TRUE(Probe(*pa->upper, id).enabled) << id;
    const CExamPrintSettings saved = CExamDoc::PrintSettings();

    a->m_csInstructions = "{\\rtf1 Old.}";
    a->m_csTitle1 = "Biology 101";
    script.answer = FALSE;
    Command(*pa->upper, ID_EXAM_INSTRUCTIONS);
    Command(*pa->upper, ID_EXAM_HEADERS);
    EXPECT_EQ(script.shownInstructions, "{\\rtf1 Old.}");
    EXPECT_EQ(a->m_csInstructions, "{\\rtf1 Old.}");
    EXPECT_EQ(a->m_csTitle1, "Biology 101");
    EXPECT_FALSE(a->IsModified());
    EXPECT_EQ(CExamDoc::PrintSettings().studentNamePrompt, saved.studentNamePrompt);

    script.answer = TRUE;
    Command(*pa->upper, ID_EXAM_INSTRUCTIONS);
    EXPECT_EQ(a->m_csInstructions, script.newInstructions);
    EXPECT_TRUE(a->IsModified());
    Command(*pa->upper, ID_EXAM_HEADERS);
    // The header page shows the exam's titles and changes them.
    EXPECT_EQ(script.shownTitle, "Biology 101");
    EXPECT_EQ(a->m_csTitle1, "Biology 102");
    Command(*pa->upper, ID_EXAM_FOOTERS);
    EXPECT_EQ(script.pages, (std::vector<BOOL>{FALSE, FALSE, TRUE}));
    EXPECT_EQ(CExamDoc::PrintSettings().studentNamePrompt, "Student:");
    EXPECT_EQ(CExamDoc::PrintSettings().pageNumFmt, "Seite %d");
    CExamDoc::PrintSettings() = saved;
}

TEST_F(ExamViewTest, TheProgramsInstructionsDialogGivesItsTextOnOkOnly)
{
    CExamQuestionDialogs program;
    CModalScript script;
    script.On<CInstructionsDlg>([](CInstructionsDlg& d) {
        d.GetPane()->SetText("Bring a pencil.", SF_TEXT);
        ClickDlgButton(d, IDOK);
    });
    CString rtf = "{\\rtf1 Old.}";
    EXPECT_TRUE(program.HasInstructionsDialog());
    EXPECT_TRUE(program.Instructions(*a, rtf));
    EXPECT_EQ(rtf.Find("{\\rtf"), 0);
    EXPECT_GE(rtf.Find("Bring a pencil."), 0);

    script.On<CInstructionsDlg>([](CInstructionsDlg& d) {
        d.GetPane()->SetText("Lost.", SF_TEXT);
        ClickDlgButton(d, IDCANCEL);
    });
    CString kept = "{\\rtf1 Old.}";
    EXPECT_FALSE(program.Instructions(*a, kept));
    EXPECT_EQ(kept, "{\\rtf1 Old.}");
}

TEST_F(ExamViewTest, TheLinkCheckMessageChecksQuietly)
{
    CExamScript script;
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), script);
    EXPECT_EQ(pa->upper->SendMessage(WM_CORRA_LINKCHECK), 1);
    EXPECT_EQ(script.linkSheets, 0);
    // A bank gone: the sheet opens, and no message box says so.
    static_cast<CExamQuestion*>(a->FindQuestionById(2))->m_csCorraFile = GetProgramHome() + "QCorras/Gone.crr";
    EXPECT_EQ(pa->upper->SendMessage(WM_CORRA_LINKCHECK), 1);
    EXPECT_EQ(script.linkSheets, 1);
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(ExamViewTest, APasteLeavesFixedQuestionsInTheirPlaces)
{
    auto* fixed = static_cast<CExamQuestion*>(b->FindQuestionById(10));
    fixed->m_nAttributes |= EXAM_ATTR_FIXED;
    fixed->m_nFixedPosition = 1;
    SelectQuestionIds(*pa->upper, {2});
    pa->upper->OnEditCopy();
    // Pasted before the fixed question: it takes its place back.
    pb->upper->GetListCtrl()->SelectItem(0, TRUE);
    EXPECT_EQ(PasteIntoB(), CCorraView::DROP_DONE);
    const std::vector<int> rows = RowQuestionIds(*pb->upper->GetListCtrl());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], 10);
    EXPECT_EQ(DocIds(*b), rows);
}

TEST_F(ExamViewTest, ClipboardBytesCutOrSwollenAreRefused)
{
    auto bytesOf = [this](int extra) {
        CArchive ar;
        ar << CString(a->GetPathName()) << a->m_csCorraId;
        CQuestionList list;
        list.AddTail(a->FindQuestionById(2));
        SerializeExamQuestions(list, ar);
        std::vector<BYTE> bytes = ar.GetData();
        if (extra < 0)
            bytes.resize(bytes.size() - static_cast<size_t>(-extra));
        else
            bytes.insert(bytes.end(), static_cast<size_t>(extra), BYTE{0x41});
        list.RemoveAll();
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"cut by one byte", bytesOf(-1)},
        {"cut in half", bytesOf(-static_cast<int>(bytesOf(0).size() / 2))},
        {"a byte past the list", bytesOf(1)},
        {"a kilobyte past the list", bytesOf(1024)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        SetClipboardBytes(CExamDoc::QuestionListFormat(), c.bytes);
        EXPECT_EQ(PasteIntoB(), CCorraView::DROP_REFUSED);
        EXPECT_EQ(b->GetQuestionCount(), 1);
        EXPECT_FALSE(b->IsModified());
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, "The clipboard data cannot be pasted.");
    }
    // The bytes as written paste.
    SetClipboardBytes(CExamDoc::QuestionListFormat(), bytesOf(0));
    EXPECT_EQ(PasteIntoB(), CCorraView::DROP_DONE);
    EXPECT_EQ(b->GetQuestionCount(), 2);
}

} // namespace
