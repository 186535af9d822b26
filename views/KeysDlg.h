#pragma once
// "Form Keys": the forms of an exam and, for the forms the user selects, the answer keys side by
// side, one line per question number and one column per form, each key as that form prints it
// (a scrambled question's letter in the form's order).

#include "foundation/PtrListEx.h"
#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CCorraQuestion;
class CExamDoc;
class CListBox;

class CKeysDlg : public CDialog {
public:
    explicit CKeysDlg(CWnd* pParent = nullptr);

    // The forms offered: the one given (selected when the dialog opens), or every form of the
    // exam in its order.
    void SetForms(CExamDoc* pDoc, CCorraQuestion* pForm = nullptr);
    BOOL OnInitDialog() override;
    void FillFormList();
    // The key lines of the selected forms; as many as the largest of them has members, a
    // shorter form's cells left blank. A member the exam lacks ends the lines there (logged).
    void RefreshKeys();
    // The selected forms in list order; their number.
    int GetSelectedForms(CPtrListEx& forms) const;

    // A member's key in a form: its answer as the form prints it, as plain UTF-8 text, at most
    // seven characters.
    static CString KeyText(const CCorraQuestion& form, const CCorraQuestion& question);

    CListBox* GetFormList() const { return m_pForms; }
    CListBox* GetKeyList() const { return m_pKeys; }

    CPtrListEx m_lForms;
    CExamDoc* m_pDoc = nullptr;
    CCorraQuestion* m_pPreselected = nullptr;
    // The key lines: the members of the largest form offered, then of the largest selected.
    int m_nQuestionCount = 0;

private:
    CListBox* m_pForms = nullptr;
    CListBox* m_pKeys = nullptr;
};
