#pragma once
// The font dialogs: the Font Manager.

constexpr int IDD_FONT_MANAGER = 463;
constexpr int IDC_FM_SLOTS = 1971;
constexpr int IDC_FM_BOLD = 1974;
constexpr int IDC_FM_ITALIC = 1975;
constexpr int IDC_FM_UNDERLINE = 1976;
constexpr int IDC_FM_CHANGE = 1977;
constexpr int IDC_FM_FACE = 1978;
constexpr int IDC_FM_SIZE = 1979;
