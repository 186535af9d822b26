#include "foundation/Encrypt.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/FileSys.h"
#include "platform/core/Random.h"

#include <cstring>
#include <exception>

namespace {

// Mixed into every seed; files are readable only by a build with the same constant.
constexpr std::uint32_t kKeyConstant = 0x6B3D91C5u;

const BYTE kMarker[ENCRYPT_MARKER_SIZE] = {0x45, 0xEF, 0x23, 0x89, 0x67};
const BYTE kAltMarker[ENCRYPT_MARKER_SIZE] = {'A', 'B', 'C', 'D', 'E'};

struct Rc4State {
    BYTE s[256];
    BYTE i = 0;
    BYTE j = 0;
};

// The RC4 key schedule. A key length of 0 takes the key's first byte at every step (the stored
// format is keyed that way).
void Rc4Schedule(Rc4State& st, const BYTE* key, int keyLen)
{
    for (int k = 0; k < 256; ++k)
        st.s[k] = static_cast<BYTE>(k);
    BYTE j = 0;
    for (int k = 0; k < 256; ++k) {
        BYTE kb = keyLen > 0 ? key[k % keyLen] : key[0];
        j = static_cast<BYTE>(j + st.s[k] + kb);
        std::swap(st.s[k], st.s[j]);
    }
    st.i = st.j = 0;
}

// XORs n bytes with the keystream; before each byte is changed, before(byte) sees it.
template <typename Before>
void Rc4Run(Rc4State& st, BYTE* data, long n, Before before)
{
    BYTE i = st.i, j = st.j;
    BYTE* s = st.s;
    for (long k = 0; k < n; ++k) {
        before(data[k]);
        i = static_cast<BYTE>(i + 1);
        BYTE si = s[i];
        j = static_cast<BYTE>(j + si);
        BYTE sj = s[j];
        s[i] = sj;
        s[j] = si;
        data[k] ^= s[static_cast<BYTE>(si + sj)];
    }
    st.i = i;
    st.j = j;
}

void Rc4Apply(Rc4State& st, BYTE* data, long n)
{
    Rc4Run(st, data, n, [](BYTE) {});
}

BOOL StartsWithMarker(const BYTE* p)
{
    return std::memcmp(p, kMarker, ENCRYPT_MARKER_SIZE) == 0 ||
           std::memcmp(p, kAltMarker, ENCRYPT_MARKER_SIZE) == 0;
}

void LogFromFileFailure(const char* text, LPCSTR path)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
    LogOutput(path, LOG_ERROR, LOG_HERE);
}

} // namespace

std::uint32_t ReadLe32(const BYTE* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void WriteLe32(BYTE* p, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<BYTE>(v >> (8 * k));
}

void PutBlockMarker(BYTE* p)
{
    std::memcpy(p, kMarker, ENCRYPT_MARKER_SIZE);
}

BOOL BuildKey(long seed, std::vector<BYTE>& key)
{
    key.clear();
    if (seed == 0)
        return FALSE;
    // Its own generator: building a key never moves the program's random sequence.
    CRandom rng(static_cast<std::uint32_t>(seed) ^ kKeyConstant);
    int len = 16 + rng.Next() % 49;
    key.resize(static_cast<size_t>(len));
    for (BYTE& b : key)
        b = static_cast<BYTE>(rng.Next() & 0xFF);
    return TRUE;
}

long EncryptBuffer(BYTE* data, long n, long seed)
{
    if (seed == -1)
        seed = n;
    std::vector<BYTE> key;
    if (!BuildKey(seed, key))
        return 0;
    Rc4State st;
    Rc4Schedule(st, key.data(), 0);
    if (data && n > 0)
        Rc4Apply(st, data, n);
    return n;
}

CCipherStream::CCipherStream(long seed)
{
    std::vector<BYTE> key;
    if (!BuildKey(seed, key))
        return;
    Rc4State st;
    Rc4Schedule(st, key.data(), 0);
    std::memcpy(m_s, st.s, sizeof(m_s));
    m_i = st.i;
    m_j = st.j;
    m_bKeyed = TRUE;
}

void CCipherStream::Apply(BYTE* data, long n)
{
    if (!m_bKeyed || !data || n <= 0)
        return;
    Rc4State st;
    std::memcpy(st.s, m_s, sizeof(m_s));
    st.i = m_i;
    st.j = m_j;
    Rc4Apply(st, data, n);
    std::memcpy(m_s, st.s, sizeof(m_s));
    m_i = st.i;
    m_j = st.j;
}

BOOL SealBlock(BYTE* block, long n, long seed)
{
    std::vector<BYTE> key;
    if (!block || n < 0 || !BuildKey(seed, key))
        return FALSE;
    Rc4State st;
    Rc4Schedule(st, key.data(), 0);
    // The check value and the keystream in one loop: two independent chains of work that the
    // processor runs side by side, so the check costs next to nothing.
    std::uint32_t h = 0;
    Rc4Run(st, block, n, [&h](BYTE b) {
        h = h * 31u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(b)));
    });
    WriteLe32(block + n, h);
    Rc4Apply(st, block + n, ENCRYPT_CHECK_SIZE);
    return TRUE;
}

