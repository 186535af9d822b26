#include "views/CollView.h"

#include "views/ODListCtrl.h"

#include "controls/PromptDlg.h"
#include "dialogs/SaveCollectionAsDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Util.h"
#include "model/CorraDoc.h"
#include "model/ExamDoc.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/OleData.h"
#include "res/ids/App.h"
#include "res/ids/Menus.h"
#include "res/ids/QuestionTypes.h"
#include "shell/ShellDocs.h"

#include <QMenu>

namespace {

const CDocViewKind s_kind(typeid(CCollView), DVK_COLLVIEW);

// Names of unsaved collection windows count up over the program's run.
int g_nNextName = 1;

const CUpdate* AsUpdate(CObject* pHint)
{
    auto* p = dynamic_cast<CUpdate*>(pHint);
    return p && std::string(p->GetClassName()) == CUpdate::CLASS_NAME ? p : nullptr;
}

// A cleared hint naming one collection, with its first three switches set.
void CollectionHint(CUpdate& hint, CCorraQuestion* collection)
{
    hint.m_nRelayout = hint.m_nErase = hint.m_nReload = 1;
    hint.SetView(collection);
}

// The file name offered for a collection saved as a Question Corra: the document's title
// without its extension, "_" and the collection's name.
CString OfferedFileName(const CString& title, const CString& name)
{
    CString base = title;
    const int dot = base.ReverseFind('.');
    if (dot > 0 && dot >= base.GetLength() - 4)
        base = base.Left(dot);
    return base + "_" + name;
}

} // namespace

CCollView::CCollView()
{
    m_work.m_nType = static_cast<int>(IDS_QTYPE_CO);
    m_crActive = m_crInactive = m_crCurrent = RGB(255, 255, 204);
    BindCommands();
}

CCollView::~CCollView()
{
    // The collection's icon closes in the collection pane.
    CCorraDoc* pDoc = GetCorraDoc();
    if (CCorraQuestion* collection = GetCollection()) {
        collection->m_pView = nullptr;
        CUpdate hint;
        CollectionHint(hint, collection);
        pDoc->UpdateAllViews(this, HINT_COLLECTION_CHANGED, &hint);
    }
}

void CCollView::BindCommands()
{
    auto writable = [this](CCmdUI* ui) { ui->Enable(!IsReadOnly()); };
    auto selected = [this](CCmdUI* ui) { ui->Enable(m_pList && m_pList->GetSelectedCount() > 0); };
    BindCommand(menus::kFileSave, [this] { Save(); });
    BindUpdate(menus::kFileSave, [this](CCmdUI* ui) { ui->Enable(m_bModified && !IsReadOnly()); });
    BindCommand(menus::kFileSaveAs, [this] { SaveAs(); });
    BindUpdate(menus::kFileSaveAs, writable);
    BindCommand(ID_CORRA_NEW_COLLECTION, [this] { OnNew(); });
    BindUpdate(ID_CORRA_NEW_COLLECTION, writable);
    BindCommand(menus::kEditDelete, [this] { OnDelete(); });
    BindUpdate(menus::kEditDelete, selected);
    BindCommand(menus::kEditCut, [this] { OnCut(); });
    BindUpdate(menus::kEditCut, selected);
    BindCommand(ID_RENAME_COLLECTION, [this] { OnRename(); });
    // A window renames its own collection, saved or not: never a selection's.
    BindUpdate(ID_RENAME_COLLECTION, [](CCmdUI* ui) { ui->Enable(TRUE); });
    BindCommand(ID_EDIT_UNDO, [this] { Undo(); });
    BindUpdate(ID_EDIT_UNDO, [this](CCmdUI* ui) { m_undo.UpdateItem(ui, FALSE); });
    BindCommand(ID_EDIT_REDO, [this] { Redo(); });
    BindUpdate(ID_EDIT_REDO, [this](CCmdUI* ui) { m_redo.UpdateItem(ui, TRUE); });
}

// --- the collection ---------------------------------------------------------------------------

void CCollView::SetDocument(CCorraDoc* pDoc)
{
    m_work.SetDoc(pDoc);
}

