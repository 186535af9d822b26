#include "platform/core/UiThread.h"

#include "platform/core/Time.h"

#include <cstdio>
#include <cstdlib>

void FailUnlessUiThread(const char* file, int line, const char* function)
{
    if (IsMainThread())
        return;
    std::fprintf(stderr, "%s:%d: %s: called off the user-interface thread\n", file, line, function);
    std::abort();
}
