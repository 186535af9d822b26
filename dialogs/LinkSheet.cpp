#include "dialogs/LinkSheet.h"
#include "dialogs/LinkSheetParts.h"

#include "dialogs/QuestionIdentifyDlg.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/QtString.h"
#include "res/ids/LinkSheets.h"

#include <QDateTime>
#include <QFileInfo>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QLocale>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace linksheet {

int Say(const CString& text, UINT style)
{
    return MessageBoxService().Show(text, CORRA_PRODUCT_NAME, style);
}

CExamQuestion* AsExam(void* p)
{
    return dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(p));
}

QLabel* WrappedText(CDialog* page, const char* text, int nID)
{
    QLabel* label = page->CreateStatic(text, nID);
    label->setWordWrap(true);
    return label;
}

QGridLayout* BreakLinksBlock(CDialog* page)
{
    auto* block = new QGridLayout;
    block->addWidget(page->CreateStatic("Or:", IDC_ELS_OR1), 0, 0, 1, 1, Qt::AlignTop);
    block->addWidget(
        WrappedText(page, "Change these questions to non-linked status by pressing the Break Links button.", IDC_ELS_BREAK_TEXT),
        0, 1);
    block->addWidget(page->CreateButton(IDC_ELS_BREAK_LINKS, "Break Links..."), 0, 2, 1, 1, Qt::AlignTop);
    block->addWidget(page->CreateStatic("Or:", IDC_ELS_OR2), 1, 0, 1, 1, Qt::AlignTop);
    block->addWidget(WrappedText(page, "Skip this operation by pressing the Cancel button.", IDC_ELS_SKIP_TEXT), 1, 1);
    block->setColumnStretch(1, 1);
    return block;
}

void AddRow(CListCtrl& list, const void* record, std::initializer_list<CString> cells)
{
    const int row = list.InsertItem(list.GetItemCount(), cells.size() ? cells.begin()->GetString() : "");
    list.SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
    int column = 0;
    for (const CString& cell : cells) {
        if (column > 0)
            list.SetItemText(row, column, cell);
        ++column;
    }
}

void SelectFirstRow(CListCtrl& list)
{
    if (list.GetItemCount() > 0)
        list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL CheckPickedFile(const CString& path)
{
    if (fsys::IsFile(path))
        return TRUE;
    const CString text = "Internal error.\nThe file selected\n\n" + path + "\n\nDoes not exist.";
    LogOutput(text, LOG_ERROR, LOG_HERE);
    Say(text);
    return FALSE;
}

} // namespace linksheet

using namespace linksheet;

namespace {

BOOL IsCollectionQuestion(const CExamQuestion* question)
{
    return question->IsCollection();
}

} // namespace

// ---- file dates

CTime GetFileDate(LPCSTR path, int which)
{
    const QFileInfo info(ToQString(path ? path : ""));
    if (!info.exists()) {
        LogOutput(CString("GetFileDate() - cannot read the file's times: ") + (path ? path : ""), LOG_ERROR, LOG_HERE);
        return CTime();
    }
    QDateTime t;
    switch (which) {
    case 0: t = info.birthTime(); break;
    case 1: t = info.lastRead(); break;
    default: t = info.lastModified(); break;
    }
    if (!t.isValid()) {
        LogOutput(CString("GetFileDate() - the file system keeps no such time: ") + path, LOG_ERROR, LOG_HERE);
        return CTime();
    }
    return CTime(static_cast<std::time_t>(t.toSecsSinceEpoch()));
}

CString FormatFileDate(const CTime& t)
{
    if (!t.IsValid())
        return CString();
    const QDateTime when = QDateTime::fromSecsSinceEpoch(t.GetTime());
    return FromQString(QLocale::system().toString(when, QLocale::ShortFormat));
}

// ---- start page

