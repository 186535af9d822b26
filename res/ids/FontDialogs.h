#pragma once
// The font dialogs: the Font Manager and Set Document Fonts.

constexpr int IDD_FONT_MANAGER = 463;
constexpr int IDC_FM_SLOTS = 1971;
constexpr int IDC_FM_BOLD = 1974;
constexpr int IDC_FM_ITALIC = 1975;
constexpr int IDC_FM_UNDERLINE = 1976;
constexpr int IDC_FM_CHANGE = 1977;
constexpr int IDC_FM_FACE = 1978;
constexpr int IDC_FM_SIZE = 1979;

// Set Document Fonts.
constexpr int IDD_SET_DOCUMENT_FONTS = 467;
constexpr int IDC_SDF_ITEMS = 2033;
constexpr int IDC_SDF_ENTIRE = 2036;
constexpr int IDC_SDF_SELECTED = 2096;
constexpr int IDC_SDF_CHANGE = 2003;
constexpr int IDC_SDF_DEFAULT = 2025;
constexpr int IDC_SDF_FONT = 2024;
constexpr int IDC_SDF_DESCRIPTION = 2038;
constexpr int IDC_SDF_ALL_ATTRIBUTES = 2035;
constexpr int IDC_SDF_THESE_ONLY = 2109;
constexpr int IDC_SDF_FACE = 2026;
constexpr int IDC_SDF_SIZE = 2027;
constexpr int IDC_SDF_STYLES = 2039;
