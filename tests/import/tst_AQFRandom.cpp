// The random branch of the Add Question Wizard: the criteria pages, the draw and its table.

#include "app/CorraApp.h"
#include "app/MainFrm.h"
#include "import/AQFConvertSettings.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ListCtrl.h"
#include "res/ids/QuestionTypes.h"
#include "shell/HVListCtrl.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

CPropertyPage* ActivePage(const CAddQuestFromSheet& s)
{
    return s.GetActivePage();
}

// The four criteria pages in the order the sheet shows them.
std::vector<CAQFRandCriteriaPage*> CriteriaPages(CAddQuestFromSheet& s)
{
    return {&s.m_RandTypePage, &s.m_RandLevelPage, &s.m_RandSubjectPage, &s.m_RandTextbookPage};
}

struct CQ {
    unsigned type;
    int level;
    int index;
    const char* subject;
};

class RandomTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
    }
    CCorraDoc* MakeBank(const char* name, const std::vector<CQ>& qs)
    {
        auto* doc = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
        EXPECT_NE(doc, nullptr);
        int n = 0;
        for (const CQ& c : qs) {
            CCorraQuestion* q = doc->CreateQuestion();
            q->m_nType = static_cast<int>(c.type);
            q->m_nLevel = c.level;
            q->m_nIndex = c.index;
            q->m_cszQuestionText = CString::Formatted("%s %d", name, ++n);
            if (c.subject)
                q->m_saSubjects.Add(c.subject);
            doc->InsertQuestion(q);
        }
        EXPECT_TRUE(doc->DoSave(HomePath(CString(name) + ".crr")));
        return doc;
    }
    // A sheet drawing from the bank into an empty bank, count questions.
    void Prepare(CAddQuestFromSheet& sheet, const char* count, BOOL bUnique = FALSE)
    {
        m_pTarget = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
        sheet.m_ToTypePage.SetType(AQF_TO_CORRA);
        sheet.m_ToDocPage.SetFixedDoc(m_pTarget);
        sheet.m_FromDocPage.SetTarget(CString(), m_pTarget);
        sheet.m_FromDocPage.OnSetActive();
        sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
        sheet.m_FromDocPage.TypePath(HomePath("Source.crr"));
        sheet.m_MethodPage.SetMethod(AQF_METHOD_RANDOM);
        sheet.m_MethodPage.TypeCount(count);
        sheet.m_MethodPage.SetUnique(bUnique);
    }
    static int RunSheet(CAddQuestFromSheet& sheet, std::function<void(CAddQuestFromSheet&)> act)
    {
        CModalScript script;
        script.On<CAddQuestFromSheet>(std::move(act));
        return static_cast<int>(sheet.DoModal());
    }
    CCorraDoc* m_pTarget = nullptr;
};

const std::vector<CQ> kMixed = {{IDS_QTYPE_MC, 1, 1, "Cells"}, {IDS_QTYPE_MC, 1, 2, "Cells"},
                                {IDS_QTYPE_MC, 2, 2, "Energy"}, {IDS_QTYPE_ES, 2, 0, "Energy"},
                                {IDS_QTYPE_ES, 3, 0, nullptr}};

TEST(AQFPercent, IsWholeNumberArithmetic)
{
    const struct {
        long long value, base;
        const char* text;
    } cases[] = {{29, 100, "29%"}, {1, 3, "33%"}, {2, 3, "66%"}, {5, 0, ""}, {0, 7, "0%"},
                 {50000, 50000, "100%"}, {46341LL * 46341LL, 46341LL * 46341LL, "100%"}};
    for (const auto& c : cases)
        EXPECT_EQ(PercentText(c.value, c.base), CString(c.text)) << c.value << "/" << c.base;
}

