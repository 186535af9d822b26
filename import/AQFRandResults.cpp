#include "import/AQFRandResults.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "import/AQFRandCriteria.h"
#include "import/AddQuestFromSheet.h"
#include "platform/core/Services.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/SysColor.h"

#include <QBitmap>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

const QColor kMagenta(255, 0, 255);

// The three row pictures, painted on magenta, which shows through.
QIcon RowIcon(int nKind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(kMagenta);
    {
        QPainter p(&pixmap);
        if (nKind == CAQFShowRandResults::rowHeading) {
            p.fillRect(QRect(1, 3, 14, 10), QColor(28, 42, 116));
            p.fillRect(QRect(3, 5, 10, 2), Qt::white);
            p.fillRect(QRect(3, 9, 7, 2), Qt::white);
        } else if (nKind == CAQFShowRandResults::rowItem) {
            p.setPen(QColor(28, 42, 116));
            p.setBrush(QColor(120, 170, 230));
            p.drawEllipse(QRect(5, 5, 6, 6));
        }
    }
    pixmap.setMask(pixmap.createMaskFromColor(kMagenta));
    return QIcon(pixmap);
}

CString Count(int n)
{
    return CString::Formatted("%d", n);
}

} // namespace

CAQFShowRandResults::CAQFShowRandResults() : CAQFPage(IDD_AQF_RAND_RESULTS, "Results", 0)
{
    m_pInfo->hide();
    m_pTitle = MakePane(IDC_AQF_RES_TITLE, 32);
    m_pAvailable = MakePane(IDC_AQF_RES_AVAILABLE, 24);
    m_pMet = MakePane(IDC_AQF_RES_MET, 24);
    m_pList = AddControl(IDC_AQF_RES_LIST, new CListCtrl(this));
    m_pList->SetGridLines(TRUE);
    m_pList->setMinimumSize(440, 200);
    static const struct {
        const char* title;
        int width;
    } columns[] = {{"Criteria Item", 110}, {"Avail", 45}, {"  ", 48}, {"Req", 45},     {"  ", 48},
                   {"Found", 50},          {"  ", 48},    {"Missing", 60}, {"  ", 48}};
    int c = 0;
    for (const auto& column : columns) {
        m_pList->InsertColumn(c, column.title, c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT, column.width);
        ++c;
    }
    m_pList->SetImageList({RowIcon(rowHeading), RowIcon(rowItem), RowIcon(rowBlank)});
    QVBoxLayout* layout = PageLayout();
    layout->addWidget(m_pTitle);
    auto* panes = new QHBoxLayout;
    panes->addWidget(m_pAvailable);
    panes->addWidget(m_pMet);
    layout->addLayout(panes);
    layout->addWidget(m_pList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_AQF_APPLY_AGAIN, "Apply &Again"));
    buttons->addWidget(CreateButton(IDC_AQF_LOG, "&Log..."));
    buttons->addWidget(CreateButton(IDC_AQF_STATISTICS, "S&tatistics..."));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    BindNotify(IDC_AQF_APPLY_AGAIN, BN_CLICKED, [this] { ApplyAgain(); });
    BindNotify(IDC_AQF_LOG, BN_CLICKED, [] { ViewAQFLog(); });
    BindNotify(IDC_AQF_STATISTICS, BN_CLICKED, [this] {
        CAddQuestFromSheet* pSheet = Sheet();
        if (CDocument* pSource = pSheet ? pSheet->GetSourceDoc() : nullptr)
            pSource->PostCommandToFirstView(ID_AQF_VIEW_STATISTICS);
    });
}

CAQFShowRandResults::~CAQFShowRandResults() = default;

CString CAQFShowRandResults::TabPad(int n, int w)
{
    const int tabs = 1 + std::min(std::max(w / 8 - n / 8, 0), 3);
    return CString('\t', tabs);
}

BOOL CAQFShowRandResults::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    m_pTitle->Init(0, AQF_INFO_COLOR, 0, face);
    m_pTitle->SetPaneText("Random Results");
    m_pAvailable->Init(2, AQF_INFO_COLOR, 0, face);
    m_pMet->Init(2, AQF_INFO_COLOR, 0, face);
    return TRUE;
}

BOOL CAQFShowRandResults::CInputs::operator==(const CInputs& other) const
{
    return nRequested == other.nRequested && bUnique == other.bUnique && candidates == other.candidates &&
           target.Get() == other.target.Get() && types.map() == other.types.map() &&
           levels.map() == other.levels.map() && subjects.map() == other.subjects.map() &&
           textbooks.map() == other.textbooks.map();
}

