// The export of a view's questions into a file: the export dialog, then the page loop over the
// export engine (scan, compose each page of the range, end it) and the writer of the file type.
// The job is the print job's: the same questions, group headers, order and numbers as paper.

#include "views/CorraView.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/HtmlSettings.h"
#include "platform/core/Services.h"
#include "print/ExamPrintPages.h"
#include "print/ExportDialog.h"
#include "print/ExportEngine.h"
#include "render/FontMgr.h"
#include "res/ids/CorraView.h"

#include <QPointer>

#include <algorithm>
#include <memory>

namespace {

// The option word each question is composed with: choice output flags of the file type and
// the print mode.
DWORD ExportOptions(int nFileType, int nPrintMode)
{
    DWORD options = nFileType == FT_TEXT ? 0x21 : 0x29;
    if (nPrintMode == 0) {
        options |= 0x11;
        if (nFileType != FT_TEXT)
            options |= 0x41;
    }
    if (nFileType == FT_WORD || nFileType == FT_WORDPERFECT)
        options |= 0x81;
    if (nFileType == FT_HTML)
        options |= 0x02;
    return options;
}

int UsableMode(int mode)
{
    return mode >= QDRAW_FULL && mode <= QDRAW_ANSWERS ? mode : QDRAW_FULL;
}

int InchesToScreen(double inches)
{
    const int dpi = CFontMgr::GetScreenDpi() > 0 ? CFontMgr::GetScreenDpi() : 96;
    return static_cast<int>(inches * dpi);
}

} // namespace

std::unique_ptr<CExportEngine> CCorraView::MakeExportEngine()
{
    CCorraDoc* pDoc = GetCorraDoc();
    return pDoc ? std::make_unique<CExportEngine>(*pDoc) : nullptr;
}

void CCorraView::OnPrintingProperties()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        ShowDocumentPrintingProperties(*pDoc);
}

