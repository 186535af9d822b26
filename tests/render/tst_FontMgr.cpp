// The font manager: default table and profile round trip, slots, conversions, symbol fonts,
// drawing in a slot's font.

#include "render/FontMgr.h"

#include "platform/core/HtmlMarkup.h"
#include "platform/core/Profile.h"
#include "platform/ui/DC.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/FixedMetricsDC.h"

#include <climits>
#include <cstring>
#include <utility>

namespace {

CTestResetHook g_reset([] { ResetFontManager(); });

class FontMgrTest : public CorraTest {};

struct Expected {
    const char* name;
    const char* face;
    LONG height;
    LONG weight;
    BYTE pitchAndFamily;
};

const Expected kDefaults[FM_COUNT] = {
    {"Question", "Times New Roman", -13, 500, 0x13},
    {"Choices", "Times New Roman", -13, 500, 0x13},
    {"Choice ID", "Times New Roman", -13, 500, 0x13},
    {"Answer", "Times New Roman", -13, 500, 0x13},
    {"Question No.", "Times New Roman", -13, 500, 0x13},
    {"Exam Course Name", "Arial", -16, 400, 0x23},
    {"Exam Title", "Arial", -19, 700, 0x23},
    {"Exam File Name (footer)", "Arial", -8, 400, 0x23},
    {"Exam Page No. (footer)", "Arial", -8, 400, 0x23},
    {"Exam Form Name (footer)", "Arial", -8, 400, 0x23},
    {"Student Name (header)", "Times New Roman", -16, 500, 0x13},
    {"Student ID (header)", "Times New Roman", -16, 500, 0x13},
    {"Group Description", "Times New Roman", -16, 500, 0x13},
    {"Instructions", "Times New Roman", -16, 500, 0x13},
    {"Corra Title", "Arial", -16, 400, 0x23},
    {"Corra Description", "Arial", -19, 700, 0x23},
    {"Corra File Name (footer)", "Arial", -8, 400, 0x23},
    {"Corra Page No. (footer)", "Arial", -8, 400, 0x23},
};

void ExpectDefaultTable()
{
    for (int i = 0; i < FM_COUNT; ++i) {
        const Expected& e = kDefaults[i];
        LOGFONT lf;
        CFontMgr::GetSlotLogFont(lf, i);
        EXPECT_STREQ(CFontMgr::GetSlotName(i), e.name);
        EXPECT_STREQ(lf.lfFaceName, e.face) << e.name;
        EXPECT_EQ(lf.lfHeight, e.height) << e.name;
        EXPECT_EQ(lf.lfWeight, e.weight) << e.name;
        EXPECT_EQ(lf.lfPitchAndFamily, e.pitchAndFamily) << e.name;
        EXPECT_EQ(lf.lfWidth + lf.lfEscapement + lf.lfOrientation, 0) << e.name;
        EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut + lf.lfCharSet + lf.lfOutPrecision +
                      lf.lfClipPrecision + lf.lfQuality,
                  0)
            << e.name;
    }
}

TEST_F(FontMgrTest, AnEmptyProfileGivesTheDefaultTableAndARoundTripKeepsIt)
{
    CFontMgrInit init;
    ExpectDefaultTable();
    EXPECT_FALSE(AppProfile().HasKey("FontMgr", "Question_Height"));

    ASSERT_TRUE(CFontMgr::SaveSlot(-1));
    EXPECT_EQ(AppProfile().GetInt("FontMgr", "Exam Title_Weight", 0), 700);
    for (int i = 0; i < FM_COUNT; ++i) {
        LOGFONT* lf = CFontMgr::GetSlotLogFontPtr(i);
        lf->lfHeight = -40;
        SetLogFontFaceName(*lf, "Courier New");
    }
    ASSERT_TRUE(CFontMgr::LoadSlot(-1));
    ExpectDefaultTable();
}

