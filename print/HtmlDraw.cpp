#include "print/HtmlDraw.h"

#include "controls/OldProgressDlg.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "platform/core/CodePage.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/core/Time.h"
#include "platform/ui/QtString.h"
#include "render/FontMgr.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace {

// Progress positions of the phases (the window's range is 0 to 60).
constexpr int kRange = 60;
constexpr int kTreeEnd = 30;
constexpr int kElementsEnd = 55;
// Tokens between two looks at the cancel button.
constexpr long kTokensPerStep = 4096;
// The longest control word read; longer ones are read whole and cut.
constexpr int kMaxWordLength = 32;
// Font sizes kept to what a rich-edit control can hold, in half points.
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;

// A character that stands in a page's text as it is.
bool IsPlainTextByte(char c)
{
    return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>';
}

// A face as CSS may hold it between quotes: nothing that ends the string, the rule or the
// style element.
CString CssFace(const CString& face)
{
    CString out;
    for (int i = 0; i < face.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(face[i]);
        if (c < 0x20 || std::strchr("\"'\\<>{};", c))
            continue;
        out += face[i];
    }
    out.Trim();
    return out;
}

// Groups whose text is not the document's.
bool IsSkippedDestination(const CString& word)
{
    static const char* const kSkipped[] = {
        "stylesheet", "info",      "pict",        "object",     "header",    "headerl",   "headerr",
        "headerf",    "footer",    "footerl",     "footerr",    "footerf",   "listtable", "listoverridetable",
        "rsidtbl",    "generator", "themedata",   "colorschememapping", "latentstyles", "datastore",
        "xmlnstbl",   "filetbl",   "revtbl",      "fldinst",    "footnote",  "annotation", "private"};
    for (const char* s : kSkipped)
        if (word == s)
            return true;
    return false;
}

CString HalfPointsText(int halfPoints)
{
    return halfPoints % 2 ? CString::Formatted("%d.5", halfPoints / 2) : CString::Formatted("%d", halfPoints / 2);
}

} // namespace

struct CHtmlDraw::State {
    enum Dest { Normal, Markup };
    Dest dest = Normal;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int script = 0;  // 1 superscript, 2 subscript
    int align = 0;   // 1 left, 2 centre, 3 right
    int color = -1;
    int font = -1;
    int halfPoints = -1;
    int uc = 1;       // fallback characters after "\u"
    int skip = 0;     // fallback characters still to skip
};

CHtmlDraw::CHtmlDraw(BOOL bProgress, LPCSTR title) : m_bProgress(bProgress), m_csTitle(title ? title : "") {}

CHtmlDraw::~CHtmlDraw() = default;

BOOL CHtmlDraw::Input(const CString& rtf)
{
    // Escaped braces stay in the RTF as they are: the reader takes them for text, so no stand-in
    // word is needed that a user could type.
    m_csRtf = rtf;
    m_bCancel = FALSE;
    m_bError = FALSE;
    m_bDone = FALSE;
    try {
        ConvertRTF2HTML();
    } catch (const std::bad_alloc&) {
        LogOutput("HTML Gen : Failed to alloc", LOG_ERROR, LOG_HERE);
        m_bError = TRUE;
    }
    m_pProgress.reset();
    m_pRoot.reset();
    m_items.clear();
    m_items.shrink_to_fit();
    m_bDone = !m_bCancel && !m_bError;
    return m_bDone;
}

BOOL CHtmlDraw::Output(CString& html) const
{
    if (!m_bDone)
        return FALSE;
    html = m_csPage;
    return TRUE;
}

BOOL CHtmlDraw::IsCancelRequested()
{
    return m_pProgress && m_pProgress->IsCancelled();
}

void CHtmlDraw::ShowPhase(LPCSTR text, int nPos)
{
    if (!m_pProgress)
        return;
    if (text)
        m_pProgress->SetText(text);
    m_pProgress->SetPos(nPos);
}

