#pragma once
// Our own RTF reader into a QTextDocument and writer from it (Qt has neither).
//
// The writer keeps to the subset the program's RTF engine reads: one header with a font table
// (family word, "\fprq", "\fcharset", face), an optional colour table, and a body of "\pard"
// paragraph words, incremental character words, "\par", "\line", "\tab", text in Windows-1252
// with "\'hh" above 127 and "\uN?" for what the code page lacks. It writes no line breaks, and
// every paragraph ends with "\par", the last one included; the reader takes a "\par" that only
// the closing brace follows as the document's own final mark, so reading what the writer wrote
// and writing it again gives the same bytes.

#include "platform/core/String.h"

#include <QTextFormat>

class QTextCursor;
class QTextDocument;

// Properties that QTextFormat has no field for, kept on the formats under these keys.
namespace rtfprop {
enum : int {
    // Character formats: the font's pitch-and-family byte and character set (ints), and the
    // shadow and emboss effects (bools, absent when off).
    PitchAndFamily = QTextFormat::UserProperty + 0x100,
    CharSet,
    Shadow,
    Emboss,
    // Block formats, in twips: RTF left indent ("\li", every line), first-line indent ("\fi",
    // relative to the left indent) and right indent ("\ri"); the tab stops as a QList<int> of
    // positions in twips with the alignment in bits 24-27 (0 left, 1 centre, 2 right, 3 decimal).
    LeftIndentTwips,
    FirstIndentTwips,
    RightIndentTwips,
    TabStopsTwips,
};
}

// Document units (pixels of the screen's logical resolution) per twip, and the conversions.
double RtfDocUnitsPerTwip();
double RtfTwipsToDoc(int twips);
int RtfDocToTwips(double units);

// Sets the RTF indents (twips) and tab stops of a block format, native fields included, so the
// layout shows them.
void RtfSetBlockIndents(QTextBlockFormat& fmt, int leftTwips, int firstTwips, int rightTwips);
void RtfSetBlockTabs(QTextBlockFormat& fmt, const QList<int>& tabs);

// Reads an RTF text into the document at the cursor, replacing the cursor's selection. `base`
// gives the face, pitch, character set and size for text whose font or size the RTF leaves
// unsaid. Malformed text (unbalanced braces, a truncated escape, deep nesting) is read as far
// as it goes; the result is FALSE only when the text is not RTF at all (no opening "{").
BOOL ReadRtf(const CString& rtf, QTextCursor& cursor, const QTextCharFormat& base);

// Writes the characters [start, end) of the document as RTF (end -1: to the end). A paragraph
// mark inside the range ends its paragraph with "\par"; a range that reaches the end of the
// text ends with the final "\par".
CString WriteRtf(const QTextDocument& doc, int start = 0, int end = -1);
