#include "views/StatsDlg.h"

#include "foundation/Log.h"
#include "model/CorraQuestion.h"
#include "model/Statistics.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/SysColor.h"
#include "res/ids/QuestionTools.h"
#include "res/ids/QuestionTypes.h"
#include "views/CollListCtrl.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <strings.h>

namespace {

constexpr int kLevels = 7;  // 0 to 6, as every level list offers them

struct CReportLayout {
    int id;
    const char* title;
    std::vector<const char*> columns;
    bool firstIsText;
};

const CReportLayout kLayouts[] = {
    {IDC_STATS_TYPES, "Question Types", {"QType", "Cnt", "Uniq", "ZIdx"}, true},
    {IDC_STATS_LEVELS, "Levels", {"Level", "Cnt"}, false},
    {IDC_STATS_INDEXES, "Indices", {"Index", "Cnt"}, false},
    {IDC_STATS_FREQUENCIES, "Index Frequency", {"Cnt", "Freq"}, false},
    {IDC_STATS_SUBJECTS, "Subjects", {"Subject", "Cnt", "Unique"}, true},
    {IDC_STATS_TEXTBOOKS, "Textbooks", {"Textbook", "Cnt", "Unique"}, true},
    {IDC_STATS_ANSWERS, "MC Answers", {"Ans", "Cnt"}, true},
};

// Names get room; counts and their headings take a narrow column.
int ColumnWidth(const CReportLayout& layout, size_t column)
{
    if (column > 0)
        return 50;
    return layout.firstIsText && layout.id != IDC_STATS_ANSWERS ? 110 : 56;
}

CString Decimal(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

struct CSortKey {
    int key;  // column from 1, times the direction
    bool firstIsText;
};

int CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* a = reinterpret_cast<const CStatsDlg::CRow*>(lParam1);
    const auto* b = reinterpret_cast<const CStatsDlg::CRow*>(lParam2);
    const auto* sort = reinterpret_cast<const CSortKey*>(lParamSort);
    const size_t col = static_cast<size_t>(std::abs(sort->key) - 1);
    const CString x = col < a->texts.size() ? a->texts[col] : CString();
    const CString y = col < b->texts.size() ? b->texts[col] : CString();
    int result;
    if (col == 0 && sort->firstIsText) {
        const int c = strcasecmp(x, y);
        result = (c > 0) - (c < 0);
    } else {
        const long p = std::strtol(x, nullptr, 10), q = std::strtol(y, nullptr, 10);
        result = (p > q) - (p < q);
    }
    return sort->key < 0 ? -result : result;
}

template <typename K>
int Find(const CSerialMap<K, int>& map, const K& key, int def)
{
    int value = def;
    return map.Lookup(key, value) ? value : def;
}

}  // namespace

struct CStatsDlg::CReport {
    const CReportLayout* layout;
    CListCtrl* list;
    std::vector<std::unique_ptr<CRow>> rows;
    int lastColumn = -1;
    int direction = 1;
};

