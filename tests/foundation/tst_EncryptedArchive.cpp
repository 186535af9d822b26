#include "foundation/EncryptedArchive.h"

#include "platform/core/FileSys.h"
#include "platform/core/Random.h"
#include "tests/support/CorraTest.h"

namespace {

using EncryptedArchiveTest = CorraTest;

const char kFixtureText[] =
    "BEGIN HEADER\r\nCORRAID: CID_12_345\r\nEND HEADER\r\n\r\nTITLE1: { \r\nCipher fixture \xE9t\xE9\r\n}\r\n";

BOOL Save(const CString& path, const std::string& text, long initialSize = 4096)
{
    CEncryptedArchive ar(path, TRUE, initialSize);
    ar.GrowBuffer(text.data(), static_cast<long>(text.size()));
    return ar.Commit();
}

std::string Load(const CString& path, CEncryptedArchive::ReadKind expected)
{
    CEncryptedArchive ar(path, FALSE);
    EXPECT_EQ(ar.GetReadKind(), expected) << path.GetString();
    const char* text = ar.GetText(TRUE, TRUE, 5);
    return text ? std::string(text, static_cast<size_t>(ar.GetTextLength())) : std::string("<none>");
}

std::string ReadBytes(const CString& path)
{
    std::string bytes;
    fsys::ReadFile(path, bytes);
    return bytes;
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    ASSERT_TRUE(fsys::WriteFile(path, bytes.data(), bytes.size()));
}

TEST_F(EncryptedArchiveTest, WriteThenReadGivesTheText)
{
    const std::string texts[] = {"", "a", kFixtureText, std::string(5000, 'q') + "\r\n", "ends in \xE9"};
    for (const std::string& text : texts) {
        CString path = HomePath("doc.crr");
        ASSERT_TRUE(Save(path, text));
        EXPECT_EQ(fsys::GetSize(path), static_cast<long long>(text.size() + 1 + 9));
        EXPECT_EQ(ReadBytes(path).find("BEGIN"), std::string::npos);

        CEncryptedArchive ar(path, FALSE);
        EXPECT_EQ(ar.GetResult(), 0);
        EXPECT_TRUE(ar.WasEncrypted());
        EXPECT_EQ(ar.GetReadKind(), CEncryptedArchive::readEnciphered);
        const char* read = ar.GetText(TRUE, TRUE, 5);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(std::string(read), text);
        EXPECT_EQ(ar.GetFileName(), path);
    }
}

TEST_F(EncryptedArchiveTest, TheStoredFormatStaysTheSame)
{
    // Made once by the program; a change of key, cipher or block layout shows here.
    CString fixture = TestDataPath("cipher/sample.crr");
    EXPECT_EQ(Load(fixture, CEncryptedArchive::readEnciphered), kFixtureText);
    ASSERT_TRUE(Save(HomePath("again.crr"), kFixtureText));
    EXPECT_EQ(ReadBytes(HomePath("again.crr")), ReadBytes(fixture));
}

TEST_F(EncryptedArchiveTest, PlainFilesAreReadAndFlaggedPlain)
{
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"BEGIN HEADER\r\nEND HEADER\r\n", "BEGIN HEADER\r\nEND HEADER\r\n"},
        {std::string("written plain\r\n\0", 16), "written plain\r\n"},
        {"tab\tand form\f feed \xE9\r\n", "tab\tand form\f feed \xE9\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        WriteBytes(HomePath("plain.crr"), c.bytes);
        CEncryptedArchive ar(HomePath("plain.crr"), FALSE);
        EXPECT_EQ(ar.GetResult(), 0);
        EXPECT_FALSE(ar.WasEncrypted());
        EXPECT_EQ(Load(HomePath("plain.crr"), CEncryptedArchive::readPlain), c.text);
    }
}

TEST_F(EncryptedArchiveTest, AFlippedByteIsACheckMismatch)
{
    CString path = HomePath("doc.crr");
    ASSERT_TRUE(Save(path, kFixtureText));
    std::string bytes = ReadBytes(path);
    bytes[20] = static_cast<char>(bytes[20] ^ 0x01);
    WriteBytes(path, bytes);

    CEncryptedArchive ar(path, FALSE);
    EXPECT_EQ(ar.GetReadKind(), CEncryptedArchive::readCheckMismatch);
    EXPECT_TRUE(ar.WasEncrypted());
    // The deciphered text is still there, one character off.
    std::string text = ar.GetText(TRUE, TRUE, 5);
    ASSERT_EQ(text.size(), std::string(kFixtureText).size());
    EXPECT_NE(text, kFixtureText);
}

