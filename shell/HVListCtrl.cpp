#include "shell/HVListCtrl.h"

#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "platform/core/RecentFileList.h"
#include "platform/core/Services.h"
#include "platform/ui/Document.h"
#include "platform/ui/DC.h"
#include "platform/ui/DocTemplate.h"
#include "res/ids/Shell.h"
#include "shell/ShellDocs.h"
#include "shell/ShellUtil.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxCellText = 259;

// The extension of a name (after its last dot), or the whole text when it has none.
CString ExtensionOf(const CString& text)
{
    CString ext;
    GetFileExt(ext, text, FALSE);
    return ext;
}

// The recent files of the extensions that exist and are not open, in the recent list's order
// or the other way round, with their display names relative to the kind's default folder.
void CollectRecentFiles(LPCSTR extList, BOOL bOldestFirst, CStringArray& names, CStringArray& paths)
{
    names.RemoveAll();
    paths.RemoveAll();
    std::vector<CString> exts = SplitExtensionList(extList);
    if (exts.empty())
        return;
    std::vector<CString> recent;
    ShellDocuments().GetRecentFiles(recent);
    const int n = static_cast<int>(recent.size());
    CString defDir = CFileTypes::GetDefDir(CFileTypes::Ext2Type(exts.front()));
    CRecentFileList display(1, "", "File%d", n);
    for (int i = 0; i < n; ++i)
        display[i] = recent[static_cast<size_t>(i)];
    for (int k = 0; k < n; ++k) {
        const int i = bOldestFirst ? n - 1 - k : k;
        const CString& path = recent[static_cast<size_t>(i)];
        if (path.IsEmpty() || !ExtensionListHas(exts, path) || !fsys::IsFile(path) ||
            ShellDocuments().FindOpenDocument(path))
            continue;
        CString name;
        display.GetDisplayName(name, i, defDir);
        names.Add(name);
        paths.Add(path);
    }
}

// The header-bearing kinds of file, by extension.
BOOL IsHeaderFile(const CString& path)
{
    CString ext = ExtensionOf(fsys::FileName(path));
    ext.MakeLower();
    return ext == "crr" || ext == "exm";
}

// The folder of a path as the list shows it: relative to the program folder, without the
// leading "./" and the trailing separator.
CString LocationText(const CString& fullPath)
{
    CString folder = fsys::Folder(fsys::NormalizeSeparators(fullPath));
    if (folder.IsEmpty())
        folder = "/";
    CString rel;
    GetServerRelativePath(rel, folder);
    if (rel.IsEmpty())
        rel = folder;
    if (rel.Left(2) == "./")
        rel = rel.Mid(2);
    else if (rel == ".")
        rel.Empty();
    if (rel.GetLength() > 1)
        rel.TrimRight('/');
    return rel;
}

long long NumberOf(const CString& s)
{
    return std::strtoll(s, nullptr, 10);
}

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

struct CColumn {
    const char* title;
    int format;
    int width;
};

// The columns after "Filename" and "Location", by kind.
std::vector<CColumn> ColumnsOf(int nType)
{
    switch (nType) {
    case DT_CORRA: return {{"Quest", LVCFMT_RIGHT, 40}, {"Colls", LVCFMT_LEFT, 35}, {"Corra ID", LVCFMT_LEFT, 130}};
    case DT_EXAM: return {{"Quest", LVCFMT_RIGHT, 40}, {"Forms", LVCFMT_LEFT, 60}};
    case DT_SRC: return {{"Bytes", LVCFMT_RIGHT, 55}, {"File Type", LVCFMT_LEFT, 100}};
    case DT_DATA: return {{"Bytes", LVCFMT_RIGHT, 55}, {"Bytes", LVCFMT_LEFT, 60}};
    case DT_IMAGE: return {{"Image Type", LVCFMT_LEFT, 75}, {"Bytes", LVCFMT_LEFT, 60}};
    case DT_HELP: return {{"Bytes", LVCFMT_RIGHT, 55}};
    default: return {{"***", LVCFMT_RIGHT, 40}, {"***", LVCFMT_LEFT, 60}};
    }
}

