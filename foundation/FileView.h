#pragma once
// Showing a file or folder the user asked to see: a file in the desktop's viewer of its kind, a
// folder in the program's folder view.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

// Results of DisplayFile.
constexpr int DISPLAYFILE_OK = 0;
constexpr int DISPLAYFILE_MISSING = 1;
constexpr int DISPLAYFILE_FAILED = 2;
// Shows a file with the desktop's viewer of its export kind; a folder in the program's folder
// view. WordPerfect files only when the profile's "Export"/"AllowWPOpen" is set.
int DisplayFile(LPCSTR path);

// How DisplayFile shows a folder: the application installs its file chooser; until then the
// desktop opener shows it.
class IFolderViewer {
public:
    virtual ~IFolderViewer() = default;
    virtual BOOL ShowFolder(const CString& path) = 0;
};
CServiceSlot<IFolderViewer>& FolderViewerSlot();
