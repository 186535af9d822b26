#pragma once
// A modal dialog that asks for one line of text (a name) under a message. The caller sets the
// title, the message, the starting text and the flags, runs it, and after OK takes m_csText.

#include "controls/FixedFontDialog.h"
#include "res/ids/ProgressDlg.h"

class CInfoRichEdit;
class QLineEdit;

class CPromptDlg : public CFixedFontDialog {
public:
    explicit CPromptDlg(CWnd* pParent = nullptr);

    CString m_csText;          // the edited text: the starting text in, the answer out
    CString m_csMessage;
    CString m_csStartText;     // the text the dialog opened with
    BOOL m_bRequireChange = TRUE;  // OK only once the text was changed to something else
    CString m_csTitle;         // empty: the message is the caption
    BOOL m_bHelp = FALSE;      // enables Help
    int m_nUser1 = -1;         // kept for the caller
    int m_nUser2 = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // With the require-change flag, OK is enabled only when the user changed the text to
    // something other than the starting text; without it OK stays as it is.
    void UpdateOkButton();

private:
    CInfoRichEdit* m_pMessage = nullptr;
    QLineEdit* m_pEdit = nullptr;
};