void CCollView::SetCollectionQuestion(CCorraQuestion* pCollection)
{
    SetDocument(GetCorraDoc());
    if (!pCollection) {
        m_nCollectionId = 0;
        SetName(nullptr);
        return;
    }
    pCollection->m_pView = this;
    pCollection->m_csKindText = GetKindName();
    m_work = *pCollection;
    m_work.m_nId = pCollection->m_nId;
    m_nCollectionId = pCollection->m_nId;
    SetName(pCollection->m_cszQuestionText);
    Refresh();
}

CCorraQuestion* CCollView::GetCollection() const
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || m_nCollectionId == 0)
        return nullptr;
    CCorraQuestion* q = pDoc->FindQuestionById(m_nCollectionId);
    return q && q->IsCollection() ? q : nullptr;
}

void CCollView::SetCollection(const CPtrListEx& questions)
{
    m_work.SetQuestIds(CDWordArray());
    AddQuestions(questions);
}

int CCollView::AddQuestions(const CPtrListEx& questions, CPtrListEx* pOut)
{
    int added = 0;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!q || q->IsCollection() || IsMember(q->m_nId))
            continue;
        m_work.AddQuestion(q);
        if (pOut)
            pOut->AddTail(q);
        ++added;
    }
    return added;
}

CCorraQuestion* CCollView::FindDocCollection(LPCSTR name) const
{
    CCorraDoc* pDoc = GetCorraDoc();
    return pDoc ? pDoc->FindCollection(name) : nullptr;
}

int CCollView::InsertQuestionsById(const CDWordArray& ids, int nPos, BOOL bSelect, int)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return 0;
    CPtrListEx found;
    for (int i = 0; i < ids.GetSize(); ++i) {
        if (CCorraQuestion* q = pDoc->FindQuestionById(static_cast<int>(ids[i])))
            found.AddTail(q);
    }
    return InsertNewQuestions(found, nullptr, nPos, bSelect);
}

int CCollView::InsertNewQuestions(const CPtrListEx& questions, CPtrListEx* pOut, int nPos, BOOL bSelect)
{
    if (!m_pList)
        return 0;
    CPtrListEx fresh;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (q && !q->IsCollection() && !IsMember(q->m_nId) && !fresh.Find(q))
            fresh.AddTail(q);
    }
    if (fresh.IsEmpty())
        return 0;
    if (bSelect)
        m_pList->SelectItem(-1, FALSE);
    m_pList->InsertQuestions(fresh, nPos, bSelect);
    if (pOut)
        pOut->AddTail(fresh);
    RebuildFromList();
    return fresh.GetCount();
}

void CCollView::SetName(LPCSTR name)
{
    if (name)
        m_work.m_cszQuestionText = name;
    else
        m_work.m_cszQuestionText.Format("%s%d", GetKindName().GetString(), g_nNextName++);
    UpdateCaption();
}

void CCollView::UpdateCaption()
{
    CFrameWnd* frame = GetParentFrame();
    CCorraDoc* pDoc = GetCorraDoc();
    if (frame && pDoc)
        frame->SetWindowText(pDoc->GetTitle() + " - " + GetName());
}

// --- showing it -------------------------------------------------------------------------------

void CCollView::OnInitialUpdate()
{
    CCorraView::OnInitialUpdate();
    SetDocument(GetCorraDoc());
    if (m_pList)
        m_pList->SetBkColor(m_crCurrent);
    ReloadQuestions();
    RefillList();
    UpdateCaption();
}

void CCollView::ReloadQuestions()
{
    CCorraDoc* pDoc = GetCorraDoc();
    CPtrListEx shown;
    CDWordArray ids;
    m_work.GetQuestIds(ids);
    for (int i = 0; pDoc && i < ids.GetSize(); ++i) {
        CCorraQuestion* q = pDoc->FindQuestionById(static_cast<int>(ids[i]));
        if (!q) {
            LogOutput("CCollView::ReloadQuestions() - collection ptr is null...", 1, LOG_HERE);
            continue;
        }
        if (q->IsCollection()) {
            LogOutput("CCollView::ReloadQuestions() - collection contains collections...", 1, LOG_HERE);
            LogOutput(q->m_cszQuestionText, 1, LOG_HERE);
            continue;
        }
        shown.AddTail(q);
    }
    m_elements.RemoveAll();
    for (POSITION pos = shown.GetHeadPosition(); pos;)
        m_elements.Insert(-1, static_cast<CCorraQuestion*>(shown.GetNext(pos)));
}

