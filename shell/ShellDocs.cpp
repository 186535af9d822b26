#include "shell/ShellDocs.h"

#include "foundation/FileTypes.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

namespace {

// The framework's answers, while the application has installed none of its own.
class CFrameworkDocuments : public IShellDocuments {
public:
    CDocTemplate* GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nDocStringIndex,
                                CDocument* pExclude) override
    {
        docs.clear();
        CWinApp* pApp = AfxGetApp();
        CString want(text);
        want.Trim();
        want.MakeLower();
        if (!pApp || want.IsEmpty())
            return nullptr;
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos;) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            CString field;
            pTemplate->GetDocString(field, static_cast<CDocTemplate::DocStringIndex>(nDocStringIndex));
            field.MakeLower();
            if (field.Find(want) < 0)
                continue;
            for (POSITION d = pTemplate->GetFirstDocPosition(); d;) {
                CDocument* pDoc = pTemplate->GetNextDoc(d);
                if (pDoc != pExclude)
                    docs.push_back(pDoc);
            }
            return pTemplate;
        }
        return nullptr;
    }

    CDocument* FindOpenDocument(LPCSTR path) override
    {
        CWinApp* pApp = AfxGetApp();
        if (!pApp)
            return nullptr;
        CDocument* pDoc = nullptr;
        pApp->FindTemplateForFile(path, pDoc);
        return pDoc;
    }

    CDocument* OpenDocumentOfType(LPCSTR path, BOOL bVisible) override
    {
        CWinApp* pApp = AfxGetApp();
        if (!pApp)
            return nullptr;
        CDocument* pDoc = nullptr;
        CDocTemplate* pTemplate = pApp->FindTemplateForFile(path, pDoc);
        if (pDoc || !pTemplate)
            return pDoc;
        return pTemplate->OpenDocumentFile(path, bVisible);
    }

    void GetRecentFiles(std::vector<CString>& paths) override { paths.clear(); }

    int GetOpenLineCount(CDocument*) override { return -1; }
};

CFrameworkDocuments g_framework;
CServiceSlot<IShellDocuments> g_slot(g_framework);

} // namespace

CDocument* IShellDocuments::NewDocument(int nKind, BOOL bVisible)
{
    CString ext = CFileTypes::Type2Ext(nKind, FALSE).SpanExcluding(";");
    if (ext.IsEmpty())
        return nullptr;
    std::vector<CDocument*> docs;
    CDocTemplate* pTemplate = GetDocsOfType(ext, docs, CDocTemplate::filterExt, nullptr);
    return pTemplate ? pTemplate->OpenDocumentFile(nullptr, bVisible) : nullptr;
}

CServiceSlot<IShellDocuments>& ShellDocumentsSlot()
{
    return g_slot;
}

IShellDocuments& ShellDocuments()
{
    return g_slot.Get();
}
