#include "render/RtfDraw3.h"

#include "foundation/ScreenUnits.h"
#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "platform/core/ScreenInfo.h"
#include "render/FontMgr.h"
#include "render/RtfText.h"
#include "res/ids/Rtf.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// Sizes beyond what RTF can say ("\fs" is at most 32767 half points) are taken as that.
constexpr int kMaxPoints = 16383;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsSkippedDelimiter(char c) { return c == '\r' || c == '\n' || c == '\t'; }

// A control word split into its letters and its number; what follows them in the same token
// (a control word ends at the first character that is neither) is text.
struct CWord {
    CString letters;
    int n = 0;
    bool bNum = false;
    CString rest;
};

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

// The caller writes the current token's record itself: the token's own recording is skipped
// once. Returns the state before (0 while recording is paused, and then nothing changes).
int SkipTokenRecordOnce(CParse& parse)
{
    const int nOld = parse.SetRecordState(2);
    if (nOld == 0)
        parse.SetRecordState(0);
    return nOld;
}

// A face name as the font table holds it: what would end or open something there, and the
// bytes outside printable ASCII, escaped.
CString EscapeFaceName(const CString& face)
{
    CString out;
    for (char ch : face.str())
        AppendRtfEscapedByte(out, static_cast<unsigned char>(ch));
    return out;
}

// Groups of the body that are never drawn: hidden text, footnotes, paragraph numbering,
// headers and footers, pictures, destinations marked ignorable with "\*", and header groups
// that come late (a second colour table ends the header).
bool IsSkippedBodyGroup(const CString& word)
{
    return word == "v" || word == "footnote" || word.Left(2) == "pn" || word.Left(6) == "header" ||
           word.Left(6) == "footer" || word == "pict" || word == "*" || word == "info" || word == "fonttbl" ||
           IsSkippedHeaderGroup(word);
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

// The tokenizer is shared by every call: one call at a time uses it. The lock is the font
// manager's, so that the engine and the font manager never wait on each other in turn.
std::recursive_mutex& EngineLock()
{
    return CFontMgr::Mutex();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction and the tokenizer

CParse& CRtfDraw3::Tokenizer()
{
    static CParse& parse = []() -> CParse& {
        static CParse built;
        BuildTokenizer(built);
        return built;
    }();
    return parse;
}

CRtfDraw3::CRtfDraw3()
{
    ResetState();
    ClearDocFont();
    Tokenizer();
}

CRtfDraw3::~CRtfDraw3()
{
    if (m_bFontSelected && m_pDC)
        m_pDC->SelectObject(m_pOldFont);
}

void CRtfDraw3::ResetState()
{
    m_cszRtf.Empty();
    m_pText = m_pEnd = m_pPos = m_pLineStart = m_pBreak = nullptr;
    m_nRemaining = 0;
    m_nFirstVisible = m_nLastVisible = -1;
    m_pDC = nullptr;
    m_rect = CRect();
    m_x = m_y = m_nMaxRight = 0;
    m_nLogPixelsY = GetScreenInfo().nDpiY;
    m_bYUp = m_bTwips = false;
    m_nLineHeight = m_nLineDescent = 0;
    m_bLineHasText = false;
    m_tm = TEXTMETRIC();
    m_fmt = CFormat();
    m_stack.clear();
    m_lineFmt = CFormat();
    m_lineStack.clear();
    m_pOldFont = nullptr;
    m_bFontSelected = false;
    m_mapFace.clear();
    m_mapPitchFamily.clear();
    m_mapCharset.clear();
    m_nDocFontNum = -1;
    m_bCalcOnly = m_bPlainText = m_bMeasuring = false;
    m_bHasFprq3 = false;
    m_headerGroupsMet.clear();
    m_cszPlain.Empty();
    m_nStatus = 0;
}

void CRtfDraw3::ClearDocFont()
{
    m_cszDocFace.Empty();
    m_nDocHeight = 0;
    m_nDocPoints = -1;
    m_nDocFamily = 0;
    m_bDocBold = m_bDocItalic = m_bDocUnderline = false;
    m_nDocCharset = 0;
    m_nDocPitch = 3;
    m_bDocFontGiven = false;
}

void CRtfDraw3::TakeDocFontFromSlot()
{
    CFontMgrInit init;
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, -1);
    m_cszDocFace = CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE)));
    m_nDocHeight = lf.lfHeight;
    m_nDocPoints = CFontMgr::HeightToPoints(lf);
    m_nDocFamily = lf.lfPitchAndFamily & 0xF0;
    m_bDocBold = lf.lfWeight > 500;
    m_bDocItalic = lf.lfItalic != 0;
    m_bDocUnderline = lf.lfUnderline != 0;
    m_nDocCharset = lf.lfCharSet;
    m_nDocPitch = 3;
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
    if (Next() != TOK_BACKSLASH)
        return RTF_FAILURE;
    Next();
    const CString charset = SplitWord(TokenText()).letters;
    if (charset != "ansi" && charset != "mac" && charset != "pc" && charset != "pca")
        return RTF_FAILURE;
    TakeDelimiterBlank();

    // Document control words up to the font table.
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

