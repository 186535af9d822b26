#include "platform/ui/WinApp.h"

#include "platform/core/Profile.h"
#include "platform/core/RecentFileList.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Print.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QEvent>
#include <QPrinter>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

// --- command line -----------------------------------------------------------------------------

BOOL CCommandLineInfo::IsSwitchWord(const char* word) const
{
    static const char* const kWords[] = {"Unregister", "Unregserver", "Embedding", "Automation", "nologo"};
    for (const char* w : kWords) {
        if (CString(word).CompareNoCase(w) == 0)
            return TRUE;
    }
    return FALSE;
}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    CString param(pszParam ? pszParam : "");
    if (bFlag) {
        if (param.CompareNoCase("Unregister") == 0 || param.CompareNoCase("Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (param.CompareNoCase("Embedding") == 0)
            m_bRunEmbedded = TRUE, m_bShowSplash = FALSE;
        else if (param.CompareNoCase("Automation") == 0)
            m_bRunAutomated = TRUE, m_bShowSplash = FALSE;
        else if (param.CompareNoCase("nologo") == 0)
            m_bShowSplash = FALSE;
        else
            m_unknownSwitches.push_back(param);
        return;
    }
    if (param.IsEmpty())
        return;
    if (m_files.empty())
        m_strFileName = param;
    m_files.push_back(param);
    if (m_nShellCommand == FileNew)
        m_nShellCommand = FileOpen;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rInfo, const std::vector<CString>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i];
        BOOL bLast = i + 1 == args.size();
        int lead = arg.Left(2) == "--" ? 2 : ((arg.Left(1) == "/" || arg.Left(1) == "-") ? 1 : 0);
        CString word = arg.Mid(lead);
        if (lead > 0 && rInfo.IsSwitchWord(word))
            rInfo.ParseParam(word, TRUE, bLast);
        else if (arg.Left(1) == "-")
            rInfo.m_unknownSwitches.push_back(arg);
        else
            rInfo.ParseParam(arg, FALSE, bLast);
    }
}

// --- the run ----------------------------------------------------------------------------------

class CAppEventFilter : public QObject {
public:
    explicit CAppEventFilter(CWinApp* app) : m_pApp(app) {}
    bool eventFilter(QObject* target, QEvent* event) override
    {
        return m_pApp->PreTranslateMessage(target, event);
    }

private:
    CWinApp* m_pApp;
};

class CAppIdle : public IIdleHandler {
public:
    explicit CAppIdle(CWinApp* app) : m_pApp(app) {}
    void OnIdle() override { m_pApp->OnIdle(0); }

private:
    CWinApp* m_pApp;
};

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppName(lpszAppName ? lpszAppName : "")
{
    g_pApp = this;
    BindCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    BindCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    BindCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    BindCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](UINT nID) { OnOpenRecentFile(nID); });
}

void CWinApp::InstallIdleAndFilter()
{
    if (!m_pFilter && qApp) {
        m_pFilter = std::make_unique<CAppEventFilter>(this);
        qApp->installEventFilter(m_pFilter.get());
    }
    if (!m_pIdle) {
        m_pIdle = std::make_unique<CAppIdle>(this);
        IdleHandlerSlot().Set(m_pIdle.get());
        EnableIdleProcessing(TRUE);
    }
}

BOOL CWinApp::OnIdle(LONG)
{
    RunIdleUpdate();
    return FALSE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    return 0;
}

int CWinApp::Run()
{
    if (!InitInstance()) {
        ExitInstance();
        return 1;
    }
    int code = qApp ? qApp->exec() : 0;
    int exitCode = ExitInstance();
    return code ? code : exitCode;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_pRecentFileList.reset();
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = std::make_unique<CRecentFileList>(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SetProfileName(LPCSTR path)
{
    AppProfile().SetPath(path ? path : "");
}

CString CWinApp::GetProfileName() const
{
    return AppProfile().GetPath();
}

void CWinApp::OnFileNew()
{
    if (m_templates.IsEmpty())
        return;
    m_templates.GetHead()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CFileDialogRequest request;
    request.title = "Open";
    for (POSITION pos = m_templates.GetHeadPosition(); pos;) {
        CString filter;
        if (m_templates.GetNext(pos)->GetDocString(filter, CDocTemplate::filterName)) {
            if (!request.filter.IsEmpty())
                request.filter += ";;";
            request.filter += filter;
        }
    }
    CString path;
    if (ChooseFilePath(request, path))
        OpenDocumentFile(path);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path))
        return TRUE;
    // A file that no longer opens leaves the list.
    m_pRecentFileList->Remove(index);
    m_pRecentFileList->WriteList();
    return FALSE;
}

void CWinApp::OnAppExit()
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->GetWidget()->close();
}

void CWinApp::OnFilePrintSetup()
{
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK)
        return;
    dlg.ApplyToPrinter();
    StoreProgramPrinterSetup(*dlg.GetPrinter());
}

CWinApp::~CWinApp()
{
    if (m_pFilter && qApp)
        qApp->removeEventFilter(m_pFilter.get());
    if (m_pIdle && IdleHandlerSlot().Installed() == m_pIdle.get()) {
        EnableIdleProcessing(FALSE);
        IdleHandlerSlot().Set(nullptr);
    }
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

void CWinApp::OpenDroppedFiles(const std::vector<CString>& files)
{
    for (const CString& f : files)
        OpenDocumentFile(f);
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

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (!m_pRecentFileList || !lpszPathName || !*lpszPathName)
        return;
    m_pRecentFileList->Add(FullPathKey(lpszPathName));
    m_pRecentFileList->WriteList();
}

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
