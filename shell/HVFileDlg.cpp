#include "shell/HVFileDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/ImportFile.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WaitCursor.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVListCtrl.h"
#include "shell/ShellDocs.h"
#include "shell/ShellUtil.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <exception>

namespace {

constexpr COLORREF kInfoColor = 0x742A1C;
// The tree's features in the chooser: files shown, dragging, rename, delete, create folder.
constexpr DWORD kTreeStyle = 103;

// The document name the application's template gives the kind ("Corra", "Exam").
CString DocumentNameOfKind(int nKind)
{
    CWinApp* pApp = AfxGetApp();
    const CString ext = "." + CFileTypes::Type2Ext(nKind, FALSE).SpanExcluding(";");
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        CString filter;
        CString name;
        if (pTemplate->GetDocString(filter, CDocTemplate::filterExt) && filter.CompareNoCase(ext) == 0 &&
            pTemplate->GetDocString(name, CDocTemplate::docName))
            return name;
    }
    return CString();
}

const char* CreateRefusal(int nKind)
{
    switch (nKind) {
    case DT_SRC: return "Create not allowed for source files.";
    case DT_DATA: return "Create not allowed for data files.";
    case DT_IMAGE: return "Create not allowed for image files.";
    case DT_HELP: return "Create not allowed for help files.";
    default: return nullptr;
    }
}

} // namespace

CHVFileDlg::CHVFileDlg(int nKind, DWORD dwStyle, UINT nInfoId, BOOL bVisible, CDocument* pNeverDoc, LPCSTR neverFile,
                       CWnd* pParent)
    : CFixedFontDialog(IDD_HVFILEDLG, pParent), m_nKind(nKind), m_dwStyle(dwStyle), m_nInfoId(nInfoId),
      m_bVisible(bVisible), m_pNeverDoc(pNeverDoc), m_csNeverFile(neverFile ? neverFile : "")
{
    m_nTemplateId = IDD_HVFILEDLG;
    Build();
}

CHVFileDlg::CHVFileDlg(LPCSTR fileName, DWORD dwStyle, UINT nInfoId, BOOL bVisible, CDocument* pNeverDoc,
                       LPCSTR neverFile, CWnd* pParent)
    : CHVFileDlg(CFileTypes::Ext2Type(fileName ? fileName : ""), dwStyle, nInfoId, bVisible, pNeverDoc, neverFile,
                 pParent)
{
}

CHVFileDlg::~CHVFileDlg() = default;

