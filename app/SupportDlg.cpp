#include "app/SupportDlg.h"

#include "app/VersionText.h"
#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/SysColor.h"
#include "res/ids/App.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <pwd.h>
#include <unistd.h>

#include <exception>

namespace {

constexpr const char* kSection = "SupportEmail";
constexpr const char* kDontShowSection = "SupDlgDontShow";
const CString kSeparator = CString('-', 48) + "\n";

CString RegValue(LPCSTR section, LPCSTR value, LPCSTR def)
{
    CString out;
    GetRegString(out, section, value, def);
    return out;
}

} // namespace

CString RegisteredOwner()
{
    const passwd* pw = ::getpwuid(::getuid());
    if (!pw || !pw->pw_gecos)
        return CString();
    // The full name is the comment's first field; the rest are rooms and telephones.
    CString name(pw->pw_gecos);
    const int comma = name.Find(',');
    if (comma >= 0)
        name = name.Left(comma);
    name.Trim();
    return name;
}

BOOL GetSupportMailParams(CSupportMailParams& params)
{
    params = CSupportMailParams();
    params.userEmail = RegValue("User", "Email", "");
    params.userName = RegValue("User", "Name", "");
    if (params.userName.IsEmpty())
        params.userName = RegisteredOwner();
    params.supportName = RegValue("Support", "Name", SUPPORT_NAME_DEFAULT);
    params.supportEmail = RegValue("Support", "Email", SUPPORT_EMAIL_DEFAULT);
    params.smtpServer = RegValue("User", "SMTPServer", "");
    WriteComponentRegString("User", "Email", params.userEmail);
    WriteComponentRegString("User", "Name", params.userName);
    return !params.supportEmail.IsEmpty();
}

CSupportDlg::CSupportDlg(LPCSTR dontShowKey, CWnd* pParent)
    : CDialog(IDD_SUPPORT, pParent), m_nInstructionId(IDS_SUPPORT_INSTRUCTIONS),
      m_csDontShowKey(dontShowKey ? dontShowKey : "")
{
    CCorraAppBase& app = CorraApp();
    m_bSendEmail = app.GetProfileInt(kSection, "SendEmailAddr", 1, TRUE) ? 1 : 0;
    m_bSendErrorLog = app.GetProfileInt(kSection, "SendErrorLog", 1, TRUE) ? 1 : 0;
    m_bSendName = app.GetProfileInt(kSection, "SendName", 1, TRUE) ? 1 : 0;
    m_bSendSysInfo = app.GetProfileInt(kSection, "SendSysInfo", 1, TRUE) ? 1 : 0;
    m_csEmail = app.GetProfileString(kSection, "EmailAddr", "", TRUE);
    m_csName = app.GetProfileString(kSection, "Name", "", TRUE);
    if (!m_csDontShowKey.IsEmpty())
        m_bDontShow = app.GetProfileInt(kDontShowSection, m_csDontShowKey, 0, TRUE) != 0;

    auto* layout = new QVBoxLayout(this);
    m_pInstructions = AddControl(IDC_SUPPORT_INFO, new CInfoRichEdit(this));
    m_pInstructions->setFixedHeight(46);
    layout->addWidget(m_pInstructions);
    auto* message = AddControl(IDC_SUPPORT_MESSAGE, new QPlainTextEdit(this));
    message->setMinimumSize(460, 150);
    layout->addWidget(CreateStatic("Enter message here", 0, message));
    layout->addWidget(message, 1);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateCheckBox(IDC_SUPPORT_SEND_NAME, "Send my name"), 0, 0);
    grid->addWidget(CreateEdit(IDC_SUPPORT_NAME), 0, 1);
    grid->addWidget(CreateCheckBox(IDC_SUPPORT_SEND_EMAIL, "Send my email"), 1, 0);
    grid->addWidget(CreateEdit(IDC_SUPPORT_EMAIL), 1, 1);
    grid->addWidget(CreateCheckBox(IDC_SUPPORT_SEND_LOG, "Send error log info"), 2, 0);
    grid->addWidget(CreateCheckBox(IDC_SUPPORT_SEND_SYSINFO, "Send my system info"), 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    m_pPrivacy = AddControl(IDC_SUPPORT_PRIVACY, new CInfoRichEdit(this));
    m_pPrivacy->setFixedHeight(62);
    m_pPrivacy->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_pPrivacy);
    auto* dontShowRow = new QHBoxLayout;
    dontShowRow->addWidget(CreateCheckBox(IDC_SUPPORT_DONTSHOW, ""));
    m_pDontShowPane = AddControl(IDC_SUPPORT_DONTSHOW_INFO, new CInfoRichEdit(this));
    m_pDontShowPane->setFixedHeight(24);
    dontShowRow->addWidget(m_pDontShowPane, 1);
    layout->addLayout(dontShowRow);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    if (QWidget* ok = GetDlgItem(IDOK))
        SetControlText(ok, "Create");
    BindCommand(IDC_SUPPORT_SEND_EMAIL, [this] { UpdateEnabling(); });
    BindCommand(IDC_SUPPORT_SEND_NAME, [this] { UpdateEnabling(); });
}

