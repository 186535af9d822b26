#pragma once
// Ids the document/view framework itself knows: its standard commands, the window ids of the
// frame's parts and the fields of a template's document string.

#include "platform/core/WinTypes.h"
#include "res/ids/Framework.h"

// The message that carries a command: one posted or sent to a window runs the command of its
// low word there (code that closes a document's window posts it so).
constexpr UINT WM_COMMAND = 0x0111;

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
