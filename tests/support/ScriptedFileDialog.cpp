#include "tests/support/ScriptedFileDialog.h"

BOOL CScriptedFileDialog::Choose(const CFileDialogRequest& request, std::vector<CString>& chosen)
{
    requests.push_back(request);
    chosen.clear();
    if (m_answers.empty())
        return FALSE;
    chosen = std::move(m_answers.front());
    m_answers.pop_front();
    return !chosen.empty();
}
