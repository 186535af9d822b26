#include "platform/ui/RtfStream.h"

#include "platform/core/CodePage.h"
#include "platform/ui/QtString.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <map>
#include <string_view>
#include <vector>

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
    const int lineStart = props.left + props.first;
    QList<QTextOption::Tab> native;
    auto add = [&native, lineStart](int twips, QTextOption::TabType type) {
        native.append(QTextOption::Tab(RtfTwipsToDoc(twips - lineStart), type,
                                       type == QTextOption::DelimiterTab ? QChar('.') : QChar()));
    };
    int last = lineStart;
    bool bIndentStop = props.first < 0;
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

namespace {

// ---------------------------------------------------------------------------------------------
// Reader

constexpr int kMaxDepth = 200;  // groups nested deeper keep the state of the last saved one
constexpr int kMaxWord = 32;
constexpr int kMaxIndent = 31680;  // twips: 22 inches

enum class Dest { Normal, Skip, FontTable, ColorTable };

struct FontEntry {
    CString face;
    int pitchAndFamily = 0;
    int charSet = 0;
};

// The character properties of a run, as the reader keeps them and the writer compares them.
struct RunFormat {
    int font = -1;        // -1: the default font
    int halfPoints = -1;  // -1: the base size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool shadow = false;
    bool emboss = false;
    int script = 0;  // 1 superscript, 2 subscript
    int color = 0;   // index into the colour table, 0 automatic
};

struct CharState : RunFormat {
    bool hidden = false;
    // Text without "\cf" is in the automatic colour; "\cf0" is the table's first entry, which
    // is automatic only when the table says so (an empty first entry, as the writer writes).
    bool colorSaid = false;
};

struct ParaState : CRtfParaProps {
    int tabKind = 0;  // alignment of the next "\tx"
};

struct GroupState {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Normal;
    int uc = 1;
};

class CRtfReader {
public:
    CRtfReader(const CString& rtf, QTextCursor& cursor, const QTextCharFormat& base)
        : m_p(rtf.GetString()), m_end(rtf.GetString() + rtf.GetLength()), m_cursor(cursor), m_base(base)
    {
    }

    BOOL Run();

private:
    void PushGroup();
    void SkipGroup();  // the current group's text is not shown
    bool PopGroup();  // false when the outermost group closed
    void ControlWord();
    void ControlSymbol(unsigned char c);
    void Dispatch(std::string_view word, bool hasParam, int param);
    bool Destination(std::string_view word);
    void AddByte(unsigned char b);
    void AddUnit(char16_t u);
    void Par();
    void Flush();
    void MaterializePar();
    void EndParagraph(const ParaState& para, const QTextCharFormat& mark);
    void Finish();
    void CharChanged() { m_fmtDirty = true; }
    const FontEntry* FindFont(int n) const;
    QTextCharFormat MakeCharFormat() const;
    QTextBlockFormat MakeBlockFormat(const ParaState& para) const;
    void FontNameByte(unsigned char b);
    void StoreTableFont();
    void StoreTableColor();

    const char* m_p;
    const char* m_end;
    QTextCursor& m_cursor;
    QTextCharFormat m_base;

    GroupState m_st;
    std::vector<GroupState> m_stack;
    int m_overflow = 0;  // groups opened past the bound and not closed yet
    int m_overflowSkip = 0;  // the overflow level of a skipped group opened past the bound
    Dest m_overflowDest = Dest::Normal;
    int m_ucSkip = 0;

    // Tables.
    std::map<int, FontEntry> m_fonts;
    int m_deff = 0;
    int m_tableFont = -1;  // the font-table entry being read
    FontEntry m_tableEntry;
    std::vector<QColor> m_colors;  // invalid: automatic
    int m_red = -1, m_green = -1, m_blue = -1;

