#pragma once
// Scripted views for the model's view services: each CView* the test names gets a record of
// what the frame would have set (pane, partner, display mode) and the list it shows; the fake
// answers from those records and notes every request that changes a view.

#include "foundation/PtrListEx.h"
#include "model/ViewServices.h"

#include <map>
#include <vector>

class CFakeViews : public ICorraViewServices {
public:
    struct View {
        int pane = 0;
        CView* partner = nullptr;
        int displayMode = 0;
        CSize contentSize{0, 0};
        BOOL collectionView = FALSE;
        BOOL saveAnswer = TRUE;  // what SaveCollectionView answers
        CPtrListEx items;        // in display order
        CPtrListEx selected;
    };
    struct Call {
        CString what;  // "link", "select", "order", "save", "set", "refresh", "apply", "close", "step"
        CView* view = nullptr;
        UINT flags = 0;
    };

    // The record of a view (made on first use).
    View& Of(CView* view) { return m_views[view]; }

    void LinkPanes(CView* upper, CView* lower) override;
    int GetPaneIndex(CView* view) override;
    CView* GetPartner(CView* view) override;
    int GetDisplayMode(CView* view) override;
    int GetItemCount(CView* view) override;
    CSize GetContentSize(CView* view) override;
    BOOL GetListOrder(CView* view, CPtrListEx& questions) override;
    int GetSelectedItems(CView* view, CPtrListEx& questions) override;
    BOOL SelectQuestion(CView* view, CCorraQuestion* question, UINT flags) override;
    void SetItemOrder(CView* view, const CPtrListEx& questions) override;
    void StepStartUpCounter() override;
    BOOL IsCollectionView(CView* view) override;
    BOOL SaveCollectionView(CView* view) override;
    void SetCollection(CView* view, const CPtrListEx& questions) override;
    void RefreshCollection(CView* view) override;
    void ApplyToCollection(CView* view) override;
    void CloseCollectionView(CView* view, BOOL discard) override;

    std::vector<Call> calls;
    // How many calls of a kind were made.
    int Count(const char* what) const
    {
        int n = 0;
        for (const Call& call : calls)
            n += call.what == what;
        return n;
    }

private:
    std::map<CView*, View> m_views;
};