CELSStartPage::CELSStartPage() : CPropertyPage(IDD_ELS_START, "Problems Found")
{
    auto* grid = new QGridLayout;
    grid->addWidget(WrappedText(this, "Questions were found to be linked to Question Corras which cannot be located.",
                                IDC_ELS_MISSING_TEXT),
                    0, 0);
    grid->addWidget(CreateCheckBox(IDC_ELS_FIX_MISSING, "Fix this now"), 0, 1, 1, 1, Qt::AlignTop);
    grid->addWidget(WrappedText(this, "Questions were found to be out-of-date", IDC_ELS_OUT_OF_DATE_TEXT), 1, 0);
    grid->addWidget(CreateCheckBox(IDC_ELS_FIX_OUT_OF_DATE, "Fix this now"), 1, 1, 1, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);

    auto* frame = new QWidget(this);
    AddControl(IDC_ELS_FRAME, frame);
    frame->setLayout(grid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateStatic("The following problem(s) ocurred...", IDC_ELS_PROBLEMS));
    layout->addWidget(frame);
    layout->addWidget(WrappedText(this, "", IDC_ELS_MESSAGE));
    layout->addStretch(1);
    layout->addWidget(WrappedText(this, "", IDC_ELS_START_INFO));
    setMinimumWidth(580);

    BindCommand(IDC_ELS_FIX_MISSING, [this] { UpdateControls(); });
    BindCommand(IDC_ELS_FIX_OUT_OF_DATE, [this] { UpdateControls(); });
}

CELSSheet* CELSStartPage::Sheet() const
{
    return dynamic_cast<CELSSheet*>(GetSheet());
}

void CELSStartPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_ELS_FIX_MISSING, m_bFixMissing);
    DDX_Check(pDX, IDC_ELS_FIX_OUT_OF_DATE, m_bFixOutOfDate);
}

BOOL CELSStartPage::OnInitDialog()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        m_bFixMissing = m_bHasMissing;
        m_bFixOutOfDate = m_bHasOutOfDate;
        result = CPropertyPage::OnInitDialog();
        if (!m_csMessage.IsEmpty())
            SetDlgItemText(IDC_ELS_MESSAGE, m_csMessage);
    });
    return result;
}

BOOL CELSStartPage::OnSetActive()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        result = CPropertyPage::OnSetActive();
        UpdateControls();
    });
    return result;
}

void CELSStartPage::UpdateControls()
{
    UpdateData(TRUE);
    if (CELSSheet* sheet = Sheet())
        sheet->SetWizardButtons(m_bFixMissing || m_bFixOutOfDate ? PSWIZB_NEXT : PSWIZB_FINISH);
    const BOOL bMessage = !m_csMessage.IsEmpty();
    if (!bMessage) {
        SetDlgItemText(IDC_ELS_START_INFO, LoadStringId(IDS_ELS_START_INFO));
        EnableDlgItem(IDC_ELS_OUT_OF_DATE_TEXT, m_bHasOutOfDate);
        EnableDlgItem(IDC_ELS_FIX_OUT_OF_DATE, m_bHasOutOfDate);
        EnableDlgItem(IDC_ELS_MISSING_TEXT, m_bHasMissing);
        EnableDlgItem(IDC_ELS_FIX_MISSING, m_bHasMissing);
    }
    ShowDlgItem(IDC_ELS_MESSAGE, bMessage);
    for (int nID : {IDC_ELS_FRAME, IDC_ELS_PROBLEMS, IDC_ELS_START_INFO, IDC_ELS_OUT_OF_DATE_TEXT,
                    IDC_ELS_FIX_OUT_OF_DATE, IDC_ELS_MISSING_TEXT, IDC_ELS_FIX_MISSING})
        ShowDlgItem(nID, !bMessage);
}

LRESULT CELSStartPage::OnWizardNext()
{
    CELSSheet* sheet = Sheet();
    sheet->m_history.push_front(IDD_ELS_START);
    if (m_bFixMissing)
        return IDD_ELS_NO_FIND;
    if (m_bFixOutOfDate)
        return IDD_ELS_OUT_OF_DATE;
    return 0;
}

LRESULT BackAlongHistory(CELSSheet* sheet)
{
    if (!sheet || sheet->m_history.empty())
        return 0;
    return sheet->m_history.pop_front();
}

LRESULT CELSStartPage::OnWizardBack()
{
    return BackAlongHistory(Sheet());
}

// ---- out-of-date page

