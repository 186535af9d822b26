#include "dialogs/QuestionSearchDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/MRUPathComboBox.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/QuestionTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"
#include "platform/ui/View.h"
#include "platform/ui/WaitCursor.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionSearch.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

namespace {

// What a recent-entry combo takes.
constexpr int kMaxComboText = 256;
constexpr int kLevels = 7;

// Whether the list holds the value.
BOOL Contains(const CTypedArray<DWORD_PTR>& values, DWORD_PTR value)
{
    for (int i = 0; i < values.GetSize(); ++i)
        if (values[i] == value)
            return TRUE;
    return FALSE;
}

CString Trimmed(const CString& text)
{
    CString out = text;
    out.Trim();
    return out;
}

}  // namespace

CQuestionSearchDlg::CQuestionSearchDlg(CCorraDoc* pDoc, CCorraQuestion* pCollection, CWnd* pParent)
    : CQuestionAttrDlg(IDD_QUESTION_SEARCH, pParent, QDC_MULTIPLE), m_pDoc(pDoc), m_pCollection(pCollection)
{
    setWindowTitle("Question Search Dialog");
    m_nIDHelp = IDD_QUESTION_SEARCH;
    BuildLayout();
    BindCommand(IDC_QS_SEARCH, [this] { OnSearch(); });
    BindCommand(IDC_QS_STATISTICS, [this] { OnStatistics(); });
    // The choosers fill the combos with every entry, not the editor's summary.
    BindCommand(IDC_QD_SUBJECTS, [this] { OnChooseSubjects(); });
    BindCommand(IDC_QD_BOOKS, [this] { OnChooseBooks(); });
    BindNotify(IDC_QS_BOOKS, CBN_SELCHANGE, [this] { OnBooksChosen(); });
}