int CRtfDraw3::ParseFontTable()
{
    for (;;) {
        switch (Next()) {
        case TOK_RBRACE:
            return RTF_SUCCESS;
        case TOK_LBRACE:
            if (ParseFontEntry() != RTF_SUCCESS)
                return RTF_FAILURE;
            break;
        default:
            return RTF_FAILURE;
        }
    }
}

int CRtfDraw3::ParseFontEntry()
{
    CParse& parse = Tokenizer();
    if (Next() != TOK_BACKSLASH)
        return RTF_FAILURE;
    Next();
    const CWord fontWord = SplitWord(TokenText());
    if (fontWord.letters != "f" || !fontWord.bNum)
        return RTF_FAILURE;
    const int nFont = fontWord.n;

    // The entry is echoed as read up to its number, then rewritten from what was read.
    if (Next() != TOK_BACKSLASH)
        return RTF_FAILURE;
    const int nOldState = parse.SetRecordState(0);
    Next();
    const int family = FamilyOfWord(SplitWord(TokenText()).letters);
    if (family < 0)
        return RTF_FAILURE;
    TakeDelimiterBlank();

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

    bool bDocFont = bReplaced;
    if (!bDocFont && m_bFontList && !m_bHasFprq3 && m_nDocFontNum < 0 && !FaceInList(face))
        bDocFont = true;
    if (m_bEchoOptions && !m_bApplyFont)
        bDocFont = false;
    BYTE nFamily = static_cast<BYTE>(family);
    if (bDocFont) {
        face = m_cszDocFace;
        nFamily = m_nDocFamily;
        nPitch = m_nDocPitch;
        nCharset = m_nDocCharset;
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
    if (Next() != TOK_RBRACE)
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
            PushFormat();
            int at = 0;
            if (PeekChar(&at) == '\\' && IsSkippedBodyGroup(PeekWordAfter(at))) {
                const int st = SkipGroup();
                if (st != RTF_SUCCESS)
                    return st == RTF_END ? RTF_END : RTF_FAILURE;
                PopFormat();
            }
            break;
        }
        case TOK_RBRACE:
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
            piece.text = TokenText();
            piece.nStart = piece.nRecordStart = TokenStart();
            piece.nEnd = Offset(m_pPos);
            piece.bWord = id != TOK_SPACE && id != TOK_SEMICOLON && id != TOK_SINGLEQUOTE &&
                          id != TOK_LDBLQUOTE && id != TOK_RDBLQUOTE;
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
        pEscape->text = text;
        pEscape->nStart = nStart;
        pEscape->nRecordStart = nStart;
        pEscape->nEnd = Offset(m_pPos);
        pEscape->bWord = true;
        pEscape->bEscape = true;
        pEscape->bGlued = false;
        return RTF_NOT_THIS;
    };
    switch (id) {
    case 0:
    case TOK_EMPTY:
        return RTF_END;
    case TOK_LBRACE:
        return escape("{");
    case TOK_RBRACE:
        return escape("}");
    case TOK_BACKSLASH:
        return escape("\\");
    case TOK_SINGLEQUOTE: {
        Next(2);
        const CString digits = TokenText();
        char* end = nullptr;
        const long value = std::strtol(digits, &end, 16);
        if (digits.IsEmpty() || end == digits.GetString() || digits[0] == '-' || digits[0] == '+')
            return RTF_FAILURE;
        return escape(CString(static_cast<char>(value & 0xFF)));
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
            w.rest = " " + w.rest;  // a blank that does not break
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
        pEscape->nEnd = Offset(m_pPos);
        pEscape->nStart = pEscape->nEnd - std::min(w.rest.GetLength(), pEscape->nEnd - nStart);
        pEscape->nRecordStart = nStart;
        pEscape->bWord = !w.rest.IsEmpty() && w.rest != " ";
        pEscape->bEscape = false;
        // The fallback of a "\u" belongs with it; other words stay outside the echo's group.
        pEscape->bGlued = !word.IsEmpty() && word != "u";
        return RTF_NOT_THIS;
    };
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

    if ((word == "ldblquote" || word == "rdblquote") && w.rest.IsEmpty()) {
        TakeDelimiterBlank();
        const int st = escape(CString(word[0] == 'l' ? '\x93' : '\x94'));
        pEscape->nEnd = Offset(m_pPos);
        return st;
    }
    if (word == "f" && w.bNum) {
        int nFont = w.n;
        OnNewFont(&nFont);
        m_fmt.nFont = nFont;
        m_fmt.bDocFont = nFont == m_nDocFontNum;
        SelectFontNum(nFont);
    } else if (word == "par" || word == "line") {
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
    } else if (word == "tab") {
        if (m_bPlainText && !bHeader)
            m_cszPlain += '\t';
    } else if (word == "deff") {
        m_fmt.nFont = w.n;
    } else if (word == "fs") {
        m_fmt.lf.lfHeight = PointsToHeight(std::clamp(w.n / 2, 0, kMaxPoints));
    } else if (word == "b") {
        m_fmt.lf.lfWeight = bOn ? FW_BOLD : FW_NORMAL;
    } else if (word == "i") {
        m_fmt.lf.lfItalic = bOn;
    } else if (word == "ul") {
        m_fmt.lf.lfUnderline = bOn;
    } else if (word == "ulnone") {
        m_fmt.lf.lfUnderline = 0;
    } else if (word == "super") {
        SetSuperSub(1);
    } else if (word == "sub") {
        SetSuperSub(2);
    } else if (word == "nosupersub") {
        SetSuperSub(0);
    } else if (word == "shad") {
        m_fmt.bStyleKept = bOn;
    } else if (word == "embo") {
        m_fmt.bSizeKept = bOn;
    } else if ((word == "header" || word == "footer") && !bHeader) {
        return RTF_SKIP_GROUP;
    } else if (word == "bin" && w.n > 0 && w.rest.IsEmpty()) {
        SkipBinary(w.n);  // binary data is never drawn
        return RTF_SUCCESS;
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
        if (word != "'" && word != "{" && word != "}" && word != "\\" && word != "ldblquote" &&
            word != "rdblquote") {
            Restore();
            return false;
        }
        const int st = ControlWord(false, pPiece);
        if (st != RTF_NOT_THIS) {
            *pnStatus = st == RTF_SUCCESS ? RTF_FAILURE : st;
            return false;
        }
        return true;
    }
    pPiece->text = TokenText();
    pPiece->nStart = pPiece->nRecordStart = TokenStart();
    pPiece->nEnd = Offset(m_pPos);
    pPiece->bEscape = false;
    pPiece->bGlued = false;
    pPiece->bWord = id != TOK_SPACE && id != TOK_SEMICOLON && id != TOK_SINGLEQUOTE && id != TOK_LDBLQUOTE &&
                    id != TOK_RDBLQUOTE;
    return true;
}

