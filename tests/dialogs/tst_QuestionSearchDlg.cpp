// The question search dialog: what each category matches alone and combined, inside a
// collection, what the Search button refuses, and the attribute dialog's checks.

#include "dialogs/QuestionSearchDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/MRUPathComboBox.h"
#include "dialogs/SubjectsDlg.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/DC.h"
#include "platform/ui/ListBox.h"
#include "res/ids/QuestionSearch.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kRtfQuestion = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                                 "\\viewkind4\\uc1\\pard\\f0\\fs24 Solve the {\\b equation} for x\\par\r\n}\r\n";
const char* const kRtfAnswer = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0 Light and chlorophyll\\par\r\n}";

// 1: an RTF multiple-choice question; 2: an essay with an RTF answer and a book at two chapters;
// 3: a true/false question. "Unit" holds 1 and 3.
class CSearchDoc : public CCorraDoc {
public:
    CSearchDoc()
    {
        m_bAutoDelete = FALSE;
        auto* q1 = Add(1, IDS_QTYPE_MC, 2, 5, kRtfQuestion);
        q1->SetChoices("a. Algebra basics\nb. Geometry\nc. None of these");
        q1->m_cszAnswer = "b";
        q1->AddSubject("Algebra");
        q1->AddTextbook("Calc", "3");
        auto* q2 = Add(2, IDS_QTYPE_ES, 3, 0, "Describe photosynthesis in caf\xe9 plants");
        q2->m_cszAnswer = kRtfAnswer;
        q2->AddSubject("Biology");
        q2->AddSubject("Algebra II");
        q2->AddTextbook("Calc", "2");
        q2->AddTextbook("Calc", "5");
        auto* q3 = Add(3, IDS_QTYPE_TF, 2, 7, "The sun is a star");
        q3->m_cszAnswer = "a";
        q3->AddSubject("Astronomy");
        CPtrListEx members;
        members.AddTail(q1);
        members.AddTail(q3);
        unit = GetOrCreateCollection("Unit", &members);
        SetModifiedFlag(FALSE);
    }
    CCorraQuestion* Add(int id, unsigned type, int level, int index, const char* text)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nType = static_cast<int>(type);
        q->m_nLevel = level;
        q->m_nIndex = index;
        q->m_cszQuestionText = text;
        InsertQuestion(q);
        return q;
    }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
    CCorraQuestion* unit = nullptr;
};

std::vector<int> FoundIds(const CQuestionSearchDlg& dlg)
{
    CDWordArray ids;
    dlg.m_lFound.GetIds(ids);
    return std::vector<int>(ids.begin(), ids.end());
}

class QuestionSearchTest : public CorraTest {
protected:
    CSearchDoc doc;
};

