#include "dialogs/SubjectsDlg.h"

#include "controls/TextListBoxes.h"
#include "dialogs/MasterLists.h"
#include "foundation/Log.h"
#include "platform/core/Services.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSubjectsDlg::CSubjectsDlg(CWnd* pParent, BOOL bNewSubjects)
    : CFixedFontDialog(IDD_SUBJECTS_DLG, pParent), m_bNewSubjects(bNewSubjects), m_master(256)
{
    m_nTemplateId = IDD_SUBJECTS_DLG;
    m_pMaster = AddControl(IDC_SUBJ_MASTER, new CListBox(this, FALSE, TRUE));
    m_pTypeAhead = CreateEdit(IDC_SUBJ_TYPEAHEAD);
    m_pSelected = AddControl(IDC_SUBJ_SELECTED, new CListBox(this, TRUE, TRUE));
    m_pMaster->setMinimumSize(200, 220);
    m_pSelected->setMinimumSize(200, 220);

    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("Master Subject List", IDC_SUBJ_MASTER_CAPTION), 0, 0);
    grid->addWidget(m_pTypeAhead, 1, 0);
    grid->addWidget(m_pMaster, 2, 0, 6, 1);
    grid->addWidget(CreateStatic("Selected Subjects", IDC_SUBJ_SELECTED_CAPTION), 0, 2);
    grid->addWidget(m_pSelected, 1, 2, 7, 1);
    grid->addWidget(CreateButton(IDC_SUBJ_SELECT, "&Select >>"), 2, 1);
    grid->addWidget(CreateButton(IDC_SUBJ_UNSELECT, "<< &Unselect"), 3, 1);
    grid->addWidget(CreateButton(IDC_SUBJ_CLEAR, "C&lear"), 4, 1);
    grid->addWidget(CreateButton(IDC_SUBJ_ADD, "<< &Add"), 5, 1);
    grid->addWidget(CreateButton(IDC_SUBJ_ADD_ALL, "<< Add A&ll"), 6, 1);
    grid->setRowStretch(7, 1);
    QLabel* explain = CreateStatic("", IDC_SUBJ_EXPLAIN);
    explain->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(explain);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CreateButton(IDC_SUBJ_EDIT_MASTER, "&Edit Master List..."));
    bottom->addStretch(1);
    bottom->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    layout->addLayout(bottom);

    BindCommand(IDC_SUBJ_SELECT, [this] { OnSelect(); });
    BindCommand(IDC_SUBJ_UNSELECT, [this] { OnUnselect(); });
    BindCommand(IDC_SUBJ_CLEAR, [this] { OnClear(); });
    BindCommand(IDC_SUBJ_ADD, [this] { OnAdd(); });
    BindCommand(IDC_SUBJ_ADD_ALL, [this] { OnAddAll(); });
    BindCommand(IDC_SUBJ_EDIT_MASTER, [this] { OnEditMaster(); });
    BindNotify(IDC_SUBJ_MASTER, LBN_DBLCLK, [this] { OnSelect(); });
    BindNotify(IDC_SUBJ_MASTER, LBN_SELCHANGE, [this] {
        int sel = m_pMaster->GetCurSel();
        if (sel >= 0) {
            m_bFilling = TRUE;
            m_pTypeAhead->setText(ToQString(m_pMaster->GetText(sel)));
            m_bFilling = FALSE;
        }
    });
    BindNotify(IDC_SUBJ_SELECTED, LBN_SELCHANGE, [this] { UpdateButtons(); });
    BindNotify(IDC_SUBJ_TYPEAHEAD, EN_CHANGE, [this] { OnTyped(); });
}

void CSubjectsDlg::FillMaster()
{
    m_pMaster->ResetContent();
    FillListBox(m_master, *m_pMaster);
}

BOOL CSubjectsDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    if (!InitMasterList(SubjectList(), m_master))
        LogOutput("CSubjectsDlg::OnInitDialog() - failed to InitFileList()", 2, LOG_HERE);
    FillMaster();
    m_pSelected->ResetContent();
    for (int i = 0; i < m_saSubjects.GetSize(); ++i) {
        const CString subject = m_saSubjects[i];
        if (!m_bNewSubjects && FindMasterEntry(m_master, subject) < 0 && OfferToMaster(subject, MB_YESNOCANCEL) == IDCANCEL) {
            m_bCancelled = TRUE;
            EndDialog(IDCANCEL);
            return TRUE;
        }
        m_pSelected->AddString(subject);
    }
    const BOOL bNew = m_bNewSubjects;
    for (int id : {IDC_SUBJ_SELECT, IDC_SUBJ_UNSELECT, IDC_SUBJ_CLEAR, IDC_SUBJ_TYPEAHEAD})
        ShowDlgItem(id, bNew ? SW_HIDE : SW_SHOW);
    for (int id : {IDC_SUBJ_ADD, IDC_SUBJ_ADD_ALL, IDC_SUBJ_EXPLAIN, IDC_SUBJ_MASTER_CAPTION})
        ShowDlgItem(id, bNew ? SW_SHOW : SW_HIDE);
    if (bNew) {
        SetDlgItemText(IDC_SUBJ_SELECTED_CAPTION, "New Subjects");
        SetDlgItemText(IDC_SUBJ_MASTER_CAPTION, "Existing Master List");
        SetWindowText("New Subjects...");
        SetDlgItemText(IDC_SUBJ_EXPLAIN, "The document just opened contains subjects currently not in the Master Subject "
                                         "List.  Select which subjects to be added.");
    } else {
        SetWindowText("Choose Subject(s)");
    }
    m_bModified = FALSE;
    UpdateButtons();
    return TRUE;
}

