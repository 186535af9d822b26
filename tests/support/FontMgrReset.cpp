#include "tests/support/FontMgrReset.h"

#include "render/FontMgr.h"

struct CFontMgrTestReset {
    static void Reset() { CFontMgr::Reset(); }
};

void ResetFontManager()
{
    CFontMgrTestReset::Reset();
}
