#include "views/DuplicateQuestionsDlg.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/Undo.h"
#include "model/Update.h"
#include "platform/core/Services.h"
#include "render/RtfText.h"
#include "views/ODListCtrl.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr const char* kTitle = "Question ID already exists.";
constexpr const char* kText = "The question being copied has a ID which already exists in the document being copied "
                              "to.  You must either overwrite the existing question or duplicate the question which "
                              "will result in a new ID being assigned.";
constexpr const char* kExamTitle = "Question ID and/or Index conflict.";
constexpr const char* kExamText = "One or more questions, if copied, will result in a duplicate question ID and/or index.  "
                                  "This is because the ID or index already exists in the document being copied to "
                                  "and/or the questions being copied contain multiple instances of the same index.";
constexpr const char* kHint = "Select one question from either of the above lists.";
constexpr const char* kInternal = "The list of new questions contains duplicate IDs or Indicies within its own list.  "
                                  "You must select and process these questions one at a time.";
constexpr const char* kIndexOne = "This question cannot be duplicated because it has the same index as one of the "
                                  "existing questions.";
constexpr const char* kIndexSome = "One or more questions could not be duplicated because it had the same index as one "
                                   "of the existing questions.";
// The advanced mode's growth on each side.
constexpr int kGrowX = 130;
constexpr int kGrowY = 70;
constexpr int kFlagsSet = QFLAG_DUPLICATE | QFLAG_DUPLICATE_ORIG;

CCorraQuestion* Q(void* p)
{
    return static_cast<CCorraQuestion*>(p);
}

// Runs a user action; an exception is logged and the dialog stays as it was.
template <typename F>
BOOL Guarded(F&& f)
{
    try {
        return f();
    } catch (...) {
        LogUnknownException(LOG_HERE);
        return FALSE;
    }
}

void Say(LPCSTR text)
{
    MessageBoxService().Show(text, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
}

QString PlainText(const CCorraQuestion* q)
{
    return q ? QString::fromLocal8Bit(RtfToPlainText(q->m_cszQuestionText).GetString()) : QString();
}

} // namespace

