#include "app/ViewServices.h"

#include "model/CorraDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "views/CollView.h"
#include "views/CorraViewServices.h"

namespace {

class CProgramViewServices : public CCorraViewServices {
public:
    CView* OpenCollectionView(CCorraDoc& doc, CCorraQuestion* collection) override
    {
        CCollView* view = OpenCollectionFrame(m_pCollTemplate, doc);
        if (!view)
            return nullptr;
        view->SetCollectionQuestion(collection);
        return view;
    }
    CDocTemplate* m_pCollTemplate = nullptr;
};

CProgramViewServices g_views;

} // namespace

CCollView* OpenCollectionFrame(CDocTemplate* pTemplate, CCorraDoc& doc)
{
    CFrameWnd* frame = pTemplate ? pTemplate->CreateNewFrame(&doc, nullptr) : nullptr;
    if (!frame)
        return nullptr;
    pTemplate->InitialUpdateFrame(frame, &doc, TRUE);
    for (POSITION pos = doc.GetFirstViewPosition(); pos;) {
        auto* view = dynamic_cast<CCollView*>(doc.GetNextView(pos));
        if (view && view->GetParentFrame() == frame)
            return view;
    }
    frame->DestroyWindow();
    return nullptr;
}

void SetCollectionTemplate(CDocTemplate* pTemplate)
{
    g_views.m_pCollTemplate = pTemplate;
}

void InstallViewServices()
{
    if (!CorraViewServicesSlot().Installed())
        CorraViewServicesSlot().Set(&g_views);
}

void RemoveViewServices()
{
    if (CorraViewServicesSlot().Installed() == &g_views)
        CorraViewServicesSlot().Set(nullptr);
}
