// The Add Question Wizard: its flow through the pages, the checks of the source and method pages,
// and what a finished run hands the main window.

#include "app/CorraApp.h"
#include "app/AddQuestionWizard.h"
#include "app/MainFrm.h"
#include "app/TaskServices.h"
#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "import/SourceView.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "platform/core/FileSys.h"
#include "foundation/Log.h"
#include "res/ids/App.h"
#include "res/ids/QuestionTypes.h"
#include "shell/ShellDocs.h"
#include "shell/HVListCtrl.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QLineEdit>

#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<int> History(const CAddQuestFromSheet& sheet)
{
    return sheet.m_History.vec();
}

UINT ActiveId(const CAddQuestFromSheet& sheet)
{
    return sheet.GetActivePage() ? sheet.GetActivePage()->GetTemplateId() : 0;
}

class WizardTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
    }
    // A saved bank of n essay questions with the given INDEX values (0 where the list ends).
    CCorraDoc* MakeBank(const char* name, int n, std::vector<int> indexes = {}, BOOL bSave = TRUE)
    {
        auto* doc = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
        EXPECT_NE(doc, nullptr);
        for (int i = 0; i < n; ++i) {
            CCorraQuestion* q = doc->CreateQuestion();
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("%s question %d", name, i + 1);
            q->m_nIndex = i < static_cast<int>(indexes.size()) ? indexes[static_cast<size_t>(i)] : 0;
            doc->InsertQuestion(q);
        }
        if (bSave)
            EXPECT_TRUE(doc->DoSave(HomePath(CString(name) + ".crr")));
        else
            doc->SetTitle(name);
        return doc;
    }
    // Runs the sheet modally; act does what the user does and ends it.
    static int RunSheet(CAddQuestFromSheet& sheet, std::function<void(CAddQuestFromSheet&)> act)
    {
        CModalScript script;
        script.On<CAddQuestFromSheet>(std::move(act));
        return static_cast<int>(sheet.DoModal());
    }
};

// --- flow ---------------------------------------------------------------------------------------

TEST_F(WizardTest, EveryStartShowsItsPageAndBackRetracesThePagesBeforeIt)
{
    CCorraDoc* exam = dynamic_cast<CCorraDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    const struct {
        const char* what;
        UINT start;  // 0: the menu's "Add Question Wizard..." (no set-up)
        BOOL withDoc;
        UINT page;
        std::vector<int> history;
        std::vector<UINT> backs;  // the pages Back shows, one by one
    } cases[] = {
        {"menu wizard", 0, FALSE, IDD_AQF_TO_TYPE, {}, {}},
        {"auto convert", AQF_START_AUTOCONVERT, FALSE, IDD_AQF_TO_TYPE, {}, {}},
        {"auto convert exam", AQF_START_AUTOCONVERT_EXAM, FALSE, IDD_AQF_TO_TYPE, {}, {}},
        {"auto convert doc", AQF_START_AUTOCONVERT_DOC, TRUE, IDD_AQF_TO_TYPE, {}, {}},
        {"new random exam", AQF_START_RANDOM_EXAM, FALSE, IDD_AQF_FROM_DOC, {291, 290}, {IDD_AQF_TO_DOC, IDD_AQF_TO_TYPE}},
        {"random into exam", AQF_START_RANDOM_ADD, TRUE, IDD_AQF_FROM_TYPE, {291, 290}, {IDD_AQF_TO_DOC, IDD_AQF_TO_TYPE}},
        {"random, no exam", AQF_START_RANDOM_ADD, FALSE, IDD_AQF_TO_DOC, {290}, {IDD_AQF_TO_TYPE}},
    };
    for (const auto& c : cases) {
        CAddQuestFromSheet sheet("Wizard", m_pMain, c.start == AQF_START_RANDOM_EXAM ? 4 : 0);
        if (c.start)
            EXPECT_EQ(sheet.Setup(c.start, c.withDoc ? exam : nullptr), 1) << c.what;
        UINT first = 0;
        std::vector<int> history;
        std::vector<UINT> backs;
        RunSheet(sheet, [&](CAddQuestFromSheet& s) {
            first = ActiveId(s);
            history = History(s);
            for (size_t i = 0; i < c.backs.size(); ++i) {
                s.PressButton(PSBTN_BACK);
                backs.push_back(ActiveId(s));
            }
            s.PressButton(PSBTN_CANCEL);
        });
        EXPECT_EQ(first, c.page) << c.what;
        EXPECT_EQ(history, c.history) << c.what;
        EXPECT_EQ(backs, c.backs) << c.what;
        EXPECT_TRUE(sheet.m_History.empty()) << c.what;
        sheet.CancelCleanup();
    }
    // The menu's wizard starts with an Exam as target and a Question Corra as source.
    CAddQuestFromSheet sheet("Add questions from...", m_pMain);
    EXPECT_EQ(sheet.GetTargetKind(), AQF_TO_EXAM);
    EXPECT_EQ(sheet.GetSourceKind(), AQF_FROM_CORRA);
    EXPECT_EQ(sheet.Setup(12345, nullptr), 0);
    EXPECT_NE(GetLogBuffer().Find("CAddQuestFromSheet::Setup() - unknown message type"), -1);
}

