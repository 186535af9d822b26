#include "controls/HVMsgBox.h"

#include "controls/FixedFontDialog.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DC.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"
#include "platform/ui/SysColor.h"

#include <QApplication>
#include <QCheckBox>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QPushButton>

#include <algorithm>

namespace {

// Geometry of the box, in pixels.
constexpr int kClientWidth = 420;
constexpr int kMargin = 10;
constexpr int kGap = 15;
constexpr int kPictureSize = 32;
constexpr int kMinButtonWidth = 75;
// The box's text: the program's dialog face at the size of its modal dialogs.
constexpr int kFontPoints = 8;

constexpr COLORREF kErrorColor = 0x0000FF;
constexpr COLORREF kWarningColor = 0x00FFFF;
constexpr COLORREF kBlack = 0x000000;

// Every button the box may show, in the order they stand when shown together.
constexpr int kButtonOrder[] = {IDOK, IDYES, IDNO, IDC_HVMSG_CONTINUE, IDCANCEL, IDC_HVMSG_MOREINFO};

} // namespace

// --- the picture -----------------------------------------------------------------------------

// The box's picture, drawn whenever it is painted at the pixel ratio of what it is painted on:
// moved to a screen of another scale it is drawn anew, never scaled from the old one.
class CHVMsgPicture : public QWidget {
public:
    explicit CHVMsgPicture(QWidget* parent) : QWidget(parent) {}
    void SetKind(StockPicture kind)
    {
        m_kind = kind;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        // The device the painting lands on (the window's surface, or an image it is rendered to).
        const QPaintDevice* target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
        const qreal ratio = target ? target->devicePixelRatioF() : devicePixelRatioF();
        painter.drawPixmap(0, 0, StockPicturePixmap(m_kind, kPictureSize, ratio));
    }

private:
    StockPicture m_kind = StockPicture::Information;
};

// --- panes ------------------------------------------------------------------------------------

CHVMsgPane::CHVMsgPane(CHVMsgBox* pBox, int nIndex) : CRichEditCtrl(pBox), m_pBox(pBox), m_nIndex(nIndex)
{
    SetReadOnly(TRUE);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
}

void CHVMsgPane::AllowPathBreaks()
{
    // The layout breaks a line at a blank, a hyphen or "/", but not after a backslash or
    // between the words of a name joined by "_", so a long path or file name would break
    // inside a word: it may break after each of those that text follows.
    static const QRegularExpression kSeparator(QStringLiteral("[/\\\\_](?=\\S)"));
    AllowBreaksAfter(kSeparator);
}

void CHVMsgPane::OnRequestResize(const CRect& rcRequested)
{
    m_pBox->OnPaneResize(m_nIndex, rcRequested);
}

// --- the box ----------------------------------------------------------------------------------

CHVMsgBox::CHVMsgBox(LPCSTR lpszTitle, int nStyle, LPCSTR lpszDontShowKey, CWnd* pParent)
    : CDialog(IDD_HVMSGBOX, pParent), m_nStyle(nStyle), m_csTitle(lpszTitle), m_csDontShowKey(lpszDontShowKey)
{
    m_bDontShow = ReadDontShow(m_csDontShowKey);
    BuildControls();
}

CHVMsgBox::CHVMsgBox(const CRichMessage& message, CWnd* pParent)
    : CHVMsgBox(message.title, message.style, message.dontShowKey, pParent)
{
    for (int i = 0; i < 4; ++i)
        *PaneText(i) = message.pane[i];
    m_nPaneId1 = message.paneId[0];
    m_nPaneId2 = message.paneId[1];
    m_nPaneId3 = message.paneId[2];
    m_nPaneId4 = message.paneId[3];
    m_crPane1 = message.paneColor[0];
    m_crPane2 = message.paneColor[1];
    m_crPane3 = message.paneColor[2];
    m_crPane4 = message.paneColor[3];
    m_csYes = message.yes;
    m_csNo = message.no;
    m_csCancel = message.cancel;
    m_csCheck = message.check;
    m_bCheck = message.checked;
    m_nHelpId = message.helpId;
    m_bError = message.error;
    m_bWarning = message.warning;
    m_nBitmapId = message.bitmapId;
    m_dButtonScale = message.buttonScale;
}

CHVMsgBox::~CHVMsgBox() = default;

