#include "views/CorraPreviewView.h"

#include "views/CorraView.h"

#include "platform/core/Services.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "res/ids/Print.h"

#include <algorithm>

CCorraPreviewView::CCorraPreviewView()
{
    AddBarButton(IDHELP, "&Help");
    BindCommand(IDHELP, [this] { OnHelp(); });
}

CCorraPreviewView::~CCorraPreviewView()
{
    if (CCorraView* pView = GetCorraView())
        pView->m_bPrintFromPreview = FALSE;
}

CCorraView* CCorraPreviewView::GetCorraView() const
{
    return dynamic_cast<CCorraView*>(GetPrintView());
}

void CCorraPreviewView::OnPreviewPrint()
{
    CCorraView* pView = GetCorraView();
    if (!pView)
        return;
    pView->m_bPrintFromPreview = TRUE;
    pView->PostCommand(ID_FILE_PRINT);
}

void CCorraPreviewView::OnHelp()
{
    HelpService().ShowTopic(HELP_CTX_PRINT_PREVIEW);
}

CExamPreviewView::CExamPreviewView()
{
    AddBarButton(ID_PREVIEW_NEXT_FORM, "Next &Form");
    AddBarButton(ID_PREVIEW_PREV_FORM, "P&revious Form");
    BindCommand(ID_PREVIEW_NEXT_FORM, [this] { OnStepForm(1); });
    BindCommand(ID_PREVIEW_PREV_FORM, [this] { OnStepForm(-1); });
    BindUpdate(ID_PREVIEW_NEXT_FORM, [this](CCmdUI* ui) { ui->Enable(CanStepForm(1)); });
    BindUpdate(ID_PREVIEW_PREV_FORM, [this](CCmdUI* ui) { ui->Enable(CanStepForm(-1)); });
}

BOOL CExamPreviewView::CanStepForm(int nDelta) const
{
    const CCorraView* pView = GetCorraView();
    return pView && pView->HasPreviewForm(nDelta);
}

void CExamPreviewView::OnStepForm(int nDelta)
{
    CCorraView* pView = GetCorraView();
    CPrintInfo* pInfo = GetPrintInfo();
    if (!pView || !pInfo || !pView->HasPreviewForm(nDelta) || !pView->StepPreviewForm(nDelta, pInfo))
        return;
    if (CCorraPrintJob* job = pView->GetPrintJob(pInfo))
        job->bPaginationPending = TRUE;
    // Another form has pages of its own: the count is not known until it is laid out.
    pInfo->SetMaxPage(0xFFFF);
    UpdatePreview();
    SetCurrentPage(std::max(static_cast<int>(pInfo->GetFromPage()), 1));
}

CPreviewView* CreateCorraPreviewView()
{
    return new CCorraPreviewView;
}

CPreviewView* CreateExamPreviewView()
{
    return new CExamPreviewView;
}