int CRtfDraw3::TextRun(CPiece piece)
{
    CParse& parse = Tokenizer();
    const bool bRecord = m_bEcho && m_bMeasuring;
    if (bRecord) {
        // The run becomes a group of its own that carries the document style. What of its first
        // piece is already recorded (the backslash of an escape) moves behind the opening.
        // A control word whose token the run's text ends stays in front of the opening: a word
        // that hides a group ("\v", "\pict"...) would otherwise hide the run from every reader.
        const CString token = parse.GetTokenText();
        const int nWord = token.GetLength() - piece.text.GetLength();
        if (piece.bGlued && nWord > 0 && token.Right(piece.text.GetLength()) == piece.text) {
            // Skipped already when the word was written as another (a replaced font).
            const bool bWordWritten = SkipTokenRecordOnce(parse) == 2;
            parse.AppendRecord((bWordWritten ? CString() : token.Left(nWord)) + "{" + DocStyleWords() + piece.text);
        } else {
            CString recorded;
            for (int i = piece.nRecordStart; i < TokenStart(); ++i)
                if (!IsSkippedDelimiter(m_pText[i]))
                    recorded += m_pText[i];
            parse.TrimRecord(recorded.GetLength());
            parse.AppendRecord("{" + DocStyleWords() + recorded);
        }
    }
    ApplyDocStyle();
    CreateRunFont();
    for (;;) {
        const int st = PlacePiece(piece);
        if (st != RTF_SUCCESS)
            return st;
        int nStatus = RTF_SUCCESS;
        if (!NextPiece(&piece, &nStatus)) {
            if (bRecord && nStatus == RTF_SUCCESS)
                parse.AppendRecord("}");
            return nStatus;
        }
    }
}

