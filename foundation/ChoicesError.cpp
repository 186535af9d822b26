#include "foundation/ChoicesError.h"

void CChoicesError::Reset()
{
    SetIds(0);
    m_nStart = m_nEnd = 0;
    m_csMessage.Empty();
}

void CChoicesError::SetIds(UINT nId1, UINT nId2, UINT nId3, UINT nId4)
{
    m_nId1 = nId1;
    m_nId2 = nId2;
    m_nId3 = nId3;
    m_nId4 = nId4;
}
