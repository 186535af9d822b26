#include "model/CorraDoc.h"

#include "controls/PromptDlg.h"
#include "foundation/CorraAppBase.h"
#include "model/CorraQuestion.h"
#include "model/DocumentFonts.h"
#include "foundation/Util.h"
#include "platform/ui/CharFormat.h"
#include "platform/core/FileSys.h"
#include "res/ids/ProgressDlg.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

#include <set>

#include <sys/stat.h>

namespace {

class CQuietDoc : public CCorraDoc {
public:
    CQuietDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

class CorraDocQuestionsTest : public CorraTest {
protected:
    static CCorraQuestion* Question(int id, const char* text, UINT type = IDS_QTYPE_ES)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nType = static_cast<int>(type);
        q->m_cszQuestionText = text;
        return q;
    }
    // A document with questions 1..n and, when asked, collection "Unit" holding 2, 3 and 4.
    static void Fill(CCorraDoc& doc, int n, bool collection = false)
    {
        for (int id = 1; id <= n; ++id)
            doc.InsertQuestion(Question(id, CString::Formatted("Question %d", id)));
        if (collection) {
            CPtrListEx members;
            for (int id : {2, 3, 4})
                members.AddTail(doc.FindQuestionById(id));
            doc.GetOrCreateCollection("Unit", &members);
        }
    }
    static std::vector<int> Ids(const CPtrListEx& list)
    {
        std::vector<int> ids;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            ids.push_back(static_cast<CCorraQuestion*>(list.GetNext(pos))->m_nId);
        return ids;
    }
    static std::vector<int> MemberIds(CCorraQuestion* collection)
    {
        CDWordArray ids;
        collection->GetQuestIds(ids);
        return std::vector<int>(ids.begin(), ids.end());
    }
    static void Type(CPromptDlg& dlg, const char* text)
    {
        auto* edit = dlg.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
        edit->selectAll();
        edit->insert(QString::fromLatin1(text));
    }
};

TEST_F(CorraDocQuestionsTest, ADuplicateOrZeroIdGetsAFreshIdAndTheOtherStaysAlone)
{
    CQuietDoc doc;
    // The installation's counter stands on an ID the document already uses.
    CorraApp().WriteProfileInt("QCorras", "NextQID", 7);
    CCorraQuestion* first = doc.InsertQuestion(Question(7, "first"));
    CCorraQuestion* second = doc.InsertQuestion(Question(7, "second"));
    CCorraQuestion* zero = doc.InsertQuestion(Question(0, "zero"));
    EXPECT_EQ(first->m_nId, 7);
    EXPECT_EQ(doc.FindQuestionById(7), first);
    EXPECT_NE(second->m_nId, 7);
    EXPECT_NE(second->m_nId, 0);
    EXPECT_NE(zero->m_nId, 0);
    EXPECT_NE(zero->m_nId, second->m_nId);
    EXPECT_EQ(doc.FindQuestionById(second->m_nId), second);
    EXPECT_EQ(doc.FindQuestionById(zero->m_nId), zero);
    EXPECT_TRUE(doc.m_bIdsReassigned);
    EXPECT_EQ(first->m_pDoc, &doc);
    EXPECT_EQ(doc.GetQuestionCount(), 3);
}

TEST_F(CorraDocQuestionsTest, ARandomPickNeverTakesCollectionsOrMoreThanThereAre)
{
    CQuietDoc doc;
    Fill(doc, 4, true);
    doc.GetOrCreateCollection("Second");
    ASSERT_EQ(doc.GetQuestionCount(), 6);
    CPtrListEx picked;
    doc.PickRandomQuestions(picked, 10);
    std::vector<int> ids = Ids(picked);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()), (std::set<int>{1, 2, 3, 4}));
    doc.PickRandomQuestions(picked, 2);
    EXPECT_EQ(picked.GetCount(), 2);

    // Picking again at once draws afresh: the sequence goes on rather than starting over.
    CQuietDoc big;
    Fill(big, 20);
    big.PickRandomQuestions(picked, 10);
    const std::vector<int> first = Ids(picked);
    big.PickRandomQuestions(picked, 10);
    EXPECT_NE(Ids(picked), first);
}