int CRtfDraw3::PlacePiece(const CPiece& piece)
{
    if (m_bPlainText) {
        bool bVisible = false;
        for (int i = 0; i < piece.text.GetLength(); ++i) {
            const unsigned char c = static_cast<unsigned char>(piece.text[i]);
            m_cszPlain += c > 127 ? '@' : static_cast<char>(c);
            if (!IsSpaceByte(c))
                bVisible = true;
        }
        if (bVisible) {
            if (m_nFirstVisible < 0)
                m_nFirstVisible = piece.nStart;
            m_nLastVisible = piece.nEnd;
        }
        return RTF_SUCCESS;
    }

    CString text = piece.text;
    // The drawing pass meets the pieces the measuring pass placed, in the same order.
    int w;
    if (!m_bMeasuring && m_nWidthAt < m_widths.size() && m_widths[m_nWidthAt].first == piece.nStart)
        w = m_widths[m_nWidthAt++].second;
    else
        w = Measure(text);
    const long long left = m_rect.left;
    const long long right = m_rect.right;
    bool bLast = false;
    if (m_bMeasuring) {
        if (!piece.bWord)
            m_pBreak = m_pText + piece.nEnd;
        if (m_x + static_cast<long long>(w) > right) {
            if (!piece.bWord || m_pBreak != m_pLineStart)
                return RTF_LINE_FULL;  // the word goes to the next line
            if (m_x > left) {
                // Earlier pieces of this word stay on the line; this one starts the next.
                m_pBreak = m_pText + piece.nStart;
                return RTF_LINE_FULL;
            }
            // A word wider than the whole line is cut; at least one character stays.
            int n = text.GetLength();
            if (!piece.bEscape && n > 1) {
                n = static_cast<int>(static_cast<double>(right - left) / w * text.GetLength() - 1.0);
                n = std::clamp(n, 1, text.GetLength() - 1);
                while (n > 1 && Measure(text.Left(n)) > right - left)
                    --n;
                text = text.Left(n);
                w = Measure(text);
            }
            m_pBreak = n == piece.text.GetLength() ? m_pText + piece.nEnd : m_pText + piece.nStart + n;
            bLast = true;
        }
        if (!bLast)
            m_widths.emplace_back(piece.nStart, w);
        m_nLineHeight = std::max<int>(m_nLineHeight, m_tm.tmHeight + m_tm.tmExternalLeading);
        m_nLineDescent = std::max<int>(m_nLineDescent, m_tm.tmDescent);
        m_bLineHasText = true;
    } else {
        const int nBreak = Offset(m_pBreak);
        if (piece.nStart >= nBreak)
            return RTF_LINE_FULL;
        if (piece.nEnd > nBreak) {
            text = text.Left(nBreak - piece.nStart);
            w = Measure(text);
            bLast = true;
        }
        if (!m_bCalcOnly && m_pDC && piece.bWord)
            DrawPiece(text, m_x);
    }
    m_x += w;
    if (!m_bMeasuring && piece.bWord)
        m_nMaxRight = std::max(m_nMaxRight, m_x);
    return bLast ? RTF_LINE_FULL : RTF_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Formatting

void CRtfDraw3::OnNewFont(int* pnFont)
{
    if (!m_bFontList || !pnFont)
        return;
    const auto it = m_mapFace.find(*pnFont);
    if (it == m_mapFace.end()) {
        CString msg;
        msg.Format("CRtfDraw3::OnNewFont() - cannot find font face for font num %d...", *pnFont);
        LogOutput(msg, 1, LOG_HERE);
        return;
    }
    if (m_nDocFontNum < 0 || *pnFont == m_nDocFontNum || FaceInList(it->second))
        return;
    *pnFont = m_nDocFontNum;
    CParse& parse = Tokenizer();
    if (SkipTokenRecordOnce(parse) != 0) {
        CString word;
        word.Format("f%d", m_nDocFontNum);
        parse.AppendRecord(word);
    }
}

bool CRtfDraw3::FaceInList(const CString& face) const
{
    for (POSITION pos = m_faces.GetHeadPosition(); pos;)
        if (m_faces.GetNext(pos).CompareNoCase(face) == 0)
            return true;
    return false;
}

void CRtfDraw3::SelectFontNum(int nFont)
{
    if (m_mapFace.empty())
        return;
    if (!m_mapFace.count(nFont)) {
        const int count = static_cast<int>(m_mapFace.size());
        if (nFont < 0 || nFont >= count)
            nFont = m_nDocFontNum;
        nFont = std::clamp(nFont, 0, count - 1);
        if (!m_mapFace.count(nFont))
            nFont = m_mapFace.begin()->first;
    }
    SetLogFontFaceName(m_fmt.lf, m_mapFace[nFont]);
    m_fmt.lf.lfPitchAndFamily = m_mapPitchFamily[nFont];
    m_fmt.lf.lfCharSet = m_mapCharset[nFont];
}

void CRtfDraw3::ApplyDocStyle()
{
    if (!m_fmt.bDocFont)
        return;
    const bool bStyle = m_bEchoOptions ? m_bApplyStyle : !m_fmt.bStyleKept;
    const bool bSize = m_bEchoOptions ? m_bApplySize : !m_fmt.bSizeKept;
    if (bStyle) {
        m_fmt.lf.lfItalic = m_bDocItalic;
        m_fmt.lf.lfUnderline = m_bDocUnderline;
        m_fmt.lf.lfWeight = m_bDocBold ? FW_BOLD : FW_NORMAL;
    }
    if (bSize)
        m_fmt.lf.lfHeight = m_nDocHeight;
}

CString CRtfDraw3::DocStyleWords() const
{
    if (!m_fmt.bDocFont)
        return CString();
    const bool bStyle = m_bEchoOptions ? m_bApplyStyle : !m_fmt.bStyleKept;
    const bool bSize = m_bEchoOptions ? m_bApplySize : !m_fmt.bSizeKept;
    CString words;
    if (bStyle) {
        words += m_bDocBold ? "\\b" : "\\b0";
        words += m_bDocItalic ? "\\i" : "\\i0";
        words += m_bDocUnderline ? "\\ul" : "\\ulnone";
    }
    if (bSize)
        words.AppendFormat("\\fs%d", m_nDocPoints * 2);
    if (!words.IsEmpty())
        words += ' ';
    return words;
}

void CRtfDraw3::SetSuperSub(int nMode)
{
    m_fmt.nSuperSub = nMode;
    m_fmt.nShift = 0;
    if (nMode == 0 || !m_pDC)
        return;
    // The shift is a share of the line height of the text at its normal size.
    CFont font;
    font.CreateFontIndirect(&m_fmt.lf);
    CFont* pOld = m_pDC->SelectObject(&font);
    TEXTMETRIC tm;
    m_pDC->GetTextMetrics(&tm);
    m_pDC->SelectObject(pOld);
    m_fmt.nShift = (tm.tmHeight + tm.tmExternalLeading) * (nMode == 1 ? 30 : 20) / 100;
}

void CRtfDraw3::PushFormat()
{
    m_stack.push_back(m_fmt);
}

void CRtfDraw3::PopFormat()
{
    if (m_stack.empty())
        return;
    m_fmt = m_stack.back();
    m_stack.pop_back();
}

LOGFONT CRtfDraw3::RunLogFont() const
{
    LOGFONT lf = m_fmt.lf;
    if (m_fmt.nSuperSub)
        lf.lfHeight = lf.lfHeight * 75 / 100;
    return lf;
}

void CRtfDraw3::CreateRunFont()
{
    if (!m_pDC)
        return;
    const LOGFONT lf = RunLogFont();
    if (m_bFontSelected && std::memcmp(&lf, &m_font.LogFont(), sizeof(LOGFONT)) == 0)
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    CFont* pOld = m_pDC->SelectObject(&m_font);
    if (!m_bFontSelected) {
        m_pOldFont = pOld;
        m_bFontSelected = true;
    }
    m_pDC->GetTextMetrics(&m_tm);
}

int CRtfDraw3::PointsToHeight(int nPoints) const
{
    if (m_bTwips)
        return -20 * nPoints;
    return -MulDiv(m_nLogPixelsY, nPoints, 72);
}

// ---------------------------------------------------------------------------------------------
// Drawing

int CRtfDraw3::Measure(const CString& text) const
{
    if (!m_pDC || text.IsEmpty())
        return 0;
    return m_pDC->GetTextExtent(text, text.GetLength()).cx;
}

void CRtfDraw3::DrawPiece(const CString& text, int x)
{
    const int shift = m_fmt.nSuperSub == 1 ? m_fmt.nShift : -m_fmt.nShift;  // upwards
    int top;
    if (m_bYUp)
        top = m_y - m_nLineHeight + m_nLineDescent + m_tm.tmAscent + shift;
    else
        top = m_y + m_nLineHeight - m_nLineDescent - m_tm.tmAscent - shift;
    m_pDC->TextOut(x, top, text, text.GetLength());
}

int CRtfDraw3::DrawRtf(CDC* pDC, LPCSTR pszRtf, RECT* pRect, UINT nFlags, POINT* pStart)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    ResetState();
    if (!m_bDocFontGiven)
        TakeDocFontFromSlot();
    if (!pRect) {
        m_nStatus = RTF_FAILURE;
        return 0;
    }
    CParse& parse = Tokenizer();
    if (!m_bEcho)
        parse.EnableRecording(FALSE);

    m_pDC = pDC;
    m_rect = *pRect;
    m_bCalcOnly = (nFlags & DT_CALCRECT) != 0;
    m_x = m_rect.left;
    m_y = pStart ? pStart->y : m_rect.top;
    m_nMaxRight = m_rect.left;
    if (pDC) {
        const int mode = pDC->GetMapMode();
        m_bTwips = mode == MM_TWIPS;
        if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
            const long long sign = static_cast<long long>(pDC->GetWindowExt().cy) * pDC->GetViewportExt().cy;
            m_bYUp = sign < 0;
        } else {
            m_bYUp = mode != MM_TEXT;
        }
        if (!pDC->GetCurrentFont()) {
            LogOutput("no current font", 1, LOG_HERE);
        } else {
            m_fmt.lf = pDC->GetCurrentLogFont();
            pDC->GetTextMetrics(&m_tm);
            m_nLineHeight = m_tm.tmHeight + m_tm.tmExternalLeading;
            m_nLineDescent = m_tm.tmDescent;
        }
        m_nLogPixelsY = pDC->GetDeviceCaps(LOGPIXELSY);
    }
    if (m_bTwips && !m_bDocFontGiven)
        m_nDocHeight = FontHeightToTwips(m_nDocHeight);
    // A line with no room would never take a character.
    if (m_rect.right <= m_rect.left) {
        m_nStatus = RTF_FAILURE;
        return 0;
    }

    m_cszRtf = pszRtf ? pszRtf : "";
    if (m_cszRtf.Find("\\rtf") < 0)
        m_cszRtf = WrapPlainTextAsRtf(m_cszRtf);
    if (!OpenText()) {
        m_nStatus = RTF_FAILURE;
        return m_y - pRect->top;
    }
    if (m_nDocFontNum >= 0) {
        m_fmt.nFont = m_nDocFontNum;
        m_fmt.bDocFont = true;
        ApplyDocStyle();
    }
    SelectFontNum(m_fmt.nFont);

    RunLineLoop();

    if (m_bFontSelected && m_pDC)
        m_pDC->SelectObject(m_pOldFont);
    m_bFontSelected = false;
    m_font.DeleteObject();
    if (m_bCalcOnly) {
        pRect->bottom = m_y;
        if (m_nMaxRight >= pRect->left && m_nMaxRight < pRect->right)
            pRect->right = m_nMaxRight;
    }
    return m_y - pRect->top;
}