long ComputeCheckValue(const BYTE* p, long n)
{
    auto b = [p](long k) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(p[k]))); };
    // Four bytes per step, h * 31^4 + b0 * 31^3 + ...: the same sum with a quarter of the
    // dependent multiplications, so a large document is checked at memory speed.
    constexpr std::uint32_t k31p2 = 31u * 31u, k31p3 = k31p2 * 31u, k31p4 = k31p3 * 31u;
    std::uint32_t h = 0;
    long k = 0;
    for (; k + 4 <= n; k += 4)
        h = h * k31p4 + (b(k) * k31p3 + b(k + 1) * k31p2 + b(k + 2) * 31u + b(k + 3));
    for (; k < n; ++k)
        h = h * 31u + b(k);
    return static_cast<long>(static_cast<std::int32_t>(h));
}

BOOL IsMarkedBlock(const BYTE* p, long n, long seed)
{
    if (!p || n < ENCRYPT_MARKER_SIZE)
        return FALSE;
    if (seed == -1)
        seed = n;
    BYTE head[ENCRYPT_MARKER_SIZE];
    std::memcpy(head, p, sizeof(head));
    if (EncryptBuffer(head, ENCRYPT_MARKER_SIZE, seed) != ENCRYPT_MARKER_SIZE)
        return FALSE;
    return StartsWithMarker(head);
}

BOOL LooksLikeDamagedBlock(const BYTE* p, long n)
{
    if (!p || n < ENCRYPT_MARKER_SIZE)
        return FALSE;
    // The schedule is keyed by one byte, so there are only 256 keystreams to try. Their first
    // bytes are worked out once: every plain file read asks this, and a folder of banks is read
    // file by file.
    struct CHeads {
        BYTE stream[256][ENCRYPT_MARKER_SIZE];
        CHeads()
        {
            for (int kb = 0; kb < 256; ++kb) {
                BYTE key = static_cast<BYTE>(kb);
                Rc4State st;
                Rc4Schedule(st, &key, 0);
                std::memset(stream[kb], 0, ENCRYPT_MARKER_SIZE);
                Rc4Apply(st, stream[kb], ENCRYPT_MARKER_SIZE);
            }
        }
    };
    static const CHeads heads;
    for (int kb = 0; kb < 256; ++kb) {
        int i = 0;
        while (i < ENCRYPT_MARKER_SIZE && (p[i] ^ heads.stream[kb][i]) == kMarker[i])
            ++i;
        if (i == ENCRYPT_MARKER_SIZE)
            return TRUE;
    }
    return FALSE;
}

// ---- CEncrypt

void CEncrypt::Clear()
{
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_textCopy.clear();
    m_nSeed = -1;
}

BOOL CEncrypt::Encrypt()
{
    long n = static_cast<long>(m_buffer.size());
    if (n == 0)
        return FALSE;
    return EncryptBuffer(m_buffer.data(), n, m_nSeed) == n;
}

BOOL CEncrypt::Decrypt()
{
    return CEncrypt::Encrypt();
}

BYTE* CEncrypt::Allocate(long n)
{
    Clear();
    if (n <= 0)
        return nullptr;
    m_buffer.assign(static_cast<size_t>(n), 0);
    return m_buffer.data();
}

BOOL CEncrypt::SetData(const BYTE* p, long n, long seed)
{
    if (n < 0 || (!p && n > 0))
        return FALSE;
    if (p != m_buffer.data() || static_cast<long>(m_buffer.size()) != n) {
        std::vector<BYTE> copy(p, p + n);
        m_buffer.swap(copy);
    }
    m_textCopy.clear();
    m_nSeed = seed;
    m_nStatus = 0;
    return TRUE;
}

BYTE* CEncrypt::GetBuffer()
{
    return m_buffer.empty() ? nullptr : m_buffer.data();
}

long CEncrypt::GetLength() const
{
    return static_cast<long>(m_buffer.size());
}

BOOL CEncrypt::SetFromString(const CString& text)
{
    if (text.IsEmpty())
        return FALSE;
    return SetData(reinterpret_cast<const BYTE*>(text.GetString()), text.GetLength(), -1);
}

