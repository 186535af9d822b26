#include "foundation/Parse.h"

#include "foundation/Log.h"
#include "foundation/QuestionTypes.h"
#include "platform/core/StringTable.h"
#include "res/ids/Parse.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char kBaseDelimiters[] = " \t\r\n";
// Merges deeper than this are traced: they show a definition that overlaps many others.
const int kMergeTraceDepth = 20;

bool Contains(const CString& cs, char ch)
{
    return ch != '\0' && cs.Find(ch) >= 0;
}

} // namespace

CParse::CParse()
{
    for (int& c : m_anClass)
        c = -1;
}

CParse::~CParse() = default;

// ---------------------------------------------------------------------------------------------
// Set-up

void CParse::Reset(LPCSTR pszDelimiters)
{
    m_plStates.clear();
    m_pRoot = nullptr;
    for (int& c : m_anClass)
        c = -1;
    m_csToken.Empty();
    m_nTokenLength = 0;
    m_nTokenId = 0;
    m_nClasses = 0;
    m_bClassesSet = m_bRunAdded = m_bReady = m_bPatternAdded = m_bEndTokenAtEnd = FALSE;
    m_nRecordState = 0;
    m_csBaseDelimiters = pszDelimiters ? pszDelimiters : kBaseDelimiters;
    m_csDelimiters = m_csBaseDelimiters;
    m_csAlphabet.Empty();
    m_csSplitPrefix.Empty();
    m_csSplitBody.Empty();
    m_saved = Saved();
}

void CParse::SetCharClasses(LPCSTR pszAlphabet, LPCSTR pszExtraDelimiters)
{
    m_plStates.clear();
    m_pRoot = nullptr;
    m_csAlphabet = pszAlphabet ? pszAlphabet : "";
    if (pszExtraDelimiters && *pszExtraDelimiters)
        m_csExtraDelimiters = pszExtraDelimiters;

    m_csDelimiters = m_csBaseDelimiters;
    for (int i = 0; i < m_csExtraDelimiters.GetLength(); ++i)
        if (!Contains(m_csDelimiters, m_csExtraDelimiters[i]))
            m_csDelimiters += m_csExtraDelimiters[i];
    for (int i = 0; i < m_csExtraDelimiters.GetLength(); ++i)
        if (!Contains(m_csAlphabet, m_csExtraDelimiters[i]))
            m_csAlphabet += m_csExtraDelimiters[i];
    for (int i = 0; i < m_csBaseDelimiters.GetLength(); ++i)
        if (!Contains(m_csAlphabet, m_csBaseDelimiters[i]))
            m_csAlphabet += m_csBaseDelimiters[i];

    for (int& c : m_anClass)
        c = -1;
    for (int i = 0; i < m_csAlphabet.GetLength(); ++i) {
        int& cls = m_anClass[static_cast<unsigned char>(m_csAlphabet[i])];
        if (cls < 0)
            cls = i;
    }
    m_nClasses = m_csAlphabet.GetLength();
    m_pRoot = NewState(CParseState::KIND_TAKE);
    m_bClassesSet = TRUE;
}

CParseState* CParse::NewState(BYTE nKind)
{
    m_plStates.push_back(std::make_unique<CParseState>(m_nClasses, nKind));
    return m_plStates.back().get();
}

CParseState* CParse::AcceptState(int nId, BYTE nFlags)
{
    CParseState* pState = NewState(CParseState::KIND_LEAVE);
    pState->Accept(nId, CParseState::KIND_LEAVE);
    pState->m_nFlags |= nFlags;
    return pState;
}

BOOL CParse::CheckClasses(LPCSTR pszFunc) const
{
    if (m_pRoot)
        return TRUE;
    CString cs;
    cs.Format("CParse::%s() - no character classes set", pszFunc);
    LogOutput(cs, 1, LOG_HERE);
    return FALSE;
}

