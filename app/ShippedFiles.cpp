#include "app/ShippedFiles.h"

#include "dialogs/MasterLists.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"

#include <QFile>

BOOL InstallShippedFile(LPCSTR name, const CString& path)
{
    if (path.IsEmpty() || fsys::Exists(path))
        return FALSE;
    QFile shipped(QStringLiteral(":/home/") + QString::fromUtf8(name));
    if (!shipped.open(QIODevice::ReadOnly)) {
        LogOutput(CString("InstallShippedFile() - not shipped: ") + name, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    const QByteArray data = shipped.readAll();
    fsys::CreateDirectories(fsys::Folder(path));
    if (!fsys::WriteFile(path, data.constData(), static_cast<size_t>(data.size()))) {
        LogOutput("InstallShippedFile() - cannot write " + path, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

int InstallShippedHomeFiles()
{
    int copied = InstallShippedFile("tips.txt", fsys::Join(GetServerDirectory(), "tips.txt")) ? 1 : 0;
    copied += InstallShippedFile("Data/Subjects.txt", MasterFilePathOf(GetMasterFileName(SubjectList()))) ? 1 : 0;
    copied += InstallShippedFile("Data/Textbooks.txt", MasterFilePathOf(GetMasterFileName(TextbookList()))) ? 1 : 0;
    return copied;
}
