#pragma once
// The text of a source file that AutoConvert works on: the file's text as read and the working
// copy the user edits in the wizard. Plain text and RTF are read as they are; Word and
// WordPerfect documents are converted to RTF first.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CDocument;

// Source files above this size are refused.
constexpr size_t SOURCE_FILE_MAX_BYTES = 32u * 1024u * 1024u;

class CFileBuf {
public:
    CFileBuf() = default;
    virtual ~CFileBuf() = default;

    // NULL reloads the current path; the current path again does nothing. A failure says
    // "Failed to load file" and keeps the text and path there were.
    virtual BOOL Load(LPCSTR path = nullptr);
    virtual BOOL LoadFromFile(LPCSTR path);
    // Both texts become a copy of text.
    virtual BOOL SetText(LPCSTR text, int nLength);
    virtual void Free();

    // The file name without its folder.
    CString GetFileName() const;
    const CString& GetPath() const { return m_csPath; }
    int GetBufLen() const { return m_nBufLen; }
    const char* GetFileText() const { return m_nBufLen ? m_szOrigFile.data() : ""; }
    char* GetWorkingText() { return m_nBufLen ? m_szWorkingBuf.data() : nullptr; }

    // The text of a file by its kind (length + 1 in nLength), or of the owning source document.
    virtual BOOL GetDocText(LPCSTR path, CString& out, int& nLength);

    CDocument* m_pDoc = nullptr;  // a source document whose text is read instead of the file

protected:
    CString m_csPath;
    int m_nBufLen = 0;
    std::vector<char> m_szOrigFile;
    std::vector<char> m_szWorkingBuf;
};

// A text or RTF file whole: NUL bytes become blanks; UTF-8 (with a byte-order mark or without),
// UTF-16 with a byte-order mark and Windows-1252 are read, and a text holding characters outside
// Windows-1252 becomes RTF that carries them. nLength is the text length + 1. FALSE (logged)
// when it cannot be read or is too large.
BOOL GetSourceFileText(LPCSTR path, CString& out, int& nLength);
// A Word or WordPerfect document converted to RTF through a temporary file, which is gone on
// every way out.
BOOL WordDocText(LPCSTR path, CString& out, int& nLength);
BOOL WordPerfectDocText(LPCSTR path, CString& out, int& nLength);
// Decodes file bytes as GetSourceFileText does.
CString DecodeSourceBytes(const std::string& bytes);
