#pragma once
// CString: a byte string holding Windows-1252 text, as the system's files hold it.
// Indexes and lengths count bytes. Converted to Unicode only at the GUI boundary.

#include "platform/core/WinTypes.h"

#include <cstdarg>
#include <string>
#include <string_view>
#include <type_traits>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int len) : m_s(s ? std::string(s, len > 0 ? static_cast<size_t>(len) : 0) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}
    CString(std::string&& s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}

    // Size and access.
    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    // The byte at i; 0 when i is out of range.
    char GetAt(int i) const;
    void SetAt(int i, char ch);
    template <typename I>
        requires std::is_integral_v<I>
    char operator[](I i) const
    {
        return GetAt(static_cast<int>(i));
    }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    // A writable buffer of at least minLength bytes plus a terminator; ReleaseBuffer(-1)
    // cuts the string at its first NUL, ReleaseBuffer(n) at n bytes.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Sub-strings; out-of-range arguments are clamped.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    // Search; -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // Changes. Replace and Remove return the number of replacements or removals.
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* set);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Comparison: <0, 0, >0. NoCase folds the code page's letters.
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    // printf formatting, always in the "C" locale.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    static CString Formatted(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

    // The string-table text of id; FALSE (and empty) when the table has none.
    BOOL LoadString(UINT id);

    // UTF-8 at the boundary to the desktop and the file system's names.
    std::string ToUtf8() const;
    static CString FromUtf8(std::string_view utf8);

    CString& operator=(const char* s)
    {
        m_s = s ? s : "";
        return *this;
    }
    CString& operator=(char ch)
    {
        m_s.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& s)
    {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s)
    {
        if (s)
            m_s += s;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_s += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }
    friend bool operator<=(const CString& a, const CString& b) { return a.m_s <= b.m_s; }
    friend bool operator>=(const CString& a, const CString& b) { return a.m_s >= b.m_s; }

private:
    std::string m_s;
};

// The string-table text of id, or an empty string.
CString LoadStringId(UINT id);

// Character tests over a byte of Windows-1252 text; never undefined for bytes above 127.
inline bool IsSpaceByte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsDigitByte(unsigned char c) { return c >= '0' && c <= '9'; }
// The letters of an RTF control word: ASCII only, whatever the code page makes of the rest.
inline bool IsAsciiLetterByte(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// 0..15 for a hexadecimal digit of either case, -1 for anything else.
inline int HexDigitValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text, white space around it trimmed, as a whole decimal number within [lo, hi]; FALSE
// (out untouched) when it is not one.
BOOL ParseWholeNumber(const char* text, long long lo, long long hi, long long& out);
// The same for a whole CString: a NUL inside it is not a number's end.
BOOL ParseWholeNumber(const CString& text, long long lo, long long hi, long long& out);
