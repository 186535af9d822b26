#include "app/DocTypeDlg.h"

#include "platform/ui/DocTemplate.h"
#include "platform/ui/ListBox.h"
#include "res/ids/App.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CDocTypeDlg::CDocTypeDlg(const std::vector<CDocTemplate*>& templates, LPCSTR lpszTitle, CWnd* pParent)
    : CDialog(IDD_NEWTYPEDLG, pParent)
{
    for (CDocTemplate* t : templates) {
        CString name;
        if (t && t->GetDocString(name, CDocTemplate::fileNewName))
            m_offered.push_back(t);
    }
    setWindowTitle(QString::fromLatin1(lpszTitle ? lpszTitle : "New"));
    auto* layout = new QVBoxLayout(this);
    m_pList = AddControl(IDC_NEWTYPE_LIST, new CListBox(this));
    layout->addWidget(CreateStatic("&Document type:", 0, m_pList));
    layout->addWidget(m_pList);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    BindNotify(IDC_NEWTYPE_LIST, LBN_DBLCLK, [this] { OnOK(); });
    resize(260, 200);
}

CDocTemplate* CDocTypeDlg::Choose()
{
    if (m_offered.empty())
        return nullptr;
    if (m_offered.size() == 1)
        return m_offered.front();
    return DoModal() == IDOK ? m_pSelected : nullptr;
}

BOOL CDocTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pList->ResetContent();
    for (CDocTemplate* t : m_offered) {
        CString name;
        t->GetDocString(name, CDocTemplate::fileNewName);
        int i = m_pList->AddString(name);
        m_pList->SetItemDataPtr(i, t);
    }
    m_pList->SetCurSel(0);
    return TRUE;
}

void CDocTypeDlg::OnOK()
{
    int sel = m_pList->GetCurSel();
    m_pSelected = sel >= 0 ? static_cast<CDocTemplate*>(m_pList->GetItemDataPtr(sel)) : nullptr;
    EndDialog(m_pSelected ? IDOK : IDCANCEL);
}
