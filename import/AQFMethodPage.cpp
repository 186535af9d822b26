#include "import/AQFMethodPage.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileUtil.h"
#include "foundation/Util.h"
#include "import/AddQuestFromSheet.h"
#include "model/CorraDoc.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>

namespace {

const char* SourceKindName(int nKind)
{
    switch (nKind) {
    case AQF_FROM_EXAM: return "Exam";
    case AQF_FROM_COLLECTION: return "Collection";
    default: return "Question Corra";
    }
}

const char* TargetKindName(int nKind)
{
    switch (nKind) {
    case AQF_TO_EXAM: return "Exam";
    case AQF_TO_COLLECTION: return "Collection";
    default: return "Question Corra";
    }
}

CString NormalPath(const CString& path)
{
    CString whole;
    SplitPath(path, nullptr, nullptr, nullptr, nullptr, &whole);
    return whole.IsEmpty() ? path : whole;
}

} // namespace

CAQFChooseMethodPage::CAQFChooseMethodPage() : CAQFPage(IDD_AQF_METHOD, "Choose Method", 0)
{
    m_nMethod = CorraApp().GetProfileInt("AQF", "Method", AQF_METHOD_MANUAL);
    if (m_nMethod < AQF_METHOD_MANUAL || m_nMethod > AQF_METHOD_RANDOM)
        m_nMethod = AQF_METHOD_MANUAL;
    m_pInfo->hide();
    auto pane = [this](int nID, int nHeight) {
        CInfoRichEdit* p = MakePane(nID, nHeight);
        PageLayout()->addWidget(p);
        return p;
    };
    m_pFrom = pane(IDC_AQF_COPYING_FROM, 40);
    m_pCollection = pane(IDC_AQF_FROM_COLL_LINE, 22);
    m_pCounts = pane(IDC_AQF_COUNTS, 52);
    m_pTo = pane(IDC_AQF_ADDING_TO, 40);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateRadioButton(IDC_AQF_MANUAL, "Add Questions &Manually", TRUE), 0, 0, 1, 3);
    grid->addWidget(CreateRadioButton(IDC_AQF_ALL, "Add &All Questions"), 1, 0, 1, 3);
    grid->addWidget(CreateRadioButton(IDC_AQF_RANDOM, "Auto &Random"), 2, 0, 1, 3);
    m_pCount = CreateEdit(IDC_AQF_RANDOM_COUNT);
    m_pCount->setMaximumWidth(80);
    grid->addWidget(CreateStatic("&Number of random questions to add", IDC_AQF_RANDOM_COUNT_LABEL, m_pCount), 3, 1);
    grid->addWidget(m_pCount, 3, 2);
    grid->addWidget(CreateCheckBox(IDC_AQF_UNIQUE, "Maintain &unique indices"), 4, 1, 1, 2);
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(3, 1);
    PageLayout()->addLayout(grid);
    PageLayout()->addStretch(1);
    const int ids[] = {IDC_AQF_MANUAL, IDC_AQF_ALL, IDC_AQF_RANDOM};
    for (int m = 0; m < 3; ++m) {
        BindNotify(ids[m], BN_CLICKED, [this, m] {
            m_nMethod = m;
            Refresh();
        });
    }
    BindNotify(IDC_AQF_UNIQUE, BN_CLICKED, [this] { m_bUnique = IsDlgButtonChecked(IDC_AQF_UNIQUE); });
    BindNotify(IDC_AQF_RANDOM_COUNT, EN_CHANGE, [this] {
        if (m_bSettingCount)
            return;
        m_csCount = FromQString(m_pCount->text());
        m_nRequested = std::max(0, ParseAQFCount(m_csCount));
        Refresh();
    });
}

CAQFChooseMethodPage::~CAQFChooseMethodPage()
{
    CorraApp().WriteProfileInt("AQF", "Method", m_nMethod);
    CorraApp().WriteProfileInt("Exams", "NumQuestCreate", m_nRequested);
}

