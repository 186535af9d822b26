#include "render/RtfDraw3.h"

#include "foundation/Parse.h"
#include "platform/core/CodePage.h"
#include "platform/core/KeywordTable.h"
#include "platform/ui/QtString.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3Internal.h"
#include "render/RtfSyntax.h"
#include "res/ids/Rtf.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

// The scanner and the grammar of the engine: tokenizer, header, font table and body.

using namespace rtfdraw3;

namespace rtfdraw3 {

CWord SplitWord(const CString& text)
{
    CWord w;
    const int len = text.GetLength();
    int i = 0;
    while (i < len && IsLower(text[i]))
        ++i;
    w.letters = text.Left(i);
    int j = i < len && text[i] == '-' ? i + 1 : i;
    int k = j;
    while (k < len && IsDigitByte(static_cast<unsigned char>(text[k])))
        ++k;
    if (k > j) {
        w.bNum = true;
        // Numbers too long for an int read as 0, as the tokenizer's own numbers do.
        if (k - j <= 10) {
            const long long v = std::strtoll(text.Mid(i, k - i), nullptr, 10);
            if (v >= INT_MIN && v <= INT_MAX)
                w.n = static_cast<int>(v);
        }
        i = k;
    }
    w.rest = text.Mid(i);
    return w;
}

// The caller writes the current token's record itself: the token's own recording is skipped
// once. Returns the state before (0 while recording is paused, and then nothing changes).
int SkipTokenRecordOnce(CParse& parse)
{
    const int nOld = parse.SetRecordState(2);
    if (nOld == 0)
        parse.SetRecordState(0);
    return nOld;
}

// The tokenizer is shared by every call: one call at a time uses it. The lock is the font
// manager's, so that the engine and the font manager never wait on each other in turn.
std::recursive_mutex& EngineLock()
{
    return CFontMgr::Mutex();
}

} // namespace rtfdraw3

namespace {

// The family word of the family bits of a pitch-and-family byte.
const char* FamilyWord(BYTE family)
{
    switch (family & 0xF0) {
    case FF_ROMAN: return "froman";
    case FF_SWISS: return "fswiss";
    case FF_MODERN: return "fmodern";
    case FF_SCRIPT: return "fscript";
    case FF_DECORATIVE: return "fdecor";
    default: return "fnil";
    }
}

// The family bits of a family word; -1 for a word that is none.
int FamilyOfWord(const CString& word)
{
    static const struct {
        const char* word;
        int family;
    } kFamilies[] = {
        {"fnil", FF_DONTCARE}, {"froman", FF_ROMAN}, {"fswiss", FF_SWISS}, {"fmodern", FF_MODERN},
        {"fscript", FF_SCRIPT}, {"fdecor", FF_DECORATIVE}, {"ftech", FF_DONTCARE}, {"fbidi", FF_DONTCARE},
    };
    for (const auto& f : kFamilies)
        if (word == f.word)
            return f.family;
    return -1;
}

// Header groups that are skipped, each at most once.
bool IsSkippedHeaderGroup(const CString& word)
{
    static const char* const kNames[] = {"colortbl", "stylesheet", "filetbl", "listtable",
                                         "revtbl",   "pgptbl",     "rsidtbl", "generator"};
    for (const char* name : kNames)
        if (word == name)
            return true;
    return false;
}

// A face name as the font table holds it: what would end or open something there, and the
// bytes outside printable ASCII, escaped.
CString EscapeFaceName(const CString& face)
{
    CString out;
    for (char ch : face.str()) {
        if (ch == ';')
            out += "\\'3b";  // a bare one would end the entry
        else
            AppendRtfEscapedByte(out, static_cast<unsigned char>(ch));
    }
    return out;
}

// Groups of the body that are never drawn: hidden text, footnotes, paragraph numbering,
// headers and footers, pictures, a field's instruction (its result is the text), destinations
// marked ignorable with "\*", and header groups that come late (a second colour table ends the
// header).
bool IsSkippedBodyGroup(const CString& word)
{
    return word == "footnote" || word.Left(2) == "pn" || word.Left(6) == "header" ||
           word.Left(6) == "footer" || word == "pict" || word == "*" || word == "info" || word == "fonttbl" ||
           word == "fldinst" || IsSkippedHeaderGroup(word);
}

// What a control word of the body does.
enum class Keyword {
    None,
    Quote,
    Font,
    Break,
    Tab,
    DefaultFont,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Super,
    Sub,
    NoSuperSub,
    StyleKept,
    SizeKept,
    HeaderFooter,
    Binary,
    Hidden,
    Unicode,
    UnicodeSkip,
    AnsiCodePage,
    Cell,
    DefTab,
    FirstIndent,
    LeftIndent,
    ParagraphDefault,
};

// Sorted by word, for a binary search.
constexpr struct {
    std::string_view word;
    Keyword kw;
} kKeywords[] = {
    {"ansicpg", Keyword::AnsiCodePage},
    {"b", Keyword::Bold},
    {"bin", Keyword::Binary},
    {"bullet", Keyword::Quote},
    {"cell", Keyword::Cell},
    {"deff", Keyword::DefaultFont},
    {"deftab", Keyword::DefTab},
    {"embo", Keyword::SizeKept},
    {"emdash", Keyword::Quote},
    {"endash", Keyword::Quote},
    {"f", Keyword::Font},
    {"fi", Keyword::FirstIndent},
    {"footer", Keyword::HeaderFooter},
    {"fs", Keyword::FontSize},
    {"header", Keyword::HeaderFooter},
    {"i", Keyword::Italic},
    {"ldblquote", Keyword::Quote},
    {"li", Keyword::LeftIndent},
    {"line", Keyword::Break},
    {"lquote", Keyword::Quote},
    {"nosupersub", Keyword::NoSuperSub},
    {"par", Keyword::Break},
    {"pard", Keyword::ParagraphDefault},
    {"rdblquote", Keyword::Quote},
    {"row", Keyword::Break},  // a table row ends as a paragraph does
    {"rquote", Keyword::Quote},
    {"sect", Keyword::Break},
    {"shad", Keyword::StyleKept},
    {"sub", Keyword::Sub},
    {"super", Keyword::Super},
    {"tab", Keyword::Tab},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"ul", Keyword::Underline},
    {"ulnone", Keyword::UnderlineNone},
    {"v", Keyword::Hidden},
};

