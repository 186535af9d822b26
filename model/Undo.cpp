#include "model/Undo.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraDocParts.h"
#include "model/CorraQuestion.h"
#include "model/QuestionContext.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// ---- CUndo

CUndo::~CUndo()
{
    Clear();
}

void CUndo::Clear()
{
    while (!IsEmpty())
        delete static_cast<CUndoContext*>(RemoveHead());
}

BOOL CUndo::MoveTop(CUndo& to, BOOL bUndo)
{
    using corra_doc::LogError;
    using corra_doc::Say;
    CUndoContext* context = Pop();
    if (!context)
        return FALSE;
    const char* failed = bUndo ? "Failed to undo." : "Failed to redo.";
    if (context->IsVoid()) {
        // Kept, it would fail every time and bar the way to the actions below it.
        LogError("CUndo::MoveTop() - the view of the action has closed; action dropped");
        delete context;
        Say(failed, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    BOOL ok = FALSE;
    try {
        ok = bUndo ? context->Undo() : context->Redo();
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    if (!ok) {
        // Back where it came from, so that it can be tried again or dropped with its stack.
        Push(context);
        Say(failed, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    context->SetUndone(bUndo);
    to.Push(context);
    return TRUE;
}

void CUndo::UpdateItem(CCmdUI* ui, BOOL bRedo) const
{
    ui->Enable(!IsEmpty());
    if (IsEmpty())
        ui->SetText(bRedo ? "&Redo\tCtrl+Y" : "&Undo\tCtrl+Z");
    else
        ui->SetText(CString(bRedo ? "Redo " : "Undo ") + Top()->GetDescription());
}

void CUndo::DumpToLog(int nLevel, int nMaxLevel) const
{
    CString line;
    line.Format("CUndo::DumpToLog(level=%d)...", nLevel);
    LogOutput(line, nLevel + 1, LOG_HERE);
    if (nLevel + 1 > nMaxLevel)
        return;
    for (POSITION pos = GetHeadPosition(); pos;)
        static_cast<const CUndoContext*>(GetNext(pos))->DumpToLog(nLevel + 1, nMaxLevel);
}

// ---- CUndoContext

CUndoContext::CUndoContext(CCorraDoc* pDoc, CView* pView, int nType, LPCSTR description)
    : m_nType(nType), m_csDescription(description ? description : ""), m_pView(pView), m_pDoc(pDoc)
{
    m_bRecordedInView = pView != nullptr;
    m_bCollView = pView && CorraViewServices().IsCollectionView(pView);
}

CUndoContext::~CUndoContext()
{
    // The records delete their questions while the deletion stands.
    for (auto* records : {&m_mDel, &m_mAdded}) {
        for (auto& [id, record] : *records)
            delete record;
        records->Clear();
    }
}

void CUndoContext::RecordDeletion(CCorraQuestion* question)
{
    if (!question || m_mDel.Contains(question->m_nId))
        return;
    m_mDel[question->m_nId] = new CQuestionContext(m_pView.data(), question, m_pDoc);
}

void CUndoContext::Keep(const CPtrListEx& questions)
{
    KeepIn(m_mDel, questions);
}

void CUndoContext::KeepIn(CSerialMap<int, CQuestionContext*>& records, const CPtrListEx& questions)
{
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!question || (m_pDoc && m_pDoc->HoldsQuestion(question)))
            continue;
        for (auto& [id, record] : records) {
            if (record->Keep(question))
                break;
        }
    }
}

namespace {

std::vector<std::uint64_t> Serials(const CPtrListEx& questions)
{
    std::vector<std::uint64_t> serials;
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        serials.push_back(static_cast<CCorraQuestion*>(questions.GetNext(pos))->GetSerial());
    return serials;
}

} // namespace

void CUndoContext::RecordOrder()
{
    CPtrListEx order;
    m_pDoc->GetViewOrder(m_pView, order);
    m_saved = Serials(order);
}

BOOL CUndoContext::SetUndone(BOOL bUndone)
{
    BOOL previous = m_bUndone;
    m_bUndone = bUndone;
    return previous;
}

namespace {

// The place of a question among those of its pane (collections among collections, the others
// among the others), in the document's order.
int PanePlace(const CCorraDoc& doc, const CCorraQuestion* question)
{
    const BOOL collection = IsCollection(question);
    int place = 0;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
        if (q == question)
            return place;
        if (IsCollection(q) == collection)
            ++place;
    }
    return -1;
}

} // namespace

BOOL CUndoContext::Undo()
{
    if (m_nType == UCT_COLLORDER || m_nType == UCT_ORDER)
        return RestoreOrder();
    if (!m_pDoc)
        return TRUE;
    if (m_nType == UCT_DEL)
        return PutBack(m_mDel);
    if (m_nType != UCT_ADD)
        return TRUE;
    // The added questions leave first, so that what they overwrote or pushed out finds its
    // place and its IDs free.
    if (!TakeOut(m_mAdded))
        return FALSE;
    SwapOverwritten();
    return PutBack(m_mDel);
}

BOOL CUndoContext::Redo()
{
    if (m_nType == UCT_COLLORDER || m_nType == UCT_ORDER)
        return RestoreOrder();
    if (!m_pDoc)
        return TRUE;
    if (m_nType == UCT_DEL)
        return TakeOut(m_mDel);
    if (m_nType != UCT_ADD)
        return TRUE;
    if (!TakeOut(m_mDel))
        return FALSE;
    SwapOverwritten();
    return PutBack(m_mAdded);
}

BOOL CUndoContext::PutBack(CSerialMap<int, CQuestionContext*>& from)
{
    // Back in their former places: in the order of those places, each before what now stands
    // there. A record that keeps no question (its question never left the document) puts
    // nothing back.
    std::vector<CQuestionContext*> records;
    for (auto& [id, record] : from) {
        if (record->OwnsQuestion())
            records.push_back(record);
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const CQuestionContext* a, const CQuestionContext* b) { return a->m_nDocIndex < b->m_nDocIndex; });
    std::vector<CCorraQuestion*> restored;
    for (CQuestionContext* record : records) {
        CCorraQuestion* question = record->Release();
        m_pDoc->InsertQuestionAt(question, record->m_nDocIndex);
        restored.push_back(question);
    }
    // Each pane is told where its question goes back: the questions to the question pane, the
    // collections to the collection pane (which would otherwise never show a restored one).
    // The places are taken before any pane is told: a pane gives the document its order back.
    std::vector<int> panePlaces;
    for (CCorraQuestion* question : restored)
        panePlaces.push_back(PanePlace(*m_pDoc, question));
    for (size_t i = 0; i < restored.size(); ++i) {
        CCorraQuestion* question = restored[i];
        CUpdate hint;
        hint.SetView(question);
        hint.SetInsertIndex(panePlaces[i]);
        m_pDoc->UpdateAllViews(nullptr, IsCollection(question) ? HINT_INSERT_COLLECTIONS : HINT_INSERT_QUESTIONS, &hint);
    }
    // Into each collection in the order of the places they held, so that every one lands
    // where it was whatever the order of the deletion.
    struct CPlace {
        int at;
        CQuestionContext* record;
        CString name;
    };
    std::vector<CPlace> places;
    for (size_t i = 0; i < records.size(); ++i) {
        if (IsCollection(restored[i]))
            continue;
        for (const auto& [name, at] : records[i]->m_mCollIndex)
            places.push_back({at, records[i], name});
    }
    std::stable_sort(places.begin(), places.end(), [](const CPlace& a, const CPlace& b) { return a.at < b.at; });
    for (const CPlace& place : places)
        place.record->RestoreInto(place.name, place.at);
    for (CCorraQuestion* question : restored) {
        if (IsCollection(question))
            continue;
        CUpdate hint;
        hint.SetView(question);
        m_pDoc->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
    }
    return TRUE;
}

BOOL CUndoContext::TakeOut(CSerialMap<int, CQuestionContext*>& records)
{
    if (records.GetCount() == 0)
        return TRUE;
    // Every question must still be the document's, or nothing is done. Found by serial: one
    // freed since may have left its address to a question made after it.
    std::unordered_map<std::uint64_t, CCorraQuestion*> held;
    for (POSITION pos = m_pDoc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(m_pDoc->m_plQuestions.GetNext(pos));
        held.emplace(question->GetSerial(), question);
    }
    CPtrListEx questions;
    for (auto& [id, record] : records) {
        auto found = held.find(record->m_nSerial);
        if (record->OwnsQuestion() || found == held.end()) {
            LogOutput("CUndoContext::TakeOut() - question no longer in the document", LOG_ERROR, LOG_HERE);
            return FALSE;
        }
        questions.AddTail(found->second);
    }
    // The records keep the places the questions hold now (an undo may have changed them).
    const CDocPlaces places(*m_pDoc);
    POSITION at = questions.GetHeadPosition();
    for (auto& [id, record] : records) {
        CView* view = record->m_pView.data();
        delete record;
        record = new CQuestionContext(view, static_cast<CCorraQuestion*>(questions.GetNext(at)), m_pDoc, places);
    }
    BOOL detached = m_pDoc->DetachQuestions(questions);
    KeepIn(records, questions);
    if (!detached)
        return FALSE;
    CUpdate hint;
    hint.SetQuestions(&questions);
    m_pDoc->UpdateAllViews(nullptr, HINT_QUESTIONS_DELETED, &hint);
    return TRUE;
}

void CUndoContext::RecordAddition(CCorraQuestion* question)
{
    if (!question || m_mAdded.Contains(question->m_nId))
        return;
    // Its places are taken when it leaves: nothing is looked up while it goes in.
    m_mAdded[question->m_nId] = new CQuestionContext(nullptr, question, nullptr);
}

void CUndoContext::RecordOverwrite(const CCorraQuestion* question)
{
    if (!question || !m_pDoc)
        return;
    for (const auto& [serial, before] : m_overwritten)
        if (serial == question->GetSerial())
            return;
    // Made by the document, so that the copy is of the question's own kind.
    m_overwritten.emplace_back(question->GetSerial(), std::unique_ptr<CCorraQuestion>(m_pDoc->CreateQuestionFrom(*question)));
}

void CUndoContext::SwapOverwritten()
{
    CPtrListEx changed;
    for (auto& [serial, before] : m_overwritten) {
        CCorraQuestion* mine = m_pDoc->FindQuestionBySerial(serial);
        if (!mine || !before)
            continue;
        std::unique_ptr<CCorraQuestion> now(m_pDoc->CreateQuestionFrom(*mine));
        const int id = mine->m_nId;
        *mine = *before;
        mine->m_nId = id;
        mine->SetDoc(m_pDoc);
        before = std::move(now);
        changed.AddTail(mine);
    }
    if (changed.IsEmpty())
        return;
    m_pDoc->SetModifiedFlag(TRUE);
    CUpdate hint;
    hint.SetQuestions(&changed);
    hint.m_nReload = 0;
    hint.m_nRelayout = 0;
    m_pDoc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
}

BOOL CUndoContext::RestoreOrder()
{
    if (!m_pDoc)
        return FALSE;
    // The view the order was recorded in has closed since: its order is gone with it.
    if (m_bRecordedInView && !m_pView)
        return FALSE;
    CPtrListEx work;
    m_pDoc->GetViewOrder(m_pView, work);
    // The saved order may name questions deleted since: only those the current order holds are
    // taken, and those added since follow in their order.
    std::unordered_map<std::uint64_t, void*> current;
    for (POSITION pos = work.GetHeadPosition(); pos;) {
        void* p = work.GetNext(pos);
        current.emplace(static_cast<CCorraQuestion*>(p)->GetSerial(), p);
    }
    const std::vector<std::uint64_t> now = Serials(work);
    // A collection window's record is its whole list: members it lost since come back from the
    // document, and none is kept beyond the record.
    if (m_bCollView) {
        for (POSITION pos = m_pDoc->m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(m_pDoc->m_plQuestions.GetNext(pos));
            if (!IsCollection(q))
                current.emplace(q->GetSerial(), q);
        }
    }
    CPtrListEx order;
    std::unordered_set<std::uint64_t> taken;
    const std::vector<std::uint64_t>* const lists[] = {&m_saved, &now};
    for (const std::vector<std::uint64_t>* serials : lists) {
        if (m_bCollView && serials == &now)
            break;
        for (std::uint64_t serial : *serials) {
            auto found = current.find(serial);
            if (found != current.end() && taken.insert(serial).second)
                order.AddTail(found->second);
        }
    }
    m_pDoc->SetViewOrder(m_pView, order);
    m_saved = now;
    return TRUE;
}

void CUndoContext::DumpToLog(int nLevel, int nMaxLevel) const
{
    CString line;
    line.Format("CUndoContext::DumpToLog(level=%d)...", nLevel);
    LogOutput(line, nLevel, LOG_HERE);
    if (nLevel + 1 > nMaxLevel)
        return;
    if (m_nType == UCT_DEL)
        line.Format("m_nType = UCT_DEL (%d)", m_nType);
    else if (m_nType == UCT_ADD)
        line.Format("m_nType = UCT_ADD (%d)", m_nType);
    else
        line.Format("m_nType = UNKNOWN (%d)", m_nType);
    LogOutput(line, nLevel + 1, LOG_HERE);
    LogOutput(DescribeViewForLog(m_pView.data(), m_pDoc), nLevel + 1, LOG_HERE);
    line.Format("m_mDel (size=%d)...", m_mDel.GetCount());
    LogOutput(line, nLevel + 1, LOG_HERE);
    for (const auto& [id, record] : m_mDel)
        record->DumpToLog(nLevel + 2, nMaxLevel);
    line.Format("nIndex = %d", nIndex);
    LogOutput(line, nLevel + 1, LOG_HERE);
}