void CHVMsgBox::BuildControls()
{
    setFont(CFixedFontDialog::FixedFont(kFontPoints));
    for (int i = 0; i < 4; ++i) {
        m_pPanes[i] = AddControl(static_cast<int>(IDC_HVMSG_PANE1) + i, new CHVMsgPane(this, i));
        m_pPanes[i]->hide();
    }
    m_pPicture = new CHVMsgPicture(this);
    SetControlId(m_pPicture, IDC_HVMSG_PICTURE);
    m_pPicture->setGeometry(kMargin, kMargin, kPictureSize, kPictureSize);
    m_pCheck = CreateCheckBox(IDC_HVMSG_CHECK, "");
    m_pCheck->hide();
    m_pDontShow = CreateCheckBox(IDC_HVMSG_DONTSHOW, "Don't show this message again");
    m_pDontShow->hide();

    CreateButton(IDOK, "OK");
    CreateButton(IDYES, "Yes");
    CreateButton(IDNO, "No");
    CreateButton(IDC_HVMSG_CONTINUE, "Continue");
    CreateButton(IDCANCEL, "Cancel");
    CreateButton(IDC_HVMSG_MOREINFO, "More Info...");
    for (int id : kButtonOrder)
        GetDlgItem(id)->hide();

    BindCommand(IDYES, [this] { OnYes(); });
    BindCommand(IDNO, [this] { EndDialog(IDNO); });
    BindCommand(IDC_HVMSG_CONTINUE, [this] { EndDialog(IDC_HVMSG_CONTINUE); });
}

int CHVMsgBox::SuppressedResult(int nStyle)
{
    switch (nStyle) {
    case RMB_OK:
    case RMB_OKCANCEL:
    case RMB_YESNOCANCEL:
    case RMB_YESNO:
    case RMB_CONTINUECANCEL: return DefaultRichMessageAnswer(nStyle);
    default: return 0;
    }
}

BOOL CHVMsgBox::ReadDontShow(LPCSTR lpszKey)
{
    if (!lpszKey || !*lpszKey)
        return FALSE;
    return CorraApp().GetProfileInt(HVMSGBOX_DONTSHOW_SECTION, lpszKey, 0, TRUE) != 0;
}

INT_PTR CHVMsgBox::DoModal()
{
    if (m_bDontShow) {
        if (int result = SuppressedResult(m_nStyle))
            return result;
    }
    return CDialog::DoModal();
}

int CHVMsgBox::SetHelpId(int nHelpId)
{
    m_nHelpId = nHelpId;
    return m_nHelpId;
}

void CHVMsgBox::SetPaneTextIds(const CChoicesError& error)
{
    if (error.m_nId1)
        m_nPaneId1 = error.m_nId1;
    if (error.m_nId2)
        m_nPaneId2 = error.m_nId2;
    if (error.m_nId3)
        m_nPaneId3 = error.m_nId3;
    if (error.m_nId4)
        m_nPaneId4 = error.m_nId4;
}

CString* CHVMsgBox::PaneText(int i)
{
    CString* texts[4] = {&m_csPane1, &m_csPane2, &m_csPane3, &m_csPane4};
    return texts[i];
}

COLORREF CHVMsgBox::PaneColor(int i) const
{
    const COLORREF colors[4] = {m_crPane1, m_crPane2, m_crPane3, m_crPane4};
    return colors[i];
}

UINT CHVMsgBox::PaneId(int i) const
{
    const UINT ids[4] = {m_nPaneId1, m_nPaneId2, m_nPaneId3, m_nPaneId4};
    return ids[i];
}

std::vector<int> CHVMsgBox::StyleButtons() const
{
    switch (m_nStyle) {
    case RMB_OK: return {IDOK};
    case RMB_OKCANCEL: return {IDOK, IDCANCEL};
    case RMB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case RMB_YESNO: return {IDYES, IDNO};
    case RMB_CONTINUECANCEL: return {IDC_HVMSG_CONTINUE, IDCANCEL};
    default: return {};
    }
}

