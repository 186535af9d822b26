#include "foundation/ENString.h"

#include "foundation/Log.h"
#include "platform/core/CodePage.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

// A NUL-terminated private copy of a text, for cutting into fields in place.
std::vector<char> CutCopy(const CString& s)
{
    std::vector<char> buf(s.GetString(), s.GetString() + s.GetLength());
    buf.push_back('\0');
    return buf;
}

} // namespace

CENString::CENString() : CSerial("CENString")
{
}

CENString::CENString(LPCSTR psz) : CSerial("CENString"), m_str(psz)
{
}

CENString::CENString(const CString& s) : CSerial("CENString"), m_str(s)
{
}

CENString::CENString(const CENString& o) : CSerial(o), m_str(o.m_str)
{
}

CENString& CENString::operator=(LPCSTR psz)
{
    // The text first: psz may point into this string's own buffers.
    m_str = psz;
    FreeBuffers();
    return *this;
}

CENString& CENString::operator=(const CString& s)
{
    m_str = s;
    FreeBuffers();
    return *this;
}

CENString& CENString::operator=(const CENString& o)
{
    if (this != &o) {
        m_str = o.m_str;
        FreeBuffers();
    }
    return *this;
}

void CENString::FreeBuffers()
{
    m_wVersion = 1;
    m_tokenBuf.clear();
    m_tokenBuf.shrink_to_fit();
    m_pCursor = nullptr;
}

void CENString::Reset()
{
    FreeBuffers();
    m_str.Empty();
}

void CENString::AllocCopy(CENString& dest, int nCount, int nStart, int nExtra) const
{
    const int len = GetLength();
    nStart = std::clamp(nStart, 0, len);
    nCount = std::clamp(nCount, 0, len - nStart);
    dest = m_str.Mid(nStart, nCount);
}

CENString CENString::Left(int nCount) const
{
    CENString out;
    AllocCopy(out, std::clamp(nCount, 0, GetLength()), 0, 0);
    return out;
}

CENString CENString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    CENString out;
    AllocCopy(out, nCount, GetLength() - nCount, 0);
    return out;
}

int CENString::FindChar(char c) const
{
    return IsEmpty() ? -1 : m_str.Find(c);
}

int CENString::ReverseFind(char c) const
{
    return IsEmpty() ? -1 : m_str.ReverseFind(c);
}

int CENString::Find(LPCSTR psz) const
{
    return (IsEmpty() || !psz) ? -1 : m_str.Find(psz);
}

void CENString::TrimLeft()
{
    m_str.TrimLeft();
}

void CENString::TrimRight()
{
    m_str.TrimRight();
}

// Only the ASCII letters change case: a text of file names must not have its accented letters
// folded together.
void CENString::ChangeCase(char from, char to)
{
    CString s = m_str;
    for (char& c : s.str()) {
        if (c >= from && c < from + 26)
            c = static_cast<char>(c - from + to);
    }
    FreeBuffers();
    m_str = s;
}

void CENString::MakeUpper()
{
    ChangeCase('a', 'A');
}

void CENString::MakeLower()
{
    ChangeCase('A', 'a');
}

BOOL CENString::IsNumber() const
{
    const std::string& s = m_str.str();
    return std::all_of(s.begin(), s.end(), [](char c) { return IsDigitByte(static_cast<unsigned char>(c)); });
}

char* CENString::NextField(char** ppCursor, LPCSTR sep)
{
    if (!ppCursor || !*ppCursor || **ppCursor == '\0')
        return nullptr;
    char* field = *ppCursor;
    char* hit = (sep && *sep) ? std::strstr(field, sep) : nullptr;
    if (!hit) {
        *ppCursor = field + std::strlen(field);
        return field;
    }
    *hit = '\0';
    *ppCursor = hit + std::strlen(sep);
    return field;
}