CParseState* CParse::Next(const CParseState* pState, char ch) const
{
    int cls = ClassOf(ch);
    CParseState* pNext = cls < 0 ? nullptr : pState->m_apNext[static_cast<size_t>(cls)];
    if (!pNext && pState->m_nKind == CParseState::KIND_LOOP)
        return const_cast<CParseState*>(pState);
    return pNext;
}

CParseState* CParse::Extend(CParseState* pState, char ch)
{
    int cls = ClassOf(ch);
    if (cls < 0)
        return nullptr;
    CParseState*& pNext = pState->m_apNext[static_cast<size_t>(cls)];
    if (!pNext)
        pNext = NewState(CParseState::KIND_TAKE);
    return pNext;
}

void CParse::LinkSet(CParseState* pFrom, LPCSTR pszChars, CParseState* pTo)
{
    for (LPCSTR p = pszChars; *p; ++p) {
        int cls = ClassOf(*p);
        if (cls >= 0)
            pFrom->m_apNext[static_cast<size_t>(cls)] = pTo;
    }
}

void CParse::LinkDelimiters(CParseState* pFrom, CParseState* pTo)
{
    LinkSet(pFrom, m_csDelimiters, pTo);
}

void CParse::AddTokenString(LPCSTR pszText, WORD nId)
{
    if (!CheckClasses("AddTokenString"))
        return;
    if (!pszText || !*pszText) {
        m_pRoot->Accept(nId, m_pRoot->m_nKind);
        return;
    }
    CParseState* pState = m_pRoot;
    for (LPCSTR p = pszText; *p; ++p) {
        pState = Extend(pState, *p);
        if (!pState) {
            CString cs;
            cs.Format("CParse::AddTokenString() - character outside the alphabet in '%s'", pszText);
            LogOutput(cs, 1, LOG_HERE);
            return;
        }
    }
    char last = pszText[std::strlen(pszText) - 1];
    if (IsDelimiter(last)) {
        // A token that ends on a delimiter (":") ends on that character.
        pState->Accept(nId, CParseState::KIND_TAKE);
        return;
    }
    // Otherwise a delimiter must follow, and it stays for the next token.
    CParseState* pShared = nullptr;
    for (int i = 0; i < m_csDelimiters.GetLength(); ++i) {
        int cls = ClassOf(m_csDelimiters[i]);
        CParseState*& pNext = pState->m_apNext[static_cast<size_t>(cls)];
        if (pNext) {
            pNext->Accept(nId, CParseState::KIND_LEAVE);
        } else {
            if (!pShared)
                pShared = AcceptState(nId);
            pNext = pShared;
        }
    }
}

void CParse::AddToken(UINT nStringId, int nId)
{
    CString cs;
    if (!cs.LoadString(nStringId)) {
        CString csLog;
        csLog.Format("CParse::AddToken(UINT,int) - failed to load resource %d", static_cast<int>(nStringId));
        LogOutput(csLog, 1, LOG_HERE);
        return;
    }
    AddTokenString(cs, static_cast<WORD>(nId));
}

void CParse::ClearVisited()
{
    for (auto& p : m_plStates)
        p->m_nVisited = 0;
}

// Folds an existing path into the run state pInto, so that a keyword that is also a valid run
// stays the keyword when a delimiter follows it exactly, and becomes the run otherwise.
void CParse::Merge(CParseState* pState, CParseState* pInto, LPCSTR pszChars, int nDepth)
{
    if (pState->m_nVisited || pState->IsAccepting())
        return;
    if (nDepth > kMergeTraceDepth) {
        CString cs;
        cs.Format("Parse Level: %d", nDepth);
        LogOutput(cs, 3, LOG_HERE);
    }
    pState->m_nVisited = 1;
    pState->m_nFlags |= pInto->m_nFlags;
    for (LPCSTR p = pszChars; *p; ++p) {
        int cls = ClassOf(*p);
        if (cls < 0)
            continue;
        CParseState*& pNext = pState->m_apNext[static_cast<size_t>(cls)];
        CParseState* pTarget = pInto->m_apNext[static_cast<size_t>(cls)];
        if (pNext)
            Merge(pNext, pTarget ? pTarget : pInto, pszChars, nDepth + 1);
        else
            pNext = pTarget ? pTarget : pInto;
    }
    for (int i = 0; i < m_csDelimiters.GetLength(); ++i) {
        size_t cls = static_cast<size_t>(ClassOf(m_csDelimiters[i]));
        CParseState* pEnd = pInto->m_apNext[cls];
        CParseState*& pNext = pState->m_apNext[cls];
        if (!pEnd)
            continue;
        if (!pNext)
            pNext = pEnd;
        else if (!pNext->IsAccepting())
            pNext->Accept(pEnd->m_nTokenId, CParseState::KIND_LEAVE);
    }
}

