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
