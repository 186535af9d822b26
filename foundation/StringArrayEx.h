#pragma once
// The string array of subject and textbook-chapter lists: items written in braces, joined with
// ", ", looked up by exact text or by part of it.

#include "platform/core/Collections.h"

class CStringArrayEx : public CStringArray {
public:
    CStringArrayEx() = default;
    CStringArrayEx(const CStringArrayEx&) = default;
    CStringArrayEx& operator=(const CStringArrayEx&) = default;
    virtual ~CStringArrayEx() = default;

    // "{" + text + "}".
    static CString Quote(LPCSTR text);
    // The text after the first "{" up to the next "}" (or the end); empty without a "{".
    static CString Unquote(LPCSTR item);

    // The element at nIndex in braces; empty when there is none.
    CString GetQuotedAt(int nIndex) const;
    // Every element in braces, joined with ", ".
    CString Join() const;
    // Replaces the elements with the items of text: split at commas outside braces, a braced
    // item unquoted, any other item trimmed. Join's text gives its elements back.
    void SetFromList(LPCSTR text);

    // Index of the first element that contains text (FindSubstring) or equals it (FindExact);
    // letter case is ignored unless bCaseSensitive. -1 when none.
    virtual int FindSubstring(LPCSTR text, BOOL bCaseSensitive) const;
    virtual int FindExact(LPCSTR text, BOOL bCaseSensitive) const;
    // Removes the first element and returns it; empty when there is none.
    virtual CString PopFront();

    void Copy(const CStringArray& o) { CStringArray::Copy(o); }
    void CopyTo(CStringArray& o) const { o.Copy(*this); }
};
