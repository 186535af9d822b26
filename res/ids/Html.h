#pragma once
// Ids of the HTML form settings dialog and the texts of HTML output.

constexpr unsigned IDD_HTML_SETTINGS = 442;
constexpr unsigned IDC_HTML_SINGLE_FILE = 2107;
constexpr unsigned IDC_HTML_MULTI_FILE = 2114;
constexpr unsigned IDC_HTML_BDR_HDR = 1994;
constexpr unsigned IDC_HTML_BDR_FTR = 1995;
constexpr unsigned IDC_HTML_BDR_QTEXT = 1996;
constexpr unsigned IDC_HTML_BDR_CHOICES = 1997;
constexpr unsigned IDC_HTML_CHECKBOXES = 1998;
constexpr unsigned IDC_HTML_RADIOS = 2095;
constexpr unsigned IDC_HTML_LINKS = 1999;
constexpr unsigned IDC_HTML_CBNAME_LABEL = 2061;
constexpr unsigned IDC_HTML_CBNAME = 2060;
constexpr unsigned IDC_HTML_RBCOMMON_LABEL = 2062;
constexpr unsigned IDC_HTML_RBCOMMON = 2063;
constexpr unsigned IDC_HTML_RBVALUE_LABEL = 2064;
constexpr unsigned IDC_HTML_RBVALUE = 2065;
constexpr unsigned IDC_HTML_HREF_LABEL = 2066;
constexpr unsigned IDC_HTML_HREF = 2067;
constexpr unsigned IDC_HTML_TANAME_LABEL = 2068;
constexpr unsigned IDC_HTML_TANAME = 2079;
constexpr unsigned IDC_HTML_TAINIT_LABEL = 2072;
constexpr unsigned IDC_HTML_TAINIT = 2073;
constexpr unsigned IDC_HTML_FILE_LABEL = 2057;
constexpr unsigned IDC_HTML_FILE = 2071;
constexpr unsigned IDC_HTML_MORE = 10;
constexpr unsigned IDC_HTML_DEFAULTS = 11;

constexpr unsigned IDS_HTML_DEFAULTS_ASK = 291;
constexpr unsigned IDS_HTML_BAD_PAGE_FILE = 335;