BOOL CENString::GetToken(CENString& out, int n, LPCSTR sep) const
{
    // Copy before emptying out: out may be this string.
    std::vector<char> buf = CutCopy(m_str);
    const bool bEmpty = IsEmpty();
    out.Empty();
    if (n < 0 || bEmpty)
        return FALSE;
    char* cursor = buf.data();
    for (int i = 0;; ++i) {
        char* field = NextField(&cursor, sep);
        if (!field)
            return FALSE;
        if (i == n) {
            out = field;
            return TRUE;
        }
    }
}

int CENString::GetNextToken(LPCSTR sep, CENString& out, BOOL bContinue)
{
    if (&out == this)
        return 0;
    out.Empty();
    if (IsEmpty())
        return 0;
    if (m_tokenBuf.empty() || !bContinue) {
        FreeBuffers();
        m_tokenBuf = CutCopy(m_str);
        m_pCursor = m_tokenBuf.data();
    }
    char* field = NextField(&m_pCursor, sep);
    if (!field)
        return 0;
    out = field;
    return 1;
}

int CENString::Compare(const CENString& o) const
{
    const std::string& a = m_str.str();
    const std::string& b = o.m_str.str();
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char32_t ca = cp1252::ToUnicode(static_cast<unsigned char>(a[i]));
        const char32_t cb = cp1252::ToUnicode(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

size_t CENString::GetSerializedSize() const
{
    return static_cast<size_t>(GetLength()) + 1 + 2;
}

size_t CENString::GetMinSerializedSize() const
{
    return 1 + 2;
}

BYTE* CENString::OnSerializeOut(BYTE* pBuf, const BYTE* pEnd)
{
    // The stored text ends at its first NUL and a read takes at most MAX_STORED bytes: a text
    // that would not read back whole is refused, or it would cut itself and shift every field
    // stored after it.
    const size_t nLen = static_cast<size_t>(GetLength());
    if (nLen + 1 > MAX_STORED) {
        LogSerialError("CENString::OnSerializeOut() - string too long");
        return nullptr;
    }
    if (std::memchr(m_str.GetString(), '\0', nLen)) {
        LogSerialError("CENString::OnSerializeOut() - string holds a NUL");
        return nullptr;
    }
    BYTE* p = BeginOut(pBuf, pEnd);
    if (!p)
        return nullptr;
    p = WriteBytes(m_str.GetString(), static_cast<size_t>(GetLength()) + 1, p, pEnd);
    if (!p) {
        LogSerialError("CENString::OnSerializeOut() - local seriaization resulted in NULL ptr");
        return nullptr;
    }
    return CheckEndOut(pBuf, p) ? p : nullptr;
}

const BYTE* CENString::OnSerializeIn(const BYTE* pBuf, const BYTE* pEnd)
{
    const BYTE* p = BeginIn(pBuf, pEnd);
    if (!p)
        return nullptr;
    const size_t nAvail = static_cast<size_t>(pEnd - p);
    const size_t nScan = std::min(nAvail, MAX_STORED);
    const BYTE* pNul = static_cast<const BYTE*>(std::memchr(p, '\0', nScan));
    if (!pNul) {
        LogSerialError(nScan == MAX_STORED ? "CENString::OnSerializeIn() - string too long"
                                           : "CENString::OnSerializeIn() - local seriaization resulted in NULL ptr");
        return nullptr;
    }
    m_str = CString(reinterpret_cast<const char*>(p), static_cast<int>(pNul - p));
    FreeBuffers();
    p = pNul + 1;
    return CheckEndIn(pBuf, p) ? p : nullptr;
}

void CErrorText::SetFromError(DWORD nError, LPCSTR pszExtra)
{
    // The system's text is in the locale's encoding, UTF-8 on every desktop we run on.
    CString text = CString::FromUtf8(std::system_category().message(static_cast<int>(nError)));
    text.TrimRight();
    if (pszExtra)
        text += CString("\n") + pszExtra;
    *this = text;
}
