#include "tests/support/ScriptedShellDocuments.h"

#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"

CDocTemplate* CScriptedShellDocuments::GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int,
                                                     CDocument* pExclude)
{
    docs.clear();
    CString ext(text);
    ext.Trim();
    bool known = false;
    for (const COpenDoc& d : open) {
        if (d.ext.CompareNoCase(ext) != 0)
            continue;
        known = true;
        if (d.pDoc != pExclude)
            docs.push_back(d.pDoc);
    }
    return known || ext.CompareNoCase("exm") == 0 || ext.CompareNoCase("crr") == 0 ? pTemplate : nullptr;
}

CDocument* CScriptedShellDocuments::FindOpenDocument(LPCSTR path)
{
    CString key = FullPathKey(path);
    for (const COpenDoc& d : open) {
        if (!d.pDoc->GetPathName().IsEmpty() && FullPathKey(d.pDoc->GetPathName()) == key)
            return d.pDoc;
    }
    return nullptr;
}

CDocument* CScriptedShellDocuments::OpenDocumentOfType(LPCSTR path, BOOL)
{
    opened.push_back(path);
    return pOpenResult;
}

int CScriptedShellDocuments::GetOpenLineCount(CDocument* pDoc)
{
    for (const COpenDoc& d : open) {
        if (d.pDoc == pDoc)
            return d.nLines;
    }
    return -1;
}
