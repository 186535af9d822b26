#include "app/AboutDlg.h"

#include "app/Pictures.h"
#include "app/VersionText.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"
#include "res/ids/App.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent)
{
    setWindowTitle(QStringLiteral("About Quorvale"));
    auto* outer = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    texts->addWidget(CreateStatic("", IDC_ABOUT_VERSION));
    texts->addWidget(CreateStatic("", IDC_ABOUT_BUILD));
    QLabel* site = CreateStatic("", IDC_ABOUT_SITE);
    site->setTextFormat(Qt::RichText);
    site->setOpenExternalLinks(true);
    texts->addWidget(site);
    // Kept for the other pane and its label, which this box does not show.
    QLabel* other = CreateStatic("", IDC_ABOUT_PANE2);
    QLabel* otherLabel = CreateStatic("", IDC_ABOUT_LABEL2);
    other->hide();
    otherLabel->hide();
    texts->addWidget(other);
    texts->addWidget(otherLabel);
    row->addLayout(texts, 1);
    outer->addLayout(row);
    outer->addWidget(CreateButtonBox({IDOK}));
    MakeFixedSize();
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_VERSION, "Quorvale version   " + GetProductVersionText(FALSE));
    SetDlgItemText(IDC_ABOUT_BUILD, "Build date:   " + BuildTimeStamp());
    // The information pane: the address in the program's blue on the dialog's face.
    CString html;
    html.Format("<span style=\"color:#1C2A74\">Visit our site at: <a href=\"https://%s\" "
                "style=\"color:#1C2A74\">%s</a></span>",
                CORRA_WEB_ADDRESS, CORRA_WEB_ADDRESS);
    if (auto* site = GetDlgItemAs<QLabel>(IDC_ABOUT_SITE))
        site->setText(ToQString(html));
    return TRUE;
}
