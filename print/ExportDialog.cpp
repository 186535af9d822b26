#include "print/ExportDialog.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/FileView.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/HtmlSettings.h"
#include "model/PageMargins.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Services.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Print.h"
#include "platform/ui/QtString.h"
#include "print/ExamPrintPages.h"
#include "print/ExportContext.h"
#include "print/HtmlSettingsDlg.h"
#include "res/ids/AutoConvert.h"
#include "res/ids/Print.h"

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

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr const char* kStyleNames[] = {"Expanded", "Large icon", "Small icon", "Keys", "Compressed", "Ans Sheet"};

CString FolderOf(const CString& path)
{
    CString folder;
    GetPathFolder(folder, path);
    return folder;
}

// Whether this user may write the file: an existing one is opened for writing (never
// truncated); a missing one needs a writable folder. Nothing is created.
BOOL CanWrite(const CString& path)
{
    if (fsys::IsDirectory(path))
        return FALSE;
    if (fsys::Exists(path)) {
        const int fd = ::open(path.GetString(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return FALSE;
        ::close(fd);
        return TRUE;
    }
    CString folder = FolderOf(path);
    if (folder.IsEmpty())
        folder = ".";
    return fsys::IsDirectory(folder) && ::access(folder.GetString(), W_OK | X_OK) == 0;
}

} // namespace

BOOL ViewExportedFile(CWnd* pOwner, CMRUFileComboBox& files)
{
    const int sel = files.GetCurSel();
    if (sel < 0) {
        AfxMessageBox("Nothing selected.");
        return FALSE;
    }
    const CString path = files.GetFullPath(sel);
    if (path.IsEmpty()) {
        AfxMessageBox("No file selected.");
        return FALSE;
    }
    if (!fsys::Exists(path)) {
        AfxMessageBox(CString::Formatted("File\n\n%s\n\ndoes not exist.", path.GetString()));
        files.Remove(sel);
        files.Save();
        files.Refill();
        return FALSE;
    }
    (void)pOwner;
    return DisplayFile(path) == DISPLAYFILE_OK;
}

// ---- the export dialog

CExportDialog::CExportDialog(BOOL, DWORD, CWnd* pParent, CExportContext& ctx, CCorraDoc& doc)
    : CFixedFontDialog(IDD_EXPORT, pParent), m_ctx(ctx), m_doc(doc)
{
    m_nTemplateId = IDD_EXPORT;
    SetHelpId(HELP_CTX_EXPORT);
    m_nLastSelected = CorraApp().GetProfileInt(kSection, "LastSelected", 0);
    m_bOpenAfter = CorraApp().GetProfileInt(kSection, "OpenAfter", 1) != 0;
    // Page numbers may be given.
    m_ctx.m_pPD->m_pd.Flags &= ~PD_NOPAGENUMS;
    setWindowTitle(QStringLiteral("Export"));

    auto* layout = new QVBoxLayout(this);
    auto* type = new QGroupBox(QStringLiteral("File type"), this);
    auto* typeGrid = new QGridLayout(type);
    auto* combo = new CComboBox(type, FALSE);
    RegisterControl(IDC_EXPORT_TYPE, combo);
    typeGrid->addWidget(CreateStatic("&Name:", 0, combo), 0, 0);
    typeGrid->addWidget(combo, 0, 1);
    typeGrid->addWidget(CreateButton(IDC_EXPORT_SETUP, "Set&up..."), 0, 2);
    typeGrid->addWidget(CreateStatic("Current setup for selected type:"), 1, 0);
    QLabel* attributes = CreateStatic("", IDC_EXPORT_ATTRIBUTES);
    attributes->setMinimumWidth(260);
    typeGrid->addWidget(attributes, 1, 1, 1, 2);
    typeGrid->setColumnStretch(1, 1);
    layout->addWidget(type);

    m_pOutputGroup = new QGroupBox(QStringLiteral("Output File"), this);
    RegisterControl(IDC_EXPORT_OUTPUT_GROUP, m_pOutputGroup);
    auto* outGrid = new QGridLayout(m_pOutputGroup);
    QLineEdit* folder = CreateEdit(IDC_EXPORT_FOLDER);
    QLineEdit* file = CreateEdit(IDC_EXPORT_FILE);
    folder->setMinimumWidth(320);
    outGrid->addWidget(CreateStatic("&Folder:", 0, folder), 0, 0);
    outGrid->addWidget(folder, 0, 1);
    outGrid->addWidget(CreateStatic("F&ile:", 0, file), 1, 0);
    outGrid->addWidget(file, 1, 1);
    outGrid->addWidget(CreateButton(IDC_EXPORT_CHOOSE, "&Choose..."), 1, 2);
    layout->addWidget(m_pOutputGroup);

    auto* middle = new QHBoxLayout;
    auto* range = new QGroupBox(QStringLiteral("Print range"), this);
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(CreateRadioButton(IDC_RANGE_ALL, "&All", TRUE), 0, 0, 1, 4);
    rangeGrid->addWidget(CreateRadioButton(IDC_RANGE_SELECTION, "&Selection"), 1, 0, 1, 4);
    rangeGrid->addWidget(CreateRadioButton(IDC_RANGE_PAGES, "Pa&ges"), 2, 0);
    QLineEdit* from = CreateEdit(IDC_RANGE_FROM);
    QLineEdit* to = CreateEdit(IDC_RANGE_TO);
    from->setMaximumWidth(50);
    to->setMaximumWidth(50);
    rangeGrid->addWidget(CreateStatic("&from:", 0, from), 2, 1);
    rangeGrid->addWidget(from, 2, 2);
    rangeGrid->addWidget(CreateStatic("&to:", 0, to), 2, 3);
    rangeGrid->addWidget(to, 2, 4);
    middle->addWidget(range);
    auto* layoutBox = new QGroupBox(QStringLiteral("Layout"), this);
    auto* layoutGrid = new QGridLayout(layoutBox);
    layoutGrid->addWidget(CreateStatic("Style:"), 0, 0);
    layoutGrid->addWidget(CreateStatic("", IDC_EXPORT_STYLE), 0, 1);
    layoutGrid->addWidget(CreateButton(IDC_EXPORT_CHANGE_STYLE, "C&hange..."), 0, 2);
    layoutGrid->addWidget(CreateStatic("Answers:"), 1, 0);
    layoutGrid->addWidget(CreateStatic("", IDC_EXPORT_ANSWERS), 1, 1);
    layoutGrid->setColumnStretch(1, 1);
    middle->addWidget(layoutBox);
    layout->addLayout(middle);

    auto* files = new QGroupBox(QStringLiteral("Exported files"), this);
    auto* filesGrid = new QGridLayout(files);
    m_pFiles = new CMRUFileComboBox(files);
    m_pFiles->setEditable(false);
    RegisterControl(IDC_EXPORTED_FILES, m_pFiles);
    filesGrid->addWidget(m_pFiles, 0, 0);
    filesGrid->addWidget(CreateButton(IDC_VIEW_FILE, "&View File..."), 0, 1);
    filesGrid->addWidget(CreateStatic("", IDC_EXPORTED_FOLDER), 1, 0, 1, 2);
    filesGrid->setColumnStretch(0, 1);
    layout->addWidget(files);
    layout->addWidget(CreateCheckBox(IDC_OPEN_AFTER_EXPORT, "&Open after export"));
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    BindNotify(IDC_EXPORT_TYPE, CBN_SELCHANGE, [this] { OnTypeChange(); });
    BindNotify(IDC_EXPORTED_FILES, CBN_SELCHANGE, [this] { RefreshAttributes(); });
    BindCommand(IDC_EXPORT_SETUP, [this] { OnSetup(); });
    BindCommand(IDC_EXPORT_CHOOSE, [this] { OnChoose(); });
    BindCommand(IDC_EXPORT_CHANGE_STYLE, [this] { OnChangeStyle(); });
    BindCommand(IDC_VIEW_FILE, [this] { OnViewFile(); });
}

int CExportDialog::SelectedType() const
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EXPORT_TYPE));
    const int sel = combo ? combo->GetCurSel() : -1;
    return sel >= 0 ? static_cast<int>(combo->GetItemData(sel)) : FT_TEXT;
}