void CQuestionSearchDlg::BuildLayout()
{
    // The editor's panes and summaries have no place here.
    for (QWidget* w : std::initializer_list<QWidget*>{m_pQuestionPane, m_pChoicesPane, m_pAnswerPane, m_pAnswerLetter,
                                                     m_pTrue, m_pFalse, m_pSubjectsText, m_pBooksText})
        w->hide();
    auto check = [this](int id, const char* text) {
        auto* box = GetDlgItemAs<QCheckBox>(id);
        box->setText(ToQString(text));
        return box;
    };
    auto combo = [this](int id) {
        auto* c = AddControl(id, new CMRUPathComboBox(this));
        c->LimitText(kMaxComboText);
        c->setMinimumWidth(320);
        return c;
    };
    m_pSubjectsCombo = combo(IDC_QS_SUBJECTS);
    m_pBooksCombo = combo(IDC_QS_BOOKS);
    m_pQuestionCombo = combo(IDC_QS_QUESTION_WORDS);
    m_pChoiceCombo = combo(IDC_QS_CHOICE_WORDS);
    m_pAnswerCombo = combo(IDC_QS_ANSWER_WORDS);

    auto* layout = new QVBoxLayout(this);

    // ID and index.
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(check(IDC_QA_ID_CHECK, "&ID"));
    m_pIdEdit->setFixedWidth(80);
    numbers->addWidget(m_pIdEdit);
    numbers->addSpacing(16);
    numbers->addWidget(check(IDC_QA_INDEX_CHECK, "I&ndex"));
    m_pIndexEdit->setFixedWidth(80);
    numbers->addWidget(m_pIndexEdit);
    numbers->addStretch(1);
    layout->addLayout(numbers);

    // Type and level lists beside the intra-category mode.
    auto* lists = new QHBoxLayout;
    auto* typeBox = new QVBoxLayout;
    typeBox->addWidget(check(IDC_QA_TYPE_CHECK, "T&ype"));
    m_pTypeList->setFixedSize(80, 104);
    typeBox->addWidget(m_pTypeList);
    lists->addLayout(typeBox);
    auto* levelBox = new QVBoxLayout;
    levelBox->addWidget(check(IDC_QA_LEVEL_CHECK, "&Level"));
    m_pLevelList->setFixedSize(80, 104);
    levelBox->addWidget(m_pLevelList);
    lists->addLayout(levelBox);
    auto* intra = new QGroupBox("Intra-Category", this);
    auto* intraLayout = new QVBoxLayout(intra);
    intraLayout->addWidget(CreateRadioButton(IDC_QS_ALL_ITEMS, "Match ALL items within catagories", TRUE));
    intraLayout->addWidget(CreateRadioButton(IDC_QS_ANY_ITEM, "Match at least one item within catagories"));
    intraLayout->addStretch(1);
    lists->addWidget(intra, 1);
    layout->addLayout(lists);

    // Subjects, books and words: a check, a chooser where there is one, the recent combo.
    auto* grid = new QGridLayout;
    grid->addWidget(check(IDC_QA_SUBJECTS_CHECK, "&Subjects"), 0, 0);
    auto* subjects = GetDlgItemAs<QPushButton>(IDC_QD_SUBJECTS);
    subjects->setText("S&ubjects...");
    grid->addWidget(subjects, 0, 1);
    grid->addWidget(m_pSubjectsCombo, 0, 2);
    grid->addWidget(check(IDC_QA_BOOKS_CHECK, "&Books"), 1, 0);
    auto* books = GetDlgItemAs<QPushButton>(IDC_QD_BOOKS);
    books->setText("B&ooks...");
    grid->addWidget(books, 1, 1);
    grid->addWidget(m_pBooksCombo, 1, 2);
    grid->addWidget(check(IDC_QA_QUESTION_CHECK, "Search for words in &question text"), 2, 0, 1, 2);
    grid->addWidget(m_pQuestionCombo, 2, 2);
    grid->addWidget(check(IDC_QA_CHOICES_CHECK, "Search for words in &choices"), 3, 0, 1, 2);
    grid->addWidget(m_pChoiceCombo, 3, 2);
    grid->addWidget(check(IDC_QA_ANSWER_CHECK, "Search for words in &answer"), 4, 0, 1, 2);
    grid->addWidget(m_pAnswerCombo, 4, 2);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);

    auto* inter = new QGroupBox("Inter-Category", this);
    auto* interLayout = new QHBoxLayout(inter);
    interLayout->addWidget(CreateRadioButton(IDC_QS_ALL_CATEGORIES, "Match All selected catagories", TRUE));
    interLayout->addWidget(CreateRadioButton(IDC_QS_ANY_CATEGORY, "Match at least one category"));
    interLayout->addStretch(1);
    layout->addWidget(inter);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CreateButton(IDC_QS_SEARCH, "&Search", TRUE), QDialogButtonBox::AcceptRole);
    QDialogButtonBox* standard = CreateButtonBox({IDCANCEL, IDHELP});
    for (QAbstractButton* b : standard->buttons())
        buttons->addButton(b, standard->buttonRole(b));
    standard->hide();
    buttons->addButton(CreateButton(IDC_QS_STATISTICS, "S&tatistics..."), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
}

// ---- initialisation ----------------------------------------------------------------------------

BOOL CQuestionSearchDlg::OnInitDialog()
{
    SetupRecentCombo(*m_pAnswerCombo, m_saAnswerWords, "AnswerSearch");
    SetupRecentCombo(*m_pChoiceCombo, m_saChoiceWords, "ChoiceSearch");
    SetupRecentCombo(*m_pQuestionCombo, m_saQuestionWords, "QuestionSearch");
    SetupRecentCombo(*m_pBooksCombo, m_saBooks, "TextbookSearch");
    SetupRecentCombo(*m_pSubjectsCombo, m_saSubjects, "SubjectSearch");
    m_saChapters.RemoveAll();
    CQuestionAttrDlg::OnInitDialog();
    return TRUE;
}

void CQuestionSearchDlg::FillTypeCombo()
{
    m_pTypeList->ResetContent();
    for (int i = 0; i < GetQuestionTypeCount(); ++i) {
        const UINT id = GetQuestionTypeId(i);
        if (!AllowedQuestDlgType(static_cast<long>(id)))
            continue;
        const int item = m_pTypeList->AddString(LoadStringId(id));
        m_pTypeList->SetItemData(item, id);
    }
}

void CQuestionSearchDlg::FillLevelCombo()
{
    m_pLevelList->ResetContent();
    for (int level = 0; level < kLevels; ++level) {
        const int item = m_pLevelList->AddString(CString::Formatted("%d", level));
        m_pLevelList->SetItemData(item, static_cast<DWORD_PTR>(level));
    }
}

