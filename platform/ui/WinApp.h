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

class CWinApp : public CCmdTarget {
public:
    // The program has one application object at a time: AfxGetApp answers it.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    const CString& GetAppName() const { return m_strAppName; }

    // Templates. A registered template is the application's; it is deleted with it.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templates.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return m_templates.GetNext(pos); }
    int GetDocTemplateCount() const { return m_templates.GetCount(); }

    // Opens a file with the template that fits it best; a document already open under that
    // path is brought forward instead. NULL when no template takes it or opening fails.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
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
};

// The application object, or NULL.
CWinApp* AfxGetApp();
