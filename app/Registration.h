#pragma once
// Registration with the desktop in place of the shell's: a desktop entry that opens Corra with
// the files given, and the MIME types of .crr and .exm files, in the per-user XDG data folder
// ($XDG_DATA_HOME, else ~/.local/share). Unregistration removes exactly these files.

#include "platform/core/String.h"

#include <vector>

namespace registration {

// The files a registration writes.
std::vector<CString> Files();
// Writes them (program: the program file to run); FALSE when one cannot be written.
BOOL Register(LPCSTR program);
// Removes them; FALSE when one is there and cannot be removed.
BOOL Unregister();

} // namespace registration