    // Text waiting to go into the document.
    QString m_text;
    QTextCharFormat m_textFmt;
    bool m_fmtDirty = true;
    bool m_wholeDoc = false;
    // Read into other text: the paragraph the text goes into, as it was, and whether the read
    // has split it.
    QTextBlockFormat m_hostBlock;
    QTextCharFormat m_hostMark;
    bool m_split = false;
    bool m_pendingPar = false;
    ParaState m_parPara;
    QTextCharFormat m_parChar;
};

BOOL CRtfReader::Run()
{
    while (m_p < m_end && IsSpaceByte(static_cast<unsigned char>(*m_p)))
        ++m_p;
    // As the platform's control does: text that does not open as RTF is not RTF, braces or not,
    // and the selection stays for the caller's plain text.
    if (std::string_view(m_p, static_cast<size_t>(m_end - m_p)).substr(0, 5) != "{\\rtf")
        return FALSE;
    m_cursor.beginEditBlock();
    m_cursor.removeSelectedText();
    m_wholeDoc = m_cursor.document()->isEmpty();
    m_hostBlock = m_cursor.blockFormat();
    m_hostMark = m_cursor.block().charFormat();
    while (m_p < m_end) {
        unsigned char c = static_cast<unsigned char>(*m_p++);
        switch (c) {
        case '{':
            PushGroup();
            break;
        case '}':
            if (!PopGroup()) {
                Finish();
                return TRUE;
            }
            break;
        case '\\':
            ControlWord();
            break;
        case '\r':
        case '\n':
        case 0:
            break;
        default:
            AddByte(c);
            break;
        }
    }
    Finish();
    return TRUE;
}

void CRtfReader::PushGroup()
{
    m_ucSkip = 0;
    if (static_cast<int>(m_stack.size()) >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_st);
}

bool CRtfReader::PopGroup()
{
    m_ucSkip = 0;
    if (m_overflow > 0) {
        if (m_overflow == m_overflowSkip) {
            m_st.dest = m_overflowDest;
            m_overflowSkip = 0;
        }
        --m_overflow;
        return true;
    }
    if (m_stack.size() <= 1)
        return false;
    if (m_st.dest == Dest::FontTable && m_tableFont >= 0 && !m_tableEntry.face.IsEmpty()) {
        // An entry whose ";" is missing still names its face.
        StoreTableFont();
    }
    if (m_st.dest == Dest::FontTable)
        m_tableFont = -1;
    // So does the last colour of a table whose ";" is missing.
    if (m_st.dest == Dest::ColorTable && m_stack.back().dest != Dest::ColorTable &&
        (m_red >= 0 || m_green >= 0 || m_blue >= 0))
        StoreTableColor();
    m_st = m_stack.back();
    m_stack.pop_back();
    CharChanged();
    return true;
}

void CRtfReader::SkipGroup()
{
    // The outermost group is never skipped: that would lose the whole text.
    if (m_stack.size() <= 1 && m_overflow == 0)
        return;
    if (m_overflow > 0 && m_overflowSkip == 0 && m_st.dest != Dest::Skip) {
        // Past the bound no state is saved: remember which group's end ends the skipping.
        m_overflowSkip = m_overflow;
        m_overflowDest = m_st.dest;
    }
    m_st.dest = Dest::Skip;
}

void CRtfReader::ControlWord()
{
    if (m_p >= m_end)
        return;
    unsigned char c = static_cast<unsigned char>(*m_p);
    if (!IsAsciiLetterByte(c)) {
        ++m_p;
        ControlSymbol(c);
        return;
    }
    const char* start = m_p;
    while (m_p < m_end && IsAsciiLetterByte(static_cast<unsigned char>(*m_p)))
        ++m_p;
    std::string_view word(start, std::min<size_t>(static_cast<size_t>(m_p - start), kMaxWord));
    bool negative = false;
    if (m_p + 1 < m_end && *m_p == '-' && IsDigitByte(static_cast<unsigned char>(m_p[1]))) {
        negative = true;
        ++m_p;
    }
    bool hasParam = false;
    long long value = 0;
    while (m_p < m_end && IsDigitByte(static_cast<unsigned char>(*m_p))) {
        hasParam = true;
        if (value < INT_MAX)
            value = value * 10 + (*m_p - '0');
        ++m_p;
    }
    value = std::min<long long>(value, INT_MAX);
    if (negative)
        value = -value;
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    if (m_ucSkip > 0) {
        // A control word stands for one character of a "\u" fallback; binary data that
        // follows it is still data, not text.
        --m_ucSkip;
        if (word == "bin" && hasParam && value > 0)
            m_p += std::min<long long>(value, m_end - m_p);
        return;
    }
    Dispatch(word, hasParam, static_cast<int>(value));
}

void CRtfReader::ControlSymbol(unsigned char c)
{
    const bool viaByte = c == '\\' || c == '{' || c == '}' || c == '\'';
    if (!viaByte && m_ucSkip > 0) {
        // A control symbol stands for one character of a "\u" fallback.
        --m_ucSkip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        AddByte(c);
        break;
    case '\'': {
        int value = 0, digits = 0;
        while (digits < 2 && m_p < m_end) {
            int v = HexDigitValue(static_cast<unsigned char>(*m_p));
            if (v < 0)
                break;
            value = value * 16 + v;
            ++digits;
            ++m_p;
        }
        if (digits == 2)  // a cut-off escape stands for nothing
            AddByte(static_cast<unsigned char>(value));
        break;
    }
    case '*':
        // An optional destination: none of them carries text we show.
        SkipGroup();
        break;
    case '~':
        AddUnit(0x00A0);
        break;
    case '-':
        AddUnit(0x00AD);
        break;
    case '_':
        AddUnit(0x2011);
        break;
    case '\r':
    case '\n':
        Par();
        break;
    default:
        break;
    }
}

bool CRtfReader::Destination(std::string_view w)
{
    static const char* const kSkipped[] = {
        "info", "stylesheet", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "listtable", "listoverridetable", "revtbl",
        "rsidtbl", "generator", "filetbl", "xmlnstbl", "themedata", "colorschememapping",
        "latentstyles", "datastore", "pntext", "pn", "pntxta", "pntxtb", "fldinst", "bkmkstart",
        "bkmkend", "mmathPr", "userprops", "docvar", "private", "txe", "xe", "tc", "rxe", "comment",
        "author", "operator", "title", "subject", "keywords", "doccomm", "buptim", "creatim",
        "printim", "revtim", "nonshppict", "shp", "shpinst", "atnid", "atnauthor", "annotation",
        "objdata", "result", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn",
    };
    if ((w == "fonttbl" || w == "colortbl") && m_overflow > 0) {
        // No table this deep: its group's end could not be found again.
        SkipGroup();
        return true;
    }
    if (w == "fonttbl") {
        m_st.dest = Dest::FontTable;
        m_tableFont = -1;
        return true;
    }
    if (w == "colortbl") {
        m_st.dest = Dest::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        return true;
    }
    for (const char* s : kSkipped)
        if (w == s) {
            SkipGroup();
            return true;
        }
    return false;
}

void CRtfReader::Dispatch(std::string_view w, bool hasParam, int n)
{
    if (m_st.dest == Dest::Skip) {
        if (w == "bin" && hasParam && n > 0)
            m_p += std::min<long long>(n, m_end - m_p);
        return;
    }
    if (Destination(w))
        return;
    if (w == "bin") {
        if (hasParam && n > 0)
            m_p += std::min<long long>(n, m_end - m_p);
        return;
    }
    if (m_st.dest == Dest::FontTable) {
        static const std::pair<const char*, int> kFamilies[] = {
            {"fnil", 0x00}, {"froman", 0x10}, {"fswiss", 0x20}, {"fmodern", 0x30},
            {"fscript", 0x40}, {"fdecor", 0x50}, {"ftech", 0x00}, {"fbidi", 0x00},
        };
        if (w == "f") {
            if (m_tableFont >= 0 && !m_tableEntry.face.IsEmpty())
                StoreTableFont();
            m_tableFont = hasParam ? n : 0;
            m_tableEntry = FontEntry();
        } else if (w == "fprq") {
            m_tableEntry.pitchAndFamily = (m_tableEntry.pitchAndFamily & 0xF0) | (n & 0x0F);
        } else if (w == "fcharset") {
            m_tableEntry.charSet = n & 0xFF;
        } else {
            for (const auto& [name, bits] : kFamilies)
                if (w == name)
                    m_tableEntry.pitchAndFamily = (m_tableEntry.pitchAndFamily & 0x0F) | bits;
        }
        return;
    }
    if (m_st.dest == Dest::ColorTable) {
        int v = std::clamp(n, 0, 255);
        if (w == "red")
            m_red = v;
        else if (w == "green")
            m_green = v;
        else if (w == "blue")
            m_blue = v;
        return;
    }

    CharState& c = m_st.chr;
    ParaState& p = m_st.para;
    const bool on = !hasParam || n != 0;
    auto toggle = [&](bool& flag) {
        flag = on;
        CharChanged();
    };
    // Character formatting.
    if (w == "b") return toggle(c.bold);
    if (w == "i") return toggle(c.italic);
    if (w == "strike" || w == "striked") return toggle(c.strike);
    if (w == "shad") return toggle(c.shadow);
    if (w == "embo") return toggle(c.emboss);
    if (w == "v") return toggle(c.hidden);
    if (w == "ulnone") {
        c.underline = false;
        return CharChanged();
    }
    if (w.substr(0, 2) == "ul" && w != "ulc") return toggle(c.underline);
    if (w == "super") {
        c.script = 1;
        return CharChanged();
    }
    if (w == "sub") {
        c.script = 2;
        return CharChanged();
    }
    if (w == "nosupersub") {
        c.script = 0;
        return CharChanged();
    }
    if (w == "f") {
        c.font = hasParam ? n : 0;
        return CharChanged();
    }
    if (w == "fs") {
        c.halfPoints = hasParam && n > 0 ? std::min(n, 3276) : 24;
        return CharChanged();
    }
    if (w == "cf") {
        c.color = std::max(n, 0);
        c.colorSaid = true;
        return CharChanged();
    }
    if (w == "plain") {
        int font = c.font;
        c = CharState();
        c.font = font >= 0 ? m_deff : -1;
        return CharChanged();
    }
    if (w == "deftab") {
        // A document's own setting; text read into other text keeps that text's.
        if (m_wholeDoc && hasParam && n > 0)
            RtfSetDefaultTab(*m_cursor.document(), std::min(n, kMaxIndent));
        return;
    }
    if (w == "deff") {
        m_deff = n;
        return CharChanged();
    }
    if (w == "uc") {
        m_st.uc = std::clamp(n, 0, 10);
        return;
    }
    if (w == "u") {
        // A signed 16-bit value; one outside that range names no character.
        const int code = n < 0 ? n + 65536 : n;
        if (code >= 0 && code <= 0xFFFF)
            AddUnit(static_cast<char16_t>(code));
        m_ucSkip = m_st.uc;
        return;
    }
    // Paragraph formatting.
    if (w == "pard") {
        p = ParaState();
        return;
    }
    if (w == "ql") { p.align = 0; return; }
    if (w == "qc") { p.align = 1; return; }
    if (w == "qr") { p.align = 2; return; }
    if (w == "qj") { p.align = 3; return; }
    // Indents beyond the widest page are clamped, so sums of them stay in range.
    if (w == "li") { p.left = std::clamp(n, -kMaxIndent, kMaxIndent); return; }
    if (w == "fi") { p.first = std::clamp(n, -kMaxIndent, kMaxIndent); return; }
    if (w == "ri") { p.right = std::clamp(n, -kMaxIndent, kMaxIndent); return; }
    if (w == "tqc") { p.tabKind = 1; return; }
    if (w == "tqr") { p.tabKind = 2; return; }
    if (w == "tqdec") { p.tabKind = 3; return; }
    if (w == "tx") {
        if (n >= 0 && p.tabs.size() < 32)
            p.tabs.append(std::min(n, 0xFFFFFF) | (p.tabKind << 24));
        p.tabKind = 0;
        return;
    }
    // Characters and breaks.
    if (w == "par" || w == "page" || w == "sect" || w == "row") return Par();
    if (w == "line") return AddUnit(0x2028);
    if (w == "tab" || w == "cell") return AddUnit('\t');
    if (w == "emdash") return AddUnit(0x2014);
    if (w == "endash") return AddUnit(0x2013);
    if (w == "bullet") return AddUnit(0x2022);
    if (w == "lquote") return AddUnit(0x2018);
    if (w == "rquote") return AddUnit(0x2019);
    if (w == "ldblquote") return AddUnit(0x201C);
    if (w == "rdblquote") return AddUnit(0x201D);
    if (w == "emspace") return AddUnit(0x2003);
    if (w == "enspace") return AddUnit(0x2002);
    if (w == "qmspace") return AddUnit(0x2005);
    // Everything else is ignored.
}

void CRtfReader::FontNameByte(unsigned char b)
{
    if (b == ';') {
        if (m_tableFont >= 0)
            StoreTableFont();
        m_tableEntry.face.Empty();
        return;
    }
    if (m_tableFont >= 0 && m_tableEntry.face.GetLength() < 64)
        m_tableEntry.face += static_cast<char>(b);
}

void CRtfReader::StoreTableFont()
{
    // However the entry ended, its face is stored as the writer writes it back: trimmed.
    m_tableEntry.face.Trim();
    m_fonts[m_tableFont] = m_tableEntry;
}

void CRtfReader::StoreTableColor()
{
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colors.push_back(QColor());
    else
        m_colors.push_back(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
    m_red = m_green = m_blue = -1;
}

void CRtfReader::AddByte(unsigned char b)
{
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    switch (m_st.dest) {
    case Dest::FontTable:
        FontNameByte(b);
        return;
    case Dest::ColorTable:
        if (b == ';')
            StoreTableColor();
        return;
    case Dest::Skip:
        return;
    case Dest::Normal:
        break;
    }
    AddUnit(static_cast<char16_t>(cp1252::ToUnicode(b)));
}

void CRtfReader::AddUnit(char16_t u)
{
    if (m_st.dest != Dest::Normal || m_st.chr.hidden || u == 0)
        return;
    // The document's own marks for objects and frames are not text: the writer drops the one
    // and the document would take the others as paragraph breaks.
    if (u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1)
        return;
    if (u == '\n' || u == '\r' || u == 0x2029) {
        Par();
        return;
    }
    MaterializePar();
    if (m_fmtDirty) {
        QTextCharFormat fmt = MakeCharFormat();
        if (fmt != m_textFmt) {
            Flush();
            m_textFmt = fmt;
        }
        m_fmtDirty = false;
    }
    m_text.append(QChar(u));
}

void CRtfReader::Flush()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, m_textFmt);
    m_text.clear();
}

