#include "foundation/Serial.h"

#include "foundation/Log.h"
#include "platform/core/String.h"

#include <algorithm>
#include <cstdint>

namespace {

// Room for n bytes between p and the end; a NULL or inverted buffer has none.
bool HasRoom(const BYTE* p, const BYTE* pEnd, size_t n)
{
    return p && pEnd && pEnd >= p && static_cast<size_t>(pEnd - p) >= n;
}

unsigned long Addr(const void* p)
{
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(p));
}

// " - diff = 0x.. / .. bytes" for a pointer that ended away from where it should.
CString DiffText(const BYTE* pAt, std::uintptr_t expected)
{
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(pAt);
    if (at >= expected) {
        const unsigned long d = static_cast<unsigned long>(at - expected);
        return CString::Formatted(" - diff = 0x%lx / %ld bytes", d, static_cast<long>(d));
    }
    const unsigned long d = static_cast<unsigned long>(expected - at);
    return CString::Formatted(" - diff = -0x%lx / %ld bytes", d, static_cast<long>(d));
}

} // namespace

void LogVectorCountTooLarge(DWORD nCount)
{
    CString text = CString::Formatted("CVector<T>::::OnSerializeIn() - count too large (%d)", static_cast<int>(nCount));
    LogOutput(text, 1, __DATE__ " " __TIME__, __FILE__, __LINE__);
}

void CSerial::LogSerialError(LPCSTR text) const
{
    LogOutput(text, 1, __DATE__ " " __TIME__, __FILE__, __LINE__);
}

BYTE* CSerial::Serialize(BYTE* pBuf, const BYTE* pEnd, int nDirection)
{
    if (nDirection == SERIALIZE_OUT)
        return OnSerializeOut(pBuf, pEnd);
    const BYTE* p = OnSerializeIn(pBuf, pEnd);
    return p ? pBuf + (p - pBuf) : nullptr;
}

const BYTE* CSerial::ReadBytes(void* pDest, size_t n, const BYTE* pSrc, const BYTE* pEnd)
{
    if (!pDest || !HasRoom(pSrc, pEnd, n))
        return nullptr;
    BYTE* d = static_cast<BYTE*>(pDest);
    if (m_bSwap)
        std::reverse_copy(pSrc, pSrc + n, d);
    else
        std::memcpy(d, pSrc, n);
    return pSrc + n;
}

BYTE* CSerial::WriteBytes(const void* pSrc, size_t n, BYTE* pDest, const BYTE* pEnd)
{
    if (!pSrc || !HasRoom(pDest, pEnd, n))
        return nullptr;
    std::memcpy(pDest, pSrc, n);
    return pDest + n;
}

const BYTE* CSerial::VersionIn(WORD& wVersion, const BYTE* pSrc, const BYTE* pEnd)
{
    if (!HasRoom(pSrc, pEnd, sizeof(WORD))) {
        LogSerialError(CString(m_pszClass) + " - " + "CSerial::VersionIn() - bad pBuffer ptr");
        return nullptr;
    }
    // Every read decides the byte order afresh: one object may read buffers of both orders.
    m_bSwap = FALSE;
    WORD w;
    std::memcpy(&w, pSrc, sizeof(w));
    if (w >= 256) {
        w = static_cast<WORD>((w >> 8) | (w << 8));
        if (w >= 256) {
            LogSerialError(CString::Formatted("CSerial::VersionIn() - bad version: %d", w));
            return nullptr;
        }
        m_bSwap = TRUE;
    }
    wVersion = w;
    return pSrc + sizeof(WORD);
}

BYTE* CSerial::VersionOut(WORD wVersion, BYTE* pDest, const BYTE* pEnd)
{
    return WriteBytes(&wVersion, sizeof(wVersion), pDest, pEnd);
}

