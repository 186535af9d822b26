#include "foundation/SerialMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

template <typename M>
std::vector<std::string> Keys(const M& m)
{
    std::vector<std::string> out;
    for (const auto& [key, value] : m)
        out.emplace_back(static_cast<LPCSTR>(key));
    return out;
}

} // namespace

TEST(CSerialMap, LookupIsExact)
{
    CIntIntMap ints;
    ints.Insert(10, 1);
    ints.Insert(20, 2);
    int out = -7;
    for (int key : {5, 15, 19, 21, -10}) {
        EXPECT_FALSE(ints.Lookup(key, out)) << key;
        EXPECT_FALSE(ints.Contains(key)) << key;
    }
    EXPECT_EQ(out, -7);
    EXPECT_TRUE(ints.Lookup(20, out));
    EXPECT_EQ(out, 2);

    CStringIntMap texts;
    texts.Insert("apple", 1);
    texts.Insert("cherry", 3);
    EXPECT_FALSE(texts.Contains("banana"));
    EXPECT_FALSE(texts.Contains("Apple"));
    EXPECT_FALSE(texts.Contains("appl"));
    EXPECT_TRUE(texts.Contains("cherry"));

    CLinkMap links;
    int record = 0;
    links.Insert(CENString("/a/x.crr"), &record);
    void* found = nullptr;
    EXPECT_FALSE(links.Lookup(CENString("/a/X.crr"), found));
    EXPECT_TRUE(links.Lookup(CENString("/a/x.crr"), found));
    EXPECT_EQ(found, &record);

    CUIntIntMap big;
    big.Insert(0x80000000u, 1);
    big.Insert(1u, 2);
    EXPECT_EQ(big.begin()->first, 1u);
}

TEST(CSerialMap, InsertKeepsSetTextReplaces)
{
    CIntValueMap sizes;
    EXPECT_EQ(sizes.Insert(19, 0.33), 1);
    EXPECT_EQ(sizes.Insert(19, 0.5), 1);
    double d = 0;
    ASSERT_TRUE(sizes.Lookup(19, d));
    EXPECT_EQ(d, 0.33);

    CIntTextMap answers;
    EXPECT_EQ(answers.SetText(20, "first"), 0);
    EXPECT_EQ(answers.SetText(20, "second"), 1);
    EXPECT_EQ(answers.GetText(20), "second");
    EXPECT_EQ(answers.GetText(21), "");
    answers.Insert(20, "third");
    EXPECT_EQ(answers.GetText(20), "second");
    EXPECT_EQ(answers.GetCount(), 1);
}

TEST(CSerialMap, KeyOrders)
{
    CENStringIntMap en;
    CStringIntMap bytes;
    for (const char* k : {"abd", "abc", "ab", "B", "a", "\x80", "\xE9"}) {
        en.Insert(CENString(k), 0);
        bytes.Insert(k, 0);
    }
    // Code points: the euro sign (U+20AC) sorts after e acute (U+00E9).
    EXPECT_EQ(Keys(en), (std::vector<std::string>{"B", "a", "ab", "abc", "abd", "\xE9", "\x80"}));
    // Bytes: upper-case before lower-case, 0x80 before 0xE9.
    EXPECT_EQ(Keys(bytes), (std::vector<std::string>{"B", "a", "ab", "abc", "abd", "\x80", "\xE9"}));
}

TEST(CSerialMap, ClearAndCopy)
{
    CIntIntMap m;
    m.Clear();
    EXPECT_TRUE(m.IsEmpty());
    m.Insert(1, 1);
    m.Insert(2, 2);
    CIntIntMap copy(m);
    m.Clear();
    EXPECT_TRUE(m.IsEmpty());
    m.Insert(3, 3);
    EXPECT_EQ(m.GetCount(), 1);
    EXPECT_EQ(copy.GetCount(), 2);
    copy = m;
    EXPECT_TRUE(copy.Contains(3));
    EXPECT_FALSE(copy.Contains(1));

    // Erasing a range of keys.
    for (int k = 10; k < 15; ++k)
        copy.Insert(k, k);
    copy.erase(copy.lower_bound(11), copy.upper_bound(13));
    EXPECT_EQ(copy.GetCount(), 3);
    EXPECT_TRUE(copy.Contains(14));

    CFontMap fonts;
    LOGFONT lf;
    lf.lfHeight = -13;
    SetLogFontFaceName(lf, "Liberation Serif");
    fonts.Insert(7, lf);
    lf.lfHeight = 99;
    LOGFONT out;
    ASSERT_TRUE(fonts.Lookup(7, out));
    EXPECT_EQ(out.lfHeight, -13);
    EXPECT_STREQ(out.lfFaceName, "Liberation Serif");
}

TEST(CStringCountMap, CountsOccurrences)
{
    CStringCountMap ids;
    EXPECT_EQ(ids.AddOccurrence("1234"), 1);
    EXPECT_EQ(ids.AddOccurrence("1234"), 2);
    EXPECT_EQ(ids.AddOccurrence("1234"), 3);
    EXPECT_EQ(ids.AddOccurrence("5678"), 1);
    EXPECT_EQ(ids.GetCount(), 2);
}

TEST(CLinkMap, OneRecordPerFileCountingItsLinks)
{
    struct Link {
        const char* path;
    };
    struct File {
        CString path;
        int links = 1;
    };
    Link links[] = {{"/b/Bank.crr"}, {""}, {"/a/Bank.crr"}, {"\\b\\Bank.crr"}, {"/b/bank.crr"}, {"/b/Bank.crr"}};
    CPtrListEx list;
    for (Link& link : links)
        list.AddTail(&link);
    std::vector<std::unique_ptr<File>> files;
    CLinkMap map;
    map.Insert(CLinkMap::KeyOf("/stale.crr"), nullptr);
    int count = map.Fill(
        list, [](void* p) { return static_cast<Link*>(p)->path; },
        [&](void* p) {
            files.push_back(std::make_unique<File>(File{static_cast<Link*>(p)->path}));
            return static_cast<void*>(files.back().get());
        },
        [](void* record, void*) { ++static_cast<File*>(record)->links; });
    // Separators do not matter, case does; the map was emptied first; keys in order.
    ASSERT_EQ(count, 3);
    std::vector<std::pair<CString, int>> seen;
    for (const auto& [key, record] : map)
        seen.emplace_back(static_cast<File*>(record)->path, static_cast<File*>(record)->links);
    const std::vector<std::pair<CString, int>> expected = {{"/a/Bank.crr", 1}, {"/b/Bank.crr", 3}, {"/b/bank.crr", 1}};
    EXPECT_EQ(seen, expected);

    BOOL isNew = TRUE;
    EXPECT_EQ(map.AddLink("/a/Bank.crr", [] { return static_cast<void*>(nullptr); }, &isNew), seen.empty() ? nullptr : map.begin()->second);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(map.AddLink("", [&] { return static_cast<void*>(&isNew); }, &isNew), nullptr);
    EXPECT_EQ(map.GetCount(), 3);
}
