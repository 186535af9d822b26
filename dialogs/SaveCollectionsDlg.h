#pragma once
// "Save Forms": the new forms of an exam, each shown in its own form view, offered for saving.
// It tells how often a question stands at the same place in two forms, lets the user rename a
// form, make new ones instead ("Try Again") and close the form windows after saving.

#include "foundation/PtrListEx.h"
#include "platform/ui/Dialog.h"

class CExamDoc;
class CListBox;
class CView;
struct CSaveFormsValues;

class CSaveCollectionsDlg : public CDialog {
public:
    // views: the form views (CView*), copied; the caption replaces the template's.
    CSaveCollectionsDlg(const CPtrListEx& views, CExamDoc* pExam, LPCSTR caption, CWnd* pParent = nullptr);

    CPtrListEx m_lViews;
    int m_nScore = 0;
    int m_nCount = 0;
    int m_bCloseAll = 1;
    CExamDoc* m_pExam;
    CString m_csCaption;

    static constexpr const char* PROFILE_SECTION = "ExamForm";
    static constexpr UINT_PTR DUPLICATES_TIMER = 1;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent) override;

    // "Edit..." and a double click: a new name for the selected form.
    void OnEditName();
    void OnTryAgain();

private:
    void UpdateControls();
    // Whether another entry than nExcept is named name (trimmed, case ignored).
    BOOL IsNameTaken(const CString& name, int nExcept) const;

    CListBox* m_pList = nullptr;
};

// Runs the dialog over the new form views: IDOK (values.closeViews set), SAVE_FORMS_AGAIN or
// IDCANCEL.
int RunSaveFormsDialog(CExamDoc& exam, const CPtrListEx& views, CSaveFormsValues& values, CWnd* pParent = nullptr);
