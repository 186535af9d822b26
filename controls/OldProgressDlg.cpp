#include "controls/OldProgressDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "platform/ui/DC.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kDefaultTitle = "Please wait";
const char* const kDefaultText = "Processing...";
constexpr COLORREF kInfoColor = 0x742A1C;

// The bar control: its painting is the dialog's.
class CProgressBarWnd : public QWidget {
public:
    CProgressBarWnd(COldProgressDlg* pDlg, QWidget* parent) : QWidget(parent), m_pDlg(pDlg)
    {
        setMinimumSize(240, 20);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        CDC dc(&painter, this);
        CRect rc(0, 0, width(), height());
        m_pDlg->DrawBar(&dc, rc);
    }

private:
    COldProgressDlg* m_pDlg;
};

} // namespace

// --- the bar's arithmetic ---------------------------------------------------------------------

BOOL CProgressMeter::Advance()
{
    if (m_dFracStep > 0.0) {
        m_dFracAccum += m_dFracStep;
        // A little slack, so that ten steps of 0.1 make one whole step as they should.
        if (m_dFracAccum < 1.0 - 1e-9)
            return FALSE;
        m_dFracAccum = 0.0;
    }
    return TRUE;
}

double CProgressMeter::Fraction() const
{
    if (m_nRange == 0)
        return 1.0;
    double f = static_cast<double>(m_nPos) / static_cast<double>(m_nRange);
    return f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
}

int CProgressMeter::Share(int nWhole) const
{
    if (nWhole <= 0)
        return 0;
    if (m_nRange == 0)
        return nWhole;
    long long num = static_cast<long long>(m_nPos) * nWhole;
    long long den = m_nRange;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return static_cast<int>(std::clamp<long long>(num / den, 0, nWhole));
}

// --- the dialog -------------------------------------------------------------------------------

COldProgressDlg::COldProgressDlg(LPCSTR lpszTitle, LPCSTR lpszText, int nRange, int nPos, int nStep, CWnd* pParent)
    : CFixedFontDialog(IDD_OLDPROGRESS, pParent), m_csText(lpszText ? lpszText : kDefaultText),
      m_csTitle(lpszTitle ? lpszTitle : kDefaultTitle), m_meter(nRange, nPos, nStep)
{
    m_nTemplateId = IDD_OLDPROGRESS;

    m_pInfo = AddControl(IDC_PROGRESS_INFO, new CInfoRichEdit(this));
    // A fixed height, so that the message can be centred in it before the dialog is laid out.
    m_pInfo->setFixedSize(300, 60);
    m_pInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pBar = new CProgressBarWnd(this, this);
    SetControlId(m_pBar, IDC_PROGRESS_BAR);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const int ids[2] = {IDC_PROGRESS_BUTTON1, IDC_PROGRESS_BUTTON2};
    for (int i = 0; i < 2; ++i) {
        m_pButtons[i] = CreateButton(ids[i], "");
        m_pButtons[i]->hide();
        buttons->addWidget(m_pButtons[i]);
        BindCommand(ids[i], [this, i] { OnOptionalButton(i); });
    }
    buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pInfo);
    layout->addWidget(m_pBar);
    layout->addLayout(buttons);
    MakeFixedSize();
}

COldProgressDlg::~COldProgressDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL COldProgressDlg::Create(CWnd* pParent)
{
    if (!CFixedFontDialog::Create(IDD_OLDPROGRESS, pParent))
        return FALSE;
    setWindowModality(Qt::ApplicationModal);
    show();
    return TRUE;
}

BOOL COldProgressDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    m_pInfo->Init(3, kInfoColor, 0, GetSysColor(COLOR_3DFACE));
    // The level's 6 points are too small to read on a screen: the message takes the size of the
    // dialog's own text (8 points, 10 on a screen 1024 pixels wide) where that is larger.
    m_pInfo->SetPointSize(std::max(6, font().pointSize()));
    SetTitle(GetTitle());
    ShowMessage();
    for (int i = 0; i < 2; ++i) {
        if (!m_csButton[i].IsEmpty()) {
            m_pButtons[i]->setText(ToQString(m_csButton[i]));
            m_pButtons[i]->show();
        }
    }
    m_nResultChosen = 0;
    return TRUE;
}

void COldProgressDlg::SetButton(int nIndex, LPCSTR lpszCaption, int nResult)
{
    if (nIndex < 0 || nIndex > 1)
        return;
    m_csButton[nIndex] = lpszCaption ? lpszCaption : "";
    m_nButtonResult[nIndex] = nResult;
}

void COldProgressDlg::OnOptionalButton(int nIndex)
{
    m_nResultChosen = m_nButtonResult[nIndex];
}

void COldProgressDlg::OnCancel()
{
    m_bCancel = TRUE;
    CFixedFontDialog::OnCancel();
}

void COldProgressDlg::PostTextCopy(UINT message, LPCSTR lpszText)
{
    // The copy lives in the queued call and goes with it, whether or not it is ever handled.
    CString copy(lpszText);
    QMetaObject::invokeMethod(
        this,
        [this, message, copy] {
            WindowProc(message, static_cast<WPARAM>(copy.GetLength()), reinterpret_cast<LPARAM>(copy.GetString()));
        },
        Qt::QueuedConnection);
}

void COldProgressDlg::SetText(LPCSTR lpszText)
{
    if (!IsCreatorThread()) {
        PostTextCopy(WM_PROGRESS_SETTEXT, lpszText);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_textMutex);
        m_csText = lpszText ? lpszText : "";
    }
    if (GetSafeHwnd()) {
        ShowMessage();
        m_pInfo->repaint();
    }
}

CString COldProgressDlg::GetText() const
{
    std::lock_guard<std::mutex> lock(m_textMutex);
    return m_csText;
}

