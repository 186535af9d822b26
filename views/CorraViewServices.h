#pragma once
// What the documents and frames ask of the Question Corra views, answered by the views
// themselves. Other views, and the opening of collection windows, are passed to the services
// given (the application opens those windows in a template of its own).

#include "model/ViewServices.h"

class CCorraViewServices : public ICorraViewServices {
public:
    // pOther answers for the views that are not Question Corra views; NULL: the quiet default.
    explicit CCorraViewServices(ICorraViewServices* pOther = nullptr) : m_pOther(pOther) {}

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
    CView* OpenCollectionView(CCorraDoc& doc, CCorraQuestion* collection) override;
    CString GetCollectionViewName(CView* view) override;
    void SetCollectionViewName(CView* view, LPCSTR name) override;
    void SetCollectionViewModified(CView* view) override;
    CCorraQuestion* GetViewCollection(CView* view) override;

private:
    ICorraViewServices& Other() const;
    ICorraViewServices* m_pOther;
};
