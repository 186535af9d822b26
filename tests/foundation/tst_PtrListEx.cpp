#include "foundation/PtrListEx.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<void*> Items(const CPtrListEx& l)
{
    std::vector<void*> out;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        out.push_back(l.GetNext(pos));
    return out;
}

} // namespace

TEST(CPtrListEx, IndexOperations)
{
    int a = 0, b = 0, c = 0, d = 0;
    CPtrListEx l;
    l.InsertAt(&a, 0); // no element 0 yet: nothing happens
    EXPECT_TRUE(l.IsEmpty());
    l.AddTail(&a);
    l.AddTail(&b);
    l.InsertAt(&c, 2); // index == count: never appends
    EXPECT_EQ(Items(l), (std::vector<void*>{&a, &b}));
    EXPECT_EQ(l.GetAt(2), nullptr);
    EXPECT_EQ(l.GetAt(-1), nullptr);
    l.InsertAt(&c, 1);
    l.InsertAt(&d, 0);
    EXPECT_EQ(Items(l), (std::vector<void*>{&d, &a, &c, &b}));
    EXPECT_EQ(l.GetAt(0), &d);
    EXPECT_EQ(l.GetAt(3), &b);
    l.RemoveAt(4);
    l.RemoveAt(-1);
    EXPECT_EQ(l.GetCount(), 4);
    l.RemoveAt(1);
    EXPECT_EQ(Items(l), (std::vector<void*>{&d, &c, &b}));
}

TEST(CPtrListEx, CopiesPointersOnlyAndDeletesNothing)
{
    auto owned = std::make_unique<int>(42);
    int other = 0;
    CPtrListEx copy;
    {
        CPtrListEx l;
        l.AddTail(owned.get());
        l.AddTail(&other);
        copy.AddTail(&other);
        copy = l;
        CPtrListEx constructed(l);
        EXPECT_EQ(Items(copy), Items(l));
        EXPECT_EQ(Items(constructed), Items(l));
        copy = copy;
        EXPECT_EQ(copy.GetCount(), 2);
    }
    // The source list is gone; the object it pointed to is untouched (ASan would object).
    EXPECT_EQ(*static_cast<int*>(copy.GetAt(0)), 42);

    copy.AppendList(copy);
    EXPECT_EQ(Items(copy), (std::vector<void*>{owned.get(), &other, owned.get(), &other}));
}

TEST(CPtrListEx, IsPrefixOf)
{
    int a = 0, b = 0, c = 0;
    CPtrListEx empty, ab, abc, ac;
    ab.AddTail(&a);
    ab.AddTail(&b);
    abc = ab;
    abc.AddTail(&c);
    ac.AddTail(&a);
    ac.AddTail(&c);
    EXPECT_TRUE(empty.IsPrefixOf(empty));
    EXPECT_TRUE(empty.IsPrefixOf(abc));
    EXPECT_TRUE(ab.IsPrefixOf(abc));
    EXPECT_TRUE(abc.IsPrefixOf(abc));
    EXPECT_FALSE(abc.IsPrefixOf(ab));
    EXPECT_FALSE(ac.IsPrefixOf(abc));
    EXPECT_FALSE(ab.IsPrefixOf(empty));
}
