#pragma once
// The program's rich-edit control, through which question text, choices, answers, instructions
// and source documents pass into and out of the system as RTF; and CInfoRichEdit, the read-only
// information pane of dialogs and wizard pages.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/ui/RichEditCtrl.h"

#include <utility>
#include <vector>

class CDC;
class CDataExchange;
class CHVRichEditCtrl;
class QMenu;

// SetText's extra flag (also a control flag): take every "\fprq3" out of text put in.
constexpr DWORD HVRE_REMOVE_FPRQ3 = 0x800;

// The RTF engine's text operations the control normalises text with (the engine's font-table
// repair, default header, plain-text extraction and echo); tests may put others in their place.
class IRtfTextOps {
public:
    virtual ~IRtfTextOps() = default;
    // Every "\fprq3" after the first becomes "\fprq2"; FALSE when the text is not RTF.
    virtual BOOL RepairFontPitch(CString& rtf) = 0;
    virtual CString MakeDefaultHeader() = 0;
    virtual CString ToPlainText(LPCSTR rtf) = 0;
    // Rewrites rtf so that its text follows the document font of the slot; FALSE leaves pOut.
    virtual BOOL Echo(CString& rtf, int nSlot, CString* pOut) = 0;
};
CServiceSlot<IRtfTextOps>& RtfTextOpsSlot();
IRtfTextOps& RtfTextOps();
// The engine's own operations, the slot's default.
IRtfTextOps& EngineRtfTextOps();

// The floating editing toolbar (built with its own window later), as the control uses it.
class IFloatEditToolbar {
public:
    virtual ~IFloatEditToolbar() = default;
    // Attaches the control (caption, refresh of the boxes); NULL detaches.
    virtual void Attach(CHVRichEditCtrl* pCtrl) = 0;
    virtual CHVRichEditCtrl* GetAttached() const = 0;
    virtual void Show(BOOL bShow) = 0;
    virtual BOOL IsVisible() const = 0;
    virtual void Refresh() = 0;
    virtual CSize GetSize() const = 0;
    // Moves the window's top left to a screen position.
    virtual void MoveTo(int x, int y) = 0;
    // The control's selection changed (the toolbar refreshes itself when its event loop comes to it).
    virtual void OnSelectionChanged(CHVRichEditCtrl* pCtrl) = 0;
    // The idle update of the toolbar's buttons.
    virtual void OnIdleUpdate() = 0;
    // The window the toolbar was made a child of (NULL for the topmost shared one).
    virtual QWidget* GetOwnerWidget() const = 0;
};
// Makes floating toolbars; until the toolbar's maker is installed, none.
class IFloatToolbarFactory {
public:
    virtual ~IFloatToolbarFactory() = default;
    // A child of pOwner for a control in a modal dialog, or, with pOwner NULL, the topmost one
    // the whole program shares; the caller owns it. NULL when none can be made.
    virtual IFloatEditToolbar* Create(QWidget* pOwner) = 0;
};
CServiceSlot<IFloatToolbarFactory>& FloatToolbarFactorySlot();
// The shared toolbar, NULL until first used.
IFloatEditToolbar* GetSharedFloatToolbar();
// Deletes the shared toolbar (at exit, and between tests).
void DestroySharedFloatToolbar();

// Character ranges [first, one past the last) of a text.
using CRangeVector = std::vector<std::pair<int, int>>;

// What the question-number parser needs to know of the choices in the text: a line that starts
// with the expected choice label is a choice, not a numbered question. AutoConvert fills it from
// its settings.
struct CChoiceLabelRule {
    BOOL bChoices = FALSE;   // the questions have choices
    char chFirstLabel = 'a'; // label of a question's first choice: 'a', 'A' or '1'
    char chTerminator = '.'; // ends each choice label: '.' or ')'
};

// The question-identifier parsers of AutoConvert (built with AutoConvert), as the control calls
// them: they blank what they find in the text and record where it was.
class IIdentifierParser {
public:
    virtual ~IIdentifierParser() = default;
    // Runs of the terminator at line ends.
    virtual void FindLineEndTerms(CString& text, char chTerm, CRangeVector& ranges) = 0;
    // Question numbers at line starts made of numChars and ended by one of terms.
    virtual void FindQuestionIds(CString& text, LPCSTR terms, LPCSTR numChars, CRangeVector& ranges,
                                 const CChoiceLabelRule* pLabels) = 0;
};
// Until AutoConvert installs its parsers, they find nothing.
CServiceSlot<IIdentifierParser>& IdentifierParserSlot();

