#pragma once
// Test doubles of the program's services: they record what was asked and answer as the test
// says (from a queue, or with the values it sets).

#include "platform/core/ScreenInfo.h"
#include "platform/core/Services.h"

#include <deque>
#include <vector>

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

// Records every rich message and answers from a queue; with the queue empty, the first button.
class CScriptedRichMessageBox : public IRichMessageBoxService {
public:
    int Show(CRichMessage& message) override;
    void QueueAnswer(int answer) { m_answers.push_back(answer); }

    std::vector<CRichMessage> calls;

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

// Answers with values set by the test.
class CFixedScreenMetrics : public IScreenMetricsService {
public:
    CFixedScreenMetrics() = default;
    explicit CFixedScreenMetrics(const CScreenInfo& info) : info(info) {}
    CScreenInfo GetScreenInfo() override { return info; }

    CScreenInfo info;
};
