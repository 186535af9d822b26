#pragma once
// The program's file chooser as one call, for code below the shell (the import of files) and
// for the dialogs that only need its answer. The caller fills a call with the kind, the style
// flags and where to start; the installed chooser runs and fills in what was chosen. The shell
// installs the chooser; until then every call is cancelled. Tests install a scripted one.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <vector>

// Style flags of the chooser.
constexpr DWORD FCS_CREATE_FOLDERS = 0x1;   // "Create New Folder..." makes a folder
constexpr DWORD FCS_IMPORT = 0x2;           // "Import..." enabled
constexpr DWORD FCS_OPEN_DOC = 0x4;         // OK opens the document chosen
constexpr DWORD FCS_CREATE = 0x8;           // "Create New Folder..." enabled (also 0x10)
constexpr DWORD FCS_CREATE2 = 0x10;
constexpr DWORD FCS_RESERVED = 0x20;
constexpr DWORD FCS_RENAME = 0x40;
constexpr DWORD FCS_DELETE = 0x80;
constexpr DWORD FCS_FOLDER_MODE = 0x100;    // a folder is chosen, no file needed
constexpr DWORD FCS_MULTI_SELECT = 0x200;
constexpr DWORD FCS_TYPED_NAME = 0x400;     // a typed file name enables OK

struct CFileChooserCall {
    // What to show.
    int nType = 0;
    DWORD dwStyle = 0;
    CString csTitle;       // empty: the chooser's own caption
    CString csInfo;        // the information text; empty: the chooser's own
    CString csStartDir;    // the folder it starts in; empty: the default folder of the kind
    CString csRootDir;     // the tree's root; empty: the chooser decides by the style
    CString csRootFilter;  // the only folder the tree lists at its top; empty: every folder
    CString csConfirm;     // asked with OK and Cancel before OK is taken; empty: nothing asked
    BOOL bVisible = TRUE;  // a document opened by the chooser is shown

    // What was chosen (after IDOK): the folder (in folder mode the folder itself), and the
    // selected files' names and full paths, in the order of their rows.
    CString csFolder;
    std::vector<CString> names;
    std::vector<CString> paths;
};

class IFileChooserService {
public:
    virtual ~IFileChooserService() = default;
    // Runs the chooser; IDOK with the results filled, else IDCANCEL.
    virtual int Run(CFileChooserCall& call) = 0;
};

CServiceSlot<IFileChooserService>& FileChooserSlot();
IFileChooserService& FileChooser();
