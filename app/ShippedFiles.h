#pragma once
// The files an installation puts into the program home, shipped inside the program: the default
// configuration, the tips of the day and the master lists of subjects and textbooks. A first
// start copies them in; a file already there is the user's and is never replaced.

#include "platform/core/String.h"

// Copies the shipped file name (its path below the shipped home, "Corra.ini") to path unless a
// file or folder is there already; TRUE when it was copied.
BOOL InstallShippedFile(LPCSTR name, const CString& path);
// The tips file into the program home and the master lists into the data folder, where the
// profile names them; the number of files copied. Needs the profile in place.
int InstallShippedHomeFiles();
