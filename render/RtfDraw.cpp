#include "render/RtfDraw.h"

#include "foundation/Log.h"
#include "platform/core/CodePage.h"

#include <climits>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

enum Kind { kwdChar, kwdDest, kwdProp, kwdSpec };

enum Prop {
    ipropBold,
    ipropItalic,
    ipropUnderline,
    ipropLeftInd,
    ipropRightInd,
    ipropFirstInd,
    ipropCols,
    ipropPgnX,
    ipropPgnY,
    ipropXaPage,
    ipropYaPage,
    ipropXaLeft,
    ipropXaRight,
    ipropYaTop,
    ipropYaBottom,
    ipropPgnStart,
    ipropSbk,
    ipropPgnFormat,
    ipropFacingp,
    ipropLandscape,
    ipropJust,
    ipropHidden,
};

enum Special { ipfnBin, ipfnHex, ipfnSkipDest, ipfnUnicode, ipfnUnicodeSkip, ipfnFieldResult };

struct Keyword {
    const char* szKeyword;
    int dflt;
    bool fPassDflt;  // the default wins even when the word carries a number
    Kind kwd;
    int idx;
};

// Looked up by exact, case-sensitive comparison, first match wins.
const Keyword kKeywords[] = {
    {"b", 1, false, kwdProp, ipropBold},
    {"u", 1, false, kwdProp, ipropUnderline},
    {"ul", 1, false, kwdProp, ipropUnderline},
    {"ulnone", 0, true, kwdProp, ipropUnderline},
    {"i", 1, false, kwdProp, ipropItalic},
    {"li", 0, false, kwdProp, ipropLeftInd},
    {"ri", 0, false, kwdProp, ipropRightInd},
    {"fi", 0, false, kwdProp, ipropFirstInd},
    {"cols", 1, false, kwdProp, ipropCols},
    {"sbknone", 0, true, kwdProp, ipropSbk},
    {"sbkcol", 1, true, kwdProp, ipropSbk},
    {"sbkeven", 2, true, kwdProp, ipropSbk},
    {"sbkodd", 3, true, kwdProp, ipropSbk},
    {"sbkpage", 4, true, kwdProp, ipropSbk},
    {"pgnx", 0, false, kwdProp, ipropPgnX},
    {"pgny", 0, false, kwdProp, ipropPgnY},
    {"pgndec", 0, true, kwdProp, ipropPgnFormat},
    {"pgnucrm", 1, true, kwdProp, ipropPgnFormat},
    {"pgnlcrm", 2, true, kwdProp, ipropPgnFormat},
    {"pgnucltr", 3, true, kwdProp, ipropPgnFormat},
    {"pgnlcltr", 4, true, kwdProp, ipropPgnFormat},
    {"qc", 2, true, kwdProp, ipropJust},
    {"ql", 0, true, kwdProp, ipropJust},
    {"qr", 1, true, kwdProp, ipropJust},
    {"qj", 3, true, kwdProp, ipropJust},
    {"paperw", 12240, false, kwdProp, ipropXaPage},
    {"paperh", 15480, false, kwdProp, ipropYaPage},
    {"margl", 1800, false, kwdProp, ipropXaLeft},
    {"margr", 1800, false, kwdProp, ipropXaRight},
    {"margt", 1440, false, kwdProp, ipropYaTop},
    {"margb", 1440, false, kwdProp, ipropYaBottom},
    {"pgnstart", 1, false, kwdProp, ipropPgnStart},
    {"facingp", 1, true, kwdProp, ipropFacingp},
    {"landscape", 1, true, kwdProp, ipropLandscape},
    {"par", 0, false, kwdChar, 10},
    // A control word is never empty, so these two never match; kept as the table has them.
    {"", 0, false, kwdChar, 10},
    {"", 0, false, kwdChar, 10},
    {"tab", 0, false, kwdChar, ' '},
    // Breaks and separators word processors write: a line, section or table row ends a line, a
    // table cell is set off as a tab is.
    {"line", 0, false, kwdChar, 10},
    {"sect", 0, false, kwdChar, 10},
    {"row", 0, false, kwdChar, 10},
    {"cell", 0, false, kwdChar, ' '},
    // Typographic symbols are their Windows-1252 characters.
    {"lquote", 0, false, kwdChar, 0x91},
    {"rquote", 0, false, kwdChar, 0x92},
    {"bullet", 0, false, kwdChar, 0x95},
    {"endash", 0, false, kwdChar, 0x96},
    {"emdash", 0, false, kwdChar, 0x97},
    {"~", 0, false, kwdChar, 0xA0},
    {"_", 0, false, kwdChar, '-'},
    // Hidden text is a character property wherever it is set; "\v0" ends it.
    {"v", 1, false, kwdProp, ipropHidden},
    {"ldblquote", 0, false, kwdChar, '"'},
    {"rdblquote", 0, false, kwdChar, '"'},
    {"bin", 0, false, kwdSpec, ipfnBin},
    // "\\uN", a character by its code, is told from the underline word by its number (below);
    // "\\ucN" fallback characters for older readers follow each.
    {"uc", 1, false, kwdSpec, ipfnUnicodeSkip},
    // A field's result is its visible text, even where it is marked optional with "\\*".
    {"fldrslt", 0, false, kwdSpec, ipfnFieldResult},
    {"*", 0, false, kwdSpec, ipfnSkipDest},
    {"'", 0, false, kwdSpec, ipfnHex},
    {"author", 0, false, kwdDest, 0},
    {"buptim", 0, false, kwdDest, 0},
    {"colortbl", 0, false, kwdDest, 0},
    {"comment", 0, false, kwdDest, 0},
    {"creatim", 0, false, kwdDest, 0},
    {"doccomm", 0, false, kwdDest, 0},
    {"fldinst", 0, false, kwdDest, 0},  // a field's instruction; its result is the text
    {"fonttbl", 0, false, kwdDest, 0},
    {"footer", 0, false, kwdDest, 0},
    {"footerf", 0, false, kwdDest, 0},
    {"footerl", 0, false, kwdDest, 0},
    {"footerr", 0, false, kwdDest, 0},
    {"footnote", 0, false, kwdDest, 0},
    {"ftncn", 0, false, kwdDest, 0},
    {"ftnsep", 0, false, kwdDest, 0},
    {"ftnsepc", 0, false, kwdDest, 0},
    {"header", 0, false, kwdDest, 0},
    {"headerf", 0, false, kwdDest, 0},
    {"headerl", 0, false, kwdDest, 0},
    {"headerr", 0, false, kwdDest, 0},
    {"info", 0, false, kwdDest, 0},
    {"keywords", 0, false, kwdDest, 0},
    {"operator", 0, false, kwdDest, 0},
    {"pict", 0, false, kwdDest, 0},
    {"printim", 0, false, kwdDest, 0},
    {"private1", 0, false, kwdDest, 0},
    {"revtim", 0, false, kwdDest, 0},
    {"rxe", 0, false, kwdDest, 0},
    {"stylesheet", 0, false, kwdDest, 0},
    {"subject", 0, false, kwdDest, 0},
    {"tc", 0, false, kwdDest, 0},
    {"title", 0, false, kwdDest, 0},
    {"txe", 0, false, kwdDest, 0},
    {"xe", 0, false, kwdDest, 0},
    {"{", 0, false, kwdChar, '{'},
    {"}", 0, false, kwdChar, '}'},
    {"\\", 0, false, kwdChar, '\\'},
};


} // namespace

