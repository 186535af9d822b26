#include "views/DuplicateQuestionsDlg.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/core/Services.h"
#include "render/RtfText.h"
#include "views/ODListCtrl.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>
#include <set>

namespace {

constexpr const char* kTitle = "Question ID already exists.";
constexpr const char* kText = "The question being copied has a ID which already exists in the document being copied "
                              "to.  You must either overwrite the existing question or duplicate the question which "
                              "will result in a new ID being assigned.";
constexpr const char* kHint = "Select one question from either of the above lists.";
constexpr const char* kInternal = "The list of new questions contains duplicate IDs or Indicies within its own list.  "
                                  "You must select and process these questions one at a time.";

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

} // namespace

CDuplicateQuestionsDlg::CDuplicateQuestionsDlg(CCorraDoc* pTarget, const CPtrListEx& questions,
                                               const CUpdate* pRequest, CWnd* pParent)
    : CDialog(IDD_DUPLICATE_QUESTIONS, pParent), m_pTarget(pTarget)
{
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        void* q = questions.GetNext(pos);
        if (!m_plAll.Find(q))
            m_plAll.AddTail(q);
    }
    m_plCopied = m_plAll;
    if (pRequest) {
        if (pRequest->Has(UPD_SRCTITLE))
            m_csSrcTitle = pRequest->m_csSrcTitle;
        if (pRequest->Has(UPD_SRCPATH))
            m_csSrcPath = pRequest->m_csSrcPath;
    }
    setWindowTitle(QStringLiteral("Duplicate Questions"));

    auto* info = new QVBoxLayout;
    QLabel* title = CreateStatic(kTitle);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QLabel* text = CreateStatic(kText);
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
    lists->addWidget(CreateStatic("New Questions", 0, m_pNewList), 0, 0);
    lists->addWidget(CreateStatic("Existing Questions", 0, m_pOldList), 0, 1);
    lists->addWidget(m_pNewList, 1, 0);
    lists->addWidget(m_pOldList, 1, 1);
    lists->addWidget(m_pNewPreview, 2, 0);
    lists->addWidget(m_pOldPreview, 2, 1);
    lists->addWidget(CreateStatic(kHint), 3, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_DUPQ_SKIP, "Skip"));
    buttons->addWidget(CreateButton(IDC_DUPQ_DUPLICATE, "Duplicate"));
    buttons->addWidget(CreateButton(IDC_DUPQ_DUPLICATE_ALL, "Duplicate (all)"));
    buttons->addWidget(CreateButton(IDC_DUPQ_OVERWRITE, "Overwrite"));
    buttons->addWidget(CreateButton(IDC_DUPQ_OVERWRITE_ALL, "Overwrite (all)"));
    buttons->addWidget(CreateButton(IDC_DUPQ_ADVANCED, "Advanced"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(info);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    BindCommand(IDC_DUPQ_SKIP, [this] { Guarded([this] { return Skip(SelectedNew()); }); });
    BindCommand(IDC_DUPQ_DUPLICATE, [this] { Guarded([this] { return Duplicate(SelectedNew()); }); });
    BindCommand(IDC_DUPQ_DUPLICATE_ALL, [this] { Guarded([this] { return DuplicateAll(); }); });
    BindCommand(IDC_DUPQ_OVERWRITE, [this] { Guarded([this] { return Overwrite(SelectedNew()); }); });
    BindCommand(IDC_DUPQ_OVERWRITE_ALL, [this] { Guarded([this] { return OverwriteAll(); }); });
    BindCommand(IDC_DUPQ_ADVANCED, [this] { SetAdvanced(!m_bAdvanced); });
    QObject::connect(m_pNewList, &QTreeWidget::itemSelectionChanged, this, [this] {
        CCorraQuestion* q = SelectedNew();
        m_pNewPreview->setText(q ? QString::fromLocal8Bit(RtfToPlainText(q->m_cszQuestionText).GetString()) : QString());
        m_pOldPreview->setText(QString());
        if (q)
            if (CCorraQuestion* old = m_pTarget->FindQuestionById(q->m_nId))
                m_pOldPreview->setText(QString::fromLocal8Bit(RtfToPlainText(old->m_cszQuestionText).GetString()));
        UpdateButtons();
    });
    Check();
}

CDuplicateQuestionsDlg::~CDuplicateQuestionsDlg()
{
    // The marks the lists set stay with no question.
    for (POSITION pos = m_plAll.GetHeadPosition(); pos;)
        Q(m_plAll.GetNext(pos))->m_nFlags &= ~(QFLAG_DUPLICATE | QFLAG_DUPLICATE_ORIG);
}

int CDuplicateQuestionsDlg::Check()
{
    m_plInternal.RemoveAll();
    m_plNew.RemoveAll();
    m_plExisting.RemoveAll();
    std::map<int, CCorraQuestion*> first;
    for (POSITION pos = m_plCopied.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plCopied.GetNext(pos));
        if (m_plDuplicate.Find(q) || m_plOverwrite.Find(q))
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
        if (m_plDuplicate.Find(q) || m_plOverwrite.Find(q))
            continue;
        CCorraQuestion* old = m_pTarget->FindQuestionById(q->m_nId);
        // A copied question whose ID a collection of the target holds clashes with nothing.
        if (old && old->IsCollection())
            old = nullptr;
        if (old || m_plInternal.Find(q)) {
            m_plNew.AddTail(q);
            if (old && !m_plExisting.Find(old))
                m_plExisting.AddTail(old);
        }
    }
    if (m_pNewList)
        Fill();
    return m_plNew.GetCount();
}