void CHtmlDraw::Reset()
{
    m_csCodePage = "1252";
    m_csDefColor = "#000000";
    // Text the RTF gives no font shows in the document font, as the drawing engine shows it.
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, -1);
    const CString face = CssFace(lf.lfFaceName);
    const int points = CFontMgr::HeightToPoints(lf);
    m_csDefFace = face.IsEmpty() ? CString("Arial") : face;
    m_csDefSize = points > 0 ? CString::Formatted("%d", points) : CString("10");
    m_nDefFont = 0;
    m_bHasFontTable = FALSE;
    m_fonts.clear();
    m_colors.clear();
    m_items.clear();
    m_open.clear();
    m_highSurrogate = 0;
    m_bOpenValid = FALSE;
    m_csPage.Empty();
    m_nSteps = 0;
    m_pRoot = std::make_shared<CHtmlGroup>();
}

void CHtmlDraw::ConvertRTF2HTML()
{
    if (m_bProgress && IsMainThread()) {
        m_pProgress = std::make_unique<COldProgressDlg>("HTML Converter Component", "Startup...", kRange);
        m_pProgress->Create();
    }
    ShowPhase("Startup...", 0);
    if (IsCancelRequested()) {
        m_bCancel = TRUE;
        return;
    }

    CString rtf = m_csRtf;
    rtf.TrimRight();
    if (rtf.GetLength() <= 6 || rtf.Left(6) != "{\\rtf1" || rtf.Right(1) != "}") {
        LogOutput("CHtmlDraw::ConvertRTF2HTML() - invalid RTF format...", LOG_ERROR, LOG_HERE);
        LogOutput(HtmlPlainText(rtf.Left(64)), LOG_ERROR, LOG_HERE);
        m_bError = TRUE;
        return;
    }
    m_csRtf = rtf;
    Reset();

    ShowPhase("Building database...", 0);
    if (!BuildTree())
        return;

    ShowPhase("Creating elements...", kTreeEnd);
    State state;
    if (!Walk(*m_pRoot, state, 0))
        return;
    CloseTo(0);

    ShowPhase("Finalizing HTML...", kElementsEnd);
    if (IsCancelRequested()) {
        m_bCancel = TRUE;
        return;
    }
    if (!WritePage())
        return;
    ShowPhase(nullptr, kRange);
}

