#include "dialogs/SaveCollectionsDlg.h"

#include "dialogs/QuestionIdentifyDlg.h"

#include "foundation/CorraAppBase.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"
#include "res/ids/ManageDialogs.h"

#include <QLabel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

static_assert(IDC_SF_TRY_AGAIN == SAVE_FORMS_AGAIN, "Try Again ends the dialog with the exam's result");

namespace {

CString FormNameOf(void* view)
{
    const CCorraQuestion* form = ExamDialogs().GetViewForm(static_cast<CView*>(view));
    return form ? form->m_cszQuestionText : CString();
}

} // namespace

CSaveCollectionsDlg::CSaveCollectionsDlg(const CPtrListEx& views, CExamDoc* pExam, LPCSTR caption, CWnd* pParent)
    : CDialog(IDD_SAVE_COLLECTIONS, pParent), m_lViews(views), m_pExam(pExam), m_csCaption(caption ? caption : "")
{
    m_bCloseAll = CorraApp().GetProfileInt(PROFILE_SECTION, "CloseAll", 1, TRUE);

    setWindowTitle("Save Forms");
    m_pList = AddControl(IDC_SF_LIST, new CListBox(this));
    m_pList->setMinimumSize(220, 140);
    QLineEdit* score = CreateEdit(IDC_SF_SCORE);
    QLineEdit* count = CreateEdit(IDC_SF_COUNT);
    for (QLineEdit* e : {score, count}) {
        e->setReadOnly(true);
        e->setMaximumWidth(60);
    }
    auto* repeats = new QGroupBox("Repeats", this);
    auto* repeatsGrid = new QGridLayout(repeats);
    repeatsGrid->addWidget(CreateStatic("Score:", 0, score), 0, 0);
    repeatsGrid->addWidget(score, 0, 1);
    repeatsGrid->addWidget(CreateStatic("Count:", 0, count), 1, 0);
    repeatsGrid->addWidget(count, 1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(CreateButton(IDC_SF_EDIT, "&Edit..."));
    side->addWidget(repeats);
    side->addWidget(CreateCheckBox(IDC_SF_CLOSE_ALL, "&Close All"));
    side->addStretch();

    auto* top = new QHBoxLayout;
    auto* listSide = new QVBoxLayout;
    listSide->addWidget(CreateStatic("&Forms:", 0, m_pList));
    listSide->addWidget(m_pList, 1);
    top->addLayout(listSide, 1);
    top->addLayout(side);

    QDialogButtonBox* buttons = CreateButtonBox({IDOK, IDCANCEL});
    buttons->addButton(CreateButton(IDC_SF_TRY_AGAIN, "&Try Again"), QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    BindCommand(IDC_SF_EDIT, [this] { OnEditName(); });
    BindCommand(IDC_SF_TRY_AGAIN, [this] { OnTryAgain(); });
    BindNotify(IDC_SF_LIST, LBN_SELCHANGE, [this] { UpdateControls(); });
    BindNotify(IDC_SF_LIST, LBN_DBLCLK, [this] { OnEditName(); });
}

BOOL CSaveCollectionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pList->ResetContent();
    for (POSITION pos = m_lViews.GetHeadPosition(); pos;) {
        void* view = m_lViews.GetNext(pos);
        const int at = m_pList->AddString(FormNameOf(view));
        m_pList->SetItemDataPtr(at, view);
    }
    UpdateControls();
    if (!m_csCaption.IsEmpty())
        SetWindowText(m_csCaption);
    // Said once the dialog shows, so that the forms are seen behind the warning.
    if (m_nCount >= 1)
        SetTimer(DUPLICATES_TIMER, 500);
    return TRUE;
}

void CSaveCollectionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SF_SCORE, m_nScore);
    DDX_Text(pDX, IDC_SF_COUNT, m_nCount);
    DDX_Check(pDX, IDC_SF_CLOSE_ALL, m_bCloseAll);
}

void CSaveCollectionsDlg::UpdateControls()
{
    EnableDlgItem(IDC_SF_EDIT, m_pList->GetCurSel() >= 0);
    EnableDlgItem(IDC_SF_TRY_AGAIN, m_nCount >= 1);
}

void CSaveCollectionsDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != DUPLICATES_TIMER)
        return;
    KillTimer(DUPLICATES_TIMER);
    // Closed before the timer came: the forms are gone, and so is the reason to warn.
    if (IsEnded())
        return;
    CRichMessage message;
    message.title = "Duplicate entries";
    message.style = RMB_OK;
    message.paneId[0] = IDS_DUPLICATE_FORMS;
    RichMessageBox(message);
}

BOOL CSaveCollectionsDlg::IsNameTaken(const CString& name, int nExcept) const
{
    CString wanted = name;
    wanted.Trim();
    for (int i = 0; i < m_pList->GetCount(); ++i) {
        CString other = m_pList->GetText(i);
        other.Trim();
        if (i != nExcept && other.CompareNoCase(wanted) == 0)
            return TRUE;
    }
    return FALSE;
}

void CSaveCollectionsDlg::OnEditName()
{
    const int sel = m_pList->GetCurSel();
    if (sel < 0) {
        MessageBoxService().Show("Nothing selected.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!m_pExam)
        return;
    auto* view = static_cast<CView*>(m_pList->GetItemDataPtr(sel));
    CString name = m_pList->GetText(sel);
    // The new forms are not in the exam yet, so the exam's check cannot see them: two of
    // them under one name would be saved into one form.
    for (;;) {
        if (!m_pExam->PromptCollectionName(name, FALSE, nullptr, view))
            return;
        if (!IsNameTaken(name, sel))
            break;
        MessageBoxService().Show(name + " already exists", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    }
    if (!ExamDialogs().RenameFormView(view, name))
        return;
    m_pList->DeleteString(sel);
    m_pList->InsertString(sel, name);
    m_pList->SetItemDataPtr(sel, view);
    m_pList->SetCurSel(sel);
    UpdateControls();
}

void CSaveCollectionsDlg::OnTryAgain()
{
    KillTimer(DUPLICATES_TIMER);
    EndDialog(IDC_SF_TRY_AGAIN);
}

void CSaveCollectionsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    KillTimer(DUPLICATES_TIMER);
    CorraApp().WriteProfileInt(PROFILE_SECTION, "CloseAll", m_bCloseAll);
    EndDialog(IDOK);
}

int RunSaveFormsDialog(CExamDoc& exam, const CPtrListEx& views, CSaveFormsValues& values, CWnd* pParent)
{
    CSaveCollectionsDlg dlg(views, &exam, values.caption, pParent);
    dlg.m_nScore = values.duplicateScore;
    dlg.m_nCount = values.repeatCount;
    const int result = static_cast<int>(dlg.DoModal());
    if (result == IDOK)
        values.closeViews = dlg.m_bCloseAll;
    return result;
}

int CExamQuestionDialogs::SaveForms(CExamDoc& exam, const CPtrListEx& views, CSaveFormsValues& values)
{
    return RunSaveFormsDialog(exam, views, values, m_pParent);
}
