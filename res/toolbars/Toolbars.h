#pragma once
// The toolbar tables: per toolbar its version, the size of a button's picture, and its buttons'
// command ids (0 a separator). The pictures are res/bitmaps/<toolbar id>.png, one per button
// that is not a separator, side by side; a palette has none, its buttons show their symbols.

#include "res/ids/FloatEditTB.h"
#include "res/ids/RichEdit.h"
#include "res/symbols/SymbolTable.h"

#include <array>
#include <cstddef>

struct ToolbarResource {
    unsigned id;
    unsigned version;
    unsigned width;   // of a button's picture
    unsigned height;
    const unsigned* ids;
    unsigned count;
};

inline constexpr unsigned kEditBarButtons[] = {
    ID_PLACE_FONT_FACE, ID_PLACE_FONT_SIZE, ID_PLACE_FONT_SPIN, 0,
    ID_CHAR_BOLD, ID_CHAR_ITALIC, ID_CHAR_UNDERLINE, 0,
    ID_CHAR_SUPERSCRIPT, ID_CHAR_SUBSCRIPT, 0,
    ID_CHAR_DEFAULTFONT, ID_CHAR_FONTLIST, ID_FONT_REMOVE, ID_FONT_DEFAULTS, 0,
    ID_SHOW_PALETTE_SELECTOR,
};

// A palette's buttons are its symbols' ids, in the table's order.
template <std::size_t N>
constexpr std::array<unsigned, N> PaletteButtons(const SymbolEntry (&symbols)[N])
{
    std::array<unsigned, N> ids{};
    for (std::size_t i = 0; i < N; ++i)
        ids[i] = symbols[i].id;
    return ids;
}

inline constexpr auto kMath1Buttons = PaletteButtons(kMath1Symbols);
inline constexpr auto kMath2Buttons = PaletteButtons(kMath2Symbols);
inline constexpr auto kMath3Buttons = PaletteButtons(kMath3Symbols);
inline constexpr auto kMath4Buttons = PaletteButtons(kMath4Symbols);
inline constexpr auto kChem1Buttons = PaletteButtons(kChem1Symbols);
inline constexpr auto kChem2Buttons = PaletteButtons(kChem2Symbols);
inline constexpr auto kChem3Buttons = PaletteButtons(kChem3Symbols);
inline constexpr auto kChem4Buttons = PaletteButtons(kChem4Symbols);
inline constexpr auto kChem5Buttons = PaletteButtons(kChem5Symbols);
inline constexpr auto kChem6Buttons = PaletteButtons(kChem6Symbols);

inline constexpr ToolbarResource kToolbarResources[] = {
    {IDR_EDIT_BAR, 1, 16, 15, kEditBarButtons, std::size(kEditBarButtons)},
    {IDR_MATH1_BAR, 1, 18, 17, kMath1Buttons.data(), kMath1Buttons.size()},
    {IDR_MATH2_BAR, 1, 18, 17, kMath2Buttons.data(), kMath2Buttons.size()},
    {IDR_MATH3_BAR, 1, 18, 17, kMath3Buttons.data(), kMath3Buttons.size()},
    {IDR_MATH4_BAR, 1, 18, 17, kMath4Buttons.data(), kMath4Buttons.size()},
    {IDR_CHEM1_BAR, 1, 18, 17, kChem1Buttons.data(), kChem1Buttons.size()},
    {IDR_CHEM2_BAR, 1, 18, 17, kChem2Buttons.data(), kChem2Buttons.size()},
    {IDR_CHEM3_BAR, 1, 18, 17, kChem3Buttons.data(), kChem3Buttons.size()},
    {IDR_CHEM4_BAR, 1, 18, 17, kChem4Buttons.data(), kChem4Buttons.size()},
    {IDR_CHEM5_BAR, 1, 18, 17, kChem5Buttons.data(), kChem5Buttons.size()},
    {IDR_CHEM6_BAR, 1, 18, 17, kChem6Buttons.data(), kChem6Buttons.size()},
};
