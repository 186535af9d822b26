#include "platform/core/RecentFileList.h"

#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"

CRecentFileList::CRecentFileList(UINT nStart, const char* section, const char* entryFormat, int nSize,
                                 int nMaxDispLen)
    : m_strSectionName(section), m_strEntryFormat(entryFormat), m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames.SetSize(nSize > 0 ? nSize : 0);
}

CString CRecentFileList::EntryName(int nIndex) const
{
    // The format comes from callers and the profile: its "%d" is replaced by hand, never handed
    // to printf.
    CString key;
    const CString& f = m_strEntryFormat;
    BOOL done = FALSE;
    for (int i = 0; i < f.GetLength(); ++i) {
        if (f[i] == '%' && i + 1 < f.GetLength()) {
            if (f[i + 1] == '%') {
                key += '%';
                ++i;
                continue;
            }
            if (f[i + 1] == 'd' && !done) {
                key.AppendFormat("%d", static_cast<int>(nIndex + m_nStart));
                done = TRUE;
                ++i;
                continue;
            }
        }
        key += f[i];
    }
    return key;
}

void CRecentFileList::Add(const char* name)
{
    int n = GetSize();
    if (n == 0)
        return;
    CString text(name);
    int stop = n - 1;
    for (int i = 0; i < n - 1; ++i) {
        if (m_arrNames[i] == text) {
            stop = i;
            break;
        }
    }
    for (int i = stop; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = text;
}

void CRecentFileList::Remove(int nIndex)
{
    int n = GetSize();
    if (nIndex < 0 || nIndex >= n)
        return;
    for (int i = nIndex; i < n - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[n - 1].Empty();
}

void CRecentFileList::ReadList()
{
    for (int i = 0; i < GetSize(); ++i)
        m_arrNames[i] = AppProfile().GetString(m_strSectionName, EntryName(i), "");
}

void CRecentFileList::WriteList()
{
    for (int i = 0; i < GetSize(); ++i) {
        CString key = EntryName(i);
        if (m_arrNames[i].IsEmpty()) {
            if (AppProfile().HasKey(m_strSectionName, key))
                AppProfile().DeleteKey(m_strSectionName, key);
        } else {
            AppProfile().WriteString(m_strSectionName, key, m_arrNames[i]);
        }
    }
}

BOOL CRecentFileList::GetDisplayName(CString& out, int nIndex, const char* curDir) const
{
    out.Empty();
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    CString path = fsys::NormalizeSeparators(m_arrNames[nIndex]);
    CString dir = curDir ? fsys::NormalizeSeparators(curDir) : CString();
    dir.TrimRight('/');
    if (!dir.IsEmpty() && path.GetLength() > dir.GetLength() + 1 &&
        path.Left(dir.GetLength() + 1).CompareNoCase(dir + "/") == 0)
        path = path.Mid(dir.GetLength() + 1);
    CString name = fsys::FileName(path);
    if (m_nMaxDisplayLength > 0 && path.GetLength() > m_nMaxDisplayLength && path.GetLength() > name.GetLength()) {
        // Keep the file name whole and as much of the folders' end as fits behind "...".
        int room = m_nMaxDisplayLength - 3;
        path = room > name.GetLength() ? "..." + path.Right(room) : name;
    }
    out = path;
    return TRUE;
}
