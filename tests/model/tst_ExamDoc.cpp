#include "model/ExamDoc.h"

#include "foundation/FileTypes.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamQuestion.h"
#include "model/Choices.h"
#include "model/Update.h"
#include "platform/core/ClipboardFormats.h"
#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// The link sheet and the other exam dialogs, answered as the test says.
class CScriptedExamDialogs : public IExamDialogs {
public:
    BOOL FileProperties(CExamDoc&, CExamFileProperties& props) override
    {
        shownProps = props;
        props.title1 = "Biology 101";
        return TRUE;
    }
    BOOL PrintingProperties(CExamDoc&, CExamPrintingValues& values) override
    {
        shownPrinting = values;
        return printingOk;
    }
    BOOL QuestionIdentify(CExamDoc&, BOOL& fixed, BOOL& identity, int& position) override
    {
        fixed = TRUE;
        position = identifyPosition;
        return TRUE;
    }
    BOOL LinkSheet(CExamDoc& exam) override
    {
        ++sheets;
        return sheetUpdates && exam.UpdateOutOfDateQuestions();
    }
    BOOL ChooseFolder(CString& folder) override
    {
        folder = exportFolder;
        return TRUE;
    }

    CExamFileProperties shownProps;
    CExamPrintingValues shownPrinting;
    BOOL printingOk = TRUE;
    int identifyPosition = 2;
    int sheets = 0;
    BOOL sheetUpdates = TRUE;
    CString exportFolder;
};

class ExamDocTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        fsys::CreateDirectories(CFileTypes::GetPriDir(DT_CORRA));
    }

    // The sample bank, copied into the bank folder and read.
    CString CopySample(CCorraDoc& bank, const char* name = "Biology.crr")
    {
        const CString path = CFileTypes::GetPriDir(DT_CORRA) + name;
        EXPECT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), path, FALSE));
        CCorraDoc::SuppressAutoSave(TRUE);
        EXPECT_EQ(bank.ReadCorraDoc(path), CCorraDoc::readComplete);
        CCorraDoc::SuppressAutoSave(FALSE);
        bank.SetPathName(path, FALSE);
        return path;
    }

    static CCorraQuestion* Question(CCorraDoc& doc, int id) { return doc.FindQuestionById(id); }

    static CPtrListEx Questions(CCorraDoc& doc, std::initializer_list<int> ids)
    {
        CPtrListEx list;
        for (int id : ids)
            list.AddTail(doc.FindQuestionById(id));
        return list;
    }

    CScriptedExamDialogs dialogs;
};

// An exam whose first view records the messages posted to it.
class CRecordingExam : public CExamDoc {
public:
    BOOL PostViewMessage(UINT message, WPARAM, LPARAM) override
    {
        posted.push_back(message);
        return TRUE;
    }
    std::vector<UINT> posted;
};

CExamQuestion* Exam(void* p)
{
    return dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(p));
}

TEST_F(ExamDocTest, AddingFromABankLinksEachCopyToItsSource)
{
    CCorraDoc bank;
    const CString path = CopySample(bank);
    CExamDoc exam;
    CPtrListEx added;
    exam.AddQuestions(Questions(bank, {101, 103}), &added, &bank, path, nullptr);
    ASSERT_EQ(added.GetCount(), 2);
    CExamQuestion* first = Exam(added.GetHead());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->m_bLinked);
    EXPECT_TRUE(first->m_bFileExists);
    EXPECT_EQ(first->m_csCorraFile, path);
    EXPECT_EQ(first->m_nLinkId, 101);
    EXPECT_EQ(first->m_csIdentityName, "CID_412_77");
    EXPECT_EQ(first->m_pDoc, &exam);
    EXPECT_TRUE(richBox.calls.empty());

    // Nothing from the exam itself; nothing whose INDEX the exam has already.
    CPtrListEx own;
    own.AddTail(first);
    EXPECT_EQ(exam.AddQuestions(own, nullptr, &exam, exam.GetPathName(), nullptr), nullptr);
    EXPECT_EQ(exam.AddQuestions(Questions(bank, {101}), nullptr, &bank, path, nullptr), nullptr);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Attempted to add question with duplicate index: 1");
    EXPECT_EQ(exam.GetQuestionCount(), 2);
}

