#include "model/CorraQuestion.h"

#include "foundation/CorraAppBase.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/QuestionTypes.h"
#include "foundation/Util.h"
#include "model/CorraDoc.h"
#include "model/CorraHeader.h"
#include "model/DocText.h"
#include "model/Statistics.h"
#include "model/ViewServices.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionIcons.h"
#include "res/ids/QuestionTypes.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

std::atomic<double> g_essayLen{0.33};
std::atomic<double> g_shortAnswerLen{0.16};
std::atomic<double> g_fillInLen{0.05};
std::atomic<double> g_subjCharLen{0.12};

BOOL IsTypeToken(int token)
{
    for (int i = 0; i < GetQuestionTypeCount(); ++i)
        if (static_cast<int>(GetQuestionTypeId(i)) == token)
            return TRUE;
    return FALSE;
}

// The next token when it is one the test accepts; otherwise it is put back. (The tokenizer's
// own put-back would go back one token too far when the text had nothing left.)
template <typename Test>
int TakeIf(CParse& parse, LPCSTR* ppText, UINT* pnRemaining, Test accepts)
{
    const LPCSTR text = *ppText;
    const UINT remaining = *pnRemaining;
    int token = parse.NextToken(ppText, pnRemaining);
    if (accepts(token))
        return token;
    *ppText = text;
    *pnRemaining = remaining;
    return 0;
}

BOOL Expect(CParse& parse, LPCSTR* ppText, UINT* pnRemaining, unsigned expected)
{
    return TakeIf(parse, ppText, pnRemaining, [expected](int t) { return t == static_cast<int>(expected); }) != 0;
}

// Whether the scan stands at the end of the text (a NUL, or nothing left).
BOOL AtEnd(int token, UINT remaining)
{
    return token == static_cast<int>(TOKEN_END) || (token == 0 && remaining == 0);
}

int Sign(int v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// Logs a line once per run: Compare runs inside sorts, thousands of times.
void LogOnce(std::atomic<bool>& done, LPCSTR text)
{
    if (!done.exchange(true))
        LogOutput(text, LOG_ERROR, LOG_HERE);
}

// An IMAGES item: position name, path, brightness, size, margin. The path may hold commas, so
// the trailing three fields are taken from the right.
struct ImageItem {
    CString pos, path, brightness, size, margin;
};

ImageItem SplitImageItem(const CString& inner)
{
    std::vector<CString> f = SplitItem(inner, ',');
    ImageItem item;
    const size_t n = f.size();
    item.pos = f[0];
    if (n >= 5) {
        for (size_t i = 1; i + 3 < n; ++i)
            item.path += (i > 1 ? "," : "") + f[i];
        item.brightness = f[n - 3];
        item.size = f[n - 2];
        item.margin = f[n - 1];
    } else {
        item.path = n > 1 ? f[1] : CString();
        item.brightness = n > 2 ? f[2] : CString();
        item.size = n > 3 ? f[3] : CString();
    }
    for (CString* s : {&item.pos, &item.path, &item.brightness, &item.size, &item.margin})
        s->Trim();
    return item;
}

} // namespace

// ---- construction and copying

