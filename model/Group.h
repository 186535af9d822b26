#pragma once
// A group of questions of one document: a name, a header text printed above its questions, a
// numbering style and extra space above and below. Questions name their group by its ID. Stored
// as a group record between the instructions and the questions of the document file.

#include "foundation/PtrListEx.h"
#include "platform/core/String.h"

class CCorraQuestion;
class CEncryptedArchive;

// FLAGS: numbering of the questions (low nibble) and of the header (second nibble), layout bits.
constexpr DWORD GROUP_NUMBER_MASK = 0xF;
constexpr DWORD GROUP_HEADER_NUMBER_MASK = 0xF00;
constexpr DWORD GROUP_USES_HEADER = 0x10000;
constexpr DWORD GROUP_TOP_OF_PAGE = 0x20000;
constexpr DWORD GROUP_INDENTED = 0x40000;
constexpr DWORD GROUP_RESERVED = 0x80000;  // never set in a stored value
constexpr DWORD GROUP_DEFAULT_FLAGS = 0x20102;

class CGroup {
public:
    CGroup() = default;
    virtual ~CGroup() = default;
    // Copies every field but the work list (emptied) and the header question: only the group
    // in the document owns that, and a copy that shared it would delete it twice.
    CGroup(const CGroup& other);
    CGroup& operator=(const CGroup& other);

    // A new group: the name trimmed on the left ("Unnamed" when that leaves nothing), the ID as
    // given when it is 1 or more, else a new one from the application's counter.
    static CGroup* Create(LPCSTR name, int id, int count);

    CString GetText() const { return m_csText; }

    // The display text of one flag value ("Numbered", "Uses header", ...); "**" for others.
    static CString FlagToText(DWORD flag);
    // Numbering format codes (0 none, 1 decimal, 2 lower letters, 3 upper letters, 4 upper
    // roman, 5 lower roman) of the question and header numbering.
    static int NumberStyleOf(DWORD nibble);
    int GetQuestNumberStyle() const { return NumberStyleOf(m_dwFlags & GROUP_NUMBER_MASK); }
    int GetHeaderNumberStyle() const { return NumberStyleOf((m_dwFlags & GROUP_HEADER_NUMBER_MASK) >> 8); }
    // Whether a numbering value counts independently (3 to 7, or 0x300 to 0x700).
    static BOOL IsIndependentStyle(DWORD value);
    // Whether a FLAGS value may be stored: reserved bit clear, both nibbles 1 to 7.
    static BOOL IsValidFlags(DWORD flags);

    // Parses one group record: 1 read (cursor past it), 0 not a group record (cursor
    // unchanged), 3 malformed (error text in GetErrorText), 6 end of text.
    int Parse(LPCSTR* ppText, UINT* pnRemaining);
    // Appends the group record.
    void Write(CEncryptedArchive& out);
    // The error text of the last parse on this thread ("Syntax error", "'END' without 'GROUP'").
    static CString& ErrorText();

    int m_nCounter = 0;
    DWORD m_dwFlags = GROUP_DEFAULT_FLAGS;
    int m_nId = 0;
    CString m_csText;
    CString m_csName;
    CCorraQuestion* m_pHeaderQuestion = nullptr;  // owned by the document's group
    int m_nTopSpace = 0;
    int m_nBotSpace = 0;
    int m_nMemberCount = 0;
    CPtrListEx m_plWork;  // questions collected for layout; never stored

protected:
    // An item the group does not know: 0 ends the item list (default), 1 read, 2 an error.
    virtual int OnUnknownItem(LPCSTR* ppText, UINT* pnRemaining) { return 0; }
    // Runs before writing and after a successful parse.
    virtual void OnReadWrite() {}

private:
    int ReadItem(LPCSTR* ppText, UINT* pnRemaining);
};