TEST_F(ExamDocTest, TheQuestionEditorsAddRefusesAnIndexTheExamHolds)
{
    CCorraDoc bank;
    const CString path = CopySample(bank);
    CExamDoc exam;
    exam.AddQuestions(Questions(bank, {101}), nullptr, &bank, path, nullptr);
    ASSERT_EQ(exam.GetQuestionCount(), 1);
    CCorraQuestion typed(*Question(bank, 101));
    EXPECT_EQ(exam.AddDlgQuestion(typed), nullptr);
    EXPECT_EQ(exam.GetQuestionCount(), 1);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Attempted to add question with duplicate index: 1");
    // Another INDEX is added as always.
    typed.m_nIndex = 77;
    CCorraQuestion* added = exam.AddDlgQuestion(typed);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_nIndex, 77);
    EXPECT_EQ(exam.GetQuestionCount(), 2);
}

TEST_F(ExamDocTest, QuestionsFromAnotherExamKeepTheirOwnLinks)
{
    CCorraDoc bank;
    const CString path = CopySample(bank);
    CExamDoc first;
    CPtrListEx added;
    first.AddQuestions(Questions(bank, {101, 102}), &added, &bank, path, nullptr);
    CExamQuestion* linked = Exam(added.GetHead());
    linked->m_tLinked = CTime(1700000000);
    Exam(added.GetTail())->Unlink();

    // The link still names the bank question and the time it was taken: a copy made now must
    // not hide that the bank changed since.
    CExamDoc second;
    CPtrListEx copies;
    second.AddQuestions(added, &copies, &first, HomePath("First.exm"), nullptr);
    ASSERT_EQ(copies.GetCount(), 2);
    CExamQuestion* copy = Exam(copies.GetHead());
    EXPECT_NE(copy, linked);
    EXPECT_TRUE(copy->m_bLinked);
    EXPECT_EQ(copy->m_csCorraFile, path);
    EXPECT_EQ(copy->m_nLinkId, 101);
    EXPECT_EQ(copy->m_tLinked.GetTime(), 1700000000);
    EXPECT_EQ(copy->m_csIdentityName, linked->m_csIdentityName);
    EXPECT_EQ(copy->m_pDoc, &second);
    EXPECT_FALSE(Exam(copies.GetTail())->m_bLinked);
    EXPECT_TRUE(richBox.calls.empty());
}

TEST_F(ExamDocTest, AnUnsavedSourceGivesUnlinkedCopiesAndOneWarning)
{
    CCorraDoc bank;
    CopySample(bank);
    bank.SetPathName(HomePath("never-saved.crr"), FALSE);
    CExamDoc exam;
    CPtrListEx added;
    exam.AddQuestions(Questions(bank, {101}), &added, &bank, "", nullptr);
    exam.AddQuestions(Questions(bank, {102}), &added, &bank, "", nullptr);
    // No source document and no file: the other warning, not shown again.
    exam.AddQuestions(Questions(bank, {103}), &added, nullptr, HomePath("gone.crr"), nullptr);
    ASSERT_EQ(added.GetCount(), 3);
    for (POSITION pos = added.GetHeadPosition(); pos;)
        EXPECT_FALSE(Exam(added.GetNext(pos))->m_bLinked);
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, "Unlinked Question Warning...");
    EXPECT_NE(richBox.calls[0].pane[1].Find("first save the Question Corra"), -1);
}