TEST_F(WizardTest, EachStartPreparesTheTargetTheSourceAndTheMethod)
{
    CCorraDoc* exam = dynamic_cast<CCorraDoc*>(m_app->NewExamDocument());
    CCorraDoc* bank = MakeBank("Teacher", 1);
    ASSERT_NE(exam, nullptr);
    const struct {
        const char* what;
        UINT start;
        CCorraDoc* doc;
        int target;          // target kind
        int choice;          // target document choice
        int source;          // source kind
        int method;          // -1: as the profile says
        BOOL newTarget;      // a new document was made for the target
        CCorraDoc* fixedTo;  // the target page's fixed document
        CCorraDoc* fixedFrom;
    } cases[] = {
        {"auto convert", AQF_START_AUTOCONVERT, nullptr, AQF_TO_CORRA, CAQFChooseToDocPage::choiceOpen,
         AQF_FROM_AUTOCONVERT, -1, FALSE, nullptr, nullptr},
        {"auto convert exam", AQF_START_AUTOCONVERT_EXAM, nullptr, AQF_TO_EXAM, CAQFChooseToDocPage::choiceOpen,
         AQF_FROM_AUTOCONVERT, -1, FALSE, nullptr, nullptr},
        {"auto convert doc", AQF_START_AUTOCONVERT_DOC, bank, AQF_TO_EXAM, CAQFChooseToDocPage::choiceOpen,
         AQF_FROM_AUTOCONVERT, -1, FALSE, nullptr, bank},
        {"new random exam", AQF_START_RANDOM_EXAM, nullptr, AQF_TO_EXAM, CAQFChooseToDocPage::choiceNew, AQF_FROM_CORRA,
         -1, TRUE, nullptr, nullptr},
        {"random into exam", AQF_START_RANDOM_ADD, exam, AQF_TO_EXAM, CAQFChooseToDocPage::choiceOpen, AQF_FROM_CORRA,
         AQF_METHOD_RANDOM, FALSE, exam, nullptr},
        {"random, no exam", AQF_START_RANDOM_ADD, nullptr, AQF_TO_EXAM, CAQFChooseToDocPage::choiceOpen,
         AQF_FROM_CORRA, AQF_METHOD_RANDOM, FALSE, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        CAddQuestFromSheet sheet("Wizard", m_pMain, c.start == AQF_START_RANDOM_EXAM ? 4 : 0);
        ASSERT_EQ(sheet.Setup(c.start, c.doc), 1) << c.what;
        EXPECT_EQ(sheet.GetTargetKind(), c.target) << c.what;
        EXPECT_EQ(sheet.m_ToDocPage.GetChoice(), c.choice) << c.what;
        EXPECT_EQ(sheet.GetSourceKind(), c.source) << c.what;
        if (c.method >= 0) {
            EXPECT_EQ(sheet.GetMethod(), c.method) << c.what;
        }
        CDocument* pNew = sheet.m_ToDocPage.GetNewDoc();
        EXPECT_EQ(pNew != nullptr, c.newTarget) << c.what;
        if (pNew) {
            EXPECT_NE(dynamic_cast<CExamDoc*>(pNew), nullptr) << c.what;
        }
        BOOL bOpened = FALSE;
        if (c.fixedTo) {
            EXPECT_EQ(sheet.m_ToDocPage.GetDoc(bOpened, FALSE), c.fixedTo) << c.what;
        }
        EXPECT_EQ(sheet.m_FromDocPage.GetFixedDoc(), c.fixedFrom) << c.what;
        EXPECT_EQ(sheet.m_ForcedSource.Get(), c.fixedFrom) << c.what;
        sheet.CancelCleanup();
        EXPECT_EQ(sheet.m_ToDocPage.GetNewDoc(), nullptr) << c.what;
    }
}

TEST_F(WizardTest, BackWithNoHistoryTakesThePageBeforeAndNextBackNeverGrowsTheHistory)
{
    CAddQuestFromSheet sheet("Add questions from...", m_pMain);
    std::vector<size_t> sizes;
    UINT afterEmptyBack = 0;
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        ClickDlgButton(s.m_ToDocPage, IDC_AQF_TO_NEW);  // a new exam: Next is offered
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActiveId(s), IDD_AQF_TO_DOC);
        for (int round = 0; round < 3; ++round) {
            s.PressButton(PSBTN_NEXT);
            s.PressButton(PSBTN_NEXT);
            sizes.push_back(s.m_History.size());
            s.PressButton(PSBTN_BACK);
            s.PressButton(PSBTN_BACK);
            sizes.push_back(s.m_History.size());
        }
        EXPECT_EQ(ActiveId(s), IDD_AQF_TO_DOC);
        s.m_History.clear();
        s.PressButton(PSBTN_BACK);
        afterEmptyBack = ActiveId(s);
        s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sizes, (std::vector<size_t>{3, 1, 3, 1, 3, 1}));
    EXPECT_EQ(afterEmptyBack, IDD_AQF_TO_TYPE);
    // The new exam the page made goes with the cancel.
    EXPECT_NE(sheet.m_ToDocPage.GetNewDoc(), nullptr);
    sheet.CancelCleanup();
    EXPECT_EQ(sheet.m_ToDocPage.GetNewDoc(), nullptr);
}

