#include "app/DocumentChooser.h"

#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/FileView.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "shell/HVFileDlg.h"
#include "shell/ShellUtil.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/WinApp.h"

CDocTemplate* TemplateOfKind(int nKind)
{
    CWinApp* pApp = AfxGetApp();
    const CString ext = "." + CFileTypes::Type2Ext(nKind, FALSE);
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        CString docExt;
        if (pTemplate->GetDocString(docExt, CDocTemplate::filterExt) && docExt.CompareNoCase(ext) == 0)
            return pTemplate;
    }
    return nullptr;
}

CDocument* NewDocumentOfKind(int nKind)
{
    CDocTemplate* pTemplate = TemplateOfKind(nKind);
    return pTemplate ? pTemplate->OpenDocumentFile(nullptr, TRUE) : nullptr;
}

namespace {

class CPlainDocumentChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) override
    {
        bOpened = FALSE;
        CDocTemplate* pTemplate = TemplateOfKind(nKind);
        if (!pTemplate)
            return nullptr;
        CFileDialogRequest request;
        request.title = info ? info : "";
        request.folder = CFileTypes::GetDefDir(nKind);
        pTemplate->GetDocString(request.filter, CDocTemplate::filterName);
        CString path;
        if (!ChooseFilePath(request, path))
            return nullptr;
        CDocument* pOpen = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pOpen);
        if (match == CDocTemplate::yesAlreadyOpen)
            return pOpen == pExclude ? nullptr : pOpen;
        // A file of another kind is not this task's.
        if (match != CDocTemplate::yesAttemptNative)
            return nullptr;
        CDocument* pDoc = pTemplate->OpenDocumentFile(path, TRUE);
        bOpened = pDoc != nullptr;
        return pDoc;
    }
};

CPlainDocumentChooser g_plainChooser;
CServiceSlot<IDocumentChooser> g_chooserSlot(g_plainChooser);

} // namespace

IDocumentChooser& PlainDocumentChooser()
{
    return g_plainChooser;
}

CServiceSlot<IDocumentChooser>& DocumentChooserSlot()
{
    return g_chooserSlot;
}

IDocumentChooser& DocumentChooser()
{
    return g_chooserSlot.Get();
}

// --- the application's chooser routine ----------------------------------------------------------

namespace {

// The tree of a kind's chooser: rooted at the program folder and showing at its top only the
// folder that holds the start folder (the kind's own folder, as it stands in the profile); a
// start folder outside the program folder is shown alone under its parent.
void TreeRootFor(const CString& start, CString& root, CString& topFolder)
{
    const CString home = FolderNoSlash(GetServerDirectory());
    const CString folder = FolderNoSlash(start);
    if (IsPathUnderFolder(folder, home) && !IsSameFolder(folder, home)) {
        root = home;
        topFolder = folder.Mid(home == "/" ? 1 : home.GetLength() + 1).SpanExcluding("/");
    } else {
        root = fsys::Folder(folder);
        topFolder = fsys::FileName(folder);
    }
}

constexpr int kFolderKinds[] = {DT_CORRA, DT_EXAM, DT_SRC, DT_DATA, DT_IMAGE, DT_HELP};

class CAppDocumentChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) override
    {
        return ChooseDocumentOfKind(nKind, nullptr, info, CHOOSE_TASK_STYLE, bOpened, TRUE, pExclude, nullptr);
    }
};

// A folder shown by DisplayFile: in the file chooser of the kind it belongs to, where a document
// can be opened; a folder of no kind on the desktop.
class CChooserFolderViewer : public IFolderViewer {
public:
    BOOL ShowFolder(const CString& path) override
    {
        const int nKind = KindOfFolder(path);
        if (!nKind)
            return DesktopOpener().OpenFolder(path);
        CHVFileDlg dlg(nKind, FCS_OPEN_STYLE | FCS_OPEN_DOC, 0, TRUE, nullptr, nullptr, AfxGetMainWnd());
        dlg.m_cszSearchDir = path;
        CString root;
        CString top;
        TreeRootFor(path, root, top);
        dlg.SetRootFolder(root);
        dlg.SetRootFolderFilter(top);
        dlg.DoModal();
        return TRUE;
    }
};

} // namespace

int KindOfFolder(LPCSTR folder)
{
    for (int nKind : kFolderKinds) {
        CString def = CFileTypes::GetDefDir(nKind);
        if (!def.IsEmpty() && IsPathUnderFolder(FolderNoSlash(folder), FolderNoSlash(def)))
            return nKind;
    }
    return 0;
}

CDocument* ChooseDocumentOfKind(int nKind, LPCSTR title, LPCSTR info, DWORD dwStyle, BOOL& bOpened, BOOL bVisible,
                                CDocument* pExclude, LPCSTR excludeFile)
{
    bOpened = FALSE;
    CHVFileDlg dlg(nKind, dwStyle, 0, bVisible, pExclude, excludeFile, AfxGetMainWnd());
    dlg.m_csTitle = title ? title : "";
    dlg.m_csInfo = info ? info : "";
    if (!dlg.SetDefDir())
        return nullptr;
    CString root;
    CString top;
    TreeRootFor(dlg.m_cszSearchDir, root, top);
    if (dwStyle & FCS_CREATE_FOLDERS)
        dlg.SetRootFolder(root);
    dlg.SetRootFolderFilter(top);
    if (dlg.DoModal() != IDOK || !dlg.m_pDoc)
        return nullptr;
    // With its separator: a folder path without one would name the folder above.
    CString folder = FolderWithSlash(dlg.m_cszSearchDir);
    if (!CFileTypes::SetDefDir(nKind, folder))
        LogOutput("CCorraApp::ChooseDocument() - failed to keep the chosen folder...", LOG_ERROR, LOG_HERE);
    bOpened = dlg.m_bDocOpened;
    return dlg.m_pDoc;
}

// --- the services -----------------------------------------------------------------------------

struct CChooserServices::CImpl {
    CAppDocumentChooser documents;
    CHVFileChooser files;
    CChooserFolderViewer folders;
};

CChooserServices::CChooserServices() : m_pImpl(std::make_unique<CImpl>())
{
    DocumentChooserSlot().Set(&m_pImpl->documents);
    FileChooserSlot().Set(&m_pImpl->files);
    FolderViewerSlot().Set(&m_pImpl->folders);
}

CChooserServices::~CChooserServices()
{
    if (DocumentChooserSlot().Installed() == &m_pImpl->documents)
        DocumentChooserSlot().Set(nullptr);
    if (FileChooserSlot().Installed() == &m_pImpl->files)
        FileChooserSlot().Set(nullptr);
    if (FolderViewerSlot().Installed() == &m_pImpl->folders)
        FolderViewerSlot().Set(nullptr);
}
