#pragma once
// Ids of the file list and the folder tree: their messages to the parent, commands and menus.

// Sent to the parent with the control's id on a left button press in the list or the tree.
constexpr unsigned WM_HV_LBUTTONDOWN = 0x81F4;
// Posted to the parent after the tree created, deleted, moved or copied a folder or file.
constexpr unsigned WM_FOLDERTREE_CHANGED = 0x8190;
// Posted by the tree to itself when it is made: it takes the shell's icons and fills itself.
constexpr unsigned WM_FOLDERTREE_INIT = 0x8001;

// Commands of the tree (open is the framework's ID_FILE_OPEN, 57601).
constexpr unsigned ID_FOLDER_REFRESH = 32839;
constexpr unsigned ID_FOLDER_PROPERTIES = 32853;
constexpr unsigned ID_FOLDER_RENAME = 32878;
constexpr unsigned ID_FOLDER_DELETE = 32879;
constexpr unsigned ID_FOLDER_CREATE = 32891;

// Context menus of the tree: without and with "Open".
constexpr unsigned IDR_FOLDER_MENU = 322;
constexpr unsigned IDR_FOLDER_MENU_OPEN = 325;

// The file chooser.
constexpr unsigned IDD_HVFILEDLG = 304;
constexpr int IDC_HVFD_TREE = 1595;
constexpr int IDC_HVFD_LIST = 1598;
constexpr int IDC_HVFD_INFO = 1596;
constexpr int IDC_HVFD_FOLDER = 1597;
constexpr int IDC_HVFD_FILENAME = 1599;
constexpr int IDC_HVFD_IMPORT = 1600;
constexpr int IDC_HVFD_NEWFOLDER = 1601;
constexpr int IDC_HVFD_RENAME = 1602;
constexpr int IDC_HVFD_DELETE = 1603;
constexpr unsigned IDS_SELECT_FOLDER_FOR_NEW = 142;
constexpr unsigned IDS_OPERATION_FAILED = 164;

// The Find File dialog.
constexpr unsigned IDD_FILEFINDEX = 393;
constexpr int IDC_FIND_TREE = 1749;
constexpr int IDC_FIND_LIST = 1750;
constexpr int IDC_FIND_INFO = 1751;
constexpr int IDC_FIND_ROOT = 1752;