// --- the source document page -------------------------------------------------------------------

TEST_F(WizardTest, TheSourceMayNotBeTheTargetHoweverItsPathIsSpelt)
{
    MakeBank("Biology", 2);
    MakeBank("biology", 2);
    m_app->CloseAllDocuments(FALSE);
    CCorraDoc* unsaved = MakeBank("Draft", 2, {}, FALSE);
    fsys::CreateDirectories(HomePath("sub"));
    ASSERT_EQ(symlink(HomePath("Biology.crr"), HomePath("link.crr")), 0);
    const CString bio = HomePath("Biology.crr");
    const struct {
        const char* what;
        int target;
        int source;
        CString targetPath;
        CString sourcePath;  // empty: the unsaved open bank
        const char* refused;  // empty: allowed
    } cases[] = {
        {"nothing chosen", AQF_TO_CORRA, AQF_FROM_CORRA, bio, "-", "No file is selected."},
        {"unsaved into an exam", AQF_TO_EXAM, AQF_FROM_CORRA, HomePath("x.exm"), "", "Selected document has no pathname."},
        {"unsaved into a bank", AQF_TO_CORRA, AQF_FROM_CORRA, bio, "", ""},
        {"the same file", AQF_TO_CORRA, AQF_FROM_CORRA, bio, bio, "You cannot copy to the same document:"},
        {"through a link", AQF_TO_CORRA, AQF_FROM_CORRA, bio, HomePath("link.crr"), "You cannot copy to the same document:"},
        {"through ../", AQF_TO_CORRA, AQF_FROM_CORRA, bio, HomePath("sub/../Biology.crr"),
         "You cannot copy to the same document:"},
        {"its collection into it", AQF_TO_CORRA, AQF_FROM_COLLECTION, bio, bio,
         "You cannot copy from a collection to the same document:"},
        {"names differing in case", AQF_TO_CORRA, AQF_FROM_CORRA, bio, HomePath("biology.crr"), ""},
        {"into a collection of itself", AQF_TO_COLLECTION, AQF_FROM_CORRA, bio, bio, ""},
    };
    for (const auto& c : cases) {
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        sheet.m_ToTypePage.SetType(c.target);
        sheet.m_FromTypePage.SetType(c.source);
        sheet.m_FromDocPage.SetTarget(c.targetPath, nullptr);
        sheet.m_FromDocPage.OnSetActive();
        CAQFChooseDocPage& page = sheet.m_FromDocPage;
        if (c.sourcePath == "-") {
            page.SetChoice(CAQFChooseDocPage::choiceSearch);
            page.TypePath(HomePath("missing.crr"));
        } else if (c.sourcePath.IsEmpty()) {
            page.SetChoice(CAQFChooseDocPage::choiceOpen);
            const int row = page.GetOpenList()->FindItemByName("Draft.crr");
            ASSERT_GE(row, 0) << c.what;
            page.GetOpenList()->SelectItem(row);
        } else {
            page.SetChoice(CAQFChooseDocPage::choiceSearch);
            page.TypePath(c.sourcePath);
        }
        CString message, more, last;
        const BOOL ok = page.CanGoNext(&message, &more, &last);
        EXPECT_EQ(ok, *c.refused == 0) << c.what << ": " << message.GetString();
        if (*c.refused)
            EXPECT_EQ(message.Find(c.refused), 0) << c.what << ": " << message.GetString();
    }
    EXPECT_NE(unsaved, nullptr);
}

TEST_F(WizardTest, APathThatNamesNoReadableBankOffersNoNext)
{
    MakeBank("Good", 1);
    fsys::CreateDirectories(HomePath("folder.crr"));
    WriteHomeFile("damaged.crr", std::string("\x01\x02 not a bank at all \xff\xfe", 24));
    const struct {
        const char* path;
        bool next;
    } cases[] = {{"Good.crr", true}, {"missing.crr", false}, {"folder.crr", false}, {"damaged.crr", false}, {"", false}};
    for (const auto& c : cases) {
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        sheet.m_ToTypePage.SetType(AQF_TO_CORRA);
        sheet.m_FromDocPage.OnSetActive();
        sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        sheet.m_FromDocPage.TypePath(*c.path ? HomePath(c.path) : CString());
        EXPECT_EQ(sheet.m_FromDocPage.HaveSelection() != FALSE, c.next) << c.path;
        sheet.m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceSearch);
        sheet.m_ToDocPage.TypePath(*c.path ? HomePath(c.path) : CString());
        EXPECT_EQ(sheet.m_ToDocPage.HaveSelection() != FALSE, c.next) << c.path;
    }
}

