#pragma once
// The program home: the folder that stands for the program's installation folder. It is
// $CORRA_HOME when set, else the folder registered as Installation/HomeDir, else
// ~/.local/share/Corra. It is created on first use.

#include "platform/core/String.h"

// The program home with a trailing '/'.
CString GetProgramHome();

// The component key of the program in the registry store.
constexpr const char* CORRA_COMPONENT_KEY = "HKEY_CURRENT_USER\\Software\\Vantrel\\Corra";

// The path of the running program file ("corra" beside its build when not known).
CString GetProgramFilePath();

// Forgets the program home, so that the next use finds it afresh (ResetPlatformPaths forgets
// the stores' files with it).
void ForgetProgramHome();
