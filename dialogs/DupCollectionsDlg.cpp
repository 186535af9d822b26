#include "dialogs/DupCollectionsDlg.h"

#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/ui/DataExchange.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitle = "Attempt to overwrite existing collection(s)";
constexpr const char* kMessage =
    "%d collection(s) being copied already exist in %s.  Please take the appropriate action below.";

CCorraQuestion* Q(void* p)
{
    return static_cast<CCorraQuestion*>(p);
}

// The IDs the collection lacks are appended to its members.
void AppendMembers(CCorraQuestion& collection, const CDWordArray& ids)
{
    CDWordArray all;
    collection.GetQuestIds(all);
    all.Append(ids);
    collection.SetQuestIds(all);
}

} // namespace

CDupCollectionsDlg::CDupCollectionsDlg(CCorraDoc* pTarget, const CPtrListEx& collections, CWnd* pParent)
    : CDialog(IDD_DUP_COLLECTIONS, pParent), m_pTarget(pTarget)
{
    for (POSITION pos = collections.GetHeadPosition(); pos;) {
        CCorraQuestion* q = Q(collections.GetNext(pos));
        if (q && q->IsCollection() && !m_plCopied.Find(q))
            m_plCopied.AddTail(q);
    }
    setWindowTitle(QStringLiteral("Collection Already Exists"));
    auto* layout = new QVBoxLayout(this);
    QLabel* title = CreateStatic(kTitle, IDC_DUPC_TITLE);
    QLabel* message = CreateStatic("", IDC_DUPC_MESSAGE);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    for (QLabel* label : {title, message}) {
        label->setStyleSheet(QStringLiteral("color: #0000ff"));
        label->setWordWrap(true);
    }
    message->setMinimumWidth(360);
    layout->addWidget(title);
    layout->addWidget(message);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(CreateRadioButton(IDC_DUPC_ADD, "Add questions to existing collections", TRUE));
    inner->addWidget(CreateRadioButton(IDC_DUPC_OVERWRITE, "Overwrite existing collections"));
    inner->addWidget(CreateRadioButton(IDC_DUPC_LEAVE_OUT, "Do not add duplicate collections"));
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    MakeFixedSize();
}

int CDupCollectionsDlg::Prepare(CCorraDoc* pTarget, const CPtrListEx& collections, CPtrListEx& clashing)
{
    clashing.RemoveAll();
    m_plOthers.RemoveAll();
    m_plExisting.RemoveAll();
    if (!pTarget)
        return 0;
    pTarget->FindDuplicateCollections(collections, clashing, m_plOthers);
    for (POSITION pos = clashing.GetHeadPosition(); pos;) {
        CCorraQuestion* mine = pTarget->FindCollection(Q(clashing.GetNext(pos))->m_cszQuestionText);
        if (mine && !m_plExisting.Find(mine))
            m_plExisting.AddTail(mine);
    }
    return clashing.GetCount();
}

void CDupCollectionsDlg::GetCollectionsToCopy(CPtrListEx& out) const
{
    out.RemoveAll();
    for (POSITION pos = m_plCopied.GetHeadPosition(); pos;) {
        void* q = m_plCopied.GetNext(pos);
        if (m_nChoice != DUPC_LEAVE_OUT || !m_plClashing.Find(q))
            out.AddTail(q);
    }
}

void CDupCollectionsDlg::UpdateMappedQuestionIds(const CCorraQuestion& copy, const CSerialMap<int, int>& idMap,
                                                 CDWordArray& out)
{
    out.RemoveAll();
    CDWordArray ids;
    copy.GetQuestIds(ids);
    for (int i = 0; i < ids.GetSize(); ++i) {
        int mapped = 0;
        if (idMap.Lookup(static_cast<int>(ids[i]), mapped) && mapped != 0) {
            out.Add(static_cast<DWORD>(mapped));
        } else {
            // A member the target did not take would name a missing question.
            LogOutput(CString::Formatted("CDupCollectionsDlg::UpdateMappedQuestionIds() - failed to "
                                         "SetCollectionQuestId for id %d",
                                         static_cast<int>(ids[i])),
                      LOG_ERROR, LOG_HERE);
        }
    }
}

BOOL CDupCollectionsDlg::Apply(const CSerialMap<int, int>& idMap, CCorraQuestion* pInsertBefore, int nInsertIndex)
{
    if (!m_pTarget)
        return FALSE;
    Prepare();
    m_plAdded.RemoveAll();
    m_plChanged.RemoveAll();
    m_pTarget->SetInsertBefore(pInsertBefore);
    for (POSITION pos = m_plCopied.GetHeadPosition(); pos;) {
        CCorraQuestion* copy = Q(m_plCopied.GetNext(pos));
        CDWordArray members;
        UpdateMappedQuestionIds(*copy, idMap, members);
        CCorraQuestion* mine = m_pTarget->FindCollection(copy->m_cszQuestionText);
        if (!mine) {
            mine = m_pTarget->AddNewQuestion(copy);
            if (!mine)
                continue;
            mine->SetQuestIds(members);
            m_plAdded.AddTail(mine);
            continue;
        }
        if (m_plAdded.Find(mine)) {
            // Two copies of one new name become one collection.
            AppendMembers(*mine, members);
            continue;
        }
        if (m_nChoice == DUPC_LEAVE_OUT)
            continue;
        if (m_nChoice == DUPC_OVERWRITE && !m_plChanged.Find(mine))
            mine->SetQuestIds(members);
        else
            AppendMembers(*mine, members);
        if (!m_plChanged.Find(mine))
            m_plChanged.AddTail(mine);
    }
    m_pTarget->SetInsertBefore(nullptr);
    for (POSITION pos = m_plChanged.GetHeadPosition(); pos;) {
        CUpdate hint;
        hint.SetView(Q(m_plChanged.GetNext(pos)));
        m_pTarget->UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
    }
    if (!m_plAdded.IsEmpty()) {
        CUpdate hint;
        hint.SetQuestions(&m_plAdded);
        hint.SetInsertIndex(nInsertIndex);
        m_pTarget->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
    }
    if (!m_plAdded.IsEmpty() || !m_plChanged.IsEmpty())
        m_pTarget->SetModifiedFlag(TRUE);
    return TRUE;
}

BOOL CDupCollectionsDlg::OnInitDialog()
{
    if (auto* message = qobject_cast<QLabel*>(GetDlgItem(IDC_DUPC_MESSAGE)))
        message->setText(QString::fromLocal8Bit(
            CString::Formatted(kMessage, m_plClashing.GetCount(), m_pTarget ? m_pTarget->GetTitle().GetString() : "")
                .GetString()));
    return CDialog::OnInitDialog();
}

void CDupCollectionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_DUPC_ADD, m_nChoice);
}
