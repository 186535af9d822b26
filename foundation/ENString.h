#pragma once
// The program's own string: text that is searched, cut into fields and trimmed, and that can
// write itself into a byte buffer (version word, the characters, their NUL).

#include "foundation/Serial.h"
#include "platform/core/String.h"

#include <vector>

class CENString : public CSerial {
public:
    // The longest stored text a read accepts, its NUL included.
    static constexpr size_t MAX_STORED = 32000;

    CENString();
    CENString(LPCSTR psz);
    CENString(const CString& s);
    // A copy of the other's text; it shares nothing with it, and no field cursor.
    CENString(const CENString& o);
    ~CENString() override = default;

    CENString& operator=(LPCSTR psz);
    CENString& operator=(const CString& s);
    CENString& operator=(const CENString& o);

    int GetLength() const { return m_str.GetLength(); }
    BOOL IsEmpty() const { return m_str.IsEmpty(); }
    // A CString of the text: CString s(en), or en.GetCString().
    operator LPCSTR() const { return m_str.GetString(); }
    LPCSTR GetString() const { return m_str.GetString(); }
    const CString& GetCString() const { return m_str; }

    // Drops the field cursor; the text stays.
    void FreeBuffers();
    // Empty text, no field cursor.
    void Empty() { Reset(); }
    void Reset() override;

    // Cuts; counts and indexes are clamped to the text.
    CENString Left(int nCount) const;
    CENString Right(int nCount) const;
    // dest = nCount characters from nStart; nExtra is room the caller means to add.
    void AllocCopy(CENString& dest, int nCount, int nStart, int nExtra) const;

    // Index of the first or last occurrence; -1 when absent, when the text is empty or the
    // argument NULL.
    int FindChar(char c) const;
    int ReverseFind(char c) const;
    int Find(LPCSTR psz) const;

    void TrimLeft();
    void TrimRight();
    void MakeUpper();
    void MakeLower();
    // Every character a decimal digit; the empty text counts as a number.
    BOOL IsNumber() const;

    // At *ppCursor: the field up to the next occurrence of sep (a NUL is written over the
    // separator's first character and the cursor moves past it); the rest when sep is absent or
    // empty (the cursor moves to its end). NULL when the cursor is at the end.
    static char* NextField(char** ppCursor, LPCSTR sep);
    // out = the n-th field (0-based) split at sep; the whole text when sep is empty. Empty, and
    // FALSE, when n is negative, the text empty or there are not n + 1 fields.
    BOOL GetToken(CENString& out, int n, LPCSTR sep) const;
    // Walks the fields: bContinue 0 starts again from the first field, 1 goes on. 1 with the
    // field in out, 0 when none is left.
    int GetNextToken(LPCSTR sep, CENString& out, BOOL bContinue);

    // Order of map keys: by the characters' Unicode code points, a text before every longer
    // text that begins with it.
    int Compare(const CENString& o) const;
    friend bool operator==(const CENString& a, const CENString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CENString& a, LPCSTR b) { return a.m_str == b; }
    friend bool operator==(LPCSTR a, const CENString& b) { return b.m_str == a; }
    friend bool operator==(const CENString& a, const CString& b) { return a.m_str == b; }
    friend bool operator==(const CString& a, const CENString& b) { return b.m_str == a; }
    friend bool operator!=(const CENString& a, const CENString& b) { return !(a == b); }
    friend bool operator!=(const CENString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const CENString& b) { return !(b == a); }
    friend bool operator!=(const CENString& a, LPCSTR b) { return !(a == b); }
    friend bool operator!=(LPCSTR a, const CENString& b) { return !(b == a); }
    friend bool operator<(const CENString& a, const CENString& b) { return a.Compare(b) < 0; }

    size_t GetSerializedSize() const override;
    size_t GetMinSerializedSize() const override;
    const BYTE* OnSerializeIn(const BYTE* pBuf, const BYTE* pEnd) override;
    BYTE* OnSerializeOut(BYTE* pBuf, const BYTE* pEnd) override;

private:
    // Moves the 26 letters from "from" on to "to" on.
    void ChangeCase(char from, char to);

    CString m_str;
    // Private copy of the text cut by GetNextToken; m_pCursor points into it, NULL when unset.
    std::vector<char> m_tokenBuf;
    char* m_pCursor = nullptr;
};

// The system's message text for an error number (errno).
class CErrorText : public CENString {
public:
    CErrorText() = default;
    CErrorText(const CErrorText&) = default;
    ~CErrorText() override = default;
    CErrorText& operator=(LPCSTR psz)
    {
        CENString::operator=(psz);
        return *this;
    }
    CErrorText& operator=(const CErrorText& o) = default;

    // The message for nError, trimmed on the right; a line feed and pszExtra follow when given.
    void SetFromError(DWORD nError, LPCSTR pszExtra);
};
