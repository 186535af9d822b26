#include "import/AQFRandCriteria.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Util.h"
#include "import/AddQuestFromSheet.h"
#include "model/CorraDoc.h"
#include "model/QuestSelect.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/SysColor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {

const CAQFCriteriaKind kTypes = {0,
                                 "Question Type Criteria",
                                 "Question Type",
                                 {IDS_AQF_TYPE_HEADING, IDS_AQF_TYPE_UNIQUE, IDS_AQF_TYPE_SELECT, IDS_AQF_TYPE_ONE_ONLY},
                                 "UseCritRadioQType",
                                 "Add questions of any &type",
                                 "Allowed Questions of ANY %s: %d"};
const CAQFCriteriaKind kLevels = {1,
                                  "Question Level Criteria",
                                  "Level",
                                  {IDS_AQF_LEVEL_HEADING, IDS_AQF_LEVEL_UNIQUE, IDS_AQF_LEVEL_SELECT, IDS_AQF_LEVEL_ONE_ONLY},
                                  "UseCritRadioLevel",
                                  "Add questions of any &level",
                                  "Allowed Questions of ANY %s: %d"};
const CAQFCriteriaKind kSubjects = {
    2,
    "Question Subject Criteria",
    "Subject",
    {IDS_AQF_SUBJECT_HEADING, IDS_AQF_SUBJECT_UNIQUE, IDS_AQF_SUBJECT_SELECT, IDS_AQF_SUBJECT_ONE_ONLY},
    "UseCritRadioSubj",
    "Add questions of any &subject",
    "Allowed Questions with ANY %s: %d"};
const CAQFCriteriaKind kTextbooks = {
    3,
    "Question Textbook Criteria",
    "Textbook",
    {IDS_AQF_TEXTBOOK_HEADING, IDS_AQF_TEXTBOOK_UNIQUE, IDS_AQF_TEXTBOOK_SELECT, IDS_AQF_TEXTBOOK_ONE_ONLY},
    "UseCritRadioTextbook",
    "Add questions from any &textbook (or n/a)",
    "Allowed Questions with ANY %s: %d"};

constexpr COLORREF kGreen = 0x008000;
constexpr COLORREF kRed = 0x0000FF;
constexpr UINT_PTR kTotalsTimer = 1;

template <typename K>
int AvailableIn(const CStatDimension<K>& dim, const K& key, BOOL bUnique)
{
    int count = 0;
    dim.counts.Lookup(key, count);
    if (bUnique && count >= 1) {
        int distinct = 0;
        int none = 0;
        dim.distinctIndexes.Lookup(key, distinct);
        dim.noIndexCounts.Lookup(key, none);
        return distinct + none;
    }
    return count;
}

// A count as typed: blanks before it and an empty box are 0.
int ParseRowCount(CString text)
{
    text.TrimLeft();
    return text.IsEmpty() ? 0 : ParseAQFCount(text);
}

} // namespace

CString PercentText(long long value, long long base)
{
    if (base == 0)
        return CString();
    return CString::Formatted("%lld%%", value * 100 / base);
}

CAQFRandCriteriaPage::CAQFRandCriteriaPage() : CAQFRandCriteriaPage(IDD_AQF_RAND_TYPE, kTypes) {}

CAQFRandCriteriaPage::CAQFRandCriteriaPage(UINT nIDTemplate, const CAQFCriteriaKind& kind)
    : CAQFPage(nIDTemplate, "", 0), m_kind(kind)
{
    static const char* const captions[] = {"Select Question Types", "Select Level Of Difficulty", "Select Subjects",
                                           "Select Textbooks"};
    SetCaption(captions[kind.nDim]);
    Build();
    LoadSettings();
}

CAQFRandCriteriaPage::~CAQFRandCriteriaPage() = default;

