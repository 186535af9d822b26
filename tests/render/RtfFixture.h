#pragma once
// The fixture of the RTF engine's tests: the question slot (0) is a 10-unit Times New Roman of
// normal weight, so that on the fixed-metrics DC glyphs are 5 wide and lines 10 high; slot 1
// is a 12-point one for the echo. Both are put back afterwards.

#include "render/FontMgr.h"
#include "render/RtfText.h"
#include "tests/support/CorraTest.h"

class RtfFixture : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CFontMgrInit init;
        for (int slot = 0; slot < 2; ++slot)
            CFontMgr::GetSlotLogFont(m_saved[slot], slot);
        m_nOldDefault = CFontMgr::SetDefaultSlot(0);
        CFontMgr::SetSlotLogFont(MakeFont("Times New Roman", -10, FW_NORMAL, FF_ROMAN | 0x03), 0);
        CFontMgr::SetSlotLogFont(MakeFont("Times New Roman", -16, FW_NORMAL, FF_ROMAN | 0x03), 1);
    }
    void TearDown() override
    {
        for (int slot = 0; slot < 2; ++slot)
            CFontMgr::SetSlotLogFont(m_saved[slot], slot);
        CFontMgr::SetDefaultSlot(m_nOldDefault);
        CorraTest::TearDown();
    }

    static LOGFONT MakeFont(const char* face, int height, int weight, BYTE pitchAndFamily)
    {
        LOGFONT lf;
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfPitchAndFamily = pitchAndFamily;
        SetLogFontFaceName(lf, face);
        return lf;
    }

    // A whole RTF text: the default header (its one font is the document font), the body, "}".
    static CString Rtf(const char* body) { return MakeDefaultRtfHeader() + body + "}"; }

private:
    LOGFONT m_saved[2];
    int m_nOldDefault = 0;
};