void CRtfReader::Par()
{
    if (m_st.dest != Dest::Normal)
        return;
    Flush();
    MaterializePar();
    // Held back: a "\par" that only the closing brace follows is the document's final mark.
    m_pendingPar = true;
    m_parPara = m_st.para;
    m_parChar = MakeCharFormat();
}

void CRtfReader::MaterializePar()
{
    if (!m_pendingPar)
        return;
    m_pendingPar = false;
    EndParagraph(m_parPara, m_parChar);
    m_cursor.insertBlock(MakeBlockFormat(m_st.para), MakeCharFormat());
    m_split = true;
}

void CRtfReader::EndParagraph(const ParaState& para, const QTextCharFormat& mark)
{
    m_cursor.setBlockFormat(MakeBlockFormat(para));
    if (m_cursor.block().length() <= 1)
        m_cursor.setBlockCharFormat(mark);
}

void CRtfReader::Finish()
{
    Flush();
    if (m_pendingPar) {
        m_pendingPar = false;
        EndParagraph(m_parPara, m_parChar);
        // Inside other text the last mark ends the paragraph read, and the text after it goes
        // on in a paragraph of its own, formatted as before. Only for a whole document, or at
        // the end of one (where a text is appended), is it the document's own final mark.
        if (!m_wholeDoc && !m_cursor.atEnd())
            m_cursor.insertBlock(m_hostBlock, m_hostMark);
    } else if (m_wholeDoc) {
        EndParagraph(m_st.para, MakeCharFormat());
    } else if (m_split) {
        // The text read after its last mark joins the paragraph it went into, which keeps its format.
        m_cursor.setBlockFormat(m_hostBlock);
    }
    m_cursor.endEditBlock();
}

