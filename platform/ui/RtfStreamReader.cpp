#include "platform/ui/RtfStream.h"

#include "platform/core/CodePage.h"
#include "platform/core/KeywordTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/RtfStreamInternal.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <map>
#include <string_view>
#include <vector>

// The reader: RTF into a QTextDocument.

using rtfstream::RunFormat;

namespace {

constexpr int kMaxDepth = 200;  // groups nested deeper keep the state of the last saved one
constexpr int kMaxWord = 32;
constexpr int kMaxIndent = 31680;  // twips: 22 inches

enum class Dest { Normal, Skip, FontTable, ColorTable };

struct FontEntry {
    CString face;
    int pitchAndFamily = 0;
    int charSet = 0;
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

// What a control word of the body does.
enum class Act {
    Toggle,
    UnderlineNone,
    Script,
    Font,
    FontSize,
    Color,
    Plain,
    DefaultFont,
    AnsiCodePage,
    DefaultTab,
    UnicodeSkip,
    Unicode,
    ParagraphDefault,
    Align,
    LeftIndent,
    FirstIndent,
    RightIndent,
    TabKind,
    TabStop,
    Paragraph,
    LineBreak,
    Character,
};

struct BodyWord {
    std::string_view word;
    Act act;
    int value = 0;                      // the script, alignment, tab kind or character
    bool CharState::*flag = nullptr;  // the switch a Toggle sets
};

// Sorted by word, for a binary search.
constexpr BodyWord kBodyWords[] = {
    {"ansicpg", Act::AnsiCodePage},
    {"b", Act::Toggle, 0, &CharState::bold},
    {"bullet", Act::Character, 0x2022},
    {"cell", Act::Character, '\t'},
    {"cf", Act::Color},
    {"deff", Act::DefaultFont},
    {"deftab", Act::DefaultTab},
    {"embo", Act::Toggle, 0, &CharState::emboss},
    {"emdash", Act::Character, 0x2014},
    {"emspace", Act::Character, 0x2003},
    {"endash", Act::Character, 0x2013},
    {"enspace", Act::Character, 0x2002},
    {"f", Act::Font},
    {"fi", Act::FirstIndent},
    {"fs", Act::FontSize},
    {"i", Act::Toggle, 0, &CharState::italic},
    {"ldblquote", Act::Character, 0x201C},
    {"li", Act::LeftIndent},
    {"line", Act::LineBreak},
    {"lquote", Act::Character, 0x2018},
    {"nosupersub", Act::Script, 0},
    {"page", Act::Paragraph},
    {"par", Act::Paragraph},
    {"pard", Act::ParagraphDefault},
    {"plain", Act::Plain},
    {"qc", Act::Align, 1},
    {"qj", Act::Align, 3},
    {"ql", Act::Align, 0},
    {"qmspace", Act::Character, 0x2005},
    {"qr", Act::Align, 2},
    {"rdblquote", Act::Character, 0x201D},
    {"ri", Act::RightIndent},
    {"row", Act::Paragraph},
    {"rquote", Act::Character, 0x2019},
    {"sect", Act::Paragraph},
    {"shad", Act::Toggle, 0, &CharState::shadow},
    {"strike", Act::Toggle, 0, &CharState::strike},
    {"striked", Act::Toggle, 0, &CharState::strike},
    {"sub", Act::Script, 2},
    {"super", Act::Script, 1},
    {"tab", Act::Character, '\t'},
    {"tqc", Act::TabKind, 1},
    {"tqdec", Act::TabKind, 3},
    {"tqr", Act::TabKind, 2},
    {"tx", Act::TabStop},
    {"u", Act::Unicode},
    {"uc", Act::UnicodeSkip},
    {"ulnone", Act::UnderlineNone},
    {"v", Act::Toggle, 0, &CharState::hidden},
};
static_assert(IsKeywordTableSorted(kBodyWords), "the keyword table is searched by halves");

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
    void LineBreak();
    void Flush();
    void MaterializePar();
    void EndParagraph(const ParaState& para, const QTextCharFormat& mark);
    // Gives the paragraph the cursor is in, every block of it, the format (each block keeps
    // whether it continues the one before after a line break).
    void SetParagraphFormat(const QTextBlockFormat& fmt);
    void Finish();
    void CharChanged() { m_fmtDirty = true; }
    const FontEntry* FindFont(int n) const;
    char16_t DecodeByte(unsigned char b);
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
    int m_ansiCodePage = 1252;  // "\\ansicpg": the code page of bytes in ANSI fonts

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
        if (digits == 2 && m_st.dest == Dest::FontTable && m_ucSkip == 0) {
            // An escaped ";" is part of the face, not the entry's end.
            if (m_tableFont >= 0 && m_tableEntry.face.GetLength() < 64)
                m_tableEntry.face += static_cast<char>(value);
        } else if (digits == 2) {  // a cut-off escape stands for nothing
            AddByte(static_cast<unsigned char>(value));
        }
        break;
    }
    case '*': {
        // An optional destination: none carries text we show but a field's result, which
        // some word processors mark as optional too.
        constexpr std::string_view kResult = "\\fldrslt";
        const char* p = m_p;
        while (p < m_end && IsSpaceByte(static_cast<unsigned char>(*p)))
            ++p;
        const std::string_view next(p, static_cast<size_t>(m_end - p));
        if (next.substr(0, kResult.size()) == kResult &&
            (next.size() == kResult.size() || !IsAsciiLetterByte(static_cast<unsigned char>(next[kResult.size()]))))
            break;
        SkipGroup();
        break;
    }
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
    const BodyWord* e = FindKeyword(kBodyWords, w);
    if (!e) {
        // Every kind of underline ("\uld", "\ulwave"...) underlines; "\ulc" is its colour.
        if (w.substr(0, 2) == "ul" && w != "ulc") {
            c.underline = on;
            CharChanged();
        }
        return;  // everything else is ignored
    }
    // Indents beyond the widest page are clamped, so sums of them stay in range.
    const int indent = std::clamp(n, -kMaxIndent, kMaxIndent);
    switch (e->act) {
    case Act::Toggle:
        c.*(e->flag) = on;
        return CharChanged();
    case Act::UnderlineNone:
        c.underline = false;
        return CharChanged();
    case Act::Script:
        c.script = e->value;
        return CharChanged();
    case Act::Font:
        c.font = hasParam ? n : 0;
        return CharChanged();
    case Act::FontSize:
        c.halfPoints = hasParam && n > 0 ? std::min(n, 3276) : 24;
        return CharChanged();
    case Act::Color:
        c.color = std::max(n, 0);
        c.colorSaid = true;
        return CharChanged();
    case Act::Plain: {
        const int font = c.font;
        c = CharState();
        c.font = font >= 0 ? m_deff : -1;
        return CharChanged();
    }
    case Act::DefaultFont:
        m_deff = n;
        return CharChanged();
    case Act::AnsiCodePage:
        if (hasParam && n > 0)
            m_ansiCodePage = n;
        return;
    case Act::DefaultTab:
        // A document's own setting; text read into other text keeps that text's.
        if (m_wholeDoc && hasParam && n > 0)
            RtfSetDefaultTab(*m_cursor.document(), std::min(n, kMaxIndent));
        return;
    case Act::UnicodeSkip:
        m_st.uc = std::clamp(n, 0, 10);
        return;
    case Act::Unicode: {
        // A signed 16-bit value; one outside that range names no character.
        const int code = n < 0 ? n + 65536 : n;
        if (code >= 0 && code <= 0xFFFF)
            AddUnit(static_cast<char16_t>(code));
        m_ucSkip = m_st.uc;
        return;
    }
    case Act::ParagraphDefault:
        p = ParaState();
        return;
    case Act::Align:
        p.align = e->value;
        return;
    case Act::LeftIndent:
        p.left = indent;
        return;
    case Act::FirstIndent:
        p.first = indent;
        return;
    case Act::RightIndent:
        p.right = indent;
        return;
    case Act::TabKind:
        p.tabKind = e->value;
        return;
    case Act::TabStop:
        if (n >= 0 && p.tabs.size() < 32)
            p.tabs.append(std::min(n, 0xFFFFFF) | (p.tabKind << 24));
        p.tabKind = 0;
        return;
    case Act::Paragraph:
        return Par();
    case Act::LineBreak:
        return LineBreak();
    case Act::Character:
        return AddUnit(static_cast<char16_t>(e->value));
    }
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
    if (b >= 0x80) {
        if (const char16_t u = DecodeByte(b))
            return AddUnit(u);
    }
    AddUnit(static_cast<char16_t>(cp1252::ToUnicode(b)));
}