TEST_F(WizardTest, ANewDocumentsNameKeepsLettersAndDigitsOnly)
{
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    CDocument* doc = sheet.m_ToDocPage.CreateNewDoc(AQF_TO_EXAM);
    ASSERT_NE(doc, nullptr);
    // The name box, found by what it shows: names outside Windows-1252 are typed into it as such.
    sheet.m_ToDocPage.TypeNewName("Marker");
    QLineEdit* name = nullptr;
    for (auto* edit : sheet.m_ToDocPage.findChildren<QLineEdit*>())
        if (edit->text() == "Marker")
            name = edit;
    ASSERT_NE(name, nullptr);
    const struct {
        QString typed;
        const char* title;  // Windows-1252
        bool message;
    } cases[] = {
        {"Exam", "Exam", false},
        {"Exam-", "Exam", true},
        {"a/b", "ab", true},
        {"Unit 3", "Unit 3", false},
        {QString::fromUtf8("Caf\u00e9"), "Caf\xe9", false},
        {QString::fromUtf8("\u03a9mega 2"), "mega 2", true},
        {QString::fromUtf8("\u65e5\u672c"), "mega 2", true},
        {QString::fromUtf8("Quiz \U0001F600"), "Quiz", true},
    };
    for (const auto& c : cases) {
        messageBox.calls.clear();
        name->setText(c.typed);
        EXPECT_EQ(doc->GetTitle(), CString(c.title)) << c.typed.toStdString();
        EXPECT_EQ(!messageBox.calls.empty(), c.message) << c.typed.toStdString();
        if (c.message)
            EXPECT_EQ(messageBox.calls.front().text, CString("Must type alphanumeric characters only."))
                << c.typed.toStdString();
    }
    sheet.CancelCleanup();
}

// --- the method page ----------------------------------------------------------------------------

class MethodPageTest : public WizardTest {
protected:
    // Ten questions: three without INDEX, seven over four INDEX values.
    void Prepare(CAddQuestFromSheet& sheet, int nTarget = AQF_TO_CORRA)
    {
        MakeBank("Source", 10, {0, 0, 0, 1, 1, 2, 2, 3, 3, 4});
        m_pTarget = MakeBank("Target", 0);
        sheet.m_ToTypePage.SetType(nTarget);
        sheet.m_ToDocPage.SetFixedDoc(m_pTarget);
        sheet.m_FromDocPage.SetTarget(m_pTarget->GetPathName(), m_pTarget);
        sheet.m_FromDocPage.OnSetActive();
        sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        sheet.m_FromDocPage.TypePath(HomePath("Source.crr"));
    }
    CCorraDoc* m_pTarget = nullptr;
};