void CHVFileDlg::Build()
{
    m_pInfo = AddControl(IDC_HVFD_INFO, new CInfoRichEdit(this));
    m_pInfo->setFixedHeight(44);
    m_pFolderCaption = CreateStatic("Display directory here...", IDC_HVFD_FOLDER);
    QFont bold = m_pFolderCaption->font();
    bold.setBold(true);
    m_pFolderCaption->setFont(bold);
    m_pTree = AddControl(IDC_HVFD_TREE, new CFolderTreeCtrl(this));
    m_pTree->setMinimumSize(190, 330);
    m_pList = AddControl(IDC_HVFD_LIST, new CHVListCtrl(this));
    m_pList->setMinimumSize(330, 300);
    m_pFileName = CreateEdit(IDC_HVFD_FILENAME);

    auto* files = new QVBoxLayout;
    files->addWidget(CreateStatic("Files currently in selected directory (or already open)"));
    files->addWidget(m_pList, 1);
    auto* name = new QHBoxLayout;
    name->addWidget(CreateStatic("File &name:", 0, m_pFileName));
    name->addWidget(m_pFileName, 1);
    files->addLayout(name);

    // One column of buttons of one width: OK, Cancel and Help, then the folder operations.
    auto* buttons = new QVBoxLayout;
    auto addButton = [&](int nID, const char* text, BOOL bDefault = FALSE) {
        QPushButton* b = CreateButton(nID, text, bDefault);
        b->setMinimumWidth(112);
        buttons->addWidget(b);
    };
    addButton(IDOK, "OK", TRUE);
    addButton(IDCANCEL, "Cancel");
    addButton(IDHELP, "&Help");
    buttons->addSpacing(18);
    addButton(IDC_HVFD_IMPORT, "&Import...");
    addButton(IDC_HVFD_NEWFOLDER, "&Create New Folder...");
    addButton(IDC_HVFD_RENAME, "&Rename");
    addButton(IDC_HVFD_DELETE, "&Delete");
    buttons->addStretch(1);

    auto* middle = new QHBoxLayout;
    auto* treeColumn = new QVBoxLayout;
    treeColumn->addWidget(CreateStatic("Folders"));
    treeColumn->addWidget(m_pTree, 1);
    // Room beyond the natural sizes goes to the list: shared out by ratio it would take the
    // list below the width its columns need.
    middle->addLayout(treeColumn);
    middle->addLayout(files, 1);
    middle->addSpacing(4);
    middle->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pInfo);
    layout->addWidget(m_pFolderCaption);
    layout->addLayout(middle, 1);

    BindCommand(IDC_HVFD_NEWFOLDER, [this] { OnCreateNewFolder(); });
    BindCommand(IDC_HVFD_RENAME, [this] { OnRename(); });
    BindCommand(IDC_HVFD_DELETE, [this] { OnDelete(); });
    BindCommand(IDC_HVFD_IMPORT, [this] { OnImport(); });
    BindNotify(IDC_HVFD_TREE, TVN_SELCHANGED, [this] { OnSelchangedTreeFindPath(); });
    BindNotify<NMLISTVIEW>(IDC_HVFD_LIST, LVN_ITEMCHANGED, [this](NMLISTVIEW* nm) { OnItemchangedList(nm); });
    BindNotify(IDC_HVFD_LIST, NM_DBLCLK, [this] { OnDoubleClick(); });
    BindNotify(IDC_HVFD_FILENAME, EN_CHANGE, [this] { OnFileNameChange(); });
    connect(m_pTree, &QTreeWidget::itemDoubleClicked, NotifyContext(), [this] { OnDoubleClick(); });
}

// --- set-up -----------------------------------------------------------------------------------