CAQFShowRandResults::CInputs CAQFShowRandResults::CurrentInputs() const
{
    CInputs in;
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return in;
    in.nRequested = pSheet->m_MethodPage.GetRequested();
    in.bUnique = pSheet->m_MethodPage.IsUnique();
    const CPtrListEx& candidates = pSheet->m_RandTypePage.GetCandidates();
    for (POSITION pos = candidates.GetHeadPosition(); pos;)
        in.candidates.push_back(candidates.GetNext(pos));
    BOOL bOpened = FALSE;
    in.target.Reset(pSheet->m_ToDocPage.GetDoc(bOpened, FALSE));
    // A page that never collected its criteria asks for nothing in particular.
    auto ints = [&](const CIntIntMap& page, CIntIntMap& out) {
        out.map() = page.map();
        if (out.IsEmpty())
            out[QUOTA_ANY] = in.nRequested;
    };
    auto texts = [&](const CStringIntMap& page, CStringIntMap& out) {
        out.map() = page.map();
        if (out.IsEmpty())
            out[QUOTA_WILD] = in.nRequested;
    };
    ints(pSheet->m_RandTypePage.GetIntCriteria(), in.types);
    ints(pSheet->m_RandLevelPage.GetIntCriteria(), in.levels);
    texts(pSheet->m_RandSubjectPage.GetTextCriteria(), in.subjects);
    texts(pSheet->m_RandTextbookPage.GetTextCriteria(), in.textbooks);
    return in;
}