void CRtfDraw3::RunLineLoop()
{
    CParse& parse = Tokenizer();
    m_pLineStart = m_pPos;
    m_lineFmt = m_fmt;
    m_lineStack = m_stack;
    bool bFirst = true;
    for (;;) {
        // Measure the line: what fits, its height and its deepest descent.
        m_bMeasuring = true;
        SetPos(m_pLineStart);
        m_fmt = m_lineFmt;
        m_stack = m_lineStack;
        m_x = m_rect.left;
        m_nLineHeight = m_nLineDescent = 0;
        m_bLineHasText = false;
        m_pBreak = m_pLineStart;
        m_widths.clear();
        if (m_bEcho)
            parse.EnableRecording(TRUE);
        int st = ParseContent();
        if (st == RTF_SUCCESS)
            m_pBreak = m_pPos;
        else if (st != RTF_LINE_FULL || m_pBreak <= m_pLineStart) {
            m_nStatus = RTF_FAILURE;
            return;
        }
        if (!m_bLineHasText && st == RTF_LINE_FULL && m_pDC) {
            // An empty paragraph is as high as its font.
            const CFormat saved = m_fmt;
            ApplyDocStyle();
            CreateRunFont();
            m_fmt = saved;
            m_nLineHeight = m_tm.tmHeight + m_tm.tmExternalLeading;
            m_nLineDescent = m_tm.tmDescent;
        }

        // A line after the first that would cross the bottom is not drawn.
        if (!m_bCalcOnly && !bFirst) {
            const long long y = m_y;
            if (m_bYUp ? y - m_nLineHeight < m_rect.bottom : y + m_nLineHeight > m_rect.bottom) {
                m_y = m_rect.bottom;
                m_nStatus = RTF_SUCCESS;
                return;
            }
        }

        // Draw the same content up to the break.
        m_bMeasuring = false;
        m_nWidthAt = 0;
        SetPos(m_pLineStart);
        m_fmt = m_lineFmt;
        m_stack = m_lineStack;
        m_x = m_rect.left;
        if (m_bEcho)
            parse.EnableRecording(FALSE);
        st = ParseContent();
        if (st != RTF_SUCCESS && st != RTF_LINE_FULL) {
            m_nStatus = RTF_FAILURE;
            return;
        }

        m_lineFmt = m_fmt;
        m_lineStack = m_stack;
        m_y += m_bYUp ? -m_nLineHeight : m_nLineHeight;
        m_x = m_rect.left;
        m_pLineStart = m_pBreak;
        if (st == RTF_SUCCESS) {
            m_nStatus = RTF_SUCCESS;
            if (m_bEcho) {
                // The final brace is still the current token: record it.
                parse.EnableRecording(TRUE);
                parse.RecordToken();
            }
            return;
        }
        if (m_pBreak >= m_pEnd) {
            m_nStatus = RTF_FAILURE;  // the text lacks its closing brace
            return;
        }
        bFirst = false;
    }
}

