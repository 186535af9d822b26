#pragma once
// "Instructions": the instructions text of a document or of an exam print page, edited as rich
// text in the instructions' font.

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CHVRichEditCtrl;

class CInstructionsDlg : public CDialog {
public:
    CInstructionsDlg(CWnd* pParent, LPCSTR pszRtf);
    // Inside a print settings page: the page's dialog and the instructions' place there.
    CInstructionsDlg(CDialog* pOwner, int nIndex, LPCSTR pszRtf, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // "Font...": the Font Manager on the instructions' slot; the text is shown again in the
    // new font when the user confirms.
    void OnFont();

    CHVRichEditCtrl* GetPane() const { return m_pPane; }

    CString m_csText;  // RTF in, the pane's RTF after OK
    int m_nIndex = -1;
    CDialog* m_pOwner = nullptr;

private:
    void Build();

    CHVRichEditCtrl* m_pPane = nullptr;
};
