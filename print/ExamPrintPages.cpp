#include "print/ExamPrintPages.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDoc.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Services.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "render/FontMgr.h"
#include "res/ids/App.h"
#include "res/ids/ExamView.h"
#include "res/ids/Html.h"
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

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

const char* const PRINT_BAND_POSITIONS[6] = {"top left",    "top center",    "top right",
                                             "bottom left", "bottom center", "bottom right"};

namespace {

// The main window opens the font dialog of a slot on this message.
constexpr UINT WM_CORRA_SLOT_FONT = 0x8059;

void PostSlotFont(int nSlot)
{
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(WM_CORRA_SLOT_FONT, static_cast<WPARAM>(nSlot), 0);
}

// An edit with its spin control, the spin kept in range.
QHBoxLayout* SpinEdit(CDialog& dlg, int nEdit, int nSpin, int lower, int upper)
{
    auto* row = new QHBoxLayout;
    QLineEdit* edit = dlg.CreateEdit(nEdit);
    edit->setMaximumWidth(50);
    auto* spin = new CSpinButtonCtrl(&dlg);
    dlg.RegisterControl(nSpin, spin);
    spin->SetBuddy(edit);
    spin->SetBuddyInt(TRUE);
    spin->SetRange(lower, upper);
    row->addWidget(edit);
    row->addWidget(spin);
    row->addStretch(1);
    return row;
}

CComboBox* PositionCombo(CDialog& dlg, int nID, int nCount)
{
    auto* combo = new CComboBox(&dlg, FALSE);
    dlg.RegisterControl(nID, combo);
    for (int i = 0; i < nCount; ++i)
        combo->AddString(nCount == 2 ? (i == 0 ? "left" : "right") : PRINT_BAND_POSITIONS[i]);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(13);
    return combo;
}

// One item of a band: its check, text, position and font button.
struct CBandItem {
    UINT use, edit, pos, font;
    const char* label;
    int slot;
};

// The band's items under the "Print" check: a grid with a row per item, the font buttons
// asking the main window for their slot's font dialog.
using CBinder = std::function<void(UINT, std::function<void()>)>;
QGroupBox* BandItemsBox(CDialog& dlg, const CBinder& bind, UINT printCheck, const char* textHeading,
                        std::initializer_list<CBandItem> items, const std::function<void()>& update)
{
    auto* box = new QGroupBox(QStringLiteral("Items"), &dlg);
    auto* grid = new QGridLayout(box);
    grid->addWidget(dlg.CreateStatic("Use"), 0, 0);
    grid->addWidget(dlg.CreateStatic(textHeading), 0, 1);
    grid->addWidget(dlg.CreateStatic("Position"), 0, 2);
    int r = 1;
    for (const CBandItem& item : items) {
        grid->addWidget(dlg.CreateCheckBox(item.use, item.label), r, 0);
        QLineEdit* edit = dlg.CreateEdit(item.edit);
        edit->setMinimumWidth(220);
        grid->addWidget(edit, r, 1);
        grid->addWidget(PositionCombo(dlg, item.pos, 6), r, 2);
        grid->addWidget(dlg.CreateButton(item.font, "Font..."), r, 3);
        bind(item.use, update);
        bind(item.font, [slot = item.slot] { PostSlotFont(slot); });
        ++r;
    }
    bind(printCheck, update);
    return box;
}

// Everything but the "Print" check follows it; each item's controls follow its own check too.
void EnableBandItems(CWnd& wnd, UINT printCheck, std::initializer_list<UINT> checks,
                     std::initializer_list<std::pair<UINT, std::initializer_list<UINT>>> rows)
{
    const BOOL bPrint = wnd.IsDlgButtonChecked(printCheck) == BST_CHECKED;
    for (UINT id : checks)
        wnd.EnableDlgItem(static_cast<int>(id), bPrint);
    for (const auto& row : rows)
        for (UINT id : row.second)
            wnd.EnableDlgItem(static_cast<int>(id), bPrint && wnd.IsDlgButtonChecked(row.first) == BST_CHECKED);
}

void Enable(CWnd& wnd, std::initializer_list<UINT> ids, BOOL bEnable)
{
    for (UINT id : ids)
        wnd.EnableDlgItem(static_cast<int>(id), bEnable);
}

// An integer field that must be read whole: words, signs and overflow fail the exchange.
void ExchangeInt(CDataExchange* pDX, int nIDC, int& value, int lower, int upper)
{
    DDX_Text(pDX, nIDC, value);
    if (pDX->m_bSaveAndValidate)
        value = std::clamp(value, lower, upper);
}

} // namespace

// ---- the properties page

