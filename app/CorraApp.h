#pragma once
// The application object: the start-up (command line, profile file, templates, main window,
// registration runs, configuration check, fonts, the timed splash, start screen, tip and
// welcome), the registry of templates and open documents, File New and File Open, and the
// about box.

#include "foundation/CorraAppBase.h"
#include "foundation/Parse.h"
#include "platform/ui/WinApp.h"

#include <QCursor>

#include <memory>
#include <vector>

class CDocTemplate;
class CMainFrame;
class CMultiDocTemplate;
class CPtrListEx;
class CObject;

// Document kinds by template id.
constexpr int DOCKIND_CORRA = 3;
constexpr int DOCKIND_EXAM = 4;
constexpr int DOCKIND_SOURCE = 102;

// The command line of the program: also "Register" and "Regserver" (registration run).
class CCorraCommandLineInfo : public CCommandLineInfo {
public:
    BOOL IsSwitchWord(const char* word) const override;
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;
    BOOL IsRegistrationRun() const { return m_nShellCommand == AppUnregister || m_nRegister == 6; }

    // 6 when registration was asked for, else -1.
    int m_nRegister = -1;
};

// What start-up shows and when (milliseconds; -1 not at all). The welcome message replaces the
// start screen and the tip.
struct CStartupPlan {
    int splash = -1;
    int showFrame = 250;
    int startScreen = -1;
    int tip = -1;
    int welcome = -1;
};
CStartupPlan PlanStartup(BOOL bSplash, BOOL bStartScreen, BOOL bTip, BOOL bWelcome);

// Whether a component's version passes a minimum (a minimum minor below 0 asks only for the
// major).
BOOL VersionPasses(int major, int minor, int minMajor, int minMinor);

class CCorraApp : public CWinApp, public CCorraAppBase {
public:
    CCorraApp();
    ~CCorraApp() override;

    // The program's arguments (without the program name), for InitInstance.
    void SetArguments(std::vector<CString> args) { m_args = std::move(args); }

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(QObject* pTarget, QEvent* pEvent) override;
    BOOL OnIdle(LONG lCount) override;
    CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;
    // Dropped files pass the command line's checks.
    void OpenDroppedFiles(const std::vector<CString>& files) override { OpenCheckedFiles(files); }

    // Start-up steps.
    void AssignLocalConfigFile(BOOL bQuiet);
    // FALSE ends the program.
    BOOL ConfigCheck();
    // 1 go on, 2 quit.
    int CheckComponent(LPCSTR progId, LPCSTR fileName, int minMajor, int minMinor);
    void CheckHelpFile(LPCSTR folder);
    void InstallFonts();
    // The files named on the command line, opened once start-up is done; a missing file, a
    // folder, a file of no kind and an unknown switch are each told and skipped.
    void OpenCommandLineFiles(const CCorraCommandLineInfo& info);
    // Opens each file that passes those checks (also files dropped on the main window).
    void OpenCheckedFiles(const std::vector<CString>& files);
    const CCorraCommandLineInfo& CommandLine() const { return m_cmdInfo; }
    const CStartupPlan& Plan() const { return m_plan; }

    // Templates (NULL until InitInstance makes them).
    CMultiDocTemplate* m_pCorraTemplate = nullptr;
    CMultiDocTemplate* m_pSourceTemplate = nullptr;
    CMultiDocTemplate* m_pCollTemplate = nullptr;
    CMultiDocTemplate* m_pFormTemplate = nullptr;
    CMultiDocTemplate* m_pExamTemplate = nullptr;
    // Makes the five templates and registers the three of them (done by InitInstance).
    void CreateTemplates();
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    QCursor m_cursor;
    // The application's own tokenizer (words of lower-case letters 99, numbers 12, the end 13).
    CParse m_parse;
    // The process-wide set-up of the model's classes and of the tokenizer, once.
    void InitStaticMembers();

