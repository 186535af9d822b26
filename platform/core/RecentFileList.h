#pragma once
// The recent-file list of the profile: a fixed number of entries, newest first, kept in one
// profile section under numbered keys made from an entry format ("File%d" with the first
// number nStart). Empty entries are unused places at the end.

#include "platform/core/Collections.h"
#include "platform/core/String.h"

class CRecentFileList {
public:
    // nSize places; the entry format's first "%d" takes the number ("%%" is a percent sign).
    // nMaxDispLen: the longest display name.
    CRecentFileList(UINT nStart, const char* section, const char* entryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_arrNames.GetSize(); }
    const CString& operator[](int nIndex) const { return m_arrNames[nIndex]; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }

    // Puts a name first; an equal name further down moves up instead of being repeated, and
    // the last name drops out when the list is full.
    virtual void Add(const char* name);
    // Removes the entry at nIndex; the entries after it move up and the last place empties.
    // An index out of range is ignored.
    virtual void Remove(int nIndex);

    // Reads every place from the profile (a missing key is an empty place).
    virtual void ReadList();
    // Writes every place: a name under its key, an empty place removes its key.
    virtual void WriteList();

    // The name as a menu shows it: relative to curDir when it lies inside it, at least the file
    // name, cut to the display length with "..." in front.
    BOOL GetDisplayName(CString& out, int nIndex, const char* curDir = nullptr) const;

    const CString& GetSection() const { return m_strSectionName; }
    const CString& GetEntryFormat() const { return m_strEntryFormat; }
    UINT GetStart() const { return m_nStart; }

protected:
    // The profile key of place nIndex.
    CString EntryName(int nIndex) const;

    CStringArray m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
};
