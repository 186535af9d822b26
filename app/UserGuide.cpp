#include "app/UserGuide.h"

#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/QtString.h"
#include "res/help/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <string>

CString CUserGuide::Folder()
{
    CString help = CFileTypes::GetDefDir(DT_HELP);
    if (help.IsEmpty())
        help = fsys::Join(GetServerDirectory(), "Hlp");
    const CString folder = fsys::Join(help, "Guide");
    if (!fsys::CreateDirectories(folder))
        return CString();
    // The pages are the program's own: a page that differs from the shipped one is replaced.
    const QDir shipped(QStringLiteral(":/guide"));
    for (const QString& name : shipped.entryList(QDir::Files)) {
        QFile page(shipped.filePath(name));
        if (!page.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = page.readAll();
        const CString path = fsys::Join(folder, FromQString(name));
        std::string there;
        if (fsys::ReadFile(path, there) && there.size() == static_cast<size_t>(data.size()) &&
            there.compare(0, there.size(), data.constData(), static_cast<size_t>(data.size())) == 0)
            continue;
        if (!fsys::WriteFileAtomic(path, data.constData(), static_cast<size_t>(data.size()))) {
            LogOutput("CUserGuide::Folder() - cannot write " + path, LOG_ERROR, LOG_HERE);
            return CString();
        }
    }
    return folder;
}

CString CUserGuide::TopicUrl(DWORD contextId)
{
    const char* page = FindHelpPage(contextId);
    if (!page) {
        LogOutput(CString::Formatted("CUserGuide::ShowTopic() - no page for help context 0x%lx, showing the contents",
                                     static_cast<unsigned long>(contextId)),
                  LOG_ERROR, LOG_HERE);
        page = FindHelpPage(0);
    }
    const CString folder = Folder();
    if (folder.IsEmpty())
        return CString();
    CString file(page);
    CString anchor;
    const int hash = file.Find('#');
    if (hash >= 0) {
        anchor = file.Mid(hash + 1);
        file = file.Left(hash);
    }
    QUrl url = QUrl::fromLocalFile(ToQString(fsys::Join(folder, file)));
    if (!anchor.IsEmpty())
        url.setFragment(ToQString(anchor));
    return FromQString(url.toString(QUrl::FullyEncoded));
}

BOOL CUserGuide::ShowTopic(DWORD contextId)
{
    const CString url = TopicUrl(contextId);
    if (url.IsEmpty())
        return FALSE;
    return DesktopOpener().OpenUrl(url);
}

void InstallUserGuide()
{
    static CUserGuide guide;
    SetHelpService(&guide);
}