BOOL CExportDialog::IsFilePerPage() const
{
    return m_ctx.nFileType == FT_HTML && m_ctx.pHtml && m_ctx.pHtml->m_nDivType == HTML_FILE_PER_PAGE;
}

BOOL CExportDialog::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EXPORT_TYPE));
    combo->ResetContent();
    for (int i = 0; i < CFileTypes::GetNumExportTypes(); ++i) {
        const int code = CFileTypes::GetExportType(i);
        CString name;
        CFileTypes::GetExportTypeInfo(code, nullptr, &name, nullptr);
        const int at = combo->AddString(name);
        combo->SetItemData(at, static_cast<DWORD_PTR>(code));
    }
    m_nLastSelected = std::clamp(m_nLastSelected, 0, combo->GetCount() - 1);
    combo->SetCurSel(m_nLastSelected);
    m_ctx.nFileType = SelectedType();
    m_pFiles->Init(EXPORTED_FILES_LIST);
    m_pFiles->SetCurSel(m_pFiles->GetCount() > 0 ? 0 : -1);
    CheckDlgButton(IDC_OPEN_AFTER_EXPORT, m_bOpenAfter ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_RANGE_ALL, BST_CHECKED);
    SetDlgItemText(IDC_RANGE_FROM, "1");
    SetDlgItemText(IDC_RANGE_TO, "1");
    if (auto* sel = GetDlgItem(IDC_RANGE_SELECTION))
        sel->setEnabled(false);
    ProposeOutputPath();
    RefreshAttributes();
    return TRUE;
}

