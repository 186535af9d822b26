#include "app/AddQuestionWizard.h"

#include "app/MainFrm.h"
#include "app/SupportDlg.h"
#include "import/ACAttrDlg.h"
#include "foundation/Log.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "model/CorraDoc.h"
#include "platform/ui/WinApp.h"

namespace {

// The document a task handed over, when it is still one of the program's: a closed one is
// never used.
CDocument* OpenDocumentAt(LPARAM lParam)
{
    auto* pWanted = reinterpret_cast<CDocument*>(lParam);
    CWinApp* pApp = AfxGetApp();
    if (!pWanted || !pApp)
        return nullptr;
    for (POSITION tpos = pApp->GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
            if (pTemplate->GetNextDoc(dpos) == pWanted)
                return pWanted;
        }
    }
    LogOutput("CAddQuestionWizard::Run() - the document of the task is no longer open", LOG_ERROR, LOG_HERE);
    return nullptr;
}

// "Having trouble?" of the AutoConvert pages: the maker's offer to convert the file.
class CConversionSupport : public IConversionSupport {
public:
    BOOL Offer(LPCSTR fileName) override { return OfferConversionSupport(fileName); }
};

} // namespace

CAddQuestionWizard::CAddQuestionWizard() : m_pSupport(std::make_unique<CConversionSupport>())
{
    ConversionSupportSlot().Set(m_pSupport.get());
}

CAddQuestionWizard::~CAddQuestionWizard()
{
    if (ConversionSupportSlot().Installed() == m_pSupport.get())
        ConversionSupportSlot().Set(nullptr);
}

void CAddQuestionWizard::CloseDocs(std::vector<CDocumentRef>& docs)
{
    for (CDocumentRef& ref : docs) {
        if (CDocument* pDoc = ref.Get())
            pDoc->OnCloseDocument();
    }
    docs.clear();
}

int CAddQuestionWizard::Run(const CWizardRequest& request, CWizardResult& result, CWnd* pParent)
{
    // What an earlier run left is done with.
    CloseDocs(m_toClose);
    m_cancelTargets.clear();
    CDocument* pDoc = request.doc.IsSet() ? request.doc.Get() : OpenDocumentAt(request.lParam);
    const UINT nStartPage = request.nStartCommand == WIZARD_START_RANDOM_EXAM ? 4 : 0;
    CAddQuestFromSheet sheet(request.title, pParent, nStartPage);
    if (request.nStartCommand)
        sheet.Setup(request.nStartCommand, pDoc);
    if (auto* pMain = dynamic_cast<CMainFrame*>(pParent))
        pMain->AddIdleWindow(&sheet);
    if (sheet.DoModal() != ID_WIZFINISH) {
        for (CDocument* pTarget : {sheet.m_ToDocPage.GetNewDoc(), sheet.GetOpenedTarget()}) {
            if (pTarget)
                m_cancelTargets.emplace_back(pTarget);
        }
        std::vector<CDocumentRef> sources = sheet.TakeDocsToClose();
        CloseDocs(sources);
        return IDCANCEL;
    }
    result = CWizardResult();
    result.pTarget = sheet.GetTargetDoc();
    const int nSource = sheet.GetSourceKind();
    if (sheet.GetTargetKind() == AQF_TO_COLLECTION)
        result.collection = sheet.m_csToCollection;
    switch (nSource) {
    case AQF_FROM_AUTOCONVERT: {
        result.nMethod = 0;
        const char* text = sheet.m_SourceBuf.GetWorkingText();
        result.sourceText = text ? text : "";
        m_settings = sheet.m_ACSettings;
        m_settings.m_csCollection = result.collection;
        result.labelSetting = CString(m_settings.m_szFirstLabel) + m_settings.m_szTerminator;
        break;
    }
    case AQF_FROM_COMPOSE: result.nMethod = 4; break;
    default: {
        result.nMethod = nSource;
        CDocument* pSource = sheet.GetSourceDoc();
        result.source.Reset(pSource);
        result.sourcePath = pSource ? pSource->GetPathName() : sheet.m_FromDocPage.GetPathName();
        result.sourceCollection = sheet.GetSourceCollection();
        switch (sheet.GetMethod()) {
        case AQF_METHOD_MANUAL: result.nCopyMode = 0; break;
        case AQF_METHOD_ALL: result.nCopyMode = 1; break;
        default:
            result.nCopyMode = 2;
            result.questions.RemoveAll();
            for (POSITION pos = sheet.GetRandomSelection().GetHeadPosition(); pos;)
                result.questions.AddTail(sheet.GetRandomSelection().GetNext(pos));
            break;
        }
        break;
    }
    }
    // The sources the wizard opened hold what is handed over: they close after the transfer.
    m_toClose = sheet.TakeDocsToClose();
    return IDOK;
}

void CAddQuestionWizard::CancelCleanUp(const CWizardResult&)
{
    CloseDocs(m_cancelTargets);
}

BOOL CAddQuestionWizard::AutoConvert(CCorraDoc& target, const CString& text, CHVRichEditCtrl* pCtrl)
{
    return AutoConvertText(target, text, pCtrl, m_settings);
}

void CAddQuestionWizard::TransferDone(CWizardResult& result)
{
    result.questions.RemoveAll();
    CloseDocs(m_toClose);
}
