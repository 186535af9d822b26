// The view's transfers: copy, cut and paste through the clipboard, and the drop handlers that
// drags and pastes end in.
#include "views/CorraView.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/QuestionList.h"
#include "model/Update.h"
#include "platform/core/Archive.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/OleData.h"
#include "platform/ui/WinApp.h"
#include "dialogs/DupCollectionsDlg.h"
#include "views/CollectionList.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ODListCtrl.h"

#include <set>

namespace {

constexpr const char* kCannotPaste = "The clipboard data cannot be pasted.";
constexpr int kMaxPathBytes = 4096;
constexpr int kMaxCorraIdBytes = 64;

BOOL HasControlChars(const CString& s)
{
    for (int i = 0; i < s.GetLength(); ++i)
        if (static_cast<unsigned char>(s[i]) < 0x20 || s[i] == 0x7F)
            return TRUE;
    return FALSE;
}

// A name that would break the document's text records: braces, or "||" in a collection name.
BOOL IsUnsafeName(const CString& s, BOOL bCollection)
{
    return s.Find('{') >= 0 || s.Find('}') >= 0 || (bCollection && s.Find("||") >= 0);
}

BOOL HasUnsafeNames(const CPtrList& questions)
{
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        for (int i = 0; i < q->m_saSubjects.GetSize(); ++i)
            if (IsUnsafeName(q->m_saSubjects[i], FALSE))
                return TRUE;
        for (int i = 0; i < q->m_saBooks.GetSize(); ++i)
            if (IsUnsafeName(q->m_saBooks[i], FALSE))
                return TRUE;
        if (q->IsCollection() && IsUnsafeName(q->m_cszQuestionText, TRUE))
            return TRUE;
    }
    return FALSE;
}

// The name a transfer gives a document: its path, its title while unsaved.
CString TransferName(const CCorraDoc& doc)
{
    return doc.GetPathName().IsEmpty() ? doc.GetTitle() : doc.GetPathName();
}

// The open document of exactly that path (an unsaved one by its title); the pasting view's own
// document first.
CCorraDoc* FindOpenSource(const CString& path, CCorraDoc* pOwn)
{
    if (path.IsEmpty())
        return nullptr;
    if (pOwn && TransferName(*pOwn) == path)
        return pOwn;
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    for (POSITION tpos = app->GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* tmpl = app->GetNextDocTemplate(tpos);
        for (POSITION dpos = tmpl->GetFirstDocPosition(); dpos;) {
            auto* doc = dynamic_cast<CCorraDoc*>(tmpl->GetNextDoc(dpos));
            if (!doc)
                continue;
            if (TransferName(*doc) == path)
                return doc;
        }
    }
    return nullptr;
}

