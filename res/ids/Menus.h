#pragma once
// The menus of the frames as tables, by menu id (the main frame's 2 and each template's own).
// Each entry is one line of the menu: depth 0 a popup of the menu bar, depth 1 an item of it,
// depth 2 an item of a submenu (whose depth-1 line has id 0). An entry with id 0 and no text is
// a separator. Text after "\t" is the item's shortcut.

#include "res/ids/App.h"
#include "res/ids/CorraView.h"
#include "res/ids/ExamView.h"
#include "res/ids/Framework.h"
#include "res/ids/Print.h"
#include "res/ids/SourceView.h"

struct CMenuEntry {
    int depth;
    unsigned id;
    const char* text;
};

struct CMenuTable {
    unsigned id;
    const CMenuEntry* entries;
    int count;
};

namespace menus {

// The framework's standard commands (res/ids/Framework.h) under the tables' short names.
constexpr unsigned kFileNew = ID_FILE_NEW, kFileOpen = ID_FILE_OPEN, kFileClose = ID_FILE_CLOSE,
                   kFileSave = ID_FILE_SAVE, kFileSaveAs = ID_FILE_SAVE_AS, kPrintSetup = ID_FILE_PRINT_SETUP,
                   kPrint = ID_FILE_PRINT, kPrintPreview = ID_FILE_PRINT_PREVIEW, kMru1 = ID_FILE_MRU_FILE1,
                   kEditCopy = ID_EDIT_COPY, kEditCut = ID_EDIT_CUT, kEditPaste = ID_EDIT_PASTE,
                   kEditUndo = ID_EDIT_UNDO, kEditRedo = ID_EDIT_REDO, kWindowNew = ID_WINDOW_NEW,
                   kWindowArrange = ID_WINDOW_ARRANGE, kWindowCascade = ID_WINDOW_CASCADE,
                   kWindowTile = ID_WINDOW_TILE_HORZ, kAbout = ID_APP_ABOUT, kExit = ID_APP_EXIT,
                   kHelpFinder = ID_HELP_FINDER, kViewToolbar = ID_VIEW_TOOLBAR, kViewStatusBar = ID_VIEW_STATUS_BAR,
                   kEditSelectAll = ID_EDIT_SELECT_ALL;
// The control's Delete, which the panes take too.
constexpr unsigned kEditDelete = 32771;
// A document's "New Collection" (the same number as model/CorraDoc.h).
constexpr unsigned kNewCollection = 32799;
// The exam document's own commands (the same numbers as model/ExamDoc.h).
constexpr unsigned kExamProperties = 32830, kExamCheckLinks = 32813, kExamNewForms = 32809, kExamFormKeys = 32824;

#define CORRA_MENU_TOOLS                                                                                     \
    {0, 0, "&Tools"}, {1, ID_MAIN_MENU, "&Main menu\tCtrl+M"}, {1, 0, nullptr},                              \
        {1, ID_AUTO_CONVERT, "&Auto Convert..."}, {1, ID_ADD_QUESTION_WIZARD, "Add Qu&estion Wizard..."},   \
        {1, ID_CREATE_RANDOM_EXAM, "Create random exam..."}, {1, 0, nullptr},                               \
        {1, ID_IMPORT_FILES, "Impor&t Files..."}, {1, ID_VIEW_EXPORTED_FILES, "&View Exported Files..."},   \
        {1, 0, nullptr}, {1, ID_MANAGE_FOLDERS, "Manage &Folders..."},                                      \
        {1, ID_STARTUP_SETTINGS, "&Startup Settings..."}, {1, ID_PROGRAM_DATA, "Program &Data..."},        \
        {1, ID_DEFAULT_FONTS, "Default Fonts..."}

#define CORRA_MENU_HELP                                                                                      \
    {0, 0, "&Help"}, {1, kHelpFinder, "&Help Topics"}, {1, ID_GET_STARTED_NOW, "Get S&tarted Now!"},         \
        {1, ID_GETTING_STARTED, "Getting &Started..."}, {1, 0, nullptr},                                     \
        {1, ID_USERS_GUIDE, "www User's &Guide"}, {1, ID_PRODUCT_TOUR, "&Product Tour"},                    \
        {1, ID_PRODUCT_UPDATES, "Quorvale Updates"}, {1, ID_CONTACT_SUPPORT, "&Contact Support..."},        \
        {1, 0, nullptr}, {1, kAbout, "&About Quorvale..."}

#define CORRA_MENU_VIEW \
    {0, 0, "&View"}, {1, kViewToolbar, "&Toolbar"}, {1, kViewStatusBar, "&Status Bar"}

#define CORRA_MENU_WINDOW                                                                                    \
    {0, 0, "&Window"}, {1, kWindowNew, "&New Window"}, {1, kWindowCascade, "&Cascade"},                     \
        {1, kWindowTile, "&Tile"}, {1, kWindowArrange, "&Arrange Icons"}

// The main frame's menu, while no document is open.
inline constexpr CMenuEntry kMainMenu[] = {
    {0, 0, "&File"}, {1, kFileNew, "&New...\tCtrl+N"}, {1, kFileOpen, "&Open...\tCtrl+O"}, {1, 0, nullptr},
    {1, kPrintSetup, "P&rint Setup..."}, {1, 0, nullptr}, {1, kMru1, "Recent File"}, {1, 0, nullptr},
    {1, kExit, "E&xit"},
    CORRA_MENU_VIEW,
    CORRA_MENU_TOOLS,
    CORRA_MENU_HELP,
};

// A document's menu: the file commands of a document, its editing, the Window menu.
#define CORRA_DOC_MENU(extraFile, kindMenu)                                                                  \
    {0, 0, "&File"}, {1, kFileNew, "&New...\tCtrl+N"}, {1, kFileOpen, "&Open...\tCtrl+O"},                  \
        {1, kFileClose, "&Close"}, {1, kFileSave, "&Save\tCtrl+S"}, {1, kFileSaveAs, "Save &As..."},        \
        {1, 0, nullptr}, extraFile {1, kPrintSetup, "P&rint Setup..."}, {1, 0, nullptr},                   \
        {1, kMru1, "Recent File"}, {1, 0, nullptr}, {1, kExit, "E&xit"},                                     \
        {0, 0, "&Edit"}, {1, kEditUndo, "&Undo\tCtrl+Z"}, {1, kEditRedo, "&Redo\tCtrl+Y"}, {1, 0, nullptr},  \
        {1, kEditCut, "Cu&t\tCtrl+X"}, {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"},    \
        {1, kEditDelete, "&Delete\tDel"}, {1, 0, nullptr}, {1, ID_QUESTION_SEARCH, "&Search..."},            \
        {1, kEditSelectAll, "&Select All"}, {1, ID_UNSELECT_ALL, "U&nselect All"}, {1, 0, nullptr},          \
        {1, ID_QUESTION_DIALOG, "&Question Dialog..."}, CORRA_MENU_VIEW, kindMenu,                           \
        CORRA_MENU_TOOLS, CORRA_MENU_WINDOW, CORRA_MENU_HELP

#define CORRA_PRINT_ITEMS {1, kPrint, "&Print...\tCtrl+P"}, {1, kPrintPreview, "Print Pre&view"},
#define CORRA_MARGINS_ITEM {1, ID_PRINT_MARGINS, "Print &Margins..."},
#define CORRA_EXPORT_ITEM {1, ID_PRINTING_PROPERTIES, "P&rinting Properties..."}, {1, ID_EXPORT_FILES, "&Export Files..."},
#define CORRA_KIND_MENUS \
    {0, 0, "&Go"}, {1, ID_CORRA_MENU, "&Corra Menu"}, {1, ID_EXAM_MENU, "&Exam Menu"}

// The bank's own popup: the view's draw modes and question tools.
#define CORRA_BANK_MENUS                                                                                     \
    CORRA_KIND_MENUS, {0, 0, "&Questions"}, {1, ID_VIEW_CONTRACTED, "&Contracted"},                          \
        {1, ID_VIEW_LARGE_ICON, "by &Large Icon"}, {1, ID_VIEW_SMALL_ICON, "by &Small Icon"},                \
        {1, ID_VIEW_EXPANDED, "E&xpanded"}, {1, 0, nullptr},                                                 \
        {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question A&ttributes..."}, {1, ID_QUESTION_IMAGES, "I&mages..."}, \
        {1, ID_RENAME_COLLECTION, "R&ename Collection"}, {1, ID_QUESTION_STATISTICS, "St&atistics..."},      \
        {1, 0, nullptr}, {1, ID_SET_ALL_FONTS, "Set &All Fonts..."}, {1, ID_FORMAT_CHOICES, "Format Choices..."}, \
        {1, ID_INVALID_QUESTIONS, "In&valid Questions"}, {1, 0, nullptr},                                    \
        {1, ID_CORRA_PROPERTIES, "Propert&ies..."}, {1, ID_PRINTING_PROPERTIES, "P&rinting Properties..."}
inline constexpr CMenuEntry kCorraMenu[] = {
    CORRA_DOC_MENU(CORRA_PRINT_ITEMS CORRA_MARGINS_ITEM CORRA_EXPORT_ITEM, CORRA_BANK_MENUS)};
#undef CORRA_BANK_MENUS
// The exam's own popup follows the bank's menus: the document's commands, then the view's.
#define EXAM_KIND_MENUS                                                                                      \
    CORRA_KIND_MENUS, {0, 0, "E&xam"}, {1, kExamProperties, "Propert&ies..."}, {1, kExamCheckLinks, "&Check QCorra Links"}, \
        {1, 0, nullptr}, {1, kExamNewForms, "New &Form(s)..."}, {1, kExamFormKeys, "Form &Keys..."},            \
        {1, ID_EXAM_SCRAMBLE, "Scram&ble Forms"}, {1, ID_EXAM_UNSCRAMBLE, "U&nScramble Forms"},              \
        {1, ID_EXAM_EXPORT_FORMS, "E&xport Forms..."}, {1, 0, nullptr},                                      \
        {1, ID_EXAM_PRINT_KEYS, "Print &Keys..."}, {1, ID_EXAM_PREVIEW_KEYS, "Print Previe&w Keys..."},      \
        {1, 0, nullptr},                                                                                     \
        {1, ID_EXAM_UNLINK, "&Unlink Question(s)..."}, {1, ID_EXAM_QUESTION_IDENTITY, "Question I&dentity..."}, \
        {1, ID_EXAM_INSTRUCTIONS, "Ins&tructions..."}, {1, 0, nullptr}, {1, ID_EXAM_HEADERS, "Exam &Headers..."}, \
        {1, ID_EXAM_FOOTERS, "Exam F&ooters..."}, {1, 0, "Print F&onts"}, {2, ID_EXAM_TITLE_FONT, "&Title Font..."}, \
        {2, ID_EXAM_DESCRIPTION_FONT, "&Description Font..."}, {2, ID_EXAM_FORM_NAME_FONT, "&Form Name Font..."}, \
        {2, ID_EXAM_STUDENT_ID_FONT, "Student &ID Font..."}, {2, ID_EXAM_STUDENT_NAME_FONT, "Student &Name Font..."}
inline constexpr CMenuEntry kExamMenu[] = {CORRA_DOC_MENU(CORRA_PRINT_ITEMS CORRA_MARGINS_ITEM, EXAM_KIND_MENUS)};
#undef EXAM_KIND_MENUS
#define SOURCE_EDIT_ITEMS                                                                                    \
    {1, ID_SOURCE_MAKE_TITLE, "Make &Title..."}, {1, ID_SOURCE_MAKE_DESCRIPTION, "M&ake Description..."},     \
        {1, 0, nullptr}, {1, kEditUndo, "&Undo\tCtrl+Z"}, {1, 0, nullptr}, {1, kEditCut, "Cu&t\tCtrl+X"},     \
        {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"}, {1, kEditDelete, "&Delete"},       \
        {1, 0, nullptr}, {1, ID_SOURCE_PROPERTIES, "Properties..."}
inline constexpr CMenuEntry kSourceMenu[] = {
    {0, 0, "&File"}, {1, kFileNew, "&New...\tCtrl+N"}, {1, kFileOpen, "&Open...\tCtrl+O"},
    {1, kFileClose, "&Close"}, {1, kFileSaveAs, "Save &As..."}, {1, 0, nullptr},
    {1, ID_AUTO_CONVERT, "&Auto Convert..."}, {1, 0, nullptr}, {1, kMru1, "Recent File"}, {1, 0, nullptr},
    {1, kExit, "E&xit"},
    {0, 0, "&Edit"}, SOURCE_EDIT_ITEMS,
    CORRA_MENU_VIEW, CORRA_MENU_TOOLS, CORRA_MENU_WINDOW, CORRA_MENU_HELP,
};
// The source view's context menu.
inline constexpr CMenuEntry kSourcePopupMenu[] = {{0, 0, "Source"}, SOURCE_EDIT_ITEMS};
#undef SOURCE_EDIT_ITEMS
inline constexpr CMenuEntry kCollMenu[] = {
    {0, 0, "&File"}, {1, ID_CLOSE_COLLECTION, "&Close"}, {1, kFileSave, "&Save\tCtrl+S"},
    {1, kFileSaveAs, "Save &As..."}, {1, 0, nullptr}, CORRA_PRINT_ITEMS {1, ID_EXPORT_FILES, "&Export Files..."},
    {1, 0, nullptr}, {1, kExit, "E&xit"},
    {0, 0, "&Edit"}, {1, kEditUndo, "&Undo\tCtrl+Z"}, {1, kEditRedo, "&Redo\tCtrl+Y"}, {1, 0, nullptr},
    {1, kEditCut, "Cu&t\tCtrl+X"}, {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"},
    {1, kEditDelete, "&Delete\tDel"}, {1, 0, nullptr}, {1, ID_QUESTION_SEARCH, "&Search..."},
    {0, 0, "&Collection"}, {1, kNewCollection, "&New"}, {1, ID_RENAME_COLLECTION, "&Rename Collection"},
    {1, 0, nullptr}, {1, ID_VIEW_LARGE_ICON, "by &Large Icon"}, {1, ID_VIEW_SMALL_ICON, "by &Small Icon"},
    {1, 0, nullptr}, {1, ID_QUESTION_STATISTICS, "S&tatistics..."},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question &Attributes..."},
    CORRA_MENU_VIEW, CORRA_MENU_TOOLS, CORRA_MENU_WINDOW, CORRA_MENU_HELP,
};

// A form's window: printed as the exam prints it, with its key and the exam's print fonts.
inline constexpr CMenuEntry kFormMenu[] = {
    {0, 0, "&File"}, {1, ID_CLOSE_COLLECTION, "&Close"}, {1, 0, nullptr}, CORRA_PRINT_ITEMS
    {1, ID_EXAM_PRINT_KEYS, "Print &Keys..."}, {1, ID_EXAM_PREVIEW_KEYS, "Print Previe&w Keys..."},
    CORRA_MARGINS_ITEM CORRA_EXPORT_ITEM {1, 0, nullptr}, {1, kExit, "E&xit"},
    {0, 0, "&Edit"}, {1, kEditUndo, "&Undo\tCtrl+Z"}, {1, kEditRedo, "&Redo\tCtrl+Y"}, {1, 0, nullptr},
    {1, kEditCut, "Cu&t\tCtrl+X"}, {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"},
    {1, kEditDelete, "&Delete\tDel"},
    {0, 0, "F&orm"}, {1, ID_SAVE_FORM, "&Save Form"}, {1, ID_RENAME_COLLECTION, "&Rename Form"},
    {1, 0, nullptr}, {1, ID_VIEW_LARGE_ICON, "by &Large Icon"}, {1, ID_VIEW_SMALL_ICON, "by &Small Icon"},
    {1, 0, nullptr}, {1, ID_QUESTION_STATISTICS, "S&tatistics..."},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question &Attributes..."}, {1, 0, "Print F&onts"},
    {2, ID_EXAM_TITLE_FONT, "&Title Font..."}, {2, ID_EXAM_DESCRIPTION_FONT, "&Description Font..."},
    {2, ID_EXAM_FORM_NAME_FONT, "&Form Name Font..."}, {2, ID_EXAM_STUDENT_ID_FONT, "Student &ID Font..."},
    {2, ID_EXAM_STUDENT_NAME_FONT, "Student &Name Font..."},
    CORRA_MENU_VIEW, CORRA_MENU_TOOLS, CORRA_MENU_WINDOW, CORRA_MENU_HELP,
};

// The context menus of the two panes of a Question Corra frame (one popup each).
#define CORRA_DRAW_MODES                                                                                     \
    {1, ID_VIEW_CONTRACTED, "&Contracted"}, {1, ID_VIEW_LARGE_ICON, "by &Large Icon"},                      \
        {1, ID_VIEW_SMALL_ICON, "by &Small Icon"}
inline constexpr CMenuEntry kQuestionPaneMenu[] = {
    {0, 0, "Questions"}, {1, ID_QUESTION_SEARCH, "&Search..."}, {1, kEditSelectAll, "&Select All"},
    {1, ID_UNSELECT_ALL, "U&nselect All"}, {1, 0, nullptr}, {1, kEditCut, "Cu&t\tCtrl+X"},
    {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"}, {1, kEditDelete, "&Delete\tDel"},
    {1, 0, nullptr}, CORRA_DRAW_MODES, {1, ID_VIEW_EXPANDED, "E&xpanded"}, {1, 0, nullptr},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question A&ttributes..."}, {1, ID_QUESTION_IMAGES, "I&mages..."},
    {1, ID_QUESTION_STATISTICS, "St&atistics..."}, {1, 0, nullptr}, {1, ID_SET_ALL_FONTS, "Set &All Fonts..."},
    {1, ID_FORMAT_CHOICES, "Format Choices..."}, {1, ID_INVALID_QUESTIONS, "In&valid Questions"}, {1, 0, nullptr},
    {1, ID_CORRA_PROPERTIES, "Propert&ies..."},
};
inline constexpr CMenuEntry kCollectionPaneMenu[] = {
    {0, 0, "Collections"}, {1, ID_RENAME_COLLECTION, "R&ename Collection"}, {1, kEditDelete, "&Delete\tDel"},
    {1, 0, nullptr}, {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"}, {1, 0, nullptr},
    CORRA_DRAW_MODES, {1, 0, nullptr}, {1, ID_QUESTION_STATISTICS, "St&atistics..."},
};
inline constexpr CMenuEntry kCollViewMenu[] = {
    {0, 0, "Collection"}, {1, ID_QUESTION_SEARCH, "&Search..."}, {1, ID_QUESTION_STATISTICS, "S&tatistics..."},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question &Attributes..."}, {1, ID_QUESTION_IMAGES, "Ima&ges..."},
    {1, ID_QUESTION_DIALOG, "Edit..."}, {1, 0, nullptr}, {1, kEditDelete, "&Delete\tDel"},
    {1, kFileSave, "&Save Collection"}, {1, ID_RENAME_COLLECTION, "&Rename Collection"},
};
inline constexpr CMenuEntry kFormViewMenu[] = {
    {0, 0, "Form"}, {1, ID_QUESTION_SEARCH, "&Search..."}, {1, ID_QUESTION_STATISTICS, "S&tatistics..."},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question &Attributes..."}, {1, ID_QUESTION_IMAGES, "Ima&ges..."},
    {1, 0, nullptr}, {1, ID_SAVE_FORM, "&Save Form"}, {1, ID_RENAME_COLLECTION, "&Rename Form"},
};
// The exam's panes: the bank's, with the exam question's own commands.
inline constexpr CMenuEntry kExamQuestionPaneMenu[] = {
    {0, 0, "Questions"}, {1, ID_QUESTION_SEARCH, "&Search..."}, {1, kEditSelectAll, "&Select All"},
    {1, ID_UNSELECT_ALL, "U&nselect All"}, {1, 0, nullptr}, {1, kEditCut, "Cu&t\tCtrl+X"},
    {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"}, {1, kEditDelete, "&Delete\tDel"},
    {1, 0, nullptr}, CORRA_DRAW_MODES, {1, ID_VIEW_EXPANDED, "E&xpanded"}, {1, 0, nullptr},
    {1, ID_EXAM_UNLINK, "&Unlink Question(s)..."}, {1, ID_EXAM_QUESTION_IDENTITY, "Question I&dentity..."},
    {1, ID_SET_QUESTION_ATTRIBUTES, "Set Question A&ttributes..."}, {1, ID_QUESTION_IMAGES, "I&mages..."},
    {1, ID_QUESTION_STATISTICS, "St&atistics..."}, {1, 0, nullptr}, {1, kExamProperties, "Propert&ies..."},
};
inline constexpr CMenuEntry kExamFormPaneMenu[] = {
    {0, 0, "Forms"}, {1, ID_RENAME_COLLECTION, "R&ename Form"}, {1, kEditDelete, "&Delete\tDel"},
    {1, 0, nullptr}, {1, kEditCopy, "&Copy\tCtrl+C"}, {1, kEditPaste, "&Paste\tCtrl+V"}, {1, 0, nullptr},
    CORRA_DRAW_MODES, {1, 0, nullptr}, {1, ID_EXAM_SCRAMBLE, "Scram&ble Forms"},
    {1, ID_EXAM_UNSCRAMBLE, "U&nScramble Forms"}, {1, 0, nullptr}, {1, ID_QUESTION_STATISTICS, "St&atistics..."},
};
#undef CORRA_DRAW_MODES

#undef CORRA_KIND_MENUS
#undef CORRA_PRINT_ITEMS
#undef CORRA_MARGINS_ITEM
#undef CORRA_EXPORT_ITEM
#undef CORRA_DOC_MENU
#undef CORRA_MENU_WINDOW
#undef CORRA_MENU_VIEW
#undef CORRA_MENU_HELP
#undef CORRA_MENU_TOOLS

template <int N>
constexpr CMenuTable Table(unsigned id, const CMenuEntry (&e)[N])
{
    return {id, e, N};
}

inline constexpr CMenuTable kTables[] = {
    Table(IDR_MAINFRAME, kMainMenu), Table(IDR_CORRATYPE, kCorraMenu), Table(IDR_EXAMTYPE, kExamMenu),
    Table(IDR_SOURCETYPE, kSourceMenu), Table(IDR_COLLTYPE, kCollMenu), Table(IDR_FORMTYPE, kFormMenu),
    Table(IDR_QUESTION_PANE_MENU, kQuestionPaneMenu), Table(IDR_COLLECTION_PANE_MENU, kCollectionPaneMenu),
    Table(IDR_EXAM_QUESTION_PANE_MENU, kExamQuestionPaneMenu), Table(IDR_EXAM_FORM_PANE_MENU, kExamFormPaneMenu),
    Table(IDR_COLLECTION_VIEW_MENU, kCollViewMenu), Table(IDR_SOURCE_POPUP, kSourcePopupMenu),
    Table(IDR_FORM_VIEW_MENU, kFormViewMenu),
};

} // namespace menus

// The menu of an id, or NULL when there is none.
inline const CMenuTable* FindMenuTable(unsigned id)
{
    for (const CMenuTable& t : menus::kTables) {
        if (t.id == id)
            return &t;
    }
    return nullptr;
}

// The main toolbar's buttons (0 a separator).
inline constexpr unsigned kMainToolbarButtons[] = {
    menus::kFileNew, menus::kFileOpen, menus::kFileSave, 0, menus::kEditCut, menus::kEditCopy,
    menus::kEditPaste, 0, menus::kPrint, 0, ID_MAIN_MENU, 0, menus::kAbout,
};
