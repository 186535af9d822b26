#include "import/AQFDocPages.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "import/AddQuestFromSheet.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"
#include "shell/ShellDocs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// The name of the documents of an extension, as captions and labels show it.
CString DocTypeName(const CString& ext)
{
    return CFileTypes::Type2TypeDescr(CFileTypes::Ext2Type(ext.SpanExcluding(";")), FALSE);
}

CString FirstExtension(const CString& list)
{
    return list.SpanExcluding(";");
}

// A Windows-1252 letter or digit.
BOOL IsNameChar(unsigned char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return TRUE;
    switch (c) {
    case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F: case 0xAA: case 0xB5: case 0xBA:
        return TRUE;
    default: return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

// A header read from a file the user named; FALSE (logged) when the file is no document of
// the kind or its header cannot be read.
BOOL ReadFileHeader(const CString& path, CCorraHeader& header, const char* where)
{
    if (path.IsEmpty() || !fsys::IsFile(path))
        return FALSE;
    if (!header.GetCorraHeaderInfo(path)) {
        LogOutput(CString(where) + " - failed to GetCorraHeaderInfo...", LOG_ERROR, LOG_HERE);
        LogOutput(header.m_csError, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

// The file chooser for a document kind, rooted at the program's folder, starting in the kind's
// default folder; the chosen path, or empty.
CString ChooseFile(int nKind)
{
    CFileChooserCall call;
    call.nType = nKind;
    call.dwStyle = FCS_OPEN_STYLE;
    call.csRootDir = GetServerDirectory();
    call.csStartDir = CFileTypes::GetDefDir(nKind);
    if (FileChooser().Run(call) != IDOK || call.paths.empty())
        return CString();
    CFileTypes::CheckDefDocDir(nKind, call.paths.front(), FALSE);
    return call.paths.front();
}

// The header of the row chosen in a list, as the page keeps it; whether there is one.
BOOL ReadRowHeader(CHVListCtrl* list, CCorraHeader& header, const char* page, BOOL bRecent)
{
    const int row = list->GetFirstSelected();
    CHVFileInfo* info = row >= 0 ? list->GetFileInfoType(row) : nullptr;
    if (info)
        header = info->m_hdr;
    else if (row >= 0)
        LogOutput(CString(page) + (bRecent ? "::OnSelectRecentlyOpen() - failed to GetHeaderInfo"
                                           : "::OnSelectCurrentlyOpen() - failed to GetHeaderInfo"),
                  LOG_ERROR, LOG_HERE);
    return info != nullptr;
}

// The file of the first three choices of both document pages (open, recent, search).
CString ChosenPath(int nChoice, const QLineEdit* path, const CHVListCtrl* open, const CHVListCtrl* recent)
{
    if (nChoice == 2)
        return FromQString(path->text()).Trim();
    const CHVListCtrl* list = nChoice == 0 ? open : nChoice == 1 ? recent : nullptr;
    const int row = list ? list->GetFirstSelected() : -1;
    return row >= 0 ? list->GetItemFileName(row) : CString();
}

BOOL HaveChosenFile(int nChoice, BOOL bHeaderRead, const QLineEdit* path, const CHVListCtrl* open,
                    const CHVListCtrl* recent)
{
    if (!bHeaderRead)
        return FALSE;
    switch (nChoice) {
    case 0: return open->GetFirstSelected() >= 0;
    case 1: return recent->GetFirstSelected() >= 0;
    case 2: return fsys::IsFile(FromQString(path->text()).Trim());
    default: return FALSE;
    }
}

QRadioButton* AddRadio(CDialog* pDlg, QGridLayout* grid, int row, int nID, const char* text, BOOL bFirst = FALSE)
{
    QRadioButton* radio = pDlg->CreateRadioButton(nID, text, bFirst);
    grid->addWidget(radio, row, 0, 1, 3);
    return radio;
}

} // namespace

BOOL IsSameDocumentPath(const CString& a, const CString& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return FALSE;
    std::error_code ec;
    const std::filesystem::path pa = std::filesystem::weakly_canonical(fsys::Native(a), ec);
    if (ec)
        return a == b;
    const std::filesystem::path pb = std::filesystem::weakly_canonical(fsys::Native(b), ec);
    if (ec)
        return a == b;
    return pa == pb;
}

// --- "Add Questions To..." ----------------------------------------------------------------------

CAQFChooseToTypePage::CAQFChooseToTypePage()
    : CAQFPage(IDD_AQF_TO_TYPE, "Add Questions To...", IDS_AQF_TO_TYPE_INFO)
{
    auto* grid = new QGridLayout;
    AddRadio(this, grid, 0, IDC_AQF_TO_CORRA, "Add Questions To A Question &Corra", TRUE);
    AddRadio(this, grid, 1, IDC_AQF_TO_EXAM, "Add Questions To An &Exam");
    AddRadio(this, grid, 2, IDC_AQF_TO_COLLECTION, "Add Questions To A C&ollection");
    PageLayout()->addLayout(grid);
    PageLayout()->addStretch(1);
    for (int id : {IDC_AQF_TO_CORRA, IDC_AQF_TO_EXAM, IDC_AQF_TO_COLLECTION}) {
        BindNotify(id, BN_CLICKED, [this, id] {
            m_nType = id - IDC_AQF_TO_CORRA + AQF_TO_CORRA;
            SetButtons(PSWIZB_NEXT);
        });
    }
    CheckRadioButton(IDC_AQF_TO_CORRA, IDC_AQF_TO_COLLECTION, IDC_AQF_TO_EXAM);
}

void CAQFChooseToTypePage::SetType(int nType)
{
    if (nType < AQF_TO_CORRA || nType > AQF_TO_COLLECTION)
        return;
    m_nType = nType;
    CheckRadioButton(IDC_AQF_TO_CORRA, IDC_AQF_TO_COLLECTION, IDC_AQF_TO_CORRA + nType - AQF_TO_CORRA);
}

BOOL CAQFChooseToTypePage::OnSetActive()
{
    CAQFPage::OnSetActive();
    SetButtons(PSWIZB_NEXT);
    return TRUE;
}

LRESULT CAQFChooseToTypePage::OnWizardNext()
{
    PushThisPage();
    return IDD_AQF_TO_DOC;
}

// --- "Add questions to document..." -------------------------------------------------------------

CAQFChooseToDocPage::CAQFChooseToDocPage()
    : CAQFPage(IDD_AQF_TO_DOC, "Add questions to document...", IDS_AQF_TO_DOC_INFO)
{
    auto* grid = new QGridLayout;
    AddRadio(this, grid, 0, IDC_AQF_TO_OPEN, "Add Questions To A Document Already &Open", TRUE);
    m_pOpenList = AddControl(IDC_AQF_TO_OPEN_LIST, new CHVListCtrl(this));
    grid->addWidget(m_pOpenList, 1, 0, 1, 3);
    AddRadio(this, grid, 2, IDC_AQF_TO_RECENT, "Add Questions To &Recently Opened Documents");
    m_pRecentList = AddControl(IDC_AQF_TO_RECENT_LIST, new CHVListCtrl(this));
    m_pRecentList->m_bListOpenDocs = FALSE;
    m_pRecentList->m_bListRecentFiles = TRUE;
    grid->addWidget(m_pRecentList, 3, 0, 1, 3);
    AddRadio(this, grid, 4, IDC_AQF_TO_SEARCH, "&Search For File On Disk");
    m_pPath = CreateEdit(IDC_AQF_TO_PATH);
    grid->addWidget(m_pPath, 5, 0, 1, 2);
    grid->addWidget(CreateButton(IDC_AQF_TO_SEARCH_BUTTON, "Search..."), 5, 2);
    grid->addWidget(CreateRadioButton(IDC_AQF_TO_NEW, "Create &New"), 6, 0);
    m_pName = CreateEdit(IDC_AQF_TO_NEW_NAME);
    grid->addWidget(m_pName, 6, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    for (CHVListCtrl* list : {m_pOpenList, m_pRecentList}) {
        list->SetSingleSelection(TRUE);
        list->setMinimumHeight(70);
    }
    PageLayout()->addLayout(grid, 1);
    const int choices[] = {IDC_AQF_TO_OPEN, IDC_AQF_TO_RECENT, IDC_AQF_TO_SEARCH, IDC_AQF_TO_NEW};
    for (int i = 0; i < 4; ++i)
        BindNotify(choices[i], BN_CLICKED, [this, i] { OnChoice(i); });
    BindNotify(IDC_AQF_TO_NEW_NAME, EN_CHANGE, [this] { OnNameChange(); });
    BindNotify(IDC_AQF_TO_PATH, EN_CHANGE, [this] { OnPathChange(); });
    BindNotify(IDC_AQF_TO_SEARCH_BUTTON, BN_CLICKED, [this] { OnSearch(); });
    BindNotify(IDC_AQF_TO_OPEN_LIST, LVN_ITEMCHANGED, [this] { OnSelectRow(FALSE); });
    BindNotify(IDC_AQF_TO_RECENT_LIST, LVN_ITEMCHANGED, [this] { OnSelectRow(TRUE); });
}

CString CAQFChooseToDocPage::Extension() const
{
    const CAddQuestFromSheet* pSheet = Sheet();
    return pSheet && pSheet->GetTargetKind() == AQF_TO_EXAM ? ".exm" : ".crr";
}

BOOL CAQFChooseToDocPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    CheckRadioButton(IDC_AQF_TO_OPEN, IDC_AQF_TO_NEW, IDC_AQF_TO_OPEN + m_nChoice);
    return TRUE;
}

BOOL CAQFChooseToDocPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    const CString ext = Extension();
    const int kind = CFileTypes::Ext2Type(ext);
    for (CHVListCtrl* list : {m_pOpenList, m_pRecentList}) {
        list->SetDocType(kind);
        list->InitOpenDocs(ext);
    }
    SetCaption("Choose existing " + DocTypeName(ext));
    UpdateControls();
    return TRUE;
}

void CAQFChooseToDocPage::SetChoice(int nChoice)
{
    if (nChoice < choiceOpen || nChoice > choiceNew)
        return;
    m_nChoice = nChoice;
    if (m_nChoice != choiceNew)
        CloseTargetDoc();
    CheckRadioButton(IDC_AQF_TO_OPEN, IDC_AQF_TO_NEW, IDC_AQF_TO_OPEN + nChoice);
    if (IsPageMade())
        UpdateControls();
}

void CAQFChooseToDocPage::OnChoice(int nChoice)
{
    if (nChoice == m_nChoice)
        return;
    SetChoice(nChoice);
    if (nChoice == choiceNew && !m_NewDoc.Get()) {
        const CAddQuestFromSheet* pSheet = Sheet();
        CreateNewDoc(pSheet ? pSheet->GetTargetKind() : AQF_TO_EXAM);
        UpdateControls();
    }
}

CDocument* CAQFChooseToDocPage::CreateNewDoc(int nTargetKind)
{
    CloseTargetDoc();
    CDocument* pDoc = ShellDocuments().NewDocument(nTargetKind == AQF_TO_EXAM ? DT_EXAM : DT_CORRA, TRUE);
    if (!pDoc) {
        LogOutput("CAQFChooseToDocPage::CreateNewDoc() - no new document", LOG_ERROR, LOG_HERE);
        return nullptr;
    }
    m_NewDoc.Reset(pDoc);
    if (auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc)) {
        pCorra->FillHeader(m_Header);
        m_bHeaderRead = TRUE;
    }
    m_bSettingName = TRUE;
    m_pName->setText(ToQString(pDoc->GetTitle()));
    m_bSettingName = FALSE;
    return pDoc;
}

void CAQFChooseToDocPage::CloseTargetDoc()
{
    CDocument* pDoc = m_NewDoc.Get();
    m_NewDoc.Reset();
    if (pDoc)
        pDoc->OnCloseDocument();
    m_bSettingName = TRUE;
    m_pName->clear();
    m_bSettingName = FALSE;
}

void CAQFChooseToDocPage::TypeNewName(const char* text)
{
    m_pName->setText(ToQString(text));
}

void CAQFChooseToDocPage::TypePath(const char* path)
{
    m_pPath->setText(ToQString(path));
}

void CAQFChooseToDocPage::OnNameChange()
{
    if (m_bSettingName)
        return;
    CString text = FromQString(m_pName->text());
    text.TrimRight();
    // The whole name is checked: a pasted text is as good as a typed one. Blanks inside stay.
    CString kept;
    BOOL bRefused = FALSE;
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsNameChar(c) || (c == ' ' && !kept.IsEmpty()))
            kept += static_cast<char>(c);
        else
            bRefused = TRUE;
    }
    kept.TrimRight();
    if (bRefused) {
        AfxMessageBox("Must type alphanumeric characters only.");
        m_bSettingName = TRUE;
        m_pName->setText(ToQString(kept));
        m_bSettingName = FALSE;
    }
    if (CDocument* pDoc = m_NewDoc.Get(); pDoc && !kept.IsEmpty())
        pDoc->SetTitle(kept);
    UpdateControls();
}

