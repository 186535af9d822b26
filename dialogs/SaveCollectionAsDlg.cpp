#include "dialogs/SaveCollectionAsDlg.h"

#include "model/DocText.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/ManageDialogs.h"

#include <QLabel>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CSaveCollectionAsDlg::CSaveCollectionAsDlg(CWnd* pParent, BOOL bCollectionNotAllowed)
    : CDialog(IDD_SAVE_COLLECTION_AS, pParent),
      m_nChoice(bCollectionNotAllowed ? SAVE_AS_CORRA : SAVE_AS_COLLECTION),
      m_bCollectionNotAllowed(bCollectionNotAllowed)
{
    setWindowTitle("Save Collection As...");
    QLineEdit* name = CreateEdit(IDC_SCA_COLLECTION_NAME);
    QLineEdit* file = CreateEdit(IDC_SCA_FILE_NAME);
    name->setMinimumWidth(240);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateRadioButton(IDC_SCA_AS_COLLECTION, "Save as a &Collection", TRUE), 0, 0, 1, 2);
    grid->addWidget(CreateStatic("Collection &name:", 0, name), 1, 0);
    grid->addWidget(name, 1, 1);
    grid->addWidget(CreateRadioButton(IDC_SCA_AS_CORRA, "Save as a &Question Corra"), 2, 0, 1, 2);
    grid->addWidget(CreateStatic("&File name:", 0, file), 3, 0);
    grid->addWidget(file, 3, 1);
    grid->setColumnMinimumWidth(0, 120);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    BindNotify(IDC_SCA_AS_COLLECTION, BN_CLICKED, [this] { UpdateControls(); });
    BindNotify(IDC_SCA_AS_CORRA, BN_CLICKED, [this] { UpdateControls(); });
    MakeFixedSize();
}

BOOL CSaveCollectionAsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CSaveCollectionAsDlg::UpdateControls()
{
    EnableDlgItem(IDC_SCA_COLLECTION_NAME, IsDlgButtonChecked(IDC_SCA_AS_COLLECTION));
    EnableDlgItem(IDC_SCA_FILE_NAME, IsDlgButtonChecked(IDC_SCA_AS_CORRA));
    EnableDlgItem(IDC_SCA_AS_COLLECTION, !m_bCollectionNotAllowed);
}

void CSaveCollectionAsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_SCA_AS_COLLECTION, m_nChoice);
    DDX_Text(pDX, IDC_SCA_COLLECTION_NAME, m_csCollectionName);
    if (pDX->m_bSaveAndValidate && m_nChoice == SAVE_AS_COLLECTION) {
        m_csCollectionName.Trim();
        if (m_csCollectionName.IsEmpty())
            pDX->Fail("Collection name not specified.");
        // The name is kept in a brace block of the file, where these would end it.
        if (!IsBlockSafeText(m_csCollectionName, TRUE))
            pDX->Fail("A collection name cannot hold \"{\", \"}\" or \"||\".");
    }
    DDX_Text(pDX, IDC_SCA_FILE_NAME, m_csFileName);
    if (pDX->m_bSaveAndValidate && m_nChoice == SAVE_AS_CORRA) {
        m_csFileName.Trim();
        if (m_csFileName.IsEmpty())
            pDX->Fail("File name not specified.");
        // A name, not a path: the bank goes into the folder the view chooses.
        if (m_csFileName.Find('/') >= 0)
            pDX->Fail("A file name cannot hold \"/\".");
    }
}
