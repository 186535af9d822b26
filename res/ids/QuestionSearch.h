#pragma once
// The question attribute dialogs (a check box per attribute) and the question search dialog:
// templates, control ids and their strings.

// Templates.
constexpr int IDD_QUESTION_SEARCH = 151;

// One check box per attribute, in the order the dialogs exchange them.
constexpr int IDC_QA_TYPE_CHECK = 1102;
constexpr int IDC_QA_ANSWER_CHECK = 1110;
constexpr int IDC_QA_CHOICES_CHECK = 1109;
constexpr int IDC_QA_INDEX_CHECK = 1104;
constexpr int IDC_QA_LEVEL_CHECK = 1103;
constexpr int IDC_QA_QUESTION_CHECK = 1127;
constexpr int IDC_QA_SUBJECTS_CHECK = 1105;
constexpr int IDC_QA_BOOKS_CHECK = 1136;
constexpr int IDC_QA_ID_CHECK = 1112;
// The plain edits of the choices and of the question text, grey while unticked.
constexpr int IDC_QA_CHOICES_TEXT = 1000;
constexpr int IDC_QA_QUESTION_TEXT = 1001;

// Search dialog controls (ID, index, type, level, subjects and books are the editor's ids).
constexpr int IDC_QS_ALL_ITEMS = 1290;
constexpr int IDC_QS_ANY_ITEM = 1291;
constexpr int IDC_QS_SUBJECTS = 1292;
constexpr int IDC_QS_BOOKS = 1293;
constexpr int IDC_QS_QUESTION_WORDS = 1294;
constexpr int IDC_QS_CHOICE_WORDS = 1295;
constexpr int IDC_QS_ANSWER_WORDS = 1297;
constexpr int IDC_QS_ALL_CATEGORIES = 1338;
constexpr int IDC_QS_ANY_CATEGORY = 1339;
constexpr int IDC_QS_SEARCH = 1140;
constexpr int IDC_QS_STATISTICS = 1317;

// Strings.
constexpr unsigned IDS_SEARCH_ONE_LEVEL = 52;
constexpr unsigned IDS_SEARCH_ONE_TYPE = 53;
