#include "platform/ui/SysColor.h"

#include "platform/ui/DC.h"

#include <QGuiApplication>
#include <QPalette>

COLORREF GetSysColor(int nIndex)
{
    const QPalette palette = QGuiApplication::palette();
    QPalette::ColorRole role;
    switch (nIndex) {
    case COLOR_WINDOW: role = QPalette::Base; break;
    case COLOR_WINDOWTEXT: role = QPalette::Text; break;
    case COLOR_HIGHLIGHT: role = QPalette::Highlight; break;
    case COLOR_HIGHLIGHTTEXT: role = QPalette::HighlightedText; break;
    case COLOR_BTNFACE: role = QPalette::Button; break;
    case COLOR_BTNSHADOW: role = QPalette::Dark; break;
    case COLOR_BTNTEXT: role = QPalette::ButtonText; break;
    case COLOR_BTNHIGHLIGHT: role = QPalette::Light; break;
    case COLOR_GRAYTEXT:
        return RefFromColor(palette.color(QPalette::Disabled, QPalette::Text));
    default:
        return RGB(0, 0, 0);
    }
    return RefFromColor(palette.color(QPalette::Active, role));
}
