#include "foundation/RtfTemplate.h"

#include <gtest/gtest.h>

namespace {

const char* const kHeader =
    "{\\header \\pard\\plain \\s15\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\aspalpha\\aspnum\\faauto"
    "\\adjustright\\rin0\\lin0\\itap0\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033";
const char* const kFooter =
    "{\\footer \\pard\\plain \\s15\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\aspalpha\\aspnum\\faauto"
    "\\adjustright\\rin0\\lin0\\itap0\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033";

TEST(RtfTemplate, Markers)
{
    struct Row {
        const char* in;
        CString out;
    };
    const Row rows[] = {
        // Without a header or footer the band markers stay.
        {"<ss><lbrace>x<rbrace><pgnum>", "<ss><lbrace>x<rbrace><pgnum>"},
        {"<hdr><lbrace>T<rbrace><hdrend>", CString(kHeader) + "{T}}"},
        {"<ftr>Page <pgnum><ftrend>", CString(kFooter) + "Page {\\field{\\*\\fldinst { PAGE }}}}"},
        // Non-breaking spaces always.
        {"a<nbs>b<nbs>", "a\\~b\\~"},
        // A break takes the blanks behind it and the paragraph end; the blank after it stays.
        {"x<pbrk>  \\par y", "x\\page y"},
        {"x<pbrk>\\par\\pard y", "x\\page\\pard y"},
        {"<pbrk>\\par <pbrk>\\par z", "\\page \\page z"},
        // "\pard" is not a paragraph end.
        {"<pbrk>\\pard", "\\page\\pard"},
        {"end<pbrk>", "end\\page"},
        // Text right behind a break would run into the control word.
        {"<pbrk>Next", "\\page Next"},
        {"<pbrk> 2", "\\page 2"},
        {"<pbrk>{b}", "\\page{b}"},
        {"", ""},
    };
    for (const Row& row : rows) {
        CString rtf = row.in;
        ExpandRtfTemplate(rtf);
        EXPECT_EQ(rtf, row.out) << row.in;
    }
}

TEST(RtfTemplate, TheStyleSheetComesWithAFooter)
{
    CString rtf = "<ss><ftr>f<ftrend>";
    ExpandRtfTemplate(rtf);
    EXPECT_EQ(rtf.Find("{\\stylesheet{\\ql "), 0);
    EXPECT_NE(rtf.Find("\\snext15 header;}"), -1);
    EXPECT_NE(rtf.Find("\\snext16 footer;}}" + CString(kFooter)), -1);
    EXPECT_EQ(rtf.Find("<"), -1);
}

} // namespace
