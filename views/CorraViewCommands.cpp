// The commands of a pane: every command the view handles and its update handler, in one table.
// "Selected questions" are always the selected rows in list order.
#include "views/CorraView.h"

#include "controls/FloatEditTB.h"
#include "dialogs/QuestionImagesDlg.h"
#include "dialogs/QuestionSearchDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/Menus.h"
#include "views/CollView.h"
#include "views/ODListCtrl.h"

void CCorraView::BindCommands()
{
    auto selectedCount = [this] { return m_pList ? static_cast<int>(m_pList->GetSelectedCount()) : 0; };
    auto anySelected = [selectedCount](CCmdUI* ui) { ui->Enable(selectedCount() > 0); };
    auto always = [](CCmdUI* ui) { ui->Enable(TRUE); };
    auto hasQuestions = [this](CCmdUI* ui) {
        const CCorraDoc* pDoc = GetCorraDoc();
        ui->Enable(pDoc && pDoc->GetQuestionCount() > 0);
    };

    // Selection.
    BindCommand(ID_QUESTION_SEARCH, [this] { OnQuestionSearch(); });
    // A bank's search; an exam's views do not search.
    BindUpdate(ID_QUESTION_SEARCH, [this](CCmdUI* ui) {
        const CCorraDoc* pDoc = GetCorraDoc();
        ui->Enable(pDoc && pDoc->GetDocKind() == DT_CORRA);
    });
    BindCommand(ID_EDIT_SELECT_ALL, [this] { OnSelectAll(); });
    BindUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI* ui) { ui->Enable(m_pList && m_pList->GetItemCount() > 0); });
    BindCommand(ID_UNSELECT_ALL, [this] { OnUnselectAll(); });
    BindUpdate(ID_UNSELECT_ALL, anySelected);

    // Draw modes.
    BindCommand(ID_VIEW_LARGE_ICON, [this] { OnLargeIcon(); });
    BindCommand(ID_VIEW_SMALL_ICON, [this] { OnSmallIcon(); });
    BindCommand(ID_VIEW_EXPANDED, [this] { OnExpanded(); });
    BindCommand(ID_VIEW_CONTRACTED, [this] { OnContracted(); });
    BindUpdate(ID_VIEW_LARGE_ICON, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode == CVDRAW_LARGE_ICON); });
    BindUpdate(ID_VIEW_SMALL_ICON, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode == CVDRAW_SMALL_ICON); });
    BindUpdate(ID_VIEW_EXPANDED, [this](CCmdUI* ui) {
        ui->Enable(!IsCollectionPane());
        ui->SetCheck(m_nDrawMode == CVDRAW_EXPANDED);
    });
    BindUpdate(ID_VIEW_CONTRACTED, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode != CVDRAW_EXPANDED); });
    BindCommand(ID_RECALC_SPLITTERS, [this] { AskFrameToRecalc(); });

    // Clipboard and deletion (undo and redo are the document's).
    BindCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    BindCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    BindCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    BindCommand(menus::kEditDelete, [this] { OnEditDelete(); });
    BindUpdate(ID_EDIT_COPY, anySelected);
    BindUpdate(ID_EDIT_CUT, anySelected);
    BindUpdate(menus::kEditDelete, anySelected);
    BindUpdate(ID_EDIT_PASTE, [this](CCmdUI* ui) { ui->Enable(CanPaste()); });

    // Question tools.
    BindCommand(ID_SET_QUESTION_ATTRIBUTES, [this] { OnSetQuestionAttributes(); });
    BindUpdate(ID_SET_QUESTION_ATTRIBUTES, anySelected);
    BindCommand(ID_QUESTION_IMAGES, [this] { OnQuestionImages(); });
    BindUpdate(ID_QUESTION_IMAGES, [this](CCmdUI* ui) {
        CCorraQuestion* q = GetSingleSelected();
        ui->Enable(q && !q->IsCollection());
    });
    BindCommand(ID_RENAME_COLLECTION, [this] { OnRenameCollection(); });
    BindUpdate(ID_RENAME_COLLECTION, [this, selectedCount](CCmdUI* ui) {
        ui->Enable(IsCollectionPane() && selectedCount() == 1);
    });
    BindCommand(ID_QUESTION_STATISTICS, [this] { OnQuestionStatistics(); });
    BindUpdate(ID_QUESTION_STATISTICS, always);

    // Fonts, choices and the check of the questions.
    BindCommand(ID_FONT_PRINTED_TITLE, [this] { OnFontSlot(14); });
    BindCommand(ID_FONT_PRINTED_DESCRIPTION, [this] { OnFontSlot(15); });
    BindCommand(ID_FONT_PRINTED_FILE_NAME, [this] { OnFontSlot(16); });
    BindCommand(ID_FONT_PRINTED_PAGE_NUMBER, [this] { OnFontSlot(17); });
    BindCommand(ID_SET_ALL_FONTS, [this] { OnSetAllFonts(); });
    BindUpdate(ID_SET_ALL_FONTS, always);
    BindCommand(ID_FORMAT_CHOICES, [this] { OnFormatChoices(); });
    BindUpdate(ID_FORMAT_CHOICES, hasQuestions);
    BindCommand(ID_INVALID_QUESTIONS, [this] { OnInvalidQuestions(); });
    BindUpdate(ID_INVALID_QUESTIONS, hasQuestions);

    // Printing and export (the collection pane hands them to the question pane).
    BindPrintingCommands();
    BindCommand(ID_PRINTING_PROPERTIES, [this] { OnPrintingProperties(); });
    BindUpdate(ID_PRINTING_PROPERTIES, always);
    BindCommand(ID_EXPORT_FILES, [this] { ExportDocument(); });
    BindUpdate(ID_EXPORT_FILES, always);

    // Sorts the older menus offered: taken, nothing done.
    BindCommand(ID_SORT_BY_ID, [] {});
    BindCommand(ID_SORT_BY_INDEX, [] {});
}