CExamPrintPropPage::CExamPrintPropPage(CWnd* pParent, int nShowHeaderFooter)
    : CFixedFontDialog(IDD_PRINT_PROPERTIES, pParent), m_nShowHeaderFooter(nShowHeaderFooter)
{
    m_nTemplateId = IDD_PRINT_PROPERTIES;
    auto* layout = new QVBoxLayout(this);

    auto* titles = new QGridLayout;
    QLineEdit* course = CreateEdit(IDC_PP_COURSE_NAME);
    QLineEdit* title = CreateEdit(IDC_PP_EXAM_TITLE);
    course->setMinimumWidth(300);
    titles->addWidget(CreateStatic("Course Name", IDC_PP_COURSE_LABEL, course), 0, 0);
    titles->addWidget(course, 0, 1);
    titles->addWidget(CreateButton(ID_EXAM_TITLE_FONT, "Font..."), 0, 2);
    titles->addWidget(CreateStatic("Exam Title", IDC_PP_TITLE_LABEL, title), 1, 0);
    titles->addWidget(title, 1, 1);
    titles->addWidget(CreateButton(ID_EXAM_DESCRIPTION_FONT, "Font..."), 1, 2);
    layout->addLayout(titles);

    auto* middle = new QHBoxLayout;
    auto* style = new QGroupBox(QStringLiteral("Printing style"), this);
    auto* styleBox = new QVBoxLayout(style);
    const struct {
        UINT id;
        const char* text;
    } styles[] = {{IDC_PP_STYLE_FIRST, "&Expanded"},
                  {IDC_PP_STYLE_KEYS, "&Keys"},
                  {IDC_PP_STYLE_COMPRESSED, "C&ompressed"},
                  {IDC_PP_STYLE_LARGE, "Contracted (&large)"},
                  {IDC_PP_STYLE_SMALL, "Contracted (s&mall)"},
                  {IDC_PP_STYLE_ANSWER_SHEET, "&Answer Sheet"}};
    for (const auto& s : styles) {
        styleBox->addWidget(CreateRadioButton(s.id, s.text, s.id == IDC_PP_STYLE_FIRST));
        BindCommand(s.id, [this] { UpdateControls(); });
    }
    styleBox->addWidget(CreateCheckBox(IDC_PP_TABBED, "&Tabbed Choices"));
    styleBox->addWidget(CreateCheckBox(IDC_PP_SHOW_ANSWERS, "Show Ans&wers"));
    BindCommand(IDC_PP_SHOW_ANSWERS, [] {});
    middle->addWidget(style);

    auto* spacing = new QGroupBox(QStringLiteral("Spacing"), this);
    auto* grid = new QGridLayout(spacing);
    QLineEdit* start = CreateEdit(IDC_PP_START_NUMBER);
    start->setMaximumWidth(50);
    grid->addWidget(CreateStatic("Starting question number", 0, start), 0, 0);
    grid->addWidget(start, 0, 1, Qt::AlignLeft);
    grid->addWidget(CreateStatic("Blank lines between questions"), 1, 0);
    grid->addLayout(SpinEdit(*this, IDC_PP_BLANK_LINES, IDC_PP_BLANK_LINES_SPIN, 0, 10), 1, 1);
    grid->addWidget(CreateStatic("Lines between question and choices"), 2, 0);
    grid->addLayout(SpinEdit(*this, IDC_PP_CHOICE_LINES, IDC_PP_CHOICE_LINES_SPIN, 0, 10), 2, 1);
    grid->addWidget(CreateStatic("Number spaces between\nchoice id and choice", IDC_PP_SEP_LABEL), 3, 0);
    grid->addLayout(SpinEdit(*this, IDC_PP_SEP_SPACES, IDC_PP_SEP_SPACES_SPIN, 1, 20), 3, 1);
    grid->addWidget(CreateStatic("Number spaces to indent choices"), 4, 0);
    grid->addLayout(SpinEdit(*this, IDC_PP_INDENT, IDC_PP_INDENT_SPIN, 0, 20), 4, 1);
    middle->addWidget(spacing);
    layout->addLayout(middle);

    auto* margins = new QGroupBox(QStringLiteral("Margins (inches)"), this);
    auto* mgrid = new QGridLayout(margins);
    const struct {
        UINT id;
        const char* label;
        int row, column;
    } fields[] = {{IDC_PP_MARGIN_LEFT, "&Left:", 0, 0},
                  {IDC_PP_MARGIN_RIGHT, "&Right:", 0, 2},
                  {IDC_PP_MARGIN_TOP, "To&p:", 1, 0},
                  {IDC_PP_MARGIN_BOTTOM, "&Bottom:", 1, 2}};
    for (const auto& f : fields) {
        QLineEdit* edit = CreateEdit(f.id);
        edit->setMaximumWidth(70);
        mgrid->addWidget(CreateStatic(f.label, 0, edit), f.row, f.column);
        mgrid->addWidget(edit, f.row, f.column + 1);
    }
    layout->addWidget(margins);

    auto* buttons = new QGridLayout;
    buttons->addWidget(CreateButton(ID_EXAM_HEADERS, "Edit &Header..."), 0, 0);
    buttons->addWidget(CreateButton(ID_EXAM_FOOTERS, "Edit &Footer..."), 0, 1);
    buttons->addWidget(CreateButton(IDC_PP_INSTRUCTIONS, "&Instructions..."), 0, 2);
    buttons->addWidget(CreateButton(ID_PRINT_FILENAME_FONT, "Filename Font..."), 1, 0);
    buttons->addWidget(CreateButton(ID_PRINT_PAGENUM_FONT, "Page Num Font..."), 1, 1);
    buttons->addWidget(CreateButton(ID_EXAM_FORM_NAME_FONT, "Form name font..."), 1, 2);
    buttons->addWidget(CreateButton(ID_DEFAULT_FONTS, "&Default Fonts..."), 1, 3);
    layout->addLayout(buttons);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));

    // The buttons carry the views' commands: the window that opened the page serves them.
    for (UINT id : {ID_EXAM_HEADERS, ID_EXAM_FOOTERS, ID_EXAM_TITLE_FONT, ID_EXAM_DESCRIPTION_FONT,
                    ID_PRINT_FILENAME_FONT, ID_PRINT_PAGENUM_FONT, ID_EXAM_FORM_NAME_FONT, ID_DEFAULT_FONTS}) {
        BindCommand(id, [this, id] {
            if (CWnd* owner = GetOwnerWnd())
                owner->OnCommand(id);
        });
    }
    BindCommand(IDC_PP_INSTRUCTIONS, [this] {
        if (CWnd* owner = GetOwnerWnd())
            owner->OnCommand(ID_EXAM_INSTRUCTIONS);
    });
}

