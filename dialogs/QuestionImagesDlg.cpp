#include "dialogs/QuestionImagesDlg.h"

#include "controls/BitmapWnd.h"
#include "controls/MRUPathComboBox.h"
#include "dialogs/ImageEditor.h"
#include "dialogs/QuestionDlg.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/ImportFile.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/QuestionImages.h"
#include "platform/core/FileSys.h"
#include "platform/core/ScreenInfo.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Process.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/SysColor.h"
#include "render/RtfText.h"
#include "res/ids/App.h"
#include "res/ids/QuestionTypes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

constexpr UINT_PTR kDisplayCheckTimer = 1;
constexpr int LOG_DETAIL = 3;
constexpr int kRecentFiles = 10;
constexpr int kMinSize = 1, kMaxSize = 80;
constexpr int kMaxBrightness = 255;
constexpr int kMaxSpinMargin = 5, kMaxTypedMargin = 50;
constexpr COLORREF kCaptionColor = 0x742A1C;
constexpr COLORREF kSelectedColor = 0x0000FF;
constexpr COLORREF kAreaColor = 0x808080;
// The least the text areas of the miniature take, in its pixels.
constexpr int kMinTextHeight = 15;
constexpr int kMinChoicesHeight = 25;

const int kPositionRadios[] = {IDC_QI_LEFT, IDC_QI_RIGHT, IDC_QI_TOP, IDC_QI_BELOW_QUESTION, IDC_QI_BELOW_CHOICES};

int Say(const CString& text, UINT style = MB_OK | MB_ICONEXCLAMATION)
{
    return MessageBoxService().Show(text, CORRA_PRODUCT_NAME, style);
}

void LogHere(const CString& text, int level = LOG_ERROR)
{
    LogOutput(text, level, LOG_HERE);
}

// A file the dialog can take: a regular file that opens for reading (never a folder, nor a pipe
// whose reading would wait for a writer).
BOOL IsReadableFile(const CString& path)
{
    if (!fsys::IsFile(path))
        return FALSE;
    std::ifstream in(fsys::Native(path), std::ios::binary);
    return in.good();
}

} // namespace

// The page-layout miniature: the dialog paints it and takes its presses.
class CQuestionImagesFrame : public QWidget, public CWnd {
public:
    explicit CQuestionImagesFrame(CQuestionImagesDlg* pDlg) : QWidget(pDlg), CWnd(this), m_pDlg(pDlg)
    {
        setFixedSize(230, 298);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        CPaintDC dc(this);
        m_pDlg->DrawLayout(&dc);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            m_pDlg->OnLayoutClick(CPoint(static_cast<int>(e->position().x()), static_cast<int>(e->position().y())));
    }

private:
    CQuestionImagesDlg* m_pDlg;
};

