// Printing and previewing an exam: the exam itself, or the forms chosen, each form after the
// other with its pages numbered from 1, and the forms' answer keys. A form prints its questions
// in its own order, then the exam's questions it lacks; each question whose choices the form
// scrambles, and the identity question that names the form, prints as a copy the job holds, so
// the exam's questions never change, however the print ends.

#include "views/ExamView.h"

#include "views/CorraPreviewView.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "print/ExamBands.h"
#include "print/ExamExportEngine.h"
#include "res/ids/ExamView.h"
#include "res/ids/Print.h"

#include <memory>
#include <unordered_set>

namespace {

constexpr int kKeysPrintMode = 3;

// The exam's forms, in the document's order.
CPtrListEx FormsOf(const CExamDoc* pDoc)
{
    CPtrListEx forms;
    if (pDoc)
        pDoc->GetCollections(forms);
    return forms;
}

// The copy of q a form prints: its choices in the form's order, an identity question naming the
// form. NULL when the form prints q as it stands.
std::shared_ptr<CCorraQuestion> FormCopy(CCorraQuestion* form, CCorraQuestion* q, CCorraDoc* pDoc)
{
    auto* exam = dynamic_cast<CExamQuestion*>(q);
    std::shared_ptr<CCorraQuestion> copy;
    if (exam)
        copy = std::make_shared<CExamQuestion>(*exam);
    else
        copy = std::make_shared<CCorraQuestion>(*q);
    copy->SetDoc(pDoc);
    BOOL changed = form->ApplyScrambleTo(*copy);
    if (auto* examCopy = dynamic_cast<CExamQuestion*>(copy.get()); examCopy && examCopy->IsIdentity()) {
        examCopy->m_pIdentityForm = form;
        changed = !examCopy->ReplaceIdentityText().IsEmpty() || changed;
        examCopy->m_pIdentityForm = nullptr;
    }
    if (!changed)
        return nullptr;
    copy->ClearChoicesCache();
    return copy;
}

} // namespace

void CExamView::BindExamPrintCommands()
{
    BindCommand(ID_FILE_PRINT, [this] { OnExamPrint(FALSE, FALSE); });
    BindCommand(ID_FILE_PRINT_DIRECT, [this] { OnExamPrint(FALSE, FALSE, TRUE); });
    BindCommand(ID_FILE_PRINT_PREVIEW, [this] { OnExamPrint(TRUE, FALSE); });
    BindCommand(ID_EXAM_PRINT_KEYS, [this] { OnExamPrint(FALSE, TRUE); });
    BindCommand(ID_EXAM_PREVIEW_KEYS, [this] { OnExamPrint(TRUE, TRUE); });
}

// ---- the commands

void CExamView::OnExamPrint(BOOL bPreview, BOOL bKeys, BOOL bDirect)
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc)
        return;
    const UINT nCommand = bKeys ? (bPreview ? ID_EXAM_PREVIEW_KEYS : ID_EXAM_PRINT_KEYS)
                                : (bPreview ? ID_FILE_PRINT_PREVIEW : bDirect ? ID_FILE_PRINT_DIRECT : ID_FILE_PRINT);
    if (IsCollectionPane()) {
        auto* pMain = dynamic_cast<CExamView*>(m_pSibling);
        if (!pMain)
            return;
        CPtrListEx selected;
        GetSelectedQuestions(selected);
        CPtrListEx forms;
        for (POSITION pos = selected.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(selected.GetNext(pos));
            if (q && q->IsCollection())
                forms.AddTail(q);
        }
        if (!forms.IsEmpty()) {
            pMain->m_lPrintForms = forms;
            pMain->m_bFormsGiven = TRUE;
        }
        pMain->PostCommand(nCommand);
        return;
    }
    // A print from the preview prints what the preview shows.
    const BOOL bFromPreview = m_bPrintFromPreview && !bPreview;
    if (bKeys)
        pDoc->m_nPrintModeOverride = kKeysPrintMode;
    if (!bFromPreview && PromptForForms() != 1) {
        pDoc->m_nPrintModeOverride = -1;
        return;
    }
    if (!PreparePrintDocument(FALSE, bFromPreview)) {
        pDoc->m_nPrintModeOverride = -1;
        return;
    }
    pDoc->m_nPrintModeOverride = -1;
    PrintOrPreview(bPreview, bDirect, &CreateExamPreviewView);
}