void CAQFRandCriteriaPage::Build()
{
    m_pInfo->hide();
    m_pTitle = MakePane(IDC_AQF_CRIT_TITLE, 32);
    m_pStatHeading = MakePane(IDC_AQF_STAT_LIST_HEADING, 36);
    m_pCritHeading = MakePane(IDC_AQF_CRIT_LIST_HEADING, 36);
    m_pAnyLine = MakePane(IDC_AQF_CRIT_ANY_LINE, 24);
    m_pOver = MakePane(IDC_AQF_CRIT_OVER, 24);
    m_pTotal = MakePane(IDC_AQF_CRIT_TOTAL, 24);
    m_pStatList = AddControl(IDC_AQF_STAT_LIST, new CListCtrl(this));
    m_pCritList = AddControl(IDC_AQF_CRIT_LIST, new CListCtrl(this));
    for (CListCtrl* list : {m_pStatList, m_pCritList}) {
        list->SetSingleSelection(TRUE);
        list->setMinimumSize(250, 110);
    }
    SetupColumns();
    m_pCount = CreateEdit(IDC_AQF_CRIT_COUNT);
    m_pCount->setMaximumWidth(60);
    m_pSpin = AddControl(IDC_AQF_CRIT_SPIN, new CSpinButtonCtrl(this));
    m_pSpin->SetBuddy(m_pCount);
    m_pSpin->setFixedSize(18, m_pCount->sizeHint().height());

    QVBoxLayout* layout = PageLayout();
    layout->addWidget(m_pTitle);
    auto* radios = new QHBoxLayout;
    radios->addWidget(CreateRadioButton(IDC_AQF_CRIT_ANY, m_kind.anyLabel, TRUE));
    radios->addWidget(CreateRadioButton(IDC_AQF_CRIT_MATCHING, "&Only questions matching the following criteria"));
    radios->addStretch(1);
    layout->addLayout(radios);
    auto* grid = new QGridLayout;
    grid->addWidget(m_pStatHeading, 0, 0);
    grid->addWidget(m_pCritHeading, 0, 1);
    grid->addWidget(m_pStatList, 1, 0);
    grid->addWidget(m_pCritList, 1, 1);
    auto* count = new QHBoxLayout;
    count->addStretch(1);
    count->addWidget(CreateStatic("&Count:", 0, m_pCount));
    count->addWidget(m_pCount);
    count->addWidget(m_pSpin);
    grid->addLayout(count, 2, 1);
    grid->addWidget(CreateButton(IDC_AQF_STATISTICS, "S&tatistics..."), 2, 0, Qt::AlignLeft);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid, 1);
    layout->addWidget(m_pTotal);
    layout->addWidget(m_pAnyLine);
    layout->addWidget(m_pOver);

    BindNotify(IDC_AQF_CRIT_ANY, BN_CLICKED, [this] { SetMatching(FALSE); });
    BindNotify(IDC_AQF_CRIT_MATCHING, BN_CLICKED, [this] { SetMatching(TRUE); });
    BindNotify(IDC_AQF_CRIT_LIST, LVN_ITEMCHANGED, [this] { OnSelectCriteria(); });
    BindNotify(IDC_AQF_CRIT_COUNT, EN_CHANGE, [this] { OnCountChange(); });
    QObject::connect(m_pCount, &QLineEdit::editingFinished, NotifyContext(), [this] { LeaveCountBox(); });
    BindNotify<NMUPDOWN>(IDC_AQF_CRIT_SPIN, UDN_DELTAPOS, [this](NMUPDOWN* pNM) { OnDeltaPos(pNM); });
    BindNotify(IDC_AQF_STATISTICS, BN_CLICKED, [this] {
        CAddQuestFromSheet* pSheet = Sheet();
        if (CDocument* pSource = pSheet ? pSheet->GetSourceDoc() : nullptr)
            pSource->PostCommandToFirstView(ID_AQF_VIEW_STATISTICS);
    });
}

// --- the slots ----------------------------------------------------------------------------------

BOOL CAQFRandCriteriaPage::CheckAvailable(int nCount, const CRow& row)
{
    const int available = AvailableOf(row);
    if (nCount <= available)
        return TRUE;
    CString text;
    switch (m_kind.nDim) {
    case 1: text.Format("Only %d level %d question(s) available.", available, row.nKey); break;
    case 3: text.Format("Only %d question(s) available with textbook %s", available, row.name.GetString()); break;
    default: text.Format("Only %d %s question(s) available.", available, row.name.GetString()); break;
    }
    AfxMessageBox(text);
    return FALSE;
}

int CAQFRandCriteriaPage::GetAvailableByName(const CString& key) const
{
    const CAddQuestFromSheet* pSheet = Sheet();
    const BOOL bUnique = pSheet && pSheet->m_MethodPage.IsUnique();
    switch (m_kind.nDim) {
    case 2: return AvailableIn(m_Stats.m_Subjects, key, bUnique);
    case 3: return AvailableIn(m_Stats.m_Textbooks, key, bUnique);
    default: return 0;
    }
}

