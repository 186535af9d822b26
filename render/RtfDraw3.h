#pragma once
// CRtfDraw3: lays out and draws the rich text of questions and choices (the RTF subset our own
// rich-edit control writes) into a rectangle of a device context, with word wrap, and returns
// the height used. The same parser, run without a device context, extracts the plain text of
// an RTF string and rewrites (echoes) it so that its text follows the document font.
//
// The scanner is one process-wide tokenizer, so every call holds the engine's lock for its
// whole run: one call at a time, whichever thread makes it.

#include "platform/core/Collections.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/DC.h"

#include <map>
#include <set>
#include <vector>

class CParse;

// Token ids of the RTF tokenizer.
enum {
    TOK_LBRACE = 1,
    TOK_RBRACE = 2,
    TOK_BACKSLASH = 3,
    TOK_ANSI = 4,
    TOK_FONTTBL = 5,
    TOK_COLORTBL = 6,
    TOK_PAR = 7,
    TOK_PARD = 8,
    TOK_TAB = 9,
    TOK_SEMICOLON = 10,
    TOK_EMPTY = 11,
    TOK_FONTFAMILY = 12,
    TOK_STAR = 13,
    TOK_PANOSE = 14,
    TOK_CHARSET = 15,
    TOK_SINGLEQUOTE = 16,
    TOK_HEX_TAG = 17,
    TOK_TAG = 18,
    TOK_HEX = 19,
    TOK_HEX_NUMTAG = 20,
    TOK_NUMTAG = 21,
    TOK_TEXT = 22,
    TOK_SPACE = 23,
    TOK_INFO = 24,
    TOK_LDBLQUOTE = 25,
    TOK_RDBLQUOTE = 26,
    TOK_UNICODETAG = 27,
    TOK_FONTSIZE = 28,
    TOK_LANG = 29,
    TOK_TX = 30,
    TOK_VIEWKIND = 31,
    TOK_F = 32,
    TOK_FCHARSET = 33,
    TOK_DEFF = 34,
    TOK_ANSICPG = 35,
    TOK_RTFN = 36,
    TOK_FPRQ = 37,
    // The character formatting words, 38 to 53 in this order.
    TOK_B = 38,
    TOK_B0,
    TOK_I,
    TOK_I0,
    TOK_UL,
    TOK_UL0,
    TOK_ULNONE,
    TOK_SUPER,
    TOK_SUB,
    TOK_NOSUPERSUB,
    TOK_SHAD,
    TOK_SHAD0,
    TOK_EMBO,
    TOK_EMBO0,
    TOK_HEADER,
    TOK_FOOTER = 53,
};

class CRtfDraw3 {
public:
    // Status of a parsing step, and of the last call.
    enum {
        RTF_SUCCESS = 1,
        RTF_FAILURE = 2,
        RTF_NOT_THIS = 3,  // not this construct: the caller tries something else
        RTF_LINE_FULL = 4,
        RTF_END = 5,         // end of the input
        RTF_SKIP_GROUP = 6,  // skip the rest of the current group
    };
    // Groups nested deeper than this make the text unreadable.
    static constexpr int kMaxDepth = 256;
    static constexpr int kMaxLaidOutWord = 1024;

    CRtfDraw3();
    ~CRtfDraw3();
    CRtfDraw3(const CRtfDraw3&) = delete;
    CRtfDraw3& operator=(const CRtfDraw3&) = delete;

    // Draws the text into pRect (or, with DT_CALCRECT in nFlags, only measures it, and then
    // writes the bottom and, when it lies inside, the widest right edge back). Returns the final
    // y minus pRect->top. pStart, when given, supplies the y of the first line. pDC may be NULL.
    // GetStatus() afterwards: RTF_SUCCESS when the text was understood.
    int DrawRtf(CDC* pDC, LPCSTR pszRtf, RECT* pRect, UINT nFlags, POINT* pStart = nullptr);
    int GetStatus() const { return m_nStatus; }

    // A font switch of the body; with a font list in force a face outside the list becomes
    // the document font.
    void OnNewFont(int* pnFont);

