#pragma once
// The program home: the folder that stands for the program's installation folder. It is
// $CORRA_HOME when set, else the folder registered as Installation/HomeDir, else
// ~/.local/share/Corra. It is created on first use.

#include "platform/core/String.h"

// The program home with a trailing '/'.
CString GetProgramHome();

// Where the registry store is kept: in the program home when $CORRA_HOME is set, else in
// ~/.config/Vantrel/Corra/.
CString GetRegistryFilePath();

// The component key of the program in the registry store.
constexpr const char* CORRA_COMPONENT_KEY = "HKEY_CURRENT_USER\\Software\\Vantrel\\Corra";

// The path of the running program file ("corra" beside its build when not known).
CString GetProgramFilePath();

// Forgets the program home, the registry store's file and the profile's path, so that the next
// use finds them afresh (tests change $CORRA_HOME between cases).
void ResetPlatformPaths();
