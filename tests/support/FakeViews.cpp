#include "tests/support/FakeViews.h"

void CFakeViews::LinkPanes(CView* upper, CView* lower)
{
    Of(upper).pane = 0;
    Of(upper).partner = lower;
    Of(lower).pane = 1;
    Of(lower).partner = upper;
    Of(lower).displayMode = 2;
    calls.push_back({"link", upper, 0});
}

int CFakeViews::GetPaneIndex(CView* view)
{
    auto it = m_views.find(view);
    return it == m_views.end() || it->second.collectionView ? -1 : it->second.pane;
}

CView* CFakeViews::GetPartner(CView* view)
{
    return Of(view).partner;
}

int CFakeViews::GetDisplayMode(CView* view)
{
    return Of(view).displayMode;
}

int CFakeViews::GetItemCount(CView* view)
{
    return Of(view).items.GetCount();
}

CSize CFakeViews::GetContentSize(CView* view)
{
    return Of(view).contentSize;
}

BOOL CFakeViews::GetListOrder(CView* view, CPtrListEx& questions)
{
    auto it = m_views.find(view);
    if (it == m_views.end())
        return FALSE;
    questions = it->second.items;
    return TRUE;
}

int CFakeViews::GetSelectedItems(CView* view, CPtrListEx& questions)
{
    questions = Of(view).selected;
    return questions.GetCount();
}

BOOL CFakeViews::SelectQuestion(CView* view, CCorraQuestion* question, UINT flags)
{
    calls.push_back({"select", view, flags});
    View& v = Of(view);
    if (flags & SELQ_DESELECT_FIRST)
        v.selected.RemoveAll();
    if (!question || !v.items.Find(question))
        return FALSE;
    if (!v.selected.Find(question))
        v.selected.AddTail(question);
    return TRUE;
}

void CFakeViews::SetItemOrder(CView* view, const CPtrListEx& questions)
{
    calls.push_back({"order", view, 0});
    Of(view).items = questions;
}

void CFakeViews::StepStartUpCounter()
{
    calls.push_back({"step", nullptr, 0});
}

BOOL CFakeViews::IsCollectionView(CView* view)
{
    auto it = m_views.find(view);
    return it != m_views.end() && it->second.collectionView;
}

BOOL CFakeViews::SaveCollectionView(CView* view)
{
    calls.push_back({"save", view, 0});
    return Of(view).saveAnswer;
}

void CFakeViews::SetCollection(CView* view, const CPtrListEx& questions)
{
    calls.push_back({"set", view, 0});
    Of(view).items = questions;
}

void CFakeViews::RefreshCollection(CView* view)
{
    calls.push_back({"refresh", view, 0});
}

void CFakeViews::ApplyToCollection(CView* view)
{
    calls.push_back({"apply", view, 0});
}

void CFakeViews::CloseCollectionView(CView* view, BOOL discard)
{
    calls.push_back({"close", view, static_cast<UINT>(discard)});
}