CDuplicateQuestionsDlg::CDuplicateQuestionsDlg(CCorraDoc* pTarget, const CPtrListEx& questions,
                                               const CUpdate* pRequest, CWnd* pParent)
    : CDialog(IDD_DUPLICATE_QUESTIONS, pParent), m_pTarget(pTarget)
{
    m_bExam = dynamic_cast<CExamDoc*>(pTarget) != nullptr;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        void* q = questions.GetNext(pos);
        if (!m_plAll.Find(q))
            m_plAll.AddTail(q);
    }
    m_plCopied = m_plAll;
    if (pRequest) {
        if (pRequest->Has(UPD_SRCDOC))
            m_pSrcDoc = pRequest->m_pSrcDoc;
        if (pRequest->Has(UPD_SRCTITLE))
            m_csSrcTitle = pRequest->m_csSrcTitle;
        if (pRequest->Has(UPD_SRCPATH))
            m_csSrcPath = pRequest->m_csSrcPath;
    }
    setWindowTitle(QStringLiteral("Duplicate Questions"));

    auto* info = new QVBoxLayout;
    QLabel* title = CreateStatic(m_bExam ? kExamTitle : kTitle);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QLabel* text = CreateStatic(m_bExam ? kExamText : kText);
    text->setWordWrap(true);
    info->addWidget(title);
    info->addWidget(text);

    m_pNewList = AddControl(IDC_DUPQ_NEW_LIST, new CODListCtrl(pTarget, this, 0xFFFFFF, nullptr, this));
    m_pOldList = AddControl(IDC_DUPQ_OLD_LIST, new CODListCtrl(pTarget, this, 0xFFFFFF, nullptr, this));
    for (CODListCtrl* list : {m_pNewList, m_pOldList}) {
        list->m_crMarked = 0xC0C0C0;
        list->SetViewMode(ODLIST_SMALL_ROWS);
        list->SetDefaultColumnWidth(2, 37);
        list->SetDefaultColumnWidth(3, 170);
        list->setMinimumSize(300, 140);
    }
    m_pNewPreview = CreateStatic("", IDC_DUPQ_NEW_PREVIEW);
    m_pOldPreview = CreateStatic("", IDC_DUPQ_OLD_PREVIEW);
    for (QLabel* preview : {m_pNewPreview, m_pOldPreview}) {
        preview->setWordWrap(true);
        preview->setFrameShape(QFrame::StyledPanel);
        preview->setMinimumHeight(60);
        preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    auto* lists = new QGridLayout;
    QLabel* newLabel = CreateStatic("New Questions", 0, m_pNewList);
    QLabel* oldLabel = CreateStatic("Existing Questions", 0, m_pOldList);
    lists->addWidget(newLabel, 0, 0);
    lists->addWidget(oldLabel, 0, 1);
    lists->addWidget(m_pNewList, 1, 0);
    lists->addWidget(m_pOldList, 1, 1);
    lists->addWidget(m_pNewPreview, 2, 0);
    lists->addWidget(m_pOldPreview, 2, 1);
    lists->addWidget(CreateStatic(kHint), 3, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_DUPQ_SKIP, "Skip"));
    buttons->addWidget(CreateButton(IDC_DUPQ_DUPLICATE, "Duplicate"));
    QPushButton* duplicateAll = CreateButton(IDC_DUPQ_DUPLICATE_ALL, "Duplicate (all)");
    QPushButton* overwriteAll = CreateButton(IDC_DUPQ_OVERWRITE_ALL, "Overwrite (all)");
    buttons->addWidget(duplicateAll);
    buttons->addWidget(CreateButton(IDC_DUPQ_OVERWRITE, "Overwrite"));
    buttons->addWidget(overwriteAll);
    buttons->addWidget(CreateButton(IDC_DUPQ_ADVANCED, "Advanced"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(info);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    QWidget* advancedOnly[] = {newLabel, oldLabel, m_pNewList, m_pOldList, duplicateAll, overwriteAll};
    std::copy(std::begin(advancedOnly), std::end(advancedOnly), m_pAdvancedOnly);
    for (QWidget* w : m_pAdvancedOnly)
        w->setVisible(false);

    BindCommand(IDC_DUPQ_SKIP, [this] { Guarded([this] { return SkipSelected(); }); });
    BindCommand(IDC_DUPQ_DUPLICATE, [this] { Guarded([this] { return Duplicate(ActiveNew()); }); });
    BindCommand(IDC_DUPQ_DUPLICATE_ALL, [this] { Guarded([this] { return DuplicateAll(); }); });
    BindCommand(IDC_DUPQ_OVERWRITE, [this] { Guarded([this] { return Overwrite(ActiveNew()); }); });
    BindCommand(IDC_DUPQ_OVERWRITE_ALL, [this] { Guarded([this] { return OverwriteAll(); }); });
    BindCommand(IDC_DUPQ_ADVANCED, [this] { SetAdvanced(!m_bAdvanced); });
    // A new question shows itself and the target question it clashes with; an existing one
    // marks the new questions that clash with it. One list holds the selection at a time.
    QObject::connect(m_pNewList, &QTreeWidget::itemSelectionChanged, this, [this] {
        CCorraQuestion* q = SelectedNew();
        if (q) {
            QSignalBlocker block(m_pOldList);
            m_pOldList->clearSelection();
            m_pNewList->ClearMarks(TRUE);
        }
        CCorraQuestion* old = q ? TargetById(q) : nullptr;
        if (q && !old)
            old = TargetByIndex(q);
        m_pNewPreview->setText(PlainText(q));
        m_pOldPreview->setText(PlainText(old));
        UpdateButtons();
    });
    QObject::connect(m_pOldList, &QTreeWidget::itemSelectionChanged, this, [this] {
        CCorraQuestion* old = m_pOldList->GetSelectedQuestion();
        if (old) {
            QSignalBlocker block(m_pNewList);
            m_pNewList->clearSelection();
            m_pNewList->MarkItems(old->m_nId, m_bExam ? old->m_nIndex : -1, TRUE, nullptr);
            m_pNewPreview->setText(PlainText(m_pNewList->GetFirstMarkedQuestion()));
        }
        m_pOldPreview->setText(PlainText(old));
        UpdateButtons();
    });
    Check();
}

CDuplicateQuestionsDlg::~CDuplicateQuestionsDlg()
{
    ClearFlags();
}

void CDuplicateQuestionsDlg::ClearFlags()
{
    // The flags and marks the lists set stay with no question, copied or the target's.
    if (m_pNewList)
        m_pNewList->ClearMarks(FALSE);
    for (POSITION pos = m_plFlagged.GetHeadPosition(); pos;)
        Q(m_plFlagged.GetNext(pos))->m_nFlags &= ~kFlagsSet;
    m_plFlagged.RemoveAll();
}

BOOL CDuplicateQuestionsDlg::IsDecided(const CCorraQuestion* q) const
{
    void* p = const_cast<CCorraQuestion*>(q);
    return m_plDuplicate.Find(p) || m_plOverwrite.Find(p) || m_plOverwriteIndex.Find(p);
}

CCorraQuestion* CDuplicateQuestionsDlg::TargetById(const CCorraQuestion* q) const
{
    CCorraQuestion* old = q ? m_pTarget->FindQuestionById(q->m_nId) : nullptr;
    // A copied question whose ID a collection of the target holds clashes with nothing.
    if (!old || old->IsCollection() || m_plRemove.Find(old))
        return nullptr;
    return old;
}

CCorraQuestion* CDuplicateQuestionsDlg::TargetByIndex(const CCorraQuestion* q) const
{
    if (!m_bExam || !q || q->m_nIndex == 0)
        return nullptr;
    CPtrListEx same;
    m_pTarget->FindQuestionsByIndex(q->m_nIndex, same);
    for (POSITION pos = same.GetHeadPosition(); pos;) {
        CCorraQuestion* old = Q(same.GetNext(pos));
        if (!old->IsCollection() && !m_plRemove.Find(old))
            return old;
    }
    return nullptr;
}

BOOL CDuplicateQuestionsDlg::HasIndexClash(const CCorraQuestion* q) const
{
    return m_bExam && q && q->m_nIndex != 0 &&
           (TargetByIndex(q) || m_plInternalIndex.Find(const_cast<CCorraQuestion*>(q)));
}

int CDuplicateQuestionsDlg::Check()
{
    m_plInternal.RemoveAll();
    m_plInternalIndex.RemoveAll();
    m_plNew.RemoveAll();
    m_plExisting.RemoveAll();
    // INDEX values are counted over every question still going in: a duplicate keeps its
    // INDEX, so an undecided question of the same one would be a second.
    std::map<int, int> indexCount;
    std::map<int, CCorraQuestion*> first;
    for (POSITION pos = m_plCopied.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plCopied.GetNext(pos));
        if (m_bExam && q->m_nIndex != 0 && !q->IsCollection())
            ++indexCount[q->m_nIndex];
        if (IsDecided(q))
            continue;
        auto [it, added] = first.emplace(q->m_nId, q);
        if (!added) {
            if (!m_plInternal.Find(it->second))
                m_plInternal.AddTail(it->second);
            m_plInternal.AddTail(q);
        }
    }
    for (POSITION pos = m_plCopied.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plCopied.GetNext(pos));
        if (IsDecided(q))
            continue;
        if (m_bExam && q->m_nIndex != 0 && !q->IsCollection() && indexCount[q->m_nIndex] > 1)
            m_plInternalIndex.AddTail(q);
        CCorraQuestion* byId = TargetById(q);
        CCorraQuestion* byIndex = TargetByIndex(q);
        if (byId || byIndex || m_plInternal.Find(q) || m_plInternalIndex.Find(q)) {
            m_plNew.AddTail(q);
            for (CCorraQuestion* old : {byId, byIndex})
                if (old && !m_plExisting.Find(old))
                    m_plExisting.AddTail(old);
        }
    }
    for (const CPtrListEx* listed : {&m_plNew, &m_plExisting}) {
        const int flag = listed == &m_plNew ? QFLAG_DUPLICATE : QFLAG_DUPLICATE_ORIG;
        for (POSITION pos = listed->GetHeadPosition(); pos;) {
            CCorraQuestion* q = Q(listed->GetNext(pos));
            q->m_nFlags |= flag;
            if (!m_plFlagged.Find(q))
                m_plFlagged.AddTail(q);
        }
    }
    if (m_pNewList)
        Fill();
    return m_plNew.GetCount();
}