BOOL CExamView::ValidateForms()
{
    const CPtrListEx forms = FormsOf(GetExamDoc());
    if (forms.IsEmpty()) {
        LogOutput("CExamView::ValidateForms() - called with zero form count", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CDWordArray ids;
    const int size = static_cast<CCorraQuestion*>(forms.GetHead())->GetQuestIds(ids);
    for (POSITION pos = forms.GetHeadPosition(); pos;) {
        if (static_cast<CCorraQuestion*>(forms.GetNext(pos))->GetQuestIds(ids) != size) {
            const CString text = "Forms are not the same size.";
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            LogOutput("CExamView::ValidateForms() - " + text, LOG_ERROR, LOG_HERE);
            return FALSE;
        }
    }
    return TRUE;
}

int CExamView::PromptForForms()
{
    CExamDoc* pDoc = GetExamDoc();
    const CPtrListEx forms = FormsOf(pDoc);
    const BOOL bGiven = m_bFormsGiven;
    m_bFormsGiven = FALSE;
    if (!pDoc || forms.IsEmpty()) {
        m_lPrintForms.RemoveAll();
        return 1;
    }
    if (!ValidateForms())
        return 2;
    // The forms chosen last that are still there, in the exam's order; at first all of them.
    CPtrListEx chosen;
    for (POSITION pos = forms.GetHeadPosition(); pos;) {
        void* form = forms.GetNext(pos);
        if (m_lPrintForms.Find(form))
            chosen.AddTail(form);
    }
    if (bGiven && !chosen.IsEmpty()) {
        m_lPrintForms = chosen;
        return 1;
    }
    if (chosen.IsEmpty())
        chosen = forms;
    CCorraAppBase& app = CorraApp();
    BOOL bPrintForms = app.GetProfileInt(CExamDoc::PROFILE_SECTION, "PrintFormsFlag", 1) != 0;
    IExamDialogs& dialogs = ExamDialogs();
    if (dialogs.HasSelectFormsDialog()) {
        if (!dialogs.SelectForms(*pDoc, forms, bPrintForms, chosen))
            return 2;
        app.WriteProfileInt(CExamDoc::PROFILE_SECTION, "PrintFormsFlag", bPrintForms ? 1 : 0);
    }
    m_lPrintForms.RemoveAll();
    if (bPrintForms) {
        // Only the exam's forms, each once.
        for (POSITION pos = forms.GetHeadPosition(); pos;) {
            void* form = forms.GetNext(pos);
            if (chosen.Find(form))
                m_lPrintForms.AddTail(form);
        }
    }
    return 1;
}

CString CExamView::GetPageNumberText(int nPage)
{
    return exambands::PageNumberText(CExamDoc::PrintSettings(), nPage);
}

BOOL CExamView::RunPrintingProperties(int& nPrintMode)
{
    return ChooseExamPrintMode(GetExamDoc(), nPrintMode);
}

BOOL CExamView::ChooseExamPrintMode(CExamDoc* pDoc, int& nPrintMode)
{
    if (!pDoc)
        return FALSE;
    if (!ExamDialogs().HasPrintingPropertiesDialog()) {
        nPrintMode = pDoc->m_nPrintModeOverride >= 0 ? pDoc->m_nPrintModeOverride : pDoc->m_nPrintMode;
        pDoc->m_nPrintModeOverride = -1;
        return TRUE;
    }
    int chosen = pDoc->m_nPrintMode;
    if (!pDoc->ShowPrintingProperties(nPrintMode, &chosen))
        return FALSE;
    nPrintMode = chosen;
    return TRUE;
}

// ---- the print steps

void CExamView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CCorraView::OnBeginPrinting(pDC, pInfo);
    CCorraPrintJob* job = GetPrintJob(pInfo);
    // An export writes the exam itself; its forms go out through Export Forms.
    if (!job || m_lPrintForms.IsEmpty() || dynamic_cast<CExportContext*>(pInfo))
        return;
    job->nForm = 0;
    LayOutPrintJob(*job, FALSE);
    // On paper the forms follow each other, each through the range: the loop runs until the
    // last form is done.
    if (!pInfo->m_bPreview) {
        pInfo->m_pPD->m_pd.nToPage = 0xFFFF;
        pInfo->SetMaxPage(0xFFFF);
    }
}

void CExamView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CCorraView::OnPrepareDC(pDC, pInfo);
    if (!pInfo || pInfo->m_bPreview)
        return;
    CCorraPrintJob* job = GetPrintJob(pInfo);
    // The form is done: the next one starts on this page with its page numbers from the start
    // of the range (a form without questions is passed over).
    while (job && !pInfo->m_bContinuePrinting && job->nForm >= 0 && job->nForm + 1 < m_lPrintForms.GetCount()) {
        ++job->nForm;
        LayOutPrintJob(*job, FALSE);
        job->nPageOffset = static_cast<int>(pInfo->m_nCurPage) - static_cast<int>(job->nFromPage);
        CCorraView::OnPrepareDC(pDC, pInfo);
    }
}

CCorraQuestion* CExamView::GetJobForm(const CCorraPrintJob& job) const
{
    if (job.nForm < 0 || job.nForm >= m_lPrintForms.GetCount())
        return nullptr;
    POSITION pos = m_lPrintForms.FindIndex(job.nForm);
    auto* form = pos ? static_cast<CCorraQuestion*>(m_lPrintForms.GetAt(pos)) : nullptr;
    // A form deleted while its preview is open prints as nothing, never through a stale pointer.
    return form && FormsOf(GetExamDoc()).Find(form) ? form : nullptr;
}