BOOL CSerial::CheckRoomIn(const BYTE* pBuf, const BYTE* pEnd, size_t n) const
{
    if (HasRoom(pBuf, pEnd, n))
        return TRUE;
    LogSerialError(CString(m_pszClass) + "::OnSerializeIn() - incomming buffer not valid for "
                   + CString::Formatted(" %ld bytes", static_cast<long>(n)));
    return FALSE;
}

BOOL CSerial::CheckRoomOut(const BYTE* pBuf, const BYTE* pEnd, size_t n) const
{
    if (HasRoom(pBuf, pEnd, n))
        return TRUE;
    LogSerialError(CString(m_pszClass) + "::OnSerializeOut() - incomming buffer not large enough to handle"
                   + CString::Formatted(" %ld bytes", static_cast<long>(n)));
    return FALSE;
}

const BYTE* CSerial::BeginIn(const BYTE* pBuf, const BYTE* pEnd)
{
    if (!CheckRoomIn(pBuf, pEnd, GetMinSerializedSize()))
        return nullptr;
    const CString prefix = CString(m_pszClass) + "::OnSerializeIn() - ";
    const BYTE* p = CSerial::OnSerializeIn(pBuf, pEnd);
    if (!p) {
        LogSerialError(prefix + "CSerial" + "::OnSerializeIn() returned NULL");
        return nullptr;
    }
    WORD wVersion = 0;
    p = VersionIn(wVersion, p, pEnd);
    if (!p) {
        LogSerialError(prefix + "CSerial::VersionIn() returned NULL");
        return nullptr;
    }
    return p;
}

BYTE* CSerial::BeginOut(BYTE* pBuf, const BYTE* pEnd)
{
    if (!CheckRoomOut(pBuf, pEnd, GetSerializedSize()))
        return nullptr;
    const CString prefix = CString(m_pszClass) + "::OnSerializeOut() - ";
    if (m_wVersion >= 256) {
        LogSerialError(prefix + "bad version: " + CString::Formatted(" %d - should be < 256", m_wVersion));
        return nullptr;
    }
    BYTE* p = CSerial::OnSerializeOut(pBuf, pEnd);
    if (!p) {
        LogSerialError(prefix + "CSerial" + "::OnSerializeOut() returned NULL");
        return nullptr;
    }
    p = VersionOut(m_wVersion, p, pEnd);
    if (!p) {
        LogSerialError(prefix + "CSerial::VersionOut() returned NULL");
        return nullptr;
    }
    return p;
}

BOOL CSerial::CheckEndIn(const BYTE* pStart, const BYTE* pAt) const
{
    const size_t nMin = GetMinSerializedSize();
    const std::uintptr_t expected = reinterpret_cast<std::uintptr_t>(pStart) + nMin;
    if (reinterpret_cast<std::uintptr_t>(pAt) >= expected)
        return TRUE;
    LogSerialError(CString(m_pszClass) + "::OnSerializeIn() - resulting minimum ptr error: "
                   + CString::Formatted("0x%lx < (0x%lx + %ld = 0x%lx)", Addr(pAt), Addr(pStart),
                                        static_cast<long>(nMin), static_cast<unsigned long>(expected))
                   + DiffText(pAt, expected));
    return FALSE;
}

BOOL CSerial::CheckEndOut(const BYTE* pStart, const BYTE* pAt) const
{
    const size_t nSize = GetSerializedSize();
    const std::uintptr_t expected = reinterpret_cast<std::uintptr_t>(pStart) + nSize;
    if (reinterpret_cast<std::uintptr_t>(pAt) == expected)
        return TRUE;
    LogSerialError(CString(m_pszClass) + "::OnSerializeOut() - resulting ptr error: "
                   + CString::Formatted("0x%lx != (0x%lx + %ld = 0x%lx)", Addr(pAt), Addr(pStart),
                                        static_cast<long>(nSize), static_cast<unsigned long>(expected))
                   + DiffText(pAt, expected));
    return FALSE;
}
