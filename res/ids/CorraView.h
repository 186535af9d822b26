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

// Controls of the view.
constexpr unsigned IDC_QUESTION_LIST = 312;
constexpr unsigned IDC_EXPANDED_TEXT = 315;

// Context menus: of the question pane, of the collection pane.
constexpr unsigned IDR_QUESTION_PANE_MENU = 264;
constexpr unsigned IDR_COLLECTION_PANE_MENU = 324;

// "&Export Files..." of a bank's File menu and its question pane.
constexpr unsigned ID_EXPORT_FILES = 33099;
