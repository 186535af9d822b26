#pragma once
// The base of the question editors: edits one question's type, level, ID, index, subjects,
// textbook chapters, question text, choices and answer. It keeps its own copy of the question,
// moves it to and from the controls by data exchange and, when saving, checks the choices and
// the answer for the type; a field that fails shows its message and keeps the dialog open.

#include "controls/FixedFontDialog.h"
#include "model/Question.h"
#include "res/ids/QuestionDlg.h"

class CComboBox;
class CHVRichEditCtrl;
class CListBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Whether a type is answered in writing (essay, short answer, fill-in) in the answer pane.
BOOL IsWrittenAnswerType(int nType);
// The choices pane's text as the choices parser reads it (relabelled labels stay as typed).
CString ChoicesPaneText(CHVRichEditCtrl& pane, BOOL bRtf);

// How a template shows type and level: a drop-down each, one value chosen (the editors), or a
// list each of which several values may be chosen (the search dialog).
enum EQuestionDlgChoice { QDC_SINGLE, QDC_MULTIPLE };

class CQuestionDlg : public CFixedFontDialog {
public:
    explicit CQuestionDlg(CWnd* pParent = nullptr);
    CQuestionDlg(UINT nIDTemplate, CWnd* pParent, EQuestionDlgChoice choice = QDC_SINGLE);
    ~CQuestionDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    virtual void SetModified(BOOL bModified) { m_bModified = bModified; }
    BOOL IsModified() const { return m_bModified; }
    virtual void ResetQuestion(BOOL bKeepId);
    virtual void SetBooksText(LPCSTR text);
    virtual void SetSubjectsText(LPCSTR text);
    virtual void FillTypeCombo();
    virtual void FillLevelCombo();
    virtual void ExchangeAnswerLetter(CDataExchange* pDX, int nIDC, CString& answer);
    virtual void ExchangeSubjects(CDataExchange* pDX, BOOL bFlag);
    virtual void ExchangeBooks(CDataExchange* pDX, BOOL bFlag);
    virtual void ExchangeChoices(CDataExchange* pDX);
    virtual void ExchangeType(CDataExchange* pDX);
    virtual void ExchangeLevel(CDataExchange* pDX);
    virtual void ExchangeId(CDataExchange* pDX);
    virtual void ExchangeIndex(CDataExchange* pDX);
    virtual void UpdateControls() {}
    // nNewType -1: the type selected in the combo.
    virtual void ShowControlsForType(int nOldType, int nNewType);

    // The item data of the type combo's selection; "UN" when nothing is selected.
    int GetSelectedType() const;
    // The document's fonts changed: the panes take their text in again so the new fonts apply.
    void OnFontsChanged();

    // The summaries shown beside "Subjects..." and "Books...".
    static CString SubjectsSummary(const CStringArrayEx& subjects);
    static CString BooksSummary(const CStringArrayEx& books, const CStringArrayEx& chapters);

    // The edited question.
    CQuestion m_Question;
    // 0 True, 1 False, -1 neither.
    int m_nTrueFalse = -1;

    static int s_nDefaultType;
    static int s_nDefaultLevel;

    CHVRichEditCtrl* AnswerPane() const { return m_pAnswerPane; }
    CHVRichEditCtrl* ChoicesPane() const { return m_pChoicesPane; }
    CHVRichEditCtrl* QuestionPane() const { return m_pQuestionPane; }

protected:
    void OnChange();
    void OnChoicesChange();
    void OnTimer(UINT_PTR nIDEvent) override;
    void FormatChoices();
    void OnIndexStep(int nStep);
    void OnSubjects();
    void OnBooks();
    // Trims the lines of the choices pane and gives its labels the label font.
    void CleanUpChoices();
    BOOL ClearChoiceIdFonts();
    // Shows a choices error ("Error", the record's texts in red) with its range selected.
    void ShowChoicesError(const CChoicesError& error);

    // The layout of template 106 (the derived templates lay the same controls out themselves).
    void LayOutQuestionDialog();

    CHVRichEditCtrl* m_pAnswerPane = nullptr;
    CHVRichEditCtrl* m_pChoicesPane = nullptr;
    CHVRichEditCtrl* m_pQuestionPane = nullptr;
    // QDC_SINGLE: the combos; QDC_MULTIPLE: the lists (under the same ids).
    CComboBox* m_pTypeCombo = nullptr;
    CComboBox* m_pLevelCombo = nullptr;
    CListBox* m_pTypeList = nullptr;
    CListBox* m_pLevelList = nullptr;
    QLineEdit* m_pIdEdit = nullptr;
    QLineEdit* m_pIndexEdit = nullptr;
    QLineEdit* m_pSubjectsText = nullptr;
    QLineEdit* m_pBooksText = nullptr;
    QLineEdit* m_pAnswerLetter = nullptr;
    QRadioButton* m_pTrue = nullptr;
    QRadioButton* m_pFalse = nullptr;

    BOOL m_bModified = FALSE;
    BOOL m_bChoicesFormatted = FALSE;
    BOOL m_bInFormatTimer = FALSE;
    BOOL m_bInitialised = FALSE;
    // Set by the saving exchange when digit labels are to become letters once the answer was
    // read against them.
    BOOL m_bRelabelPending = FALSE;

private:
    void BuildControls(EQuestionDlgChoice choice);
};
