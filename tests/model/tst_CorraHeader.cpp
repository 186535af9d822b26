#include "model/CorraHeader.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/FileUtil.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"

namespace {

using CorraHeaderTest = CorraTest;

std::string Written(CCorraHeader& header)
{
    CEncryptedArchive out("", TRUE);
    header.Write(out);
    return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
}

int Parse(CCorraHeader& header, const std::string& text, std::string* rest = nullptr)
{
    LPCSTR p = text.c_str();
    UINT n = static_cast<UINT>(text.size());
    int result = header.ReadCorraHeader(&p, &n);
    if (rest)
        *rest = std::string(p, n);
    return result;
}

TEST_F(CorraHeaderTest, WritesTheExactBlockWithoutCollectionsOrImages)
{
    CCorraHeader header;
    header.m_csTitle1 = "Biology 101";
    header.m_csTitle2 = "Cells";
    header.m_nCount = 12;
    header.m_csCorraId = "CID_1_2";
    EXPECT_EQ(Written(header), "BEGIN HEADER\r\nTITLE1: {Biology 101}\r\nTITLE2: {Cells}\r\nCOUNT:12\r\n"
                               "NUMCOLLECTIONS:0\r\nCORRAID: {CID_1_2}\r\nEND HEADER\r\n\r\n");
}

TEST_F(CorraHeaderTest, BracesInTitlesAndNamesCannotEndTheirBlock)
{
    CCorraHeader header;
    header.m_csTitle1 = "Sets {a, b}";
    header.m_asCollections = {"Odd}{name||x"};
    header.m_adwCollectionCounts = {4};
    header.m_nNumCollections = 1;
    std::string text = Written(header);
    EXPECT_NE(text.find("TITLE1: {Sets (a, b)}\r\n"), std::string::npos);

    CCorraHeader back;
    ASSERT_EQ(Parse(back, text), READ_OK);
    EXPECT_EQ(back.m_csTitle1, "Sets (a, b)");
    ASSERT_EQ(back.m_asCollections.size(), 1u);
    EXPECT_EQ(back.m_asCollections[0], "Odd)(name|x");
    EXPECT_EQ(back.m_adwCollectionCounts[0], 4u);
}

TEST_F(CorraHeaderTest, ThirtyCollectionsWrapAndReadBack)
{
    CCorraHeader header;
    for (int i = 0; i < 30; ++i) {
        header.m_asCollections.push_back(CString::Formatted("Col%03d", i));
        header.m_adwCollectionCounts.push_back(static_cast<DWORD>(i * 7));
    }
    header.m_nNumCollections = 30;
    std::string text = Written(header);
    size_t lines = 0;
    for (size_t at = text.find("\r\n            {"); at != std::string::npos; at = text.find("\r\n            {", at + 1))
        ++lines;
    EXPECT_GE(lines, 3u);
    // No line of the list runs far past the limit.
    size_t start = text.find("COLLECTIONS:");
    size_t end = text.find("\r\nCORRAID");
    for (size_t pos = start; pos < end;) {
        size_t eol = text.find("\r\n", pos);
        EXPECT_LE(eol - pos, 100u);
        pos = eol + 2;
    }

    CCorraHeader back;
    ASSERT_EQ(Parse(back, text), READ_OK);
    EXPECT_EQ(back.m_asCollections, header.m_asCollections);
    EXPECT_EQ(back.m_adwCollectionCounts, header.m_adwCollectionCounts);
    EXPECT_EQ(back.m_nNumCollections, 30);
}

TEST_F(CorraHeaderTest, ACollectionsLineReadsNamesAndCounts)
{
    CCorraHeader header;
    ASSERT_EQ(Parse(header, "BEGIN HEADER\r\nCOLLECTIONS:  {Unit A||12}, {Unit B||3}, {No count}\r\n"
                            "CORRAID: {}\r\nEND HEADER\r\n"),
              READ_OK);
    EXPECT_EQ(header.m_asCollections, (std::vector<CString>{"Unit A", "Unit B", "No count"}));
    EXPECT_EQ(header.m_adwCollectionCounts, (std::vector<DWORD>{12, 3, 0}));
    EXPECT_TRUE(header.GetCorraId().IsEmpty());
    EXPECT_TRUE(header.m_bValid);
}

TEST_F(CorraHeaderTest, TheImagesListReadsBackWhatWasWritten)
{
    CCorraHeader header;
    for (int i = 0; i < 12; ++i)
        header.m_asImageFiles.push_back(WriteHomeFile(CString::Formatted("images/picture_%02d.bmp", i), "x"));
    std::string text = Written(header);
    EXPECT_NE(text.find("\r\n         {"), std::string::npos);

    CCorraHeader back;
    back.m_asImageFiles.clear();
    ASSERT_EQ(Parse(back, text), READ_OK);
    EXPECT_EQ(back.m_asImageFiles, header.m_asImageFiles);

    // A file that no longer exists is left out.
    fsys::DeleteFile(header.m_asImageFiles[3]);
    CCorraHeader again;
    ASSERT_EQ(Parse(again, text), READ_OK);
    EXPECT_EQ(again.m_asImageFiles.size(), 11u);
}

TEST_F(CorraHeaderTest, ParseResultsAndErrorTexts)
{
    struct Case {
        const char* text;
        int result;
        const char* error;
        bool cursorBack;
    };
    const Case cases[] = {
        {"TITLE1: {x}", READ_NOT_THIS, "", true},
        {"  \r\n ", READ_END, "", false},
        {"BEGIN QUESTION", READ_SYNTAX, "'BEGIN' without 'HEADER'", true},
        {"BEGIN HEADER TITLE1: {a} END", READ_SYNTAX, "'END' without 'HEADER'", true},
        {"BEGIN HEADER TITLE1: {a} TITLE3", READ_SYNTAX, "Syntax error", true},
        {"BEGIN HEADER COUNT: many END HEADER", READ_MALFORMED, "", false},
        {"BEGIN HEADER COUNT: 99999999999 END HEADER", READ_OK, "", false},
    };
    for (const Case& c : cases) {
        CCorraHeader header;
        std::string rest;
        EXPECT_EQ(Parse(header, c.text, &rest), c.result) << c.text;
        EXPECT_EQ(header.m_csError, c.error) << c.text;
        if (c.cursorBack) {
            EXPECT_EQ(rest, c.text);
        }
    }
}

TEST_F(CorraHeaderTest, EncipheredAndPlainFilesGiveTheSameHeader)
{
    CCorraHeader header;
    header.m_csTitle1 = "Chemistry";
    header.m_csTitle2 = "Final";
    header.m_nCount = 3;
    header.m_asCollections = {"Set 1"};
    header.m_adwCollectionCounts = {2};
    header.m_nNumCollections = 1;
    header.m_csCorraId = "CID_5_6";
    std::string text = Written(header) + "TITLE1: { \r\nChemistry\r\n}\r\n";

    CString enciphered = HomePath("bank.crr");
    {
        CEncryptedArchive out(enciphered, TRUE);
        out.GrowBuffer(text.data(), static_cast<long>(text.size()));
        ASSERT_TRUE(out.Commit());
    }
    CString plain = WriteHomeFile("plain.crr", text);

    for (const CString& path : {enciphered, plain}) {
        CCorraHeader read;
        ASSERT_TRUE(read.GetCorraHeaderInfo(path)) << path.GetString();
        EXPECT_EQ(read.m_csTitle1, "Chemistry");
        EXPECT_EQ(read.m_csTitle2, "Final");
        EXPECT_EQ(read.m_nCount, 3);
        EXPECT_EQ(read.m_asCollections, header.m_asCollections);
        EXPECT_EQ(read.GetCorraId(), "CID_5_6");
        EXPECT_EQ(read.m_csFileName, path);
    }

}

TEST_F(CorraHeaderTest, AHeaderReadStopsWhereTheHeaderEnds)
{
    // A header longer than the first piece read, and a body behind it.
    CCorraHeader header;
    header.m_csTitle1 = "Chemistry";
    header.m_nCount = 3;
    for (int i = 0; i < 1500; ++i) {
        header.m_asCollections.push_back(CString::Formatted("Collection %d", i));
        header.m_adwCollectionCounts.push_back(static_cast<DWORD>(i % 7));
    }
    header.m_nNumCollections = 1500;
    header.m_csCorraId = "CID_5_6";
    std::string body;
    for (int q = 1; q <= 3000; ++q)
        body += "BEGIN QUESTION\r\nID: " + std::to_string(q) + "\r\nTEXT: { \r\nWhich one?}\r\nEND QUESTION\r\n";
    const std::string text = Written(header) + body;
    const long headerEnd = static_cast<long>(text.find("END HEADER"));
    ASSERT_GT(headerEnd, 20000);

    auto enciphered = [&](const char* name) {
        const CString path = HomePath(name);
        CEncryptedArchive out(path, TRUE);
        out.GrowBuffer(text.data(), static_cast<long>(text.size()));
        EXPECT_TRUE(out.Commit());
        return path;
    };
    // Damage changes bytes of the file as stored: in the marker the file is no bank at all;
    // behind the header the check value no longer matches, which only a whole read finds.
    struct Case {
        const char* name;
        long damageAt;  // -1: none
        bool plain;
        BOOL listed;
    };
    const Case cases[] = {
        {"plain.crr", -1, true, TRUE},
        {"whole.crr", -1, false, TRUE},
        {"body.crr", ENCRYPT_MARKER_SIZE + headerEnd + 400, false, TRUE},
        {"check.crr", ENCRYPT_MARKER_SIZE + static_cast<long>(text.size()) + 2, false, TRUE},
        {"marker.crr", 2, false, FALSE},
    };
    for (const Case& c : cases) {
        const CString path = c.plain ? WriteHomeFile(c.name, text) : enciphered(c.name);
        if (c.damageAt >= 0) {
            std::string bytes;
            ASSERT_TRUE(fsys::ReadFile(path, bytes));
            bytes[static_cast<size_t>(c.damageAt)] = static_cast<char>(bytes[static_cast<size_t>(c.damageAt)] ^ 0x40);
            ASSERT_TRUE(fsys::WriteFile(path, bytes.data(), bytes.size()));
        }
        CCorraHeader read;
        ASSERT_EQ(read.GetCorraHeaderInfo(path), c.listed) << c.name;
        if (!c.listed)
            continue;
        EXPECT_EQ(read.m_csTitle1, "Chemistry") << c.name;
        EXPECT_EQ(read.m_asCollections, header.m_asCollections) << c.name;
        EXPECT_EQ(read.m_adwCollectionCounts, header.m_adwCollectionCounts) << c.name;
        EXPECT_EQ(read.GetCorraId(), "CID_5_6") << c.name;
        // The header took a part of the file, not the whole of it.
        EXPECT_LT(read.m_nBufferLength, static_cast<long>(text.size())) << c.name;
    }
}

TEST_F(CorraHeaderTest, OtherKindsAndHeaderlessFiles)
{
    CCorraHeader text;
    EXPECT_TRUE(text.GetCorraHeaderInfo(WriteHomeFile("notes.txt", "BEGIN HEADER\r\nCOUNT:4\r\nEND HEADER\r\n")));
    EXPECT_EQ(text.m_nCount, 0);
    // One header asked for two files holds the second file's fields only.
    CCorraHeader reused;
    ASSERT_TRUE(reused.GetCorraHeaderInfo(WriteHomeFile(
        "two.crr", "BEGIN HEADER\r\nCOUNT:4\r\nCOLLECTIONS:  {A||1}, {B||2}\r\nCORRAID: {CID_1_2}\r\nEND HEADER\r\n")));
    EXPECT_EQ(reused.m_asCollections.size(), 2u);
    ASSERT_TRUE(reused.GetCorraHeaderInfo(WriteHomeFile("one.crr", "BEGIN HEADER\r\nCOLLECTIONS:  {C||3}\r\nEND HEADER\r\n")));
    EXPECT_EQ(reused.m_asCollections, std::vector<CString>{"C"});
    EXPECT_EQ(reused.m_adwCollectionCounts, std::vector<DWORD>{3});
    EXPECT_EQ(reused.m_nCount, 0);
    EXPECT_TRUE(reused.m_csCorraId.IsEmpty());
    EXPECT_TRUE(reused.GetCorraHeaderInfo(text.m_csFileName));
    EXPECT_TRUE(reused.m_asCollections.empty());
    // Whatever another kind of file holds, it is read: a picture is no damaged bank.
    CCorraHeader picture;
    EXPECT_TRUE(picture.GetCorraHeaderInfo(WriteHomeFile("photo.bmp", std::string("BM\0\x01\x02\x03\0\0", 8))));
    EXPECT_EQ(picture.m_csFileName, HomePath("photo.bmp"));
    CCorraHeader absent;
    EXPECT_FALSE(absent.GetCorraHeaderInfo(HomePath("absent.txt")));

    CCorraHeader headerless;
    EXPECT_FALSE(headerless.GetCorraHeaderInfo(WriteHomeFile("bare.crr", "TITLE1: {x}\r\n")));
    CCorraHeader missing;
    EXPECT_FALSE(missing.GetCorraHeaderInfo(HomePath("missing.crr")));
}

} // namespace
