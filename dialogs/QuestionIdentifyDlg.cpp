#include "dialogs/QuestionIdentifyDlg.h"

#include "model/ExamDoc.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/QuestionTools.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

CQuestionIdentifyDlg::CQuestionIdentifyDlg(CExamDoc* pExam, CWnd* pParent)
    : CDialog(IDD_QUESTION_IDENTIFY, pParent), m_pExam(pExam)
{
    setWindowTitle("Question Identify");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    QCheckBox* fixed = CreateCheckBox(IDC_QI_FIXED, "&Fixed Position");
    QLineEdit* position = CreateEdit(IDC_QI_POSITION);
    position->setMaximumWidth(80);
    grid->addWidget(fixed, 0, 0, 1, 3);
    grid->addWidget(CreateStatic("Fixed &Position:", 0, position), 1, 0);
    grid->addWidget(position, 1, 1);
    grid->addWidget(CreateButton(IDC_QI_AT_END, "Position At &End"), 1, 2);
    grid->addWidget(CreateCheckBox(IDC_QI_IDENTITY, "Form &Identity Question"), 2, 0, 1, 3);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    BindNotify(IDC_QI_FIXED, BN_CLICKED, [this] { OnFixed(); });
    BindNotify(IDC_QI_AT_END, BN_CLICKED, [this] { OnPositionAtEnd(); });
    MakeFixedSize();
}

BOOL CQuestionIdentifyDlg::OnInitDialog()
{
    m_bStartFixed = m_bFixed;
    m_bStartIdentity = m_bIdentity;
    m_nStartPosition = m_nPosition;
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CQuestionIdentifyDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_QI_FIXED, m_bFixed);
    DDX_Check(pDX, IDC_QI_IDENTITY, m_bIdentity);
    // A position only counts while it is fixed; what stands in the disabled field is left.
    if (!pDX->m_bSaveAndValidate || m_bFixed) {
        DDX_Text(pDX, IDC_QI_POSITION, m_nPosition);
        DDV_MinMaxInt(pDX, m_nPosition, 0, INT_MAX);
    }
}

void CQuestionIdentifyDlg::UpdateControls()
{
    const BOOL fixed = IsDlgButtonChecked(IDC_QI_FIXED);
    EnableDlgItem(IDC_QI_POSITION, fixed);
    EnableDlgItem(IDC_QI_AT_END, fixed);
}

void CQuestionIdentifyDlg::OnFixed()
{
    UpdateControls();
}

void CQuestionIdentifyDlg::OnPositionAtEnd()
{
    if (m_pExam)
        SetDlgItemInt(IDC_QI_POSITION, m_pExam->GetLastAvailableUnfixedPos());
}

void CQuestionIdentifyDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pExam && m_bFixed) {
        const BOOL check = !m_bStartFixed || m_nPosition != m_nStartPosition;
        if (check && !m_pExam->ValidateFixedPosition(m_nPosition)) {
            GotoDlgCtrl(GetDlgItem(IDC_QI_POSITION));
            return;
        }
    }
    if (m_pExam && m_bIdentity && !m_bStartIdentity && !m_pExam->ConfirmSingleIdentity())
        return;
    EndDialog(IDOK);
}

BOOL CExamQuestionDialogs::QuestionIdentify(CExamDoc& exam, BOOL& fixed, BOOL& identity, int& position)
{
    CQuestionIdentifyDlg dlg(&exam, m_pParent);
    dlg.m_bFixed = fixed;
    dlg.m_bIdentity = identity;
    dlg.m_nPosition = position;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fixed = dlg.m_bFixed;
    identity = dlg.m_bIdentity;
    position = dlg.m_nPosition;
    return TRUE;
}
