#include "app/StandInViews.h"

#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "views/CollView.h"

#include "foundation/Util.h"
#include "model/CorraQuestion.h"
#include "views/CorraView.h"
#include "views/CorraViewServices.h"
#include "platform/core/CountedNoun.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"

#include <QPainter>

namespace {

int g_nCounter = 1;
int g_nStartupValue = 0;

const CDocViewKind s_paneKind(typeid(CCorraPaneView), DVK_CORRAVIEW);
const CDocViewKind s_collKind(typeid(CCollPaneView), DVK_COLLVIEW);

constexpr int kLineHeight = 18;

} // namespace

CCorraPaneView::CCorraPaneView() = default;

void CCorraPaneView::StartupCounterStep()
{
    g_nStartupValue = g_nCounter++;
}

int CCorraPaneView::StartupCounter()
{
    return g_nStartupValue;
}

int CCorraPaneView::GetItemCount() const
{
    auto* pDoc = dynamic_cast<CCorraDoc*>(m_pDocument);
    if (!pDoc)
        return 0;
    // The upper pane shows the questions, the lower one the collections.
    int n = 0;
    for (POSITION pos = pDoc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(pDoc->m_plQuestions.GetNext(pos));
        n += (q && q->IsCollection()) == (m_nPaneIndex == 1);
    }
    return n;
}

SIZE CCorraPaneView::GetContentSize() const
{
    int n = GetItemCount();
    return {viewport()->width(), n > 0 ? (n + 1) * kLineHeight : 0};
}

CString CCorraPaneView::Summary() const
{
    auto* pDoc = dynamic_cast<CCorraDoc*>(m_pDocument);
    CString text;
    if (!pDoc)
        return text;
    if (m_nPaneIndex == 0) {
        text.Format("%s\n%s\n\n%s", static_cast<const char*>(pDoc->m_csTitle1),
                    static_cast<const char*>(pDoc->m_csTitle2),
                    static_cast<const char*>(CountedNoun(GetItemCount(), "question", "questions")));
    } else {
        text.Format("Collections: %d", GetItemCount());
    }
    return text;
}

void CCorraPaneView::OnDraw(CDC*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_nPaneIndex == 0 ? QColor(255, 255, 255) : QColor(246, 248, 252));
    p.setPen(QColor(28, 42, 116));
    p.drawText(viewport()->rect().adjusted(12, 10, -12, -10), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               ToQString(Summary()));
}

LRESULT CCorraPaneView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CORRA_RESAVE) {
        CCorraView::SaveAgain(this);
        return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
}

BOOL CCollPaneView::SaveModified()
{
    if (!m_bModified)
        return TRUE;
    CString prompt = "Save " + m_csKind + " '" + m_csName + "'?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL: return FALSE;
    case IDYES:
        m_bModified = FALSE;
        if (m_pDocument)
            m_pDocument->SetModifiedFlag(TRUE);
        return TRUE;
    default: return TRUE;
    }
}

// --- the view services over the panes ---------------------------------------------------------

namespace {

class CStandInViewServices : public ICorraViewServices {
public:
    void LinkPanes(CView* upper, CView* lower) override
    {
        auto* pUpper = dynamic_cast<CCorraPaneView*>(upper);
        auto* pLower = dynamic_cast<CCorraPaneView*>(lower);
        if (!pUpper || !pLower)
            return;
        pUpper->m_nPaneIndex = 0;
        pUpper->m_pPartner = pLower;
        pLower->m_nPaneIndex = 1;
        pLower->m_pPartner = pUpper;
        pLower->m_nDisplayMode = 2;
    }
    int GetPaneIndex(CView* view) override
    {
        auto* p = Pane(view);
        return p && !dynamic_cast<CCollPaneView*>(p) ? p->m_nPaneIndex : -1;
    }
    CView* GetPartner(CView* view) override
    {
        auto* p = Pane(view);
        return p ? p->m_pPartner : nullptr;
    }
    int GetDisplayMode(CView* view) override
    {
        auto* p = Pane(view);
        return p ? p->m_nDisplayMode : 0;
    }
    int GetItemCount(CView* view) override
    {
        auto* p = Pane(view);
        return p ? p->GetItemCount() : 0;
    }
    CSize GetContentSize(CView* view) override
    {
        auto* p = Pane(view);
        return p ? CSize(p->GetContentSize()) : CSize(0, 0);
    }
    BOOL GetListOrder(CView*, CPtrListEx&) override { return FALSE; }
    int GetSelectedItems(CView*, CPtrListEx&) override { return 0; }
    BOOL SelectQuestion(CView*, CCorraQuestion*, UINT) override { return FALSE; }
    void SetItemOrder(CView* view, const CPtrListEx&) override
    {
        if (view)
            view->viewport()->update();
    }
    void StepStartUpCounter() override { CCorraPaneView::StartupCounterStep(); }
    BOOL IsCollectionView(CView* view) override { return dynamic_cast<CCollPaneView*>(view) != nullptr; }
    BOOL SaveCollectionView(CView* view) override
    {
        auto* p = dynamic_cast<CCollPaneView*>(view);
        return p ? p->SaveModified() : TRUE;
    }
    void SetCollection(CView*, const CPtrListEx&) override {}
    void RefreshCollection(CView* view) override
    {
        if (view)
            view->viewport()->update();
    }
    void ApplyToCollection(CView* view) override
    {
        if (auto* p = dynamic_cast<CCollPaneView*>(view))
            p->m_bModified = FALSE;
    }
    void CloseCollectionView(CView* view, BOOL discard) override
    {
        auto* p = dynamic_cast<CCollPaneView*>(view);
        if (!p)
            return;
        if (discard)
            p->m_bModified = FALSE;
        p->PostCommand(32801);
    }

    CView* OpenCollectionView(CCorraDoc& doc, CCorraQuestion* collection) override
    {
        CCollView* view = OpenCollectionFrame(m_pCollTemplate, doc);
        if (!view)
            return nullptr;
        view->SetCollectionQuestion(collection);
        return view;
    }
    CDocTemplate* m_pCollTemplate = nullptr;

private:
    static CCorraPaneView* Pane(CView* view) { return dynamic_cast<CCorraPaneView*>(view); }
};

CStandInViewServices g_standIn;
CCorraViewServices g_views(&g_standIn);

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
    g_standIn.m_pCollTemplate = pTemplate;
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
