#pragma once
// A count with its noun in the number it takes: "1 question", "2 questions".

#include "platform/core/String.h"

CString CountedNoun(long long n, const char* singular, const char* plural);