const FontEntry* CRtfReader::FindFont(int n) const
{
    auto it = m_fonts.find(n < 0 ? m_deff : n);
    if (it == m_fonts.end())
        it = m_fonts.find(m_deff);
    return it == m_fonts.end() ? nullptr : &it->second;
}

QTextCharFormat CRtfReader::MakeCharFormat() const
{
    const CharState& c = m_st.chr;
    QTextCharFormat f;
    QStringList families;
    int pitch = 0, charSet = 0;
    if (const FontEntry* fe = FindFont(c.font)) {
        families << ToQString(fe->face);
        pitch = fe->pitchAndFamily;
        charSet = fe->charSet;
    } else {
        families = m_base.fontFamilies().toStringList();
        pitch = m_base.property(rtfprop::PitchAndFamily).toInt();
        charSet = m_base.property(rtfprop::CharSet).toInt();
    }
    if (!families.isEmpty() && !families.first().isEmpty())
        f.setFontFamilies(families);
    f.setProperty(rtfprop::PitchAndFamily, pitch);
    f.setProperty(rtfprop::CharSet, charSet);
    int halfPoints = c.halfPoints;
    if (halfPoints < 0)
        halfPoints = m_base.hasProperty(QTextFormat::FontPointSize) ? qRound(m_base.fontPointSize() * 2) : 24;
    f.setFontPointSize(halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.script == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.script == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (c.colorSaid && c.color < static_cast<int>(m_colors.size()) && m_colors[c.color].isValid())
        f.setForeground(m_colors[c.color]);
    if (c.shadow)
        f.setProperty(rtfprop::Shadow, true);
    if (c.emboss)
        f.setProperty(rtfprop::Emboss, true);
    return f;
}

QTextBlockFormat CRtfReader::MakeBlockFormat(const ParaState& para) const
{
    QTextBlockFormat f;
    RtfSetParaProps(f, para, RtfGetDefaultTab(*m_cursor.document()));
    return f;
}

// ---------------------------------------------------------------------------------------------
// Writer

struct FontKey {
    QString face;
    int pitchAndFamily = 0;
    int charSet = 0;
    bool operator==(const FontKey& o) const
    {
        return face == o.face && pitchAndFamily == o.pitchAndFamily && charSet == o.charSet;
    }
};

struct Paragraph {
    CRtfParaProps para;
    std::vector<std::pair<RunFormat, QString>> runs;
    bool ends = false;
    RunFormat mark;  // the paragraph mark's format, written for an empty paragraph
};

class CRtfWriter {
public:
    explicit CRtfWriter(const QTextDocument& doc) : m_doc(doc) {}
    CString Write(int start, int end);

private:
    RunFormat Resolve(const QTextCharFormat& fmt);
    void Word(const char* word);
    void WordN(const char* word, int n);
    void Switch(const RunFormat& to);
    // In a font face a tab is written as its byte: the reader takes no control words there.
    void Text(const QString& text, bool bFace = false);
    void Para(const CRtfParaProps& para);

    const QTextDocument& m_doc;
    std::vector<FontKey> m_fonts;
    std::vector<QRgb> m_colors;
    std::string m_out;
    bool m_delimit = false;  // a control word was written and text follows
    RunFormat m_cur;
};

RunFormat CRtfWriter::Resolve(const QTextCharFormat& fmt)
{
    RunFormat r;
    FontKey key;
    QStringList families = fmt.fontFamilies().toStringList();
    // Trimmed as the reader trims the table's faces.
    const QString face = families.isEmpty() ? QString() : families.first().trimmed();
    key.face = !face.isEmpty() ? face : m_doc.defaultFont().family();
    key.pitchAndFamily = fmt.property(rtfprop::PitchAndFamily).toInt() & 0xFF;
    key.charSet = fmt.property(rtfprop::CharSet).toInt() & 0xFF;
    auto it = std::find(m_fonts.begin(), m_fonts.end(), key);
    r.font = static_cast<int>(it - m_fonts.begin());
    if (it == m_fonts.end())
        m_fonts.push_back(key);
    double points = fmt.hasProperty(QTextFormat::FontPointSize) ? fmt.fontPointSize() : m_doc.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    r.halfPoints = qRound(points * 2);
    r.bold = fmt.fontWeight() > QFont::Medium;
    r.italic = fmt.fontItalic();
    r.underline = fmt.fontUnderline() || fmt.underlineStyle() != QTextCharFormat::NoUnderline;
    r.strike = fmt.fontStrikeOut();
    r.shadow = fmt.property(rtfprop::Shadow).toBool();
    r.emboss = fmt.property(rtfprop::Emboss).toBool();
    if (fmt.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        r.script = 1;
    else if (fmt.verticalAlignment() == QTextCharFormat::AlignSubScript)
        r.script = 2;
    if (fmt.hasProperty(QTextFormat::ForegroundBrush) && fmt.foreground().style() != Qt::NoBrush) {
        QRgb rgb = fmt.foreground().color().rgb() & 0xFFFFFF;
        auto c = std::find(m_colors.begin(), m_colors.end(), rgb);
        r.color = static_cast<int>(c - m_colors.begin()) + 1;
        if (c == m_colors.end())
            m_colors.push_back(rgb);
    }
    return r;
}

void CRtfWriter::Word(const char* word)
{
    m_out += '\\';
    m_out += word;
    m_delimit = true;
}

void CRtfWriter::WordN(const char* word, int n)
{
    Word(word);
    m_out += std::to_string(n);
}

void CRtfWriter::Switch(const RunFormat& to)
{
    if (to.font != m_cur.font)
        WordN("f", to.font);
    if (to.halfPoints != m_cur.halfPoints)
        WordN("fs", to.halfPoints);
    if (to.color != m_cur.color)
        WordN("cf", to.color);
    if (to.bold != m_cur.bold)
        Word(to.bold ? "b" : "b0");
    if (to.italic != m_cur.italic)
        Word(to.italic ? "i" : "i0");
    if (to.underline != m_cur.underline)
        Word(to.underline ? "ul" : "ulnone");
    if (to.strike != m_cur.strike)
        Word(to.strike ? "strike" : "strike0");
    if (to.script != m_cur.script)
        Word(to.script == 1 ? "super" : to.script == 2 ? "sub" : "nosupersub");
    if (to.shadow != m_cur.shadow)
        Word(to.shadow ? "shad" : "shad0");
    if (to.emboss != m_cur.emboss)
        Word(to.emboss ? "embo" : "embo0");
    m_cur = to;
}

void CRtfWriter::Text(const QString& text, bool bFace)
{
    static const char kHex[] = "0123456789abcdef";
    for (QChar qc : text) {
        char16_t u = qc.unicode();
        if (u == '\t' && !bFace) {
            Word("tab");
            continue;
        }
        if (u == 0x2028) {
            Word("line");
            continue;
        }
        if (u == QChar::ObjectReplacementCharacter || u == 0 || u == 0x2029)
            continue;
        if (u >= 0x20 && u < 0x7F) {
            if (m_delimit)
                m_out += ' ';
            m_delimit = false;
            if (u == '\\' || u == '{' || u == '}')
                m_out += '\\';
            m_out += static_cast<char>(u);
            continue;
        }
        int b = cp1252::FromUnicode(u);
        if (b >= 0) {
            m_out += "\\'";
            m_out += kHex[(b >> 4) & 0xF];
            m_out += kHex[b & 0xF];
            m_delimit = false;
            continue;
        }
        WordN("u", u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u));
        m_out += '?';
        m_delimit = false;
    }
}

void CRtfWriter::Para(const CRtfParaProps& p)
{
    Word("pard");
    if (p.first)
        WordN("fi", p.first);
    if (p.left)
        WordN("li", p.left);
    if (p.right)
        WordN("ri", p.right);
    if (p.align == 1)
        Word("qc");
    else if (p.align == 2)
        Word("qr");
    else if (p.align == 3)
        Word("qj");
    for (int t : p.tabs) {
        int kind = (t >> 24) & 0x0F;
        if (kind == 1)
            Word("tqc");
        else if (kind == 2)
            Word("tqr");
        else if (kind == 3)
            Word("tqdec");
        WordN("tx", t & 0xFFFFFF);
    }
}

CString CRtfWriter::Write(int start, int end)
{
    const int textLength = std::max(m_doc.characterCount() - 1, 0);
    start = std::clamp(start, 0, textLength);
    end = end < 0 ? textLength : std::clamp(end, start, textLength);

    std::vector<Paragraph> paras;
    for (QTextBlock b = m_doc.findBlock(start); b.isValid(); b = b.next()) {
        const int pos = b.position();
        if (pos > end || (pos == end && end < textLength))
            break;
        const int markPos = pos + b.length() - 1;
        Paragraph para;
        para.para = RtfGetParaProps(b.blockFormat());
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            QTextFragment frag = it.fragment();
            int from = std::max(frag.position(), start);
            int to = std::min(frag.position() + frag.length(), end);
            if (from >= to)
                continue;
            QString text = frag.text().mid(from - frag.position(), to - from);
            para.runs.emplace_back(Resolve(frag.charFormat()), text);
        }
        para.ends = markPos < end || (markPos == textLength && end == textLength);
        if (para.runs.empty() && !para.ends)
            continue;
        if (para.runs.empty())
            para.mark = Resolve(b.charFormat());
        paras.push_back(std::move(para));
    }

    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    static const char* const kFamilies[] = {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor"};
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const FontKey& f = m_fonts[i];
        int family = (f.pitchAndFamily >> 4) & 0x0F;
        m_out += "{\\f" + std::to_string(i) + "\\" + (family < 6 ? kFamilies[family] : "fnil") + "\\fprq" +
                 std::to_string(f.pitchAndFamily & 0x0F) + "\\fcharset" + std::to_string(f.charSet) + " ";
        m_delimit = false;
        Text(f.face, true);
        m_out += ";}";
    }
    m_out += "}";
    if (!m_colors.empty()) {
        m_out += "{\\colortbl ;";
        for (QRgb c : m_colors)
            m_out += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
                     std::to_string(qBlue(c)) + ";";
        m_out += "}";
    }
    m_delimit = false;
    if (int tab = RtfGetDefaultTab(m_doc); tab != RTF_DEFAULT_TAB_TWIPS)
        WordN("deftab", tab);
    Word("viewkind4");
    WordN("uc", 1);

    m_cur = RunFormat();
    CRtfParaProps last;
    bool first = true;
    for (const Paragraph& para : paras) {
        if (first || !(para.para == last))
            Para(para.para);
        first = false;
        last = para.para;
        for (const auto& [fmt, text] : para.runs) {
            Switch(fmt);
            Text(text);
        }
        if (para.ends) {
            if (para.runs.empty())
                Switch(para.mark);
            Word("par");
        }
    }
    m_out += "}";
    return CString(std::move(m_out));
}

} // namespace

BOOL ReadRtf(const CString& rtf, QTextCursor& cursor, const QTextCharFormat& base)
{
    CRtfReader reader(rtf, cursor, base);
    return reader.Run();
}

CString WriteRtf(const QTextDocument& doc, int start, int end)
{
    CRtfWriter writer(doc);
    return writer.Write(start, end);
}
