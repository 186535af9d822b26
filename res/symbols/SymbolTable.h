#pragma once
// The symbols of the editing toolbar's ten palettes, one entry per palette button in button
// order. The faces "QVMath", "QVMathB", "QVchemA" and "QVchemB" are ours (res/fonts, made from
// this table by scripts/make-symbol-fonts.py, which draws each code's glyph from the text in the
// comment at the end of its row); "Symbol" is in the symbol encoding, with a stand-in face of
// ours for where no such face is installed. Each glyph sits at the Windows-1252 character of its
// code, so that stored RTF keeps face and code.

#include "res/ids/FloatEditTB.h"

struct SymbolEntry {
    unsigned code;      // the byte of the symbol in its face
    const char* name;   // tooltip and status text; may be empty
    unsigned id;        // command id, or ID_SYMBOL_PLACEHOLDER for one given at run time
    const char* face;
    int height;         // of the font the button face is drawn in, logical units
    int weight;
    int charset;
};

// "Math 1"
inline constexpr SymbolEntry kMath1Symbols[] = {
    {0x28, "lparens", ID_SYMBOL_PLACEHOLDER, "QVMath", -16, 500, 0},  // (
    {0x29, "rparens", ID_SYMBOL_PLACEHOLDER, "QVMath", -16, 500, 0},  // )
    {0x2B, "add", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // +
    {0x2D, "subtract", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // −
    {0xB4, "multiply", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ×
    {0xB8, "divide", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ÷
    {0x25, "percent", ID_SYMBOL_PLACEHOLDER, "QVMath", -16, 500, 0},  // %
    {0x89, "percent", ID_SYMBOL_PLACEHOLDER, "QVMath", -16, 500, 0},  // ‰
    {0xB1, "plus or minus", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ±
    {0xD6, "root", ID_SYMBOL_PLACEHOLDER, "QVMathB", -18, 500, 0},  // √
    {0xA5, "infinity", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ∞
    {0xA6, "function", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ƒ
    {0x3D, "equal", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // =
    {0xB9, "not equal", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ≠
    {0x40, "similar or equal", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ≅
    {0x3C, "less than", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // <
    {0xA3, "less than or equal", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ≤
    {0xB3, "greater than or equal", ID_SYMBOL_PLACEHOLDER, "Symbol", -18, 500, 2},  // ≥
    {0x3E, "greater than", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // >
    {0x21, "factorial", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // !
};

// "Math 2"
inline constexpr SymbolEntry kMath2Symbols[] = {
    {0x22, "for each", 33222, "Symbol", -18, 500, 2},  // ∀
    {0x24, "there exists", 33223, "Symbol", -18, 500, 2},  // ∃
    {0x27, "such that", 33224, "Symbol", -18, 500, 2},  // ∋
    {0xB6, "partial", 33225, "QVMath", -18, 500, 0},  // ∂
    {0xF2, "integral", ID_SYMBOL_PLACEHOLDER, "Symbol", -20, 500, 2},  // ∫
    {0xBA, "equivalent", 33226, "Symbol", -18, 500, 2},  // ≡
    {0xBB, "approximate", 33227, "Symbol", -18, 500, 2},  // ≈
    {0x7E, "similar to", 33228, "Symbol", -18, 500, 2},  // ∼
    {0xD8, "empty set", 33229, "QVMath", -18, 500, 0},  // ∅
    {0xC7, "intersect", 33230, "Symbol", -18, 500, 2},  // ∩
    {0xC8, "union", 33231, "Symbol", -18, 500, 2},  // ∪
    {0xC9, "superset", 33232, "Symbol", -18, 500, 2},  // ⊃
    {0xCA, "superset or equals", 33233, "Symbol", -18, 500, 2},  // ⊇
    {0xCB, "not subset", 33234, "Symbol", -18, 500, 2},  // ⊄
    {0xCC, "subset", 33235, "Symbol", -18, 500, 2},  // ⊂
    {0xCD, "subset or equals", 33236, "Symbol", -18, 500, 2},  // ⊆
    {0xCE, "element of", 33237, "Symbol", -18, 500, 2},  // ∈
    {0xCF, "not element of", 33238, "Symbol", -18, 500, 2},  // ∉
};

// "Math 3"
inline constexpr SymbolEntry kMath3Symbols[] = {
    {0x61, "alpha", 33239, "QVMath", -18, 500, 0},  // α
    {0x47, "gamma", 33240, "QVMath", -18, 500, 0},  // γ
    {0x53, "sigma (summation)", 33241, "QVMathB", -20, 500, 0},  // ∑
    {0x50, "pi (product)", 33242, "QVMathB", -20, 500, 0},  // ∏
    {0x51, "theta (angle) ", 33243, "QVMath", -18, 500, 0},  // θ
    {0x46, "phi (angle) ", 33244, "QVMath", -18, 500, 0},  // φ
    {0x6C, "lambda ", 33245, "QVMath", -18, 500, 0},  // λ
    {0x6D, "mu (micro) ", 33246, "QVMath", -18, 500, 0},  // μ
    {0x50, "pi (3.141592653)", 33247, "QVMath", -18, 500, 0},  // π
    {0x44, "delta (change)", 33248, "QVMath", -18, 500, 0},  // Δ
    {0x57, "omega (volume,ohms) ", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // Ω
    {0x6A, "omega (transfinite ordinal , angular velocity ", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ω
    {0xC5, "anstrom", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // Å
    {0x4D, "millimeters", ID_SYMBOL_PLACEHOLDER, "QVMath", -13, 500, 0},  // mm
    {0x43, "centameters", ID_SYMBOL_PLACEHOLDER, "QVMath", -13, 500, 0},  // cm
    {0x4E, "nanometers", ID_SYMBOL_PLACEHOLDER, "QVMath", -13, 500, 0},  // nm
};

// "Math 4"
inline constexpr SymbolEntry kMath4Symbols[] = {
    {0x63, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∠
    {0x64, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ⊥
    {0x65, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∥
    {0x66, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // °
    {0x67, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ′
    {0x68, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ″
    {0x69, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∝
    {0x6B, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∇
    {0x6E, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // →
    {0x6F, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ←
    {0x70, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ↔
    {0x71, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ⇒
    {0x72, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ⇔
    {0x73, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ↑
    {0x74, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ↓
    {0x75, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∓
    {0x76, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ⋅
    {0x77, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∘
    {0x78, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ≪
    {0x79, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ≫
    {0x7A, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∴
    {0x7B, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ∵
    {0x7C, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ℝ
    {0x7D, "", ID_SYMBOL_PLACEHOLDER, "QVMath", -18, 500, 0},  // ℤ
};

// "Chem 1"
inline constexpr SymbolEntry kChem1Symbols[] = {
    {0x3A, "Silver (47)", 33318, "QVchemA", -16, 500, 0},  // Ag
    {0x3B, "Aluminium (13)", 33319, "QVchemA", -16, 500, 0},  // Al
    {0x3C, "Argon (18)", 33320, "QVchemA", -16, 500, 0},  // Ar
    {0x3E, "Arsenic (33)", 33321, "QVchemA", -16, 500, 0},  // As
    {0x3F, "Gold (79)", 33322, "QVchemA", -16, 500, 0},  // Au
    {0x40, "Boron (5)", 33323, "QVchemA", -18, 500, 0},  // B
    {0x41, "Barium (56)", 33324, "QVchemA", -16, 500, 0},  // Ba
    {0x42, "Beryllium (4)", 33325, "QVchemA", -16, 500, 0},  // Be
    {0x43, "Bromine (35)", 33326, "QVchemA", -16, 500, 0},  // Br
    {0x44, "Carbon (6)", 33327, "QVchemA", -18, 500, 0},  // C
    {0x45, "Calcium (20)", 33328, "QVchemA", -16, 500, 0},  // Ca
    {0x46, "Cadmium (48)", 33329, "QVchemA", -16, 500, 0},  // Cd
    {0x47, "Chlorine (17)", 33330, "QVchemA", -16, 500, 0},  // Cl
    {0x48, "Cobalt (27)", 33331, "QVchemA", -16, 500, 0},  // Co
    {0x49, "Chromium (24)", 33332, "QVchemA", -16, 500, 0},  // Cr
    {0x4A, "Caesium (55)", 33333, "QVchemA", -16, 500, 0},  // Cs
    {0x4B, "Copper (29)", 33334, "QVchemA", -16, 500, 0},  // Cu
    {0x4C, "Fluorine (9)", 33335, "QVchemA", -18, 500, 0},  // F
    {0x4D, "Iron (26)", 33336, "QVchemA", -16, 500, 0},  // Fe
    {0x4E, "Gallium (31)", 33337, "QVchemA", -16, 500, 0},  // Ga
    {0x4F, "Germanium (32)", 33338, "QVchemA", -16, 500, 0},  // Ge
    {0x50, "Hydrogen (1)", 33339, "QVchemA", -18, 500, 0},  // H
    {0x51, "Helium (2)", 33317, "QVchemA", -16, 500, 0},  // He
};

// "Chem 2"
inline constexpr SymbolEntry kChem2Symbols[] = {
    {0x52, "Mercury (80)", 33250, "QVchemA", -16, 500, 0},  // Hg
    {0x53, "Holmium (67)", 33251, "QVchemA", -16, 500, 0},  // Ho
    {0x54, "Iodine (53)", 33252, "QVchemA", -18, 500, 0},  // I
    {0x55, "Indium (49)", 33253, "QVchemA", -16, 500, 0},  // In
    {0x56, "Potassium (19)", 33254, "QVchemA", -18, 500, 0},  // K
    {0x57, "Krypton (36)", 33255, "QVchemA", -16, 500, 0},  // Kr
    {0x58, "Lithium (3)", 33256, "QVchemA", -16, 500, 0},  // Li
    {0x59, "Magnesium (12)", 33257, "QVchemA", -16, 500, 0},  // Mg
    {0x5A, "Manganese (25)", 33258, "QVchemA", -16, 500, 0},  // Mn
    {0x5B, "Molydbenum (42)", 33259, "QVchemA", -16, 500, 0},  // Mo
    {0x5C, "Nitrogen (7)", 33260, "QVchemA", -18, 500, 0},  // N
    {0x5D, "Sodium (11)", 33261, "QVchemA", -16, 500, 0},  // Na
    {0x5E, "Niobium (41)", 33262, "QVchemA", -16, 500, 0},  // Nb
    {0x5F, "Neon (10)", 33263, "QVchemA", -16, 500, 0},  // Ne
    {0x60, "Nickel (28)", 33264, "QVchemA", -16, 500, 0},  // Ni
    {0x61, "Oxygen (8)", 33265, "QVchemA", -18, 500, 0},  // O
    {0x62, "Phosphorus (15)", 33266, "QVchemA", -18, 500, 0},  // P
    {0x63, "Lead (82)", 33267, "QVchemA", -16, 500, 0},  // Pb
    {0x64, "Palladium (46)", 33268, "QVchemA", -16, 500, 0},  // Pd
    {0x65, "Rubidium (37)", 33269, "QVchemA", -16, 500, 0},  // Rb
    {0x66, "Rhodium (45)", 33270, "QVchemA", -16, 500, 0},  // Rh
    {0x67, "Ruthenium (44)", 33271, "QVchemA", -16, 500, 0},  // Ru
    {0x68, "Sulfur (16)", ID_SYMBOL_PLACEHOLDER, "QVchemA", -18, 500, 0},  // S
    {0x69, "Antimony (51)", 33272, "QVchemA", -16, 500, 0},  // Sb
    {0x6A, "Selenium (34)", 33273, "QVchemA", -16, 500, 0},  // Se
};

// "Chem 3"
inline constexpr SymbolEntry kChem3Symbols[] = {
    {0x6B, "Silicon (14)", 33274, "QVchemA", -16, 500, 0},  // Si
    {0x6C, "Tin (50)", 33275, "QVchemA", -16, 500, 0},  // Sn
    {0x6D, "Strontium (38)", 33276, "QVchemA", -16, 500, 0},  // Sr
    {0x6E, "Tantalum (73)", 33277, "QVchemA", -16, 500, 0},  // Ta
    {0x6F, "Tellurium (52)", 33278, "QVchemA", -16, 500, 0},  // Te
    {0x70, "Titanium (22)", 33279, "QVchemA", -16, 500, 0},  // Ti
    {0x71, "Vanadium (23)", 33280, "QVchemA", -18, 500, 0},  // V
    {0x72, "Tungsten (74)", 33281, "QVchemA", -18, 500, 0},  // W
    {0x73, "Xenon (54)", 33282, "QVchemA", -16, 500, 0},  // Xe
    {0x74, "Yttrium (39)", 33283, "QVchemA", -18, 500, 0},  // Y
    {0x75, "Zinc (30)", 33284, "QVchemA", -16, 500, 0},  // Zn
    {0x76, "Zirconium (40)", 33285, "QVchemA", -16, 500, 0},  // Zr
    {0x26, "reversible reaction", 33286, "QVchemA", -24, 500, 0},  // ⇌
    {0x21, "", 33287, "QVchemA", -18, 500, 0},  // →
    {0x22, "", 33288, "QVchemA", -18, 500, 0},  // ←
    {0x23, "", 33289, "QVchemA", -18, 500, 0},  // ↑
    {0x24, "", 33290, "QVchemA", -18, 500, 0},  // ↓
    {0x25, "", 33291, "QVchemA", -18, 500, 0},  // ↔
    {0x27, "", 33292, "QVchemA", -18, 500, 0},  // ⟶
    {0x28, "", 33293, "QVchemA", -18, 500, 0},  // ·
    {0x29, "", 33294, "QVchemA", -18, 500, 0},  // Δ
    {0x2B, "plus", 33295, "QVchemA", -18, 500, 0},  // +
    {0x2D, "minus", 33296, "QVchemA", -18, 500, 0},  // −
    {0x3D, "equals", 33297, "QVchemA", -18, 500, 0},  // =
};

// "Chem 4"
inline constexpr SymbolEntry kChem4Symbols[] = {
    {0x31, "", 33298, "QVchemA", -18, 500, 0},  // 1
    {0x32, "", 33299, "QVchemA", -18, 500, 0},  // 2
    {0x33, "", 33300, "QVchemA", -18, 500, 0},  // 3
    {0x34, "", 33301, "QVchemA", -18, 500, 0},  // 4
    {0x35, "", 33302, "QVchemA", -18, 500, 0},  // 5
    {0x36, "", 33303, "QVchemA", -18, 500, 0},  // 6
    {0x37, "", 33304, "QVchemA", -18, 500, 0},  // 7
    {0x38, "", 33305, "QVchemA", -18, 500, 0},  // 8
    {0x39, "", 33306, "QVchemA", -18, 500, 0},  // 9
    {0x30, "", 33307, "QVchemA", -18, 500, 0},  // 0
    {0xC1, "subscript 1", 33308, "QVchemA", -16, 500, 0},  // ₁
    {0xC2, "subscript 2", 33309, "QVchemA", -16, 500, 0},  // ₂
    {0xC3, "subscript 3", 33310, "QVchemA", -16, 500, 0},  // ₃
    {0xC4, "subscript 4", 33340, "QVchemA", -16, 500, 0},  // ₄
    {0xC5, "subscript 5", 33311, "QVchemA", -16, 500, 0},  // ₅
    {0xC6, "subscript 6", 33312, "QVchemA", -16, 500, 0},  // ₆
    {0xC7, "subscript 7", 33313, "QVchemA", -16, 500, 0},  // ₇
    {0xC8, "subscript 8", 33314, "QVchemA", -16, 500, 0},  // ₈
    {0xC9, "subscript 9", 33315, "QVchemA", -16, 500, 0},  // ₉
    {0xC0, "subscript 0", 33316, "QVchemA", -16, 500, 0},  // ₀
    {0x31, "superscript 1", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ¹
    {0x32, "superscript 2", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ²
    {0x33, "superscript 3", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ³
    {0x34, "superscript 4", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁴
    {0x35, "superscript 5", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁵
    {0x36, "superscript 6", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁶
    {0x37, "superscript 7", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁷
    {0x38, "superscript 8", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁸
    {0x39, "superscript 9", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁹
    {0x30, "superscript 0", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁰
};

// "Chem 5"
inline constexpr SymbolEntry kChem5Symbols[] = {
    {0x41, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ·
    {0x42, "bar", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ‾
    {0x43, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ′
    {0x44, "degrees", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // °
    {0x45, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // •
    {0x46, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ‡
    {0x47, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // Δ
    {0x48, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // hν
    {0x49, "cation", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁺
    {0x4A, "anion", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⁻
    {0x4B, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // ²⁺
    {0x4C, "approximate", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ≈
    {0x4D, "aproximately equal", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ≅
    {0x4E, "not equal", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ≠
    {0x4F, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ±
    {0x50, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ∝
    {0x51, "tripple bond", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ≡
    {0x52, "double bond", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // =
    {0x53, "single bond", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // —
    {0x54, "tilde", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ~
    {0x55, "poison", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ☠
    {0x56, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⚠
};

// "Chem 6"
inline constexpr SymbolEntry kChem6Symbols[] = {
    {0x61, "much greater", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ≫
    {0x62, "solid", ID_SYMBOL_PLACEHOLDER, "QVchemB", -12, 500, 0},  // (s)
    {0x63, "grams", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // g
    {0x64, "liquid", ID_SYMBOL_PLACEHOLDER, "QVchemB", -12, 500, 0},  // (l)
    {0x65, "aqueous", ID_SYMBOL_PLACEHOLDER, "QVchemB", -12, 500, 0},  // (aq)
    {0x66, "positive charge", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⊕
    {0x67, "negative charge", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // ⊖
    {0x68, "positive charge", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // δ+
    {0x69, "negative charge", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // δ−
    {0x6A, "lambda (wavelength)", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // λ
    {0x6B, "pi", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // π
    {0x6C, "omega (ohms)", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // Ω
    {0x6D, "ph", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // pH
    {0x6E, "celsius", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // °C
    {0x6F, "fahrenheit", ID_SYMBOL_PLACEHOLDER, "QVchemB", -14, 500, 0},  // °F
    {0x70, "angstrom", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // Å
    {0x71, "amgstrom", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // Å
    {0x72, "delta (change)", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // Δ
    {0x73, "delta (change)", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // δ
    {0x74, "molar", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // M
    {0x75, "volume", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // V
    {0x76, "temperature", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // T
    {0x77, "", ID_SYMBOL_PLACEHOLDER, "QVchemB", -12, 500, 0},  // (g)
    {0x78, "Kelvin", ID_SYMBOL_PLACEHOLDER, "QVchemB", -18, 500, 0},  // K
};