// ---- controls ----------------------------------------------------------------------------------

CMRUPathComboBox* CQuestionSearchDlg::ComboOfCheck(int nCheckId) const
{
    switch (nCheckId) {
    case IDC_QA_SUBJECTS_CHECK:
        return m_pSubjectsCombo;
    case IDC_QA_BOOKS_CHECK:
        return m_pBooksCombo;
    case IDC_QA_QUESTION_CHECK:
        return m_pQuestionCombo;
    case IDC_QA_CHOICES_CHECK:
        return m_pChoiceCombo;
    case IDC_QA_ANSWER_CHECK:
        return m_pAnswerCombo;
    default:
        return nullptr;
    }
}

void CQuestionSearchDlg::EnableForCheck(int nCheckId)
{
    switch (nCheckId) {
    case IDC_QA_SUBJECTS_CHECK:
        EnableByCheck(nCheckId, IDC_QD_SUBJECTS);
        EnableByCheck(nCheckId, IDC_QS_SUBJECTS);
        break;
    case IDC_QA_BOOKS_CHECK:
        EnableByCheck(nCheckId, IDC_QD_BOOKS);
        EnableByCheck(nCheckId, IDC_QS_BOOKS);
        break;
    case IDC_QA_QUESTION_CHECK:
        EnableByCheck(nCheckId, IDC_QS_QUESTION_WORDS);
        break;
    case IDC_QA_CHOICES_CHECK:
        EnableByCheck(nCheckId, IDC_QS_CHOICE_WORDS);
        break;
    case IDC_QA_ANSWER_CHECK:
        EnableByCheck(nCheckId, IDC_QS_ANSWER_WORDS);
        break;
    default:
        CQuestionAttrDlg::EnableForCheck(nCheckId);
        break;
    }
}

void CQuestionSearchDlg::OnAttrCheck(int nCheckId)
{
    EnableForCheck(nCheckId);
    CMRUPathComboBox* combo = ComboOfCheck(nCheckId);
    if (combo && IsDlgButtonChecked(nCheckId) && combo->GetCount() > 0 && isVisible()) {
        combo->SetFocus();
        combo->ShowDropDown(TRUE);
    }
}

void CQuestionSearchDlg::UpdateControls()
{
    if (m_pTypeList)
        EnableAllByChecks();
}

void CQuestionSearchDlg::SetSubjectsText(LPCSTR text)
{
    const CString trimmed = Trimmed(text ? text : "");
    if (trimmed.IsEmpty())
        return;
    m_pSubjectsCombo->Add(trimmed);
    m_pSubjectsCombo->SetWindowText(trimmed);
}

void CQuestionSearchDlg::SetBooksText(LPCSTR text)
{
    const CString trimmed = Trimmed(text ? text : "");
    if (trimmed.IsEmpty())
        return;
    m_pBooksCombo->Add(trimmed);
    m_pBooksCombo->SetWindowText(trimmed);
}

