#include "foundation/TextListFile.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Services.h"

#include <string>

namespace {

bool IsBlankLine(const CString& cs)
{
    for (int i = 0; i < cs.GetLength(); ++i)
        if (!IsSpaceByte(static_cast<unsigned char>(cs[i])))
            return false;
    return true;
}

void LogLine(const CString& csText, int nLevel)
{
    LogOutput(csText, nLevel, LOG_HERE);
}

class CNoEditFileList : public IEditFileListService {
public:
    int EditFileList(CStringArrayEx&, const CString&, const CString&) override
    {
        LogLine("CTextListFile::EditList() - no Edit File List dialog installed", 1);
        return IDCANCEL;
    }
};

CNoEditFileList g_noEditFileList;
CServiceSlot<IEditFileListService> g_editFileList(g_noEditFileList);

} // namespace

CServiceSlot<IEditFileListService>& EditFileListSlot()
{
    return g_editFileList;
}

// ---------------------------------------------------------------------------------------------
// CTextListFile

CTextListFile::CTextListFile(int nMaxLineLength) : m_nMaxLineLength(nMaxLineLength)
{
}

CTextListFile::~CTextListFile()
{
    if (m_bModified && !m_bKeepFile && !m_csFileName.IsEmpty())
        LogLine("CTextListFile::~CTextListFile() - changes not saved...\n" + m_csFileName, 1);
}

BOOL CTextListFile::Read(LPCSTR pszPath)
{
    if (!pszPath || !fsys::IsFile(pszPath))
        return FALSE;
    std::string text;
    if (!fsys::ReadFile(pszPath, text) || fsys::IsReadOnly(pszPath))
        return FALSE;

    m_saLines.RemoveAll();
    size_t nStart = 0;
    while (nStart < text.size()) {
        size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        size_t nLen = nEnd - nStart;
        if (nLen > 0 && text[nStart + nLen - 1] == '\r')
            --nLen;
        CString csLine(text.data() + nStart, static_cast<int>(nLen));
        if (!IsBlankLine(csLine))
            m_saLines.Add(csLine);
        nStart = nEnd + 1;
    }
    m_csFileName = pszPath;
    m_bModified = FALSE;
    m_nCountMark = m_saLines.GetSize();
    return TRUE;
}

int CTextListFile::Find(LPCSTR pszText, BOOL bCaseSensitive) const
{
    return m_saLines.FindSubstring(pszText ? pszText : "", bCaseSensitive);
}

BOOL CTextListFile::Add(LPCSTR pszText)
{
    if (!pszText || IsBlankLine(pszText))
        return FALSE;
    // An entry that contains the text counts as the same: "Math" is already in "Mathematics".
    if (Find(pszText, FALSE) >= 0) {
        AfxMessageBox(CString("Already added: ") + pszText, MB_OK);
        return FALSE;
    }
    m_saLines.Add(pszText);
    m_nCountMark = m_saLines.GetSize();
    m_bModified = TRUE;
    return TRUE;
}

int CTextListFile::EditList(LPCSTR pszTitle, LPCSTR pszForbidden)
{
    CStringArrayEx saEntries;
    saEntries.Copy(m_saLines);
    int nResult = g_editFileList.Get().EditFileList(saEntries, pszTitle ? pszTitle : "", pszForbidden ? pszForbidden : "");
    if (nResult != IDOK)
        return nResult;
    SetLines(saEntries);
    return m_saLines.GetSize();
}

void CTextListFile::SetLines(const CStringArray& lines)
{
    m_saLines.Copy(lines);
    m_nCountMark = m_saLines.GetSize();
    m_bModified = TRUE;
}

CString CTextListFile::GetBackupPath() const
{
    CString csName = fsys::FileName(m_csFileName);
    int nDot = csName.ReverseFind('.');
    CString csStem = nDot >= 0 ? csName.Left(nDot) : csName;
    CString csBackup = csStem.CompareNoCase("Subjects") == 0 ? CString("Subjtemp.txt") : csStem + "temp.txt";
    return fsys::Join(GetProgramHome(), csBackup);
}

BOOL CTextListFile::Save()
{
    if (!m_bModified)
        return TRUE;
    if (m_csFileName.IsEmpty()) {
        LogLine("CTextListFile::Save() - no file name", 1);
        return FALSE;
    }
    if (fsys::IsFile(m_csFileName) && !fsys::CopyFile(m_csFileName, GetBackupPath(), FALSE))
        LogLine("CTextListFile::Save() - failed to back up...\n" + m_csFileName, 1);

    std::string text;
    for (const CString& cs : m_saLines) {
        text += cs.str();
        text += "\r\n";
    }
    if (!fsys::WriteFileAtomic(m_csFileName, text.data(), text.size())) {
        LogLine("CTextListFile::Save() - failed to write...\n" + m_csFileName, 1);
        return FALSE;
    }
    m_bModified = FALSE;
    m_nCountMark = m_saLines.GetSize();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CTermList

int CTermList::AddTerm(LPCSTR pszText, DWORD dwValue)
{
    m_terms.push_back({CString(pszText), dwValue});
    return 1;
}

DWORD CTermList::Lookup(LPCSTR pszText, BOOL* pbFound) const
{
    if (pbFound)
        *pbFound = FALSE;
    CString csText = pszText;
    csText.Trim();
    if (!m_bCaseSensitive)
        csText.MakeLower();
    for (const CTerm& term : m_terms) {
        CString csTerm = term.m_csText;
        if (!m_bCaseSensitive)
            csTerm.MakeLower();
        if (csTerm == csText) {
            if (pbFound)
                *pbFound = TRUE;
            return term.m_dwValue;
        }
    }
    return 0;
}

BOOL CTermList::Contains(LPCSTR pszText) const
{
    BOOL bFound = FALSE;
    Lookup(pszText, &bFound);
    return bFound;
}
