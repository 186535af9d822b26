#include "foundation/EncryptedArchive.h"

#include "foundation/Encrypt.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/FileSys.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

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

// The length of a text of n bytes without up to maxTrim trailing bytes that are neither
// printable nor white space (the NUL a writer puts after its text).
long TrimmedLength(const char* text, long n, int maxTrim)
{
    for (int k = 0; k < maxTrim && n > 0; ++k) {
        unsigned char c = static_cast<unsigned char>(text[n - 1]);
        bool printable = c >= 0x20 && c != 0x7F;
        if (printable || IsSpaceByte(c))
            break;
        --n;
    }
    return n;
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
    Reserve(initialSize);
    m_nGrowBy = 1;
    while (m_nGrowBy * 2 <= initialSize && m_nGrowBy < kMaxGrowBy)
        m_nGrowBy *= 2;
}

CEncryptedArchive::~CEncryptedArchive()
{
    std::free(m_pStore);
}

void CEncryptedArchive::Reserve(long capacity)
{
    size_t bytes = static_cast<size_t>(ENCRYPT_MARKER_ROOM + capacity + ENCRYPT_CHECK_SIZE);
    char* grown = static_cast<char*>(std::realloc(m_pStore, bytes));
    if (!grown)
        throw std::bad_alloc();
    // Only the NUL after the text is needed; the rest is written before it is read.
    grown[ENCRYPT_MARKER_ROOM + m_nPos] = '\0';
    m_pStore = grown;
    m_nCapacity = capacity;
}