TEST_F(CorraDocQuestionsTest, DetachingAStrangerKeepsTheIdIndexRight)
{
    CQuietDoc doc;
    Fill(doc, 5, true);
    // A stranger carrying the ID of question 4.
    std::unique_ptr<CCorraQuestion> stranger(Question(4, "stranger"));
    CCorraQuestion* two = doc.FindQuestionById(2);
    CCorraQuestion* four = doc.FindQuestionById(4);
    CPtrListEx list;
    list.AddTail(two);
    list.AddTail(stranger.get());
    list.AddTail(doc.FindQuestionById(5));
    EXPECT_FALSE(doc.DetachQuestions(list));
    std::unique_ptr<CCorraQuestion> detached(two);

    // Question 2 is out of the document and its collection; the stranger stopped the rest, and
    // the document's own question 4 is still found by its ID.
    EXPECT_EQ(doc.FindQuestionById(2), nullptr);
    EXPECT_FALSE(doc.HoldsQuestion(two));
    EXPECT_EQ(doc.FindQuestionById(4), four);
    EXPECT_NE(doc.FindQuestionById(5), nullptr);
    EXPECT_EQ(MemberIds(doc.FindCollection("unit ")), (std::vector<int>{3, 4}));
    EXPECT_EQ(doc.GetQuestionCount(), 5);
}

TEST_F(CorraDocQuestionsTest, ReplaceTakesTheContentsOfTheSameId)
{
    CQuietDoc doc;
    Fill(doc, 3);
    CCorraQuestion edited;
    edited.m_nId = 2;
    edited.m_nType = static_cast<int>(IDS_QTYPE_SA);
    edited.m_cszQuestionText = "edited";
    CCorraQuestion* replaced = nullptr;
    EXPECT_TRUE(doc.ReplaceOneQuestion(edited, &replaced));
    ASSERT_EQ(replaced, doc.FindQuestionById(2));
    EXPECT_EQ(replaced->m_cszQuestionText, "edited");
    EXPECT_EQ(replaced->m_pDoc, &doc);
    edited.m_nId = 99;
    EXPECT_FALSE(doc.ReplaceOneQuestion(edited, &replaced));
    EXPECT_EQ(replaced, nullptr);
}

TEST_F(CorraDocQuestionsTest, CollectionsAreFoundByTrimmedNameAndNamedFreshly)
{
    CQuietDoc doc;
    Fill(doc, 4, true);
    EXPECT_NE(doc.FindCollection("  UNIT"), nullptr);
    EXPECT_EQ(doc.NewCollectionName(), "Collection1");
    doc.GetOrCreateCollection("Collection1");
    doc.GetOrCreateCollection("Collection3");
    EXPECT_EQ(doc.NewCollectionName(), "Collection2");
    EXPECT_EQ(doc.GetCollectionCount(), 3);
    // Inserting into a named collection.
    CCorraQuestion* added = doc.InsertQuestion(Question(50, "new"), "unit");
    EXPECT_EQ(MemberIds(doc.FindCollection("Unit")), (std::vector<int>{2, 3, 4, 50}));
    CPtrListEx plain;
    EXPECT_EQ(GetDocQuestions(&doc, plain), 5);
    CDWordArray ids;
    CPtrListEx one;
    one.AddTail(doc.FindCollection("Unit"));
    one.AddTail(added);
    EXPECT_EQ(GetQuestionIds(one, ids, TRUE), 4);

    // Incoming collections are duplicates by name; a question whose text is that name is not.
    CCorraQuestion incoming;
    incoming.m_nType = static_cast<int>(IDS_QTYPE_CO);
    incoming.m_cszQuestionText = " unit ";
    CCorraQuestion fresh;
    fresh.m_nType = static_cast<int>(IDS_QTYPE_CO);
    fresh.m_cszQuestionText = "Other";
    CCorraQuestion namesake;
    namesake.m_nType = static_cast<int>(IDS_QTYPE_ES);
    namesake.m_cszQuestionText = "Unit";
    CPtrListEx list, found, others;
    for (CCorraQuestion* q : {&incoming, &fresh, &namesake})
        list.AddTail(q);
    EXPECT_EQ(doc.FindDuplicateCollections(list, found, others), 1);
    EXPECT_EQ(found.GetHead(), &incoming);
    EXPECT_EQ(others.GetCount(), 2);
}

