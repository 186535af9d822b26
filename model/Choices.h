#pragma once
// The labelled choices of a question: a label ("a.", "B)", "12.") and a text for each choice, in
// order, and the RTF header the texts were cut from. Turns a choices text, plain or RTF, into
// labels and texts; checks a text a user typed and says what is wrong with it; relabels; writes
// the choices as plain text, RTF or HTML, into a rich-edit control, or measured and drawn into a
// device context. A collection keeps its member IDs here as numbered choices.
//
// In RTF a choice text is a body fragment: the header, the text and "}" make a whole document.
// A text without a backslash is plain text.

#include "foundation/ChoicesError.h"
#include "model/DrawContext.h"
#include "platform/core/Collections.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;
class CHVRichEditCtrl;

// Parse flags of SetChoices.
constexpr DWORD CHP_RTF_AS_PLAIN = 0x1;    // RTF without labels is parsed again as plain text
constexpr DWORD CHP_NUMBERED_PAIRS = 0x2;  // "1. 123 2. 456" (collection members) is tried first
// The text as a document stores it: kept to be written back while the choices stay as read, and
// RTF texts tidied only when first asked for (a list of questions never shows them).
constexpr DWORD CHP_STORED = 0x4;

// Output flags of GetText, OutputToRichEdit and Measure.
constexpr DWORD CHO_RTF = 0x1;               // RTF (GetText); the layout below applies (rich edit)
constexpr DWORD CHO_HTML = 0x2;              // with CHO_RTF: the HTML table
constexpr DWORD CHO_TAB_INDENT = 0x8;        // with CHO_RTF: a tab instead of indent blanks
constexpr DWORD CHO_ONE_PER_LINE = 0x10;     // with CHO_RTF: each choice on a line of its own
constexpr DWORD CHO_QUESTION_LAYOUT = 0x20;  // set by the question layouts; no effect here
constexpr DWORD CHO_TAB_SEPARATOR = 0x40;    // with CHO_RTF: a tab between label and text
constexpr DWORD CHO_NONBREAKING = 0x80;      // with CHO_RTF and CHO_PRINT_LAYOUT: blanks never break
constexpr DWORD CHO_NO_INDENT = 0x100;       // no indent before the labels
constexpr DWORD CHO_LABEL_TEXT_FONT = 0x200; // labels in the choices' font, not the label font
constexpr DWORD CHO_PRINT_LAYOUT = 0x400;    // laid out for printing

// What the HTML form of the choices takes from the HTML settings.
class CHtmlSettings;

struct CChoicesHtmlStyle {
    BOOL bBorders = FALSE;
    // The cell before each label: 0 none, 1 a check box, 2 a radio button, 3 the label as a link.
    int nChoiceTagType = 0;
    // Names the form elements (its question id is the question's); none: unnamed elements.
    CHtmlSettings* pSettings = nullptr;
};

// The style the HTML form settings give the choices: their border, element kind and names.
CChoicesHtmlStyle ChoicesHtmlStyleOf(CHtmlSettings& settings);

class CChoices {
public:
    // The header put before a choice text to make it a whole RTF document.
    static const char* const kDefaultRtfHeader;

    // Empty choices; a given text is parsed with SetChoices(text, '*', '*').
    explicit CChoices(LPCSTR text = nullptr);
    CChoices(const CChoices& other);
    CChoices& operator=(const CChoices& other);
    virtual ~CChoices() = default;

    // Empties the RTF kept from the last output into a rich-edit control.
    virtual void ClearCache() { m_csCache.Empty(); }
    // Runs before (bBefore) and after every change of labels or texts; nothing here.
    virtual void OnChange(BOOL bBefore) {}
    // Called by the question's dump; nothing here.
    virtual void DumpToLog(int nLevel) const {}

    // Empties labels, texts and offsets, clears m_bError, restores the default header.
    void RemoveAll();
    // Appends a choice (label and text trimmed); an empty label or text is logged and refused.
    // With pBase the four pointers into the parsed text give the offsets kept for the choice.
    BOOL Add(LPCSTR label, LPCSTR text, LPCSTR pBase = nullptr, LPCSTR pLabelStart = nullptr,
             LPCSTR pLabelEnd = nullptr, LPCSTR pTextStart = nullptr, LPCSTR pTextEnd = nullptr);
    // Replaces label and text of choice i (trimmed); an index beyond the count is ignored.
    BOOL SetChoice(int i, LPCSTR label, LPCSTR text);
    BOOL IsEmpty() const { return m_saLabels.IsEmpty(); }
    int GetCount() const { return m_saLabels.GetSize(); }
    // Label i; empty outside the range.
    CString GetChoiceId(int i) const;
    // Text i; with bPlain an RTF fragment comes as its plain text. Empty outside the range.
    CString GetChoiceText(int i, BOOL bPlain = FALSE) const;
    // The first label the answer names (left-trimmed, case ignored; a number names the label of
    // that number); -1 when none.
    int FindLabel(LPCSTR answer) const;
    // Labels become c, c + 1, ... with "."; c other than 'a' or 'A' is taken as 'a'. More than
    // 26 choices keep their labels (logged, FALSE).
    BOOL Relabel(char c);

