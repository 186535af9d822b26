#include "model/Update.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateTest, SettersMarkTheirFieldsAndNullClearsOnlyTheBit)
{
    CUpdate hint;
    EXPECT_EQ(hint.m_dwFlags, 0u);
    EXPECT_EQ(hint.m_nInsertIndex, -1);

    int q1 = 1, q2 = 2;
    CPtrListEx list;
    list.AddTail(&q1);
    list.AddTail(&q2);
    hint.SetQuestions(&list);
    hint.SetDocText("C:/QCorras/a.crr", UPD_SRCPATH);
    hint.SetDocText("ID-7", UPD_SRCTITLE);
    hint.SetInsertIndex(3);
    int view = 0;
    hint.SetView(&view);
    auto* target = reinterpret_cast<CListCtrl*>(&q2);
    hint.SetListCtrl(target, UPD_TARGETLIST);
    EXPECT_EQ(hint.m_dwFlags, UPD_QUESTIONS | UPD_SRCPATH | UPD_SRCTITLE | UPD_INSERTINDEX | UPD_OBJECT | UPD_TARGETLIST);
    EXPECT_EQ(hint.m_plQuestions.GetCount(), 2);
    EXPECT_EQ(hint.m_plQuestions.GetAt(1), &q2);
    EXPECT_EQ(hint.m_csSrcTitle, "ID-7");
    EXPECT_EQ(hint.m_pTargetList, target);
    EXPECT_EQ(hint.m_pSrcList, nullptr);

    hint.SetDocText(nullptr, UPD_SRCPATH);
    hint.SetListCtrl(nullptr, UPD_TARGETLIST);
    hint.SetInsertIndex(-1);
    EXPECT_FALSE(hint.Has(UPD_SRCPATH));
    EXPECT_FALSE(hint.Has(UPD_TARGETLIST));
    EXPECT_FALSE(hint.Has(UPD_INSERTINDEX));
    EXPECT_EQ(hint.m_csSrcPath, "C:/QCorras/a.crr");
    EXPECT_EQ(hint.m_pTargetList, target);

    // Only the documented bits of each setter are touched.
    hint.SetDoc(nullptr, UPD_OBJECT);
    EXPECT_TRUE(hint.Has(UPD_OBJECT));
}

TEST(UpdateTest, ResetEmptiesTheRecordButNotTheQuestions)
{
    int q = 5;
    CUpdate hint;
    hint.m_nRelayout = hint.m_nErase = hint.m_nRedisplay = 1;
    hint.m_plQuestions.AddTail(&q);
    hint.m_plResultQuestions.AddTail(&q);
    hint.m_dwaIds.Add(5);
    hint.m_dwaResultIds.Add(5);
    hint.SetDocText("t", UPD_SRCTITLE);
    hint.SetInsertIndex(0);
    hint.m_nExtra = 9;

    CUpdate copy(hint);
    hint.Reset();
    EXPECT_EQ(hint.m_nRelayout + hint.m_nErase + hint.m_nReload + hint.m_nRepaint + hint.m_nRedisplay, 0);
    EXPECT_TRUE(hint.m_plQuestions.IsEmpty());
    EXPECT_TRUE(hint.m_plResultQuestions.IsEmpty());
    EXPECT_EQ(hint.m_dwaIds.GetSize() + hint.m_dwaResultIds.GetSize(), 0);
    EXPECT_TRUE(hint.m_csSrcTitle.IsEmpty());
    EXPECT_EQ(hint.m_nInsertIndex, -1);
    EXPECT_EQ(hint.m_dwFlags, 0u);
    EXPECT_EQ(hint.m_nExtra, 0);
    EXPECT_EQ(q, 5);
    // A copy is independent of the record it was taken from.
    EXPECT_EQ(copy.m_plQuestions.GetCount(), 1);
    EXPECT_EQ(copy.m_csSrcTitle, "t");
    EXPECT_STREQ(copy.GetClassName(), "CUpdate");
}

} // namespace
