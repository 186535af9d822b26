#include "platform/ui/ImageList.h"

#include "platform/ui/QtString.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

int CImageList::Add(const QIcon& icon)
{
    m_icons.push_back(icon);
    return static_cast<int>(m_icons.size()) - 1;
}

QIcon CImageList::GetIcon(int nImage) const
{
    return nImage >= 0 && nImage < GetImageCount() ? m_icons[static_cast<size_t>(nImage)] : QIcon();
}

namespace {

struct CShellImages {
    CImageList list;
    QFileIconProvider provider;
    int folder = -1;
    int folderOpen = -1;
    int plainFile = -1;
    // One icon per extension (lower case): asking the desktop for every file would cost a look-up
    // of its type each time.
    std::map<std::string, int> byExtension;
};

std::unique_ptr<CShellImages> g_pShell;
int g_nShellUsers = 0;

CShellImages& Shell()
{
    if (!g_pShell)
        g_pShell = std::make_unique<CShellImages>();
    return *g_pShell;
}

} // namespace

CImageList* AttachShellImageList()
{
    ++g_nShellUsers;
    return &Shell().list;
}

void DetachShellImageList()
{
    if (g_nShellUsers > 0 && --g_nShellUsers == 0)
        g_pShell.reset();
}

int ShellFolderIcon(BOOL bOpen)
{
    CShellImages& s = Shell();
    if (s.folder < 0) {
        QIcon closed = s.provider.icon(QFileIconProvider::Folder);
        s.folder = s.list.Add(closed);
        QIcon open = QIcon::fromTheme("folder-open");
        if (open.isNull())
            open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
        s.folderOpen = s.list.Add(open.isNull() ? closed : open);
    }
    return bOpen ? s.folderOpen : s.folder;
}

int ShellFileIcon(const char* path)
{
    CShellImages& s = Shell();
    CString name(path);
    int slash = std::max(name.ReverseFind('/'), name.ReverseFind('\\'));
    name = name.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    if (dot <= 0) {
        if (s.plainFile < 0)
            s.plainFile = s.list.Add(s.provider.icon(QFileIconProvider::File));
        return s.plainFile;
    }
    CString ext = name.Mid(dot + 1);
    ext.MakeLower();
    auto it = s.byExtension.find(ext.str());
    if (it != s.byExtension.end())
        return it->second;
    // The type goes by the name alone: a made-up name of the extension asks no disk.
    QIcon icon = s.provider.icon(QFileInfo(QStringLiteral("/nonexistent/file.") + ToQString(ext)));
    if (icon.isNull())
        icon = s.provider.icon(QFileIconProvider::File);
    int index = s.list.Add(icon);
    s.byExtension.emplace(ext.str(), index);
    return index;
}

QCursor LoadCursorResource(UINT nID)
{
    if (nID != IDC_NODROP && nID != IDC_NODROPCOPY && nID != IDC_DROPCOPY)
        return QCursor(Qt::ArrowCursor);
    // An arrow with a sign beside it: a struck-through circle where nothing may be dropped, a
    // plus where a drop copies.
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF arrow[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow, 7);
    if (nID == IDC_DROPCOPY || nID == IDC_NODROPCOPY) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(21.5, 1.5, 9, 9));
        p.drawLine(QPointF(26, 3), QPointF(26, 9));
        p.drawLine(QPointF(23, 6), QPointF(29, 6));
    }
    if (nID != IDC_DROPCOPY) {
        QRectF ring(13.5, 15.5, 13, 13);
        p.setPen(QPen(QColor(200, 0, 0), 2.5));
        p.setBrush(Qt::white);
        p.drawEllipse(ring);
        p.drawLine(QPointF(15.8, 26.2), QPointF(24.2, 17.8));
    }
    p.end();
    return QCursor(pm, 1, 1);
}
