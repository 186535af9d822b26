#include "model/CorraIds.h"

#include "foundation/CorraAppBase.h"
#include "platform/core/Random.h"
#include "platform/core/Time.h"

#include <climits>

int NextQID()
{
    CCorraAppBase& app = CorraApp();
    int id = app.GetProfileInt("QCorras", "NextQID", 0);
    if (id <= 0 || id == INT_MAX)
        // A fresh profile starts at a random multiple of 10000, so that the questions of two new
        // installations seldom share numbers.
        id = (CorraRand() % 107374 + 1) * 10000;
    app.WriteProfileInt("QCorras", "NextQID", id + 1);
    return id;
}

CString MakeCorraId(LPCSTR prefix)
{
    int mixed = (CorraRand() * 32768 + CorraRand()) % 1000;
    CString id;
    id.Format("%s%u_%d", prefix ? prefix : "", static_cast<unsigned>(GetTickCount() % 1000), mixed);
    return id;
}