TEST_F(ExamDocTest, LinkTimesAndMissingFilesAreKeptPerFullPath)
{
    // Two banks of one name in different folders: one changed since the link, one not.
    const CString changed = WriteHomeFile("A/Bank.crr", "x");
    const CString same = WriteHomeFile("B/Bank.crr", "x");
    const std::time_t linked = 1700000000;
    ASSERT_TRUE(fsys::SetModTime(changed, linked + 60));
    ASSERT_TRUE(fsys::SetModTime(same, linked - 60));
    CExamDoc exam;
    auto add = [&](const CString& file) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->SetLink(file, "");
        q->m_tLinked = CTime(linked);
        return q;
    };
    CExamQuestion* b = add(same);
    CExamQuestion* a = add(changed);
    CExamQuestion* gone = add(HomePath("C/Bank.crr"));
    auto* plain = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
    plain->m_nType = static_cast<int>(IDS_QTYPE_ES);

    CPtrListEx stale;
    EXPECT_FALSE(exam.CheckLinkTimes(&stale));
    ASSERT_EQ(stale.GetCount(), 1);
    EXPECT_EQ(stale.GetHead(), a);
    EXPECT_TRUE(a->m_bOutOfDate);
    EXPECT_FALSE(b->m_bOutOfDate);
    EXPECT_FALSE(gone->m_bOutOfDate);  // a missing file is never out of date

    CPtrListEx missing;
    EXPECT_FALSE(exam.GetMissingLinks(&missing));
    ASSERT_EQ(missing.GetCount(), 1);
    EXPECT_EQ(missing.GetHead(), gone);

    gone->Unlink();
    a->m_tLinked = CTime(linked + 120);
    EXPECT_TRUE(exam.CheckLinkTimes(nullptr));
    EXPECT_FALSE(a->m_bOutOfDate);
    EXPECT_TRUE(exam.GetMissingLinks(nullptr));
}

TEST_F(ExamDocTest, AnExamFromTheSampleStaysLinkedAndFollowsItsSource)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CCorraDoc bank;
    const CString bankPath = CopySample(bank);
    CString examPath;
    int examId = 0;
    {
        CExamDoc exam;
        CPtrListEx added;
        exam.AddQuestions(Questions(bank, {101, 102, 103}), &added, &bank, bankPath, nullptr);
        CExamQuestion* first = Exam(added.GetHead());
        first->m_nMemberId = 77;  // the exam's own grouping
        first->m_tLinked = CTime(std::time(nullptr) - 3600);
        examId = first->m_nId;
        examPath = HomePath("Midterm.exm");
        ASSERT_EQ(exam.WriteCorraDoc(examPath), CCorraDoc::writeDone);
    }
    ASSERT_TRUE(fsys::SetModTime(bankPath, std::time(nullptr) - 7200));

    CExamDoc exam;
    ASSERT_EQ(exam.ReadCorraDoc(examPath), CCorraDoc::readComplete);
    ASSERT_EQ(exam.GetQuestionCount(), 3);
    CExamQuestion* first = Exam(exam.FindQuestionById(examId));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->m_bLinked);
    EXPECT_EQ(first->m_csCorraFile, bankPath);
    EXPECT_EQ(first->m_nLinkId, 101);
    EXPECT_TRUE(exam.CheckCorraLinks(FALSE, nullptr, TRUE));

    // The source question changes on disk.
    bank.FindQuestionById(101)->m_cszQuestionText = "Where is the genetic material kept?";
    bank.FindQuestionById(101)->m_nMemberId = 0;
    ASSERT_EQ(bank.WriteCorraDoc(bankPath), CCorraDoc::writeDone);
    ASSERT_TRUE(fsys::SetModTime(bankPath, std::time(nullptr) + 5));
    EXPECT_FALSE(exam.CheckCorraLinks(FALSE, nullptr, TRUE));

    // The update reads the bank by itself (it is not open) and keeps what is the exam's.
    BOOL updated = FALSE;
    EXPECT_TRUE(exam.CheckCorraLinks(TRUE, &updated, FALSE));
    EXPECT_TRUE(updated);
    EXPECT_EQ(dialogs.sheets, 1);
    EXPECT_EQ(first->m_cszQuestionText, "Where is the genetic material kept?");
    EXPECT_EQ(first->m_nId, examId);
    EXPECT_EQ(first->m_nMemberId, 77);
    EXPECT_EQ(first->m_pDoc, &exam);
    EXPECT_TRUE(first->m_bLinked);
    EXPECT_EQ(first->m_nLinkId, 101);
    EXPECT_FALSE(first->m_bOutOfDate);
    EXPECT_TRUE(exam.IsModified());
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text, "All questions successfully updated.");
}