void CEncryptedArchive::Load()
{
    try {
        // One read into one buffer with room for a NUL; deciphering happens in place.
        if (m_csPath.IsEmpty() || !fsys::IsFile(m_csPath) || !fsys::ReadFileInto(m_csPath, m_buffer, 0, 1)) {
            m_buffer.clear();
            m_nResult = 1;
            m_nReadKind = readFailed;
            LogWithPath("CEncryptedArchive::CEncryptedArchive() - failed to read file...", m_csPath);
            return;
        }
        BYTE* data = reinterpret_cast<BYTE*>(m_buffer.data());
        long n = static_cast<long>(m_buffer.size()) - 1;
        // The seed is the file's own length: a block is recognised only at the length it was
        // written with.
        if (n >= ENCRYPT_BLOCK_OVERHEAD && IsMarkedBlock(data, n, -1)) {
            EncryptBuffer(data, n, n);
            std::uint32_t stored = ReadLe32(data + n - ENCRYPT_CHECK_SIZE);
            BOOL checked = static_cast<std::uint32_t>(ComputeCheckValue(data, n - ENCRYPT_CHECK_SIZE)) == stored;
            m_nTextStart = ENCRYPT_MARKER_SIZE;
            m_nFullLength = n - ENCRYPT_BLOCK_OVERHEAD;
            // The check value has been read; its first byte now ends the text.
            m_buffer[static_cast<size_t>(m_nTextStart + m_nFullLength)] = '\0';
            m_bWasEncrypted = TRUE;
            m_nReadKind = checked ? readEnciphered : readCheckMismatch;
            if (!checked)
                LogWithPath("CEncryptedArchive::CEncryptedArchive() - check value mismatch...", m_csPath);
        } else if (LooksLikeDamagedBlock(data, n) || !LooksLikeText(data, n)) {
            m_buffer.clear();
            m_nResult = 1;
            m_nReadKind = readUnrecognised;
            LogWithPath("CEncryptedArchive::CEncryptedArchive() - neither text nor an intact enciphered file...",
                        m_csPath);
            return;
        } else {
            m_nTextStart = 0;
            m_nFullLength = n;
            m_nReadKind = readPlain;
        }
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

const char* CEncryptedArchive::GetText(BOOL /*addNul*/, BOOL trim, int maxTrim)
{
    if (m_bStoring || m_buffer.empty())
        return nullptr;
    char* text = m_buffer.data() + m_nTextStart;
    if (m_nCutAt >= 0) {
        text[m_nCutAt] = m_cCut;
        m_nCutAt = -1;
    }
    const long n = trim ? TrimmedLength(text, m_nFullLength, maxTrim) : m_nFullLength;
    // The buffer always holds a byte after the full text; a trimmed text is ended over the
    // first byte left out, which the next call puts back.
    if (n < m_nFullLength) {
        m_nCutAt = n;
        m_cCut = text[n];
        text[n] = '\0';
    }
    m_nTextLength = n;
    return text;
}

void CEncryptedArchive::Unseal()
{
    if (m_nSealed > 0) {
        EncryptBuffer(reinterpret_cast<BYTE*>(m_pStore), m_nSealed, -1);
        m_nSealed = 0;
    }
}

void CEncryptedArchive::GrowBuffer(const char* text, long n)
{
    if (!m_bStoring || !text || n <= 0)
        return;
    Unseal();
    long size = GetBufferSize();
    // Keep room for the NUL that ends the text. Growth doubles, so a large document costs a
    // few copies, not one per growth step.
    if (m_nPos + n >= size)
        Reserve(std::max(size * 2, size + m_nGrowBy + n));
    std::memcpy(m_pStore + ENCRYPT_MARKER_ROOM + m_nPos, text, static_cast<size_t>(n));
    m_nPos += n;
    m_pStore[ENCRYPT_MARKER_ROOM + m_nPos] = '\0';
}

const char* CEncryptedArchive::GetWrittenText()
{
    if (!m_bStoring || !m_pStore)
        return nullptr;
    Unseal();
    return m_pStore + ENCRYPT_MARKER_ROOM;
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
        Unseal();
        // The text and the NUL after it; the capacity always has room for both and the check
        // value.
        long n = m_nPos + 1;
        BYTE* block = reinterpret_cast<BYTE*>(m_pStore);
        BYTE* text = block + ENCRYPT_MARKER_ROOM;
        text[m_nPos] = 0;
        if (m_csPath.IsEmpty()) {
            written = FALSE;
        } else if (kEncipherDocuments && !IsMarkedBlock(text, n, -1)) {
            // The block is built around the text where it lies: marker in the room before it,
            // check value after its NUL, all enciphered in place.
            long total = n + ENCRYPT_BLOCK_OVERHEAD;
            PutBlockMarker(block);
            if (SealBlock(block, ENCRYPT_MARKER_SIZE + n, total)) {
                m_nSealed = total;
                written = fsys::WriteFileAtomic(m_csPath, block, static_cast<size_t>(total));
            }
        } else {
            // A text that is itself an enciphered block is not wrapped a second time.
            written = fsys::WriteFileAtomic(m_csPath, text, static_cast<size_t>(n));
        }
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

// ---- the head of a file

namespace {

// The first piece read of a file: enough for the header of a bank with fifty collections.
// Every byte read is deciphered, so a larger piece costs every bank of a list.
constexpr long kFirstHeadPiece = 4096;

} // namespace

CEncryptedHeadReader::CEncryptedHeadReader(LPCSTR path) : m_csPath(path ? path : "")
{
    long long size = 0;
    m_buffer.reserve(static_cast<size_t>(kFirstHeadPiece + ENCRYPT_MARKER_SIZE + 1));
    if (m_csPath.IsEmpty() ||
        !fsys::ReadFileRange(m_csPath, 0, static_cast<size_t>(kFirstHeadPiece + ENCRYPT_MARKER_SIZE), m_buffer, &size)) {
        m_buffer.clear();
        LogWithPath("CEncryptedArchive::CEncryptedArchive() - failed to read file...", m_csPath);
        return;
    }
    const long n = static_cast<long>(size);
    const BYTE* data = reinterpret_cast<const BYTE*>(m_buffer.data());
    const long got = static_cast<long>(m_buffer.size());
    // As a whole read tells them apart, from what the start shows: the seed of a block is the
    // file's length.
    if (n >= ENCRYPT_BLOCK_OVERHEAD && IsMarkedBlock(data, got, n)) {
        m_pCipher = std::make_unique<CCipherStream>(n);
        m_pCipher->Apply(reinterpret_cast<BYTE*>(m_buffer.data()), got);
        m_nTextStart = ENCRYPT_MARKER_SIZE;
        m_nWholeLength = n - ENCRYPT_BLOCK_OVERHEAD;
        m_nReadKind = CEncryptedArchive::readEnciphered;
    } else if (LooksLikeDamagedBlock(data, got) || !LooksLikeText(data, got)) {
        m_buffer.clear();
        m_nReadKind = CEncryptedArchive::readUnrecognised;
        LogWithPath("CEncryptedArchive::CEncryptedArchive() - neither text nor an intact enciphered file...", m_csPath);
        return;
    } else {
        m_nWholeLength = n;
        m_nReadKind = CEncryptedArchive::readPlain;
    }
    m_nTextLength = std::min(got - m_nTextStart, m_nWholeLength);
    EndText();
}

void CEncryptedHeadReader::EndText()
{
    m_buffer.resize(static_cast<size_t>(m_nTextStart + m_nTextLength));
    // The whole text as a document read takes it: without the writer's NUL behind it.
    if (m_nTextLength >= m_nWholeLength)
        m_nTextLength = m_nWholeLength = TrimmedLength(m_buffer.data() + m_nTextStart, m_nTextLength, 5);
    m_buffer.push_back('\0');
}

BOOL CEncryptedHeadReader::ReadTo(long n)
{
    if (m_buffer.empty())
        return FALSE;
    if (n <= m_nTextLength || IsWhole())
        return TRUE;
    const long want = std::min(n, m_nWholeLength) - m_nTextLength;
    m_buffer.resize(static_cast<size_t>(m_nTextStart + m_nTextLength));
    const size_t kept = m_buffer.size();
    if (!fsys::ReadFileRange(m_csPath, static_cast<long long>(kept), static_cast<size_t>(want), m_buffer, nullptr)) {
        EndText();
        LogWithPath("CEncryptedArchive::CEncryptedArchive() - failed to read file...", m_csPath);
        return FALSE;
    }
    const long got = static_cast<long>(m_buffer.size() - kept);
    if (m_pCipher)
        m_pCipher->Apply(reinterpret_cast<BYTE*>(m_buffer.data() + kept), got);
    m_nTextLength += got;
    EndText();
    return got == want;
}

const char* CEncryptedHeadReader::GetText() const
{
    return m_buffer.empty() ? nullptr : m_buffer.data() + m_nTextStart;
}