TEST_F(EncryptedArchiveTest, CutOrLengthenedBlocksAreNotTakenForText)
{
    std::string saved;
    ASSERT_TRUE(Save(HomePath("doc.crr"), kFixtureText));
    saved = ReadBytes(HomePath("doc.crr"));
    const std::string damaged[] = {
        saved.substr(0, saved.size() - 1),
        saved.substr(0, saved.size() - 30),
        saved.substr(0, 12),
        saved + "\r\n",
    };
    for (const std::string& bytes : damaged) {
        WriteBytes(HomePath("bad.crr"), bytes);
        CEncryptedArchive ar(HomePath("bad.crr"), FALSE);
        EXPECT_EQ(ar.GetReadKind(), CEncryptedArchive::readUnrecognised) << bytes.size();
        EXPECT_EQ(ar.GetResult(), 1);
        EXPECT_EQ(ar.GetText(TRUE, TRUE, 5), nullptr);
    }
}

TEST_F(EncryptedArchiveTest, BinaryAndMissingFilesFail)
{
    CRandom rng(3);
    std::string noise;
    for (int i = 0; i < 200; ++i)
        noise += static_cast<char>(rng.Next() & 0xFF);
    WriteBytes(HomePath("noise.crr"), noise);
    EXPECT_EQ(Load(HomePath("noise.crr"), CEncryptedArchive::readUnrecognised), "<none>");

    CEncryptedArchive missing(HomePath("missing.crr"), FALSE);
    EXPECT_EQ(missing.GetResult(), 1);
    EXPECT_EQ(missing.GetReadKind(), CEncryptedArchive::readFailed);
}

TEST_F(EncryptedArchiveTest, NothingIsWrittenWithoutCommit)
{
    CString path = HomePath("doc.crr");
    ASSERT_TRUE(Save(path, "old text"));
    std::string before = ReadBytes(path);
    {
        CEncryptedArchive ar(path, TRUE);
        ar.GrowBuffer("new text");
    }
    EXPECT_EQ(ReadBytes(path), before);

    CEncryptedArchive nowhere(HomePath("no/such/folder/doc.crr"), TRUE);
    nowhere.GrowBuffer("text");
    EXPECT_FALSE(nowhere.Commit());

    CEncryptedArchive loading(path, FALSE);
    EXPECT_FALSE(loading.Commit());
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(EncryptedArchiveTest, AppendingAfterACommitWritesTheWholeTextAgain)
{
    // The block is enciphered in the archive's own buffer; appending afterwards must see the text.
    CEncryptedArchive ar(HomePath("doc.crr"), TRUE, 16);
    ar.GrowBuffer("first part\r\n");
    ASSERT_TRUE(ar.Commit());
    ar.GrowBuffer("second part\r\n");
    ASSERT_TRUE(ar.Commit());
    ASSERT_TRUE(ar.Commit());
    EXPECT_EQ(Load(HomePath("doc.crr"), CEncryptedArchive::readEnciphered), "first part\r\nsecond part\r\n");
}

TEST_F(EncryptedArchiveTest, TrimmedAndUntrimmedTextsFromOneArchive)
{
    const std::string text = std::string(200, 't') + "\r\n";
    const std::string tail("\x01\x02", 2);
    WriteBytes(HomePath("plain.crr"), text + tail);
    CEncryptedArchive ar(HomePath("plain.crr"), FALSE);
    const char* trimmed = ar.GetText(TRUE, TRUE, 5);
    ASSERT_NE(trimmed, nullptr);
    EXPECT_EQ(std::string(trimmed), text);
    EXPECT_EQ(ar.GetTextLength(), static_cast<long>(text.size()));
    const char* whole = ar.GetText(TRUE, FALSE, 0);
    EXPECT_EQ(std::string(whole, static_cast<size_t>(ar.GetTextLength())), text + tail);
}

TEST_F(EncryptedArchiveTest, BufferGrowsByItsStep)
{
    CEncryptedArchive ar(HomePath("doc.crr"), TRUE, 16);
    EXPECT_EQ(ar.GetBufferSize(), 16);
    // Filling the buffer exactly leaves no room for the NUL: it grows at once.
    ar.GrowBuffer("0123456789abcdef", 16);
    EXPECT_EQ(ar.GetBufferSize(), 16 + 16 + 16);
    std::string text = "0123456789abcdef";
    for (int i = 0; i < 100; ++i) {
        ar.GrowBuffer("record\r\n");
        text += "record\r\n";
    }
    EXPECT_EQ(ar.GetWrittenLength(), static_cast<long>(text.size()));
    ASSERT_TRUE(ar.Commit());
    EXPECT_EQ(Load(HomePath("doc.crr"), CEncryptedArchive::readEnciphered), text);

    CEncryptedArchive big(HomePath("big.crr"), TRUE, 100000);
    big.GrowBuffer(std::string(100000, 'x').c_str());
    EXPECT_EQ(big.GetBufferSize(), 100000 + 65536 + 100000);
}

} // namespace