static_assert(IsKeywordTableSorted(kKeywords), "the keyword table is searched by halves");

// The Windows-1252 character of a typographic symbol word.
char QuoteCharacter(const CString& word)
{
    static constexpr struct {
        std::string_view word;
        char c;
    } kChars[] = {{"bullet", '\x95'}, {"emdash", '\x97'}, {"endash", '\x96'}, {"ldblquote", '\x93'},
                  {"lquote", '\x91'}, {"rdblquote", '\x94'}, {"rquote", '\x92'}};
    for (const auto& k : kChars)
        if (k.word == word.GetString())
            return k.c;
    return '?';
}

Keyword LookUpKeyword(const CString& word)
{
    const auto* e = FindKeyword(kKeywords, std::string_view(word.GetString(), static_cast<size_t>(word.GetLength())));
    return e ? e->kw : Keyword::None;
}

void BuildTokenizer(CParse& p)
{
    p.Reset();
    // The printable characters, and the code page's upper half that text may hold unescaped;
    // the curly quotes there are delimiters.
    CString alphabet;
    CParse::GetDefaultAlphabet(alphabet);
    for (int c = 0x80; c <= 0xFF; ++c)
        if (c != 0x93 && c != 0x94)
            alphabet += static_cast<char>(c);
    p.SetCharClasses(alphabet, "{}\\;'\x93\x94");

    p.AddToken(IDS_RTF_LBRACE, TOK_LBRACE);
    p.AddToken(IDS_RTF_RBRACE, TOK_RBRACE);
    p.AddToken(IDS_RTF_BACKSLASH, TOK_BACKSLASH);
    p.AddToken(IDS_RTF_ANSI, TOK_ANSI);
    p.AddToken(IDS_RTF_FONTTBL, TOK_FONTTBL);
    p.AddToken(IDS_RTF_COLORTBL, TOK_COLORTBL);
    p.AddToken(IDS_RTF_PAR, TOK_PAR);
    p.AddToken(IDS_RTF_PARD, TOK_PARD);
    p.AddToken(IDS_RTF_TAB, TOK_TAB);
    p.AddToken(IDS_RTF_SEMICOLON, TOK_SEMICOLON);
    p.AddTokenString("", TOK_EMPTY);
    for (const char* family : {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi"})
        p.AddTokenString(family, TOK_FONTFAMILY);
    p.AddToken(IDS_RTF_STAR, TOK_STAR);
    p.AddToken(IDS_RTF_PANOSE, TOK_PANOSE);
    for (const char* charset : {"ansi", "mac", "pc", "pca"})
        p.AddTokenString(charset, TOK_CHARSET);
    p.AddTokenString("'", TOK_SINGLEQUOTE);
    p.AddTokenString(" ", TOK_SPACE);
    p.AddToken(IDS_RTF_INFO, TOK_INFO);
    p.AddToken(IDS_RTF_LDBLQUOTE, TOK_LDBLQUOTE);
    p.AddToken(IDS_RTF_RDBLQUOTE, TOK_RDBLQUOTE);
    p.AddTokenString("\x93", TOK_LDBLQUOTE);
    p.AddTokenString("\x94", TOK_RDBLQUOTE);
    static const char* const kFormatWords[] = {"b",     "b0",    "i",    "i0",    "ul",     "ul0",
                                               "ulnone", "super", "sub",  "nosupersub", "shad", "shad0",
                                               "embo",  "embo0", "header", "footer"};
    int id = TOK_B;
    for (const char* word : kFormatWords)
        p.AddTokenString(word, static_cast<WORD>(id++));

    const char kDigits[] = "0123456789";
    p.AddDelimitedToken("uc", "0123456789abcdefABCDEF", TOK_UNICODETAG);
    p.AddDelimitedToken("fs", kDigits, TOK_FONTSIZE);
    p.AddDelimitedToken("lang", kDigits, TOK_LANG);
    p.AddDelimitedToken("tx", kDigits, TOK_TX);
    p.AddDelimitedToken("viewkind", kDigits, TOK_VIEWKIND);
    p.AddDelimitedToken("f", kDigits, TOK_F);
    p.AddDelimitedToken("fcharset", kDigits, TOK_FCHARSET);
    p.AddDelimitedToken("deff", kDigits, TOK_DEFF);
    p.AddDelimitedToken("ansicpg", kDigits, TOK_ANSICPG);
    p.AddDelimitedToken("rtf", "0123456789.", TOK_RTFN);
    p.AddDelimitedToken("fprq", kDigits, TOK_FPRQ);

    const char kLower[] = "abcdefghijklmnopqrstuvwxyz";
    p.AddCharSetToken("abcdef", TOK_HEX_TAG);
    p.AddCharSetToken(kLower, TOK_TAG);
    p.AddCharSetToken("0123456789abcdefABCDEF", TOK_HEX);
    p.AddStartBodyToken(kLower, "0123456789abcdef", TOK_HEX_NUMTAG);
    p.AddStartBodyToken(kLower, "0123456789-", TOK_NUMTAG);
    p.AddAlphabetToken(TOK_TEXT);
    p.AddDelimiterSkips();
}


} // namespace

// ---------------------------------------------------------------------------------------------
// The tokenizer

CParse& CRtfDraw3::Tokenizer()
{
    static CParse& parse = []() -> CParse& {
        static CParse built;
        BuildTokenizer(built);
        return built;
    }();
    return parse;
}

// ---------------------------------------------------------------------------------------------
// Scanner

int CRtfDraw3::Next(UINT nMaxLen)
{
    return Tokenizer().NextToken(&m_pPos, &m_nRemaining, nMaxLen);
}

int CRtfDraw3::NextInContent()
{
    if (!m_pDC)
        return Next();
    int at = 0;
    PeekChar(&at);
    return Next(static_cast<UINT>(m_pText + at - m_pPos) + kMaxLaidOutWord);
}

void CRtfDraw3::Restore()
{
    Tokenizer().RestorePosition(&m_pPos, &m_nRemaining);
}

int CRtfDraw3::TokenStart() const
{
    // A split token's text holds the delimiters skipped before it; the token starts after them.
    const CString& text = Tokenizer().GetTokenText();
    LPCSTR p = m_pPos - text.GetLength();
    if (p < m_pText)
        p = m_pText;
    while (p < m_pPos && IsSkippedDelimiter(*p))
        ++p;
    return Offset(p);
}

CString CRtfDraw3::TokenText() const
{
    CString text = Tokenizer().GetTokenText();
    int i = 0;
    while (i < text.GetLength() && IsSkippedDelimiter(text[i]))
        ++i;
    return i ? text.Mid(i) : text;
}

char CRtfDraw3::PeekChar(int* pnAt) const
{
    LPCSTR p = m_pPos;
    while (p < m_pEnd && IsSkippedDelimiter(*p))
        ++p;
    if (pnAt)
        *pnAt = Offset(p);
    return p < m_pEnd ? *p : '\0';
}

CString CRtfDraw3::PeekWordAfter(int nAt) const
{
    LPCSTR p = m_pText + nAt + 1;
    while (p < m_pEnd && IsSkippedDelimiter(*p))
        ++p;
    if (p >= m_pEnd)
        return CString();
    if (!IsLower(*p))
        return CString(*p);
    LPCSTR q = p;
    while (q < m_pEnd && IsLower(*q))
        ++q;
    return CString(p, static_cast<int>(q - p));
}

void CRtfDraw3::TakeDelimiterBlank()
{
    // The blank after a control word belongs to the word.
    if (m_nRemaining > 0 && *m_pPos == ' ')
        Next();
}

// ---------------------------------------------------------------------------------------------
// Header

int CRtfDraw3::ParseHeader()
{
    if (Next() != TOK_BACKSLASH)
        return RTF_FAILURE;
    Next();
    if (SplitWord(TokenText()).letters != "rtf")
        return RTF_FAILURE;
    TakeDelimiterBlank();

    // RTF of other programs may have no font table ("{\\rtf1\\ansi Some text}"). Its body starts
    // after the version, in the document font, which its own words then change.
    if (!FontTableFollows()) {
        m_mapFace[0] = m_cszDocFace;
        m_mapPitchFamily[0] = m_nDocFamily;
        m_mapCharset[0] = m_nDocCharset;
        m_fmt.lf.lfHeight = m_nDocHeight;
        m_fmt.lf.lfWeight = m_bDocBold ? FW_BOLD : FW_NORMAL;
        m_fmt.lf.lfItalic = m_bDocItalic;
        m_fmt.lf.lfUnderline = m_bDocUnderline;
        return RTF_SUCCESS;
    }

    // Document control words up to the font table. The character set ("\\ansi") is one of them
    // wherever it stands, or left out: word processors write others before it ("\\adeflang").
    while (PeekChar() == '\\') {
        Next();
        CPiece ignored;
        int st = ControlWord(true, &ignored);
        if (st == RTF_FAILURE || st == RTF_END)
            return RTF_FAILURE;
    }
    if (Next() != TOK_LBRACE || Next() != TOK_BACKSLASH || Next() != TOK_FONTTBL)
        return RTF_FAILURE;
    TakeDelimiterBlank();
    if (ParseFontTable() != RTF_SUCCESS)
        return RTF_FAILURE;

    // Header groups after the font table: the colour table and its kind are skipped, each kind
    // once; the info group ends the header; any other group is already body content.
    for (;;) {
        int at = 0;
        if (PeekChar(&at) != '{')
            break;
        LPCSTR brace = m_pText + at;
        LPCSTR p = brace + 1;
        while (p < m_pEnd && IsSkippedDelimiter(*p))
            ++p;
        if (p >= m_pEnd || *p != '\\')
            break;
        const CString word = PeekWordAfter(Offset(p));
        const bool bInfo = word == "info";
        const bool bStarred = word == "*";
        if (!bInfo && !bStarred && (!IsSkippedHeaderGroup(word) || m_headerGroupsMet.count(word)))
            break;
        if (!bStarred)
            m_headerGroupsMet.insert(word);
        Next();  // the brace
        if (SkipGroup() != RTF_SUCCESS)
            return RTF_FAILURE;
        if (bInfo)
            break;
    }
    return RTF_SUCCESS;
}

bool CRtfDraw3::FontTableFollows() const
{
    LPCSTR p = m_pPos;
    for (;;) {
        while (p < m_pEnd && IsSkippedDelimiter(*p))
            ++p;
        if (p >= m_pEnd || *p != '\\')
            break;
        LPCSTR w = p + 1;
        while (w < m_pEnd && IsLower(*w))
            ++w;
        if (w == p + 1)
            return false;  // a control symbol is text of the body
        if (w < m_pEnd && *w == '-')
            ++w;
        while (w < m_pEnd && *w >= '0' && *w <= '9')
            ++w;
        if (w < m_pEnd && *w == ' ')
            ++w;
        p = w;
    }
    if (p >= m_pEnd || *p != '{')
        return false;
    ++p;
    while (p < m_pEnd && IsSkippedDelimiter(*p))
        ++p;
    return p < m_pEnd && *p == '\\' && PeekWordAfter(Offset(p)) == "fonttbl";
}

int CRtfDraw3::ParseFontTable()
{
    for (;;) {
        switch (Next()) {
        case TOK_RBRACE:
            return RTF_SUCCESS;
        case TOK_LBRACE:
            if (ParseFontEntry(true) != RTF_SUCCESS)
                return RTF_FAILURE;
            break;
        case TOK_BACKSLASH:
            // Entries need not stand in braces of their own.
            if (ParseFontEntry(false) != RTF_SUCCESS)
                return RTF_FAILURE;
            break;
        case TOK_SPACE:
            break;
        default:
            return RTF_FAILURE;
        }
    }
}

int CRtfDraw3::ParseFontEntry(bool bBraced)
{
    CParse& parse = Tokenizer();
    if (bBraced && Next() != TOK_BACKSLASH)
        return RTF_FAILURE;
    Next();
    const CWord fontWord = SplitWord(TokenText());
    if (fontWord.letters != "f" || !fontWord.bNum || !fontWord.rest.IsEmpty())
        return RTF_FAILURE;
    const int nFont = fontWord.n;
    // Word processors write a blank after the number ("{\\f0 \\fswiss Arial;}").
    TakeDelimiterBlank();

    // The entry is echoed as read up to its number, then rewritten from what was read. The
    // family may be left out, as it may be in any font table. What was read last is recorded
    // only when the next token is read, so the recording stops just after that token.
    int family = FF_DONTCARE;
    int at = 0;
    if (PeekChar(&at) == '\\')
        family = FamilyOfWord(SplitWord(PeekWordAfter(at)).letters);
    int nOldState = 0;
    if (family >= 0 && PeekChar() == '\\') {
        Next();
        nOldState = parse.SetRecordState(0);
        Next();
        TakeDelimiterBlank();
    } else {
        if (TokenText() != " ")
            parse.AppendRecord(TokenText());
        nOldState = parse.SetRecordState(0);
        family = FF_DONTCARE;
    }

    int nPitch = 0;
    BYTE nCharset = 0;
    bool bReplaced = false;
    // Attributes: pitch, charset, nested groups (panose) and starred words.
    for (;;) {
        int at = 0;
        const char c = PeekChar(&at);
        if (c == '{') {
            Next();
            if (SkipGroup() != RTF_SUCCESS)
                return RTF_FAILURE;
            continue;
        }
        if (c != '\\')
            break;
        const CString peek = PeekWordAfter(at);
        if (peek == "'")
            break;  // an escaped character of the face name
        Next();
        Next();
        const CWord w = SplitWord(TokenText());
        if (w.letters == "fprq") {
            nPitch = w.n;
            if (nPitch > 2) {
                nPitch = 0;
                bReplaced = true;
            }
        } else if (w.letters == "fcharset") {
            nCharset = static_cast<BYTE>(w.n);
        }
        if (!w.letters.IsEmpty())
            TakeDelimiterBlank();
    }

    // The face name: its words joined by one blank, up to the semicolon.
    CString face;
    bool bJoin = false;
    for (;;) {
        const int id = Next();
        if (id == TOK_SEMICOLON)
            break;
        if (id == 0 || id == TOK_EMPTY || id == TOK_RBRACE)
            return RTF_FAILURE;
        if (id == TOK_LBRACE) {
            if (SkipGroup() != RTF_SUCCESS)
                return RTF_FAILURE;
            continue;
        }
        if (id == TOK_SPACE) {
            bJoin = !face.IsEmpty();
            continue;
        }
        CString text = TokenText();
        if (id == TOK_BACKSLASH) {
            CPiece esc;
            if (ControlWord(true, &esc) != RTF_NOT_THIS)
                continue;
            text = esc.text;
        }
        if (bJoin)
            face += ' ';
        bJoin = false;
        face += text;
    }

    // Without the face option the marked entry keeps the face the text carries, yet stays the
    // document font, so size and styles still follow their options.
    const bool bKeepFace = m_bEchoOptions && !m_bApplyFont;
    bool bDocFont = bReplaced;
    if (!bDocFont && !bKeepFace && m_bFontList && !m_bHasFprq3 && m_nDocFontNum < 0 && !FaceInList(face))
        bDocFont = true;
    BYTE nFamily = static_cast<BYTE>(family);
    if (bDocFont) {
        if (!bKeepFace) {
            face = m_cszDocFace;
            nFamily = m_nDocFamily;
            nCharset = m_nDocCharset;
        }
        nPitch = m_nDocPitch;
        m_nDocFontNum = nFont;
    }
    m_mapFace[nFont] = face;
    m_mapPitchFamily[nFont] = static_cast<BYTE>((nPitch & 0x0F) | nFamily);
    m_mapCharset[nFont] = nCharset;

    if (parse.SetRecordState(nOldState) != 0 || nOldState != 0) {
        CString entry;
        entry.Format("\\%s\\fprq%d\\fcharset%d ", FamilyWord(nFamily), nPitch, nCharset);
        parse.AppendRecord(entry + EscapeFaceName(face));
    }
    if (bBraced && Next() != TOK_RBRACE)
        return RTF_FAILURE;
    return RTF_SUCCESS;
}

int CRtfDraw3::SkipGroup()
{
    // The opening brace has been read. Escaped braces do not count; "\bin" data is passed over.
    int depth = 0;
    for (;;) {
        switch (Next()) {
        case 0:
        case TOK_EMPTY:
            return RTF_END;
        case TOK_LBRACE:
            if (++depth > kMaxDepth)
                return RTF_FAILURE;
            break;
        case TOK_RBRACE:
            if (depth-- == 0)
                return RTF_SUCCESS;
            break;
        case TOK_BACKSLASH: {
            const int id = Next();
            if (id == TOK_SINGLEQUOTE) {
                Next(2);
                break;
            }
            const CWord w = SplitWord(TokenText());
            if (w.letters == "bin" && w.n > 0 && w.rest.IsEmpty())
                SkipBinary(w.n);
            break;
        }
        default:
            break;
        }
    }
}

void CRtfDraw3::SkipBinary(int nBytes)
{
    // The bytes after "\bin" and its blank are data, whatever characters they are; the echo
    // keeps them as they stand.
    TakeDelimiterBlank();
    CParse& parse = Tokenizer();
    const UINT n = std::min<UINT>(static_cast<UINT>(nBytes), m_nRemaining);
    parse.RecordToken();
    if (SkipTokenRecordOnce(parse) != 0)
        parse.AppendRecord(CString(m_pPos, static_cast<int>(n)));
    SetPos(m_pPos + n);
}

// ---------------------------------------------------------------------------------------------
// Body

bool CRtfDraw3::IsStarredFieldResult(int nAt) const
{
    // "{\\*\\fldrslt ...}": a field's result marked optional, as some word processors write it,
    // is still the field's visible text.
    if (PeekWordAfter(nAt) != "*")
        return false;
    LPCSTR p = m_pText + nAt + 2;
    while (p < m_pEnd && IsSkippedDelimiter(*p))
        ++p;
    return p < m_pEnd && *p == '\\' && PeekWordAfter(Offset(p)) == "fldrslt";
}

int CRtfDraw3::ParseContent()
{
    for (;;) {
        const int id = NextInContent();
        if (!m_bMeasuring && !m_bPlainText && id != 0 && id != TOK_EMPTY && m_pText + TokenStart() >= m_pBreak) {
            Restore();
            return RTF_LINE_FULL;
        }
        switch (id) {
        case 0:
        case TOK_EMPTY:
            return RTF_END;
        case TOK_LBRACE: {
            if (static_cast<int>(m_stack.size()) >= kMaxDepth)
                return RTF_FAILURE;
            m_nFallbackLeft = 0;  // a fallback ends with its group, as a group begins
            PushFormat();
            int at = 0;
            if (PeekChar(&at) == '\\' && IsSkippedBodyGroup(PeekWordAfter(at)) && !IsStarredFieldResult(at)) {
                const int st = SkipGroup();
                if (st != RTF_SUCCESS)
                    return st == RTF_END ? RTF_END : RTF_FAILURE;
                PopFormat();
            }
            break;
        }
        case TOK_RBRACE:
            m_nFallbackLeft = 0;
            if (m_stack.empty())
                return RTF_SUCCESS;  // the final brace
            PopFormat();
            break;
        case TOK_BACKSLASH: {
            CPiece esc;
            int st = ControlWord(false, &esc);
            if (st == RTF_NOT_THIS)
                st = TextRun(esc);
            if (st == RTF_SKIP_GROUP) {
                st = SkipGroup();
                if (st != RTF_SUCCESS)
                    return st;
                if (m_stack.empty())
                    return RTF_SUCCESS;  // the skipped group was the outermost one
                PopFormat();
            }
            if (st != RTF_SUCCESS)
                return st;
            break;
        }
        default: {
            CPiece piece;
            if (!TextPiece(id, &piece))
                break;
            const int st = TextRun(piece);
            if (st != RTF_SUCCESS)
                return st;
            break;
        }
        }
    }
}

int CRtfDraw3::ControlWord(bool bHeader, CPiece* pEscape)
{
    const int nStart = TokenStart();  // of the backslash
    const int id = Next();
    auto escape = [&](const CString& text) {
        pEscape->wide.clear();
        pEscape->text = text;
        pEscape->nStart = nStart;
        pEscape->nRecordStart = nStart;
        pEscape->nEnd = Offset(m_pPos);
        pEscape->bWord = true;
        pEscape->bEscape = true;
        pEscape->bGlued = false;
        return RTF_NOT_THIS;
    };
    // After a "\u" every control symbol or word stands for one of its fallback characters.
    auto fallback = [&] {
        if (bHeader || m_nFallbackLeft <= 0)
            return false;
        --m_nFallbackLeft;
        return true;
    };
    switch (id) {
    case 0:
    case TOK_EMPTY:
        return RTF_END;
    case TOK_LBRACE:
        return fallback() ? RTF_SUCCESS : escape("{");
    case TOK_RBRACE:
        return fallback() ? RTF_SUCCESS : escape("}");
    case TOK_BACKSLASH:
        return fallback() ? RTF_SUCCESS : escape("\\");
    case TOK_SINGLEQUOTE: {
        Next(2);
        const CString digits = TokenText();
        char* end = nullptr;
        const long value = std::strtol(digits, &end, 16);
        if (digits.IsEmpty() || end == digits.GetString() || digits[0] == '-' || digits[0] == '+')
            return RTF_FAILURE;
        if (fallback())
            return RTF_SUCCESS;
        const int st = escape(CString(static_cast<char>(value & 0xFF)));
        if (!m_bEcho && !bHeader && !m_bPlainText) {
            // A byte in a font of another character set, or in a document of another code
            // page, is that set's character: drawn through the wide path.
            const auto it = m_mapCharset.find(m_fmt.nFont);
            const int charset = it == m_mapCharset.end() ? 0 : it->second;
            int page = CodePageOfCharset(charset);
            if (page == 0 && (charset == 0 || charset == 1))
                page = m_nAnsiCodePage;
            if (const char16_t u = DecodeCodePageByte(page, static_cast<unsigned char>(value & 0xFF)))
                pEscape->wide.assign(1, u);
        }
        return st;
    }
    case TOK_STAR: {
        if (Next() != TOK_BACKSLASH)
            return RTF_FAILURE;
        const int st = ControlWord(bHeader, pEscape);
        // A symbol after the star is text; the echo's group around it takes the star along, since
        // a star must be followed by a backslash.
        if (st == RTF_NOT_THIS && !pEscape->bGlued)
            pEscape->nRecordStart = nStart;
        return st;
    }
    default:
        break;
    }

    CWord w = SplitWord(TokenText());
    if (w.letters.IsEmpty()) {
        // A control symbol: one character, then text.
        const CString text = TokenText();
        const CString symbol = text.Left(1);
        w.rest = text.Mid(1);
        w.bNum = false;
        if (symbol == "~")
            w.rest = "\xA0" + w.rest;  // a blank that does not break
        else if (symbol == "_")
            w.rest = "-" + w.rest;  // a hyphen that does not break
    }
    const CString& word = w.letters;
    const bool bOn = !w.bNum || w.n != 0;
    // Text that follows the word in its own token goes on as a run.
    auto rest = [&]() {
        if (w.rest.IsEmpty() || bHeader)
            return RTF_SUCCESS;
        pEscape->text = w.rest;
        pEscape->wide.clear();
        pEscape->nEnd = Offset(m_pPos);
        pEscape->nStart = pEscape->nEnd - std::min(w.rest.GetLength(), pEscape->nEnd - nStart);
        pEscape->nRecordStart = nStart;
        pEscape->bWord = !w.rest.IsEmpty() && w.rest != " ";
        pEscape->bEscape = false;
        // The fallback of a "\u" belongs with it; other words stay outside the echo's group.
        pEscape->bGlued = !word.IsEmpty() && word != "u";
        return RTF_NOT_THIS;
    };
    if (fallback()) {
        // Binary data is still data; what follows the word in its token is text, of which the
        // fallback may claim more.
        if (word == "bin" && w.n > 0 && w.rest.IsEmpty()) {
            SkipBinary(w.n);
            return RTF_SUCCESS;
        }
        CString after = word.IsEmpty() ? TokenText().Mid(1) : w.rest;
        if (after.IsEmpty()) {
            if (!word.IsEmpty())
                TakeDelimiterBlank();
            return RTF_SUCCESS;
        }
        const int n = std::min(m_nFallbackLeft, after.GetLength());
        m_nFallbackLeft -= n;
        w.rest = after.Mid(n);
        if (w.rest.IsEmpty() || bHeader)
            return RTF_SUCCESS;
        const int st = rest();
        pEscape->bGlued = false;
        return st;
    }
    if (word.IsEmpty()) {
        // Symbols are read whole here; "~" and "_" give their characters.
        if (!w.rest.IsEmpty() && !bHeader) {
            const int st = rest();
            pEscape->nStart = nStart;
            pEscape->bEscape = true;
            pEscape->bGlued = false;
            return st;
        }
        return RTF_SUCCESS;
    }

    const Keyword kw = LookUpKeyword(word);
    if (kw == Keyword::UnicodeSkip) {
        m_fmt.nUnicodeSkip = std::clamp(w.bNum ? w.n : 1, 0, 10);
        if (!w.rest.IsEmpty())
            return rest();
        TakeDelimiterBlank();
        return RTF_SUCCESS;
    }
    if (kw == Keyword::Unicode && w.bNum && !m_bEcho && !bHeader) {
        // The character itself, in place of the fallback that follows for older readers. One
        // outside Windows-1252 is "@" as plain text (as every character above 127 is) and
        // cannot be drawn from a byte: its fallback shows then.
        const int code = w.n < 0 ? w.n + 65536 : w.n;
        const int byte = code >= 0 && code <= 0xFFFF ? cp1252::FromUnicode(static_cast<char32_t>(code)) : -1;
        // The fallback characters for older readers are passed over, in this token or after it.
        // What text follows them in the token is read again as text of its own, so that a long
        // word goes on as any other and breaks where it is too wide for the line.
        const int skip = m_fmt.nUnicodeSkip;
        const int inRest = std::min(skip, w.rest.GetLength());
        if (w.rest.IsEmpty())
            TakeDelimiterBlank();
        else
            SetPos(m_pPos - (w.rest.GetLength() - inRest));
        m_nFallbackLeft = skip - inRest;
        pEscape->wide.clear();
        CString text;
        if (byte >= 0) {
            text = CString(static_cast<char>(byte));
        } else {
            // Above 127 as plain text; drawn through the wide path.
            text = CString('\xBF');
            if (code > 0 && code <= 0xFFFF && !m_bPlainText)
                pEscape->wide.assign(1, static_cast<char16_t>(code));
        }
        pEscape->text = text;
        pEscape->nStart = nStart;
        pEscape->nRecordStart = nStart;
        pEscape->nEnd = Offset(m_pPos);
        pEscape->bWord = true;
        pEscape->bEscape = true;
        pEscape->bGlued = false;
        return RTF_NOT_THIS;
    }
    if (kw == Keyword::Quote && w.rest.IsEmpty()) {
        TakeDelimiterBlank();
        const int st = escape(CString(QuoteCharacter(word)));
        pEscape->nEnd = Offset(m_pPos);
        return st;
    }
    switch (kw) {
    case Keyword::Font:
        if (w.bNum) {
            int nFont = w.n;
            OnNewFont(&nFont);
            m_fmt.nFont = nFont;
            m_fmt.bDocFont = nFont == m_nDocFontNum;
            SelectFontNum(nFont);
        }
        break;
    case Keyword::Break:
        // A line break of the rich-edit control ends the line as a paragraph does.
        if (w.rest.IsEmpty())
            TakeDelimiterBlank();
        if (bHeader)
            return RTF_SUCCESS;
        if (m_bPlainText) {
            m_cszPlain += '\n';
            return rest();
        }
        if (m_bMeasuring) {
            // A line break of the control goes on in the same paragraph.
            m_bNextParaStart = word != "line";
            m_pBreak = m_pPos - w.rest.GetLength();
            if (!w.rest.IsEmpty()) {
                // The next line starts inside this token: record only the word now.
                CParse& parse = Tokenizer();
                const CString text = TokenText();
                if (SkipTokenRecordOnce(parse) != 0)
                    parse.AppendRecord(text.Left(text.GetLength() - w.rest.GetLength()));
            }
        }
        return RTF_LINE_FULL;
    case Keyword::Tab:
    case Keyword::Cell:
        if (bHeader)
            break;
        if (m_bPlainText) {
            m_cszPlain += '\t';
            break;
        }
        if (!m_bEcho) {
            // Room up to the next tab stop, or the gap after a cell, as a blank would take it.
            if (w.rest.IsEmpty())
                TakeDelimiterBlank();
            CPiece gap;
            gap.text = " ";
            gap.nStart = nStart;
            gap.nRecordStart = nStart;
            gap.nEnd = Offset(m_pPos) - w.rest.GetLength();
            gap.nFixedWidth = kw == Keyword::Cell ? TwipsToLogical(kCellGapTwips) : TabAdvance();
            const int st = PlacePiece(gap);
            if (st != RTF_SUCCESS)
                return st;
            return w.rest.IsEmpty() ? RTF_SUCCESS : rest();
        }
        break;
    case Keyword::DefTab:
        if (w.bNum && w.n > 0)
            m_nDefTab = std::min(w.n, kMaxIndentTwips);
        break;
    case Keyword::LeftIndent:
        m_fmt.nLeftIndent = w.bNum ? std::clamp(w.n, -kMaxIndentTwips, kMaxIndentTwips) : 0;
        IndentEmptyLine();
        break;
    case Keyword::FirstIndent:
        m_fmt.nFirstIndent = w.bNum ? std::clamp(w.n, -kMaxIndentTwips, kMaxIndentTwips) : 0;
        IndentEmptyLine();
        break;
    case Keyword::ParagraphDefault:
        m_fmt.nLeftIndent = m_fmt.nFirstIndent = 0;
        IndentEmptyLine();
        break;
    case Keyword::DefaultFont:
        m_fmt.nFont = w.n;
        break;
    case Keyword::FontSize:
        m_fmt.lf.lfHeight = PointsToHeight(std::clamp(w.n / 2, 0, kMaxPoints));
        break;
    case Keyword::Bold:
        m_fmt.lf.lfWeight = bOn ? FW_BOLD : FW_NORMAL;
        break;
    case Keyword::Italic:
        m_fmt.lf.lfItalic = bOn;
        break;
    case Keyword::Underline:
        m_fmt.lf.lfUnderline = bOn;
        break;
    case Keyword::UnderlineNone:
        m_fmt.lf.lfUnderline = 0;
        break;
    case Keyword::Super:
        SetSuperSub(1);
        break;
    case Keyword::Sub:
        SetSuperSub(2);
        break;
    case Keyword::NoSuperSub:
        SetSuperSub(0);
        break;
    case Keyword::StyleKept:
        m_fmt.bStyleKept = bOn;
        break;
    case Keyword::SizeKept:
        m_fmt.bSizeKept = bOn;
        break;
    case Keyword::Hidden:
        m_fmt.bHidden = bOn;
        break;
    case Keyword::AnsiCodePage:
        if (w.bNum && w.n > 0)
            m_nAnsiCodePage = w.n;
        break;
    case Keyword::HeaderFooter:
        if (!bHeader)
            return RTF_SKIP_GROUP;
        break;
    case Keyword::Binary:
        if (w.n > 0 && w.rest.IsEmpty()) {
            SkipBinary(w.n);  // binary data is never drawn
            return RTF_SUCCESS;
        }
        break;
    default:
        break;
    }
    if (!w.rest.IsEmpty())
        return rest();
    TakeDelimiterBlank();
    return RTF_SUCCESS;
}

bool CRtfDraw3::NextPiece(CPiece* pPiece, int* pnStatus)
{
    *pnStatus = RTF_SUCCESS;
    const int id = NextInContent();
    // At the end of the text there is nothing to give back: the next scan ends again.
    if (id == 0 || id == TOK_EMPTY)
        return false;
    if (id == TOK_LBRACE || id == TOK_RBRACE) {
        Restore();
        return false;
    }
    if (!m_bMeasuring && !m_bPlainText && m_pText + TokenStart() >= m_pBreak) {
        Restore();
        *pnStatus = RTF_LINE_FULL;
        return false;
    }
    if (id == TOK_BACKSLASH) {
        // An escaped character goes on with the run; any other control word ends it.
        const CString word = PeekWordAfter(TokenStart());
        const bool bCharacter = word == "'" || word == "{" || word == "}" || word == "\\" ||
                                LookUpKeyword(word) == Keyword::Quote ||
                                (!m_bEcho && SplitWord(word).letters == "u" && SplitWord(word).bNum);
        if (!bCharacter) {
            Restore();
            return false;
        }
        const int st = ControlWord(false, pPiece);
        if (st == RTF_SUCCESS)
            return NextPiece(pPiece, pnStatus);  // a fallback passed over: the run goes on
        if (st != RTF_NOT_THIS) {
            *pnStatus = st == RTF_SUCCESS ? RTF_FAILURE : st;
            return false;
        }
        return true;
    }
    if (!TextPiece(id, pPiece))
        return NextPiece(pPiece, pnStatus);  // all of it a fallback passed over
    return true;
}

bool CRtfDraw3::TextPiece(int id, CPiece* pPiece)
{
    pPiece->text = TokenText();
    pPiece->wide.clear();
    pPiece->nStart = pPiece->nRecordStart = TokenStart();
    if (m_nFallbackLeft > 0) {
        // A fallback written as plain characters after the "\u" and its blank. The piece starts
        // after it, so that a line that breaks inside the word starts where its text does.
        const int n = std::min(m_nFallbackLeft, pPiece->text.GetLength());
        pPiece->text = pPiece->text.Mid(n);
        pPiece->nStart += n;
        m_nFallbackLeft -= n;
        if (pPiece->text.IsEmpty())
            return false;
    }
    pPiece->nEnd = Offset(m_pPos);
    pPiece->bEscape = false;
    pPiece->bGlued = false;
    pPiece->bWord = id != TOK_SPACE && id != TOK_SEMICOLON && id != TOK_SINGLEQUOTE && id != TOK_LDBLQUOTE &&
                    id != TOK_RDBLQUOTE;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Opening a text

BOOL CRtfDraw3::OpenText()
{
    m_bHasFprq3 = m_cszRtf.Find("\\fprq3") >= 0;
    m_pText = m_cszRtf.GetString();
    m_pEnd = m_pText + m_cszRtf.GetLength();
    // White space before "{\rtf" does not make a text less RTF (the callers test it so).
    LPCSTR p = m_pText;
    while (p < m_pEnd && IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    SetPos(p);
    return Next() == TOK_LBRACE && ParseHeader() == RTF_SUCCESS;
}
