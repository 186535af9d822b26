#include "import/AddQuestFromSheet.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "import/SourceDoc.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "shell/ShellDocs.h"

#include <unordered_set>

CAddQuestFromSheet::CAddQuestFromSheet(const char* caption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(caption, pParent, iSelectPage)
{
    AddPages();
    SetWizardMode();
}

CAddQuestFromSheet::~CAddQuestFromSheet() = default;

void CAddQuestFromSheet::AddPages()
{
    CPropertyPage* pages[] = {&m_ToTypePage,       &m_ToDocPage,         &m_ToCollectionPage, &m_FromTypePage,
                              &m_FromDocPage,      &m_FromCollectionPage, &m_MethodPage,      &m_RandTypePage,
                              &m_RandLevelPage,    &m_RandSubjectPage,   &m_RandTextbookPage, &m_RandResultsPage,
                              &m_ACLineFormatPage, &m_ACAttr2Page,       &m_ACAttr1Page,      &m_ACQuestAttrPage,
                              &m_ACRunPage};
    for (CPropertyPage* pPage : pages)
        AddPage(pPage);
}

int CAddQuestFromSheet::Setup(UINT nStart, CDocument* pDoc)
{
    m_History.clear();
    switch (nStart) {
    case AQF_START_AUTOCONVERT:
    case AQF_START_AUTOCONVERT_EXAM:
        SetActivePage(0);
        m_ToTypePage.SetType(nStart == AQF_START_AUTOCONVERT ? AQF_TO_CORRA : AQF_TO_EXAM);
        m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceOpen);
        m_FromTypePage.SetType(AQF_FROM_AUTOCONVERT);
        return 1;
    case AQF_START_AUTOCONVERT_DOC:
        SetActivePage(0);
        m_ToDocPage.SetJump(IDD_AQF_AC_LINE_FORMAT);
        m_FromTypePage.SetType(AQF_FROM_AUTOCONVERT);
        m_FromDocPage.SetFixedDoc(pDoc);
        m_ForcedSource.Reset(pDoc);
        return 1;
    case AQF_START_RANDOM_EXAM:
        SetActivePage(4);
        m_ToTypePage.SetType(AQF_TO_EXAM);
        m_History.push_front(static_cast<int>(IDD_AQF_TO_TYPE));
        m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceNew);
        m_ToDocPage.CreateNewDoc(AQF_TO_EXAM);
        m_History.push_front(static_cast<int>(IDD_AQF_TO_DOC));
        m_FromDocPage.SetTarget(CString(), m_ToDocPage.GetNewDoc());
        m_FromTypePage.SetType(AQF_FROM_CORRA);
        m_MethodPage.SetMethod(AQF_METHOD_RANDOM);
        return 1;
    case AQF_START_RANDOM_ADD:
        SetActivePage(pDoc ? 3 : 1);
        m_ToTypePage.SetType(AQF_TO_EXAM);
        m_History.push_front(static_cast<int>(IDD_AQF_TO_TYPE));
        m_MethodPage.SetMethod(AQF_METHOD_RANDOM);
        if (pDoc) {
            m_ToDocPage.SetChoice(CAQFChooseToDocPage::choiceOpen);
            m_ToDocPage.SetFixedDoc(pDoc);
            m_FromDocPage.SetTarget(pDoc->GetPathName(), pDoc);
            m_History.push_front(static_cast<int>(IDD_AQF_TO_DOC));
        }
        return 1;
    default:
        LogOutput("CAddQuestFromSheet::Setup() - unknown message type", LOG_ERROR, LOG_HERE);
        return 0;
    }
}

CDocument* CAddQuestFromSheet::GetTargetDoc()
{
    BOOL bOpened = FALSE;
    CDocument* pDoc = m_ToDocPage.GetDoc(bOpened, TRUE);
    if (bOpened)
        m_OpenedTarget.Reset(pDoc);
    return pDoc;
}

CString CAddQuestFromSheet::GetSourceCollection() const
{
    return GetSourceKind() == AQF_FROM_COLLECTION ? m_FromCollectionPage.GetCollectionName() : CString();
}

int CAddQuestFromSheet::BuildCandidates(CPtrListEx& out, BOOL bUnique, BOOL bGatherUnique, int* pSourceTotal)
{
    out.RemoveAll();
    if (pSourceTotal)
        *pSourceTotal = 0;
    auto* pSource = dynamic_cast<CCorraDoc*>(GetSourceDoc());
    if (!pSource)
        return 0;
    const CString collection = GetSourceCollection();
    if (!collection.IsEmpty()) {
        if (CCorraQuestion* pColl = pSource->FindCollection(collection))
            GetCollectionQuestions(pColl, out, bGatherUnique);
    } else {
        GetDocQuestions(pSource, out, bGatherUnique);
    }
    if (pSourceTotal)
        *pSourceTotal = pSource->GetStatisticsTotal(collection.IsEmpty() ? nullptr : static_cast<LPCSTR>(collection));
    auto* pTarget = dynamic_cast<CCorraDoc*>(GetTargetDoc());
    if (!pTarget || pTarget == pSource || pTarget->m_plQuestions.IsEmpty())
        return out.GetCount();
    std::unordered_set<int> ids;
    std::unordered_set<int> indexes;
    for (POSITION pos = pTarget->m_plQuestions.GetHeadPosition(); pos;) {
        const auto* q = static_cast<const CCorraQuestion*>(pTarget->m_plQuestions.GetNext(pos));
        ids.insert(q->m_nId);
        indexes.insert(q->m_nIndex);
    }
    for (POSITION pos = out.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        const auto* q = static_cast<const CCorraQuestion*>(out.GetNext(pos));
        if (ids.count(q->m_nId) || (bUnique && indexes.count(q->m_nIndex)))
            out.RemoveAt(at);
    }
    return out.GetCount();
}

