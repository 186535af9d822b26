#include "model/Update.h"

void CUpdate::Reset()
{
    m_nRelayout = m_nErase = m_nReload = m_nRepaint = m_nRedisplay = 0;
    m_plQuestions.RemoveAll();
    m_nInsertIndex = -1;
    m_pObject = nullptr;
    m_dwaIds.RemoveAll();
    m_csSrcTitle.Empty();
    m_pTargetDoc = nullptr;
    m_pSrcDoc = nullptr;
    m_csSrcPath.Empty();
    m_pSrcList = nullptr;
    m_pTargetList = nullptr;
    m_plResultQuestions.RemoveAll();
    m_dwaResultIds.RemoveAll();
    m_dwFlags = 0;
    m_nExtra = 0;
}

void CUpdate::SetFlag(DWORD flag, bool on)
{
    if (on)
        m_dwFlags |= flag;
    else
        m_dwFlags &= ~flag;
}

void CUpdate::SetQuestions(const CPtrListEx* pList)
{
    if (pList)
        m_plQuestions = *pList;
    SetFlag(UPD_QUESTIONS, pList != nullptr);
}

void CUpdate::SetView(void* pObject)
{
    if (pObject)
        m_pObject = pObject;
    SetFlag(UPD_OBJECT, pObject != nullptr);
}

void CUpdate::SetDoc(CCorraDoc* pDoc, DWORD flag)
{
    if (flag != UPD_SRCDOC && flag != UPD_TARGETDOC)
        return;
    if (pDoc)
        (flag == UPD_SRCDOC ? m_pSrcDoc : m_pTargetDoc) = pDoc;
    SetFlag(flag, pDoc != nullptr);
}

void CUpdate::SetDocText(LPCSTR text, DWORD flag)
{
    if (flag != UPD_SRCTITLE && flag != UPD_SRCPATH)
        return;
    if (text)
        (flag == UPD_SRCTITLE ? m_csSrcTitle : m_csSrcPath) = text;
    SetFlag(flag, text != nullptr);
}

void CUpdate::SetListCtrl(CListCtrl* pList, DWORD flag)
{
    if (flag != UPD_SRCLIST && flag != UPD_TARGETLIST)
        return;
    if (pList)
        (flag == UPD_SRCLIST ? m_pSrcList : m_pTargetList) = pList;
    SetFlag(flag, pList != nullptr);
}

void CUpdate::SetIds(const CDWordArray* pIds)
{
    if (pIds)
        m_dwaIds = *pIds;
    SetFlag(UPD_IDS, pIds != nullptr);
}

void CUpdate::SetInsertIndex(int nIndex)
{
    m_nInsertIndex = nIndex;
    SetFlag(UPD_INSERTINDEX, nIndex != -1);
}
