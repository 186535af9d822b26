#pragma once
// The program's services over Qt: plain message boxes, the desktop opener and local help.

#include "platform/core/Services.h"

class CQtMessageBox : public IMessageBoxService {
public:
    int Show(const CString& text, const CString& caption, UINT style) override;
};

class CQtDesktopOpener : public IDesktopOpener {
public:
    BOOL OpenFile(const CString& path) override;
    BOOL OpenFolder(const CString& path) override;
    BOOL OpenUrl(const CString& url) override;
    BOOL OpenMail(const CString& mailtoUrl) override;
};

// Opens the help page of a topic from the program home's "Help" folder when it is there.
class CQtHelpService : public IHelpService {
public:
    BOOL ShowTopic(DWORD contextId) override;
};

// Installs the three, and the reader of the real screen, for the running program.
void InstallQtServices();
