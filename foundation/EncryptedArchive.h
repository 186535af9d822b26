#pragma once
// The stream through which a document reads its whole file as one text and writes its text.
// A file is either plain text or one enciphered marked block (see Encrypt.h); both are read.
// Writing collects the text in a growing buffer; Commit writes it out (temporary file, then
// rename), so a failed save is reported and the old file stays whole.

#include "foundation/Encrypt.h"
#include "platform/core/String.h"

#include <memory>
#include <vector>

class CEncryptedArchive {
public:
    // What a loading archive found in its file.
    enum ReadKind {
        readNone,           // storing archive
        readPlain,          // plain text
        readEnciphered,     // a marked block whose check value matches
        readCheckMismatch,  // a marked block whose check value does not match (text deciphered)
        readUnrecognised,   // neither text nor a marked block: binary, or a block cut or lengthened
        readFailed,         // the file could not be read
    };

    // Loading (storing FALSE): reads the whole file. Storing: prepares an empty buffer of
    // initialSize bytes (the documents pass 4096).
    CEncryptedArchive(LPCSTR path, BOOL storing, long initialSize = 4096);
    // Writes nothing: a storing archive that was not committed leaves the file as it was.
    ~CEncryptedArchive();
    CEncryptedArchive(const CEncryptedArchive&) = delete;
    CEncryptedArchive& operator=(const CEncryptedArchive&) = delete;

    // 0 success; 1 when loading failed or found no text (readFailed, readUnrecognised).
    int GetResult() const { return m_nResult; }
    ReadKind GetReadKind() const { return m_nReadKind; }
    // The file read was a marked block.
    BOOL WasEncrypted() const { return m_bWasEncrypted; }
    BOOL IsStoring() const { return m_bStoring; }
    CString GetFileName() const { return m_csPath; }

    // Loading: the text, NUL-terminated, in the archive's own buffer (no copy is made; it lives
    // as long as the archive and is not to be written); with trim, up to maxTrim trailing
    // characters that are neither printable nor white space are left out. NULL when there is no
    // text.
    const char* GetText(BOOL addNul, BOOL trim, int maxTrim);
    // Length of the text the last GetText gave, without its terminator.
    long GetTextLength() const { return m_nTextLength; }

    // Storing: appends n bytes of text.
    void GrowBuffer(const char* text, long n);
    void GrowBuffer(const char* text);
    // Storing: bytes appended so far, and the buffer's current capacity.
    long GetWrittenLength() const { return m_nPos; }
    long GetBufferSize() const { return m_nCapacity; }
    // Storing: the text appended so far, NUL-terminated (GetWrittenLength bytes).
    const char* GetWrittenText();

    // Storing: writes the text and its terminating NUL, enciphered as a marked block; TRUE when
    // the file was written whole.
    BOOL Commit();

private:
    // Storing keeps this much room in front of the text for the block's marker, so the block is
    // built and enciphered where the text already lies.
    static constexpr long ENCRYPT_MARKER_ROOM = 5;

    void Load();
    // Storing: room for capacity bytes of text (and the NUL and check value behind them).
    void Reserve(long capacity);
    // Storing: deciphers a buffer that a Commit left enciphered, so appending can go on.
    void Unseal();

    CString m_csPath;
    BOOL m_bStoring = FALSE;
    // Loading: the file as read (deciphered in place), the text at m_nTextStart.
    std::vector<char> m_buffer;
    // Storing: the marker room, then m_nCapacity bytes for the text. Grown with realloc, which
    // moves a large block by remapping its pages instead of copying them.
    char* m_pStore = nullptr;
    long m_nCapacity = 0;
    long m_nPos = 0;             // storing: bytes of text written
    long m_nGrowBy = 0;
    long m_nSealed = 0;          // storing: length of the enciphered block Commit left, or 0
    int m_nResult = 0;
    ReadKind m_nReadKind = readNone;
    BOOL m_bWasEncrypted = FALSE;
    long m_nTextStart = 0;       // loading: where the text begins in the buffer
    long m_nFullLength = 0;      // loading: its length untrimmed
    long m_nTextLength = 0;
    long m_nCutAt = -1;          // loading: where GetText put a NUL over a trimmed byte
    char m_cCut = 0;             // ... and the byte it covers
};

// Reads the start of a document file, piece by piece, deciphering an enciphered block as it
// goes: whoever needs only the beginning (a header in a list of files) never reads, deciphers
// or keeps the rest. The check value at a block's end is never reached, so damage behind the
// start goes unnoticed here; a block cut short or lengthened is known from its start.
class CEncryptedHeadReader {
public:
    // Reads the first piece of the file.
    explicit CEncryptedHeadReader(LPCSTR path);
    CEncryptedHeadReader(const CEncryptedHeadReader&) = delete;
    CEncryptedHeadReader& operator=(const CEncryptedHeadReader&) = delete;

    // readPlain, readEnciphered (its check value unknown), readUnrecognised or readFailed.
    CEncryptedArchive::ReadKind GetReadKind() const { return m_nReadKind; }
    // Reads on until the text read holds at least n bytes or the whole text; FALSE when the
    // file could not be read.
    BOOL ReadTo(long n);
    // The text read so far, NUL-terminated; NULL when there is none.
    const char* GetText() const;
    long GetTextLength() const { return m_nTextLength; }
    // Whether the text read is the file's whole text.
    BOOL IsWhole() const { return m_nTextLength >= m_nWholeLength; }

private:
    // Ends the text read with a NUL in the buffer.
    void EndText();

    CString m_csPath;
    CEncryptedArchive::ReadKind m_nReadKind = CEncryptedArchive::readFailed;
    std::vector<char> m_buffer;       // the file's bytes from its start, deciphered
    std::unique_ptr<CCipherStream> m_pCipher;
    long m_nTextStart = 0;
    long m_nTextLength = 0;
    long m_nWholeLength = 0;
};
