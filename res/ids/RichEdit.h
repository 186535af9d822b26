#pragma once
// Ids of the rich-edit control: its commands, private messages and menus.

#include "res/ids/Framework.h"

// Commands of the control.
constexpr unsigned ID_EDIT_DELETE = 32771;
constexpr unsigned ID_CHAR_BOLD = 33031;
constexpr unsigned ID_CHAR_ITALIC = 33032;
constexpr unsigned ID_CHAR_UNDERLINE = 33033;
constexpr unsigned ID_FORMAT_FONT = 33039;
constexpr unsigned ID_EDIT_TOOLBAR = 33094;
constexpr unsigned ID_CHAR_SUPERSCRIPT = 33102;
constexpr unsigned ID_CHAR_SUBSCRIPT = 33103;
constexpr unsigned ID_CHAR_DEFAULTFONT = 33628;

// Private messages.
constexpr unsigned WM_HV_SHOWEDITTOOLBAR = 0x8136;  // show the floating editing toolbar
constexpr unsigned WM_HV_EDITSELCHANGE = 0x8137;    // to the toolbar: lParam the control
constexpr unsigned WM_HV_GETRICHTEXT = 0x8258;      // wParam: LOWORD format, HIWORD length; lParam buffer

// Menus.
constexpr unsigned IDR_RICHEDIT_FORMAT = 428;
constexpr unsigned IDR_RICHEDIT_CONTEXT = 429;
// The floating editing toolbar's dialog.
constexpr unsigned IDD_FLOATEDITTB = 441;
