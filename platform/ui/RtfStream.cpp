#include "platform/ui/RtfStream.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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

void RtfSetParaProps(QTextBlockFormat& fmt, const CRtfParaProps& props, int nDefaultTab)
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

    // The layout measures stops from where a line starts, RTF from the left edge: the stops go
    // in moved by the first line's start. The hanging indent is a stop of its own, so that text
    // after the first line's tab starts where the following lines do; right of the last stop
    // the stops are the document's default ones from the left edge, which the layout's own
    // (counted from the line's start) only meet when the line starts on one of them. Neither
    // kind is a "\tx" of the text, so the kept list holds only the text's own.
    // A block that continues a paragraph after a line break starts at the left indent.
    const bool bContinues = RtfContinuesParagraph(fmt);
    if (bContinues)
        fmt.setTextIndent(0);
    const int lineStart = bContinues ? props.left : props.left + props.first;
    QList<QTextOption::Tab> native;
    auto add = [&native, lineStart](int twips, QTextOption::TabType type) {
        native.append(QTextOption::Tab(RtfTwipsToDoc(twips - lineStart), type,
                                       type == QTextOption::DelimiterTab ? QChar('.') : QChar()));
    };
    int last = lineStart;
    bool bIndentStop = props.first < 0 && !bContinues;
    for (int t : props.tabs) {
        QTextOption::TabType type = QTextOption::LeftTab;
        switch ((t >> 24) & 0x0F) {
        case 1: type = QTextOption::CenterTab; break;
        case 2: type = QTextOption::RightTab; break;
        case 3: type = QTextOption::DelimiterTab; break;
        default: break;
        }
        const int pos = t & 0xFFFFFF;
        add(pos, type);
        last = std::max(last, pos);
        bIndentStop = bIndentStop && pos != props.left;
    }
    if (bIndentStop) {
        add(props.left, QTextOption::LeftTab);
        last = std::max(last, props.left);
    }
    if (nDefaultTab > 0 && lineStart % nDefaultTab != 0) {
        constexpr int kWidestLine = 31680;  // twips: 22 inches
        for (int t = (last / nDefaultTab + 1) * nDefaultTab, n = 0; t <= kWidestLine && n < 64; t += nDefaultTab, ++n)
            add(t, QTextOption::LeftTab);
    }
    if (native.isEmpty())
        fmt.clearProperty(rtfprop::TabStopsTwips);
    else
        fmt.setProperty(rtfprop::TabStopsTwips, QVariant::fromValue(props.tabs));
    // The layout takes the first stop right of the text, so the stops go in order.
    std::stable_sort(native.begin(), native.end(),
                     [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    fmt.setTabPositions(native);
}

bool RtfContinuesParagraph(const QTextBlockFormat& fmt)
{
    return fmt.boolProperty(rtfprop::LineBreakBlock);
}

void RtfSetContinuesParagraph(QTextBlockFormat& fmt, bool bContinues, int nDefaultTab)
{
    if (RtfContinuesParagraph(fmt) == bContinues)
        return;
    const CRtfParaProps props = RtfGetParaProps(fmt);
    if (bContinues)
        fmt.setProperty(rtfprop::LineBreakBlock, true);
    else
        fmt.clearProperty(rtfprop::LineBreakBlock);
    RtfSetParaProps(fmt, props, nDefaultTab);
}

void RtfInsertPlainText(QTextCursor& cursor, const QString& text, const QTextCharFormat* pFormat)
{
    // A new block takes the format of the one it was split from, the mark of a line break too.
    QTextDocument* doc = cursor.document();
    const int from = cursor.selectionStart();
    cursor.beginEditBlock();
    if (pFormat)
        cursor.insertText(text, *pFormat);
    else
        cursor.insertText(text);
    const int nDefaultTab = RtfGetDefaultTab(*doc);
    for (QTextBlock b = doc->findBlock(from).next(); b.isValid() && b.position() <= cursor.position(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        if (!RtfContinuesParagraph(f))
            continue;
        RtfSetContinuesParagraph(f, false, nDefaultTab);
        QTextCursor(b).setBlockFormat(f);
    }
    cursor.endEditBlock();
}

namespace {
const char* const kDefTabProperty = "rtfDefTabTwips";
}

int RtfGetDefaultTab(const QTextDocument& doc)
{
    QVariant v = doc.property(kDefTabProperty);
    return v.isValid() ? v.toInt() : RTF_DEFAULT_TAB_TWIPS;
}

void RtfSetDefaultTab(QTextDocument& doc, int twips)
{
    if (twips <= 0)
        twips = RTF_DEFAULT_TAB_TWIPS;
    doc.setProperty(kDefTabProperty, twips);
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(RtfTwipsToDoc(twips));
    doc.setDefaultTextOption(option);
}