struct CSortRequest {
    const CHVListCtrl* pList;
    int nKey;
};

} // namespace

// --- CDWordArrayEx ----------------------------------------------------------------------------

CDWordArrayEx& CDWordArrayEx::operator=(const CDWordArrayEx& other)
{
    if (this == &other)
        return *this;
    RemoveAll();
    for (int i = 0; i < other.GetSize(); ++i)
        Add(other[i]);
    return *this;
}

// --- records ----------------------------------------------------------------------------------

int CHVFileInfo::GetQuestionCount() const
{
    return std::max(m_hdr.m_nCount - m_hdr.m_nNumCollections, 0);
}

// --- CHVListCtrl ------------------------------------------------------------------------------

CHVListCtrl::CHVListCtrl(QWidget* parent) : CListCtrl(parent)
{
    setObjectName("CHVListCtrl");
    connect(header(), &QHeaderView::sectionClicked, NotifyContext(), [this](int col) { OnColumnClick(col); });
    connect(this, &QTreeWidget::itemSelectionChanged, NotifyContext(), [this] { UpdateSelect(); });
    connect(this, &QTreeWidget::itemClicked, NotifyContext(), [this] { UpdateSelect(); });
}

CHVListCtrl::~CHVListCtrl() = default;

void CHVListCtrl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_HV_LBUTTONDOWN, static_cast<WPARAM>(GetDlgCtrlID()), 0);
    }
    CListCtrl::mousePressEvent(e);
}

void CHVListCtrl::SetDocType(int nType)
{
    if (nType == m_nDocType && m_bColumnsBuilt)
        return;
    m_nDocType = nType;
    while (GetColumnCount() > 0)
        DeleteColumn(0);
    InsertColumn(0, "Filename", LVCFMT_LEFT, 140);
    InsertColumn(1, "Location", LVCFMT_LEFT, 120);
    SetColumnDrawFormat(1, DT_PATH_ELLIPSIS);
    for (const CColumn& c : ColumnsOf(nType))
        InsertColumn(GetColumnCount(), c.title, c.format, c.width);
    m_bColumnsBuilt = TRUE;
    updateGeometry();
    Refill();
}

QSize CHVListCtrl::sizeHint() const
{
    QSize hint = CListCtrl::sizeHint();
    const int columns = header()->length();
    if (columns <= 0)
        return hint;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    hint.setWidth(std::max(hint.width(), columns + scrollBar + 2 * frameWidth()));
    return hint;
}

std::vector<CString> CHVListCtrl::CellTexts(const CHVFileInfo& info) const
{
    const BOOL headerKind = m_nDocType == DT_CORRA || m_nDocType == DT_EXAM;
    std::vector<CString> cells;
    cells.push_back(info.m_csName);
    cells.push_back(LocationText(info.m_hdr.m_csFileName));
    if (headerKind)
        cells.push_back(info.m_bCounts ? CString::Formatted("%d", info.GetQuestionCount()) : CString());
    else if (m_nDocType == DT_IMAGE)
        cells.push_back(info.m_csDescr);
    else if (m_nDocType == DT_SRC || m_nDocType == DT_DATA || m_nDocType == DT_HELP)
        cells.push_back(info.m_csSize);
    else
        cells.push_back("***");
    if (headerKind)
        cells.push_back(info.m_bCounts ? CString::Formatted("%d", info.m_hdr.m_nNumCollections) : CString());
    else if (m_nDocType == DT_IMAGE)
        cells.push_back(info.m_csSize);
    else if (m_nDocType == DT_SRC)
        cells.push_back(info.m_csDescr);
    else
        cells.push_back(info.m_csSpare);
    if (m_nDocType == DT_CORRA)
        cells.push_back(info.m_bCounts ? info.m_hdr.m_csCorraId : CString());
    for (CString& c : cells)
        c = c.Left(kMaxCellText);
    cells.resize(static_cast<size_t>(std::min<int>(static_cast<int>(cells.size()), std::max(GetColumnCount(), 1))));
    return cells;
}

