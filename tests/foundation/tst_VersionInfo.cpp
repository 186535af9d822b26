#include "foundation/VersionInfo.h"

#include "CorraVersion.h"
#include "platform/core/ProgramHome.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionInfoTest, OwnVersionComesFromTheBuild)
{
    CVersionInfo info;
    EXPECT_STREQ(info.GetProductName(), "Corra");
    EXPECT_EQ(info.GetFileVersionPart(0), CORRA_VERSION_MAJOR);
    EXPECT_EQ(info.GetFileVersionPart(1), CORRA_VERSION_MINOR);
    EXPECT_EQ(info.GetFileVersionPart(2), CORRA_VERSION_PATCH);
    EXPECT_STREQ(info.GetFileVersion(), info.GetProductVersion());
    CVersionInfo same(GetProgramFilePath());
    EXPECT_STREQ(same.GetFileVersion(), info.GetFileVersion());
}

TEST(VersionInfoTest, FieldsOfTheFileVersion)
{
    CVersionInfo info;
    info.SetTexts("X", "2, 1, 7, 9", "2, 1");
    EXPECT_EQ(info.GetFileVersionPart(0), 2);
    EXPECT_EQ(info.GetFileVersionPart(1), 1);
    EXPECT_EQ(info.GetFileVersionPart(3), 9);
    EXPECT_EQ(info.GetFileVersionPart(4), -1);
    EXPECT_EQ(info.GetFileVersionPart(-1), -1);
    info.SetTexts("X", "3", "3");
    EXPECT_EQ(info.GetFileVersionPart(2), 0);
}

TEST(VersionInfoTest, OnlyTheProgramHasAVersion)
{
    CVersionInfo other("/usr/lib/some-component.so");
    EXPECT_STREQ(other.GetFileVersion(), "");
    EXPECT_EQ(other.GetFileVersionPart(0), 0);
    CVersionInfo info;
    EXPECT_FALSE(info.ReadServerFile("Vantrel.Image"));
    EXPECT_STREQ(info.GetFileVersion(), "");
    EXPECT_TRUE(info.ReadServerFile("Corra.Application"));
    EXPECT_EQ(info.GetFileVersionPart(0), CORRA_VERSION_MAJOR);
}

} // namespace