void CDuplicateQuestionsDlg::Fill()
{
    m_pNewList->ClearMarks(FALSE);
    m_pNewList->DeleteAllItems();
    m_pOldList->DeleteAllItems();
    m_pNewList->InsertQuestions(m_plNew, -1, FALSE);
    m_pOldList->InsertQuestions(m_plExisting, -1, FALSE);
    if (m_pNewList->GetItemCount() > 0)
        m_pNewList->SelectItem(0, TRUE);
    UpdateButtons();
}

CCorraQuestion* CDuplicateQuestionsDlg::SelectedNew() const
{
    return m_pNewList ? m_pNewList->GetSelectedQuestion() : nullptr;
}

CCorraQuestion* CDuplicateQuestionsDlg::ActiveNew() const
{
    if (!m_pNewList)
        return nullptr;
    if (m_pNewList->GetSelectedCount() == 1)
        return m_pNewList->GetSelectedQuestion();
    if (m_pNewList->GetSelectedCount() == 0 && m_pNewList->CountMarkedItems() == 1)
        return m_pNewList->GetFirstMarkedQuestion();
    return nullptr;
}

void CDuplicateQuestionsDlg::UpdateButtons()
{
    if (!m_pNewList)
        return;
    const BOOL newOne = m_pNewList->GetSelectedCount() == 1;
    const BOOL markedOne = m_pNewList->CountMarkedItems() == 1;
    const BOOL oldOne = m_pOldList->GetSelectedCount() == 1;
    const BOOL any = m_pNewList->GetSelectedCount() > 0 || m_pOldList->GetSelectedCount() > 0;
    auto enable = [this](int id, BOOL on) {
        if (QWidget* w = GetDlgItem(id))
            w->setEnabled(on);
    };
    enable(IDC_DUPQ_SKIP, any);
    enable(IDC_DUPQ_DUPLICATE, newOne || (oldOne && markedOne));
    enable(IDC_DUPQ_OVERWRITE, newOne || markedOne);
    enable(IDC_DUPQ_OVERWRITE_ALL, !m_plExisting.IsEmpty() && !HasInternalClash());
    enable(IDOK, IsSettled());
    if (auto* mode = qobject_cast<QPushButton*>(GetDlgItem(IDC_DUPQ_ADVANCED)))
        mode->setText(m_bAdvanced ? QStringLiteral("Simple") : QStringLiteral("Advanced"));
}