void Refuse(LPCSTR why)
{
    LogOutput(CString("CCorraView::PasteFrom() - ") + why, LOG_ERROR, LOG_HERE);
    MessageBoxService().Show(kCannotPaste, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

BOOL CCorraView::CanPaste() const
{
    COleDataObject data;
    data.AttachClipboard();
    return data.IsDataAvailable(CCorraDoc::QuestionListFormat()) ||
           data.IsDataAvailable(CCorraDoc::CollectionListFormat()) ||
           (CExamDoc::QuestionListFormat() && data.IsDataAvailable(CExamDoc::QuestionListFormat()));
}

BOOL CCorraView::CopyToDataSource(COleDataSource& source) const
{
    CCorraDoc* pDoc = GetCorraDoc();
    CPtrListEx selected;
    if (!pDoc || GetSelectedQuestions(selected) == 0)
        return FALSE;
    const int kind = TransferKind();
    const UINT format = kind == QKIND_EXAM
                            ? (IsCollectionPane() ? CExamDoc::CollectionListFormat() : CExamDoc::QuestionListFormat())
                            : (IsCollectionPane() ? CCorraDoc::CollectionListFormat() : CCorraDoc::QuestionListFormat());
    if (!format)
        return FALSE;
    CArchive ar;
    ar << TransferName(*pDoc);
    ar << pDoc->m_csCorraId;
    if (IsCollectionPane()) {
        CCollectionList list;
        list.AddTail(selected);
        list.m_nKind = kind;
        list.Serialize(ar);
        list.RemoveAll();
    } else {
        StoreQuestions(selected, ar, kind);
    }
    source.CacheGlobalData(format, ar.GetData());
    return TRUE;
}

int CCorraView::TransferKind() const
{
    return QKIND_CORRA;
}

void CCorraView::OnEditCopy()
{
    COleDataSource source;
    if (CopyToDataSource(source))
        source.SetClipboard();
}

void CCorraView::OnEditCut()
{
    COleDataSource source;
    if (CopyToDataSource(source) && source.SetClipboard())
        OnEditDelete();
}

void CCorraView::OnEditDelete()
{
    CCorraDoc* pDoc = GetCorraDoc();
    CPtrListEx selected;
    if (!pDoc || GetSelectedQuestions(selected) == 0)
        return;
    CString description;
    description.Format("Delete %d questions", selected.GetCount());
    pDoc->DeleteQuestionsUndoable(this, selected, description);
}

void CCorraView::OnEditPaste()
{
    COleDataObject data;
    data.AttachClipboard();
    PasteFrom(data);
}

int CCorraView::PasteFrom(COleDataObject& data)
{
    if (m_bBusy || !GetCorraDoc())
        return DROP_REFUSED;
    const UINT cfQuestions = CCorraDoc::QuestionListFormat();
    const UINT cfCollections = CCorraDoc::CollectionListFormat();
    const UINT cfExam = CExamDoc::QuestionListFormat();
    UINT format = 0;
    std::vector<BYTE> bytes;
    for (UINT f : {cfQuestions, cfCollections, cfExam}) {
        // A format announced without readable bytes is passed over.
        if (f && data.IsDataAvailable(f) && data.GetData(f, bytes)) {
            format = f;
            break;
        }
    }
    if (!format)
        return DROP_REFUSED;

    CString path, corraId;
    // What the paste read is its own until a document takes a copy; it goes in every case.
    CQuestionList questions;
    CCollectionList collections;
    try {
        CArchive ar(bytes.data(), bytes.size());
        ar >> path >> corraId;
        if (path.GetLength() > kMaxPathBytes || corraId.GetLength() > kMaxCorraIdBytes || HasControlChars(path) ||
            HasControlChars(corraId)) {
            Refuse("bad source path or CORRAID");
            return DROP_REFUSED;
        }
        if (format == cfCollections) {
            collections.m_nKind = QKIND_CORRA;
            collections.Serialize(ar);
        } else if (format == cfQuestions) {
            questions.Serialize(ar);
        } else {
            questions.m_bOwnsQuestions = TRUE;
            SerializeExamQuestions(questions, ar);
        }
        // Bytes past the list were not written by a copy: the list before them is no surer.
        if (!ar.IsBufferEmpty()) {
            Refuse("bytes past the list");
            return DROP_REFUSED;
        }
    } catch (const CArchiveException&) {
        Refuse("unreadable list");
        return DROP_REFUSED;
    }
    if (HasUnsafeNames(questions) || HasUnsafeNames(collections) || HasUnsafeNames(collections.GetLoadedMembers())) {
        Refuse("a name holds braces");
        return DROP_REFUSED;
    }

    CUpdate request;
    CCorraDoc* pSource = FindOpenSource(path, GetCorraDoc());
    request.SetDoc(pSource, UPD_SRCDOC);
    request.SetDocText(path, UPD_SRCPATH);
    if (!corraId.IsEmpty())
        request.SetDocText(corraId, UPD_SRCTITLE);
    if (format == cfCollections) {
        request.SetQuestions(&collections);
        return PasteCollections(request, &collections.GetLoadedMembers());
    }
    request.SetQuestions(&questions);
    return PasteQuestions(request);
}

namespace {

void FillPasteTarget(CCorraView& view, CUpdate& request)
{
    request.SetDoc(view.GetCorraDoc(), UPD_TARGETDOC);
    request.SetListCtrl(view.GetListCtrl(), UPD_TARGETLIST);
    request.SetInsertIndex(view.GetListCtrl() ? view.GetListCtrl()->GetFirstSelectedItem() : -1);
}

} // namespace

int CCorraView::PasteQuestions(CUpdate& request)
{
    FillPasteTarget(*this, request);
    if (IsCollectionPane())
        return DropOnCollectionPane(request);
    return IsCollView() ? DropOnCollView(request) : DropQuestOnCorraView(request);
}

int CCorraView::PasteCollections(CUpdate& request, const CPtrListEx* pMembers)
{
    FillPasteTarget(*this, request);
    if (IsCollectionPane()) {
        m_pPastedMembers = pMembers;
        const int result = CopyDropOnCollectionPane(request);
        m_pPastedMembers = nullptr;
        return result;
    }
    // Onto a question list the collections bring their members.
    CPtrListEx members;
    if (pMembers)
        members.AddTail(*pMembers);
    request.SetQuestions(&members);
    return IsCollView() ? CopyDropOnCollView(request) : CopyDropOnQuestionView(request);
}

int CCorraView::DropQuestOnCorraView(CUpdate& request)
{
    return BringQuestions(request, nullptr);
}

int CCorraView::BringQuestions(CUpdate& request, CSerialMap<int, int>* pIdMap)
{
    CCorraDoc* pTarget = request.Has(UPD_TARGETDOC) ? request.m_pTargetDoc : GetCorraDoc();
    if (!pTarget)
        return DROP_REFUSED;
    CCorraDoc* pSource = request.Has(UPD_SRCDOC) ? request.m_pSrcDoc : nullptr;
    if (pSource != pTarget) {
        request.SetDoc(pTarget, UPD_TARGETDOC);
        LogOutput("CCorraView::DropQuestOnCorraView(CUpdate) ----------------", 4, LOG_HERE);
        CDuplicateQuestionsDlg dlg(pTarget, request.m_plQuestions, &request, this);
        if (dlg.Check() > 0 && dlg.DoModal() != IDOK)
            return DROP_REFUSED;
        // Added questions go before the row they were dropped on.
        CODListCtrl* pList = request.Has(UPD_TARGETLIST) ? dynamic_cast<CODListCtrl*>(request.m_pTargetList) : nullptr;
        CCorraQuestion* pBefore =
            pList && request.Has(UPD_INSERTINDEX) ? pList->GetItemQuestion(request.m_nInsertIndex) : nullptr;
        pTarget->SetInsertBefore(pBefore && !pBefore->IsCollection() ? pBefore : nullptr);
        dlg.Apply();
        pTarget->SetInsertBefore(nullptr);
        request.m_plResultQuestions.AddTail(dlg.m_plResult);
        request.m_dwaResultIds.Copy(dlg.m_dwaResultIds);
        if (pIdMap)
            *pIdMap = dlg.m_idMap;
        return DROP_DONE;
    }
    // The same document: what it still holds is only named; questions it no longer holds (cut
    // before this paste) go back with their own IDs.
    CPtrListEx restored;
    for (POSITION pos = request.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(request.m_plQuestions.GetNext(pos));
        CCorraQuestion* mine = pTarget->FindQuestionById(q->m_nId);
        if (!mine && !q->IsCollection() && !pTarget->HoldsQuestion(q)) {
            mine = pTarget->AddNewQuestion(q);
            if (mine)
                restored.AddTail(mine);
        }
        if (mine && pIdMap && !pIdMap->Contains(q->m_nId))
            pIdMap->SetAt(q->m_nId, mine->m_nId);
        if (mine && !request.m_plResultQuestions.Find(mine))
            request.m_plResultQuestions.AddTail(mine);
    }
    if (!restored.IsEmpty()) {
        auto* undo = new CUndoContext(pTarget, nullptr, UCT_ADD, "");
        for (POSITION pos = restored.GetHeadPosition(); pos;)
            undo->RecordAddition(static_cast<CCorraQuestion*>(restored.GetNext(pos)));
        undo->m_csDescription.Format("Add %d questions", restored.GetCount());
        pTarget->AddUndo(undo);
        pTarget->SetModifiedFlag(TRUE);
        pTarget->UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &restored);
    }
    GetQuestionIds(request.m_plResultQuestions, request.m_dwaResultIds);
    return DROP_DONE;
}

int CCorraView::BringIntoDocument(CUpdate& request)
{
    // The document takes them at its end: the row dropped on is no place of the document's.
    CUpdate copy(request);
    copy.SetInsertIndex(-1);
    copy.SetListCtrl(nullptr, UPD_TARGETLIST);
    if (DropQuestOnCorraView(copy) != DROP_DONE)
        return DROP_REFUSED;
    request.SetDoc(copy.m_pTargetDoc, UPD_TARGETDOC);
    request.m_plResultQuestions.RemoveAll();
    request.m_plResultQuestions.AddTail(copy.m_plResultQuestions);
    request.m_dwaResultIds.Copy(copy.m_dwaResultIds);
    return DROP_DONE;
}

int CCorraView::DropOnCollectionPane(CUpdate& request)
{
    CODListCtrl* pList = request.Has(UPD_TARGETLIST) ? dynamic_cast<CODListCtrl*>(request.m_pTargetList) : m_pList;
    if (!pList || !request.Has(UPD_INSERTINDEX) || request.m_nInsertIndex < 0)
        return DROP_REFUSED;
    CCorraQuestion* pCollection = pList->GetItemQuestion(request.m_nInsertIndex);
    if (!pCollection || !pCollection->IsCollection())
        return DROP_REFUSED;
    if (BringIntoDocument(request) != DROP_DONE)
        return DROP_REFUSED;
    for (POSITION pos = request.m_plResultQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(request.m_plResultQuestions.GetNext(pos));
        if (!q->IsCollection() && !pCollection->HasQuestId(q->m_nId))
            pCollection->AddQuestion(q);
    }
    pList->UpdateItem(request.m_nInsertIndex);
    CCorraDoc* pTarget = request.Has(UPD_TARGETDOC) && request.m_pTargetDoc ? request.m_pTargetDoc : GetCorraDoc();
    CUpdate hint;
    hint.SetView(pCollection);
    pTarget->UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
    pTarget->SetModifiedFlag(TRUE);
    return DROP_DONE;
}

int CCorraView::CopyDropOnCollectionPane(CUpdate& request)
{
    const CPtrListEx* pMembers = m_pPastedMembers;
    CCorraDoc* pTarget = request.Has(UPD_TARGETDOC) ? request.m_pTargetDoc : GetCorraDoc();
    if (!pTarget)
        return DROP_REFUSED;
    CPtrListEx collections;
    for (POSITION pos = request.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(request.m_plQuestions.GetNext(pos));
        if (q && q->IsCollection())
            collections.AddTail(q);
    }
    if (collections.IsEmpty())
        return DROP_REFUSED;
    CDupCollectionsDlg names(pTarget, collections, this);
    if (names.Prepare() > 0 && names.DoModal() != IDOK)
        return DROP_REFUSED;

    // The members of the collections that go in: pasted ones travel beside them, dragged ones
    // are the source document's.
    CPtrListEx toCopy;
    names.GetCollectionsToCopy(toCopy);
    std::set<int> wanted;
    CPtrListEx owned;
    for (POSITION pos = toCopy.GetHeadPosition(); pos;) {
        auto* c = static_cast<CCorraQuestion*>(toCopy.GetNext(pos));
        CDWordArray ids;
        c->GetQuestIds(ids);
        for (int i = 0; i < ids.GetSize(); ++i)
            wanted.insert(static_cast<int>(ids[i]));
        if (!pMembers) {
            CPtrListEx mine;
            c->GetQuestions(mine);
            owned.AddTail(mine);
        }
    }
    CPtrListEx members;
    std::set<int> seen;
    const CPtrListEx& pool = pMembers ? *pMembers : owned;
    for (POSITION pos = pool.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(pool.GetNext(pos));
        if (q && !q->IsCollection() && wanted.count(q->m_nId) && seen.insert(q->m_nId).second)
            members.AddTail(q);
    }

    CUpdate bring(request);
    bring.SetQuestions(&members);
    bring.SetInsertIndex(-1);
    bring.SetListCtrl(nullptr, UPD_TARGETLIST);
    bring.m_plResultQuestions.RemoveAll();
    bring.m_dwaResultIds.RemoveAll();
    CSerialMap<int, int> idMap;
    if (BringQuestions(bring, &idMap) != DROP_DONE)
        return DROP_REFUSED;

    CODListCtrl* pList = request.Has(UPD_TARGETLIST) ? dynamic_cast<CODListCtrl*>(request.m_pTargetList) : m_pList;
    const int nInsert = request.Has(UPD_INSERTINDEX) ? request.m_nInsertIndex : -1;
    CCorraQuestion* pBefore = pList && nInsert >= 0 ? pList->GetItemQuestion(nInsert) : nullptr;
    names.Apply(idMap, pBefore, pList && nInsert < pList->GetItemCount() ? nInsert : -1);
    request.m_plResultQuestions.AddTail(bring.m_plResultQuestions);
    request.m_plResultQuestions.AddTail(names.m_plAdded);
    request.m_plResultQuestions.AddTail(names.m_plChanged);
    GetQuestionIds(request.m_plResultQuestions, request.m_dwaResultIds);
    return DROP_DONE;
}

int CCorraView::DropReorder(int nDragged, int nTarget)
{
    if (!m_pList)
        return DROP_REFUSED;
    const int count = m_pList->GetItemCount();
    if (nTarget == nDragged || (nTarget < 0 && count == 1))
        return DROP_REFUSED;
    CCorraQuestion* pAnchor = nTarget >= 0 ? m_pList->GetItemQuestion(nTarget) : nullptr;
    CPtrListEx moved;
    GetSelectedQuestions(moved);
    if (moved.IsEmpty() || (pAnchor && moved.Find(pAnchor)))
        return DROP_REFUSED;
    AfterDropReorder(m_pList, moved.GetCount());
    m_pList->DeleteQuestions(moved);
    int nInsert = pAnchor ? m_pList->FindItem(pAnchor) : -1;
    if (nInsert < -1 || nInsert >= m_pList->GetItemCount())
        nInsert = -1;
    m_pList->InsertQuestions(moved, nInsert, TRUE);
    AfterReorder();
    return DROP_DONE;
}

void CCorraView::AfterReorder()
{
    ReloadFromList();
    SyncDocumentOrder();
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->SetModifiedFlag(TRUE);
}

void CCorraView::AfterDropReorder(CListCtrl*, int nCount)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    CString description;
    description.Format("move %d question", nCount);
    if (nCount > 1)
        description += "s";
    // Recorded while the elements still hold the old order.
    pDoc->AddUndoReorder(this, description);
    AfterRemove();
}
