#pragma once
// Ids of printing: the margins command and dialog, the preview's own commands and its help.

// "Print Margins..." of a bank's and an exam's File menu.
constexpr unsigned ID_PRINT_MARGINS = 33042;

// The page margins dialog and its edits (inches).
constexpr unsigned IDD_PAGE_MARGINS = 432;
constexpr unsigned IDC_MARGIN_RIGHT = 1962;
constexpr unsigned IDC_MARGIN_TOP = 1963;
constexpr unsigned IDC_MARGIN_LEFT = 1964;
constexpr unsigned IDC_MARGIN_BOTTOM = 1965;

// The preview's bar and its exam commands: the next and the previous form.
constexpr unsigned IDD_PREVIEW_BAR = 426;
constexpr unsigned ID_PREVIEW_NEXT_FORM = 1283;
constexpr unsigned ID_PREVIEW_PREV_FORM = 1284;
// The help context of the preview.
constexpr unsigned HELP_CTX_PRINT_PREVIEW = 0x2010A;

// The "Export" dialog and its controls.
constexpr unsigned IDD_EXPORT = 1538;
constexpr unsigned HELP_CTX_EXPORT = 468;
constexpr unsigned IDC_EXPORT_TYPE = 1988;
constexpr unsigned IDC_EXPORT_SETUP = 2099;
constexpr unsigned IDC_EXPORT_ATTRIBUTES = 1989;
constexpr unsigned IDC_EXPORT_OUTPUT_GROUP = 1076;
constexpr unsigned IDC_EXPORT_FOLDER = 1990;
constexpr unsigned IDC_EXPORT_FILE = 2087;
constexpr unsigned IDC_EXPORT_CHOOSE = 1991;
constexpr unsigned IDC_EXPORT_STYLE = 1992;
constexpr unsigned IDC_EXPORT_CHANGE_STYLE = 2105;
constexpr unsigned IDC_EXPORT_ANSWERS = 1993;
constexpr unsigned IDC_RANGE_ALL = 1056;
constexpr unsigned IDC_RANGE_SELECTION = 1057;
constexpr unsigned IDC_RANGE_PAGES = 1058;
constexpr unsigned IDC_RANGE_FROM = 1152;
constexpr unsigned IDC_RANGE_TO = 1153;
constexpr unsigned IDC_VIEW_FILE = 2126;
constexpr unsigned IDC_EXPORTED_FILES = 2089;
constexpr unsigned IDC_EXPORTED_FOLDER = 2088;
constexpr unsigned IDC_OPEN_AFTER_EXPORT = 2115;
// "View Exported Files".
constexpr unsigned IDD_EXPORTED_FILES = 472;

constexpr unsigned IDS_EXPORT_CANNOT_WRITE = 268;
constexpr unsigned IDS_EXPORT_NOT_DIRECTORY = 278;
constexpr unsigned IDS_EXPORT_REPLACE = 298;
