#include "foundation/ENString.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

TEST(CENString, FieldsOfTextWithEmptyField)
{
    const CENString s("a,b,,c");
    struct Row {
        int n;
        const char* sep;
        BOOL found;
        const char* field;
    };
    const Row rows[] = {
        {0, ",", TRUE, "a"},  {1, ",", TRUE, "b"},   {2, ",", TRUE, ""},
        {3, ",", TRUE, "c"},  {4, ",", FALSE, ""},   {9, ",", FALSE, ""},
        {-1, ",", FALSE, ""}, {0, "", TRUE, "a,b,,c"}, {1, "", FALSE, ""},
        {0, nullptr, TRUE, "a,b,,c"}, {1, ",,", TRUE, "c"}, {0, ";", TRUE, "a,b,,c"},
    };
    for (const Row& r : rows) {
        CENString out("junk");
        EXPECT_EQ(s.GetToken(out, r.n, r.sep), r.found) << r.n << " " << (r.sep ? r.sep : "NULL");
        EXPECT_EQ(out, r.field) << r.n << " " << (r.sep ? r.sep : "NULL");
    }
    CENString empty;
    CENString out("junk");
    EXPECT_FALSE(empty.GetToken(out, 0, ","));
    EXPECT_EQ(out, "");
}

TEST(CENString, NextTokenWalksEveryField)
{
    struct Row {
        const char* text;
        const char* sep;
        std::vector<std::string> fields;
    };
    const Row rows[] = {
        {"a,b,,c", ",", {"a", "b", "", "c"}},
        {"whole", ",", {"whole"}},
        {",x", ",", {"", "x"}},
        {"x,", ",", {"x"}},
        {"a, b, c", ", ", {"a", "b", "c"}},
        {"", ",", {}},
    };
    for (const Row& r : rows) {
        CENString s(r.text);
        CENString tok;
        std::vector<std::string> got;
        for (BOOL more = FALSE; s.GetNextToken(r.sep, tok, more); more = TRUE)
            got.emplace_back(tok.GetString());
        EXPECT_EQ(got, r.fields) << r.text;
        // A finished walk stays finished; a fresh start walks again.
        EXPECT_EQ(s.GetNextToken(r.sep, tok, TRUE), 0) << r.text;
        EXPECT_EQ(tok, "");
        EXPECT_EQ(s.GetNextToken(r.sep, tok, FALSE), r.fields.empty() ? 0 : 1) << r.text;
        // The walk never changes the text itself.
        EXPECT_EQ(s, r.text);
    }
}

TEST(CENString, NextFieldCutsInPlace)
{
    char text[] = "one::two";
    char* cursor = text;
    EXPECT_STREQ(CENString::NextField(&cursor, "::"), "one");
    EXPECT_STREQ(cursor, "two");
    EXPECT_STREQ(CENString::NextField(&cursor, "::"), "two");
    EXPECT_EQ(*cursor, '\0');
    EXPECT_EQ(CENString::NextField(&cursor, "::"), nullptr);
    EXPECT_EQ(CENString::NextField(nullptr, "::"), nullptr);
}

TEST(CENString, LeftRightClamp)
{
    const CENString s("Hello");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(0), "");
    EXPECT_EQ(s.Left(2), "He");
    EXPECT_EQ(s.Left(99), "Hello");
    EXPECT_EQ(s.Right(-3), "");
    EXPECT_EQ(s.Right(3), "llo");
    EXPECT_EQ(s.Right(99), "Hello");
    CENString d("x");
    s.AllocCopy(d, 3, 1, 4);
    EXPECT_EQ(d, "ell");
    s.AllocCopy(d, 10, 4, 0);
    EXPECT_EQ(d, "o");
    s.AllocCopy(d, 0, 0, 0);
    EXPECT_EQ(d, "");
}