BOOL CAQFShowRandResults::OnSetActive()
{
    CAQFPage::OnSetActive();
    CAddQuestFromSheet* pSheet = Sheet();
    // A draw is made again whenever anything it depends on changed since the last one.
    if (!m_bRan || (pSheet && pSheet->m_bResultsStale) || !(CurrentInputs() == m_lastInputs))
        ApplyAgain();
    if (pSheet)
        pSheet->m_bResultsStale = FALSE;
    SetButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

BOOL CAQFShowRandResults::ApplyAgain()
{
    try {
        Run();
        BuildRows();
        FillListAndReport();
        return TRUE;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

void CAQFShowRandResults::Run()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return;
    m_lastInputs = CurrentInputs();
    m_bRan = TRUE;
    ++m_nRuns;
    m_Select.Init(pSheet->m_RandTypePage.GetCandidates(), m_lastInputs.nRequested, m_lastInputs.bUnique);
    m_Select.m_mTypeQuotas.map() = m_lastInputs.types.map();
    m_Select.m_mLevelQuotas.map() = m_lastInputs.levels.map();
    m_Select.m_mSubjectQuotas.map() = m_lastInputs.subjects.map();
    m_Select.m_mTextbookQuotas.map() = m_lastInputs.textbooks.map();
    m_Select.m_bByType = m_Select.m_bByLevel = m_Select.m_bBySubject = m_Select.m_bByTextbook = TRUE;
    ResetAQFLog();
    FILE* trace = OpenAQFLog();
    m_Select.m_pTrace = trace;
    m_Select.Run(&pSheet->m_RandLevelPage.GetStatistics());
    m_Select.m_pTrace = nullptr;
    CloseAQFLog(trace);
    pSheet->m_RandomSelection.RemoveAll();
    for (POSITION pos = m_Select.m_plResult.GetHeadPosition(); pos;)
        pSheet->m_RandomSelection.AddTail(m_Select.m_plResult.GetNext(pos));
}

void CAQFShowRandResults::BuildRows()
{
    m_rows.clear();
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return;
    const int nRequested = m_lastInputs.nRequested;
    const int nCandidates = static_cast<int>(m_lastInputs.candidates.size());
    m_pAvailable->SetPaneText(CString::Formatted("%d Available", nCandidates));
    m_pMet->SetPaneText(CString::Formatted("Requirements Met out of %d", nRequested));
    const char* headings[] = {"Type", "Level", "Subject", "Textbook"};
    CAQFRandCriteriaPage* pages[] = {&pSheet->m_RandTypePage, &pSheet->m_RandLevelPage, &pSheet->m_RandSubjectPage,
                                     &pSheet->m_RandTextbookPage};
    const CIntIntMap* intQuotas[] = {&m_Select.m_mTypeQuotas, &m_Select.m_mLevelQuotas};
    const CStringIntMap* textQuotas[] = {&m_Select.m_mSubjectQuotas, &m_Select.m_mTextbookQuotas};
    const CIntIntMap* intCriteria[] = {&m_lastInputs.types, &m_lastInputs.levels};
    const CStringIntMap* textCriteria[] = {&m_lastInputs.subjects, &m_lastInputs.textbooks};
    auto itemRow = [&](const CString& name, const CString& available, const CString& availablePct, int required,
                       int missing) {
        CResultRow row;
        row.nKind = rowItem;
        // What an item's own quota took: the selection counts questions charged to "any" too.
        const int found = required - missing;
        row.texts[0] = name;
        row.texts[1] = available;
        row.texts[2] = availablePct;
        row.texts[3] = Count(required);
        row.texts[4] = PercentText(required, nRequested);
        row.texts[5] = Count(found);
        row.texts[6] = PercentText(found, nRequested);
        row.texts[7] = Count(missing);
        row.texts[8] = PercentText(missing, nRequested);
        m_rows.push_back(row);
    };
    for (int d = 0; d < 4; ++d) {
        if (d > 0)
            m_rows.push_back({rowBlank, {}});
        CResultRow heading;
        heading.nKind = rowHeading;
        heading.texts[0] = headings[d];
        m_rows.push_back(heading);
        if (nCandidates == 0)
            continue;
        CAQFRandCriteriaPage* page = pages[d];
        const BOOL bText = d >= 2;
        if (page->IsMatching()) {
            for (const CAQFRandCriteriaPage::CRow& stat : page->GetStatRows()) {
                int required = 0;
                int missing = 0;
                if (bText) {
                    textCriteria[d - 2]->Lookup(stat.csKey, required);
                    textQuotas[d - 2]->Lookup(stat.csKey, missing);
                } else {
                    intCriteria[d]->Lookup(stat.nKey, required);
                    intQuotas[d]->Lookup(stat.nKey, missing);
                }
                const int available = page->AvailableOf(stat);
                itemRow(stat.name, Count(available), PercentText(available, nCandidates), required, missing);
            }
        }
        int any = 0;
        int anyLeft = 0;
        if (bText) {
            textCriteria[d - 2]->Lookup(QUOTA_WILD, any);
            textQuotas[d - 2]->Lookup(QUOTA_WILD, anyLeft);
        } else {
            intCriteria[d]->Lookup(QUOTA_ANY, any);
            intQuotas[d]->Lookup(QUOTA_ANY, anyLeft);
        }
        if (any > 0)
            itemRow("Any", CString(), CString(), any, anyLeft);
    }
}

void CAQFShowRandResults::FillListAndReport()
{
    FILE* report = OpenAQFLog();
    m_pList->DeleteAllItems();
    int width = 0;
    for (const CResultRow& row : m_rows)
        width = std::max(width, row.texts[0].GetLength());
    // Item texts are arguments, never formats: a subject may hold a "%".
    static const char kItemFormat[] = "%s%s%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n";
    if (report) {
        std::fprintf(report, kItemFormat, "Item", TabPad(4, width).GetString(), "Avail", "", "Req", "", "Found", "",
                     "Missing", "");
        std::fprintf(report, "%s\n", CString('-', 150).GetString());
    }
    std::vector<CListCtrl::CRow> rows;
    for (const CResultRow& row : m_rows) {
        if (report) {
            if (row.nKind == rowHeading)
                std::fprintf(report, "%-13s\n", row.texts[0].GetString());
            else if (row.nKind == rowBlank)
                std::fprintf(report, "\n");
            else
                std::fprintf(report, kItemFormat, row.texts[0].GetString(),
                             TabPad(row.texts[0].GetLength(), width).GetString(), row.texts[1].GetString(),
                             row.texts[2].GetString(), row.texts[3].GetString(), row.texts[4].GetString(),
                             row.texts[5].GetString(), row.texts[6].GetString(), row.texts[7].GetString(),
                             row.texts[8].GetString());
        }
        CListCtrl::CRow out;
        out.texts.assign(std::begin(row.texts), std::end(row.texts));
        out.image = row.nKind;
        rows.push_back(out);
    }
    m_pList->AppendRows(rows);
    CloseAQFLog(report);
}

BOOL CAQFShowRandResults::OnWizardFinish()
{
    CAddQuestFromSheet* pSheet = Sheet();
    return pSheet && pSheet->CanFinish();
}