void CParse::MergeRootPaths(LPCSTR pszChars, CParseState* pInto, LPCSTR pszMergeSet)
{
    ClearVisited();
    for (LPCSTR p = pszChars; *p; ++p) {
        int cls = ClassOf(*p);
        if (cls < 0)
            continue;
        CParseState* pState = m_pRoot->m_apNext[static_cast<size_t>(cls)];
        if (pState && pState != pInto)
            Merge(pState, pInto, pszMergeSet, 1);
    }
}

void CParse::LinkRootFree(LPCSTR pszChars, CParseState* pTo)
{
    for (LPCSTR p = pszChars; *p; ++p) {
        int cls = ClassOf(*p);
        if (cls >= 0 && !m_pRoot->m_apNext[static_cast<size_t>(cls)])
            m_pRoot->m_apNext[static_cast<size_t>(cls)] = pTo;
    }
}

void CParse::AddCharSetToken(LPCSTR pszChars, WORD nId)
{
    if (!CheckClasses("AddCharSetToken") || !pszChars || !*pszChars)
        return;
    CParseState* pRun = NewState(CParseState::KIND_TAKE);
    LinkSet(pRun, pszChars, pRun);
    LinkDelimiters(pRun, AcceptState(nId));
    MergeRootPaths(pszChars, pRun, pszChars);
    LinkRootFree(pszChars, pRun);
    m_bRunAdded = TRUE;
}

void CParse::GetDefaultAlphabet(CString& csAlphabet)
{
    csAlphabet.Empty();
    for (int ch = ' '; ch <= '~'; ++ch)
        csAlphabet += static_cast<char>(ch);
}

void CParse::AddAlphabetToken(WORD nId)
{
    CString csAlphabet;
    GetDefaultAlphabet(csAlphabet);
    CString csSet;
    for (int i = 0; i < csAlphabet.GetLength(); ++i)
        if (!IsDelimiter(csAlphabet[i]))
            csSet += csAlphabet[i];
    AddCharSetToken(csSet, nId);
}

void CParse::AddDelimitedToken(LPCSTR pszOpen, LPCSTR pszBodyChars, WORD nId)
{
    if (!CheckClasses("AddDelimitedToken") || !pszOpen || !*pszOpen || !pszBodyChars || !*pszBodyChars)
        return;
    CParseState* pOpen = m_pRoot;
    for (LPCSTR p = pszOpen; *p; ++p) {
        pOpen = Extend(pOpen, *p);
        if (!pOpen)
            return;
    }
    pOpen->m_nFlags |= CParseState::FLAG_BODY_AFTER;
    CParseState* pBody = NewState(CParseState::KIND_TAKE);
    pBody->m_nFlags |= CParseState::FLAG_BODY_AFTER_ONCE;
    LinkSet(pBody, pszBodyChars, pBody);
    LinkSet(pOpen, pszBodyChars, pBody);
    LinkDelimiters(pBody, AcceptState(nId, CParseState::FLAG_SPLIT));
}

