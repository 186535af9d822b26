#include "model/CorraHeader.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/DocText.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "res/ids/Parse.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace {

void LogWithPath(LPCSTR text, LPCSTR path)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
    LogOutput(path, LOG_ERROR, LOG_HERE);
}

// A decimal count of a COLLECTIONS item: 0 when absent, kept within the range of a DWORD's
// lower half so that a huge count cannot overflow whoever adds them up.
DWORD ParseCount(const CString& text)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty() || t[0] < '0' || t[0] > '9')
        return 0;
    unsigned long long v = std::strtoull(t.GetString(), nullptr, 10);
    return v > 0x7FFFFFFFull ? 0x7FFFFFFFu : static_cast<DWORD>(v);
}

} // namespace

CCorraHeader::CCorraHeader() = default;

CCorraHeader::~CCorraHeader() = default;

CCorraHeader::CCorraHeader(const CCorraHeader& other) : CCorraHeader()
{
    *this = other;
}

CCorraHeader& CCorraHeader::operator=(const CCorraHeader& other)
{
    if (this == &other)
        return *this;
    m_csFileName = other.m_csFileName;
    m_csTitle1 = other.m_csTitle1;
    m_csTitle2 = other.m_csTitle2;
    m_asCollections = other.m_asCollections;
    m_adwCollectionCounts = other.m_adwCollectionCounts;
    m_asImageFiles = other.m_asImageFiles;
    m_pOwner = other.m_pOwner;
    m_csCorraId = other.m_csCorraId;
    m_nReadState = other.m_nReadState;
    m_csError = other.m_csError;
    m_nBufferLength = other.m_nBufferLength;
    m_bValid = other.m_bValid;
    m_nCount = other.m_nCount;
    m_nNumCollections = other.m_nNumCollections;
    m_pFile.reset();
    return *this;
}

void CCorraHeader::Clear()
{
    m_csTitle1.Empty();
    m_csTitle2.Empty();
    m_csCorraId.Empty();
    m_csError.Empty();
    m_nCount = 0;
    m_nNumCollections = 0;
    m_nReadState = 0;
    m_nBufferLength = 0;
    m_bValid = FALSE;
    m_asCollections.clear();
    m_adwCollectionCounts.clear();
    m_pOwner = nullptr;
}

// ---- writing

void CCorraHeader::Write(CEncryptedArchive& out)
{
    CString text = "BEGIN HEADER\r\n";
    text += "TITLE1: {" + BlockSafeText(m_csTitle1, "CCorraHeader::Write() - TITLE1") + "}\r\n";
    text += "TITLE2: {" + BlockSafeText(m_csTitle2, "CCorraHeader::Write() - TITLE2") + "}\r\n";
    text.AppendFormat("COUNT:%d\r\n", m_nCount);
    text.AppendFormat("NUMCOLLECTIONS:%d\r\n", m_nNumCollections);
    Put(out, text);

    if (!m_asCollections.empty()) {
        std::vector<CString> items;
        for (size_t i = 0; i < m_asCollections.size(); ++i) {
            DWORD count = i < m_adwCollectionCounts.size() ? m_adwCollectionCounts[i] : 0;
            CString item;
            item.Format("{%s||%lu}",
                        BlockSafeText(m_asCollections[i], "CCorraHeader::Write() - collection name", TRUE).GetString(),
                        static_cast<unsigned long>(count));
            items.push_back(item);
        }
        Put(out, "COLLECTIONS:  ");
        AppendWrappedItems(out, items, 0, 80, 12);
        Put(out, "\r\n");
    }
    if (!m_asImageFiles.empty()) {
        std::vector<CString> items;
        for (const CString& file : m_asImageFiles) {
            CString relative;
            GetServerRelativePath(relative, file);
            if (relative.IsEmpty())
                relative = file;
            items.push_back("{" + BlockSafeText(relative, "CCorraHeader::Write() - image file") + "}");
        }
        Put(out, "IMAGES:  ");
        AppendWrappedItems(out, items, 9, 70, 9);
        Put(out, "\r\n");
    }
    Put(out, "CORRAID: {" + BlockSafeText(m_csCorraId, "CCorraHeader::Write() - CORRAID") + "}\r\n");
    WriteExtras(out);
    Put(out, "END HEADER\r\n\r\n");
}

// ---- parsing

CParse& CCorraHeader::Tokenizer()
{
    // Built once per thread: a file list reads thousands of headers.
    thread_local CParse parse;
    if (!parse.IsReady())
        BuildHeaderTokenizer(parse);
    return parse;
}

