#include "dialogs/AddFormsDlg.h"

#include "dialogs/QuestionIdentifyDlg.h"

#include "model/DocText.h"
#include "model/ExamDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/ManageDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const char* const kFormatErrorTitle = "Form name format error";
}

CAddFormsDlg::CAddFormsDlg(CWnd* pParent) : CDialog(IDD_ADD_FORMS, pParent)
{
    setWindowTitle("Add Exam Form(s)");
    QLineEdit* number = CreateEdit(IDC_AF_NUM_FORMS);
    QLineEdit* format = CreateEdit(IDC_AF_FORMAT);
    number->setMaximumWidth(60);
    format->setMinimumWidth(180);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("&Number of new forms:", 0, number), 0, 0);
    grid->addWidget(number, 0, 1, Qt::AlignLeft);
    grid->addWidget(CreateStatic("Form name &format:", 0, format), 1, 0);
    grid->addWidget(format, 1, 1);
    grid->addWidget(CreateCheckBox(IDC_AF_SCRAMBLE, "&Scramble choices"), 2, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

BOOL CAddFormsDlg::OnInitDialog()
{
    m_nMaxForms = std::min(m_nMaxForms, static_cast<int>(MAX_NEW_FORMS));
    return CDialog::OnInitDialog();
}

void CAddFormsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_AF_NUM_FORMS, m_nNumForms);
    DDX_Text(pDX, IDC_AF_FORMAT, m_csFormat);
    DDX_Check(pDX, IDC_AF_SCRAMBLE, m_bScramble);
}

void CAddFormsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    auto refuse = [this](const CString& text, const char* title, int focus) {
        MessageBoxService().Show(text, title, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(focus));
    };
    if (!IsValidFormNameFormat(m_csFormat)) {
        refuse(LoadStringId(IDS_FORM_NAME_FORMAT), kFormatErrorTitle, IDC_AF_FORMAT);
        return;
    }
    // A form's name is a collection name in the file, where these would end its block.
    if (!IsBlockSafeText(m_csFormat, TRUE)) {
        refuse("Form names cannot contain \"{\", \"}\" or \"||\".", kFormatErrorTitle, IDC_AF_FORMAT);
        return;
    }
    if (m_nNumForms > m_nMaxForms) {
        CString text;
        text.Format(LoadStringId(IDS_MAX_FORMS), m_nMaxForms);
        refuse(text, CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS);
        return;
    }
    if (m_nNumForms <= 0) {
        refuse("Number of forms must be greater than zero.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS);
        return;
    }
    EndDialog(IDOK);
}

BOOL CExamQuestionDialogs::AddForms(CExamDoc&, CAddFormsValues& values)
{
    CAddFormsDlg dlg(m_pParent);
    dlg.m_nNumForms = values.numForms;
    dlg.m_csFormat = values.format;
    dlg.m_nMaxForms = values.maxForms;
    dlg.m_bScramble = values.scramble;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    values.numForms = dlg.m_nNumForms;
    values.format = dlg.m_csFormat;
    values.scramble = dlg.m_bScramble;
    return TRUE;
}
