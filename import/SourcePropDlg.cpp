#include "import/SourcePropDlg.h"

#include "import/SourceMgr.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/SourceView.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CSourcePropDlg::CSourcePropDlg(CWnd* pParent) : CDialog(IDD_SOURCE_PROPERTIES, pParent)
{
    setWindowTitle("Source File Properties");
    QLineEdit* location = CreateEdit(IDC_SOURCE_PROP_LOCATION);
    location->setReadOnly(true);
    location->setMinimumWidth(360);
    QLineEdit* title = CreateEdit(IDC_SOURCE_PROP_TITLE);
    QLineEdit* description = CreateEdit(IDC_SOURCE_PROP_DESCRIPTION);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("Location:", 0, location), 0, 0);
    grid->addWidget(location, 0, 1);
    grid->addWidget(CreateStatic("&Title:", 0, title), 1, 0);
    grid->addWidget(title, 1, 1);
    grid->addWidget(CreateStatic("&Description:", 0, description), 2, 0);
    grid->addWidget(description, 2, 1);
    grid->addWidget(CreateStatic("Paragraphs:"), 3, 0);
    grid->addWidget(CreateStatic("0", static_cast<int>(IDC_SOURCE_PROP_PARAGRAPHS)), 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

BOOL CSourcePropDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_SOURCE_PROP_PARAGRAPHS, CString::Formatted("%d", m_nParagraphs));
    return TRUE;
}

void CSourcePropDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SOURCE_PROP_LOCATION, m_csLocation);
    DDX_Text(pDX, IDC_SOURCE_PROP_TITLE, m_csTitle);
    DDX_Text(pDX, IDC_SOURCE_PROP_DESCRIPTION, m_csDescription);
}

int CountSourceParagraphs(LPCSTR text)
{
    int n = 0;
    LPCSTR first = nullptr;
    LPCSTR last = nullptr;
    for (LPCSTR pos = text ? text : ""; pos && *pos;) {
        pos = GetNextParagraph(pos, &first, &last, FALSE);
        if (!first)
            break;
        ++n;
    }
    return n;
}
