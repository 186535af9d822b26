#include "dialogs/LinkSheet.h"
#include "dialogs/LinkSheetParts.h"

#include "controls/PromptDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/CorraHeader.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/ListCtrl.h"
#include "res/ids/LinkSheets.h"
#include "shell/FileFindExDlg.h"
#include "shell/ShellUtil.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace linksheet;

namespace {

// The path as the program shows it: below the program folder from there on.
CString ShownPath(const CString& path)
{
    CString shown;
    GetServerRelativePath(shown, path);
    return shown.IsEmpty() ? path : shown;
}

} // namespace

BOOL CELSNoFindPage::IsLostFile(const CString& path, const CString& name, const CString& folder)
{
    return fsys::FileName(path) == name && fsys::Folder(path) == folder;
}

CELSNoFindPage::CELSNoFindPage() : CPropertyPage(IDD_ELS_NO_FIND, "Cannot Find Question Corras")
{
    m_pList = AddControl(IDC_ELS_NF_LIST, new CListCtrl(this));
    m_pList->setMinimumHeight(150);

    auto* searches = new QHBoxLayout;
    searches->addWidget(CreateButton(IDC_ELS_NAME_SEARCH, "Filename Search..."));
    searches->addWidget(CreateButton(IDC_ELS_ID_SEARCH, "Corra ID Search..."));
    searches->addWidget(CreateButton(IDC_ELS_BROWSE, "Browse..."));
    searches->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WrappedText(
        this, "The following list shows Question Corras which are linked to this Exam but cannot be found.", IDC_ELS_NF_HEADER));
    layout->addWidget(m_pList, 1);
    layout->addWidget(WrappedText(this, "", IDC_ELS_NF_INFO));
    layout->addLayout(searches);
    layout->addLayout(BreakLinksBlock(this));
    setMinimumWidth(580);

    BindCommand(IDC_ELS_NAME_SEARCH, [this] { Sheet()->Guard([this] { SearchByFileName(); }); });
    BindCommand(IDC_ELS_ID_SEARCH, [this] { Sheet()->Guard([this] { SearchByCorraId(); }); });
    BindCommand(IDC_ELS_BROWSE, [this] { Sheet()->Guard([this] { OnBrowse(); }); });
    BindCommand(IDC_ELS_BREAK_LINKS, [this] { Sheet()->Guard([this] { OnBreakLinks(); }); });
    BindNotify(IDC_ELS_NF_LIST, NM_CLICK, [this] { UpdateControls(); });
    BindNotify(IDC_ELS_NF_LIST, LVN_ITEMCHANGED, [this] { UpdateControls(); });
}

CELSNoFindPage::~CELSNoFindPage() = default;

CELSSheet* CELSNoFindPage::Sheet() const
{
    return dynamic_cast<CELSSheet*>(GetSheet());
}

BOOL CELSNoFindPage::OnInitDialog()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        result = CPropertyPage::OnInitDialog();
        if (m_nDocKind == DT_IMAGE)
            SetDlgItemText(IDC_ELS_NF_HEADER, LoadStringId(IDS_ILS_HEADER));
        InitColumns();
        UpdateControls();
    });
    return result;
}

BOOL CELSNoFindPage::OnSetActive()
{
    BOOL result = TRUE;
    Sheet()->Guard([&] {
        Rebuild();
        Sheet()->SetTitle(m_csTitle);
        result = CPropertyPage::OnSetActive();
    });
    return result;
}

LRESULT CELSNoFindPage::OnWizardNext()
{
    Sheet()->m_history.push_front(IDD_ELS_NO_FIND);
    return IDD_ELS_OUT_OF_DATE;
}

LRESULT CELSNoFindPage::OnWizardBack()
{
    return BackAlongHistory(Sheet());
}

BOOL CELSNoFindPage::OnWizardFinish()
{
    AskSaveChanges();
    return CPropertyPage::OnWizardFinish();
}

void CELSNoFindPage::AskSaveChanges()
{
    Sheet()->AskSaveChanges();
}

void CELSNoFindPage::Rebuild()
{
    m_records.clear();
    BuildList();
    FillList();
    UpdateControls();
}

CELSNoFindPage::CRecord* CELSNoFindPage::AddRecord(const CString& path, std::map<CString, CRecord*>& byPath)
{
    auto it = byPath.find(path);
    if (it != byPath.end()) {
        ++it->second->links;
        return it->second;
    }
    auto record = std::make_unique<CRecord>();
    record->path = path;
    record->name = fsys::FileName(path);
    record->folder = fsys::Folder(path);
    record->links = 1;
    CRecord* made = record.get();
    byPath[path] = made;
    m_records.push_back(std::move(record));
    return made;
}