void CExportDialog::ProposeOutputPath()
{
    CString ext = CFileTypes::FileType2Ext(m_ctx.nFileType);
    if (!ext.IsEmpty() && ext[0] != '.')
        ext = "." + ext;
    CString base = m_ctx.csDocName.IsEmpty() ? m_doc.GetTitle() : m_ctx.csDocName;
    if (const int dot = base.ReverseFind('.'); dot > 0)
        base = base.Left(dot);
    if (base.IsEmpty())
        base = "export";
    CString folder = m_pFiles ? m_pFiles->GetFolderOfType(m_ctx.nFileType) : CString();
    if (folder.IsEmpty())
        folder = CFileTypes::FileTypeDir(m_ctx.nFileType);
    if (!folder.IsEmpty() && folder.Right(1) != "/")
        folder += "/";
    SetDlgItemText(IDC_EXPORT_FOLDER, folder);
    SetDlgItemText(IDC_EXPORT_FILE, IsFilePerPage() ? CString() : base + ext);
    if (auto* file = GetDlgItem(IDC_EXPORT_FILE))
        file->setEnabled(!IsFilePerPage());
}

void CExportDialog::RefreshAttributes()
{
    CString name;
    CFileTypes::GetExportTypeInfo(m_ctx.nFileType, nullptr, &name, nullptr);
    if (m_ctx.nFileType == FT_HTML)
        name += CString(" : ") + (IsFilePerPage() ? "Multiple files" : "Single file");
    SetDlgItemText(IDC_EXPORT_ATTRIBUTES, name);
    SetDlgItemText(IDC_EXPORT_ANSWERS, m_doc.m_bShowAnswers ? "Yes" : "No");
    const int mode = m_doc.m_nPrintMode;
    SetDlgItemText(IDC_EXPORT_STYLE, mode >= 0 && mode <= 5 ? kStyleNames[mode] : "***");
    if (m_pOutputGroup)
        m_pOutputGroup->setTitle(IsFilePerPage() ? QStringLiteral("HTML Output Directory") : QStringLiteral("Output File"));
    const int sel = m_pFiles ? m_pFiles->GetCurSel() : -1;
    SetDlgItemText(IDC_EXPORTED_FOLDER, sel >= 0 ? m_pFiles->GetFolder(sel) : CString());
    if (auto* view = GetDlgItem(IDC_VIEW_FILE))
        view->setEnabled(sel >= 0);
    // One HTML file holds every page.
    const BOOL bAllOnly = m_ctx.nFileType == FT_HTML && !IsFilePerPage();
    if (bAllOnly) {
        CheckDlgButton(IDC_RANGE_ALL, BST_CHECKED);
        CheckDlgButton(IDC_RANGE_PAGES, BST_UNCHECKED);
    }
    for (UINT id : {IDC_RANGE_ALL, IDC_RANGE_PAGES, IDC_RANGE_FROM, IDC_RANGE_TO})
        if (auto* w = GetDlgItem(id))
            w->setEnabled(!bAllOnly);
}

void CExportDialog::OnTypeChange()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EXPORT_TYPE));
    m_nLastSelected = combo->GetCurSel();
    m_ctx.nFileType = SelectedType();
    ProposeOutputPath();
    RefreshAttributes();
}

