#pragma once
// The question editor of a Question Corra document: modeless, one per document, made hidden
// with it. The document (through its dialogs service) shows a question in it or clears it for a
// new one; the user edits, switches the type (the answer, choices and answer size typed for each
// type are remembered), and stores the result as a new question ("Add") or into the question
// shown ("Modify"). The dialog keeps the shown question's ID, never a pointer to it: the
// question may be deleted while the dialog stays open.

#include "dialogs/QuestionDlg.h"
#include "foundation/SerialMap.h"

#include <QPointer>

#include <map>

class CCorraDoc;
class CCorraQuestion;
class CSpinButtonCtrl;

class CCorraQuestionDlg : public CQuestionDlg {
public:
    CCorraQuestionDlg(CCorraDoc* pDoc, CWnd* pParent = nullptr);
    ~CCorraQuestionDlg() override;

    // Creates the hidden window, reset to a new question.
    BOOL CreateHidden();

    // Shows a question of the document (NULL: a new question). Changes not stored are lost:
    // callers use SelectQuestion.
    void SetQuestion(CCorraQuestion* question);
    // Asks to save the changes first (Yes/No); FALSE when they could not be stored, and the
    // dialog then keeps the edited question.
    BOOL SelectQuestion(CCorraQuestion* question);
    // Copies the edited question, with its answer size, into question.
    void GetQuestion(CCorraQuestion& question) const;
    // The images of the question shown were stored elsewhere: the edited question takes them,
    // keeping what was typed.
    void TakeImages(const CQuestion& question);
    // IDYES when nothing was modified or the changes were stored; IDNO when the user dropped
    // them (or the question is scrambled: nothing may be stored); IDCANCEL when the user chose
    // Cancel or the store failed (the dialog stays open with the failing field focused).
    int CheckSaveChanges(UINT style);

    // The buttons.
    BOOL OnAdd();
    BOOL OnModify();
    void OnClose();
    void OnNext();
    void OnPrev();
    void OnReset();
    void OnTypeChange();
    void OnImages();
    void OnIdentity();
    void OnEditingToolbar();
    // Message 0x8259 as a typed call: the answer text in SF_TEXT or SF_RTF; FALSE (logged) when
    // the type has none.
    BOOL GetAnswerText(UINT nFormat, CString& out) const;

    // The pane that last had the focus and is still shown (the question pane at first): the
    // editing toolbar and the window's activation go back to it.
    CHVRichEditCtrl* LastEditedPane() const;

    // The ID of the question shown; 0 while a new question is typed.
    int GetShownId() const { return m_nShownId; }
    BOOL HasShownQuestion() const { return m_nShownId != 0; }
    // The shown question, looked up in the document; NULL when it is gone.
    CCorraQuestion* FindShownQuestion() const;
    CCorraDoc* GetDocument() const { return m_pDoc; }
    BOOL IsScrambled() const { return m_bScrambled; }
    void SetScrambled(BOOL bScrambled);
    int GetLastStoredIndex() const { return m_nLastIndex; }
    double GetAnswerSize() const { return m_dAnswerSize; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void SetModified(BOOL bModified) override;
    void ResetQuestion(BOOL bKeepId) override;
    void UpdateControls() override;
    void ShowControlsForType(int nOldType, int nNewType) override;
    void OnCancel() override;
    void OnOK() override;

    // Percent of a page (the answer size edit) from a fraction, and back.
    static int PercentFromSize(double dSize);
    static double SizeFromPercent(int nPercent);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Notes which of the three panes last had the focus.
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void LayOut();
    void SaveTypeState(int nType);
    void RestoreTypeState(int nType);
    void SetReadOnlyMode(BOOL bReadOnly);

    CSpinButtonCtrl* m_pSpin = nullptr;
    int m_nPercent = 0;
    CCorraDoc* m_pDoc;
    int m_nShownId = 0;
    int m_nLastIndex = -1;
    BOOL m_bScrambled = FALSE;
    double m_dAnswerSize = 0.0;
    std::map<int, CString> m_answers;
    std::map<int, double> m_sizes;
    std::map<int, CString> m_choices;
    int m_nLastType = -1;
    QPointer<CHVRichEditCtrl> m_pLastPane;
};

// Message 0x8259: the answer text of the editor (wParam: LOWORD the format, HIWORD the buffer
// size; lParam the buffer).
constexpr UINT WM_QD_GET_ANSWER = 0x8259;
