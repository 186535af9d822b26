#pragma once
// A file dialog service for tests: records every request and answers from a queue (a path,
// several paths, or a cancel); with the queue empty it cancels.

#include "platform/ui/FileDialog.h"

#include <deque>
#include <vector>

class CScriptedFileDialog : public IFileDialogService {
public:
    BOOL Choose(const CFileDialogRequest& request, std::vector<CString>& chosen) override;

    void QueuePath(const char* path) { m_answers.push_back({CString(path)}); }
    void QueuePaths(std::vector<CString> paths) { m_answers.push_back(std::move(paths)); }
    void QueueCancel() { m_answers.push_back({}); }

    std::vector<CFileDialogRequest> requests;

private:
    std::deque<std::vector<CString>> m_answers;
};
