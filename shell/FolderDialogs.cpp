#include "shell/FolderDialogs.h"

#include "platform/core/FileSys.h"
#include "platform/ui/FileDialog.h"

namespace {

constexpr int kStatusLength = 35;

} // namespace

CFolderPicker::CFolderPicker(LPCSTR startFolder, UINT flags, CWnd* pParent)
    : m_csStartFolder(startFolder ? startFolder : ""), m_csPath(m_csStartFolder), m_nFlags(flags), m_pParent(pParent)
{
}

CString CFolderPicker::StatusTextOf(LPCSTR path)
{
    CString text = path ? path : "";
    if (text.GetLength() > kStatusLength)
        text = text.Left(kStatusLength) + "...";
    return text;
}

void CFolderPicker::OnInitialized()
{
    SetStatusText(m_csStartFolder);
}

void CFolderPicker::OnSelChanged(LPCSTR path)
{
    m_csPath = path;
    SetStatusText(path);
}

int CFolderPicker::DoModal()
{
    m_csPath = m_csStartFolder;
    OnInitialized();
    CFileDialogRequest request;
    request.kind = CFileDialogRequest::kindFolder;
    request.title = "Current Selection";
    request.folder = m_csStartFolder;
    request.status = m_csStatus;
    CString chosen;
    if (!ChooseFilePath(request, chosen) || chosen.IsEmpty())
        return IDCANCEL;
    OnSelChanged(chosen);
    return IDOK;
}

CFolderDialog::CFolderDialog(CString* pFolder, CWnd* pParent) : m_pFolder(pFolder), m_pParent(pParent) {}

int CFolderDialog::DoModal()
{
    CFileDialogRequest request;
    request.kind = CFileDialogRequest::kindFolder;
    request.title = "Choose folder";
    request.acceptLabel = "Select";
    if (m_pFolder && fsys::IsDirectory(*m_pFolder))
        request.folder = *m_pFolder;
    CString chosen;
    if (!ChooseFilePath(request, chosen) || chosen.IsEmpty())
        return IDCANCEL;
    if (m_pFolder)
        *m_pFolder = chosen;
    return IDOK;
}