void CExportDialog::OnSetup()
{
    if (m_ctx.nFileType == FT_HTML) {
        if (!m_ctx.pHtml)
            return;
        CHtmlSettingsDlg dlg(m_ctx.pHtml, this);
        if (dlg.DoModal() == IDOK)
            ProposeOutputPath();
        RefreshAttributes();
        return;
    }
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES, this);
    const CPageMargins margins = GetPageMargins();
    dlg.m_psd.rtMargin = CRect(static_cast<int>(margins.left * 1000), static_cast<int>(margins.top * 1000),
                               static_cast<int>(margins.right * 1000), static_cast<int>(margins.bottom * 1000));
    dlg.m_psd.ptPaperSize = CPoint(m_ctx.nPaperWidth, m_ctx.nPaperHeight);
    if (dlg.DoModal() != IDOK)
        return;
    CRect chosen, minimum;
    dlg.GetMargins(&chosen, &minimum);
    CPageMargins after;
    after.left = chosen.left / 1000.0;
    after.top = chosen.top / 1000.0;
    after.right = chosen.right / 1000.0;
    after.bottom = chosen.bottom / 1000.0;
    SetPageMargins(after);
    const CString section = m_doc.GetProfileSection();
    CorraApp().WriteProfileDouble(section, "RightMargin", after.right, 2);
    CorraApp().WriteProfileDouble(section, "LeftMargin", after.left, 2);
    CorraApp().WriteProfileDouble(section, "TopMargin", after.top, 2);
    CorraApp().WriteProfileDouble(section, "BottomMargin", after.bottom, 2);
    m_ctx.dLeft = after.left;
    m_ctx.dRight = after.right;
    m_ctx.dTop = after.top;
    m_ctx.dBottom = after.bottom;
    m_ctx.nOrientation = dlg.GetOrientation() == DMORIENT_LANDSCAPE ? 2 : 1;
    const CSize paper = dlg.GetPaperSize();
    if (paper.cx > 0 && paper.cy > 0) {
        m_ctx.nPaperWidth = paper.cx;
        m_ctx.nPaperHeight = paper.cy;
    }
    RefreshAttributes();
}

void CExportDialog::OnChoose()
{
    CString current = GetOutputPath();
    CString start = IsFilePerPage() ? current : FolderOf(current);
    if (start.IsEmpty() || !fsys::IsDirectory(start))
        start = GetProgramHome();
    CFileDialogRequest request;
    request.folder = start;
    CString path;
    if (IsFilePerPage()) {
        request.kind = CFileDialogRequest::kindFolder;
        request.title = "Select the HTML output folder";
        if (!ChooseFilePath(request, path))
            return;
        if (!path.IsEmpty() && path.Right(1) != "/")
            path += "/";
        SetDlgItemText(IDC_EXPORT_FOLDER, path);
        return;
    }
    CString ext, name, filter;
    CFileTypes::GetExportTypeInfo(m_ctx.nFileType, &ext, &name, &filter);
    request.kind = CFileDialogRequest::kindSave;
    request.title = "Export";
    request.filter = filter;
    ext.TrimLeft('.');
    request.defaultExt = ext;
    GetDlgItemText(IDC_EXPORT_FILE, request.fileName);
    if (!ChooseFilePath(request, path))
        return;
    if (fsys::Exists(path) && fsys::IsReadOnly(path)) {
        AfxMessageBox(CString::Formatted("The file\n\n%s\n\nis either read-only or is already being used.", path.GetString()));
        return;
    }
    CString file;
    GetFileNameOfPath(file, path);
    SetDlgItemText(IDC_EXPORT_FOLDER, FolderOf(path));
    SetDlgItemText(IDC_EXPORT_FILE, file);
}

void CExportDialog::OnChangeStyle()
{
    ShowDocumentPrintingProperties(m_doc);
    RefreshAttributes();
}

void CExportDialog::OnViewFile()
{
    if (m_pFiles)
        ViewExportedFile(this, *m_pFiles);
    RefreshAttributes();
}

CString CExportDialog::GetOutputPath() const
{
    CString folder, file;
    GetDlgItemText(IDC_EXPORT_FOLDER, folder);
    folder.Trim();
    if (IsFilePerPage())
        return folder;
    GetDlgItemText(IDC_EXPORT_FILE, file);
    file.Trim();
    if (file.IsEmpty())
        return CString();
    if (folder.IsEmpty())
        return file;
    if (folder.Right(1) != "/")
        folder += "/";
    return folder + file;
}

