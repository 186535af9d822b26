#pragma once
// Services that would block a test or leave the process: message boxes, the desktop opener
// (files, folders, URLs, mail) and help topics. The program installs implementations over Qt;
// tests install scripted ones that record what was asked and answer from a queue.

#include "platform/core/String.h"

#include <deque>
#include <vector>

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    // style: MB_ buttons, icon and default button; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int Show(const CString& text, const CString& caption, UINT style) = 0;
};

class IDesktopOpener {
public:
    virtual ~IDesktopOpener() = default;
    virtual BOOL OpenFile(const CString& path) = 0;
    virtual BOOL OpenFolder(const CString& path) = 0;
    virtual BOOL OpenUrl(const CString& url) = 0;
    // A complete "mailto:" URL.
    virtual BOOL OpenMail(const CString& mailtoUrl) = 0;
};

class IHelpService {
public:
    virtual ~IHelpService() = default;
    // Shows the help topic of a context id (0 for the contents); FALSE when there is no help.
    virtual BOOL ShowTopic(DWORD contextId) = 0;
};

// The installed services; never NULL (a quiet default stands in until one is installed).
// Installing does not take ownership; pass NULL to go back to the default.
IMessageBoxService& MessageBoxService();
void SetMessageBoxService(IMessageBoxService* service);
IDesktopOpener& DesktopOpener();
void SetDesktopOpener(IDesktopOpener* service);
IHelpService& HelpService();
void SetHelpService(IHelpService* service);

// The product name, the caption of the program's message boxes.
constexpr const char* CORRA_PRODUCT_NAME = "Corra";

// A message box with the product name as caption.
int AfxMessageBox(const char* text, UINT style = MB_OK);
// A message box whose text is a string-table entry.
int AfxMessageBox(UINT stringId, UINT style = MB_OK);

// The answer a box gives when nobody is there to press a button: its first button.
int DefaultMessageBoxAnswer(UINT style);

// Records every box and answers from a queue; with the queue empty, the first button.
class CScriptedMessageBox : public IMessageBoxService {
public:
    struct Call {
        CString text;
        CString caption;
        UINT style = 0;
        int answer = 0;
    };
    int Show(const CString& text, const CString& caption, UINT style) override;
    void QueueAnswer(int answer) { m_answers.push_back(answer); }

    std::vector<Call> calls;

private:
    std::deque<int> m_answers;
};

// Records every request and answers from a queue (TRUE when the queue is empty).
class CScriptedDesktopOpener : public IDesktopOpener {
public:
    struct Call {
        CString kind;  // "file", "folder", "url" or "mail"
        CString target;
    };
    BOOL OpenFile(const CString& path) override { return Record("file", path); }
    BOOL OpenFolder(const CString& path) override { return Record("folder", path); }
    BOOL OpenUrl(const CString& url) override { return Record("url", url); }
    BOOL OpenMail(const CString& mailtoUrl) override { return Record("mail", mailtoUrl); }
    void QueueResult(BOOL result) { m_results.push_back(result); }

    std::vector<Call> calls;

private:
    BOOL Record(const char* kind, const CString& target);
    std::deque<BOOL> m_results;
};

class CScriptedHelp : public IHelpService {
public:
    BOOL ShowTopic(DWORD contextId) override
    {
        topics.push_back(contextId);
        return TRUE;
    }
    std::vector<DWORD> topics;
};