TEST_F(CorraDocQuestionsTest, PromptingForACollectionNameCanBeCancelled)
{
    CQuietDoc doc;
    Fill(doc, 4, true);
    CCorraQuestion* second = doc.GetOrCreateCollection("Second");
    CModalScript script;
    // A name in use is refused and asked again; then the user cancels.
    script.On<CPromptDlg>([](CPromptDlg& d) {
        Type(d, "unit");
        ClickDlgButton(d, IDOK);
    });
    script.On<CPromptDlg>([](CPromptDlg& d) { ClickDlgButton(d, IDCANCEL); });
    EXPECT_FALSE(doc.RenameCollection(second));
    EXPECT_EQ(second->m_cszQuestionText, "Second");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "unit already exists");

    script.On<CPromptDlg>([](CPromptDlg& d) {
        Type(d, "Final {draft}");
        ClickDlgButton(d, IDOK);
    });
    script.On<CPromptDlg>([](CPromptDlg& d) {
        Type(d, "  Final ");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_TRUE(doc.RenameCollection(second));
    EXPECT_EQ(second->m_cszQuestionText, "Final");
    EXPECT_EQ(messageBox.calls.size(), 2u);  // the braces were refused
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(CorraDocQuestionsTest, InvalidQuestionsAreListedAndReported)
{
    CQuietDoc doc;
    Fill(doc, 2);
    for (int id : {10, 11, 12, 13, 14, 15, 16}) {
        CCorraQuestion* q = Question(id, "Pick one", IDS_QTYPE_MC);
        q->SetChoices("a. one\nb. two");
        doc.InsertQuestion(q);  // no answer: invalid
    }
    CPtrListEx invalid;
    CString summary;
    EXPECT_FALSE(doc.FindInvalidQuestions(invalid, summary));
    EXPECT_EQ(invalid.GetCount(), 7);
    EXPECT_EQ(summary.Find("Total 7 invalid questions found...\n\nQuestion (ID "), 0);
    EXPECT_NE(summary.Find("\n...others"), -1);
    std::string report;
    ASSERT_TRUE(fsys::ReadFile(CCorraDoc::InvalidReportPath(), report));
    EXPECT_EQ(report.substr(0, 6), "Reason");
    EXPECT_NE(report.find("Question (ID 16) missing answer."), std::string::npos);
    EXPECT_NE(report.find(std::string(120, '-')), std::string::npos);

    // Valid again: no report is left behind.
    doc.DeleteQuestions(invalid);
    EXPECT_TRUE(doc.FindInvalidQuestions(invalid, summary));
    EXPECT_TRUE(summary.IsEmpty());
    EXPECT_FALSE(fsys::Exists(CCorraDoc::InvalidReportPath()));
}

TEST_F(CorraDocQuestionsTest, FontsGoToEveryQuestionAndItsChoices)
{
    CQuietDoc doc;
    // Without the dialog nothing is asked and nothing changes.
    EXPECT_FALSE(doc.SetAllFonts());

    class CChooser : public IDocumentFontsDialog {
    public:
        BOOL Run(CCorraDoc&, CDocumentFonts& fonts) override
        {
            std::strcpy(fonts.textFont.lfFaceName, "Courier New");
            fonts.textMask = CFM_FACE;
            std::strcpy(fonts.choicesFont.lfFaceName, "Times New Roman");
            fonts.choicesMask = CFM_FACE;
            return TRUE;
        }
    } chooser;
    CServiceScope<IDocumentFontsDialog> scope(DocumentFontsDialogSlot(), chooser);
    CCorraQuestion* mc = doc.InsertQuestion(Question(1, "Pick one", IDS_QTYPE_MC));
    ASSERT_TRUE(mc->SetChoices("a. one\nb. two"));
    mc->m_cszAnswer = "a";
    CCorraQuestion* essay = doc.InsertQuestion(Question(2, "Explain"));
    CCorraQuestion* collection = doc.GetOrCreateCollection("Unit");
    doc.SetModifiedFlag(FALSE);
    {
        // Not while the question dialog is busy with a question.
        CFakeDocumentDialogs dialogs;
        dialogs.busy = TRUE;
        CServiceScope<IDocumentDialogs> busy(DocumentDialogsSlot(), dialogs);
        EXPECT_FALSE(doc.SetAllFonts());
        EXPECT_EQ(mc->m_cszQuestionText, "Pick one");
        EXPECT_FALSE(doc.IsModified());
    }
    EXPECT_TRUE(doc.SetAllFonts());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_NE(mc->m_cszQuestionText.Find("Courier New"), -1);
    EXPECT_NE(essay->m_cszQuestionText.Find("Courier New"), -1);
    EXPECT_NE(mc->GetChoice(1, FALSE).Find("Times New Roman"), -1);
    EXPECT_EQ(mc->GetChoice(1, TRUE), "two");
    EXPECT_EQ(mc->GetChoicesCount(), 2);
    CString message;
    EXPECT_TRUE(mc->Validate(message)) << message;
    EXPECT_EQ(collection->m_cszQuestionText, "Unit");
}

TEST_F(CorraDocQuestionsTest, TheDocumentTellsItsKind)
{
    class CDerivedDoc : public CQuietDoc {};
    CCorraDoc plain;
    CDerivedDoc derived;
    EXPECT_EQ(GetDocViewKind(static_cast<CDocument*>(&plain)), DVK_CORRADOC);
    EXPECT_EQ(GetDocViewKind(static_cast<CDocument*>(&derived)), DVK_OTHER);
}

// ---- saving

class CorraDocSaveTest : public CorraDocQuestionsTest {};

TEST_F(CorraDocSaveTest, AReadOnlyFileIsNeverOverwritten)
{
    CQuietDoc doc;
    Fill(doc, 2);
    CString path = WriteHomeFile("locked.crr", "old contents");
    ::chmod(fsys::Native(path).c_str(), 0444);
    ASSERT_TRUE(fsys::IsReadOnly(path));
    EXPECT_FALSE(doc.DoSave(path));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text,
              "The file\n\n" + path + "\n\nhas read-only attributes and cannot be overwritten.");
    std::string after;
    fsys::ReadFile(path, after);
    EXPECT_EQ(after, "old contents");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(CorraDocSaveTest, SaveAsOntoAnotherFileAsksAndCancelKeepsBoth)
{
    CQuietDoc doc;
    Fill(doc, 2);
    CString own = HomePath("own.crr");
    ASSERT_TRUE(doc.DoSave(own));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.m_csCorraId.IsEmpty());  // given on the first save
    EXPECT_TRUE(messageBox.calls.empty());      // its own file: nothing asked

    CString other = WriteHomeFile("other.crr", "other contents");
    doc.InsertQuestion(Question(3, "three"));
    messageBox.QueueAnswer(IDCANCEL);
    fileDialog.QueuePath(HomePath("other"));  // the extension is added
    EXPECT_FALSE(doc.DoSave(nullptr));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "A file named\n\n" + other + "\n\nalready exists.\n\nReplace?");
    std::string after;
    fsys::ReadFile(other, after);
    EXPECT_EQ(after, "other contents");
    EXPECT_EQ(doc.GetPathName(), own);
    EXPECT_TRUE(doc.IsModified());

    messageBox.QueueAnswer(IDOK);
    fileDialog.QueuePath(other);
    EXPECT_TRUE(doc.DoSave(nullptr));
    EXPECT_EQ(doc.GetPathName(), other);
    CQuietDoc back;
    EXPECT_EQ(back.ReadCorraDoc(other), CCorraDoc::readComplete);
    EXPECT_EQ(back.GetQuestionCount(), 3);
}