void CCollView::RebuildFromList()
{
    if (!m_pList)
        return;
    ReloadFromList();
    CPtrListEx rows;
    m_pList->GetAllItems(rows);
    m_work.SetQuestions(rows);
}

void CCollView::Refresh()
{
    if (m_pList)
        m_pList->setVisible(false);
    SetName(GetName());
    ReloadQuestions();
    RefillList();
    LayoutChildren();
    viewport()->update();
    if (m_pList)
        m_pList->setVisible(true);
}

void CCollView::CloseView(BOOL bClearModified)
{
    if (bClearModified)
        m_bModified = FALSE;
    if (CFrameWnd* frame = GetParentFrame())
        frame->PostCommand(ID_CLOSE_COLLECTION);
}

void CCollView::SizeFrameToHalf()
{
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    CRect rc;
    GetClientRect(&rc);
    frame->SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height() / 2, SWP_NOMOVE | SWP_NOZORDER);
}

void CCollView::resizeEvent(QResizeEvent* e)
{
    CCorraView::resizeEvent(e);
    LayoutChildren();
}

UINT CCollView::ContextMenuId() const
{
    return IDR_COLLECTION_VIEW_MENU;
}

QMenu* CCollView::ShowContextMenu(CPoint pt)
{
    QMenu* menu = CreateContextMenu(ContextMenuId(), this);
    if (!menu)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(pt.x, pt.y));
    return menu;
}

// --- hints ------------------------------------------------------------------------------------

BOOL CCollView::NamesCollection(const CUpdate* pHint) const
{
    CCorraQuestion* collection = GetCollection();
    if (!pHint || !collection)
        return FALSE;
    if (pHint->Has(UPD_OBJECT) && pHint->m_pObject == collection)
        return TRUE;
    return pHint->Has(UPD_QUESTIONS) && pHint->m_plQuestions.Find(collection) != nullptr;
}