void CAQFChooseMethodPage::SetMethod(int nMethod)
{
    if (nMethod < AQF_METHOD_MANUAL || nMethod > AQF_METHOD_RANDOM)
        return;
    m_nMethod = nMethod;
    CheckRadioButton(IDC_AQF_MANUAL, IDC_AQF_RANDOM, nMethod == 0 ? IDC_AQF_MANUAL : nMethod == 1 ? IDC_AQF_ALL : IDC_AQF_RANDOM);
    if (IsPageMade())
        Refresh();
}

void CAQFChooseMethodPage::SetUnique(BOOL bUnique)
{
    m_bUnique = bUnique;
    CheckDlgButton(IDC_AQF_UNIQUE, bUnique);
}

void CAQFChooseMethodPage::TypeCount(const char* text)
{
    m_pCount->setText(ToQString(text));
}

BOOL CAQFChooseMethodPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    m_pFrom->Init(2, AQF_INFO_COLOR, 0, face);
    m_pCollection->Init(2, AQF_INFO_COLOR, 0, face);
    m_pCounts->Init(2, AQF_INFO_COLOR, 0, face);
    m_pTo->Init(2, AQF_INFO_COLOR, 0, face);
    const CAddQuestFromSheet* pSheet = Sheet();
    m_bUnique = pSheet && pSheet->GetTargetKind() == AQF_TO_EXAM;
    CheckDlgButton(IDC_AQF_UNIQUE, m_bUnique);
    SetMethod(m_nMethod);
    m_bSettingCount = TRUE;
    m_pCount->setText(ToQString(CString::Formatted("%d", m_nRequested)));
    m_csCount = FromQString(m_pCount->text());
    m_bSettingCount = FALSE;
    return TRUE;
}

void CAQFChooseMethodPage::Count()
{
    CAddQuestFromSheet* pSheet = Sheet();
    m_nAvailable = m_nUniqueIndices = m_nZeroIndices = 0;
    if (!pSheet)
        return;
    auto* pSource = dynamic_cast<CCorraDoc*>(pSheet->m_FromDocPage.GetDoc());
    if (!pSource)
        return;
    const BOOL bCollection = pSheet->GetSourceKind() == AQF_FROM_COLLECTION;
    const CString name = bCollection ? pSheet->m_FromCollectionPage.GetCollectionName() : CString();
    if (bCollection) {
        CCorraQuestion* pColl = pSource->FindCollection(name);
        CPtrListEx members;
        if (pColl)
            m_nAvailable = GetCollectionQuestions(pColl, members);
    } else {
        CPtrListEx questions;
        m_nAvailable = GetDocQuestions(pSource, questions);
    }
    m_nUniqueIndices = pSource->GetStatisticsTotal(bCollection ? static_cast<LPCSTR>(name) : nullptr);
    m_nZeroIndices = pSource->GetStatisticsLastTotal(bCollection ? static_cast<LPCSTR>(name) : nullptr);
    if (m_nZeroIndices > 0)
        --m_nUniqueIndices;
}

BOOL CAQFChooseMethodPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    CAddQuestFromSheet* pSheet = Sheet();
    Count();
    const int nTarget = pSheet ? pSheet->GetTargetKind() : -1;
    auto* pSource = pSheet ? dynamic_cast<CCorraDoc*>(pSheet->m_FromDocPage.GetDoc()) : nullptr;
    if (nTarget == AQF_TO_EXAM && pSource) {
        const CString key = pSource->GetPathName().IsEmpty() ? pSource->GetTitle() : pSource->GetPathName();
        if (!m_checkedSources.Contains(key)) {
            CPtrListEx invalid;
            CString summary;
            if (!pSource->FindInvalidQuestions(invalid, summary)) {
                AfxMessageBox(summary.IsEmpty() ? CString("Some questions were found to be incomplete or invalid.")
                                                : "The following problems were found:\n\n" + summary);
            }
            m_checkedSources.Insert(key, 1);
        }
    }
    if (nTarget != m_nLastTargetKind) {
        m_nLastTargetKind = nTarget;
        SetUnique(nTarget == AQF_TO_EXAM);
    }
    Refresh();
    return TRUE;
}