void CAQFChooseToDocPage::OnPathChange()
{
    const CString path = FromQString(m_pPath->text()).Trim();
    m_bHeaderRead = ReadFileHeader(path, m_Header, "CAQFChooseToDocPage::OnButtonOpenFile()");
    UpdateControls();
}

void CAQFChooseToDocPage::OnSearch()
{
    const CString path = ChooseFile(CFileTypes::Ext2Type(Extension()));
    if (!path.IsEmpty())
        m_pPath->setText(ToQString(path));
}

void CAQFChooseToDocPage::OnSelectRow(BOOL bRecent)
{
    m_bHeaderRead = ReadRowHeader(bRecent ? m_pRecentList : m_pOpenList, m_Header, "CAQFChooseToDocPage", bRecent);
    UpdateControls();
}

BOOL CAQFChooseToDocPage::HaveSelection() const
{
    if (m_FixedDoc.Get())
        return TRUE;
    if (m_nChoice == choiceNew)
        return m_NewDoc.Get() != nullptr;
    return HaveChosenFile(m_nChoice, m_bHeaderRead, m_pPath, m_pOpenList, m_pRecentList);
}

void CAQFChooseToDocPage::UpdateControls()
{
    const BOOL bFixed = m_FixedDoc.Get() != nullptr;
    for (int id : {IDC_AQF_TO_OPEN, IDC_AQF_TO_RECENT, IDC_AQF_TO_SEARCH, IDC_AQF_TO_NEW})
        EnableDlgItem(id, !bFixed);
    EnableDlgItem(IDC_AQF_TO_OPEN_LIST, !bFixed && m_nChoice == choiceOpen);
    EnableDlgItem(IDC_AQF_TO_RECENT_LIST, !bFixed && m_nChoice == choiceRecent);
    EnableDlgItem(IDC_AQF_TO_PATH, !bFixed && m_nChoice == choiceSearch);
    EnableDlgItem(IDC_AQF_TO_SEARCH_BUTTON, !bFixed && m_nChoice == choiceSearch);
    EnableDlgItem(IDC_AQF_TO_NEW_NAME, !bFixed && m_nChoice == choiceNew);
    SetButtons(HaveSelection() ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

BOOL CAQFChooseToDocPage::GetHeader(CCorraHeader& header) const
{
    CDocument* pDoc = m_FixedDoc.Get();
    if (!pDoc && m_nChoice == choiceNew)
        pDoc = m_NewDoc.Get();
    if (auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc)) {
        pCorra->FillHeader(header);
        return TRUE;
    }
    if (!m_bHeaderRead)
        return FALSE;
    header = m_Header;
    return TRUE;
}

CString CAQFChooseToDocPage::GetPathName() const
{
    if (CDocument* pDoc = m_FixedDoc.Get())
        return pDoc->GetPathName().IsEmpty() ? pDoc->GetTitle() : pDoc->GetPathName();
    if (m_nChoice == choiceNew) {
        CDocument* pDoc = m_NewDoc.Get();
        return pDoc ? pDoc->GetTitle() : CString();
    }
    return ChosenPath(m_nChoice, m_pPath, m_pOpenList, m_pRecentList);
}

CDocument* CAQFChooseToDocPage::GetDoc(BOOL& bOpened, BOOL bOpen)
{
    bOpened = FALSE;
    if (m_FixedDoc.IsSet()) {
        CDocument* pDoc = m_FixedDoc.Get();
        if (!pDoc)
            LogOutput("CAQFChooseToDocPage::GetDoc() - the document was closed", LOG_ERROR, LOG_HERE);
        return pDoc;
    }
    switch (m_nChoice) {
    case choiceSearch: {
        const CString path = FromQString(m_pPath->text()).Trim();
        if (path.IsEmpty())
            return nullptr;
        if (CDocument* pOpen = ShellDocuments().FindOpenDocument(path))
            return pOpen;
        if (!bOpen)
            return nullptr;
        CDocument* pDoc = ShellDocuments().OpenDocumentOfType(path, TRUE);
        bOpened = pDoc != nullptr;
        return pDoc;
    }
    case choiceOpen:
    case choiceRecent: {
        CHVListCtrl* list = m_nChoice == choiceOpen ? m_pOpenList : m_pRecentList;
        const int row = list->GetFirstSelected();
        if (row < 0)
            return nullptr;
        list->SelectItem(row);
        if (!bOpen) {
            CHVFileInfo* info = list->GetFileInfoType(row);
            return info ? ShellDocuments().FindOpenDocument(info->m_hdr.m_csFileName) : nullptr;
        }
        return list->GetDoc(bOpened, TRUE);
    }
    case choiceNew: return m_NewDoc.Get();
    default: return nullptr;
    }
}

LRESULT CAQFChooseToDocPage::OnWizardNext()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet || !HaveSelection())
        return -1;
    CCorraHeader header;
    const BOOL bHeader = GetHeader(header);
    BOOL bOpened = FALSE;
    CDocument* pDoc = GetDoc(bOpened, FALSE);
    UINT nNext = m_nJump;
    if (!nNext) {
        if (pSheet->GetTargetKind() != AQF_TO_COLLECTION) {
            nNext = IDD_AQF_FROM_TYPE;
        } else if (bHeader && header.m_nNumCollections > 0) {
            pSheet->m_ToCollectionPage.SetHeader(header);
            nNext = IDD_AQF_TO_COLLECTION;
        } else {
            AfxMessageBox("Document has no collections.");
            return -1;
        }
    }
    pSheet->m_FromDocPage.SetTarget(bHeader ? header.m_csFileName : GetPathName(), pDoc);
    PushThisPage();
    return nNext;
}

