#include "dialogs/SelectFormsDlg.h"

#include "dialogs/QuestionIdentifyDlg.h"

#include "model/CorraQuestion.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"
#include "res/ids/ManageDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSelectFormsDlg::CSelectFormsDlg(const CPtrListEx* candidates, BOOL bPrintForms, CWnd* pParent)
    : CDialog(IDD_SELECT_FORMS, pParent), m_bPrintForms(bPrintForms)
{
    if (candidates && !candidates->IsEmpty()) {
        m_csCaption = "Select Collections";
        m_lCandidates = *candidates;
    }
    m_pList = AddControl(IDC_SEL_LIST, new CListBox(this, TRUE));
    m_pList->setMinimumSize(220, 140);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateCheckBox(IDC_SEL_PRINT_FORMS, "&Print Forms"), 0, 0, 1, 2);
    grid->addWidget(CreateStatic("Select which form(s) to print:", 0, m_pList), 1, 0, 1, 2);
    grid->addWidget(m_pList, 2, 0, 3, 1);
    grid->addWidget(CreateButton(IDC_SEL_ALL, "Select &All"), 2, 1);
    grid->addWidget(CreateButton(IDC_SEL_CLEAR, "&Clear"), 3, 1);
    grid->setRowStretch(4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    BindNotify(IDC_SEL_PRINT_FORMS, BN_CLICKED, [this] { UpdateControls(); });
    BindCommand(IDC_SEL_ALL, [this] { OnSelectAll(); });
    BindCommand(IDC_SEL_CLEAR, [this] { OnClear(); });
}

BOOL CSelectFormsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_csCaption);
    m_pList->ResetContent();
    for (POSITION pos = m_lCandidates.GetHeadPosition(); pos;) {
        auto* entry = static_cast<CCorraQuestion*>(m_lCandidates.GetNext(pos));
        const int at = m_pList->AddString(entry ? entry->m_cszQuestionText : CString());
        m_pList->SetItemDataPtr(at, entry);
        if (m_lChosen.IsEmpty() || m_lChosen.Find(entry))
            m_pList->SetSel(at, TRUE);
    }
    UpdateControls();
    return TRUE;
}

void CSelectFormsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SEL_PRINT_FORMS, m_bPrintForms);
}

void CSelectFormsDlg::UpdateControls()
{
    const BOOL on = IsDlgButtonChecked(IDC_SEL_PRINT_FORMS);
    for (int id : {IDC_SEL_LIST, IDC_SEL_ALL, IDC_SEL_CLEAR})
        EnableDlgItem(id, on);
}

void CSelectFormsDlg::OnSelectAll()
{
    for (int i = 0; i < m_pList->GetCount(); ++i)
        m_pList->SetSel(i, TRUE);
}

void CSelectFormsDlg::OnClear()
{
    for (int i = 0; i < m_pList->GetCount(); ++i)
        m_pList->SetSel(i, FALSE);
}

void CSelectFormsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_lChosen.RemoveAll();
    for (int i = 0; i < m_pList->GetCount(); ++i)
        if (m_pList->GetSel(i) > 0)
            m_lChosen.AddTail(m_pList->GetItemDataPtr(i));
    EndDialog(IDOK);
}

BOOL RunSelectFormsDialog(const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen, CWnd* pParent,
                          LPCSTR caption)
{
    CSelectFormsDlg dlg(&forms, printForms, pParent);
    if (caption)
        dlg.m_csCaption = caption;
    dlg.m_lChosen = chosen;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    printForms = dlg.m_bPrintForms;
    chosen = dlg.m_lChosen;
    return TRUE;
}

BOOL CExamQuestionDialogs::SelectForms(CExamDoc&, const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen)
{
    return RunSelectFormsDialog(forms, printForms, chosen, m_pParent, "Select Forms");
}
