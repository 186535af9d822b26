#include "foundation/VersionInfo.h"

#include "CorraVersion.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"

#include <cstdlib>

CVersionInfo::CVersionInfo()
{
    m_csFileName = GetProgramFilePath();
    ReadOwn();
}

CVersionInfo::CVersionInfo(LPCSTR file)
{
    Read(file);
}

BOOL CVersionInfo::ReadServerFile(LPCSTR progId)
{
    return Read(GetServerFile(progId));
}

BOOL CVersionInfo::Read(const CString& file)
{
    m_csFileName = file;
    CString own = GetProgramFilePath();
    if (!m_csFileName.IsEmpty() &&
        fsys::NormalizeSeparators(m_csFileName) == fsys::NormalizeSeparators(own)) {
        ReadOwn();
        return TRUE;
    }
    Clear();
    return FALSE;
}

int CVersionInfo::GetFileVersionPart(int i) const
{
    if (i < 0 || i > 3)
        return -1;
    CString rest = m_csFileVersion;
    for (int k = 0; k < i; ++k) {
        int comma = rest.Find(',');
        if (comma < 0)
            return 0;
        rest = rest.Mid(comma + 1);
    }
    long v = std::strtol(rest, nullptr, 10);
    return v > 0x7FFFFFFFL ? 0x7FFFFFFF : (v < -0x7FFFFFFFL ? -0x7FFFFFFF : static_cast<int>(v));
}

void CVersionInfo::SetTexts(LPCSTR productName, LPCSTR fileVersion, LPCSTR productVersion)
{
    m_csProductName = productName;
    m_csFileVersion = fileVersion;
    m_csProductVersion = productVersion;
}

void CVersionInfo::ReadOwn()
{
    CString version;
    version.Format("%d, %d, %d, 0", CORRA_VERSION_MAJOR, CORRA_VERSION_MINOR, CORRA_VERSION_PATCH);
    SetTexts("Corra", version, version);
}

void CVersionInfo::Clear()
{
    SetTexts("", "", "");
}
