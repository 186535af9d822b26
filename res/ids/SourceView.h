#pragma once
// The source document's view, its menus and its properties dialog.

constexpr unsigned IDD_SOURCE_VIEW = 104;
constexpr unsigned IDR_SOURCE_POPUP = 209;
constexpr unsigned IDC_SOURCE_EDIT = 1341;
constexpr unsigned IDC_SOURCE_CHOICES = 1000;
constexpr unsigned IDC_SOURCE_QUESTION = 1001;

constexpr unsigned ID_SOURCE_MAKE_TITLE = 32871;
constexpr unsigned ID_SOURCE_MAKE_DESCRIPTION = 32872;
constexpr unsigned ID_SOURCE_PROPERTIES = 32883;
// Commands of older versions that the view still answers.
constexpr unsigned ID_SOURCE_OLD_1 = 32777;
constexpr unsigned ID_SOURCE_OLD_2 = 32779;

constexpr unsigned IDD_SOURCE_PROPERTIES = 277;
constexpr unsigned IDC_SOURCE_PROP_LOCATION = 1444;
constexpr unsigned IDC_SOURCE_PROP_TITLE = 1445;
constexpr unsigned IDC_SOURCE_PROP_DESCRIPTION = 1446;
constexpr unsigned IDC_SOURCE_PROP_PARAGRAPHS = 1447;
