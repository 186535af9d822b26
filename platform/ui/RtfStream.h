#pragma once
// Our own RTF reader into a QTextDocument and writer from it (Qt has neither).
//
// The writer keeps to the subset the program's RTF engine reads: one header with a font table
// (family word, "\fprq", "\fcharset", face), an optional colour table, and a body of "\pard"
// paragraph words, incremental character words, "\par", "\line", "\tab", text in Windows-1252
// with "\'hh" above 127 and "\uN?" for what the code page lacks. It writes no line breaks, and
// every paragraph ends with "\par", the last one included; the reader takes a "\par" that only
// the closing brace follows as the document's own final mark when it reads a whole document (or
// appends at the end of one), so reading what the writer wrote and writing it again gives the
// same bytes. Read into the middle of other text, that mark ends the paragraph read.

#include "platform/core/String.h"

#include <QTextFormat>

class QString;
class QTextCharFormat;
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
    // Block formats: set (true) on a block that continues the paragraph before it after a line
    // break ("\line"). The two are one RTF paragraph with one set of properties; they are blocks
    // of their own because the layout measures tab stops from where a block's first line starts,
    // and the line after a break starts at the left indent, not where the paragraph's first does.
    LineBreakBlock,
    // Character formats: set (true) on a run of the program's HTML markup (platform/core/HtmlMarkup.h),
    // which only a plain text put in with SFF_HTML_MARKUP makes, never the reader.
    HtmlMarkup,
};
}

// Document units (pixels of the screen's logical resolution) per twip, and the conversions.
double RtfDocUnitsPerTwip();
double RtfTwipsToDoc(int twips);
int RtfDocToTwips(double units);

// The document's default tab stop in twips ("\deftab", 720 when unsaid): the layout steps by it
// right of a paragraph's last stop.
constexpr int RTF_DEFAULT_TAB_TWIPS = 720;
int RtfGetDefaultTab(const QTextDocument& doc);
void RtfSetDefaultTab(QTextDocument& doc, int twips);

// The paragraph properties RTF carries: alignment (0 left, 1 centre, 2 right, 3 justified), the
// indents in twips ("\li", "\fi" relative to it, "\ri") and the tab stops as kept under
// rtfprop::TabStopsTwips.
struct CRtfParaProps {
    int align = 0;
    int left = 0;
    int first = 0;
    int right = 0;
    QList<int> tabs;
    bool operator==(const CRtfParaProps& o) const
    {
        return align == o.align && left == o.left && first == o.first && right == o.right && tabs == o.tabs;
    }
};

// A block format's paragraph properties (the twips kept on it, else its native fields).
CRtfParaProps RtfGetParaProps(const QTextBlockFormat& fmt);
// Sets them on a block format, native fields included, so the layout shows them as RTF places
// them in a document whose default tab stop is nDefaultTab twips (on a block that continues a
// paragraph after a line break, as they fall on the lines after the break).
void RtfSetParaProps(QTextBlockFormat& fmt, const CRtfParaProps& props, int nDefaultTab);

// Whether a block continues the paragraph before it after a line break, and marking it so (its
// layout fields follow).
bool RtfContinuesParagraph(const QTextBlockFormat& fmt);
void RtfSetContinuesParagraph(QTextBlockFormat& fmt, bool bContinues, int nDefaultTab);
// Inserts plain text at the cursor (in pFormat, else the cursor's format): each of its line ends
// starts a paragraph of its own, never the line after a break of the paragraph it was typed in.
void RtfInsertPlainText(QTextCursor& cursor, const QString& text, const QTextCharFormat* pFormat = nullptr);

// Reads an RTF text into the document at the cursor, replacing the cursor's selection. `base`
// gives the face, pitch, character set and size for text whose font or size the RTF leaves
// unsaid. Malformed text (unbalanced braces, a truncated escape, deep nesting) is read as far
// as it goes; the result is FALSE, with the document untouched, only when the text is not RTF
// at all (it does not open with "{\rtf").
BOOL ReadRtf(const CString& rtf, QTextCursor& cursor, const QTextCharFormat& base);

// Writes the characters [start, end) of the document as RTF (end -1: to the end). A paragraph
// mark inside the range ends its paragraph with "\par" (with "\line" before a block that
// continues it); a range that reaches the end of the text ends with the final "\par".
CString WriteRtf(const QTextDocument& doc, int start = 0, int end = -1);