int CAQFRandCriteriaPage::GetAvailable(int nKey) const
{
    const CAddQuestFromSheet* pSheet = Sheet();
    const BOOL bUnique = pSheet && pSheet->m_MethodPage.IsUnique();
    switch (m_kind.nDim) {
    case 0: return AvailableIn(m_Stats.m_Types, nKey, bUnique);
    case 1: return AvailableIn(m_Stats.m_Levels, nKey, bUnique);
    default: return 0;
    }
}

int CAQFRandCriteriaPage::GetItemCount() const
{
    switch (m_kind.nDim) {
    case 0: return m_Stats.m_Types.counts.GetCount();
    case 1: return m_Stats.m_Levels.counts.GetCount();
    case 2: return m_Stats.m_Subjects.counts.GetCount();
    default: return m_Stats.m_Textbooks.counts.GetCount();
    }
}

int CAQFRandCriteriaPage::AvailableOf(const CRow& row) const
{
    return HasTextKeys() ? GetAvailableByName(row.csKey) : GetAvailable(row.nKey);
}

BOOL CAQFRandCriteriaPage::CollectCriteria(BOOL bShow, int* pSum, int* pRemainder, int* pPercentSum, int* pLargest)
{
    m_mIntCriteria.Clear();
    m_mTextCriteria.Clear();
    int sum = 0;
    int percentSum = 0;
    int largest = 0;
    BOOL ok = TRUE;
    if (m_bMatching) {
        for (const CRow& row : m_critRows) {
            int count = ParseRowCount(row.count);
            if (count < 0) {
                if (bShow) {
                    AfxMessageBox("Incorrect number of random questions");
                    return FALSE;
                }
                count = 0;
            } else if (bShow && !CheckAvailable(count, row)) {
                return FALSE;
            }
            if (HasTextKeys())
                m_mTextCriteria[row.csKey] = count;
            else
                m_mIntCriteria[row.nKey] = count;
            sum = static_cast<int>(std::min<long long>(INT_MAX, static_cast<long long>(sum) + count));
            if (m_nRequested > 0)
                percentSum += static_cast<int>(static_cast<long long>(count) * 100 / m_nRequested);
            largest = std::max(largest, count);
        }
        if (sum > m_nRequested && bShow) {
            CString text;
            text.Format(LoadStringId(IDS_AQF_CRIT_SUM_OVER), m_nRequested);
            AfxMessageBox(text);
            ok = FALSE;
        }
    }
    const int remainder = m_nRequested - sum;
    // The selection lets anything through on a quota that is not 0: never a negative one.
    if (HasTextKeys())
        m_mTextCriteria[QUOTA_WILD] = std::max(0, remainder);
    else
        m_mIntCriteria[QUOTA_ANY] = std::max(0, remainder);
    if (pSum)
        *pSum = sum;
    if (pRemainder)
        *pRemainder = remainder;
    if (pPercentSum)
        *pPercentSum = percentSum;
    if (pLargest)
        *pLargest = largest;
    return ok;
}

void CAQFRandCriteriaPage::FillRows()
{
    m_statRows.clear();
    m_critRows.clear();
    const long long total = m_Stats.m_plQuestions.GetCount();
    if (total == 0)
        return;
    auto add = [&](int nKey, const CString& csKey, const CString& name) {
        CRow stat;
        stat.nKey = nKey;
        stat.csKey = csKey;
        stat.name = name;
        const int available = HasTextKeys() ? GetAvailableByName(csKey) : GetAvailable(nKey);
        stat.count.Format("%d", available);
        stat.percent = PercentText(available, total);
        m_statRows.push_back(stat);
        CRow crit = stat;
        const long long proposed = static_cast<long long>(m_nRequested) * available / total;
        crit.count.Format("%lld", proposed);
        crit.percent = PercentText(proposed, m_nRequested);
        m_critRows.push_back(crit);
    };
    switch (m_kind.nDim) {
    case 0:
        for (const auto& [key, count] : m_Stats.m_Types.counts)
            add(key, CString(), LoadStringId(static_cast<UINT>(key)));
        break;
    case 1:
        for (const auto& [key, count] : m_Stats.m_Levels.counts)
            add(key, CString(), CString::Formatted("%d", key));
        break;
    case 2:
        for (const auto& [key, count] : m_Stats.m_Subjects.counts)
            add(0, key, key);
        break;
    default:
        for (const auto& [key, count] : m_Stats.m_Textbooks.counts)
            add(0, key, key);
        break;
    }
}