TEST_F(MethodPageTest, TheRandomCountIsCheckedAgainstWhatTheSourceHolds)
{
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet);
    const struct {
        const char* count;
        BOOL unique;
        const char* message;  // empty: accepted
    } cases[] = {
        {"7", TRUE, ""},
        {"8", TRUE, "Number of random questions selected exceeds the number of unique indices (4)."},
        {"10", FALSE, ""},
        {"11", FALSE, "You have requested more random questions than there are available (10)"},
        {"12a", FALSE, "Incorrect number of random questions"},
        {" 7", FALSE, "Incorrect number of random questions"},
        {"-3", FALSE, "Incorrect number of random questions"},
        {"\xb2", FALSE, "Incorrect number of random questions"},
        {"0", FALSE, "Number of random questions must be greater than 0."},
        {"99999999999", FALSE, "You have requested more random questions than there are available (10)"},
    };
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        s.SetActivePage(&s.m_MethodPage);
        CAQFChooseMethodPage& page = s.m_MethodPage;
        EXPECT_EQ(page.GetAvailable(), 10);
        EXPECT_EQ(page.GetUniqueIndices(), 4);
        EXPECT_EQ(page.GetZeroIndices(), 3);
        ClickDlgButton(page, IDC_AQF_RANDOM);
        for (const auto& c : cases) {
            messageBox.calls.clear();
            page.SetUnique(c.unique);
            page.TypeCount(c.count);
            const BOOL ok = page.Validate();
            EXPECT_EQ(ok, *c.message == 0) << c.count;
            if (*c.message) {
                ASSERT_EQ(messageBox.calls.size(), 1u) << c.count;
                EXPECT_EQ(messageBox.calls[0].text, CString(c.message)) << c.count;
            }
        }
        // A count typed for a random draw does not hold back another method.
        page.TypeCount("50");
        ClickDlgButton(page, IDC_AQF_ALL);
        messageBox.calls.clear();
        EXPECT_TRUE(page.Validate());
        EXPECT_TRUE(messageBox.calls.empty());
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(WizardTest, TheMethodAndTheCriteriaRadiosAreKeptInTheProfile)
{
    {
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        EXPECT_EQ(sheet.GetMethod(), AQF_METHOD_MANUAL);
        for (const CAQFRandCriteriaPage* page : {static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandTypePage),
                                                 static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandLevelPage),
                                                 static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandSubjectPage),
                                                 static_cast<CAQFRandCriteriaPage*>(&sheet.m_RandTextbookPage)})
            EXPECT_FALSE(page->IsMatching());
    }
    const struct {
        int stored;
        int method;
    } methods[] = {{AQF_METHOD_ALL, AQF_METHOD_ALL}, {AQF_METHOD_RANDOM, AQF_METHOD_RANDOM}, {7, AQF_METHOD_MANUAL}};
    for (const auto& m : methods) {
        CorraApp().WriteProfileInt("AQF", "Method", m.stored);
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        EXPECT_EQ(sheet.GetMethod(), m.method) << m.stored;
    }
    const char* const keys[] = {"UseCritRadioQType", "UseCritRadioLevel", "UseCritRadioSubj", "UseCritRadioTextbook"};
    for (int chosen = 0; chosen < 4; ++chosen) {
        for (int k = 0; k < 4; ++k)
            CorraApp().WriteProfileInt("AQF_RandCrit", keys[k], k == chosen ? 1 : 0);
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        const CAQFRandCriteriaPage* pages[] = {&sheet.m_RandTypePage, &sheet.m_RandLevelPage, &sheet.m_RandSubjectPage,
                                               &sheet.m_RandTextbookPage};
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(pages[k]->IsMatching(), k == chosen) << keys[k];
    }
    // What the user chose goes back when the pages go.
    for (const char* key : keys)
        CorraApp().WriteProfileInt("AQF_RandCrit", key, 0);
    {
        CAddQuestFromSheet sheet("Wizard", m_pMain);
        RunSheet(sheet, [&](CAddQuestFromSheet& s) {
            s.SetActivePage(&s.m_MethodPage);
            ClickDlgButton(s.m_MethodPage, IDC_AQF_RANDOM);
            s.m_MethodPage.TypeCount("6");
            s.SetActivePage(&s.m_RandSubjectPage);
            ClickDlgButton(s.m_RandSubjectPage, IDC_AQF_CRIT_MATCHING);
            s.PressButton(PSBTN_CANCEL);
        });
    }
    EXPECT_EQ(CorraApp().GetProfileInt("AQF", "Method", -1), AQF_METHOD_RANDOM);
    EXPECT_EQ(CorraApp().GetProfileInt("Exams", "NumQuestCreate", -1), 6);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(CorraApp().GetProfileInt("AQF_RandCrit", keys[k], -1), k == 2 ? 1 : 0) << keys[k];
}

TEST_F(MethodPageTest, QuestionsTheTargetHoldsAlreadyAreNoCandidates)
{
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet);
    // The target holds INDEX 1, which two of the source's questions have.
    CCorraQuestion* q = m_pTarget->CreateQuestion();
    q->m_nType = static_cast<int>(IDS_QTYPE_ES);
    q->m_nIndex = 1;
    m_pTarget->InsertQuestion(q);
    CPtrListEx candidates;
    EXPECT_EQ(sheet.BuildCandidates(candidates, FALSE, FALSE), 10);
    EXPECT_EQ(sheet.BuildCandidates(candidates, TRUE, FALSE), 8);
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        s.SetActivePage(&s.m_MethodPage);
        ClickDlgButton(s.m_MethodPage, IDC_AQF_RANDOM);
        s.m_MethodPage.SetUnique(FALSE);
        s.m_MethodPage.TypeCount("10");
        messageBox.calls.clear();
        EXPECT_TRUE(s.m_MethodPage.Validate());
        s.m_MethodPage.SetUnique(TRUE);
        s.m_MethodPage.TypeCount("7");
        messageBox.calls.clear();
        EXPECT_FALSE(s.m_MethodPage.Validate());
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text.Find("Quorvale has found 1 question(s) in Target"), 0);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(MethodPageTest, InvalidQuestionsAreReportedOncePerSource)
{
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, AQF_TO_EXAM);
    auto* source = dynamic_cast<CCorraDoc*>(sheet.GetSourceDoc());
    ASSERT_NE(source, nullptr);
    CCorraQuestion* q = source->CreateQuestion();
    q->m_nType = static_cast<int>(IDS_QTYPE_MC);
    source->InsertQuestion(q);
    int problems = 0;
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        for (int i = 0; i < 3; ++i) {
            s.SetActivePage(&s.m_FromTypePage);
            s.SetActivePage(&s.m_MethodPage);
        }
        for (const auto& call : messageBox.calls)
            problems += call.text.Find("The following problems were found:") == 0;
        EXPECT_TRUE(s.m_MethodPage.IsUnique());
        s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(problems, 1);
}

// --- a finished run -----------------------------------------------------------------------------

