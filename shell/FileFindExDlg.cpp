#include "shell/FileFindExDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/CorraHeader.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVListCtrl.h"
#include "shell/ShellUtil.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <deque>

namespace {

constexpr COLORREF kInfoColor = 0x742A1C;
constexpr UINT_PTR kSearchTimer = 1;

// Whether an entry is a link that leads to a folder (never entered by a search).
BOOL IsFolderLink(const fsys::CDirEntry& e)
{
    return e.isLink && fsys::IsDirectory(e.path);
}

} // namespace

CFileFindExDlg::CFileFindExDlg(CWnd* pParent) : CFixedFontDialog(IDD_FILEFINDEX, pParent)
{
    m_nTemplateId = IDD_FILEFINDEX;
    m_pInfo = AddControl(IDC_FIND_INFO, new CInfoRichEdit(this));
    m_pInfo->setFixedHeight(44);
    m_pRootCaption = CreateStatic("Directories under", IDC_FIND_ROOT);
    m_pTree = AddControl(IDC_FIND_TREE, new CFolderTreeCtrl(this));
    m_pTree->setMinimumSize(250, 300);
    m_pList = AddControl(IDC_FIND_LIST, new CHVListCtrl(this));
    m_pList->setMinimumSize(400, 300);

    auto* treeColumn = new QVBoxLayout;
    treeColumn->addWidget(m_pRootCaption);
    treeColumn->addWidget(m_pTree, 1);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(CreateStatic("Files found"));
    listColumn->addWidget(m_pList, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(treeColumn, 2);
    middle->addLayout(listColumn, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pInfo);
    layout->addLayout(middle, 1);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    BindNotify(IDC_FIND_TREE, TVN_SELCHANGED, [this] { OnSelchangedTree(); });
    BindNotify<NMLISTVIEW>(IDC_FIND_LIST, LVN_ITEMCHANGED, [this](NMLISTVIEW* nm) { OnItemchangedList(nm); });
}

CFileFindExDlg::~CFileFindExDlg() = default;

CString CFileFindExDlg::GetFoundPath() const
{
    if (m_csFoundName.IsEmpty())
        return CString();
    return fsys::Join(FolderNoSlash(m_csFoundFolder), m_csFoundName);
}

BOOL CFileFindExDlg::OnInitDialog()
{
    // The columns before the dialog takes its size, so that it opens wide enough for them.
    m_pList->SetDocType(m_nKind);
    // Never narrower than its columns, at any scale: the Corra ID is what a search by ID shows.
    m_pList->setMinimumWidth(m_pList->sizeHint().width());
    CFixedFontDialog::OnInitDialog();
    // The tree's icons now, so that what is opened below stays open.
    m_pTree->SendMessage(WM_FOLDERTREE_INIT);
    if (m_csRootFolder.IsEmpty())
        m_csRootFolder = GetServerDirectory();
    if (m_csSearchFolder.IsEmpty())
        m_csSearchFolder = CFileTypes::GetDefDir(m_nKind);

    // Folder names keep their case: the file system tells them apart by it.
    m_pTree->m_csTopLevelFilter = CFileTypes::Type2DirName(m_nKind);
    m_pTree->m_csFileNameFilter = m_csFileName;
    CString exts = CFileTypes::Type2Ext(m_nKind, TRUE);
    exts.MakeLower();
    m_pTree->m_csExtFilter = exts;
    m_pTree->SetStyle(FTS_FILES, FALSE);

    if (!RunSearch()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pInfo->Init(1, kInfoColor, 0, GetSysColor(COLOR_BTNFACE));
    m_pInfo->SetPaneText(m_csInfo.IsEmpty() ? CString("Select a file.") : m_csInfo);
    CString caption = "Find File ";
    if (!m_csFileName.IsEmpty())
        caption += " - " + m_csFileName;
    SetWindowText(caption);
    m_pRootCaption->setText(ToQString("Directories under " + ShownFolderText(m_csRootFolder)));
    // Filled, the dialog has its size: centred again with it.
    adjustSize();
    CenterOnOwner();
    return TRUE;
}

BOOL CFileFindExDlg::RunSearch()
{
    m_bUserCancelled = FALSE;
    ++m_nSelecting;
    m_pList->ResetContent();
    m_asResults.RemoveAll();
    m_csFoundName.Empty();
    m_pTree->m_csPathFilter = FolderNoSlash(m_csSearchFolder);
    m_pTree->SetRootFolder(m_csRootFolder, TRUE);
    m_pTree->SelectPath(m_csSearchFolder, FALSE);
    const int found = m_nSearchMode == SEARCH_BY_CORRAID ? SearchCorraId() : SearchFileName();
    if (found > 0) {
        std::vector<HTREEITEM> folders;
        for (int i = 0; i < m_asResults.GetSize(); ++i) {
            if (HTREEITEM h = m_pTree->SelectPath(fsys::Folder(m_asResults[i]), FALSE))
                folders.push_back(h);
        }
        m_pList->AddFiles(m_asResults);
        m_pTree->SelectPath(m_csSearchFolder, FALSE);
        for (HTREEITEM h : folders)
            m_pTree->Expand(h, TVE_EXPAND);
    }
    --m_nSelecting;
    return found > 0;
}

int CFileFindExDlg::SearchFileName()
{
    int found = 0;
    std::deque<CString> folders{FolderNoSlash(m_csSearchFolder)};
    while (!folders.empty()) {
        const CString folder = folders.front();
        folders.pop_front();
        for (const fsys::CDirEntry& e : fsys::ListDirectory(folder)) {
            if (!e.exactName || IsFolderLink(e))
                continue;
            if (e.isDirectory)
                folders.push_back(e.path);
            else if (e.name.CompareNoCase(m_csFileName) == 0) {
                m_asResults.Add(e.path);
                ++found;
            }
        }
    }
    return found;
}

int CFileFindExDlg::SearchCorraId()
{
    CStringList files;
    for (const CString& ext : SplitExtensionList(CFileTypes::Type2Ext(m_nKind, TRUE))) {
        if (GetAllFiles(files, FolderNoSlash(m_csSearchFolder), "*." + ext) < 0) {
            LogOutput("CFileFindExDlg::SearchCorraId() - failed to get filepaths...", LOG_ERROR, LOG_HERE);
            return 0;
        }
    }
    COldProgressDlg progress("Please wait", "Searching...", static_cast<int>(files.GetCount()), 0, 1, this);
    progress.Create(this);
    int found = 0;
    CCorraHeader header;
    for (POSITION pos = files.GetHeadPosition(); pos;) {
        const CString& path = files.GetNext(pos);
        COldProgressDlg::PumpMessages();
        if (progress.IsCancelled()) {
            m_bUserCancelled = TRUE;
            progress.DestroyWindow();
            m_asResults.RemoveAll();
            return 0;
        }
        if (header.GetCorraHeaderInfo(path)) {
            // Compared as text: an ID is never a pattern.
            if (header.m_csCorraId == m_csCorraId) {
                m_asResults.Add(path);
                ++found;
            }
        } else {
            LogShellFailure("CFileFindExDlg::SearchCorraId() - failed to read corra hdr for...", path);
        }
        progress.StepIt();
    }
    progress.DestroyWindow();
    return found;
}

LRESULT CFileFindExDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HV_LBUTTONDOWN) {
        m_nLastMouseCtrl = static_cast<int>(wParam);
        return 0;
    }
    return CFixedFontDialog::WindowProc(message, wParam, lParam);
}