BOOL CExamPrintPropPage::OnInitDialog()
{
    const int* mode = std::find(std::begin(PRINT_STYLE_MODES), std::end(PRINT_STYLE_MODES), m_nPrintMode);
    m_nStyle = mode == std::end(PRINT_STYLE_MODES) ? 0 : static_cast<int>(mode - std::begin(PRINT_STYLE_MODES));
    CFixedFontDialog::OnInitDialog();
    setWindowTitle(ToQString(m_csCaption));
    SetDlgItemText(IDC_PP_COURSE_LABEL, m_csCourseLabel);
    SetDlgItemText(IDC_PP_TITLE_LABEL, m_csTitleLabel);
    ShowDlgItem(ID_EXAM_HEADERS, m_nShowHeaderFooter > 0 ? SW_SHOW : SW_HIDE);
    ShowDlgItem(ID_EXAM_FOOTERS, m_nShowHeaderFooter > 0 ? SW_SHOW : SW_HIDE);
    UpdateControls();
    return TRUE;
}

void CExamPrintPropPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PP_COURSE_NAME, m_csCourseName);
    DDX_Text(pDX, IDC_PP_EXAM_TITLE, m_csExamTitle);
    DDX_Text(pDX, IDC_PP_START_NUMBER, m_nStartNumber);
    ExchangeInt(pDX, IDC_PP_BLANK_LINES, m_nBlankLines, 0, 10);
    ExchangeInt(pDX, IDC_PP_CHOICE_LINES, m_nChoiceLines, 0, 10);
    ExchangeInt(pDX, IDC_PP_SEP_SPACES, m_nSepSpaces, 1, 20);
    ExchangeInt(pDX, IDC_PP_INDENT, m_nIndent, 0, 20);
    // Margins the page can be printed with: none negative, the bottom as the margins dialog.
    DDX_Text(pDX, IDC_PP_MARGIN_LEFT, m_dLeft);
    DDV_MinMaxDouble(pDX, m_dLeft, 0.0, 4.25);
    DDX_Text(pDX, IDC_PP_MARGIN_TOP, m_dTop);
    DDV_MinMaxDouble(pDX, m_dTop, 0.0, 4.25);
    DDX_Text(pDX, IDC_PP_MARGIN_RIGHT, m_dRight);
    DDV_MinMaxDouble(pDX, m_dRight, 0.0, 4.25);
    DDX_Text(pDX, IDC_PP_MARGIN_BOTTOM, m_dBottom);
    DDV_MinMaxDouble(pDX, m_dBottom, 0.0, 4.25);
    DDX_Radio(pDX, IDC_PP_STYLE_FIRST, m_nStyle);
    DDX_Check(pDX, IDC_PP_TABBED, m_bTabbedChoices);
    DDX_Check(pDX, IDC_PP_SHOW_ANSWERS, m_bShowAnswers);
}

void CExamPrintPropPage::UpdateControls()
{
    const int id = GetCheckedRadioButton(IDC_PP_STYLE_FIRST, IDC_PP_STYLE_ANSWER_SHEET);
    const BOOL bExpanded = id == static_cast<int>(IDC_PP_STYLE_FIRST);
    const BOOL bCompressed = id == static_cast<int>(IDC_PP_STYLE_COMPRESSED);
    Enable(*this, {IDC_PP_BLANK_LINES, IDC_PP_BLANK_LINES_SPIN, IDC_PP_CHOICE_LINES, IDC_PP_CHOICE_LINES_SPIN,
                   IDC_PP_SHOW_ANSWERS},
           bExpanded || bCompressed);
    EnableDlgItem(IDC_PP_TABBED, bCompressed);
    SetDlgItemText(IDC_PP_SEP_LABEL, LoadStringId(bCompressed ? IDS_PP_SPACES_CHOICES : IDS_PP_SPACES_CHOICE_ID));
}