    // --- services ---
    static unsigned NextQID();
    static CString MakeCorraId(LPCSTR prefix);
    CString GetDocString(int nKind, int nIndex) const;
    static CString GetDefDir(int nKind);
    static CString GetDefDocDir(LPCSTR path);
    static BOOL CheckDefDocDirectory(LPCSTR path, BOOL bAsk, BOOL bFlag2);
    static int DocTypeOfPath(LPCSTR path);
    // 3, 4 or 102 by the file name's extension, whole and without case; 0 for any other.
    static int ExtToDocType(LPCSTR path);
    // The registered template whose extensions hold the file's extension, or NULL.
    CDocTemplate* GetTemplateForFile(LPCSTR path) const;
    // The open Question Corra document of a path (the same file), or of a bare name (a saved
    // document of that file name, an unsaved one of that title); else, with bOpen, the file
    // opened.
    CDocument* FindOpenDocument(LPCSTR path, BOOL bOpen);
    // The same among the documents of the file's template.
    CDocument* FindDocumentOfFile(LPCSTR pathOrTitle, BOOL bOpen);
    CDocument* OpenDocumentOfType(LPCSTR path, BOOL bVisible);
    CDocument* OpenCorraDocument(LPCSTR path, BOOL bVisible);
    CDocument* NewCorraDocument(BOOL bVisible);
    CDocument* NewExamDocument();
    // The chooser routine of every task that picks a document of the shell (ChooseDocumentOfKind,
    // app/DocumentChooser.h).
    CDocument* ChooseDocument(int nKind, LPCSTR title, LPCSTR info, DWORD dwStyle, BOOL& bOpened, BOOL bVisible = TRUE,
                              CDocument* pExclude = nullptr, LPCSTR excludeFile = nullptr);
    CDocTemplate* GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nIndex, CDocument* pExclude);
    CDocument* FindDocumentByTitle(LPCSTR title);
    void UpdateAllDocuments(LPARAM lHint, CObject* pHint);

    // Commands.
    void OnFileNew() override;
    void OnFileOpen() override;
    void OnAppAbout();
    void OnHelpTipOfTheDay();

    // Whether the framework's idle processing runs now.
    static BOOL IsInIdle();

private:
    // The user asked to register the component that is not installed: 1 go on, 2 quit.
    int RegisterMissingComponent(const CString& file, int minMajor, int minMinor);
    // The installed component's version against the least one: 1 go on, 2 quit.
    int CheckComponentVersion(const CString& file, int minMajor, int minMinor);
    std::vector<CDocTemplate*> OfferedTemplates(BOOL bForNew) const;
    BOOL RunRegistration();

    std::vector<CString> m_args;
    CCorraCommandLineInfo m_cmdInfo;
    CStartupPlan m_plan;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<class IShellDocuments> m_pShellDocs;
    // The documents' question editors and the master lists' Edit File List dialog.
    std::unique_ptr<class CQuestionDialogs> m_pQuestionDialogs;
    std::unique_ptr<class CEditFileListService> m_pEditFileList;
    // The file chooser behind the document, file and folder choosing slots.
    std::unique_ptr<class CChooserServices> m_pChoosers;
    std::unique_ptr<class CProgramExamDialogs> m_pExamDialogs;
    std::unique_ptr<class ICommandDialog> m_pImportFiles;
    std::unique_ptr<class ICommandDialog> m_pExportedFiles;
    std::unique_ptr<class IAddQuestionWizard> m_pWizard;
    std::unique_ptr<class IQuestionTestPrint> m_pTestPrint;
};

// The installed application object, or NULL.
CCorraApp* GetCorraApp();

// A message to the window of the document's first view.
BOOL PostToDocView(CDocument* pDoc, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT SendToDocView(CDocument* pDoc, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Closes the frame of the document's first view.
void CloseViewFrame(CDocument* pDoc);
// The frames of the two documents' first views, side by side.
void ShowDocsSideBySide(CDocument* pLeft, CDocument* pRight);