// --- "Add questions from..." --------------------------------------------------------------------

CAQFChooseTypePage::CAQFChooseTypePage()
    : CAQFPage(IDD_AQF_FROM_TYPE, "Add questions from...", IDS_AQF_FROM_TYPE_INFO)
{
    auto* grid = new QGridLayout;
    AddRadio(this, grid, 0, IDC_AQF_FROM_AUTOCONVERT, "&Auto Convert (import from text file)", TRUE);
    AddRadio(this, grid, 1, IDC_AQF_FROM_CORRA, "Add Questions From A Question &Corra");
    AddRadio(this, grid, 2, IDC_AQF_FROM_EXAM, "Add Questions From An &Exam");
    AddRadio(this, grid, 3, IDC_AQF_FROM_COLLECTION, "Add Questions From A C&ollection");
    AddRadio(this, grid, 4, IDC_AQF_FROM_COMPOSE, "Add Questions By Com&posing Original Questions");
    PageLayout()->addLayout(grid);
    PageLayout()->addStretch(1);
    const int ids[] = {IDC_AQF_FROM_AUTOCONVERT, IDC_AQF_FROM_CORRA, IDC_AQF_FROM_EXAM, IDC_AQF_FROM_COLLECTION,
                       IDC_AQF_FROM_COMPOSE};
    for (int kind = 0; kind < 5; ++kind) {
        BindNotify(ids[kind], BN_CLICKED, [this, kind] {
            m_nType = kind;
            UpdateControls();
        });
    }
    SetType(AQF_FROM_CORRA);
}

