#include "dialogs/QuestionDialogs.h"

#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/SubjectsDlg.h"
#include "foundation/QuestionTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"

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