void CCollView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    try {
        OnCollectionUpdate(pSender, lHint, pHint);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CCollView::OnCollectionUpdate(CView*, LPARAM lHint, CObject* pHint)
{
    const CUpdate* pUpdate = AsUpdate(pHint);
    CCorraQuestion* collection = GetCollection();
    // The collection left the document: the window keeps its members, unsaved.
    if (m_nCollectionId != 0 && !collection) {
        m_nCollectionId = 0;
        m_bModified = TRUE;
    }
    switch (lHint) {
    case HINT_REREAD:
        if (m_pList && AfterRemove()) {
            RebuildFromList();
            if (collection) {
                *collection = m_work;
                GetCorraDoc()->SetModifiedFlag(TRUE);
            }
        }
        return;
    case HINT_QUESTIONS_DELETED: {
        if (!pUpdate)
            return;
        // A deleted collection kept for undo no longer names this window.
        for (POSITION pos = pUpdate->m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(pUpdate->m_plQuestions.GetNext(pos));
            if (q && q->m_pView == this)
                q->m_pView = nullptr;
        }
        if (m_pList && RemoveFromHint(*pUpdate) > 0) {
            AfterRemove();
            RebuildFromList();
            if (collection)
                *collection = m_work;
        }
        return;
    }
    case HINT_REMOVE_QUESTIONS:
        if (m_pList && pUpdate)
            m_pList->UpdateFromHint(*pUpdate);
        return;
    case HINT_INSERT_QUESTIONS:
    case HINT_INSERT_COLLECTIONS:
        return;
    case HINT_COLLECTION_RENAMED:
        if (NamesCollection(pUpdate))
            SetName(collection->m_cszQuestionText);
        return;
    default: break;
    }
    if (lHint & HINT_COLLECTION_CHANGED) {
        if (NamesCollection(pUpdate)) {
            m_work = *collection;
            Refresh();
        }
        return;
    }
    if (lHint & HINT_COLLECTIONS_REREAD) {
        if (collection)
            m_work = *collection;
        Refresh();
        return;
    }
    // Anything else redraws what the hint names, or the members read again.
    if (pUpdate && !pUpdate->m_nReload && m_pList && (pUpdate->Has(UPD_OBJECT) || pUpdate->Has(UPD_QUESTIONS))) {
        m_pList->UpdateFromHint(*pUpdate);
    } else if (lHint != HINT_QUESTIONS_ADDED) {
        ReloadQuestions();
        RefillList();
    }
    viewport()->update();
}

// --- reordering and drops ---------------------------------------------------------------------

void CCollView::AfterDropReorder(CListCtrl*, int nCount)
{
    CString description;
    description.Format("move %d question", nCount);
    if (nCount > 1)
        description += "s";
    PushUndo(description);
    AfterRemove();
}

void CCollView::AfterReorder()
{
    RebuildFromList();
    m_bModified = TRUE;
}

void CCollView::OnListSorted(const CString& label)
{
    PushUndo("Sort: " + label);
    RebuildFromList();
    m_bModified = TRUE;
}

int CCollView::DropOnCollView(CUpdate& request)
{
    // The document takes what it lacks first; the view then holds the questions by ID.
    if (BringIntoDocument(request) != DROP_DONE)
        return DROP_REFUSED;
    const int at = request.Has(UPD_INSERTINDEX) ? request.m_nInsertIndex : -1;
    if (InsertQuestionsById(request.m_dwaResultIds, at, TRUE) > 0)
        m_bModified = TRUE;
    return DROP_DONE;
}

// --- commands ---------------------------------------------------------------------------------

BOOL CCollView::DeleteSelection()
{
    if (!m_pList || m_pList->GetSelectedCount() == 0)
        return FALSE;
    CString description;
    description.Format("Delete %d questions", m_pList->GetSelectedCount());
    PushUndo(description);
    m_pList->DeleteSelectedItems();
    RebuildFromList();
    m_bModified = TRUE;
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->SetModifiedFlag(TRUE);
    return TRUE;
}

void CCollView::OnDelete()
{
    try {
        DeleteSelection();
    } catch (...) {
        LogUnknownException(LOG_HERE);
        AfxMessageBox("Failed to delete question.");
    }
}

void CCollView::OnCut()
{
    try {
        // The rows go only once the clipboard holds them.
        COleDataSource source;
        if (CopyToDataSource(source) && source.SetClipboard())
            DeleteSelection();
    } catch (...) {
        LogUnknownException(LOG_HERE);
        AfxMessageBox("Failed to cut question.");
    }
}

void CCollView::OnRename()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    if (CCorraQuestion* collection = GetCollection()) {
        // The document's hint gives the view its new name.
        if (pDoc->RenameCollection(collection))
            pDoc->SetModifiedFlag(TRUE);
        return;
    }
    CString name = GetName();
    if (pDoc->PromptCollectionName(name, FALSE, nullptr, this))
        SetName(name);
}

void CCollView::OnNew()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->ShowCollection(nullptr);
}

// --- undo and redo ----------------------------------------------------------------------------

void CCollView::PushUndo(LPCSTR description)
{
    auto* record = new CUndoContext(GetCorraDoc(), this, UCT_COLLORDER, description);
    record->RecordOrder();
    if (record->m_saved.empty()) {
        delete record;
        return;
    }
    record->SetUndone(FALSE);
    m_undo.Push(record);
    m_redo.Clear();
}

BOOL CCollView::Undo()
{
    return StepHistory(TRUE);
}

BOOL CCollView::Redo()
{
    return StepHistory(FALSE);
}

BOOL CCollView::StepHistory(BOOL bUndo)
{
    // A failed step leaves the record, the rows and the working copy as they were.
    if (!(bUndo ? m_undo.MoveTop(m_redo, TRUE) : m_redo.MoveTop(m_undo, FALSE)))
        return FALSE;
    RebuildFromList();
    m_bModified = TRUE;
    return TRUE;
}

