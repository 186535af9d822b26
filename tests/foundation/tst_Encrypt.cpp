#include "foundation/Encrypt.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Random.h"
#include "tests/support/CorraTest.h"

#include <cstring>
#include <vector>

namespace {

using EncryptTest = CorraTest;

std::vector<BYTE> Bytes(const char* s, size_t n)
{
    return std::vector<BYTE>(reinterpret_cast<const BYTE*>(s), reinterpret_cast<const BYTE*>(s) + n);
}

TEST_F(EncryptTest, TheCipherIsItsOwnInverse)
{
    std::vector<BYTE> data = Bytes("The quick brown fox\r\n\xE9", 22);
    std::vector<BYTE> original = data;
    ASSERT_EQ(EncryptBuffer(data.data(), 22, -1), 22);
    EXPECT_NE(data, original);
    std::vector<BYTE> once = data;
    ASSERT_EQ(EncryptBuffer(data.data(), 22, 22), 22);
    EXPECT_EQ(data, original);

    // Another seed gives another stream; seed 0 builds no key and leaves the data alone.
    ASSERT_EQ(EncryptBuffer(data.data(), 22, 23), 22);
    EXPECT_NE(data, once);
    std::vector<BYTE> before = data;
    EXPECT_EQ(EncryptBuffer(data.data(), 22, 0), 0);
    EXPECT_EQ(data, before);
}

TEST_F(EncryptTest, KeysAreBuiltWithoutTouchingTheProgramsRandomSequence)
{
    CorraSrand(5);
    int first = CorraRand();
    CorraSrand(5);
    std::vector<BYTE> key;
    for (long seed = 1; seed < 300; ++seed) {
        ASSERT_TRUE(BuildKey(seed, key));
        EXPECT_GE(key.size(), 16u);
        EXPECT_LE(key.size(), 64u);
    }
    EXPECT_FALSE(BuildKey(0, key));
    EXPECT_TRUE(key.empty());
    EXPECT_EQ(CorraRand(), first);
}

TEST_F(EncryptTest, CheckValue)
{
    struct Case {
        const char* bytes;
        long n;
        long expected;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"\x01", 1, 1},
        {"\xFF", 1, -1},  // bytes count as signed
        {"ab", 2, 97 * 31 + 98},
        {"\x80\x80", 2, -128 * 31 - 128},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeCheckValue(reinterpret_cast<const BYTE*>(c.bytes), c.n), c.expected) << c.n;
    // Long input wraps in 32 bits.
    std::vector<BYTE> many(1000, 'z');
    long h = ComputeCheckValue(many.data(), 1000);
    EXPECT_GE(h, INT32_MIN);
    EXPECT_LE(h, INT32_MAX);
}

TEST_F(EncryptTest, MarkedBlockRoundTrip)
{
    const char text[] = "BEGIN HEADER\r\n";
    const long n = sizeof(text);  // with its NUL
    CSignedEncrypt block;
    ASSERT_TRUE(block.SetData(reinterpret_cast<const BYTE*>(text), n, -1));
    EXPECT_FALSE(block.IsMarked());
    ASSERT_EQ(block.GetLength(), n + ENCRYPT_BLOCK_OVERHEAD);
    const BYTE marker[] = {0x45, 0xEF, 0x23, 0x89, 0x67};
    EXPECT_EQ(std::memcmp(block.GetBuffer(), marker, 5), 0);
    ASSERT_TRUE(block.Encrypt());
    EXPECT_TRUE(IsMarkedBlock(block.GetBuffer(), block.GetLength(), -1));
    EXPECT_FALSE(IsMarkedBlock(block.GetBuffer(), block.GetLength() - 1, -1));
    EXPECT_TRUE(LooksLikeDamagedBlock(block.GetBuffer(), block.GetLength() - 3));

    CSignedEncryptReader reader;
    reader.SetData(block.GetBuffer(), block.GetLength(), -1);
    ASSERT_TRUE(reader.IsMarked());
    EXPECT_TRUE(reader.Decrypt());
    ASSERT_EQ(reader.GetLength(), n);
    EXPECT_STREQ(reinterpret_cast<const char*>(reader.GetBuffer()), text);

    // Wrapping an enciphered block again is noticed.
    CSignedEncrypt twice;
    twice.SetData(block.GetBuffer(), block.GetLength(), -1);
    EXPECT_TRUE(twice.IsMarked());
}

TEST_F(EncryptTest, TheAlternativeMarkerIsAccepted)
{
    std::vector<BYTE> block = Bytes("ABCDEdata", 9);
    EncryptBuffer(block.data(), 9, -1);
    EXPECT_TRUE(IsMarkedBlock(block.data(), 9, -1));
    EXPECT_FALSE(LooksLikeDamagedBlock(reinterpret_cast<const BYTE*>("plain text"), 10));
}

