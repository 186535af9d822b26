#include "platform/core/String.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

TEST(CString, SubStringsClamp)
{
    CString s("Hello");
    EXPECT_EQ(s.Left(10), "Hello");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(3), "llo");
    EXPECT_EQ(s.Right(9), "Hello");
    EXPECT_EQ(s.Mid(3), "lo");
    EXPECT_EQ(s.Mid(9), "");
    EXPECT_EQ(s.Mid(-2, 2), "He");
    EXPECT_EQ(s.Mid(1, 100), "ello");
    EXPECT_EQ(s.GetAt(5), '\0');
}

TEST(CString, FindReplaceTrim)
{
    CString s("  a,b,,c  ");
    EXPECT_EQ(s.Find(','), 3);
    EXPECT_EQ(s.Find(',', 4), 5);
    EXPECT_EQ(s.Find(",,"), 5);
    EXPECT_EQ(s.ReverseFind(','), 6);
    EXPECT_EQ(s.Find('x'), -1);
    EXPECT_EQ(s.Find(',', 99), -1);
    s.Trim();
    EXPECT_EQ(s, "a,b,,c");
    EXPECT_EQ(s.Replace(",", ";;"), 3);
    EXPECT_EQ(s, "a;;b;;;;c");
    EXPECT_EQ(s.Remove(';'), 6);
    EXPECT_EQ(s, "abc");
    CString t("xxhixx");
    EXPECT_EQ(t.Trim('x'), "hi");
    CString u("\xA0word\t");
    u.Trim();  // a no-break space is not white space to the trimming
    EXPECT_EQ(u, "\xA0word");
    // Nothing but blanks trims to nothing, from either end.
    for (const char* blank : {" ", " \t\r\n ", ""}) {
        EXPECT_EQ(CString(blank).TrimRight(), "") << "[" << blank << "]";
        EXPECT_EQ(CString(blank).TrimLeft(), "") << "[" << blank << "]";
    }
    EXPECT_EQ(CString("xxx").TrimRight('x'), "");
    EXPECT_EQ(CString(";,;").TrimRight(",;"), "");
}

TEST(CString, BufferRelease)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::snprintf(p, 11, "%s", "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, "abc");
}

TEST(CString, CopyIsIndependent)
{
    CString a("one");
    CString b = a;
    b.SetAt(0, 'O');
    EXPECT_EQ(a, "one");
    EXPECT_EQ(b, "One");
}

namespace {
// Puts the process locale and LOCPATH back as they were.
class CLocaleScope {
public:
    CLocaleScope() : m_locale(std::setlocale(LC_ALL, nullptr))
    {
        if (const char* path = std::getenv("LOCPATH"))
            m_locPath = path;
    }
    ~CLocaleScope()
    {
        std::setlocale(LC_ALL, m_locale.c_str());
        if (m_locPath.empty())
            ::unsetenv("LOCPATH");
        else
            ::setenv("LOCPATH", m_locPath.c_str(), 1);
    }

private:
    std::string m_locale;
    std::string m_locPath;
};

// A locale whose decimal separator is a comma: the system's, else the one the build made.
bool UseCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name))
            return true;
    }
    ::setenv("LOCPATH", CORRA_TEST_LOCALE_DIR, 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}
} // namespace

TEST(CString, FormatIgnoresTheUserLocale)
{
    CLocaleScope restore;
    if (!UseCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma here, and localedef could not make one";
    char probe[16];
    std::snprintf(probe, sizeof(probe), "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the process locale really is a comma one
    CString s;
    s.Format("%.2f|%d|%s", 3.25, -7, "x");
    EXPECT_EQ(s, "3.25|-7|x");
}

TEST(CString, FormatLongOutput)
{
    std::string big(1000, 'z');
    CString s;
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 1002);
    s.AppendFormat("%d", 42);
    EXPECT_EQ(s.Right(3), "]42");
}

#include "res/ids/Core.h"

TEST(CString, LoadsFromTheStringTable)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_CORRA_PRODUCT));
    EXPECT_EQ(s, "Quorvale");
    EXPECT_FALSE(s.LoadString(0xFFFFF));
    EXPECT_TRUE(s.IsEmpty());
}
