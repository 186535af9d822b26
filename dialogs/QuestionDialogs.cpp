#include "dialogs/QuestionDialogs.h"

#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/GroupsDlg.h"
#include "dialogs/SubjectsDlg.h"
#include "foundation/QuestionTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/Services.h"

#include <QApplication>

CQuestionDialogs::CQuestionDialogs(CWnd* pParent) : m_pParent(pParent) {}

CQuestionDialogs::~CQuestionDialogs() = default;

CCorraQuestionDlg* CQuestionDialogs::FindEditor(CCorraDoc& doc) const
{
    auto it = m_editors.find(&doc);
    return it == m_editors.end() ? nullptr : it->second.get();
}

CCorraQuestionDlg& CQuestionDialogs::Editor(CCorraDoc& doc)
{
    if (CCorraQuestionDlg* found = FindEditor(doc))
        return *found;
    auto dlg = std::make_unique<CCorraQuestionDlg>(&doc, m_pParent);
    dlg->CreateHidden();
    dlg->SetWindowText(doc.GetQuestionDlgTitle());
    CCorraQuestionDlg& made = *dlg;
    m_editors[&doc] = std::move(dlg);
    return made;
}

void CQuestionDialogs::ShowQuestionDialog(CCorraDoc& doc)
{
    CCorraQuestionDlg& dlg = Editor(doc);
    dlg.ShowWindow(SW_SHOW);
    dlg.raise();
    dlg.UpdateControls();
}

BOOL CQuestionDialogs::IsQuestionDialogVisible(CCorraDoc& doc)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    return dlg && dlg->IsWindowVisible();
}

BOOL CQuestionDialogs::QuestionDialogHasQuestion(CCorraDoc& doc)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    return dlg && dlg->FindShownQuestion() != nullptr;
}

void CQuestionDialogs::SetQuestionDialogTitle(CCorraDoc& doc, const CString& title)
{
    if (CCorraQuestionDlg* dlg = FindEditor(doc))
        dlg->SetWindowText(title);
}

void CQuestionDialogs::QuestionImagesChanged(CCorraDoc& doc, CCorraQuestion& question)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    if (dlg && dlg->GetShownId() == question.m_nId)
        dlg->TakeImages(question);
}

BOOL CQuestionDialogs::StoreDialogQuestion(CCorraDoc& doc)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    return dlg && dlg->OnModify();
}

BOOL CQuestionDialogs::SelectDlgQuestion(CCorraDoc& doc, CCorraQuestion* question)
{
    // The editor edits only the types it knows; a collection or an unknown type is not shown.
    if (question && !AllowedQuestDlgType(question->m_nType))
        return FALSE;
    return Editor(doc).SelectQuestion(question);
}

int CQuestionDialogs::CheckSaveDlgChanges(CCorraDoc& doc, UINT style)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    return dlg ? dlg->CheckSaveChanges(style) : 6;
}

void CQuestionDialogs::DocumentFontsChanged(CCorraDoc& doc)
{
    if (CCorraQuestionDlg* dlg = FindEditor(doc))
        dlg->OnFontsChanged();
    if (CGroupsDlg2* groups = FindGroupsWindow(doc))
        groups->ResetDescriptionFont();
}

void CQuestionDialogs::ClearQuestionDialog(CCorraDoc& doc)
{
    if (CCorraQuestionDlg* dlg = FindEditor(doc))
        dlg->SetQuestion(nullptr);
}

void CQuestionDialogs::HideQuestionDialog(CCorraDoc& doc)
{
    if (CCorraQuestionDlg* dlg = FindEditor(doc))
        dlg->ShowWindow(SW_HIDE);
}

BOOL CQuestionDialogs::IsQuestionDialogBusy(CCorraDoc& doc)
{
    CCorraQuestionDlg* dlg = FindEditor(doc);
    for (QWidget* w = dlg ? QApplication::activeModalWidget() : nullptr; w; w = w->parentWidget())
        if (w == dlg)
            return TRUE;
    return FALSE;
}

CGroupsDlg2* CQuestionDialogs::FindGroupsWindow(CCorraDoc& doc) const
{
    auto it = m_groups.find(&doc);
    return it == m_groups.end() ? nullptr : it->second.get();
}

void CQuestionDialogs::ShowGroupsWindow(CCorraDoc& doc)
{
    CGroupsDlg2* dlg = FindGroupsWindow(doc);
    if (!dlg) {
        auto made = std::make_unique<CGroupsDlg2>(&doc, m_pParent);
        if (!made->Create(IDD_GROUPS, m_pParent)) {
            MessageBoxService().Show("Failed to initialize groups dlg.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        dlg = made.get();
        m_groups[&doc] = std::move(made);
        OnGroupsWindowMade(*dlg);
    }
    dlg->ShowGroups();
}

void CQuestionDialogs::SetGroupsWindowTitle(CCorraDoc& doc, const CString& title)
{
    if (CGroupsDlg2* dlg = FindGroupsWindow(doc))
        dlg->SetWindowText(title);
}

BOOL CQuestionDialogs::OfferNewSubjects(CCorraDoc&, const CStringArray& subjects)
{
    // The chooser adds what the user picks to the master list and saves it at once.
    CSubjectsDlg dlg(m_pParent, TRUE);
    dlg.m_saSubjects.Copy(subjects);
    dlg.DoModal();
    return TRUE;
}

void CQuestionDialogs::CloseDocumentWindows(CCorraDoc& doc)
{
    if (auto groups = m_groups.find(&doc); groups != m_groups.end()) {
        std::unique_ptr<CGroupsDlg2> dlg = std::move(groups->second);
        m_groups.erase(groups);
        dlg->OnClose();
    }
    auto it = m_editors.find(&doc);
    if (it == m_editors.end())
        return;
    std::unique_ptr<CCorraQuestionDlg> dlg = std::move(it->second);
    m_editors.erase(it);
    dlg->ShowWindow(SW_HIDE);
}

BOOL EditQuestionInDialog(CCorraDoc& doc, CCorraQuestion* question)
{
    IDocumentDialogs& dialogs = DocumentDialogs();
    if (!dialogs.SelectDlgQuestion(doc, question))
        return FALSE;
    dialogs.ShowQuestionDialog(doc);
    return TRUE;
}