TEST_F(EncryptTest, ADamagedBlockIsKnownUnderEveryKeyTheCipherBuilds)
{
    // One seed for every first key byte (the schedule uses no other), and the first bytes of
    // its keystream as the cipher itself gives them.
    std::vector<std::vector<BYTE>> streams;
    std::vector<bool> seen(256, false);
    for (long seed = 1; seed < 200000 && streams.size() < 256; ++seed) {
        std::vector<BYTE> key;
        ASSERT_TRUE(BuildKey(seed, key));
        if (seen[key[0]])
            continue;
        seen[key[0]] = true;
        std::vector<BYTE> stream(ENCRYPT_MARKER_SIZE, 0);
        EncryptBuffer(stream.data(), ENCRYPT_MARKER_SIZE, seed);
        streams.push_back(stream);
    }
    ASSERT_EQ(streams.size(), 256u);
    const BYTE marker[] = {0x45, 0xEF, 0x23, 0x89, 0x67};
    auto expected = [&](const BYTE* p) {
        for (const auto& stream : streams) {
            int i = 0;
            while (i < ENCRYPT_MARKER_SIZE && (p[i] ^ stream[static_cast<size_t>(i)]) == marker[i])
                ++i;
            if (i == ENCRYPT_MARKER_SIZE)
                return true;
        }
        return false;
    };
    for (const auto& stream : streams) {
        std::vector<BYTE> head(64, 'x');
        for (int i = 0; i < ENCRYPT_MARKER_SIZE; ++i)
            head[static_cast<size_t>(i)] = marker[i] ^ stream[static_cast<size_t>(i)];
        for (long n : {5L, 6L, 64L})
            EXPECT_TRUE(LooksLikeDamagedBlock(head.data(), n));
        EXPECT_FALSE(LooksLikeDamagedBlock(head.data(), 4));
        // Any one bit changed in the head: known exactly when some other key still fits.
        for (int bit = 0; bit < 8 * ENCRYPT_MARKER_SIZE; ++bit) {
            std::vector<BYTE> changed = head;
            changed[static_cast<size_t>(bit / 8)] ^= static_cast<BYTE>(1 << (bit % 8));
            EXPECT_EQ(LooksLikeDamagedBlock(changed.data(), 64) != FALSE, expected(changed.data()));
        }
    }
    CRandom rng(7);
    for (int k = 0; k < 5000; ++k) {
        BYTE p[ENCRYPT_MARKER_SIZE];
        for (BYTE& b : p)
            b = static_cast<BYTE>(rng.Next() & 0xFF);
        EXPECT_EQ(LooksLikeDamagedBlock(p, ENCRYPT_MARKER_SIZE) != FALSE, expected(p));
    }
}

TEST_F(EncryptTest, UnmarkedDataStandsInTheReader)
{
    CSignedEncryptReader reader;
    reader.SetData(reinterpret_cast<const BYTE*>("plain"), 5, -1);
    EXPECT_FALSE(reader.IsMarked());
    EXPECT_TRUE(reader.Decrypt());
    EXPECT_EQ(reader.GetLength(), 5);
    CString out;
    EXPECT_TRUE(reader.ToCString(out));
    EXPECT_EQ(out, "plain");
}

TEST_F(EncryptTest, TextAccess)
{
    CEncrypt buffer;
    EXPECT_NE(buffer.GetStatus(), 0);
    EXPECT_FALSE(buffer.SetFromString(""));
    EXPECT_EQ(buffer.GetString(TRUE), nullptr);
    EXPECT_FALSE(buffer.IsValidText());

    ASSERT_TRUE(buffer.SetFromString("abc"));
    EXPECT_EQ(buffer.GetStatus(), 0);
    EXPECT_STREQ(buffer.GetString(TRUE), "abc");
    CString out;
    EXPECT_TRUE(buffer.ToCString(out));
    EXPECT_EQ(out, "abc");

    buffer.SetData(reinterpret_cast<const BYTE*>("a\0c"), 3, -1);
    EXPECT_FALSE(buffer.IsValidText());
    buffer.SetData(reinterpret_cast<const BYTE*>("ab\0"), 3, -1);
    EXPECT_TRUE(buffer.ToCString(out));
    EXPECT_EQ(out, "ab");
}

TEST_F(EncryptTest, FilesRoundTripAndFailuresKeepTheData)
{
    CEncrypt out;
    ASSERT_TRUE(out.SetFromString("file text"));
    ASSERT_TRUE(out.Encrypt());
    ASSERT_TRUE(out.ToFile(HomePath("x.bin")));

    CEncrypt in;
    ASSERT_EQ(in.FromFile(HomePath("x.bin")), 9);
    ASSERT_TRUE(in.Decrypt());
    EXPECT_STREQ(in.GetString(TRUE), "file text");

    EXPECT_EQ(in.FromFile(HomePath("missing.bin")), 9);
    EXPECT_STREQ(in.GetString(TRUE), "file text");
    EXPECT_NE(GetLogBuffer().Find("****** CEncrypt::FromFile() - DOESNOTEXIST..."), -1);
    EXPECT_NE(GetLogBuffer().Find(HomePath("missing.bin")), -1);

    // An empty file is told like a failed allocation.
    ASSERT_TRUE(fsys::WriteFile(HomePath("empty.bin"), "", 0));
    EXPECT_EQ(in.FromFile(HomePath("empty.bin")), 0);
    EXPECT_NE(GetLogBuffer().Find("****** CEncrypt::FromFile() - FAILALLOCATE...\r\n****** " + HomePath("empty.bin")), -1);

    // A signed buffer wraps what it reads.
    CSignedEncrypt signedIn;
    ASSERT_EQ(signedIn.FromFile(HomePath("x.bin")), 9 + ENCRYPT_BLOCK_OVERHEAD);
    EXPECT_EQ(std::memcmp(signedIn.GetBuffer() + 5, out.GetBuffer(), 9), 0);
}

} // namespace