void CExportDialog::OnOK()
{
    m_ctx.nFileType = SelectedType();
    if (m_ctx.nFileType == FT_WORDPERFECT) {
        // No WordPerfect file can be made here.
        AfxMessageBox(LoadStringId(IDS_AQF_WP_NOT_INSTALLED), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const CString path = GetOutputPath();
    if (path.IsEmpty()) {
        AfxMessageBox("No output filename specified.");
        return;
    }
    if (IsFilePerPage()) {
        if (!fsys::IsDirectory(path)) {
            AfxMessageBox(CString::Formatted(LoadStringId(IDS_EXPORT_NOT_DIRECTORY), path.GetString()));
            return;
        }
    } else {
        if (fsys::Exists(path) && !fsys::IsDirectory(path) &&
            AfxMessageBox(CString::Formatted(LoadStringId(IDS_EXPORT_REPLACE), path.GetString()),
                          MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        if (!CanWrite(path)) {
            AfxMessageBox(CString::Formatted(LoadStringId(IDS_EXPORT_CANNOT_WRITE), path.GetString()));
            return;
        }
    }
    // The range: every page, or those asked for.
    auto& pd = m_ctx.m_pPD->m_pd;
    if (IsDlgButtonChecked(IDC_RANGE_PAGES) && !(m_ctx.nFileType == FT_HTML && !IsFilePerPage())) {
        CString from, to;
        GetDlgItemText(IDC_RANGE_FROM, from);
        GetDlgItemText(IDC_RANGE_TO, to);
        pd.Flags |= PD_PAGENUMS;
        pd.nFromPage = static_cast<WORD>(std::clamp(atoi(from), 0, 0xFFFF));
        pd.nToPage = static_cast<WORD>(std::clamp(atoi(to), 0, 0xFFFF));
    } else {
        pd.Flags &= ~PD_PAGENUMS;
    }
    m_ctx.csOutputPath = path;
    if (!IsFilePerPage() && m_pFiles) {
        m_pFiles->AddPath(path, TRUE);
        m_pFiles->Save();
    }
    m_bOpenAfter = IsDlgButtonChecked(IDC_OPEN_AFTER_EXPORT) == BST_CHECKED;
    m_ctx.bOpenAfter = m_bOpenAfter;
    CorraApp().WriteProfileInt(kSection, "LastSelected", m_nLastSelected);
    CString base = m_ctx.csDocName.IsEmpty() ? m_doc.GetTitle() : m_ctx.csDocName;
    if (const int dot = base.ReverseFind('.'); dot > 0)
        base = base.Left(dot);
    CString key = CString::Formatted("%s%d", base.GetString(), m_ctx.nFileType);
    if (IsFilePerPage())
        key += "Multi";
    CorraApp().WriteProfileString(kSection, key, path);
    CorraApp().WriteProfileInt(kSection, "OpenAfter", m_bOpenAfter);
    EndDialog(IDOK);
}

// ---- the viewer

CExportedFileViewerDlg::CExportedFileViewerDlg(CWnd* pParent) : CFixedFontDialog(IDD_EXPORTED_FILES, pParent)
{
    m_nTemplateId = IDD_EXPORTED_FILES;
    setWindowTitle(QStringLiteral("View Exported Files"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_pFiles = new CMRUFileComboBox(this);
    m_pFiles->setEditable(false);
    m_pFiles->setMinimumWidth(320);
    RegisterControl(IDC_EXPORTED_FILES, m_pFiles);
    row->addWidget(m_pFiles, 1);
    row->addWidget(CreateButton(IDC_VIEW_FILE, "&View File...", TRUE));
    layout->addLayout(row);
    layout->addWidget(CreateStatic("", IDC_EXPORTED_FOLDER));
    layout->addWidget(CreateButtonBox({IDCLOSE}));
    BindNotify(IDC_EXPORTED_FILES, CBN_SELCHANGE, [this] { RefreshFolder(); });
    BindCommand(IDC_VIEW_FILE, [this] { OnViewFile(); });
}

BOOL CExportedFileViewerDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    m_pFiles->Init(EXPORTED_FILES_LIST);
    m_pFiles->SetCurSel(m_pFiles->GetCount() > 0 ? 0 : -1);
    RefreshFolder();
    return TRUE;
}

void CExportedFileViewerDlg::RefreshFolder()
{
    const int sel = m_pFiles->GetCurSel();
    SetDlgItemText(IDC_EXPORTED_FOLDER, sel >= 0 ? m_pFiles->GetFolder(sel) : CString());
    if (auto* view = GetDlgItem(IDC_VIEW_FILE))
        view->setEnabled(sel >= 0);
}

void CExportedFileViewerDlg::OnViewFile()
{
    if (ViewExportedFile(this, *m_pFiles))
        EndDialog(IDOK);
    else
        RefreshFolder();
}