TEST_F(WizardTest, AllQuestionsOfABankGoIntoANamedCollectionWhichThePaneShows)
{
    MakeBank("Source", 3);
    CCorraDoc* target = MakeBank("Target", 1);
    target->GetOrCreateCollection("Old");
    ASSERT_TRUE(target->DoSave(target->GetPathName()));
    m_app->CloseAllDocuments(FALSE);
    target = dynamic_cast<CCorraDoc*>(m_app->OpenCorraDocument(HomePath("Target.crr"), TRUE));
    ASSERT_NE(target, nullptr);
    // The wizard's run, as a teacher does it: a collection of the open bank, the source on disk.
    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        ClickDlgButton(s.m_ToTypePage, IDC_AQF_TO_COLLECTION);
        s.PressButton(PSBTN_NEXT);
        const int row = s.m_ToDocPage.GetOpenList()->FindItemByName("Target.crr");
        ASSERT_GE(row, 0);
        s.m_ToDocPage.GetOpenList()->SelectItem(row);
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActiveId(s), IDD_AQF_TO_COLLECTION);
        ASSERT_TRUE(s.m_ToCollectionPage.SelectCollection("Old"));
        s.PressButton(PSBTN_NEXT);
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActiveId(s), IDD_AQF_FROM_DOC);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH);
        s.m_FromDocPage.TypePath(HomePath("Source.crr"));
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActiveId(s), IDD_AQF_METHOD);
        ClickDlgButton(s.m_MethodPage, IDC_AQF_ALL);
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    CWizardRequest request;
    request.title = "Add questions from...";
    CWizardResult result;
    ASSERT_EQ(m_pMain->RunWizard(request, result), IDOK);
    EXPECT_EQ(result.nMethod, AQF_FROM_CORRA);
    EXPECT_EQ(result.nCopyMode, 1);
    EXPECT_EQ(result.collection, CString("Old"));
    EXPECT_EQ(target->GetQuestionCount(), 1 + 1 + 3);
    CCorraQuestion* coll = target->FindCollection("Old");
    ASSERT_NE(coll, nullptr);
    CPtrListEx members;
    EXPECT_EQ(GetCollectionQuestions(coll, members), 3);
    // The source the wizard opened is closed once the questions are in.
    EXPECT_EQ(ShellDocuments().FindOpenDocument(HomePath("Source.crr")), nullptr);
}

// A wizard that hands over a copy of all questions into a collection the target lacks.
class CCollectionWizard : public IAddQuestionWizard {
public:
    int Run(const CWizardRequest&, CWizardResult& result, CWnd*) override
    {
        result.pTarget = target;
        result.nMethod = AQF_FROM_CORRA;
        result.nCopyMode = 1;
        result.source.Reset(source);
        result.collection = "New unit";
        return IDOK;
    }
    void CancelCleanUp(const CWizardResult&) override {}
    BOOL AutoConvert(CCorraDoc&, const CString&, CHVRichEditCtrl*) override { return FALSE; }
    void TransferDone(CWizardResult&) override { ++done; }
    CDocument* target = nullptr;
    CDocument* source = nullptr;
    int done = 0;
};

TEST_F(WizardTest, ACollectionMadeByTheTransferShowsInTheCollectionPane)
{
    CCollectionWizard wizard;
    wizard.source = MakeBank("Source", 2, {}, FALSE);
    wizard.target = MakeBank("Target", 1, {}, FALSE);
    CServiceScope<IAddQuestionWizard> scope(AddQuestionWizardSlot(), wizard);
    CWizardRequest request;
    CWizardResult result;
    ASSERT_EQ(m_pMain->RunWizard(request, result), IDOK);
    EXPECT_EQ(wizard.done, 1);
    CCorraView* pane = nullptr;
    for (POSITION pos = wizard.target->GetFirstViewPosition(); pos;) {
        auto* view = dynamic_cast<CCorraView*>(wizard.target->GetNextView(pos));
        if (view && view->IsCollectionPane())
            pane = view;
    }
    ASSERT_NE(pane, nullptr);
    ASSERT_NE(pane->GetListCtrl(), nullptr);
    ASSERT_EQ(pane->GetListCtrl()->GetItemCount(), 1);
    EXPECT_EQ(pane->GetListCtrl()->GetItemText(0, 1), CString("New unit"));
}

