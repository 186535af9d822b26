#include "platform/core/Archive.h"

#include <cmath>
#include <cstring>

CArchive::CArchive(const void* data, size_t len)
    : m_data(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + (data ? len : 0)),
      m_bLoading(TRUE)
{
}

void CArchive::Write(const void* p, size_t n)
{
    const BYTE* b = static_cast<const BYTE*>(p);
    if (n)
        m_data.insert(m_data.end(), b, b + n);
}

void CArchive::Read(void* p, size_t n)
{
    if (n > m_data.size() - m_nPos)
        throw CArchiveException(CArchiveException::endOfFile, "read past the end of the archive");
    if (n)
        std::memcpy(p, m_data.data() + m_nPos, n);
    m_nPos += n;
}

void CArchive::WriteLE(std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        m_data.push_back(static_cast<BYTE>(v >> (8 * i)));
}

std::uint64_t CArchive::ReadLE(int bytes)
{
    BYTE b[8];
    Read(b, static_cast<size_t>(bytes));
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[i];
    return v;
}

void CArchive::WriteCount(DWORD n)
{
    if (n < 0xFFFF) {
        WriteLE(n, 2);
    } else {
        WriteLE(0xFFFF, 2);
        WriteLE(n, 4);
    }
}

DWORD CArchive::ReadCount()
{
    DWORD n = static_cast<DWORD>(ReadLE(2));
    return n == 0xFFFF ? static_cast<DWORD>(ReadLE(4)) : n;
}

CArchive& CArchive::operator<<(BYTE v)
{
    WriteLE(v, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD v)
{
    WriteLE(v, 2);
    return *this;
}

CArchive& CArchive::operator<<(SHORT v)
{
    WriteLE(static_cast<WORD>(v), 2);
    return *this;
}

CArchive& CArchive::operator<<(int v)
{
    WriteLE(static_cast<std::uint32_t>(v), 4);
    return *this;
}

CArchive& CArchive::operator<<(DWORD v)
{
    WriteLE(v, 4);
    return *this;
}

CArchive& CArchive::operator<<(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof(bits));
    WriteLE(bits, 4);
    return *this;
}

CArchive& CArchive::operator<<(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof(bits));
    WriteLE(bits, 8);
    return *this;
}

CArchive& CArchive::operator<<(const CString& s)
{
    DWORD len = static_cast<DWORD>(s.GetLength());
    if (len < 0xFF) {
        WriteLE(len, 1);
    } else if (len < 0xFFFE) {
        WriteLE(0xFF, 1);
        WriteLE(len, 2);
    } else {
        WriteLE(0xFF, 1);
        WriteLE(0xFFFF, 2);
        WriteLE(len, 4);
    }
    Write(s.GetString(), len);
    return *this;
}

CArchive& CArchive::operator<<(const CTime& t)
{
    WriteLE(static_cast<std::uint32_t>(t.GetTime()), 4);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& v)
{
    v = static_cast<BYTE>(ReadLE(1));
    return *this;
}

CArchive& CArchive::operator>>(WORD& v)
{
    v = static_cast<WORD>(ReadLE(2));
    return *this;
}

CArchive& CArchive::operator>>(SHORT& v)
{
    v = static_cast<SHORT>(static_cast<WORD>(ReadLE(2)));
    return *this;
}

CArchive& CArchive::operator>>(int& v)
{
    v = static_cast<int>(static_cast<std::uint32_t>(ReadLE(4)));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& v)
{
    v = static_cast<DWORD>(ReadLE(4));
    return *this;
}

CArchive& CArchive::operator>>(float& v)
{
    std::uint32_t bits = static_cast<std::uint32_t>(ReadLE(4));
    std::memcpy(&v, &bits, sizeof(v));
    return *this;
}

CArchive& CArchive::operator>>(double& v)
{
    std::uint64_t bits = ReadLE(8);
    std::memcpy(&v, &bits, sizeof(v));
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    DWORD len = static_cast<DWORD>(ReadLE(1));
    if (len == 0xFF) {
        len = static_cast<DWORD>(ReadLE(2));
        if (len == 0xFFFE)
            throw CArchiveException(CArchiveException::badSchema, "wide string in the archive");
        if (len == 0xFFFF)
            len = static_cast<DWORD>(ReadLE(4));
    }
    // The length is checked against what is left before anything is allocated.
    if (len > m_data.size() - m_nPos)
        throw CArchiveException(CArchiveException::endOfFile, "read past the end of the archive");
    std::string text(reinterpret_cast<const char*>(m_data.data() + m_nPos), len);
    m_nPos += len;
    s = CString(std::move(text));
    return *this;
}

CArchive& CArchive::operator>>(CTime& t)
{
    t = CTime(static_cast<std::time_t>(static_cast<std::uint32_t>(ReadLE(4))));
    return *this;
}

double CArchive::ReadFiniteDouble()
{
    double v = 0;
    *this >> v;
    if (!std::isfinite(v))
        throw CArchiveException(CArchiveException::badSchema, "a number in the archive is not finite");
    return v;
}
