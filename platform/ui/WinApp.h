#pragma once
// The application base: the program's document templates and what goes across them (open a
// file with the template that fits it, save or close every document), the last step of the
// command route, and the idle and message hooks of the event loop.

#include "platform/core/Collections.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

#include <memory>
#include <vector>

class CDocTemplate;
class CDocument;
class CRecentFileList;
class QEvent;
class QObject;

// What the command line asks for. Arguments are switches only when they are one of the known
// switch words after "/", "-" or "--" (compared without case): paths start with "/" here, so
// "/home/a.crr" is a file and "/Unregister" a switch. Anything else starting with "-" is an
// unknown switch; everything else names a file.
class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FileNothing, AppRegister, AppUnregister };
    virtual ~CCommandLineInfo() = default;

    // Whether word (without its leading "/", "-" or "--") is a switch this line knows.
    virtual BOOL IsSwitchWord(const char* word) const;
    // One argument: bFlag when it is a switch (pszParam then without its leader).
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    // The files named, in order; the first also in m_strFileName.
    std::vector<CString> m_files;
    CString m_strFileName;
    // Switches nobody knows, as given.
    std::vector<CString> m_unknownSwitches;
};

class CWinApp : public CCmdTarget {
public:
    // The program has one application object at a time: AfxGetApp answers it.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    const CString& GetAppName() const { return m_strAppName; }

    // The run: InitInstance (FALSE ends the program at once), the event loop, ExitInstance.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    int Run();

    // The arguments after the program name go to rInfo, one by one.
    void ParseCommandLine(CCommandLineInfo& rInfo, const std::vector<CString>& args);

    // Runs once each time the event loop runs dry (after InstallIdleAndFilter): the idle
    // update of every window. Returns whether it wants more idle time (ignored here).
    virtual BOOL OnIdle(LONG lCount);
    // Every event of the program goes here first (after InstallIdleAndFilter); TRUE swallows it.
    virtual BOOL PreTranslateMessage(QObject* pTarget, QEvent* pEvent) { return FALSE; }
    // Routes the event loop's idle time and every event through OnIdle and PreTranslateMessage.
    void InstallIdleAndFilter();

    // The recent-file list of nMaxMRU entries ("Recent File List", "File%d") read from the
    // profile; 0 none.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    // The profile file every profile call reads and writes.
    void SetProfileName(LPCSTR path);
    CString GetProfileName() const;
    CString m_strHelpFilePath;

    // The standard commands: File New (the only template's new document), File Open (the file
    // dialog over every template's filter), a recent file, Exit (closes the main window).
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual BOOL OnOpenRecentFile(UINT nID);
    virtual void OnAppExit();
    // Print Setup: the page set-up dialog on the program's printer set-up, which keeps what the
    // user confirms for every later print and preview.
    virtual void OnFilePrintSetup();

    // Templates. A registered template is the application's; it is deleted with it.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templates.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return m_templates.GetNext(pos); }
    int GetDocTemplateCount() const { return m_templates.GetCount(); }

    // Opens a file with the template that fits it best; a document already open under that
    // path is brought forward instead. NULL when no template takes it or opening fails.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // Files dropped on the main window; the default opens each.
    virtual void OpenDroppedFiles(const std::vector<CString>& files);
    // The template that fits the file best (and the document open under its path, if any);
    // NULL when none takes it.
    CDocTemplate* FindTemplateForFile(LPCSTR lpszFileName, CDocument*& rpOpenDoc) const;
    // Adds a path to the recent-file list (nothing until a list is loaded).
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    // Asks every document of every template to save; FALSE when the user cancelled.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

private:
    CString m_strAppName;
    CTypedList<CDocTemplate*> m_templates;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<class CAppEventFilter> m_pFilter;
    std::unique_ptr<class CAppIdle> m_pIdle;
};

// The application object, or NULL.
CWinApp* AfxGetApp();