BOOL CHVFileDlg::SetDefDir()
{
    CString dir = CFileTypes::GetDefDir(m_nKind);
    if (dir.IsEmpty()) {
        LogOutput("CHVFileDlg::SetDefDir() - failedt to GetDefDir()", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    m_cszSearchDir = dir;
    if (!(m_dwStyle & FCS_CREATE_FOLDERS))
        m_csRootFolder = dir;
    return TRUE;
}

void CHVFileDlg::SetRootFolderFilter(LPCSTR name)
{
    m_csRootFilter = name ? CString(name) : CFileTypes::Type2DirName(m_nKind);
}

void CHVFileDlg::SetRootToServerDir()
{
    m_csRootFolder = GetServerDirectory();
}

CString CHVFileDlg::GetPathName() const
{
    if (m_csFileName.IsEmpty())
        return CString();
    return FolderWithSlash(m_csCurFolder) + m_csFileName;
}

CString CHVFileDlg::GetInfoText() const
{
    return m_pInfo->GetText();
}

CString CHVFileDlg::GetFolderCaption() const
{
    return FromQString(m_pFolderCaption->text());
}

BOOL CHVFileDlg::OnInitDialog()
{
    // The columns before the dialog takes its size, so that it opens wide enough for them.
    m_pList->SetDocType(m_nKind);
    CFixedFontDialog::OnInitDialog();
    // The tree's icons now, so that what is opened below stays open.
    m_pTree->SendMessage(WM_FOLDERTREE_INIT);
    // Without a root the tree shows the whole file system.
    m_csRootFolder = m_csRootFolder.IsEmpty() ? CString("/") : FolderNoSlash(m_csRootFolder);
    // A start folder that names nothing (a remembered one since removed) is the kind's default.
    if (m_cszSearchDir.IsEmpty() || !fsys::IsDirectory(m_cszSearchDir))
        m_cszSearchDir = CFileTypes::GetDefDir(m_nKind);
    m_cszSearchDir = FolderWithSlash(m_cszSearchDir);
    m_csCurFolder = m_cszSearchDir;
    m_csStartedIn = m_cszSearchDir;

    CString exts = CFileTypes::Type2Ext(m_nKind, TRUE);
    exts.MakeLower();
    m_pTree->m_csExtFilter = exts;
    m_pTree->m_csTopLevelFilter = m_csRootFilter;
    m_pTree->SetStyle(kTreeStyle, FALSE);
    m_pTree->SetRootFolder(m_csRootFolder, FALSE);
    m_pTree->Refresh();
    SelectInTree(m_cszSearchDir, TRUE);

    m_pList->SetSingleSelection(!(m_dwStyle & FCS_MULTI_SELECT));
    m_pList->m_bListOpenDocs = TRUE;
    m_pList->m_bListRecentFiles = FALSE;
    m_pList->SetNeverListed(m_pNeverDoc, m_csNeverFile);
    ShowFileName();
    RepopulateFileList();

    CString info = m_nInfoId ? LoadStringId(m_nInfoId) : m_csInfo;
    if (info.Find("%s") >= 0)
        info.Replace("%s", DocumentNameOfKind(m_nKind));
    if (info.IsEmpty())
        info = "Select a directory.";
    m_pInfo->Init(1, kInfoColor, 0, GetSysColor(COLOR_BTNFACE));
    m_pInfo->SetPaneText(info);

    UpdateFolderCaption();
    UpdateButtons();
    m_bFirstSelChange = TRUE;
    // Filled, the dialog has its size: the one its layout asks for within the screen's usable
    // area (the default of two thirds of the screen would hide the list's last columns), centred
    // again with it.
    if (const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen())
        resize(sizeHint().boundedTo(shown->availableGeometry().size()).expandedTo(minimumSizeHint()));
    else
        adjustSize();
    CenterOnOwner();
    return TRUE;
}

void CHVFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CFixedFontDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HVFD_FILENAME, m_csFileName);
}

LRESULT CHVFileDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HV_LBUTTONDOWN) {
        m_nLastMouseCtrl = static_cast<int>(wParam);
        return 0;
    }
    if (message == WM_FOLDERTREE_CHANGED) {
        // A folder made, removed or moved: the list shows the folder the tree now shows.
        RepopulateFileList();
        m_csCurFolder = m_cszSearchDir;
        UpdateFolderCaption();
        UpdateButtons();
        return 0;
    }
    return CFixedFontDialog::WindowProc(message, wParam, lParam);
}

void CHVFileDlg::SelectInTree(const CString& path, BOOL bExpand)
{
    ++m_nSelecting;
    m_pTree->SelectPath(path, bExpand);
    --m_nSelecting;
}

// --- filling ----------------------------------------------------------------------------------

void CHVFileDlg::RepopulateFileList()
{
    if (!m_bSettingName) {
        m_csFileName = FromQString(m_pFileName->text());
    }
    if (HTREEITEM h = m_pTree->GetSelectedItem()) {
        // By the item, not by the disk: a folder removed meanwhile is still the folder shown.
        CString path = m_pTree->GetItemPath(h);
        CString folder = m_pTree->IsFolderItem(h) ? path : fsys::Folder(path);
        if (!folder.IsEmpty())
            m_cszSearchDir = FolderWithSlash(folder);
    }
    m_pList->ResetContent();
    CString exts = CFileTypes::Type2Ext(m_nKind, FALSE);
    if (exts.IsEmpty()) {
        LogOutput("CHVFileDlg::RepopulateFileList() - failed to get extension(s) for type...", LOG_ERROR, LOG_HERE);
        LogOutput(CString::Formatted("type=%d", m_nKind), LOG_ERROR, LOG_HERE);
        return;
    }
    {
        // The wait cursor while the list fills.
        CWaitCursor wait;
        if (!fsys::IsDirectory(m_cszSearchDir)) {
            // The folder went away while the dialog was open: an empty list says so.
            LogShellFailure("CHVFileDlg::RepopulateFileList() - the folder is gone...", m_cszSearchDir);
        } else {
            m_pList->AddFromDirectory(m_cszSearchDir, exts);
            m_pList->SortByKey((m_pList->GetSortColumn() + 1) * m_pList->GetSortDirection());
        }
    }
    UpdateFolderCaption();
    UpdateButtons();
}

