#pragma once
// The scanners of a source text: paragraphs, question numbers at line starts and runs of a
// terminator at line ends. They keep no state between calls.

#include "controls/HVRichEditCtrl.h"
#include "foundation/Serial.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// A piece of the text: the offsets of its first and of its last character, both inclusive.
struct TextRange {
    int nFirst = 0;
    int nLast = 0;
};
template <>
struct CSerialFieldWidth<TextRange> {
    static constexpr size_t value = 4;
};
using CTextRangeVector = CVector<TextRange>;

// The next paragraph from pos: *ppFirst and *ppLast its first and last character, both NULL when
// none is left. A line break is CR LF, a lone CR or a lone LF. In line mode every line is a
// paragraph; otherwise a blank line (blanks only) ends one. Returns where the next call goes on.
LPCSTR GetNextParagraph(LPCSTR pos, LPCSTR* ppFirst, LPCSTR* ppLast, BOOL bLineMode);

// Question numbers at line starts, made of numChars and ended by one of terms (or by the line's
// end), are blanked in text and their ranges [first, one past the last) appended to pRanges.
// With choices on, lines that carry the next expected choice label are left alone. Returns the
// number found.
int RemoveQuestionIds(char* text, LPCSTR terms, LPCSTR numChars, CRangeVector* pRanges,
                      const CChoiceLabelRule* pLabels);
// Runs of two or more chTerm at line ends (blanks between them allowed: "......", ". . ."): the
// unbroken run at the start is blanked and [first, one past the last terminator) appended to
// pRanges. A lone terminator stays. Returns the number found.
int RemoveLineEndTerms(char* text, char chTerm, CRangeVector* pRanges);

// The scanners as the rich-edit control calls them.
class CSourceMgrParser : public IIdentifierParser {
public:
    void FindLineEndTerms(CString& text, char chTerm, CRangeVector& ranges) override;
    void FindQuestionIds(CString& text, LPCSTR terms, LPCSTR numChars, CRangeVector& ranges,
                         const CChoiceLabelRule* pLabels) override;
};
// Puts the scanners into IdentifierParserSlot(); the parser lives for the process.
void InstallSourceMgr();