int CCorraHeader::ReadCorraHeader()
{
    // Whatever the outcome, nothing of the file stays once its header is read.
    const std::unique_ptr<CEncryptedHeadReader> file = std::move(m_pFile);
    if (!file || !file->GetText())
        return READ_NO_TEXT;
    // A header cut where the text read so far ends is read again from its start with more.
    const size_t collections = m_asCollections.size();
    const size_t counts = m_adwCollectionCounts.size();
    const size_t images = m_asImageFiles.size();
    for (long want = file->GetTextLength();; want *= 4) {
        if (!file->ReadTo(want))
            return READ_NO_TEXT;
        m_asCollections.resize(collections);
        m_adwCollectionCounts.resize(counts);
        m_asImageFiles.resize(images);
        LPCSTR p = file->GetText();
        UINT n = static_cast<UINT>(file->GetTextLength());
        m_nBufferLength = file->GetTextLength();
        const int result = ReadCorraHeader(&p, &n);
        // A header read to the very end of the text read so far may go on past it.
        if (file->IsWhole() || (result == READ_OK && n > 0))
            return result;
        want = std::max(want, 4096L);
    }
}

int CCorraHeader::ReadCorraHeader(LPCSTR* ppText, UINT* pnRemaining)
{
    m_bValid = FALSE;
    m_nReadState = 0;
    m_csError.Empty();
    LPCSTR start = *ppText;
    UINT startRemaining = *pnRemaining;
    auto fail = [&](int result, LPCSTR error) {
        if (error)
            m_csError = error;
        *ppText = start;
        *pnRemaining = startRemaining;
        return result;
    };

    int token = Tokenizer().NextToken(ppText, pnRemaining);
    if (token != static_cast<int>(IDS_KW_BEGIN)) {
        if (token == static_cast<int>(TOKEN_END))
            return READ_END;
        return fail(READ_NOT_THIS, nullptr);
    }
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_HEADER))
        return fail(READ_SYNTAX, "'BEGIN' without 'HEADER'");

    int result;
    while ((result = ReadItem(ppText, pnRemaining)) == READ_OK) {
    }
    if (result != READ_NOT_THIS)
        return result;

    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_END))
        return fail(READ_SYNTAX, "Syntax error");
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_HEADER))
        return fail(READ_SYNTAX, "'END' without 'HEADER'");
    m_bValid = TRUE;
    return READ_OK;
}

BOOL CCorraHeader::ReadBlockItem(LPCSTR* ppText, UINT* pnRemaining, CString& out)
{
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_COLON))
        return FALSE;
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_TOKEN_TEXT))
        return FALSE;
    Tokenizer().GetTokenInnerOneLine(out);
    return TRUE;
}

BOOL CCorraHeader::ReadNumberItem(LPCSTR* ppText, UINT* pnRemaining, int& out)
{
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_COLON))
        return FALSE;
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_TOKEN_NUM))
        return FALSE;
    out = Tokenizer().GetTokenInt();
    return TRUE;
}

BOOL CCorraHeader::NextBlock(LPCSTR* ppText, UINT* pnRemaining, CString& inner)
{
    LPCSTR before = *ppText;
    UINT beforeRemaining = *pnRemaining;
    if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_TOKEN_TEXT)) {
        *ppText = before;
        *pnRemaining = beforeRemaining;
        return FALSE;
    }
    Tokenizer().GetTokenInner(inner);
    return TRUE;
}

void CCorraHeader::ReadCollections(LPCSTR* ppText, UINT* pnRemaining)
{
    CString inner;
    while (NextBlock(ppText, pnRemaining, inner)) {
        // The count follows the last "||": a name never holds one when it is written.
        int bars = -1;
        for (int at = inner.Find("||"); at >= 0; at = inner.Find("||", at + 1))
            bars = at;
        CString name = bars >= 0 ? inner.Left(bars) : inner;
        m_asCollections.push_back(name);
        m_adwCollectionCounts.push_back(bars >= 0 ? ParseCount(inner.Mid(bars + 2)) : 0);
    }
}