namespace {

std::uint64_t NextQuestionSerial()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace

CCorraQuestion::CCorraQuestion() : m_nSerial(NextQuestionSerial())
{
    m_dAnswerSize = GetEssayLen();
    CCorraQuestion::Reset(TRUE);
    m_nKind = QKIND_CORRA;
}

CCorraQuestion::CCorraQuestion(const CQuestion& other) : CCorraQuestion()
{
    *this = other;
}

CCorraQuestion::CCorraQuestion(const CCorraQuestion& other) : CCorraQuestion()
{
    *this = other;
}

CCorraQuestion& CCorraQuestion::operator=(const CQuestion& other)
{
    if (&other != this)
        Copy(other);
    return *this;
}

CCorraQuestion& CCorraQuestion::operator=(const CCorraQuestion& other)
{
    return *this = static_cast<const CQuestion&>(other);
}

CCorraQuestion::~CCorraQuestion()
{
    delete m_pStats;
}

void CCorraQuestion::Copy(const CQuestion& other)
{
    if (&other == this)
        return;
    CQuestion::Copy(other);
    if (const auto* o = dynamic_cast<const CCorraQuestion*>(&other)) {
        m_nCurrent = o->m_nCurrent;
        m_nFlags = o->m_nFlags;
        m_nLastTop = o->m_nLastTop;
        m_rcLast = o->m_rcLast;
        m_csKindText = o->m_csKindText;
        m_dAnswerSize = o->m_dAnswerSize;
        m_nMemberId = o->m_nMemberId;
        m_Scramble = o->m_Scramble;
    }
    // Statistics describe the members this object had.
    delete m_pStats;
    m_pStats = nullptr;
}

void CCorraQuestion::Reset(BOOL bResetId)
{
    CQuestion::Reset(bResetId);
    m_nType = static_cast<int>(IDS_QTYPE_UN);
    m_nLastTop = 0;
    m_rcLast = CRect(0, 0, 0, 0);
    m_nCurrent = 0;
    m_nFlags = 0;
    m_pDoc = nullptr;
    m_pView = nullptr;
    delete m_pStats;
    m_pStats = nullptr;
    m_nMemberId = 0;
    m_nFontSlot = 0;
    m_Scramble.RemoveAll();
}

void CCorraQuestion::GetAnswerSummary(CString& out) const
{
    if (m_nType == static_cast<int>(IDS_QTYPE_MC)) {
        out.Empty();
        for (int i = 0; i < m_Choices.GetCount(); ++i)
            out += (i > 0 ? "  " : "") + m_Choices.GetChoiceId(i);
    } else if (m_nType == static_cast<int>(IDS_QTYPE_TF)) {
        out = "True   False";
    } else {
        out = "   ";
    }
}

int CCorraQuestion::GetImageIndex(BOOL selected) const
{
    if (selected)
        return 236;
    return m_nCurrent == 0 ? 220 : 228;
}

UINT CCorraQuestion::GetIconId(BOOL selected, int mode) const
{
    // Plain, current, selected; large (tile mode) then small.
    static const UINT kQuestion[2][3] = {
        {IDI_QUESTION, IDI_QUESTION_CURRENT, IDI_QUESTION_SELECTED},
        {IDI_QUESTION_SMALL, IDI_QUESTION_CURRENT_SMALL, IDI_QUESTION_SELECTED_SMALL}};
    static const UINT kCollection[2][3] = {
        {IDI_COLLECTION, IDI_COLLECTION_CURRENT, IDI_COLLECTION_SELECTED},
        {IDI_COLLECTION_SMALL, IDI_COLLECTION_CURRENT_SMALL, IDI_COLLECTION_SELECTED_SMALL}};
    const int size = mode == QDRAW_TILE ? 0 : 1;
    const int state = selected ? 2 : m_nCurrent != 0 ? 1 : 0;
    return IsCollection() ? kCollection[size][state] : kQuestion[size][state];
}

int CCorraQuestion::SetAuxNumber(int n)
{
    int previous = m_nCurrent;
    m_nCurrent = n;
    return previous;
}

CString CCorraQuestion::GetSubject(int n) const
{
    return n >= 0 && n < m_saSubjects.GetSize() ? m_saSubjects[n] : CString();
}

// ---- settings

void CCorraQuestion::LoadAnswerLengths()
{
    CCorraAppBase& app = CorraApp();
    g_essayLen = app.GetProfileDouble("Settings", "EssayLen", 0.33, TRUE);
    g_shortAnswerLen = app.GetProfileDouble("Settings", "ShortAnswerLen", 0.16, TRUE);
    g_fillInLen = app.GetProfileDouble("Settings", "FillInLen", 0.05, TRUE);
}

double CCorraQuestion::GetEssayLen()
{
    return g_essayLen;
}

double CCorraQuestion::GetShortAnswerLen()
{
    return g_shortAnswerLen;
}

double CCorraQuestion::GetFillInLen()
{
    return g_fillInLen;
}

void CCorraQuestion::LoadSubjCharLen()
{
    double value = CorraApp().GetProfileDouble("Printing", "SubjCharLen", 12, TRUE);
    if (value >= 1.0)
        value /= 100.0;
    g_subjCharLen = std::clamp(value, 0.10, 0.25);
}

double CCorraQuestion::GetSubjCharLen()
{
    return g_subjCharLen;
}

// ---- writing the record

void CCorraQuestion::WriteRecord(CEncryptedArchive& out)
{
    if (m_nLevel < 0) {
        LogOutput("Assertion failure: m_nLevel >= 0", LOG_ASSERT, LOG_HERE);
        m_nLevel = 0;
    }
    CString text = "BEGIN QUESTION\r\n";
    // Only digits read back as a number: a value below 0 would lose the element.
    text.AppendFormat("ID: %d\r\n", std::max(m_nId, 0));
    text.AppendFormat("MEMBERID: %d\r\n", std::max(m_nMemberId, 0));
    text += "TYPE:  " + GetTypeText() + "\r\n";
    text += "SUBJECT:  ";
    for (int i = 0; i < m_saSubjects.GetSize(); ++i)
        text += (i > 0 ? ", {" : "{") + BlockSafeText(m_saSubjects[i], "CCorraQuestion::WriteRecord() - SUBJECT") + "}";
    text += "\r\n";
    text.AppendFormat("LEVEL:%d\r\n", m_nLevel);
    text.AppendFormat("INDEX:%d\r\n", std::max(m_nIndex, 0));
    text += "TEXT: { \r\n" + EncodeBraces(m_cszQuestionText);
    if (HasAnswerSpace(m_nType))
        text.AppendFormat("|ESL|%4.2f", m_dAnswerSize);
    text += "}\r\n";

    CString choices;
    if (IsCollection()) {
        for (int i = 0; i < m_Choices.GetCount(); ++i)
            choices += (i > 0 ? "\r\n" : "") + m_Choices.GetChoiceId(i) + "   " + m_Choices.GetChoiceText(i);
    } else if (IsChoiceType() && !m_Choices.IsEmpty()) {
        // Choices that stand as they were read go back as they were stored, byte for byte.
        if (!m_Choices.GetStoredText(choices))
            m_Choices.GetText(choices, 0, CHO_RTF | CHO_QUESTION_LAYOUT);
    } else {
        // Free-form choices, and labelled ones that never parsed: the text as the user gave it.
        choices = m_cszChoicesText;
    }
    text += "CHOICES: { \r\n" + EncodeBraces(choices) + "}\r\n";
    text += "ANSWER: { " + EncodeBraces(m_cszAnswer) + " }\r\n";
    text += "CHAPTERS: \r\n";
    for (int i = 0; i < m_saBooks.GetSize(); ++i) {
        // The chapter ends at the line's end when it is read back: it goes on one line.
        CString chapter = UnwrapTitle(i < m_saChapters.GetSize() ? m_saChapters[i] : CString());
        text += "          {" + BlockSafeText(m_saBooks[i], "CCorraQuestion::WriteRecord() - CHAPTERS") + "}" +
                BlockSafeText(chapter, "CCorraQuestion::WriteRecord() - chapter") + "\r\n";
    }
    Put(out, text);

    if (!m_plImages.IsEmpty()) {
        std::vector<CString> items;
        for (POSITION pos = m_plImages.GetHeadPosition(); pos;) {
            const auto* image = static_cast<const CImageData*>(m_plImages.GetNext(pos));
            CString path;
            GetServerRelativePath(path, image->m_csFile);
            CString item;
            item.Format("{%s,%s,%d,%g,%g}", CImageData::GetPosInt2Str(image->m_nPos).GetString(),
                        BlockSafeText(path, "CCorraQuestion::WriteRecord() - IMAGES").GetString(),
                        image->m_nBrightness, image->m_dSize, image->m_dMargin);
            items.push_back(item);
        }
        Put(out, "IMAGES:  ");
        AppendWrappedItems(out, items, 9, 80, 9);
        Put(out, "\r\n");
    }
    if (IsCollection())
        m_Scramble.Write(out);
    WriteExtraElements(out);
    Put(out, "END QUESTION\r\n\r\n");
}

// ---- reading the record

CString& CCorraQuestion::ErrorText()
{
    // Per thread, as the tokenizers are.
    thread_local CString text;
    return text;
}

int CCorraQuestion::ReadRecord(LPCSTR* ppText, UINT* pnRemaining, CCorraDoc* pDoc)
{
    CParse& parse = QuestionTokenizer();
    m_pDoc = pDoc;
    ErrorText().Empty();
    const LPCSTR start = *ppText;
    const UINT startRemaining = *pnRemaining;
    auto putBack = [&](int result) {
        *ppText = start;
        *pnRemaining = startRemaining;
        return result;
    };

    int token = parse.NextToken(ppText, pnRemaining);
    if (token == static_cast<int>(TOKEN_END))
        return READ_END;
    if (token != static_cast<int>(IDS_KW_BEGIN) || parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_QUESTION))
        return putBack(READ_NOT_THIS);

