#pragma once
// The standard commands of the document/view framework, by the numbers the framework gives them:
// the framework, the rich-edit control and the menu tables all take them from here.

// Standard commands.
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_CLOSE = 57602;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;
constexpr unsigned ID_FILE_PAGE_SETUP = 57605;
constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
// The recent files of the File menu, newest first.
constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
constexpr unsigned ID_FILE_MRU_LAST = 57631;
constexpr unsigned ID_EDIT_CLEAR = 57632;
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_SELECT_ALL = 57642;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_EDIT_REDO = 57644;
constexpr unsigned ID_WINDOW_NEW = 57648;
constexpr unsigned ID_WINDOW_ARRANGE = 57649;
constexpr unsigned ID_WINDOW_CASCADE = 57650;
constexpr unsigned ID_WINDOW_TILE_HORZ = 57651;
constexpr unsigned ID_WINDOW_TILE_VERT = 57652;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_HELP_INDEX = 57666;
constexpr unsigned ID_HELP_FINDER = 57667;
constexpr unsigned ID_HELP_USING = 57668;
constexpr unsigned ID_CONTEXT_HELP = 57669;
constexpr unsigned ID_HELP = 57670;
constexpr unsigned ID_DEFAULT_HELP = 57671;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;
constexpr unsigned ID_VIEW_TOOLBAR = 59392;
constexpr unsigned ID_VIEW_STATUS_BAR = 59393;
