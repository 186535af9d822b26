#pragma once
// "Question Search Dialog": the user ticks attributes and gives values (IDs, indexes, types,
// levels, words of the question, choices and answer, subjects, textbook chapters), says how
// values combine inside a category and across categories, and the dialog collects the matching
// questions of a document, or of one of its collections, in document or member order. The
// caller reads them from m_lFound after OK.
//
// Words are looked for in the plain text of question, choices and answer, letters folded; a
// subject or book is a whole entry of the question's lists, case ignored.

#include "dialogs/QuestionAttrDlg.h"
#include "model/QuestionList.h"

class CCorraDoc;
class CCorraQuestion;
class CMRUPathComboBox;

// Inside a category: every item (0) or at least one (1).
constexpr int SEARCH_ALL_ITEMS = 0;
constexpr int SEARCH_ANY_ITEM = 1;
// Across categories: every ticked category (0) or at least one (1).
constexpr int SEARCH_ALL_CATEGORIES = 0;
constexpr int SEARCH_ANY_CATEGORY = 1;

class CQuestionSearchDlg : public CQuestionAttrDlg {
public:
    // pCollection NULL: the whole document.
    CQuestionSearchDlg(CCorraDoc* pDoc, CCorraQuestion* pCollection, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter searches, as the Search button does.
    void OnOK() override;

    void SetBooksText(LPCSTR text) override;
    void SetSubjectsText(LPCSTR text) override;
    void FillTypeCombo() override;
    void FillLevelCombo() override;
    void ExchangeChoices(CDataExchange* pDX) override;
    void ExchangeType(CDataExchange* pDX) override;
    void ExchangeLevel(CDataExchange* pDX) override;
    void ExchangeSubjects(CDataExchange* pDX, BOOL bFlag) override;
    void ExchangeBooks(CDataExchange* pDX, BOOL bFlag) override;
    void UpdateControls() override;
    void EnableForCheck(int nCheckId) override;
    // Ticking a category with a recent-entry combo drops its list down when it has entries.
    void OnAttrCheck(int nCheckId) override;

    // The words of a combo, split at blanks, tabs, commas and semicolons.
    void ExchangeWords(CDataExchange* pDX, int nIDC, CStringArrayEx& words);
    static void SplitWords(LPCSTR text, CStringArrayEx& words);
    // "book;chapter" entries between tabs and commas; a missing chapter is "0".
    static void SplitBooks(LPCSTR text, CStringArrayEx& books, CStringArrayEx& chapters);

    // Search (1140): takes the values out, refuses what cannot be searched, runs the search;
    // matches end the dialog with OK.
    void OnSearch();
    // Statistics... (1317): the document's first view shows its statistics.
    void OnStatistics();
    // Whether nothing ticked has a value to search for.
    BOOL NothingToSearch() const;
    // Empties the found list and fills it with the matches; their number.
    int RunSearch();
    // Whether the question matches the ticked categories with the values taken out.
    BOOL Match(const CCorraQuestion& question) const;

    // The found questions, not owned.
    CQuestionList m_lFound;
    // Selected type ids and levels.
    CTypedArray<DWORD_PTR> m_aTypes;
    CTypedArray<DWORD_PTR> m_aLevels;
    int m_nIntraMode = SEARCH_ALL_ITEMS;
    int m_nInterMode = SEARCH_ANY_CATEGORY;
    CStringArrayEx m_saQuestionWords;
    CStringArrayEx m_saChoiceWords;
    CStringArrayEx m_saAnswerWords;
    CStringArrayEx m_saSubjects;
    CStringArrayEx m_saBooks;
    CStringArrayEx m_saChapters;

    CMRUPathComboBox* AnswerCombo() const { return m_pAnswerCombo; }
    CMRUPathComboBox* ChoiceCombo() const { return m_pChoiceCombo; }
    CMRUPathComboBox* QuestionCombo() const { return m_pQuestionCombo; }
    CMRUPathComboBox* BooksCombo() const { return m_pBooksCombo; }
    CMRUPathComboBox* SubjectsCombo() const { return m_pSubjectsCombo; }

private:
    void BuildLayout();
    void OnChooseSubjects();
    void OnChooseBooks();
    void OnBooksChosen();
    // The combo of a category's check box; NULL for the others.
    CMRUPathComboBox* ComboOfCheck(int nCheckId) const;
    // Within a category: all or any of n items pass.
    template <typename Test>
    BOOL MatchItems(int nCount, Test test) const;

    CMRUPathComboBox* m_pAnswerCombo = nullptr;
    CMRUPathComboBox* m_pChoiceCombo = nullptr;
    CMRUPathComboBox* m_pQuestionCombo = nullptr;
    CMRUPathComboBox* m_pBooksCombo = nullptr;
    CMRUPathComboBox* m_pSubjectsCombo = nullptr;
    CCorraDoc* m_pDoc;
    CCorraQuestion* m_pCollection;
};