// ---------------------------------------------------------------------------------------------
// Plain text and echo

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

CString CRtfDraw3::GetPlainText(LPCSTR pszRtf)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    ResetState();
    if (!m_bDocFontGiven)
        TakeDocFontFromSlot();
    Tokenizer().EnableRecording(FALSE);
    m_bPlainText = true;
    m_cszRtf = pszRtf ? pszRtf : "";
    if (!OpenText()) {
        m_nStatus = RTF_FAILURE;
        return m_cszPlain;
    }
    m_nStatus = ParseContent() == RTF_SUCCESS ? RTF_SUCCESS : RTF_FAILURE;
    return m_cszPlain;
}

BOOL CRtfDraw3::RunEcho(const CString& rtfIn, CString* pOut)
{
    if (rtfIn.IsEmpty() || !pOut)
        return FALSE;
    const CString text = rtfIn.Find("\\rtf") >= 0 ? rtfIn : WrapPlainTextAsRtf(rtfIn);

    CParse& parse = Tokenizer();
    parse.ResetScan();
    parse.EnableRecording(TRUE);
    parse.SetRecordState(1);
    m_bEcho = true;
    CRect rc(0, 0, 0x7FFFFFFF, 0x7FFFFFFF);
    DrawRtf(nullptr, text, &rc, DT_CALCRECT, nullptr);
    BOOL bOk = FALSE;
    if (m_nStatus == RTF_SUCCESS) {
        CString record;
        if (parse.GetRecord(record)) {
            *pOut = record;
            bOk = TRUE;
        } else {
            LogOutput("Echo result failure.", 1, LOG_HERE);
        }
    } else {
        LogOutput("Echo failure.", 1, LOG_HERE);
    }
    m_bEcho = false;
    parse.ResetScan();
    ClearDocFont();
    return bOk;
}

