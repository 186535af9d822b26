#include "foundation/FileView.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"

namespace {

// Until the application installs its folder view: the desktop's.
class CDesktopFolderViewer : public IFolderViewer {
public:
    BOOL ShowFolder(const CString& path) override { return DesktopOpener().OpenFolder(path); }
};

CDesktopFolderViewer g_desktopFolders;
CServiceSlot<IFolderViewer> g_folderViewer(g_desktopFolders);

const char* ViewerFailureText(int kind)
{
    switch (kind) {
    case FT_TEXT:
        return "Failed to start text viewer.";
    case FT_WORD:
        return "Failed to start Microsoft Word.";
    case FT_WORDPERFECT:
        return "Failed to start WordPerfect.";
    case FT_HTML:
        return "Failed to start browser.";
    case FT_RTF:
        return "Failed to start RTF viewer.";
    default:
        return "";
    }
}

// Every byte passes test; FALSE for an empty text.

} // namespace

CServiceSlot<IFolderViewer>& FolderViewerSlot()
{
    return g_folderViewer;
}

int DisplayFile(LPCSTR path)
{
    if (!path || !fsys::Exists(path))
        return DISPLAYFILE_MISSING;
    if (fsys::IsDirectory(path)) {
        return g_folderViewer.Get().ShowFolder(path) ? DISPLAYFILE_OK : DISPLAYFILE_FAILED;
    }
    int kind = CFileTypes::GetDocType(path);
    if (kind == FT_WORDPERFECT && !CorraApp().GetProfileInt("Export", "AllowWPOpen", 0, FALSE)) {
        LogOutput("::DisplayFile() - opening WordPerfect files is not allowed...", 3, LOG_HERE);
        return DISPLAYFILE_FAILED;
    }
    if (!DesktopOpener().OpenFile(path)) {
        CString text = "Failed to display file.";
        if (*ViewerFailureText(kind))
            text += CString("\n") + ViewerFailureText(kind);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return DISPLAYFILE_FAILED;
    }
    return DISPLAYFILE_OK;
}
