#include "model/ImageData.h"

#include "foundation/Log.h"

#include <iterator>

namespace {

struct Position {
    const char* name;
    const char* shown;
};

// Indexed by position code.
const Position kPositions[] = {
    {"IP_LEFT", "Left"},
    {"IP_RIGHT", "Right"},
    {"IP_TOP", "Top"},
    {"IP_BELOW_QUEST", "Below Question"},
    {"IP_BELOW_CHOICES", "Below Choices"},
};

bool IsPosition(int nPos)
{
    return nPos >= 0 && nPos < static_cast<int>(std::size(kPositions));
}

} // namespace

CImageData& CImageData::operator=(const CImageData& other)
{
    m_nPos = other.m_nPos;
    m_csFile = other.m_csFile;
    m_nBrightness = other.m_nBrightness;
    m_dSize = other.m_dSize;
    m_dMargin = other.m_dMargin;
    return *this;
}

int CImageData::PosStr2Int(LPCSTR text)
{
    CString name = text ? text : "";
    name.Trim();
    name.MakeUpper();
    for (int i = 0; IsPosition(i); ++i)
        if (name == kPositions[i].name)
            return i;
    return IP_TOP;
}

CString CImageData::GetPosInt2Str(int nPos)
{
    if (IsPosition(nPos))
        return kPositions[nPos].name;
    LogOutput(CString::Formatted("CImageData::GetPosInt2Str() - bad nPos (%d) - using default %s", nPos,
                                 kPositions[IP_TOP].name),
              LOG_ERROR, LOG_HERE);
    return kPositions[IP_TOP].name;
}

CString CImageData::GetPosInt2StrEng(int nPos)
{
    if (IsPosition(nPos))
        return kPositions[nPos].shown;
    // The record name, not the shown text, as the editors have always shown it.
    LogOutput(CString::Formatted("CImageData::GetPosInt2StrEng() - bad nPos (%d) - using default %s", nPos,
                                 kPositions[IP_TOP].name),
              LOG_ERROR, LOG_HERE);
    return kPositions[IP_TOP].name;
}
