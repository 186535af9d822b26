#pragma once
// The link sheets of an exam and of a document's images: templates, control ids and their
// messages.

// Templates.
constexpr int IDD_ELS_START = 273;
constexpr int IDD_ELS_OUT_OF_DATE = 274;
constexpr int IDD_ELS_NO_FIND = 275;

// Start page.
constexpr int IDC_ELS_OUT_OF_DATE_TEXT = 1415;
constexpr int IDC_ELS_FIX_OUT_OF_DATE = 1416;
constexpr int IDC_ELS_FIX_MISSING = 1417;
constexpr int IDC_ELS_MISSING_TEXT = 1418;
constexpr int IDC_ELS_START_INFO = 1428;
constexpr int IDC_ELS_MESSAGE = 1754;
constexpr int IDC_ELS_PROBLEMS = 1755;
constexpr int IDC_ELS_FRAME = 1756;

// Out-of-date page.
constexpr int IDC_ELS_OOD_LIST = 1419;
constexpr int IDC_ELS_UPDATE = 1421;
constexpr int IDC_ELS_UPDATE_ALL = 1422;
constexpr int IDC_ELS_OOD_HEADER = 1427;
constexpr int IDC_ELS_OOD_INFO = 1430;

// Both fix pages.
constexpr int IDC_ELS_BREAK_LINKS = 1424;
constexpr int IDC_ELS_OR1 = 1760;
constexpr int IDC_ELS_OR2 = 1761;
constexpr int IDC_ELS_BREAK_TEXT = 1762;
constexpr int IDC_ELS_SKIP_TEXT = 1763;

// Missing page.
constexpr int IDC_ELS_NF_LIST = 1423;
constexpr int IDC_ELS_NAME_SEARCH = 1425;
constexpr int IDC_ELS_NF_HEADER = 1757;
constexpr int IDC_ELS_NF_INFO = 1758;
constexpr int IDC_ELS_ID_SEARCH = 2101;
constexpr int IDC_ELS_BROWSE = 2102;

// Messages.
constexpr unsigned IDS_ELS_START_INFO = 57;
constexpr unsigned IDS_ELS_OOD_INFO = 58;
constexpr unsigned IDS_ELS_NOT_FOUND = 275;
constexpr unsigned IDS_ELS_TRY_ID_SEARCH = 276;
constexpr unsigned IDS_ELS_ASK_ID = 277;
constexpr unsigned IDS_ELS_NO_HEADER = 282;
constexpr unsigned IDS_ELS_NO_CORRA_ID = 283;
constexpr unsigned IDS_ELS_NF_INFO = 287;
constexpr unsigned IDS_ELS_BREAK_ASK = 288;
constexpr unsigned IDS_ELS_MAYBE_DELETED = 289;
// The image page's header (the document-template strings hold 150).
constexpr unsigned IDS_ILS_HEADER = 32950;
