#include "controls/PromptDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/LogException.h"
#include "foundation/Log.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace {
constexpr COLORREF kMessageColor = 0x742A1C;
// The message pane, in pixels: its width, and the height beyond which a long message scrolls.
constexpr int kMessageWidth = 320;
constexpr int kMaxMessageHeight = 160;
}

CPromptDlg::CPromptDlg(CWnd* pParent) : CFixedFontDialog(IDD_PROMPT, pParent)
{
    m_nTemplateId = IDD_PROMPT;
    m_pMessage = AddControl(IDC_PROMPT_MESSAGE, new CInfoRichEdit(this));
    m_pMessage->setFixedWidth(kMessageWidth);
    m_pEdit = CreateEdit(IDC_PROMPT_EDIT);
    QLabel* label = CreateStatic("&Text:", 0, m_pEdit);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_pEdit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pMessage);
    layout->addLayout(field);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    MakeFixedSize();

    BindNotify(IDC_PROMPT_EDIT, EN_CHANGE, [this] { UpdateOkButton(); });
}

void CPromptDlg::DoDataExchange(CDataExchange* pDX)
{
    CFixedFontDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_EDIT, m_csText);
}

BOOL CPromptDlg::OnInitDialog()
{
    try {
        CFixedFontDialog::OnInitDialog();
        m_csStartText = m_csText;
        m_pMessage->Init(2, kMessageColor, 0, GetSysColor(COLOR_3DFACE));
        m_pMessage->SetPaneText(m_csMessage);
        m_pMessage->FitHeightToText(kMaxMessageHeight);
        // Typing replaces the starting text.
        GotoDlgCtrl(m_pEdit);
        UpdateOkButton();
        EnableDlgItem(IDHELP, m_bHelp);
        SetWindowText(m_csTitle.IsEmpty() ? m_csMessage : m_csTitle);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return TRUE;
}

void CPromptDlg::UpdateOkButton()
{
    if (!m_bRequireChange)
        return;
    BOOL bChanged = m_pEdit->isModified() && FromQString(m_pEdit->text()) != m_csStartText;
    EnableDlgItem(IDOK, bChanged);
}
