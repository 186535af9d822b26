#include "model/SampleBank.h"

#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"

namespace {

// Copies the files of a folder into target (made when missing) unless they are there already.
int CopyNew(const CString& folder, const CString& target, int kind)
{
    if (target.IsEmpty() || !fsys::CreateDirectories(target))
        return 0;
    int copied = 0;
    for (const fsys::CDirEntry& entry : fsys::ListDirectory(folder)) {
        if (entry.isDirectory || entry.isHidden || (kind && CFileTypes::Ext2Type(entry.name) != kind))
            continue;
        CString to = fsys::Join(target, entry.name);
        if (fsys::Exists(to))
            continue;
        if (fsys::CopyFile(entry.path, to, TRUE))
            ++copied;
        else
            LogOutput("InstallSamples() - failed to copy " + entry.path, LOG_ERROR, LOG_HERE);
    }
    return copied;
}

} // namespace

CString SampleFolder()
{
    // An installation keeps them in the program home; a build keeps them beside the program.
    CString inHome = fsys::Join(GetProgramHome(), "samples");
    if (fsys::IsDirectory(inHome))
        return inHome;
    return fsys::Join(fsys::Folder(GetProgramFilePath()), "samples");
}

int InstallSamples(LPCSTR fromFolder)
{
    CString folder = fromFolder && *fromFolder ? CString(fromFolder) : SampleFolder();
    if (!fsys::IsDirectory(folder))
        return 0;
    return CopyNew(folder, CFileTypes::GetDefDir(DT_CORRA), DT_CORRA) + CopyNew(folder, CFileTypes::GetDefDir(DT_EXAM), DT_EXAM) +
           CopyNew(fsys::Join(folder, "Images"), CFileTypes::GetPriDir(DT_IMAGE), 0);
}