TEST(CENString, CopyIsIndependent)
{
    CENString a("shared text");
    CENString b(a);
    CENString c;
    c = a;
    b.MakeUpper();
    c = "other";
    EXPECT_EQ(a, "shared text");
    EXPECT_EQ(b, "SHARED TEXT");
    EXPECT_TRUE(CString("SHARED TEXT") == b);
    EXPECT_TRUE(a != CString(b));
    // A copy starts its own field walk.
    CENString tok;
    ASSERT_EQ(a.GetNextToken(" ", tok, FALSE), 1);
    CENString d(a);
    EXPECT_EQ(d.GetNextToken(" ", tok, TRUE), 1);
    EXPECT_EQ(tok, "shared");
    EXPECT_EQ(a.GetNextToken(" ", tok, TRUE), 1);
    EXPECT_EQ(tok, "text");
}

TEST(CENString, SearchAndTrim)
{
    CENString s("  a.b.c \t\r\n");
    EXPECT_EQ(s.FindChar('.'), 3);
    EXPECT_EQ(s.ReverseFind('.'), 5);
    EXPECT_EQ(s.Find("b.c"), 4);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find(nullptr), -1);
    EXPECT_EQ(s.FindChar('z'), -1);
    s.TrimRight();
    EXPECT_EQ(s, "  a.b.c");
    s.TrimLeft();
    EXPECT_EQ(s, "a.b.c");
    CENString e;
    EXPECT_EQ(e.FindChar('a'), -1);
    EXPECT_EQ(e.ReverseFind('a'), -1);
    EXPECT_EQ(e.Find(""), -1);
    e.TrimLeft();
    e.TrimRight();
    EXPECT_TRUE(e.IsEmpty());
}

TEST(CENString, NumberAndCaseOnHighBytes)
{
    struct Row {
        const char* text;
        BOOL number;
    };
    const Row rows[] = {{"", TRUE},      {"0123", TRUE},   {"-1", FALSE},   {"+1", FALSE},
                        {"1 2", FALSE},  {" 1", FALSE},    {"1.5", FALSE},  {"\xB2", FALSE},
                        {"\xBD", FALSE}, {"12\xE9", FALSE}};
    for (const Row& r : rows)
        EXPECT_EQ(CENString(r.text).IsNumber(), r.number) << r.text;

    // Bytes above 127 (here e acute, E acute, a euro sign) pass case changes unchanged.
    CENString s("Caf\xE9 \xC9t\xE9 \x80 Zz");
    s.MakeUpper();
    EXPECT_EQ(s, "CAF\xE9 \xC9T\xE9 \x80 ZZ");
    s.MakeLower();
    EXPECT_EQ(s, "caf\xE9 \xC9t\xE9 \x80 zz");
}

TEST(CENString, KeyOrderByCodePoint)
{
    EXPECT_LT(CENString("abc").Compare("abcd"), 0);
    EXPECT_GT(CENString("abd").Compare("abcd"), 0);
    EXPECT_EQ(CENString("abc").Compare("abc"), 0);
    EXPECT_LT(CENString("B").Compare("a"), 0);
    // The euro sign (0x80) is U+20AC, after e acute (0xE9, U+00E9) in code-point order.
    EXPECT_GT(CENString("\x80").Compare("\xE9"), 0);
    EXPECT_TRUE(CENString("") < CENString("a"));
}

namespace {

std::vector<BYTE> StoreString(const char* text, size_t room)
{
    std::vector<BYTE> buf(room, 0xCC);
    CENString s(text);
    BYTE* end = s.Serialize(buf.data(), buf.data() + buf.size(), SERIALIZE_OUT);
    if (!end)
        return {};
    buf.resize(static_cast<size_t>(end - buf.data()));
    return buf;
}

} // namespace