void CParse::AddStartBodyToken(LPCSTR pszStartChars, LPCSTR pszBodyChars, WORD nId)
{
    if (!CheckClasses("AddStartBodyToken") || !pszStartChars || !*pszStartChars || !pszBodyChars ||
        !*pszBodyChars)
        return;
    CParseState* pStart = NewState(CParseState::KIND_TAKE);
    pStart->m_nFlags |= CParseState::FLAG_BODY_AFTER;
    CParseState* pBody = NewState(CParseState::KIND_TAKE);
    pBody->m_nFlags |= CParseState::FLAG_BODY_AFTER_ONCE;
    CParseState* pEnd = AcceptState(nId, CParseState::FLAG_SPLIT);
    LinkSet(pStart, pszStartChars, pStart);
    LinkSet(pStart, pszBodyChars, pBody);
    LinkSet(pBody, pszBodyChars, pBody);
    LinkDelimiters(pBody, pEnd);
    CString csBoth = CString(pszStartChars) + pszBodyChars;
    MergeRootPaths(pszStartChars, pStart, csBoth);
    LinkRootFree(pszStartChars, pStart);
}

void CParse::AddPatternToken(LPCSTR pszPattern, WORD nId)
{
    if (!CheckClasses("AddPatternToken") || !pszPattern || !*pszPattern)
        return;
    CParseState* pState = m_pRoot;
    CParseState* pLoop = nullptr;
    for (LPCSTR p = pszPattern; *p; ++p) {
        if (*p == '*') {
            pLoop = pState;
            continue;
        }
        pState = Extend(pState, *p);
        if (!pState)
            return;
    }
    pState->Accept(nId, CParseState::KIND_TAKE);
    if (pLoop && pLoop != m_pRoot)
        pLoop->m_nKind = CParseState::KIND_LOOP;
    m_bPatternAdded = TRUE;
}

void CParse::AddDelimiterSkips()
{
    if (!CheckClasses("AddDelimiterSkips"))
        return;
    m_pRoot->m_nKind = CParseState::KIND_SKIP;
    for (int i = 0; i < m_csDelimiters.GetLength(); ++i) {
        CParseState*& pNext = m_pRoot->m_apNext[static_cast<size_t>(ClassOf(m_csDelimiters[i]))];
        if (!pNext)
            pNext = m_pRoot;
    }
    m_bReady = TRUE;
}

BOOL CParse::IsDelimiter(char ch) const
{
    return Contains(m_csDelimiters, ch);
}

// ---------------------------------------------------------------------------------------------
// Scanning