BOOL CHtmlDraw::BuildTree()
{
    const char* p = m_csRtf.GetString();
    const int n = m_csRtf.GetLength();
    std::vector<CHtmlGroup*> stack;
    // The outermost brace is the root group itself.
    int i = 1;
    stack.push_back(m_pRoot.get());
    int overflow = 0;  // braces opened past the bound, read into the group they stand in
    long tokens = 0;
    auto text = [&stack](char c) {
        std::vector<CHtmlToken>& t = stack.back()->tokens;
        if (t.empty() || t.back().kind != CHtmlToken::Text)
            t.push_back(CHtmlToken{});
        t.back().text += c;
    };
    auto word = [&stack](const CString& w, BOOL hasParam, int param) {
        CHtmlToken tok;
        tok.kind = CHtmlToken::Word;
        tok.text = w;
        tok.bHasParam = hasParam;
        tok.nParam = param;
        stack.back()->tokens.push_back(std::move(tok));
    };

    while (i < n) {
        if (++tokens % kTokensPerStep == 0) {
            ShowPhase(nullptr, static_cast<int>(static_cast<long long>(i) * kTreeEnd / n));
            if (IsCancelRequested()) {
                m_bCancel = TRUE;
                return FALSE;
            }
        }
        const char c = p[i];
        if (c == '{') {
            ++i;
            if (static_cast<int>(stack.size()) >= kMaxDepth) {
                ++overflow;
                continue;
            }
            CHtmlToken tok;
            tok.kind = CHtmlToken::Group;
            tok.group = std::make_shared<CHtmlGroup>();
            CHtmlGroup* child = tok.group.get();
            stack.back()->tokens.push_back(std::move(tok));
            stack.push_back(child);
            continue;
        }
        if (c == '}') {
            ++i;
            if (overflow > 0)
                --overflow;
            else if (stack.size() > 1)
                stack.pop_back();
            // A brace that closes more than was opened is dropped.
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            // A run of text up to the next brace, backslash or line end goes in whole.
            int e = i + 1;
            while (e < n && p[e] != '{' && p[e] != '}' && p[e] != '\\' && p[e] != '\r' && p[e] != '\n')
                ++e;
            std::vector<CHtmlToken>& t = stack.back()->tokens;
            if (t.empty() || t.back().kind != CHtmlToken::Text)
                t.push_back(CHtmlToken{});
            t.back().text += CString(p + i, e - i);
            i = e;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= n)
            break;
        const char d = p[i];
        if (IsAsciiLetterByte(d)) {
            const int start = i;
            while (i < n && IsAsciiLetterByte(p[i]))
                ++i;
            const CString w(p + start, std::min(i - start, kMaxWordLength));
            BOOL hasParam = FALSE;
            long long value = 0;
            bool negative = false;
            if (i < n && p[i] == '-' && i + 1 < n && IsDigitByte(p[i + 1])) {
                negative = true;
                ++i;
            }
            while (i < n && IsDigitByte(p[i])) {
                hasParam = TRUE;
                if (value < 1000000000000LL)
                    value = value * 10 + (p[i] - '0');
                ++i;
            }
            if (i < n && p[i] == ' ')
                ++i;
            value = std::min<long long>(value, 2147483647LL);
            const int param = static_cast<int>(negative ? -value : value);
            if (w == "bin") {
                // Binary data: its bytes are no text, whatever they look like.
                i += static_cast<int>(std::min<long long>(std::max(param, 0), n - i));
                continue;
            }
            word(w, hasParam, param);
            continue;
        }
        if (d == '\'') {
            if (i + 2 < n && HexDigitValue(p[i + 1]) >= 0 && HexDigitValue(p[i + 2]) >= 0) {
                word("'", TRUE, HexDigitValue(p[i + 1]) * 16 + HexDigitValue(p[i + 2]));
                i += 3;
            } else {
                // A truncated escape stands for nothing.
                i = std::min(i + 1, n);
            }
            continue;
        }
        ++i;
        if (d == '\\' || d == '{' || d == '}')
            text(d);
        else if (d == '\r' || d == '\n')
            word("par", FALSE, 0);
        else if (d == '~' || d == '_' || d == '*')
            word(CString(d), FALSE, 0);
        // Other symbols (optional hyphen, formula, index marks) show nothing.
    }
    return TRUE;
}

void CHtmlDraw::ReadFontTable(const CHtmlGroup& group, int nDepth, int& nFont)
{
    CString face;
    bool inEntry = false;
    auto finish = [&] {
        if (inEntry) {
            CString f = face;
            f.Trim();
            m_fonts[nFont].face = f;
        }
        face.Empty();
        inEntry = false;
    };
    for (size_t k = 0; k < group.tokens.size(); ++k) {
        const CHtmlToken& tok = group.tokens[k];
        if (tok.kind == CHtmlToken::Group) {
            const std::vector<CHtmlToken>& sub = tok.group->tokens;
            // Alternative names, panose numbers and the like are no part of the face.
            if (!sub.empty() && sub[0].kind == CHtmlToken::Word && sub[0].text == "*")
                continue;
            if (nDepth < kMaxDepth)
                ReadFontTable(*tok.group, nDepth + 1, nFont);
            continue;
        }
        if (tok.kind == CHtmlToken::Word) {
            if (tok.text == "f" && tok.bHasParam) {
                nFont = tok.nParam;
                m_fonts[nFont];
                inEntry = true;
                face.Empty();
            } else if (tok.text == "fcharset" && inEntry) {
                m_fonts[nFont].charset = tok.nParam;
            } else if (tok.text == "'" && inEntry) {
                face += static_cast<char>(tok.nParam);
            }
            continue;
        }
        for (int c = 0; c < tok.text.GetLength(); ++c) {
            if (tok.text[c] == ';')
                finish();
            else if (inEntry)
                face += tok.text[c];
        }
    }
    finish();
}