void CAQFChooseTypePage::SetType(int nType)
{
    static const int ids[] = {IDC_AQF_FROM_AUTOCONVERT, IDC_AQF_FROM_CORRA, IDC_AQF_FROM_EXAM, IDC_AQF_FROM_COLLECTION,
                              IDC_AQF_FROM_COMPOSE};
    if (nType < 0 || nType > 4)
        return;
    m_nType = nType;
    for (int kind = 0; kind < 5; ++kind)
        CheckDlgButton(ids[kind], kind == nType);
}

void CAQFChooseTypePage::UpdateControls()
{
    const CAddQuestFromSheet* pSheet = Sheet();
    const BOOL bCompose = !pSheet || pSheet->GetTargetKind() != AQF_TO_COLLECTION;
    EnableDlgItem(IDC_AQF_FROM_COMPOSE, bCompose);
    if (!bCompose && m_nType == AQF_FROM_COMPOSE)
        SetType(AQF_FROM_CORRA);
    SetButtons(m_nType == AQF_FROM_COMPOSE ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT);
}

BOOL CAQFChooseTypePage::OnSetActive()
{
    CAQFPage::OnSetActive();
    UpdateControls();
    return TRUE;
}

LRESULT CAQFChooseTypePage::OnWizardNext()
{
    PushThisPage();
    return IDD_AQF_FROM_DOC;
}

