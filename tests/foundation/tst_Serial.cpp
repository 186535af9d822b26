#include "foundation/Serial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Range {
    int first;
    int last;
};

// Appends v in the byte order opposite to this machine's.
template <typename T>
void PutReversed(std::vector<BYTE>& buf, T v)
{
    BYTE b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    std::reverse(b, b + sizeof(T));
    buf.insert(buf.end(), b, b + sizeof(T));
}

template <typename T>
void Put(std::vector<BYTE>& buf, T v)
{
    BYTE b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    buf.insert(buf.end(), b, b + sizeof(T));
}

std::vector<BYTE> StoredCount(DWORD nCount)
{
    std::vector<BYTE> buf;
    Put<WORD>(buf, 1);
    Put<DWORD>(buf, nCount);
    for (DWORD i = 0; i < nCount; ++i)
        Put<int>(buf, static_cast<int>(i));
    return buf;
}

} // namespace

template <>
struct CSerialFieldWidth<Range> {
    static constexpr size_t value = sizeof(int);
};

TEST(CVector, WritesExactlyItsSizeAndReadsBack)
{
    CVector<int> v;
    v.push_back(7);
    v.push_back(-2);
    v.push_back(0x01020304);
    ASSERT_EQ(v.GetSerializedSize(), 18u);

    std::vector<BYTE> buf(32, 0xCC);
    BYTE* end = v.Serialize(buf.data(), buf.data() + buf.size(), SERIALIZE_OUT);
    ASSERT_EQ(end, buf.data() + 18);
    EXPECT_EQ(buf[18], 0xCC);

    CVector<int> back;
    back.push_back(99);
    const BYTE* in = back.OnSerializeIn(buf.data(), buf.data() + 18);
    ASSERT_EQ(in, buf.data() + 18);
    EXPECT_EQ(back.vec(), v.vec());
    EXPECT_FALSE(back.IsSwapped());

    CVector<int> empty;
    ASSERT_EQ(empty.GetSerializedSize(), 6u);
    EXPECT_EQ(empty.Serialize(buf.data(), buf.data() + 6, SERIALIZE_OUT), buf.data() + 6);
    EXPECT_EQ(back.Serialize(buf.data(), buf.data() + 6, SERIALIZE_IN), buf.data() + 6);
    EXPECT_TRUE(back.empty());
}

TEST(CVector, OneByteShortWritesNothing)
{
    CVector<int> v;
    v.push_back(1);
    v.push_back(2);
    v.push_back(3);
    std::vector<BYTE> buf(17, 0xCC);
    EXPECT_EQ(v.OnSerializeOut(buf.data(), buf.data() + buf.size()), nullptr);
    EXPECT_TRUE(std::all_of(buf.begin(), buf.end(), [](BYTE b) { return b == 0xCC; }));
    EXPECT_EQ(v.OnSerializeOut(nullptr, nullptr), nullptr);
}

TEST(CVector, CountLimit)
{
    CVector<int> v;
    std::vector<BYTE> ok = StoredCount(32000);
    EXPECT_EQ(v.OnSerializeIn(ok.data(), ok.data() + ok.size()), ok.data() + ok.size());
    EXPECT_EQ(v.size(), 32000u);
    EXPECT_EQ(v[31999], 31999);

    std::vector<BYTE> tooMany = StoredCount(32001);
    EXPECT_EQ(v.OnSerializeIn(tooMany.data(), tooMany.data() + tooMany.size()), nullptr);
    EXPECT_EQ(v.size(), 32000u);
}

TEST(CVector, ShortBuffersAreRefusedWithinTheirBounds)
{
    CVector<int> v;
    v.push_back(5);
    // A version word and half a count: the header alone needs 6 bytes.
    std::vector<BYTE> head = {1, 0, 1, 0};
    EXPECT_EQ(v.OnSerializeIn(head.data(), head.data() + head.size()), nullptr);
    // The count promises more elements than the buffer holds: nothing changes.
    std::vector<BYTE> cut = StoredCount(3);
    cut.resize(cut.size() - 1);
    EXPECT_EQ(v.OnSerializeIn(cut.data(), cut.data() + cut.size()), nullptr);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0], 5);
    EXPECT_EQ(v.OnSerializeIn(nullptr, nullptr), nullptr);
}

TEST(CVector, OtherByteOrderReads)
{
    std::vector<BYTE> buf;
    PutReversed<WORD>(buf, 1);
    PutReversed<DWORD>(buf, 2);
    PutReversed<int>(buf, 0x11223344);
    PutReversed<int>(buf, -5);
    CVector<int> v;
    ASSERT_EQ(v.OnSerializeIn(buf.data(), buf.data() + buf.size()), buf.data() + buf.size());
    EXPECT_TRUE(v.IsSwapped());
    EXPECT_EQ(v.vec(), (std::vector<int>{0x11223344, -5}));

    // Each field of a record turns on its own, so the fields keep their places.
    std::vector<BYTE> rec;
    PutReversed<WORD>(rec, 1);
    PutReversed<DWORD>(rec, 1);
    PutReversed<int>(rec, 10);
    PutReversed<int>(rec, 20);
    CVector<Range> ranges;
    ASSERT_NE(ranges.OnSerializeIn(rec.data(), rec.data() + rec.size()), nullptr);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].first, 10);
    EXPECT_EQ(ranges[0].last, 20);

    // The same object then reads a buffer of this machine's order.
    std::vector<BYTE> own = StoredCount(2);
    ASSERT_NE(v.OnSerializeIn(own.data(), own.data() + own.size()), nullptr);
    EXPECT_FALSE(v.IsSwapped());
    EXPECT_EQ(v.vec(), (std::vector<int>{0, 1}));
}

TEST(CVector, BadVersionInBothOrders)
{
    std::vector<BYTE> buf = StoredCount(0);
    buf[0] = 1;
    buf[1] = 1; // 257 either way round
    CVector<int> v;
    EXPECT_EQ(v.OnSerializeIn(buf.data(), buf.data() + buf.size()), nullptr);
    WORD w = 0;
    CSerial s;
    EXPECT_EQ(s.VersionIn(w, buf.data(), buf.data() + 1), nullptr);
    buf[1] = 0;
    EXPECT_EQ(s.VersionIn(w, buf.data(), buf.data() + 2), buf.data() + 2);
    EXPECT_EQ(w, 1);
}

TEST(CVector, ListOperations)
{
    CVector<int> history;
    history.push_front(1);
    history.push_front(2);
    EXPECT_EQ(history.GetCount(), 2);
    EXPECT_EQ(history.pop_front(), 2);
    EXPECT_EQ(history.pop_front(), 1);
    EXPECT_EQ(history.pop_front(), 0);
    history.push_back(3);
    history.reserve(100);
    history.clear();
    EXPECT_TRUE(history.empty());
}