void CExamView::CollectPrintQuestions(CCorraPrintJob& job)
{
    CCorraView::CollectPrintQuestions(job);
    job.copies.clear();
    job.csFormName.Empty();
    CCorraQuestion* form = GetJobForm(job);
    if (!form)
        return;
    // The form's members in its order, then the exam's questions it lacks: each once.
    CPtrList members;
    form->SetDoc(GetCorraDoc());
    form->GetQuestions(members);
    std::vector<CCorraQuestion*> order;
    std::unordered_set<const CCorraQuestion*> seen;
    for (POSITION pos = members.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(members.GetNext(pos));
        if (q && !q->IsCollection() && seen.insert(q).second)
            order.push_back(q);
    }
    for (CCorraQuestion* q : job.elements) {
        if (seen.insert(q).second)
            order.push_back(q);
    }
    job.elements = std::move(order);
    PrintAsForm(job, *form, GetCorraDoc());
}

void CExamView::PrintAsForm(CCorraPrintJob& job, CCorraQuestion& form, CCorraDoc* pDoc)
{
    job.csFormName = form.m_cszQuestionText;
    for (CCorraQuestion*& q : job.elements) {
        if (std::shared_ptr<CCorraQuestion> copy = q ? FormCopy(&form, q, pDoc) : nullptr) {
            job.copies.push_back(copy);
            q = copy.get();
        }
    }
}

// ---- the bands

namespace {

exambands::CBandPage BandPage(const CCorraDoc* pDoc, const CCorraPrintJob* job)
{
    exambands::CBandPage page;
    if (pDoc) {
        page.courseName = pDoc->m_csTitle1;
        page.examTitle = pDoc->m_csTitle2;
        page.path = pDoc->GetPathName();
    }
    if (job) {
        page.formName = job->csFormName;
        page.nPage = job->nFramePage;
        page.bFirstOfRange = job->nFramePage <= static_cast<int>(job->nFromPage);
        page.bKeys = job->nPrintMode == kKeysPrintMode;
    }
    return page;
}

} // namespace

CRect CExamView::GetHeaderRect(CDC* pDC, CPrintInfo* pInfo)
{
    return ExamHeaderRect(*this, pDC, pInfo);
}

CRect CExamView::GetFooterRect(CDC* pDC, CPrintInfo* pInfo)
{
    return ExamFooterRect(*this, pDC, pInfo);
}

void CExamView::DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw)
{
    DrawExamHeader(*this, pDC, pInfo, bDraw);
}

void CExamView::DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw)
{
    DrawExamFooter(*this, pDC, pInfo, nPage, bDraw);
}

CRect CExamView::ExamHeaderRect(CCorraView& view, CDC* pDC, CPrintInfo* pInfo)
{
    return exambands::HeaderRect(pDC, pInfo->m_rectDraw, CExamDoc::PrintSettings(),
                                 BandPage(view.GetCorraDoc(), view.GetPrintJob(pInfo)));
}

CRect CExamView::ExamFooterRect(CCorraView& view, CDC* pDC, CPrintInfo* pInfo)
{
    return exambands::FooterRect(pDC, pInfo->m_rectDraw, CExamDoc::PrintSettings(),
                                 BandPage(view.GetCorraDoc(), view.GetPrintJob(pInfo)));
}

void CExamView::DrawExamHeader(CCorraView& view, CDC* pDC, CPrintInfo* pInfo, BOOL bDraw)
{
    const CRect header = ExamHeaderRect(view, pDC, pInfo);
    if (bDraw)
        exambands::DrawHeader(pDC, pInfo->m_rectDraw, CExamDoc::PrintSettings(),
                              BandPage(view.GetCorraDoc(), view.GetPrintJob(pInfo)));
    pInfo->m_rectDraw.top = header.bottom;
}

void CExamView::DrawExamFooter(CCorraView& view, CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw)
{
    const CRect footer = ExamFooterRect(view, pDC, pInfo);
    if (bDraw) {
        exambands::CBandPage page = BandPage(view.GetCorraDoc(), view.GetPrintJob(pInfo));
        page.nPage = nPage;
        exambands::DrawFooter(pDC, footer, CExamDoc::PrintSettings(), page);
    }
    pInfo->m_rectDraw.bottom = footer.top;
}

std::unique_ptr<CExportEngine> CExamView::MakeExportEngine()
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc)
        return nullptr;
    return std::make_unique<CExamExportEngine>(*pDoc, CString(), m_nPrintMode == kKeysPrintMode);
}

// ---- the preview's forms

BOOL CExamView::HasPreviewForm(int nDelta) const
{
    for (const auto& entry : m_printJobs) {
        const int next = entry.second->nForm + nDelta;
        if (entry.first->m_bPreview && entry.second->nForm >= 0 && next >= 0 && next < m_lPrintForms.GetCount())
            return TRUE;
    }
    return FALSE;
}

BOOL CExamView::StepPreviewForm(int nDelta, CPrintInfo* pInfo)
{
    CCorraPrintJob* job = GetPrintJob(pInfo);
    if (!job || job->nForm < 0)
        return FALSE;
    const int next = job->nForm + nDelta;
    if (next < 0 || next >= m_lPrintForms.GetCount())
        return FALSE;
    job->nForm = next;
    job->nPageOffset = 0;
    LayOutPrintJob(*job, FALSE);
    return TRUE;
}
