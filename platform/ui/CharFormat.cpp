#include "platform/ui/CharFormat.h"

#include <cstring>

void SetCharFormatFaceName(CHARFORMAT& cf, const char* face)
{
    std::memset(cf.szFaceName, 0, sizeof(cf.szFaceName));
    if (face)
        std::strncpy(cf.szFaceName, face, sizeof(cf.szFaceName) - 1);
}
