#pragma once
// A file chooser for tests: records every call as it was made and answers from a queue (a
// folder with the files chosen in it, or a cancel); with the queue empty it cancels. Install it
// with CServiceScope<IFileChooserService> scope(FileChooserSlot(), chooser).

#include "foundation/FileChooserCall.h"

#include <deque>
#include <vector>

class CScriptedFileChooser : public IFileChooserService {
public:
    int Run(CFileChooserCall& call) override;

    // OK with folder chosen (folder mode).
    void QueueFolder(const char* folder);
    // OK with these full paths chosen; the folder is the first one's.
    void QueueFiles(std::vector<CString> paths);
    void QueueCancel();

    std::vector<CFileChooserCall> calls;

private:
    struct Answer {
        BOOL ok = FALSE;
        CString folder;
        std::vector<CString> paths;
    };
    std::deque<Answer> m_answers;
};
