#include "dialogs/CorraPropertiesDlg.h"

#include "dialogs/QuestionDialogs.h"
#include "dialogs/QuestionIdentifyDlg.h"

#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "model/DocText.h"
#include "platform/core/Time.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "res/ids/ManageDialogs.h"
#include "shell/HVListCtrl.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CCorraPropertiesDlg::CCorraPropertiesDlg(CWnd* pParent) : CDialog(IDD_CORRA_PROPERTIES, pParent)
{
    QLineEdit* title = CreateEdit(IDC_FP_TITLE);
    QLineEdit* description = CreateEdit(IDC_FP_DESCRIPTION);
    QLineEdit* location = CreateEdit(IDC_FP_LOCATION);
    location->setReadOnly(true);
    title->setMinimumWidth(360);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(CreateStatic("Title", IDC_FP_TITLE_LABEL, title), row, 0);
    grid->addWidget(title, row++, 1, 1, 3);
    grid->addWidget(CreateStatic("Description", IDC_FP_DESCRIPTION_LABEL, description), row, 0);
    grid->addWidget(description, row++, 1, 1, 3);
    grid->addWidget(CreateStatic("Location"), row, 0);
    grid->addWidget(location, row++, 1, 1, 3);
    grid->addWidget(CreateStatic("Questions:"), row, 0);
    grid->addWidget(CreateStatic("", IDC_FP_QUESTIONS), row, 1);
    grid->addWidget(CreateStatic("Date Created: "), row, 2);
    grid->addWidget(CreateStatic("", IDC_FP_CREATED), row++, 3);
    grid->addWidget(CreateStatic("Collections:", IDC_FP_COLLECTIONS_LABEL), row, 0);
    grid->addWidget(CreateStatic("", IDC_FP_COLLECTIONS), row, 1);
    grid->addWidget(CreateStatic("Date Last Modified: "), row, 2);
    grid->addWidget(CreateStatic("", IDC_FP_MODIFIED), row++, 3);
    grid->addWidget(CreateStatic("Corra ID:", IDC_FP_CORRA_ID_LABEL), row, 0);
    grid->addWidget(CreateStatic("", IDC_FP_CORRA_ID), row++, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_pLinks = AddControl(IDC_FP_LINKS, new CHVListCtrl(this));
    m_pLinks->setMinimumHeight(120);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(CreateStatic("Link Info", IDC_FP_LINKS_LABEL, m_pLinks));
    layout->addWidget(m_pLinks, 1);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
}

void CCorraPropertiesDlg::SetProperties(const CFileProperties& props)
{
    m_csCaption = props.caption;
    m_csTitleLabel = props.title1Label;
    m_csDescriptionLabel = props.title2Label;
    m_csCollectionsLabel = props.countLabel;
    m_csTitle = props.title1;
    m_csDescription = props.title2;
    m_csNumQuestions = props.questionCount;
    m_csNumCollections = props.collectionCount;
    m_csCorraId = props.corraId;
    m_csFilePath = props.path;
    m_saLinks.RemoveAll();
    for (int i = 0; i < props.linkedFiles.GetSize(); ++i)
        m_saLinks.Add(props.linkedFiles[i]);
}

void CCorraPropertiesDlg::GetTitles(CFileProperties& props) const
{
    props.title1 = m_csTitle;
    props.title2 = m_csDescription;
}

CString CCorraPropertiesDlg::FormatFileTime(long long secondsSinceEpoch)
{
    return CTime(static_cast<std::time_t>(secondsSinceEpoch)).Format("%m/%d/%Y %I:%M %p");
}

BOOL CCorraPropertiesDlg::GetFileDates(const CString& path, CString& created, CString& modified)
{
    // Read from the file's entry: the file is never opened, so a locked one shows its dates too.
    const QFileInfo info(ToQString(path));
    if (path.IsEmpty() || !info.exists())
        return FALSE;
    modified = FormatFileTime(info.lastModified().toSecsSinceEpoch());
    // Only a real birth time: another time passed off as the creation would mislead.
    const QDateTime born = info.birthTime();
    created = born.isValid() ? FormatFileTime(born.toSecsSinceEpoch()) : CString();
    return TRUE;
}

BOOL CCorraPropertiesDlg::OnInitDialog()
{
    if (!m_csFilePath.IsEmpty()) {
        GetFileDates(m_csFilePath, m_csDateCreated, m_csDateModified);
        // Outside the program home this is the full path.
        GetServerRelativePath(m_csLocation, m_csFilePath);
    }
    SetDlgItemText(IDC_FP_TITLE_LABEL, m_csTitleLabel);
    SetDlgItemText(IDC_FP_DESCRIPTION_LABEL, m_csDescriptionLabel);
    SetDlgItemText(IDC_FP_COLLECTIONS_LABEL, m_csCollectionsLabel);
    CDialog::OnInitDialog();
    SetWindowText(m_csCaption);
    const BOOL links = m_saLinks.GetSize() > 0;
    ShowDlgItem(IDC_FP_LINKS, links ? SW_SHOW : SW_HIDE);
    ShowDlgItem(IDC_FP_LINKS_LABEL, links ? SW_SHOW : SW_HIDE);
    ShowDlgItem(IDC_FP_CORRA_ID, links ? SW_HIDE : SW_SHOW);
    ShowDlgItem(IDC_FP_CORRA_ID_LABEL, links ? SW_HIDE : SW_SHOW);
    if (links) {
        m_pLinks->SetDocType(DT_CORRA);
        m_pLinks->AddFiles(m_saLinks);
        // Few rows: every cell can show whole.
        for (int col = 0; col < m_pLinks->GetColumnCount(); ++col)
            m_pLinks->SetColumnWidth(col, LVSCW_AUTOSIZE_USEHEADER);
        m_pLinks->setMinimumWidth(std::min(m_pLinks->sizeHint().width(), 760));
    }
    // Long titles and paths show from their start.
    for (int id : {IDC_FP_TITLE, IDC_FP_DESCRIPTION, IDC_FP_LOCATION})
        GetDlgItemAs<QLineEdit>(id)->setCursorPosition(0);
    // The layout leaves out what is hidden: without links the dialog is that much shorter.
    adjustSize();
    return TRUE;
}

void CCorraPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    // The titles are kept in brace blocks of the file, which a brace would end early.
    auto title = [pDX](int nID, CString& value, const CString& label) {
        DDX_Text(pDX, nID, value);
        if (pDX->m_bSaveAndValidate && !IsBlockSafeText(value)) {
            CString name = label;
            name.TrimRight(": ");
            pDX->Fail(name + " cannot contain \"{\" or \"}\".");
        }
    };
    title(IDC_FP_TITLE, m_csTitle, m_csTitleLabel);
    title(IDC_FP_DESCRIPTION, m_csDescription, m_csDescriptionLabel);
    DDX_Text(pDX, IDC_FP_QUESTIONS, m_csNumQuestions);
    DDX_Text(pDX, IDC_FP_COLLECTIONS, m_csNumCollections);
    DDX_Text(pDX, IDC_FP_MODIFIED, m_csDateModified);
    DDX_Text(pDX, IDC_FP_CREATED, m_csDateCreated);
    DDX_Text(pDX, IDC_FP_LOCATION, m_csLocation);
    DDX_Text(pDX, IDC_FP_CORRA_ID, m_csCorraId);
}

BOOL RunFilePropertiesDialog(CFileProperties& props, CWnd* pParent)
{
    CCorraPropertiesDlg dlg(pParent);
    dlg.SetProperties(props);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    dlg.GetTitles(props);
    return TRUE;
}

BOOL CQuestionDialogs::FileProperties(CCorraDoc&, CFileProperties& props)
{
    return RunFilePropertiesDialog(props, m_pParent);
}

BOOL CExamQuestionDialogs::FileProperties(CExamDoc&, CExamFileProperties& props)
{
    return RunFilePropertiesDialog(props, m_pParent);
}
