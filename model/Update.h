#pragma once
// The update hints: what a document tells its views with UpdateAllViews(sender, code, object).
// Every code has one meaning and carries one kind of object; each view does what the code asks
// of the lists it shows. The codes are bits: 0x08 marks a code the collection pane passes over.
//
// CUpdate is the object most codes carry; drops and undo keep one too. Each field that a setter
// fills has a flag bit that tells it is set.

#include "foundation/PtrListEx.h"
#include "platform/core/Collections.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CCorraDoc;
class CListCtrl;

// Redraw as a CUpdate's switches say (relayout, erase, reload, repaint, redisplay); with reload
// off, a single question (UPD_OBJECT) has only its row redrawn: a question changed in place.
// Without a CUpdate everything is read from the document again and laid out.
constexpr LPARAM HINT_REFRESH = 0;
// Questions left the document (CUpdate, UPD_QUESTIONS): every list drops them.
constexpr LPARAM HINT_QUESTIONS_DELETED = 0x01;
// Questions added to the document: a plain CPtrListEx of them (never a CUpdate). The question
// pane adds them; collection views and the collection pane do not show them.
constexpr LPARAM HINT_QUESTIONS_ADDED = 0x04;
// Collection panes pass over every code with this bit.
constexpr LPARAM HINT_NOT_COLLECTION_PANE = 0x08;
// Questions go into the question pane (CUpdate: one question as UPD_OBJECT, or UPD_QUESTIONS, at
// UPD_INSERTINDEX): undo puts deleted questions back. Collection views leave it.
constexpr LPARAM HINT_INSERT_QUESTIONS = 0x10;
// Lists check their order again and re-read themselves when it moved (after questions left, or a
// question's fixed position changed: exam forms apply fixed positions again). CUpdate naming the
// question, or none.
constexpr LPARAM HINT_REREAD = 0x40;
// A collection changed: its members, or its window opened or closed (CUpdate, the collection as
// UPD_OBJECT). The collection pane redraws its row; that collection's view reads it again.
constexpr LPARAM HINT_COLLECTION_CHANGED = 0x80;
// Collections go into the collection pane (CUpdate as HINT_INSERT_QUESTIONS): undo puts
// collections back, a collection view saves a new one. A non-collection question put back
// into collections only changes their rows. Collection views leave it.
constexpr LPARAM HINT_INSERT_COLLECTIONS = 0x100;
// The named questions leave the question pane (CUpdate naming them by UPD_QUESTIONS, UPD_IDS,
// UPD_INSERTINDEX or UPD_OBJECT); collections keep them as members, so collection views redraw
// their rows.
constexpr LPARAM HINT_REMOVE_QUESTIONS = 0x200;
// A collection has a new name (CUpdate, the collection as UPD_OBJECT, first three switches 1).
// The collection pane redraws its row; that collection's view takes the name.
constexpr LPARAM HINT_COLLECTION_RENAMED = 0x400;
// Every collection view reads its collection again (CUpdate or none).
constexpr LPARAM HINT_COLLECTIONS_REREAD = 0x800;
// The document reordered its questions by groups (CUpdate cleared, reload 1): the question pane
// shows the document's order, collection views read their collections again.
constexpr LPARAM HINT_REORDERED_BY_GROUPS = HINT_COLLECTIONS_REREAD | HINT_NOT_COLLECTION_PANE;
// The document's settings (fonts, print values) changed; no object. Every document is told when
// the Font Manager stores fonts.
constexpr LPARAM HINT_SETTINGS_CHANGED = 0x1000;

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
    void SetListCtrl(CListCtrl* pList, DWORD flag);
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
    // The views' own question lists.
    CListCtrl* m_pSrcList;
    CListCtrl* m_pTargetList;
    // Filled by the drop handler: the questions now in the target document and their IDs.
    CPtrListEx m_plResultQuestions;
    CDWordArray m_dwaResultIds;
    DWORD m_dwFlags;
    int m_nExtra;

private:
    void SetFlag(DWORD flag, bool on);
};
