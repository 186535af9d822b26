#include "model/Group.h"

#include "foundation/EncryptedArchive.h"
#include "model/CorraHeader.h"
#include "tests/support/CorraTest.h"

namespace {

using GroupTest = CorraTest;

std::string Written(CGroup& group)
{
    CEncryptedArchive out("", TRUE);
    group.Write(out);
    return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
}

int Parse(CGroup& group, const std::string& text, std::string* rest = nullptr)
{
    LPCSTR p = text.c_str();
    UINT n = static_cast<UINT>(text.size());
    int result = group.Parse(&p, &n);
    if (rest)
        *rest = std::string(p, n);
    return result;
}

TEST_F(GroupTest, ADefaultGroupIsWrittenExactly)
{
    CGroup group;
    group.m_nId = 7;
    group.m_csName = "Part A";
    EXPECT_EQ(Written(group), "\r\nBEGIN GROUP\r\nID: 7\r\nFLAGS:20102\r\nTEXT: { \r\n}\r\nNAME: { Part A }\r\n"
                              "TOPSPACE: 0\r\nBOTSPACE: 0\r\nEND GROUP\r\n\r\n");
}

TEST_F(GroupTest, FlagsReadBackOrFallBackToTheDefault)
{
    struct Case {
        const char* digits;
        DWORD expected;
    };
    const Case cases[] = {
        {"70707", 0x70707},   // both nibbles "Roman (lower)", all three layout bits
        {"10305", 0x10305},
        {"131330", 0x20102},  // not a valid hex value; read as decimal
        {"80102", GROUP_DEFAULT_FLAGS},
        {"20002", GROUP_DEFAULT_FLAGS},
        {"20108", GROUP_DEFAULT_FLAGS},
        {"20100", GROUP_DEFAULT_FLAGS},
        {"99999999999", GROUP_DEFAULT_FLAGS},
    };
    for (const Case& c : cases) {
        CGroup group;
        std::string text = std::string("BEGIN GROUP FLAGS:") + c.digits + " END GROUP";
        ASSERT_EQ(Parse(group, text), READ_OK) << c.digits;
        EXPECT_EQ(group.m_dwFlags, c.expected) << c.digits;
    }
    CGroup all;
    all.m_dwFlags = 0x70707;
    EXPECT_NE(Written(all).find("FLAGS:70707\r\n"), std::string::npos);
}

TEST_F(GroupTest, FlagTextsAndNumberStyles)
{
    EXPECT_EQ(CGroup::FlagToText(2), "Numbered");
    EXPECT_EQ(CGroup::FlagToText(0x700), "Roman (lower)");
    EXPECT_EQ(CGroup::FlagToText(GROUP_USES_HEADER), "Uses header");
    EXPECT_EQ(CGroup::FlagToText(0x8), "**");
    EXPECT_EQ(CGroup::FlagToText(0x101), "**");
    const int codes[] = {0, 1, 1, 3, 2, 4, 5};
    for (DWORD v = 1; v <= 7; ++v)
        EXPECT_EQ(CGroup::NumberStyleOf(v), codes[v - 1]);
    EXPECT_EQ(CGroup::NumberStyleOf(0), 1);
    CGroup group;
    group.m_dwFlags = 0x20604;
    EXPECT_EQ(group.GetQuestNumberStyle(), 3);
    EXPECT_EQ(group.GetHeaderNumberStyle(), 4);
    EXPECT_TRUE(CGroup::IsIndependentStyle(0x300));
    EXPECT_FALSE(CGroup::IsIndependentStyle(2));
}

TEST_F(GroupTest, WriteThenReadKeepsEveryField)
{
    CGroup group;
    group.m_nId = 41;
    group.m_dwFlags = 0x50203;
    group.m_csName = "Lab {safety}";
    group.m_csText = "{\\rtf1\\ansi Read [all] of it\\par\r\n\\\r\nnext \\{x\\}}";
    group.m_nTopSpace = 3;
    group.m_nBotSpace = 9;
    CGroup back;
    std::string rest;
    ASSERT_EQ(Parse(back, Written(group) + "BEGIN QUESTION", &rest), READ_OK);
    EXPECT_EQ(rest, "\r\n\r\nBEGIN QUESTION");
    EXPECT_EQ(back.m_nId, 41);
    EXPECT_EQ(back.m_dwFlags, 0x50203u);
    EXPECT_EQ(back.m_csName, "Lab (safety)");
    // RTF keeps its line ends: a backslash before one is a paragraph mark.
    EXPECT_EQ(back.m_csText, group.m_csText);
    EXPECT_EQ(back.m_nTopSpace, 3);
    EXPECT_EQ(back.m_nBotSpace, 9);

    CGroup plain;
    plain.m_csText = "two\r\nlines";
    CGroup plainBack;
    ASSERT_EQ(Parse(plainBack, Written(plain)), READ_OK);
    EXPECT_EQ(plainBack.m_csText, "two  lines");
}

TEST_F(GroupTest, ParseResultsAndErrorTexts)
{
    struct Case {
        const char* text;
        int result;
        const char* error;
    };
    const Case cases[] = {
        {"BEGIN QUESTION", READ_NOT_THIS, ""},
        {" \r\n", READ_END, ""},
        {"BEGIN GROUP ID: 4 NAME: {x}", READ_MALFORMED, "Syntax error"},
        {"BEGIN GROUP ID: 4 END QUESTION", READ_MALFORMED, "'END' without 'GROUP'"},
        {"BEGIN GROUP ID: four END GROUP", READ_MALFORMED, ""},
        {"BEGIN GROUP ID: 4 END GROUP", READ_OK, ""},
    };
    for (const Case& c : cases) {
        CGroup group;
        std::string rest;
        EXPECT_EQ(Parse(group, c.text, &rest), c.result) << c.text;
        EXPECT_EQ(CGroup::ErrorText(), c.error) << c.text;
        if (c.result == READ_NOT_THIS || (c.result == READ_MALFORMED && *c.error)) {
            EXPECT_EQ(rest, c.text);
        }
    }
}

TEST_F(GroupTest, CreateNamesAndNumbersNewGroups)
{
    std::unique_ptr<CGroup> blank(CGroup::Create("   ", 0, 2));
    EXPECT_EQ(blank->m_csName, "Unnamed");
    EXPECT_GE(blank->m_nId, 1);
    EXPECT_EQ(blank->m_nMemberCount, 2);
    std::unique_ptr<CGroup> next(CGroup::Create("  Essays ", 0, 0));
    EXPECT_EQ(next->m_nId, blank->m_nId + 1);
    EXPECT_EQ(next->m_csName, "Essays ");
    std::unique_ptr<CGroup> given(CGroup::Create("MC", 19, 0));
    EXPECT_EQ(given->m_nId, 19);
}

} // namespace
