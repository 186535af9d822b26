#include "dialogs/SetQuestionAttributesDlg.h"

#include "controls/MRUPathComboBox.h"
#include "dialogs/MasterLists.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"
#include "foundation/Log.h"
#include "foundation/QuestionTypes.h"
#include "model/CorraDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/CharFormat.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/RichEditCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/SysColor.h"
#include "res/ids/QuestionTools.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {

constexpr int kMaxListText = 256;
constexpr int kLevels = 7;

const int kChecks[] = {IDC_SQA_TYPE_CHECK, IDC_SQA_LEVEL_CHECK, IDC_SQA_INDEX_CHECK, IDC_SQA_SUBJECTS_CHECK,
                       IDC_SQA_BOOKS_CHECK};

BOOL IsUnsignedNumber(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > 9)
        return FALSE;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return FALSE;
    return TRUE;
}

CString NotAllowed(const char* forbidden)
{
    return CString("The following characters are not allowed:\n\n") + forbidden;
}

}  // namespace

CSetQuestionAttributesDlg::CSetQuestionAttributesDlg(CCorraDoc* pDoc, CView* pView, CWnd* pParent)
    : CDialog(IDD_SET_QUESTION_ATTRIBUTES, pParent), m_pDoc(pDoc), m_pView(pView)
{
    setWindowTitle("Set Question Attributes");
    auto* layout = new QVBoxLayout(this);
    m_pInfo = AddControl(IDC_SQA_INFO, new CRichEditCtrl(this));
    m_pInfo->SetReadOnly(TRUE);
    m_pInfo->setFixedHeight(34);
    m_pInfo->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_pInfo);

    auto* body = new QHBoxLayout;
    // Type and level: a list each.
    auto* lists = new QHBoxLayout;
    auto* typeBox = new QVBoxLayout;
    typeBox->addWidget(CreateCheckBox(IDC_SQA_TYPE_CHECK, "&Type"));
    m_pTypes = AddControl(IDC_SQA_TYPE, new CListBox(this));
    m_pTypes->setFixedWidth(70);
    typeBox->addWidget(m_pTypes, 1);
    lists->addLayout(typeBox);
    auto* levelBox = new QVBoxLayout;
    levelBox->addWidget(CreateCheckBox(IDC_SQA_LEVEL_CHECK, "&Level"));
    m_pLevels = AddControl(IDC_SQA_LEVEL, new CListBox(this));
    m_pLevels->setFixedWidth(70);
    levelBox->addWidget(m_pLevels, 1);
    lists->addLayout(levelBox);
    body->addLayout(lists);

    auto* right = new QVBoxLayout;
    // Index: edit, spin and "Next".
    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(CreateCheckBox(IDC_SQA_INDEX_CHECK, "&Index"));
    QLineEdit* index = CreateEdit(IDC_SQA_INDEX, "0");
    index->setFixedWidth(70);
    indexRow->addWidget(index);
    auto* spin = AddControl(IDC_SQA_INDEX_SPIN, new CSpinButtonCtrl(this));
    spin->SetRange(0, INT_MAX);
    indexRow->addWidget(spin);
    indexRow->addWidget(CreateButton(IDC_SQA_INDEX_NEXT, "&Next"));
    indexRow->addStretch();
    right->addLayout(indexRow);

    // Subjects and books: a check, the chooser, the recent combo and the three modes.
    struct Category {
        int check, choose, combo, replace, add, remove;
        const char *checkText, *chooseText;
        CMRUPathComboBox** combo_;
    };
    const Category categories[] = {
        {IDC_SQA_SUBJECTS_CHECK, IDC_SQA_SUBJECTS_CHOOSE, IDC_SQA_SUBJECTS, IDC_SQA_SUBJECTS_REPLACE,
         IDC_SQA_SUBJECTS_ADD, IDC_SQA_SUBJECTS_REMOVE, "&Subjects", "S&ubjects...", &m_pSubjectsCombo},
        {IDC_SQA_BOOKS_CHECK, IDC_SQA_BOOKS_CHOOSE, IDC_SQA_BOOKS, IDC_SQA_BOOKS_REPLACE, IDC_SQA_BOOKS_ADD,
         IDC_SQA_BOOKS_REMOVE, "&Books", "B&ooks...", &m_pBooksCombo},
    };
    for (const Category& c : categories) {
        auto* group = new QGroupBox(this);
        auto* grid = new QGridLayout(group);
        grid->addWidget(CreateCheckBox(c.check, c.checkText), 0, 0);
        grid->addWidget(CreateButton(c.choose, c.chooseText), 0, 3);
        auto* combo = AddControl(c.combo, new CMRUPathComboBox(this));
        combo->LimitText(kMaxListText);
        combo->setMinimumWidth(300);
        *c.combo_ = combo;
        grid->addWidget(combo, 1, 0, 1, 4);
        grid->addWidget(CreateRadioButton(c.replace, "Replace", TRUE), 2, 0);
        grid->addWidget(CreateRadioButton(c.add, "Add"), 2, 1);
        grid->addWidget(CreateRadioButton(c.remove, "Remove"), 2, 2);
        right->addWidget(group);
    }
    right->addStretch();
    body->addLayout(right, 1);
    layout->addLayout(body, 1);

    auto* buttons = CreateButtonBox({IDOK, IDCANCEL, IDHELP});
    buttons->addButton(CreateButton(IDC_SQA_STATISTICS, "St&atistics..."), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    for (int id : kChecks)
        BindNotify(id, BN_CLICKED, [this, id] { OnCheck(id); });
    BindNotify(IDC_SQA_SUBJECTS, CBN_SELCHANGE, [this] { OnSubjectsChosen(); });
    BindNotify(IDC_SQA_BOOKS, CBN_SELCHANGE, [this] { OnBooksChosen(); });
    BindNotify<NMUPDOWN>(IDC_SQA_INDEX_SPIN, UDN_DELTAPOS, [this](NMUPDOWN* nm) {
        OnSpin(nm->iDelta);
        nm->iDelta = 0;
    });
    BindNotify(IDC_SQA_INDEX_NEXT, BN_CLICKED, [this] { OnNextIndex(); });
    BindNotify(IDC_SQA_SUBJECTS_CHOOSE, BN_CLICKED, [this] { OnChooseSubjects(); });
    BindNotify(IDC_SQA_BOOKS_CHOOSE, BN_CLICKED, [this] { OnChooseBooks(); });
    BindNotify(IDC_SQA_STATISTICS, BN_CLICKED, [this] { OnStatistics(); });
}

