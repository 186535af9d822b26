#include "model/DocText.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"

CString BlockSafeText(const CString& text, LPCSTR what, BOOL noBars)
{
    if (IsBlockSafeText(text, noBars))
        return text;
    CString safe = text;
    safe.Replace('{', '(');
    safe.Replace('}', ')');
    if (noBars)
        while (safe.Replace("||", "|") > 0) {
        }
    CString line;
    line.Format("%s changed to be stored: '%s'", what, safe.GetString());
    LogOutput(line, LOG_ERROR, LOG_HERE);
    return safe;
}

BOOL IsBlockSafeText(LPCSTR text, BOOL noBars)
{
    if (!text)
        return TRUE;
    for (const char* p = text; *p; ++p) {
        if (*p == '{' || *p == '}')
            return FALSE;
        if (noBars && p[0] == '|' && p[1] == '|')
            return FALSE;
    }
    return TRUE;
}

CString WrapTitle(const CString& title, int width)
{
    std::string s(title.GetString());
    std::string out;
    out.reserve(s.size() + 8);
    size_t lineStart = 0;
    while (s.size() - lineStart > static_cast<size_t>(width)) {
        // The last blank that leaves a line of at most width characters; else the first blank
        // after it (a long word stays whole).
        size_t cut = s.rfind(' ', lineStart + static_cast<size_t>(width));
        if (cut == std::string::npos || cut < lineStart)
            cut = s.find(' ', lineStart + static_cast<size_t>(width));
        if (cut == std::string::npos)
            break;
        out.append(s, lineStart, cut - lineStart);
        out += "\r\n";
        lineStart = cut + 1;
    }
    out.append(s, lineStart, std::string::npos);
    return CString(out.c_str(), static_cast<int>(out.size()));
}

CString UnwrapTitle(const CString& inner)
{
    std::string s(inner.GetString());
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    CString result(out.c_str(), static_cast<int>(out.size()));
    result.Trim();
    return result;
}

void AppendWrappedItems(CEncryptedArchive& out, const std::vector<CString>& items, int start, int limit, int indent)
{
    int running = start;
    const CString continuation = CString("\r\n") + CString(' ', indent);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out.GrowBuffer(", ", 2);
            running += 2;
            if (running > limit) {
                Put(out, continuation);
                running = indent;
            }
        }
        Put(out, items[i]);
        running += items[i].GetLength();
    }
}

std::vector<CString> SplitItem(const CString& item, char separator)
{
    std::vector<CString> fields;
    int start = 0;
    for (int at; (at = item.Find(separator, start)) >= 0; start = at + 1)
        fields.push_back(item.Mid(start, at - start));
    fields.push_back(item.Mid(start));
    return fields;
}

void Put(CEncryptedArchive& out, const CString& text)
{
    out.GrowBuffer(text.GetString(), text.GetLength());
}