void CELSNoFindPage::BuildList()
{
    // By the path as stored: "Bank.crr" and "bank.crr" are two files.
    std::map<CString, CRecord*> byPath;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        const CExamQuestion* question = AsExam(m_lQuestions.GetNext(pos));
        if (!question || !question->m_bLinked || fsys::Exists(question->m_csCorraFile))
            continue;
        const BOOL isNew = byPath.find(question->m_csCorraFile) == byPath.end();
        CRecord* record = AddRecord(question->m_csCorraFile, byPath);
        if (isNew)
            record->corraId = question->m_csIdentityName;
    }
    std::sort(m_records.begin(), m_records.end(), [](const std::unique_ptr<CRecord>& a, const std::unique_ptr<CRecord>& b) {
        return a->path < b->path;
    });
}

void CELSNoFindPage::InitColumns()
{
    while (m_pList->GetColumnCount() > 0)
        m_pList->DeleteColumn(0);
    m_pList->InsertColumn(0, "Question Corra", LVCFMT_LEFT, 180);
    m_pList->InsertColumn(1, "Links", LVCFMT_LEFT, 50);
    m_pList->InsertColumn(2, "Last Known Location", LVCFMT_LEFT, 170);
    m_pList->InsertColumn(3, "Corra ID", LVCFMT_CENTER, 150);
}

void CELSNoFindPage::FillList()
{
    m_pList->DeleteAllItems();
    for (const auto& record : m_records)
        AddRow(*m_pList, record.get(),
               {record->name, CString::Formatted("%d", record->links), ShownFolderText(record->folder), record->corraId});
    SelectFirstRow(*m_pList);
}

void CELSNoFindPage::UpdateControls()
{
    const int count = m_pList->GetItemCount();
    const int selected = static_cast<int>(m_pList->GetSelectedCount());
    EnableDlgItem(IDC_ELS_NAME_SEARCH, selected >= 1);
    SetDlgItemText(IDC_ELS_NF_INFO, LoadStringId(IDS_ELS_NF_INFO));
    if (m_nDocKind == DT_IMAGE) {
        for (int nID : {IDC_ELS_BREAK_TEXT, IDC_ELS_SKIP_TEXT, IDC_ELS_OR1, IDC_ELS_OR2, IDC_ELS_BREAK_LINKS})
            ShowDlgItem(nID, SW_HIDE);
    } else {
        EnableDlgItem(IDC_ELS_BREAK_LINKS, count > 0);
    }
    CELSSheet* sheet = Sheet();
    if (!sheet || sheet->GetActivePage() != this)
        return;
    if (sheet->m_startPage.m_bFixOutOfDate)
        sheet->SetWizardButtons(count == 0 ? (PSWIZB_BACK | PSWIZB_NEXT) : PSWIZB_BACK);
    else
        sheet->SetWizardButtons(count == 0 ? (PSWIZB_BACK | PSWIZB_FINISH) : (PSWIZB_BACK | PSWIZB_DISABLEDFINISH));
}

CELSNoFindPage::CRecord* CELSNoFindPage::SelectedRecord(BOOL bSay)
{
    POSITION pos = m_pList->GetFirstSelectedItemPosition();
    const int row = pos ? m_pList->GetNextSelectedItem(pos) : -1;
    auto* record = row >= 0 ? reinterpret_cast<CRecord*>(m_pList->GetItemData(row)) : nullptr;
    if (!record && bSay)
        Say("Nothing selected.");
    return record;
}

CString CELSNoFindPage::RunFind(const CRecord& record, int mode, const CString& wanted, const CString& prompt)
{
    CFileFindExDlg dlg(this);
    dlg.m_nKind = m_nDocKind;
    dlg.m_nSearchMode = mode;
    dlg.m_csSearchFolder = CFileTypes::GetPriDir(m_nDocKind);
    if (mode == CFileFindExDlg::SEARCH_BY_CORRAID)
        dlg.m_csCorraId = wanted;
    else
        dlg.m_csFileName = wanted;
    dlg.m_csInfo = prompt;
    if (dlg.DoModal() == IDOK) {
        const CString path = dlg.GetFoundPath();
        return CheckPickedFile(path) ? path : CString();
    }
    // A search the user stopped is no search that found nothing.
    if (!dlg.m_bUserCancelled)
        ShowCannotFind(record, wanted, mode != CFileFindExDlg::SEARCH_BY_CORRAID);
    return CString();
}

