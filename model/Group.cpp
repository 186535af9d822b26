#include "model/Group.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/CorraIds.h"
#include "model/DocText.h"
#include "res/ids/Parse.h"

#include <cstdlib>

namespace {

const char* const kStyleTexts[] = {"Not marked", "Numbered", "Numbered indep.", "Upper case",
                                   "Lower case", "Roman (upper)", "Roman (lower)"};

BOOL TakeFlags(const CString& digits, int base, DWORD& out)
{
    if (digits.IsEmpty() || digits.GetLength() > 10)
        return FALSE;
    unsigned long long v = std::strtoull(digits.GetString(), nullptr, base);
    if (v > 0xFFFFFFFFull || !CGroup::IsValidFlags(static_cast<DWORD>(v)))
        return FALSE;
    out = static_cast<DWORD>(v);
    return TRUE;
}

} // namespace

CGroup::CGroup(const CGroup& other)
{
    *this = other;
}

CGroup& CGroup::operator=(const CGroup& other)
{
    if (this == &other)
        return *this;
    m_nCounter = other.m_nCounter;
    m_dwFlags = other.m_dwFlags;
    m_nId = other.m_nId;
    m_csText = other.m_csText;
    m_csName = other.m_csName;
    m_pHeaderQuestion = nullptr;
    m_nTopSpace = other.m_nTopSpace;
    m_nBotSpace = other.m_nBotSpace;
    m_nMemberCount = other.m_nMemberCount;
    m_plWork.RemoveAll();
    return *this;
}

CGroup* CGroup::Create(LPCSTR name, int id, int count)
{
    auto* group = new CGroup;
    group->m_csName = name ? name : "";
    group->m_csName.TrimLeft();
    if (group->m_csName.IsEmpty())
        group->m_csName = "Unnamed";
    group->m_nId = id >= 1 ? id : NextQID();
    group->m_nMemberCount = count;
    return group;
}

CString CGroup::FlagToText(DWORD flag)
{
    if (flag >= 1 && flag <= 7)
        return kStyleTexts[flag - 1];
    if ((flag & 0xFF) == 0 && flag >= 0x100 && flag <= 0x700)
        return kStyleTexts[(flag >> 8) - 1];
    switch (flag) {
    case GROUP_USES_HEADER:
        return "Uses header";
    case GROUP_TOP_OF_PAGE:
        return "Top of page";
    case GROUP_INDENTED:
        return "Indented";
    default:
        return "**";
    }
}

int CGroup::NumberStyleOf(DWORD nibble)
{
    static const int kCodes[] = {0, 1, 1, 3, 2, 4, 5};
    return nibble >= 1 && nibble <= 7 ? kCodes[nibble - 1] : 1;
}

BOOL CGroup::IsIndependentStyle(DWORD value)
{
    if (value >= 3 && value <= 7)
        return TRUE;
    return (value & 0xFF) == 0 && value >= 0x300 && value <= 0x700;
}

BOOL CGroup::IsValidFlags(DWORD flags)
{
    DWORD header = flags & GROUP_HEADER_NUMBER_MASK;
    DWORD quest = flags & GROUP_NUMBER_MASK;
    return (flags & GROUP_RESERVED) == 0 && header >= 0x100 && header <= 0x700 && quest >= 1 && quest <= 7;
}

CString& CGroup::ErrorText()
{
    // Per thread, as the tokenizers are: documents may be read on several threads at once.
    thread_local CString text;
    return text;
}

// ---- writing

void CGroup::Write(CEncryptedArchive& out)
{
    OnReadWrite();
    CString text = "\r\nBEGIN GROUP\r\n";
    // Only digits read back as a number: a value below 0 would make the record unreadable.
    text.AppendFormat("ID: %d\r\n", m_nId > 0 ? m_nId : 0);
    text.AppendFormat("FLAGS:%lx\r\n", static_cast<unsigned long>(m_dwFlags));
    text += "TEXT: { \r\n" + EncodeBraces(m_csText) + "}\r\n";
    text += "NAME: { " + BlockSafeText(m_csName, "CGroup::Write() - NAME") + " }\r\n";
    text.AppendFormat("TOPSPACE: %d\r\n", m_nTopSpace > 0 ? m_nTopSpace : 0);
    text.AppendFormat("BOTSPACE: %d\r\n", m_nBotSpace > 0 ? m_nBotSpace : 0);
    text += "END GROUP\r\n\r\n";
    Put(out, text);
}

