#pragma once
// The program's services over Qt: plain message boxes and the desktop opener.

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

// Installs the two, and the reader of the real screen, for the running program (the application
// installs its user's guide as the help).
void InstallQtServices();
