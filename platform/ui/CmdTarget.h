#pragma once
// Command routing by numeric id. Every window (and every document and the application, which
// take part in the route) is a command target with its own table: a command handler per id, an
// update handler per id that enables, checks or retitles the menu item, toolbar button or dialog
// control of that id, and handlers of control notifications by (id, code). A target that passes
// commands on (a frame to its view and document) overrides OnCmdMsg.

#include "platform/core/String.h"

#include <cstdint>
#include <functional>
#include <vector>

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;

// Codes routed with an id. Our own values; only the names follow the usual conventions.
enum : UINT {
    CN_COMMAND = 0,  // a command from a menu, toolbar, accelerator or a posted command
    BN_CLICKED = 0,  // a button click is its id's command
    EN_CHANGE = 0x100,  // the text of an edit changed (also when set by the program)
    EN_SETFOCUS,
    EN_KILLFOCUS,
    EN_SELCHANGE,
    CBN_SELCHANGE = 0x200,  // the user chose another item
    CBN_EDITCHANGE,         // the user typed in the edit field
    CBN_DROPDOWN,
    CBN_CLOSEUP,
    CBN_DBLCLK,
    LBN_SELCHANGE = 0x300,  // the user changed the selection
    LBN_DBLCLK,
    UDN_DELTAPOS = 0x400,  // a spin button is about to move; extra: NMUPDOWN*
    NM_CLICK = 0x500,      // extra: NMLISTVIEW* for list controls
    NM_DBLCLK,
    NM_RCLICK,
    LVN_ITEMCHANGED,  // extra: NMLISTVIEW*
    LVN_COLUMNCLICK,  // extra: NMLISTVIEW* (iSubItem is the column)
    LVN_KEYDOWN,      // extra: NMLVKEYDOWN*
    LVN_BEGINDRAG,    // extra: NMLISTVIEW* (iItem the row, ptAction where the drag began)
    TVN_SELCHANGED = 0x600,  // extra: NMTREEVIEW* for every tree notification
    TVN_ITEMEXPANDING,
    TVN_ITEMEXPANDED,
    TVN_BEGINLABELEDIT,
    TVN_ENDLABELEDIT,
    TVN_BEGINDRAG,
    CN_UPDATE_COMMAND_UI = 0xFFFFFFFFu,  // extra: CCmdUI*
};

class CCmdUI;

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Offers (nID, nCode) along the route; TRUE when a handler took it. For
    // CN_UPDATE_COMMAND_UI pExtra is the CCmdUI to update; for CN_COMMAND it is NULL.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra);
    // Whether a command handler for nID is anywhere on the route.
    BOOL HasCommandHandler(UINT nID);

    // This target's own table only, no routing.
    BOOL DispatchOwn(UINT nID, UINT nCode, void* pExtra);

protected:
    void BindCommand(UINT nID, std::function<void()> handler);
    void BindCommandRange(UINT nFirst, UINT nLast, std::function<void(UINT)> handler);
    void BindUpdate(UINT nID, std::function<void(CCmdUI*)> handler);
    void BindUpdateRange(UINT nFirst, UINT nLast, std::function<void(CCmdUI*)> handler);
    void BindNotify(UINT nID, UINT nCode, std::function<void()> handler);
    // A notification that carries a record (NMUPDOWN, NMLISTVIEW...).
    template <typename T>
    void BindNotify(UINT nID, UINT nCode, std::function<void(T*)> handler)
    {
        AddEntry(nID, nID, nCode, [h = std::move(handler)](UINT, void* extra) {
            h(static_cast<T*>(extra));
            return TRUE;
        });
    }

private:
    struct Entry {
        UINT first;
        UINT last;
        UINT code;
        std::function<BOOL(UINT, void*)> fn;
    };
    void AddEntry(UINT first, UINT last, UINT code, std::function<BOOL(UINT, void*)> fn);

    std::vector<Entry> m_entries;
};

// What an update handler sets on the element of one command id.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(const char* text);

    // Asks the route of pTarget for the update. When no update handler answers and
    // bDisableIfNoHandler is set, the element is enabled exactly when the route has a command
    // handler for the id.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    BOOL m_bEnableChanged = FALSE;
};

// Runs command nID along pRoute's route unless its update handler disables it (then it is
// dropped, TRUE); otherwise whether a handler took it.
BOOL RunCommandOn(CCmdTarget* pRoute, UINT nID);

// Records what the handlers asked, for callers that only want to know the state.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(const char* text) override;

    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;  // -1: never set
    BOOL m_bTextSet = FALSE;
    CString m_strText;
};
