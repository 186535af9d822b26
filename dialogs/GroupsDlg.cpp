#include "dialogs/GroupsDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/PromptDlg.h"
#include "dialogs/GroupListCtrl.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/QuestSelect.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kStyleNames[NUMSTYLE_COUNT] = {
    "Not numbered",          "Numbered", "Numbered independently", "Lettered (upper case)", "Lettered (lower case)",
    "Roman numerals (upper case)", "Roman numerals (lower case)"};
// The radio button of each style index.
constexpr int kStyleControls[NUMSTYLE_COUNT] = {1950, 1951, 1952, 1953, 1954, 1956, 1955};

constexpr const char* kCollide =
    "Headers and Group Members cannot both have the Numbered selection.  If any Group has the Numbered selection for "
    "Members, then no other group can have a Header with the same selection.  Otherwise, numbering of Groups and "
    "Headers would collide.";
constexpr const char* kRemoveAll = "This operation will remove all existing groups.\n\nContinue?";

int Say(LPCSTR text, UINT style = MB_OK | MB_ICONEXCLAMATION)
{
    return MessageBoxService().Show(text, CORRA_PRODUCT_NAME, style);
}

CGroup* G(void* p)
{
    return static_cast<CGroup*>(p);
}

// A name that would break the group record.
BOOL HasBraces(const CString& s)
{
    return s.Find('{') >= 0 || s.Find('}') >= 0;
}

} // namespace

const char* NumberingStyleName(int nIndex)
{
    return nIndex >= 0 && nIndex < NUMSTYLE_COUNT ? kStyleNames[nIndex] : kStyleNames[NUMSTYLE_NUMBERED];
}

int MemberStyleIndex(DWORD flags)
{
    const int code = static_cast<int>(flags & GROUP_NUMBER_MASK);
    return code >= 1 && code <= NUMSTYLE_COUNT ? code - 1 : NUMSTYLE_NUMBERED;
}

int HeaderStyleIndex(DWORD flags)
{
    const int code = static_cast<int>((flags & GROUP_HEADER_NUMBER_MASK) >> 8);
    return code >= 1 && code <= NUMSTYLE_COUNT ? code - 1 : NUMSTYLE_NUMBERED;
}

DWORD MemberStyleCode(int nIndex)
{
    return nIndex >= 0 && nIndex < NUMSTYLE_COUNT ? static_cast<DWORD>(nIndex + 1) : 1;
}

DWORD HeaderStyleCode(int nIndex)
{
    return MemberStyleCode(nIndex) << 8;
}

// ---- Numbering Sequence

CNumberingSequenceDlg::CNumberingSequenceDlg(int nStyle, LPCSTR caption, CWnd* pParent, BOOL bHeaders)
    : CFixedFontDialog(IDD_NUMBERING_SEQUENCE, pParent), m_nStyle(nStyle), m_bHeaders(bHeaders)
{
    m_nTemplateId = IDD_NUMBERING_SEQUENCE;
    setWindowTitle(QString::fromLocal8Bit(caption));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    for (int i = 0; i < NUMSTYLE_COUNT; ++i) {
        QRadioButton* radio = CreateRadioButton(kStyleControls[i], kStyleNames[i], i == 0);
        inner->addWidget(radio);
        QObject::connect(radio, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                m_nStyle = i;
                UpdateChangeAll();
            }
        });
    }
    layout->addWidget(group);
    layout->addWidget(CreateCheckBox(IDC_NUMSEQ_CHANGE_ALL, "Change all"));
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

BOOL CNumberingSequenceDlg::OnInitDialog()
{
    if (m_nStyle < 0 || m_nStyle >= NUMSTYLE_COUNT)
        m_nStyle = NUMSTYLE_NUMBERED;
    const BOOL ok = CFixedFontDialog::OnInitDialog();
    if (auto* radio = qobject_cast<QRadioButton*>(GetDlgItem(kStyleControls[m_nStyle])))
        radio->setChecked(true);
    UpdateChangeAll();
    return ok;
}

void CNumberingSequenceDlg::UpdateChangeAll()
{
    auto* all = qobject_cast<QCheckBox*>(GetDlgItem(IDC_NUMSEQ_CHANGE_ALL));
    if (!all)
        return;
    const BOOL forced = m_bHeaders && m_nStyle != NUMSTYLE_NONE;
    if (forced)
        all->setChecked(true);
    all->setEnabled(!forced);
}

