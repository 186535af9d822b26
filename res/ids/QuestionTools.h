#pragma once
// The statistics, set-attributes and small question dialogs: templates and control ids.

// Templates.
constexpr int IDD_STATS_DLG = 191;
constexpr int IDD_QUESTION_IDENTIFY = 207;
constexpr int IDD_SET_QUESTION_ATTRIBUTES = 271;
constexpr int IDD_IMPORT_FILES = 423;
constexpr int IDD_INSTRUCTIONS = 430;
constexpr int IDD_CHOICES_FORMAT = 475;

// Statistics.
constexpr int IDC_STATS_ALL = 1627;
constexpr int IDC_STATS_SELECTED = 1628;
constexpr int IDC_STATS_BY_COLLECTION = 1642;
constexpr int IDC_STATS_COLLECTIONS = 1645;
constexpr int IDC_STATS_TYPES = 1908;
constexpr int IDC_STATS_LEVELS = 1310;
constexpr int IDC_STATS_INDEXES = 1643;
constexpr int IDC_STATS_FREQUENCIES = 1644;
constexpr int IDC_STATS_SUBJECTS = 1309;
constexpr int IDC_STATS_TEXTBOOKS = 2094;
constexpr int IDC_STATS_ANSWERS = 1340;

// Set Question Attributes.
constexpr int IDC_SQA_TYPE_CHECK = 1394;
constexpr int IDC_SQA_TYPE = 1395;
constexpr int IDC_SQA_LEVEL_CHECK = 1396;
constexpr int IDC_SQA_LEVEL = 1397;
constexpr int IDC_SQA_INDEX_CHECK = 1398;
constexpr int IDC_SQA_INDEX = 1399;
constexpr int IDC_SQA_INDEX_NEXT = 1400;
constexpr int IDC_SQA_INDEX_SPIN = 1393;
constexpr int IDC_SQA_SUBJECTS_CHECK = 1401;
constexpr int IDC_SQA_SUBJECTS_CHOOSE = 1402;
constexpr int IDC_SQA_SUBJECTS = 1403;
constexpr int IDC_SQA_SUBJECTS_REPLACE = 1407;
constexpr int IDC_SQA_SUBJECTS_ADD = 1408;
constexpr int IDC_SQA_SUBJECTS_REMOVE = 1436;
constexpr int IDC_SQA_BOOKS_CHECK = 1404;
constexpr int IDC_SQA_BOOKS_CHOOSE = 1405;
constexpr int IDC_SQA_BOOKS = 1406;
constexpr int IDC_SQA_BOOKS_REPLACE = 1409;
constexpr int IDC_SQA_BOOKS_ADD = 1410;
constexpr int IDC_SQA_BOOKS_REMOVE = 1437;
constexpr int IDC_SQA_STATISTICS = 1411;
constexpr int IDC_SQA_INFO = 1414;

// Question Identify.
constexpr int IDC_QI_POSITION = 1223;
constexpr int IDC_QI_IDENTITY = 1224;
constexpr int IDC_QI_FIXED = 1225;
constexpr int IDC_QI_AT_END = 1661;

// Choices Format.
constexpr int IDC_CF_LOWER = 2117;
constexpr int IDC_CF_UPPER = 2118;

// Import Files.
constexpr int IDC_IMPORT_CORRA = 1819;
constexpr int IDC_IMPORT_EXAM = 1820;
constexpr int IDC_IMPORT_SOURCE = 1821;
constexpr int IDC_IMPORT_IMAGES = 1824;
constexpr int IDC_IMPORT_DATA = 1825;

// Instructions.
constexpr int IDC_INSTRUCTIONS_PANE = 1942;
// "Font..." of the instructions: the Font Manager on the instructions' slot.
constexpr int IDC_INSTRUCTIONS_FONT = 33040;
