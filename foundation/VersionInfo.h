#pragma once
// Version texts of a program file. The program carries no version resource: its own texts come
// from the build's version numbers; other files have none.

#include "platform/core/String.h"

class CVersionInfo {
public:
    // The running program's own version.
    CVersionInfo();
    // The version of the named file (empty texts unless it is the program itself).
    explicit CVersionInfo(LPCSTR file);
    virtual ~CVersionInfo() = default;

    // The version of a component's server file (GetServerFile): the program's own when that is
    // the program; FALSE (texts emptied) for any other.
    BOOL ReadServerFile(LPCSTR progId);

    LPCSTR GetProductName() const { return m_csProductName; }
    LPCSTR GetFileVersion() const { return m_csFileVersion; }
    LPCSTR GetProductVersion() const { return m_csProductVersion; }
    // Field i (0 to 3) of the file version "a, b, c, d"; -1 for any other i.
    int GetFileVersionPart(int i) const;

    // Sets the texts as a version block would (tests and the program's own constants).
    void SetTexts(LPCSTR productName, LPCSTR fileVersion, LPCSTR productVersion);

private:
    // The program's own texts when file is the program, else empty texts and FALSE.
    BOOL Read(const CString& file);
    void ReadOwn();
    void Clear();

    CString m_csFileName;
    CString m_csProductName;
    CString m_csFileVersion;
    CString m_csProductVersion;
};
