#include "model/ViewServices.h"

namespace {

class CNoViews : public ICorraViewServices {
public:
    void LinkPanes(CView*, CView*) override {}
    int GetPaneIndex(CView*) override { return -1; }
    CView* GetPartner(CView*) override { return nullptr; }
    int GetDisplayMode(CView*) override { return 0; }
    int GetItemCount(CView*) override { return 0; }
    CSize GetContentSize(CView*) override { return CSize(0, 0); }
    BOOL GetListOrder(CView*, CPtrListEx&) override { return FALSE; }
    int GetSelectedItems(CView*, CPtrListEx&) override { return 0; }
    BOOL SelectQuestion(CView*, CCorraQuestion*, UINT) override { return FALSE; }
    void SetItemOrder(CView*, const CPtrListEx&) override {}
    void StepStartUpCounter() override {}
    BOOL IsCollectionView(CView*) override { return FALSE; }
    BOOL SaveCollectionView(CView*) override { return TRUE; }
    void SetCollection(CView*, const CPtrListEx&) override {}
    void RefreshCollection(CView*) override {}
    void ApplyToCollection(CView*) override {}
    void CloseCollectionView(CView*, BOOL) override {}
};

CNoViews g_noViews;
CServiceSlot<ICorraViewServices> g_viewServicesSlot(g_noViews);

} // namespace

CServiceSlot<ICorraViewServices>& CorraViewServicesSlot()
{
    return g_viewServicesSlot;
}

ICorraViewServices& NoCorraViewServices()
{
    return g_noViews;
}

ICorraViewServices& CorraViewServices()
{
    return g_viewServicesSlot.Get();
}
