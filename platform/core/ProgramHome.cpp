#include "platform/core/ProgramHome.h"

#include "platform/core/FileSys.h"
#include "platform/core/Registry.h"

#include <climits>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace {
std::mutex g_mutex;
CString g_home;

CString WithSlash(CString s)
{
    if (s.IsEmpty() || s[s.GetLength() - 1] != '/')
        s += '/';
    return s;
}
} // namespace

CString GetProgramHome()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_home.IsEmpty())
        return g_home;
    CString home;
    const char* env = std::getenv("CORRA_HOME");
    if (env && *env) {
        home = CString::FromUtf8(env);
    } else {
        CString registered;
        if (CRegistryStore::Instance().GetString(CString(CORRA_COMPONENT_KEY) + "\\Installation",
                                                 "HomeDir", registered) &&
            !registered.IsEmpty())
            home = fsys::NormalizeSeparators(registered);
        else
            home = fsys::Join(fsys::HomeDirectory(), ".local/share/Corra");
    }
    fsys::CreateDirectories(home);
    g_home = WithSlash(home);
    return g_home;
}

CString GetProgramFilePath()
{
    char buf[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0)
        return CString("corra");
    buf[n] = '\0';
    return fsys::FromNative(buf);
}

void ForgetProgramHome()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_home.Empty();
}
