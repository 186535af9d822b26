#include "platform/ui/CmdTarget.h"

void CCmdTarget::AddEntry(UINT first, UINT last, UINT code, std::function<BOOL(UINT, void*)> fn)
{
    // A later binding of the same id and code replaces the earlier one, so a derived class can
    // take over what its base bound.
    for (auto& e : m_entries) {
        if (e.first == first && e.last == last && e.code == code) {
            e.fn = std::move(fn);
            return;
        }
    }
    m_entries.push_back({first, last, code, std::move(fn)});
}

void CCmdTarget::BindCommand(UINT nID, std::function<void()> handler)
{
    AddEntry(nID, nID, CN_COMMAND, [h = std::move(handler)](UINT, void*) {
        h();
        return TRUE;
    });
}

void CCmdTarget::BindCommandRange(UINT nFirst, UINT nLast, std::function<void(UINT)> handler)
{
    AddEntry(nFirst, nLast, CN_COMMAND, [h = std::move(handler)](UINT id, void*) {
        h(id);
        return TRUE;
    });
}

void CCmdTarget::BindUpdate(UINT nID, std::function<void(CCmdUI*)> handler)
{
    BindUpdateRange(nID, nID, std::move(handler));
}

void CCmdTarget::BindUpdateRange(UINT nFirst, UINT nLast, std::function<void(CCmdUI*)> handler)
{
    AddEntry(nFirst, nLast, CN_UPDATE_COMMAND_UI, [h = std::move(handler)](UINT, void* extra) {
        h(static_cast<CCmdUI*>(extra));
        return TRUE;
    });
}

void CCmdTarget::BindNotify(UINT nID, UINT nCode, std::function<void()> handler)
{
    AddEntry(nID, nID, nCode, [h = std::move(handler)](UINT, void*) {
        h();
        return TRUE;
    });
}

namespace {
// Passed as the extra of CN_COMMAND to ask whether a handler exists without running it.
char s_probe;
}

BOOL CCmdTarget::DispatchOwn(UINT nID, UINT nCode, void* pExtra)
{
    // Search from the newest binding so that a single id bound after a range wins.
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->code == nCode && nID >= it->first && nID <= it->last) {
            if (nCode == CN_COMMAND && pExtra == &s_probe)
                return TRUE;
            // Copy: the handler may rebind and so move the table.
            auto fn = it->fn;
            return fn(nID, pExtra);
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    return DispatchOwn(nID, nCode, pExtra);
}

BOOL CCmdTarget::HasCommandHandler(UINT nID)
{
    return OnCmdMsg(nID, CN_COMMAND, &s_probe);
}

void CCmdUI::Enable(BOOL)
{
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int) {}

void CCmdUI::SetText(const char*) {}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget)
        return;
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (bDisableIfNoHandler && (!handled || !m_bEnableChanged))
        Enable(pTarget->HasCommandHandler(m_nID));
}

void CTestCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    CCmdUI::Enable(bOn);
}

void CTestCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
}

void CTestCmdUI::SetText(const char* text)
{
    m_bTextSet = TRUE;
    m_strText = text;
}

BOOL RunCommandOn(CCmdTarget* pRoute, UINT nID)
{
    CTestCmdUI state;
    state.m_nID = nID;
    pRoute->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state);
    if (!state.m_bEnabled)
        return TRUE;
    return pRoute->OnCmdMsg(nID, CN_COMMAND, nullptr);
}