void CHVListCtrl::Refill()
{
    if (!m_bColumnsBuilt)
        return;
    SetRedraw(FALSE);
    DeleteAllItems();
    std::vector<CRow> rows;
    rows.reserve(m_records.size());
    for (const auto& rec : m_records)
        rows.push_back(CRow{CellTexts(*rec), rec->m_nKey, -1});
    AppendRows(rows);
    SetRedraw(TRUE);
    UpdateSelect();
}

void CHVListCtrl::SetNeverListed(CDocument* pDoc, LPCSTR path)
{
    m_pExcludeDoc = pDoc;
    m_csExcludeName.Empty();
    if (path && *path)
        m_csExcludeName = fsys::FileName(fsys::NormalizeSeparators(path));
}

void CHVListCtrl::ResetContent()
{
    DeleteAllItems();
    m_records.clear();
    m_byPath.clear();
    m_nLastSelected = 0;
    m_hdr.Clear();
}

CHVFileInfo* CHVListCtrl::Append(std::unique_ptr<CHVFileInfo> info)
{
    // A row's key is its record's place in the list (from 1): records are only ever appended,
    // and all go together.
    info->m_nKey = m_records.size() + 1;
    CHVFileInfo* p = info.get();
    m_byPath[fsys::NormalizeSeparators(p->m_hdr.m_csFileName).str()] = p;
    m_records.push_back(std::move(info));
    return p;
}

CHVFileInfo* CHVListCtrl::RecordOfKey(DWORD_PTR key) const
{
    return key >= 1 && key <= m_records.size() ? m_records[key - 1].get() : nullptr;
}

BOOL CHVListCtrl::AddFromDirectory(LPCSTR folder, LPCSTR extList)
{
    const CString dir = fsys::NormalizeSeparators(folder);
    const std::vector<CString> exts = SplitExtensionList(extList);
    if (!fsys::IsDirectory(dir)) {
        // Every extension fails alike.
        for (size_t i = 0; i < exts.size(); ++i) {
            LogShellFailure("CHVListCtrl::_AddFromDirectory() - non-existent path...", dir);
            LogShellFailure("CHVListCtrl::AddFromDirectory() - failed to _AddFromDirectory()...", dir);
        }
        Refill();
        return exts.empty();
    }
    // The folder is read once, however many extensions are asked for; the files are added
    // extension by extension.
    const std::vector<fsys::CDirEntry> entries = fsys::ListDirectory(dir);
    for (const CString& ext : exts)
        AddOneExtension(dir, ext, entries);
    Refill();
    return TRUE;
}

void CHVListCtrl::AddOneExtension(const CString& dir, const CString& ext, const std::vector<fsys::CDirEntry>& entries)
{
    // Extensions match without case, as the desktop's search did ("Bank.CRR" is a bank).
    for (const fsys::CDirEntry& e : entries) {
        if (e.isDirectory || e.name.Find('.') < 0 || ExtensionOf(e.name).CompareNoCase(ext) != 0)
            continue;
        if (!e.exactName) {
            // Shown under a changed name it could never be opened as itself.
            LogShellFailure("CHVListCtrl::_AddFromDirectory() - skipped a file name that cannot be shown...", e.path);
            continue;
        }
        AddFile(dir, e.name);
    }
}

