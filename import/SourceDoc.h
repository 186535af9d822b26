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

class CSourceDoc : public CDocument {
public:
    CSourceDoc() = default;
    ~CSourceDoc() override = default;

    // The text the document shows (what the wizard converts when the source is this document).
    virtual BOOL GetEditText(CString& out) const
    {
        out = m_csText;
        return !m_csText.IsEmpty();
    }
    CString m_csText;

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
