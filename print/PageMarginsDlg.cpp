#include "print/PageMarginsDlg.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "res/ids/Print.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPageMarginsDlg::CPageMarginsDlg(LPCSTR caption, CWnd* pParent)
    : CFixedFontDialog(IDD_PAGE_MARGINS, pParent), m_csCaption(caption ? caption : "")
{
    m_nTemplateId = IDD_PAGE_MARGINS;
    setWindowTitle(QStringLiteral("Print Page Setup"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Margins (inches)"), this), 0, 0, 1, 4);
    struct Field {
        UINT id;
        const char* label;
        int row;
        int column;
    };
    for (const Field& f : {Field{IDC_MARGIN_LEFT, "&Left:", 1, 0}, Field{IDC_MARGIN_RIGHT, "&Right:", 1, 2},
                           Field{IDC_MARGIN_TOP, "&Top:", 2, 0}, Field{IDC_MARGIN_BOTTOM, "&Bottom:", 2, 2}}) {
        QLineEdit* edit = CreateEdit(f.id);
        edit->setMaximumWidth(80);
        grid->addWidget(CreateStatic(f.label, 0, edit), f.row, f.column);
        grid->addWidget(edit, f.row, f.column + 1);
    }
    layout->addLayout(grid);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
}

BOOL CPageMarginsDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    if (!m_csCaption.IsEmpty())
        setWindowTitle(ToQString(m_csCaption));
    return TRUE;
}

void CPageMarginsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_MARGIN_BOTTOM, m_dBottom);
    DDV_MinMaxDouble(pDX, m_dBottom, 0.0, 4.25);
    DDX_Text(pDX, IDC_MARGIN_LEFT, m_dLeft);
    DDX_Text(pDX, IDC_MARGIN_RIGHT, m_dRight);
    DDX_Text(pDX, IDC_MARGIN_TOP, m_dTop);
}