TEST(CENString, BufferRoundTrip)
{
    CENString s("Math");
    EXPECT_EQ(s.GetSerializedSize(), 7u);
    EXPECT_EQ(s.GetMinSerializedSize(), 3u);
    std::vector<BYTE> buf = StoreString("Math", 7);
    ASSERT_EQ(buf.size(), 7u);
    EXPECT_EQ(buf[2], 'M');
    EXPECT_EQ(buf[6], 0);
    EXPECT_TRUE(StoreString("Math", 6).empty());

    CENString back("old");
    const BYTE* end = back.OnSerializeIn(buf.data(), buf.data() + buf.size());
    EXPECT_EQ(end, buf.data() + buf.size());
    EXPECT_EQ(back, "Math");

    // The other byte order: only the version word differs.
    std::swap(buf[0], buf[1]);
    CENString swapped;
    EXPECT_NE(swapped.OnSerializeIn(buf.data(), buf.data() + buf.size()), nullptr);
    EXPECT_EQ(swapped, "Math");
    EXPECT_TRUE(swapped.IsSwapped());
    // A later read of this byte order's buffer decides again.
    std::swap(buf[0], buf[1]);
    EXPECT_NE(swapped.OnSerializeIn(buf.data(), buf.data() + buf.size()), nullptr);
    EXPECT_FALSE(swapped.IsSwapped());
}

TEST(CENString, StoredLengthLimit)
{
    const WORD version = 1;
    std::vector<BYTE> buf(2 + 32001, 'x');
    std::memcpy(buf.data(), &version, 2);
    // 31999 characters and the NUL read back.
    buf[2 + 31999] = 0;
    CENString s;
    const BYTE* end = s.OnSerializeIn(buf.data(), buf.data() + buf.size());
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end, buf.data() + 2 + 32000);
    EXPECT_EQ(s.GetLength(), 31999);
    // No NUL in the first 32000 bytes: refused, the text kept.
    buf[2 + 31999] = 'x';
    buf[2 + 32000] = 0;
    EXPECT_EQ(s.OnSerializeIn(buf.data(), buf.data() + buf.size()), nullptr);
    EXPECT_EQ(s.GetLength(), 31999);
    // A buffer that ends before any NUL is refused without reading past its end.
    const BYTE shortBuf[] = {1, 0, 'a', 'b'};
    EXPECT_EQ(s.OnSerializeIn(shortBuf, shortBuf + sizeof(shortBuf)), nullptr);
    EXPECT_EQ(s.OnSerializeIn(shortBuf, shortBuf + 2), nullptr);
}

// A text the reader would cut (an inner NUL) or refuse (too long) is refused by the writer, so
// that nothing written reads back different or shifts the fields after it.
TEST(CENString, WritesOnlyWhatReadsBack)
{
    struct Row {
        std::string text;
        bool written;
    };
    const Row rows[] = {
        {std::string(31999, 'x'), true},
        {std::string(32000, 'x'), false},
        {std::string("ab\0cd", 5), false},
        {std::string("\0", 1), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.size());
        CENString s{CString(row.text)};
        std::vector<BYTE> buf(s.GetSerializedSize() + 4, 0xCC);
        BYTE* end = s.Serialize(buf.data(), buf.data() + buf.size(), SERIALIZE_OUT);
        EXPECT_EQ(end != nullptr, row.written);
        if (!end) {
            EXPECT_EQ(buf[0], 0xCC);
            continue;
        }
        CENString back;
        EXPECT_EQ(back.OnSerializeIn(buf.data(), buf.data() + buf.size()), end);
        EXPECT_EQ(back, s);
    }
}

TEST(CErrorText, MessageOfErrorNumber)
{
    CErrorText t;
    t.SetFromError(ENOENT, nullptr);
    EXPECT_FALSE(t.IsEmpty());
    const CString plain = t.GetCString();
    EXPECT_NE(plain.Right(1), "\n");
    CErrorText other;
    other.SetFromError(EACCES, nullptr);
    EXPECT_NE(other.GetCString(), plain);
    t.SetFromError(ENOENT, "while opening x.crr");
    EXPECT_EQ(t.GetCString(), plain + "\nwhile opening x.crr");
    t = nullptr;
    EXPECT_TRUE(t.IsEmpty());
}