int CParse::NextToken(LPCSTR* ppText, UINT* pnRemaining, UINT nForceEndAt)
{
    RecordToken();
    const char* pText = *ppText;
    UINT nRemaining = *pnRemaining;
    if (!m_pRoot || !pText || (nRemaining == 0 && !m_bEndTokenAtEnd)) {
        m_nTokenId = 0;
        return 0;
    }
    SavePosition(pText, nRemaining);

    // Past the last character the end token stands, as it does after trailing blanks.
    if (nRemaining == 0 || *pText == '\0') {
        m_csToken.Empty();
        m_nTokenLength = 0;
        m_nTokenId = m_pRoot->IsAccepting() ? m_pRoot->m_nTokenId : 0;
        return m_nTokenId;
    }

    const char firstDelimiter = m_csDelimiters.IsEmpty() ? ' ' : m_csDelimiters[0];
    const CParseState* pState = m_pRoot;
    UINT nStart = 0;         // token start
    UINT nPos = 0;           // characters taken or skipped
    UINT nBody = UINT_MAX;   // body start of a split token
    const char* pForcedEnd = nullptr;
    bool bAllExamined = false;
    for (;;) {
        if (nPos >= nRemaining || pText[nPos] == '\0') {
            bAllExamined = true;
            break;
        }
        // A loop state takes every character it has no way out on (the inside of a block): a
        // bank's texts are most of its bytes, so they are run through at once.
        if (pState->m_nKind == CParseState::KIND_LOOP && !pState->IsAccepting()) {
            const UINT stop = std::min(nRemaining, nForceEndAt);
            UINT k = nPos;
            for (; k < stop && pText[k] != '\0'; ++k) {
                const int cls = ClassOf(pText[k]);
                if (cls >= 0 && pState->m_apNext[static_cast<size_t>(cls)])
                    break;
            }
            if (k > nPos) {
                if ((pState->m_nFlags & CParseState::FLAG_BODY_AFTER_ONCE) && nBody == UINT_MAX)
                    nBody = nPos + 1;
                if (pState->m_nFlags & CParseState::FLAG_BODY_AFTER)
                    nBody = k;
                nPos = k;
                continue;
            }
        }
        char ch = pText[nPos];
        if (nPos == nForceEndAt && !IsDelimiter(ch)) {
            ch = firstDelimiter;
            pForcedEnd = pText + nPos;
        }
        const CParseState* pNext = Next(pState, ch);
        if (!pNext) {
            pState = nullptr;
            break;
        }
        if ((pNext->m_nFlags & CParseState::FLAG_BODY_AFTER_ONCE) && nBody == UINT_MAX)
            nBody = nPos + 1;
        if (pNext->m_nFlags & CParseState::FLAG_BODY_AFTER)
            nBody = nPos + 1;
        pState = pNext;
        switch (pNext->m_nKind) {
        case CParseState::KIND_SKIP:
            ++nPos;
            nStart = nPos;
            break;
        case CParseState::KIND_LEAVE:
            break;
        default:
            ++nPos;
            break;
        }
        if (pState->IsAccepting() && pState != m_pRoot)
            break;
        if (pNext->m_nKind == CParseState::KIND_LEAVE)
            break;  // a state that neither takes nor accepts would never move on
    }

    // A keyword or number that runs to the end of the text ends there, as if a blank followed.
    if (bAllExamined && pState && !pState->IsAccepting()) {
        const CParseState* pBlank = Next(pState, ' ');
        if (pBlank && pBlank->IsAccepting())
            pState = pBlank;
    }

    const char* pEnd = pForcedEnd ? pForcedEnd : pText + nPos;
    UINT nPassed = static_cast<UINT>(pEnd - pText);
    if (nStart > nPassed)
        nStart = nPassed;
    m_csToken = CString(pText + nStart, static_cast<int>(nPassed - nStart));
    m_nTokenLength = m_csToken.GetLength();
    *ppText = pEnd;
    *pnRemaining = nRemaining - nPassed;
    m_nTokenId = (pState && pState->IsAccepting()) ? pState->m_nTokenId : 0;

    if (pState && (pState->m_nFlags & CParseState::FLAG_SPLIT)) {
        UINT nBodyAt = nBody == UINT_MAX || nBody > nPassed ? nPassed : nBody;
        m_csSplitPrefix = CString(pText, static_cast<int>(nBodyAt));
        m_csSplitBody = CString(pText + nBodyAt, static_cast<int>(nPassed - nBodyAt));
        m_csToken = m_csSplitPrefix + m_csSplitBody;
        m_nTokenLength = m_csToken.GetLength();
    }
    return m_nTokenId;
}

int CParse::GetTokenInt() const
{
    if (m_nTokenLength <= 0 || m_nTokenLength > 10 || m_csToken.IsEmpty())
        return 0;
    errno = 0;
    long long n = std::strtoll(m_csToken, nullptr, 10);
    if (errno == ERANGE || n < INT_MIN || n > INT_MAX)
        return 0;
    return static_cast<int>(n);
}

DWORD CParse::GetTokenULong(int nBase) const
{
    if (m_nTokenLength <= 0 || m_nTokenLength > 10 || m_csToken.IsEmpty())
        return 0;
    errno = 0;
    unsigned long long n = std::strtoull(m_csToken, nullptr, nBase);
    if (errno == ERANGE || errno == EINVAL || n > 0xFFFFFFFFull)
        return 0;
    return static_cast<DWORD>(n);
}

