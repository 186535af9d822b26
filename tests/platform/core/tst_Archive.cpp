#include "platform/core/Archive.h"
#include "platform/core/Collections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {
std::string Bytes(const CArchive& ar)
{
    return std::string(ar.GetData().begin(), ar.GetData().end());
}
} // namespace

TEST(Archive, NumbersAreLittleEndianAndRoundTrip)
{
    CArchive out;
    out << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << -2 << static_cast<DWORD>(0x89ABCDEF)
        << 0.1 << 2.5f << static_cast<SHORT>(-1) << CTime(1700000000);
    EXPECT_EQ(Bytes(out).substr(0, 11), std::string("\xAB\x34\x12\xFE\xFF\xFF\xFF\xEF\xCD\xAB\x89", 11));
    EXPECT_EQ(out.GetData().size(), 1u + 2 + 4 + 4 + 8 + 4 + 2 + 4);

    CArchive in(out.GetData().data(), out.GetData().size());
    BYTE b = 0;
    WORD w = 0;
    int i = 0;
    DWORD d = 0;
    double x = 0;
    float f = 0;
    SHORT sh = 0;
    CTime t;
    in >> b >> w >> i >> d >> x >> f >> sh >> t;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(d, 0x89ABCDEFu);
    EXPECT_EQ(x, 0.1);  // exactly: the bits travel
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(sh, -1);
    EXPECT_EQ(t.GetTime(), 1700000000);
    EXPECT_TRUE(in.IsBufferEmpty());
}

TEST(Archive, StringAndCountPrefixesChangeWidthAtTheirLimits)
{
    struct Case {
        int length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    for (const Case& c : cases) {
        CString s(std::string(static_cast<size_t>(c.length), 'q'));
        CArchive out;
        out << s;
        EXPECT_EQ(Bytes(out).substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(out.GetData().size(), c.prefix.size() + static_cast<size_t>(c.length));
        CArchive in(out.GetData().data(), out.GetData().size());
        CString back("x");
        in >> back;
        EXPECT_EQ(back, s) << c.length;
    }
    CArchive counts;
    counts.WriteCount(0xFFFE);
    counts.WriteCount(0xFFFF);
    EXPECT_EQ(Bytes(counts), std::string("\xFE\xFF\xFF\xFF\xFF\xFF\x00\x00", 8));
    CArchive in(counts.GetData().data(), counts.GetData().size());
    EXPECT_EQ(in.ReadCount(), 0xFFFEu);
    EXPECT_EQ(in.ReadCount(), 0xFFFFu);
}

TEST(Archive, StringArraysKeepTheirItemsAndHighBytes)
{
    CStringArray a;
    a.Add("Algebra");
    a.Add("");
    a.Add("caf\xE9; {x}");
    CArchive out;
    a.Serialize(out);
    CArchive in(out.GetData().data(), out.GetData().size());
    CStringArray b;
    b.Add("old");
    b.Serialize(in);
    ASSERT_EQ(b.GetSize(), 3);
    EXPECT_EQ(b[0], "Algebra");
    EXPECT_EQ(b[1], "");
    EXPECT_EQ(b[2], "caf\xE9; {x}");
}

TEST(Archive, ACutOrForeignFormThrowsInsteadOfInventingValues)
{
    const std::string cases[] = {
        std::string("\x01", 1),                        // a WORD cut in half
        std::string("\x05" "ab", 3),                   // a string longer than what is left
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7),  // a 2 GB string in seven bytes
        std::string("\xFF\xFE\xFF\x02", 4),           // a wide string
    };
    for (const std::string& c : cases) {
        CArchive in(c.data(), c.size());
        WORD w = 0;
        CString s;
        if (c.size() == 1)
            EXPECT_THROW(in >> w, CArchiveException);
        else
            EXPECT_THROW(in >> s, CArchiveException);
    }
    // A count of 65535 items over two bytes of data stops at the first missing item.
    const std::string count("\xFF\xFF\xFF\xFF\x00\x00\x01" "a", 8);
    CArchive in(count.data(), count.size());
    CStringArray a;
    a.Add("kept");
    EXPECT_THROW(a.Serialize(in), CArchiveException);
    ASSERT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a[0], "kept");
}

TEST(Archive, ANumberThatIsNoNumberIsRefused)
{
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 0.25};
    for (double v : values) {
        CArchive out;
        out << v;
        CArchive in(out.GetData().data(), out.GetData().size());
        if (std::isfinite(v))
            EXPECT_EQ(in.ReadFiniteDouble(), v);
        else
            EXPECT_THROW(in.ReadFiniteDouble(), CArchiveException);
    }
}