void COldProgressDlg::SetTitle(LPCSTR lpszTitle)
{
    if (!IsCreatorThread()) {
        if (lpszTitle)
            PostTextCopy(WM_PROGRESS_SETTITLE, lpszTitle);
        return;
    }
    if (!lpszTitle)
        return;
    {
        std::lock_guard<std::mutex> lock(m_textMutex);
        m_csTitle = lpszTitle;
    }
    SetWindowText(lpszTitle);
}

CString COldProgressDlg::GetTitle() const
{
    std::lock_guard<std::mutex> lock(m_textMutex);
    return m_csTitle;
}

void COldProgressDlg::StepIt()
{
    if (!IsCreatorThread()) {
        PostMessage(WM_PROGRESS_STEPIT);
        return;
    }
    if (m_meter.Advance())
        SetPos(m_meter.m_nPos + m_meter.m_nStep);
}

void COldProgressDlg::SetPos(int nPos)
{
    if (!IsCreatorThread()) {
        QMetaObject::invokeMethod(this, [this, nPos] { SetPos(nPos); }, Qt::QueuedConnection);
        return;
    }
    // A step that leaves the percent and the filled pixels as they were needs no painting (a
    // thousand steps would otherwise paint a thousand times).
    const int width = GetSafeHwnd() ? m_pBar->width() : 0;
    const int percent = m_meter.Percent();
    const int filled = m_meter.FilledWidth(width);
    m_meter.m_nPos = nPos;
    if (GetSafeHwnd() && (m_meter.Percent() != percent || m_meter.FilledWidth(width) != filled))
        m_pBar->repaint();
    PumpMessages();
}

void COldProgressDlg::SetRange(int nRange)
{
    if (!IsCreatorThread()) {
        QMetaObject::invokeMethod(this, [this, nRange] { SetRange(nRange); }, Qt::QueuedConnection);
        return;
    }
    m_meter.m_nRange = nRange;
    if (GetSafeHwnd())
        m_pBar->update();
}

void COldProgressDlg::SetFractionalStep(double dStep)
{
    m_meter.m_dFracStep = dStep;
    m_meter.m_dFracAccum = 0.0;
}

CString COldProgressDlg::GetPercentText() const
{
    return CString::Formatted("%d%%", m_meter.Percent());
}

void COldProgressDlg::PumpMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

LRESULT COldProgressDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PROGRESS_SETTEXT:
    case WM_PROGRESS_SETTITLE: {
        BOOL bText = message == WM_PROGRESS_SETTEXT;
        if (!IsCreatorThread()) {
            LogOutput(bText ? "COldProgressDlg::OnSetText() - not creator thread"
                            : "COldProgressDlg::OnSetTitle() - not creator thread",
                      LOG_ERROR, LOG_HERE);
            return 0;
        }
        CString text = lParam ? CString(reinterpret_cast<const char*>(lParam), static_cast<int>(wParam)) : CString();
        if (bText)
            SetText(text);
        else
            SetTitle(text);
        return 1;
    }
    case WM_PROGRESS_STEPIT:
        if (!IsCreatorThread()) {
            LogOutput("COldProgressDlg::OnStepIt() - not creator thread", LOG_ERROR, LOG_HERE);
            return 0;
        }
        StepIt();
        return 1;
    default:
        return CFixedFontDialog::WindowProc(message, wParam, lParam);
    }
}

void COldProgressDlg::ShowMessage()
{
    CString text = GetText() + "\n";
    m_pInfo->SetPaneText(text);
    // Centre the text vertically by blank lines in front of it.
    int nLines = m_pInfo->GetLineCount();
    long nLast = m_pInfo->GetTextLength() - 1;
    int lineHeight = 0;
    if (nLines > 1 && nLast > 0)
        lineHeight = (m_pInfo->PosFromChar(nLast).y - m_pInfo->PosFromChar(0).y) / (nLines - 1);
    if (lineHeight <= 0)
        lineHeight = QFontMetrics(m_pInfo->currentFont()).lineSpacing();
    if (lineHeight <= 0)
        return;
    int nFree = m_pInfo->viewport()->height() / lineHeight - nLines;
    if (nFree / 2 > 0)
        m_pInfo->SetPaneText(CString('\n', nFree / 2) + text);
}

void COldProgressDlg::DrawBar(CDC* pDC, const RECT& rect) const
{
    CRect rc(rect);
    int filled = m_meter.FilledWidth(rc.Width());
    if (filled > 1)
        pDC->FillSolidRect(rc.left + 1, rc.top, filled - 1, rc.Height(), PROGRESS_DONE_COLOR);
    pDC->FillSolidRect(rc.left + filled, rc.top, rc.Width() - filled, rc.Height(), PROGRESS_TODO_COLOR);
    // The percentage reads over both parts: light where it stands on the done part, dark on
    // the rest, as merging the pen with the screen would show it.
    CString percent = GetPercentText();
    const int split = rc.left + filled;
    const struct {
        int left, right;
        COLORREF color;
    } parts[] = {{rc.left, split, PROGRESS_TODO_COLOR}, {split, rc.right, PROGRESS_DONE_COLOR}};
    for (const auto& part : parts) {
        if (part.left >= part.right)
            continue;
        int saved = pDC->SaveDC();
        pDC->IntersectClipRect(part.left, rc.top, part.right, rc.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(part.color);
        pDC->DrawText(percent, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->RestoreDC(saved);
    }
}

// --- the run loop -----------------------------------------------------------------------------

int CMessagePumpLoop::Run()
{
    m_bStop = FALSE;
    do {
        Step();
        COldProgressDlg::PumpMessages();
    } while (!m_bStop);
    return Finish();
}
