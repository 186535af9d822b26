#pragma once
// The question editor and its choosers: dialog templates, control ids and their strings.

// Templates.
constexpr int IDD_QUESTION_DLG = 106;
constexpr int IDD_SUBJECTS_DLG = 108;
constexpr int IDD_TEXTBOOKS_DLG = 109;
constexpr int IDD_EDIT_FILE_LIST = 130;
constexpr int IDD_CORRA_QUESTION_DLG = 160;

// Question editor controls.
constexpr int IDC_QD_ID = 1113;
constexpr int IDC_QD_TYPE = 1009;
constexpr int IDC_QD_LEVEL = 1027;
constexpr int IDC_QD_INDEX = 1052;
constexpr int IDC_QD_SUBJECTS = 1021;
constexpr int IDC_QD_SUBJECTS_TEXT = 1057;
constexpr int IDC_QD_BOOKS = 1029;
constexpr int IDC_QD_BOOKS_TEXT = 1056;
constexpr int IDC_QD_QUESTION = 1941;
constexpr int IDC_QD_CHOICES = 2112;
constexpr int IDC_QD_ANSWER = 1930;
constexpr int IDC_QD_ANSWER_LETTER = 1045;
constexpr int IDC_QD_TRUE = 1877;
constexpr int IDC_QD_FALSE = 1876;
constexpr int IDC_QD_RESET = 1048;
constexpr int IDC_QD_INDEX_DOWN = 1146;
constexpr int IDC_QD_INDEX_UP = 1145;
constexpr int IDC_QD_IDENTITY = 1632;
constexpr int IDC_QD_NEXT = 1071;
constexpr int IDC_QD_PREV = 1226;
constexpr int IDC_QD_PANE_LABEL = 1442;
constexpr int IDC_QD_ANSWER_LABEL = 1443;
constexpr int IDC_QD_ANSWER_SIZE = 1903;
constexpr int IDC_QD_ANSWER_SPIN = 1878;
constexpr int IDC_QD_IMAGES = 1466;
constexpr int IDC_QD_ADD = 32786;
constexpr int IDC_QD_MODIFY = 1047;
constexpr int ID_QD_EDITING_TOOLBAR = 33105;

// Subject chooser controls.
constexpr int IDC_SUBJ_MASTER = 1031;
constexpr int IDC_SUBJ_TYPEAHEAD = 1311;
constexpr int IDC_SUBJ_SELECTED = 1312;
constexpr int IDC_SUBJ_SELECT = 1313;
constexpr int IDC_SUBJ_UNSELECT = 1372;
constexpr int IDC_SUBJ_CLEAR = 1030;
constexpr int IDC_SUBJ_ADD = 1374;
constexpr int IDC_SUBJ_ADD_ALL = 1261;
constexpr int IDC_SUBJ_EXPLAIN = 1375;
constexpr int IDC_SUBJ_EDIT_MASTER = 1065;
constexpr int IDC_SUBJ_MASTER_CAPTION = 1318;
constexpr int IDC_SUBJ_SELECTED_CAPTION = 1636;

// Textbook chooser controls.
constexpr int IDC_BOOK_COMBO = 1036;
constexpr int IDC_BOOK_CHAPTER = 1043;
constexpr int IDC_BOOK_SELECT = 1037;
constexpr int IDC_BOOK_LIST = 1038;
constexpr int IDC_BOOK_DELETE = 1039;
constexpr int IDC_BOOK_DELETE_ALL = 1044;
constexpr int IDC_BOOK_EDIT = 1068;

// Edit File List controls.
constexpr int IDC_EFL_EDIT = 1064;
constexpr int IDC_EFL_LIST = 1058;
constexpr int IDC_EFL_ADD = 1042;
constexpr int IDC_EFL_DELETE = 1061;
constexpr int IDC_EFL_DELETE_ALL = 1063;
constexpr int IDC_EFL_CHANGE = 1062;

// Strings.
constexpr unsigned IDS_NO_PREVIOUS_INDEX = 47;
constexpr unsigned IDS_MASTER_FILE_MISSING = 133;
constexpr unsigned IDS_SCRAMBLED_READ_ONLY = 300;