TEST_F(ExamDocTest, TheOutOfDatePromptRepeatsUntilCurrentOrDeclined)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    const CString file = WriteHomeFile("Bank.crr", "x");
    CExamDoc exam;
    auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
    q->m_nType = static_cast<int>(IDS_QTYPE_ES);
    q->SetLink(file, "");
    q->m_tLinked = CTime(std::time(nullptr) - 100);
    ASSERT_TRUE(fsys::SetModTime(file, std::time(nullptr)));
    dialogs.sheetUpdates = FALSE;

    struct Case {
        std::vector<int> answers;
        BOOL result;
        int asked;
    };
    const Case cases[] = {
        {{IDNO}, TRUE, 1},
        {{IDCANCEL}, FALSE, 1},
        {{IDYES, IDNO}, TRUE, 2},  // the sheet left it out of date: asked again
    };
    for (const Case& c : cases) {
        messageBox.calls.clear();
        for (int answer : c.answers)
            messageBox.QueueAnswer(answer);
        EXPECT_EQ(UpdateOutOfDateLinks(&exam), c.result);
        ASSERT_EQ(static_cast<int>(messageBox.calls.size()), c.asked);
        EXPECT_NE(messageBox.calls[0].text.Find("were found to be out-of-date"), -1);
        if (c.asked > 1) {
            EXPECT_NE(messageBox.calls[1].text.Find("are still out-of-date"), -1);
        }
    }
}

TEST_F(ExamDocTest, ReplacingByIndexKeepsTheExamQuestionsId)
{
    CExamDoc exam;
    auto* mine = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
    mine->m_nType = static_cast<int>(IDS_QTYPE_ES);
    mine->m_nIndex = 12;
    mine->m_cszQuestionText = "old";
    const int id = mine->m_nId;
    CCorraQuestion incoming;
    incoming.m_nId = id + 1000;
    incoming.m_nIndex = 12;
    incoming.m_nType = static_cast<int>(IDS_QTYPE_ES);
    incoming.m_cszQuestionText = "new";
    CCorraQuestion* replaced = nullptr;
    EXPECT_TRUE(exam.ReplaceQuestion(incoming, &replaced));
    EXPECT_EQ(replaced, mine);
    EXPECT_EQ(mine->m_nId, id);
    EXPECT_EQ(mine->m_cszQuestionText, "new");
    EXPECT_EQ(exam.FindQuestionById(id), mine);
    incoming.m_nIndex = 13;
    EXPECT_FALSE(exam.ReplaceQuestion(incoming, &replaced));
}

TEST_F(ExamDocTest, TheFormExportIsNumberedPlainTextInASafeFileName)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CExamDoc exam;
    exam.SetTitle("Midterm");
    auto add = [&](const char* text) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->m_cszQuestionText = text;
        return q;
    };
    CExamQuestion* one = add("First question");
    CExamQuestion* two = add("Second question");
    CCorraQuestion* form = exam.GetOrCreateCollection("../Form A/1");
    CDWordArray ids;
    ids.Add(static_cast<DWORD>(one->m_nId));
    ids.Add(999999);  // a member the exam no longer holds
    ids.Add(static_cast<DWORD>(two->m_nId));
    form->SetQuestIds(ids);
    dialogs.exportFolder = HomePath("export");
    fsys::CreateDirectories(dialogs.exportFolder);
    exam.ExportCollections();

    const CString path = CExamDoc::FormExportPath(dialogs.exportFolder, form->m_cszQuestionText);
    EXPECT_EQ(fsys::Folder(path), fsys::Folder(fsys::Join(dialogs.exportFolder, "x")));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(path, text)) << path.GetString();
    EXPECT_EQ(text.rfind("Midterm - ../Form A/1\r\n\r\n1) First question", 0), 0u) << text;
    EXPECT_NE(text.find("3) Second question"), std::string::npos) << text;
    EXPECT_EQ(text.find("2) "), std::string::npos) << text;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r');
}

