#include "controls/MRUPathComboBox.h"

#include "foundation/FileTypes.h"

#include "platform/core/FileSys.h"

void CRecentPathList::Add(const char* text)
{
    int n = GetSize();
    CString t(text);
    t.Trim();
    if (n == 0 || t.IsEmpty())
        return;
    int stop = n - 1;
    for (int i = 0; i < n - 1; ++i) {
        m_arrNames[i].TrimLeft();
        CString entry = m_arrNames[i];
        entry.Trim();
        if (m_bMatchCase ? entry == t : entry.CompareNoCase(t) == 0) {
            stop = i;
            break;
        }
    }
    for (int i = stop; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = t;
}

// --- CMRUPathComboBox -------------------------------------------------------------------------

CMRUPathComboBox::CMRUPathComboBox(QWidget* parent) : CComboBox(parent, TRUE) {}

CMRUPathComboBox::~CMRUPathComboBox()
{
    if (m_bSaveOnDestroy)
        Save();
}

void CMRUPathComboBox::Init(const char* name)
{
    m_strSection = CString("Recent ") + name + " List";
    m_strEntryFormat = "String%d";
    m_nMaxEntries = 15;
    m_bAutoRefresh = TRUE;
    m_bSettingsChanged = TRUE;
    Load();
    Refill();
}

void CMRUPathComboBox::SetSection(const char* section)
{
    m_strSection = section;
    m_bSettingsChanged = TRUE;
}

void CMRUPathComboBox::SetEntryFormat(const char* format)
{
    CString f(format);
    if (f.Find("%d") < 0)
        return;
    m_strEntryFormat = f;
    m_bSettingsChanged = TRUE;
}

BOOL CMRUPathComboBox::SetAutoRefresh(BOOL bAutoRefresh)
{
    BOOL old = m_bAutoRefresh;
    m_bAutoRefresh = bAutoRefresh;
    return old;
}

void CMRUPathComboBox::SetMatchCase(BOOL bMatchCase)
{
    m_bMatchCase = bMatchCase;
    if (m_pList)
        m_pList->m_bMatchCase = bMatchCase;
}

BOOL CMRUPathComboBox::IsValid() const
{
    return !m_strSection.IsEmpty() && m_strEntryFormat.Find("%d") >= 0 && m_nMaxEntries >= 1;
}

BOOL CMRUPathComboBox::MakeList()
{
    if (!IsValid())
        return FALSE;
    CStringArray keep;
    if (m_pList) {
        for (int i = 0; i < m_pList->GetSize() && i < m_nMaxEntries; ++i)
            keep.Add((*m_pList)[i]);
    }
    m_pList = std::make_unique<CRecentPathList>(1, m_strSection, m_strEntryFormat, m_nMaxEntries);
    m_pList->m_bMatchCase = m_bMatchCase;
    // Oldest first, so that the newest ends on top again.
    for (int i = keep.GetSize() - 1; i >= 0; --i)
        m_pList->Add(keep[i]);
    m_bSettingsChanged = FALSE;
    return TRUE;
}

int CMRUPathComboBox::SetMaxEntries(int nMaxEntries)
{
    if (nMaxEntries < 1)
        return -1;
    int previous = m_pList ? m_pList->GetSize() : 0;
    m_nMaxEntries = nMaxEntries;
    return MakeList() ? previous : -1;
}

BOOL CMRUPathComboBox::Add(const char* text)
{
    if (!m_pList && !MakeList())
        return FALSE;
    m_pList->Add(text);
    if (m_bAutoRefresh)
        Refill();
    return TRUE;
}

void CMRUPathComboBox::RemoveAll()
{
    if (!m_pList)
        return;
    for (int i = m_pList->GetSize() - 1; i >= 0; --i)
        m_pList->Remove(i);
}

void CMRUPathComboBox::Remove(int nIndex)
{
    if (m_pList)
        m_pList->Remove(nIndex);
}

CString CMRUPathComboBox::GetFirst()
{
    return m_pList && m_pList->GetSize() > 0 ? (*m_pList)[0] : CString();
}

void CMRUPathComboBox::Refill()
{
    CString edit = GetWindowText();
    ResetContent();
    if (m_pList) {
        for (int i = 0; i < m_pList->GetSize(); ++i) {
            CString entry = (*m_pList)[i];
            entry.Trim();
            if (!entry.IsEmpty())
                AddString(entry);
        }
    }
    SetWindowText(edit);
}

void CMRUPathComboBox::Load()
{
    if (MakeList())
        m_pList->ReadList();
}

void CMRUPathComboBox::Save()
{
    if (!m_pList || !IsValid())
        return;
    if (m_bSettingsChanged)
        MakeList();
    m_pList->WriteList();
}

// --- CMRUFileComboBox -------------------------------------------------------------------------

CMRUFileComboBox::~CMRUFileComboBox()
{
    // The base's destructor could only save what the list holds at that time: the names shown.
    if (m_bSaveOnDestroy)
        Save();
    m_bSaveOnDestroy = FALSE;
}

void CMRUFileComboBox::ShowNames()
{
    if (m_pList && m_pList->GetSize() > 0 && !m_bNamesShown) {
        m_arrPaths.SetSize(m_pList->GetSize());
        for (int i = 0; i < m_pList->GetSize(); ++i) {
            m_arrPaths[i] = (*m_pList)[i];
            (*m_pList)[i] = fsys::FileName((*m_pList)[i]);
        }
        m_bNamesShown = TRUE;
    }
    // Also when nothing was turned into names: the combo follows the list after every change.
    Refill();
}

void CMRUFileComboBox::ShowPaths()
{
    if (!m_pList || !m_bNamesShown)
        return;
    for (int i = 0; i < m_pList->GetSize(); ++i)
        (*m_pList)[i] = i < m_arrPaths.GetSize() ? m_arrPaths[i] : CString();
    m_bNamesShown = FALSE;
}

void CMRUFileComboBox::AddPath(const char* path, BOOL bSelect)
{
    ShowPaths();
    CString p(path);
    p.Trim();
    CMRUPathComboBox::Add(p);
    ShowNames();
    if (bSelect)
        SetCurSel(0);
}

void CMRUFileComboBox::RemoveAll()
{
    ShowPaths();
    CMRUPathComboBox::RemoveAll();
    m_arrPaths.RemoveAll();
    ShowNames();
}

void CMRUFileComboBox::Remove(int nIndex)
{
    ShowPaths();
    CMRUPathComboBox::Remove(nIndex);
    ShowNames();
}

CString CMRUFileComboBox::GetFirst()
{
    ShowPaths();
    CString first = CMRUPathComboBox::GetFirst();
    ShowNames();
    return first;
}

void CMRUFileComboBox::Save()
{
    ShowPaths();
    CMRUPathComboBox::Save();
    ShowNames();
}

int CMRUFileComboBox::SetMaxEntries(int nMaxEntries)
{
    ShowPaths();
    int result = CMRUPathComboBox::SetMaxEntries(nMaxEntries);
    ShowNames();
    return result;
}

void CMRUFileComboBox::Load()
{
    // The list is remade from what it holds before it is read: paths, not names.
    ShowPaths();
    CMRUPathComboBox::Load();
    Compact();
    m_arrPaths.SetSize(m_pList ? m_pList->GetSize() : 0);
    ShowNames();
}

void CMRUFileComboBox::Compact()
{
    if (!m_pList)
        return;
    BOOL names = NamesShown();
    int n = m_pList->GetSize();
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        CString entry = names && i < m_arrPaths.GetSize() ? m_arrPaths[i] : (*m_pList)[i];
        if (fsys::FileName(entry).IsEmpty())
            continue;
        (*m_pList)[kept] = (*m_pList)[i];
        if (names && i < m_arrPaths.GetSize())
            m_arrPaths[kept] = m_arrPaths[i];
        ++kept;
    }
    for (int i = kept; i < n; ++i) {
        (*m_pList)[i].Empty();
        if (i < m_arrPaths.GetSize())
            m_arrPaths[i].Empty();
    }
}

CString CMRUFileComboBox::GetFullPath(int nIndex) const
{
    if (!m_pList || nIndex < 0 || nIndex >= m_pList->GetSize())
        return CString();
    if (NamesShown())
        return nIndex < m_arrPaths.GetSize() ? m_arrPaths[nIndex] : CString();
    return (*m_pList)[nIndex];
}

CString CMRUFileComboBox::GetFolder(int nIndex) const
{
    CString path = GetFullPath(nIndex);
    return path.IsEmpty() ? path : fsys::Folder(path);
}

CString CMRUFileComboBox::GetFolderOfType(int nExportType) const
{
    return GetFolderOfExt(CFileTypes::FileType2Ext(nExportType));
}

CString CMRUFileComboBox::GetFolderOfExt(const char* ext) const
{
    CString want(ext);
    want.TrimLeft('.');
    if (!m_pList || want.IsEmpty())
        return CString();
    for (int i = 0; i < m_pList->GetSize(); ++i) {
        CString name = fsys::FileName(GetFullPath(i));
        int dot = name.ReverseFind('.');
        if (dot >= 0 && name.Mid(dot + 1).CompareNoCase(want) == 0)
            return GetFolder(i);
    }
    return CString();
}