    // The plain text of an RTF text; "\par" gives "\n", "\tab" "\t", characters above 127 "@".
    // The text collected is returned even when the RTF is broken (GetStatus tells).
    CString GetPlainText(LPCSTR pszRtf);
    // Offsets in the RTF of the first visible character and just after the last; -1 when none.
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }

    // Rewrites rtf so that its text follows the font manager's slot nFontSlot as the document
    // font; the result goes to pOut. FALSE (and pOut untouched) when the text cannot be read.
    BOOL EchoRtf(const CString& rtf, int nFontSlot, CString* pOut);
    // The same, applying only the parts of the document font the options select; with pFaces,
    // fonts whose face is not in the list are replaced by the document font.
    BOOL EchoRtfWithOptions(const CString& rtf, int nFontSlot, CString* pOut, const CStringList* pFaces,
                            BOOL bFont, BOOL bSize, BOOL bStyle);
    // The echo with pNewFont as the document font; the result no longer carries the
    // document-font marker, so its text keeps the chosen font.
    BOOL ForceFontPitch(const CString& rtf, const LOGFONT* pNewFont, CString* pOut, const CStringList* pFaces,
                        BOOL bFont, BOOL bSize, BOOL bStyle);

    // The process-wide tokenizer, built on first use.
    static CParse& Tokenizer();