void CCorraHeader::ReadImages(LPCSTR* ppText, UINT* pnRemaining)
{
    CString inner;
    while (NextBlock(ppText, pnRemaining, inner)) {
        // The writer stores the path alone; the form "position,path,..." of a question's image
        // is taken by its second field. Only files that exist are kept.
        std::vector<CString> candidates{inner};
        int comma = inner.Find(',');
        if (comma >= 0) {
            CString second = inner.Mid(comma + 1);
            int end = second.Find(',');
            candidates.push_back(end >= 0 ? second.Left(end) : second);
        }
        for (CString candidate : candidates) {
            candidate.Trim();
            if (candidate.IsEmpty())
                continue;
            CString full;
            GetServerFullPath(full, candidate);
            full.Trim();
            if (!full.IsEmpty() && fsys::Exists(full)) {
                m_asImageFiles.push_back(full);
                break;
            }
        }
    }
}

int CCorraHeader::ReadItem(LPCSTR* ppText, UINT* pnRemaining)
{
    LPCSTR itemStart = *ppText;
    UINT itemRemaining = *pnRemaining;
    auto malformed = [&]() {
        *ppText = itemStart;
        *pnRemaining = itemRemaining;
        return READ_MALFORMED;
    };
    int token = Tokenizer().NextToken(ppText, pnRemaining);
    switch (token) {
    case IDS_KW_TITLE1:
        return ReadBlockItem(ppText, pnRemaining, m_csTitle1) ? READ_OK : malformed();
    case IDS_KW_TITLE2:
        return ReadBlockItem(ppText, pnRemaining, m_csTitle2) ? READ_OK : malformed();
    case IDS_KW_CORRAID:
        return ReadBlockItem(ppText, pnRemaining, m_csCorraId) ? READ_OK : malformed();
    case IDS_KW_COUNT:
        return ReadNumberItem(ppText, pnRemaining, m_nCount) ? READ_OK : malformed();
    case IDS_KW_NUMCOLLECTIONS:
        return ReadNumberItem(ppText, pnRemaining, m_nNumCollections) ? READ_OK : malformed();
    case IDS_KW_COLLECTIONS:
        if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_COLON))
            return malformed();
        ReadCollections(ppText, pnRemaining);
        return READ_OK;
    case IDS_KW_IMAGES:
        if (Tokenizer().NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_COLON))
            return malformed();
        ReadImages(ppText, pnRemaining);
        return READ_OK;
    default: {
        *ppText = itemStart;
        *pnRemaining = itemRemaining;
        int result = OnUnknownItem(ppText, pnRemaining);
        return result == READ_SYNTAX ? READ_MALFORMED : result;
    }
    }
}

// ---- reading a file's header

BOOL CCorraHeader::OpenCorraHeader(LPCSTR path)
{
    m_pFile.reset();
    m_nBufferLength = 0;
    m_csFileName = path ? path : "";
    try {
        // Only the start is read and deciphered: a file list reads the headers of thousands of
        // banks, and a bank damaged behind its header still shows what its header says.
        auto file = std::make_unique<CEncryptedHeadReader>(path);
        CEncryptedArchive::ReadKind kind = file->GetReadKind();
        if (kind != CEncryptedArchive::readPlain && kind != CEncryptedArchive::readEnciphered)
            return FALSE;
        if (!file->GetText())
            return FALSE;
        m_nBufferLength = file->GetTextLength();
        m_pFile = std::move(file);
        return TRUE;
    } catch (const std::exception& e) {
        CString message(e.what());
        AfxMessageBox(message.Left(128), MB_OK);
        return FALSE;
    }
}

BOOL CCorraHeader::GetCorraHeaderInfo(LPCSTR path, BOOL /*bKeep*/)
{
    // What a header read before held is not this file's: a header asked again (a list
    // refreshed) must not gather the collections and images of both.
    Clear();
    m_asImageFiles.clear();
    const int kind = path ? CFileTypes::Ext2Type(path) : 0;
    if (path && kind != DT_CORRA && kind != DT_EXAM) {
        // Another kind has no header to read: only whether the file is there counts, whatever
        // it holds (a picture or a word-processor file is no damaged bank).
        m_pFile.reset();
        m_nBufferLength = 0;
        m_csFileName = path;
        if (fsys::IsFile(path))
            return TRUE;
        LogWithPath("CCorraHeader::GetCorraHeaderInfo() - failed to OpenCorraHeader()...", path);
        return FALSE;
    }
    if (!OpenCorraHeader(path)) {
        LogWithPath("CCorraHeader::GetCorraHeaderInfo() - failed to OpenCorraHeader()...", path ? path : "");
        return FALSE;
    }
    if (ReadCorraHeader() != READ_OK) {
        LogWithPath("CCorraHeader::GetCorraHeaderInfo() - failed to ReadCorraHeader()...", path);
        return FALSE;
    }
    return TRUE;
}