void CParse::GetTokenInner(CString& csOut) const
{
    csOut.Empty();
    if (m_csToken.GetLength() < 2)
        return;
    csOut = m_csToken.Mid(1, m_csToken.GetLength() - 2);
    csOut.Trim();
}

void CParse::GetTokenInnerOneLine(CString& csOut) const
{
    GetTokenInner(csOut);
    csOut.Replace('\r', ' ');
    csOut.Replace('\n', ' ');
}

void CParse::SavePosition(LPCSTR pText, UINT nRemaining)
{
    m_saved.pText = pText;
    m_saved.nRemaining = nRemaining;
    m_saved.csToken = m_csToken;
    m_saved.nTokenLength = m_nTokenLength;
    m_saved.nTokenId = m_nTokenId;
    m_saved.csSplitPrefix = m_csSplitPrefix;
    m_saved.csSplitBody = m_csSplitBody;
}

void CParse::RestorePosition(LPCSTR* ppText, UINT* pnRemaining)
{
    if (!m_saved.pText)
        return;
    *ppText = m_saved.pText;
    *pnRemaining = m_saved.nRemaining;
    m_csToken = m_saved.csToken;
    m_nTokenLength = m_saved.nTokenLength;
    m_nTokenId = m_saved.nTokenId;
    m_csSplitPrefix = m_saved.csSplitPrefix;
    m_csSplitBody = m_saved.csSplitBody;
    // The token now current was recorded when the undone scan began; it must not be again.
    // Paused recording stays paused.
    if (m_bRecording && m_nRecordState == 1)
        m_nRecordState = 2;
}

void CParse::ResetScan()
{
    m_csToken.Empty();
    m_nTokenLength = 0;
    m_nRecordState = 0;
    m_bRecording = FALSE;
    m_csRecord.Empty();
    m_saved = Saved();
}

// ---------------------------------------------------------------------------------------------
// Recording

BOOL CParse::EnableRecording(BOOL bOn)
{
    BOOL bOld = m_bRecording;
    m_bRecording = bOn ? TRUE : FALSE;
    return bOld;
}

int CParse::SetRecordState(int nState)
{
    if (!m_bRecording)
        return 0;
    int nOld = m_nRecordState;
    m_nRecordState = nState;
    return nOld;
}

void CParse::RecordToken()
{
    if (!m_bRecording || m_nRecordState == 0)
        return;
    if (m_nRecordState == 2) {
        m_nRecordState = 1;
        return;
    }
    m_csRecord += m_csToken;
}

void CParse::AppendRecord(LPCSTR psz)
{
    if (m_bRecording && m_nRecordState != 0)
        m_csRecord += psz;
}

void CParse::TrimRecord(int n)
{
    if (n <= 0)
        return;
    // Cut in place: the echo trims after every run, and a copy of the record each time would
    // make a long text's echo quadratic.
    std::string& record = m_csRecord.str();
    record.resize(static_cast<size_t>(n) >= record.size() ? 0 : record.size() - static_cast<size_t>(n));
}

BOOL CParse::GetRecord(CString& csOut) const
{
    if (m_bRecording)
        csOut = m_csRecord;
    return m_bRecording;
}

// ---------------------------------------------------------------------------------------------
// The document tokenizers

namespace {

const char kDocAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789{}:,";
const char kDocDelimiters[] = ":,{}/";
const char kDigits[] = "0123456789";
const char kWordChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

void BeginDocTokenizer(CParse& parse)
{
    parse.Reset(nullptr);
    parse.SetCharClasses(kDocAlphabet, kDocDelimiters);
}

void EndDocTokenizer(CParse& parse, bool bWords)
{
    parse.SetEndTokenAtEnd(TRUE);
    parse.AddTokenString("", TOKEN_END);
    parse.AddCharSetToken(kDigits, IDS_TOKEN_NUM);
    if (bWords)
        parse.AddCharSetToken(kWordChars, IDS_TOKEN_IDENT);
    parse.AddPatternToken("{*}", IDS_TOKEN_TEXT);
    parse.AddDelimiterSkips();
}

void AddKeywords(CParse& parse, std::initializer_list<UINT> ids)
{
    for (UINT id : ids)
        parse.AddToken(id, static_cast<int>(id));
}

} // namespace

