#pragma once
// "Set Question Attributes": type, level, index, subjects and textbook chapters of several
// questions at once. The dialog gathers what is ticked; on OK one document operation applies it.

#include "model/QuestionAttributes.h"
#include "model/QuestionList.h"
#include "platform/ui/Dialog.h"

#include <functional>

class CCorraDoc;
class CListBox;
class CMRUPathComboBox;
class CRichEditCtrl;
class CView;

class CSetQuestionAttributesDlg : public CDialog {
public:
    CSetQuestionAttributesDlg(CCorraDoc* pDoc, CView* pView, CWnd* pParent = nullptr);

    // The caller fills it before the run (not owned).
    CQuestionList m_lQuestions;
    // "Statistics..." shows the statistics of these questions (the statistics dialog stands
    // above this folder, so its opener gives the way to it).
    std::function<void(const CPtrList&)> m_showStatistics;

    int m_bIndex = FALSE;
    int m_bLevel = FALSE;
    int m_bSubjects = FALSE;
    int m_bBooks = FALSE;
    int m_bType = FALSE;
    int m_nSubjectsMode = ATTR_REPLACE;
    int m_nBooksMode = ATTR_REPLACE;
    int m_nTypeIndex = 19;  // past the list: no type chosen
    int m_nLevel = 0;
    int m_nIndex = 0;
    CStringArray m_saSubjects;
    CStringArray m_saBooks;
    CStringArray m_saChapters;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // What OK applies, from the members.
    CQuestionAttributes GetAttributes() const;

    void OnCheck(int nID);
    void OnSubjectsChosen();
    void OnBooksChosen();
    void OnSpin(int nDelta);
    void OnNextIndex();
    void OnChooseSubjects();
    void OnChooseBooks();
    void OnStatistics();

private:
    void UpdateControls();
    // Splits the books text into the two lists; FALSE (message shown) on a malformed entry.
    BOOL ParseBooks(const CString& text, BOOL bReport);

    CCorraDoc* m_pDoc;
    CView* m_pView;
    CRichEditCtrl* m_pInfo = nullptr;
    CMRUPathComboBox* m_pBooksCombo = nullptr;
    CMRUPathComboBox* m_pSubjectsCombo = nullptr;
    CListBox* m_pTypes = nullptr;
    CListBox* m_pLevels = nullptr;
    CStringArray m_saRecentSubjects;
    CStringArray m_saRecentBooks;
};