void CExamPrintPropPage::OnOK()
{
    if (IsDlgButtonChecked(IDC_PP_SHOW_ANSWERS) == BST_CHECKED &&
        GetDlgItem(IDC_PP_SHOW_ANSWERS)->isEnabled() &&
        AfxMessageBox("Confirm Show Answers", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (!UpdateData(TRUE))
        return;
    // A style that cannot show answers leaves the box no say.
    if (!GetDlgItem(IDC_PP_SHOW_ANSWERS)->isEnabled())
        m_bShowAnswers = FALSE;
    m_nPrintMode = m_nStyle >= 0 && m_nStyle < 6 ? PRINT_STYLE_MODES[m_nStyle] : 0;
    EndDialog(IDOK);
}

// ---- the header page

int CExamHeaderPage::BrightnessShown(int stored)
{
    return static_cast<int>(std::lround(stored * 0.39215686274509803));
}

int CExamHeaderPage::BrightnessStored(int shown)
{
    return static_cast<int>(std::clamp(shown, -90, 90) * 2.55);
}

CExamHeaderPage::CExamHeaderPage(CWnd* pParent) : CFixedFontDialog(IDD_EXAM_HEADER, pParent)
{
    m_nTemplateId = IDD_EXAM_HEADER;
    setWindowTitle(QStringLiteral("Exam Print Header"));
    CCorraAppBase& app = CorraApp();
    auto flag = [&](const char* key, int def) { return app.GetProfileInt(kSection, key, def) != 0 ? TRUE : FALSE; };
    m_bPrintHeader = flag("PrintHdr", 1);
    m_nEveryPage = flag("FirstPageOnly", 0) && !flag("EveryPage", 1) ? 1 : 0;
    m_bUseCourseName = flag("PrintUseCourseName", 1);
    m_bUseExamTitle = flag("PrintUseExamTitle", 1);
    m_bUseStudentId = flag("PrintUseStudentId", 1);
    m_bUseStudentName = flag("PrintUseStudentName", 1);
    m_bUseImage = flag("PrintUseImage", 0);
    auto position = [&](const char* key, int def, int count) { return std::clamp(app.GetProfileInt(kSection, key, def), 0, count - 1); };
    m_nCourseNamePos = position("CourseNamePosIndex", 0, 6);
    m_nExamTitlePos = position("ExamTitlePosIndex", 3, 6);
    m_nStudentNamePos = position("StudentNamePosIndex", 2, 6);
    m_nStudentIdPos = position("StudentIdPosIndex", 5, 6);
    m_nImagePos = position("ImagePosIndex", 0, 2);
    m_nImageSize = app.GetProfileInt(kSection, "ImageSize", 0);
    m_nBrightness = BrightnessShown(std::clamp(app.GetProfileInt(kSection, "ImageBrightness", 0), -255, 255));
    m_csStudentNamePrompt = app.GetProfileString(kSection, "StudentNamePrompt", "Name_________________________________ ");
    m_csStudentIdPrompt = app.GetProfileString(kSection, "StudentIdPrompt", "ID# __ __ __ __");
    m_csImageFile = app.GetProfileString(kSection, "ImageFile", "");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCheckBox(IDC_HDR_PRINT, "&Print Header"));
    layout->addWidget(BandItemsBox(
        *this, [this](UINT id, std::function<void()> f) { BindCommand(id, std::move(f)); }, IDC_HDR_PRINT, "Text",
        {{IDC_HDR_USE_COURSE_NAME, IDC_HDR_COURSE_NAME, IDC_HDR_COURSE_NAME_POS, IDC_HDR_COURSE_NAME_FONT, "Course Name",
          FM_EXAMCOURSENAME},
         {IDC_HDR_USE_EXAM_TITLE, IDC_HDR_EXAM_TITLE, IDC_HDR_EXAM_TITLE_POS, IDC_HDR_EXAM_TITLE_FONT, "Exam Title",
          FM_EXAMTITLE},
         {IDC_HDR_USE_STUDENT_NAME, IDC_HDR_STUDENT_NAME, IDC_HDR_STUDENT_NAME_POS, IDC_HDR_STUDENT_NAME_FONT,
          "Student Name", FM_STUDENTNAME},
         {IDC_HDR_USE_STUDENT_ID, IDC_HDR_STUDENT_ID, IDC_HDR_STUDENT_ID_POS, IDC_HDR_STUDENT_ID_FONT, "Student ID",
          FM_STUDENTID}},
        [this] { UpdateControls(); }));
    // The titles are the exam's own: edited in the properties page.
    GetDlgItemAs<QLineEdit>(IDC_HDR_COURSE_NAME)->setReadOnly(true);
    GetDlgItemAs<QLineEdit>(IDC_HDR_EXAM_TITLE)->setReadOnly(true);

    auto* image = new QGroupBox(QStringLiteral("Image"), this);
    auto* igrid = new QGridLayout(image);
    igrid->addWidget(CreateCheckBox(IDC_HDR_USE_IMAGE, "Use &image"), 0, 0);
    igrid->addWidget(CreateEdit(IDC_HDR_IMAGE_FILE), 0, 1, 1, 2);
    igrid->addWidget(CreateButton(IDC_HDR_BROWSE, "&Browse..."), 0, 3);
    igrid->addWidget(CreateStatic("Position"), 1, 0);
    igrid->addWidget(PositionCombo(*this, IDC_HDR_IMAGE_POS, 2), 1, 1);
    igrid->addWidget(CreateStatic("Size (% of page height)"), 2, 0);
    igrid->addLayout(SpinEdit(*this, IDC_HDR_IMAGE_SIZE, IDC_HDR_IMAGE_SIZE_SPIN, 3, 30), 2, 1);
    igrid->addWidget(CreateStatic("Brightness (%)"), 3, 0);
    igrid->addLayout(SpinEdit(*this, IDC_HDR_BRIGHTNESS, IDC_HDR_BRIGHTNESS_SPIN, -90, 90), 3, 1);
    layout->addWidget(image);
    BindCommand(IDC_HDR_USE_IMAGE, [this] { UpdateControls(); });
    BindCommand(IDC_HDR_BROWSE, [this] { OnBrowse(); });

    auto* pages = new QHBoxLayout;
    pages->addWidget(CreateRadioButton(IDC_HDR_EVERY_PAGE, "&Every page", TRUE));
    pages->addWidget(CreateRadioButton(IDC_HDR_FIRST_PAGE, "First page &only"));
    pages->addStretch(1);
    pages->addWidget(CreateButton(IDC_HDR_DEFAULTS, "&Defaults"));
    layout->addLayout(pages);
    BindCommand(IDC_HDR_DEFAULTS, [this] { OnDefaults(); });
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));

}