CRtfDraw::CRtfDraw(LPCSTR pszRtf) : m_cszIn(pszRtf)
{
}

int CRtfDraw::Read()
{
    m_state = State();
    m_saved.clear();
    m_nDepth = 0;
    m_cbBin = 0;
    m_nHexValue = 0;
    m_cNibble = 2;
    m_nFallbackLeft = 0;
    m_highSurrogate = 0;
    m_bSkipDestIfUnk = false;
    m_nPos = 0;
    m_cszOut.Empty();

    const int nLen = m_cszIn.GetLength();
    while (m_nPos < nLen) {
        const unsigned char ch = static_cast<unsigned char>(m_cszIn[m_nPos++]);
        int ec = ecOK;
        if (m_state.ris == risBin) {
            ec = ParseChar(ch);
        } else if (m_state.ris == risHex) {
            const int nibble = HexDigitValue(ch);
            if (nibble < 0)
                return ecInvalidHex;
            m_nHexValue = (m_nHexValue << 4) + nibble;
            if (--m_cNibble == 0) {
                m_state.ris = risNorm;
                ec = ParseChar(m_nHexValue);
                m_cNibble = 2;
                m_nHexValue = 0;
            }
        } else {
            switch (ch) {
            case '{':
                ec = PushState();
                break;
            case '}':
                ec = PopState();
                break;
            case '\\':
                ec = ParseKeyword();
                break;
            case '\r':
            case '\n':
                break;
            default:
                ec = ParseChar(ch);
                break;
            }
        }
        if (ec != ecOK)
            return ec;
    }
    // A "\'" whose digits the text never gave.
    if (m_state.ris == risHex)
        return ecEndOfFile;
    if (m_nDepth < 0)
        return ecStackUnderflow;
    if (m_nDepth > 0)
        return ecUnmatchedBrace;
    return ecOK;
}

