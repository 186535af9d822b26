#pragma once
// The Add Question Wizard: its pages, their controls and messages.

// Pages, in the order of the sheet.
constexpr unsigned IDD_AQF_TO_TYPE = 290;
constexpr unsigned IDD_AQF_TO_DOC = 291;
constexpr unsigned IDD_AQF_TO_COLLECTION = 292;
constexpr unsigned IDD_AQF_FROM_TYPE = 252;
constexpr unsigned IDD_AQF_FROM_DOC = 253;
constexpr unsigned IDD_AQF_FROM_COLLECTION = 265;
constexpr unsigned IDD_AQF_METHOD = 261;
constexpr unsigned IDD_AQF_RAND_TYPE = 424;
constexpr unsigned IDD_AQF_RAND_LEVEL = 464;
constexpr unsigned IDD_AQF_RAND_SUBJECT = 465;
constexpr unsigned IDD_AQF_RAND_TEXTBOOK = 466;
constexpr unsigned IDD_AQF_RAND_RESULTS = 425;
constexpr unsigned IDD_AQF_AC_LINE_FORMAT = 391;
constexpr unsigned IDD_AQF_AC_ATTR2 = 385;
constexpr unsigned IDD_AQF_AC_ATTR1 = 384;
constexpr unsigned IDD_AQF_AC_QUEST_ATTR = 387;
constexpr unsigned IDD_AQF_AC_RUN = 386;

// Every page's information pane at the top.
constexpr int IDC_AQF_INFO = 1000;

// Target kind.
constexpr int IDC_AQF_TO_CORRA = 1522;
constexpr int IDC_AQF_TO_EXAM = 1523;
constexpr int IDC_AQF_TO_COLLECTION = 1524;

// Target document.
constexpr int IDC_AQF_TO_OPEN = 1526;
constexpr int IDC_AQF_TO_RECENT = 1527;
constexpr int IDC_AQF_TO_SEARCH = 1528;
constexpr int IDC_AQF_TO_OPEN_LIST = 1529;
constexpr int IDC_AQF_TO_RECENT_LIST = 1530;
constexpr int IDC_AQF_TO_SEARCH_BUTTON = 1531;
constexpr int IDC_AQF_TO_PATH = 1532;
constexpr int IDC_AQF_TO_NEW = 1533;
constexpr int IDC_AQF_TO_NEW_NAME = 1582;

// Source kind.
constexpr int IDC_AQF_FROM_AUTOCONVERT = 1322;
constexpr int IDC_AQF_FROM_CORRA = 1334;
constexpr int IDC_AQF_FROM_EXAM = 1150;
constexpr int IDC_AQF_FROM_COLLECTION = 1391;
constexpr int IDC_AQF_FROM_COMPOSE = 1647;

// Source document.
constexpr int IDC_AQF_FROM_OPEN = 1509;
constexpr int IDC_AQF_FROM_RECENT = 1515;
constexpr int IDC_AQF_FROM_SEARCH = 1516;
constexpr int IDC_AQF_FROM_OPEN_LIST = 1511;
constexpr int IDC_AQF_FROM_RECENT_LIST = 1512;
constexpr int IDC_AQF_FROM_SEARCH_BUTTON = 1513;
constexpr int IDC_AQF_FROM_PATH = 1514;
constexpr int IDC_AQF_KEEP_OPEN = 1586;

// Collection pages.
constexpr int IDC_AQF_COLL_DOC = 1521;
constexpr int IDC_AQF_COLL_PROMPT = 1520;
constexpr int IDC_AQF_COLL_LIST = 1519;
constexpr int IDC_AQF_COLL_COUNT = 1359;

// Method page.
constexpr int IDC_AQF_MANUAL = 1346;
constexpr int IDC_AQF_ALL = 1389;
constexpr int IDC_AQF_RANDOM = 1347;
constexpr int IDC_AQF_UNIQUE = 1351;
constexpr int IDC_AQF_RANDOM_COUNT = 1350;
constexpr int IDC_AQF_RANDOM_COUNT_LABEL = 1349;
constexpr int IDC_AQF_COPYING_FROM = 1882;
constexpr int IDC_AQF_FROM_COLL_LINE = 1880;
constexpr int IDC_AQF_COUNTS = 1890;
constexpr int IDC_AQF_ADDING_TO = 1881;
constexpr int IDC_AQF_METHOD_NOTE = 1879;

// Random criteria pages.
constexpr int IDC_AQF_CRIT_TITLE = 1835;
constexpr int IDC_AQF_CRIT_ANY = 1836;
constexpr int IDC_AQF_CRIT_MATCHING = 1837;
constexpr int IDC_AQF_CRIT_LIST_HEADING = 1841;
constexpr int IDC_AQF_STAT_LIST_HEADING = 1842;
constexpr int IDC_AQF_CRIT_ANY_LINE = 1843;
constexpr int IDC_AQF_CRIT_OVER = 1844;
constexpr int IDC_AQF_CRIT_TOTAL = 1845;
constexpr int IDC_AQF_CRIT_LIST = 1856;
constexpr int IDC_AQF_STAT_LIST = 1857;
constexpr int IDC_AQF_CRIT_COUNT = 1858;
constexpr int IDC_AQF_CRIT_SPIN = 1859;
constexpr int IDC_AQF_STATISTICS = 1317;

// Random results page.
constexpr int IDC_AQF_RES_TITLE = 1862;
constexpr int IDC_AQF_RES_LIST = 1863;
constexpr int IDC_AQF_RES_AVAILABLE = 1873;
constexpr int IDC_AQF_RES_MET = 1874;
constexpr int IDC_AQF_APPLY_AGAIN = 1907;
constexpr int IDC_AQF_LOG = 2075;