    int result = ReadBody(ppText, pnRemaining);
    if (result != READ_OK)
        return result;
    if (parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_END)) {
        ErrorText() = "Syntax error";
        return putBack(READ_MALFORMED);
    }
    if (parse.NextToken(ppText, pnRemaining) != static_cast<int>(IDS_KW_QUESTION)) {
        ErrorText() = "'END' without 'QUESTION'";
        return putBack(READ_MALFORMED);
    }
    return READ_OK;
}

int CCorraQuestion::ReadBody(LPCSTR* ppText, UINT* pnRemaining)
{
    m_mFieldsRead.Clear();
    const unsigned long long limit = static_cast<unsigned long long>(*pnRemaining) + 100;
    for (unsigned long long iterations = 1;; ++iterations) {
        if (iterations > limit)
            throw std::runtime_error("CCorraQuestion::QBody() - Excessive looping");
        const LPCSTR before = *ppText;
        int result = ReadElement(ppText, pnRemaining);
        if (result == READ_OK)
            continue;
        if (result == READ_ELEMENT_UNKNOWN) {
            if (*ppText == before && *pnRemaining > 0) {
                ++*ppText;
                --*pnRemaining;
            }
            continue;
        }
        // "END" ahead (or the end of the text, which the caller reports) ends the body.
        return result == READ_NOT_THIS ? READ_OK : result;
    }
}

