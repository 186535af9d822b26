#include "app/DocumentChooser.h"

#include "foundation/FileTypes.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/WinApp.h"

CDocTemplate* TemplateOfKind(int nKind)
{
    CWinApp* pApp = AfxGetApp();
    const CString ext = "." + CFileTypes::Type2Ext(nKind, FALSE);
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        CString docExt;
        if (pTemplate->GetDocString(docExt, CDocTemplate::filterExt) && docExt.CompareNoCase(ext) == 0)
            return pTemplate;
    }
    return nullptr;
}

CDocument* NewDocumentOfKind(int nKind)
{
    CDocTemplate* pTemplate = TemplateOfKind(nKind);
    return pTemplate ? pTemplate->OpenDocumentFile(nullptr, TRUE) : nullptr;
}

namespace {

class CPlainDocumentChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) override
    {
        bOpened = FALSE;
        CDocTemplate* pTemplate = TemplateOfKind(nKind);
        if (!pTemplate)
            return nullptr;
        CFileDialogRequest request;
        request.title = info ? info : "";
        request.folder = CFileTypes::GetDefDir(nKind);
        pTemplate->GetDocString(request.filter, CDocTemplate::filterName);
        CString path;
        if (!ChooseFilePath(request, path))
            return nullptr;
        CDocument* pOpen = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pOpen);
        if (match == CDocTemplate::yesAlreadyOpen)
            return pOpen == pExclude ? nullptr : pOpen;
        // A file of another kind is not this task's.
        if (match != CDocTemplate::yesAttemptNative)
            return nullptr;
        CDocument* pDoc = pTemplate->OpenDocumentFile(path, TRUE);
        bOpened = pDoc != nullptr;
        return pDoc;
    }
};

CPlainDocumentChooser g_plainChooser;
CServiceSlot<IDocumentChooser> g_chooserSlot(g_plainChooser);

} // namespace

CServiceSlot<IDocumentChooser>& DocumentChooserSlot()
{
    return g_chooserSlot;
}

IDocumentChooser& DocumentChooser()
{
    return g_chooserSlot.Get();
}
