#pragma once
// The rich-edit control over QTextEdit, with the operations the system's code calls on a rich
// edit: streaming plain text and RTF in and out (whole text or selection), character and
// paragraph formats by mask, selection, lines, scrolling, limits and the modified flag.
//
// Positions count one per character and one per paragraph mark, as the control's own text
// does; plain text streamed out writes each line break as one "\n", so a position found in
// that text is the same position in the control.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/Wnd.h"

#include <QTextCharFormat>
#include <QTextEdit>

#include <functional>

// Character format masks (which fields count) and effects (the on/off values).
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_PROTECTED = 0x00000010;
constexpr DWORD CFM_LINK = 0x00000020;
constexpr DWORD CFM_SHADOW = 0x00000400;
constexpr DWORD CFM_EMBOSS = 0x00000800;
constexpr DWORD CFM_SUBSCRIPT = 0x00030000;  // one mask for both
constexpr DWORD CFM_SUPERSCRIPT = 0x00030000;
constexpr DWORD CFM_WEIGHT = 0x00400000;
constexpr DWORD CFM_BACKCOLOR = 0x04000000;
constexpr DWORD CFM_CHARSET = 0x08000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;

constexpr DWORD CFE_BOLD = CFM_BOLD;
constexpr DWORD CFE_ITALIC = CFM_ITALIC;
constexpr DWORD CFE_UNDERLINE = CFM_UNDERLINE;
constexpr DWORD CFE_STRIKEOUT = CFM_STRIKEOUT;
constexpr DWORD CFE_PROTECTED = CFM_PROTECTED;
constexpr DWORD CFE_SHADOW = CFM_SHADOW;
constexpr DWORD CFE_EMBOSS = CFM_EMBOSS;
constexpr DWORD CFE_SUBSCRIPT = 0x00010000;
constexpr DWORD CFE_SUPERSCRIPT = 0x00020000;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

// What this control reads and sets.
constexpr DWORD CFM_ALL_KNOWN = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SHADOW |
                                CFM_EMBOSS | CFM_SUPERSCRIPT | CFM_CHARSET | CFM_FACE | CFM_COLOR | CFM_SIZE;

// A character format. yHeight is in twips; szFaceName is Windows-1252.
struct CHARFORMAT {
    UINT cbSize = 60;
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0;
    LONG yOffset = 0;
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    char szFaceName[LF_FACESIZE] = {};
};

// The extended record; the fields after those of CHARFORMAT are carried but not used here.
struct CHARFORMAT2 : CHARFORMAT {
    CHARFORMAT2() { cbSize = 84; }
    WORD wWeight = 0;
    SHORT sSpacing = 0;
    COLORREF crBackColor = 0;
    DWORD lcid = 0;
    DWORD dwReserved = 0;
    SHORT sStyle = 0;
    WORD wKerning = 0;
    BYTE bUnderlineType = 0;
    BYTE bAnimation = 0;
    BYTE bRevAuthor = 0;
};

void SetCharFormatFaceName(CHARFORMAT& cf, const char* face);

// Paragraph format masks, alignments and the record. Indents and tab stops are in twips:
// dxStartIndent is the first line's indent, dxOffset that of the other lines relative to it.
constexpr DWORD PFM_STARTINDENT = 0x00000001;
constexpr DWORD PFM_RIGHTINDENT = 0x00000002;
constexpr DWORD PFM_OFFSET = 0x00000004;
constexpr DWORD PFM_ALIGNMENT = 0x00000008;
constexpr DWORD PFM_TABSTOPS = 0x00000010;
constexpr DWORD PFM_NUMBERING = 0x00000020;
constexpr DWORD PFM_OFFSETINDENT = 0x80000000;  // dxStartIndent is added to the current one

constexpr WORD PFA_LEFT = 1;
constexpr WORD PFA_RIGHT = 2;
constexpr WORD PFA_CENTER = 3;
constexpr WORD PFA_JUSTIFY = 4;

constexpr int MAX_TAB_STOPS = 32;

struct PARAFORMAT {
    UINT cbSize = 156;
    DWORD dwMask = 0;
    WORD wNumbering = 0;
    WORD wReserved = 0;
    LONG dxStartIndent = 0;
    LONG dxRightIndent = 0;
    LONG dxOffset = 0;
    WORD wAlignment = PFA_LEFT;
    SHORT cTabCount = 0;
    LONG rgxTabs[MAX_TAB_STOPS] = {};
};

// Stream formats.
constexpr UINT SF_TEXT = 0x0001;
constexpr UINT SF_RTF = 0x0002;
constexpr UINT SFF_SELECTION = 0x8000;

// Which notifications the control gives its owner.
constexpr DWORD ENM_NONE = 0;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;

// The notification that tells the owner the size the content needs; the extra is a REQRESIZE.
constexpr UINT EN_REQUESTRESIZE = 0x1F0;
struct REQRESIZE {
    RECT rc;
};

// The rich-text clipboard format of the control.
inline constexpr char CF_RTF_MIME[] = "text/rtf";

