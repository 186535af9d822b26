#pragma once
// The user's guide: HTML pages shipped inside the program, written into the help folder of the
// program home (again whenever the program ships other pages) and shown in the desktop's browser
// through the desktop opener, at the page and place res/help/HelpTopics.h gives a help context.

#include "platform/core/Services.h"

class CUserGuide : public IHelpService {
public:
    // Opens the context's page; an unknown context opens the contents, and is logged.
    BOOL ShowTopic(DWORD contextId) override;

    // The guide's folder with its pages up to date; empty when they cannot be written.
    static CString Folder();
    // The file URL of the context's page and place; empty when the guide cannot be written.
    static CString TopicUrl(DWORD contextId);
};

// Makes the guide the program's help.
void InstallUserGuide();
