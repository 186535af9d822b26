#include "model/CorraDoc.h"

#include "model/Group.h"
#include "tests/support/CorraTest.h"

namespace {

using CorraDocGroupsTest = CorraTest;

// A stand-in for a question: what the group algorithms look at.
struct CItem {
    int id;
    int groupId;
    int level;
    bool collection;
};

CPtrListEx ListOf(std::vector<CItem>& items)
{
    CPtrListEx list;
    for (CItem& item : items)
        list.AddTail(&item);
    return list;
}

std::vector<int> IdsOf(const CPtrListEx& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CItem*>(list.GetNext(pos))->id);
    return ids;
}

int GroupIdOf(void* p)
{
    auto* item = static_cast<CItem*>(p);
    return item->collection ? 0 : item->groupId;
}

TEST_F(CorraDocGroupsTest, GroupOrderPutsMembersInGroupListOrderThenTheRest)
{
    CCorraDoc doc;
    for (int id : {30, 10, 20}) {
        CGroup group;
        group.m_nId = id;
        doc.AddNewGroup(group);
    }
    std::vector<CItem> items = {
        {1, 10, 0, false}, {2, 0, 0, false},   {3, 20, 0, false}, {4, 30, 0, false},
        {5, 10, 0, true},  {6, 99, 0, false},  {7, 20, 0, false}, {8, 30, 0, false},
    };
    CPtrListEx list = ListOf(items);
    // The header question of group 20 comes first in its group wherever it stood.
    doc.FindGroupById(20)->m_pHeaderQuestion = reinterpret_cast<CCorraQuestion*>(&items[6]);
    doc.OrderItemsByGroups(list, GroupIdOf);
    // Groups 30, 10, 20 in list order; collection 5, ungrouped 2 and 6 (no such group) after.
    EXPECT_EQ(IdsOf(list), (std::vector<int>{4, 8, 1, 7, 3, 2, 5, 6}));
    doc.FindGroupById(20)->m_pHeaderQuestion = nullptr;
    for (POSITION pos = doc.m_plGroups.GetHeadPosition(); pos;)
        EXPECT_TRUE(static_cast<CGroup*>(doc.m_plGroups.GetNext(pos))->m_plWork.IsEmpty());
}

TEST_F(CorraDocGroupsTest, GroupingByLevelMakesOneGroupPerLevelIncludingZero)
{
    CCorraDoc doc;
    std::vector<CItem> items = {
        {1, 0, 0, false}, {2, 0, 2, false}, {3, 0, 0, false}, {4, 0, 0, true}, {5, 0, 2, false}, {6, 0, 1, false},
    };
    CPtrListEx list = ListOf(items);
    auto keyOf = [](void* p, int& key) {
        auto* item = static_cast<CItem*>(p);
        key = item->level;
        return item->collection ? FALSE : TRUE;
    };
    auto nameOf = [](int key) { return CString::Formatted("Level %d", key); };
    auto setGroup = [](void* p, int id) { static_cast<CItem*>(p)->groupId = id; };
    EXPECT_EQ(doc.GroupItemsByKey(list, keyOf, nameOf, setGroup), 3);
    EXPECT_TRUE(doc.IsModified());

    const CGroup* zero = doc.FindGroupById(items[0].groupId);
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->m_csName, "Level 0");
    EXPECT_GE(zero->m_nId, 1);
    EXPECT_EQ(items[2].groupId, zero->m_nId);
    EXPECT_EQ(zero->m_nMemberCount, 2);
    EXPECT_EQ(items[1].groupId, 2);
    EXPECT_EQ(items[4].groupId, 2);
    EXPECT_EQ(doc.FindGroupById(2)->m_csName, "Level 2");
    EXPECT_EQ(items[5].groupId, 1);
    EXPECT_EQ(items[3].groupId, 0);  // the collection is left alone

    // Grouping again joins the existing groups instead of making new ones.
    EXPECT_EQ(doc.GroupItemsByKey(list, keyOf, nameOf, setGroup), 3);
    EXPECT_EQ(doc.FindGroupById(2)->m_nMemberCount, 4);
    EXPECT_EQ(zero->m_nMemberCount, 4);
}

TEST_F(CorraDocGroupsTest, FindByIdAndHeaderAndCounters)
{
    CCorraDoc doc;
    CGroup a;
    a.m_nId = 4;
    CGroup* added = doc.AddNewGroup(a);
    int header = 0;
    added->m_pHeaderQuestion = reinterpret_cast<CCorraQuestion*>(&header);
    EXPECT_EQ(doc.FindGroupById(4), added);
    EXPECT_EQ(doc.FindGroupById(5), nullptr);
    EXPECT_EQ(doc.FindGroupByHeader(reinterpret_cast<CCorraQuestion*>(&header)), added);
    EXPECT_EQ(doc.FindGroupByHeader(nullptr), nullptr);
    added->m_pHeaderQuestion = nullptr;
    doc.ResetGroupCounters();
    EXPECT_EQ(added->m_nCounter, 1);
}

} // namespace
