#pragma once
// The eleven bars of the floating editing toolbar ("Edit" and the ten symbol palettes) and the
// palettes' symbols, whose placeholder ids are given once per process in palette order.

#include "platform/core/String.h"
#include "res/symbols/SymbolTable.h"

#include <vector>

constexpr int kFloatBarCount = 11;     // "Edit" and the ten palettes
constexpr int kPaletteCount = 10;

struct FloatBarInfo {
    const char* name;      // "Edit", "Math 1" ... "Chem 6"; also its "FloatEditTB" key
    unsigned toggleId;     // the command that shows or hides it
    unsigned resourceId;   // its toolbar table
};
// In bar order: bar number n (1 to 11) is index n - 1.
const FloatBarInfo& FloatBar(int nIndex);
// The bar index of a toggle command or a selector id (33701 to 33711); -1 for none.
int FloatBarOfToggle(unsigned nID);
int FloatBarOfSelector(unsigned nID);

// One palette's symbols with their ids given.
struct SymbolPalette {
    const char* name;
    std::vector<SymbolEntry> symbols;
};
// The ten palettes, "Math 1" to "Chem 6". A placeholder gets 33341 upwards in palette order the
// first time anyone asks, and keeps its id for the rest of the process.
const std::vector<SymbolPalette>& SymbolPalettes();
// The entry of a symbol command id, searched in palette order; NULL for none.
const SymbolEntry* FindSymbol(unsigned nID);
// The code as RTF: "\'" and two hexadecimal digits.
CString SymbolCodeText(const SymbolEntry& entry);
