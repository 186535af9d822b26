#include "platform/ui/Document.h"

#include "platform/core/FileSys.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <unordered_map>

namespace {

// The documents that exist, by address, with their serials.
struct CLiveDocuments {
    std::mutex lock;
    std::unordered_map<const CDocument*, std::uint64_t> serials;
    std::uint64_t nLast = 0;
};
CLiveDocuments& LiveDocuments()
{
    static CLiveDocuments* live = new CLiveDocuments;  // outlives every static document
    return *live;
}

} // namespace

BOOL CDocument::IsAlive(const CDocument* pDoc, std::uint64_t nSerial)
{
    CLiveDocuments& live = LiveDocuments();
    const std::lock_guard<std::mutex> hold(live.lock);
    const auto it = live.serials.find(pDoc);
    return it != live.serials.end() && it->second == nSerial;
}

CDocument::CDocument()
{
    {
        CLiveDocuments& live = LiveDocuments();
        const std::lock_guard<std::mutex> hold(live.lock);
        m_nSerial = ++live.nLast;
        live.serials[this] = m_nSerial;
    }
    BindCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    BindCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    BindCommand(ID_FILE_CLOSE, [this] { OnFileClose(); });
}

CDocument::~CDocument()
{
    {
        CLiveDocuments& live = LiveDocuments();
        const std::lock_guard<std::mutex> hold(live.lock);
        live.serials.erase(this);
    }
    // Views still on the document lose their link to it.
    while (!m_viewList.IsEmpty())
        m_viewList.RemoveHead()->SetDocumentLink(nullptr);
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    SetTitle(fsys::FileName(m_strPathName));
    if (bAddToMRU && !m_strPathName.IsEmpty()) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

// --- views ------------------------------------------------------------------------------------

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    if (CDocument* pOld = pView->GetDocument(); pOld && pOld != this)
        pOld->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->SetDocumentLink(this);
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->SetDocumentLink(nullptr);
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A copy: a view may close views while it updates; a view gone meanwhile is skipped.
    std::vector<CView*> views;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        views.push_back(m_viewList.GetNext(pos));
    for (CView* pView : views) {
        if (pView != pSender && m_viewList.Find(pView))
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CFrameWnd* pFrame = m_viewList.GetNext(pos)->GetParentFrame();
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    int n = 1;
    for (CFrameWnd* pFrame : frames) {
        pFrame->SetWindowNumber(frames.size() > 1 ? n++ : 0);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::PostToFirstView(UINT message, WPARAM wParam, LPARAM lParam)
{
    CView* pView = GetFirstView();
    return pView ? pView->PostMessage(message, wParam, lParam) : FALSE;
}

LRESULT CDocument::SendToFirstView(UINT message, WPARAM wParam, LPARAM lParam)
{
    CView* pView = GetFirstView();
    return pView ? pView->SendMessage(message, wParam, lParam) : 0;
}

BOOL CDocument::PostCommandToFirstView(UINT nID)
{
    CView* pView = GetFirstView();
    return pView ? pView->PostCommand(nID) : FALSE;
}

// --- open, save, close ------------------------------------------------------------------------

namespace {

// A reader or writer that throws has failed like one that says so.
template <typename F>
BOOL FailsSafely(F fn)
{
    try {
        return fn();
    } catch (const std::exception&) {
        return FALSE;
    }
}

} // namespace

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    DeleteContents();
    // Changed while it is read: a half-read document is never taken for a saved one.
    SetModifiedFlag(TRUE);
    if (!FailsSafely([&] { return ReadFromFile(lpszPathName); })) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    if (!FailsSafely([&] { return WriteToFile(lpszPathName); })) {
        ReportSaveLoadException(lpszPathName, TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving)
{
    CString text;
    text.Format(bSaving ? "Failed to save document.\n\n%s" : "Failed to open document.\n\n%s",
                lpszPathName ? lpszPathName : "");
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Frames go first; their views must not close the document again on the way.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame)
            pFrame->DestroyFrame();
        // A view outside any frame, or one its frame did not take off, is only let go.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::DoPromptFileName(CString& fileName, LPCSTR lpszTitle)
{
    CFileDialogRequest request;
    request.kind = CFileDialogRequest::kindSave;
    request.title = lpszTitle;
    request.folder = fsys::Folder(fileName);
    request.fileName = fsys::FileName(fileName);
    if (m_pDocTemplate) {
        m_pDocTemplate->GetDocString(request.filter, CDocTemplate::filterName);
        request.defaultExt = m_pDocTemplate->GetDefaultExtension();
        request.defaultExt.TrimLeft('.');
    }
    return ChooseFilePath(request, fileName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString newName(lpszPathName ? lpszPathName : "");
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (newName.IsEmpty()) {
            // The title as the proposed name, without characters no file name may hold.
            newName = m_strTitle;
            newName.Remove('/');
            if (m_pDocTemplate && FileNameExtension(newName).IsEmpty())
                newName += m_pDocTemplate->GetDefaultExtension();
        }
        if (!DoPromptFileName(newName, bReplace ? "Save As" : "Save Copy As"))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    if (fsys::Exists(m_strPathName) && fsys::IsReadOnly(m_strPathName)) {
        // The user learns why a name is asked for.
        AfxMessageBox(m_strTitle + " is read-only; save it under another name.", MB_OK | MB_ICONINFORMATION);
        return DoSave(nullptr);
    }
    return DoSave(m_strPathName);
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString prompt;
    prompt.Format("Save changes to %s?", static_cast<const char*>(name));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CFrameWnd* pFrame = m_viewList.GetNext(pos)->GetParentFrame();
        if (pFrame && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}