int CRtfDraw::PushState()
{
    if (m_nDepth >= kMaxDepth)
        return ecStackOverflow;
    try {
        m_saved.push_back(m_state);
    } catch (...) {
        LogOutput("*** Exception (ecPushRtfState) ***", 1, LOG_HERE);
        return ecStackOverflow;
    }
    m_state.ris = risNorm;
    m_nFallbackLeft = 0;  // a fallback ends where a group begins or ends
    ++m_nDepth;
    return ecOK;
}

int CRtfDraw::PopState()
{
    if (m_saved.empty())
        return ecStackUnderflow;
    // Leaving a destination would run its end-of-group action; no destination here has one.
    m_state = m_saved.back();
    m_saved.pop_back();
    m_nFallbackLeft = 0;
    --m_nDepth;
    return ecOK;
}

int CRtfDraw::ParseKeyword()
{
    const int nLen = m_cszIn.GetLength();
    if (m_nPos >= nLen)
        return ecEndOfFile;
    unsigned char ch = static_cast<unsigned char>(m_cszIn[m_nPos++]);
    if (!IsAsciiLetterByte(ch)) {
        // A control symbol: one character, no delimiter.
        return TranslateKeyword(CString(static_cast<char>(ch)), 0, false);
    }
    const int nStart = m_nPos - 1;
    while (m_nPos < nLen && IsAsciiLetterByte(static_cast<unsigned char>(m_cszIn[m_nPos])))
        ++m_nPos;
    const CString keyword = m_cszIn.Mid(nStart, m_nPos - nStart);

    bool bNeg = false;
    bool bParam = false;
    long long param = 0;
    if (m_nPos < nLen && m_cszIn[m_nPos] == '-') {
        bNeg = true;
        if (++m_nPos >= nLen)
            return ecEndOfFile;
    }
    while (m_nPos < nLen && IsDigitByte(static_cast<unsigned char>(m_cszIn[m_nPos]))) {
        bParam = true;
        // Saturate: a run of digits never overflows the number.
        if (param < INT_MAX)
            param = param * 10 + (m_cszIn[m_nPos] - '0');
        ++m_nPos;
    }
    if (param > INT_MAX)
        param = INT_MAX;
    if (bNeg)
        param = -param;
    // One blank after a control word belongs to it.
    if (m_nPos < nLen && m_cszIn[m_nPos] == ' ')
        ++m_nPos;
    return TranslateKeyword(keyword, static_cast<int>(param), bParam);
}