TEST_F(ExamDocTest, FixedPositionsMoveIntoPlaceInEveryForm)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CExamDoc exam;
    CDWordArray ids;
    std::vector<CExamQuestion*> qs;
    for (int i = 0; i < 4; ++i) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        qs.push_back(q);
        ids.Add(static_cast<DWORD>(q->m_nId));
    }
    CCorraQuestion* form = exam.GetOrCreateCollection("Form a");
    form->SetQuestIds(ids);
    dialogs.identifyPosition = 2;
    exam.ShowQuestProps(qs[3]);
    EXPECT_TRUE(qs[3]->IsFixed());
    EXPECT_EQ(qs[3]->m_nFixedPosition, 2);
    EXPECT_EQ(form->GetQuestId(1), qs[3]->m_nId);
    EXPECT_EQ(exam.FindFixedQuestion(2), qs[3]);
    EXPECT_EQ(exam.GetLastAvailableUnfixedPos(), 5);  // one past the four questions

    // A negative position is stored as 0.
    dialogs.identifyPosition = -3;
    exam.ShowQuestProps(qs[0]);
    EXPECT_EQ(qs[0]->m_nFixedPosition, 0);
    EXPECT_TRUE(exam.CheckFixedPositions());
}

// A view that keeps the hints it hears.
class CHintRecorder : public CView {
public:
    struct Heard {
        LPARAM code;
        void* object;
        int reload;
    };
    void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override
    {
        auto* update = dynamic_cast<CUpdate*>(pHint);
        heard.push_back({lHint, update && update->Has(UPD_OBJECT) ? update->m_pObject : nullptr,
                         update ? update->m_nReload : -1});
    }
    std::vector<Heard> heard;
};

// A question changed in place has its rows redrawn (and nothing else read again); a question
// given a fixed position makes the lists check their order.
TEST_F(ExamDocTest, ViewsHearOfAChangedQuestionAsARedrawOfItsRows)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    const CString bank = WriteHomeFile("A/Bank.crr", "x");
    const std::time_t linked = 1700000000;
    ASSERT_TRUE(fsys::SetModTime(bank, linked + 60));
    CHintRecorder view;  // outlives the exam, which lets it go when it ends
    CExamDoc exam;
    exam.AddView(&view);
    auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
    q->m_nType = static_cast<int>(IDS_QTYPE_ES);
    q->SetLink(bank, "");
    q->m_tLinked = CTime(linked);

    struct Row {
        const char* name;
        std::function<void()> change;
        LPARAM code;
    };
    const std::vector<Row> rows = {
        {"out of date", [&] { EXPECT_FALSE(exam.CheckLinkTimes(nullptr)); }, HINT_REFRESH},
        {"fixed position", [&] {
             dialogs.identifyPosition = 1;
             exam.ShowQuestProps(q);
         }, HINT_REREAD},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.heard.clear();
        row.change();
        ASSERT_EQ(view.heard.size(), 1u);
        EXPECT_EQ(view.heard[0].code, row.code);
        EXPECT_EQ(view.heard[0].object, q);
        EXPECT_EQ(view.heard[0].reload, 0);
    }
}

