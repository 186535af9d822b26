#pragma once
// The stream through which a document reads its whole file as one text and writes its text.
// A file is either plain text or one enciphered marked block (see Encrypt.h); both are read.
// Writing collects the text in a growing buffer; Commit writes it out (temporary file, then
// rename), so a failed save is reported and the old file stays whole.

#include "platform/core/String.h"

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
    ~CEncryptedArchive() = default;
    CEncryptedArchive(const CEncryptedArchive&) = delete;
    CEncryptedArchive& operator=(const CEncryptedArchive&) = delete;

    // 0 success; 1 when loading failed or found no text (readFailed, readUnrecognised).
    int GetResult() const { return m_nResult; }
    ReadKind GetReadKind() const { return m_nReadKind; }
    // The file read was a marked block.
    BOOL WasEncrypted() const { return m_bWasEncrypted; }
    BOOL IsStoring() const { return m_bStoring; }
    CString GetFileName() const { return m_csPath; }

    // Loading: a NUL-terminated copy of the text, owned by the archive until the next call; with
    // trim, up to maxTrim trailing characters that are neither printable nor white space are
    // removed. NULL when there is no text.
    char* GetText(BOOL addNul, BOOL trim, int maxTrim);
    // Length of the last GetText copy, without its terminator.
    long GetTextLength() const { return m_nTextLength; }

    // Storing: appends n bytes of text.
    void GrowBuffer(const char* text, long n);
    void GrowBuffer(const char* text);
    // Storing: bytes appended so far, and the buffer's current capacity.
    long GetWrittenLength() const { return m_nPos; }
    long GetBufferSize() const { return static_cast<long>(m_buffer.size()); }

    // Storing: writes the text and its terminating NUL, enciphered as a marked block; TRUE when
    // the file was written whole.
    BOOL Commit();

private:
    void Load();

    CString m_csPath;
    BOOL m_bStoring = FALSE;
    std::vector<char> m_buffer;  // loading: the text (plus a NUL); storing: the growing buffer
    long m_nPos = 0;             // storing: bytes written
    long m_nGrowBy = 0;
    int m_nResult = 0;
    ReadKind m_nReadKind = readNone;
    BOOL m_bWasEncrypted = FALSE;
    std::vector<char> m_textCopy;
    long m_nTextLength = 0;
};
