#pragma once
// Ids the document/view framework itself knows: its standard commands, the window ids of the
// frame's parts and the fields of a template's document string.

#include "platform/core/WinTypes.h"

// The message that carries a command: one posted or sent to a window runs the command of its
// low word there (code that closes a document's window posts it so).
constexpr UINT WM_COMMAND = 0x0111;

// Standard commands.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PAGE_SETUP = 57605;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
// The recent files of the File menu, newest first.
constexpr UINT ID_FILE_MRU_FILE1 = 57616;
constexpr UINT ID_FILE_MRU_LAST = 57631;
constexpr UINT ID_EDIT_CLEAR = 57632;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_WINDOW_NEW = 57648;
constexpr UINT ID_WINDOW_ARRANGE = 57649;
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_WINDOW_TILE_VERT = 57652;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_HELP_INDEX = 57666;
constexpr UINT ID_HELP_FINDER = 57667;
constexpr UINT ID_HELP_USING = 57668;
constexpr UINT ID_CONTEXT_HELP = 57669;
constexpr UINT ID_HELP = 57670;
constexpr UINT ID_DEFAULT_HELP = 57671;
constexpr UINT ID_NEXT_PANE = 57680;
constexpr UINT ID_PREV_PANE = 57681;
constexpr UINT ID_VIEW_TOOLBAR = 59392;
// The buttons of a property sheet; a wizard's modal run returns ID_WIZFINISH when finished.
constexpr UINT ID_APPLY_NOW = 0x3021;
constexpr UINT ID_WIZBACK = 0x3023;
constexpr UINT ID_WIZNEXT = 0x3024;
constexpr UINT ID_WIZFINISH = 0x3025;
// The print preview's bar.
constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NUMPAGE = 0xE301;
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE303;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE304;
constexpr UINT AFX_ID_PREVIEW_ZOOMIN = 0xE305;
constexpr UINT AFX_ID_PREVIEW_ZOOMOUT = 0xE306;
constexpr UINT ID_VIEW_STATUS_BAR = 59393;
// The open MDI child windows in the Window menu.
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// Window ids of a frame's parts.
constexpr UINT AFX_IDW_TOOLBAR = 59392;
constexpr UINT AFX_IDW_STATUS_BAR = 59393;
constexpr UINT AFX_IDW_PANE_FIRST = 59648;
constexpr UINT AFX_IDW_PANE_LAST = 59903;

// Status bar panes.
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_INDICATOR_CAPS = 59137;
constexpr UINT ID_INDICATOR_NUM = 59138;
// The idle message of the status bar's first pane.
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;