TEST_F(FontMgrTest, AChangedSlotIsSavedAndLoadedBack)
{
    CFontMgrInit init;
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, FM_ANSWER);
    lf.lfHeight = -21;
    lf.lfItalic = 1;
    SetLogFontFaceName(lf, "Courier New");
    CFontMgr::SetSlotLogFont(lf, FM_ANSWER);
    EXPECT_NE(CFontMgr::GetLastFontChange(), 0u);

    ResetFontManager();
    CFontMgrInit again;
    CFontMgr::GetSlotLogFont(lf, FM_ANSWER);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(lf.lfHeight, -21);
    EXPECT_EQ(lf.lfItalic, 1);
    CFontMgr::GetSlotLogFont(lf, FM_QUESTION);
    EXPECT_EQ(lf.lfHeight, -13);
}

TEST_F(FontMgrTest, SlotsResolveAndRefuseWhatIsOutOfRange)
{
    EXPECT_EQ(CFontMgr::ResolveSlot(-1), FM_QUESTION);
    EXPECT_STREQ(CFontMgr::GetSlotName(-1), "Question");
    EXPECT_EQ(CFontMgr::SetDefaultSlot(FM_ANSWER), FM_QUESTION);
    EXPECT_EQ(CFontMgr::ResolveSlot(-1), FM_ANSWER);
    CFontMgr::SetDefaultSlot(-1);
    EXPECT_EQ(CFontMgr::ResolveSlot(-1), 0);
    EXPECT_EQ(CFontMgr::ResolveSlot(FM_COUNT), 0);
    EXPECT_STREQ(CFontMgr::GetSlotClassName(FM_CORRAPAGENO), "crrpagenum");

    EXPECT_EQ(CFontMgr::GetSlotLogFontPtr(FM_COUNT), nullptr);
    EXPECT_EQ(CFontMgr::GetSlotLogFontPtr(-1), nullptr);
    EXPECT_FALSE(CFontMgr::ResetSlotToDefault(FM_COUNT));
    EXPECT_FALSE(CFontMgr::ResetSlotToDefault(-1));
    CFontMgr::GetSlotLogFontPtr(FM_CHOICES)->lfHeight = -99;
    EXPECT_TRUE(CFontMgr::ResetSlotToDefault(FM_CHOICES));
    EXPECT_EQ(CFontMgr::GetSlotLogFontPtr(FM_CHOICES)->lfHeight, -13);
}

TEST_F(FontMgrTest, CharacterFormatsOfSlots)
{
    CHARFORMAT cf;
    CFontMgr::GetSlotCharFormat(cf, FM_QUESTION);
    EXPECT_EQ(cf.dwMask, 0xA8000007u);
    EXPECT_EQ(cf.dwEffects & CFE_BOLD, 0u) << "weight 500 is not bold";
    EXPECT_EQ(cf.yHeight, 200);  // 13 pixels at 96 per inch: 10 points
    EXPECT_STREQ(cf.szFaceName, "Times New Roman");
    EXPECT_EQ(cf.bPitchAndFamily, 0x13);
    EXPECT_TRUE(CFontMgr::IsSlotCharFormat(cf, FM_QUESTION));

    CFontMgr::GetSlotCharFormat(cf, FM_EXAMTITLE);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.yHeight, 280);
    EXPECT_FALSE(CFontMgr::IsSlotCharFormat(cf, FM_QUESTION));

    // A selection whose boldness is mixed is not in the slot's font.
    CFontMgr::GetSlotCharFormat(cf, FM_QUESTION);
    cf.dwMask &= ~CFM_BOLD;
    EXPECT_FALSE(CFontMgr::IsSlotCharFormat(cf, FM_QUESTION));

    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, FM_QUESTION);
    EXPECT_EQ(CFontMgr::HeightToPoints(lf), 10);
    EXPECT_FALSE(CFontMgr::IsBold(lf));
    lf.lfWeight = 501;
    EXPECT_TRUE(CFontMgr::IsBold(lf));
}