void CELSNoFindPage::ShowCannotFind(const CRecord& record, const CString& what, BOOL bByName)
{
    CRichMessage message;
    message.title = "Cannot find file...";
    message.style = RMB_OK;
    message.pane[0].Format(LoadStringId(IDS_ELS_NOT_FOUND), CFileTypes::Ext2TypeDescr(record.name, TRUE).GetString(),
                           CFileTypes::Ext2TypeName(record.name).GetString(), what.GetString());
    if (bByName) {
        message.paneId[1] = IDS_ELS_MAYBE_DELETED;
        if (m_nDocKind == DT_CORRA)
            message.paneId[2] = IDS_ELS_TRY_ID_SEARCH;
    }
    RichMessageBox(message);
}

void CELSNoFindPage::RelinkSelected(const std::function<CString(const CRecord&)>& pick)
{
    CRecord* record = SelectedRecord(TRUE);
    if (!record)
        return;
    // A copy: the relink rebuilds the records.
    const CRecord wanted = *record;
    const CString path = pick(wanted);
    if (!path.IsEmpty())
        Relink(wanted.name, wanted.folder, path);
}

void CELSNoFindPage::SearchByFileName()
{
    RelinkSelected([this](const CRecord& wanted) {
        return RunFind(wanted, CFileFindExDlg::SEARCH_BY_NAME, wanted.name,
                       "Select the missing " + CFileTypes::Ext2TypeDescr(wanted.name, FALSE));
    });
}

void CELSNoFindPage::SearchByCorraId()
{
    RelinkSelected([this](const CRecord& wanted) {
        CString id = wanted.corraId;
        if (id.IsEmpty()) {
            CPromptDlg prompt(this);
            prompt.m_csTitle = "No Corra ID";
            prompt.m_csMessage = LoadStringId(IDS_ELS_ASK_ID);
            if (prompt.DoModal() != IDOK)
                return CString();
            id = prompt.m_csText;
            id.Trim();
            if (id.IsEmpty())
                return CString();
        }
        return RunFind(wanted, CFileFindExDlg::SEARCH_BY_CORRAID, id, "Select the missing Question Corra.");
    });
}

void CELSNoFindPage::OnBrowse()
{
    RelinkSelected([this](const CRecord& wanted) {
        CFileChooserCall call;
        call.nType = m_nDocKind;
        call.csRootFilter = CFileTypes::Type2DirName(m_nDocKind);
        call.csStartDir = fsys::IsDirectory(wanted.folder) ? wanted.folder : CFileTypes::GetDefDir(m_nDocKind);
        if (FileChooser().Run(call) != IDOK || call.paths.empty())
            return CString();
        ASSERT(fsys::Exists(call.paths.front()));
        return call.paths.front();
    });
}

BOOL CELSNoFindPage::Relink(const CString& name, const CString& folder, const CString& newPath)
{
    if (!CheckPickedFile(newPath))
        return FALSE;
    // An exam's questions link to banks only.
    if (CFileTypes::Ext2Type(newPath) != DT_CORRA) {
        CString text;
        text.Format(LoadStringId(IDS_ELS_NO_HEADER), newPath.GetString());
        Say(text + "\n\nOnly a Question Corra can be linked to.");
        return FALSE;
    }
    if (Say("Are you sure you want to link to Question Corra?\n\n" + ShownPath(newPath), MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return FALSE;
    CCorraHeader header;
    if (!header.GetCorraHeaderInfo(newPath)) {
        CString text;
        text.Format(LoadStringId(IDS_ELS_NO_HEADER), newPath.GetString());
        Say(text);
        return FALSE;
    }
    const CString corraId = header.GetCorraId();
    if (corraId.IsEmpty()) {
        CString text;
        text.Format(LoadStringId(IDS_ELS_NO_CORRA_ID), newPath.GetString());
        Say(text);
    }
    CELSSheet* sheet = Sheet();
    CCorraDoc* doc = sheet->GetDoc();
    BOOL relinked = FALSE;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        CExamQuestion* question = AsExam(m_lQuestions.GetNext(pos));
        if (!question || !question->m_bLinked || !IsLostFile(question->m_csCorraFile, name, folder))
            continue;
        question->SetLink(newPath, corraId);
        relinked = TRUE;
        if (doc) {
            doc->SetModifiedFlag(TRUE);
            CUpdate hint;
            hint.SetView(question);
            doc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
        }
        sheet->m_bChanged = TRUE;
    }
    sheet->CheckLinks(nullptr);
    Rebuild();
    return relinked;
}

void CELSNoFindPage::OnBreakLinks()
{
    if (BreakLinks(Sheet(), m_lQuestions))
        Rebuild();
}
