#include "platform/core/String.h"

#include "platform/core/CodePage.h"
#include "platform/core/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

bool InSet(char c, const char* set)
{
    return set && c != '\0' && std::strchr(set, c) != nullptr;
}

// A "C" locale for this thread while formatting: numbers never take the user's separators.
class CLocaleScope {
public:
    CLocaleScope()
    {
        static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        m_old = cLocale ? uselocale(cLocale) : static_cast<locale_t>(nullptr);
    }
    ~CLocaleScope()
    {
        if (m_old)
            uselocale(m_old);
    }

private:
    locale_t m_old;
};

std::string VFormat(const char* fmt, va_list args)
{
    if (!fmt)
        return {};
    CLocaleScope scope;
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof(small), fmt, copy);
    va_end(copy);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof(small))
        return std::string(small, static_cast<size_t>(n));
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

} // namespace

char CString::GetAt(int i) const
{
    if (i < 0 || i >= GetLength())
        return '\0';
    return m_s[static_cast<size_t>(i)];
}

void CString::SetAt(int i, char ch)
{
    if (i >= 0 && i < GetLength())
        m_s[static_cast<size_t>(i)] = ch;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_s.resize(static_cast<size_t>(minLength), '\0');
    return m_s.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        m_s.resize(std::strlen(m_s.c_str()));
    else if (static_cast<size_t>(newLength) <= m_s.size())
        m_s.resize(static_cast<size_t>(newLength));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* set) const
{
    int n = 0;
    while (n < GetLength() && InSet(m_s[static_cast<size_t>(n)], set))
        ++n;
    return Left(n);
}

CString CString::SpanExcluding(const char* set) const
{
    int n = 0;
    while (n < GetLength() && !InSet(m_s[static_cast<size_t>(n)], set))
        ++n;
    return Left(n);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t p = m_s.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t p = m_s.find(sub, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const
{
    size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* set) const
{
    if (!set || !*set)
        return -1;
    size_t p = m_s.find_first_of(set);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Replace(char from, char to)
{
    int n = 0;
    for (char& c : m_s) {
        if (c == from) {
            c = to;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from)
        return 0;
    const size_t flen = std::strlen(from);
    const std::string repl = to ? to : "";
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        size_t p = m_s.find(from, pos, flen);
        if (p == std::string::npos)
            break;
        out.append(m_s, pos, p - pos);
        out += repl;
        pos = p + flen;
        ++n;
    }
    if (n) {
        out.append(m_s, pos, std::string::npos);
        m_s.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    if (s)
        m_s.insert(static_cast<size_t>(index), s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, GetLength() - index)));
    return GetLength();
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsSpaceByte(static_cast<unsigned char>(m_s[i])))
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == ch)
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(const char* set)
{
    size_t i = 0;
    while (i < m_s.size() && InSet(m_s[i], set))
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_s.size();
    while (n > 0 && IsSpaceByte(static_cast<unsigned char>(m_s[n - 1])))
        --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    size_t n = m_s.size();
    while (n > 0 && m_s[n - 1] == ch)
        --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    size_t n = m_s.size();
    while (n > 0 && InSet(m_s[n - 1], set))
        --n;
    m_s.resize(n);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(const char* set)
{
    return TrimRight(set).TrimLeft(set);
}

CString& CString::MakeUpper()
{
    for (char& c : m_s)
        c = static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_s)
        c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

int CString::Compare(const char* s) const
{
    int r = std::strcmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(s ? s : "");
    for (;; ++a, ++b) {
        unsigned char ca = cp1252::ToLower(*a);
        unsigned char cb = cp1252::ToLower(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    m_s = VFormat(fmt, args);
    va_end(args);
}

void CString::FormatV(const char* fmt, va_list args)
{
    m_s = VFormat(fmt, args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    m_s += VFormat(fmt, args);
    va_end(args);
}

CString CString::Formatted(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    CString s(VFormat(fmt, args));
    va_end(args);
    return s;
}

BOOL CString::LoadString(UINT id)
{
    const char* text = CStringTable::Find(id);
    m_s = text ? text : "";
    return text != nullptr;
}

CString LoadStringId(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

std::string CString::ToUtf8() const
{
    return cp1252::ToUtf8(m_s);
}

CString CString::FromUtf8(std::string_view utf8)
{
    return CString(cp1252::FromUtf8(utf8));
}

BOOL ParseWholeNumber(const CString& text, long long lo, long long hi, long long& out)
{
    return text.Find('\0') < 0 && ParseWholeNumber(text.GetString(), lo, hi, out);
}

BOOL ParseWholeNumber(const char* raw, long long lo, long long hi, long long& out)
{
    CString text(raw ? raw : "");
    text.Trim();
    if (text.IsEmpty())
        return FALSE;
    const char* s = text;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &end, 10);
    if (errno != 0 || !end || *end != '\0' || v < lo || v > hi)
        return FALSE;
    out = v;
    return TRUE;
}