int CCorraQuestion::ReadElement(LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = QuestionTokenizer();
    const LPCSTR start = *ppText;
    const UINT startRemaining = *pnRemaining;
    auto putBack = [&](int result) {
        *ppText = start;
        *pnRemaining = startRemaining;
        return result;
    };
    auto expect = [&](unsigned token) { return Expect(parse, ppText, pnRemaining, token); };
    auto read = [&](int keyword) {
        m_mFieldsRead.SetAt(keyword, 1);
        return READ_OK;
    };

    const int keyword = parse.NextToken(ppText, pnRemaining);
    if (AtEnd(keyword, *pnRemaining))
        return putBack(READ_NOT_THIS);
    if (keyword == static_cast<int>(IDS_KW_END)) {
        // "END QUESTION" ends the record. So does an "END" that the text or the next record
        // follows: reading on would take the next record's elements into this question.
        const LPCSTR afterEnd = *ppText;
        const UINT afterEndRemaining = *pnRemaining;
        int next = parse.NextToken(ppText, pnRemaining);
        if (next == static_cast<int>(IDS_KW_QUESTION) || next == static_cast<int>(IDS_KW_BEGIN) ||
            AtEnd(next, *pnRemaining))
            return putBack(READ_NOT_THIS);
        *ppText = afterEnd;
        *pnRemaining = afterEndRemaining;
        return READ_ELEMENT_UNKNOWN;
    }

    switch (keyword) {
    case IDS_KW_ID:
    case IDS_KW_INDEX:
    case IDS_KW_MEMBERID:
    case IDS_KW_LEVEL: {
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_NUM))
            return READ_ELEMENT_UNKNOWN;
        int value = parse.GetTokenInt();
        if (keyword == static_cast<int>(IDS_KW_ID))
            m_nId = value;
        else if (keyword == static_cast<int>(IDS_KW_INDEX))
            m_nIndex = value;
        else if (keyword == static_cast<int>(IDS_KW_MEMBERID))
            m_nMemberId = value;
        else {
            if (value < 0) {
                LogOutput("Assertion failure: m_nLevel >= 0", LOG_ASSERT, LOG_HERE);
                value = 0;
            }
            m_nLevel = value;
        }
        return read(keyword);
    }
    case IDS_KW_TYPE: {
        if (!expect(IDS_KW_COLON))
            return READ_ELEMENT_UNKNOWN;
        int type = TakeIf(parse, ppText, pnRemaining, IsTypeToken);
        if (!type)
            return READ_ELEMENT_UNKNOWN;
        m_nType = type;
        return read(keyword);
    }
    case IDS_KW_TEXT: {
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_TEXT))
            return READ_ELEMENT_UNKNOWN;
        CString inner;
        parse.GetTokenInner(inner);
        // A line end can mean something in RTF; plain text is one line.
        if (inner.Find("\\rtf") < 0)
            parse.GetTokenInnerOneLine(inner);
        // The answer size follows the text of the types that have an answer space; a type read
        // after the text leaves it in the text.
        int marker = inner.Find("|ESL|");
        if (marker >= 0 && HasAnswerSpace(m_nType) && HasReadField(IDS_KW_TYPE)) {
            m_dAnswerSize = std::clamp(AtofC(inner.GetString() + marker + 5), 0.0, 100.0);
            inner = inner.Left(marker);
        }
        m_cszQuestionText = DecodeBraces(inner);
        return read(keyword);
    }
    case IDS_KW_CHOICES: {
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_TEXT))
            return READ_ELEMENT_UNKNOWN;
        CString inner;
        parse.GetTokenInner(inner);
        m_cszChoicesText = DecodeBraces(inner);
        m_Choices.SetChoices(m_cszChoicesText, '*', '*', nullptr, CHP_RTF_AS_PLAIN | CHP_NUMBERED_PAIRS | CHP_STORED);
        return read(keyword);
    }
    case IDS_KW_ANSWER: {
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_TEXT))
            return READ_ELEMENT_UNKNOWN;
        CString inner;
        parse.GetTokenInnerOneLine(inner);
        m_cszAnswer = DecodeBraces(inner);
        return read(keyword);
    }
    case IDS_KW_SUBJECT: {
        if (!expect(IDS_KW_COLON))
            return READ_ELEMENT_UNKNOWN;
        while (expect(IDS_TOKEN_TEXT)) {
            CString subject;
            parse.GetTokenInnerOneLine(subject);
            m_saSubjects.Add(subject);
        }
        return read(keyword);
    }
    case IDS_KW_CHAPTERS: {
        if (!expect(IDS_KW_COLON))
            return READ_ELEMENT_UNKNOWN;
        while (expect(IDS_TOKEN_TEXT)) {
            CString book;
            parse.GetTokenInnerOneLine(book);
            // The chapter stands right after the book's block, up to the line end: a number, a
            // word, or anything else the user typed ("Unit 2"). None is an empty chapter.
            CString chapter;
            while (*pnRemaining > 0 && **ppText && !std::strchr("\r\n{}", **ppText)) {
                chapter += **ppText;
                ++*ppText;
                --*pnRemaining;
            }
            chapter.Trim();
            m_saBooks.Add(book);
            m_saChapters.Add(chapter);
        }
        return read(keyword);
    }
    case IDS_KW_IMAGES:
        if (!expect(IDS_KW_COLON))
            return READ_ELEMENT_UNKNOWN;
        ReadImages(ppText, pnRemaining);
        return read(keyword);
    case IDS_KW_SCRAMBLE: {
        if (!expect(IDS_KW_COLON) || !expect(IDS_TOKEN_TEXT))
            return READ_ELEMENT_UNKNOWN;
        CString inner;
        parse.GetTokenInner(inner);
        m_Scramble.RemoveAll();
        m_Scramble.Parse(inner);
        return read(keyword);
    }
    default: {
        int result = OnQElement(keyword, ppText, pnRemaining);
        if (result == READ_NOT_THIS) {
            ErrorText() = "Read Error: ";
            return READ_ELEMENT_UNKNOWN;
        }
        if (result == READ_OK)
            m_mFieldsRead.SetAt(keyword, 1);
        return result;
    }
    }
}

