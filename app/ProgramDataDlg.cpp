#include "app/ProgramDataDlg.h"

#include "dialogs/MasterLists.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "res/ids/Folders.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CProgramDataDlg::CProgramDataDlg(CWnd* pParent)
    : CFixedFontDialog(IDD_PROGRAM_DATA, pParent), m_csSubjectsFile(GetMasterFileName(SubjectList())),
      m_csTextbooksFile(GetMasterFileName(TextbookList()))
{
    m_nTemplateId = IDD_PROGRAM_DATA;
    setWindowTitle(QStringLiteral("Program Data"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Master Lists"), this);
    auto* grid = new QGridLayout(group);
    struct Row {
        int nField;
        const char* label;
        int nBrowse;
        int nEdit;
    };
    const Row rows[] = {{IDC_PDATA_SUBJECTS, "&Subjects File:", IDC_PDATA_SUBJECTS_BROWSE, IDC_PDATA_SUBJECTS_EDIT},
                        {IDC_PDATA_TEXTBOOKS, "&Textbooks File:", IDC_PDATA_TEXTBOOKS_BROWSE, IDC_PDATA_TEXTBOOKS_EDIT}};
    int r = 0;
    for (const Row& row : rows) {
        QLineEdit* edit = CreateEdit(row.nField);
        edit->setMinimumWidth(260);
        grid->addWidget(CreateStatic(row.label, 0, edit), r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(CreateButton(row.nBrowse, "Browse..."), r, 2);
        grid->addWidget(CreateButton(row.nEdit, "Edit..."), r, 3);
        ++r;
    }
    auto* note = new QLabel(QStringLiteral("A name is looked up in the data folder; a file kept elsewhere is "
                                           "named by its full path."),
                            group);
    note->setWordWrap(true);
    grid->addWidget(note, r, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));

    BindCommand(IDC_PDATA_SUBJECTS_BROWSE, [this] { OnBrowseSubjects(); });
    BindCommand(IDC_PDATA_TEXTBOOKS_BROWSE, [this] { OnBrowseTextbooks(); });
    BindCommand(IDC_PDATA_SUBJECTS_EDIT, [this] { OnEditSubjects(); });
    BindCommand(IDC_PDATA_TEXTBOOKS_EDIT, [this] { OnEditTextbooks(); });
}

BOOL CProgramDataDlg::OnInitDialog()
{
    return CFixedFontDialog::OnInitDialog();
}

void CProgramDataDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PDATA_SUBJECTS, m_csSubjectsFile);
    DDX_Text(pDX, IDC_PDATA_TEXTBOOKS, m_csTextbooksFile);
}

void CProgramDataDlg::Browse(int nField, const char* title)
{
    CFileChooserCall call;
    call.nType = DT_DATA;
    call.csTitle = title;
    call.csStartDir = CFileTypes::GetDefDir(DT_DATA);
    // The tree shows the data folder under the program folder, its subfolders open to browse.
    call.csRootDir = GetServerDirectory();
    call.csRootFilter = CFileTypes::Type2DirName(DT_DATA);
    if (FileChooser().Run(call) != IDOK || call.paths.empty())
        return;
    const CString& path = call.paths.front();
    if (!fsys::Exists(path))
        LogAssertion("::GetFileAttributes(csFullPath) != 0xFFFFFFFF", LOG_HERE);
    // Relative to the data folder where it lies in it, so that a file in a subfolder is found.
    SetDlgItemText(nField, MasterFileNameOf(path));
}

BOOL CProgramDataDlg::CheckExists(int nField)
{
    CString name = GetDlgItemText(nField);
    name.Trim();
    const CString path = MasterFilePathOf(name);
    if (!name.IsEmpty() && fsys::IsFile(path))
        return TRUE;
    LogOutput("CProgramDataDlg::OnOK() - selected file does not exist...", LOG_ERROR, LOG_HERE);
    LogOutput(path, LOG_ERROR, LOG_HERE);
    AfxMessageBox("Selected file does not exist\n\n" + name, MB_OK | MB_ICONERROR);
    return FALSE;
}

void CProgramDataDlg::Edit(const CMasterListKind& kind, int nField)
{
    if (!CheckExists(nField))
        return;
    CString name = GetDlgItemText(nField);
    name.Trim();
    if (!EditMasterListFile(kind, MasterFilePathOf(name)))
        LogOutput("CProgramDataDlg::Edit() - the list could not be edited", LOG_ERROR, LOG_HERE);
}

void CProgramDataDlg::OnBrowseSubjects()
{
    Browse(IDC_PDATA_SUBJECTS, "Select a file for Master Subjects List");
}

void CProgramDataDlg::OnBrowseTextbooks()
{
    Browse(IDC_PDATA_TEXTBOOKS, "Select a file for Master Textbooks List");
}

void CProgramDataDlg::OnEditSubjects()
{
    Edit(SubjectList(), IDC_PDATA_SUBJECTS);
}

void CProgramDataDlg::OnEditTextbooks()
{
    Edit(TextbookList(), IDC_PDATA_TEXTBOOKS);
}

void CProgramDataDlg::OnOK()
{
    if (!CheckExists(IDC_PDATA_SUBJECTS) || !CheckExists(IDC_PDATA_TEXTBOOKS))
        return;
    if (!UpdateData(TRUE))
        return;
    m_csSubjectsFile.Trim();
    m_csTextbooksFile.Trim();
    SetMasterFileName(SubjectList(), m_csSubjectsFile);
    SetMasterFileName(TextbookList(), m_csTextbooksFile);
    EndDialog(IDOK);
}

INT_PTR RunProgramData(CWnd* pParent)
{
    CProgramDataDlg dlg(pParent);
    return dlg.DoModal();
}