BOOL CHVListCtrl::AddFile(LPCSTR pathOrFolder, LPCSTR fileName)
{
    CString given = fsys::NormalizeSeparators(pathOrFolder);
    CString folder;
    CString name;
    if (fileName && *fileName) {
        folder = given;
        name = fileName;
    } else {
        folder = fsys::Folder(given);
        name = fsys::FileName(given);
        if (folder.IsEmpty() && fsys::IsAbsolute(given))
            folder = "/";
    }
    CString ext = name.Find('.') >= 0 ? ExtensionOf(name) : CString();
    if (ext.IsEmpty()) {
        LogShellFailure("CHVListCtrl::AddFile() - failed to get extension...", given);
        return FALSE;
    }
    if (folder.IsEmpty() || !fsys::IsDirectory(folder)) {
        LogShellFailure("CHVListCtrl::AddFile() - non-existent path...", folder);
        return FALSE;
    }
    if (name.IsEmpty()) {
        LogShellFailure("CHVListCtrl::AddFile() - no filename provided for path...", folder);
        return FALSE;
    }
    CString full = fsys::Join(folder, name);
    // One row per file: names that differ only in case are two files.
    if (m_byPath.count(full.str()) || (!m_csExcludeName.IsEmpty() && name == m_csExcludeName))
        return TRUE;
    if (m_pExcludeDoc && !m_pExcludeDoc->GetPathName().IsEmpty() &&
        FullPathKey(m_pExcludeDoc->GetPathName()) == FullPathKey(full))
        return TRUE;
    if (!fsys::IsFile(full)) {
        LogShellFailure("CHVListCtrl::Add() - non-existent full path...", full);
        return FALSE;
    }
    auto info = std::make_unique<CHVFileInfo>();
    info->m_nType = m_nDocType;
    info->m_csName = name;
    info->m_csDescr = CFileTypes::Ext2TypeDescr(name, FALSE);
    info->m_hdr.m_csFileName = full;
    if (IsHeaderFile(full)) {
        if (info->m_hdr.GetCorraHeaderInfo(full)) {
            info->m_hdr.m_csFileName = full;
            info->m_bCounts = TRUE;
            Append(std::move(info));
            return TRUE;
        }
        LogShellFailure("CHVListCtrl::AddFile() - failed to GetCorraHeaderInfo...", full);
        // Listed as a plain file: the path stays, the counts show empty.
        info->m_hdr.Clear();
        info->m_hdr.m_csFileName = full;
    }
    int ownKind = CFileTypes::Ext2Type(ext);
    long long size = fsys::GetSize(full);
    if (ownKind == DT_IMAGE || ownKind == DT_HELP) {
        info->m_csSize = size >= 0 ? CString::Formatted("%lld", size) : CString();
    } else {
        CDocument* pOpen = ShellDocuments().FindOpenDocument(full);
        int lines = pOpen ? ShellDocuments().GetOpenLineCount(pOpen) : -1;
        if (pOpen)
            info->m_csDescr += " (Open)";
        if (lines >= 0)
            info->m_csSize = CString::Formatted("%d", lines);
        else if (size >= 0)
            info->m_csSize = CString::Formatted("%lld", size);
        else
            LogShellFailure("CHVListCtrl::AddFile() - failed to get text file info...", full);
    }
    Append(std::move(info));
    return TRUE;
}

BOOL CHVListCtrl::AddFiles(const CStringArray& paths)
{
    BOOL ok = TRUE;
    for (int i = 0; i < paths.GetSize(); ++i)
        ok = AddFile(paths[i]) && ok;
    Refill();
    return ok;
}