TEST_F(CorraDocSaveTest, PrintValuesGoToTheSectionOfTheDocumentsOwnKind)
{
    class CExamLike : public CCorraDoc {
    public:
        CExamLike() : CCorraDoc("Exams") {}
    };
    {
        CExamLike exam;
        exam.m_nNumQuestSepLines = 5;
    }
    EXPECT_EQ(CorraApp().GetProfileInt("Exams", "NumQuestSepLines", 0), 5);
    EXPECT_EQ(CorraApp().GetProfileInt("QCorras", "NumQuestSepLines", -1), -1);
    {
        CQuietDoc doc;
        EXPECT_EQ(doc.m_nNumQuestSepLines, 2);
        doc.m_nPrintMode = 3;
    }
    EXPECT_EQ(CorraApp().GetProfileInt("QCorras", "PrintMode", 0), 3);
}

} // namespace

namespace {

TEST_F(CorraDocSaveTest, SaveOfAReadOnlyFileSaysWhyItAsksForAName)
{
    CQuietDoc doc;
    Fill(doc, 2);
    CString path = WriteHomeFile("locked.crr", "old contents");
    ::chmod(fsys::Native(path).c_str(), 0444);
    doc.SetPathName(path, FALSE);
    fileDialog.QueueCancel();
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(fileDialog.requests.size(), 1u);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "locked.crr is read-only; save it under another name.");
    std::string after;
    fsys::ReadFile(path, after);
    EXPECT_EQ(after, "old contents");
}

} // namespace