TEST(AQFTabPad, LinesCountsUpInColumnsOfEight)
{
    const struct {
        int n, w, tabs;
    } cases[] = {{4, 8, 2}, {8, 8, 1}, {3, 3, 1}, {0, 40, 4}, {20, 8, 1}, {7, 15, 2}, {7, 16, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(CAQFShowRandResults::TabPad(c.n, c.w), CString('\t', c.tabs)) << c.n << " " << c.w;
}

TEST_F(RandomTest, CriteriaAreCollectedFromTheRowsWithTheRestForAny)
{
    MakeBank("Source", kMixed);
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "4");
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        s.SetActivePage(&s.m_RandTypePage);
        CAQFRandCriteriaPage& page = s.m_RandTypePage;
        ASSERT_EQ(page.GetCritRows().size(), 2u);
        // Proposals are truncated: 4 x 3 / 5 = 2 MC, 4 x 2 / 5 = 1 ES; one is left for any type.
        EXPECT_EQ(page.GetCritRows()[0].count, CString("2"));
        EXPECT_EQ(page.GetCritRows()[1].count, CString("1"));
        page.SetMatching(FALSE);
        ASSERT_TRUE(page.CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(page.GetIntCriteria().map(), (std::map<int, int>{{-1, 4}}));
        page.SetMatching(TRUE);
        int sum = 0, rest = 0;
        ASSERT_TRUE(page.CollectCriteria(TRUE, &sum, &rest, nullptr, nullptr));
        EXPECT_EQ(page.GetIntCriteria().map(),
                  (std::map<int, int>{{-1, 1}, {static_cast<int>(IDS_QTYPE_MC), 2}, {static_cast<int>(IDS_QTYPE_ES), 1}}));
        EXPECT_EQ(sum, 3);
        EXPECT_EQ(rest, 1);
        page.UpdateTotals();
        const struct {
            const char* mc;
            const char* es;
            const char* message;  // empty: collected
        } cases[] = {
            {"3", "1", ""},
            {"-1", "1", "Incorrect number of random questions"},
            {"abc", "1", "Incorrect number of random questions"},
            {"1", "3", "Only 2 ES question(s) available."},
            {"3", "2", "The total number of questions selected is greater than the number of questions to be randomly "
                       "generated (4)."},
        };
        for (const auto& c : cases) {
            page.SelectRow(0);
            page.TypeCount(c.mc);
            page.SelectRow(1);
            page.TypeCount(c.es);
            messageBox.calls.clear();
            const BOOL ok = page.CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr);
            EXPECT_EQ(ok, *c.message == 0) << c.mc << " " << c.es;
            if (*c.message) {
                ASSERT_FALSE(messageBox.calls.empty()) << c.mc << " " << c.es;
                EXPECT_EQ(messageBox.calls.back().text, CString(c.message)) << c.mc << " " << c.es;
            }
            // Whatever was typed, no quota below 0 reaches the draw.
            for (const auto& [key, value] : page.GetIntCriteria().map())
                EXPECT_GE(value, 0) << c.mc << " " << c.es;
        }
        // The spin stops at 0, at the request and at what is available.
        page.SelectRow(1);
        page.TypeCount("2");
        EXPECT_TRUE(page.Spin(-1));
        EXPECT_EQ(page.GetCritRows()[1].count, CString("1"));
        page.TypeCount("0");
        page.Spin(-1);
        EXPECT_EQ(page.GetCritRows()[1].count, CString("0"));
        page.TypeCount("2");
        messageBox.calls.clear();
        page.Spin(1);
        EXPECT_EQ(page.GetCritRows()[1].count, CString("2"));
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, CString("Only 2 ES question(s) available."));
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, UniqueIndicesCountDistinctValuesAndQuestionsWithoutOne)
{
    MakeBank("Source", kMixed);
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "3", TRUE);
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        s.SetActivePage(&s.m_RandTypePage);
        // MC: INDEX 1, 2, 2 give two values; ES: two without INDEX.
        EXPECT_EQ(s.m_RandTypePage.GetAvailable(static_cast<int>(IDS_QTYPE_MC)), 2);
        EXPECT_EQ(s.m_RandTypePage.GetAvailable(static_cast<int>(IDS_QTYPE_ES)), 2);
        s.m_RandLevelPage.GetSheet();
        s.SetActivePage(&s.m_RandLevelPage);
        EXPECT_EQ(s.m_RandLevelPage.GetAvailable(2), 2);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, TheCandidatesAreBuiltAgainOnlyWhenWhatTheyDependOnChanged)
{
    MakeBank("Source", kMixed);
    CCorraDoc* other = MakeBank("Other", {{IDS_QTYPE_ES, 1, 0, nullptr}, {IDS_QTYPE_ES, 1, 0, nullptr}});
    CPtrListEx members;
    GetDocQuestions(other, members);
    other->GetOrCreateCollection("Unit", &members);
    members.RemoveTail();
    other->GetOrCreateCollection("Review", &members);
    ASSERT_TRUE(other->DoSave(other->GetPathName()));
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "2");
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        CAQFRandCriteriaPage& page = s.m_RandTypePage;
        auto enter = [&] {
            s.SetActivePage(&s.m_MethodPage);
            s.SetActivePage(&page);
            return page.GetBuildCount();
        };
        const struct {
            const char* what;
            std::function<void()> change;
            bool rebuilt;
        } cases[] = {
            {"nothing", [] {}, false},
            {"the count", [&] { s.m_MethodPage.TypeCount("1"); }, true},
            {"the unique flag", [&] { s.m_MethodPage.SetUnique(TRUE); }, true},
            {"the target", [&] { s.m_ToDocPage.SetFixedDoc(m_app->NewCorraDocument(TRUE)); }, true},
            {"the source", [&] { s.m_FromDocPage.TypePath(HomePath("Other.crr")); }, true},
            {"a collection of it", [&] {
                 s.m_FromTypePage.SetType(AQF_FROM_COLLECTION);
                 s.m_FromCollectionPage.SetHeader(s.m_FromDocPage.GetHeader());
                 s.SetActivePage(&s.m_FromCollectionPage);
                 ASSERT_TRUE(s.m_FromCollectionPage.SelectCollection("Unit"));
             }, true},
            {"another collection", [&] {
                 s.SetActivePage(&s.m_FromCollectionPage);
                 ASSERT_TRUE(s.m_FromCollectionPage.SelectCollection("Review"));
             }, true},
            {"nothing again", [] {}, false},
        };
        int builds = enter();
        for (const auto& c : cases) {
            c.change();
            const int now = enter();
            EXPECT_EQ(now > builds, c.rebuilt) << c.what;
            builds = now;
        }
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, TheTableShowsWhatEachQuotaFoundAndWhatItMissed)
{
    MakeBank("Source", {{IDS_QTYPE_MC, 1, 0, nullptr},
                        {IDS_QTYPE_MC, 1, 0, nullptr},
                        {IDS_QTYPE_MC, 1, 0, nullptr},
                        {IDS_QTYPE_TF, 1, 0, nullptr}});
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "3");
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        // Every page on "any": four headings, their blanks and one "Any" row each.
        for (CAQFRandCriteriaPage* page : CriteriaPages(s)) {
            s.SetActivePage(page);
            page->SetMatching(FALSE);
            page->CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr);
        }
        s.SetActivePage(&s.m_RandResultsPage);
        const auto& rows = s.m_RandResultsPage.GetRows();
        std::vector<std::string> items;
        for (const auto& row : rows)
            items.push_back(row.texts[0].GetString());
        EXPECT_EQ(items, (std::vector<std::string>{"Type", "Any", "", "Level", "Any", "", "Subject", "Any", "",
                                                   "Textbook", "Any"}));
        EXPECT_EQ(s.m_RandResultsPage.GetList()->GetItemCount(), 11);
        EXPECT_EQ(s.m_RandResultsPage.GetSelection().m_plResult.GetCount(), 3);
        // The type page asks for MC 2 and one of any type: MC 2/2/0, Any 1/1/0.
        s.SetActivePage(&s.m_RandTypePage);
        s.m_RandTypePage.SetMatching(TRUE);
        s.m_RandTypePage.SelectRow(0);
        s.m_RandTypePage.TypeCount("2");
        s.m_RandTypePage.SelectRow(1);
        s.m_RandTypePage.TypeCount("0");
        ASSERT_TRUE(s.m_RandTypePage.CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr));
        s.SetActivePage(&s.m_RandResultsPage);
        ASSERT_GE(rows.size(), 4u);
        EXPECT_EQ(rows[1].texts[0], CString("MC"));
        EXPECT_EQ(rows[1].texts[3], CString("2"));
        EXPECT_EQ(rows[1].texts[5], CString("2"));
        EXPECT_EQ(rows[1].texts[7], CString("0"));
        EXPECT_EQ(rows[3].texts[0], CString("Any"));
        EXPECT_EQ(rows[3].texts[3], CString("1"));
        EXPECT_EQ(rows[3].texts[5], CString("1"));
        EXPECT_EQ(rows[3].texts[7], CString("0"));
        std::string report;
        ASSERT_TRUE(fsys::ReadFile(GetAQFLogPath(), report));
        EXPECT_NE(report.find("Item\t\tAvail\t\tReq\t\tFound\t\tMissing\t\n" + std::string(150, '-') +
                              "\nType         \n"),
                  std::string::npos);
        EXPECT_NE(report.find("MC\t\t3\t75%\t2\t66%\t2\t66%\t0\t0%\n"), std::string::npos) << report;
        EXPECT_NE(report.find("Adding ----->"), std::string::npos);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, AShortfallShowsAsMissingAndFoundPlusMissingIsRequired)
{
    // Two questions share INDEX 1: with unique indices only one of them can be drawn.
    MakeBank("Source", {{IDS_QTYPE_MC, 1, 1, nullptr},
                        {IDS_QTYPE_MC, 1, 2, nullptr},
                        {IDS_QTYPE_MC, 1, 3, nullptr},
                        {IDS_QTYPE_TF, 1, 1, nullptr}});
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "4", TRUE);
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        s.SetActivePage(&s.m_RandTypePage);
        CAQFRandCriteriaPage& page = s.m_RandTypePage;
        page.SetMatching(TRUE);
        page.SelectRow(0);
        page.TypeCount("3");
        page.SelectRow(1);
        page.TypeCount("1");
        ASSERT_TRUE(page.CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr));
        s.SetActivePage(&s.m_RandResultsPage);
        int missing = 0;
        for (const auto& row : s.m_RandResultsPage.GetRows()) {
            if (row.nKind != CAQFShowRandResults::rowItem)
                continue;
            EXPECT_EQ(atoi(row.texts[5]) + atoi(row.texts[7]), atoi(row.texts[3])) << row.texts[0].GetString();
            if (row.texts[0] == "MC" || row.texts[0] == "TF")
                missing += atoi(row.texts[7]);
        }
        EXPECT_EQ(missing, 1);
        EXPECT_EQ(s.m_RandResultsPage.GetSelection().m_plResult.GetCount(), 3);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, TheDrawIsMadeAgainWhenAnInputChangedOrWhenAskedOnly)
{
    std::vector<CQ> many;
    for (int i = 0; i < 30; ++i)
        many.push_back({IDS_QTYPE_ES, 1, 0, nullptr});
    MakeBank("Source", many);
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "5");
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        for (CPropertyPage* page : {static_cast<CPropertyPage*>(&s.m_RandTypePage), static_cast<CPropertyPage*>(&s.m_RandLevelPage),
                                    static_cast<CPropertyPage*>(&s.m_RandSubjectPage),
                                    static_cast<CPropertyPage*>(&s.m_RandTextbookPage)}) {
            s.SetActivePage(page);
            ASSERT_TRUE(s.PressButton(PSBTN_NEXT));
        }
        CAQFShowRandResults& results = s.m_RandResultsPage;
        ASSERT_EQ(ActivePage(s), &results);
        // From a page on to the results, as the user goes.
        auto walk = [&] {
            while (ActivePage(s) != &results && s.PressButton(PSBTN_NEXT)) {
            }
        };
        auto runsAfter = [&](const std::function<void()>& change) {
            const int before = results.GetRunCount();
            change();
            walk();
            return results.GetRunCount() - before;
        };
        EXPECT_EQ(runsAfter([&] { s.SetActivePage(&s.m_RandTextbookPage); }), 0);
        EXPECT_EQ(runsAfter([&] {
                      s.SetActivePage(&s.m_RandTypePage);
                      s.m_RandTypePage.SetMatching(TRUE);
                      s.m_RandTypePage.SelectRow(0);
                      s.m_RandTypePage.TypeCount("4");
                  }),
                  1);
        EXPECT_EQ(runsAfter([&] {
                      s.SetActivePage(&s.m_MethodPage);
                      s.m_MethodPage.TypeCount("6");
                  }),
                  1);
        EXPECT_EQ(results.GetSelection().m_plResult.GetCount(), 6);
        std::vector<void*> first, second;
        results.ApplyAgain();
        for (POSITION pos = results.GetSelection().m_plResult.GetHeadPosition(); pos;)
            first.push_back(results.GetSelection().m_plResult.GetNext(pos));
        results.ApplyAgain();
        for (POSITION pos = results.GetSelection().m_plResult.GetHeadPosition(); pos;)
            second.push_back(results.GetSelection().m_plResult.GetNext(pos));
        EXPECT_NE(first, second);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, ALargeDamagedBankFillsThePagesAndDrawsWithoutItsReport)
{
    // Thousands of long subjects, levels a damaged file may hold, no INDEX anywhere.
    const int kCount = 3000;
    const int levels[] = {-3, 0, 6, 7, 99};
    std::vector<std::string> subjects;
    for (int i = 0; i < kCount; ++i)
        subjects.push_back("Subject " + std::to_string(i) + " %s%n " + std::string(200, 'x'));
    std::vector<CQ> qs;
    for (int i = 0; i < kCount; ++i)
        qs.push_back({IDS_QTYPE_MC, levels[i % 5], 0, subjects[static_cast<size_t>(i)].c_str()});
    MakeBank("Source", qs);
    // A folder where the report goes: it cannot be written, and the draw goes on.
    ASSERT_TRUE(fsys::CreateDirectories(GetAQFLogPath()));
    CAddQuestFromSheet sheet("Wizard", m_pMain);
    Prepare(sheet, "10", TRUE);
    RunSheet(sheet, [&](CAddQuestFromSheet& s) {
        for (CAQFRandCriteriaPage* page : CriteriaPages(s)) {
            s.SetActivePage(page);
            EXPECT_EQ(page->GetCandidates().GetCount(), kCount);
            ASSERT_TRUE(s.PressButton(PSBTN_NEXT));
        }
        EXPECT_GE(s.m_RandSubjectPage.GetItemCount(), kCount);
        ASSERT_EQ(ActivePage(s), &s.m_RandResultsPage);
        EXPECT_EQ(s.m_RandResultsPage.GetSelection().m_plResult.GetCount(), 10);
        s.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(RandomTest, ARandomExamIsDrawnFromABankMadeByAutoConvert)
{
    // A bank of the teacher's four choice questions (MC, level 1, "Science") and two essays.
    auto* bank = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
    ASSERT_NE(bank, nullptr);
    std::string teacher;
    ASSERT_TRUE(fsys::ReadFile(TestDataPath("autoconvert/teacher.txt"), teacher));
    CAQFConvertSettings science;
    science.m_TemplateQuestion.m_nLevel = 1;
    science.m_TemplateQuestion.m_saSubjects.Add("Science");
    ASSERT_TRUE(AutoConvertText(*bank, CString(teacher.c_str()), nullptr, science));
    CAQFConvertSettings writing;
    writing.m_bHaveChoices = FALSE;
    writing.m_TemplateQuestion.m_nType = static_cast<int>(IDS_QTYPE_ES);
    writing.m_TemplateQuestion.m_nLevel = 2;
    writing.m_TemplateQuestion.m_saSubjects.Add("Writing");
    ASSERT_TRUE(AutoConvertText(*bank, "Describe your summer holidays.\n\nWrite about a good friend.\n", nullptr, writing));
    ASSERT_EQ(bank->GetQuestionCount(), 6);
    const CString path = HomePath("Science.crr");
    ASSERT_TRUE(bank->DoSave(path));

    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        ASSERT_EQ(ActivePage(s), &s.m_FromDocPage);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH);
        s.m_FromDocPage.TypePath(path);
        ASSERT_TRUE(s.PressButton(PSBTN_NEXT));
        ASSERT_EQ(ActivePage(s), &s.m_MethodPage);
        EXPECT_EQ(s.m_MethodPage.GetMethod(), AQF_METHOD_RANDOM);
        s.m_MethodPage.TypeCount("4");
        ASSERT_TRUE(s.PressButton(PSBTN_NEXT));
        ASSERT_EQ(ActivePage(s), &s.m_RandTypePage);
        ClickDlgButton(s.m_RandTypePage, IDC_AQF_CRIT_MATCHING);
        const auto& rows = s.m_RandTypePage.GetCritRows();
        ASSERT_EQ(rows.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            s.m_RandTypePage.SelectRow(i);
            s.m_RandTypePage.TypeCount(rows[static_cast<size_t>(i)].name == "MC" ? "2" : "1");
        }
        s.PressButton(PSBTN_NEXT);
        for (CAQFRandCriteriaPage* page : {static_cast<CAQFRandCriteriaPage*>(&s.m_RandLevelPage),
                                           static_cast<CAQFRandCriteriaPage*>(&s.m_RandSubjectPage),
                                           static_cast<CAQFRandCriteriaPage*>(&s.m_RandTextbookPage)}) {
            ASSERT_EQ(ActivePage(s), page);
            ClickDlgButton(*page, IDC_AQF_CRIT_ANY);
            s.PressButton(PSBTN_NEXT);
        }
        ASSERT_EQ(ActivePage(s), &s.m_RandResultsPage);
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    m_pMain->OnTask(0x8014, 0, 0);
    EXPECT_EQ(script.Answered(), 1);
    CExamDoc* exam = nullptr;
    for (POSITION pos = m_app->m_pExamTemplate->GetFirstDocPosition(); pos;)
        exam = dynamic_cast<CExamDoc*>(m_app->m_pExamTemplate->GetNextDoc(pos));
    ASSERT_NE(exam, nullptr);
    ASSERT_EQ(exam->GetQuestionCount(), 4);
    int mc = 0, es = 0;
    for (POSITION pos = exam->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CExamQuestion*>(exam->m_plQuestions.GetNext(pos));
        mc += q->m_nType == static_cast<int>(IDS_QTYPE_MC);
        es += q->m_nType == static_cast<int>(IDS_QTYPE_ES);
        EXPECT_TRUE(q->m_bLinked);
        EXPECT_TRUE(q->m_cszAnswer.IsEmpty());
        const CCorraQuestion* original = nullptr;
        for (POSITION b = bank->m_plQuestions.GetHeadPosition(); b;) {
            auto* candidate = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(b));
            if (candidate->m_cszQuestionText == q->m_cszQuestionText)
                original = candidate;
        }
        ASSERT_NE(original, nullptr);
        EXPECT_EQ(q->GetChoicesCount(), original->GetChoicesCount());
    }
    EXPECT_GE(mc, 2);
    EXPECT_GE(es, 1);
    std::string report;
    ASSERT_TRUE(fsys::ReadFile(GetAQFLogPath(), report));
    EXPECT_NE(report.find("Item\t"), std::string::npos);
    EXPECT_NE(report.find("\nMC\t"), std::string::npos);
}

} // namespace
