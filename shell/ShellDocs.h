#pragma once
// What the file list and the file chooser ask of the application about documents: the open
// documents of a kind, the recently opened files, opening a file, a new document of a kind, and
// the line count an open source document shows.
// The application installs its own answers; until then the framework's templates and documents
// answer, and there are no recent files.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

#include <vector>

class CDocument;
class CDocTemplate;

class IShellDocuments {
public:
    virtual ~IShellDocuments() = default;
    // The open documents of the first template whose document string field nDocStringIndex
    // (lower-cased) contains the trimmed, lower-cased text, except pExclude; that template, or
    // NULL when none matches (docs emptied either way).
    virtual CDocTemplate* GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nDocStringIndex,
                                        CDocument* pExclude) = 0;
    // The open document of a path (the same file), or NULL.
    virtual CDocument* FindOpenDocument(LPCSTR path) = 0;
    // Opens the document of a path (an open one is returned as it is); NULL when it cannot.
    virtual CDocument* OpenDocumentOfType(LPCSTR path, BOOL bVisible) = 0;
    // The recent files, newest first (full paths; empty places left out).
    virtual void GetRecentFiles(std::vector<CString>& paths) = 0;
    // A new document of a kind (3 Question Corra, 4 exam); NULL when there is no template for it.
    // The default asks the kind's template (by its extension).
    virtual CDocument* NewDocument(int nKind, BOOL bVisible);
    // The lines an open document's view shows (a source document); -1 when it cannot tell.
    virtual int GetOpenLineCount(CDocument* pDoc) = 0;
};

CServiceSlot<IShellDocuments>& ShellDocumentsSlot();
IShellDocuments& ShellDocuments();
