#include "foundation/ImportFile.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileChooserCall.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "res/ids/Folders.h"

namespace {

// The folder the chooser starts in: the one last imported from while it still is a folder.
CString LastImportFolder(const CString& key, const CString& defDir)
{
    CString folder;
    CorraApp().GetProfilePath(folder, "Imports", key, defDir, TRUE, TRUE);
    return fsys::IsDirectory(folder) ? folder : defDir;
}

int ImportChosen(int nType, LPCSTR info, LPCSTR startDir, LPCSTR targetDir)
{
    const CString key = CFileTypes::Type2DirName(nType) + "_LastDir";
    const CString defDir = CFileTypes::GetDefDir(nType);
    const CString target = targetDir && *targetDir ? CString(targetDir) : defDir;

    CFileChooserCall call;
    call.nType = nType;
    call.dwStyle = FCS_MULTI_SELECT | FCS_CREATE_FOLDERS;
    call.bVisible = TRUE;
    call.csInfo = info ? info : "";
    call.csStartDir = startDir && *startDir ? CString(startDir) : LastImportFolder(key, defDir);
    call.csConfirm.Format(LoadStringId(IDS_IMPORT_CONFIRM), CFileTypes::Type2TypeDescr(nType, TRUE).GetString(),
                          CFileTypes::Type2TypeName(nType).GetString(), target.GetString());
    if (FileChooser().Run(call) != IDOK)
        return 0;

    CorraApp().WriteProfilePath("Imports", key, call.csFolder);
    int nImported = 0;
    for (const CString& path : call.paths) {
        if (!fsys::Exists(path))
            LogAssertion("::GetFileAttributes(csFromFilename) != 0xFFFFFFFF", LOG_HERE);
        // A file chosen in the folder it would go to is there already: nothing to copy, nor to
        // ask about replacing it with itself.
        if (IsSameFolder(fsys::Folder(path), target)) {
            LogOutput("::ImportFile() - file is in the target folder already...", LOG_ERROR, LOG_HERE);
            LogOutput(path, LOG_ERROR, LOG_HERE);
            continue;
        }
        if (CFileTypes::ImportFile(nType, path, nullptr, targetDir)) {
            ++nImported;
        } else {
            LogOutput("::ImportFile() - failed to FileTypes::ImportFile()...", LOG_ERROR, LOG_HERE);
            LogOutput(path, LOG_ERROR, LOG_HERE);
        }
    }
    return nImported;
}

} // namespace

int ImportFile(int nType, LPCSTR info, LPCSTR startDir, LPCSTR targetDir)
{
    try {
        return ImportChosen(nType, info, startDir, targetDir);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    AfxMessageBox("Import failed.");
    return 0;
}