namespace {

// Puts the font manager's default slot back however the echo ends.
class CDefaultSlotScope {
public:
    explicit CDefaultSlotScope(int nSlot) : m_nOld(CFontMgr::SetDefaultSlot(nSlot)) {}
    ~CDefaultSlotScope() { CFontMgr::SetDefaultSlot(m_nOld); }
    CDefaultSlotScope(const CDefaultSlotScope&) = delete;
    CDefaultSlotScope& operator=(const CDefaultSlotScope&) = delete;

private:
    int m_nOld;
};

} // namespace

BOOL CRtfDraw3::EchoRtf(const CString& rtf, int nFontSlot, CString* pOut)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    m_bEchoOptions = false;
    m_bFontList = false;
    m_faces.RemoveAll();
    m_bApplyFont = m_bApplySize = m_bApplyStyle = true;
    CFontMgrInit init;
    CDefaultSlotScope slot(nFontSlot);
    return RunEcho(rtf, pOut);
}

BOOL CRtfDraw3::EchoRtfWithOptions(const CString& rtf, int nFontSlot, CString* pOut, const CStringList* pFaces,
                                   BOOL bFont, BOOL bSize, BOOL bStyle)
{
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    m_bEchoOptions = true;
    m_bApplyFont = bFont != FALSE;
    m_bApplySize = bSize != FALSE;
    m_bApplyStyle = bStyle != FALSE;
    m_bFontList = pFaces != nullptr;
    m_faces.RemoveAll();
    if (pFaces)
        m_faces = *pFaces;
    BOOL bOk;
    if (m_bDocFontGiven) {
        bOk = RunEcho(rtf, pOut);
    } else {
        CFontMgrInit init;
        CDefaultSlotScope slot(nFontSlot);
        bOk = RunEcho(rtf, pOut);
    }
    m_bEchoOptions = false;
    m_bFontList = false;
    m_faces.RemoveAll();
    return bOk;
}

