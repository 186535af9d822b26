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

// "Exam Printing Properties" and its controls.
constexpr unsigned IDD_PRINT_PROPERTIES = 269;
constexpr unsigned IDC_PP_COURSE_NAME = 1279;
constexpr unsigned IDC_PP_EXAM_TITLE = 1280;
constexpr unsigned IDC_PP_START_NUMBER = 1232;
constexpr unsigned IDC_PP_BLANK_LINES = 1384;
constexpr unsigned IDC_PP_BLANK_LINES_SPIN = 1383;
constexpr unsigned IDC_PP_CHOICE_LINES = 1275;
constexpr unsigned IDC_PP_CHOICE_LINES_SPIN = 1274;
constexpr unsigned IDC_PP_SEP_SPACES = 1278;
constexpr unsigned IDC_PP_SEP_SPACES_SPIN = 1385;
constexpr unsigned IDC_PP_INDENT = 1646;
constexpr unsigned IDC_PP_INDENT_SPIN = 1904;
constexpr unsigned IDC_PP_MARGIN_LEFT = 1288;
constexpr unsigned IDC_PP_MARGIN_TOP = 1387;
constexpr unsigned IDC_PP_MARGIN_RIGHT = 1289;
constexpr unsigned IDC_PP_MARGIN_BOTTOM = 1230;
constexpr unsigned IDC_PP_STYLE_FIRST = 1277;  // six radio buttons from here
constexpr unsigned IDC_PP_STYLE_KEYS = 1400;
constexpr unsigned IDC_PP_STYLE_COMPRESSED = 1401;
constexpr unsigned IDC_PP_STYLE_LARGE = 1402;
constexpr unsigned IDC_PP_STYLE_SMALL = 1403;
constexpr unsigned IDC_PP_STYLE_ANSWER_SHEET = 1404;
constexpr unsigned IDC_PP_COURSE_LABEL = 1344;
constexpr unsigned IDC_PP_TITLE_LABEL = 1345;
constexpr unsigned IDC_PP_TABBED = 1673;
constexpr unsigned IDC_PP_SHOW_ANSWERS = 1919;
constexpr unsigned IDC_PP_SEP_LABEL = 1892;
constexpr unsigned IDC_PP_INSTRUCTIONS = 1943;
// The page's font buttons of the printed file name and page number (the other buttons carry the
// exam view's commands).
constexpr unsigned ID_PRINT_FILENAME_FONT = 32856;
constexpr unsigned ID_PRINT_PAGENUM_FONT = 32857;

// "Exam Print Header".
constexpr unsigned IDD_EXAM_HEADER = 200;
constexpr unsigned IDC_HDR_PRINT = 1187;
constexpr unsigned IDC_HDR_COURSE_NAME = 1170;
constexpr unsigned IDC_HDR_EXAM_TITLE = 1287;
constexpr unsigned IDC_HDR_STUDENT_ID = 2091;
constexpr unsigned IDC_HDR_STUDENT_NAME = 2090;
constexpr unsigned IDC_HDR_USE_COURSE_NAME = 2040;
constexpr unsigned IDC_HDR_USE_EXAM_TITLE = 2041;
constexpr unsigned IDC_HDR_USE_STUDENT_NAME = 2042;
constexpr unsigned IDC_HDR_USE_STUDENT_ID = 2043;
constexpr unsigned IDC_HDR_USE_IMAGE = 2084;
constexpr unsigned IDC_HDR_IMAGE_FILE = 2092;
constexpr unsigned IDC_HDR_BRIGHTNESS = 2049;
constexpr unsigned IDC_HDR_BRIGHTNESS_SPIN = 2048;
constexpr unsigned IDC_HDR_IMAGE_SIZE = 2047;
constexpr unsigned IDC_HDR_IMAGE_SIZE_SPIN = 2046;
constexpr unsigned IDC_HDR_EVERY_PAGE = 1194;
constexpr unsigned IDC_HDR_FIRST_PAGE = 1195;
constexpr unsigned IDC_HDR_COURSE_NAME_POS = 1188;
constexpr unsigned IDC_HDR_EXAM_TITLE_POS = 1189;
constexpr unsigned IDC_HDR_STUDENT_NAME_POS = 1190;
constexpr unsigned IDC_HDR_STUDENT_ID_POS = 1181;
constexpr unsigned IDC_HDR_IMAGE_POS = 2093;
constexpr unsigned IDC_HDR_BROWSE = 2094;
constexpr unsigned IDC_HDR_DEFAULTS = 2095;
constexpr unsigned IDC_HDR_COURSE_NAME_FONT = 1191;
constexpr unsigned IDC_HDR_EXAM_TITLE_FONT = 1192;
constexpr unsigned IDC_HDR_STUDENT_NAME_FONT = 1193;
constexpr unsigned IDC_HDR_STUDENT_ID_FONT = 1392;

// "Exam Print Footer".
constexpr unsigned IDD_EXAM_FOOTER = 202;
constexpr unsigned IDC_FTR_PRINT = 1179;
constexpr unsigned IDC_FTR_FORM_NAME = 2120;
constexpr unsigned IDC_FTR_PAGE_NUM = 1228;
constexpr unsigned IDC_FTR_FILE_NAME = 1231;
constexpr unsigned IDC_FTR_USE_FILE_NAME = 2085;
constexpr unsigned IDC_FTR_USE_FORM_NAME = 2045;
constexpr unsigned IDC_FTR_USE_PAGE_NUM = 2044;
constexpr unsigned IDC_FTR_FILE_NAME_POS = 1171;
constexpr unsigned IDC_FTR_PAGE_NUM_POS = 1172;
constexpr unsigned IDC_FTR_FORM_NAME_POS = 1180;
constexpr unsigned IDC_FTR_FILE_NAME_FONT = 1173;
constexpr unsigned IDC_FTR_PAGE_NUM_FONT = 1175;
constexpr unsigned IDC_FTR_FORM_NAME_FONT = 1186;
constexpr unsigned IDC_FTR_DEFAULTS = 2096;

constexpr unsigned IDS_PP_SPACES_CHOICE_ID = 269;
constexpr unsigned IDS_PP_SPACES_CHOICES = 270;
constexpr unsigned IDS_FTR_NEEDS_FILENAME = 271;
constexpr unsigned IDS_FTR_NEEDS_PAGE_NUMBER = 272;
constexpr unsigned IDS_FTR_NEEDS_FORM_NAME = 293;