TEST_F(QuestionSearchTest, MatchTakesEachCategoryAndCombinesThem)
{
    using Setup = std::function<void(CQuestionSearchDlg&)>;
    auto words = [](int CQuestionAttrDlg::*tick, CStringArrayEx CQuestionSearchDlg::*list, const char* text) {
        return [=](CQuestionSearchDlg& d) {
            d.*tick = TRUE;
            CQuestionSearchDlg::SplitWords(text, d.*list);
        };
    };
    auto question = [&](const char* text) {
        return words(&CQuestionAttrDlg::m_bQuestion, &CQuestionSearchDlg::m_saQuestionWords, text);
    };
    auto types = [](std::vector<unsigned> ids) {
        return [=](CQuestionSearchDlg& d) {
            d.m_bType = TRUE;
            for (unsigned id : ids)
                d.m_aTypes.Add(id);
        };
    };
    auto levels = [](std::vector<int> values) {
        return [=](CQuestionSearchDlg& d) {
            d.m_bLevel = TRUE;
            for (int v : values)
                d.m_aLevels.Add(static_cast<DWORD_PTR>(v));
        };
    };
    auto subjects = [](const char* text) {
        return [=](CQuestionSearchDlg& d) {
            d.m_bSubjects = TRUE;
            CStringArray pieces;
            SplitStrings(text, pieces);
            for (int i = 0; i < pieces.GetSize(); ++i)
                d.m_saSubjects.Add(pieces[i].Trim());
        };
    };
    auto books = [](const char* text) {
        return [=](CQuestionSearchDlg& d) {
            d.m_bBooks = TRUE;
            CQuestionSearchDlg::SplitBooks(text, d.m_saBooks, d.m_saChapters);
        };
    };
    auto anyItem = [](CQuestionSearchDlg& d) { d.m_nIntraMode = SEARCH_ANY_ITEM; };
    auto allCategories = [](CQuestionSearchDlg& d) { d.m_nInterMode = SEARCH_ALL_CATEGORIES; };
    struct Case {
        const char* what;
        std::vector<Setup> setup;
        std::vector<int> found;
        bool inUnit = false;
    };
    const Case cases[] = {
        {"ID", {[](CQuestionSearchDlg& d) { d.m_bId = TRUE; d.m_Question.m_nId = 2; }}, {2}},
        {"index", {[](CQuestionSearchDlg& d) { d.m_bIndex = TRUE; d.m_Question.m_nIndex = 7; }}, {3}},
        {"one type", {types({IDS_QTYPE_ES})}, {2}},
        {"all-items mode takes the first type", {types({IDS_QTYPE_MC, IDS_QTYPE_ES})}, {1}},
        {"types, at least one", {types({IDS_QTYPE_MC, IDS_QTYPE_ES}), anyItem}, {1, 2}},
        {"one level", {levels({2})}, {1, 3}},
        {"all-items mode takes the first level", {levels({3, 2})}, {2}},
        {"levels, at least one", {levels({3, 2}), anyItem}, {1, 2, 3}},
        {"an RTF control word is no word", {question("par")}, {}},
        {"nor is a font size", {question("fs24")}, {}},
        {"a word inside RTF, any case", {question("EQUATION")}, {1}},
        {"letters above 127 fold", {question("CAF\xc9")}, {2}},
        {"all words", {question("solve x")}, {1}},
        {"all words, one missing", {question("solve photosynthesis")}, {}},
        {"any word", {question("solve photosynthesis"), anyItem}, {1, 2}},
        {"a collection's name is not searched", {question("Unit")}, {}},
        {"a word in the choices", {words(&CQuestionAttrDlg::m_bChoices, &CQuestionSearchDlg::m_saChoiceWords, "geometry")}, {1}},
        {"true/false choices", {words(&CQuestionAttrDlg::m_bChoices, &CQuestionSearchDlg::m_saChoiceWords, "true")}, {3}},
        {"a word in an RTF answer", {words(&CQuestionAttrDlg::m_bAnswer, &CQuestionSearchDlg::m_saAnswerWords, "chlorophyll")}, {2}},
        {"a subject is a whole entry, any case", {subjects("algebra")}, {1}},
        {"all subjects", {subjects("Algebra, Biology")}, {}},
        {"any subject", {subjects("Algebra, Biology"), anyItem}, {1, 2}},
        {"a book at chapter 0 is any chapter", {books("calc;0")}, {1, 2}},
        {"a book without a chapter", {books("Calc")}, {1, 2}},
        {"a book at chapter 3", {books("Calc;3")}, {1}},
        {"a book's second chapter", {books("Calc; 5")}, {2}},
        {"a chapter no question has", {books("Calc;4")}, {}},
        {"all categories", {levels({2}), subjects("Astronomy"), allCategories}, {3}},
        {"at least one category", {levels({2}), subjects("Biology")}, {1, 2, 3}},
        {"all categories, none both", {levels({3}), subjects("Astronomy"), allCategories}, {}},
        {"inside a collection, members only", {levels({2, 3}), anyItem}, {1, 3}, true},
        {"inside a collection, others never match", {question("photosynthesis sun"), anyItem}, {3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CQuestionSearchDlg dlg(&doc, c.inUnit ? doc.unit : nullptr);
        for (const Setup& s : c.setup)
            s(dlg);
        ASSERT_FALSE(dlg.NothingToSearch());
        dlg.RunSearch();
        EXPECT_EQ(FoundIds(dlg), c.found);
    }
}

TEST_F(QuestionSearchTest, AChangedTextIsSearchedAnew)
{
    CCorraQuestion* q = doc.FindQuestionById(2);
    EXPECT_GE(q->GetSearchText(SEARCH_QUESTION).Find("PHOTOSYNTHESIS"), 0);
    q->m_cszQuestionText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Osmosis\\par}";
    EXPECT_GE(q->GetSearchText(SEARCH_QUESTION).Find("OSMOSIS"), 0);
    EXPECT_LT(q->GetSearchText(SEARCH_QUESTION).Find("PHOTOSYNTHESIS"), 0);
    q->m_nType = static_cast<int>(IDS_QTYPE_TF);
    EXPECT_GE(q->GetSearchText(SEARCH_CHOICES).Find("FALSE"), 0);
}

// The dialog as the user runs it: ticks, selections and texts, then Search.
class SearchDialogTest : public QuestionSearchTest {
protected:
    using Act = std::function<void(CQuestionSearchDlg&)>;
    // Runs the dialog with act; then Search. Returns the dialog's result and what it found.
    INT_PTR Run(const Act& act, std::vector<int>* found = nullptr)
    {
        CQuestionSearchDlg dlg(&doc, nullptr);
        CModalScript script;
        script.On<CQuestionSearchDlg>([&](CQuestionSearchDlg& d) {
            act(d);
            ClickDlgButton(d, IDC_QS_SEARCH);
            if (!d.IsEnded())
                d.EndDialog(IDCANCEL);
        });
        const INT_PTR result = dlg.DoModal();
        if (found)
            *found = FoundIds(dlg);
        return result;
    }
    static void Select(CQuestionSearchDlg& d, int nList, std::vector<int> rows)
    {
        for (int r : rows)
            d.GetDlgItemAs<CListBox>(nList)->SetSel(r, TRUE);
    }
    static void Type(CQuestionSearchDlg& d, int nCombo, const char* text)
    {
        d.GetDlgItemAs<CMRUPathComboBox>(nCombo)->SetWindowText(text);
    }
};

TEST_F(SearchDialogTest, SearchRefusesWhatCannotBeSearched)
{
    const CString oneLevel = LoadStringId(IDS_SEARCH_ONE_LEVEL);
    const CString oneType = LoadStringId(IDS_SEARCH_ONE_TYPE);
    ASSERT_TRUE(oneType.Right(34) == "be sure only one type is selected.");
    struct Case {
        const char* what;
        Act act;
        CString said;
    };
    const Case cases[] = {
        {"nothing ticked", [](CQuestionSearchDlg&) {}, "Nothing to search for."},
        {"words typed but not ticked", [](CQuestionSearchDlg& d) { Type(d, IDC_QS_QUESTION_WORDS, "sun"); },
         "Nothing to search for."},
        {"level ticked, none selected", [](CQuestionSearchDlg& d) { ClickDlgButton(d, IDC_QA_LEVEL_CHECK); },
         "Nothing to search for."},
        {"subjects ticked, blanks typed",
         [](CQuestionSearchDlg& d) {
             ClickDlgButton(d, IDC_QA_SUBJECTS_CHECK);
             Type(d, IDC_QS_SUBJECTS, " , ");
         },
         "Nothing to search for."},
        {"two levels, all items",
         [](CQuestionSearchDlg& d) {
             ClickDlgButton(d, IDC_QA_LEVEL_CHECK);
             Select(d, IDC_QD_LEVEL, {2, 3});
         },
         oneLevel},
        {"two types, all items",
         [](CQuestionSearchDlg& d) {
             ClickDlgButton(d, IDC_QA_TYPE_CHECK);
             Select(d, IDC_QD_TYPE, {0, 1});
         },
         oneType},
        {"an ID that is no number",
         [](CQuestionSearchDlg& d) {
             ClickDlgButton(d, IDC_QA_ID_CHECK);
             d.SetDlgItemText(IDC_QD_ID, "12a");
         },
         "Please enter an integer."},
        {"no question matches",
         [](CQuestionSearchDlg& d) {
             ClickDlgButton(d, IDC_QA_QUESTION_CHECK);
             Type(d, IDC_QS_QUESTION_WORDS, "zebra");
         },
         "No matching questions found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messageBox.calls.clear();
        EXPECT_EQ(Run(c.act), IDCANCEL);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, c.said);
    }
}

TEST_F(SearchDialogTest, MatchesEndTheDialogAndTheTextsAreOfferedNextTime)
{
    std::vector<int> found;
    EXPECT_EQ(Run(
                  [](CQuestionSearchDlg& d) {
                      ClickDlgButton(d, IDC_QA_LEVEL_CHECK);
                      Select(d, IDC_QD_LEVEL, {2, 3});
                      ClickDlgButton(d, IDC_QS_ANY_ITEM);
                      ClickDlgButton(d, IDC_QA_QUESTION_CHECK);
                      Type(d, IDC_QS_QUESTION_WORDS, "equation;sun");
                      ClickDlgButton(d, IDC_QA_SUBJECTS_CHECK);
                      Type(d, IDC_QS_SUBJECTS, "astronomy");
                      ClickDlgButton(d, IDC_QS_ALL_CATEGORIES);
                  },
                  &found),
              IDOK);
    EXPECT_TRUE(messageBox.calls.empty());
    // Level 2 or 3, and "equation" or "sun", and Astronomy: only the third; the
    // at-least-one-category default would give all three.
    EXPECT_EQ(found, (std::vector<int>{3}));

    found.clear();
    EXPECT_EQ(Run(
                  [](CQuestionSearchDlg& d) {
                      ClickDlgButton(d, IDC_QA_TYPE_CHECK);
                      Select(d, IDC_QD_TYPE, {4});
                      ClickDlgButton(d, IDC_QA_BOOKS_CHECK);
                      Type(d, IDC_QS_BOOKS, "Calc;5");
                  },
                  &found),
              IDOK);
    EXPECT_EQ(found, (std::vector<int>{2, 3}));

    // The texts searched for are the newest recent entries of their combos.
    CQuestionSearchDlg next(&doc, nullptr);
    CModalScript script;
    script.On<CQuestionSearchDlg>([](CQuestionSearchDlg& d) {
        EXPECT_EQ(d.BooksCombo()->GetLBText(0), CString("Calc;5"));
        EXPECT_EQ(d.QuestionCombo()->GetLBText(0), CString("equation;sun"));
        EXPECT_EQ(d.SubjectsCombo()->GetLBText(0), CString("astronomy"));
        EXPECT_EQ(d.AnswerCombo()->GetCount(), 0);
        d.EndDialog(IDCANCEL);
    });
    next.DoModal();
}

TEST_F(SearchDialogTest, EachCategoryIsEnabledByItsCheck)
{
    CQuestionSearchDlg dlg(&doc, nullptr);
    CModalScript script;
    script.On<CQuestionSearchDlg>([](CQuestionSearchDlg& d) {
        const std::vector<std::pair<int, std::vector<int>>> categories = {
            {IDC_QA_ID_CHECK, {IDC_QD_ID}},
            {IDC_QA_INDEX_CHECK, {IDC_QD_INDEX}},
            {IDC_QA_TYPE_CHECK, {IDC_QD_TYPE}},
            {IDC_QA_LEVEL_CHECK, {IDC_QD_LEVEL}},
            {IDC_QA_SUBJECTS_CHECK, {IDC_QD_SUBJECTS, IDC_QS_SUBJECTS}},
            {IDC_QA_BOOKS_CHECK, {IDC_QD_BOOKS, IDC_QS_BOOKS}},
            {IDC_QA_QUESTION_CHECK, {IDC_QS_QUESTION_WORDS}},
            {IDC_QA_CHOICES_CHECK, {IDC_QS_CHOICE_WORDS}},
            {IDC_QA_ANSWER_CHECK, {IDC_QS_ANSWER_WORDS}},
        };
        for (const auto& [check, controls] : categories) {
            SCOPED_TRACE(check);
            for (int id : controls)
                EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
            ClickDlgButton(d, check);
            for (int id : controls)
                EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
        }
        // The question editor's panes have no place in the search.
        EXPECT_FALSE(d.QuestionPane()->isVisibleTo(&d));
        d.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(SearchDialogTest, TheSubjectChooserGivesEverySubjectItChose)
{
    CQuestionSearchDlg dlg(&doc, nullptr);
    CModalScript script;
    script.On<CQuestionSearchDlg>([](CQuestionSearchDlg& d) {
        ClickDlgButton(d, IDC_QA_SUBJECTS_CHECK);
        ClickDlgButton(d, IDC_QS_ANY_ITEM);
        Type(d, IDC_QS_SUBJECTS, "Astronomy");
        ClickDlgButton(d, IDC_QD_SUBJECTS);
        // Not the editor's summary, "Astronomy, Biology ...".
        EXPECT_EQ(d.SubjectsCombo()->GetWindowText(), CString("Astronomy,Biology,Geometry"));
        ClickDlgButton(d, IDC_QS_SEARCH);
    });
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        EXPECT_EQ(d.m_saSubjects.GetSize(), 1);
        d.m_saSubjects.RemoveAll();
        for (const char* subject : {"Astronomy", "Biology", "Geometry"})
            d.m_saSubjects.Add(subject);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(FoundIds(dlg), (std::vector<int>{2, 3}));
}

// An attribute dialog with the plain question and choices edits.
class CAttrTestDlg : public CQuestionAttrDlg {
public:
    CAttrTestDlg() : CQuestionAttrDlg(IDD_QUESTION_SEARCH, nullptr)
    {
        CreateEdit(IDC_QA_QUESTION_TEXT, "question");
        CreateEdit(IDC_QA_CHOICES_TEXT, "choices");
    }
    void DoDataExchange(CDataExchange* pDX) override { ExchangeChecks(pDX); }
};

TEST_F(QuestionSearchTest, AnUntickedTextIsGreyAndDisabled)
{
    CAttrTestDlg dlg;
    CModalScript script;
    script.On<CAttrTestDlg>([](CAttrTestDlg& d) {
        const COLORREF grey = 0xC0C0C0;
        for (auto [check, edit] : {std::pair{IDC_QA_QUESTION_CHECK, IDC_QA_QUESTION_TEXT},
                                   std::pair{IDC_QA_CHOICES_CHECK, IDC_QA_CHOICES_TEXT}}) {
            QWidget* w = d.GetDlgItem(edit);
            auto colour = [w] { return w->palette().color(QPalette::Disabled, QPalette::Text); };
            EXPECT_FALSE(w->isEnabled());
            EXPECT_EQ(RefFromColor(colour()), grey);
            ClickDlgButton(d, check);
            EXPECT_TRUE(w->isEnabled());
            EXPECT_NE(RefFromColor(w->palette().color(QPalette::Active, QPalette::Text)), grey);
            ClickDlgButton(d, check);
            EXPECT_EQ(RefFromColor(colour()), grey);
        }
        ClickDlgButton(d, IDC_QA_ANSWER_CHECK);
        EXPECT_TRUE(d.GetDlgItem(IDC_QD_ANSWER_LETTER)->isEnabled());
        d.OnOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bAnswer);
    EXPECT_FALSE(dlg.m_bQuestion);
}

}  // namespace
