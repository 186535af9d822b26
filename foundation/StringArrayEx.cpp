#include "foundation/StringArrayEx.h"

CString CStringArrayEx::Quote(LPCSTR text)
{
    return CString("{") + text + "}";
}

CString CStringArrayEx::Unquote(LPCSTR item)
{
    const CString s(item);
    const int open = s.Find('{');
    if (open < 0)
        return CString();
    const int close = s.Find('}', open + 1);
    return close < 0 ? s.Mid(open + 1) : s.Mid(open + 1, close - open - 1);
}

CString CStringArrayEx::GetQuotedAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        return CString();
    return Quote(GetAt(nIndex));
}

CString CStringArrayEx::Join() const
{
    CString out;
    for (int i = 0; i < GetSize(); ++i) {
        if (i > 0)
            out += ", ";
        out += Quote(GetAt(i));
    }
    return out;
}

void CStringArrayEx::SetFromList(LPCSTR text)
{
    RemoveAll();
    CString list(text);
    list.Trim();
    if (list.IsEmpty())
        return;
    // A comma between "{" and its "}" belongs to the item, as Unquote reads it.
    auto addItem = [this](CString item) {
        if (item.Find('{') >= 0)
            Add(Unquote(item));
        else
            Add(item.Trim());
    };
    bool inBraces = false;
    int start = 0;
    for (int i = 0; i < list.GetLength(); ++i) {
        const char c = list[i];
        if (c == '{' && !inBraces)
            inBraces = true;
        else if (c == '}' && inBraces)
            inBraces = false;
        else if (c == ',' && !inBraces) {
            addItem(list.Mid(start, i - start));
            start = i + 1;
        }
    }
    // As before, a comma at the very end starts no item.
    if (start < list.GetLength())
        addItem(list.Mid(start));
}

namespace {

CString Folded(LPCSTR text, BOOL bCaseSensitive)
{
    CString s(text);
    if (!bCaseSensitive)
        s.MakeLower();
    return s;
}

} // namespace

int CStringArrayEx::FindSubstring(LPCSTR text, BOOL bCaseSensitive) const
{
    const CString wanted = Folded(text, bCaseSensitive);
    for (int i = 0; i < GetSize(); ++i) {
        if (Folded(GetAt(i), bCaseSensitive).Find(wanted) >= 0)
            return i;
    }
    return -1;
}

int CStringArrayEx::FindExact(LPCSTR text, BOOL bCaseSensitive) const
{
    const CString wanted = Folded(text, bCaseSensitive);
    for (int i = 0; i < GetSize(); ++i) {
        if (Folded(GetAt(i), bCaseSensitive) == wanted)
            return i;
    }
    return -1;
}

CString CStringArrayEx::PopFront()
{
    if (IsEmpty())
        return CString();
    CString first = GetAt(0);
    RemoveAt(0);
    return first;
}