    // Parses a choices text. cFirstLabel and cSeparator '*': taken from the text. Flags CHP_*.
    // On failure everything is emptied and pError (when given) says why.
    BOOL SetChoices(LPCSTR text, char cFirstLabel = '*', char cSeparator = '*', CChoicesError* pError = nullptr,
                    DWORD dwFlags = 0);
    // The text the choices were parsed from with CHP_STORED, while nothing has changed them since.
    BOOL GetStoredText(CString& out) const;
    // The texts and the header, each text a body fragment after the header.
    const CStringArray& GetTexts() const;
    const CString& GetRtfHeader() const;
    // Checks a text a user typed; TRUE when acceptable (an empty text is).
    static BOOL ValidateChoices(LPCSTR text, CChoicesError* pError);
    // Locates the run of labelled choices in a text: 0 none (fewer than two labels), 1 found
    // (*pnStart the offset of the first label), 2 labels out of sequence (pError filled).
    static int FindChoicesInRtf(LPCSTR text, int* pnStart, CChoicesError* pError, char cLabel, char cSeparator,
                                int* pnCount = nullptr);
    // The label style: a letter or digit with '.' or ')' given in cLabel and cSeparator stands;
    // otherwise both come from the start of the text (RTF read as its plain text). FALSE when
    // the text does not begin with a label.
    static BOOL RecogniseLabelStyle(LPCSTR text, char& cLabel, char& cSeparator);

    // The choices as text: CHO_RTF | CHO_HTML the HTML table (its markup marked, its labels and
    // texts plain: platform/core/HtmlMarkup.h), CHO_RTF an RTF document that
    // SetChoices reads back, otherwise plain text wrapped at nWidth (<= 0: no wrapping).
    // pszCorrect names the correct label (marked with "*" in HTML).
    void GetText(CString& out, int nWidth, DWORD dwFlags, LPCSTR pszCorrect = nullptr,
                 const CChoicesHtmlStyle* pHtml = nullptr) const;
    // The rich-edit operations and Measure (which lays the choices out in a hidden control) run
    // on the user-interface thread only.
    //
    // Appends the choices as RTF at the end of a rich-edit control, indented as the record says;
    // with its cached choices the RTF of the last output. CHO_HTML: the HTML table, its markup
    // as markup runs, never from the cache, which holds RTF.
    void OutputToRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, DWORD dwFlags, LPCSTR pszCorrect = nullptr,
                          const CChoicesHtmlStyle* pHtml = nullptr);
    // Paragraph indent and tab stops (twips) of the range [nStart, nEnd) of a control.
    void SetIndents(CHVRichEditCtrl& ctrl, int nFirstIndent, int nHangingIndent, long nStart, long nEnd);
    // Puts each choice of the control's text on a line of its own.
    void FixLineStarts(CHVRichEditCtrl& ctrl);
    // Parses the control's text and writes the choices back into it.
    void ReformatRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, DWORD dwFlags);

    // The height (logical units) of the choices laid out as RTF (OutputToRichEdit with dwFlags)
    // into the rectangle on the record's device context; drawn when bDraw. The rectangle's
    // bottom becomes the end.
    int Measure(const CDrawContext& ctx, CRect& rect, DWORD dwFlags, BOOL bDraw, LPCSTR pszCorrect = nullptr,
                BOOL bFixLines = FALSE);
    // The height of the choices laid out label by label from (nLeft, nTop) across nWidth on the
    // record's device context; drawn when bDraw.
    int Draw(const CDrawContext& ctx, int nLeft, int nTop, int nWidth, BOOL bDraw, LPCSTR pszCorrect = nullptr);

    // Settings. Blanks between a label and its text, and indent of the labels, both in average
    // character widths (blanks or empty cells in text and HTML), each kept within 0..80; the
    // documents load them from their profile sections ("NumChoiceSepSpaces",
    // "ChoicesIndentLevel"), the values in force serving as defaults.
    static void LoadPrintValues(LPCSTR section);
    static int GetNumChoiceSepSpaces();
    static void SetNumChoiceSepSpaces(int n);
    static int GetChoicesIndentLevel();
    static void SetChoicesIndentLevel(int n);
    // The indent a record lays the choices out with: its own, else the setting.
    static int IndentLevelFor(const CDrawContext& ctx);
    // The label case of the choices format ("Choices"/"Case": 0 'a', 1 'A').
    static char GetProfileCase();
    static void SetProfileCase(char c);

    CStringArray m_saLabels;
    // The texts and the header of RTF choices parsed with CHP_STORED are tidied when first asked
    // for: read them through GetChoiceText, GetTexts and GetRtfHeader.
    CStringArray m_saTexts;
    BOOL m_bError = FALSE;
    CString m_csSource;
    CString m_csRtfHeader;
    CString m_csCache;
    char m_cFirstLabel = 'a';
    CDWordArray m_dwaLabelStart;
    CDWordArray m_dwaLabelEnd;
    CDWordArray m_dwaTextStart;
    CDWordArray m_dwaTextEnd;

private:
    // Finishes what a CHP_STORED parse left: the choices read the same before and after.
    void EnsureTidy() const;
    // Forgets the stored text: the choices no longer stand as read.
    void Changed();

    BOOL m_bTidyPending = FALSE;
    BOOL m_bStored = FALSE;
    CString m_csStored;

    BOOL ParsePlain(LPCSTR text, char cLabel, char cSeparator, DWORD dwFlags);
    BOOL ParseNumberedPairs(LPCSTR text);
    void TidyRtfChoices();
    CString LabelPiece(int i, DWORD dwFlags, LPCSTR pszCorrect, LPCSTR prefix) const;
    void GetPlainText(CString& out, int nWidth) const;
    void GetRtfText(CString& out) const;
    void GetHtmlText(CString& out, DWORD dwFlags, LPCSTR pszCorrect, const CChoicesHtmlStyle* pHtml) const;
};

// Breaks a text into lines of at most nWidth characters at white space, lineEnd after each
// line (the last included); an empty text gives lineEnd alone.
CString WrapText(LPCSTR text, int nWidth, LPCSTR lineEnd);