TEST_F(ExamDocTest, ADuplicatedIndexInTheFileIsReadWithAWarningAndTheLinkCheckIsAsked)
{
    const std::string record = "BEGIN QUESTION\r\nID: %d\r\nTYPE:  ES\r\nINDEX:%d\r\nTEXT: { q }\r\n"
                               "ATTRIBUTES: 0\r\nFIXEDPOSITION: 0\r\nEND QUESTION\r\n\r\n";
    std::string text;
    for (auto [id, index] : {std::pair{1, 7}, {2, 0}, {3, 7}, {4, 0}, {5, 7}})
        text += CString::Formatted(record.c_str(), id, index).GetString();
    const CString path = WriteHomeFile("dup.exm", text);
    CRecordingExam exam;
    exam.ReadCorraDoc(path);
    EXPECT_EQ(exam.GetQuestionCount(), 5);
    // One warning per duplicate (the file has no header, which is said too).
    int warnings = 0;
    for (const auto& call : messageBox.calls)
        warnings += call.text == "Warning:  this exam contains a duplicated index: 7";
    EXPECT_EQ(warnings, 2);
    EXPECT_EQ(std::count(exam.posted.begin(), exam.posted.end(), WM_CORRA_LINKCHECK), 1);

    // Not while the main frame opens it for a task of its own.
    CCorraDoc::SuppressAutoSave(TRUE);
    CRecordingExam quiet;
    quiet.ReadCorraDoc(path);
    CCorraDoc::SuppressAutoSave(FALSE);
    EXPECT_TRUE(quiet.posted.empty());
}

TEST_F(ExamDocTest, OneFixedQuestionPerPositionAndOneIdentityQuestion)
{
    CExamDoc exam;
    auto add = [&]() {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        return q;
    };
    CExamQuestion* fixed = add();
    fixed->m_nAttributes = EXAM_ATTR_FIXED | EXAM_ATTR_IDENTITY;
    fixed->m_nFixedPosition = 2;
    add();

    EXPECT_FALSE(exam.ValidateFixedPosition(0));
    EXPECT_EQ(messageBox.calls.back().text, "Fixed position must be 1 or greater.");
    EXPECT_TRUE(exam.ValidateFixedPosition(1));
    messageBox.QueueAnswer(IDNO);
    EXPECT_FALSE(exam.ValidateFixedPosition(2));
    EXPECT_TRUE(fixed->IsFixed());
    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(exam.ValidateFixedPosition(2));
    EXPECT_FALSE(fixed->IsFixed());
    EXPECT_EQ(fixed->m_nFixedPosition, 0);

    messageBox.QueueAnswer(IDNO);
    EXPECT_FALSE(exam.ConfirmSingleIdentity());
    EXPECT_EQ(exam.FindIdentityQuestion(), fixed);
    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(exam.ConfirmSingleIdentity());
    EXPECT_EQ(exam.FindIdentityQuestion(), nullptr);
    EXPECT_TRUE(exam.ConfirmSingleIdentity());
}

TEST_F(ExamDocTest, ThePropertiesListTheLinkedFilesAndNameTheMissingOnes)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    const CString there = WriteHomeFile("There.crr", "x");
    CExamDoc exam;
    for (const CString& file : {there, HomePath("Gone.crr"), there, HomePath("Away.crr")}) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->SetLink(file, "");
    }
    exam.ShowFileProperties();
    ASSERT_EQ(dialogs.shownProps.linkedFiles.GetSize(), 1);
    EXPECT_EQ(dialogs.shownProps.linkedFiles[0], there);
    EXPECT_EQ(dialogs.shownProps.questionCount, "4");
    EXPECT_EQ(dialogs.shownProps.collectionCount, "0");
    // The missing files one per line, in the order of their paths.
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "The following Linked Question Corras cannot be found:\n\nAway.crr\nGone.crr\n\n"
                                        "Run the Check QCorra Links menu command to restore links.");
    EXPECT_EQ(exam.m_csTitle1, "Biology 101");
    EXPECT_TRUE(exam.IsModified());
}

TEST_F(ExamDocTest, ANewExamCaptionsItsGroupsWindow)
{
    CFakeDocumentDialogs windows;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), windows);
    CExamDoc exam;
    exam.SetTitle("Final");
    exam.OnOpenOrNew();
    EXPECT_EQ(windows.groupsTitle, "Final - Groups");
}

