#include "foundation/EncryptedArchive.h"

#include "foundation/Encrypt.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/FileSys.h"

#include <cstring>

namespace {

// Documents are stored enciphered; nothing in the program turns this off.
constexpr bool kEncipherDocuments = true;

constexpr long kMaxGrowBy = 65536;

bool IsControlByte(unsigned char c)
{
    if (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A)
        return false;
    return c < 0x20 || c == 0x7F;
}

// Plain text: no NUL before the trailing ones, and hardly any control bytes (an enciphered or
// binary file has about one in eight).
bool LooksLikeText(const BYTE* p, long n)
{
    while (n > 0 && p[n - 1] == 0)
        --n;
    long controls = 0;
    for (long i = 0; i < n; ++i) {
        if (p[i] == 0)
            return false;
        if (IsControlByte(p[i]))
            ++controls;
    }
    return controls * 64 <= n;
}

void LogWithPath(const char* text, const CString& path)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
    LogOutput(path, LOG_ERROR, LOG_HERE);
}

} // namespace

CEncryptedArchive::CEncryptedArchive(LPCSTR path, BOOL storing, long initialSize)
    : m_csPath(path ? path : ""), m_bStoring(storing)
{
    if (!storing) {
        Load();
        return;
    }
    if (initialSize < 16)
        initialSize = 16;
    m_buffer.assign(static_cast<size_t>(initialSize), 0);
    m_nGrowBy = 1;
    while (m_nGrowBy * 2 <= initialSize && m_nGrowBy < kMaxGrowBy)
        m_nGrowBy *= 2;
}

void CEncryptedArchive::Load()
{
    try {
        std::string bytes;
        if (m_csPath.IsEmpty() || !fsys::IsFile(m_csPath) || !fsys::ReadFile(m_csPath, bytes)) {
            m_nResult = 1;
            m_nReadKind = readFailed;
            LogWithPath("CEncryptedArchive::CEncryptedArchive() - failed to read file...", m_csPath);
            return;
        }
        const BYTE* data = reinterpret_cast<const BYTE*>(bytes.data());
        long n = static_cast<long>(bytes.size());
        // The seed is the file's own length: a block is recognised only at the length it was
        // written with.
        CSignedEncryptReader reader;
        reader.SetData(data, n, -1);
        if (reader.IsMarked()) {
            BOOL checked = reader.Decrypt();
            const char* text = reinterpret_cast<const char*>(reader.GetBuffer());
            long len = reader.GetLength();
            m_buffer.assign(text, text + len);
            m_bWasEncrypted = TRUE;
            m_nReadKind = checked ? readEnciphered : readCheckMismatch;
            if (!checked)
                LogWithPath("CEncryptedArchive::CEncryptedArchive() - check value mismatch...", m_csPath);
        } else if (LooksLikeDamagedBlock(data, n) || !LooksLikeText(data, n)) {
            m_nResult = 1;
            m_nReadKind = readUnrecognised;
            LogWithPath("CEncryptedArchive::CEncryptedArchive() - neither text nor an intact enciphered file...",
                        m_csPath);
            return;
        } else {
            m_buffer.assign(bytes.begin(), bytes.end());
            m_nReadKind = readPlain;
        }
        m_buffer.push_back('\0');
    } catch (const std::exception& e) {
        m_nResult = 1;
        m_nReadKind = readFailed;
        m_buffer.clear();
        LogException(e, LOG_HERE);
    } catch (...) {
        m_nResult = 1;
        m_nReadKind = readFailed;
        m_buffer.clear();
        LogUnknownException(LOG_HERE);
    }
}

char* CEncryptedArchive::GetText(BOOL /*addNul*/, BOOL trim, int maxTrim)
{
    if (m_bStoring || m_buffer.empty())
        return nullptr;
    // The loading buffer ends with a NUL of its own.
    long n = static_cast<long>(m_buffer.size()) - 1;
    if (trim) {
        for (int k = 0; k < maxTrim && n > 0; ++k) {
            unsigned char c = static_cast<unsigned char>(m_buffer[static_cast<size_t>(n - 1)]);
            bool printable = c >= 0x20 && c != 0x7F;
            if (printable || IsSpaceByte(c))
                break;
            --n;
        }
    }
    // The copy is always terminated.
    m_textCopy.assign(m_buffer.begin(), m_buffer.begin() + n);
    m_textCopy.push_back('\0');
    m_nTextLength = n;
    return m_textCopy.data();
}

void CEncryptedArchive::GrowBuffer(const char* text, long n)
{
    if (!m_bStoring || !text || n <= 0)
        return;
    long size = static_cast<long>(m_buffer.size());
    // Keep room for the NUL that ends the text.
    if (m_nPos + n >= size)
        m_buffer.resize(static_cast<size_t>(size + m_nGrowBy + n), 0);
    std::memcpy(m_buffer.data() + m_nPos, text, static_cast<size_t>(n));
    m_nPos += n;
}

void CEncryptedArchive::GrowBuffer(const char* text)
{
    if (text)
        GrowBuffer(text, static_cast<long>(std::strlen(text)));
}

BOOL CEncryptedArchive::Commit()
{
    if (!m_bStoring)
        return FALSE;
    BOOL written = FALSE;
    try {
        long n = m_nPos + 1;  // the text and the NUL after it
        const BYTE* data = reinterpret_cast<const BYTE*>(m_buffer.data());
        CSignedEncrypt block;
        block.SetData(data, n, -1);
        // A text that is itself an enciphered block is not wrapped a second time.
        if (kEncipherDocuments && !block.IsMarked())
            written = block.Encrypt() && block.ToFile(m_csPath);
        else
            written = !m_csPath.IsEmpty() && fsys::WriteFileAtomic(m_csPath, data, static_cast<size_t>(n));
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        written = FALSE;
    } catch (...) {
        LogUnknownException(LOG_HERE);
        written = FALSE;
    }
    if (!written)
        LogWithPath("CEncryptedArchive::Commit() - failed to write file...", m_csPath);
    return written;
}