void CHVFileDlg::UpdateFolderCaption()
{
    CString shown = ShownFolderText(m_csCurFolder);
    m_pFolderCaption->setText(ToQString(shown));
    SetWindowText(m_csTitle.IsEmpty() ? shown : m_csTitle);
}

BOOL CHVFileDlg::IsSelectionValid() const
{
    if (m_dwStyle & FCS_FOLDER_MODE)
        return !IsSameFolder(m_csCurFolder, m_csStartedIn);
    return m_pList->GetSelectedCount() > 0;
}

void CHVFileDlg::UpdateButtons()
{
    EnableDlgItem(IDC_HVFD_NEWFOLDER, (m_dwStyle & (FCS_CREATE | FCS_CREATE2)) != 0);
    EnableDlgItem(IDC_HVFD_IMPORT, (m_dwStyle & FCS_IMPORT) != 0);
    EnableDlgItem(IDC_HVFD_RENAME, (m_dwStyle & FCS_RENAME) != 0);
    EnableDlgItem(IDC_HVFD_DELETE, (m_dwStyle & FCS_DELETE) != 0);
    EnableDlgItem(IDOK, IsSelectionValid() || ((m_dwStyle & FCS_TYPED_NAME) && !m_csFileName.IsEmpty()));
}

void CHVFileDlg::ShowFileName()
{
    m_bSettingName = TRUE;
    m_pFileName->setText(ToQString(m_csFileName));
    m_bSettingName = FALSE;
}

// --- the tree and the list in step -------------------------------------------------------------

void CHVFileDlg::OnSelchangedTreeFindPath()
{
    if (m_nSelecting)
        return;
    const BOOL bByUser = m_nLastMouseCtrl == IDC_HVFD_TREE;
    if (m_bFirstSelChange && m_pTree->GetSelectedItem()) {
        m_bFirstSelChange = FALSE;
        // The tree picks its first item when it first takes the focus; with the root as the start
        // folder that item is no choice of the user's. A click of the user's is one.
        if (!bByUser && IsSameFolder(m_csRootFolder, m_csStartedIn)) {
            ++m_nSelecting;
            m_pTree->SelectItem(nullptr);
            --m_nSelecting;
            return;
        }
    }
    if (bByUser && m_pTree->GetSelectedItem()) {
        m_csCurFolder = FolderWithSlash(m_pTree->GetSelectedFolder());
        if (m_pTree->IsFileSelected()) {
            m_csFileName = m_pTree->GetSelectedFileName();
            ShowFileName();
            if (!IsSameFolder(m_csCurFolder, m_cszSearchDir))
                RepopulateFileList();
            int row = m_pList->FindItemByPath(FolderWithSlash(m_csCurFolder) + m_csFileName);
            if (row >= 0) {
                const int last = m_nLastMouseCtrl;
                m_nLastMouseCtrl = 0;
                for (int i = m_pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_pList->GetNextItem(i, LVNI_SELECTED))
                    m_pList->SetItemState(i, 0, LVIS_SELECTED);
                m_pList->SelectItem(row);
                m_pList->EnsureVisible(row);
                m_nLastMouseCtrl = last;
                ShowFileName();
            } else {
                LogShellFailure("CHVFileDlg::OnSelchangedTreeFindPath() - Could not find file in list ctrl: ", m_csFileName);
            }
        } else {
            RepopulateFileList();
            if (!(m_dwStyle & FCS_TYPED_NAME)) {
                m_csFileName.Empty();
                ShowFileName();
            }
        }
    }
    UpdateFolderCaption();
    UpdateButtons();
}