void CNumberingSequenceDlg::DoDataExchange(CDataExchange* pDX)
{
    if (pDX->m_bSaveAndValidate) {
        for (int i = 0; i < NUMSTYLE_COUNT; ++i)
            if (auto* radio = qobject_cast<QRadioButton*>(GetDlgItem(kStyleControls[i])); radio && radio->isChecked())
                m_nStyle = i;
    }
    DDX_Check(pDX, IDC_NUMSEQ_CHANGE_ALL, m_bChangeAll);
}

// ---- Group Questions

CGroupQuestionsDlg::CGroupQuestionsDlg(CWnd* pParent) : CFixedFontDialog(IDD_GROUP_QUESTIONS, pParent)
{
    m_nTemplateId = IDD_GROUP_QUESTIONS;
    setWindowTitle("Group Questions");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(CreateRadioButton(IDC_GROUPQ_BY_TYPE, "Group by Question Type", TRUE));
    inner->addWidget(CreateRadioButton(IDC_GROUPQ_BY_LEVEL, "Group by Question Level"));
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

void CGroupQuestionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_GROUPQ_BY_TYPE, m_nBy);
}

// ---- Groups

template <typename F>
void CGroupsDlg2::Guard(LPCSTR failure, F&& f)
{
    try {
        f();
    } catch (...) {
        LogUnknownException(LOG_HERE);
        if (failure)
            Say(failure);
    }
}