BOOL CExamHeaderPage::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CExamHeaderPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_HDR_PRINT, m_bPrintHeader);
    DDX_Text(pDX, IDC_HDR_COURSE_NAME, m_csCourseName);
    DDX_Text(pDX, IDC_HDR_EXAM_TITLE, m_csExamTitle);
    DDX_Text(pDX, IDC_HDR_STUDENT_ID, m_csStudentIdPrompt);
    DDX_Text(pDX, IDC_HDR_STUDENT_NAME, m_csStudentNamePrompt);
    DDX_Check(pDX, IDC_HDR_USE_COURSE_NAME, m_bUseCourseName);
    DDX_Check(pDX, IDC_HDR_USE_EXAM_TITLE, m_bUseExamTitle);
    DDX_Check(pDX, IDC_HDR_USE_STUDENT_NAME, m_bUseStudentName);
    DDX_Check(pDX, IDC_HDR_USE_STUDENT_ID, m_bUseStudentId);
    DDX_Check(pDX, IDC_HDR_USE_IMAGE, m_bUseImage);
    DDX_Text(pDX, IDC_HDR_IMAGE_FILE, m_csImageFile);
    DDX_Text(pDX, IDC_HDR_BRIGHTNESS, m_nBrightness);
    DDX_Text(pDX, IDC_HDR_IMAGE_SIZE, m_nImageSize);
    DDX_Radio(pDX, IDC_HDR_EVERY_PAGE, m_nEveryPage);
    DDX_CBIndex(pDX, IDC_HDR_COURSE_NAME_POS, m_nCourseNamePos);
    DDX_CBIndex(pDX, IDC_HDR_EXAM_TITLE_POS, m_nExamTitlePos);
    DDX_CBIndex(pDX, IDC_HDR_STUDENT_NAME_POS, m_nStudentNamePos);
    DDX_CBIndex(pDX, IDC_HDR_STUDENT_ID_POS, m_nStudentIdPos);
    DDX_CBIndex(pDX, IDC_HDR_IMAGE_POS, m_nImagePos);
}

void CExamHeaderPage::UpdateControls()
{
    EnableBandItems(*this, IDC_HDR_PRINT,
                    {IDC_HDR_USE_COURSE_NAME, IDC_HDR_USE_EXAM_TITLE, IDC_HDR_USE_STUDENT_NAME, IDC_HDR_USE_STUDENT_ID,
                     IDC_HDR_USE_IMAGE, IDC_HDR_EVERY_PAGE, IDC_HDR_FIRST_PAGE, IDC_HDR_DEFAULTS},
                    {{IDC_HDR_USE_COURSE_NAME, {IDC_HDR_COURSE_NAME, IDC_HDR_COURSE_NAME_POS, IDC_HDR_COURSE_NAME_FONT}},
                     {IDC_HDR_USE_EXAM_TITLE, {IDC_HDR_EXAM_TITLE, IDC_HDR_EXAM_TITLE_POS, IDC_HDR_EXAM_TITLE_FONT}},
                     {IDC_HDR_USE_STUDENT_NAME, {IDC_HDR_STUDENT_NAME, IDC_HDR_STUDENT_NAME_POS, IDC_HDR_STUDENT_NAME_FONT}},
                     {IDC_HDR_USE_STUDENT_ID, {IDC_HDR_STUDENT_ID, IDC_HDR_STUDENT_ID_POS, IDC_HDR_STUDENT_ID_FONT}},
                     {IDC_HDR_USE_IMAGE,
                      {IDC_HDR_IMAGE_FILE, IDC_HDR_IMAGE_POS, IDC_HDR_BROWSE, IDC_HDR_IMAGE_SIZE, IDC_HDR_IMAGE_SIZE_SPIN,
                       IDC_HDR_BRIGHTNESS, IDC_HDR_BRIGHTNESS_SPIN}}});
}