void CHVFileDlg::OnItemchangedList(NMLISTVIEW* pNM)
{
    if (m_nLastMouseCtrl == IDC_HVFD_LIST && pNM && pNM->iItem >= 0 && pNM->iItem < m_pList->GetItemCount()) {
        const BOOL bState = (pNM->uChanged & LVIF_STATE) != 0;
        const BOOL bWasSelected = (pNM->uOldState & LVIS_SELECTED) != 0;
        const BOOL bSelected = (pNM->uNewState & LVIS_SELECTED) != 0;
        if (!bState || (bWasSelected && !bSelected)) {
            m_csFileName.Empty();
            ShowFileName();
            if (m_pTree->IsFileSelected())
                SelectInTree(m_pTree->GetSelectedFolder(), FALSE);
        } else if (bSelected && !bWasSelected) {
            m_csFileName = m_pList->GetItemName(pNM->iItem);
            CString folder = m_pList->GetItemFolder(pNM->iItem);
            m_csCurFolder = FolderWithSlash(folder);
            // The file by its whole path: its folder may be the tree's root, which has no item.
            SelectInTree(FolderWithSlash(folder) + m_csFileName, FALSE);
            if (HTREEITEM h = m_pTree->GetSelectedItem())
                m_pTree->EnsureVisible(h);
            ShowFileName();
        }
    }
    UpdateButtons();
}

void CHVFileDlg::OnDoubleClick()
{
    if (IsSelectionValid())
        OnOK();
}

void CHVFileDlg::OnFileNameChange()
{
    if (m_bSettingName)
        return;
    m_csFileName = FromQString(m_pFileName->text());
    UpdateButtons();
}

// --- OK ---------------------------------------------------------------------------------------

int CHVFileDlg::RowOfFileName() const
{
    if (m_csFileName.IsEmpty())
        return -1;
    return m_pList->FindItemByPath(FolderWithSlash(m_csCurFolder) + m_csFileName);
}

