#include "render/RtfSyntax.h"

#include <cstring>

namespace {

const char kHeaderFormat[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq%d\\fcharset0 Arial;}}"
    "\\viewkind4\\uc1\\pard\\lang1033";

} // namespace

BOOL IsRtfText(LPCSTR pszText)
{
    if (!pszText)
        return FALSE;
    while (IsSpaceByte(static_cast<unsigned char>(*pszText)))
        ++pszText;
    return std::strncmp(pszText, "{\\rtf", 5) == 0;
}

CString MakeDefaultRtfHeader(int nPitch)
{
    CString header;
    header.Format(kHeaderFormat, nPitch);
    return header + "\\f0\\fs20 ";
}

CString WrapPlainTextAsRtf(LPCSTR pszText, int nPitch)
{
    CString rtf;
    rtf.Format(kHeaderFormat, nPitch);
    return rtf + "\\fs20 " + (pszText ? pszText : "") + "}";
}

void AppendRtfEscapedByte(CString& out, unsigned char c)
{
    static const char kHex[] = "0123456789abcdef";
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x80) {
        out += "\\'";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    } else {
        out += static_cast<char>(c);
    }
}