void CCorraQuestion::ReadImages(LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = QuestionTokenizer();
    ClearImages();
    while (Expect(parse, ppText, pnRemaining, IDS_TOKEN_TEXT)) {
        CString inner;
        parse.GetTokenInnerOneLine(inner);
        ImageItem item = SplitImageItem(inner);
        CString path;
        if (!item.path.IsEmpty())
            GetServerFullPath(path, item.path);
        path = RelocateToPrimaryFolder(path, DT_IMAGE, "CExamQuestion::ImageList() - PathNotUnder(csFile, csPrimeFolder)...");
        int brightness = item.brightness.IsEmpty() ? 0 : std::atoi(item.brightness);
        double size = item.size.IsEmpty() ? 20.0 : AtofC(item.size);
        double margin = item.margin.IsEmpty() ? 0.0 : AtofC(item.margin);
        AddImage(path, CImageData::PosStr2Int(item.pos), brightness, size, margin);
    }
}

CString RelocateToPrimaryFolder(const CString& path, int kind, LPCSTR logLine)
{
    if (path.IsEmpty())
        return path;
    const CString primeFolder = CPrimaryFolderScope::PrimaryFolder(kind);
    if (primeFolder.IsEmpty() || IsPathUnderFolder(path, primeFolder))
        return path;
    LogOutput(logLine, LOG_ERROR, LOG_HERE);
    LogOutput(path, LOG_ERROR, LOG_HERE);
    LogOutput(primeFolder, LOG_ERROR, LOG_HERE);
    // A file kept elsewhere stays where it is; only a file that is gone is looked for in the
    // primary folder.
    CString name;
    GetFileNameOfPath(name, path);
    CString relocated;
    JoinPath(relocated, primeFolder, name);
    return !fsys::Exists(path) && fsys::Exists(relocated) ? relocated : path;
}

