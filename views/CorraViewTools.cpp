// The view's commands that open the question tools: attributes, statistics, fonts, the label
// case of choices and the check for invalid questions.
#include "views/CorraView.h"

#include "dialogs/ChoicesFormatDlg.h"
#include "dialogs/InvalidQuestionsMsgBox.h"
#include "dialogs/SetQuestionAttributesDlg.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "res/ids/CorraView.h"
#include "views/CollListCtrl.h"
#include "views/StatsDlg.h"

namespace {

void ShowStatistics(CWnd* pParent, const CPtrList& all, const CPtrList* selected, const CStringArray* names)
{
    CStatsDlg dlg(pParent);
    dlg.SetQuestions(all, selected, names);
    dlg.DoModal();
}

}  // namespace

void CCorraView::OnSetQuestionAttributes()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || !m_pList)
        return;
    CSetQuestionAttributesDlg dlg(pDoc, this, this);
    GetSelectedQuestions(dlg.m_lQuestions);
    if (dlg.m_lQuestions.IsEmpty())
        return;
    CPtrList& all = pDoc->m_plQuestions;
    dlg.m_showStatistics = [&dlg, &all](const CPtrList& questions) { ShowStatistics(&dlg, all, &questions, nullptr); };
    dlg.DoModal();
}

void CCorraView::OnQuestionStatistics()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    CPtrListEx selected;
    CStringArray names;
    if (IsCollectionPane()) {
        if (auto* list = dynamic_cast<CCollListCtrl*>(m_pList)) {
            list->GetSelectedQuestions(selected);
            list->GetSelectedNames(names);
        }
    } else {
        GetSelectedQuestions(selected);
    }
    ShowStatistics(this, pDoc->m_plQuestions, &selected, &names);
}

void CCorraView::OnSetAllFonts()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->SetAllFonts();
}

void CCorraView::OnFormatChoices()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    CChoicesFormatDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    pDoc->SetChoiceLabelCase(dlg.m_nCase == 1 ? 'A' : 'a');
    pDoc->UpdateAllViews(nullptr, HINT_REFRESH);
}

void CCorraView::OnInvalidQuestions()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    CPtrListEx invalid;
    CString summary;
    if (pDoc->FindInvalidQuestions(invalid, summary)) {
        MessageBoxService().Show("No invalid questions were found.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CInvalidQuestionsMsgBox box(summary, this);
    switch (box.DoModal()) {
    case IDYES:
        pDoc->ShowInvalidQuestions(invalid);
        break;
    case IDNO:
        CCorraDoc::ShowInvalidQuestionReport();
        break;
    default:
        break;
    }
}
