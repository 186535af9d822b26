#include "foundation/Util.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

constexpr int kMaxMailUrl = 2000;

// Percent-encoding of a Windows-1252 text as UTF-8; every byte outside the unreserved set becomes
// one "%XX". Each character's escapes are kept together so that a cut never splits one.
void AppendEncoded(std::string& url, std::vector<size_t>& cuts, const CString& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string utf8 = text.ToUtf8();
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
        // A UTF-8 continuation byte belongs to the character before it.
        bool lastOfChar = i + 1 >= utf8.size() || (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) != 0x80;
        if (lastOfChar)
            cuts.push_back(url.size());
    }
}

BOOL IsAllOf(LPCSTR text, bool (*test)(unsigned char))
{
    if (!text || !*text)
        return FALSE;
    for (const char* p = text; *p; ++p)
        if (!test(static_cast<unsigned char>(*p)))
            return FALSE;
    return TRUE;
}

bool PrevIsBackslash(const CString& out)
{
    return !out.IsEmpty() && out[out.GetLength() - 1] == '\\';
}

// One pass of the encoder. hasOpen tells whether the result holds a '[', without which the decoder
// returns the text unchanged. For such a text (hexEscapes) escaped braces are written as RTF hex
// escapes, which an RTF reader takes for the same characters, and brackets, "&" and "@" are left
// as they are: the decoder gives them back unchanged.
CString Encode(const CString& in, bool hexEscapes, bool& hasOpen)
{
    CString out;
    hasOpen = false;
    for (int i = 0; i < in.GetLength(); ++i) {
        char c = in[i];
        bool afterBackslash = PrevIsBackslash(out);
        switch (c) {
        case '{':
        case '}':
            if (afterBackslash && hexEscapes) {
                out += c == '{' ? "'7b" : "'7d";
            } else if (afterBackslash) {
                out += c == '{' ? '&' : '@';
            } else {
                out += c == '{' ? '[' : ']';
                hasOpen = hasOpen || c == '{';
            }
            break;
        case '[':
        case ']':
            // Every literal bracket gets its own backslash, also one that follows a backslash.
            if (hexEscapes) {
                out += c;
                break;
            }
            out += '\\';
            out += c;
            hasOpen = hasOpen || c == '[';
            break;
        case '&':
        case '@':
            // After a backslash these would read back as braces: write them as hex escapes.
            if (afterBackslash && !hexEscapes)
                out += c == '&' ? "\\'26" : "\\'40";
            else
                out += c;
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

} // namespace

BOOL SendEmail(LPCSTR address, LPCSTR subject, LPCSTR body)
{
    std::string url = "mailto:" + CString(address).ToUtf8();
    std::vector<size_t> cuts;
    for (size_t i = 1; i <= url.size(); ++i)
        cuts.push_back(i);
    url += "?subject=";
    cuts.push_back(url.size());
    AppendEncoded(url, cuts, CString(subject));
    if (body) {
        url += "&body=";
        cuts.push_back(url.size());
        AppendEncoded(url, cuts, CString(body));
    }
    if (url.size() > static_cast<size_t>(kMaxMailUrl)) {
        size_t keep = 0;
        for (size_t c : cuts)
            if (c <= static_cast<size_t>(kMaxMailUrl))
                keep = c;
        url.resize(keep);
    }
    CString text = CString::FromUtf8(url);
    if (!DesktopOpener().OpenMail(text)) {
        LogOutput("::SendEmail() - ShellExecute failed...", LOG_ERROR, LOG_HERE);
        LogOutput(text.Left(50), LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

unsigned Factorial(unsigned n)
{
    unsigned result = 1;
    for (unsigned i = 2; i <= n; ++i) {
        if (result > UINT_MAX / i)
            return UINT_MAX;
        result *= i;
    }
    return result;
}

BOOL IsAllSpace(LPCSTR text)
{
    return IsAllOf(text, IsSpaceByte);
}

std::vector<CString> SplitFields(const CString& text, const char* separators)
{
    std::vector<CString> fields;
    CString field;
    const int n = text.GetLength();
    for (int i = 0; i <= n; ++i) {
        if (i == n || (text[i] != '\0' && std::strchr(separators, text[i]))) {
            if (!field.IsEmpty())
                fields.push_back(field);
            field.Empty();
        } else {
            field += text[i];
        }
    }
    return fields;
}

BOOL IsAllDigits(LPCSTR text)
{
    return IsAllOf(text, IsDigitByte);
}

double RoundTo2Decimals(double value)
{
    CString s;
    s.Format("%.2f", value);
    return AtofC(s);
}

int RoundUpToMultiple(int n, int m)
{
    if (m <= 0)
        return n;
    // In 64 bits, so that the multiple above INT_MAX is seen; a negative n rounds toward zero.
    long long r = n % m;
    long long result = static_cast<long long>(n) - r + (r > 0 ? m : 0);
    if (result > INT_MAX || result % m != 0) {
        LogAssertion("(n % nMultiple) == 0", LOG_HERE);
        return n;
    }
    return static_cast<int>(result);
}

int RoundUpToMultipleMin(int n, int m)
{
    if (n < m)
        return m;
    return RoundUpToMultiple(n, m);
}

int RoundDownToMultipleMin(int n, int step)
{
    if (step <= 0)
        return n;
    if (n < step)
        return step;
    return n - n % step;
}

int CountOccurrences(LPCSTR text, LPCSTR part, int n)
{
    if (!text || !part || !*part || n <= 0)
        return 0;
    size_t len = std::strlen(part);
    int count = 0;
    for (const char* p = std::strstr(text, part); p && p - text < n; p = std::strstr(p + len, part))
        ++count;
    return count;
}

void ReplaceHighCharsSz(char* text, char c)
{
    if (!text)
        return;
    for (char* p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) > 127)
            *p = c;
}

void ReplaceHighChars(CString& text, char c)
{
    for (char& ch : text.str())
        if (static_cast<unsigned char>(ch) > 127)
            ch = c;
}

double AtofC(LPCSTR text)
{
    if (!text)
        return 0.0;
    const char* p = text;
    while (*p && IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p == '+' || *p == '-')
        return 0.0;
    double value = 0.0;
    auto result = std::from_chars(p, p + std::strlen(p), value);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    return negative ? -value : value;
}

BOOL WriteTextFile(LPCSTR text, LPCSTR path)
{
    size_t len = text ? std::strlen(text) : 0;
    if (!path || !*path || !fsys::WriteFile(path, text ? text : "", len)) {
        AfxMessageBox(CString("Cannot open file ") + path + " for output.");
        return FALSE;
    }
    return TRUE;
}

BOOL ViewLogFile(LPCSTR path, LPCSTR, LPCSTR)
{
    if (!path || !fsys::IsFile(path)) {
        LogOutput(CString("::ViewLogFile() - Log file does not exist: ") + path, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (!DesktopOpener().OpenFile(path)) {
        LogOutput(CString("::ViewLogFile() - failed to start the text viewer for ") + path, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

// The bracket form. Braces become brackets; an escaped brace keeps its backslash and becomes "&"
// ('{') or "@" ('}'); every literal bracket gets a backslash in front. "&" and "@" that follow a
// backslash in the RTF would read back as braces, so they are written as their hex escapes
// (\'26, \'40), which an RTF reader takes for the same characters. The decoder returns a text
// without '[' unchanged, so a text without one keeps its brackets, "&" and "@" as they are and
// has its escaped braces written as hex escapes.
CString EncodeBraces(LPCSTR rtf)
{
    CString in(rtf);
    bool hasOpen = false;
    CString out = Encode(in, false, hasOpen);
    if (!hasOpen)
        out = Encode(in, true, hasOpen);
    return out;
}

CString DecodeBraces(LPCSTR stored)
{
    CString in(stored);
    if (in.Find('[') < 0)
        return in;
    // Runs of plain bytes are copied whole: every text of a bank is decoded as it is read.
    const char* p = in.GetString();
    const size_t n = static_cast<size_t>(in.GetLength());
    std::string out;
    out.reserve(n);
    size_t run = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = p[i];
        if (c != '&' && c != '@' && c != '[' && c != ']')
            continue;
        out.append(p + run, i - run);
        run = i + 1;
        const bool afterBackslash = i > 0 && p[i - 1] == '\\';
        switch (c) {
        case '&':
            out += afterBackslash ? '{' : '&';
            break;
        case '@':
            out += afterBackslash ? '}' : '@';
            break;
        default:
            if (afterBackslash)
                out.back() = c;  // the backslash before it was copied last
            else
                out += c == '[' ? '{' : '}';
            break;
        }
    }
    out.append(p + run, n - run);
    return CString(std::move(out));
}

namespace {

std::mutex& KindMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::type_index, int>& Kinds()
{
    static std::map<std::type_index, int> kinds;
    return kinds;
}

} // namespace

void RegisterDocViewKind(std::type_index type, int kind)
{
    std::lock_guard<std::mutex> lock(KindMutex());
    Kinds()[type] = kind;
}

int DocViewKindOf(std::type_index type)
{
    std::lock_guard<std::mutex> lock(KindMutex());
    auto it = Kinds().find(type);
    return it == Kinds().end() ? DVK_OTHER : it->second;
}
