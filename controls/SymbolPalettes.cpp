#include "controls/SymbolPalettes.h"

#include "res/ids/FloatEditTB.h"

#include <iterator>

namespace {

const FloatBarInfo kBars[kFloatBarCount] = {
    {"Edit", ID_VIEW_EDIT_BAR, IDR_EDIT_BAR},     {"Math 1", ID_VIEW_MATH1, IDR_MATH1_BAR},
    {"Math 2", ID_VIEW_MATH2, IDR_MATH2_BAR},     {"Math 3", ID_VIEW_MATH3, IDR_MATH3_BAR},
    {"Math 4", ID_VIEW_MATH4, IDR_MATH4_BAR},     {"Chem 1", ID_VIEW_CHEM1, IDR_CHEM1_BAR},
    {"Chem 2", ID_VIEW_CHEM2, IDR_CHEM2_BAR},     {"Chem 3", ID_VIEW_CHEM3, IDR_CHEM3_BAR},
    {"Chem 4", ID_VIEW_CHEM4, IDR_CHEM4_BAR},     {"Chem 5", ID_VIEW_CHEM5, IDR_CHEM5_BAR},
    {"Chem 6", ID_VIEW_CHEM6, IDR_CHEM6_BAR},
};

template <std::size_t N>
SymbolPalette MakePalette(const char* name, const SymbolEntry (&symbols)[N])
{
    return SymbolPalette{name, std::vector<SymbolEntry>(std::begin(symbols), std::end(symbols))};
}

std::vector<SymbolPalette> MakePalettes()
{
    std::vector<SymbolPalette> palettes = {
        MakePalette("Math 1", kMath1Symbols), MakePalette("Math 2", kMath2Symbols),
        MakePalette("Math 3", kMath3Symbols), MakePalette("Math 4", kMath4Symbols),
        MakePalette("Chem 1", kChem1Symbols), MakePalette("Chem 2", kChem2Symbols),
        MakePalette("Chem 3", kChem3Symbols), MakePalette("Chem 4", kChem4Symbols),
        MakePalette("Chem 5", kChem5Symbols), MakePalette("Chem 6", kChem6Symbols),
    };
    unsigned next = ID_SYMBOL_FIXED_LAST;
    for (SymbolPalette& p : palettes)
        for (SymbolEntry& e : p.symbols)
            if (e.id == ID_SYMBOL_PLACEHOLDER)
                e.id = ++next;
    return palettes;
}

} // namespace

const FloatBarInfo& FloatBar(int nIndex)
{
    return kBars[nIndex];
}

int FloatBarOfToggle(unsigned nID)
{
    for (int i = 0; i < kFloatBarCount; ++i)
        if (kBars[i].toggleId == nID)
            return i;
    return -1;
}

int FloatBarOfSelector(unsigned nID)
{
    if (nID < ID_PALETTE_SELECT_FIRST || nID > ID_PALETTE_SELECT_LAST)
        return -1;
    return static_cast<int>(nID - ID_PALETTE_SELECT_FIRST);
}

const std::vector<SymbolPalette>& SymbolPalettes()
{
    // Made whole on first use, whichever thread or toolbar asks first, and never changed again.
    static const std::vector<SymbolPalette> palettes = MakePalettes();
    return palettes;
}

const SymbolEntry* FindSymbol(unsigned nID)
{
    for (const SymbolPalette& p : SymbolPalettes())
        for (const SymbolEntry& e : p.symbols)
            if (e.id == nID)
                return &e;
    return nullptr;
}

CString SymbolCodeText(const SymbolEntry& entry)
{
    CString text;
    text.Format("\\'%02x", entry.code & 0xFF);
    return text;
}
