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
#include "platform/ui/CharFormat.h"
#include "platform/ui/Wnd.h"

#include <QTextCharFormat>
#include <QTextEdit>

#include <functional>

class QRegularExpression;

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
    // GetLine(LineFromChar(nIndex)) without counting the lines before it: a long text asks it of
    // its end over and over as it grows.
    CString GetLineOfChar(long nIndex) const;
    // The same into a buffer of nMaxLength bytes, always terminated; returns the bytes copied.
    int GetLine(int nLine, LPSTR lpszBuffer, int nMaxLength) const;
    void LineScroll(int nLines, int nChars = 0);
    int GetFirstVisibleLine() const;
    // The client position of a character's top left, and the character nearest a point.
    CPoint PosFromChar(long nChar) const;
    long CharFromPos(const CPoint& pt) const;

    // A long text put in by the program piece by piece: between these it is neither laid out
    // after every piece nor kept for undo, and nothing of its look is known (positions, lines
    // and sizes are empty). The end lays the whole text out once, as far as it is shown or asked.
    void BeginComposition();
    void EndComposition();
    BOOL IsComposing() const;

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

    // Lets the layout break a line after each match of place (a long file name at its separators)
    // by a zero-width space there. These break hints are shown only: the text streamed, copied or
    // read out leaves them out, so its offsets are no longer positions in the control. For panes
    // that show a text, not for text the user edits.
    void AllowBreaksAfter(const QRegularExpression& place);

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
    CString PlainOf(const QTextCursor& c) const;
    void ApplyDefaultToEmpty();

    QTextCharFormat m_defaultFormat;
    long m_nLimit = 32767;
    BOOL m_bSelHidden = FALSE;
    DWORD m_dwEventMask = 0;
    QPalette m_savedPalette;
    bool m_bPaletteSaved = false;
    bool m_bBreakHints = false;
    bool m_bComposing = false;
    bool m_bUndoBeforeComposition = true;
};