CELSOutOfDatePage::CELSOutOfDatePage() : CPropertyPage(IDD_ELS_OUT_OF_DATE, "Out Of Date")
{
    m_pList = AddControl(IDC_ELS_OOD_LIST, new CListCtrl(this));
    m_pList->setMinimumHeight(150);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_ELS_UPDATE, "Update"));
    buttons->addWidget(CreateButton(IDC_ELS_UPDATE_ALL, "Update All"));
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WrappedText(this, "", IDC_ELS_OOD_HEADER));
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    layout->addWidget(WrappedText(this, "", IDC_ELS_OOD_INFO));
    layout->addLayout(BreakLinksBlock(this));
    setMinimumWidth(580);

    BindCommand(IDC_ELS_UPDATE, [this] { OnUpdate(); });
    BindCommand(IDC_ELS_UPDATE_ALL, [this] { OnUpdateAll(); });
    BindCommand(IDC_ELS_BREAK_LINKS, [this] { OnBreakLinks(); });
    BindNotify(IDC_ELS_OOD_LIST, NM_CLICK, [this] { UpdateControls(); });
    BindNotify(IDC_ELS_OOD_LIST, LVN_ITEMCHANGED, [this] { UpdateControls(); });
}

CELSOutOfDatePage::~CELSOutOfDatePage() = default;

CELSSheet* CELSOutOfDatePage::Sheet() const
{
    return dynamic_cast<CELSSheet*>(GetSheet());
}

BOOL CELSOutOfDatePage::OnInitDialog()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        result = CPropertyPage::OnInitDialog();
        InitColumns();
        UpdateControls();
    });
    return result;
}

void CELSOutOfDatePage::InitColumns()
{
    while (m_pList->GetColumnCount() > 0)
        m_pList->DeleteColumn(0);
    m_pList->InsertColumn(0, "Question Corra", LVCFMT_LEFT, 180);
    m_pList->InsertColumn(1, "Links", LVCFMT_LEFT, 45);
    m_pList->InsertColumn(2, "Date Modified", LVCFMT_LEFT, 150);
    m_pList->InsertColumn(3, "Date Linked", LVCFMT_LEFT, 150);
}

BOOL CELSOutOfDatePage::OnSetActive()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        Rebuild();
        result = CPropertyPage::OnSetActive();
    });
    return result;
}

void CELSOutOfDatePage::Rebuild()
{
    m_records.clear();
    BuildList();
    FillList();
    UpdateControls();
}

void CELSOutOfDatePage::BuildList()
{
    // By the path as stored: two banks whose names differ only in case are two files.
    std::map<CString, CRecord*> byPath;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        CExamQuestion* question = AsExam(m_lQuestions.GetNext(pos));
        if (!question || IsCollectionQuestion(question) || !question->m_bOutOfDate || !question->m_bLinked)
            continue;
        const CString& path = question->m_csCorraFile;
        auto it = byPath.find(path);
        if (it != byPath.end()) {
            ++it->second->links;
            continue;
        }
        auto record = std::make_unique<CRecord>();
        record->name = fsys::FileName(path);
        if (record->name.IsEmpty())
            record->name = path;
        record->path = path;
        record->links = 1;
        record->dateLinked = question->m_tLinked;
        record->dateModified = GetFileDate(path, 2);
        byPath[path] = record.get();
        m_records.push_back(std::move(record));
    }
    std::sort(m_records.begin(), m_records.end(),
              [](const std::unique_ptr<CRecord>& a, const std::unique_ptr<CRecord>& b) { return a->path < b->path; });
}

void CELSOutOfDatePage::FillList()
{
    m_pList->DeleteAllItems();
    for (const auto& record : m_records)
        AddRow(*m_pList, record.get(),
               {record->name, CString::Formatted("%d", record->links), FormatFileDate(record->dateModified),
                FormatFileDate(record->dateLinked)});
    SelectFirstRow(*m_pList);
}

