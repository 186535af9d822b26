#pragma once
// The two panes of a Question Corra frame without the frame: a splitter holding the question
// pane above and the collection pane below, linked as the frame links them, on a document, with
// the views' real services installed while it lives. Header only: the benchmarks use it too.

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/ServiceSlot.h"
#include "platform/ui/OleData.h"
#include "platform/ui/SplitterWnd.h"
#include "views/CorraView.h"
#include "views/CorraViewServices.h"
#include "views/ODListCtrl.h"

#include <QApplication>

#include <memory>
#include <vector>

class CCorraPanes {
public:
    // viewClass: the view of both panes (an exam's panes are exam views).
    CCorraPanes(CCorraDoc& doc, int cx = 900, int cy = 600,
                CCreatable<CView> viewClass = CCreatable<CView>::Of<CCorraView>())
        : m_scope(CorraViewServicesSlot(), m_services)
    {
        m_splitter = std::make_unique<CSplitterWnd>();
        m_splitter->CreateStatic(nullptr, 2, 1);
        CCreateContext context;
        context.m_pCurrentDoc = &doc;
        m_splitter->CreateView(0, 0, viewClass, CSize(cx, cy * 2 / 3), &context);
        m_splitter->CreateView(1, 0, viewClass, CSize(cx, cy / 3), &context);
        upper = dynamic_cast<CCorraView*>(m_splitter->GetPane(0, 0));
        lower = dynamic_cast<CCorraView*>(m_splitter->GetPane(1, 0));
        m_services.LinkPanes(upper, lower);
        m_splitter->resize(cx, cy);
        m_splitter->SetRowInfo(0, cy * 2 / 3, 0);
        m_splitter->SetRowInfo(1, cy / 3, 0);
        m_splitter->RecalcLayout();
        m_splitter->show();
        upper->OnInitialUpdate();
        lower->OnInitialUpdate();
        QApplication::processEvents();
    }
    ~CCorraPanes()
    {
        // The views leave the document before it goes.
        m_splitter.reset();
        QApplication::processEvents();
    }
    CCorraPanes(const CCorraPanes&) = delete;
    CCorraPanes& operator=(const CCorraPanes&) = delete;

    CSplitterWnd& Splitter() { return *m_splitter; }

    CCorraView* upper = nullptr;
    CCorraView* lower = nullptr;

private:
    CCorraViewServices m_services;
    CServiceScope<ICorraViewServices> m_scope;
    std::unique_ptr<CSplitterWnd> m_splitter;
};

// Selects exactly the rows of these question IDs in a pane.
inline void SelectQuestionIds(CCorraView& view, const std::vector<int>& ids)
{
    CODListCtrl& list = *view.GetListCtrl();
    list.SelectItem(-1, FALSE);
    for (int id : ids)
        list.SelectItem(list.FindItem(list.FindQuestionById(id)), TRUE);
}

// Puts bytes on the clipboard under one format, as any program could.
inline void SetClipboardBytes(UINT format, const std::vector<BYTE>& bytes)
{
    COleDataSource source;
    source.CacheGlobalData(format, bytes);
    source.SetClipboard();
}

// The IDs of a list's rows, top to bottom.
inline std::vector<int> RowQuestionIds(const CODListCtrl& list)
{
    CPtrListEx all;
    list.GetAllItems(all);
    std::vector<int> ids;
    for (POSITION pos = all.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CCorraQuestion*>(all.GetNext(pos))->m_nId);
    return ids;
}