CQuestionImagesDlg::CQuestionImagesDlg(CQuestion* pQuestion, CCorraDoc* pDoc, CWnd* pParent)
    : CFixedFontDialog(IDD_QUESTION_IMAGES, pParent), m_pQuestion(pQuestion), m_pDoc(pDoc)
{
    m_nTemplateId = IDD_QUESTION_IMAGES;
    setWindowTitle("Question Images");
    auto* left = new QVBoxLayout;

    // The file to add, its preview, where it goes.
    auto* fileGroup = new QGroupBox("Add Image", this);
    auto* fileGrid = new QGridLayout(fileGroup);
    m_pFiles = AddControl(IDC_QI_FILE, new CMRUPathComboBox(this));
    m_pFiles->setMinimumWidth(260);
    fileGrid->addWidget(CreateStatic("Select image &file:", 0, m_pFiles), 0, 0, 1, 2);
    fileGrid->addWidget(m_pFiles, 1, 0, 1, 2);
    fileGrid->addWidget(CreateButton(IDC_QI_BROWSE, "&Browse..."), 1, 2);
    m_pPreview = AddControl(IDC_QI_PREVIEW, new CBitmapWnd(this));
    m_pPreview->setFixedSize(120, 96);
    fileGrid->addWidget(m_pPreview, 2, 0, 2, 1);
    auto* positions = new QGroupBox("Position", this);
    auto* positionBox = new QVBoxLayout(positions);
    const char* const positionNames[] = {"&Left", "&Right", "&Top", "Below &Question", "Below &Choices"};
    for (int i = 0; i < CImageViewList::kPositions; ++i)
        positionBox->addWidget(CreateRadioButton(kPositionRadios[i], positionNames[i], i == 0));
    fileGrid->addWidget(positions, 2, 1, 2, 1);
    fileGrid->addWidget(CreateButton(IDC_QI_ADD, "&Add"), 2, 2, Qt::AlignTop);
    left->addWidget(fileGroup);

    // The selected image: its values and its place among its neighbours.
    auto* imageGroup = new QGroupBox("Selected Image", this);
    auto* imageGrid = new QGridLayout(imageGroup);
    struct Value {
        int edit, spin;
        const char* label;
        CSpinButtonCtrl** spin_;
    };
    const Value values[] = {
        {IDC_QI_BRIGHTNESS, IDC_QI_BRIGHTNESS_SPIN, "Print\nBrightness", &m_pBrightnessSpin},
        {IDC_QI_SIZE, IDC_QI_SIZE_SPIN, "Size", &m_pSizeSpin},
        {IDC_QI_MARGIN, IDC_QI_MARGIN_SPIN, "Margin", &m_pMarginSpin},
    };
    int column = 0;
    for (const Value& v : values) {
        QLineEdit* edit = CreateEdit(v.edit);
        edit->setFixedWidth(44);
        auto* spin = AddControl(v.spin, new CSpinButtonCtrl(this));
        spin->SetBuddy(edit);
        *v.spin_ = spin;
        imageGrid->addWidget(CreateStatic(v.label, 0, edit), 0, column, 1, 2, Qt::AlignBottom);
        imageGrid->addWidget(edit, 1, column);
        imageGrid->addWidget(spin, 1, column + 1);
        column += 2;
    }
    auto* shift = new QGroupBox("Shift", this);
    RegisterControl(IDC_QI_SHIFT, shift);
    auto* shiftRow = new QHBoxLayout(shift);
    auto* across = AddControl(IDC_QI_SHIFT_ACROSS, new CSpinButtonCtrl(this));
    auto* along = AddControl(IDC_QI_SHIFT_ALONG, new CSpinButtonCtrl(this));
    along->SetRange(0, 100);
    shiftRow->addWidget(across);
    shiftRow->addWidget(along);
    imageGrid->addWidget(shift, 0, column, 2, 1);
    auto* imageButtons = new QHBoxLayout;
    imageButtons->addWidget(CreateButton(IDC_QI_DELETE, "&Delete"));
    imageButtons->addWidget(CreateButton(IDC_QI_EDIT, "&Edit..."));
    imageButtons->addWidget(CreateButton(IDC_QI_TEST_PRINT, "Test &Print..."));
    imageButtons->addStretch();
    imageGrid->addLayout(imageButtons, 2, 0, 1, column + 1);
    left->addWidget(imageGroup);

    // Where the selected image's file is.
    auto* location = new QGroupBox("Image Location", this);
    RegisterControl(IDC_QI_LOCATION_GROUP, location);
    auto* info = new QGroupBox("Image Info", location);
    RegisterControl(IDC_QI_INFO_GROUP, info);
    auto* infoGrid = new QGridLayout(info);
    const struct {
        int caption, edit;
    } panes[] = {{IDC_QI_FILENAME_CAPTION, IDC_QI_FILENAME}, {IDC_QI_FOLDER_CAPTION, IDC_QI_FOLDER},
                 {IDC_QI_BYTES_CAPTION, IDC_QI_BYTES}};
    int row = 0;
    for (const auto& pane : panes) {
        QLabel* caption = CreateStatic("", pane.caption);
        QLineEdit* edit = CreateEdit(pane.edit);
        edit->setReadOnly(true);
        infoGrid->addWidget(caption, row, 0);
        infoGrid->addWidget(edit, row, 1);
        ++row;
    }
    auto* locationBox = new QVBoxLayout(location);
    locationBox->addWidget(info);
    auto* lost = new QHBoxLayout;
    lost->addWidget(CreateButton(IDC_QI_SEARCH, "&Search..."));
    lost->addWidget(CreateStatic("Find Lost Images", IDC_QI_FIND_LOST));
    lost->addStretch();
    lost->addWidget(CreateButton(IDC_QI_IMPORT, "&Import Files..."));
    locationBox->addLayout(lost);
    left->addWidget(location);
    left->addStretch();

    // The page: the question's text areas with the images around them.
    auto* right = new QVBoxLayout;
    m_pFrame = AddControl(IDC_QI_LAYOUT, new CQuestionImagesFrame(this));
    right->addWidget(CreateStatic("Page layout (click an image to select it):"));
    right->addWidget(m_pFrame);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));

    BindNotify(IDC_QI_BROWSE, BN_CLICKED, [this] { OnBrowse(); });
    BindNotify(IDC_QI_FILE, CBN_SELCHANGE, [this] { OnFileChosen(); });
    BindNotify(IDC_QI_ADD, BN_CLICKED, [this] { OnAdd(); });
    BindNotify(IDC_QI_DELETE, BN_CLICKED, [this] { OnDelete(); });
    BindNotify(IDC_QI_EDIT, BN_CLICKED, [this] { OnEdit(); });
    BindNotify(IDC_QI_SEARCH, BN_CLICKED, [this] { OnSearch(); });
    BindNotify(IDC_QI_IMPORT, BN_CLICKED, [this] { OnImportFiles(); });
    BindNotify(IDC_QI_TEST_PRINT, BN_CLICKED, [this] { OnTestPrint(); });
    for (int id : {IDC_QI_BRIGHTNESS_SPIN, IDC_QI_SIZE_SPIN, IDC_QI_MARGIN_SPIN, IDC_QI_SHIFT_ACROSS,
                   IDC_QI_SHIFT_ALONG}) {
        BindNotify<NMUPDOWN>(id, UDN_DELTAPOS, [this, id](NMUPDOWN* nm) {
            OnSpin(id, nm->iDelta);
            // The dialog shows the value itself.
            nm->iDelta = 0;
        });
    }
    for (int id : {IDC_QI_BRIGHTNESS, IDC_QI_SIZE, IDC_QI_MARGIN})
        BindNotify(id, EN_CHANGE, [this, id] { OnValueTyped(id); });
    for (int i = 0; i < CImageViewList::kPositions; ++i)
        BindNotify(kPositionRadios[i], BN_CLICKED, [this, i] { m_nPosition = i; });
    SetImages();
}