TEST_F(ExamDocTest, FormNamesTakeTheirPlaceholdersAsText)
{
    struct Case {
        const char* format;
        int n;
        const char* name;
    };
    const Case cases[] = {
        {"Form %a", 1, "Form b"},
        {"Set %A (100%)", 2, "Set C (100%)"},
        {"%s version %d", 3, "%s version 3"},
        {"Version ", 4, "Version 4"},
        {"%n%x %a", 0, "%n%x a"},
        {"Form %a", 0, "Form a"},
        {"Form %a", 2, "Form c"},
        {"Form %a", 25, "Form z"},
        // Past "z" as numbered lists go on, never the characters after "z".
        {"Form %a", 26, "Form aa"},
        {"Form %a", 27, "Form bb"},
        {"%A", 0, "A"},
        {"%A", 26, "AA"},
        {"Ver", 0, "Ver0"},
        {"Ver", 2, "Ver2"},
        {"%s %a", 1, "%s b"},
        {"%a%a", 1, "bb"},
        {"%a and %d", 1, "b and %d"},
        // Braces and "||" as the file stores a form's name.
        {"Form {%a}", 0, "Form (a)"},
        {"Set||%d", 3, "Set|3"},
        {"}%A{", 1, ")B("},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CExamDoc::FormatFormName(c.format, c.n), c.name) << c.format;
}

TEST_F(ExamDocTest, AFormNameFormatMustSayWhereTheFormGoes)
{
    const struct {
        const char* format;
        BOOL valid;
    } cases[] = {
        {"Form %a", TRUE}, {"%A", TRUE}, {"Version %d of 3", TRUE}, {"Form ", FALSE},
        {"", FALSE},       {nullptr, FALSE}, {"%s %n 100%", FALSE}, {"% a", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidFormNameFormat(c.format), c.valid) << (c.format ? c.format : "NULL");
}

TEST_F(ExamDocTest, PrintingPropertiesShowTheValuesInForceAndKeepThemOnOk)
{
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), dialogs);
    CChoices::SetChoicesIndentLevel(5);
    CChoices::SetNumChoiceSepSpaces(2);
    CExamDoc exam;
    exam.m_csTitle1 = "Biology 101";
    // Without keys of its own the exam shows what the choices print with, and OK stores that.
    exam.ShowPrintingProperties();
    EXPECT_EQ(dialogs.shownPrinting.title1, "Biology 101");
    EXPECT_EQ(dialogs.shownPrinting.choicesIndentLevel, 5);
    EXPECT_EQ(dialogs.shownPrinting.numChoiceSepSpaces, 2);
    EXPECT_EQ(AppProfile().GetInt("Exams", "ChoicesIndentLevel", -1), 5);
    EXPECT_EQ(AppProfile().GetInt("Exams", "NumChoiceSepSpaces", -1), 2);
    EXPECT_FALSE(exam.IsModified());

    // A print mode given by the caller is shown but never stored.
    AppProfile().WriteInt("Exams", "PrintMode", 0);
    exam.ShowPrintingProperties(3);
    EXPECT_EQ(dialogs.shownPrinting.printMode, 3);
    EXPECT_EQ(AppProfile().GetInt("Exams", "PrintMode", -1), 0);
}

TEST_F(ExamDocTest, TheExamClipboardFormatsAreRegisteredOnce)
{
    const UINT questions = CExamDoc::QuestionListFormat();
    const UINT collections = CExamDoc::CollectionListFormat();
    EXPECT_NE(questions, 0u);
    EXPECT_NE(collections, questions);
    EXPECT_EQ(GetClipboardFormatName(questions), "Exam Question List");
    EXPECT_EQ(GetClipboardFormatName(collections), "Exam Collection List");
    CExamDoc::LoadDefaults();
    EXPECT_EQ(CExamDoc::QuestionListFormat(), questions);
    EXPECT_EQ(RegisterClipboardFormat("Exam Collection List"), collections);
}

} // namespace
