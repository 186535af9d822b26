#include "app/FolderSetupDlg.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "res/ids/Folders.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct KindRow {
    int nType;
    const char* key;  // the recent list lives in the section key + " MRU"
    UINT nCombo;
    UINT nButton;
};

constexpr KindRow kRows[CFolderSetupDlg::kKinds] = {
    {DT_CORRA, "CrrDefDir", IDC_FOLDER_CRR_COMBO, IDC_FOLDER_CRR_MANAGE},
    {DT_EXAM, "ExmDefDir", IDC_FOLDER_EXM_COMBO, IDC_FOLDER_EXM_MANAGE},
    {DT_SRC, "SrcDefDir", IDC_FOLDER_SRC_COMBO, IDC_FOLDER_SRC_MANAGE},
    {DT_DATA, "DataDefDir", IDC_FOLDER_DATA_COMBO, IDC_FOLDER_DATA_MANAGE},
    {DT_IMAGE, "ImgDefDir", IDC_FOLDER_IMG_COMBO, IDC_FOLDER_IMG_MANAGE},
};

// The chooser in folder mode with folders made, renamed, deleted and imported into.
constexpr DWORD kChooserStyle = FCS_FOLDER_MODE | FCS_DELETE | FCS_RENAME | FCS_RESERVED | FCS_CREATE2 | FCS_IMPORT |
                                FCS_CREATE_FOLDERS;
static_assert(kChooserStyle == 0x1F3);

CString WithSlash(const CString& folder)
{
    return folder.IsEmpty() || folder[folder.GetLength() - 1] == '/' ? folder : folder + "/";
}

int FindExact(const CMRUPathComboBox& combo, const CString& text)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        if (combo.GetLBText(i) == text)
            return i;
    }
    return -1;
}

} // namespace

