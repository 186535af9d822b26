#pragma once
// The string table: texts by numeric id, compiled in from res/strings.

#include "platform/core/WinTypes.h"

#include <cstddef>

struct CStringTableEntry {
    UINT id;
    const char* text;
};

class CStringTable {
public:
    // Makes entries the table; they must outlive the program (they are static data).
    static void Install(const CStringTableEntry* entries, size_t count);
    // The text of id, or nullptr.
    static const char* Find(UINT id);
};

// Defined by the generated resource data; installs the program's own strings.
void CorraInstallStringTable();
