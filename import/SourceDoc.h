#pragma once
// The source document: a teacher's own text (plain, RTF, or a word processor's file converted
// to RTF) and AutoConvert, which cuts such a text into questions of a Question Corra document.

#include "import/SourceMgr.h"
#include "platform/core/String.h"
#include "platform/ui/Document.h"

class CAQFConvertSettings;
class CChoicesError;
class CCorraDoc;
class CHVRichEditCtrl;

// Results of the syntax passes.
constexpr int AQF_SYNTAX_OK = 0;
constexpr int AQF_SYNTAX_OUT_OF_SEQUENCE = 2;
constexpr int AQF_SYNTAX_NO_QUESTION = 3;
constexpr int AQF_SYNTAX_EMPTY = -1;

// What AutoConvert2 found no question in.
constexpr int AQF_CONVERT_NONE_FOUND = 2;

// The main window's task that starts AutoConvert on a source document (WM_APP + 92): wParam the
// document's serial, lParam the document.
constexpr UINT kSourceAutoConvertTask = 0x805C;

class CSourceView;

class CSourceDoc : public CDocument {
public:
    CSourceDoc();
    // The temporary RTF of a converted word processor file goes with the document.
    ~CSourceDoc() override;

    // The text the document shows (what the wizard converts when the source is this document):
    // the view's text as RTF while a view shows it, else the text read from the file.
    virtual BOOL GetEditText(CString& out) const;
    // Lines of the shown text as plain text (the file list's count).
    int GetLineCount() const;
    // The first view showing the document, or NULL.
    CSourceView* GetSourceView() const;
    // "&Auto Convert...": asks the main window to start AutoConvert on this document.
    void OnAutoConvert();

    // Nothing writes over the source: Save is Save As, and Save As writes the shown text as RTF
    // to another file, the document staying on its source.
    BOOL DoFileSave() override { return DoSave(nullptr, FALSE); }
    BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE) override;

    // The file's text: read whole, every NUL byte a blank.
    CString m_csText;
    // The RTF made from a Word or WordPerfect file (empty otherwise).
    CString m_csTempRtf;
    // Picked from the text by the view; kept in memory only.
    CString m_csTitle;
    CString m_csDescription;

protected:
    BOOL ReadFromFile(LPCSTR lpszPathName) override;
    void ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving) override;
    BOOL WriteToFile(LPCSTR lpszPathName) override;

private:
    BOOL m_bConversionFailed = FALSE;

public:
    // Converts the text shown in pCtrl into questions of pDoc; with pDoc NULL only checks it (the
    // dry run). 0 done (dry run: something to convert), 1 nothing to convert or an error already
    // shown to the user, 2 no question found.
    static int AutoConvert2(CHVRichEditCtrl* pCtrl, CCorraDoc* pDoc, CAQFConvertSettings* pSettings);
    // The same on a plain text; shows nothing. 0 done (also without a document, or cancelled),
    // 1 the syntax pass failed or a choices block was missing or refused, 3 choices without
    // question text, 2 no question found.
    static int _AutoConvert2(LPCSTR text, CCorraDoc* pDoc, CAQFConvertSettings* pSettings);
    // Cuts text into ranges: with choices, pairs of question text and choices block. start and end
    // are the paragraph in hand when the pass stopped; pTrailing (when given) gets the question text
    // left at the end without choices (nFirst -1 when none).
    static int _SyntaxPass(LPCSTR text, CTextRangeVector& ranges, int& start, int& end, CChoicesError& error,
                           CAQFConvertSettings* pSettings, TextRange* pTrailing = nullptr);
    static int _SyntaxPassNoChoices(LPCSTR text, CTextRangeVector& ranges, int& start, int& end,
                                    CChoicesError& error, CAQFConvertSettings* pSettings);
    // Adds a question per range (pair of ranges with choices) of the text in pCtrl, in its formats.
    // 0 done or cancelled, 1 a choices block was missing or refused.
    static int _AddParaQuestions(CHVRichEditCtrl* pCtrl, const CTextRangeVector& ranges, CCorraDoc* pDoc,
                                 CAQFConvertSettings* pSettings);
};

// The conversion the Add Question Wizard runs at Finish: the RTF text loaded in pCtrl, or the plain
// text when pCtrl is NULL. TRUE when the questions were made.
BOOL AutoConvertText(CCorraDoc& target, const CString& text, CHVRichEditCtrl* pCtrl, CAQFConvertSettings& settings);