BOOL CCorraView::ExportDocument()
{
    if (IsCollectionPane()) {
        if (m_pSibling)
            m_pSibling->PostCommand(ID_EXPORT_FILES);
        return FALSE;
    }
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return FALSE;
    try {
        CExportContext ctx;
        CHtmlSettings html;
        ctx.pHtml = &html;
        ctx.csDocName = GetExportName();
        // Answers go into a file only when asked for again, from the dialog's "Change...".
        pDoc->m_bShowAnswers = FALSE;
        m_nPrintMode = UsableMode(pDoc->m_nPrintMode);
        CExportDialog dlg(FALSE, 0, this, ctx, *pDoc);
        if (dlg.DoModal() != IDOK) {
            m_nPrintMode = -1;
            return FALSE;
        }
        ctx.nHtmlMode = html.m_nDivType;
        const BOOL bDone = RunExport(ctx);
        html.Save();
        return bDone;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

CString CCorraView::GetExportName() const
{
    const CCorraDoc* pDoc = GetCorraDoc();
    return pDoc ? pDoc->GetTitle() : CString();
}

BOOL CCorraView::RunExport(CExportContext& ctx)
{
    CCorraDoc* pDoc = GetCorraDoc();
    std::unique_ptr<CExportEngine> engine = MakeExportEngine();
    if (!pDoc || !engine)
        return FALSE;
    if (m_nPrintMode < 0)
        m_nPrintMode = UsableMode(pDoc->m_nPrintMode);
    ctx.dwFlags = EXPF_EXPORT;
    ctx.bCancel = FALSE;

    // The job: the questions as paper prints them.
    OnBeginPrinting(nullptr, &ctx);
    struct CEndJob {
        CCorraView* view;
        CExportContext& c;
        ~CEndJob() { view->OnEndPrinting(nullptr, &c); }
    } endJob{this, ctx};
    CCorraPrintJob* job = GetPrintJob(&ctx);
    if (!job)
        return FALSE;
    ctx.questions = job->elements;
    ctx.numbers = job->numbers;

    ctx.draw = CDrawContext();
    ctx.draw.target = DrawTarget::Export;
    ctx.draw.mode = job->nPrintMode;
    ctx.draw.printLayout = ctx.nFileType != FT_TEXT;
    ctx.draw.choicesIndent =
        std::clamp(CorraApp().GetProfileInt(pDoc->GetProfileSection(), "ChoicesIndentLevel", 5), 0, 80);
    ctx.draw.firstNumber = job->nFirstNumber;
    ctx.draw.answers = pDoc->m_bShowAnswers;
    ctx.dwDrawFlags = ExportOptions(ctx.nFileType, job->nPrintMode);

    // The hidden controls, sized to the page's body.
    std::unique_ptr<CHVRichEditCtrl> ownTarget, ownMeasure;
    if (!ctx.pTarget) {
        ownTarget = std::make_unique<CHVRichEditCtrl>();
        ctx.pTarget = ownTarget.get();
    }
    if (!ctx.pMeasure) {
        ownMeasure = std::make_unique<CHVRichEditCtrl>();
        ctx.pMeasure = ownMeasure.get();
    }
    struct CDropControls {
        CExportContext& c;
        CHVRichEditCtrl *t, *m;
        ~CDropControls()
        {
            if (c.pTarget == t)
                c.pTarget = nullptr;
            if (c.pMeasure == m)
                c.pMeasure = nullptr;
        }
    } dropControls{ctx, ownTarget.get(), ownMeasure.get()};
    ctx.pTarget->SetWindowText("");
    ctx.pMeasure->SetWindowText("");
    const int cx = InchesToScreen(std::max(ctx.nPaperWidth * 0.001 - 2.0, 1.0));
    const int cy = InchesToScreen(std::max(ctx.nPaperHeight * 0.001 - 2.0, 1.0));
    ctx.pTarget->resize(cx, cy);
    ctx.pMeasure->resize(cx, cy);
    ctx.m_rectDraw = CRect(0, 0, cx, cy);
    engine->SizeCompositionControl(ctx, ctx.dLeft, ctx.dRight, ctx.dTop, ctx.dBottom);

    // The progress box, unless the caller gave one.
    std::unique_ptr<COldProgressDlg> ownProgress;
    if (!ctx.pProgress) {
        ownProgress = std::make_unique<COldProgressDlg>("Exporting...", "", std::max(static_cast<int>(ctx.questions.size()), 1));
        ownProgress->Create(this);
        ctx.pProgress = ownProgress.get();
    }
    struct CDropProgress {
        CExportContext& c;
        COldProgressDlg* p;
        ~CDropProgress()
        {
            if (c.pProgress == p)
                c.pProgress = nullptr;
        }
    } dropProgress{ctx, ownProgress.get()};
    CString name;
    GetFileNameOfPath(name, ctx.csOutputPath);
    ctx.pProgress->SetText(CString("Exporting to ") + name);

    BOOL bDone = FALSE;
    try {
        if (engine->PrepareExport(ctx)) {
            bDone = TRUE;
            const int step = ctx.nLastPage >= ctx.nFirstPage ? 1 : -1;
            for (int page = ctx.nFirstPage;; page += step) {
                COldProgressDlg::PumpMessages();
                if (ctx.bCancel || ctx.pProgress->IsCancelled()) {
                    ctx.bCancel = TRUE;
                    bDone = FALSE;
                    break;
                }
                if (!engine->ComposePage(ctx, page) || !engine->EndExportPage(ctx)) {
                    bDone = FALSE;
                    break;
                }
                if (page == ctx.nLastPage)
                    break;
            }
            if (bDone)
                bDone = engine->WriteExport(ctx);
        }
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        bDone = FALSE;
    } catch (...) {
        LogUnknownException(LOG_HERE);
        bDone = FALSE;
    }
    m_nLastExportPages = ctx.nPageCount;
    if (!bDone) {
        // Nothing half made stays behind.
        engine->RemovePageFiles();
        return FALSE;
    }
    if (ctx.bOpenAfter && !ctx.IsFilePerPage())
        DesktopOpener().OpenFile(ctx.csOutputPath);
    return TRUE;
}