long CEncrypt::FromFile(LPCSTR path)
{
    try {
        if (!path || !fsys::IsFile(path)) {
            LogFromFileFailure("CEncrypt::FromFile() - DOESNOTEXIST...", path ? path : "");
            return GetLength();
        }
        std::string bytes;
        if (!fsys::ReadFile(path, bytes)) {
            LogFromFileFailure("CEncrypt::FromFile() - FAILTOOPEN...", path);
            return GetLength();
        }
        long n = static_cast<long>(bytes.size());
        // An empty file gets no buffer: it is a failure like any other, and leaves the object empty.
        BYTE* p = Allocate(n);
        if (!p) {
            LogFromFileFailure("CEncrypt::FromFile() - FAILALLOCATE...", path);
            return GetLength();
        }
        std::memcpy(p, bytes.data(), bytes.size());
        SetData(p, n, -1);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return GetLength();
}

BOOL CEncrypt::ToFile(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    return fsys::WriteFileAtomic(path, m_buffer.data(), m_buffer.size());
}

char* CEncrypt::GetString(BOOL addNul)
{
    BYTE* p = GetBuffer();
    if (!p)
        return nullptr;
    long n = GetLength();
    m_textCopy.assign(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(p) + n);
    if (addNul)
        m_textCopy.push_back('\0');
    if (m_textCopy.empty())
        m_textCopy.push_back('\0');
    return m_textCopy.data();
}

BOOL CEncrypt::IsValidText()
{
    const BYTE* p = GetBuffer();
    long n = GetLength();
    if (!p || n <= 0)
        return FALSE;
    return std::memchr(p, 0, static_cast<size_t>(n - 1)) == nullptr;
}

BOOL CEncrypt::ToCString(CString& out)
{
    if (!IsValidText())
        return FALSE;
    const char* p = reinterpret_cast<const char*>(GetBuffer());
    long n = GetLength();
    if (p[n - 1] == '\0')
        --n;
    out = CString(std::string(p, static_cast<size_t>(n)));
    return TRUE;
}

// ---- CSignedEncrypt

void CSignedEncrypt::Clear()
{
    CEncrypt::Clear();
    m_bMarked = FALSE;
}

BYTE* CSignedEncrypt::Allocate(long n)
{
    Clear();
    if (n <= 0)
        return nullptr;
    m_buffer.assign(static_cast<size_t>(n + ENCRYPT_BLOCK_OVERHEAD), 0);
    std::memcpy(m_buffer.data(), kMarker, ENCRYPT_MARKER_SIZE);
    return m_buffer.data() + ENCRYPT_MARKER_SIZE;
}

BOOL CSignedEncrypt::SetData(const BYTE* p, long n, long seed)
{
    if (n < 0 || (!p && n > 0))
        return FALSE;
    BOOL marked = IsMarkedBlock(p, n, seed);
    // p may point into the own buffer (after Allocate).
    std::vector<BYTE> block(static_cast<size_t>(n + ENCRYPT_BLOCK_OVERHEAD));
    std::memcpy(block.data(), kMarker, ENCRYPT_MARKER_SIZE);
    if (n > 0)
        std::memmove(block.data() + ENCRYPT_MARKER_SIZE, p, static_cast<size_t>(n));
    long check = ComputeCheckValue(block.data(), n + ENCRYPT_MARKER_SIZE);
    WriteLe32(block.data() + ENCRYPT_MARKER_SIZE + n, static_cast<std::uint32_t>(check));
    m_buffer.swap(block);
    m_textCopy.clear();
    m_nSeed = seed;
    m_nStatus = 0;
    m_bMarked = marked;
    return TRUE;
}

// ---- CSignedEncryptReader

BYTE* CSignedEncryptReader::Allocate(long n)
{
    return CEncrypt::Allocate(n);
}

BOOL CSignedEncryptReader::SetData(const BYTE* p, long n, long seed)
{
    if (!CEncrypt::SetData(p, n, seed))
        return FALSE;
    m_bMarked = n >= ENCRYPT_BLOCK_OVERHEAD && IsMarkedBlock(m_buffer.data(), n, seed);
    return TRUE;
}

BOOL CSignedEncryptReader::Decrypt()
{
    if (m_buffer.empty())
        return FALSE;
    if (!m_bMarked)
        return TRUE;
    long n = static_cast<long>(m_buffer.size());
    if (EncryptBuffer(m_buffer.data(), n, m_nSeed) != n)
        return FALSE;
    std::uint32_t stored = ReadLe32(m_buffer.data() + n - ENCRYPT_CHECK_SIZE);
    return static_cast<std::uint32_t>(ComputeCheckValue(m_buffer.data(), n - ENCRYPT_CHECK_SIZE)) == stored;
}

BYTE* CSignedEncryptReader::GetBuffer()
{
    BYTE* p = CEncrypt::GetBuffer();
    return p && m_bMarked ? p + ENCRYPT_MARKER_SIZE : p;
}

long CSignedEncryptReader::GetLength() const
{
    long n = CEncrypt::GetLength();
    return m_bMarked ? n - ENCRYPT_BLOCK_OVERHEAD : n;
}
