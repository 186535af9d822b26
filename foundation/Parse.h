#pragma once
// CParse: the keyword tokenizer. A deterministic automaton over character classes, built once
// from token definitions, that hands out one token at a time from a text pointer and a
// remaining length. In the document tokenizers a keyword's token id is the string-table id of
// its text.
//
// Set-up order: Reset, SetCharClasses, token definitions (literal keywords before the runs that
// could also match them), AddDelimiterSkips last.

#include "platform/core/String.h"

#include <memory>
#include <vector>

class CParseState {
public:
    // What happens to the character that leads into the state.
    enum Kind : BYTE {
        KIND_LEAVE = 0,  // accept without it; it stays for the next token
        KIND_TAKE = 1,   // take it into the token
        KIND_SKIP = 2,   // skip it; the token start moves past it
        KIND_LOOP = 3,   // take it, and stay here on any character without a transition
    };
    enum Flags : BYTE {
        FLAG_ACCEPT = 1,
        FLAG_SPLIT = 2,            // prefix and body of the token are held apart
        FLAG_BODY_AFTER = 4,       // the body begins after the character leading here
        FLAG_BODY_AFTER_ONCE = 8,  // the same, unless the body has already begun
    };

    explicit CParseState(int nClasses, BYTE nKind = KIND_TAKE) : m_apNext(nClasses, nullptr), m_nKind(nKind) {}
    virtual ~CParseState() = default;

    BOOL IsAccepting() const { return (m_nFlags & FLAG_ACCEPT) != 0; }
    void Accept(int nId, BYTE nKind)
    {
        m_nTokenId = static_cast<SHORT>(nId);
        m_nFlags |= FLAG_ACCEPT;
        m_nKind = nKind;
    }

    SHORT m_nTokenId = 0;
    std::vector<CParseState*> m_apNext;  // one per character class; NULL = no transition
    BYTE m_nKind = KIND_TAKE;
    BYTE m_nFlags = 0;
    int m_nVisited = 0;
};

class CParse {
public:
    CParse();
    ~CParse();
    CParse(const CParse&) = delete;
    CParse& operator=(const CParse&) = delete;

    // Set-up.
    void Reset(LPCSTR pszDelimiters = nullptr);
    void SetCharClasses(LPCSTR pszAlphabet, LPCSTR pszExtraDelimiters);
    void AddTokenString(LPCSTR pszText, WORD nId);
    void AddToken(UINT nStringId, int nId);
    void AddCharSetToken(LPCSTR pszChars, WORD nId);
    void AddAlphabetToken(WORD nId);
    void AddDelimitedToken(LPCSTR pszOpen, LPCSTR pszBodyChars, WORD nId);
    void AddStartBodyToken(LPCSTR pszStartChars, LPCSTR pszBodyChars, WORD nId);
    void AddPatternToken(LPCSTR pszPattern, WORD nId);
    void AddDelimiterSkips();
    BOOL IsReady() const { return m_bReady; }

    // The 95 printable ASCII characters, blank to tilde.
    static void GetDefaultAlphabet(CString& csAlphabet);

    // Whether a scan with nothing left gives the end token (the id of the empty text) rather than
    // 0. The document readers need it: a text that ends right after its last record is at its
    // end. Other callers loop until 0, which the end token would never let them reach.
    void SetEndTokenAtEnd(BOOL bOn) { m_bEndTokenAtEnd = bOn; }

    // Scans one token: reads at most *pnRemaining characters and never past a NUL, advances the
    // pointer and lowers the length. With nothing left it returns 0 (see SetEndTokenAtEnd); a
    // NUL, or only skipped delimiters before the end, give the end token, and a keyword or
    // number that runs up to the end of the text or a NUL is still recognised. A character
    // index equal to nForceEndAt ends the token there.
    int NextToken(LPCSTR* ppText, UINT* pnRemaining, UINT nForceEndAt = 0x7FFFFFFF);

