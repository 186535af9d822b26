#include "platform/core/HtmlMarkup.h"

#include "platform/core/CodePage.h"

namespace {

CString WithoutMarks(LPCSTR text)
{
    CString out;
    for (const char* p = text ? text : ""; *p; ++p)
        if (*p != HTML_MARK_OPEN && *p != HTML_MARK_CLOSE)
            out += *p;
    return out;
}

} // namespace

CString HtmlMarkup(LPCSTR markup)
{
    CString out(HTML_MARK_OPEN, 1);
    out += WithoutMarks(markup);
    out += HTML_MARK_CLOSE;
    return out;
}

CString HtmlPlainText(LPCSTR text)
{
    return WithoutMarks(text);
}

CString HtmlTextFromUtf8(const CString& utf8)
{
    CString out;
    const int n = utf8.GetLength();
    for (int i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool bValid = len > 0 && i + len <= n;
        for (int k = 1; bValid && k < len; ++k) {
            const unsigned char c = static_cast<unsigned char>(utf8[i + k]);
            bValid = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!bValid) {
            // Not UTF-8: the byte is taken as Windows-1252.
            cp = cp1252::ToUnicode(b);
            i += 1;
        } else {
            i += len;
        }
        if (cp == static_cast<unsigned char>(HTML_MARK_OPEN) || cp == static_cast<unsigned char>(HTML_MARK_CLOSE))
            continue;
        const int byte = cp < 0x80 ? static_cast<int>(cp) : cp1252::FromUnicode(cp);
        if (byte > 0)
            out += static_cast<char>(byte);
        else if (cp != 0)
            out += HtmlMarkup(CString::Formatted("&#%u;", static_cast<unsigned>(cp)));
    }
    return out;
}

void SplitHtmlMarked(const CString& marked, const std::function<void(bool bMarkup, const CString& piece)>& piece)
{
    CString current;
    bool markup = false;
    auto flush = [&] {
        if (!current.IsEmpty())
            piece(markup, current);
        current.Empty();
    };
    for (int i = 0; i < marked.GetLength(); ++i) {
        const char ch = marked[i];
        if (ch == HTML_MARK_OPEN) {
            flush();
            markup = true;
        } else if (ch == HTML_MARK_CLOSE) {
            flush();
            markup = false;
        } else {
            current += ch;
        }
    }
    flush();
}

CString HtmlFromMarked(const CString& marked)
{
    CString out;
    SplitHtmlMarked(marked, [&out](bool bMarkup, const CString& piece) { out += bMarkup ? piece : HtmlEscape(piece); });
    return out;
}

CString HtmlEscape(LPCSTR text, BOOL bAttribute)
{
    CString out;
    for (const char* p = text ? text : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (bAttribute)
                out += "&quot;";
            else
                out += '"';
            break;
        default: out += *p;
        }
    }
    return out;
}
