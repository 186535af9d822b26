#pragma once
// The application's identifiers of questions, groups and files.

#include "platform/core/String.h"

// The next free question or group ID: the profile value "QCorras"/"NextQID", started at a
// random multiple of 10000 when it is 0, and written back incremented.
int NextQID();
// A file's unique id: prefix + "%d_%d" (the tick count modulo 1000, a mixed random number
// modulo 1000).
CString MakeCorraId(LPCSTR prefix);