BOOL CHVMsgBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bInLayout = TRUE;  // no layout until every pane has its text

    if (!m_csTitle.IsEmpty())
        SetWindowText(m_csTitle);
    else
        SetWindowText("Info");
    if (m_dButtonScale > 0.0) {
        for (int id : {IDYES, IDNO, IDCANCEL}) {
            QWidget* button = GetDlgItem(id);
            button->setFixedWidth(static_cast<int>(std::max(button->sizeHint().width(), kMinButtonWidth) * m_dButtonScale));
        }
    }
    QImage bitmap;
    if (m_nBitmapId && LoadResourceImage(static_cast<UINT>(m_nBitmapId), bitmap))
        m_Bitmap.Attach(bitmap);
    const BOOL bBitmap = !m_Bitmap.GetImage().isNull();

    const StockPicture picture = m_bError     ? StockPicture::Error
                                 : m_bWarning ? StockPicture::Warning
                                              : StockPicture::Information;
    m_pPicture->SetKind(picture);
    m_pPicture->setVisible(!bBitmap);

    // Panes: all hidden first, their texts from the string table where an id is given.
    for (int i = 0; i < 4; ++i) {
        m_pPanes[i]->hide();
        if (UINT id = PaneId(i))
            *PaneText(i) = LoadStringId(id);
    }
    m_pCheck->hide();

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int paneLeft = bBitmap ? kMargin : kMargin + kPictureSize + kMargin;
    const BOOL bSideBySide = !m_csPane2.IsEmpty() && !m_csPane3.IsEmpty();
    const int fullWidth = kClientWidth - 2 * kMargin;
    const int halfWidth = (fullWidth - kMargin) / 2;
    const int widths[4] = {kClientWidth - paneLeft - kMargin, bSideBySide ? halfWidth : fullWidth,
                           bSideBySide ? halfWidth : fullWidth, fullWidth};
    for (int i = 0; i < 4; ++i) {
        const CString& text = *PaneText(i);
        if (text.IsEmpty())
            continue;
        CHVMsgPane* pane = m_pPanes[i];
        COLORREF color = PaneColor(i);
        COLORREF back = face;
        if (i == 0 && (m_bError || m_bWarning)) {
            color = m_bError ? kErrorColor : kWarningColor;
            back = kBlack;
        }
        // Plain text is in the box's face and size, as the rest of the box.
        CHARFORMAT cf;
        cf.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE;
        cf.crTextColor = color;
        SetCharFormatFaceName(cf, FromQString(font().family()));
        cf.yHeight = font().pointSize() * 20;
        pane->SetDefaultCharFormat(cf);
        if (bBitmap) {
            QPalette pal = pane->palette();
            pal.setColor(QPalette::Base, Qt::transparent);
            pane->setPalette(pal);
            pane->viewport()->setAutoFillBackground(false);
        } else {
            pane->SetBackgroundColor(FALSE, back);
        }
        pane->resize(widths[i], pane->height());
        pane->show();
        pane->SetEventMask(pane->GetEventMask() | ENM_REQUESTRESIZE);
        pane->SetText(text);
        pane->AllowPathBreaks();
    }
    if (!m_csCheck.IsEmpty()) {
        m_pCheck->setText(ToQString(m_csCheck));
        m_pCheck->setChecked(m_bCheck != FALSE);
        m_pCheck->show();
    }
    if (bBitmap) {
        m_pCheck->setAttribute(Qt::WA_TranslucentBackground);
        m_pDontShow->setAttribute(Qt::WA_TranslucentBackground);
    }

    SetDlgItemText(IDYES, m_csYes);
    SetDlgItemText(IDNO, m_csNo);
    SetDlgItemText(IDCANCEL, m_csCancel);
    // The first button of the style answers Enter, as a message box's default button does.
    BOOL bDefaultSet = FALSE;
    for (int id : StyleButtons()) {
        QWidget* button = GetDlgItem(id);
        button->show();
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setDefault(!bDefaultSet);
            bDefaultSet = TRUE;
        }
    }
    GetDlgItem(IDC_HVMSG_MOREINFO)->setVisible(m_nHelpId > 0);
    m_pDontShow->setVisible(!m_csDontShowKey.IsEmpty());
    m_pDontShow->setChecked(false);

    LogWhatShows();

    m_bInLayout = FALSE;
    Relayout();
    return TRUE;
}

void CHVMsgBox::LogWhatShows()
{
    if (!m_bError && !m_bWarning)
        return;
    LogOutput(m_bError ? "CHVMsgBox - ERROR" : "CHVMsgBox - Warning", LOG_ERROR, LOG_HERE);
    for (int i = 0; i < 4; ++i) {
        if (!PaneText(i)->IsEmpty())
            LogOutput(*PaneText(i), LOG_ERROR, LOG_HERE);
    }
    if (!m_csCheck.IsEmpty())
        LogOutput(m_csCheck, LOG_ERROR, LOG_HERE);
}

void CHVMsgBox::OnPaneResize(int nIndex, const CRect& rcRequested)
{
    CHVMsgPane* pane = m_pPanes[nIndex];
    pane->resize(rcRequested.Width(), rcRequested.Height());
    Relayout();
}

