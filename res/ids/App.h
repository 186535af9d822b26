#pragma once
// Ids of the application object, its frames, templates, bars and start-up windows.

// Menus, document strings, icons and toolbars of the frames and templates.
constexpr unsigned IDR_MAINFRAME = 2;
constexpr unsigned IDR_CORRATYPE = 3;
constexpr unsigned IDR_EXAMTYPE = 4;
constexpr unsigned IDR_SOURCETYPE = 102;
constexpr unsigned IDR_COLLTYPE = 149;
constexpr unsigned IDR_FORMTYPE = 150;
constexpr unsigned IDR_MAINTOOLBAR = 309;
constexpr unsigned IDR_QUICKPICK = 470;

// Bars of the main frame.
constexpr unsigned IDW_QUICKPICK_BAR = 146;

// Pictures and the cursor, drawn in code.
constexpr unsigned IDB_SPLASH = 350;
constexpr unsigned IDB_TIP_LIGHTBULB = 113;
constexpr unsigned IDC_CORRA_CURSOR = 1244;
// The start screen: its background, and the up, pressed and focus pictures of its round and
// oval buttons; the small ovals of "Back" and "Close" have no focus picture.
constexpr unsigned IDB_START_BACKGROUND = 231;
constexpr unsigned IDB_CIRCLE_UP = 338;
constexpr unsigned IDB_CIRCLE_DOWN = 339;
constexpr unsigned IDB_CIRCLE_FOCUS = 340;
constexpr unsigned IDB_NAV_UP = 341;
constexpr unsigned IDB_NAV_DOWN = 342;
constexpr unsigned IDB_NAV_FOCUS = 343;
constexpr unsigned IDB_SMALL_NAV2_UP = 344;
constexpr unsigned IDB_SMALL_NAV2_DOWN = 345;
constexpr unsigned IDB_SMALL_NAV_UP = 347;
constexpr unsigned IDB_SMALL_NAV_DOWN = 348;

// About box.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDC_ABOUT_VERSION = 1376;
constexpr unsigned IDC_ABOUT_BUILD = 1377;
constexpr unsigned IDC_ABOUT_SITE = 1831;
constexpr unsigned IDC_ABOUT_PANE2 = 1832;
constexpr unsigned IDC_ABOUT_LABEL2 = 2128;

// Tip of the day.
constexpr unsigned IDD_TIP = 115;
constexpr unsigned IDC_TIP_STARTUP = 1630;
constexpr unsigned IDC_TIP_STRING = 1631;
constexpr unsigned IDC_TIP_NEXT = 1002;
constexpr unsigned IDC_TIP_FRAME = 1629;

// Start-up settings.
constexpr unsigned IDD_STARTUP_SETTINGS = 306;
constexpr unsigned IDC_STARTUP_MAINMENU = 1612;
constexpr unsigned IDC_STARTUP_SPLASH = 1613;
constexpr unsigned IDC_STARTUP_TIPS = 1614;
constexpr unsigned IDC_STARTUP_ESSAY = 2110;
constexpr unsigned IDC_STARTUP_FILLIN = 1922;
constexpr unsigned IDC_STARTUP_SHORT = 2111;

// The document-type chooser of File New and File Open.
constexpr unsigned IDD_NEWTYPEDLG = 30721;
constexpr unsigned IDC_NEWTYPE_LIST = 30722;

// Commands of the main frame and of the documents' menus.
constexpr unsigned ID_HELP_TIPOFTHEDAY = 117;
constexpr unsigned ID_MAIN_MENU = 32788;
constexpr unsigned ID_CORRA_MENU = 32820;
constexpr unsigned ID_EXAM_MENU = 32821;
constexpr unsigned ID_AUTO_CONVERT = 32772;
// A document's question dialog (its editor), checked while it is shown.
constexpr unsigned ID_QUESTION_DIALOG = 32776;
constexpr unsigned ID_ADD_QUESTION_WIZARD = 32867;
constexpr unsigned ID_CREATE_RANDOM_EXAM = 32817;
constexpr unsigned ID_MANAGE_FOLDERS = 32909;
constexpr unsigned ID_STARTUP_SETTINGS = 32910;
constexpr unsigned ID_PROGRAM_DATA = 32911;
constexpr unsigned ID_DEFAULT_FONTS = 33634;
constexpr unsigned ID_IMPORT_FILES = 33007;
constexpr unsigned ID_VIEW_EXPORTED_FILES = 33803;
constexpr unsigned ID_CONTACT_SUPPORT = 32894;
constexpr unsigned ID_CHOOSE_BITMAPS = 32843;
constexpr unsigned ID_VIEW_LOG = 32845;
constexpr unsigned ID_DELETE_LOG = 32846;
constexpr unsigned ID_CHECK_CORRA_IDS = 33802;
constexpr unsigned ID_EDIT_TERMS = 32833;
constexpr unsigned ID_NOTHING = 32800;
constexpr unsigned ID_GET_STARTED_NOW = 33027;
constexpr unsigned ID_GETTING_STARTED = 33028;
constexpr unsigned ID_USERS_GUIDE = 32988;
constexpr unsigned ID_PRODUCT_TOUR = 33812;
constexpr unsigned ID_PRODUCT_UPDATES = 33814;
// The collection frame's close.
constexpr unsigned ID_CLOSE_COLLECTION = 32801;

