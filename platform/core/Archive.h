#pragma once
// A byte archive in the framework's stored form, over memory: numbers little-endian, strings
// and counts with their length prefixes. Questions travel in this form on the clipboard and by
// drag and drop. Reading past the end throws CArchiveException, so a cut or foreign byte form
// stops the reader at once instead of yielding invented values.

#include "platform/core/String.h"
#include "platform/core/Time.h"

#include <stdexcept>
#include <vector>

class CArchiveException : public std::runtime_error {
public:
    enum { none = 0, endOfFile = 3, badSchema = 6 };
    CArchiveException(int cause, const char* what) : std::runtime_error(what), m_cause(cause) {}
    int m_cause;
};

class CArchive {
public:
    // A storing archive; GetData gives what was written.
    CArchive() = default;
    // A loading archive over a copy of len bytes.
    CArchive(const void* data, size_t len);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return !m_bLoading; }
    BOOL IsLoading() const { return m_bLoading; }
    // Storing: the bytes written. Loading: the bytes given.
    const std::vector<BYTE>& GetData() const { return m_data; }
    // Loading: every byte has been read.
    BOOL IsBufferEmpty() const { return m_nPos >= m_data.size(); }
    // Loading: the bytes not read yet, against which a reader checks a count before it
    // allocates for it.
    size_t GetBytesLeft() const { return m_nPos < m_data.size() ? m_data.size() - m_nPos : 0; }

    void Write(const void* p, size_t n);
    // Reads exactly n bytes; throws endOfFile (reading nothing) when fewer are left.
    void Read(void* p, size_t n);

    // A count: 16 bits, or 0xFFFF and 32 bits from 0xFFFF on.
    void WriteCount(DWORD n);
    DWORD ReadCount();

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(SHORT v);
    CArchive& operator<<(int v);    // 32 bits
    CArchive& operator<<(DWORD v);  // 32 bits
    CArchive& operator<<(float v);  // 4-byte IEEE
    CArchive& operator<<(double v); // 8-byte IEEE
    // Length prefix: one byte below 255; else 0xFF and 16 bits below 0xFFFE; else 0xFF, 0xFFFF
    // and 32 bits. Then the bytes, without terminator.
    CArchive& operator<<(const CString& s);
    // Seconds since 1970 in 32 bits.
    CArchive& operator<<(const CTime& t);

    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(SHORT& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    // A wide (UTF-16) string, which this program never writes, is refused as badSchema.
    CArchive& operator>>(CString& s);
    CArchive& operator>>(CTime& t);
    // An 8-byte IEEE double that is a number: NaN or an infinity is refused as badSchema, since
    // no value this program writes is either and the readers compute with what they get.
    double ReadFiniteDouble();

private:
    void WriteLE(std::uint64_t v, int bytes);
    std::uint64_t ReadLE(int bytes);

    std::vector<BYTE> m_data;
    size_t m_nPos = 0;
    BOOL m_bLoading = FALSE;
};
