#include "platform/ui/QtStartup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or unsets environment variables for one scope and puts them back after.
class CEnvScope {
public:
    void Set(const char* name, const char* value)
    {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~CEnvScope()
    {
        for (const auto& [name, value] : m_saved)
            Set(name.c_str(), value ? value->c_str() : nullptr);
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

TEST(QtStartup, APlatformIsUsableWhenNamedOrWithADisplay)
{
    const struct {
        const char* platform;
        const char* display;
        const char* wayland;
        bool usable;
    } cases[] = {
        {nullptr, nullptr, nullptr, false},
        {"", "", "", false},
        {"offscreen", nullptr, nullptr, true},
        {nullptr, ":0", nullptr, true},
        {nullptr, nullptr, "wayland-0", true},
    };
    for (const auto& c : cases) {
        CEnvScope env;
        env.Set("QT_QPA_PLATFORM", c.platform);
        env.Set("DISPLAY", c.display);
        env.Set("WAYLAND_DISPLAY", c.wayland);
        EXPECT_EQ(HasUsablePlatform(), c.usable) << (c.platform ? c.platform : "-") << " "
                                                 << (c.display ? c.display : "-") << " "
                                                 << (c.wayland ? c.wayland : "-");
    }
}

TEST(QtStartup, ARuntimeFolderIsPrivateAndAGivenOneStays)
{
    CEnvScope env;
    env.Set("XDG_RUNTIME_DIR", nullptr);
    EnsureRuntimeDirectory();
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(dir, nullptr);
    struct stat st {};
    ASSERT_EQ(::lstat(dir, &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::getuid());
    // Loosened by someone: tightened again.
    ASSERT_EQ(::chmod(dir, 0755), 0);
    env.Set("XDG_RUNTIME_DIR", nullptr);
    EnsureRuntimeDirectory();
    ASSERT_EQ(::lstat(std::getenv("XDG_RUNTIME_DIR"), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    env.Set("XDG_RUNTIME_DIR", "/somewhere/given");
    EnsureRuntimeDirectory();
    EXPECT_STREQ(std::getenv("XDG_RUNTIME_DIR"), "/somewhere/given");
}

} // namespace
