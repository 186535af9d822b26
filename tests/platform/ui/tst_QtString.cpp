#include "platform/ui/QtString.h"

#include <gtest/gtest.h>

TEST(QtString, EveryByteRoundTripsThroughQString)
{
    std::string all;
    for (int b = 1; b <= 0xFF; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(FromQString(ToQString(CString(all))), CString(all));
}

TEST(QtString, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    QString s = QString::fromUtf8("a\xE2\x88\x9A" "b\xF0\x9F\x98\x80" "c");  // square root, an emoji
    EXPECT_EQ(FromQString(s), "a?b?c");
    EXPECT_EQ(FromQString(QString(QChar(0xD800))), "?");  // a lone surrogate
}