CCorraQuestion* CCorraView::GetSingleSelected() const
{
    return m_pList && m_pList->GetSelectedCount() == 1 ? m_pList->GetSelectedQuestion() : nullptr;
}

BOOL CCorraView::ClearQuestionDialogFirst()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return FALSE;
    IDocumentDialogs& dialogs = DocumentDialogs();
    if (dialogs.CheckSaveDlgChanges(*pDoc, MB_YESNOCANCEL) == IDCANCEL)
        return FALSE;
    dialogs.ClearQuestionDialog(*pDoc);
    return TRUE;
}

BOOL CCorraView::OnSelectAll()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!m_pList || !pDoc || m_pList->GetItemCount() == 0 || !ClearQuestionDialogFirst())
        return FALSE;
    if (!IsCollectionPane())
        DocumentDialogs().SelectDlgQuestion(*pDoc, m_pList->GetItemQuestion(m_pList->GetItemCount() - 1));
    m_pList->SelectItem(-1, TRUE);
    m_pList->viewport()->update();
    return TRUE;
}

BOOL CCorraView::OnUnselectAll()
{
    if (!m_pList || !ClearQuestionDialogFirst())
        return FALSE;
    m_pList->SelectItem(-1, FALSE);
    return TRUE;
}

void CCorraView::OnQuestionImages()
{
    if (!m_pList)
        return;
    CCorraQuestion* q = GetSingleSelected();
    if (!q) {
        MessageBoxService().Show("Must select exactly one question.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (q->IsCollection()) {
        MessageBoxService().Show("Cannot add images to a collection.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // OK stores the images in the document, which marks itself modified and tells its views.
    CQuestionImagesDlg dlg(q, GetCorraDoc(), this);
    dlg.DoModal();
}

void CCorraView::OnRenameCollection()
{
    CCorraDoc* pDoc = GetCorraDoc();
    CCorraQuestion* q = IsCollectionPane() ? GetSingleSelected() : nullptr;
    if (pDoc && q && q->IsCollection() && pDoc->RenameCollection(q))
        pDoc->SetModifiedFlag(TRUE);
}

void CCorraView::OnQuestionSearch()
{
    // Both panes and a collection's own window search the whole document; what is found opens
    // in a new collection window.
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || pDoc->GetDocKind() != DT_CORRA)
        return;
    CQuestionSearchDlg dlg(pDoc, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!pDoc->ShowQuestionsInCollection(dlg.m_lFound, "Search results...", TRUE))
        LogOutput("CCorraView::OnQuestionSearch() - no window for the search results", LOG_ERROR, LOG_HERE);
}

void CCorraView::OnFontSlot(int nSlot)
{
    if (IFontManagerDialog* dlg = FontManagerDialogSlot().Installed(); dlg && dlg->IsAvailable())
        dlg->Run(nSlot, this);
}