void CAQFChooseMethodPage::Refresh()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet || !IsPageMade())
        return;
    const int nSource = pSheet->GetSourceKind();
    const int nTarget = pSheet->GetTargetKind();
    m_pFrom->SetPaneText(CString::Formatted("Copying from %s\n", SourceKindName(nSource)));
    m_pFrom->Append(NormalPath(pSheet->m_FromDocPage.GetPathName()), 8, AQF_BLUE);
    if (nSource == AQF_FROM_COLLECTION) {
        m_pCollection->SetPaneText("Collection: ");
        m_pCollection->Append(pSheet->m_FromCollectionPage.GetCollectionName(), -1, AQF_BLUE);
        m_pCollection->show();
    } else {
        // The counts move up into its place.
        m_pCollection->hide();
    }
    CString counts;
    counts.Format(LoadStringId(IDS_AQF_COUNTS), m_nAvailable, m_nUniqueIndices, m_nZeroIndices);
    m_pCounts->SetPaneText(counts);
    m_pTo->SetPaneText(CString::Formatted("Adding to %s\n", TargetKindName(nTarget)));
    m_pTo->Append(NormalPath(pSheet->m_ToDocPage.GetPathName()), 8, AQF_BLUE);
    const BOOL bRandom = m_nMethod == AQF_METHOD_RANDOM;
    EnableDlgItem(IDC_AQF_RANDOM_COUNT, bRandom);
    EnableDlgItem(IDC_AQF_RANDOM_COUNT_LABEL, bRandom);
    if (nTarget == AQF_TO_EXAM && !m_bUnique)
        SetUnique(TRUE);
    EnableDlgItem(IDC_AQF_UNIQUE, m_nMethod != AQF_METHOD_MANUAL && nTarget != AQF_TO_EXAM);
    SetButtons(bRandom ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK | PSWIZB_FINISH);
}

BOOL CAQFChooseMethodPage::Validate()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return FALSE;
    if (m_nMethod == AQF_METHOD_RANDOM) {
        const int n = ParseAQFCount(m_csCount);
        if (n < 0) {
            AfxMessageBox("Incorrect number of random questions");
            GotoDlgCtrl(m_pCount);
            return FALSE;
        }
        if (n == 0) {
            AfxMessageBox("Number of random questions must be greater than 0.");
            GotoDlgCtrl(m_pCount);
            return FALSE;
        }
        m_nRequested = n;
        // A count too large for a number is above any available count too.
        if (m_nAvailable > 0 && n > m_nAvailable) {
            CString text;
            text.Format(LoadStringId(IDS_AQF_TOO_MANY_RANDOM), m_nAvailable);
            AfxMessageBox(text);
            GotoDlgCtrl(m_pCount);
            return FALSE;
        }
        if (m_bUnique && m_nAvailable > 0 && n > m_nUniqueIndices + m_nZeroIndices) {
            CString text;
            text.Format(LoadStringId(IDS_AQF_TOO_FEW_UNIQUE), m_nUniqueIndices);
            AfxMessageBox(text);
            GotoDlgCtrl(m_pCount);
            return FALSE;
        }
        // Only a random draw asks for a number of the candidates; the other methods take
        // whatever the source holds.
        CPtrListEx candidates;
        const int nCandidates = pSheet->BuildCandidates(candidates, m_bUnique, m_bUnique);
        if (nCandidates < n) {
            pSheet->ShowDuplicatesMessage(n - nCandidates);
            return FALSE;
        }
    }
    return TRUE;
}

LRESULT CAQFChooseMethodPage::OnWizardNext()
{
    if (m_nMethod != AQF_METHOD_RANDOM || !Validate())
        return -1;
    PushThisPage();
    return IDD_AQF_RAND_TYPE;
}

BOOL CAQFChooseMethodPage::OnWizardFinish()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet || m_nMethod == AQF_METHOD_RANDOM || !Validate())
        return FALSE;
    if (m_nMethod == AQF_METHOD_MANUAL)
        pSheet->m_FromDocPage.KeepSourceOpen();
    return pSheet->CanFinish();
}