BOOL CAQFChooseTypePage::OnWizardFinish()
{
    CAddQuestFromSheet* pSheet = Sheet();
    return m_nType == AQF_FROM_COMPOSE && pSheet && pSheet->CanFinish();
}

// --- "Add questions from document..." -----------------------------------------------------------

CAQFChooseDocPage::CAQFChooseDocPage()
    : CAQFPage(IDD_AQF_FROM_DOC, "Add questions from document...", IDS_AQF_FROM_DOC_INFO)
{
    auto* grid = new QGridLayout;
    AddRadio(this, grid, 0, IDC_AQF_FROM_OPEN, "Add Questions From Documents Already &Open", TRUE);
    m_pOpenList = AddControl(IDC_AQF_FROM_OPEN_LIST, new CHVListCtrl(this));
    grid->addWidget(m_pOpenList, 1, 0, 1, 3);
    QRadioButton* recent = AddRadio(this, grid, 2, IDC_AQF_FROM_RECENT, "Add Questions From &Recently Opened Documents");
    Q_UNUSED(recent);
    m_pRecentList = AddControl(IDC_AQF_FROM_RECENT_LIST, new CHVListCtrl(this));
    m_pRecentList->m_bListOpenDocs = FALSE;
    m_pRecentList->m_bListRecentFiles = TRUE;
    grid->addWidget(m_pRecentList, 3, 0, 1, 3);
    AddRadio(this, grid, 4, IDC_AQF_FROM_SEARCH, "&Search For File On Disk");
    m_pPath = CreateEdit(IDC_AQF_FROM_PATH);
    grid->addWidget(m_pPath, 5, 0, 1, 2);
    grid->addWidget(CreateButton(IDC_AQF_FROM_SEARCH_BUTTON, "Search..."), 5, 2);
    grid->addWidget(CreateCheckBox(IDC_AQF_KEEP_OPEN, "&Keep Open"), 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    for (CHVListCtrl* list : {m_pOpenList, m_pRecentList}) {
        list->SetSingleSelection(TRUE);
        list->setMinimumHeight(70);
    }
    PageLayout()->addLayout(grid, 1);
    const int choices[] = {IDC_AQF_FROM_OPEN, IDC_AQF_FROM_RECENT, IDC_AQF_FROM_SEARCH};
    for (int i = 0; i < 3; ++i)
        BindNotify(choices[i], BN_CLICKED, [this, i] { OnChoice(i); });
    BindNotify(IDC_AQF_FROM_PATH, EN_CHANGE, [this] { OnPathChange(); });
    BindNotify(IDC_AQF_FROM_SEARCH_BUTTON, BN_CLICKED, [this] { OnSearch(); });
    BindNotify(IDC_AQF_FROM_OPEN_LIST, LVN_ITEMCHANGED, [this] { OnSelectRow(FALSE); });
    BindNotify(IDC_AQF_FROM_RECENT_LIST, LVN_ITEMCHANGED, [this] { OnSelectRow(TRUE); });
    BindNotify(IDC_AQF_KEEP_OPEN, BN_CLICKED, [this] { m_bKeepOpen = IsDlgButtonChecked(IDC_AQF_KEEP_OPEN); });
}

int CAQFChooseDocPage::SourceKind() const
{
    const CAddQuestFromSheet* pSheet = Sheet();
    return pSheet ? pSheet->GetSourceKind() : AQF_FROM_CORRA;
}

CString CAQFChooseDocPage::Extensions() const
{
    switch (SourceKind()) {
    case AQF_FROM_AUTOCONVERT: return ".txt;.rtf;.doc;.wpd";
    case AQF_FROM_EXAM: return ".exm";
    default: return ".crr";
    }
}

void CAQFChooseDocPage::SetTarget(const CString& fileName, CDocument* pDoc)
{
    m_csTargetFile = fileName;
    m_TargetDoc.Reset(pDoc);
}

void CAQFChooseDocPage::SetKeepOpen(BOOL bKeep)
{
    m_bKeepOpen = bKeep;
    CheckDlgButton(IDC_AQF_KEEP_OPEN, bKeep);
}

BOOL CAQFChooseDocPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    CheckDlgButton(IDC_AQF_KEEP_OPEN, m_bKeepOpen);
    return TRUE;
}