CQuestionImagesDlg::~CQuestionImagesDlg()
{
    CleanUpThreadData();
}

void CQuestionImagesDlg::SetImages()
{
    m_pSelected = nullptr;
    CPtrList records;
    if (m_pQuestion)
        m_pQuestion->GetImages(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const auto* data = static_cast<const CImageData*>(records.GetNext(pos));
        if (data && !fsys::Exists(data->m_csFile)) {
            LogHere("CQuestionImagesDlg::SetImages() - incomming file does not exist...");
            LogHere(data->m_csFile);
        }
    }
    m_plImageViews.SetImages(records);
}

BOOL CQuestionImagesDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    for (int id : {IDC_QI_FILENAME_CAPTION, IDC_QI_FOLDER_CAPTION, IDC_QI_BYTES_CAPTION}) {
        QWidget* caption = GetDlgItem(id);
        caption->setStyleSheet(QString("color: #%1%2%3;")
                                   .arg(GetRValue(kCaptionColor), 2, 16, QChar('0'))
                                   .arg(GetGValue(kCaptionColor), 2, 16, QChar('0'))
                                   .arg(GetBValue(kCaptionColor), 2, 16, QChar('0')));
    }
    SetDlgItemText(IDC_QI_FILENAME_CAPTION, "Filename");
    SetDlgItemText(IDC_QI_FOLDER_CAPTION, "Location");
    SetDlgItemText(IDC_QI_BYTES_CAPTION, "Size (bytes)");
    m_pBrightnessSpin->SetRange(-kMaxBrightness, kMaxBrightness);
    m_pSizeSpin->SetRange(kMinSize, kMaxSize);
    m_pMarginSpin->SetRange(0, kMaxSpinMargin);

    m_pFiles->SetSection("QuestImgsDlg MRU");
    m_pFiles->SetEntryFormat("File%d");
    m_pFiles->SetMaxEntries(kRecentFiles);
    m_pFiles->SetMatchCase(TRUE);
    m_pFiles->SetAutoRefresh(TRUE);
    m_pFiles->Load();
    m_pFiles->Refill();

    m_rcFrame = CRect(0, 0, m_pFrame->width(), m_pFrame->height());
    m_rcFrame.DeflateRect(1, 1);
    if (m_pQuestion && IsWrittenAnswerType(m_pQuestion->m_nType))
        SetDlgItemText(IDC_QI_BELOW_CHOICES, "Below &Answer");
    EnableDlgItem(IDC_QI_TEST_PRINT, QuestionTestPrintSlot().Installed() != nullptr);
    m_bShowingValues = TRUE;
    UpdateData(FALSE);
    m_bShowingValues = FALSE;
    UpdateImageViews();
    UpdateControls();
    SetTimer(kDisplayCheckTimer, 100);
    return TRUE;
}

void CQuestionImagesDlg::DoDataExchange(CDataExchange* pDX)
{
    CFixedFontDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_QI_LEFT, m_nPosition);
    DDX_Text(pDX, IDC_QI_BRIGHTNESS, m_nBrightness);
    DDV_MinMaxInt(pDX, m_nBrightness, -kMaxBrightness, kMaxBrightness);
    DDX_Text(pDX, IDC_QI_MARGIN, m_nMargin);
    DDV_MinMaxInt(pDX, m_nMargin, 0, kMaxTypedMargin);
    // A size of 0 would hide the image: typed sizes keep to the spin's range.
    DDX_Text(pDX, IDC_QI_SIZE, m_nSize);
    DDV_MinMaxInt(pDX, m_nSize, kMinSize, kMaxSize);
}

// ---- the display check

void CQuestionImagesDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDisplayCheckTimer) {
        CFixedFontDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kDisplayCheckTimer);
    CheckDisplay();
}

void CQuestionImagesDlg::CheckDisplay()
{
    const int bits = GetScreenInfo().nBitsPerPixel;
    if (bits >= 9)
        return;
    CRichMessage msg;
    msg.title = "Color warning...";
    msg.style = RMB_OK;
    msg.dontShowKey = "QIDDontShowColorWarn";
    msg.warning = TRUE;
    msg.pane[0].Format(LoadStringId(IDS_COLOR_WARNING), bits);
    msg.paneId[1] = IDS_COLOR_NOTE;
    RichMessageBox(msg);
}

// ---- the miniature

CString CQuestionImagesDlg::QuestionText() const
{
    return m_pQuestion ? RtfToPlainText(m_pQuestion->m_cszQuestionText) : CString();
}

CString CQuestionImagesDlg::ChoicesText() const
{
    CString text;
    if (m_pQuestion && HasChoicesArea())
        m_pQuestion->GetChoicesText(text, 50, 0);
    return text;
}

BOOL CQuestionImagesDlg::HasChoicesArea() const
{
    return m_pQuestion && m_pQuestion->IsChoiceType();
}

int CQuestionImagesDlg::UpdateImageViews(CImageView* pChanged)
{
    CClientDC dc(m_pFrame);
    CFont font;
    font.CreatePointFont(60, "Arial", &dc);
    CFont* oldFont = dc.SelectObject(&font);
    CImageViewList& list = m_plImageViews;
    list.m_rcLayout = m_rcFrame;
    list.m_rcQuestion.SetRectEmpty();
    list.m_rcChoices.SetRectEmpty();
    list.Layout(&dc);
    // The text takes what the columns leave, never less than 60 % of the page.
    const double columns = 2 * list.GetGapExtent(IP_LEFT) + list.GetExtent(IP_LEFT) + list.GetGapExtent(IP_RIGHT) +
                           list.GetExtent(IP_RIGHT);
    const int width = std::max(m_rcFrame.Width() - static_cast<int>(columns), static_cast<int>(m_rcFrame.Width() * 0.6));
    const auto measure = [&](const CString& text) {
        CRect rc(0, 0, width, 0);
        if (!text.IsEmpty())
            dc.DrawText(text, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return rc.Height();
    };
    const int textHeight = std::max(measure(QuestionText()), kMinTextHeight);
    int choicesHeight = 0;
    if (HasChoicesArea())
        choicesHeight = std::max(measure(ChoicesText()), kMinChoicesHeight);
    dc.SelectObject(oldFont);

    const auto layOut = [&](CImageFitTest* fit, CString* error) {
        list.m_rcQuestion = CRect(0, 0, width, textHeight);
        list.m_rcChoices = CRect(0, 0, width, choicesHeight);
        return list.Layout(&dc, fit, error);
    };
    int result = 0;
    if (pChanged) {
        CImageFitTest fit;
        fit.pImage = pChanged;
        CString error;
        result = layOut(&fit, &error);
        if (result == IMAGE_CANNOT_FIT) {
            if (!error.IsEmpty())
                Say(error);
        } else if (result == IMAGE_FITS_SMALLER) {
            pChanged->m_dSize = std::clamp(fit.dPercent, static_cast<double>(kMinSize), static_cast<double>(kMaxSize));
            layOut(nullptr, nullptr);
        }
    } else {
        layOut(nullptr, nullptr);
    }
    m_pFrame->update();
    return result;
}

void CQuestionImagesDlg::DrawLayout(CDC* pDC)
{
    const CRect whole(0, 0, m_pFrame->width(), m_pFrame->height());
    pDC->FillSolidRect(&whole, RGB(255, 255, 255));
    CPen border(PS_SOLID, 1, RGB(0, 0, 0));
    CPen area(PS_SOLID, 1, kAreaColor);
    CPen selected(PS_SOLID, 1, kSelectedColor);
    CPen* oldPen = pDC->SelectObject(&border);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(&whole);
    pDC->IntersectClipRect(&m_rcFrame);

    CFont font;
    font.CreatePointFont(60, "Arial", pDC);
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kAreaColor);
    pDC->SelectObject(&area);
    CRect text = m_plImageViews.m_rcQuestion;
    pDC->Rectangle(&text);
    pDC->DrawText(QuestionText(), &text, DT_WORDBREAK | DT_NOPREFIX);
    if (HasChoicesArea()) {
        CRect choices = m_plImageViews.m_rcChoices;
        pDC->Rectangle(&choices);
        pDC->DrawText(ChoicesText(), &choices, DT_WORDBREAK | DT_NOPREFIX);
    }
    pDC->SelectObject(oldFont);

    m_plImageViews.Draw(pDC);
    m_plImageViews.DrawMissing(pDC);
    if (m_pSelected) {
        CRect rc = m_pSelected->m_rcPlace;
        rc.InflateRect(2, 2);
        // An image against the page's edge keeps its frame whole.
        rc.IntersectRect(rc, m_rcFrame);
        pDC->SelectObject(&selected);
        pDC->Rectangle(&rc);
    }
    pDC->SelectObject(oldPen);
}