// --- saving -----------------------------------------------------------------------------------

void CCollView::ApplyToCollection()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    m_csKindBuffer = GetKindName();
    CUpdate hint;
    if (CCorraQuestion* collection = GetCollection()) {
        *collection = m_work;
        CollectionHint(hint, collection);
        pDoc->UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
    } else {
        CPtrListEx members;
        m_work.GetQuestions(members);
        collection = pDoc->GetOrCreateCollection(GetName(), &members);
        collection->m_pView = this;
        collection->m_csKindText = m_csKindBuffer;
        collection->m_Scramble = m_work.m_Scramble;
        m_work = *collection;
        m_work.m_nId = collection->m_nId;
        m_nCollectionId = collection->m_nId;
        CollectionHint(hint, collection);
        pDoc->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
    }
    pDoc->SetModifiedFlag(TRUE);
    m_bModified = FALSE;
}

int CCollView::Save()
{
    if (IsReadOnly())
        return 2;
    if (!GetCollection())
        return SaveAs();
    ApplyToCollection();
    return 1;
}

int CCollView::SaveAs()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || IsReadOnly())
        return 2;
    CSaveCollectionAsDlg dlg(this, dynamic_cast<CExamDoc*>(pDoc) != nullptr);
    dlg.m_csCollectionName = GetName();
    dlg.m_csFileName = OfferedFileName(pDoc->GetTitle(), GetName());
    if (dlg.DoModal() != IDOK)
        return 2;
    if (dlg.m_nChoice != CSaveCollectionAsDlg::SAVE_AS_CORRA)
        return SaveAsCollection(dlg.m_csCollectionName);

    auto* pBank = dynamic_cast<CCorraDoc*>(ShellDocuments().NewDocument(DT_CORRA, TRUE));
    if (!pBank)
        return 2;
    CPtrListEx members;
    m_work.GetQuestions(members);
    for (POSITION pos = members.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(members.GetNext(pos));
        if (!q->IsCollection())
            pBank->AddNewQuestion(q);
    }
    pBank->SetTitle(dlg.m_csFileName);
    pBank->UpdateAllViews(nullptr);
    if (!pBank->DoFileSave()) {
        // Not saved: the new bank and this window both stay, with their work.
        pBank->SetModifiedFlag(TRUE);
        return 2;
    }
    CloseView(TRUE);
    return 0;
}

int CCollView::SaveAsCollection(LPCSTR name)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return 2;
    CPromptDlg prompt;
    prompt.m_csTitle = "Save Collection As...";
    prompt.m_csMessage = "Save " + GetKindName() + " in " + pDoc->GetTitle() + " as";
    prompt.m_bRequireChange = FALSE;
    CString wanted = name;
    wanted.Trim();
    for (;;) {
        CCorraQuestion* existing = FindDocCollection(wanted);
        if (!existing) {
            SetName(wanted);
            if (CCorraQuestion* old = GetCollection())
                old->m_pView = nullptr;
            m_nCollectionId = 0;
            ApplyToCollection();
            return 1;
        }
        const int answer = existing == GetCollection()
                               ? IDYES
                               : AfxMessageBox(existing->m_cszQuestionText + " already exists - replace?",
                                               MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return 2;
        if (answer == IDYES) {
            if (CCorraQuestion* old = GetCollection(); old && old != existing)
                old->m_pView = nullptr;
            m_nCollectionId = existing->m_nId;
            m_work.m_nId = existing->m_nId;
            existing->m_pView = this;
            SetName(existing->m_cszQuestionText);
            ApplyToCollection();
            return 1;
        }
        prompt.m_csText = wanted;
        if (prompt.DoModal() != IDOK)
            return 2;
        wanted = prompt.m_csText;
        wanted.Trim();
        if (wanted.IsEmpty())
            return 2;
    }
}

BOOL CCollView::SaveModified()
{
    if (!m_bModified || IsReadOnly())
        return TRUE;
    switch (AfxMessageBox("Save " + GetKindName() + " '" + GetName() + "'?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL: return FALSE;
    case IDNO: m_bModified = FALSE; return TRUE;
    default: return Save() != 2;
    }
}
