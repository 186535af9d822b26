#include "dialogs/InstructionsDlg.h"

#include "controls/FloatEditTB.h"
#include "controls/HVRichEditCtrl.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "platform/ui/CmdTarget.h"
#include "render/FontMgr.h"
#include "res/ids/QuestionTools.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CInstructionsDlg::CInstructionsDlg(CWnd* pParent, LPCSTR pszRtf)
    : CDialog(IDD_INSTRUCTIONS, pParent), m_csText(pszRtf ? pszRtf : "")
{
    Build();
}

CInstructionsDlg::CInstructionsDlg(CDialog* pOwner, int nIndex, LPCSTR pszRtf, CWnd* pParent)
    : CDialog(IDD_INSTRUCTIONS, pParent ? pParent : pOwner), m_csText(pszRtf ? pszRtf : ""), m_nIndex(nIndex),
      m_pOwner(pOwner)
{
    Build();
}

void CInstructionsDlg::Build()
{
    setWindowTitle("Instructions");
    auto* layout = new QVBoxLayout(this);
    m_pPane = AddControl(IDC_INSTRUCTIONS_PANE, new CHVRichEditCtrl(this));
    m_pPane->setAccessibleName("Instructions");
    m_pPane->setMinimumSize(440, 220);
    layout->addWidget(CreateStatic("&Enter Instructions", 0, m_pPane));
    layout->addWidget(m_pPane, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_INSTRUCTIONS_FONT, "&Font..."));
    buttons->addStretch();
    buttons->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    layout->addLayout(buttons);

    BindNotify(IDC_INSTRUCTIONS_FONT, BN_CLICKED, [this] { OnFont(); });
    // The Font Manager may be missing (tests, a reduced program): the button follows it.
    BindUpdate(IDC_INSTRUCTIONS_FONT,
               [](CCmdUI* ui) { ui->Enable(FontManagerDialogSlot().Get().IsAvailable()); });
}

BOOL CInstructionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pPane->SetEventMask(m_pPane->GetEventMask() | ENM_CHANGE | ENM_SELCHANGE);
    m_pPane->SetDefaultFontSlot(FM_INSTRUCTIONS);
    m_pPane->SetText(m_csText, SF_RTF, FM_INSTRUCTIONS);
    EnableDlgItem(IDC_INSTRUCTIONS_FONT, FontManagerDialogSlot().Get().IsAvailable());
    return TRUE;
}

void CInstructionsDlg::OnFont()
{
    if (FontManagerDialogSlot().Get().Run(FM_INSTRUCTIONS, this))
        m_pPane->ReapplyText();
}

void CInstructionsDlg::OnOK()
{
    m_pPane->StreamOutText(m_csText, SF_RTF);
    EndDialog(IDOK);
}

BOOL CExamQuestionDialogs::Instructions(CExamDoc&, CString& rtf)
{
    CInstructionsDlg dlg(m_pParent, rtf);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    rtf = dlg.m_csText;
    return TRUE;
}