// Customer support.
constexpr unsigned IDD_SUPPORT = 305;
constexpr unsigned IDC_SUPPORT_INFO = 1781;
constexpr unsigned IDC_SUPPORT_PRIVACY = 2124;
constexpr unsigned IDC_SUPPORT_DONTSHOW_INFO = 2123;
constexpr unsigned IDC_SUPPORT_SEND_EMAIL = 1914;
constexpr unsigned IDC_SUPPORT_SEND_LOG = 1911;
constexpr unsigned IDC_SUPPORT_SEND_NAME = 1913;
constexpr unsigned IDC_SUPPORT_SEND_SYSINFO = 1912;
constexpr unsigned IDC_SUPPORT_EMAIL = 1910;
constexpr unsigned IDC_SUPPORT_NAME = 1909;
constexpr unsigned IDC_SUPPORT_MESSAGE = 1607;
constexpr unsigned IDC_SUPPORT_DONTSHOW = 1915;
constexpr unsigned IDS_SUPPORT_INSTRUCTIONS = 160;
constexpr unsigned IDS_SUPPORT_DONTSHOW = 192;
constexpr unsigned IDS_SUPPORT_PRIVACY = 193;
constexpr unsigned IDS_CONVERT_OFFER = 306;
constexpr unsigned IDS_CONVERT_SEND = 307;
constexpr unsigned IDS_RECOVER_OFFER = 308;
constexpr unsigned IDS_RECOVER_SEND = 309;
constexpr unsigned IDS_MAIL_ATTACH = 327;
constexpr unsigned IDS_UPDATE_TEXT = 312;
constexpr unsigned IDS_UPDATE_PATCH = 328;
constexpr unsigned IDS_UPDATE_RUNNING = 329;
// The picture of the update box.
constexpr unsigned IDB_UPDATE = 480;

// The start screen's pictures chooser and the picture file chooser.
constexpr unsigned IDD_BITMAP_PICKER = 240;
constexpr unsigned IDC_PICKER_TEST = 1256;
constexpr unsigned IDC_PICKER_TEST_CIRCLE = 1263;
constexpr unsigned IDC_PICKER_TEST_NAV = 1264;
constexpr unsigned IDC_PICKER_TEST_SMALL = 1265;
constexpr unsigned IDC_PICKER_TEST_SMALL2 = 1893;
constexpr unsigned IDC_PICKER_SELECT_ALL = 1691;
constexpr unsigned IDC_PICKER_UNSELECT_ALL = 1884;
constexpr unsigned IDD_BITMAP_PATH = 242;
constexpr unsigned IDC_BITMAP_PATH_COMBO = 1257;
constexpr unsigned IDC_BITMAP_PATH_CAPTION = 1375;
constexpr unsigned IDC_BITMAP_PATH_BROWSE = 1373;

// Help contexts of the getting-started topics.
constexpr unsigned HELP_CTX_GET_STARTED_NOW = 0x18103;
constexpr unsigned HELP_CTX_GETTING_STARTED = 0x18104;

// Strings.
constexpr unsigned IDS_CONFIG_MISSING = 153;
constexpr unsigned IDS_TIP_OF_THE_DAY = 120;
constexpr unsigned IDS_DID_YOU_KNOW = 121;
constexpr unsigned IDS_TIPS_FILE_MISSING = 123;
constexpr unsigned IDS_TIPS_FILE_TROUBLE = 124;
constexpr unsigned IDS_HELP_MENU = 125;
constexpr unsigned IDS_COLOR_WARNING = 76;
constexpr unsigned IDS_COLOR_NOTE = 77;
constexpr unsigned IDS_SCREEN_WARNING = 78;
constexpr unsigned IDS_SCREEN_NOTE = 79;
constexpr unsigned IDS_COMPONENT_NOT_REGISTERED = 74;
constexpr unsigned IDS_COMPONENT_REG_FAILED = 75;
constexpr unsigned IDS_COMPONENT_OUT_OF_DATE = 310;
constexpr unsigned IDS_COMPONENT_FILE_MISSING = 311;
constexpr unsigned IDS_COMPONENT_VERSIONS = 313;
constexpr unsigned IDS_COMPONENT_SUPPORT = 314;
constexpr unsigned IDS_SOME_FEATURES = 316;
constexpr unsigned IDS_COMPONENT_REGISTER_HINT = 118;
constexpr unsigned IDS_COMPONENT_REGFAIL_HINT = 119;
constexpr unsigned IDS_WELCOME_TEXT = 189;
constexpr unsigned IDS_NOT_IMPLEMENTED = 127;
