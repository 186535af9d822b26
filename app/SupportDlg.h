#pragma once
// "Customer Support": the user writes a message to the maker's support, and the program hands a
// "mailto:" address with it, the user's name, the program's version and the latest log lines to
// the user's own mail program. Also the offers of help with files that failed to convert or to
// read.

#include "platform/ui/Dialog.h"

class CInfoRichEdit;

// The maker's support address and name when the registry names none.
constexpr const char* SUPPORT_EMAIL_DEFAULT = "support@vantrel.example";
constexpr const char* SUPPORT_NAME_DEFAULT = "QV Support";

// The mail parameters of the support mail (registry "User" and "Support" values); gathering
// them writes the user's address and name back to the registry.
struct CSupportMailParams {
    CString userName;
    CString userEmail;
    CString supportName;
    CString supportEmail;
    CString smtpServer;
};
BOOL GetSupportMailParams(CSupportMailParams& params);
// The user's full name as the system keeps it (the account's comment field), or empty.
CString RegisteredOwner();

class CSupportDlg : public CDialog {
public:
    // With a don't-show key, the dialog offers "Don't show this dialog again" and is not shown
    // at all once that was chosen.
    explicit CSupportDlg(LPCSTR dontShowKey = nullptr, CWnd* pParent = nullptr);
    ~CSupportDlg() override;

    // IDCANCEL at once when the user asked not to be shown this again.
    INT_PTR DoModal() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The mail's text from the dialog's fields.
    CString ComposeBody();
    // Hands the mail to the mail program; FALSE (the dialog stays open, the user told) when it
    // could not be handed over.
    BOOL DoSend();

    int m_bSendEmail = 1;
    int m_bSendErrorLog = 1;
    int m_bSendName = 1;
    int m_bSendSysInfo = 1;
    CString m_csEmail;
    CString m_csName;
    CString m_csMessage;
    BOOL m_bDontShow = FALSE;
    CString m_csCancelCaption = "Cancel";
    UINT m_nInstructionId = 0;
    CString m_csCaption = "Customer Support";
    CString m_csDontShowKey;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void UpdateEnabling();

    BOOL m_bShown = FALSE;
    CInfoRichEdit* m_pInstructions = nullptr;
    CInfoRichEdit* m_pPrivacy = nullptr;
    CInfoRichEdit* m_pDontShowPane = nullptr;
};

// "We can help...": offers to send files that did not convert, or could not be read, to support;
// "Send Now" starts a mail with the given text. TRUE when a mail was handed over.
BOOL OfferConversionSupport(LPCSTR text);
BOOL OfferRecoverySupport(LPCSTR text);