void CHVListCtrl::InitOpenDocs(LPCSTR extList, CDocument* pExclude, LPCSTR excludePath)
{
    ResetContent();
    m_pExcludeDoc = pExclude;
    m_csExcludeName.Empty();
    if (pExclude)
        m_csExcludeName = pExclude->GetTitle();
    else if (excludePath && *excludePath)
        m_csExcludeName = fsys::FileName(fsys::NormalizeSeparators(excludePath));
    m_csExtList = extList;
    m_nTemplateFilter = 4;
    std::vector<CString> exts = SplitExtensionList(extList);
    if (exts.empty()) {
        AfxMessageBox("CHVListBox::InitOpenDocs - no extension specified");
        return;
    }
    const int kind = CFileTypes::Ext2Type(exts.front());
    CollectRecentFiles(extList, TRUE, m_asRecentNames, m_asRecentPaths);

    if (m_bListOpenDocs) {
        std::vector<CDocument*> docs;
        CDocTemplate* pTemplate = nullptr;
        for (const CString& ext : exts) {
            if ((pTemplate = ShellDocuments().GetDocsOfType(ext, docs, m_nTemplateFilter, pExclude)) != nullptr)
                break;
        }
        if (!pTemplate) {
            LogShellFailure("CHVListCtrl::_AddOpenDocs() - Unknown doc type...", extList);
        } else {
            CString kindExt = CFileTypes::Type2Ext(kind, FALSE);
            kindExt = kindExt.SpanExcluding(";");
            for (CDocument* pDoc : docs) {
                const CString& title = pDoc->GetTitle();
                if (pDoc == pExclude || (!m_csExcludeName.IsEmpty() && title == m_csExcludeName))
                    continue;
                auto info = std::make_unique<CHVFileInfo>();
                info->m_nType = m_nDocType;
                if (auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc)) {
                    pCorra->FillHeader(info->m_hdr);
                    info->m_bCounts = TRUE;
                }
                CString path = pDoc->GetPathName();
                if (path.IsEmpty())
                    path = fsys::Join(CFileTypes::GetDefDir(kind), title + "." + kindExt);
                info->m_hdr.m_csFileName = path;
                if (m_byPath.count(fsys::NormalizeSeparators(path).str()))
                    continue;
                info->m_csName = fsys::FileName(path);
                info->m_csDescr = CFileTypes::Ext2TypeDescr(path, FALSE) + " (Open)";
                info->m_pDoc = pDoc;
                Append(std::move(info));
            }
        }
    }

    if (m_bListRecentFiles) {
        for (int i = 0; i < m_asRecentPaths.GetSize(); ++i) {
            const CString& path = m_asRecentPaths[i];
            if (!m_csExcludeName.IsEmpty() && fsys::FileName(path) == m_csExcludeName)
                continue;
            if (m_byPath.count(fsys::NormalizeSeparators(path).str()))
                continue;
            auto info = std::make_unique<CHVFileInfo>();
            info->m_nType = m_nDocType;
            if (IsHeaderFile(path)) {
                if (!info->m_hdr.GetCorraHeaderInfo(path)) {
                    LogShellFailure("CHVListCtrl::InitOpenDocs() - failed to GetCorraHeaderInfo...", path);
                    continue;
                }
                info->m_bCounts = TRUE;
            }
            info->m_hdr.m_csFileName = path;
            info->m_csName = m_asRecentNames[i].SpanExcluding("\t");
            info->m_csDescr = CFileTypes::Ext2TypeDescr(path, FALSE) + " (Recently Opened)";
            Append(std::move(info));
        }
    }
    Refill();
}

// --- getters ----------------------------------------------------------------------------------

CHVFileInfo* CHVListCtrl::GetFileInfoType(int nItem) const
{
    CHVFileInfo* p = nItem < 0 ? RecordOfKey(m_nLastSelected) : RecordOfKey(GetItemData(nItem));
    if (!p && nItem < 0 && m_nLastSelected)
        LogOutput("CHVListCtrl::GetFileInfoType() - bad m_pLastSelectedInfo", LOG_ERROR, LOG_HERE);
    return p;
}

CString CHVListCtrl::GetItemFileName(int nItem) const
{
    CHVFileInfo* p = GetFileInfoType(nItem);
    return p ? p->m_hdr.m_csFileName : CString();
}

CString CHVListCtrl::GetItemName(int nItem) const
{
    CHVFileInfo* p = GetFileInfoType(nItem);
    return p ? fsys::FileName(p->m_hdr.m_csFileName) : CString();
}

CString CHVListCtrl::GetItemFolder(int nItem) const
{
    CHVFileInfo* p = GetFileInfoType(nItem);
    if (!p)
        return CString();
    CString folder = fsys::Folder(fsys::NormalizeSeparators(p->m_hdr.m_csFileName));
    return folder.IsEmpty() ? CString("/") : folder;
}

CString CHVListCtrl::GetItemDisplayName(int nItem) const
{
    CHVFileInfo* p = GetFileInfoType(nItem);
    return p ? p->m_csName : CString();
}