int CRtfDraw::TranslateKeyword(const CString& keyword, int param, bool bParam)
{
    static const Keyword kUnicode = {"u", 0, false, kwdSpec, ipfnUnicode};
    // Every control word of every text is looked up: a table searched in order costs more than
    // the rest of the reading. The first entry of a word is the one that counts.
    static const std::unordered_map<std::string_view, const Keyword*> kByWord = [] {
        std::unordered_map<std::string_view, const Keyword*> map;
        for (const Keyword& k : kKeywords)
            map.emplace(k.szKeyword, &k);
        return map;
    }();
    const Keyword* pFound = keyword == "u" && bParam ? &kUnicode : nullptr;
    if (!pFound) {
        const auto it = kByWord.find(std::string_view(keyword.GetString(), static_cast<size_t>(keyword.GetLength())));
        if (it != kByWord.end())
            pFound = it->second;
    }
    if (!pFound && m_nFallbackLeft > 0) {
        --m_nFallbackLeft;
        m_bSkipDestIfUnk = false;
        return ecOK;
    }
    if (!pFound) {
        // An unknown word right after "\*" names a destination we cannot read: skip it.
        if (m_bSkipDestIfUnk)
            m_state.rds = rdsSkip;
        m_bSkipDestIfUnk = false;
        return ecOK;
    }
    m_bSkipDestIfUnk = false;
    // After a "\\u" every control word or symbol stands for one of its fallback characters; a
    // "\\'" does so through the character it gives, and binary data stays data.
    if (m_nFallbackLeft > 0 && pFound->kwd != kwdChar && !(pFound->kwd == kwdSpec && pFound->idx == ipfnHex) &&
        !(pFound->kwd == kwdSpec && pFound->idx == ipfnBin)) {
        --m_nFallbackLeft;
        return ecOK;
    }
    switch (pFound->kwd) {
    case kwdProp:
        if (pFound->fPassDflt || !bParam)
            param = pFound->dflt;
        return ApplyPropChange(pFound->idx, param);
    case kwdChar:
        return ParseChar(pFound->idx);
    case kwdDest:
        m_state.rds = rdsSkip;
        return ecOK;
    case kwdSpec:
        return ParseSpecial(pFound->idx, param);
    }
    return ecBadTable;
}

int CRtfDraw::ApplyPropChange(int iprop, int val)
{
    if (m_state.rds == rdsSkip)
        return ecOK;
    switch (iprop) {
    case ipropBold: m_state.chp.fBold = val; break;
    case ipropItalic: m_state.chp.fItalic = val; break;
    case ipropUnderline: m_state.chp.fUnderline = val; break;
    case ipropHidden: m_state.chp.fHidden = val != 0; break;
    case ipropLeftInd: m_state.pap.xaLeft = val; break;
    case ipropRightInd: m_state.pap.xaRight = val; break;
    case ipropFirstInd: m_state.pap.xaFirst = val; break;
    case ipropJust: m_state.pap.just = val; break;
    case ipropCols: m_state.sep.cCols = val; break;
    case ipropSbk: m_state.sep.sbk = val; break;
    case ipropPgnX: m_state.sep.xaPgn = val; break;
    case ipropPgnY: m_state.sep.yaPgn = val; break;
    case ipropPgnFormat: m_state.sep.pgnFormat = val; break;
    case ipropXaPage: m_state.dop.xaPage = val; break;
    case ipropYaPage: m_state.dop.yaPage = val; break;
    case ipropXaLeft: m_state.dop.xaLeft = val; break;
    case ipropXaRight: m_state.dop.xaRight = val; break;
    case ipropYaTop: m_state.dop.yaTop = val; break;
    case ipropYaBottom: m_state.dop.yaBottom = val; break;
    case ipropPgnStart: m_state.dop.pgnStart = val; break;
    case ipropFacingp: m_state.dop.fFacingp = val; break;
    case ipropLandscape: m_state.dop.fLandscape = val; break;
    default: return ecBadTable;
    }
    return ecOK;
}