void CQuestionImagesDlg::Select(CImageView* image)
{
    m_pSelected = image;
    if (image) {
        m_nBrightness = image->m_nBrightness;
        m_nSize = std::clamp(static_cast<int>(image->m_dSize + 0.5), kMinSize, kMaxSize);
        m_nMargin = static_cast<int>(image->m_dMargin + 0.5);
        ShowItemValues();
    }
    m_pFrame->update();
    UpdateControls();
}

void CQuestionImagesDlg::OnLayoutClick(CPoint pt)
{
    if (!m_rcFrame.PtInRect(pt))
        return;
    Select(m_plImageViews.HitTest(pt));
}

void CQuestionImagesDlg::ShowItemValues()
{
    m_bShowingValues = TRUE;
    SetDlgItemInt(IDC_QI_BRIGHTNESS, m_nBrightness);
    SetDlgItemInt(IDC_QI_SIZE, m_nSize);
    SetDlgItemInt(IDC_QI_MARGIN, m_nMargin);
    m_bShowingValues = FALSE;
}

void CQuestionImagesDlg::UpdateControls()
{
    CImageView* sel = m_pSelected;
    EnableDlgItem(IDC_QI_DELETE, sel != nullptr);
    EnableDlgItem(IDC_QI_EDIT, sel != nullptr);
    EnableDlgItem(IDC_QI_INFO_GROUP, sel != nullptr);
    for (int id : {IDC_QI_FILENAME_CAPTION, IDC_QI_FILENAME, IDC_QI_FOLDER_CAPTION, IDC_QI_FOLDER})
        ShowDlgItem(id, sel ? SW_SHOW : SW_HIDE);
    long long bytes = -1;
    if (sel) {
        SetDlgItemText(IDC_QI_FILENAME, fsys::FileName(sel->m_csFile));
        CString folder = fsys::Folder(sel->m_csFile);
        while (folder.GetLength() > 1 && (folder.Right(1) == "/" || folder.Right(1) == "\\"))
            folder = folder.Left(folder.GetLength() - 1);
        SetDlgItemText(IDC_QI_FOLDER, folder);
        bytes = fsys::IsFile(sel->m_csFile) ? fsys::GetSize(sel->m_csFile) : -1;
        SetDlgItemText(IDC_QI_BYTES, CString::Formatted("%lld", bytes));
    }
    for (int id : {IDC_QI_BYTES_CAPTION, IDC_QI_BYTES})
        ShowDlgItem(id, sel && bytes >= 1 ? SW_SHOW : SW_HIDE);
    const BOOL bShift = sel && m_plImageViews.GetCountAt(sel->m_nPos) > 1;
    EnableDlgItem(IDC_QI_SHIFT, bShift);
    EnableDlgItem(IDC_QI_SHIFT_ALONG, bShift && sel->m_nPos >= IP_TOP);
    EnableDlgItem(IDC_QI_SHIFT_ACROSS, bShift && sel->m_nPos <= IP_RIGHT);
    for (int id : {IDC_QI_BRIGHTNESS, IDC_QI_BRIGHTNESS_SPIN, IDC_QI_SIZE, IDC_QI_SIZE_SPIN, IDC_QI_MARGIN,
                   IDC_QI_MARGIN_SPIN})
        EnableDlgItem(id, sel != nullptr);
    const int nMissing = m_plImageViews.CountMissingFiles();
    ShowDlgItem(IDC_QI_SEARCH, nMissing > 0 ? SW_SHOW : SW_HIDE);
    ShowDlgItem(IDC_QI_FIND_LOST, nMissing > 0 ? SW_SHOW : SW_HIDE);
    EnableDlgItem(IDOK, m_bModified);
}

// ---- choosing and adding a file

void CQuestionImagesDlg::Preview(const CString& path)
{
    if (!m_pPreview->Load(path))
        Say("Failed to load image:\n\n" + path);
}

void CQuestionImagesDlg::OnBrowse()
{
    CFileChooserCall call;
    call.nType = DT_IMAGE;
    call.csTitle = "Select image";
    if (FileChooser().Run(call) != IDOK || call.paths.empty())
        return;
    m_pFiles->SetWindowText(call.paths.front());
    Preview(call.paths.front());
}