void CAQFRandCriteriaPage::SetupColumns()
{
    for (CListCtrl* list : {m_pStatList, m_pCritList}) {
        list->InsertColumn(0, m_kind.column, LVCFMT_LEFT, 150);
        list->InsertColumn(1, "Count", LVCFMT_RIGHT, 50);
        list->InsertColumn(2, "  ", LVCFMT_RIGHT, 40);
    }
}

void CAQFRandCriteriaPage::LoadSettings()
{
    m_bMatching = CorraApp().GetProfileInt("AQF_RandCrit", m_kind.radioKey, 0) != 0;
    CheckRadioButton(IDC_AQF_CRIT_ANY, IDC_AQF_CRIT_MATCHING, m_bMatching ? IDC_AQF_CRIT_MATCHING : IDC_AQF_CRIT_ANY);
}

void CAQFRandCriteriaPage::SaveSettings()
{
    CorraApp().WriteProfileInt("AQF_RandCrit", m_kind.radioKey, m_bMatching ? 1 : 0);
}

// --- candidates and refresh ---------------------------------------------------------------------

void CAQFRandCriteriaPage::BuildCandidates()
{
    CAddQuestFromSheet* pSheet = Sheet();
    m_Candidates.RemoveAll();
    m_nSourceTotal = 0;
    if (pSheet)
        pSheet->BuildCandidates(m_Candidates, pSheet->m_MethodPage.IsUnique(), FALSE, &m_nSourceTotal);
    m_Stats.Compute(m_Candidates);
    ++m_nBuilds;
}

BOOL CAQFRandCriteriaPage::CheckCandidates(BOOL bShow)
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (m_Candidates.GetCount() >= m_nRequested)
        return TRUE;
    if (bShow && pSheet)
        pSheet->ShowDuplicatesMessage(m_nRequested - m_Candidates.GetCount());
    return FALSE;
}

void CAQFRandCriteriaPage::Refresh()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return;
    CDocument* pSource = pSheet->GetSourceDoc();
    BOOL bOpened = FALSE;
    CDocument* pTarget = pSheet->m_ToDocPage.GetDoc(bOpened, FALSE);
    const int nRequested = pSheet->m_MethodPage.GetRequested();
    const BOOL bUnique = pSheet->m_MethodPage.IsUnique();
    const int nSourceKind = pSheet->GetSourceKind();
    const CString collection = pSheet->GetSourceCollection();
    // Any change on an earlier page that the candidates depend on builds them again.
    const BOOL bChanged = !m_CachedSource.Is(pSource) || !m_CachedTarget.Is(pTarget) || nRequested != m_nCachedRequested ||
                          bUnique != m_bCachedUnique || nSourceKind != m_nCachedSourceKind ||
                          collection != m_csCachedCollection || (pSource == nullptr);
    if (bChanged) {
        m_CachedSource.Reset(pSource);
        m_CachedTarget.Reset(pTarget);
        m_nCachedRequested = nRequested;
        m_bCachedUnique = bUnique;
        m_nCachedSourceKind = nSourceKind;
        m_csCachedCollection = collection;
        m_nRequested = nRequested;
        BuildCandidates();
    }
    CheckCandidates(TRUE);
    if (bChanged) {
        FillRows();
        FillLists();
    }
    const CString title = pSource ? pSource->GetTitle() : CString();
    CString heading;
    heading.Format(LoadStringId(m_kind.headingIds[bUnique ? 1 : 0]), title.GetString(),
                   bUnique ? m_nSourceTotal : m_Stats.m_plQuestions.GetCount());
    m_pStatHeading->SetPaneText(heading);
    if (GetItemCount() > 1)
        heading.Format(LoadStringId(m_kind.headingIds[2]), m_nRequested);
    else
        heading = LoadStringId(m_kind.headingIds[3]);
    m_pCritHeading->SetPaneText(heading);
    m_pSpin->SetRange(0, m_nRequested);
    UpdateControls();
}

void CAQFRandCriteriaPage::FillLists()
{
    for (auto [list, rows] : {std::pair{m_pStatList, &m_statRows}, std::pair{m_pCritList, &m_critRows}}) {
        list->DeleteAllItems();
        std::vector<CListCtrl::CRow> out;
        out.reserve(rows->size());
        for (const CRow& row : *rows)
            out.push_back({{row.name, row.count, row.percent}});
        list->AppendRows(out);
    }
    if (m_bMatching && !m_critRows.empty())
        SelectRow(0);
}