void CHtmlDraw::ReadColorTable(const CHtmlGroup& group)
{
    int rgb[3] = {0, 0, 0};
    bool any = false;
    for (const CHtmlToken& tok : group.tokens) {
        if (tok.kind == CHtmlToken::Word) {
            const int v = std::clamp(tok.nParam, 0, 255);
            if (tok.text == "red")
                rgb[0] = v, any = true;
            else if (tok.text == "green")
                rgb[1] = v, any = true;
            else if (tok.text == "blue")
                rgb[2] = v, any = true;
            continue;
        }
        if (tok.kind != CHtmlToken::Text)
            continue;
        for (int c = 0; c < tok.text.GetLength(); ++c) {
            if (tok.text[c] != ';')
                continue;
            // The automatic colour (an entry without values) is the text's own: no element.
            m_colors.push_back(any ? CString::Formatted("#%02x%02x%02x", rgb[0], rgb[1], rgb[2]) : CString());
            rgb[0] = rgb[1] = rgb[2] = 0;
            any = false;
        }
    }
}

char32_t CHtmlDraw::DecodeByte(unsigned char b, const State& state) const
{
    if (b < 0x80)
        return b;
    // A byte is a character of its font's character set, else of the document's code page.
    int codePage = 0;
    if (state.font >= 0 || !m_fonts.empty()) {
        auto it = m_fonts.find(state.font >= 0 ? state.font : m_nDefFont);
        if (it != m_fonts.end())
            codePage = CodePageOfCharset(it->second.charset);
    }
    if (codePage == 0)
        codePage = std::atoi(m_csCodePage);
    if (codePage != 1252 && codePage > 0) {
        const char16_t u = DecodeCodePageByte(codePage, b);
        if (u)
            return u;
    }
    return cp1252::ToUnicode(b);
}

std::vector<CHtmlDraw::Element> CHtmlDraw::Wanted(const State& state) const
{
    std::vector<Element> out;
    if (state.align >= 1 && state.align <= 3) {
        static const char* const kAlign[] = {"\"left\"", "\"center\"", "\"right\""};
        out.push_back({"font", {{"align", kAlign[state.align - 1]}}});
    }
    if (state.color >= 0 && state.color < static_cast<int>(m_colors.size()) && !m_colors[state.color].IsEmpty())
        out.push_back({"font", {{"color", "\"" + m_colors[state.color] + "\""}}});
    if (state.font >= 0 || state.halfPoints >= 0 || !m_bHasFontTable) {
        CString face = m_csDefFace;
        auto it = m_fonts.find(state.font >= 0 ? state.font : m_nDefFont);
        if (it != m_fonts.end() && !CssFace(it->second.face).IsEmpty())
            face = CssFace(it->second.face);
        const CString size = state.halfPoints >= 0 ? HalfPointsText(state.halfPoints) : m_csDefSize;
        out.push_back({"font", {{"style", "\"font-size: " + size + "pt; font-family:" + HtmlEscape(face, TRUE) + ";\""}}});
    }
    if (state.bold)
        out.push_back({"b", {}});
    if (state.italic)
        out.push_back({"i", {}});
    if (state.underline)
        out.push_back({"u", {}});
    if (state.script == 1)
        out.push_back({"sup", {}});
    else if (state.script == 2)
        out.push_back({"sub", {}});
    return out;
}

void CHtmlDraw::CloseTo(size_t nKeep)
{
    if (m_open.size() > nKeep)
        m_bOpenValid = FALSE;
    while (m_open.size() > nKeep) {
        CHtmlItem item;
        item.kind = CHtmlItem::EndTag;
        item.text = m_open.back().tag;
        m_items.push_back(std::move(item));
        m_open.pop_back();
    }
}

size_t CHtmlDraw::OpenAsWanted(const std::vector<Element>& wanted) const
{
    size_t same = 0;
    while (same < wanted.size() && same < m_open.size() && wanted[same] == m_open[same])
        ++same;
    return same;
}