BOOL CSetQuestionAttributesDlg::OnInitDialog()
{
    m_pTypes->ResetContent();
    for (int i = 0; i < GetQuestionTypeCount(); ++i) {
        const UINT id = GetQuestionTypeId(i);
        if (!AllowedQuestDlgType(static_cast<long>(id)))
            continue;
        const int item = m_pTypes->AddString(LoadStringId(id));
        m_pTypes->SetItemData(item, id);
    }
    m_pLevels->ResetContent();
    for (int level = 0; level < kLevels; ++level)
        m_pLevels->AddString(CString::Formatted("%d", level));
    SetupRecentCombo(*m_pSubjectsCombo, m_saRecentSubjects, "SubjectSet");
    SetupRecentCombo(*m_pBooksCombo, m_saRecentBooks, "TextbookSet");
    CDialog::OnInitDialog();
    UpdateControls();

    CHARFORMAT cf;
    cf.dwMask = CFM_BOLD | CFM_SIZE;
    cf.dwEffects = CFE_BOLD;
    cf.yHeight = 12 * 20;
    m_pInfo->SetDefaultCharFormat(cf);
    m_pInfo->SetBackgroundColor(FALSE, GetSysColor(COLOR_BTNFACE));
    m_pInfo->SetWindowText(CString::Formatted("Set attributes for %d question(s).", m_lQuestions.GetCount()));
    return TRUE;
}