TEST_F(FontMgrTest, SymbolFontsAndTheirRtf)
{
    EXPECT_TRUE(CFontMgr::IsSymbolFont("QVMath"));
    EXPECT_TRUE(CFontMgr::IsSymbolFont("Symbol"));
    EXPECT_FALSE(CFontMgr::IsSymbolFont("qvmath"));
    EXPECT_FALSE(CFontMgr::IsSymbolFont("Arial"));
    CStringList list;
    CFontMgr::GetSymbolFontList(list);
    EXPECT_EQ(list.GetCount(), 5);

    CString rtf;
    EXPECT_TRUE(CFontMgr::MakeSymbolRtf("qvmath", "\\'28", rtf, 12));
    EXPECT_STREQ(rtf.GetString(),
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVMath;}}"
                 "\\viewkind4\\uc1\\pard\\f0\\fs24\\'28}");
    EXPECT_TRUE(CFontMgr::MakeSymbolRtf("QVchemA", "\\'3a", rtf, 0));
    EXPECT_STREQ(rtf.GetString(),
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset0 QVchemA;}}"
                 "\\viewkind4\\uc1\\pard\\lang1033\\f0\\'3a}");
    EXPECT_FALSE(CFontMgr::MakeSymbolRtf("Wingdings", "x", rtf, 12));

    // The tags are markup, the text is text: on the page it is escaped, the tags are not.
    EXPECT_EQ(HtmlFromMarked(CFontMgr::MakeHtmlFontTag("Hello", FM_ANSWER)), "<font class='answer'>Hello</font>");
    EXPECT_EQ(HtmlFromMarked(CFontMgr::MakeHtmlFontTag("3 < 5 & <b>", FM_ANSWER)),
              "<font class='answer'>3 &lt; 5 &amp; &lt;b&gt;</font>");
}

TEST_F(FontMgrTest, FaceMemoryInTheProfile)
{
    LOGFONT lf;
    SetLogFontFaceName(lf, "Liberation Serif");
    lf.lfCharSet = 2;
    lf.lfPitchAndFamily = 0x12;
    CFontMgr::SaveFaceCharset(lf);
    EXPECT_EQ(AppProfile().GetInt("Liberation Serif", "lfCharSet", -1), 2);

    LOGFONT back;
    SetLogFontFaceName(back, "Liberation Serif");
    CFontMgr::LoadFaceCharset(back);
    EXPECT_EQ(back.lfCharSet, 2);
    EXPECT_EQ(back.lfPitchAndFamily, 0x12);
    SetLogFontFaceName(back, "Never Saved");
    back.lfCharSet = 7;
    CFontMgr::LoadFaceCharset(back);
    EXPECT_EQ(back.lfCharSet, 0);
    EXPECT_EQ(back.lfPitchAndFamily, 0);
}

TEST_F(FontMgrTest, DrawingInASlotFontWithZoom)
{
    CFixedMetricsDC dc;
    CFontMgr::SetDefaultSlot(FM_ANSWER);
    CFont* before = dc.GetCurrentFont();

    CRect r(0, 0, 500, 0);
    int plain = CFontMgr::DrawTextInSlotFont(&dc, "abc", -1, &r, DT_CALCRECT | DT_WORDBREAK, FM_EXAMTITLE);
    EXPECT_EQ(plain, 19);  // the fixed metrics: the em height
    EXPECT_EQ(r.Height(), 19);
    CRect z(0, 0, 500, 0);
    EXPECT_EQ(CFontMgr::DrawTextInSlotFont(&dc, "abc", -1, &z, DT_CALCRECT | DT_WORDBREAK, FM_EXAMTITLE, 2.0), 38);
    CRect zero(0, 0, 500, 0);
    EXPECT_EQ(CFontMgr::DrawTextInSlotFont(&dc, "abc", -1, &zero, DT_CALCRECT | DT_WORDBREAK, FM_EXAMTITLE, 0.0), 19);

    TEXTMETRIC tm;
    CRect d(0, 0, 500, 100);
    CFontMgr::DrawTextInSlotFont(&dc, "drawn", -1, &d, DT_WORDBREAK, FM_EXAMTITLE, -1.0, &tm);
    EXPECT_EQ(tm.tmHeight, 19);
    ASSERT_FALSE(dc.texts.empty());
    EXPECT_STREQ(dc.texts.back().text.GetString(), "drawn");
    EXPECT_STREQ(dc.texts.back().lf.lfFaceName, "Arial");

    EXPECT_EQ(CFontMgr::GetSlotLogFontPtr(FM_EXAMTITLE)->lfHeight, -19);
    EXPECT_EQ(CFontMgr::GetDefaultSlot(), FM_ANSWER);
    EXPECT_EQ(dc.GetCurrentFont(), before);
    EXPECT_EQ(CFontMgr::GetSelectedSlotFont(FM_EXAMTITLE), nullptr);
}

