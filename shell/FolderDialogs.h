#pragma once
// Two ways to ask for one folder, both through the file dialog service: CFolderPicker, a folder
// browser with a status line that shows the current selection, and CFolderDialog, a folder
// chooser whose OK reads "Select". Neither reads or changes the process's current folder: the
// folder comes back from the dialog itself.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CWnd;

class CFolderPicker {
public:
    // startFolder: selected when the browser opens, and the answer when nothing is chosen.
    // flags: kept for the caller's browse options; the browser here takes none.
    explicit CFolderPicker(LPCSTR startFolder = nullptr, UINT flags = 0, CWnd* pParent = nullptr);
    virtual ~CFolderPicker() = default;

    // IDOK when a folder was chosen, else IDCANCEL (the start folder stays the answer).
    int DoModal();
    // The folder chosen, or the start folder.
    const CString& GetPath() const { return m_csPath; }
    const CString& GetStatusText() const { return m_csStatus; }
    UINT GetFlags() const { return m_nFlags; }

    // A path as the status line shows it: longer than 35 characters, its first 35 and "...".
    static CString StatusTextOf(LPCSTR path);

protected:
    // The browser opened: the start folder is selected and shown.
    virtual void OnInitialized();
    // The selection moved to path: it becomes the answer and the status text.
    virtual void OnSelChanged(LPCSTR path);
    void SetStatusText(LPCSTR path) { m_csStatus = StatusTextOf(path); }

    CString m_csStartFolder;
    CString m_csPath;
    CString m_csStatus;
    UINT m_nFlags;
    CWnd* m_pParent;
};

class CFolderDialog {
public:
    // pFolder receives the folder chosen; a folder it names already is where the dialog starts.
    explicit CFolderDialog(CString* pFolder, CWnd* pParent = nullptr);

    // IDOK with the folder in the caller's string ("Select"), else IDCANCEL (string unchanged).
    int DoModal();

private:
    CString* m_pFolder;
    CWnd* m_pParent;
};