int CRtfDraw::ParseSpecial(int ipfn, int param)
{
    // Inside a skipped destination only "\bin" matters: its bytes must still be passed over.
    if (m_state.rds == rdsSkip && ipfn != ipfnBin)
        return ecOK;
    switch (ipfn) {
    case ipfnBin:
        if (param > 0) {
            m_state.ris = risBin;
            m_cbBin = param;
        }
        return ecOK;
    case ipfnSkipDest:
        m_bSkipDestIfUnk = true;
        return ecOK;
    case ipfnUnicode: {
        const int ec = ParseUnicode(param < 0 ? param + 65536 : param);
        m_nFallbackLeft = m_state.nUnicodeSkip;
        return ec;
    }
    case ipfnFieldResult:
        return ecOK;
    case ipfnUnicodeSkip:
        m_state.nUnicodeSkip = param < 0 ? 0 : param > 10 ? 10 : param;
        return ecOK;
    case ipfnHex:
        m_state.ris = risHex;
        m_cNibble = 2;
        m_nHexValue = 0;
        return ecOK;
    }
    return ecBadTable;
}

int CRtfDraw::ParseChar(int ch)
{
    if (m_state.ris == risBin && --m_cbBin <= 0)
        m_state.ris = risNorm;
    if (m_nFallbackLeft > 0) {
        --m_nFallbackLeft;  // stands in for the "\\u" character before it
        return ecOK;
    }
    if (m_state.rds == rdsSkip || m_state.chp.fHidden)
        return ecOK;
    // A NUL byte has no place in the text.
    if (m_bTextMode && ch != 0) {
        if (m_bUtf8)
            Emit(cp1252::ToUnicode(static_cast<unsigned char>(ch)));
        else
            m_cszOut += static_cast<char>(ch);
    }
    return ecOK;
}

int CRtfDraw::ParseUnicode(int unit)
{
    if (!m_bUtf8) {
        const int byte = unit >= 0 && unit <= 0xFFFF ? cp1252::FromUnicode(static_cast<char32_t>(unit)) : -1;
        return ParseChar(byte > 0 ? byte : '?');
    }
    if (m_state.rds == rdsSkip || m_state.chp.fHidden || !m_bTextMode)
        return ecOK;
    const char32_t u = static_cast<char32_t>(unit) & 0xFFFF;
    if (u >= 0xD800 && u <= 0xDBFF) {
        m_highSurrogate = u;
        return ecOK;
    }
    if (u >= 0xDC00 && u <= 0xDFFF) {
        // A second half without its first stands for nothing.
        if (m_highSurrogate)
            Emit(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (u - 0xDC00));
        m_highSurrogate = 0;
        return ecOK;
    }
    if (u != 0)
        Emit(u);
    return ecOK;
}

void CRtfDraw::Emit(char32_t cp)
{
    m_highSurrogate = 0;
    char buf[4];
    int n = 0;
    if (cp < 0x80) {
        buf[n++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
        buf[n++] = static_cast<char>(0xC0 | (cp >> 6));
        buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        buf[n++] = static_cast<char>(0xE0 | (cp >> 12));
        buf[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        buf[n++] = static_cast<char>(0xF0 | (cp >> 18));
        buf[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        buf[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    m_cszOut += CString(buf, n);
}

namespace {

CString ReadText(LPCSTR pszRtf, BOOL bUtf8)
{
    CRtfDraw reader(pszRtf);
    reader.SetTextMode(TRUE);
    reader.SetUtf8(bUtf8);
    const int ec = reader.Read();
    if (ec != CRtfDraw::ecOK) {
        CString msg;
        msg.Format("Error %d parsing rtf - text-only...\n", ec);
        LogOutput(msg, 1, LOG_HERE);
        LogOutput(pszRtf, 1, LOG_HERE);
        return CString();
    }
    return reader.GetText();
}

} // namespace

CString RtfToText(LPCSTR pszRtf)
{
    if (!pszRtf || !std::strstr(pszRtf, "\\rtf"))
        return CString(pszRtf);
    return ReadText(pszRtf, FALSE);
}

CString RtfToTextUtf8(LPCSTR pszRtf)
{
    if (!pszRtf || !std::strstr(pszRtf, "\\rtf")) {
        const std::string utf8 = cp1252::ToUtf8(pszRtf ? pszRtf : "");
        return CString(utf8.data(), static_cast<int>(utf8.size()));
    }
    return ReadText(pszRtf, TRUE);
}