    // The current token.
    int GetTokenId() const { return m_nTokenId; }
    const CString& GetTokenText() const { return m_csToken; }
    int GetTokenLength() const { return m_nTokenLength; }
    // The token as a number; 0 when it is empty, longer than 10 characters or out of range.
    int GetTokenInt() const;
    DWORD GetTokenULong(int nBase) const;
    // A text block without its braces, trimmed; empty when nothing is left.
    void GetTokenInner(CString& csOut) const;
    // The same, with CR and LF turned into blanks.
    void GetTokenInnerOneLine(CString& csOut) const;
    BOOL IsDelimiter(char ch) const;
    // The halves of the last split token.
    const CString& GetSplitPrefix() const { return m_csSplitPrefix; }
    const CString& GetSplitBody() const { return m_csSplitBody; }

    // NextToken saves where it started; RestorePosition goes back there, token fields included.
    void SavePosition(LPCSTR pText, UINT nRemaining);
    void RestorePosition(LPCSTR* ppText, UINT* pnRemaining);
    void ResetScan();

    // Recording of the scanned tokens (the RTF echo uses it). State 0 paused, 1 active, 2 skip
    // the next token once.
    BOOL EnableRecording(BOOL bOn);
    int SetRecordState(int nState);
    void RecordToken();
    void AppendRecord(LPCSTR psz);
    void TrimRecord(int n);
    BOOL GetRecord(CString& csOut) const;

    const CString& GetDelimiters() const { return m_csDelimiters; }
    const CString& GetAlphabet() const { return m_csAlphabet; }
    int GetClassCount() const { return m_nClasses; }

private:
    struct Saved {
        LPCSTR pText = nullptr;
        UINT nRemaining = 0;
        CString csToken;
        int nTokenLength = 0;
        int nTokenId = 0;
        CString csSplitPrefix;
        CString csSplitBody;
    };

    CParseState* NewState(BYTE nKind = CParseState::KIND_TAKE);
    int ClassOf(char ch) const { return m_anClass[static_cast<unsigned char>(ch)]; }
    CParseState* Next(const CParseState* pState, char ch) const;
    // The transition on ch, created (kind 1) when missing; NULL when ch has no class.
    CParseState* Extend(CParseState* pState, char ch);
    void LinkSet(CParseState* pFrom, LPCSTR pszChars, CParseState* pTo);
    void LinkDelimiters(CParseState* pFrom, CParseState* pTo);
    void ClearVisited();
    void Merge(CParseState* pState, CParseState* pInto, LPCSTR pszChars, int nDepth);
    void MergeRootPaths(LPCSTR pszChars, CParseState* pInto, LPCSTR pszMergeSet);
    void LinkRootFree(LPCSTR pszChars, CParseState* pTo);
    CParseState* AcceptState(int nId, BYTE nFlags = 0);
    BOOL CheckClasses(LPCSTR pszFunc) const;

    CParseState* m_pRoot = nullptr;
    int m_anClass[256];
    CString m_csToken;
    int m_nTokenLength = 0;
    int m_nClasses = 0;
    int m_nTokenId = 0;
    CString m_csBaseDelimiters;
    CString m_csExtraDelimiters;
    CString m_csDelimiters;
    CString m_csAlphabet;
    BOOL m_bClassesSet = FALSE;
    BOOL m_bRunAdded = FALSE;
    BOOL m_bReady = FALSE;
    BOOL m_bPatternAdded = FALSE;
    BOOL m_bEndTokenAtEnd = FALSE;
    std::vector<std::unique_ptr<CParseState>> m_plStates;
    CString m_csSplitPrefix;
    CString m_csSplitBody;
    Saved m_saved;
    BOOL m_bRecording = FALSE;
    int m_nRecordState = 0;
    CString m_csRecord;
};

// The tokenizers of the document file format. Each has the alphabet of letters, digits and
// "{}:,", the extra delimiters ":,{}/"; ":" is 14, a run of digits 17, a block "{...}" 18 and
// the end of the text 23.
void BuildDocumentTokenizer(CParse& parse);  // TITLE1, TITLE2, INSTRUCTIONS
void BuildHeaderTokenizer(CParse& parse);    // the header block's keywords
void BuildQuestionTokenizer(CParse& parse);  // question records; also bare words (16)
void BuildGroupTokenizer(CParse& parse);     // group records

// The document tokenizers. A scan keeps its place in the tokenizer, so each thread has its own,
// built on its first use there; documents may be read on several threads at once. The header
// keeps its own the same way (CCorraHeader).
CParse& DocumentTokenizer();
CParse& QuestionTokenizer();
CParse& GroupTokenizer();
