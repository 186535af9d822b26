#pragma once
// CRtfDraw: a small table-driven RTF reader that turns an RTF string into plain text. The
// choices of a question use it to find and compare choice texts inside RTF.

#include "platform/core/String.h"

#include <vector>

class CRtfDraw {
public:
    // Error numbers of the reader; 0 is success.
    enum {
        ecOK = 0,
        ecStackUnderflow = 1,  // "}" with no open group
        ecStackOverflow = 2,   // groups nested deeper than the reader keeps
        ecUnmatchedBrace = 3,  // the text ended inside a group
        ecInvalidHex = 4,      // "\'" not followed by two hexadecimal digits
        ecBadTable = 5,        // a keyword table entry of unknown kind
        ecAssertion = 6,       // the reader reached a state it cannot be in
        ecEndOfFile = 7,       // the text ended inside a control word
    };

    // Deepest group nesting read; one more "{" is ecStackOverflow.
    static constexpr int kMaxDepth = 512;

    explicit CRtfDraw(LPCSTR pszRtf);

    // Reads the whole text; returns ecOK or an error number. The text read so far is kept.
    int Read();
    const CString& GetText() const { return m_cszOut; }
    BOOL IsTextMode() const { return m_bTextMode; }
    void SetTextMode(BOOL bTextMode) { m_bTextMode = bTextMode; }
    // The text as UTF-8 instead of Windows-1252: "\uN" characters the code page lacks are kept.
    void SetUtf8(BOOL bUtf8) { m_bUtf8 = bUtf8; }

    // Character, paragraph, section and document properties, as the reader tracks them.
    struct CharProps {
        int fBold = 0;
        int fUnderline = 0;
        bool fHidden = false;
        int fItalic = 0;
    };
    struct ParaProps {
        int xaLeft = 0;
        int xaRight = 0;
        int xaFirst = 0;
        int just = 0;  // 0 left, 1 right, 2 centre, 3 justified
    };
    struct SectProps {
        int cCols = 1;
        int sbk = 0;  // section break: none, column, even, odd, page
        int xaPgn = 0;
        int yaPgn = 0;
        int pgnFormat = 0;  // decimal, upper roman, lower roman, upper letter, lower letter
    };
    struct DocProps {
        int xaPage = 12240;
        int yaPage = 15480;
        int xaLeft = 1800;
        int yaTop = 1440;
        int xaRight = 1800;
        int yaBottom = 1440;
        int pgnStart = 1;
        int fFacingp = 0;
        int fLandscape = 0;
    };
    const CharProps& GetCharProps() const { return m_state.chp; }
    const ParaProps& GetParaProps() const { return m_state.pap; }
    const SectProps& GetSectProps() const { return m_state.sep; }
    const DocProps& GetDocProps() const { return m_state.dop; }

    enum Dest { rdsNorm, rdsSkip };
    enum InternalState { risNorm, risBin, risHex };

private:
    struct State {
        CharProps chp;
        ParaProps pap;
        SectProps sep;
        DocProps dop;
        Dest rds = rdsNorm;
        InternalState ris = risNorm;
        int nUnicodeSkip = 1;  // "\uc": fallback characters after each "\u"
    };

    int PushState();
    int PopState();
    int ParseKeyword();
    int TranslateKeyword(const CString& keyword, int param, bool bParam);
    int ApplyPropChange(int iprop, int val);
    int ParseSpecial(int ipfn, int param);
    int ParseChar(int ch);
    // A "\\uN" character (a UTF-16 unit).
    int ParseUnicode(int unit);
    void Emit(char32_t cp);

    CString m_cszIn;
    CString m_cszOut;
    int m_nPos = 0;
    BOOL m_bTextMode = FALSE;
    BOOL m_bUtf8 = FALSE;
    char32_t m_highSurrogate = 0;  // the first half of a pair, until its second comes

    State m_state;
    std::vector<State> m_saved;  // one record per open group
    int m_nDepth = 0;
    int m_cbBin = 0;
    int m_nHexValue = 0;
    int m_cNibble = 2;
    int m_nFallbackLeft = 0;  // fallback characters of the last "\u" still to pass over
    bool m_bSkipDestIfUnk = false;
};

// The plain text of an RTF string: "\par" becomes a line feed, "\tab" a blank, the curly quote
// words a plain double quote; font, colour and other header groups are left out. On a reader
// error the error is logged and the result is empty. A text without "\rtf" is returned as it is.
CString RtfToText(LPCSTR pszRtf);
// The same text as UTF-8, with every character of the RTF kept, also those Windows-1252 lacks
// (where RtfToText gives "?"). A text without "\rtf" is taken as Windows-1252.
CString RtfToTextUtf8(LPCSTR pszRtf);