CFolderSetupDlg::CFolderSetupDlg(CWnd* pParent) : CFixedFontDialog(IDD_FOLDER_SETUP, pParent)
{
    m_nTemplateId = IDD_FOLDER_SETUP;
    setWindowTitle(QStringLiteral("Manage Folders"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Choose the default folder for each kind of file. Folders are shown "
                                            "relative to the program folder."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* group = new QGroupBox(QStringLiteral("Default Folders"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kKinds; ++i) {
        const KindRow& row = kRows[i];
        m_pCombos[i] = AddControl(static_cast<int>(row.nCombo), new CMRUPathComboBox(this));
        m_pCombos[i]->setEditable(false);
        m_pCombos[i]->setMinimumWidth(300);
        const CString label = CFileTypes::Type2TypeDescr(row.nType, TRUE) + ":";
        grid->addWidget(CreateStatic(label, 0, m_pCombos[i]), i, 0);
        grid->addWidget(m_pCombos[i], i, 1);
        grid->addWidget(CreateButton(static_cast<int>(row.nButton), "Manage Folders..."), i, 2);
        BindCommand(row.nButton, [this, i] { OnManage(i); });
        BindNotify(row.nCombo, CBN_SELCHANGE, [this, i] { OnSelChange(i); });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
}

int CFolderSetupDlg::KindAt(int nIndex)
{
    return nIndex >= 0 && nIndex < kKinds ? kRows[nIndex].nType : 0;
}

CString CFolderSetupDlg::ComboTextOf(LPCSTR folder)
{
    CString rel;
    GetServerRelativePath(rel, folder);
    if (rel.IsEmpty())
        rel = fsys::NormalizeSeparators(folder ? folder : "");
    if (rel.Left(2) == "./")
        rel = rel.Mid(2);
    while (rel.GetLength() > 1 && rel[rel.GetLength() - 1] == '/')
        rel = rel.Left(rel.GetLength() - 1);
    // The program folder itself.
    return rel.IsEmpty() ? CString(".") : rel;
}

CString CFolderSetupDlg::FolderOfComboText(LPCSTR text)
{
    CString stored = text ? text : "";
    stored.Trim();
    if (fsys::IsAbsolute(stored))
        return WithSlash(fsys::NormalizeSeparators(stored));
    CString full;
    GetServerFullPath(full, stored == "." ? CString("./") : "./" + stored);
    return WithSlash(full);
}

BOOL CFolderSetupDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    for (int i = 0; i < kKinds; ++i) {
        CMRUPathComboBox& combo = *m_pCombos[i];
        combo.SetSection(CString(kRows[i].key) + " MRU");
        combo.SetEntryFormat("Dir%d");
        combo.SetMatchCase(TRUE);
        combo.SetMaxEntries(5);
        combo.SetAutoRefresh(TRUE);
        combo.Load();
        combo.Refill();
        m_csFolders[i] = CFileTypes::GetDefDir(kRows[i].nType);
        ShowFolder(i);
    }
    return TRUE;
}

void CFolderSetupDlg::ShowFolder(int nIndex)
{
    CMRUPathComboBox& combo = *m_pCombos[nIndex];
    const CString text = ComboTextOf(m_csFolders[nIndex]);
    if (FindExact(combo, text) < 0)
        combo.Add(text);
    combo.SetCurSel(FindExact(combo, text));
}

void CFolderSetupDlg::OnManage(int nIndex)
{
    const int nType = kRows[nIndex].nType;
    CFileChooserCall call;
    call.nType = nType;
    call.dwStyle = kChooserStyle;
    call.bVisible = TRUE;
    call.csRootDir = GetServerDirectory();
    call.csRootFilter = CFileTypes::Type2DirName(nType);
    call.csStartDir = m_csFolders[nIndex];
    call.csInfo.Format(LoadStringId(IDS_SELECT_DEFAULT_FOLDER), CFileTypes::Type2TypeDescr(nType, TRUE).GetString());
    if (FileChooser().Run(call) != IDOK)
        return;
    if (!fsys::IsDirectory(call.csFolder))
        LogAssertion("::GetFileAttributes(dlg.m_cszSearchDir) != 0xFFFFFFFF", LOG_HERE);
    m_csFolders[nIndex] = WithSlash(fsys::NormalizeSeparators(call.csFolder));
    // The chosen folder goes to the top of the recent list.
    m_pCombos[nIndex]->Add(ComboTextOf(m_csFolders[nIndex]));
    m_pCombos[nIndex]->SetCurSel(0);
}

void CFolderSetupDlg::OnSelChange(int nIndex)
{
    CMRUPathComboBox& combo = *m_pCombos[nIndex];
    const int sel = combo.GetCurSel();
    if (sel < 0) {
        AfxMessageBox("No current selection.");
        return;
    }
    m_csFolders[nIndex] = FolderOfComboText(combo.GetLBText(sel));
}

void CFolderSetupDlg::ChangeDefault(int nIndex)
{
    const int nType = kRows[nIndex].nType;
    const CString current = CFileTypes::GetDefDir(nType);
    const CString& folder = m_csFolders[nIndex];
    if (IsSameFolder(folder, current))
        return;
    CString question;
    question.Format(LoadStringId(IDS_CHANGE_DEFAULT_FOLDER), CFileTypes::Type2TypeDescr(nType, FALSE).GetString(),
                    ComboTextOf(current).GetString(), ComboTextOf(folder).GetString());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!fsys::IsDirectory(folder)) {
        LogOutput("CFolderSetupDlg..._SetDefDir() - directory error...", LOG_ERROR, LOG_HERE);
        LogOutput("Directory does not exist...\n\n" + folder, LOG_ERROR, LOG_HERE);
        AfxMessageBox("Directory does not exist...\n\n" + folder, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The trailing separator makes the folder itself the default, not its parent.
    CFileTypes::SetDefDir(nType, WithSlash(folder));
}

void CFolderSetupDlg::OnOK()
{
    for (int i = 0; i < kKinds; ++i)
        ChangeDefault(i);
    EndDialog(IDOK);
}

INT_PTR RunManageFolders(CWnd* pParent)
{
    CFolderSetupDlg dlg(pParent);
    return dlg.DoModal();
}
