#pragma once
// Ids of the folder dialogs, Manage Folders, Program Data and the import of files.

// Manage Folders: one combo box and one "Manage Folders..." button per document kind.
constexpr unsigned IDD_FOLDER_SETUP = 388;
constexpr unsigned IDC_FOLDER_CRR_COMBO = 1731;
constexpr unsigned IDC_FOLDER_EXM_COMBO = 1732;
constexpr unsigned IDC_FOLDER_SRC_COMBO = 1733;
constexpr unsigned IDC_FOLDER_DATA_COMBO = 1734;
constexpr unsigned IDC_FOLDER_IMG_COMBO = 1812;
constexpr unsigned IDC_FOLDER_CRR_MANAGE = 1735;
constexpr unsigned IDC_FOLDER_EXM_MANAGE = 1736;
constexpr unsigned IDC_FOLDER_SRC_MANAGE = 1737;
constexpr unsigned IDC_FOLDER_DATA_MANAGE = 1738;
constexpr unsigned IDC_FOLDER_IMG_MANAGE = 1810;

// Program Data.
constexpr unsigned IDD_PROGRAM_DATA = 390;
constexpr unsigned IDC_PDATA_SUBJECTS = 1815;
constexpr unsigned IDC_PDATA_TEXTBOOKS = 1814;
constexpr unsigned IDC_PDATA_SUBJECTS_BROWSE = 1813;
constexpr unsigned IDC_PDATA_TEXTBOOKS_BROWSE = 1899;
constexpr unsigned IDC_PDATA_SUBJECTS_EDIT = 1739;
constexpr unsigned IDC_PDATA_TEXTBOOKS_EDIT = 1740;

// Strings.
constexpr unsigned IDS_CHANGE_DEFAULT_FOLDER = 144;
constexpr unsigned IDS_IMPORT_CONFIRM = 165;
constexpr unsigned IDS_SELECT_DEFAULT_FOLDER = 166;