void CDuplicateQuestionsDlg::Fill()
{
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

void CDuplicateQuestionsDlg::UpdateButtons()
{
    if (!m_pNewList)
        return;
    const BOOL newOne = m_pNewList->GetSelectedCount() == 1;
    const BOOL any = m_pNewList->GetSelectedCount() > 0 || m_pOldList->GetSelectedCount() > 0;
    auto enable = [this](int id, BOOL on) {
        if (QWidget* w = GetDlgItem(id))
            w->setEnabled(on);
    };
    enable(IDC_DUPQ_SKIP, any);
    enable(IDC_DUPQ_DUPLICATE, newOne);
    enable(IDC_DUPQ_OVERWRITE, newOne);
    enable(IDC_DUPQ_OVERWRITE_ALL, !m_plExisting.IsEmpty() && !HasInternalClash());
    enable(IDOK, IsSettled());
    if (auto* mode = qobject_cast<QPushButton*>(GetDlgItem(IDC_DUPQ_ADVANCED)))
        mode->setText(m_bAdvanced ? QStringLiteral("Simple") : QStringLiteral("Advanced"));
}

void CDuplicateQuestionsDlg::SetAdvanced(BOOL bAdvanced)
{
    m_bAdvanced = bAdvanced;
    if (m_pNewList)
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

BOOL CDuplicateQuestionsDlg::Duplicate(CCorraQuestion* q)
{
    if (!q || !m_plNew.Find(q))
        return FALSE;
    m_plDuplicate.AddTail(q);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::DuplicateAll()
{
    if (HasInternalClash()) {
        MessageBoxService().Show(kInternal, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_plDuplicate.AddTail(m_plNew);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::Overwrite(CCorraQuestion* q)
{
    // Overwriting needs a target question of that ID; a clash only among the copied ones has none.
    if (!q || !m_plNew.Find(q) || !m_pTarget->FindQuestionById(q->m_nId))
        return FALSE;
    // One copied question per target question: the others of that ID stay to be settled.
    for (POSITION pos = m_plOverwrite.GetHeadPosition(); pos;)
        if (Q(m_plOverwrite.GetNext(pos))->m_nId == q->m_nId)
            return FALSE;
    m_plOverwrite.AddTail(q);
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::OverwriteAll()
{
    if (HasInternalClash()) {
        MessageBoxService().Show(kInternal, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    for (POSITION pos = m_plNew.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plNew.GetNext(pos));
        if (m_pTarget->FindQuestionById(q->m_nId))
            m_plOverwrite.AddTail(q);
    }
    Check();
    return TRUE;
}

BOOL CDuplicateQuestionsDlg::Apply()
{
    if (!IsSettled())
        return FALSE;
    m_plResult.RemoveAll();
    m_dwaResultIds.RemoveAll();
    m_idMap.Clear();
    std::map<CCorraQuestion*, CCorraQuestion*> counterpart;

    // Overwritten: the target question keeps its ID and takes the copy's contents.
    CPtrListEx replaced;
    for (POSITION pos = m_plOverwrite.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plOverwrite.GetNext(pos));
        CCorraQuestion* mine = nullptr;
        CCorraQuestion copy(*q);
        if (m_pTarget->ReplaceQuestion(copy, &mine) && mine) {
            mine->m_nFlags &= ~(QFLAG_DUPLICATE | QFLAG_DUPLICATE_ORIG);
            counterpart[q] = mine;
            replaced.AddTail(mine);
        }
    }
    if (!replaced.IsEmpty()) {
        CUpdate hint;
        hint.SetQuestions(&replaced);
        hint.m_nReload = 0;
        hint.m_nRelayout = 0;
        m_pTarget->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }

    // Added: those without a clash and the duplicates, in the copied order.
    CPtrListEx added;
    for (POSITION pos = m_plAll.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plAll.GetNext(pos));
        if (!m_plCopied.Find(q) || m_plOverwrite.Find(q))
            continue;
        CCorraQuestion* mine = m_pTarget->AddNewQuestion(q);
        if (!mine)
            continue;
        mine->m_nFlags &= ~(QFLAG_DUPLICATE | QFLAG_DUPLICATE_ORIG);
        counterpart[q] = mine;
        added.AddTail(mine);
    }
    if (!added.IsEmpty()) {
        m_pTarget->SetModifiedFlag(TRUE);
        m_pTarget->UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &added);
    }

    // Skipped: the target question it clashed with stands for it.
    std::set<int> ids;
    for (POSITION pos = m_plAll.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(m_plAll.GetNext(pos));
        CCorraQuestion* mine = nullptr;
        auto it = counterpart.find(q);
        if (it != counterpart.end())
            mine = it->second;
        else if (CCorraQuestion* old = m_pTarget->FindQuestionById(q->m_nId); old && !old->IsCollection())
            mine = old;
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
    CDialog::OnCancel();
}
