#pragma once
// The desktop's file operations that need more than the file system: the trash, and the
// "properties" verb, here a small dialog of ours (name, kind, size, time, folder).

#include "platform/ui/Dialog.h"

class QLabel;

// Moves a file or folder (a link: the link itself) to the desktop's trash. FALSE when it
// cannot go there; then nothing was removed.
BOOL MoveToTrash(const char* path);

// The desktop's description of a file's kind ("Folder" for a folder).
CString DescribeFileKind(const char* path);

class CFilePropertiesDlg : public CDialog {
public:
    enum { IDD = 330 };
    // pszKind: the kind's description when the caller knows it better than the desktop.
    explicit CFilePropertiesDlg(const char* path, CWnd* pParent = nullptr, const char* pszKind = nullptr);

    // The texts shown, in the order of the dialog.
    CString m_csName;
    CString m_csKind;
    CString m_csSize;
    CString m_csModified;
    CString m_csFolder;

protected:
    BOOL OnInitDialog() override;

private:
    CString m_csPath;
};

// Shows the properties dialog of a path; FALSE when nothing stands there.
BOOL ShowFileProperties(const char* path, CWnd* pParent = nullptr, const char* pszKind = nullptr);