CStatsDlg::CStatsDlg(CWnd* pParent) : CDialog(IDD_STATS_DLG, pParent)
{
    setWindowTitle("Statistics");
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* group = new QGroupBox("Sample Selection", this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(CreateRadioButton(IDC_STATS_ALL, "&All Questions", TRUE));
    groupLayout->addWidget(CreateRadioButton(IDC_STATS_SELECTED, "&Selected Questions"));
    groupLayout->addWidget(CreateRadioButton(IDC_STATS_BY_COLLECTION, "By &Collection"));
    m_pCollections = AddControl(IDC_STATS_COLLECTIONS,
                                new CCollListCtrl(nullptr, this, GetSysColor(COLOR_WINDOW), nullptr, group));
    m_pCollections->setMinimumSize(230, 120);
    groupLayout->addWidget(m_pCollections, 1);
    left->addWidget(group, 1);

    auto* grid = new QGridLayout;
    int n = 0;
    for (const CReportLayout& layout : kLayouts) {
        auto report = std::make_unique<CReport>();
        report->layout = &layout;
        report->list = AddControl(layout.id, new CListCtrl(this));
        report->list->SetSingleSelection(TRUE);
        int width = 0;
        for (size_t c = 0; c < layout.columns.size(); ++c)
            width += ColumnWidth(layout, c);
        report->list->setMinimumSize(width + 6, 110);
        auto* box = new QVBoxLayout;
        box->setSpacing(2);
        box->addWidget(CreateStatic(layout.title, 0, report->list));
        box->addWidget(report->list, 1);
        // The types list stands with the sample; the others in a grid of three columns.
        if (n == 0) {
            left->addLayout(box, 1);
        } else {
            grid->addLayout(box, (n - 1) / 3, (n - 1) % 3);
        }
        const int id = layout.id;
        BindNotify<NMLISTVIEW>(id, LVN_COLUMNCLICK, [this, id](NMLISTVIEW* nm) { OnColumnClick(id, nm->iSubItem); });
        m_reports.push_back(std::move(report));
        ++n;
    }
    layout->addLayout(left, 4);
    auto* right = new QVBoxLayout;
    right->addLayout(grid, 1);
    right->addWidget(CreateButtonBox({IDCLOSE, IDHELP}));
    layout->addLayout(right, 9);

    for (int id : {IDC_STATS_ALL, IDC_STATS_SELECTED, IDC_STATS_BY_COLLECTION})
        BindNotify(id, BN_CLICKED, [this] { OnSampleChanged(); });
    BindNotify(IDC_STATS_COLLECTIONS, NM_CLICK, [this] { OnCollectionClick(); });
    BindNotify(IDCLOSE, BN_CLICKED, [this] { EndDialog(IDCLOSE); });
    resize(820, 560);
}

CStatsDlg::~CStatsDlg()
{
    FreeRows();
}

void CStatsDlg::SetQuestions(const CPtrList& all, const CPtrList* selected, const CStringArray* collections)
{
    m_lAll.RemoveAll();
    m_nQuestions = m_nCollections = 0;
    for (POSITION pos = all.GetHeadPosition(); pos;) {
        void* item = all.GetNext(pos);
        m_lAll.AddTail(item);
        const auto* q = static_cast<const CQuestion*>(item);
        if (q && q->m_nType == static_cast<int>(IDS_QTYPE_CO))
            ++m_nCollections;
        else
            ++m_nQuestions;
    }
    m_lSelected.RemoveAll();
    if (selected)
        for (POSITION pos = selected->GetHeadPosition(); pos;)
            m_lSelected.AddTail(selected->GetNext(pos));
    m_nSelected = m_lSelected.GetCount();
    m_saSelectedBefore.RemoveAll();
    if (collections)
        m_saSelectedBefore.Append(*collections);
    m_saChosen.RemoveAll();
    m_saChosen.Append(m_saSelectedBefore);
}

BOOL CStatsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (auto& report : m_reports) {
        const auto& columns = report->layout->columns;
        for (size_t c = 0; c < columns.size(); ++c)
            report->list->InsertColumn(static_cast<int>(c), columns[c], c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT,
                                       ColumnWidth(*report->layout, c));
    }
    CPtrListEx collections;
    for (POSITION pos = m_lAll.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(m_lAll.GetNext(pos));
        if (q && q->m_nType == static_cast<int>(IDS_QTYPE_CO))
            collections.AddTail(q);
    }
    m_pCollections->SetBkColor(GetSysColor(COLOR_WINDOW));
    m_pCollections->SetViewMode(ODLIST_SMALL_ROWS);
    m_pCollections->InsertQuestions(collections, -1, FALSE);
    m_pCollections->AutoSizeColumns();
    m_nSampleMode = SAMPLE_ALL;
    CheckRadioButton(IDC_STATS_ALL, IDC_STATS_BY_COLLECTION, IDC_STATS_ALL);
    Init(m_lAll);
    UpdateControls();
    return TRUE;
}

void CStatsDlg::OnDestroy()
{
    FreeRows();
    CDialog::OnDestroy();
}

CStatsDlg::CReport* CStatsDlg::Report(int nListId)
{
    for (auto& report : m_reports)
        if (report->layout->id == nListId)
            return report.get();
    return nullptr;
}

void CStatsDlg::FreeRows()
{
    // The items go before their rows, so that none points at a freed row.
    for (auto& report : m_reports) {
        if (report->list)
            report->list->DeleteAllItems();
        report->rows.clear();
    }
}

void CStatsDlg::Fill(CReport& report, std::vector<std::unique_ptr<CRow>> rows)
{
    report.list->DeleteAllItems();
    report.rows = std::move(rows);
    for (auto& row : report.rows) {
        const int item = report.list->InsertItem(report.list->GetItemCount(), row->texts[0]);
        for (size_t c = 1; c < row->texts.size(); ++c)
            report.list->SetItemText(item, static_cast<int>(c), row->texts[c]);
        report.list->SetItemData(item, reinterpret_cast<DWORD_PTR>(row.get()));
    }
    report.lastColumn = -1;
    report.direction = 1;
}