// --- editing ------------------------------------------------------------------------------------

int CAQFRandCriteriaPage::SelectedRow() const
{
    return m_pCritList->GetNextItem(-1, LVNI_SELECTED);
}

void CAQFRandCriteriaPage::SelectRow(int nRow)
{
    if (nRow < 0 || nRow >= m_pCritList->GetItemCount())
        return;
    m_pCritList->SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    OnSelectCriteria();
}

void CAQFRandCriteriaPage::OnSelectCriteria()
{
    const int row = SelectedRow();
    if (row >= 0 && row < static_cast<int>(m_critRows.size())) {
        m_bSettingCount = TRUE;
        m_pCount->setText(ToQString(m_critRows[static_cast<size_t>(row)].count));
        m_bSettingCount = FALSE;
        m_csLastGoodCount = m_critRows[static_cast<size_t>(row)].count;
        m_pStatList->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    UpdateControls();
}

void CAQFRandCriteriaPage::SetRowCount(int nRow, int nCount)
{
    CRow& row = m_critRows[static_cast<size_t>(nRow)];
    row.count.Format("%d", nCount);
    row.percent = PercentText(nCount, m_nRequested);
    m_pCritList->SetItemText(nRow, 1, row.count);
    m_pCritList->SetItemText(nRow, 2, row.percent);
}

void CAQFRandCriteriaPage::TypeCount(const char* text)
{
    m_pCount->setText(ToQString(text));
}

void CAQFRandCriteriaPage::OnCountChange()
{
    if (m_bSettingCount)
        return;
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_critRows.size()))
        return;
    CString text = FromQString(m_pCount->text());
    text.TrimLeft();
    CRow& r = m_critRows[static_cast<size_t>(row)];
    r.count = text.IsEmpty() ? CString("0") : text;
    const int count = ParseRowCount(text);
    r.percent = count >= 0 ? PercentText(count, m_nRequested) : CString();
    m_pCritList->SetItemText(row, 1, r.count);
    m_pCritList->SetItemText(row, 2, r.percent);
}

BOOL CAQFRandCriteriaPage::LeaveCountBox()
{
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_critRows.size()) || !m_bMatching)
        return TRUE;
    const int count = ParseRowCount(FromQString(m_pCount->text()));
    BOOL ok = TRUE;
    if (count < 0 || count > m_nRequested) {
        AfxMessageBox(CString::Formatted("Please enter a number from 0 to %d.", m_nRequested));
        ok = FALSE;
    } else if (!CheckAvailable(count, m_critRows[static_cast<size_t>(row)])) {
        ok = FALSE;
    }
    if (!ok) {
        // The last count that was accepted comes back.
        m_pCount->setText(ToQString(m_csLastGoodCount));
        return FALSE;
    }
    m_csLastGoodCount.Format("%d", count);
    return TRUE;
}

BOOL CAQFRandCriteriaPage::Spin(int nDelta)
{
    NMUPDOWN nm;
    nm.iDelta = nDelta;
    OnDeltaPos(&nm);
    return nm.lResult == 0 ? FALSE : TRUE;
}

void CAQFRandCriteriaPage::OnDeltaPos(NMUPDOWN* pNM)
{
    // The page moves the count itself: the spin's own position plays no part.
    pNM->lResult = 1;
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_critRows.size()))
        return;
    const int count = ParseRowCount(FromQString(m_pCount->text()));
    if (count < 0)
        return;
    const long long next = static_cast<long long>(count) + pNM->iDelta;
    if (next < 0 || next > m_nRequested || !CheckAvailable(static_cast<int>(next), m_critRows[static_cast<size_t>(row)]))
        return;
    m_bSettingCount = TRUE;
    m_pCount->setText(ToQString(CString::Formatted("%lld", next)));
    m_bSettingCount = FALSE;
    SetRowCount(row, static_cast<int>(next));
    m_csLastGoodCount.Format("%lld", next);
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->m_bResultsStale = TRUE;
}