private:
    // The character format in force; saved at every "{" and at every line start.
    struct CFormat {
        LOGFONT lf;
        int nFont = 0;
        bool bDocFont = false;
        bool bStyleKept = false;
        bool bSizeKept = false;
        bool bHidden = false;  // "\v": neither drawn nor measured nor given as plain text
        int nUnicodeSkip = 1;  // "\uc": characters standing in for each "\u" that follows
        int nSuperSub = 0;  // 0 none, 1 superscript, 2 subscript
        int nShift = 0;     // how far a super- or subscript moves from the line, logical units
        // The paragraph's indents, twips: all of its lines, and the first line's more (or less).
        int nLeftIndent = 0;
        int nFirstIndent = 0;
    };

    // A piece of text of a run: a word, a blank, a delimiter or an escaped character, with
    // where it stands in the RTF.
    struct CPiece {
        CString text;
        int nStart = 0;  // offset in the text of its first character (of its backslash)
        int nEnd = 0;    // offset just after it
        int nRecordStart = 0;  // where the echo's group around a run starting here opens
        bool bWord = false;
        bool bEscape = false;  // written as a control symbol, not as text
        bool bGlued = false;   // the text of a control word's own token, right after the word
        std::u16string wide;   // a character Windows-1252 lacks, drawn in place of text
        int nFixedWidth = -1;  // a tab's or a cell's room, which is no text's width
    };

    void ResetState();
    void TakeDocFontFromSlot();
    void ClearDocFont();
    BOOL RunEcho(const CString& rtf, CString* pOut);

    // Scanner.
    int Next(UINT nMaxLen = 0x7FFFFFFF);
    // Next where text may start. While laying out on a device context a word longer than
    // kMaxLaidOutWord comes in pieces of at most that length, since every line a word spans
    // scans and measures what is left of it.
    int NextInContent();
    void Restore();
    int Offset(LPCSTR p) const { return static_cast<int>(p - m_pText); }
    int TokenStart() const;
    CString TokenText() const;
    // The next character that is not a skipped delimiter, without moving; 0 at the end.
    char PeekChar(int* pnAt = nullptr) const;
    // The control word after a backslash that PeekChar found: its letters, or "*".
    CString PeekWordAfter(int nAt) const;
    void TakeDelimiterBlank();
    void SetPos(LPCSTR p) { m_pPos = p; m_nRemaining = static_cast<UINT>(m_pEnd - p); }

    // Grammar.
    // Reads m_cszRtf from its opening brace (white space before it skipped) through the header.
    BOOL OpenText();
    int ParseHeader();
    // Whether the document control words ahead of the scanner lead to a font table.
    bool FontTableFollows() const;
    int ParseFontTable();
    bool IsStarredFieldResult(int nAt) const;
    // bBraced: the entry stands in braces of its own (the brace is read); else its backslash is.
    int ParseFontEntry(bool bBraced);
    int SkipGroup();
    void SkipBinary(int nBytes);
    int ParseContent();
    int ControlWord(bool bHeader, CPiece* pEscape);
    int TextRun(CPiece piece);
    int PlacePiece(const CPiece& piece);
    bool NextPiece(CPiece* pPiece, int* pnStatus);
    // The current text token as a piece, less what of it a "\u" before claims as its fallback;
    // false when nothing is left.
    bool TextPiece(int id, CPiece* pPiece);

    // Formatting.
    void SelectFontNum(int nFont);
    void ApplyDocStyle();
    void SetSuperSub(int nMode);
    void PushFormat();
    void PopFormat();
    LOGFONT RunLogFont() const;
    void CreateRunFont();
    int PointsToHeight(int nPoints) const;
    CString DocStyleWords() const;
    bool FaceInList(const CString& face) const;

    // Tabs and indents.
    static constexpr int kCellGapTwips = 216;
    static constexpr int kMaxIndentTwips = 31680;  // 22 inches
    int TwipsToLogical(int nTwips) const;
    // From the current x to the next tab stop: the hanging indent, then every "\deftab".
    int TabAdvance() const;
    // Where the line starts: the paragraph's left indent, on its first line with the first
    // line's own.
    int LineIndent() const;
    // An indent read before anything is on the line moves the line's start.
    void IndentEmptyLine();

    // Drawing.
    int Measure(const CString& text, const std::u16string& wide = {}) const;
    void DrawPiece(const CString& text, int x, const std::u16string& wide = {});
    void RunLineLoop();

    // Input.
    CString m_cszRtf;
    LPCSTR m_pText = nullptr;
    LPCSTR m_pEnd = nullptr;
    LPCSTR m_pPos = nullptr;
    UINT m_nRemaining = 0;
    LPCSTR m_pLineStart = nullptr;
    LPCSTR m_pBreak = nullptr;
    int m_nFirstVisible = -1;
    int m_nLastVisible = -1;
    // Fallback characters of the last "\u" still to pass over, now and where the line starts.
    int m_nFallbackLeft = 0;
    int m_nLineFallback = 0;

    // Output target.
    CDC* m_pDC = nullptr;
    CRect m_rect;
    int m_x = 0;
    int m_y = 0;
    int m_nMaxRight = 0;
    int m_nLogPixelsY = 96;
    int m_nLogPixelsX = 96;
    int m_nDefTab = 720;  // twips between the default tab stops
    // Whether the line being laid out starts a paragraph, and whether the next one will.
    bool m_bLineParaStart = true;
    bool m_bNextParaStart = false;
    // Whether anything was placed on the line yet, and where the line starts.
    bool m_bLineStarted = false;
    int m_nLineLeft = 0;
    bool m_bYUp = false;
    bool m_bTwips = false;

    // Line metrics and the current run's font.
    int m_nLineHeight = 0;
    int m_nLineDescent = 0;
    bool m_bLineHasText = false;
    std::vector<std::pair<int, int>> m_widths;  // offset and width of each piece the line holds
    size_t m_nWidthAt = 0;
    TEXTMETRIC m_tm;
    CFormat m_fmt;
    std::vector<CFormat> m_stack;  // formats of the open groups, outermost first
    CFormat m_lineFmt;
    std::vector<CFormat> m_lineStack;
    CFont m_font;
    CFont* m_pOldFont = nullptr;
    bool m_bFontSelected = false;

    // Font table: face, pitch-and-family, charset by font number.
    std::map<int, CString> m_mapFace;
    std::map<int, BYTE> m_mapPitchFamily;
    std::map<int, BYTE> m_mapCharset;

    // Document font.
    CString m_cszDocFace;
    LONG m_nDocHeight = 0;
    int m_nDocPoints = 0;
    BYTE m_nDocFamily = 0;
    bool m_bDocBold = false;
    bool m_bDocItalic = false;
    bool m_bDocUnderline = false;
    BYTE m_nDocCharset = 0;
    int m_nDocPitch = 3;
    bool m_bDocFontGiven = false;  // set by ForceFontPitch; the slot is not read then
    int m_nDocFontNum = -1;
    int m_nAnsiCodePage = 1252;  // "\\ansicpg": the code page of bytes in ANSI fonts

    // Modes.
    bool m_bCalcOnly = false;
    bool m_bStopAtBottom = false;  // every pass stops at the rectangle's bottom (DT_RTF_FITTING)
    bool m_bDocSizeAll = false;    // every run at the document font's size (DT_RTF_DOC_SIZE)
    bool m_bPlainText = false;
    bool m_bMeasuring = false;
    bool m_bEcho = false;
    bool m_bEchoOptions = false;
    bool m_bApplyFont = true;
    bool m_bApplySize = true;
    bool m_bApplyStyle = true;
    CStringList m_faces;
    bool m_bFontList = false;
    bool m_bHasFprq3 = false;

    std::set<CString> m_headerGroupsMet;
    CString m_cszPlain;
    int m_nStatus = 0;
};

// Draws a text through the RTF engine when it is RTF, else (or when the engine cannot read it)
// with the device context's own DrawText. Returns the height.
int DrawTextOrRtf(CDC* pDC, LPCSTR pszText, int nCount, RECT* pRect, UINT nFlags);
// Makes the font manager's slot drawing go through DrawTextOrRtf; the application does it at
// start-up (the font manager stands below the engine and draws plain text until then).
void InstallRtfTextDrawer();