void CAddQuestFromSheet::ShowDuplicatesMessage(int nShortfall)
{
    BOOL bOpened = FALSE;
    CDocument* pTarget = m_ToDocPage.GetDoc(bOpened, FALSE);
    CDocument* pSource = m_FromDocPage.GetDoc();
    CString text;
    text.Format(LoadStringId(IDS_AQF_DUPLICATES), nShortfall,
                static_cast<LPCSTR>(pTarget ? pTarget->GetTitle() : m_ToDocPage.GetPathName()),
                static_cast<LPCSTR>(pSource ? pSource->GetTitle() : m_FromDocPage.GetPathName()));
    AfxMessageBox(text);
}

BOOL CAddQuestFromSheet::CanFinish()
{
    if (!GetTargetDoc()) {
        AfxMessageBox("Failed to open document\n\n" + m_ToDocPage.GetPathName());
        return FALSE;
    }
    const int nSource = GetSourceKind();
    if ((nSource == AQF_FROM_CORRA || nSource == AQF_FROM_EXAM || nSource == AQF_FROM_COLLECTION) &&
        !GetSourceDoc()) {
        AfxMessageBox("Failed to open document\n\n" + m_FromDocPage.GetPathName());
        return FALSE;
    }
    return TRUE;
}

void CAddQuestFromSheet::GatherACSettings()
{
    m_csACText1 = m_ACSettings.m_csSheet1;
    m_csACText2 = m_ACSettings.m_csSheet2;
    m_nACValue = m_ACSettings.m_nSheet;
    m_ACSettings.m_TemplateQuestion = m_ACQuestAttrPage.ChosenQuestion();
}

CDocument* CAddQuestFromSheet::FindSourceDocument(BOOL& bClosed) const
{
    bClosed = m_ForcedSource.IsSet() && !m_ForcedSource.Get();
    CDocument* pDoc = m_ForcedSource.IsSet() ? m_ForcedSource.Get() : m_FromDocPage.GetFixedDoc();
    if (!pDoc && !bClosed) {
        const CString path = m_FromDocPage.GetPathName();
        if (!path.IsEmpty())
            pDoc = ShellDocuments().FindOpenDocument(path);
    }
    return pDoc;
}

BOOL CAddQuestFromSheet::ReadSource(CFileBuf& buf, LPCSTR path) const
{
    BOOL bClosed = FALSE;
    // An open source document gives the text its view shows, under its own file's name.
    buf.m_pDoc = dynamic_cast<CSourceDoc*>(FindSourceDocument(bClosed));
    const BOOL bRead = buf.LoadFromFile(buf.m_pDoc ? buf.m_pDoc->GetPathName() : CString(path));
    buf.m_pDoc = nullptr;
    return bRead;
}

BOOL CAddQuestFromSheet::LoadSourceText()
{
    BOOL bClosed = FALSE;
    CDocument* pDoc = FindSourceDocument(bClosed);
    if (bClosed) {
        LogOutput("CAddQuestFromSheet::LoadSourceText() - the source document was closed", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (dynamic_cast<CSourceDoc*>(pDoc))
        return ReadSource(m_SourceBuf, nullptr);
    return m_SourceBuf.Load(pDoc ? pDoc->GetPathName() : m_FromDocPage.GetPathName());
}

BOOL CAddQuestFromSheet::LoadSourceFile()
{
    if (AfxMessageBox(IDS_AQF_RELOAD, MB_YESNO) != IDYES)
        return 0;
    CFileBuf fresh;
    if (!ReadSource(fresh, m_SourceBuf.GetPath())) {
        AfxMessageBox(CString("Failed to load file\n\n") + m_SourceBuf.GetPath(), MB_ICONEXCLAMATION);
        return 0;
    }
    m_SourceBuf.SetText(fresh.GetFileText(), fresh.GetBufLen() - 1);
    return 1;
}

int CAddQuestFromSheet::SaveEditedSource(CHVRichEditCtrl* pCtrl, UINT nStyle)
{
    if (!pCtrl)
        return 1;
    int nAnswer = 1;
    if (pCtrl->GetModify()) {
        nAnswer = AfxMessageBox("Save text editing changes?", nStyle);
        if (nAnswer == IDYES)
            StoreEditedSource(pCtrl);
        if (nAnswer == IDYES || nAnswer == IDNO)
            nAnswer = 1;
    }
    pCtrl->SetModify(FALSE);
    return nAnswer;
}

void CAddQuestFromSheet::StoreEditedSource(CHVRichEditCtrl* pCtrl)
{
    CString text;
    pCtrl->StreamOutText(text, SF_RTF);
    text.TrimRight();
    m_SourceBuf.SetText(text, text.GetLength());
}

void CAddQuestFromSheet::CancelCleanup()
{
    m_ToDocPage.CloseTargetDoc();
    if (CDocument* pDoc = m_OpenedTarget.Get())
        pDoc->OnCloseDocument();
    m_OpenedTarget.Reset();
}