// ---- parsing

int CGroup::Parse(LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = GroupTokenizer();
    ErrorText().Empty();
    LPCSTR start = *ppText;
    UINT startRemaining = *pnRemaining;
    auto restore = [&](int result) {
        *ppText = start;
        *pnRemaining = startRemaining;
        return result;
    };

    int token = parse.NextToken(ppText, pnRemaining);
    if (token != static_cast<int>(IDS_KW_BEGIN))
        return token == static_cast<int>(TOKEN_END) ? READ_END : restore(READ_NOT_THIS);
    if (parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_GROUP))
        return restore(READ_NOT_THIS);

    int result;
    while ((result = ReadItem(ppText, pnRemaining)) == READ_OK) {
    }
    if (result != READ_NOT_THIS)
        return result;
    if (parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_END)) {
        ErrorText() = "Syntax error";
        return restore(READ_MALFORMED);
    }
    if (parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_GROUP)) {
        ErrorText() = "'END' without 'GROUP'";
        return restore(READ_MALFORMED);
    }
    OnReadWrite();
    return READ_OK;
}

int CGroup::ReadItem(LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = GroupTokenizer();
    LPCSTR itemStart = *ppText;
    UINT itemRemaining = *pnRemaining;
    auto malformed = [&]() {
        *ppText = itemStart;
        *pnRemaining = itemRemaining;
        return READ_MALFORMED;
    };
    auto next = [&](unsigned expected) { return parse.NextToken(ppText, pnRemaining) == static_cast<int>(expected); };

    int token = parse.NextToken(ppText, pnRemaining);
    switch (token) {
    case IDS_KW_TEXT: {
        if (!next(IDS_KW_COLON) || !next(IDS_TOKEN_TEXT))
            return malformed();
        CString inner;
        parse.GetTokenInner(inner);
        // In RTF a line end can mean something (a backslash before it is a paragraph mark), so
        // RTF keeps its line ends; plain text is one line.
        if (inner.Find("\\rtf") < 0)
            parse.GetTokenInnerOneLine(inner);
        m_csText = DecodeBraces(inner);
        return READ_OK;
    }
    case IDS_KW_NAME:
        if (!next(IDS_KW_COLON) || !next(IDS_TOKEN_TEXT))
            return malformed();
        parse.GetTokenInnerOneLine(m_csName);
        return READ_OK;
    case IDS_KW_ID:
    case IDS_KW_TOPSPACE:
    case IDS_KW_BOTSPACE: {
        if (!next(IDS_KW_COLON) || !next(IDS_TOKEN_NUM))
            return malformed();
        int value = parse.GetTokenInt();
        (token == static_cast<int>(IDS_KW_ID) ? m_nId : token == static_cast<int>(IDS_KW_TOPSPACE) ? m_nTopSpace
                                                                                                  : m_nBotSpace) = value;
        return READ_OK;
    }
    case IDS_KW_FLAGS: {
        if (!next(IDS_KW_COLON) || !next(IDS_TOKEN_NUM))
            return malformed();
        CString digits = parse.GetTokenText();
        DWORD flags = GROUP_DEFAULT_FLAGS;
        if (!TakeFlags(digits, 16, flags) && !TakeFlags(digits, 10, flags))
            flags = GROUP_DEFAULT_FLAGS;
        m_dwFlags = flags;
        return READ_OK;
    }
    default: {
        *ppText = itemStart;
        *pnRemaining = itemRemaining;
        int result = OnUnknownItem(ppText, pnRemaining);
        return result == READ_SYNTAX ? READ_MALFORMED : result;
    }
    }
}