BOOL CRtfDraw3::ForceFontPitch(const CString& rtf, const LOGFONT* pNewFont, CString* pOut, const CStringList* pFaces,
                               BOOL bFont, BOOL bSize, BOOL bStyle)
{
    if (!pNewFont || !pOut)
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    CFontMgrInit init;
    m_cszDocFace = CString(pNewFont->lfFaceName, static_cast<int>(strnlen(pNewFont->lfFaceName, LF_FACESIZE)));
    m_nDocHeight = pNewFont->lfHeight;
    m_nDocPoints = CFontMgr::HeightToPoints(*pNewFont);
    m_nDocFamily = pNewFont->lfPitchAndFamily & 0xF0;
    m_bDocBold = pNewFont->lfWeight >= FW_BOLD;
    m_bDocItalic = pNewFont->lfItalic != 0;
    m_bDocUnderline = pNewFont->lfUnderline != 0;
    m_nDocCharset = pNewFont->lfCharSet;
    m_nDocPitch = 0;
    m_bDocFontGiven = true;
    CString out;
    const BOOL bOk = EchoRtfWithOptions(rtf, -1, &out, pFaces, bFont, bSize, bStyle);
    ClearDocFont();
    if (!bOk)
        return FALSE;
    out.Replace("\\fprq3", "\\fprq2");
    *pOut = out;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The draw-text service

int DrawTextOrRtf(CDC* pDC, LPCSTR pszText, int nCount, RECT* pRect, UINT nFlags)
{
    if (!pDC || !pszText)
        return 0;
    try {
        const CString text = nCount < 0 ? CString(pszText) : CString(pszText, nCount);
        int i = 0;
        while (i < text.GetLength() && IsSpaceByte(static_cast<unsigned char>(text[i])))
            ++i;
        if (std::strncmp(text.GetString() + i, "{\\rtf", 5) == 0) {
            const RECT saved = pRect ? *pRect : RECT();
            CRtfDraw3 draw;
            const int height = draw.DrawRtf(pDC, text, pRect, nFlags, nullptr);
            if (draw.GetStatus() == CRtfDraw3::RTF_SUCCESS)
                return height;
            if (pRect)
                *pRect = saved;
        }
        return pDC->DrawText(pszText, nCount, pRect, nFlags);
    } catch (...) {
        LogOutput("DrawText failure...", 1, LOG_HERE);
        LogOutput(pszText, 1, LOG_HERE);
    }
    return 0;
}