TEST_F(WizardTest, SourcesTheWizardOpenedStayForManualCopyAndWithKeepOpen)
{
    MakeBank("Source", 3);
    m_app->CloseAllDocuments(FALSE);
    const struct {
        int method;
        BOOL keep;
        bool open;
        bool late = false;  // "Keep Open" checked after a Next had opened the source
    } cases[] = {{AQF_METHOD_ALL, FALSE, false},
                 {AQF_METHOD_ALL, TRUE, true},
                 {AQF_METHOD_MANUAL, FALSE, true},
                 {AQF_METHOD_ALL, TRUE, true, true}};
    for (const auto& c : cases) {
        CCorraDoc* target = MakeBank("Target", 0);
        CModalScript script;
        script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
            ClickDlgButton(s.m_ToTypePage, IDC_AQF_TO_CORRA);
            s.PressButton(PSBTN_NEXT);
            const int row = s.m_ToDocPage.GetOpenList()->FindItemByName("Target.crr");
            ASSERT_GE(row, 0);
            s.m_ToDocPage.GetOpenList()->SelectItem(row);
            s.PressButton(PSBTN_NEXT);
            s.PressButton(PSBTN_NEXT);
            ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH);
            s.m_FromDocPage.TypePath(HomePath("Source.crr"));
            s.m_FromDocPage.SetKeepOpen(c.keep && !c.late);
            s.PressButton(PSBTN_NEXT);
            if (c.late) {
                s.PressButton(PSBTN_BACK);
                // The source is open now: the page offers it among the open documents.
                const int open = s.m_FromDocPage.GetOpenList()->FindItemByName("Source.crr");
                ASSERT_GE(open, 0);
                s.m_FromDocPage.GetOpenList()->SelectItem(open);
                s.m_FromDocPage.SetKeepOpen(TRUE);
                s.PressButton(PSBTN_NEXT);
            }
            ClickDlgButton(s.m_MethodPage, c.method == AQF_METHOD_ALL ? IDC_AQF_ALL : IDC_AQF_MANUAL);
            EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
        });
        CWizardRequest request;
        request.title = "Add questions from...";
        CWizardResult result;
        ASSERT_EQ(m_pMain->RunWizard(request, result), IDOK);
        EXPECT_EQ(result.pTarget, target);
        EXPECT_EQ(ShellDocuments().FindOpenDocument(HomePath("Source.crr")) != nullptr, c.open)
            << c.method << " " << c.keep << " " << c.late;
        EXPECT_EQ(target->GetQuestionCount(), c.method == AQF_METHOD_ALL ? 3 : 0);
        m_app->CloseAllDocuments(FALSE);
    }
}

TEST_F(WizardTest, ATeachersTextBecomesANewBankThroughThePages)
{
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> chooserScope(FileChooserSlot(), chooser);
    chooser.QueueFiles({TestDataPath("autoconvert/teacher.txt")});
    CDocument* made = nullptr;
    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        EXPECT_EQ(s.GetTargetKind(), AQF_TO_CORRA);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ToDocPage, IDC_AQF_TO_NEW);
        made = s.m_ToDocPage.GetNewDoc();
        s.PressButton(PSBTN_NEXT);
        EXPECT_EQ(s.GetSourceKind(), AQF_FROM_AUTOCONVERT);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH_BUTTON);
        s.PressButton(PSBTN_NEXT);
        const UINT pages[] = {IDD_AQF_AC_LINE_FORMAT, IDD_AQF_AC_ATTR2, IDD_AQF_AC_ATTR1, IDD_AQF_AC_QUEST_ATTR,
                              IDD_AQF_AC_RUN};
        for (UINT page : pages) {
            EXPECT_EQ(ActiveId(s), page);
            if (page != IDD_AQF_AC_RUN)
                s.PressButton(PSBTN_NEXT);
        }
        // Finish waits for the check of the text.
        EXPECT_FALSE(s.PressButton(PSBTN_FINISH));
        EXPECT_TRUE(s.m_ACRunPage.Check());
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    m_pMain->OnCommand(ID_AUTO_CONVERT);
    EXPECT_EQ(script.Answered(), 1);
    auto* bank = dynamic_cast<CCorraDoc*>(made);
    ASSERT_NE(bank, nullptr);
    ASSERT_EQ(bank->GetQuestionCount(), 4);
    const CString path = HomePath("Converted.crr");
    ASSERT_TRUE(bank->DoSave(path));
    m_app->CloseAllDocuments(FALSE);
    bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(bank, nullptr);
    ASSERT_EQ(bank->GetQuestionCount(), 4);
    const int choices[] = {3, 3, 3, 2};
    int i = 0;
    for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos; ++i) {
        auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
        EXPECT_EQ(q->GetChoicesCount(), choices[i]) << i;
        EXPECT_TRUE(q->m_cszAnswer.IsEmpty()) << i;
        EXPECT_EQ(q->m_nType, static_cast<int>(IDS_QTYPE_MC)) << i;
    }
}

TEST_F(WizardTest, ComposingHandsOverTheTargetAndNothingToCopy)
{
    CAddQuestionWizard wizard;
    CDocument* made = nullptr;
    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        ClickDlgButton(s.m_ToTypePage, IDC_AQF_TO_CORRA);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ToDocPage, IDC_AQF_TO_NEW);
        made = s.m_ToDocPage.GetNewDoc();
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_FromTypePage, IDC_AQF_FROM_COMPOSE);
        EXPECT_FALSE(s.PressButton(PSBTN_NEXT));
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    CWizardRequest request;
    request.title = "Add questions from...";
    CWizardResult result;
    ASSERT_EQ(wizard.Run(request, result, m_pMain), IDOK);
    EXPECT_EQ(result.pTarget, made);
    EXPECT_EQ(result.nMethod, 4);
    EXPECT_TRUE(result.questions.IsEmpty());
    EXPECT_EQ(result.source.Get(), nullptr);
}

