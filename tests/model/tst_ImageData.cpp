#include "model/ImageData.h"

#include "foundation/Log.h"
#include "tests/support/CorraTest.h"

namespace {

using ImageDataTest = CorraTest;

TEST_F(ImageDataTest, PositionNamesBothWays)
{
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"IP_LEFT", IP_LEFT},   {"  ip_left ", IP_LEFT},          {"IP_RIGHT", IP_RIGHT},
        {"IP_TOP", IP_TOP},     {"ip_below_quest", IP_BELOW_QUEST}, {"IP_BELOW_CHOICES", IP_BELOW_CHOICES},
        {"IP_MIDDLE", IP_TOP},  {"", IP_TOP},                      {nullptr, IP_TOP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CImageData::PosStr2Int(c.name), c.code) << (c.name ? c.name : "(null)");

    const char* const shown[] = {"Left", "Right", "Top", "Below Question", "Below Choices"};
    for (int code = IP_LEFT; code <= IP_BELOW_CHOICES; ++code) {
        EXPECT_EQ(CImageData::PosStr2Int(CImageData::GetPosInt2Str(code)), code);
        EXPECT_EQ(CImageData::GetPosInt2StrEng(code), shown[code]);
    }
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
}

TEST_F(ImageDataTest, ABadCodeIsTopAndLogged)
{
    EXPECT_EQ(CImageData::GetPosInt2Str(7), "IP_TOP");
    EXPECT_EQ(CImageData::GetPosInt2StrEng(-1), "IP_TOP");
    const CString log = GetLogBuffer();
    EXPECT_GE(log.Find("CImageData::GetPosInt2Str() - bad nPos (7) - using default IP_TOP"), 0);
    EXPECT_GE(log.Find("CImageData::GetPosInt2StrEng() - bad nPos (-1) - using default IP_TOP"), 0);
}

TEST_F(ImageDataTest, DefaultsAndCopy)
{
    CImageData image;
    EXPECT_EQ(image.m_nPos, IP_TOP);
    EXPECT_DOUBLE_EQ(image.m_dSize, 20.0);
    EXPECT_DOUBLE_EQ(image.m_dMargin, 0.0);
    EXPECT_EQ(image.m_nBrightness, 0);
    EXPECT_TRUE(image.m_csFile.IsEmpty());

    image.m_nPos = IP_BELOW_CHOICES;
    image.m_csFile = "/pics/a.png";
    image.m_nBrightness = -40;
    image.m_dSize = 55.5;
    image.m_dMargin = 3.25;
    CImageData copy(image);
    EXPECT_EQ(copy.m_nPos, IP_BELOW_CHOICES);
    EXPECT_EQ(copy.m_csFile, "/pics/a.png");
    EXPECT_EQ(copy.m_nBrightness, -40);
    EXPECT_DOUBLE_EQ(copy.m_dSize, 55.5);
    EXPECT_DOUBLE_EQ(copy.m_dMargin, 3.25);
}

} // namespace
