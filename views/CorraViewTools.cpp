// The view's commands that open the question tools: attributes and statistics.
#include "views/CorraView.h"

#include "dialogs/SetQuestionAttributesDlg.h"
#include "model/CorraDoc.h"
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
