#pragma once
// CUpdate: the hint a document sends its views with UpdateAllViews, also kept by drops and undo.
// Each field that a setter fills has a flag bit that tells it is set.

#include "foundation/PtrListEx.h"
#include "platform/core/Collections.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CCorraDoc;
class CODListCtrl;

// Flag bits of CUpdate::m_dwFlags.
constexpr DWORD UPD_OBJECT = 0x001;        // m_pObject: target view of a drop or a single question
constexpr DWORD UPD_QUESTIONS = 0x002;     // m_plQuestions
constexpr DWORD UPD_IDS = 0x004;           // m_dwaIds
constexpr DWORD UPD_INSERTINDEX = 0x008;   // m_nInsertIndex
constexpr DWORD UPD_SRCTITLE = 0x010;      // m_csSrcTitle: source CORRAID or title
constexpr DWORD UPD_SRCDOC = 0x020;        // m_pSrcDoc
constexpr DWORD UPD_TARGETDOC = 0x040;     // m_pTargetDoc
constexpr DWORD UPD_SRCPATH = 0x080;       // m_csSrcPath
constexpr DWORD UPD_SRCLIST = 0x100;       // m_pSrcList
constexpr DWORD UPD_TARGETLIST = 0x200;    // m_pTargetList

class CUpdate : public CObject {
public:
    CUpdate() { Reset(); }
    CUpdate(const CUpdate&) = default;
    CUpdate& operator=(const CUpdate&) = default;
    virtual ~CUpdate() = default;

    // The class name views test a hint against.
    static constexpr const char* CLASS_NAME = "CUpdate";
    virtual const char* GetClassName() const { return CLASS_NAME; }

    // Lists and arrays emptied, index -1, texts empty, pointers, switches and flags 0.
    void Reset();

    // Each setter stores its value and sets its bit; NULL clears only the bit.
    void SetQuestions(const CPtrListEx* pList);
    void SetView(void* pObject);
    // flag: UPD_SRCDOC or UPD_TARGETDOC.
    void SetDoc(CCorraDoc* pDoc, DWORD flag);
    // flag: UPD_SRCTITLE or UPD_SRCPATH.
    void SetDocText(LPCSTR text, DWORD flag);
    // flag: UPD_SRCLIST or UPD_TARGETLIST.
    void SetListCtrl(CODListCtrl* pList, DWORD flag);
    void SetIds(const CDWordArray* pIds);
    // -1 clears the bit.
    void SetInsertIndex(int nIndex);

    BOOL Has(DWORD flag) const { return (m_dwFlags & flag) != 0; }

    // Switches of the receiving views.
    int m_nRelayout;
    int m_nErase;
    int m_nReload;
    int m_nRepaint;
    int m_nRedisplay;
    CPtrListEx m_plQuestions;
    int m_nInsertIndex;
    void* m_pObject;
    CDWordArray m_dwaIds;
    CString m_csSrcTitle;
    CCorraDoc* m_pTargetDoc;
    CCorraDoc* m_pSrcDoc;
    CString m_csSrcPath;
    CODListCtrl* m_pSrcList;
    CODListCtrl* m_pTargetList;
    // Filled by the drop handler: the questions now in the target document and their IDs.
    CPtrListEx m_plResultQuestions;
    CDWordArray m_dwaResultIds;
    DWORD m_dwFlags;
    int m_nExtra;

private:
    void SetFlag(DWORD flag, bool on);
};
