#include "model/QuestionContext.h"

#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"

#include <utility>

CString DescribeViewForLog(CView* pView, const CCorraDoc* pDoc)
{
    ICorraViewServices& views = CorraViewServices();
    LPCSTR kind = "Corra View";
    if (pView && views.IsCollectionView(pView))
        kind = "Collection View";
    else if (pView && views.GetPaneIndex(pView) == 1)
        kind = "Collection List View";
    CString frameTitle;
    if (CFrameWnd* frame = pView ? pView->GetParentFrame() : nullptr)
        frameTitle = frame->GetWindowText();
    CString docTitle = pDoc ? pDoc->GetTitle() : CString();
    CString line;
    line.Format("m_pView = %s %s (%s)", kind, static_cast<const char*>(frameTitle), static_cast<const char*>(docTitle));
    return line;
}

CDocPlaces::CDocPlaces(const CCorraDoc& doc)
{
    int index = 0;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos; ++index) {
        auto* question = static_cast<const CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
        docIndex.emplace(question, index);
        if (!IsCollection(question))
            continue;
        CDWordArray ids;
        question->GetQuestIds(ids);
        std::unordered_map<int, int> members;
        for (int i = 0; i < ids.GetSize(); ++i)
            members.emplace(static_cast<int>(ids[i]), i);
        collections.emplace_back(question->m_cszQuestionText, std::move(members));
    }
}

CQuestionContext::CQuestionContext(CView* pView, CCorraQuestion* pQuestion, CCorraDoc* pDoc)
    : m_pView(pView), m_nSerial(pQuestion ? pQuestion->GetSerial() : 0), m_pDoc(pDoc)
{
    if (!m_pDoc && pView)
        m_pDoc = dynamic_cast<CCorraDoc*>(pView->GetDocument());
    if (!m_pDoc || !pQuestion)
        return;
    m_pDoc->FindQuestionById(pQuestion->m_nId, &m_nDocIndex);
    CPtrListEx collections;
    m_pDoc->GetCollections(collections);
    for (POSITION pos = collections.GetHeadPosition(); pos;) {
        auto* collection = static_cast<CCorraQuestion*>(collections.GetNext(pos));
        int at = collection->FindQuestId(pQuestion->m_nId);
        if (at >= 0)
            m_mCollIndex[collection->m_cszQuestionText] = at;
    }
}

CQuestionContext::CQuestionContext(CView* pView, CCorraQuestion* pQuestion, CCorraDoc* pDoc, const CDocPlaces& places)
    : m_pView(pView), m_nSerial(pQuestion ? pQuestion->GetSerial() : 0), m_pDoc(pDoc)
{
    if (!m_pDoc || !pQuestion)
        return;
    auto index = places.docIndex.find(pQuestion);
    m_nDocIndex = index != places.docIndex.end() ? index->second : -1;
    for (const auto& [name, members] : places.collections) {
        auto at = members.find(pQuestion->m_nId);
        if (at != members.end())
            m_mCollIndex[name] = at->second;
    }
}

CQuestionContext::~CQuestionContext()
{
    delete m_pKept;
    m_mCollIndex.Clear();
}

BOOL CQuestionContext::Keep(CCorraQuestion* question)
{
    if (!question || question->GetSerial() != m_nSerial || (m_pKept && m_pKept != question))
        return FALSE;
    m_pKept = question;
    return TRUE;
}

CCorraQuestion* CQuestionContext::Release()
{
    return std::exchange(m_pKept, nullptr);
}

CCorraQuestion* CQuestionContext::GetQuestion() const
{
    if (m_pKept)
        return m_pKept;
    return m_pDoc && m_nSerial ? m_pDoc->FindQuestionBySerial(m_nSerial) : nullptr;
}

void CQuestionContext::RestoreCollections()
{
    for (const auto& [name, at] : m_mCollIndex)
        RestoreInto(name, at);
}

void CQuestionContext::RestoreInto(const CString& name, int at)
{
    CCorraQuestion* question = m_pDoc ? m_pDoc->FindQuestionBySerial(m_nSerial) : nullptr;
    if (!question)
        return;
    CCorraQuestion* collection = m_pDoc->FindCollection(name);
    if (!collection || collection->HasQuestId(question->m_nId))
        return;
    collection->InsertQuestId(at, question->m_nId);
    CUpdate hint;
    hint.SetView(collection);
    m_pDoc->UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
}

void CQuestionContext::DumpToLog(int nLevel, int nMaxLevel) const
{
    CString line;
    line.Format("CQuestionContext::DumpToLog(level=%d)...", nLevel);
    LogOutput(line, nLevel, LOG_HERE);
    if (nLevel + 1 > nMaxLevel)
        return;
    if (const CCorraQuestion* question = GetQuestion()) {
        line.Format("pQ = ID: %d - %s", question->m_nId,
                    static_cast<const char*>(question->m_cszQuestionText.Left(10)));
        LogOutput(line, nLevel + 1, LOG_HERE);
    }
    LogOutput(DescribeViewForLog(m_pView.data(), m_pDoc), nLevel + 1, LOG_HERE);
    line.Format("m_mCollIndex (size=%d)...", m_mCollIndex.GetCount());
    LogOutput(line, nLevel + 1, LOG_HERE);
    for (const auto& [name, at] : m_mCollIndex) {
        line.Format("    %s --> %d", static_cast<const char*>(name), at);
        LogOutput(line, nLevel + 1, LOG_HERE);
    }
}
