#pragma once
// Image lists: icons by index, as list and tree controls refer to them. The shell's small icons
// (folders, open folders, files by type) are one image list shared by every control of the
// process, filled on demand from the desktop's icon theme.

#include "platform/core/String.h"

#include <QCursor>
#include <QIcon>

#include <vector>

class CImageList {
public:
    // Icons of cx by cy pixels (the shell's are 16 by 16).
    explicit CImageList(int cx = 16, int cy = 16) : m_cx(cx), m_cy(cy) {}
    int GetIconWidth() const { return m_cx; }
    int GetIconHeight() const { return m_cy; }
    // The new icon's index.
    int Add(const QIcon& icon);
    int GetImageCount() const { return static_cast<int>(m_icons.size()); }
    // An empty icon for an index outside the list.
    QIcon GetIcon(int nImage) const;

private:
    std::vector<QIcon> m_icons;
    int m_cx;
    int m_cy;
};

// The shared shell image list. Attach before use and Detach when done: the list lives while
// anyone holds it (a plain count: the user-interface thread only).
CImageList* AttachShellImageList();
void DetachShellImageList();
// Index in the shared list of the small icon of a folder (closed or open) or of a file by its
// type (its extension); the list must be attached.
int ShellFolderIcon(BOOL bOpen);
int ShellFileIcon(const char* path);

// The program's own cursors by resource id: 132 no drop, 133 no drop while copying, 134 copy.
// Any other id gives the arrow.
constexpr UINT IDC_NODROP = 132;
constexpr UINT IDC_NODROPCOPY = 133;
constexpr UINT IDC_DROPCOPY = 134;
QCursor LoadCursorResource(UINT nID);
