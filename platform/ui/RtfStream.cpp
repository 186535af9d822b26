#include "platform/ui/RtfStream.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextOption>

// Units and paragraph properties that the reader and the writer share.

double RtfDocUnitsPerTwip()
{
    double dpi = 96.0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* screen = QGuiApplication::primaryScreen())
            dpi = screen->logicalDotsPerInchY();
    return dpi / 1440.0;
}

double RtfTwipsToDoc(int twips)
{
    return twips * RtfDocUnitsPerTwip();
}

int RtfDocToTwips(double units)
{
    return qRound(units / RtfDocUnitsPerTwip());
}

CRtfParaProps RtfGetParaProps(const QTextBlockFormat& fmt)
{
    CRtfParaProps p;
    Qt::Alignment a = fmt.alignment() & Qt::AlignHorizontal_Mask;
    p.align = a & Qt::AlignJustify ? 3 : a & Qt::AlignHCenter ? 1 : a & Qt::AlignRight ? 2 : 0;
    auto twips = [&fmt](int key, double native) {
        return fmt.hasProperty(key) ? fmt.intProperty(key) : RtfDocToTwips(native);
    };
    p.left = twips(rtfprop::LeftIndentTwips, fmt.leftMargin());
    p.first = twips(rtfprop::FirstIndentTwips, fmt.textIndent());
    p.right = twips(rtfprop::RightIndentTwips, fmt.rightMargin());
    if (fmt.hasProperty(rtfprop::TabStopsTwips)) {
        p.tabs = fmt.property(rtfprop::TabStopsTwips).value<QList<int>>();
    } else {
        for (const QTextOption::Tab& t : fmt.tabPositions()) {
            int kind = t.type == QTextOption::CenterTab ? 1 : t.type == QTextOption::RightTab ? 2 : t.type == QTextOption::DelimiterTab ? 3 : 0;
            p.tabs.append((RtfDocToTwips(t.position) & 0xFFFFFF) | (kind << 24));
        }
    }
    return p;
}

void RtfSetParaProps(QTextBlockFormat& fmt, const CRtfParaProps& props)
{
    static const Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    fmt.setAlignment(kAlign[props.align & 3]);
    auto put = [&fmt](int key, int twips) {
        if (twips)
            fmt.setProperty(key, twips);
        else
            fmt.clearProperty(key);
    };
    put(rtfprop::LeftIndentTwips, props.left);
    put(rtfprop::FirstIndentTwips, props.first);
    put(rtfprop::RightIndentTwips, props.right);
    fmt.setLeftMargin(RtfTwipsToDoc(props.left));
    fmt.setTextIndent(RtfTwipsToDoc(props.first));
    fmt.setRightMargin(RtfTwipsToDoc(props.right));

    QList<QTextOption::Tab> native;
    for (int t : props.tabs) {
        QTextOption::TabType type = QTextOption::LeftTab;
        switch ((t >> 24) & 0x0F) {
        case 1: type = QTextOption::CenterTab; break;
        case 2: type = QTextOption::RightTab; break;
        case 3: type = QTextOption::DelimiterTab; break;
        default: break;
        }
        native.append(QTextOption::Tab(RtfTwipsToDoc(t & 0xFFFFFF), type,
                                       type == QTextOption::DelimiterTab ? QChar('.') : QChar()));
    }
    if (props.tabs.isEmpty())
        fmt.clearProperty(rtfprop::TabStopsTwips);
    else
        fmt.setProperty(rtfprop::TabStopsTwips, QVariant::fromValue(props.tabs));
    fmt.setTabPositions(native);
}