namespace {

thread_local CPrimaryFolderScope* g_pFolderScope = nullptr;

} // namespace

CPrimaryFolderScope::CPrimaryFolderScope()
{
    if (!g_pFolderScope) {
        g_pFolderScope = this;
        m_bOwner = TRUE;
    }
}

CPrimaryFolderScope::~CPrimaryFolderScope()
{
    if (m_bOwner)
        g_pFolderScope = nullptr;
}

CString CPrimaryFolderScope::PrimaryFolder(int kind)
{
    if (!g_pFolderScope)
        return CFileTypes::GetPriDir(kind);
    for (const auto& known : g_pFolderScope->m_folders)
        if (known.first == kind)
            return known.second;
    const CString folder = CFileTypes::GetPriDir(kind);
    g_pFolderScope->m_folders.emplace_back(kind, folder);
    return folder;
}

BOOL CCorraQuestion::GetMissingFields(CString& out) const
{
    static const unsigned kQuestionFields[] = {IDS_KW_TEXT, IDS_KW_CHOICES, IDS_KW_SUBJECT, IDS_KW_TYPE,
                                               IDS_KW_LEVEL, IDS_KW_ID, IDS_KW_INDEX, IDS_KW_ANSWER};
    static const unsigned kCollectionFields[] = {IDS_KW_TEXT, IDS_KW_CHOICES, IDS_KW_TYPE, IDS_KW_ID};
    BOOL missing = FALSE;
    auto check = [&](unsigned field) {
        if (HasReadField(static_cast<int>(field)))
            return;
        CString name;
        name.LoadString(field);
        name.MakeLower();
        if (!out.IsEmpty())
            out += ", ";
        out += name;
        missing = TRUE;
    };
    if (IsCollection())
        for (unsigned field : kCollectionFields)
            check(field);
    else
        for (unsigned field : kQuestionFields)
            check(field);
    return missing;
}

// ---- sorting and printing

int CCorraQuestion::Compare(const CCorraQuestion& other, int fieldToken) const
{
    static std::atomic<bool> s_choicesLogged{false};
    static std::atomic<bool> s_unknownLogged{false};
    if (&other == this)
        return 0;
    switch (fieldToken) {
    case IDS_KW_TEXT:
        return Sign(m_cszQuestionText.CompareNoCase(other.m_cszQuestionText));
    case IDS_KW_ANSWER:
        return Sign(m_cszAnswer.CompareNoCase(other.m_cszAnswer));
    case IDS_KW_SUBJECT:
        if (m_saSubjects.IsEmpty() || other.m_saSubjects.IsEmpty())
            return 0;
        return Sign(m_saSubjects[0].CompareNoCase(other.m_saSubjects[0]));
    case IDS_KW_CHAPTERS:
        if (m_saBooks.IsEmpty() || other.m_saBooks.IsEmpty())
            return 0;
        return Sign(m_saBooks[0].CompareNoCase(other.m_saBooks[0]));
    case IDS_KW_TYPE:
        return Sign((m_nType > other.m_nType) - (m_nType < other.m_nType));
    case IDS_KW_LEVEL:
        return Sign((m_nLevel > other.m_nLevel) - (m_nLevel < other.m_nLevel));
    case IDS_KW_ID:
        return Sign((m_nId > other.m_nId) - (m_nId < other.m_nId));
    case IDS_KW_INDEX:
        return Sign((m_nIndex > other.m_nIndex) - (m_nIndex < other.m_nIndex));
    case IDS_KW_CHOICES:
        // A message box here would stop a sort once per comparison.
        LogOnce(s_choicesLogged, "CCorraQuestion::Compare() - CHOICES not implemented yet");
        return 0;
    default:
        LogOnce(s_unknownLogged, "CCorraQuestion::Compare() - unknown type");
        return 0;
    }
}