void CQuestionSearchDlg::OnChooseSubjects()
{
    try {
        CSubjectsDlg dlg(this);
        CStringArray subjects;
        SplitStrings(m_pSubjectsCombo->GetWindowText(), subjects);
        for (int i = 0; i < subjects.GetSize(); ++i)
            if (!Trimmed(subjects[i]).IsEmpty())
                dlg.m_saSubjects.Add(Trimmed(subjects[i]));
        if (dlg.DoModal() != IDOK)
            return;
        CString text;
        JoinStrings(dlg.m_saSubjects, text);
        m_pSubjectsCombo->SetWindowText(text);
        SetSubjectsText(text);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CQuestionSearchDlg::OnChooseBooks()
{
    try {
        CTextbooksDlg dlg(this);
        SplitBooks(m_pBooksCombo->GetWindowText(), dlg.m_saBooks, dlg.m_saChapters);
        if (dlg.DoModal() != IDOK)
            return;
        const CString text = BooksText(dlg.m_saBooks, dlg.m_saChapters);
        m_pBooksCombo->SetWindowText(text);
        SetBooksText(text);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CQuestionSearchDlg::OnBooksChosen()
{
    const int sel = m_pBooksCombo->GetCurSel();
    if (sel >= 0)
        SplitBooks(m_pBooksCombo->GetLBText(sel), m_saBooks, m_saChapters);
}

// ---- data exchange -----------------------------------------------------------------------------

void CQuestionSearchDlg::SplitWords(LPCSTR text, CStringArrayEx& words)
{
    words.RemoveAll();
    CString word;
    for (LPCSTR p = text ? text : "";; ++p) {
        if (*p == ' ' || *p == '\t' || *p == ',' || *p == ';' || *p == '\r' || *p == '\n' || *p == '\0') {
            if (!word.IsEmpty())
                words.Add(word);
            word.Empty();
            if (*p == '\0')
                break;
        } else {
            word += *p;
        }
    }
}

void CQuestionSearchDlg::SplitBooks(LPCSTR text, CStringArrayEx& books, CStringArrayEx& chapters)
{
    books.RemoveAll();
    chapters.RemoveAll();
    CStringArray entries;
    SplitStrings(text, entries);
    for (int i = 0; i < entries.GetSize(); ++i) {
        CString book = entries[i];
        CString chapter = "0";
        const int semi = book.Find(';');
        if (semi >= 0) {
            chapter = Trimmed(book.Mid(semi + 1));
            book = book.Left(semi);
        }
        book.Trim();
        if (book.IsEmpty())
            continue;
        books.Add(book);
        chapters.Add(chapter.IsEmpty() ? CString("0") : chapter);
    }
}

void CQuestionSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    const BOOL bSave = pDX->m_bSaveAndValidate;
    ExchangeChecks(pDX);
    for (CMRUPathComboBox* combo : {m_pAnswerCombo, m_pChoiceCombo, m_pQuestionCombo, m_pBooksCombo, m_pSubjectsCombo})
        DDX_Control(pDX, combo->GetDlgCtrlID(), *combo);
    DDX_Radio(pDX, IDC_QS_ALL_ITEMS, m_nIntraMode);
    DDX_Radio(pDX, IDC_QS_ALL_CATEGORIES, m_nInterMode);
    ExchangeType(pDX);
    ExchangeLevel(pDX);
    ExchangeSubjects(pDX, TRUE);
    ExchangeBooks(pDX, TRUE);
    // A number is read only where it is searched for.
    if (!bSave || m_bId)
        ExchangeId(pDX);
    if (!bSave || m_bIndex)
        ExchangeIndex(pDX);

    pDX->PrepareCtrl(IDC_QS_QUESTION_WORDS);
    if (bSave) {
        CString text = m_pQuestionCombo->GetWindowText();
        DDV_MaxChars(pDX, text, kMaxComboText);
        m_Question.m_cszQuestionText = text;
    } else {
        m_pQuestionCombo->SetWindowText(m_Question.m_cszQuestionText);
    }
    ExchangeChoices(pDX);
    if (bSave) {
        ExchangeWords(pDX, IDC_QS_QUESTION_WORDS, m_saQuestionWords);
        ExchangeWords(pDX, IDC_QS_CHOICE_WORDS, m_saChoiceWords);
        ExchangeWords(pDX, IDC_QS_ANSWER_WORDS, m_saAnswerWords);
    }
}

void CQuestionSearchDlg::ExchangeType(CDataExchange* pDX)
{
    DDX_LBSelItemData(pDX, IDC_QD_TYPE, m_aTypes);
}

void CQuestionSearchDlg::ExchangeLevel(CDataExchange* pDX)
{
    DDX_LBSelItemData(pDX, IDC_QD_LEVEL, m_aLevels);
}

void CQuestionSearchDlg::ExchangeSubjects(CDataExchange* pDX, BOOL)
{
    pDX->PrepareCtrl(IDC_QS_SUBJECTS);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        JoinStrings(m_saSubjects, text);
        SetSubjectsText(text);
        return;
    }
    const CString text = m_pSubjectsCombo->GetWindowText();
    DDV_MaxChars(pDX, text, kMaxComboText);
    CStringArray pieces;
    SplitStrings(text, pieces);
    m_saSubjects.RemoveAll();
    // Whole entries as the question keeps them: trimmed.
    for (int i = 0; i < pieces.GetSize(); ++i)
        if (!Trimmed(pieces[i]).IsEmpty())
            m_saSubjects.Add(Trimmed(pieces[i]));
}

void CQuestionSearchDlg::ExchangeBooks(CDataExchange* pDX, BOOL)
{
    pDX->PrepareCtrl(IDC_QS_BOOKS);
    if (!pDX->m_bSaveAndValidate) {
        SetBooksText(BooksText(m_saBooks, m_saChapters));
        return;
    }
    const CString text = m_pBooksCombo->GetWindowText();
    DDV_MaxChars(pDX, text, kMaxComboText);
    SplitBooks(text, m_saBooks, m_saChapters);
}

void CQuestionSearchDlg::ExchangeChoices(CDataExchange* pDX)
{
    pDX->PrepareCtrl(IDC_QS_CHOICE_WORDS);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        m_Question.GetChoicesText(text, 35, 0);
        m_pChoiceCombo->SetWindowText(text);
        return;
    }
    const CString text = m_pChoiceCombo->GetWindowText();
    DDV_MaxChars(pDX, text, kMaxComboText);
    // Words rarely read as choices; the edited question keeps its own then, and nothing is
    // reported: the search reads the words, not the choices.
    CChoicesError ignored;
    if (!Trimmed(text).IsEmpty())
        m_Question.SetChoices(text, '*', '.', &ignored);
}

void CQuestionSearchDlg::ExchangeWords(CDataExchange* pDX, int nIDC, CStringArrayEx& words)
{
    pDX->PrepareCtrl(nIDC);
    const CString text = GetDlgItemAs<CMRUPathComboBox>(nIDC)->GetWindowText();
    DDV_MaxChars(pDX, text, kMaxComboText);
    SplitWords(text, words);
}

// ---- searching ---------------------------------------------------------------------------------

BOOL CQuestionSearchDlg::NothingToSearch() const
{
    return !(m_bId || m_bIndex || (m_bType && m_aTypes.GetSize() > 0) || (m_bLevel && m_aLevels.GetSize() > 0) ||
             (m_bQuestion && m_saQuestionWords.GetSize() > 0) || (m_bChoices && m_saChoiceWords.GetSize() > 0) ||
             (m_bAnswer && m_saAnswerWords.GetSize() > 0) || (m_bSubjects && m_saSubjects.GetSize() > 0) ||
             (m_bBooks && m_saBooks.GetSize() > 0));
}

void CQuestionSearchDlg::OnOK()
{
    OnSearch();
}

void CQuestionSearchDlg::OnSearch()
{
    if (!UpdateData(TRUE))
        return;
    if (NothingToSearch()) {
        MessageBoxService().Show("Nothing to search for.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_nIntraMode == SEARCH_ALL_ITEMS) {
        if (m_bLevel && m_aLevels.GetSize() > 1) {
            MessageBoxService().Show(LoadStringId(IDS_SEARCH_ONE_LEVEL), CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (m_bType && m_aTypes.GetSize() > 1) {
            MessageBoxService().Show(LoadStringId(IDS_SEARCH_ONE_TYPE), CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    for (CMRUPathComboBox* combo : {m_pAnswerCombo, m_pChoiceCombo, m_pQuestionCombo, m_pBooksCombo, m_pSubjectsCombo})
        combo->Add(combo->GetWindowText());
    int found = 0;
    {
        CWaitCursor wait;
        found = RunSearch();
    }
    if (found > 0) {
        EndDialog(IDOK);
        return;
    }
    MessageBoxService().Show("No matching questions found", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
}

int CQuestionSearchDlg::RunSearch()
{
    m_lFound.Empty();
    if (!m_pDoc)
        return 0;
    // A search's result becomes a collection, which holds questions, never collections.
    auto test = [this](CCorraQuestion* q) {
        if (q && !q->IsCollection() && Match(*q))
            m_lFound.AddTail(q);
    };
    if (m_pCollection) {
        CPtrList members;
        m_pCollection->GetQuestions(members);
        for (POSITION pos = members.GetHeadPosition(); pos;)
            test(static_cast<CCorraQuestion*>(members.GetNext(pos)));
    } else {
        for (POSITION pos = m_pDoc->m_plQuestions.GetHeadPosition(); pos;)
            test(static_cast<CCorraQuestion*>(m_pDoc->m_plQuestions.GetNext(pos)));
    }
    return m_lFound.GetCount();
}

template <typename Test>
BOOL CQuestionSearchDlg::MatchItems(int nCount, Test test) const
{
    // The loop stops at the first item that decides.
    for (int i = 0; i < nCount; ++i) {
        const BOOL hit = test(i);
        if (m_nIntraMode == SEARCH_ALL_ITEMS && !hit)
            return FALSE;
        if (m_nIntraMode == SEARCH_ANY_ITEM && hit)
            return TRUE;
    }
    return m_nIntraMode == SEARCH_ALL_ITEMS;
}

BOOL CQuestionSearchDlg::Match(const CCorraQuestion& q) const
{
    auto words = [this, &q](const CStringArrayEx& list, int nPart) {
        const CString& text = q.GetSearchText(nPart);
        return MatchItems(list.GetSize(), [&](int i) {
            CString word = list[i];
            word.MakeUpper();
            return text.Find(word) >= 0;
        });
    };
    auto values = [this](const CTypedArray<DWORD_PTR>& selected, int value) -> BOOL {
        if (m_nIntraMode == SEARCH_ANY_ITEM)
            return Contains(selected, static_cast<DWORD_PTR>(value));
        return static_cast<int>(selected[0]) == value;
    };
    // The categories in the order they are tested. Across categories the first tested sets the
    // result; then all-categories tests only while it holds, any-category only while it fails.
    BOOL result = FALSE;
    BOOL tested = FALSE;
    auto category = [&](BOOL ticked, auto test) {
        if (!ticked)
            return;
        if (tested && (m_nInterMode == SEARCH_ALL_CATEGORIES ? !result : result))
            return;
        result = test();
        tested = TRUE;
    };
    category(m_bId, [&] { return q.m_nId == m_Question.m_nId; });
    category(m_bIndex, [&] { return q.m_nIndex == m_Question.m_nIndex; });
    category(m_bType && m_aTypes.GetSize() > 0, [&] { return values(m_aTypes, q.m_nType); });
    category(m_bLevel && m_aLevels.GetSize() > 0, [&] { return values(m_aLevels, q.m_nLevel); });
    category(m_bQuestion && m_saQuestionWords.GetSize() > 0, [&] { return words(m_saQuestionWords, SEARCH_QUESTION); });
    category(m_bChoices && m_saChoiceWords.GetSize() > 0, [&] { return words(m_saChoiceWords, SEARCH_CHOICES); });
    category(m_bAnswer && m_saAnswerWords.GetSize() > 0, [&] { return words(m_saAnswerWords, SEARCH_ANSWER); });
    category(m_bSubjects && m_saSubjects.GetSize() > 0, [&] {
        return MatchItems(m_saSubjects.GetSize(),
                          [&](int i) { return q.m_saSubjects.FindExact(m_saSubjects[i], FALSE) >= 0; });
    });
    category(m_bBooks && m_saBooks.GetSize() > 0, [&] {
        return MatchItems(m_saBooks.GetSize(), [&](int i) {
            const CString chapter = i < m_saChapters.GetSize() ? m_saChapters[i] : CString("0");
            // Any pair of that book will do: a question may list a book at several chapters.
            for (int k = 0; k < q.m_saBooks.GetSize(); ++k) {
                if (Trimmed(q.m_saBooks[k]).CompareNoCase(m_saBooks[i]) != 0)
                    continue;
                if (chapter == "0" ||
                    (k < q.m_saChapters.GetSize() && Trimmed(q.m_saChapters[k]).CompareNoCase(chapter) == 0))
                    return TRUE;
            }
            return FALSE;
        });
    });
    return result;
}

// ---- statistics --------------------------------------------------------------------------------

void CQuestionSearchDlg::OnStatistics()
{
    if (!m_pDoc)
        return;
    POSITION pos = m_pDoc->GetFirstViewPosition();
    if (CView* view = pos ? m_pDoc->GetNextView(pos) : nullptr)
        view->SendMessage(WM_COMMAND, ID_QUESTION_STATISTICS);
}