void CExamHeaderPage::OnBrowse()
{
    CFileChooserCall call;
    call.nType = DT_IMAGE;
    call.csTitle = "Select image";
    call.csRootDir = CFileTypes::GetPriDir(DT_IMAGE);
    CString current = GetDlgItemText(IDC_HDR_IMAGE_FILE);
    current.Trim();
    CString full = current.IsEmpty() ? CString() : fsys::Join(GetProgramHome(), current);
    if (!current.IsEmpty() && (current[0] == '/'))
        full = current;
    call.csStartDir = !full.IsEmpty() && fsys::IsFile(full) && CFileTypes::Ext2Type(full) == DT_IMAGE
                          ? fsys::Folder(full)
                          : CFileTypes::GetPriDir(DT_IMAGE);
    if (FileChooser().Run(call) != IDOK || call.paths.empty())
        return;
    CString relative;
    GetServerRelativePath(relative, call.paths.front());
    SetDlgItemText(IDC_HDR_IMAGE_FILE, relative.IsEmpty() ? call.paths.front() : relative);
}

void CExamHeaderPage::OnDefaults()
{
    if (AfxMessageBox(IDS_HTML_DEFAULTS_ASK, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    UpdateData(TRUE);
    m_csStudentNamePrompt = "Name_________________________________ ";
    m_csStudentIdPrompt = "ID# __ __ __ __";
    m_nCourseNamePos = 0;
    m_nExamTitlePos = 3;
    m_nStudentNamePos = 2;
    m_nStudentIdPos = 5;
    for (int slot : {FM_EXAMCOURSENAME, FM_EXAMTITLE, FM_STUDENTNAME, FM_STUDENTID})
        CFontMgr::ResetSlotToDefault(slot);
    m_bUseImage = FALSE;
    m_nBrightness = 0;
    m_nImageSize = 10;
    UpdateData(FALSE);
    UpdateControls();
}

void CExamHeaderPage::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nBrightness = std::clamp(m_nBrightness, -90, 90);
    m_nImageSize = std::clamp(m_nImageSize, 3, 30);
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt(kSection, "PrintHdr", m_bPrintHeader);
    app.WriteProfileInt(kSection, "EveryPage", m_nEveryPage == 0);
    app.WriteProfileInt(kSection, "FirstPageOnly", m_nEveryPage == 1);
    app.WriteProfileInt(kSection, "PrintUseCourseName", m_bUseCourseName);
    app.WriteProfileInt(kSection, "PrintUseExamTitle", m_bUseExamTitle);
    app.WriteProfileInt(kSection, "PrintUseStudentId", m_bUseStudentId);
    app.WriteProfileInt(kSection, "PrintUseStudentName", m_bUseStudentName);
    app.WriteProfileInt(kSection, "PrintUseImage", m_bUseImage);
    app.WriteProfileInt(kSection, "CourseNamePosIndex", m_nCourseNamePos);
    app.WriteProfileInt(kSection, "ExamTitlePosIndex", m_nExamTitlePos);
    app.WriteProfileInt(kSection, "StudentNamePosIndex", m_nStudentNamePos);
    app.WriteProfileInt(kSection, "StudentIdPosIndex", m_nStudentIdPos);
    app.WriteProfileInt(kSection, "ImagePosIndex", m_nImagePos);
    app.WriteProfileInt(kSection, "ImageSize", m_nImageSize);
    app.WriteProfileInt(kSection, "ImageBrightness", BrightnessStored(m_nBrightness));
    app.WriteProfileString(kSection, "StudentIdPrompt", m_csStudentIdPrompt);
    app.WriteProfileString(kSection, "StudentNamePrompt", m_csStudentNamePrompt);
    app.WriteProfileString(kSection, "ImageFile", m_csImageFile);
    EndDialog(IDOK);
}

// ---- the footer page

CExamFooterPage::CExamFooterPage(CWnd* pParent) : CFixedFontDialog(IDD_EXAM_FOOTER, pParent)
{
    m_nTemplateId = IDD_EXAM_FOOTER;
    setWindowTitle(QStringLiteral("Exam Print Footer"));
    CCorraAppBase& app = CorraApp();
    auto flag = [&](const char* key) { return app.GetProfileInt(kSection, key, 1) != 0 ? TRUE : FALSE; };
    m_bPrintFooter = flag("PrintFtr");
    m_bShowFileName = flag("FileName");
    m_bShowFormName = flag("FormName");
    m_bShowPageNum = flag("PageNum");
    auto position = [&](const char* key, int def) { return std::clamp(app.GetProfileInt(kSection, key, def), 0, 5); };
    m_nFileNamePos = position("FilenamePosIndex", 3);
    m_nPageNumPos = position("PageNumPosIndex", 1);
    m_nFormNamePos = position("FormNamePosIndex", 5);
    m_csFileNameFmt = app.GetProfileString(kSection, "FileLabelFmt", "File: %s");
    m_csPageNumFmt = app.GetProfileString(kSection, "PageNumFmt", "Page %d");
    m_csFormNameFmt = app.GetProfileString(kSection, "FormNameOutputFmt", "Form: %s");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCheckBox(IDC_FTR_PRINT, "&Print Footer"));
    layout->addWidget(BandItemsBox(
        *this, [this](UINT id, std::function<void()> f) { BindCommand(id, std::move(f)); }, IDC_FTR_PRINT, "Label",
        {{IDC_FTR_USE_FILE_NAME, IDC_FTR_FILE_NAME, IDC_FTR_FILE_NAME_POS, IDC_FTR_FILE_NAME_FONT, "File name",
          FM_EXAMFILENAME},
         {IDC_FTR_USE_PAGE_NUM, IDC_FTR_PAGE_NUM, IDC_FTR_PAGE_NUM_POS, IDC_FTR_PAGE_NUM_FONT, "Page number",
          FM_EXAMPAGENO},
         {IDC_FTR_USE_FORM_NAME, IDC_FTR_FORM_NAME, IDC_FTR_FORM_NAME_POS, IDC_FTR_FORM_NAME_FONT, "Form name",
          FM_EXAMFORMNAME}},
        [this] { UpdateControls(); }));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(CreateButton(IDC_FTR_DEFAULTS, "&Defaults"));
    layout->addLayout(bottom);
    BindCommand(IDC_FTR_DEFAULTS, [this] { OnDefaults(); });
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
}