BOOL CSetQuestionAttributesDlg::ParseBooks(const CString& text, BOOL bReport)
{
    CStringArray entries, books, chapters;
    SplitStrings(text, entries);
    for (int i = 0; i < entries.GetSize(); ++i) {
        CString book = entries[i], chapter = "0";
        const int semi = book.Find(';');
        if (semi >= 0) {
            chapter = book.Mid(semi + 1);
            book = book.Left(semi);
        }
        book.Trim();
        chapter.Trim();
        if (book.IsEmpty() || !IsUnsignedNumber(chapter)) {
            if (bReport)
                MessageBoxService().Show("Invalid or missing chapter number.  Chapter\nnumber must be a positive non-zero number.",
                                         "Format error", MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        books.Add(book);
        chapters.Add(chapter);
    }
    m_saBooks.RemoveAll();
    m_saBooks.Append(books);
    m_saChapters.RemoveAll();
    m_saChapters.Append(chapters);
    return TRUE;
}

void CSetQuestionAttributesDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SQA_INDEX_CHECK, m_bIndex);
    DDX_Check(pDX, IDC_SQA_LEVEL_CHECK, m_bLevel);
    DDX_Check(pDX, IDC_SQA_SUBJECTS_CHECK, m_bSubjects);
    DDX_Check(pDX, IDC_SQA_BOOKS_CHECK, m_bBooks);
    DDX_Check(pDX, IDC_SQA_TYPE_CHECK, m_bType);
    DDX_Radio(pDX, IDC_SQA_SUBJECTS_REPLACE, m_nSubjectsMode);
    DDX_Radio(pDX, IDC_SQA_BOOKS_REPLACE, m_nBooksMode);
    DDX_LBIndex(pDX, IDC_SQA_TYPE, m_nTypeIndex);
    DDX_LBIndex(pDX, IDC_SQA_LEVEL, m_nLevel);
    if (m_nLevel < 0) {
        ASSERT(m_nLevel >= 0);
        m_nLevel = 0;
    }
    const BOOL saving = pDX->m_bSaveAndValidate;
    // A field whose category is not ticked is not applied, so it is not validated either.
    if (!saving || m_bIndex) {
        DDX_Text(pDX, IDC_SQA_INDEX, m_nIndex);
        DDV_MinMaxInt(pDX, m_nIndex, 0, INT_MAX);
    }
    if (!saving) {
        CString text;
        JoinStrings(m_saSubjects, text);
        if (!text.IsEmpty())
            m_pSubjectsCombo->SetWindowText(text);
        text = BooksText(m_saBooks, m_saChapters);
        if (!text.IsEmpty())
            m_pBooksCombo->SetWindowText(text);
        return;
    }
    if (m_bSubjects) {
        pDX->PrepareCtrl(IDC_SQA_SUBJECTS);
        CString text = m_pSubjectsCombo->GetWindowText();
        DDV_MaxChars(pDX, text, kMaxListText);
        // Tabs and commas part the subjects; what stands between them is checked.
        SplitStrings(text, m_saSubjects);
        for (int i = 0; i < m_saSubjects.GetSize(); ++i) {
            m_saSubjects[i].Trim();
            if (FindForbiddenChar(m_saSubjects[i], SubjectList().forbidden))
                pDX->Fail(NotAllowed(SubjectList().forbidden));
        }
    }
    if (m_bBooks) {
        pDX->PrepareCtrl(IDC_SQA_BOOKS);
        CString text = m_pBooksCombo->GetWindowText();
        DDV_MaxChars(pDX, text, kMaxListText);
        // ";" parts book and chapter; neither may hold the list's other marks.
        if (FindForbiddenChar(text, "{}"))
            pDX->Fail(NotAllowed(TextbookList().forbidden));
        if (!ParseBooks(text, TRUE))
            pDX->Fail();
        for (int i = 0; i < m_saBooks.GetSize(); ++i)
            if (FindForbiddenChar(m_saBooks[i], TextbookList().forbidden))
                pDX->Fail(NotAllowed(TextbookList().forbidden));
    }
}

void CSetQuestionAttributesDlg::UpdateControls()
{
    const BOOL type = IsDlgButtonChecked(IDC_SQA_TYPE_CHECK);
    const BOOL level = IsDlgButtonChecked(IDC_SQA_LEVEL_CHECK);
    const BOOL index = IsDlgButtonChecked(IDC_SQA_INDEX_CHECK);
    const BOOL subjects = IsDlgButtonChecked(IDC_SQA_SUBJECTS_CHECK);
    const BOOL books = IsDlgButtonChecked(IDC_SQA_BOOKS_CHECK);
    EnableDlgItem(IDC_SQA_TYPE, type);
    EnableDlgItem(IDC_SQA_LEVEL, level);
    for (int id : {IDC_SQA_INDEX, IDC_SQA_INDEX_NEXT, IDC_SQA_INDEX_SPIN})
        EnableDlgItem(id, index);
    for (int id : {IDC_SQA_SUBJECTS_CHOOSE, IDC_SQA_SUBJECTS, IDC_SQA_SUBJECTS_REPLACE, IDC_SQA_SUBJECTS_ADD,
                   IDC_SQA_SUBJECTS_REMOVE})
        EnableDlgItem(id, subjects);
    for (int id : {IDC_SQA_BOOKS_CHOOSE, IDC_SQA_BOOKS, IDC_SQA_BOOKS_REPLACE, IDC_SQA_BOOKS_ADD,
                   IDC_SQA_BOOKS_REMOVE})
        EnableDlgItem(id, books);
    EnableDlgItem(IDOK, type || level || index || subjects || books);
}