void CHtmlDraw::Reconcile(const State& state)
{
    // The open elements stand for the state they were opened for until something closes one.
    const std::array<int, 8> key = {state.align, state.color, state.font, state.halfPoints, state.bold,
                                  state.italic, state.underline, state.script};
    if (m_bOpenValid && key == m_openKey)
        return;
    const std::vector<Element> wanted = Wanted(state);
    const size_t same = OpenAsWanted(wanted);
    CloseTo(same);
    for (size_t k = same; k < wanted.size(); ++k) {
        CHtmlItem item;
        item.kind = CHtmlItem::StartTag;
        item.text = wanted[k].tag;
        item.attributes = wanted[k].attributes;
        m_items.push_back(std::move(item));
        m_open.push_back(wanted[k]);
    }
    m_openKey = key;
    m_bOpenValid = TRUE;
}

void CHtmlDraw::CloseUnwanted(const State& state)
{
    CloseTo(OpenAsWanted(Wanted(state)));
}

void CHtmlDraw::AddItemText(CHtmlItem::Kind kind, const CString& text)
{
    if (m_items.empty() || m_items.back().kind != kind) {
        CHtmlItem item;
        item.kind = kind;
        m_items.push_back(std::move(item));
    }
    m_items.back().text += text;
}

void CHtmlDraw::AddChar(char32_t ch, State& state)
{
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        if (m_highSurrogate)
            AddChar(0xFFFD, state);
        m_highSurrogate = ch;
        return;
    }
    if (ch >= 0xDC00 && ch <= 0xDFFF) {
        ch = m_highSurrogate ? 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (ch - 0xDC00) : 0xFFFD;
        m_highSurrogate = 0;
    } else if (m_highSurrogate) {
        m_highSurrogate = 0;
        AddChar(0xFFFD, state);
    }
    if (ch == '\t')
        ch = ' ';
    if (ch < 0x20 || ch == 0x7F)
        return;
    if (state.dest == State::Markup) {
        AddMarkupChar(ch);
        return;
    }
    Reconcile(state);
    switch (ch) {
    case '&': AddItemText(CHtmlItem::Text, "&amp;"); break;
    case '<': AddItemText(CHtmlItem::Text, "&lt;"); break;
    case '>': AddItemText(CHtmlItem::Text, "&gt;"); break;
    default:
        if (ch < 0x80 && !m_items.empty() && m_items.back().kind == CHtmlItem::Text)
            m_items.back().text += static_cast<char>(ch);
        else if (ch < 0x80)
            AddItemText(CHtmlItem::Text, CString(static_cast<char>(ch)));
        else
            AddItemText(CHtmlItem::Text, CString::Formatted("&#x%x;", static_cast<unsigned>(ch)));
    }
}

void CHtmlDraw::AddMarkupChar(char32_t ch)
{
    // The program's markup stands outside the text's elements.
    CloseTo(0);
    if (ch < 0x80)
        AddItemText(CHtmlItem::Markup, CString(static_cast<char>(ch)));
    else
        AddItemText(CHtmlItem::Markup, CString::Formatted("&#x%x;", static_cast<unsigned>(ch)));
}

