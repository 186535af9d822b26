#pragma once
// Importing files of one document kind: the user picks them in the file chooser and they are
// copied into the program's folder of that kind (or a given folder). The folder last imported
// from is remembered in the profile ("Imports", "<folder name>_LastDir").

#include "platform/core/String.h"

// Returns the number of files really copied (0 when the user cancelled or nothing could be
// copied). info: the chooser's information text; startDir: where the chooser starts (empty: the
// folder last imported from, else the kind's default folder); targetDir: where the files go
// (empty: the kind's default folder).
int ImportFile(int nType, LPCSTR info = nullptr, LPCSTR startDir = nullptr, LPCSTR targetDir = nullptr);