// The font chooser of the Font command (screen fonts and effects): starts from lf and returns
// TRUE with the choice in lf. Until the platform's is installed (InstallHVRichEditServices), it
// chooses nothing.
class IFontChooser {
public:
    virtual ~IFontChooser() = default;
    // pszCaption (when not NULL or empty) titles the chooser.
    virtual BOOL ChooseFont(LOGFONT& lf, QWidget* pParent, LPCSTR pszCaption) = 0;
};
CServiceSlot<IFontChooser>& FontChooserSlot();
// The chooser as text uses it: a symbol face would turn the text into symbols, so it is refused
// with the program's message and the chooser opens again. FALSE when the user cancels.
BOOL ChooseTextFont(LOGFONT& lf, QWidget* pParent, LPCSTR pszCaption = nullptr);
// Installs the platform's font chooser; the program does at start-up.
void InstallHVRichEditServices();

class CHVRichEditCtrl : public CRichEditCtrl {
public:
    explicit CHVRichEditCtrl(QWidget* parent = nullptr);
    ~CHVRichEditCtrl() override;

    // Text in and out. SetText normalises (see the source) and streams in; returns 0.
    int SetText(LPCSTR text, UINT nFlags, int nSlot = -1, DWORD dwExtraFlags = 0);
    // Streams the whole control (or with SFF_SELECTION the selection) out; with SF_TEXT every
    // character above 127 becomes "@" (one for one, so offsets stay positions). TRUE.
    BOOL StreamOutText(CString& out, UINT nFlags) const;
    int StreamInText(LPCSTR text, UINT nFlags);
    // Streams out as RTF and puts it back through SetText with the default slot, keeping the selection.
    void ReapplyText();
    // The dialog exchange: saving streams out, loading sets the text with slot -1.
    void Exchange(BOOL bSave, CString& text, UINT nFlags);
    // Message 0x8258: copies the text in LOWORD(wParam)'s format into the buffer lParam of
    // HIWORD(wParam) bytes, always terminated; 1, or 0 (logged) without a usable buffer.
    LRESULT OnGetTextMsg(WPARAM wParam, LPARAM lParam);
    // The same as a typed call.
    BOOL GetTextMsg(UINT nFormat, CString& out) const;

