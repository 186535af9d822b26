#include "views/ExamVersionView.h"

#include "views/CorraPreviewView.h"
#include "views/ExamView.h"
#include "views/ODListCtrl.h"

#include "foundation/Util.h"
#include "model/ExamDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameworkIds.h"
#include "print/ExamExportEngine.h"
#include "res/ids/ExamForms.h"
#include "res/ids/ExamView.h"
#include "res/ids/Menus.h"

namespace {

const CDocViewKind s_kind(typeid(CExamVersionView), DVK_EXAMVERSIONVIEW);

constexpr int kDropMove = 2;
constexpr int kKeysPrintMode = 3;

} // namespace

CExamVersionView::CExamVersionView()
{
    m_nDrawMode = CVDRAW_SMALL_ICON;
    BindFormCommands();
}

void CExamVersionView::BindFormCommands()
{
    // A form's members are fixed when it is made.
    for (UINT id : {menus::kEditDelete, menus::kEditCut, menus::kEditPaste}) {
        BindCommand(id, [] {});
        BindUpdate(id, [](CCmdUI* ui) { ui->Enable(FALSE); });
    }
    BindCommand(ID_FILE_PRINT, [this] { OnFormPrint(FALSE, FALSE); });
    BindCommand(ID_FILE_PRINT_DIRECT, [this] { OnFormPrint(FALSE, FALSE, TRUE); });
    BindCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFormPrint(TRUE, FALSE); });
    BindCommand(ID_EXAM_PRINT_KEYS, [this] { OnFormPrint(FALSE, TRUE); });
    BindCommand(ID_EXAM_PREVIEW_KEYS, [this] { OnFormPrint(TRUE, TRUE); });
    // The printed exam's fonts are the exam's: its view asks for them.
    for (UINT id : {ID_EXAM_TITLE_FONT, ID_EXAM_DESCRIPTION_FONT, ID_EXAM_FORM_NAME_FONT, ID_EXAM_STUDENT_ID_FONT,
                    ID_EXAM_STUDENT_NAME_FONT}) {
        BindCommand(id, [this, id] {
            if (CExamView* exam = FindExamView())
                exam->PostCommand(id);
        });
        BindUpdate(id, [this](CCmdUI* ui) { ui->Enable(FindExamView() != nullptr); });
    }
    BindCommand(ID_SAVE_FORM, [this] { SaveForm(); });
    BindUpdate(ID_SAVE_FORM, [this](CCmdUI* ui) { ui->Enable(IsModified() || !GetCollection()); });
}

void CExamVersionView::SetName(LPCSTR name)
{
    auto* exam = dynamic_cast<CExamDoc*>(GetCorraDoc());
    if (name || !exam || CExamDoc::PrintSettings().formNameFmt.IsEmpty()) {
        CCollView::SetName(name);
        return;
    }
    const CString taken = exam->TakeNewFormName();
    CCollView::SetName(taken);
}

void CExamVersionView::SaveForm()
{
    ApplyToCollection();
}

int CExamVersionView::PasteFrom(COleDataObject&)
{
    AfxMessageBox(IDS_CANNOT_COPY_TO_FORMS);
    return DROP_REFUSED;
}

int CExamVersionView::DropQuestOnCorraView(CUpdate&)
{
    AfxMessageBox(IDS_CANNOT_COPY_TO_FORMS);
    return DROP_REFUSED;
}

int CExamVersionView::DispatchDrop(CListCtrl* pTarget, int nItem, int nDragged)
{
    if (!m_pList || pTarget != m_pList)
        return DROP_REFUSED;
    return CCollView::DispatchDrop(pTarget, nItem, nDragged);
}

int CExamVersionView::GetDropEffect() const
{
    return IsDragging() ? kDropMove : 0;
}

BOOL CExamVersionView::AfterRemove()
{
    auto* exam = dynamic_cast<CExamDoc*>(GetCorraDoc());
    if (!exam || !m_pList)
        return FALSE;
    CPtrListEx rows;
    m_pList->GetAllItems(rows);
    CDWordArray ids;
    for (POSITION pos = rows.GetHeadPosition(); pos;)
        ids.Add(static_cast<DWORD>(static_cast<CCorraQuestion*>(rows.GetNext(pos))->m_nId));
    if (!exam->ApplyFixedPositions(ids))
        return FALSE;
    CPtrListEx order;
    for (int i = 0; i < ids.GetSize(); ++i)
        if (CCorraQuestion* q = exam->FindQuestionById(static_cast<int>(ids[i])))
            order.AddTail(q);
    GetWorkingCopy().SetQuestions(order);
    ReloadQuestions();
    RefillList();
    return TRUE;
}

UINT CExamVersionView::ContextMenuId() const
{
    return IDR_FORM_VIEW_MENU;
}

CODListCtrl* CExamVersionView::MakeListControl()
{
    CODListCtrl* list = CCollView::MakeListControl();
    list->m_bSortHeaders = FALSE;
    return list;
}

CExamView* CExamVersionView::FindExamView() const
{
    CCorraDoc* pDoc = GetCorraDoc();
    for (POSITION pos = pDoc ? pDoc->GetFirstViewPosition() : nullptr; pos;) {
        auto* view = dynamic_cast<CExamView*>(pDoc->GetNextView(pos));
        if (view && !view->IsCollectionPane())
            return view;
    }
    return nullptr;
}

// ---- printing

void CExamVersionView::OnFormPrint(BOOL bPreview, BOOL bKeys, BOOL bDirect)
{
    auto* exam = dynamic_cast<CExamDoc*>(GetCorraDoc());
    if (!exam)
        return;
    if (bKeys)
        exam->m_nPrintModeOverride = kKeysPrintMode;
    const BOOL bPrepared = PreparePrintDocument(FALSE, m_bPrintFromPreview && !bPreview);
    exam->m_nPrintModeOverride = -1;
    if (bPrepared)
        PrintOrPreview(bPreview, bDirect, &CreateCorraPreviewView);
}

BOOL CExamVersionView::RunPrintingProperties(int& nPrintMode)
{
    return CExamView::ChooseExamPrintMode(dynamic_cast<CExamDoc*>(GetCorraDoc()), nPrintMode);
}

void CExamVersionView::CollectPrintQuestions(CCorraPrintJob& job)
{
    CCollView::CollectPrintQuestions(job);
    job.copies.clear();
    CExamView::PrintAsForm(job, GetWorkingCopy(), GetCorraDoc());
}

CRect CExamVersionView::GetHeaderRect(CDC* pDC, CPrintInfo* pInfo)
{
    return CExamView::ExamHeaderRect(*this, pDC, pInfo);
}

CRect CExamVersionView::GetFooterRect(CDC* pDC, CPrintInfo* pInfo)
{
    return CExamView::ExamFooterRect(*this, pDC, pInfo);
}

void CExamVersionView::DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw)
{
    CExamView::DrawExamHeader(*this, pDC, pInfo, bDraw);
}

void CExamVersionView::DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw)
{
    CExamView::DrawExamFooter(*this, pDC, pInfo, nPage, bDraw);
}

std::unique_ptr<CExportEngine> CExamVersionView::MakeExportEngine()
{
    auto* exam = dynamic_cast<CExamDoc*>(GetCorraDoc());
    if (!exam)
        return nullptr;
    return std::make_unique<CExamExportEngine>(*exam, GetName(), m_nPrintMode == kKeysPrintMode);
}
