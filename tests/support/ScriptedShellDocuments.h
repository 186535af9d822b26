#pragma once
// The application's answers about documents, as a test sets them: open documents (each with
// the extension it is listed under), recent files, line counts, and the opens asked for.

#include "shell/ShellDocs.h"

#include <map>
#include <vector>

class CScriptedShellDocuments : public IShellDocuments {
public:
    struct COpenDoc {
        CDocument* pDoc = nullptr;
        CString ext;  // "exm"
        int nLines = -1;
    };

    CDocTemplate* GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nDocStringIndex,
                                CDocument* pExclude) override;
    CDocument* FindOpenDocument(LPCSTR path) override;
    CDocument* OpenDocumentOfType(LPCSTR path, BOOL bVisible) override;
    void GetRecentFiles(std::vector<CString>& paths) override { paths = recent; }
    int GetOpenLineCount(CDocument* pDoc) override;
    CDocument* NewDocument(int nKind, BOOL) override
    {
        made.push_back(nKind);
        return pNewResult;
    }

    std::vector<COpenDoc> open;
    std::vector<CString> recent;
    // What OpenDocumentOfType gives (NULL: failure), and the paths it was asked for.
    CDocument* pOpenResult = nullptr;
    std::vector<CString> opened;
    // What NewDocument gives, and the kinds it was asked for.
    CDocument* pNewResult = nullptr;
    std::vector<int> made;
    // Any non-null value stands for the template of a known extension.
    CDocTemplate* pTemplate = reinterpret_cast<CDocTemplate*>(this);
};