void CELSOutOfDatePage::UpdateControls()
{
    const int count = m_pList->GetItemCount();
    const int selected = static_cast<int>(m_pList->GetSelectedCount());
    SetDlgItemText(IDC_ELS_OOD_HEADER,
                   count > 0 ? "The following list of Question Corras have been modified since the last time this Exam "
                               "was updated.  You can update the Exam questions here."
                             : "All questions are up-to-date");
    EnableDlgItem(IDC_ELS_UPDATE, selected >= 1);
    EnableDlgItem(IDC_ELS_UPDATE_ALL, count > 0);
    EnableDlgItem(IDC_ELS_BREAK_LINKS, count > 0);
    SetDlgItemText(IDC_ELS_OOD_INFO, LoadStringId(IDS_ELS_OOD_INFO));
    CELSSheet* sheet = Sheet();
    if (!sheet || sheet->GetActivePage() != this)
        return;
    // The last page: after the missing page (Back leads there), or alone after the start.
    const DWORD back = sheet->m_history.empty() ? 0 : PSWIZB_BACK;
    sheet->SetWizardButtons(count == 0 ? (back | PSWIZB_FINISH) : (PSWIZB_BACK | PSWIZB_DISABLEDFINISH));
}

void CELSOutOfDatePage::UpdateFiles(const std::vector<CString>& paths)
{
    CELSSheet* sheet = Sheet();
    CExamDoc* exam = sheet->GetExam();
    if (!exam)
        return;
    CPtrListEx chosen;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        CExamQuestion* question = AsExam(m_lQuestions.GetNext(pos));
        if (question && !IsCollectionQuestion(question) && question->m_bOutOfDate && question->m_bLinked &&
            std::find(paths.begin(), paths.end(), question->m_csCorraFile) != paths.end())
            chosen.AddTail(question);
    }
    if (chosen.IsEmpty())
        return;
    const BOOL finished = exam->UpdateOutOfDateQuestions(&chosen);
    // What changed counts even when another file failed: the save question must not forget it.
    BOOL anyChanged = FALSE;
    BOOL allDone = finished;
    for (POSITION pos = chosen.GetHeadPosition(); pos;) {
        const CExamQuestion* question = AsExam(chosen.GetNext(pos));
        if (question->m_bLinked && question->m_bOutOfDate)
            allDone = FALSE;
        else
            anyChanged = TRUE;
    }
    sheet->m_bChanged |= anyChanged;
    if (!allDone)
        Say("Questions were not properly updated.", MB_OK | MB_ICONINFORMATION);
    sheet->CheckLinks(nullptr);
    Rebuild();
}

void CELSOutOfDatePage::OnUpdate()
{
    Sheet()->Guard([&] {
        std::vector<CString> paths;
        POSITION pos = m_pList->GetFirstSelectedItemPosition();
        while (pos) {
            const int row = m_pList->GetNextSelectedItem(pos);
            const auto* record = reinterpret_cast<const CRecord*>(m_pList->GetItemData(row));
            if (record && std::find(paths.begin(), paths.end(), record->path) == paths.end())
                paths.push_back(record->path);
        }
        UpdateFiles(paths);
    });
}

void CELSOutOfDatePage::OnUpdateAll()
{
    Sheet()->Guard([&] {
        std::vector<CString> paths;
        for (const auto& record : m_records)
            paths.push_back(record->path);
        UpdateFiles(paths);
    });
}