void CQuestionImagesDlg::OnFileChosen()
{
    const int sel = m_pFiles->GetCurSel();
    if (sel < 0) {
        Say("No current selection.");
        return;
    }
    const CString path = m_pFiles->GetLBText(sel).Trim();
    if (!fsys::Exists(path)) {
        LogHere("CQuestionImagesDlg::OnBtnAdd() - file does not exist..." + path);
        Say("CQuestionImagesDlg::OnBtnAdd() - file does not exist:\n\n" + path);
        return;
    }
    Preview(path);
}

void CQuestionImagesDlg::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    CString path = m_pFiles->GetWindowText().Trim();
    if (path.IsEmpty()) {
        Say("Nothing to add.");
        return;
    }
    if (!fsys::Exists(path)) {
        LogHere("CQuestionImagesDlg::OnBtnAdd() - file does not exist..." + path);
        Say("CQuestionImagesDlg::OnBtnAdd() - file does not exist:\n\n" + path);
        return;
    }
    // A folder, a pipe or a file that cannot be read is no image.
    if (!IsReadableFile(path)) {
        LogHere("CQuestionImagesDlg::OnBtnAdd() - not a readable file..." + path);
        Say("Not a readable image file:\n\n" + path);
        return;
    }
    if (!CFileTypes::IsInPriDir(path)) {
        LogHere("CQuestionImagesDlg::OnBtnAdd() -  failed to CheckDefDocDir()..." + path);
        CString ask;
        ask.Format(LoadStringId(IDS_IMPORT_IMAGE_ASK), path.GetString());
        if (Say(ask, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        CString imported;
        if (!CFileTypes::ImportFile(DT_IMAGE, path, &imported)) {
            LogHere("CQuestionImagesDlg::OnBtnAdd() -  failed to CFileTypes::ImportFile()..." + path);
            Say("Failed to import file\n\n" + path);
            return;
        }
        path = imported;
    }
    const int nPos = m_nPosition >= 0 && m_nPosition < CImageViewList::kPositions ? m_nPosition : IP_TOP;
    if (!m_plImageViews.CanAddNew(nPos)) {
        Say("Not enough room to add image to this section:  " + CImageData::GetPosInt2StrEng(nPos));
        return;
    }
    auto image = std::make_unique<CImageView>();
    if (!image->Load(path, nPos, 0, 20.0, 0.0)) {
        LogHere("CQuestionImagesDlg::OnBtnAdd() - failed to load image..." + path);
        Say("Failed to load image: " + path);
        return;
    }
    CImageView* added = image.get();
    m_plImageViews.Add(std::move(image));
    SetModified();
    if (UpdateImageViews(added) == IMAGE_CANNOT_FIT) {
        Say("Failed to add image.");
        if (m_pSelected == added)
            m_pSelected = nullptr;
        m_plImageViews.Remove(added);
        UpdateImageViews();
    } else {
        m_pFiles->Add(path);
    }
    UpdateControls();
}

// ---- changing the images

void CQuestionImagesDlg::OnDelete()
{
    if (!m_pSelected)
        return;
    m_plImageViews.Remove(m_pSelected);
    m_pSelected = nullptr;
    SetModified();
    UpdateImageViews();
    UpdateControls();
}

void CQuestionImagesDlg::OnSpin(int nID, int nDelta)
{
    CImageView* sel = m_pSelected;
    if (!sel)
        return;
    switch (nID) {
    case IDC_QI_BRIGHTNESS_SPIN:
        m_nBrightness = std::clamp(sel->m_nBrightness + nDelta, -kMaxBrightness, kMaxBrightness);
        sel->m_nBrightness = m_nBrightness;
        break;
    case IDC_QI_SIZE_SPIN: {
        const double old = sel->m_dSize;
        sel->m_dSize = std::clamp(static_cast<int>(old + 0.5) + nDelta, kMinSize, kMaxSize);
        if (UpdateImageViews(sel) == IMAGE_CANNOT_FIT) {
            sel->m_dSize = old;
            UpdateImageViews();
        }
        m_nSize = static_cast<int>(sel->m_dSize + 0.5);
        break;
    }
    case IDC_QI_MARGIN_SPIN: {
        const double oldMargin = sel->m_dMargin, oldSize = sel->m_dSize;
        sel->m_dMargin = std::clamp(static_cast<int>(oldMargin + 0.5) + nDelta, 0, kMaxSpinMargin);
        const int result = UpdateImageViews(sel);
        if (result != IMAGE_FITS) {
            // A margin that does not fit is not taken; the size the fit asked for stays.
            sel->m_dMargin = oldMargin;
            if (result == IMAGE_CANNOT_FIT)
                sel->m_dSize = oldSize;
            UpdateImageViews();
        }
        m_nMargin = static_cast<int>(sel->m_dMargin + 0.5);
        m_nSize = static_cast<int>(sel->m_dSize + 0.5);
        break;
    }
    case IDC_QI_SHIFT_ALONG:
    case IDC_QI_SHIFT_ACROSS: {
        const BOOL bPrev = nID == IDC_QI_SHIFT_ALONG ? nDelta == 1 : nDelta == -1;
        CImageView* other = bPrev ? m_plImageViews.GetPrevAt(sel) : m_plImageViews.GetNextAt(sel);
        if (!other || !m_plImageViews.Swap(sel, other))
            return;
        UpdateImageViews();
        break;
    }
    default: return;
    }
    ShowItemValues();
    SetModified();
    m_pFrame->update();
    UpdateControls();
}

void CQuestionImagesDlg::OnValueTyped(int nID)
{
    CImageView* sel = m_pSelected;
    if (m_bShowingValues || !sel)
        return;
    BOOL bNumber = FALSE;
    const int value = GetDlgItemInt(nID, &bNumber);
    // Out-of-range values wait for the exchange, which names the range.
    switch (nID) {
    case IDC_QI_BRIGHTNESS:
        if (!bNumber || value < -kMaxBrightness || value > kMaxBrightness || value == sel->m_nBrightness)
            return;
        sel->m_nBrightness = m_nBrightness = value;
        break;
    case IDC_QI_SIZE: {
        if (!bNumber || value < kMinSize || value > kMaxSize || value == static_cast<int>(sel->m_dSize + 0.5))
            return;
        const double old = sel->m_dSize;
        sel->m_dSize = value;
        if (UpdateImageViews(sel) == IMAGE_CANNOT_FIT) {
            sel->m_dSize = old;
            UpdateImageViews();
        }
        m_nSize = value;
        break;
    }
    case IDC_QI_MARGIN: {
        if (!bNumber || value < 0 || value > kMaxTypedMargin || value == static_cast<int>(sel->m_dMargin + 0.5))
            return;
        sel->m_dMargin = m_nMargin = value;
        UpdateImageViews();
        break;
    }
    default: return;
    }
    SetModified();
    UpdateControls();
}

// ---- the image editor

void CQuestionImagesDlg::OnEdit()
{
    CImageView* sel = m_pSelected;
    if (!sel)
        return;
    CString file = sel->m_csFile;
    file.TrimRight();
    if (!fsys::Exists(file)) {
        Say("CQuestionImagesDlg::OnBtnImagesEdit() - image file does not exist:\n\n" + file);
        return;
    }
    const CString command = GetImageEditorSetting();
    auto eps = std::make_unique<EditPaintStruct>();
    if (!ParseImageEditorCommand(command, file, eps->szApp, eps->arguments)) {
        LogHere("CQuestionImagesDlg::OnBtnImagesEdit() - no image editor command..." + command);
        Say(kNoImageEditorMessage);
        return;
    }
    IProcessRunner& runner = ProcessRunnerSlot().Get();
    if (eps->szApp.Find('/') >= 0 ? !fsys::IsFile(eps->szApp) : runner.FindProgram(eps->szApp).IsEmpty()) {
        LogHere("CQuestionImagesDlg::OnBtnImagesEdit() - image editor not found..." + eps->szApp);
        Say(kNoImageEditorMessage);
        return;
    }
    eps->hWnd = this;
    eps->szFile = file;
    eps->nImageSerial = sel->GetSerial();
    EditPaintStruct* block = eps.get();
    block->thread = std::thread([block] { EditPaintFunc(block); });
    LogHere(CString::Formatted("CQuestionImagesDlg::OnBtnImagesEdit() - created thread %lx",
                               static_cast<unsigned long>(std::hash<std::thread::id>()(block->thread.get_id()))),
            LOG_DETAIL);
    m_editors.push_back(std::move(eps));
}

LRESULT CQuestionImagesDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QI_END_EDIT) {
        OnEndEdit(wParam, lParam);
        return 0;
    }
    return CFixedFontDialog::WindowProc(message, wParam, lParam);
}