CGroupsDlg2::CGroupsDlg2(CCorraDoc* pDoc, CWnd* pParent) : CFixedFontDialog(IDD_GROUPS, pParent), m_pDoc(pDoc)
{
    m_nTemplateId = IDD_GROUPS;
    setWindowTitle("Groups");
    auto* layout = new QVBoxLayout(this);

    auto* bar = new QMenuBar(this);
    m_pMenu = bar->addMenu("&Group");
    auto add = [this](const char* text, auto fn) {
        QAction* a = m_pMenu->addAction(QString::fromLocal8Bit(text));
        QObject::connect(a, &QAction::triggered, this, fn);
        return a;
    };
    add("&New", [this] { OnNewGroup(); });
    add("&Change Group Name", [this] { OnRenameGroup(); });
    add("&Delete", [this] { OnDeleteGroup(); });
    add("Delete &All", [this] { OnDeleteAll(); });
    m_pMenu->addSeparator();
    add("&Create Predefined Groups", [this] { OnCreateGroups(); });
    add("Add Selected &Questions", [this] { OnAddSelectedQuestions(); });
    add("Create &Default Group", [this] { OnCreateDefaultGroup(); });
    add("&Add Group Description", [this] { OnToggleDescription(); })->setCheckable(true);
    m_pMenu->addSeparator();
    add("&Refresh View", [this] { OnRefreshView(); });
    add("&Close", [this] { OnClose(); });
    QObject::connect(m_pMenu, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });
    layout->setMenuBar(bar);

    // The list with the spin that moves a group, and the buttons beside it.
    m_pList = AddControl(IDC_GROUPS_LIST, new CGroupListCtrl(this));
    m_pList->SetDocument(pDoc);
    m_pList->setMinimumSize(260, 160);
    auto* move = new QWidget(this);
    auto* moveLayout = new QVBoxLayout(move);
    moveLayout->setContentsMargins(0, 0, 0, 0);
    auto* up = new QToolButton(move);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(move);
    down->setArrowType(Qt::DownArrow);
    moveLayout->addStretch(1);
    moveLayout->addWidget(up);
    moveLayout->addWidget(down);
    moveLayout->addStretch(1);
    move->setToolTip("Select a group and use the up/down arrows to position in the order you want.");
    QObject::connect(up, &QToolButton::clicked, this, [this] { MoveSelected(-1); });
    QObject::connect(down, &QToolButton::clicked, this, [this] { MoveSelected(1); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(CreateButton(IDC_GROUPS_NEW, "New Group"));
    buttons->addWidget(CreateButton(IDC_GROUPS_DELETE, "Delete Group"));
    buttons->addWidget(CreateButton(IDC_GROUPS_CREATE, "Create groups..."));
    buttons->addWidget(CreateButton(IDC_GROUPS_CLEAR, "Clear Groups"));
    buttons->addWidget(CreateButton(IDC_GROUPS_REFRESH, "Refresh View"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButton(IDCLOSE, "Close"));
    buttons->addWidget(CreateButton(IDHELP, "Help"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_pList, 1);
    top->addWidget(move);
    top->addLayout(buttons);
    layout->addLayout(top);

    // The shown group's fields.
    auto* fields = new QGridLayout;
    m_pHasHeader = CreateCheckBox(IDC_GROUPS_HAS_HEADER, "Group Description");
    m_pIndented = CreateCheckBox(IDC_GROUPS_INDENTED, "Members Indented");
    m_pTopOfPage = CreateCheckBox(IDC_GROUPS_TOP_OF_PAGE, "Group starts at Top of Page");
    m_pTopMargin = AddControl(IDC_GROUPS_TOP_MARGIN, new QSpinBox(this));
    m_pBottomMargin = AddControl(IDC_GROUPS_BOTTOM_MARGIN, new QSpinBox(this));
    for (QSpinBox* spin : {m_pTopMargin, m_pBottomMargin})
        spin->setRange(0, 66);
    m_pHeaderType = CreateStatic("Headers: ", IDC_GROUPS_HEADER_TYPE);
    m_pMemberType = CreateStatic("Members: ", IDC_GROUPS_MEMBER_TYPE);
    fields->addWidget(m_pHasHeader, 0, 0);
    fields->addWidget(m_pIndented, 1, 0);
    fields->addWidget(m_pTopOfPage, 2, 0);
    fields->addWidget(CreateStatic("Top margin (lines)", 0, m_pTopMargin), 0, 1);
    fields->addWidget(m_pTopMargin, 0, 2);
    fields->addWidget(CreateStatic("Bottom margin", 0, m_pBottomMargin), 1, 1);
    fields->addWidget(m_pBottomMargin, 1, 2);
    fields->addWidget(m_pHeaderType, 3, 0, 1, 2);
    fields->addWidget(CreateButton(IDC_GROUPS_HEADER_CHANGE, "Change..."), 3, 2);
    fields->addWidget(m_pMemberType, 4, 0, 1, 2);
    fields->addWidget(CreateButton(IDC_GROUPS_MEMBER_CHANGE, "Change..."), 4, 2);
    fields->setColumnStretch(0, 1);
    layout->addLayout(fields);

    // The description, shown while the group has a header.
    m_pDescriptionPane = new QWidget(this);
    auto* pane = new QVBoxLayout(m_pDescriptionPane);
    pane->setContentsMargins(0, 0, 0, 0);
    m_pDescription = AddControl(IDC_GROUPS_DESCRIPTION, new CHVRichEditCtrl(m_pDescriptionPane));
    m_pDescription->setMinimumHeight(90);
    auto* caption = new QHBoxLayout;
    caption->addWidget(CreateStatic("Enter a description or instructions for this group.", IDC_GROUPS_DESC_CAPTION), 1);
    caption->addWidget(CreateButton(IDC_GROUPS_FONT, "Font..."));
    pane->addLayout(caption);
    pane->addWidget(m_pDescription);
    layout->addWidget(m_pDescriptionPane);
    ResetDescriptionFont();
    m_pDescriptionPane->hide();

    BindCommand(IDC_GROUPS_NEW, [this] { OnNewGroup(); });
    BindCommand(IDC_GROUPS_DELETE, [this] { OnDeleteGroup(); });
    BindCommand(IDC_GROUPS_CREATE, [this] { OnCreateGroups(); });
    BindCommand(IDC_GROUPS_CLEAR, [this] { OnDeleteAll(); });
    BindCommand(IDC_GROUPS_REFRESH, [this] { OnRefreshView(); });
    BindCommand(IDC_GROUPS_HEADER_CHANGE, [this] { OnChangeStyle(TRUE); });
    BindCommand(IDC_GROUPS_MEMBER_CHANGE, [this] { OnChangeStyle(FALSE); });
    BindCommand(IDC_GROUPS_FONT, [this] { OnFont(); });
    BindCommand(IDCLOSE, [this] { OnClose(); });
    QObject::connect(m_pHasHeader, &QCheckBox::clicked, this, [this] { OnToggleDescription(); });
    for (QCheckBox* box : {m_pIndented, m_pTopOfPage})
        QObject::connect(box, &QCheckBox::toggled, this, [this] { WriteBack(); });
    for (QSpinBox* spin : {m_pTopMargin, m_pBottomMargin})
        QObject::connect(spin, &QSpinBox::valueChanged, this, [this] { WriteBack(); });
    BindNotify(IDC_GROUPS_DESCRIPTION, EN_CHANGE, [this] {
        if (m_bLoading)
            return;
        Guard("Failed to change description text.", [this] {
            if (CGroup* g = GetShownGroup()) {
                CString text;
                m_pDescription->StreamOutText(text, SF_RTF);
                if (text != g->m_csText) {
                    g->m_csText = text;
                    m_pDoc->SetModifiedFlag(TRUE);
                }
            }
        });
    });
    QObject::connect(m_pList, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
}

CGroupsDlg2::~CGroupsDlg2() = default;

CGroup* CGroupsDlg2::GetShownGroup() const
{
    return m_pDoc && m_nShownId ? m_pDoc->FindGroupById(m_nShownId) : nullptr;
}

int CGroupsDlg2::QuestionCount() const
{
    int n = 0;
    if (m_pDoc)
        for (POSITION pos = m_pDoc->m_plQuestions.GetHeadPosition(); pos;)
            if (!static_cast<CCorraQuestion*>(m_pDoc->m_plQuestions.GetNext(pos))->IsCollection())
                ++n;
    return n;
}

void CGroupsDlg2::ShowGroups()
{
    Guard("Failed to show group dialog.", [this] {
        m_pList->Fill();
        const int shown = m_pList->FindGroup(m_nShownId);
        if (shown >= 0)
            m_pList->SelectItem(shown, TRUE);
        else if (m_pList->GetItemCount() > 0)
            m_pList->SelectItem(0, TRUE);
        OnSelectionChanged();
        m_pList->Recount();
        RefreshTexts();
        show();
        raise();
    });
}

void CGroupsDlg2::OnSelectionChanged()
{
    CGroup* g = m_pList->GetGroup(m_pList->GetSelectedItem());
    const int id = g ? g->m_nId : 0;
    if (id == m_nShownId && g)
        return;
    m_nShownId = id;
    if (g) {
        try {
            m_bSelectedMembers = m_pDoc->SelectGroupMembers(id) > 0;
        } catch (...) {
            LogOutput("Failed to select questions.", LOG_ERROR, LOG_HERE);
        }
    }
    LoadShown();
}

void CGroupsDlg2::SelectGroup(int nItem)
{
    m_pList->SelectItem(-1, FALSE);
    if (nItem >= 0)
        m_pList->SelectItem(nItem, TRUE);
    OnSelectionChanged();
}

void CGroupsDlg2::LoadShown()
{
    m_bLoading = TRUE;
    CGroup* g = GetShownGroup();
    const DWORD flags = g ? g->m_dwFlags : GROUP_DEFAULT_FLAGS;
    m_nMemberStyle = g ? MemberStyleIndex(flags) : NUMSTYLE_NUMBERED;
    m_nHeaderStyle = g ? HeaderStyleIndex(flags) : NUMSTYLE_NONE;
    m_pHasHeader->setChecked(g && (flags & GROUP_USES_HEADER));
    m_pIndented->setChecked(g && (flags & GROUP_INDENTED));
    m_pTopOfPage->setChecked(g && (flags & GROUP_TOP_OF_PAGE));
    m_pTopMargin->setValue(g ? g->m_nTopSpace : 0);
    m_pBottomMargin->setValue(g ? g->m_nBotSpace : 0);
    m_pDescription->SetText(g ? g->m_csText.GetString() : "", SF_RTF);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pHasHeader, m_pIndented, m_pTopOfPage, m_pTopMargin,
                                                      m_pBottomMargin, GetDlgItem(IDC_GROUPS_HEADER_CHANGE),
                                                      GetDlgItem(IDC_GROUPS_MEMBER_CHANGE)})
        if (w)
            w->setEnabled(g != nullptr);
    ShowDescriptionPane(g && (flags & GROUP_USES_HEADER));
    m_bLoading = FALSE;
    RefreshTexts();
}

void CGroupsDlg2::WriteBack()
{
    if (m_bLoading)
        return;
    CGroup* g = GetShownGroup();
    if (!g)
        return;
    DWORD flags = g->m_dwFlags & ~(GROUP_NUMBER_MASK | GROUP_HEADER_NUMBER_MASK | GROUP_USES_HEADER |
                                   GROUP_INDENTED | GROUP_TOP_OF_PAGE);
    flags |= MemberStyleCode(m_nMemberStyle) | HeaderStyleCode(m_nHeaderStyle);
    if (m_pHasHeader->isChecked())
        flags |= GROUP_USES_HEADER;
    if (m_pIndented->isChecked())
        flags |= GROUP_INDENTED;
    if (m_pTopOfPage->isChecked())
        flags |= GROUP_TOP_OF_PAGE;
    if (flags != g->m_dwFlags || g->m_nTopSpace != m_pTopMargin->value() || g->m_nBotSpace != m_pBottomMargin->value()) {
        g->m_dwFlags = flags;
        g->m_nTopSpace = m_pTopMargin->value();
        g->m_nBotSpace = m_pBottomMargin->value();
        m_pDoc->SetModifiedFlag(TRUE);
    }
}

CString CGroupsDlg2::GetHeaderTypeText() const
{
    return CString("Headers: ") + NumberingStyleName(m_nHeaderStyle);
}

CString CGroupsDlg2::GetMemberTypeText() const
{
    return CString("Members: ") + NumberingStyleName(m_nMemberStyle);
}

void CGroupsDlg2::RefreshTexts()
{
    m_pHeaderType->setText(QString::fromLocal8Bit(GetHeaderTypeText().GetString()));
    m_pMemberType->setText(QString::fromLocal8Bit(GetMemberTypeText().GetString()));
}

BOOL CGroupsDlg2::IsDescriptionShown() const
{
    return !m_pDescriptionPane->isHidden();
}

void CGroupsDlg2::ShowDescriptionPane(BOOL bShow)
{
    if (bShow == IsDescriptionShown())
        return;
    m_pDescriptionPane->setVisible(bShow);
    adjustSize();
}

void CGroupsDlg2::ResetDescriptionFont()
{
    QFont font("Arial");
    font.setPointSize(10);
    m_pDescription->setFont(font);
}

BOOL CGroupsDlg2::SetNumberingStyle(BOOL bHeaders, int nIndex, BOOL bChangeAll)
{
    if (nIndex < 0 || nIndex >= NUMSTYLE_COUNT)
        return FALSE;
    if (nIndex == NUMSTYLE_NUMBERED) {
        // Every group as it will stand, the shown one with the window's unsaved fields.
        BOOL collide = !bHeaders ? m_nHeaderStyle == NUMSTYLE_NUMBERED && GetShownGroup()
                                 : m_nMemberStyle == NUMSTYLE_NUMBERED && GetShownGroup();
        for (POSITION pos = m_pDoc->m_plGroups.GetHeadPosition(); pos && !collide;) {
            CGroup* g = G(m_pDoc->m_plGroups.GetNext(pos));
            if (g->m_nId == m_nShownId)
                continue;
            collide = bHeaders ? MemberStyleIndex(g->m_dwFlags) == NUMSTYLE_NUMBERED
                               : HeaderStyleIndex(g->m_dwFlags) == NUMSTYLE_NUMBERED;
        }
        if (collide) {
            Say(kCollide);
            return FALSE;
        }
    }
    (bHeaders ? m_nHeaderStyle : m_nMemberStyle) = nIndex;
    WriteBack();
    if (bChangeAll) {
        for (POSITION pos = m_pDoc->m_plGroups.GetHeadPosition(); pos;) {
            CGroup* g = G(m_pDoc->m_plGroups.GetNext(pos));
            if (bHeaders)
                g->m_dwFlags = (g->m_dwFlags & ~GROUP_HEADER_NUMBER_MASK) | HeaderStyleCode(nIndex);
            else
                g->m_dwFlags = (g->m_dwFlags & ~GROUP_NUMBER_MASK) | MemberStyleCode(nIndex);
        }
        m_pDoc->SetModifiedFlag(TRUE);
    }
    RefreshTexts();
    return TRUE;
}

void CGroupsDlg2::OnChangeStyle(BOOL bHeaders)
{
    if (!GetShownGroup())
        return;
    CNumberingSequenceDlg dlg(bHeaders ? m_nHeaderStyle : m_nMemberStyle,
                              bHeaders ? "Numbering Sequence - Headers" : "Numbering Sequence - Questions", this,
                              bHeaders);
    if (dlg.DoModal() != IDOK)
        return;
    SetNumberingStyle(bHeaders, dlg.m_nStyle, dlg.m_bChangeAll);
}

void CGroupsDlg2::OnFont()
{
    LOGFONT lf{};
    m_pDescription->GetSelectionLogFont(lf);
    if (!ChooseTextFont(lf, this))
        return;
    m_pDescription->SetSelectionLogFont(lf, CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE);
}

void CGroupsDlg2::StoreOrder()
{
    // The document's groups take the list's order; a group the list lacks keeps its place after.
    CPtrListEx order;
    m_pList->GetGroups(order);
    for (POSITION pos = m_pDoc->m_plGroups.GetHeadPosition(); pos;) {
        void* g = m_pDoc->m_plGroups.GetNext(pos);
        if (!order.Find(g))
            order.AddTail(g);
    }
    m_pDoc->m_plGroups.RemoveAll();
    m_pDoc->m_plGroups.AddTail(order);
    m_pDoc->SetModifiedFlag(TRUE);
}

void CGroupsDlg2::OnNewGroup()
{
    Guard(nullptr, [this] {
        CGroup* g = CGroup::Create("", 0, 0);
        m_pDoc->m_plGroups.AddTail(g);
        const int n = m_pList->InsertGroup(g, FALSE);
        if (n < 0) {
            LogOutput("Failed to AddGroup", LOG_ERROR, LOG_HERE);
            return;
        }
        SelectGroup(n);
        m_pList->EnsureVisible(n);
        StoreOrder();
    });
}

void CGroupsDlg2::OnRenameGroup()
{
    CGroup* g = GetShownGroup();
    if (!g)
        return;
    CPromptDlg dlg(this);
    dlg.m_csTitle = "Change Group Name";
    dlg.m_csMessage = "Enter a name for the group.";
    dlg.m_csText = dlg.m_csStartText = g->m_csName;
    if (dlg.DoModal() != IDOK)
        return;
    CString name = dlg.m_csText;
    name.Trim();
    if (name.IsEmpty())
        return;
    if (HasBraces(name)) {
        Say("A group name cannot hold \"{\" or \"}\".");
        return;
    }
    g->m_csName = name;
    const int n = m_pList->FindGroup(g->m_nId);
    if (n < 0 || !m_pList->SetItemText(n, 0, name))
        LogOutput("Failed to edit list lable.", LOG_ERROR, LOG_HERE);
    m_pDoc->SetModifiedFlag(TRUE);
}

void CGroupsDlg2::OnDeleteGroup()
{
    CGroup* g = GetShownGroup();
    if (!g)
        return;
    if (Say(CString("Are you sure you want to delete group: ") + g->m_csName, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Guard(nullptr, [this, g] {
        const int id = g->m_nId;
        m_nShownId = 0;
        m_pList->DeleteItem(m_pList->FindGroup(id));
        m_pDoc->UngroupQuestions(id);
        if (POSITION pos = m_pDoc->m_plGroups.Find(g))
            m_pDoc->m_plGroups.RemoveAt(pos);
        delete g->m_pHeaderQuestion;
        delete g;
        StoreOrder();
        OnSelectionChanged();
    });
}

void CGroupsDlg2::OnDeleteAll()
{
    if (Say(kRemoveAll, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Guard("Failed to remove groups.", [this] {
        m_nShownId = 0;
        m_pList->DeleteAllItems();
        m_pDoc->DeleteAllGroups();
        LoadShown();
        if (m_bSelectedMembers)
            m_pDoc->UnselectAll();
        m_bSelectedMembers = FALSE;
    });
}

void CGroupsDlg2::OnCreateGroups()
{
    if (QuestionCount() == 0) {
        Say("Document has no questions to group.");
        return;
    }
    const BOOL hadGroups = !m_pDoc->m_plGroups.IsEmpty();
    if (hadGroups && Say(kRemoveAll, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CGroupQuestionsDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    Guard("Failed to group questions.", [this, &dlg, hadGroups] {
        m_nShownId = 0;
        m_pList->DeleteAllItems();
        if (hadGroups)
            m_pDoc->DeleteAllGroups();
        m_pDoc->GroupQuestions(dlg.m_nBy == 0 ? 1 : 2, FALSE);
        m_pDoc->SetModifiedFlag(TRUE);
        m_pList->Fill();
        if (m_pList->GetSelectedItem() < 0 && m_pList->GetItemCount() > 0)
            SelectGroup(0);
        m_bRegrouped = TRUE;
    });
}

void CGroupsDlg2::OnAddSelectedQuestions()
{
    const int n = m_pList->GetSelectedItem();
    if (n < 0) {
        Say("No group selected.");
        return;
    }
    CPtrListEx selected;
    m_pDoc->GetSelectedQuestions(selected);
    if (selected.IsEmpty()) {
        Say("No questions in the document are selected.");
        return;
    }
    m_pList->AddQuestionsToGroup(selected, n, m_pDoc, TRUE);
}

void CGroupsDlg2::OnCreateDefaultGroup()
{
    if (QuestionCount() == 0) {
        Say("Document contains no questions.");
        return;
    }
    CPtrListEx loose;
    if (GetGroupQuestions(m_pDoc, -1, loose) == 0) {
        Say("There are no questions which do not belong to a group.");
        return;
    }
    CGroup* g = nullptr;
    try {
        g = CGroup::Create("Default", 0, 0);
        m_pDoc->m_plGroups.AddTail(g);
    } catch (...) {
        LogUnknownException(LOG_HERE);
        Say("Failed to create default group.");
        return;
    }
    const int n = m_pList->InsertGroup(g, FALSE);
    StoreOrder();
    if (n < 0 || !m_pList->AddQuestionsToGroup(loose, n, m_pDoc, FALSE))
        Say("Failed to add any questions.");
    SelectGroup(n);
}

void CGroupsDlg2::OnToggleDescription()
{
    CGroup* g = GetShownGroup();
    if (!g) {
        m_pHasHeader->setChecked(false);
        return;
    }
    // From the menu the box has not moved yet; from the box it has.
    if (sender() != m_pHasHeader)
        m_pHasHeader->setChecked(!(g->m_dwFlags & GROUP_USES_HEADER));
    WriteBack();
    ShowDescriptionPane(m_pHasHeader->isChecked());
}

void CGroupsDlg2::OnRefreshView()
{
    Guard("Failed to regroup questions.", [this] {
        StoreOrder();
        m_pDoc->ApplyGroupOrder();
        if (GetShownGroup())
            m_pDoc->SelectGroupMembers(m_nShownId);
        m_bRegrouped = FALSE;
    });
}

BOOL CGroupsDlg2::MoveSelected(int nDelta)
{
    const int from = m_pList->GetSelectedItem();
    const int to = from + nDelta;
    if (from < 0 || to < 0 || to >= m_pList->GetItemCount())
        return FALSE;
    try {
        m_bLoading = TRUE;
        const BOOL moved = m_pList->MoveItem(from, to);
        m_pList->SelectItem(-1, FALSE);
        m_pList->SelectItem(to, TRUE);
        m_bLoading = FALSE;
        if (!moved)
            return FALSE;
        StoreOrder();
        return TRUE;
    } catch (...) {
        m_bLoading = FALSE;
        LogUnknownException(LOG_HERE);
        Say("Failed to shift position.");
        return FALSE;
    }
}

void CGroupsDlg2::OnClose()
{
    WriteBack();
    hide();
}

void CGroupsDlg2::UpdateMenu()
{
    const QList<QAction*> actions = m_pMenu->actions();
    const BOOL selected = GetShownGroup() != nullptr;
    const BOOL anyGroup = m_pList->GetItemCount() > 0;
    const BOOL questions = QuestionCount() > 0;
    for (QAction* a : actions) {
        const QString t = a->text();
        if (t == "&Change Group Name" || t == "&Delete")
            a->setEnabled(selected);
        else if (t == "Delete &All")
            a->setEnabled(anyGroup);
        else if (t == "&Add Group Description") {
            a->setEnabled(selected);
            a->setChecked(selected && m_pHasHeader->isChecked());
        } else if (t == "&Create Predefined Groups")
            a->setEnabled(questions);
        else if (t == "&Refresh View")
            a->setEnabled(questions && anyGroup);
    }
}