BOOL CExamFooterPage::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CExamFooterPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_FTR_PRINT, m_bPrintFooter);
    DDX_Text(pDX, IDC_FTR_FORM_NAME, m_csFormNameFmt);
    DDX_Text(pDX, IDC_FTR_PAGE_NUM, m_csPageNumFmt);
    DDX_Text(pDX, IDC_FTR_FILE_NAME, m_csFileNameFmt);
    DDX_Check(pDX, IDC_FTR_USE_FILE_NAME, m_bShowFileName);
    DDX_Check(pDX, IDC_FTR_USE_FORM_NAME, m_bShowFormName);
    DDX_Check(pDX, IDC_FTR_USE_PAGE_NUM, m_bShowPageNum);
    DDX_CBIndex(pDX, IDC_FTR_FILE_NAME_POS, m_nFileNamePos);
    DDX_CBIndex(pDX, IDC_FTR_PAGE_NUM_POS, m_nPageNumPos);
    DDX_CBIndex(pDX, IDC_FTR_FORM_NAME_POS, m_nFormNamePos);
}

void CExamFooterPage::UpdateControls()
{
    EnableBandItems(*this, IDC_FTR_PRINT, {IDC_FTR_USE_FILE_NAME, IDC_FTR_USE_PAGE_NUM, IDC_FTR_USE_FORM_NAME, IDC_FTR_DEFAULTS},
                    {{IDC_FTR_USE_FILE_NAME, {IDC_FTR_FILE_NAME, IDC_FTR_FILE_NAME_POS, IDC_FTR_FILE_NAME_FONT}},
                     {IDC_FTR_USE_PAGE_NUM, {IDC_FTR_PAGE_NUM, IDC_FTR_PAGE_NUM_POS, IDC_FTR_PAGE_NUM_FONT}},
                     {IDC_FTR_USE_FORM_NAME, {IDC_FTR_FORM_NAME, IDC_FTR_FORM_NAME_POS, IDC_FTR_FORM_NAME_FONT}}});
}

