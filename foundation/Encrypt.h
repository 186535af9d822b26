#pragma once
// The file cipher: an RC4 stream over a key built at run time from a numeric seed, byte buffers
// that encipher themselves in place and read and write whole files, and the marked block in
// which documents are stored (marker, data, check value).

#include "platform/core/String.h"

#include <cstdint>
#include <vector>

// Length of the marker in front of a marked block and of the check value behind it.
constexpr long ENCRYPT_MARKER_SIZE = 5;
constexpr long ENCRYPT_CHECK_SIZE = 4;
constexpr long ENCRYPT_BLOCK_OVERHEAD = ENCRYPT_MARKER_SIZE + ENCRYPT_CHECK_SIZE;

// Enciphers (and so deciphers) n bytes in place with the key of seed (n when seed is -1).
// Returns n, or 0 when no key could be built (seed 0).
long EncryptBuffer(BYTE* data, long n, long seed);
// Seals a marked block in one pass: the check value of the first n bytes (marker and data) is
// written behind them, and all n + 4 bytes are enciphered with the key of seed. FALSE when no
// key could be built.
BOOL SealBlock(BYTE* block, long n, long seed);
// The key of a seed; FALSE (key empty) for seed 0.
BOOL BuildKey(long seed, std::vector<BYTE>& key);
// h = h * 31 + b over the bytes taken as signed, in wrapping 32-bit arithmetic.
long ComputeCheckValue(const BYTE* p, long n);
// Whether p, deciphered with the key of seed (n when -1), begins with the marker.
BOOL IsMarkedBlock(const BYTE* p, long n, long seed);
// Puts the marker of a marked block at p (ENCRYPT_MARKER_SIZE bytes).
void PutBlockMarker(BYTE* p);
// The 32-bit little-endian value at p, and writing one there (the check value of a block).
std::uint32_t ReadLe32(const BYTE* p);
void WriteLe32(BYTE* p, std::uint32_t v);
// Whether p begins with the marker under any key the cipher can build, whatever its length:
// an enciphered block that was cut short or lengthened.
BOOL LooksLikeDamagedBlock(const BYTE* p, long n);

// The keystream of one seed applied piece after piece, as EncryptBuffer applies it at once: the
// start of a block is deciphered without touching the rest.
class CCipherStream {
public:
    // Keyed by seed (not -1); IsKeyed FALSE when no key could be built.
    explicit CCipherStream(long seed);
    BOOL IsKeyed() const { return m_bKeyed; }
    // Enciphers (deciphers) the next n bytes of the stream in place.
    void Apply(BYTE* data, long n);

private:
    BYTE m_s[256] = {};
    BYTE m_i = 0;
    BYTE m_j = 0;
    BOOL m_bKeyed = FALSE;
};

class CEncrypt {
public:
    CEncrypt() = default;
    virtual ~CEncrypt() = default;
    CEncrypt(const CEncrypt&) = delete;
    CEncrypt& operator=(const CEncrypt&) = delete;

    virtual void Clear();
    virtual BOOL Encrypt();
    virtual BOOL Decrypt();
    // An n-byte buffer for the caller to fill (after Clear); NULL for n <= 0.
    virtual BYTE* Allocate(long n);
    // Stores a copy of p (p may point into the own buffer).
    virtual BOOL SetData(const BYTE* p, long n, long seed);
    virtual BYTE* GetBuffer();
    virtual long GetLength() const;
    // The text without its terminator; FALSE for an empty text.
    virtual BOOL SetFromString(const CString& text);
    // Reads a whole file; returns the length held. A failure is logged and keeps what was held.
    virtual long FromFile(LPCSTR path);
    // Writes the whole buffer to path (temporary file, then rename).
    virtual BOOL ToFile(LPCSTR path);
    // A copy of the data, NUL-terminated when asked, owned by this object until the next call;
    // NULL when there is no data.
    virtual char* GetString(BOOL addNul);

    // The data is text: no NUL before its last byte.
    BOOL IsValidText();
    // out = the text (up to a final NUL) when IsValidText.
    BOOL ToCString(CString& out);

    long GetSeed() const { return m_nSeed; }
    // 0 once data has been stored.
    long GetStatus() const { return m_nStatus; }

protected:
    std::vector<BYTE> m_buffer;
    long m_nSeed = -1;
    long m_nStatus = 1;
    std::vector<char> m_textCopy;
};

// Wraps its data in a marked block: marker, data, check value over both.
class CSignedEncrypt : public CEncrypt {
public:
    void Clear() override;
    // Reserves n + 9 bytes with the marker in front; returns the place of the data.
    BYTE* Allocate(long n) override;
    BOOL SetData(const BYTE* p, long n, long seed) override;
    // The data given to SetData was itself a marked block.
    BOOL IsMarked() const { return m_bMarked; }

protected:
    BOOL m_bMarked = FALSE;
};

// Reads a file in either form: a marked block is recognised and unwrapped, anything else stands.
class CSignedEncryptReader : public CSignedEncrypt {
public:
    // Deciphers marked data; TRUE when its check value matches (unmarked data: TRUE, unchanged).
    BOOL Decrypt() override;
    BYTE* Allocate(long n) override;
    // Stores p as it is; marked when it is recognised as a marked block.
    BOOL SetData(const BYTE* p, long n, long seed) override;
    // Marked data without marker and check value.
    BYTE* GetBuffer() override;
    long GetLength() const override;
};
