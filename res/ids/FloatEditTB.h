#pragma once
// Ids of the floating editing toolbar: its toolbars, controls, commands and messages, and of the
// palette selector bar.

// Toolbars: the "Edit" bar and the ten symbol palettes.
constexpr unsigned IDR_EDIT_BAR = 436;
constexpr unsigned IDR_MATH1_BAR = 449;
constexpr unsigned IDR_MATH2_BAR = 450;
constexpr unsigned IDR_MATH3_BAR = 451;
constexpr unsigned IDR_CHEM1_BAR = 452;
constexpr unsigned IDR_CHEM2_BAR = 453;
constexpr unsigned IDR_CHEM3_BAR = 454;
constexpr unsigned IDR_CHEM4_BAR = 455;
constexpr unsigned IDR_CHEM5_BAR = 456;
constexpr unsigned IDR_CHEM6_BAR = 457;
constexpr unsigned IDR_MATH4_BAR = 461;

// Controls of the "Edit" bar and the buttons they take the place of.
constexpr unsigned IDC_FONT_FACE = 139;
constexpr unsigned IDC_FONT_SIZE = 140;
constexpr unsigned IDC_FONT_SIZE_SPIN = 141;
constexpr unsigned ID_PLACE_FONT_FACE = 33090;
constexpr unsigned ID_PLACE_FONT_SIZE = 33091;
constexpr unsigned ID_PLACE_FONT_SPIN = 33092;

// Commands.
constexpr unsigned ID_CHAR_FONTLIST = 33104;
constexpr unsigned ID_FONT_DEFAULTS = 33630;
constexpr unsigned ID_FONT_REMOVE = 33633;
constexpr unsigned ID_VIEW_EDIT_BAR = 33085;
constexpr unsigned ID_VIEW_MATH1 = 33086;
constexpr unsigned ID_VIEW_MATH2 = 33087;
constexpr unsigned ID_VIEW_MATH3 = 33249;
constexpr unsigned ID_VIEW_MATH4 = 33637;
constexpr unsigned ID_VIEW_CHEM1 = 33601;
constexpr unsigned ID_VIEW_CHEM2 = 33602;
constexpr unsigned ID_VIEW_CHEM3 = 33603;
constexpr unsigned ID_VIEW_CHEM4 = 33604;
constexpr unsigned ID_VIEW_CHEM5 = 33625;
constexpr unsigned ID_VIEW_CHEM6 = 33626;
constexpr unsigned ID_VIEW_HIDE_PALETTES = 33638;
constexpr unsigned ID_SHOW_PALETTE_SELECTOR = 33800;
constexpr unsigned ID_HIDE_EDITING_TOOLBAR = 33801;

// Symbol buttons: fixed ids from 33222 to 33340, the placeholder given an id at run time.
constexpr unsigned ID_SYMBOL_FIRST = 33200;
constexpr unsigned ID_SYMBOL_LAST = 33600;
constexpr unsigned ID_SYMBOL_FIXED_FIRST = 33222;
constexpr unsigned ID_SYMBOL_FIXED_LAST = 33340;
constexpr unsigned ID_SYMBOL_PLACEHOLDER = 33618;

// The palette selector's buttons: 33700 + bar number (1 "Edit" to 11 "Chem 6").
constexpr unsigned ID_PALETTE_SELECT_BASE = 33700;
constexpr unsigned ID_PALETTE_SELECT_FIRST = 33701;
constexpr unsigned ID_PALETTE_SELECT_LAST = 33711;
constexpr unsigned ID_PALETTE_SELECT_END = 33799;

// Private messages to the toolbar: wParam the selector id; 0x8058's lParam a CCmdUI*.
constexpr unsigned WM_HV_PALETTE_TOGGLE = 0x8057;
constexpr unsigned WM_HV_PALETTE_UPDATE = 0x8058;
