#include "views/ExamVersionView.h"

#include "views/ODListCtrl.h"

#include "foundation/Util.h"
#include "model/ExamDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "res/ids/ExamForms.h"
#include "res/ids/ExamView.h"
#include "res/ids/Menus.h"

namespace {

const CDocViewKind s_kind(typeid(CExamVersionView), DVK_EXAMVERSIONVIEW);

constexpr int kDropMove = 2;

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