BOOL CCorraQuestion::ApplyScrambleTo(CQuestion& question) const
{
    return ApplyChoiceScramble(question, m_Scramble);
}

BOOL ApplyChoiceScramble(CQuestion& question, const CScrambleList& scramble)
{
    CWordArray sequence;
    int newAnswer = -1;
    if (!scramble.GetEntryFor(question, sequence, newAnswer))
        return FALSE;
    const int count = question.m_Choices.GetCount();
    const CChoices stored = question.m_Choices;
    for (int i = 0; i < count; ++i)
        question.m_Choices.SetChoice(i, stored.GetChoiceId(i), stored.GetChoiceText(sequence[i]));
    if (newAnswer >= 0)
        question.m_cszAnswer = CScrambleList::AnswerLetter(question, newAnswer);
    return TRUE;
}

// ---- collections

BOOL CCorraQuestion::HasAnswerSpace(int type)
{
    return type == static_cast<int>(IDS_QTYPE_ES) || type == static_cast<int>(IDS_QTYPE_SA) ||
           type == static_cast<int>(IDS_QTYPE_FI);
}

BOOL CCorraQuestion::IsCollection() const
{
    return m_nType == static_cast<int>(IDS_QTYPE_CO);
}

void CCorraQuestion::AppendMember(int id)
{
    CString label;
    label.Format("%d.", m_Choices.GetCount());
    CString text;
    text.Format("%d", id);
    m_Choices.Add(label, text);
}

