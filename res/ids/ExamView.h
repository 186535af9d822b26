#pragma once
// Ids of the exam view: its commands, context menus and strings.

// Commands of the exam menu and the exam view's context menus.
constexpr unsigned ID_EXAM_UNLINK = 32841;
constexpr unsigned ID_EXAM_QUESTION_IDENTITY = 32842;
constexpr unsigned ID_EXAM_INSTRUCTIONS = 1943;
constexpr unsigned ID_EXAM_HEADERS = 32837;
constexpr unsigned ID_EXAM_FOOTERS = 32838;
constexpr unsigned ID_EXAM_EXPORT_FORMS = 32828;
constexpr unsigned ID_EXAM_SCRAMBLE = 33808;
constexpr unsigned ID_EXAM_UNSCRAMBLE = 33809;
// The answer keys of the forms, printed and previewed.
constexpr unsigned ID_EXAM_PRINT_KEYS = 32822;
constexpr unsigned ID_EXAM_PREVIEW_KEYS = 32850;
// The fonts of the printed exam, each opening the Font Manager on its slot.
constexpr unsigned ID_EXAM_TITLE_FONT = 32854;
constexpr unsigned ID_EXAM_DESCRIPTION_FONT = 32855;
constexpr unsigned ID_EXAM_FORM_NAME_FONT = 32858;
constexpr unsigned ID_EXAM_STUDENT_ID_FONT = 32864;
constexpr unsigned ID_EXAM_STUDENT_NAME_FONT = 32865;

// Context menus: of the exam's question pane, of its forms pane.
constexpr unsigned IDR_EXAM_QUESTION_PANE_MENU = 280;
constexpr unsigned IDR_EXAM_FORM_PANE_MENU = 323;
// The context menu of a form's own window, and its "Save Form".
constexpr unsigned IDR_FORM_VIEW_MENU = 208;
constexpr unsigned ID_SAVE_FORM = 32936;

// Strings.
constexpr unsigned IDS_EXAM_SCRAMBLE_ASK = 301;

// The pin drawn on the index of a question with a fixed position.
constexpr unsigned IDI_FIXED_PIN = 474;

// The "Form Keys" dialog: the forms, the keys of the selected ones.
constexpr unsigned IDD_FORM_KEYS = 195;
constexpr unsigned IDC_KEYS_FORMS = 1166;
constexpr unsigned IDC_KEYS_KEYS = 1167;
