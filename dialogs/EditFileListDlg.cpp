#include "dialogs/EditFileListDlg.h"

#include "dialogs/MasterLists.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CEditFileListDlg::CEditFileListDlg(CWnd* pParent) : CFixedFontDialog(IDD_EDIT_FILE_LIST, pParent)
{
    m_nTemplateId = IDD_EDIT_FILE_LIST;
    m_pEdit = CreateEdit(IDC_EFL_EDIT);
    m_pList = AddControl(IDC_EFL_LIST, new CListBox(this));
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("&Enter new:", 0, m_pEdit), 0, 0);
    grid->addWidget(m_pEdit, 1, 0);
    grid->addWidget(CreateButton(IDC_EFL_ADD, "&Add"), 1, 1);
    grid->addWidget(m_pList, 2, 0, 4, 1);
    grid->addWidget(CreateButton(IDC_EFL_DELETE, "&Delete"), 2, 1);
    grid->addWidget(CreateButton(IDC_EFL_DELETE_ALL, "Delete A&ll"), 3, 1);
    grid->addWidget(CreateButton(IDC_EFL_CHANGE, "&Change"), 4, 1);
    grid->setRowStretch(5, 1);
    m_pList->setMinimumSize(260, 200);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    BindCommand(IDC_EFL_ADD, [this] { OnAdd(); });
    BindCommand(IDC_EFL_DELETE, [this] { OnDelete(); });
    BindCommand(IDC_EFL_DELETE_ALL, [this] { OnDeleteAll(); });
    BindCommand(IDC_EFL_CHANGE, [this] { OnChangeEntry(); });
    BindNotify(IDC_EFL_EDIT, EN_CHANGE, [this] { OnTyped(); });
    BindNotify(IDC_EFL_LIST, LBN_SELCHANGE, [this] { OnSelect(); });
}

BOOL CEditFileListDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    SetWindowText(m_csCaption);
    m_pList->ResetContent();
    for (int i = 0; i < m_saLines.GetSize(); ++i)
        m_pList->AddString(m_saLines[i]);
    UpdateButtons();
    return TRUE;
}

void CEditFileListDlg::DoDataExchange(CDataExchange* pDX)
{
    CFixedFontDialog::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate) {
        m_saLines.RemoveAll();
        for (int i = 0; i < m_pList->GetCount(); ++i)
            m_saLines.Add(m_pList->GetText(i));
    }
}

BOOL CEditFileListDlg::CheckNewText(const CString& text)
{
    if (text.IsEmpty()) {
        MessageBoxService().Show("Nothing to add.  Enter new text first.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (FindForbiddenChar(text, m_csForbidden)) {
        MessageBoxService().Show("The following characters are not allowed:\n\n" + m_csForbidden, CORRA_PRODUCT_NAME,
                                 MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CEditFileListDlg::OnAdd()
{
    CString text = FromQString(m_pEdit->text());
    text.Trim();
    if (!CheckNewText(text))
        return;
    m_pList->AddString(text);
    m_bFilling = TRUE;
    m_pEdit->clear();
    m_bFilling = FALSE;
    UpdateButtons();
}

void CEditFileListDlg::OnDelete()
{
    int sel = m_pList->GetCurSel();
    if (sel >= 0)
        m_pList->DeleteString(sel);
    UpdateButtons();
}

void CEditFileListDlg::OnDeleteAll()
{
    m_pList->ResetContent();
    UpdateButtons();
}

void CEditFileListDlg::OnChangeEntry()
{
    int at = m_pList->GetCurSel();
    if (at < 0)
        at = m_pList->GetCaretIndex();
    if (at < 0)
        return;
    CString text = FromQString(m_pEdit->text());
    text.Trim();
    // A changed entry is a new text: the same checks as Add.
    if (!CheckNewText(text))
        return;
    m_pList->DeleteString(at);
    m_pList->InsertString(at, text);
    m_pList->SetCurSel(at);
    UpdateButtons();
}

void CEditFileListDlg::OnTyped()
{
    if (m_bFilling)
        return;
    const CString text = FromQString(m_pEdit->text());
    if (!text.IsEmpty()) {
        int found = m_pList->FindString(-1, text);
        if (found >= 0) {
            m_pList->SetCurSel(found);
            m_pList->SetTopIndex(found);
        }
    }
    UpdateButtons();
}

void CEditFileListDlg::OnSelect()
{
    int sel = m_pList->GetCurSel();
    if (sel >= 0) {
        m_bFilling = TRUE;
        m_pEdit->setText(ToQString(m_pList->GetText(sel)));
        m_bFilling = FALSE;
    }
    UpdateButtons();
}

void CEditFileListDlg::UpdateButtons()
{
    const CString text = FromQString(m_pEdit->text());
    const int sel = m_pList->GetCurSel();
    EnableDlgItem(IDC_EFL_ADD, text.IsEmpty() || m_pList->FindString(-1, text) < 0);
    EnableDlgItem(IDC_EFL_DELETE, sel >= 0);
    EnableDlgItem(IDC_EFL_DELETE_ALL, m_pList->GetCount() > 0);
    EnableDlgItem(IDC_EFL_CHANGE, sel >= 0 && m_pList->GetText(sel) != text);
}

int CEditFileListService::EditFileList(CStringArrayEx& entries, const CString& title, const CString& forbidden)
{
    CEditFileListDlg dlg(AfxGetMainWnd());
    if (!title.IsEmpty())
        dlg.m_csCaption = title;
    dlg.m_csForbidden = forbidden;
    dlg.m_saLines.Copy(entries);
    int result = static_cast<int>(dlg.DoModal());
    if (result == IDOK)
        entries.Copy(dlg.m_saLines);
    return result;
}