void CQuestionImagesDlg::OnEndEdit(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0)
        return;
    // The image may have been deleted while its editor ran.
    CImageView* image = m_plImageViews.FindSerial(static_cast<std::uint64_t>(lParam));
    if (!image) {
        LogHere("CQuestionImagesDlg::OnEndThread() - bad piv pointer");
        return;
    }
    const CString file = image->m_csFile;
    if (!image->Load(file, image->m_nPos, image->m_nBrightness, image->m_dSize, image->m_dMargin)) {
        LogHere("CQuestionImagesDlg::OnEndThread() - failed to ReLoad image file...");
        LogHere(file);
    }
    image->SetMissing(!fsys::Exists(file));
    UpdateImageViews();
    UpdateControls();
}

void CQuestionImagesDlg::CleanUpThreadData()
{
    CloseTestDocuments();
    for (auto& eps : m_editors)
        eps->hStopEvent.SetEvent();
    // Each worker sees its stop within 600 ms; the editors themselves stay open.
    for (auto& eps : m_editors) {
        if (!eps->thread.joinable())
            continue;
        LogHere(CString::Formatted("CQuestionImagesDlg::CleanUpThreadData() - deleting thread %lx",
                                   static_cast<unsigned long>(std::hash<std::thread::id>()(eps->thread.get_id()))),
                LOG_DETAIL);
        eps->thread.join();
    }
    m_editors.clear();
}