BOOL CHVListCtrl::GetHeaderInfo(CCorraHeader& header) const
{
    CHVFileInfo* p = RecordOfKey(m_nLastSelected);
    if (!p) {
        LogOutput("CHVListCtrl::GetHeaderInfo() - bad m_pLastSelectedInfo", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    header = p->m_hdr;
    return TRUE;
}

CDocument* CHVListCtrl::GetDoc(BOOL& bOpenedNow, BOOL bVisible)
{
    bOpenedNow = FALSE;
    CHVFileInfo* p = RecordOfKey(m_nLastSelected);
    if (!p)
        return nullptr;
    // A document the record knew may have been closed since: only one still open counts.
    if (p->m_pDoc) {
        std::vector<CDocument*> docs;
        CString ext = ExtensionOf(fsys::FileName(p->m_hdr.m_csFileName));
        ShellDocuments().GetDocsOfType(ext, docs, m_nTemplateFilter, nullptr);
        if (std::find(docs.begin(), docs.end(), p->m_pDoc) != docs.end())
            return p->m_pDoc;
        p->m_pDoc = nullptr;
    }
    CDocument* pDoc = ShellDocuments().OpenDocumentOfType(p->m_hdr.m_csFileName, bVisible);
    if (!pDoc) {
        LogShellFailure("CHVListCtrl::GetDoc() - Failed to open file:  ", p->m_hdr.m_csFileName);
        return nullptr;
    }
    p->m_pDoc = pDoc;
    bOpenedNow = TRUE;
    return pDoc;
}

int CHVListCtrl::FindItemByName(LPCSTR name) const
{
    LVFINDINFO find;
    find.flags = LVFI_STRING;
    find.psz = name;
    return FindItem(&find);
}

int CHVListCtrl::FindItemByPath(LPCSTR path) const
{
    CString key = FullPathKey(path);
    for (int i = 0; i < GetItemCount(); ++i) {
        CHVFileInfo* p = RecordOfKey(GetItemData(i));
        if (p && FullPathKey(p->m_hdr.m_csFileName) == key)
            return i;
    }
    return -1;
}

void CHVListCtrl::SelectItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return;
    SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateSelect();
}

void CHVListCtrl::UpdateSelect()
{
    int first = GetFirstSelected();
    CHVFileInfo* p = first >= 0 ? RecordOfKey(GetItemData(first)) : nullptr;
    m_nLastSelected = p ? p->m_nKey : 0;
    if (p)
        m_hdr = p->m_hdr;
}

// --- sorting ----------------------------------------------------------------------------------

void CHVListCtrl::OnColumnClick(int nColumn)
{
    if (nColumn == m_nSortColumn)
        m_nSortDirection = -m_nSortDirection;
    else
        m_nSortDirection = 1;
    m_nSortColumn = nColumn;
    SortByKey((nColumn + 1) * m_nSortDirection);
}

void CHVListCtrl::SortByKey(int nKey)
{
    CSortRequest request{this, nKey};
    SortItems(&CHVListCtrl::CompareRecords, reinterpret_cast<DWORD_PTR>(&request));
}

int CHVListCtrl::CompareRecords(LPARAM a, LPARAM b, LPARAM sort)
{
    const auto* request = reinterpret_cast<const CSortRequest*>(sort);
    const CHVFileInfo* ra = request->pList->RecordOfKey(static_cast<DWORD_PTR>(a));
    const CHVFileInfo* rb = request->pList->RecordOfKey(static_cast<DWORD_PTR>(b));
    if (!ra || !rb)
        return ra ? 1 : (rb ? -1 : 0);
    int result = request->pList->Compare(*ra, *rb, std::abs(request->nKey));
    return request->nKey < 0 ? -result : result;
}

int CHVListCtrl::Compare(const CHVFileInfo& a, const CHVFileInfo& b, int nKey) const
{
    const BOOL headerKind = m_nDocType == DT_CORRA || m_nDocType == DT_EXAM;
    // Unknown counts sort before every known one.
    auto count = [](const CHVFileInfo& r, int v) { return r.m_bCounts ? v : -1; };
    auto bySize = [](const CHVFileInfo& x, const CHVFileInfo& y) {
        long long d = NumberOf(x.m_csSize) - NumberOf(y.m_csSize);
        return d < 0 ? -1 : (d > 0 ? 1 : 0);
    };
    switch (nKey) {
    case 1: return Sign(a.m_csName.CompareNoCase(b.m_csName));
    case 2: return Sign(a.m_csDescr.CompareNoCase(b.m_csDescr));
    case 3:
        if (headerKind)
            return Sign(count(a, a.GetQuestionCount()) - count(b, b.GetQuestionCount()));
        if (m_nDocType == DT_IMAGE)
            return Sign(a.m_csDescr.CompareNoCase(b.m_csDescr));
        return bySize(a, b);
    case 4:
        if (headerKind)
            return Sign(count(a, a.m_hdr.m_nNumCollections) - count(b, b.m_hdr.m_nNumCollections));
        if (m_nDocType == DT_SRC)
            return Sign(a.m_csDescr.CompareNoCase(b.m_csDescr));
        return bySize(a, b);
    case 5: return Sign(a.m_hdr.m_csCorraId.CompareNoCase(b.m_hdr.m_csCorraId));
    default: return 0;
    }
}

// --- CHVListBox -------------------------------------------------------------------------------

CHVListBox::CHVListBox(QWidget* parent) : CListBox(parent)
{
    connect(this, &QListWidget::itemSelectionChanged, NotifyContext(), [this] { OnSelectionChange(); });
}

BOOL CHVListBox::InitOpenDocs(LPCSTR extList, CDocument* pExclude)
{
    if (SplitExtensionList(extList).empty()) {
        AfxMessageBox("CHVListBox::InitOpenDocs - no extension specified");
        return TRUE;
    }
    if (m_csExtList != extList) {
        m_csExtList = extList;
        m_nTemplateFilter = 4;
        CollectRecentFiles(extList, FALSE, m_asRecentNames, m_asRecentPaths);
        for (int i = 0; i < m_asRecentNames.GetSize(); ++i)
            m_asRecentNames[i] += "\t(recently opened)";
    }
    m_pExcludeDoc = pExclude;
    std::vector<CDocument*> docs;
    CDocTemplate* pTemplate = nullptr;
    for (const CString& ext : SplitExtensionList(m_csExtList)) {
        if ((pTemplate = ShellDocuments().GetDocsOfType(ext, docs, m_nTemplateFilter, nullptr)) != nullptr)
            break;
    }
    if (!pTemplate) {
        AfxMessageBox("Unknown doc type\n" + m_csExtList);
        return TRUE;
    }
    ResetContent();
    // The notes "(already open)" and "(recently opened)" line up after the names.
    SetTabStops(75);
    m_entries.clear();
    m_pSelectedDoc = nullptr;
    m_nSelectedRecent = -1;
    for (CDocument* pDoc : docs) {
        if (pDoc == pExclude)
            continue;
        int i = AddString(pDoc->GetTitle() + "\t(already open)");
        m_entries.push_back(CEntry{pDoc, -1});
        SetItemData(i, m_entries.size() - 1);
    }
    for (int r = 0; r < m_asRecentNames.GetSize(); ++r) {
        int i = AddString(m_asRecentNames[r]);
        m_entries.push_back(CEntry{nullptr, r});
        SetItemData(i, m_entries.size() - 1);
    }
    return TRUE;
}

void CHVListBox::OnSelectionChange()
{
    m_pSelectedDoc = nullptr;
    m_nSelectedRecent = -1;
    int sel = IsMultiSel() ? GetCaretIndex() : GetCurSel();
    if (sel < 0)
        return;
    DWORD_PTR entry = GetItemData(sel);
    if (entry < m_entries.size()) {
        m_pSelectedDoc = m_entries[entry].pDoc;
        m_nSelectedRecent = m_entries[entry].nRecent;
    }
}

CDocument* CHVListBox::GetSelectedDoc() const
{
    if (!m_pSelectedDoc)
        return nullptr;
    for (const CString& ext : SplitExtensionList(m_csExtList)) {
        std::vector<CDocument*> docs;
        ShellDocuments().GetDocsOfType(ext, docs, m_nTemplateFilter, nullptr);
        if (std::find(docs.begin(), docs.end(), m_pSelectedDoc) != docs.end())
            return m_pSelectedDoc;
    }
    return nullptr;
}

CString CHVListBox::GetSelectedRecentPath() const
{
    return m_nSelectedRecent >= 0 && m_nSelectedRecent < m_asRecentPaths.GetSize() ? m_asRecentPaths[m_nSelectedRecent]
                                                                                   : CString();
}
