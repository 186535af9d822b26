#pragma once
// Combo boxes whose drop-down list is a most-recently-used list kept in the profile, newest
// first. CMRUPathComboBox keeps texts (folders, paths, search texts) as typed; CMRUFileComboBox
// keeps full file paths in the profile and shows only the file names, the full paths staying
// available by index.

#include "platform/core/Collections.h"
#include "platform/core/RecentFileList.h"
#include "platform/ui/ComboBox.h"

#include <memory>

// The recent list of the combo boxes: entries compare as texts (trimmed, case ignored), not as
// file paths; the text keeps the case it was given.
class CRecentPathList : public CRecentFileList {
public:
    CRecentPathList(UINT nStart, const char* section, const char* entryFormat, int nSize, int nMaxDispLen = 30)
        : CRecentFileList(nStart, section, entryFormat, nSize, nMaxDispLen)
    {
    }
    // The trimmed text goes first; an entry equal to it moves up instead of being repeated; the
    // oldest drops out when the list is full. An empty text is not added.
    void Add(const char* text) override;
    // Entries that differ only in case are kept apart (folders: the file system tells them apart).
    BOOL m_bMatchCase = FALSE;
};

class CMRUPathComboBox : public CComboBox {
public:
    explicit CMRUPathComboBox(QWidget* parent = nullptr);
    // Saves the list when asked to (SetSaveOnDestroy, on by default).
    ~CMRUPathComboBox() override;

    // Section "Recent " + name + " List", entries "String%d", at most 15, refilled after each
    // addition; then loads and fills the combo.
    virtual void Init(const char* name);
    // Adds text to the list (making the list when there is none: FALSE when it cannot be
    // made); refills the combo when auto-refresh is on.
    virtual BOOL Add(const char* text);
    virtual void RemoveAll();
    // An index out of range is ignored.
    virtual void Remove(int nIndex);
    // The newest entry, or an empty string.
    virtual CString GetFirst();
    // Fills the combo with the list's non-empty entries, trimmed, keeping the edit field's text.
    virtual void Refill();
    virtual void Load();
    virtual void Save();

    void SetSection(const char* section);
    // Ignored unless the format contains "%d".
    void SetEntryFormat(const char* format);
    // Below 1: -1 and nothing changes. Otherwise the list is remade with that many places,
    // keeping its entries; returns the previous number of places (0 when there was no list),
    // -1 when the list cannot be made.
    virtual int SetMaxEntries(int nMaxEntries);
    BOOL SetAutoRefresh(BOOL bAutoRefresh);
    // Whether entries differing only in case are different entries (off by default).
    void SetMatchCase(BOOL bMatchCase);
    void SetSaveOnDestroy(BOOL bSave) { m_bSaveOnDestroy = bSave; }
    // Section set, format with "%d", at least one entry.
    BOOL IsValid() const;

    const CString& GetSection() const { return m_strSection; }
    const CString& GetEntryFormat() const { return m_strEntryFormat; }
    int GetMaxEntries() const { return m_nMaxEntries; }
    CRecentPathList* GetList() const { return m_pList.get(); }

protected:
    // Makes the list anew from the settings, keeping the entries (FALSE when not valid).
    BOOL MakeList();

    std::unique_ptr<CRecentPathList> m_pList;
    CString m_strSection;
    CString m_strEntryFormat;
    int m_nMaxEntries = 10;
    BOOL m_bSaveOnDestroy = TRUE;
    BOOL m_bAutoRefresh = FALSE;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bSettingsChanged = FALSE;
};

class CMRUFileComboBox : public CMRUPathComboBox {
public:
    explicit CMRUFileComboBox(QWidget* parent = nullptr) : CMRUPathComboBox(parent) {}
    // Saves the full paths (not the names shown) when asked to.
    ~CMRUFileComboBox() override;

    void RemoveAll() override;
    void Remove(int nIndex) override;
    // The newest full path.
    CString GetFirst() override;
    void Load() override;
    void Save() override;
    int SetMaxEntries(int nMaxEntries) override;

    // Adds a full path (trimmed, its case kept); with bSelect the combo selects it.
    virtual void AddPath(const char* path, BOOL bSelect);
    // Keeps only the entries that name a file, in order, at the front; the rest empties.
    virtual void Compact();

    // The full path at nIndex; empty out of range.
    CString GetFullPath(int nIndex) const;
    // The folder of the full path at nIndex, without a trailing separator.
    CString GetFolder(int nIndex) const;
    // The folder of the newest path whose extension (given with or without its dot) is ext,
    // case ignored; empty when none.
    CString GetFolderOfExt(const char* ext) const;
    // The same for an export type's extension.
    CString GetFolderOfType(int nExportType) const;

protected:
    // Entries become file names, their full paths kept in m_arrPaths; the combo is refilled.
    void ShowNames();
    // Entries become the full paths again.
    void ShowPaths();
    BOOL NamesShown() const { return m_bNamesShown; }

    CStringArray m_arrPaths;
    // Whether the list holds the names; told by a flag, not guessed from the first entry, which
    // may be empty (the last path removed) or a path without a folder.
    BOOL m_bNamesShown = FALSE;
};