BOOL CHtmlDraw::Walk(const CHtmlGroup& group, State& state, int nDepth)
{
    size_t k = 0;
    const std::vector<CHtmlToken>& tokens = group.tokens;
    // A destination: the program's markup, a table of the header, or text that is not shown.
    if (!tokens.empty() && tokens[0].kind == CHtmlToken::Word) {
        if (tokens[0].text == "*") {
            if (tokens.size() > 1 && tokens[1].kind == CHtmlToken::Word && tokens[1].text == HTML_MARKUP_DESTINATION) {
                state.dest = State::Markup;
                k = 2;
            } else {
                return TRUE;
            }
        } else if (tokens[0].text == "fonttbl") {
            m_bHasFontTable = TRUE;
            m_bOpenValid = FALSE;
            int font = 0;
            ReadFontTable(group, nDepth, font);
            return TRUE;
        } else if (tokens[0].text == "colortbl") {
            m_bOpenValid = FALSE;
            ReadColorTable(group);
            return TRUE;
        } else if (IsSkippedDestination(tokens[0].text)) {
            return TRUE;
        }
    }
    const bool markup = state.dest == State::Markup;
    for (; k < tokens.size(); ++k) {
        if (++m_nSteps % kTokensPerStep == 0) {
            COldProgressDlg::PumpMessages();
            if (IsCancelRequested()) {
                m_bCancel = TRUE;
                return FALSE;
            }
        }
        const CHtmlToken& tok = tokens[k];
        if (tok.kind == CHtmlToken::Group) {
            State inner = state;
            inner.skip = 0;
            if (!Walk(*tok.group, inner, nDepth + 1))
                return FALSE;
            if (!markup)
                CloseUnwanted(state);
            continue;
        }
        if (tok.kind == CHtmlToken::Text) {
            const char* t = tok.text.GetString();
            const int len = tok.text.GetLength();
            for (int c = 0; c < len;) {
                if (state.skip > 0) {
                    --state.skip;
                    ++c;
                    continue;
                }
                // A run of characters that need no escape goes in whole.
                int e = c;
                while (!markup && !m_highSurrogate && e < len && IsPlainTextByte(t[e]))
                    ++e;
                if (e > c) {
                    Reconcile(state);
                    AddItemText(CHtmlItem::Text, CString(t + c, e - c));
                    c = e;
                    continue;
                }
                AddChar(DecodeByte(static_cast<unsigned char>(t[c]), state), state);
                ++c;
            }
            continue;
        }
        const CString& w = tok.text;
        const int n = tok.nParam;
        const bool on = !tok.bHasParam || n != 0;
        if (w == "'") {
            if (state.skip > 0)
                --state.skip;
            else
                AddChar(DecodeByte(static_cast<unsigned char>(n), state), state);
        } else if (w == "u" && tok.bHasParam) {
            // "\uN" is a UTF-16 unit, negative above 32767; its fallback characters follow.
            const char32_t unit = static_cast<char32_t>(n < 0 ? n + 65536 : n) & 0xFFFF;
            if (!markup && unit >= 0x80 && !(unit >= 0xD800 && unit <= 0xDFFF) && !m_highSurrogate) {
                Reconcile(state);
                AddItemText(CHtmlItem::Text, CString::Formatted("&#%u;", static_cast<unsigned>(unit)));
            } else {
                AddChar(unit, state);
            }
            state.skip = state.uc;
        } else if (w == "uc") {
            state.uc = std::clamp(n, 0, 16);
        } else if (w == "ansicpg") {
            if (n > 0 && n < 100000)
                m_csCodePage = CString::Formatted("%d", n);
        } else if (w == "deff") {
            m_nDefFont = n;
        } else if (w == "tab" || w == "cell") {
            AddChar(' ', state);
        } else if (w == "par" || w == "line" || w == "row") {
            if (markup) {
                AddMarkupChar('\n');
            } else {
                CHtmlItem item;
                item.kind = CHtmlItem::StartTag;
                item.text = "br";
                m_items.push_back(std::move(item));
            }
        } else if (w == "~") {
            AddChar(0xA0, state);
        } else if (w == "_") {
            AddChar('-', state);
        } else if (w == "b") {
            state.bold = on;
        } else if (w == "i") {
            state.italic = on;
        } else if (w == "ul") {
            state.underline = on;
        } else if (w == "ulnone") {
            state.underline = false;
        } else if (w == "super") {
            state.script = 1;
        } else if (w == "sub") {
            state.script = 2;
        } else if (w == "nosupersub") {
            state.script = 0;
        } else if (w == "plain") {
            state.bold = state.italic = state.underline = false;
            state.script = 0;
            state.font = state.halfPoints = state.color = -1;
        } else if (w == "pard") {
            state.align = 0;
        } else if (w == "ql") {
            state.align = 1;
        } else if (w == "qc") {
            state.align = 2;
        } else if (w == "qr") {
            state.align = 3;
        } else if (w == "qj") {
            state.align = 0;
        } else if (w == "cf") {
            state.color = tok.bHasParam ? n : -1;
        } else if (w == "f") {
            state.font = tok.bHasParam ? n : -1;
        } else if (w == "fs") {
            state.halfPoints = tok.bHasParam ? std::clamp(n, kMinHalfPoints, kMaxHalfPoints) : -1;
        }
        // Every other control word is dropped.
    }
    return TRUE;
}

