#include "model/Undo.h"

#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/QuestionContext.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/ui/View.h"

#include <algorithm>
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
    for (auto& [id, record] : m_mDel)
        delete record;
    m_mDel.Clear();
}

void CUndoContext::RecordDeletion(CCorraQuestion* question)
{
    if (!question || m_mDel.Contains(question->m_nId))
        return;
    m_mDel[question->m_nId] = new CQuestionContext(m_pView.data(), question, m_pDoc);
}

void CUndoContext::RecordOrder()
{
    m_pDoc->GetViewOrder(m_pView, m_plSaved);
}

BOOL CUndoContext::SetUndone(BOOL bUndone)
{
    BOOL previous = m_bUndone;
    m_bUndone = bUndone;
    if (m_nType == UCT_DEL) {
        for (auto& [id, record] : m_mDel)
            record->m_bOwnsQuestion = !bUndone;
    }
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
    if (m_nType != UCT_DEL || !m_pDoc)
        return TRUE;
    // Back in their former places: in the order of those places, each before what now stands
    // there.
    std::vector<CQuestionContext*> records;
    for (auto& [id, record] : m_mDel)
        records.push_back(record);
    std::stable_sort(records.begin(), records.end(),
                     [](const CQuestionContext* a, const CQuestionContext* b) { return a->m_nDocIndex < b->m_nDocIndex; });
    for (CQuestionContext* record : records) {
        CCorraQuestion* question = record->m_pQuestion;
        m_pDoc->InsertQuestionAt(question, record->m_nDocIndex);
    }
    // Each pane is told where its question goes back: the questions to the question pane, the
    // collections to the collection pane (which would otherwise never show a restored one).
    // The places are taken before any pane is told: a pane gives the document its order back.
    std::vector<int> panePlaces;
    for (CQuestionContext* record : records)
        panePlaces.push_back(PanePlace(*m_pDoc, record->m_pQuestion));
    for (size_t i = 0; i < records.size(); ++i) {
        CCorraQuestion* question = records[i]->m_pQuestion;
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
    for (CQuestionContext* record : records) {
        if (IsCollection(record->m_pQuestion))
            continue;
        for (const auto& [name, at] : record->m_mCollIndex)
            places.push_back({at, record, name});
    }
    std::stable_sort(places.begin(), places.end(), [](const CPlace& a, const CPlace& b) { return a.at < b.at; });
    for (const CPlace& place : places)
        place.record->RestoreInto(place.name, place.at);
    for (CQuestionContext* record : records) {
        if (IsCollection(record->m_pQuestion))
            continue;
        CUpdate hint;
        hint.SetView(record->m_pQuestion);
        m_pDoc->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
    }
    return TRUE;
}

BOOL CUndoContext::Redo()
{
    if (m_nType == UCT_COLLORDER || m_nType == UCT_ORDER)
        return RestoreOrder();
    if (m_nType != UCT_DEL || !m_pDoc)
        return TRUE;
    CPtrListEx questions;
    for (auto& [id, record] : m_mDel) {
        // Every question must still be the document's, or nothing is done.
        if (!m_pDoc->HoldsQuestion(record->m_pQuestion)) {
            LogOutput("CUndoContext::Redo() - question no longer in the document", LOG_ERROR, LOG_HERE);
            return FALSE;
        }
        questions.AddTail(record->m_pQuestion);
    }
    // The records keep the places the questions hold now (an undo may have changed them).
    for (auto& [id, record] : m_mDel) {
        CView* view = record->m_pView.data();
        CCorraQuestion* question = record->m_pQuestion;
        int owns = record->m_bOwnsQuestion;
        delete record;
        record = new CQuestionContext(view, question, m_pDoc);
        record->m_bOwnsQuestion = owns;
    }
    if (!m_pDoc->DetachQuestions(questions))
        return FALSE;
    CUpdate hint;
    hint.SetQuestions(&questions);
    m_pDoc->UpdateAllViews(nullptr, HINT_QUESTIONS_DELETED, &hint);
    return TRUE;
}

BOOL CUndoContext::RestoreOrder()
{
    if (!m_pDoc)
        return FALSE;
    // The view the order was recorded in has closed since: its order is gone with it.
    if (m_bRecordedInView && !m_pView)
        return FALSE;
    m_pDoc->GetViewOrder(m_pView, m_plWork);
    // The saved order may name questions deleted since: only pointers the current order holds
    // are taken (compared, never followed), and those added since follow in their order.
    std::unordered_set<void*> current;
    for (POSITION pos = m_plWork.GetHeadPosition(); pos;)
        current.insert(m_plWork.GetNext(pos));
    CPtrListEx order;
    std::unordered_set<void*> taken;
    for (POSITION pos = m_plSaved.GetHeadPosition(); pos;) {
        void* p = m_plSaved.GetNext(pos);
        if (current.count(p) && taken.insert(p).second)
            order.AddTail(p);
    }
    for (POSITION pos = m_plWork.GetHeadPosition(); pos;) {
        void* p = m_plWork.GetNext(pos);
        if (taken.insert(p).second)
            order.AddTail(p);
    }
    m_pDoc->SetViewOrder(m_pView, order);
    m_plSaved = m_plWork;
    m_plWork.RemoveAll();
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