void BuildDocumentTokenizer(CParse& parse)
{
    BeginDocTokenizer(parse);
    parse.AddTokenString(":", IDS_KW_COLON);
    AddKeywords(parse, {IDS_KW_TITLE1, IDS_KW_TITLE2, IDS_KW_INSTRUCTIONS});
    EndDocTokenizer(parse, false);
}

void BuildHeaderTokenizer(CParse& parse)
{
    BeginDocTokenizer(parse);
    AddKeywords(parse, {IDS_KW_BEGIN, IDS_KW_END, IDS_KW_HEADER, IDS_KW_COLON, IDS_KW_TITLE1, IDS_KW_TITLE2,
                        IDS_KW_COUNT, IDS_KW_NUMCOLLECTIONS, IDS_KW_COLLECTIONS, IDS_KW_IMAGES, IDS_KW_CORRAID});
    EndDocTokenizer(parse, false);
}

void BuildQuestionTokenizer(CParse& parse)
{
    BeginDocTokenizer(parse);
    static const struct {
        const char* pszText;
        UINT nId;
    } kLiterals[] = {{":", IDS_KW_COLON},       {"BEGIN", IDS_KW_BEGIN},    {"QUESTION", IDS_KW_QUESTION},
                     {"END", IDS_KW_END},       {"ID", IDS_KW_ID},          {"TEXT", IDS_KW_TEXT},
                     {"CHOICES", IDS_KW_CHOICES}, {"SUBJECT", IDS_KW_SUBJECT}, {"TYPE", IDS_KW_TYPE},
                     {"LEVEL", IDS_KW_LEVEL},   {"INDEX", IDS_KW_INDEX},    {"CHAPTERS", IDS_KW_CHAPTERS},
                     {"ANSWER", IDS_KW_ANSWER}};
    for (const auto& literal : kLiterals)
        parse.AddTokenString(literal.pszText, static_cast<WORD>(literal.nId));
    AddKeywords(parse, {IDS_KW_IMAGES, IDS_KW_MEMBERID, IDS_KW_SCRAMBLE});
    for (int i = 0; i < GetQuestionTypeCount(); ++i) {
        UINT id = GetQuestionTypeId(i);
        parse.AddToken(id, static_cast<int>(id));
    }
    parse.AddTokenString("", TOKEN_END);
    parse.AddTokenString("CORRAFILE", IDS_KW_CORRAFILE);
    parse.AddTokenString("ATTRIBUTES", IDS_KW_ATTRIBUTES);
    parse.AddTokenString("FIXEDPOSITION", IDS_KW_FIXEDPOSITION);
    EndDocTokenizer(parse, true);
}

void BuildGroupTokenizer(CParse& parse)
{
    BeginDocTokenizer(parse);
    parse.AddTokenString(":", IDS_KW_COLON);
    AddKeywords(parse, {IDS_KW_GROUP, IDS_KW_FLAGS, IDS_KW_BEGIN, IDS_KW_ID, IDS_KW_TEXT, IDS_KW_END, IDS_KW_NAME,
                        IDS_KW_INSTRUCTIONS, IDS_KW_TOPSPACE, IDS_KW_BOTSPACE});
    EndDocTokenizer(parse, false);
}

namespace {

CParse& Built(CParse& parse, void (*build)(CParse&))
{
    if (!parse.IsReady())
        build(parse);
    return parse;
}

} // namespace

CParse& DocumentTokenizer()
{
    thread_local CParse parse;
    return Built(parse, BuildDocumentTokenizer);
}

CParse& QuestionTokenizer()
{
    thread_local CParse parse;
    return Built(parse, BuildQuestionTokenizer);
}

CParse& GroupTokenizer()
{
    thread_local CParse parse;
    return Built(parse, BuildGroupTokenizer);
}