// The statistics command a page sends the source document's view.
constexpr unsigned ID_AQF_VIEW_STATISTICS = 32818;

// Messages.
constexpr unsigned IDS_AQF_TO_TYPE_INFO = 68;
constexpr unsigned IDS_AQF_FROM_TYPE_INFO = 69;
constexpr unsigned IDS_AQF_TO_DOC_INFO = 70;
constexpr unsigned IDS_AQF_FROM_DOC_INFO = 71;
constexpr unsigned IDS_AQF_NO_PATHNAME = 96;
constexpr unsigned IDS_AQF_NOT_SAVED = 97;
constexpr unsigned IDS_AQF_SAVE_FIRST = 98;
constexpr unsigned IDS_AQF_TOO_MANY_RANDOM = 114;
constexpr unsigned IDS_AQF_RELOAD = 154;
constexpr unsigned IDS_AQF_CRIT_SUM_OVER = 170;
constexpr unsigned IDS_AQF_TYPE_HEADING = 171;
constexpr unsigned IDS_AQF_TYPE_SELECT = 172;
constexpr unsigned IDS_AQF_TYPE_ONE_ONLY = 178;
constexpr unsigned IDS_AQF_TYPE_UNIQUE = 180;
constexpr unsigned IDS_AQF_TOO_FEW_UNIQUE = 182;
constexpr unsigned IDS_AQF_COUNTS = 184;
constexpr unsigned IDS_AQF_DUPLICATES = 187;
constexpr unsigned IDS_AQF_LEVEL_HEADING = 255;
constexpr unsigned IDS_AQF_LEVEL_UNIQUE = 256;
constexpr unsigned IDS_AQF_LEVEL_SELECT = 257;
constexpr unsigned IDS_AQF_LEVEL_ONE_ONLY = 258;
constexpr unsigned IDS_AQF_SUBJECT_HEADING = 259;
constexpr unsigned IDS_AQF_SUBJECT_UNIQUE = 260;
constexpr unsigned IDS_AQF_SUBJECT_SELECT = 261;
constexpr unsigned IDS_AQF_SUBJECT_ONE_ONLY = 262;
constexpr unsigned IDS_AQF_TEXTBOOK_HEADING = 263;
constexpr unsigned IDS_AQF_TEXTBOOK_UNIQUE = 264;
constexpr unsigned IDS_AQF_TEXTBOOK_SELECT = 265;
constexpr unsigned IDS_AQF_TEXTBOOK_ONE_ONLY = 266;

// AutoConvert settings pages.
constexpr int IDC_AQF_AC_TEXT = 1341;
constexpr int IDC_AQF_AC_RELOAD = 1714;
constexpr int IDC_AQF_AC_INFO2 = 1001;
constexpr int IDC_AQF_AC_BLANK_LINES = 1743;
constexpr int IDC_AQF_AC_NO_BLANK_LINES = 1805;
constexpr int IDC_AQF_AC_HAS_CHOICES = 1811;
constexpr int IDC_AQF_AC_LOWER = 1702;
constexpr int IDC_AQF_AC_UPPER = 1804;
constexpr int IDC_AQF_AC_NUMBERED = 2125;
constexpr int IDC_AQF_AC_PARENTHESIS = 1700;
constexpr int IDC_AQF_AC_PERIOD = 1699;
constexpr int IDC_AQF_AC_TERM_LABEL = 1002;
constexpr int IDC_AQF_AC_REMOVE_NUMBERS = 1716;
constexpr int IDC_AQF_AC_DIGITS = 1718;
constexpr int IDC_AQF_AC_LOWERCASE = 1719;
constexpr int IDC_AQF_AC_UPPERCASE = 1720;
constexpr int IDC_AQF_AC_NUM_OTHER = 1721;
constexpr int IDC_AQF_AC_NUM_OTHER_TEXT = 1722;
constexpr int IDC_AQF_AC_TERM_PERIOD = 1723;
constexpr int IDC_AQF_AC_TERM_PARENS = 1724;
constexpr int IDC_AQF_AC_TERM_SPACE = 1725;
constexpr int IDC_AQF_AC_TERM_OTHER = 1726;
constexpr int IDC_AQF_AC_TERM_OTHER_TEXT = 1727;
constexpr int IDC_AQF_AC_APPLY = 1886;
constexpr int IDC_AQF_AC_DEFAULT_ATTR = 1711;
constexpr int IDC_AQF_AC_SPECIFIC_ATTR = 1712;
constexpr int IDC_AQF_AC_ATTRIBUTES = 1713;
constexpr int IDC_AQF_AC_CONTINUE = 1715;

constexpr unsigned IDS_AQF_AC_NUMBERS_INFO = 128;
constexpr unsigned IDS_AQF_AC_CHOICES_INFO = 129;
constexpr unsigned IDS_AQF_AC_EXCLUSIVE = 130;
constexpr unsigned IDS_AQF_AC_LINES_INFO = 137;
constexpr unsigned IDS_AQF_AC_NO_ERRORS = 138;
constexpr unsigned IDS_AQF_AC_NO_QUESTIONS = 140;
constexpr unsigned IDS_AQF_AC_ONE_QUESTION = 141;
constexpr unsigned IDS_AQF_AC_LINES_NOTE = 155;
constexpr unsigned IDS_AQF_AC_ATTR_INFO = 315;
constexpr unsigned IDS_AQF_AC_RUN_INFO = 322;

// The AutoConvert attribute dialog, and "Having trouble?".
constexpr unsigned IDD_AC_ATTR = 162;
constexpr int IDC_AQF_AC_TROUBLE = 2127;
