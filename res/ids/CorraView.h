#pragma once
// Ids of the Question Corra view: its commands, controls and context menus.

// Draw modes and the frame's pane sizes.
constexpr unsigned ID_VIEW_SMALL_ICON = 32811;
constexpr unsigned ID_VIEW_LARGE_ICON = 32812;
constexpr unsigned ID_VIEW_EXPANDED = 32814;
constexpr unsigned ID_VIEW_CONTRACTED = 32895;
constexpr unsigned ID_RECALC_SPLITTERS = 32866;

// Commands of the view's menus (handled as they are built; until then their items are grey).
constexpr unsigned ID_QUESTION_SEARCH = 32804;
constexpr unsigned ID_UNSELECT_ALL = 32835;
constexpr unsigned ID_SET_QUESTION_ATTRIBUTES = 32875;
constexpr unsigned ID_QUESTION_IMAGES = 32884;
constexpr unsigned ID_RENAME_COLLECTION = 32885;
constexpr unsigned ID_QUESTION_STATISTICS = 32818;
constexpr unsigned ID_CORRA_PROPERTIES = 32853;
constexpr unsigned ID_SET_ALL_FONTS = 33635;
constexpr unsigned ID_FORMAT_CHOICES = 33810;
constexpr unsigned ID_INVALID_QUESTIONS = 33811;
constexpr unsigned ID_PRINTING_PROPERTIES = 32887;
// The Font Manager on the printed title, description, file name and page number slots.
constexpr unsigned ID_FONT_PRINTED_TITLE = 32854;
constexpr unsigned ID_FONT_PRINTED_DESCRIPTION = 32855;
constexpr unsigned ID_FONT_PRINTED_FILE_NAME = 32856;
constexpr unsigned ID_FONT_PRINTED_PAGE_NUMBER = 32857;
// Sorts the older menus offered; taken and ignored.
constexpr unsigned ID_SORT_BY_ID = 32789;
constexpr unsigned ID_SORT_BY_INDEX = 32790;

// Private messages every view answers with 1.
constexpr unsigned WM_CORRA_VIEW_QUERY1 = 0x8054;
constexpr unsigned WM_CORRA_VIEW_QUERY2 = 0x8055;

// Controls of the view.
constexpr unsigned IDC_QUESTION_LIST = 312;
constexpr unsigned IDC_EXPANDED_TEXT = 315;

// Context menus: of the question pane, of the collection pane.
constexpr unsigned IDR_QUESTION_PANE_MENU = 264;
constexpr unsigned IDR_COLLECTION_PANE_MENU = 324;
// The context menu of a collection's own window.
constexpr unsigned IDR_COLLECTION_VIEW_MENU = 263;

// "&Export Files..." of a bank's File menu and its question pane.
constexpr unsigned ID_EXPORT_FILES = 33099;
