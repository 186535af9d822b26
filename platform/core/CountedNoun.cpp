#include "platform/core/CountedNoun.h"

CString CountedNoun(long long n, const char* singular, const char* plural)
{
    return CString::Formatted("%lld %s", n, n == 1 ? singular : plural);
}