    // Fields kept for the owner.
    void SetContextMenu(BOOL bEnable) { m_bContextMenu = bEnable; }
    void SetKeptText(LPCSTR text) { m_csText = text; }
    const CString& GetKeptText() const { return m_csText; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetFlags() const { return m_dwFlags; }

    // Fonts.
    void SetDefaultFontSlot(int nSlot);
    int GetDefaultFontSlot() const { return m_nDefFontSlot; }
    // bApply FALSE: back to the saved format; TRUE: the default slot's font with dwMask.
    void SetSelectionFontSlot(BOOL bApply, DWORD dwMask);
    BOOL IsSelectionDefaultFont() const;
    // Keeps the selection's format (before a symbol replaces it).
    void SaveSelectionFormat();
    const CHARFORMAT2& GetSavedSelectionFormat() const { return m_cfSelSaved; }
    const CHARFORMAT2& GetSavedFormat() const { return m_cfSaved; }

    // Commands.
    // Each is turned on unless the whole selection has it, with its protection marks.
    void OnBold() { ToggleEffect(CFM_BOLD, CFE_BOLD, CFM_SHADOW); }
    void OnItalic() { ToggleEffect(CFM_ITALIC, CFE_ITALIC, CFM_SHADOW); }
    void OnUnderline() { ToggleEffect(CFM_UNDERLINE, CFE_UNDERLINE, CFM_SHADOW); }
    void OnSuperscript() { ToggleEffect(CFM_SUPERSCRIPT, CFE_SUPERSCRIPT, CFM_SHADOW | CFM_EMBOSS); }
    void OnSubscript() { ToggleEffect(CFM_SUBSCRIPT, CFE_SUBSCRIPT, CFM_SHADOW | CFM_EMBOSS); }
    void OnDefaultFont();
    void OnChangeFont();
    void OnEditCommand(UINT nID);
    // Runs a command of the control by id; FALSE when it is not one of its own.
    BOOL RunCommand(UINT nID);

    void SetFontSize(int nPoints);
    // The selection's font; returns the mask of what is the same over the selection.
    DWORD GetSelectionLogFont(LOGFONT& lf) const;
    void SetSelectionLogFont(const LOGFONT& lf, DWORD dwMask);
    // Whether the selection has the effect (with bWhole: all of it).
    BOOL IsSelectionEffect(DWORD dwMask, DWORD dwEffect, BOOL bWhole) const;
    void SetRangeDefaultFormat(long nStart, long nEnd);
    void SetParagraphTabs(int nTabWidth, long nStart, long nEnd);
    void SetParagraphTabs(int nCount, const LONG* pTabs, int nHanging, long nStart, long nEnd);
    // Start, right and hanging indents 0 and left alignment for the whole text.
    void SetParagraphIndents();

    // Whether the selection (or the insertion point) holds a character in a symbol font.
    BOOL SelectionHasSymbol() const;

    // Floating toolbar (command 33094, message 0x8136).
    void ShowFloatToolbar();
    IFloatEditToolbar* GetOwnFloatToolbar() const { return m_pFloatTB; }

    // Export and AutoConvert services.
    // One header or footer line at the end; returns the height added (control pixels).
    int InsertHeaderFooterLine(LPCSTR left, int nLeft, LPCSTR centre, int nCentre, LPCSTR right, int nRight,
                               CDC* pDC, const CRect& rcPage, BOOL bUnderline, int* pTab1 = nullptr,
                               int* pTab2 = nullptr);
    // Appends the fill text until the line would wrap, then "\n\n"; returns the lines the end moved by.
    int FillLine(LPCSTR fill);
    // Shows the range [nStart, nEnd] (end inclusive) selected, scrolled to 10 lines below the top.
    void AutoConvert2(long nStart, long nEnd, BOOL bScroll);
    // Deletes what the AutoConvert parsers find, returning how many ranges went: terminators at
    // line ends, or question numbers. Two passes, so a caller can run either alone.
    int RemoveIdentifiers(char chTerm = '.');
    int RemoveIdentifiers(LPCSTR terms, LPCSTR numChars, const CChoiceLabelRule* pLabels);
    // Deletes ranges from the last to the first with the selection hidden, then restores it.
    void DeleteRanges(const CRangeVector& ranges);
    // Leading white space of every line is deleted, pass after pass until nothing goes; FALSE
    // when the text did not settle within its bound of passes.
    BOOL TrimLineStarts();

    // The right-button menu (NULL unless enabled); the caller owns it.
    QMenu* BuildContextMenu();

    // Also forwards the idle update to the control's own toolbar when both share a parent.
    void OnIdleUpdateCmdUI() override;

protected:
    // Messages 0x8258 (text into a buffer) and 0x8136 (show the editing toolbar).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Called after text was streamed in; nothing here.
    virtual void OnTextStreamedIn() {}

    void OnSelChange() override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void ToggleEffect(DWORD dwMask, DWORD dwEffect, DWORD dwMarks);
    BOOL InModalDialog() const;

    BOOL m_bContextMenu = FALSE;
    CString m_csText;
    int m_nDefFontSlot = 0;
    DWORD m_dwFlags = 0;
    CHARFORMAT2 m_cfSaved;
    IFloatEditToolbar* m_pFloatTB = nullptr;
    BOOL m_bInMenuLoop = FALSE;
    CHARFORMAT2 m_cfSelSaved;
};

// The dialog exchange of a CHVRichEditCtrl registered under nIDC (nothing for another control).
void DDX_HVRichText(CDataExchange* pDX, int nIDC, CString& value, UINT nFormat = SF_RTF);

// The read-only information pane of dialogs and wizard pages: bold coloured text of one size.
class CInfoRichEdit : public CRichEditCtrl {
public:
    explicit CInfoRichEdit(QWidget* parent = nullptr);

    // Bold text of the level's size (240, 200, 160, 120 twips) in crText, in the face of the
    // window; the background; the text of nStringId when not 0; read-only; on the dialog face
    // colour a frameless label that takes no focus.
    void Init(int nSizeLevel, COLORREF crText, UINT nStringId, COLORREF crBackground);
    // The same with a size in points and without bold.
    void InitPoints(int nPoints, COLORREF crText, UINT nStringId, COLORREF crBackground);
    // Appends text in the default format with the colour and, unless -1, the size.
    void Append(LPCSTR text, int nPoints, COLORREF crText);
    void SetTextId(UINT nStringId);
    void SetPaneText(LPCSTR text);
    // The size of the text to come, in points.
    void SetPointSize(int nPoints);
    // As high as the text needs at the pane's width, up to nMaxHeight pixels; a longer text
    // scrolls.
    void FitHeightToText(int nMaxHeight);

    COLORREF GetTextColor() const { return m_crText; }
    int GetSizeLevel() const { return m_nSizeLevel; }

private:
    void InitFormat(LONG yHeight, BOOL bBold, COLORREF crText, UINT nStringId, COLORREF crBackground);

    COLORREF m_crText = 0x742A1C;
    int m_nSizeLevel = 0;
};

// Export: every "\embo" and "\shad" mark of the control is taken out or renamed, so that other
// programs reading the RTF skip them.
void ProtectRtfEffects(CString& rtf);
// The text without its "\par" words ("\pard" and "\parasid" stay).
CString RemoveRtfParagraphs(LPCSTR text);