// The owner hears of changes, selection changes, focus and resize requests through
// NotifyParent (EN_CHANGE, EN_SELCHANGE, EN_SETFOCUS, EN_KILLFOCUS, EN_REQUESTRESIZE).
class CRichEditCtrl : public QTextEdit, public CWnd {
public:
    explicit CRichEditCtrl(QWidget* parent = nullptr);
    ~CRichEditCtrl() override;

    // Streams. StreamIn replaces the whole text (the modified flag and undo are reset) or,
    // with SFF_SELECTION, the selection; SF_RTF text that is not RTF goes in as plain text.
    // Returns the number of characters put in.
    long StreamIn(UINT nFormat, const CString& text);
    CString StreamOut(UINT nFormat) const;

    // Character formats. The Get calls fill every field and return the mask of those that are
    // the same over the whole selection (for an empty selection, those of the insertion point).
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetSelectionCharFormat(const CHARFORMAT& cf);
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    BOOL SetDefaultCharFormat(const CHARFORMAT& cf);
    // The default format as a text format (what plain text and RTF that leaves things unsaid get).
    const QTextCharFormat& DefaultTextFormat() const { return m_defaultFormat; }

    // Paragraph formats of the selection's paragraphs; Get returns the mask of the fields that
    // are the same over all of them.
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    BOOL SetParaFormat(const PARAFORMAT& pf);

    // Selection. nEnd -1 (or past the end) means the end of the text; nStart -1 removes the
    // selection and leaves the caret at its end.
    void SetSel(long nStart, long nEnd);
    void GetSel(long& nStart, long& nEnd) const;
    CString GetSelText() const;
    void ReplaceSel(const char* text, BOOL bCanUndo = FALSE);
    // While hidden the selection is not drawn (bPerm is accepted for the callers' sake).
    void HideSelection(BOOL bHide, BOOL bPerm = FALSE);
    BOOL IsSelectionHidden() const { return m_bSelHidden; }

    // Text.
    long GetTextLength() const;
    CString GetText() const;  // plain, lines ended by "\n"
    void SetText(const char* text);  // RTF when it is RTF, else plain; resets the modified flag
    // The window text is the plain text; setting it takes RTF as RTF.
    CString GetWindowText() const override { return GetText(); }
    void SetWindowText(const char* text) override { SetText(text); }

    // Lines are the lines as laid out (wrapped) at the control's width.
    int GetLineCount() const;
    // The line of a character (-1: of the selection's start).
    int LineFromChar(long nIndex) const;
    // The first character of a line (-1: of the caret's line); -1 for a line that is not there.
    int LineIndex(int nLine = -1) const;
    // The length of the line holding character nIndex (-1: the selection's lines less the selection).
    int LineLength(int nIndex = -1) const;
    // The text of a line, without its break.
    CString GetLine(int nLine) const;
    // The same into a buffer of nMaxLength bytes, always terminated; returns the bytes copied.
    int GetLine(int nLine, LPSTR lpszBuffer, int nMaxLength) const;
    void LineScroll(int nLines, int nChars = 0);
    int GetFirstVisibleLine() const;
    // The client position of a character's top left, and the character nearest a point.
    CPoint PosFromChar(long nChar) const;
    long CharFromPos(const CPoint& pt) const;

    // Limit of what the user may type or paste (text put in by the program is never cut).
    void LimitText(long nChars = 0);
    long GetLimitText() const { return m_nLimit; }

    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL CanPaste(UINT nFormat = 0) const;
    BOOL CanUndo() const;
    void EmptyUndoBuffer();
    // Edit commands.
    void Undo() { undo(); }
    void Cut() { cut(); }
    void Copy() const;
    void Paste() { paste(); }
    void Clear();  // deletes the selection
    void SelectAll() { SetSel(0, -1); }

    void SetReadOnly(BOOL bReadOnly = TRUE) { setReadOnly(bReadOnly); }
    BOOL IsReadOnly() const { return isReadOnly(); }
    // Returns the previous colour; bSysColor goes back to the system's window colour.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);

    DWORD SetEventMask(DWORD dwMask);
    DWORD GetEventMask() const { return m_dwEventMask; }
    // Tells the owner the size the content needs (the width stays, the height is the content's).
    void RequestResize();

    // Conversions between the record and the text format (only the masked fields are set).
    static QTextCharFormat CharFormatToText(const CHARFORMAT& cf);
    static void TextToCharFormat(const QTextCharFormat& fmt, CHARFORMAT& cf);

protected:
    // Notifications, called after the fact (and before the owner hears of them); the default
    // does nothing.
    virtual void OnSelChange() {}
    virtual void OnChange() {}
    virtual void OnRequestResize(const CRect& rcRequested) {}

    // Lays the text out at the control's current width (also while it is hidden).
    void EnsureLayout() const;
    // The line records of the laid-out text.
    struct LineInfo {
        int start;   // first character
        int length;  // characters, without the break
        double top;  // document coordinates
    };
    std::vector<LineInfo> Lines() const;

    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    QTextCursor RangeCursor(UINT nFormat) const;
    void ApplyDefaultToEmpty();

    QTextCharFormat m_defaultFormat;
    long m_nLimit = 32767;
    BOOL m_bSelHidden = FALSE;
    DWORD m_dwEventMask = 0;
    QPalette m_savedPalette;
    bool m_bPaletteSaved = false;
};