CString CHtmlDraw::MakeFontStyles(LPCSTR tag)
{
    CString out = "\n<STYLE TYPE=\"text/css\">\n";
    for (int slot = 0; slot < FM_COUNT; ++slot) {
        LOGFONT lf;
        CFontMgr::GetSlotLogFont(lf, slot);
        out += CString(tag) + "." + CFontMgr::GetSlotClassName(slot) + "  ";
        out += CString::Formatted(
            "{ font-style: %s; text-decoration: %s; font-weight: %s; font-size: %dpt; font-family:\"%s\";}  ",
            lf.lfItalic ? "italic" : "normal", lf.lfUnderline ? "underline" : "none",
            lf.lfWeight >= 700 ? "bold" : "normal", CFontMgr::HeightToPoints(lf), CssFace(lf.lfFaceName).GetString());
        out += "\n";
    }
    out += "</STYLE>\r\n";
    return out;
}

BOOL CHtmlDraw::WritePage()
{
    auto itemLength = [](const CHtmlItem& item) {
        size_t n = 0;
        switch (item.kind) {
        case CHtmlItem::StartTag:
            n = 2 + item.text.GetLength();
            for (const auto& [name, value] : item.attributes)
                n += 4 + name.GetLength() + value.GetLength();
            break;
        case CHtmlItem::EndTag: n = 3 + item.text.GetLength(); break;
        default: n = item.text.GetLength();
        }
        return n;
    };
    size_t size = 0;
    for (const CHtmlItem& item : m_items)
        size += itemLength(item);

    std::string body;
    try {
        body.reserve(size);
    } catch (const std::bad_alloc&) {
        LogOutput("HTML Gen : Failed to alloc", LOG_ERROR, LOG_HERE);
        m_bError = TRUE;
        return FALSE;
    }
    for (const CHtmlItem& item : m_items) {
        switch (item.kind) {
        case CHtmlItem::StartTag:
            body += '<';
            body += item.text.GetString();
            for (const auto& [name, value] : item.attributes) {
                body += ' ';
                body += name.GetString();
                body += " = ";
                body += value.GetString();
            }
            body += '>';
            break;
        case CHtmlItem::EndTag:
            body += "</";
            body += item.text.GetString();
            body += '>';
            break;
        default: body += item.text.GetString();
        }
    }

    CString page = "<html>\r\n";
    page += "  <head>\r\n";
    page += "     <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-" + m_csCodePage + "\">\r\n";
    page += "     <title>" + HtmlEscape(HtmlPlainText(m_csTitle)) + "</title>\r\n";
    page += MakeFontStyles("TD");
    page += MakeFontStyles("FONT");
    page += "  </head>\r\n";
    page += "  <body>\r\n";
    page += CString(std::move(body));
    page += "  </body>\r\n";
    page += "</html>\r\n";
    m_csPage = std::move(page);
    return TRUE;
}

BOOL OutputRECToHtmlFile(LPCSTR rtf, LPCSTR path, LPCSTR title, int bProgress)
{
    CHtmlDraw draw(bProgress, title);
    if (!draw.Input(rtf ? rtf : "")) {
        if (!draw.IsCancelled())
            LogOutput("::OutputRECToHtmlFile() - failed to Input RTF", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CString html;
    if (!draw.Output(html)) {
        LogOutput("::OutputRECToHtmlFile() - failed to Output HTML", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (!WriteTextFile(html, path)) {
        LogOutput(CString("Cannot open file ") + (path ? path : "") + " for output.", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}
