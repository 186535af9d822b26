#include "platform/ui/QtStartup.h"

#include "platform/core/FileSys.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool HasUsablePlatform()
{
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void EnsureRuntimeDirectory()
{
    if (IsSet("XDG_RUNTIME_DIR"))
        return;
    const uid_t uid = ::getuid();
    const std::string dir = fsys::TempDirectory().str() + "/corra-runtime-" + std::to_string(uid);
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return;
    // Someone else's folder, or a link planted under that name, is not ours to use.
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != uid)
        return;
    if ((st.st_mode & 0777) != 0700 && ::chmod(dir.c_str(), 0700) != 0)
        return;
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}