void CExamFooterPage::OnDefaults()
{
    if (AfxMessageBox(IDS_HTML_DEFAULTS_ASK, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    UpdateData(TRUE);
    m_csFileNameFmt = "File: %s";
    m_csFormNameFmt = "Form: %s";
    m_csPageNumFmt = "Page %d";
    m_nFileNamePos = 3;
    m_nPageNumPos = 1;
    m_nFormNamePos = 5;
    for (int slot : {FM_EXAMFILENAME, FM_EXAMPAGENO, FM_EXAMFORMNAME})
        CFontMgr::ResetSlotToDefault(slot);
    UpdateData(FALSE);
    UpdateControls();
}

void CExamFooterPage::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The page number may be a number or a letter, as printing reads it.
    const BOOL bPageNumber =
        m_csPageNumFmt.Find("%d") >= 0 || m_csPageNumFmt.Find("%a") >= 0 || m_csPageNumFmt.Find("%A") >= 0;
    const struct {
        BOOL ok;
        UINT message;
        const char* title;
        UINT edit;
    } checks[] = {{m_csFileNameFmt.Find("%s") >= 0, IDS_FTR_NEEDS_FILENAME, "Filename label error", IDC_FTR_FILE_NAME},
                  {bPageNumber, IDS_FTR_NEEDS_PAGE_NUMBER, "Page number label error", IDC_FTR_PAGE_NUM},
                  {m_csFormNameFmt.Find("%s") >= 0, IDS_FTR_NEEDS_FORM_NAME, "Formname label error", IDC_FTR_FORM_NAME}};
    for (const auto& c : checks) {
        if (c.ok)
            continue;
        MessageBoxService().Show(LoadStringId(c.message), c.title, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(c.edit));
        return;
    }
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt(kSection, "PrintFtr", m_bPrintFooter);
    app.WriteProfileInt(kSection, "FileName", m_bShowFileName);
    app.WriteProfileInt(kSection, "FormName", m_bShowFormName);
    app.WriteProfileInt(kSection, "PageNum", m_bShowPageNum);
    app.WriteProfileInt(kSection, "FilenamePosIndex", m_nFileNamePos);
    app.WriteProfileInt(kSection, "PageNumPosIndex", m_nPageNumPos);
    app.WriteProfileInt(kSection, "FormNamePosIndex", m_nFormNamePos);
    app.WriteProfileString(kSection, "FormNameOutputFmt", m_csFormNameFmt);
    app.WriteProfileString(kSection, "PageNumFmt", m_csPageNumFmt);
    app.WriteProfileString(kSection, "FileLabelFmt", m_csFileNameFmt);
    EndDialog(IDOK);
}

// ---- callers

BOOL RunPrintingPropertiesPage(CWnd* pParent, CPrintingValues& values, BOOL bExam)
{
    CExamPrintPropPage page(pParent, bExam ? 1 : 0);
    if (!bExam) {
        page.m_csCaption = "Question Corra Printing Properties";
        page.m_csCourseLabel = "Title";
        page.m_csTitleLabel = "Description";
    }
    page.m_csCourseName = values.title1;
    page.m_csExamTitle = values.title2;
    page.m_nBlankLines = values.numQuestSepLines;
    page.m_nChoiceLines = values.numQuestChoiceSepLines;
    page.m_nPrintMode = values.printMode;
    page.m_bTabbedChoices = values.tabbedChoices;
    page.m_nIndent = values.choicesIndentLevel;
    page.m_nSepSpaces = values.numChoiceSepSpaces;
    page.m_dLeft = values.leftMargin;
    page.m_dRight = values.rightMargin;
    page.m_dTop = values.topMargin;
    page.m_dBottom = values.bottomMargin;
    page.m_nStartNumber = values.startNumber;
    page.m_bShowAnswers = values.showAnswers;
    if (page.DoModal() != IDOK)
        return FALSE;
    values.startNumber = page.m_nStartNumber;
    values.showAnswers = page.m_bShowAnswers;
    values.title1 = page.m_csCourseName;
    values.title2 = page.m_csExamTitle;
    values.numQuestSepLines = page.m_nBlankLines;
    values.numQuestChoiceSepLines = page.m_nChoiceLines;
    values.printMode = page.m_nPrintMode;
    values.tabbedChoices = page.m_bTabbedChoices;
    values.choicesIndentLevel = page.m_nIndent;
    values.numChoiceSepSpaces = page.m_nSepSpaces;
    values.leftMargin = page.m_dLeft;
    values.rightMargin = page.m_dRight;
    values.topMargin = page.m_dTop;
    values.bottomMargin = page.m_dBottom;
    return TRUE;
}

BOOL ShowDocumentPrintingProperties(CCorraDoc& doc)
{
    if (auto* exam = dynamic_cast<CExamDoc*>(&doc))
        return exam->ShowPrintingProperties(-1);
    return doc.ShowPrintingProperties(-1);
}

BOOL RunExamHeaderPage(CWnd* pParent, CString& title1, CString& title2, CExamPrintSettings& s)
{
    CExamHeaderPage page(pParent);
    page.m_csCourseName = title1;
    page.m_csExamTitle = title2;
    if (page.DoModal() != IDOK)
        return FALSE;
    title1 = page.m_csCourseName;
    title2 = page.m_csExamTitle;
    s.printHdr = page.m_bPrintHeader;
    s.everyPage = page.m_nEveryPage == 0;
    s.firstPageOnly = page.m_nEveryPage == 1;
    s.useCourseName = page.m_bUseCourseName;
    s.useExamTitle = page.m_bUseExamTitle;
    s.useStudentName = page.m_bUseStudentName;
    s.useStudentId = page.m_bUseStudentId;
    s.studentNamePrompt = page.m_csStudentNamePrompt;
    s.studentIdPrompt = page.m_csStudentIdPrompt;
    s.courseNamePosIndex = page.m_nCourseNamePos;
    s.examTitlePosIndex = page.m_nExamTitlePos;
    s.studentNamePosIndex = page.m_nStudentNamePos;
    s.studentIdPosIndex = page.m_nStudentIdPos;
    s.useImage = page.m_bUseImage;
    s.imagePosIndex = page.m_nImagePos;
    CorraApp().GetProfilePath(s.imageFile, CExamHeaderPage::kSection, "ImageFile", "");
    s.imageSize = page.m_nImageSize;
    s.imageBrightness = CExamHeaderPage::BrightnessStored(page.m_nBrightness);
    return TRUE;
}

BOOL RunExamFooterPage(CWnd* pParent, CExamPrintSettings& s)
{
    CExamFooterPage page(pParent);
    if (page.DoModal() != IDOK)
        return FALSE;
    s.printFtr = page.m_bPrintFooter;
    s.fileName = page.m_bShowFileName;
    s.formName = page.m_bShowFormName;
    s.pageNum = page.m_bShowPageNum;
    s.filenamePosIndex = page.m_nFileNamePos;
    s.pageNumPosIndex = page.m_nPageNumPos;
    s.formNamePosIndex = page.m_nFormNamePos;
    s.formNameOutputFmt = page.m_csFormNameFmt;
    s.pageNumFmt = page.m_csPageNumFmt;
    s.fileLabelFmt = page.m_csFileNameFmt;
    return TRUE;
}