TEST_F(WizardTest, TheSourceTextIsReloadedAndKeptOnlyWhenTheUserSaysSo)
{
    const CString path = WriteHomeFile("quiz.txt", "1. First?\na. yes\nb. no\n");
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    ASSERT_TRUE(sheet.m_SourceBuf.Load(path));
    sheet.m_SourceBuf.SetText("edited", 6);
    // No keeps the edited text; Yes reads the file again.
    messageBox.QueueAnswer(IDNO);
    EXPECT_FALSE(sheet.LoadSourceFile());
    EXPECT_STREQ(sheet.m_SourceBuf.GetWorkingText(), "edited");
    EXPECT_EQ(messageBox.calls.back().text,
              CString("You will lose any changes you have made.  Do you still wish to reload this file?"));
    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(sheet.LoadSourceFile());
    EXPECT_EQ(CString(sheet.m_SourceBuf.GetWorkingText()).Find("1. First?"), 0);
    // The control's changes go into the buffer on Yes only; Cancel is handed back.
    CHVRichEditCtrl ctrl;
    const struct {
        int answer;
        int result;
        const char* kept;
    } cases[] = {{IDNO, 1, "1. First?"}, {IDCANCEL, IDCANCEL, "1. First?"}, {IDYES, 1, "{\\rtf"}};
    for (const auto& c : cases) {
        ctrl.SetText("2. Second?   ", SF_TEXT);
        ctrl.SetModify(TRUE);
        messageBox.QueueAnswer(c.answer);
        EXPECT_EQ(sheet.SaveEditedSource(&ctrl, MB_YESNOCANCEL), c.result) << c.answer;
        EXPECT_EQ(CString(sheet.m_SourceBuf.GetWorkingText()).Find(c.kept), 0) << c.answer;
        EXPECT_FALSE(ctrl.GetModify());
    }
    // Kept as RTF, as the control shows it, with the blanks at its end gone.
    CHVRichEditCtrl shown;
    shown.SetText(sheet.m_SourceBuf.GetWorkingText(), SF_RTF);
    EXPECT_EQ(shown.StreamOut(SF_TEXT).Trim(), CString("2. Second?"));
}

// A teacher's text open as a source document: its "&Auto Convert..." runs the target pages,
// then straight to the line format page, and converts the text its view shows.
TEST_F(WizardTest, AnOpenSourceDocumentConvertsWhatItsViewShows)
{
    const CString text = HomePath("teacher.txt");
    ASSERT_TRUE(fsys::CopyFile(TestDataPath("autoconvert/teacher.txt"), text, FALSE));
    auto* pSource = dynamic_cast<CSourceDoc*>(m_app->OpenDocumentFile(text));
    ASSERT_TRUE(pSource && pSource->GetSourceView());
    // The teacher drops the last question in the view; the file keeps it.
    CHVRichEditCtrl* pEdit = pSource->GetSourceView()->GetEditCtrl();
    const int cut = pEdit->StreamOut(SF_TEXT).Find("4. At sea level");
    ASSERT_GT(cut, 0);
    pEdit->SetSel(cut, pEdit->GetTextLength());
    pEdit->Clear();
    CDocument* made = nullptr;
    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ToDocPage, IDC_AQF_TO_NEW);
        made = s.m_ToDocPage.GetNewDoc();
        s.PressButton(PSBTN_NEXT);
        EXPECT_EQ(ActiveId(s), IDD_AQF_AC_LINE_FORMAT);
        // The pages name the document's file, and Reload reads its view again.
        EXPECT_EQ(s.GetTitle(), CString("Line Format - teacher.txt"));
        messageBox.calls.clear();
        messageBox.QueueAnswer(IDYES);
        ClickDlgButton(s.m_ACLineFormatPage, IDC_AQF_AC_RELOAD);
        EXPECT_EQ(messageBox.calls.size(), 1u);
        const CString reloaded = s.m_ACLineFormatPage.GetEdit()->StreamOut(SF_TEXT);
        EXPECT_NE(reloaded.Find("3. Read the passage"), -1);
        EXPECT_EQ(reloaded.Find("4. At sea level"), -1);
        for (int i = 0; i < 4; ++i)
            s.PressButton(PSBTN_NEXT);
        EXPECT_EQ(ActiveId(s), IDD_AQF_AC_RUN);
        EXPECT_TRUE(s.m_ACRunPage.Check());
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    ASSERT_TRUE(RunCommandOn(pSource, ID_AUTO_CONVERT));
    QApplication::processEvents();
    EXPECT_EQ(script.Answered(), 1);
    auto* bank = dynamic_cast<CCorraDoc*>(made);
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->GetQuestionCount(), 3);
}

} // namespace