void CFileFindExDlg::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    RunSearch();
}

void CFileFindExDlg::OnSelchangedTree()
{
    if (m_nSelecting || m_nLastMouseCtrl != IDC_FIND_TREE || !m_pTree->GetSelectedItem())
        return;
    if (m_pTree->IsFolderSelected()) {
        // The folder selected itself is searched, not the one above it; after this notification,
        // since the search fills the tree anew.
        m_csSearchFolder = m_pTree->GetSelectedFolder();
        SetTimer(kSearchTimer, 0);
        return;
    }
    int row = m_pList->FindItemByPath(m_pTree->GetSelectedPath());
    if (row >= 0) {
        ++m_nSelecting;
        m_pList->SelectItem(row);
        m_pList->EnsureVisible(row);
        --m_nSelecting;
        m_csFoundName = m_pList->GetItemDisplayName(row);
        m_csFoundFolder = m_pList->GetItemFolder(row);
    }
}

void CFileFindExDlg::OnItemchangedList(NMLISTVIEW* pNM)
{
    if (m_nSelecting || !pNM || pNM->iItem < 0)
        return;
    const BOOL bNowSelected = (pNM->uChanged & LVIF_STATE) && (pNM->uNewState & LVIS_SELECTED) &&
                              !(pNM->uOldState & LVIS_SELECTED);
    if (!bNowSelected) {
        m_csFoundName.Empty();
        return;
    }
    m_csFoundName = m_pList->GetItemDisplayName(pNM->iItem);
    m_csFoundFolder = m_pList->GetItemFolder(pNM->iItem);
    ++m_nSelecting;
    m_pTree->SelectPath(m_csFoundFolder, TRUE);
    m_pTree->SelectFile(m_csFoundName, TRUE);
    --m_nSelecting;
}

void CFileFindExDlg::OnOK()
{
    int row = m_pList->GetFirstSelected();
    if (row < 0) {
        AfxMessageBox("You must select a file.");
        return;
    }
    m_csFoundName = m_pList->GetItemDisplayName(row);
    m_csFoundFolder = m_pList->GetItemFolder(row);
    EndDialog(IDOK);
}

void CFileFindExDlg::OnCancel()
{
    m_bUserCancelled = TRUE;
    CFixedFontDialog::OnCancel();
}
