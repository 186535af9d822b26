#include "views/CorraViewServices.h"

#include "views/CollView.h"
#include "views/CorraView.h"

namespace {

CCorraView* AsView(CView* view)
{
    return dynamic_cast<CCorraView*>(view);
}

CCollView* AsCollView(CView* view)
{
    return dynamic_cast<CCollView*>(view);
}

} // namespace

ICorraViewServices& CCorraViewServices::Other() const
{
    return m_pOther ? *m_pOther : NoCorraViewServices();
}

void CCorraViewServices::LinkPanes(CView* upper, CView* lower)
{
    CCorraView* pUpper = AsView(upper);
    CCorraView* pLower = AsView(lower);
    if (!pUpper || !pLower) {
        Other().LinkPanes(upper, lower);
        return;
    }
    pUpper->m_nPaneIndex = 0;
    pUpper->m_pSibling = pLower;
    pLower->m_nPaneIndex = 1;
    pLower->m_pSibling = pUpper;
    pLower->m_nDisplayMode = 2;
}

int CCorraViewServices::GetPaneIndex(CView* view)
{
    if (AsCollView(view))
        return -1;
    CCorraView* p = AsView(view);
    return p ? p->m_nPaneIndex : Other().GetPaneIndex(view);
}

CView* CCorraViewServices::GetPartner(CView* view)
{
    CCorraView* p = AsView(view);
    return p ? p->m_pSibling : Other().GetPartner(view);
}

int CCorraViewServices::GetDisplayMode(CView* view)
{
    CCorraView* p = AsView(view);
    return p ? p->m_nDisplayMode : Other().GetDisplayMode(view);
}

int CCorraViewServices::GetItemCount(CView* view)
{
    CCorraView* p = AsView(view);
    return p ? p->GetElementCount() : Other().GetItemCount(view);
}

CSize CCorraViewServices::GetContentSize(CView* view)
{
    CCorraView* p = AsView(view);
    return p ? p->GetScrollSizes() : Other().GetContentSize(view);
}

BOOL CCorraViewServices::GetListOrder(CView* view, CPtrListEx& questions)
{
    CCorraView* p = AsView(view);
    if (!p)
        return Other().GetListOrder(view, questions);
    p->GetOrder(questions);
    return TRUE;
}

int CCorraViewServices::GetSelectedItems(CView* view, CPtrListEx& questions)
{
    CCorraView* p = AsView(view);
    return p ? p->GetSelectedQuestions(questions) : Other().GetSelectedItems(view, questions);
}

BOOL CCorraViewServices::SelectQuestion(CView* view, CCorraQuestion* question, UINT flags)
{
    CCorraView* p = AsView(view);
    return p ? p->SelectQuestion(question, flags) : Other().SelectQuestion(view, question, flags);
}

void CCorraViewServices::SetItemOrder(CView* view, const CPtrListEx& questions)
{
    if (CCorraView* p = AsView(view))
        p->SetOrder(questions);
    else
        Other().SetItemOrder(view, questions);
}

void CCorraViewServices::StepStartUpCounter()
{
    CCorraView::StartupCounterStep();
    Other().StepStartUpCounter();
}

BOOL CCorraViewServices::IsCollectionView(CView* view)
{
    if (AsCollView(view))
        return TRUE;
    return AsView(view) ? FALSE : Other().IsCollectionView(view);
}

BOOL CCorraViewServices::SaveCollectionView(CView* view)
{
    if (CCollView* p = AsCollView(view))
        return p->SaveModified();
    return AsView(view) ? TRUE : Other().SaveCollectionView(view);
}

void CCorraViewServices::SetCollection(CView* view, const CPtrListEx& questions)
{
    if (CCollView* p = AsCollView(view))
        p->SetCollection(questions);
    else if (!AsView(view))
        Other().SetCollection(view, questions);
}

void CCorraViewServices::RefreshCollection(CView* view)
{
    if (CCollView* p = AsCollView(view))
        p->Refresh();
    else if (!AsView(view))
        Other().RefreshCollection(view);
}

void CCorraViewServices::ApplyToCollection(CView* view)
{
    if (CCollView* p = AsCollView(view))
        p->ApplyToCollection();
    else if (!AsView(view))
        Other().ApplyToCollection(view);
}

void CCorraViewServices::CloseCollectionView(CView* view, BOOL discard)
{
    if (CCollView* p = AsCollView(view))
        p->CloseView(discard);
    else if (!AsView(view))
        Other().CloseCollectionView(view, discard);
}

CView* CCorraViewServices::OpenCollectionView(CCorraDoc& doc, CCorraQuestion* collection)
{
    return Other().OpenCollectionView(doc, collection);
}

CString CCorraViewServices::GetCollectionViewName(CView* view)
{
    if (CCollView* p = AsCollView(view))
        return p->GetName();
    return AsView(view) ? CString() : Other().GetCollectionViewName(view);
}

void CCorraViewServices::SetCollectionViewName(CView* view, LPCSTR name)
{
    if (CCollView* p = AsCollView(view))
        p->SetName(name);
    else if (!AsView(view))
        Other().SetCollectionViewName(view, name);
}

void CCorraViewServices::SetCollectionViewModified(CView* view)
{
    if (CCollView* p = AsCollView(view))
        p->SetModified(TRUE);
    else if (!AsView(view))
        Other().SetCollectionViewModified(view);
}

CCorraQuestion* CCorraViewServices::GetViewCollection(CView* view)
{
    if (CCollView* p = AsCollView(view))
        return p->GetCollection();
    return AsView(view) ? nullptr : Other().GetViewCollection(view);
}