CSupportDlg::~CSupportDlg()
{
    // Only a dialog the user saw says whether to show it again.
    if (!m_csDontShowKey.IsEmpty() && m_bShown) {
        auto* box = qobject_cast<QCheckBox*>(GetDlgItem(IDC_SUPPORT_DONTSHOW));
        CorraApp().WriteProfileInt(kDontShowSection, m_csDontShowKey, box && box->isChecked() ? 1 : 0);
    }
}

INT_PTR CSupportDlg::DoModal()
{
    if (m_bDontShow)
        return IDCANCEL;
    return CDialog::DoModal();
}

void CSupportDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SUPPORT_SEND_EMAIL, m_bSendEmail);
    DDX_Check(pDX, IDC_SUPPORT_SEND_LOG, m_bSendErrorLog);
    DDX_Check(pDX, IDC_SUPPORT_SEND_NAME, m_bSendName);
    DDX_Check(pDX, IDC_SUPPORT_SEND_SYSINFO, m_bSendSysInfo);
    DDX_Text(pDX, IDC_SUPPORT_EMAIL, m_csEmail);
    DDX_Text(pDX, IDC_SUPPORT_NAME, m_csName);
    DDX_Text(pDX, IDC_SUPPORT_MESSAGE, m_csMessage);
}

BOOL CSupportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bShown = TRUE;
    // Without a key the don't-show row is left out of the window.
    if (m_csDontShowKey.IsEmpty()) {
        if (QWidget* box = GetDlgItem(IDC_SUPPORT_DONTSHOW))
            box->hide();
        m_pDontShowPane->hide();
    }
    if (QWidget* cancel = GetDlgItem(IDCANCEL))
        SetControlText(cancel, m_csCancelCaption);
    SetWindowText(m_csCaption);
    m_pInstructions->Init(2, 0x742A1C, m_nInstructionId, ::GetSysColor(COLOR_3DFACE));
    m_pPrivacy->InitPoints(8, RGB(0, 0, 0), IDS_SUPPORT_PRIVACY, ::GetSysColor(COLOR_3DFACE));
    m_pDontShowPane->InitPoints(8, RGB(255, 255, 0), IDS_SUPPORT_DONTSHOW, RGB(0, 0, 0));
    CSupportMailParams params;
    GetSupportMailParams(params);
    if (m_csName.IsEmpty())
        m_csName = params.userName;
    if (m_csEmail.IsEmpty())
        m_csEmail = params.userEmail;
    UpdateData(FALSE);
    UpdateEnabling();
    return TRUE;
}

void CSupportDlg::UpdateEnabling()
{
    auto checked = [this](int nID) {
        auto* box = qobject_cast<QCheckBox*>(GetDlgItem(nID));
        return box && box->isChecked();
    };
    if (QWidget* name = GetDlgItem(IDC_SUPPORT_NAME))
        name->setEnabled(checked(IDC_SUPPORT_SEND_NAME));
    if (QWidget* email = GetDlgItem(IDC_SUPPORT_EMAIL))
        email->setEnabled(checked(IDC_SUPPORT_SEND_EMAIL));
}