void CSubjectsDlg::AddToMaster(const CString& subject)
{
    if (FindForbiddenChar(subject, SubjectList().forbidden)) {
        MessageBoxService().Show(CString("The following characters are not allowed:\n\n") + SubjectList().forbidden,
                                 CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (AddMasterEntry(m_master, subject)) {
        m_pMaster->AddString(subject);
        SaveMasterList(m_master);
    }
}

int CSubjectsDlg::OfferToMaster(const CString& subject, UINT buttons)
{
    const int answer = MessageBoxService().Show("The following subject was not found in the Master Subject List.\n\n" +
                                                    subject + "\n\nDo you wish to add it?",
                                                CORRA_PRODUCT_NAME, buttons | MB_ICONQUESTION);
    if (answer == IDYES)
        AddToMaster(subject);
    return answer;
}

void CSubjectsDlg::OnSelect()
{
    // A typed subject counts over the highlighted entry, which only begins like it.
    const CString typed = m_pTypeAhead->isVisibleTo(this) ? FromQString(m_pTypeAhead->text()).Trim() : CString();
    CString subject;
    if (!typed.IsEmpty()) {
        int at = FindMasterEntry(m_master, typed);
        if (at < 0) {
            OfferToMaster(typed, MB_YESNO);
            at = FindMasterEntry(m_master, typed);
            if (at < 0)
                return;
        }
        subject = m_master.GetLines()[at];
        m_pMaster->SetCurSel(m_pMaster->FindStringExact(-1, subject));
    } else {
        int sel = m_pMaster->GetCurSel();
        if (sel < 0) {
            MessageBoxService().Show("Nothing selected.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
            return;
        }
        subject = m_pMaster->GetText(sel);
    }
    if (m_pSelected->FindStringExact(-1, subject) >= 0) {
        MessageBoxService().Show("Already selected.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    int at = m_pSelected->AddString(subject);
    for (int i = 0; i < m_pSelected->GetCount(); ++i)
        m_pSelected->SetSel(i, i == at);
    m_bModified = TRUE;
    UpdateButtons();
}

void CSubjectsDlg::OnUnselect()
{
    DeleteSelectedListBoxItems(m_pSelected);
    m_bModified = TRUE;
    UpdateButtons();
}

void CSubjectsDlg::OnClear()
{
    m_pSelected->ResetContent();
    m_bModified = TRUE;
    UpdateButtons();
}

void CSubjectsDlg::OnAdd()
{
    CStringArray chosen;
    GetSelectedListBoxTexts(m_pSelected, chosen);
    if (chosen.IsEmpty()) {
        MessageBoxService().Show("Nothing selected.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    for (int i = 0; i < chosen.GetSize(); ++i) {
        if (FindMasterEntry(m_master, chosen[i]) >= 0) {
            MessageBoxService().Show("Subject already exists in Master List:\n\n" + chosen[i], CORRA_PRODUCT_NAME,
                                     MB_OK | MB_ICONINFORMATION);
            continue;
        }
        AddToMaster(chosen[i]);
        m_bModified = TRUE;
    }
    DeleteSelectedListBoxItems(m_pSelected);
    UpdateButtons();
}

void CSubjectsDlg::OnAddAll()
{
    for (int i = 0; i < m_pSelected->GetCount(); ++i) {
        const CString subject = m_pSelected->GetText(i);
        if (FindMasterEntry(m_master, subject) < 0) {
            AddToMaster(subject);
            m_bModified = TRUE;
        }
    }
    m_pSelected->ResetContent();
    m_saSubjects.RemoveAll();
    UpdateButtons();
}

void CSubjectsDlg::OnEditMaster()
{
    CStringArray highlighted;
    int sel = m_pMaster->GetCurSel();
    if (sel >= 0)
        highlighted.Add(m_pMaster->GetText(sel));
    EditMasterList(SubjectList(), m_master);
    FillMaster();
    for (int i = 0; i < highlighted.GetSize(); ++i) {
        int at = m_pMaster->FindStringExact(-1, highlighted[i]);
        if (at >= 0 && m_pMaster->GetText(at) == highlighted[i])
            m_pMaster->SetCurSel(at);
    }
}

void CSubjectsDlg::OnTyped()
{
    if (m_bFilling)
        return;
    const CString text = FromQString(m_pTypeAhead->text());
    if (text.IsEmpty())
        return;
    int found = m_pMaster->FindString(-1, text);
    if (found >= 0) {
        m_pMaster->SetCurSel(found);
        m_pMaster->SetTopIndex(found);
    }
}

void CSubjectsDlg::UpdateButtons()
{
    const BOOL bSelected = m_pSelected->GetSelCount() > 0;
    const BOOL bAny = m_pSelected->GetCount() > 0;
    EnableDlgItem(IDC_SUBJ_UNSELECT, bSelected);
    EnableDlgItem(IDC_SUBJ_ADD, bSelected);
    EnableDlgItem(IDC_SUBJ_CLEAR, bAny);
    EnableDlgItem(IDC_SUBJ_ADD_ALL, bAny);
    EnableDlgItem(IDOK, m_bModified);
}

void CSubjectsDlg::OnOK()
{
    m_saSubjects.RemoveAll();
    for (int i = 0; i < m_pSelected->GetCount(); ++i)
        m_saSubjects.Add(m_pSelected->GetText(i));
    EndDialog(IDOK);
}

void CSubjectsDlg::OnCancel()
{
    m_bCancelled = TRUE;
    EndDialog(IDCANCEL);
}