BOOL BreakLinks(CELSSheet* sheet, CQuestionList& questions)
{
    if (Say(LoadStringId(IDS_ELS_BREAK_ASK), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        if (CExamQuestion* question = AsExam(questions.GetNext(pos)))
            question->Unlink();
    }
    if (CCorraDoc* doc = sheet->GetDoc()) {
        doc->SetModifiedFlag(TRUE);
        CUpdate hint;
        hint.m_nErase = 1;
        hint.m_nRepaint = 1;
        doc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }
    sheet->m_bChanged = TRUE;
    sheet->CheckLinks(nullptr);
    return TRUE;
}

void CELSOutOfDatePage::OnBreakLinks()
{
    Sheet()->Guard([&] {
        if (BreakLinks(Sheet(), m_lQuestions))
            Rebuild();
    });
}

LRESULT CELSOutOfDatePage::OnWizardNext()
{
    // The last page: there is nowhere further to go.
    return -1;
}

LRESULT CELSOutOfDatePage::OnWizardBack()
{
    return BackAlongHistory(Sheet());
}

BOOL CELSOutOfDatePage::OnWizardFinish()
{
    Sheet()->AskSaveChanges();
    return CPropertyPage::OnWizardFinish();
}

// ---- the sheet

CELSSheet::CELSSheet(const char* caption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(caption, pParent, iSelectPage), m_nInitialPage(static_cast<int>(iSelectPage))
{
    CELSSheet::AddPages();
    SetWizardMode();
}

CELSSheet::~CELSSheet()
{
    DetachPages();
}

void CELSSheet::DetachPages()
{
    // The active page last: taking it while others remain would show one of them, on a sheet
    // whose members are going.
    CPropertyPage* active = GetActivePage();
    for (int i = GetPageCount() - 1; i >= 0; --i) {
        if (GetPage(i) != active)
            RemovePage(GetPage(i));
    }
    if (active)
        RemovePage(active);
}

void CELSSheet::AddPages()
{
    AddPage(&m_startPage);
    AddPage(&m_outOfDatePage);
    AddPage(&m_noFindPage);
}

BOOL CELSSheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    if (m_bFailed)
        EndDialog(IDCANCEL);
    return result;
}

CExamDoc* CELSSheet::GetExam() const
{
    return dynamic_cast<CExamDoc*>(m_pDoc);
}

void CELSSheet::CheckLinks(CCorraDoc* doc)
{
    try {
        // A check again from a page keeps a box the user cleared cleared: the wizard must not
        // lead on to a fix the user declined.
        const BOOL again = !doc && m_pDoc;
        const int keepMissing = again ? m_startPage.m_bFixMissing : 1;
        const int keepOutOfDate = again ? m_startPage.m_bFixOutOfDate : 1;
        if (doc)
            m_pDoc = doc;
        m_noFindPage.m_lQuestions.RemoveAll();
        m_outOfDatePage.m_lQuestions.RemoveAll();
        m_startPage.m_bFixMissing = m_startPage.m_bFixOutOfDate = 0;
        m_startPage.m_bHasMissing = m_startPage.m_bHasOutOfDate = 0;
        if (CExamDoc* exam = GetExam()) {
            exam->GetMissingLinks(&m_noFindPage.m_lQuestions);
            m_startPage.m_bHasMissing = !m_noFindPage.m_lQuestions.IsEmpty();
            exam->CheckLinkTimes(&m_outOfDatePage.m_lQuestions);
            m_startPage.m_bHasOutOfDate = !m_outOfDatePage.m_lQuestions.IsEmpty();
        }
        m_startPage.m_bFixMissing = m_startPage.m_bHasMissing && keepMissing;
        m_startPage.m_bFixOutOfDate = m_startPage.m_bHasOutOfDate && keepOutOfDate;
    } catch (...) {
        m_bFailed = 1;
        LogFailure();
    }
}

void CELSSheet::AskSaveChanges()
{
    Guard([&] {
        if (!m_bChanged || !m_pDoc)
            return;
        const CString question = m_pDoc->GetTitle() + " has been properly updated.  Do you wish to save those changes now?";
        if (Say(question, MB_YESNO | MB_ICONQUESTION) == IDYES && m_pDoc->DoFileSave())
            m_bChanged = 0;
    });
}

void CELSSheet::EndWithCancel()
{
    if (IsModalRunning() && !IsEnded())
        EndDialog(IDCANCEL);
}

void CELSSheet::LogFailure()
{
    LogUnknownException(LOG_HERE);
    EndWithCancel();
}

// ---- what the exam asks of it

BOOL RunExamLinkSheet(CExamDoc& exam, CWnd* pParent)
{
    CELSSheet sheet("Exam Link Status...", pParent);
    sheet.CheckLinks(&exam);
    if (!sheet.m_startPage.m_bHasMissing && !sheet.m_startPage.m_bHasOutOfDate && !sheet.m_bFailed)
        return TRUE;
    return sheet.DoModal() == ID_WIZFINISH;
}

BOOL CExamQuestionDialogs::LinkSheet(CExamDoc& exam)
{
    return RunExamLinkSheet(exam, m_pParent);
}