void CStatsDlg::Init(const CPtrList& sample)
{
    FreeRows();
    CStatistics stats(sample);
    int questions = 0;
    for (const auto& [type, count] : stats.m_Types.counts)
        questions += count;
    m_nIndexes = 0;
    for (const auto& [index, count] : stats.m_mIndexCounts)
        if (index != 0)
            ++m_nIndexes;
    m_nZeroIndexes = stats.GetNoIndexCount();

    CString caption = "Statistics: ";
    if (questions > 0)
        caption.AppendFormat("%d questions; ", questions);
    if (m_nIndexes > 0)
        caption.AppendFormat("%d indices; ", m_nIndexes);
    if (m_nZeroIndexes > 0)
        caption.AppendFormat("%d zero indices; ", m_nZeroIndexes);
    SetWindowText(caption);

    auto row = [](std::initializer_list<CString> texts) {
        auto r = std::make_unique<CRow>();
        r->texts.assign(texts.begin(), texts.end());
        return r;
    };
    std::vector<std::unique_ptr<CRow>> rows;

    for (const auto& [type, count] : stats.m_Types.counts)
        rows.push_back(row({LoadStringId(static_cast<UINT>(type)), Decimal(count),
                            Decimal(Find(stats.m_Types.distinctIndexes, type, 0)),
                            Decimal(Find(stats.m_Types.noIndexCounts, type, 0))}));
    Fill(*Report(IDC_STATS_TYPES), std::move(rows));

    rows.clear();
    for (int level = 0; level < kLevels; ++level)
        rows.push_back(row({Decimal(level), Decimal(Find(stats.m_Levels.counts, level, 0))}));
    Fill(*Report(IDC_STATS_LEVELS), std::move(rows));

    rows.clear();
    for (const auto& [index, count] : stats.m_mIndexCounts)
        rows.push_back(row({Decimal(index), Decimal(count)}));
    Fill(*Report(IDC_STATS_INDEXES), std::move(rows));

    rows.clear();
    for (const auto& [k, indexes] : stats.m_mIndexMultiplicity)
        rows.push_back(row({Decimal(k), Decimal(indexes)}));
    Fill(*Report(IDC_STATS_FREQUENCIES), std::move(rows));

    struct Named {
        const CStatDimension<CString>* dim;
        int list;
        const char* failure;
    };
    const Named named[] = {
        {&stats.m_Subjects, IDC_STATS_SUBJECTS, "CStatsDlg::Init() - failed to Lookup unique indicies for subject..."},
        {&stats.m_Textbooks, IDC_STATS_TEXTBOOKS, "CStatsDlg::Init() - failed to Lookup unique indicies for textbook..."},
    };
    for (const Named& n : named) {
        rows.clear();
        for (const auto& [text, count] : n.dim->counts) {
            int unique = 0;
            if (!n.dim->distinctIndexes.Lookup(text, unique)) {
                LogOutput(CString(n.failure) + text, LOG_ERROR, LOG_HERE);
                unique = 0;
            }
            rows.push_back(row({text, Decimal(count), Decimal(unique)}));
        }
        Fill(*Report(n.list), std::move(rows));
    }

    rows.clear();
    for (const auto& [answer, count] : stats.m_mAnswerCounts)
        rows.push_back(row({answer, Decimal(count)}));
    Fill(*Report(IDC_STATS_ANSWERS), std::move(rows));
}

void CStatsDlg::SelectCollections(const CStringArray& names)
{
    m_pCollections->SelectItem(-1, FALSE);
    for (int i = 0; i < names.GetSize(); ++i) {
        const int item = m_pCollections->FindCollectionByName(names[i]);
        if (item >= 0)
            m_pCollections->SelectItem(item, TRUE);
    }
}

void CStatsDlg::OnSampleChanged()
{
    const int checked = GetCheckedRadioButton(IDC_STATS_ALL, IDC_STATS_BY_COLLECTION);
    const int mode = checked == IDC_STATS_SELECTED      ? SAMPLE_SELECTED
                     : checked == IDC_STATS_BY_COLLECTION ? SAMPLE_COLLECTIONS
                                                          : SAMPLE_ALL;
    if (mode == m_nSampleMode)
        return;
    m_nSampleMode = mode;
    switch (mode) {
    case SAMPLE_ALL:
        Init(m_lAll);
        break;
    case SAMPLE_SELECTED:
        SelectCollections(m_saSelectedBefore);
        Init(m_lSelected);
        break;
    default: {
        SelectCollections(m_saChosen);
        CPtrListEx members;
        m_pCollections->GetSelectedQuestions(members);
        Init(members);
        break;
    }
    }
    UpdateControls();
}

void CStatsDlg::OnCollectionClick()
{
    if (m_nSampleMode != SAMPLE_COLLECTIONS)
        return;
    CPtrListEx members;
    m_pCollections->GetSelectedQuestions(members);
    Init(members);
    m_pCollections->GetSelectedNames(m_saChosen);
    UpdateControls();
}

void CStatsDlg::UpdateControls()
{
    EnableDlgItem(IDC_STATS_SELECTED, m_nSelected >= 2);
    EnableDlgItem(IDC_STATS_BY_COLLECTION, m_pCollections->GetItemCount() > 0);
    const BOOL byCollection = m_nSampleMode == SAMPLE_COLLECTIONS;
    m_pCollections->EnableWindow(byCollection);
    m_pCollections->SetBkColor(GetSysColor(byCollection ? COLOR_WINDOW : COLOR_BTNFACE));
    m_pCollections->Invalidate();
}

void CStatsDlg::OnColumnClick(int nListId, int nCol)
{
    CReport* report = Report(nListId);
    if (!report)
        return;
    if (nCol == report->lastColumn) {
        report->direction = -report->direction;
    } else {
        report->lastColumn = nCol;
        report->direction = 1;
    }
    CSortKey key{(nCol + 1) * report->direction, report->layout->firstIsText};
    report->list->SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(&key));
}