void CDuplicateQuestionsDlg::SetAdvanced(BOOL bAdvanced)
{
    bAdvanced = bAdvanced != FALSE;
    if (bAdvanced == m_bAdvanced)
        return;
    m_bAdvanced = bAdvanced;
    for (QWidget* w : m_pAdvancedOnly)
        if (w)
            w->setVisible(m_bAdvanced != FALSE);
    // Grows (or shrinks back) by the same amount on every side, so it stays centred.
    const int sign = m_bAdvanced ? 1 : -1;
    QRect frame = geometry();
    frame.adjust(-sign * kGrowX, -sign * kGrowY, sign * kGrowX, sign * kGrowY);
    setMinimumSize(0, 0);
    setGeometry(frame);
    UpdateButtons();
}

BOOL CDuplicateQuestionsDlg::Skip(CCorraQuestion* q)
{
    if (!q || !m_plNew.Find(q))
        return FALSE;
    POSITION pos = m_plCopied.Find(q);
    if (pos)
        m_plCopied.RemoveAt(pos);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::SkipSelected()
{
    if (!m_pNewList)
        return FALSE;
    CPtrListEx rows;
    for (int i = 0; i < m_pNewList->GetItemCount(); ++i) {
        CCorraQuestion* q = m_pNewList->GetItemQuestion(i);
        if (q && (m_pNewList->GetItemState(i, LVIS_SELECTED) || (q->m_nFlags & QFLAG_LISTED)))
            rows.AddTail(q);
    }
    if (rows.IsEmpty())
        return FALSE;
    for (POSITION pos = rows.GetHeadPosition(); pos;)
        if (POSITION at = m_plCopied.Find(rows.GetNext(pos)))
            m_plCopied.RemoveAt(at);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::Duplicate(CCorraQuestion* q)
{
    if (!q || !m_plNew.Find(q))
        return FALSE;
    // An exam holds one question per INDEX, and a duplicate keeps its INDEX.
    if (HasIndexClash(q)) {
        Say(kIndexOne);
        return FALSE;
    }
    m_plDuplicate.AddTail(q);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::DuplicateAll()
{
    if (HasInternalClash()) {
        Say(kInternal);
        return FALSE;
    }
    BOOL left = FALSE;
    for (POSITION pos = m_plNew.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plNew.GetNext(pos));
        if (HasIndexClash(q))
            left = TRUE;
        else
            m_plDuplicate.AddTail(q);
    }
    Check();
    if (left)
        Say(kIndexSome);
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::Overwrite(CCorraQuestion* q)
{
    if (!q || !m_plNew.Find(q))
        return FALSE;
    CCorraQuestion* byId = TargetById(q);
    CCorraQuestion* byIndex = byId ? nullptr : TargetByIndex(q);
    // A clash only among the copied ones has nothing to overwrite.
    if (!byId && !byIndex)
        return FALSE;
    // One copied question per target question: the others stay to be settled.
    for (POSITION pos = m_plOverwrite.GetHeadPosition(); pos;)
        if (Q(m_plOverwrite.GetNext(pos))->m_nId == q->m_nId)
            return FALSE;
    for (POSITION pos = m_plOverwriteIndex.GetHeadPosition(); pos;)
        if (TargetByIndex(Q(m_plOverwriteIndex.GetNext(pos))) == (byId ? byId : byIndex))
            return FALSE;
    if (byIndex) {
        m_plOverwriteIndex.AddTail(q);
    } else {
        m_plOverwrite.AddTail(q);
        // Replacing by ID in an exam: the other questions of its INDEX go.
        if (m_bExam && q->m_nIndex != 0) {
            CPtrListEx same;
            m_pTarget->FindQuestionsByIndex(q->m_nIndex, same);
            for (POSITION pos = same.GetHeadPosition(); pos;) {
                CCorraQuestion* old = Q(same.GetNext(pos));
                if (old != byId && !old->IsCollection() && !m_plRemove.Find(old))
                    m_plRemove.AddTail(old);
            }
        }
    }
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::OverwriteAll()
{
    if (HasInternalClash()) {
        Say(kInternal);
        return FALSE;
    }
    CPtrListEx listed(m_plNew);
    for (POSITION pos = listed.GetHeadPosition(); pos;)
        Overwrite(Q(listed.GetNext(pos)));
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::Apply()
{
    if (!IsSettled())
        return FALSE;
    ClearFlags();
    m_plResult.RemoveAll();
    m_dwaResultIds.RemoveAll();
    m_idMap.Clear();
    std::map<CCorraQuestion*, CCorraQuestion*> counterpart;
    auto undo = std::make_unique<CUndoContext>(m_pTarget, nullptr, UCT_ADD, "");

    // Pushed out by an overwrite: kept by the undo entry.
    CPtrListEx removed;
    for (POSITION pos = m_plRemove.GetHeadPosition(); pos;) {
        CCorraQuestion* old = Q(m_plRemove.GetNext(pos));
        if (m_pTarget->HoldsQuestion(old)) {
            undo->RecordDeletion(old);
            removed.AddTail(old);
        }
    }
    if (!removed.IsEmpty()) {
        m_pTarget->DetachQuestions(removed);
        undo->Keep(removed);
        CUpdate hint;
        hint.SetQuestions(&removed);
        m_pTarget->UpdateAllViews(nullptr, HINT_QUESTIONS_DELETED, &hint);
    }

    // Overwritten by ID, then by INDEX: the target question keeps its ID and takes the copy's
    // contents.
    CPtrListEx replaced;
    auto take = [&](CCorraQuestion* q, CCorraQuestion* mine, BOOL byIndex) {
        if (!mine)
            return;
        undo->RecordOverwrite(mine);
        const int id = mine->m_nId;
        const int listed = mine->m_nFlags & QFLAG_LISTED;
        if (byIndex)
            mine->CQuestion::Copy(*q);
        else
            m_pTarget->ReplaceQuestion(*q, &mine);
        mine->m_nId = id;
        mine->SetDoc(m_pTarget);
        mine->m_nFlags = (mine->m_nFlags & ~(kFlagsSet | QFLAG_LISTED)) | listed;
        counterpart[q] = mine;
        replaced.AddTail(mine);
    };
    for (POSITION pos = m_plOverwrite.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plOverwrite.GetNext(pos));
        take(q, TargetById(q), FALSE);
    }
    for (POSITION pos = m_plOverwriteIndex.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plOverwriteIndex.GetNext(pos));
        take(q, TargetByIndex(q), TRUE);
    }
    if (!replaced.IsEmpty()) {
        m_pTarget->SetModifiedFlag(TRUE);
        CUpdate hint;
        hint.SetQuestions(&replaced);
        hint.m_nReload = 0;
        hint.m_nRelayout = 0;
        m_pTarget->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }

    // Added: those without a clash and the duplicates, in the copied order, with the source's
    // path and name (an exam links its copies to them).
    CPtrListEx added;
    for (POSITION pos = m_plAll.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plAll.GetNext(pos));
        if (!m_plCopied.Find(q) || m_plOverwrite.Find(q) || m_plOverwriteIndex.Find(q))
            continue;
        CPtrListEx one, out;
        one.AddTail(q);
        m_pTarget->AddQuestions(one, &out, m_pSrcDoc, m_csSrcPath.IsEmpty() ? nullptr : m_csSrcPath.GetString(),
                                m_csSrcTitle.IsEmpty() ? nullptr : m_csSrcTitle.GetString());
        if (out.IsEmpty())
            continue;
        CCorraQuestion* mine = Q(out.GetHead());
        mine->m_nFlags &= ~(kFlagsSet | QFLAG_LISTED);
        counterpart[q] = mine;
        added.AddTail(mine);
        undo->RecordAddition(mine);
    }
    if (!added.IsEmpty()) {
        m_pTarget->SetModifiedFlag(TRUE);
        m_pTarget->UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &added);
    }
    if (!added.IsEmpty() || !replaced.IsEmpty() || !removed.IsEmpty()) {
        undo->m_csDescription.Format("Add %d questions", added.GetCount() + replaced.GetCount());
        m_pTarget->AddUndo(undo.release());
    }

    // Skipped: the target question it clashed with stands for it.
    std::set<int> ids;
    for (POSITION pos = m_plAll.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plAll.GetNext(pos));
        CCorraQuestion* mine = nullptr;
        auto it = counterpart.find(q);
        if (it != counterpart.end())
            mine = it->second;
        else if (CCorraQuestion* old = TargetById(q))
            mine = old;
        else
            mine = TargetByIndex(q);
        if (!mine)
            continue;
        if (!m_idMap.Contains(q->m_nId))
            m_idMap.SetAt(q->m_nId, mine->m_nId);
        if (!m_plResult.Find(mine))
            m_plResult.AddTail(mine);
        ids.insert(mine->m_nId);
    }
    for (int id : ids)
        m_dwaResultIds.Add(static_cast<DWORD>(id));
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Fill();
    return TRUE;
}

void CDuplicateQuestionsDlg::OnOK()
{
    if (!IsSettled())
        return;
    CDialog::OnOK();
}

void CDuplicateQuestionsDlg::OnCancel()
{
    ClearFlags();
    CDialog::OnCancel();
}