BOOL CAQFChooseDocPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    const CString exts = Extensions();
    const int kind = CFileTypes::Ext2Type(FirstExtension(exts));
    for (CHVListCtrl* list : {m_pOpenList, m_pRecentList}) {
        list->SetDocType(kind);
        list->InitOpenDocs(exts, m_TargetDoc.Get(), m_csTargetFile);
    }
    const CString name = DocTypeName(exts);
    SetDlgItemText(IDC_AQF_FROM_RECENT, "Add questions from &recent " + name + "s");
    SetCaption("Choose existing " + name);
    int nChoice = choiceRecent;
    if (m_pOpenList->GetItemCount() > 0)
        nChoice = choiceOpen;
    else if (m_pRecentList->GetItemCount() == 0)
        nChoice = choiceSearch;
    SetChoice(nChoice);
    return TRUE;
}

void CAQFChooseDocPage::SetChoice(int nChoice)
{
    if (nChoice < choiceOpen || nChoice > choiceSearch)
        return;
    m_nChoice = nChoice;
    const int ids[] = {IDC_AQF_FROM_OPEN, IDC_AQF_FROM_RECENT, IDC_AQF_FROM_SEARCH};
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(ids[i], i == nChoice);
    m_bHeaderRead = FALSE;
    if (nChoice == choiceSearch)
        OnPathChange();
    else
        OnSelectRow(nChoice == choiceRecent);
}

void CAQFChooseDocPage::OnChoice(int nChoice)
{
    if (nChoice != m_nChoice)
        SetChoice(nChoice);
}

void CAQFChooseDocPage::TypePath(const char* path)
{
    m_pPath->setText(ToQString(path));
}

void CAQFChooseDocPage::OnPathChange()
{
    const CString path = FromQString(m_pPath->text()).Trim();
    if (SourceKind() == AQF_FROM_AUTOCONVERT) {
        m_Header.Clear();
        m_Header.m_csFileName = path;
        m_bHeaderRead = fsys::IsFile(path);
    } else {
        m_bHeaderRead = ReadFileHeader(path, m_Header, "CAQFChooseDocPage::OnButtonOpenFile()");
    }
    UpdateControls();
}

void CAQFChooseDocPage::OnSearch()
{
    const CString path = ChooseFile(CFileTypes::Ext2Type(FirstExtension(Extensions())));
    if (!path.IsEmpty())
        m_pPath->setText(ToQString(path));
}

void CAQFChooseDocPage::OnSelectRow(BOOL bRecent)
{
    if ((bRecent ? choiceRecent : choiceOpen) != m_nChoice)
        return;
    m_bHeaderRead = ReadRowHeader(bRecent ? m_pRecentList : m_pOpenList, m_Header, "CAQFChooseDocPage", bRecent);
    UpdateControls();
}

BOOL CAQFChooseDocPage::HaveSelection() const
{
    if (m_FixedDoc.Get())
        return TRUE;
    return HaveChosenFile(m_nChoice, m_bHeaderRead, m_pPath, m_pOpenList, m_pRecentList);
}

void CAQFChooseDocPage::UpdateControls()
{
    const BOOL bFixed = m_FixedDoc.Get() != nullptr;
    for (int id : {IDC_AQF_FROM_OPEN, IDC_AQF_FROM_RECENT, IDC_AQF_FROM_SEARCH})
        EnableDlgItem(id, !bFixed);
    EnableDlgItem(IDC_AQF_FROM_OPEN_LIST, !bFixed && m_nChoice == choiceOpen);
    EnableDlgItem(IDC_AQF_FROM_RECENT_LIST, !bFixed && m_nChoice == choiceRecent);
    EnableDlgItem(IDC_AQF_FROM_PATH, !bFixed && m_nChoice == choiceSearch);
    EnableDlgItem(IDC_AQF_FROM_SEARCH_BUTTON, !bFixed && m_nChoice == choiceSearch);
    const CAddQuestFromSheet* pSheet = Sheet();
    const BOOL bHistory = pSheet && !pSheet->m_History.empty();
    if (HaveSelection())
        SetButtons(bHistory ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_NEXT);
    else if (bHistory)
        SetButtons(PSWIZB_BACK);
}

CString CAQFChooseDocPage::GetPathName() const
{
    if (CDocument* pDoc = m_FixedDoc.Get())
        return pDoc->GetPathName();
    return ChosenPath(m_nChoice, m_pPath, m_pOpenList, m_pRecentList);
}

CDocument* CAQFChooseDocPage::ChosenOpenDoc() const
{
    if (m_FixedDoc.IsSet())
        return m_FixedDoc.Get();
    if (m_nChoice == choiceSearch) {
        const CString path = FromQString(m_pPath->text()).Trim();
        return path.IsEmpty() ? nullptr : ShellDocuments().FindOpenDocument(path);
    }
    CHVListCtrl* list = m_nChoice == choiceOpen ? m_pOpenList : m_pRecentList;
    const int row = list->GetFirstSelected();
    CHVFileInfo* info = row >= 0 ? list->GetFileInfoType(row) : nullptr;
    if (!info)
        return nullptr;
    if (info->m_pDoc) {
        // Only a document still open counts.
        std::vector<CDocument*> docs;
        ShellDocuments().GetDocsOfType(FirstExtension(Extensions()), docs, 4, nullptr);
        for (CDocument* pDoc : docs) {
            if (pDoc == info->m_pDoc)
                return pDoc;
        }
    }
    return ShellDocuments().FindOpenDocument(info->m_hdr.m_csFileName);
}