void CSetQuestionAttributesDlg::OnCheck(int nID)
{
    UpdateControls();
    CMRUPathComboBox* combo = nID == IDC_SQA_SUBJECTS_CHECK ? m_pSubjectsCombo
                              : nID == IDC_SQA_BOOKS_CHECK  ? m_pBooksCombo
                                                            : nullptr;
    if (combo && IsDlgButtonChecked(nID) && combo->GetCount() > 0 && isVisible()) {
        combo->SetFocus();
        combo->ShowDropDown(TRUE);
    }
}

void CSetQuestionAttributesDlg::OnSubjectsChosen()
{
    const int sel = m_pSubjectsCombo->GetCurSel();
    if (sel >= 0)
        SplitStrings(m_pSubjectsCombo->GetLBText(sel), m_saSubjects);
}

void CSetQuestionAttributesDlg::OnBooksChosen()
{
    const int sel = m_pBooksCombo->GetCurSel();
    if (sel >= 0)
        ParseBooks(m_pBooksCombo->GetLBText(sel), FALSE);
}

void CSetQuestionAttributesDlg::OnSpin(int nDelta)
{
    BOOL ok = FALSE;
    const long long current = GetDlgItemInt(IDC_SQA_INDEX, &ok);
    const long long next = (ok ? current : 0) - nDelta;
    SetDlgItemInt(IDC_SQA_INDEX, static_cast<int>(std::clamp<long long>(next, 0, INT_MAX)));
}

void CSetQuestionAttributesDlg::OnNextIndex()
{
    if (!m_pDoc)
        return;
    m_pDoc->UpdateHighestIds();
    SetDlgItemInt(IDC_SQA_INDEX, m_pDoc->m_nHighestIndex < INT_MAX ? m_pDoc->m_nHighestIndex + 1 : INT_MAX);
}

void CSetQuestionAttributesDlg::OnChooseSubjects()
{
    CSubjectsDlg dlg(this);
    SplitStrings(m_pSubjectsCombo->GetWindowText(), m_saSubjects);
    dlg.m_saSubjects.Append(m_saSubjects);
    if (dlg.DoModal() != IDOK)
        return;
    m_saSubjects.RemoveAll();
    m_saSubjects.Append(dlg.m_saSubjects);
    CString text;
    JoinStrings(m_saSubjects, text);
    m_pSubjectsCombo->SetWindowText(text);
}

void CSetQuestionAttributesDlg::OnChooseBooks()
{
    CTextbooksDlg dlg(this);
    ParseBooks(m_pBooksCombo->GetWindowText(), FALSE);
    dlg.m_saBooks.Append(m_saBooks);
    dlg.m_saChapters.Append(m_saChapters);
    if (dlg.DoModal() != IDOK)
        return;
    m_saBooks.RemoveAll();
    m_saBooks.Append(dlg.m_saBooks);
    m_saChapters.RemoveAll();
    m_saChapters.Append(dlg.m_saChapters);
    m_pBooksCombo->SetWindowText(BooksText(m_saBooks, m_saChapters));
}

void CSetQuestionAttributesDlg::OnStatistics()
{
    if (m_showStatistics)
        m_showStatistics(m_lQuestions);
}

CQuestionAttributes CSetQuestionAttributesDlg::GetAttributes() const
{
    CQuestionAttributes a;
    a.setType = m_bType;
    a.setLevel = m_bLevel;
    a.setIndex = m_bIndex;
    a.setSubjects = m_bSubjects;
    a.setBooks = m_bBooks;
    const int sel = m_pTypes->GetCurSel();
    a.type = sel >= 0 ? static_cast<int>(m_pTypes->GetItemData(sel)) : 0;
    a.level = m_nLevel;
    a.index = m_nIndex;
    a.subjectsMode = m_nSubjectsMode;
    a.booksMode = m_nBooksMode;
    a.subjects.Append(m_saSubjects);
    a.books.Append(m_saBooks);
    a.chapters.Append(m_saChapters);
    return a;
}

void CSetQuestionAttributesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pDoc)
        SetQuestionAttributes(*m_pDoc, m_lQuestions, GetAttributes());
    m_pSubjectsCombo->Add(m_pSubjectsCombo->GetWindowText());
    m_pBooksCombo->Add(m_pBooksCombo->GetWindowText());
    EndDialog(IDOK);
}
