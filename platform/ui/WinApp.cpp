#include "platform/ui/WinApp.h"

#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppName(lpszAppName ? lpszAppName : "")
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    while (!m_templates.IsEmpty())
        delete m_templates.RemoveHead();
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate && !m_templates.Find(pTemplate))
        m_templates.AddTail(pTemplate);
}

CDocTemplate* CWinApp::FindTemplateForFile(LPCSTR lpszFileName, CDocument*& rpOpenDoc) const
{
    rpOpenDoc = nullptr;
    CDocTemplate* pBest = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    for (POSITION pos = m_templates.GetHeadPosition(); pos;) {
        CDocTemplate* pTemplate = m_templates.GetNext(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence c = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (c > best) {
            best = c;
            pBest = pTemplate;
            rpOpenDoc = pMatch;
            if (c == CDocTemplate::yesAlreadyOpen)
                break;
        }
    }
    return pBest;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    CDocument* pOpen = nullptr;
    CDocTemplate* pTemplate = FindTemplateForFile(lpszFileName, pOpen);
    if (!pTemplate)
        return nullptr;
    if (pOpen) {
        // Already open: its first frame comes forward.
        if (CView* pView = pOpen->GetFirstView()) {
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pOpen;
    }
    return pTemplate->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCSTR) {}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = m_templates.GetHeadPosition(); pos;) {
        if (!m_templates.GetNext(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templates.GetHeadPosition(); pos;)
        m_templates.GetNext(pos)->CloseAllDocuments(bEndSession);
}
