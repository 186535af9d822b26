#pragma once
// The question images dialog: its template, control ids and strings.

constexpr int IDD_QUESTION_IMAGES = 284;

constexpr int IDC_QI_FILE = 1888;           // recent image files
constexpr int IDC_QI_BROWSE = 1464;
constexpr int IDC_QI_ADD = 1905;
constexpr int IDC_QI_PREVIEW = 1488;
constexpr int IDC_QI_LEFT = 1639;           // position radios, in position order
constexpr int IDC_QI_RIGHT = 1463;
constexpr int IDC_QI_TOP = 1461;
constexpr int IDC_QI_BELOW_QUESTION = 1470;
constexpr int IDC_QI_BELOW_CHOICES = 1471;
constexpr int IDC_QI_DELETE = 1654;
constexpr int IDC_QI_EDIT = 1487;
constexpr int IDC_QI_BRIGHTNESS = 1492;
constexpr int IDC_QI_BRIGHTNESS_SPIN = 1491;
constexpr int IDC_QI_SHIFT = 1486;
constexpr int IDC_QI_SHIFT_ACROSS = 1478;   // positions left and right
constexpr int IDC_QI_SHIFT_ALONG = 1477;    // the three bands
constexpr int IDC_QI_SIZE = 1496;
constexpr int IDC_QI_SIZE_SPIN = 1494;
constexpr int IDC_QI_MARGIN = 1497;
constexpr int IDC_QI_MARGIN_SPIN = 1498;
constexpr int IDC_QI_LAYOUT = 1481;         // the page-layout miniature
constexpr int IDC_QI_TEST_PRINT = 1489;
constexpr int IDC_QI_SEARCH = 1752;
constexpr int IDC_QI_FIND_LOST = 1753;
constexpr int IDC_QI_IMPORT = 1766;
constexpr int IDC_QI_LOCATION_GROUP = 1817;
constexpr int IDC_QI_INFO_GROUP = 2078;
constexpr int IDC_QI_FILENAME = 2074;
constexpr int IDC_QI_FOLDER = 2080;
constexpr int IDC_QI_BYTES = 2071;
constexpr int IDC_QI_FILENAME_CAPTION = 2070;
constexpr int IDC_QI_FOLDER_CAPTION = 2069;
constexpr int IDC_QI_BYTES_CAPTION = 2077;

// Posted by an image editor's worker when the editor ended well: lParam the image's serial.
constexpr unsigned WM_QI_END_EDIT = 0x812C;

constexpr unsigned IDS_IMPORT_IMAGE_ASK = 152;
