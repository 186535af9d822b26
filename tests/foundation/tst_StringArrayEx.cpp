#include "foundation/StringArrayEx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const CStringArray& a)
{
    std::vector<std::string> out;
    for (const CString& s : a)
        out.push_back(s.str());
    return out;
}

CStringArrayEx Array(const std::vector<std::string>& items)
{
    CStringArrayEx a;
    for (const std::string& s : items)
        a.Add(CString(s));
    return a;
}

} // namespace

TEST(CStringArrayEx, JoinThenSetFromListRoundTrips)
{
    const std::vector<std::vector<std::string>> lists = {
        {},
        {"Math"},
        {"Math", "Physics"},
        {"Algebra, Linear", "Geometry"},
        {" padded ", "", "a,b,c"},
        {"x"},
    };
    for (const auto& items : lists) {
        const CStringArrayEx a = Array(items);
        CStringArrayEx back = Array({"stale"});
        back.SetFromList(a.Join());
        EXPECT_EQ(Items(back), items) << a.Join().str();
    }
    EXPECT_EQ(Array({"Math", "Physics"}).Join(), "{Math}, {Physics}");
    EXPECT_EQ(Array({}).Join(), "");
}

TEST(CStringArrayEx, SetFromListTable)
{
    struct Row {
        const char* text;
        std::vector<std::string> items;
    };
    const Row rows[] = {
        {"", {}},
        {"   \t ", {}},
        {"{Algebra, Linear}", {"Algebra, Linear"}},
        {"  {A},{B} ,  {C}  ", {"A", "B", "C"}},
        {"Math", {"Math"}},
        {" Math ,  Physics", {"Math", "Physics"}},
        {"{A},,{B}", {"A", "", "B"}},
        {"{A},", {"A"}},
        {"{open, to the end", {"open, to the end"}},
        {"{A} tail, {B}", {"A", "B"}},
    };
    for (const Row& r : rows) {
        CStringArrayEx a;
        a.SetFromList(r.text);
        EXPECT_EQ(Items(a), r.items) << r.text;
    }
}

TEST(CStringArrayEx, QuoteAndUnquote)
{
    EXPECT_EQ(CStringArrayEx::Quote("a b"), "{a b}");
    EXPECT_EQ(CStringArrayEx::Unquote("x{ a b }y"), " a b ");
    EXPECT_EQ(CStringArrayEx::Unquote("{open"), "open");
    EXPECT_EQ(CStringArrayEx::Unquote("none"), "");
    const CStringArrayEx a = Array({"one", "two"});
    EXPECT_EQ(a.GetQuotedAt(1), "{two}");
    EXPECT_EQ(a.GetQuotedAt(2), "");
    EXPECT_EQ(a.GetQuotedAt(-1), "");
}

TEST(CStringArrayEx, Lookups)
{
    const CStringArrayEx a = Array({"Algebra", "Linear Algebra", "geometry", "Caf\xE9"});
    EXPECT_EQ(a.FindExact("GEOMETRY", FALSE), 2);
    EXPECT_EQ(a.FindExact("GEOMETRY", TRUE), -1);
    EXPECT_EQ(a.FindExact("Algebr", FALSE), -1);
    EXPECT_EQ(a.FindExact("caf\xE9", FALSE), 3);
    EXPECT_EQ(a.FindSubstring("algebra", FALSE), 0);
    EXPECT_EQ(a.FindSubstring("ar Alg", TRUE), 1);
    EXPECT_EQ(a.FindSubstring("metr", TRUE), 2);
    EXPECT_EQ(a.FindSubstring("Metr", TRUE), -1);
    EXPECT_EQ(a.FindSubstring("xyz", FALSE), -1);
}

TEST(CStringArrayEx, PopFrontAndCopies)
{
    CStringArrayEx a = Array({"first", "second"});
    CStringArray plain;
    a.CopyTo(plain);
    EXPECT_EQ(a.PopFront(), "first");
    EXPECT_EQ(a.PopFront(), "second");
    EXPECT_EQ(a.PopFront(), "");
    EXPECT_TRUE(a.IsEmpty());
    a.Copy(plain);
    EXPECT_EQ(Items(a), (std::vector<std::string>{"first", "second"}));
}
