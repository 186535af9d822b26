#pragma once
// The AutoConvert settings pages of the wizard: how questions are separated, how choices are
// labelled, which question numbers go, which attributes the questions get, and the check before
// Finish. Each shows the source text in a control the user may correct; each keeps its settings
// in the profile.

#include "import/AQFPage.h"
#include "model/Question.h"

class CHVRichEditCtrl;

class CAQFACPage : public CAQFPage {
public:
    CAQFACPage(UINT nIDTemplate, const char* caption, UINT nInfoId, const char* titlePrefix, UINT nNext);

    // Shows the sheet's working text in the control; FALSE (logged) when there is none.
    BOOL Init();
    CHVRichEditCtrl* GetEdit() const { return m_pEdit; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;

protected:
    // What the page governs goes into the sheet's settings.
    virtual void StoreSettings() {}
    // The control's edits into the buffer when the user says so; FALSE for Cancel.
    BOOL SaveEdits();
    void OnReload();
    const char* ClassName() const { return m_className; }

    CHVRichEditCtrl* m_pEdit = nullptr;
    const char* m_className = "CAQFACPage";

private:
    CString m_csTitlePrefix;
    UINT m_nNext;
};

// "Select Line Format": are questions separated by blank lines.
class CAQFSetACLineFmt : public CAQFACPage {
public:
    CAQFSetACLineFmt();
    ~CAQFSetACLineFmt() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int m_nHasLines = 0;  // 0 blank lines separate questions, 1 none do

protected:
    void StoreSettings() override;

private:
    CInfoRichEdit* m_pNote = nullptr;
};

// "AutoConvert Settings 2": the choices.
class CAQFSetACAttr2 : public CAQFACPage {
public:
    CAQFSetACAttr2();
    ~CAQFSetACAttr2() override;
    BOOL OnInitDialog() override;
    BOOL m_bUsesChoices = TRUE;
    int m_nLetterType = 0;  // 0 a, 1 A, 2 1
    int m_nTermType = 1;    // 0 ")", 1 "."
    void SetUsesChoices(BOOL bUses);
    void SetLetterType(int nType);

protected:
    void StoreSettings() override;

private:
    void UpdateControls();
};

// "AutoConvert Settings 1": the question numbers and what ends them.
class CAQFSetACAttr1 : public CAQFACPage {
public:
    CAQFSetACAttr1();
    ~CAQFSetACAttr1() override;
    BOOL OnInitDialog() override;

    // The characters numbers are made of, and those that end them, as the boxes say.
    CString NumberChars() const;
    CString TerminatorChars() const;
    // A box set by the user: unchecked again (string 130) when the two sets would share a
    // character.
    void SetBox(int nID, BOOL bChecked);
    void TypeOther(int nID, const char* text);
    // Takes the numbers out of the control's text when "Remove question numbers" is checked; the
    // number taken out.
    int Apply();
    // With the box checked, the numbers go also without Apply, unless Apply took them out of
    // the text as it stands.
    LRESULT OnWizardNext() override;

    BOOL m_bRemove = FALSE;
    BOOL m_bDigits = TRUE, m_bLower = FALSE, m_bUpper = FALSE, m_bNumOther = FALSE;
    CString m_csNumOther;
    BOOL m_bPeriod = FALSE, m_bParens = FALSE, m_bSpace = FALSE, m_bTermOther = FALSE;
    CString m_csTermOther;

protected:
    void StoreSettings() override;

private:
    BOOL* Flag(int nID);
    void UpdateControls();
    void CleanOther(int nEditID);
    BOOL m_bSetting = FALSE;
    CString m_csApplied;  // the plain text as the last Apply left it
};

// "Select Question Attributes": the question every converted one is made from.
class CAQFSetACQuestAttr : public CAQFACPage {
public:
    CAQFSetACQuestAttr();
    ~CAQFSetACQuestAttr() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    const CQuestion& ChosenQuestion() const { return m_nMode == 1 ? m_Specific : m_Default; }
    // "Attributes...": the specific question in the attribute dialog; after OK both questions
    // take what it chose.
    BOOL ChooseAttributes();
    int m_nMode = 0;  // 0 default attributes, 1 specific ones
    CQuestion m_Default;
    CQuestion m_Specific;

protected:
    void StoreSettings() override;
};

// "Auto Convert": the check of the text with the settings, then Finish.
class CAQFDoACPage : public CAQFACPage {
public:
    CAQFDoACPage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    // Checks the text as it would be converted; whether the page may finish.
    BOOL Check();
    BOOL IsConverted() const { return m_bConverted; }
    // The text Finish hands over, as RTF.
    const CString& GetFinishedText() const { return m_csFinished; }

private:
    void UpdateControls();
    BOOL m_bConverted = FALSE;
    CString m_csFinished;
    CInfoRichEdit* m_pResult = nullptr;
};