char16_t CRtfReader::DecodeByte(unsigned char b)
{
    // A byte of text is in its font's character set, else in the document's code page.
    const FontEntry* font = FindFont(m_st.chr.font);
    int page = font ? CodePageOfCharset(font->charSet) : 0;
    if (page == 0 && (!font || font->charSet == 0 || font->charSet == 1))
        page = m_ansiCodePage;
    return DecodeCodePageByte(page, b);
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

void CRtfReader::LineBreak()
{
    // Dropped where a character would be (hidden text, a skipped group).
    if (m_st.dest != Dest::Normal || m_st.chr.hidden)
        return;
    Flush();
    MaterializePar();
    // The line after the break goes on in a block of its own, of the same paragraph.
    QTextBlockFormat next = m_cursor.blockFormat();
    RtfSetContinuesParagraph(next, true, RtfGetDefaultTab(*m_cursor.document()));
    m_cursor.insertBlock(next, MakeCharFormat());
    m_split = true;
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
    SetParagraphFormat(MakeBlockFormat(para));
    if (m_cursor.block().length() <= 1)
        m_cursor.setBlockCharFormat(mark);
}

void CRtfReader::SetParagraphFormat(const QTextBlockFormat& fmt)
{
    const int nDefaultTab = RtfGetDefaultTab(*m_cursor.document());
    for (QTextBlock b = m_cursor.block(); b.isValid(); b = b.previous()) {
        const bool bContinues = RtfContinuesParagraph(b.blockFormat());
        QTextBlockFormat f = fmt;
        RtfSetContinuesParagraph(f, false, nDefaultTab);
        RtfSetContinuesParagraph(f, bContinues, nDefaultTab);
        QTextCursor(b).setBlockFormat(f);
        if (!bContinues)
            break;
    }
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
        if (!m_wholeDoc && !m_cursor.atEnd()) {
            QTextBlockFormat rest = m_hostBlock;
            RtfSetContinuesParagraph(rest, false, RtfGetDefaultTab(*m_cursor.document()));
            m_cursor.insertBlock(rest, m_hostMark);
        }
    } else if (m_wholeDoc) {
        EndParagraph(m_st.para, MakeCharFormat());
    } else if (m_split) {
        // The text read after its last mark joins the paragraph it went into, which keeps its format.
        SetParagraphFormat(m_hostBlock);
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

} // namespace

BOOL ReadRtf(const CString& rtf, QTextCursor& cursor, const QTextCharFormat& base)
{
    CRtfReader reader(rtf, cursor, base);
    return reader.Run();
}