CString CSupportDlg::ComposeBody()
{
    CString name = m_csName;
    name.TrimLeft();
    if (name.IsEmpty() || !m_bSendName)
        name = "Unknown";
    CString logLines;
    if (m_bSendErrorLog) {
        CStringList lines;
        GetLogLines(lines, TRUE);
        for (POSITION pos = lines.GetHeadPosition(); pos;)
            logLines += "\n" + lines.GetNext(pos);
    }
    CString message = m_csMessage;
    message.Trim();
    if (message.IsEmpty())
        message = "<empty message>";
    CString body = "\n\n";
    body += "User:  " + name + "\n";
    body += "Company:  " + RegValue("User", "Company", "") + "\n";
    body += "\n\n" + kSeparator + "Quorvale Info\n\n";
    body += "Version   " + GetFileVersionText() + "\n";
    body += "\n\n" + kSeparator + "User's Message\n\n" + message;
    body += "\n\n" + kSeparator + "Log\n\n" + logLines + "\n\n";
    return body;
}

BOOL CSupportDlg::DoSend()
{
    const CString body = ComposeBody();
    CSupportMailParams params;
    if (!GetSupportMailParams(params)) {
        LogOutput("CSupportDlg::DoSend() - failed to ::GetSupportMailParams()", 1, LOG_HERE);
        return FALSE;
    }
    LogOutput("CSupportDlg::DoSend() - calling DoMailTo()", 3, LOG_HERE);
    // The whole subject and body are escaped (a "&" or "#" in the message would end it early)
    // and the address is cut whole escapes at a time.
    if (!SendEmail(params.supportEmail, "QV User Message", body)) {
        LogOutput("ShellExecute (QV User message) failed...", 1, LOG_HERE);
        AfxMessageBox("Failed mailto cmd");
        return FALSE;
    }
    return TRUE;
}

void CSupportDlg::OnOK()
{
    UpdateData(TRUE);
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt(kSection, "SendEmailAddr", m_bSendEmail);
    app.WriteProfileInt(kSection, "SendErrorLog", m_bSendErrorLog);
    app.WriteProfileInt(kSection, "SendName", m_bSendName);
    app.WriteProfileInt(kSection, "SendSysInfo", m_bSendSysInfo);
    app.WriteProfileString(kSection, "EmailAddr", m_csEmail);
    app.WriteProfileString(kSection, "Name", m_csName);
    BOOL bSent = FALSE;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        bSent = DoSend();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        LogOutput(CString("CSupportDlg::OnOK() - ") + e.what(), 1, LOG_HERE);
        AfxMessageBox(e.what());
        return;
    }
    QApplication::restoreOverrideCursor();
    // A mail that never reached the mail program keeps the message here to try again.
    if (bSent)
        EndDialog(IDOK);
}

namespace {

BOOL OfferSupport(UINT offerId, UINT sendId, LPCSTR subject, LPCSTR text)
{
    CRichMessage msg;
    msg.title = "We can help...";
    msg.style = RMB_YESNO;
    msg.paneId[0] = offerId;
    msg.paneId[1] = sendId;
    msg.yes = "Send Now";
    msg.no = "Close";
    if (RichMessageBox(msg) != IDYES)
        return FALSE;
    CSupportMailParams params;
    GetSupportMailParams(params);
    return SendEmail(params.supportEmail, subject, LoadStringId(IDS_MAIL_ATTACH) + (text ? text : ""));
}

} // namespace

BOOL OfferConversionSupport(LPCSTR text)
{
    return OfferSupport(IDS_CONVERT_OFFER, IDS_CONVERT_SEND, "Convert my file(s)", text);
}

BOOL OfferRecoverySupport(LPCSTR text)
{
    return OfferSupport(IDS_RECOVER_OFFER, IDS_RECOVER_SEND, "Fix my file(s)", text);
}