// ---- the test print

namespace {

class CNoQuestionTestPrint : public IQuestionTestPrint {
public:
    CCorraDoc* NewTestDocument() override { return nullptr; }
    BOOL PreviewTestDocument(CCorraDoc&) override { return FALSE; }
};

CNoQuestionTestPrint g_noTestPrint;
CServiceSlot<IQuestionTestPrint> g_testPrint(g_noTestPrint);

} // namespace

CServiceSlot<IQuestionTestPrint>& QuestionTestPrintSlot()
{
    return g_testPrint;
}

CCorraDoc* CQuestionImagesDlg::GetTestDocument() const
{
    return m_testDocs.empty() ? nullptr : dynamic_cast<CCorraDoc*>(m_testDocs.back().Get());
}

void CQuestionImagesDlg::GetImageRecords(CPtrList& records)
{
    for (POSITION pos = m_plImageViews.GetHeadPosition(); pos;)
        records.AddTail(static_cast<CImageData*>(m_plImageViews.GetNext(pos)));
}

void CQuestionImagesDlg::OnDestroy()
{
    CloseTestDocuments();
    CFixedFontDialog::OnDestroy();
}

void CQuestionImagesDlg::CloseTestDocuments()
{
    // Moved out first: closing a document runs events, which may reach the dialog again.
    std::vector<CDocumentRef> docs;
    docs.swap(m_testDocs);
    for (const CDocumentRef& ref : docs) {
        if (CDocument* pDoc = ref.Get())
            pDoc->OnCloseDocument();
    }
}

void CQuestionImagesDlg::OnTestPrint()
{
    CloseTestDocuments();
    try {
        IQuestionTestPrint& printer = QuestionTestPrintSlot().Get();
        CCorraDoc* pDoc = printer.NewTestDocument();
        if (!pDoc)
            throw std::runtime_error("no document to test print in");
        m_testDocs.emplace_back(pDoc);
        auto copy = std::make_unique<CCorraQuestion>();
        if (m_pQuestion)
            copy->Copy(*m_pQuestion);
        CPtrList records;
        GetImageRecords(records);
        copy->SetImages(records);
        pDoc->InsertQuestion(copy.release());
        const BOOL bShown = printer.PreviewTestDocument(*pDoc);
        pDoc->SetModifiedFlag(FALSE);
        if (!bShown)
            throw std::runtime_error("the test document's preview did not open");
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        Say("Failed to test print.", MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        LogUnknownException(LOG_HERE);
        Say("Failed to test print.", MB_OK | MB_ICONEXCLAMATION);
    }
}

// ---- the lost images and importing

void CQuestionImagesDlg::OnSearch()
{
    if (!m_pDoc)
        return;
    CImageRelinks relinked;
    DocumentDialogs().CheckImageLinks(*m_pDoc, TRUE, &relinked);
    if (relinked.empty())
        return;
    // The dialog's own images take the new paths: images added or deleted here and not yet
    // stored stay as they are.
    for (POSITION pos = m_plImageViews.GetHeadPosition(); pos;) {
        CImageView* image = m_plImageViews.GetNext(pos);
        for (const auto& [from, to] : relinked) {
            if (image->m_csFile != from)
                continue;
            image->Load(to, image->m_nPos, image->m_nBrightness, image->m_dSize, image->m_dMargin);
            image->SetMissing(!fsys::Exists(to));
            SetModified();
            break;
        }
    }
    UpdateImageViews();
    UpdateControls();
}

void CQuestionImagesDlg::OnImportFiles()
{
    ImportFile(DT_IMAGE, "Import " + CFileTypes::Type2TypeDescr(DT_IMAGE, TRUE));
}

// ---- ending

void CQuestionImagesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    try {
        CPtrList records;
        GetImageRecords(records);
        auto* own = dynamic_cast<CCorraQuestion*>(m_pQuestion);
        if (m_pDoc && own && m_pDoc->HoldsQuestion(own))
            StoreQuestionImages(*m_pDoc, own, records);
        else if (m_pQuestion)
            m_pQuestion->SetImages(records);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    EndDialog(IDOK);
}

void CQuestionImagesDlg::OnCancel()
{
    if (m_bModified) {
        switch (Say("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: OnOK(); return;
        case IDCANCEL: return;
        default: break;
        }
    }
    EndDialog(IDCANCEL);
}