void CAQFRandCriteriaPage::SetMatching(BOOL bMatching)
{
    m_bMatching = bMatching;
    CheckRadioButton(IDC_AQF_CRIT_ANY, IDC_AQF_CRIT_MATCHING, bMatching ? IDC_AQF_CRIT_MATCHING : IDC_AQF_CRIT_ANY);
    if (bMatching) {
        if (SelectedRow() < 0 && !m_critRows.empty())
            SelectRow(0);
    } else {
        for (int i = 0; i < m_pCritList->GetItemCount(); ++i)
            m_pCritList->SetItemState(i, 0, LVIS_SELECTED);
    }
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->m_bResultsStale = TRUE;
    UpdateControls();
}

void CAQFRandCriteriaPage::UpdateControls()
{
    EnableDlgItem(IDC_AQF_CRIT_LIST, m_bMatching);
    const BOOL bCount = m_bMatching && m_pCritList->GetItemCount() > 1 && SelectedRow() >= 0;
    EnableDlgItem(IDC_AQF_CRIT_COUNT, bCount);
    EnableDlgItem(IDC_AQF_CRIT_SPIN, bCount);
    m_pCritHeading->setVisible(m_bMatching);
}

void CAQFRandCriteriaPage::UpdateTotals()
{
    int sum = 0;
    int remainder = 0;
    int percentSum = 0;
    int largest = 0;
    CollectCriteria(FALSE, &sum, &remainder, &percentSum, &largest);
    if (remainder >= 1) {
        m_pAnyLine->SetPaneText(CString::Formatted(m_kind.anyLine, m_kind.column, remainder));
        m_pAnyLine->show();
    } else {
        m_pAnyLine->hide();
    }
    if (sum > m_nRequested) {
        m_pOver->SetPaneText(CString::Formatted("Total (%d) exceeds required question count (%d).", sum, m_nRequested));
        m_pOver->show();
    } else {
        m_pOver->hide();
    }
    if (sum == m_nRequested)
        percentSum = 100;
    m_pTotal->SetPaneText(CString::Formatted("Total:       %-2d       %d%%", sum, percentSum));
}

// --- the page's life ----------------------------------------------------------------------------

BOOL CAQFRandCriteriaPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    m_pTitle->Init(0, AQF_INFO_COLOR, 0, face);
    m_pTitle->SetPaneText(m_kind.title);
    for (CInfoRichEdit* p : {m_pStatHeading, m_pCritHeading, m_pTotal})
        p->Init(2, AQF_INFO_COLOR, 0, face);
    m_pAnyLine->Init(2, kGreen, 0, face);
    m_pOver->Init(2, kRed, 0, face);
    m_pAnyLine->hide();
    m_pOver->hide();
    CheckRadioButton(IDC_AQF_CRIT_ANY, IDC_AQF_CRIT_MATCHING, m_bMatching ? IDC_AQF_CRIT_MATCHING : IDC_AQF_CRIT_ANY);
    SetTimer(kTotalsTimer, 500);
    return TRUE;
}

BOOL CAQFRandCriteriaPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    Refresh();
    UpdateTotals();
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void CAQFRandCriteriaPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTotalsTimer)
        UpdateTotals();
}

void CAQFRandCriteriaPage::OnDestroy()
{
    SaveSettings();
    CAQFPage::OnDestroy();
}

LRESULT CAQFRandCriteriaPage::OnWizardNext()
{
    if (!LeaveCountBox() || !CheckCandidates(TRUE) || !CollectCriteria(TRUE, nullptr, nullptr, nullptr, nullptr))
        return -1;
    PushThisPage();
    static const UINT next[] = {IDD_AQF_RAND_LEVEL, IDD_AQF_RAND_SUBJECT, IDD_AQF_RAND_TEXTBOOK, IDD_AQF_RAND_RESULTS};
    return next[m_kind.nDim];
}

CAQFRandCriteriaLevelPage::CAQFRandCriteriaLevelPage() : CAQFRandCriteriaPage(IDD_AQF_RAND_LEVEL, kLevels) {}

CAQFRandCriteriaSubjPage::CAQFRandCriteriaSubjPage() : CAQFRandCriteriaPage(IDD_AQF_RAND_SUBJECT, kSubjects) {}

CAQFRandCriteriaSubjPage::CAQFRandCriteriaSubjPage(UINT nIDTemplate, const CAQFCriteriaKind& kind)
    : CAQFRandCriteriaPage(nIDTemplate, kind)
{
}

CAQFRandCriteriaTextbookPage::CAQFRandCriteriaTextbookPage() : CAQFRandCriteriaSubjPage(IDD_AQF_RAND_TEXTBOOK, kTextbooks)
{
}
