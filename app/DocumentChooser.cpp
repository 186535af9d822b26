#include "app/DocumentChooser.h"

#include "app/CorraApp.h"
#include "foundation/FileTypes.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FileDialog.h"

namespace {

class CPlainDocumentChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) override
    {
        bOpened = FALSE;
        CCorraApp* pApp = GetCorraApp();
        if (!pApp)
            return nullptr;
        CFileDialogRequest request;
        request.title = info ? info : "";
        request.folder = CCorraApp::GetDefDir(nKind);
        CDocTemplate* pTemplate = nKind == DOCKIND_EXAM ? static_cast<CDocTemplate*>(pApp->m_pExamTemplate)
                                                        : static_cast<CDocTemplate*>(pApp->m_pCorraTemplate);
        if (pTemplate)
            pTemplate->GetDocString(request.filter, CDocTemplate::filterName);
        CString path;
        if (!ChooseFilePath(request, path) || CCorraApp::ExtToDocType(path) != nKind)
            return nullptr;
        CDocument* pOpen = pApp->FindDocumentOfFile(path, FALSE);
        if (pOpen)
            return pOpen == pExclude ? nullptr : pOpen;
        CDocument* pDoc = pApp->OpenDocumentOfType(path, TRUE);
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