void CHVMsgBox::Relayout()
{
    if (m_bInLayout)
        return;
    m_bInLayout = TRUE;
    const BOOL bPicture = m_pPicture->isVisibleTo(this);
    const int pictureBottom = bPicture ? m_pPicture->geometry().bottom() + 1 : 0;
    // The panes after the first start no higher than this.
    const int belowPicture = bPicture ? pictureBottom + kGap : kMargin;

    auto shows = [this](int i) { return !PaneText(i)->IsEmpty() && m_pPanes[i]->isVisibleTo(this); };
    int bottom = 0;  // bottom of what is placed so far
    if (shows(0)) {
        m_pPanes[0]->move(bPicture ? kMargin + kPictureSize + kMargin : kMargin, kMargin);
        bottom = m_pPanes[0]->geometry().bottom() + 1;
    }
    auto nextTop = [&] { return std::max(bottom > 0 ? bottom + kGap : kMargin, belowPicture); };
    if (shows(1) && shows(2)) {
        int top = nextTop();
        m_pPanes[1]->move(kMargin, top);
        m_pPanes[2]->move(m_pPanes[1]->geometry().right() + 1 + kMargin, top);
        bottom = std::max(m_pPanes[1]->geometry().bottom(), m_pPanes[2]->geometry().bottom()) + 1;
    } else {
        for (int i : {1, 2}) {
            if (shows(i)) {
                m_pPanes[i]->move(kMargin, nextTop());
                bottom = m_pPanes[i]->geometry().bottom() + 1;
            }
        }
    }
    if (shows(3)) {
        m_pPanes[3]->move(kMargin, nextTop());
        bottom = m_pPanes[3]->geometry().bottom() + 1;
    }
    if (m_pCheck->isVisibleTo(this)) {
        m_pCheck->adjustSize();
        m_pCheck->move(kMargin, nextTop());
        bottom = m_pCheck->geometry().bottom() + 1;
    }
    bottom = std::max(bottom, pictureBottom);

    // The visible buttons spread over the width with equal gaps.
    int clientWidth = kClientWidth;
    std::vector<QWidget*> buttons;
    for (int id : kButtonOrder) {
        QWidget* button = GetDlgItem(id);
        if (button->isVisibleTo(this))
            buttons.push_back(button);
    }
    if (!buttons.empty()) {
        int total = 0;
        for (QWidget* button : buttons) {
            int width = button->minimumWidth() == button->maximumWidth()
                            ? button->width()
                            : std::max(button->sizeHint().width(), kMinButtonWidth);
            button->resize(width, button->sizeHint().height());
            total += width;
        }
        // Buttons too wide for the box widen it.
        const int count = static_cast<int>(buttons.size());
        clientWidth = std::max(kClientWidth, total + (count + 1) * kMargin);
        const int space = (clientWidth - total) / (count + 1);
        int x = space;
        const int top = bottom + kGap;
        for (QWidget* button : buttons) {
            button->move(x, top);
            x += button->width() + space;
            bottom = std::max(bottom, button->geometry().bottom() + 1);
        }
    }
    if (m_pDontShow->isVisibleTo(this)) {
        m_pDontShow->adjustSize();
        m_pDontShow->move(kMargin, bottom + kGap);
        bottom = m_pDontShow->geometry().bottom() + 1;
    }
    setFixedSize(clientWidth, std::max(bottom, pictureBottom) + kGap);
    if (QWidget* ok = GetDlgItem(IDOK); ok && ok->isVisibleTo(this))
        ok->setFocus(Qt::OtherFocusReason);
    m_bInLayout = FALSE;
}

void CHVMsgBox::OnHelp()
{
    if (m_nHelpId > 0)
        HelpService().ShowTopic(static_cast<DWORD>(m_nHelpId) + HID_BASE_RESOURCE);
}

void CHVMsgBox::OnYes()
{
    EndDialog(IDYES);
}

void CHVMsgBox::OnDestroy()
{
    m_bCheck = m_pCheck->isChecked();
    if (!m_csDontShowKey.IsEmpty()) {
        m_bDontShow = m_pDontShow->isChecked();
        CorraApp().WriteProfileInt(HVMSGBOX_DONTSHOW_SECTION, m_csDontShowKey, m_bDontShow ? 1 : 0);
    }
    CDialog::OnDestroy();
}

void CHVMsgBox::paintEvent(QPaintEvent* e)
{
    const QImage& image = m_Bitmap.GetImage();
    if (image.isNull()) {
        CDialog::paintEvent(e);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
}

// --- the service ------------------------------------------------------------------------------

int CHVMsgBoxService::Show(CRichMessage& message)
{
    CHVMsgBox box(message, AfxGetMainWnd());
    int result = static_cast<int>(box.DoModal());
    message.checked = box.m_bCheck;
    return result;
}

void InstallHVMsgBoxService()
{
    static CHVMsgBoxService service;
    SetRichMessageBoxService(&service);
}