void CHVFileDlg::OnOK()
{
    try {
        if (!UpdateData(TRUE))
            return;
        // A name is a name in the current folder: a separator would lead out of it.
        if (m_csFileName.Find('/') >= 0 || m_csFileName == "." || m_csFileName == "..") {
            AfxMessageBox("A file name cannot contain \"/\".", MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(m_pFileName);
            return;
        }
        if (!m_csConfirm.IsEmpty() && AfxMessageBox(m_csConfirm, MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
            return;
        if (m_dwStyle & FCS_FOLDER_MODE)
            m_cszSearchDir = m_csCurFolder;
        EndDialog(IDOK);
        CollectResults();
    } catch (const std::exception& e) {
        LogOutput(CString("CHVFileDlg::OnOK() - ") + e.what(), LOG_ERROR, LOG_HERE);
        AfxMessageBox(IDS_OPERATION_FAILED);
    }
}

BOOL CHVFileDlg::CollectResults()
{
    m_asFileNames.RemoveAll();
    m_asFilePaths.RemoveAll();
    for (int i = m_pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_pList->GetNextItem(i, LVNI_SELECTED)) {
        m_asFileNames.Add(m_pList->GetItemName(i));
        m_asFilePaths.Add(m_pList->GetItemFileName(i));
    }
    if (!(m_dwStyle & FCS_OPEN_DOC) || m_csFileName.IsEmpty())
        return TRUE;
    // The document opened is the one named: a typed name may differ from the row selected last.
    int row = RowOfFileName();
    if (row < 0) {
        LogShellFailure("CHVFileDlg::OnOK() - the chosen file is not in the list...", GetPathName());
        return FALSE;
    }
    if (m_pList->GetFirstSelected() != row || m_pList->GetSelectedCount() != 1)
        m_pList->SelectItem(row);
    BOOL bOpened = FALSE;
    m_pDoc = m_pList->GetDoc(bOpened, m_bVisible);
    m_bDocOpened = m_pDoc && bOpened;
    return m_pDoc != nullptr;
}

// --- buttons ----------------------------------------------------------------------------------

void CHVFileDlg::OnCreateNewFolder()
{
    if (m_dwStyle & FCS_CREATE_FOLDERS) {
        if (!m_pTree->IsFolderSelected()) {
            AfxMessageBox(IDS_SELECT_FOLDER_FOR_NEW);
            return;
        }
        m_pTree->OnCommand(ID_FOLDER_CREATE);
        m_pTree->SetFocus();
        return;
    }
    if (m_nKind == DT_CORRA || m_nKind == DT_EXAM) {
        CDocument* pDoc = ShellDocuments().NewDocument(m_nKind, m_bVisible);
        if (!pDoc) {
            LogOutput("CHVFileDlg::OnCreateNewFolder() - failed to create a new document", LOG_ERROR, LOG_HERE);
            AfxMessageBox(IDS_OPERATION_FAILED);
            return;
        }
        m_pDoc = pDoc;
        m_bDocOpened = TRUE;
        EndDialog(IDOK);
        return;
    }
    if (const char* refusal = CreateRefusal(m_nKind))
        AfxMessageBox(refusal);
}

void CHVFileDlg::OnRename()
{
    m_pTree->PostCommand(ID_FOLDER_RENAME);
    m_pTree->SetFocus();
}

void CHVFileDlg::OnDelete()
{
    m_pTree->OnCommand(ID_FOLDER_DELETE);
    m_pTree->SetFocus();
}

void CHVFileDlg::OnImport()
{
    CString info = "Import " + CFileTypes::Type2TypeDescr(m_nKind, TRUE);
    if (ImportFile(m_nKind, info, nullptr, m_csCurFolder) <= 0)
        return;
    RepopulateFileList();
    m_pTree->SetRootFolder(m_csRootFolder, TRUE);
    SelectInTree(m_csCurFolder, FALSE);
}

// --- the chooser call -------------------------------------------------------------------------

int CHVFileChooser::Run(CFileChooserCall& call)
{
    CHVFileDlg dlg(call.nType, call.dwStyle, 0, call.bVisible, nullptr, nullptr, CWnd::FromHandle(QApplication::activeWindow()));
    dlg.m_csTitle = call.csTitle;
    dlg.m_csInfo = call.csInfo;
    dlg.m_csConfirm = call.csConfirm;
    if (call.csStartDir.IsEmpty())
        dlg.SetDefDir();
    else
        dlg.m_cszSearchDir = call.csStartDir;
    if (!call.csRootDir.IsEmpty())
        dlg.SetRootFolder(call.csRootDir);
    else if (!(call.dwStyle & FCS_CREATE_FOLDERS))
        dlg.SetRootFolder(dlg.m_cszSearchDir);
    // Without a filter the tree shows every folder: an import starts wherever the files are.
    if (!call.csRootFilter.IsEmpty())
        dlg.SetRootFolderFilter(call.csRootFilter);
    if (dlg.DoModal() != IDOK)
        return IDCANCEL;
    call.csFolder = dlg.m_cszSearchDir;
    call.names.clear();
    call.paths.clear();
    for (int i = 0; i < dlg.m_asFileNames.GetSize(); ++i) {
        call.names.push_back(dlg.m_asFileNames[i]);
        call.paths.push_back(dlg.m_asFilePaths[i]);
    }
    return IDOK;
}
