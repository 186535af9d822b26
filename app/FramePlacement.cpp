#include "app/FramePlacement.h"

#include "platform/core/ScreenInfo.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QStyle>

namespace {

BOOL g_bNextLeft = TRUE;
int g_nLeftStep = 0;
int g_nRightStep = 0;

} // namespace

namespace placement {

int CaptionHeight()
{
    QStyle* style = qApp ? QApplication::style() : nullptr;
    int c = style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
    return c > 0 ? c : 22;
}

CSize SideBySideSize()
{
    CScreenInfo screen = GetScreenInfo();
    return CSize(screen.nWidth / 2 - 30, screen.nHeight - 125);
}

CPoint BasePosition(BOOL bLeft)
{
    int c = CaptionHeight();
    if (bLeft)
        return CPoint(c + 5, c + 5);
    return CPoint(GetScreenInfo().nWidth - SideBySideSize().cx - 5, c + 5);
}

CPoint Offset(CPoint pt, int nDirection)
{
    int c = CaptionHeight();
    switch (nDirection) {
    case 1: return CPoint(pt.x - c, pt.y + c);
    case 2: return CPoint(pt.x + c, pt.y + c);
    case 3: return CPoint(pt.x - c, pt.y - c);
    case 4: return CPoint(pt.x + c, pt.y - c);
    default: return pt;
    }
}

void MoveFrame(CWnd* pFrame, BOOL bLeft, int nDirection)
{
    if (!pFrame)
        return;
    CPoint pt = Offset(BasePosition(bLeft), nDirection);
    pFrame->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

CPoint NextFramePosition()
{
    int c = CaptionHeight();
    CPoint pt;
    if (g_bNextLeft) {
        int n = g_nLeftStep;
        g_nLeftStep = (g_nLeftStep + 1) % 2;
        pt = CPoint(n * c + 5, n * c + 5);
    } else {
        int m = g_nRightStep;
        g_nRightStep = (g_nRightStep + 1) % 2;
        pt = CPoint(GetScreenInfo().nWidth - SideBySideSize().cx - 5 + (m - 1) * c, m * c + 5);
    }
    g_bNextLeft = !g_bNextLeft;
    return pt;
}

void Reset()
{
    g_bNextLeft = TRUE;
    g_nLeftStep = 0;
    g_nRightStep = 0;
}

} // namespace placement
