#include "platform/core/PlatformPaths.h"

#include "platform/core/Profile.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Registry.h"

void ResetPlatformPaths()
{
    ForgetProgramHome();
    CRegistryStore::Instance().SetFilePath(GetRegistryFilePath());
    AppProfile().SetPath("");
}
