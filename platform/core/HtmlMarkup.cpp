#include "platform/core/HtmlMarkup.h"

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