CDocument* CAQFChooseDocPage::GetDoc()
{
    CDocument* pDoc = ChosenOpenDoc();
    if (m_FixedDoc.IsSet() && !pDoc)
        LogOutput("CAQFChooseDocPage::GetDoc() - the document was closed", LOG_ERROR, LOG_HERE);
    if (!pDoc && !m_FixedDoc.IsSet() && SourceKind() != AQF_FROM_AUTOCONVERT) {
        const CString path = GetPathName();
        if (!path.IsEmpty())
            pDoc = ShellDocuments().OpenDocumentOfType(path, TRUE);
        if (pDoc && !m_bKeepOpen)
            m_toClose.emplace_back(pDoc);
    }
    if (!m_StatsDoc.Is(pDoc)) {
        m_Stats.Reset();
        m_StatsDoc.Reset(pDoc);
        if (auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc)) {
            CPtrListEx all;
            for (POSITION pos = pCorra->m_plQuestions.GetHeadPosition(); pos;)
                all.AddTail(pCorra->m_plQuestions.GetNext(pos));
            m_Stats.Compute(all);
        }
    }
    return pDoc;
}

int CAQFChooseDocPage::GetQuestionCount(BOOL bWithCollections) const
{
    if (bWithCollections)
        return m_Header.m_nCount;
    return std::max(0, m_Header.m_nCount - m_Header.m_nNumCollections);
}

void CAQFChooseDocPage::KeepSourceOpen()
{
    CDocument* pDoc = ChosenOpenDoc();
    for (auto it = m_toClose.begin(); it != m_toClose.end();) {
        if (!it->Get() || it->Get() == pDoc)
            it = m_toClose.erase(it);
        else
            ++it;
    }
}

std::vector<CDocumentRef> CAQFChooseDocPage::TakeDocsToClose()
{
    // "Keep Open" as it stands at the end holds for the source chosen then, also when an
    // earlier Next had already listed it for closing.
    if (m_bKeepOpen)
        KeepSourceOpen();
    std::vector<CDocumentRef> out;
    out.swap(m_toClose);
    return out;
}