TEST_F(FontMgrTest, SelectingASlotTwiceKeepsTheBookkeepingSound)
{
    CFixedMetricsDC dc;
    CFont* original = dc.GetCurrentFont();
    CFont* first = CFontMgr::SelectSlotFont(&dc, FM_QUESTION);
    CFont* second = CFontMgr::SelectSlotFont(&dc, FM_QUESTION);
    EXPECT_EQ(first, original);
    EXPECT_EQ(CFontMgr::GetSelectedSlotFont(FM_QUESTION), dc.GetCurrentFont());
    CFontMgr::RestoreSlotFont(&dc, second, FM_QUESTION);
    CFontMgr::RestoreSlotFont(&dc, first, FM_QUESTION);  // logs the mismatch, deletes the font once
    EXPECT_EQ(dc.GetCurrentFont(), original);
    EXPECT_EQ(CFontMgr::GetSelectedSlotFont(FM_QUESTION), nullptr);

    // A font the caller selected in between is not deleted by the font manager.
    CFont mine;
    LOGFONT lf;
    SetLogFontFaceName(lf, "Arial");
    lf.lfHeight = -10;
    mine.CreateFontIndirect(&lf);
    CFont* previous = CFontMgr::SelectSlotFont(&dc, FM_ANSWER);
    CFont* slotFont = dc.SelectObject(&mine);
    CFontMgr::RestoreSlotFont(&dc, previous, FM_ANSWER);
    EXPECT_TRUE(mine.GetSafeHandle());
    dc.SelectObject(slotFont);
    CFontMgr::RestoreSlotFont(&dc, previous, FM_ANSWER);
}

// The profile's own are refused when read; a caller may still set such heights.
TEST_F(FontMgrTest, HeightsBeyondAnyFontStayInRange)
{
    CFontMgrInit init;
    for (const auto& [slot, height] : {std::pair{FM_INSTRUCTIONS, INT_MIN}, std::pair{FM_ANSWER, -1500000000}}) {
        LOGFONT lf{};
        CFontMgr::GetSlotLogFont(lf, slot);
        lf.lfHeight = height;
        CFontMgr::SetSlotLogFont(lf, slot);
    }

    CHARFORMAT cf;
    CFontMgr::GetSlotCharFormat(cf, FM_INSTRUCTIONS);
    EXPECT_EQ(cf.yHeight, 0x7FFFFFFF) << "twips of the largest height stop at the range";
    EXPECT_TRUE(CFontMgr::IsSlotCharFormat(cf, FM_INSTRUCTIONS));

    CFixedMetricsDC dc;
    for (double zoom : {-1.0, 2.0, 1e12}) {
        SCOPED_TRACE(zoom);
        CRect r(0, 0, 500, 0);
        EXPECT_EQ(CFontMgr::DrawTextInSlotFont(&dc, "abc", -1, &r, DT_CALCRECT | DT_WORDBREAK, FM_ANSWER, zoom),
                  32767)
            << "the font is held at the largest height a device takes";
    }
    EXPECT_EQ(CFontMgr::GetSlotLogFontPtr(FM_ANSWER)->lfHeight, -1500000000) << "zoom leaves the slot as it was";
}

TEST_F(FontMgrTest, TwipsDevicesGetTwipsHeights)
{
    CFixedMetricsDC dc;
    dc.SetMapMode(MM_TWIPS);
    CFont* font = CFontMgr::CreateSlotFont(&dc, FM_QUESTION);
    LOGFONT lf;
    font->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -200);
    delete font;
}

} // namespace
