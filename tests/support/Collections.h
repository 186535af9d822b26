#pragma once
// What tests read of collections and command targets: a collection's member IDs in order, and
// whether a target enables a command.

#include "model/CorraQuestion.h"
#include "platform/ui/CmdTarget.h"

#include <vector>

inline std::vector<int> MemberIds(const CCorraQuestion& collection)
{
    CDWordArray ids;
    collection.GetQuestIds(ids);
    std::vector<int> out;
    for (int i = 0; i < ids.GetSize(); ++i)
        out.push_back(static_cast<int>(ids[i]));
    return out;
}

// -1 when no update handler answers.
inline BOOL CommandEnabled(CCmdTarget& target, UINT id)
{
    struct CRecordingCmdUI : CCmdUI {
        void Enable(BOOL on) override { enabled = on; }
        BOOL enabled = -1;
    } ui;
    ui.m_nID = id;
    target.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui);
    return ui.enabled;
}
