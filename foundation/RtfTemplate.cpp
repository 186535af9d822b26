#include "foundation/RtfTemplate.h"

#include <cctype>

namespace {

constexpr const char* kStyleSheet =
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 "
    "\\fs24\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 \\snext0 Normal;}{\\*\\cs10 \\additive Default "
    "Paragraph Font;}{\\s15\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\aspalpha\\aspnum\\faauto\\adjustright"
    "\\rin0\\lin0\\itap0 \\fs24\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 \\sbasedon0 \\snext15 "
    "header;}{\\s16\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\aspalpha\\aspnum\\faauto\\adjustright\\rin0"
    "\\lin0\\itap0 \\fs24\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 \\sbasedon0 \\snext16 footer;}}";

// Header and footer paragraphs both take style 15.
constexpr const char* kBandParagraph =
    " \\pard\\plain \\s15\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\aspalpha\\aspnum\\faauto\\adjustright"
    "\\rin0\\lin0\\itap0\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033";

constexpr const char* kPageBreak = "<pbrk>";

void ExpandPageBreaks(CString& rtf)
{
    const int nMarker = 6;
    for (int at = rtf.Find(kPageBreak); at >= 0; at = rtf.Find(kPageBreak, at)) {
        int end = at + nMarker;
        while (end < rtf.GetLength() && std::isspace(static_cast<unsigned char>(rtf[end])))
            ++end;
        // The paragraph end that held the marker goes with it: the break ends the paragraph.
        if (rtf.Mid(end, 5) == "\\par " || rtf.Mid(end, 5) == "\\par\\")
            end += 4;
        CString replacement = "\\page";
        // A letter, digit or minus sign right behind would run into the control word.
        if (end < rtf.GetLength()) {
            const unsigned char next = static_cast<unsigned char>(rtf[end]);
            if (std::isalnum(next) || next == '-')
                replacement += ' ';
        }
        rtf = rtf.Left(at) + replacement + rtf.Mid(end);
        at += replacement.GetLength();
    }
}

} // namespace

void ExpandRtfTemplate(CString& rtf)
{
    if (rtf.Find("<hdr>") >= 0 || rtf.Find("<ftr>") >= 0) {
        rtf.Replace("<ss>", kStyleSheet);
        rtf.Replace("<hdr>", CString("{\\header") + kBandParagraph);
        rtf.Replace("<ftr>", CString("{\\footer") + kBandParagraph);
        rtf.Replace("<hdrend>", "}");
        rtf.Replace("<ftrend>", "}");
        rtf.Replace("<lbrace>", "{");
        rtf.Replace("<rbrace>", "}");
        rtf.Replace("<pgnum>", "{\\field{\\*\\fldinst { PAGE }}}");
    }
    rtf.Replace("<nbs>", "\\~");
    ExpandPageBreaks(rtf);
}