BOOL CCorraQuestion::AddQuestion(CQuestion* question)
{
    if (!question)
        return FALSE;
    question->Refresh();
    if (HasQuestId(question->m_nId)) {
        LogOutput("CCorraQuestion::AddQuestion() - id already exists", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    int before = m_Choices.GetCount();
    AppendMember(question->m_nId);
    return m_Choices.GetCount() > before;
}

CCorraQuestion* CCorraQuestion::GetMember(int i) const
{
    if (!m_pDoc || i < 0 || i >= m_Choices.GetCount())
        return nullptr;
    return m_pDoc->FindQuestionById(GetQuestId(i));
}

int CCorraQuestion::GetQuestions(CPtrList& out) const
{
    out.RemoveAll();
    for (int i = 0; i < m_Choices.GetCount(); ++i)
        if (CCorraQuestion* member = GetMember(i))
            out.AddTail(member);
    return out.GetCount();
}

int CCorraQuestion::FindQuestId(int id) const
{
    for (int i = 0; i < m_Choices.GetCount(); ++i)
        if (GetQuestId(i) == id)
            return i;
    return -1;
}

int CCorraQuestion::GetQuestIds(CDWordArray& ids) const
{
    ids.RemoveAll();
    for (int i = 0; i < m_Choices.GetCount(); ++i)
        ids.Add(static_cast<DWORD>(GetQuestId(i)));
    return ids.GetSize();
}

int CCorraQuestion::GetQuestId(int i) const
{
    return std::atoi(m_Choices.GetChoiceText(i));
}

int CCorraQuestion::GetLabelNumber(int i) const
{
    return std::atoi(m_Choices.GetChoiceId(i));
}

int CCorraQuestion::SetQuestIds(const CDWordArray& ids, CDWordArray* pAdded)
{
    if (pAdded)
        pAdded->RemoveAll();
    m_Choices.RemoveAll();
    int added = 0;
    for (int i = 0; i < ids.GetSize(); ++i) {
        int id = static_cast<int>(ids[i]);
        if (HasQuestId(id))
            continue;
        AppendMember(id);
        if (pAdded)
            pAdded->Add(ids[i]);
        ++added;
    }
    return added;
}

int CCorraQuestion::SetQuestions(const CPtrList& questions, CDWordArray* pAdded)
{
    CDWordArray ids;
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        if (const auto* question = static_cast<const CQuestion*>(questions.GetNext(pos)))
            ids.Add(static_cast<DWORD>(question->m_nId));
    return SetQuestIds(ids, pAdded);
}

int CCorraQuestion::InsertQuestId(int position, int id)
{
    CDWordArray ids;
    GetQuestIds(ids);
    ids.InsertAt(std::clamp(position, 0, ids.GetSize()), static_cast<DWORD>(id));
    return SetQuestIds(ids);
}

int CCorraQuestion::RemoveMemberAt(int position)
{
    CDWordArray ids;
    GetQuestIds(ids);
    if (position >= 0 && position < ids.GetSize())
        ids.RemoveAt(position);
    return SetQuestIds(ids);
}

BOOL CCorraQuestion::RemoveQuestId(int id)
{
    int position = FindQuestId(id);
    if (position < 0)
        return FALSE;
    RemoveMemberAt(position);
    return TRUE;
}

BOOL CCorraQuestion::SetCollectionQuestId(int position, int newId)
{
    if (position < 0 || position >= m_Choices.GetCount())
        return FALSE;
    if (HasQuestId(newId)) {
        LogOutput("CCorraQuestion::SetCollectionQuestId() - newId already exists in collection", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (m_pDoc && !m_pDoc->FindQuestionById(newId)) {
        CString line;
        line.Format("CCorraQuestion::SetCollectionQuestId() - newId (%d) not found in doc ", newId);
        LogOutput(line + m_pDoc->GetTitle(), LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CString label;
    label.Format("%d.", position);
    CString text;
    text.Format("%d", newId);
    return m_Choices.SetChoice(position, label, text);
}

void CCorraQuestion::CloseView()
{
    if (m_pView)
        CorraViewServices().CloseCollectionView(m_pView, FALSE);
}

void CCorraQuestion::BringViewToTop()
{
    if (CFrameWnd* frame = m_pView ? m_pView->GetParentFrame() : nullptr)
        frame->ActivateFrame();
}

void CCorraQuestion::UpdateStatistics()
{
    delete m_pStats;
    CPtrListEx members;
    GetQuestions(members);
    m_pStats = new CStatistics(members);
}

// ---- CCollectionEntry

CCollectionEntry::CCollectionEntry()
{
    m_pDoc = nullptr;
    m_nKind = QKIND_EXAM;
}

CCollectionEntry::~CCollectionEntry()
{
    while (!m_lOwnQuestions.IsEmpty())
        delete static_cast<CCorraQuestion*>(m_lOwnQuestions.RemoveHead());
}

void CCorraQuestion::Serialize(CArchive& ar)
{
    CQuestion::Serialize(ar);
    m_Scramble.Serialize(ar);
}

void CCorraQuestion::Store(CArchive& ar) const
{
    CQuestion::Store(ar);
    ar << m_nCurrent << m_nLastTop;
    ar << static_cast<int>(m_rcLast.left) << static_cast<int>(m_rcLast.top) << static_cast<int>(m_rcLast.right)
       << static_cast<int>(m_rcLast.bottom);
    ar << m_dAnswerSize << m_nMemberId;
}

void CCorraQuestion::Load(CArchive& ar)
{
    CQuestion::Load(ar);
    int l = 0, t = 0, r = 0, b = 0;
    ar >> m_nCurrent >> m_nLastTop >> l >> t >> r >> b;
    m_rcLast = CRect(l, t, r, b);
    m_dAnswerSize = ar.ReadFiniteDouble();
    ar >> m_nMemberId;
}

CCorraQuestion* CCollectionEntry::GetMember(int i) const
{
    if (m_Choices.IsEmpty() || i < 0 || i >= m_Choices.GetCount())
        return nullptr;
    const int id = GetQuestId(i);
    CCorraQuestion* found = nullptr;
    if (m_pDoc)
        found = m_pDoc->FindQuestionById(id);
    else if (m_plOuterQuestions)
        found = FindListQuestionById(*m_plOuterQuestions, id);
    else
        found = FindListQuestionById(m_lOwnQuestions, id);
    if (found)
        found->Refresh();
    return found;
}

// ---- lists of questions

CCorraQuestion* FindListQuestionById(const CPtrList& questions, int id)
{
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (question && question->m_nId == id)
            return question;
    }
    return nullptr;
}

BOOL ListHasQuestionId(const CPtrList& questions, int id)
{
    return FindListQuestionById(questions, id) != nullptr;
}

BOOL ListHasQuestionIndex(const CPtrList& questions, int index)
{
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        const auto* question = static_cast<const CQuestion*>(questions.GetNext(pos));
        if (question && question->m_nIndex == index)
            return TRUE;
    }
    return FALSE;
}
