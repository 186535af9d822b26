#include "dialogs/ChoicesFormatDlg.h"

#include "platform/core/Profile.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/QuestionTools.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char kSection[] = "Choices";
const char kKey[] = "Case";
}  // namespace

CChoicesFormatDlg::CChoicesFormatDlg(CWnd* pParent) : CDialog(IDD_CHOICES_FORMAT, pParent)
{
    setWindowTitle("Choices Format");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(CreateRadioButton(IDC_CF_LOWER, "&Lower case letters (a. b. c....etc)", TRUE));
    inner->addWidget(CreateRadioButton(IDC_CF_UPPER, "&Upper case letters (A. B. C....etc)"));
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

BOOL CChoicesFormatDlg::OnInitDialog()
{
    CProfileStore& profile = AppProfile();
    if (!profile.HasKey(kSection, kKey))
        profile.WriteInt(kSection, kKey, 0);
    m_nCase = profile.GetInt(kSection, kKey, 0) == 1 ? 1 : 0;
    return CDialog::OnInitDialog();
}

void CChoicesFormatDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_CF_LOWER, m_nCase);
}

void CChoicesFormatDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    AppProfile().WriteInt(kSection, kKey, m_nCase);
    EndDialog(IDOK);
}