BOOL CAQFChooseDocPage::CanGoNext(CString* pMessage, CString* pMore, CString* pLast)
{
    const CAddQuestFromSheet* pSheet = Sheet();
    if (!HaveSelection()) {
        *pMessage = "No file is selected.";
        LogOutput("CAQFChooseDocPage::CanGoNext() - !HaveSelection()", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    const int nTarget = pSheet ? pSheet->GetTargetKind() : AQF_TO_EXAM;
    const int nSource = SourceKind();
    CDocument* pSource = ChosenOpenDoc();
    // An open document that was never saved has a made-up name in the list, not a file.
    const BOOL bNoFile = m_Header.m_csFileName.IsEmpty() || (pSource && pSource->GetPathName().IsEmpty());
    if (nTarget == AQF_TO_EXAM && nSource != AQF_FROM_AUTOCONVERT && bNoFile) {
        *pMessage = LoadStringId(IDS_AQF_NO_PATHNAME);
        *pMore = LoadStringId(IDS_AQF_NOT_SAVED);
        *pLast = LoadStringId(IDS_AQF_SAVE_FIRST);
        LogOutput("CAQFChooseDocPage::CanGoNext() - m_bh.m_csCorraFile.IsEmpty()", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CDocument* pTarget = m_TargetDoc.Get();
    const BOOL bSameDoc = (pSource && pSource == pTarget) ||
                          (!bNoFile && IsSameDocumentPath(m_Header.m_csFileName, m_csTargetFile));
    if (bSameDoc) {
        CString path = m_Header.m_csFileName;
        if (bNoFile && pSource)
            path = pSource->GetTitle();
        const BOOL bDocs = nSource == AQF_FROM_CORRA || nSource == AQF_FROM_EXAM;
        if ((nTarget == AQF_TO_CORRA || nTarget == AQF_TO_EXAM) && bDocs) {
            *pMessage = "You cannot copy to the same document:\n\n" + path;
            return FALSE;
        }
        if (nTarget == AQF_TO_CORRA && nSource == AQF_FROM_COLLECTION) {
            *pMessage = "You cannot copy from a collection to the same document:\n\n" + path;
            return FALSE;
        }
    }
    return TRUE;
}

LRESULT CAQFChooseDocPage::OnWizardNext()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return -1;
    CString message, more, last;
    if (!CanGoNext(&message, &more, &last)) {
        ShowMessage(message, more, last);
        return -1;
    }
    pSheet->GatherACSettings();
    const int nSource = SourceKind();
    if (nSource == AQF_FROM_AUTOCONVERT) {
        PushThisPage();
        return IDD_AQF_AC_LINE_FORMAT;
    }
    if (GetQuestionCount(FALSE) == 0) {
        AfxMessageBox("Document is empty.");
        return -1;
    }
    if (nSource == AQF_FROM_COLLECTION && m_Header.m_nNumCollections <= 0) {
        AfxMessageBox("Document has no collections.");
        return -1;
    }
    // The pages after this one count and draw from the document itself.
    if (!GetDoc()) {
        AfxMessageBox("Failed to open document\n\n" + GetPathName());
        return -1;
    }
    PushThisPage();
    if (nSource == AQF_FROM_COLLECTION) {
        pSheet->m_FromCollectionPage.SetHeader(m_Header);
        return IDD_AQF_FROM_COLLECTION;
    }
    return IDD_AQF_METHOD;
}

// --- "Select collection" ------------------------------------------------------------------------

CAQFChooseCollectionPage::CAQFChooseCollectionPage(UINT nIDTemplate)
    : CAQFPage(nIDTemplate, "Select collection", 0)
{
    m_pInfo->hide();
    m_pDocPane = MakePane(IDC_AQF_COLL_DOC, 28);
    m_pPrompt = MakePane(IDC_AQF_COLL_PROMPT, 28);
    m_pList = AddControl(IDC_AQF_COLL_LIST, new CListCtrl(this));
    m_pList->SetSingleSelection(TRUE);
    m_pList->InsertColumn(0, "Collection Name", LVCFMT_LEFT, 175);
    m_pList->InsertColumn(1, "Count", LVCFMT_RIGHT, 50);
    PageLayout()->addWidget(m_pDocPane);
    PageLayout()->addWidget(m_pPrompt);
    PageLayout()->addWidget(m_pList, 1);
    PageLayout()->addWidget(CreateStatic("", IDC_AQF_COLL_COUNT));
    BindNotify(IDC_AQF_COLL_LIST, LVN_ITEMCHANGED, [this] { OnClickRow(); });
}

BOOL CAQFChooseCollectionPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    m_pDocPane->Init(1, AQF_INFO_COLOR, 0, GetSysColor(COLOR_BTNFACE));
    m_pPrompt->Init(2, AQF_INFO_COLOR, 0, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CAQFChooseCollectionPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    CString name;
    if (m_Header.m_pOwner)
        name = m_Header.m_pOwner->GetTitle();
    else
        name = fsys::FileName(fsys::NormalizeSeparators(m_Header.m_csFileName));
    if (name != m_csCachedName || m_pList->GetItemCount() != static_cast<int>(m_Header.m_asCollections.size())) {
        m_csCachedName = name;
        m_csName.Empty();
        m_nCount = 0;
        m_pList->DeleteAllItems();
        std::vector<CListCtrl::CRow> rows;
        for (size_t i = 0; i < m_Header.m_asCollections.size(); ++i) {
            const DWORD count = i < m_Header.m_adwCollectionCounts.size() ? m_Header.m_adwCollectionCounts[i] : 0;
            rows.push_back({{m_Header.m_asCollections[i], CString::Formatted("%lu", static_cast<unsigned long>(count))}});
        }
        m_pList->AppendRows(rows);
    }
    m_pDocPane->SetPaneText(name.IsEmpty() ? CString("Error: no document selected.") : "Corra: " + name);
    const BOOL bAny = m_pList->GetItemCount() > 0;
    m_pPrompt->SetPaneText(bAny ? "Please select from one the following collections:"
                                : "This Question Corra currently has no collections.");
    ShowDlgItem(IDC_AQF_COLL_LIST, bAny ? SW_SHOW : SW_HIDE);
    UpdateControls();
    return TRUE;
}

BOOL CAQFChooseCollectionPage::SelectCollection(const char* name)
{
    for (int i = 0; i < m_pList->GetItemCount(); ++i) {
        if (m_pList->GetItemText(i, 0) == name) {
            m_pList->SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            OnClickRow();
            return TRUE;
        }
    }
    return FALSE;
}

void CAQFChooseCollectionPage::OnClickRow()
{
    const int row = m_pList->GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0) {
        m_csName = m_pList->GetItemText(row, 0);
        m_nCount = atoi(m_pList->GetItemText(row, 1));
    }
    UpdateControls();
}

void CAQFChooseCollectionPage::UpdateControls()
{
    const BOOL bChosen = !m_csName.IsEmpty();
    SetDlgItemText(IDC_AQF_COLL_COUNT, bChosen ? CString::Formatted("%d questions", m_nCount) : CString());
    SetButtons(bChosen ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

LRESULT CAQFChooseCollectionPage::OnWizardNext()
{
    if (m_csName.IsEmpty())
        return -1;
    // Questions may go into an empty collection, never come from one.
    if (m_nCount == 0 && GetTemplateId() == IDD_AQF_FROM_COLLECTION) {
        AfxMessageBox("Collection is empty.");
        return -1;
    }
    OnChosen();
    PushThisPage();
    return GetTemplateId() == IDD_AQF_TO_COLLECTION ? IDD_AQF_FROM_TYPE : IDD_AQF_METHOD;
}

CAQFChooseToCollectionPage::CAQFChooseToCollectionPage() : CAQFChooseCollectionPage(IDD_AQF_TO_COLLECTION) {}

void CAQFChooseToCollectionPage::OnChosen()
{
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->m_csToCollection = GetCollectionName();
}
