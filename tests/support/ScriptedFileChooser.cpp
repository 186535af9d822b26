#include "tests/support/ScriptedFileChooser.h"

#include "platform/core/FileSys.h"

int CScriptedFileChooser::Run(CFileChooserCall& call)
{
    calls.push_back(call);
    if (m_answers.empty())
        return IDCANCEL;
    Answer answer = m_answers.front();
    m_answers.pop_front();
    if (!answer.ok)
        return IDCANCEL;
    call.csFolder = answer.folder;
    call.paths = answer.paths;
    call.names.clear();
    for (const CString& path : answer.paths)
        call.names.push_back(fsys::FileName(path));
    return IDOK;
}

void CScriptedFileChooser::QueueFolder(const char* folder)
{
    m_answers.push_back({TRUE, CString(folder), {}});
}

void CScriptedFileChooser::QueueFiles(std::vector<CString> paths)
{
    CString folder = paths.empty() ? CString() : fsys::Folder(paths.front()) + "/";
    m_answers.push_back({TRUE, folder, std::move(paths)});
}

void CScriptedFileChooser::QueueCancel()
{
    m_answers.push_back({});
}
