#pragma once
// "HTML Settings": edits the HTML form settings of an export (CHtmlSettings). It opens simple
// (how the pages are divided, the borders, the kind of choice element) and "Advanced" shows the
// name patterns of the form elements and the page files as well. OK writes the choices into the
// settings object, quoting the name patterns; a page file name must be a plain name with a "%d".

#include "controls/FixedFontDialog.h"

class CHtmlSettings;
class QGroupBox;

class CHtmlSettingsDlg : public CFixedFontDialog {
public:
    CHtmlSettingsDlg(CHtmlSettings* pSettings, CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL IsAdvanced() const { return m_bAdvanced; }

    // The "Advanced"/"Simple" button: shows or hides the name patterns.
    void OnMore();
    // "Defaults": the patterns back to their defaults when the user agrees.
    void OnDefaults();
    // A radio button: the controls that apply to the choice are enabled.
    void OnRadio();

    int m_nDivision;  // 0 single file, 1 one file per question
    int m_bBdrHdr;
    int m_bBdrFtr;
    int m_bBdrQText;
    int m_bBdrChoices;
    int m_nChoice;  // 0 check boxes, 1 radio buttons, 2 links
    CString m_csCBName;
    CString m_csRBCommon;
    CString m_csRBValue;
    CString m_csHrefTarget;
    CString m_csTAName;
    CString m_csTAInitText;
    CString m_csQuestFile;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateControls();

    CHtmlSettings* m_pSettings;
    BOOL m_bAdvanced = FALSE;
    QGroupBox* m_pFormats = nullptr;
};
