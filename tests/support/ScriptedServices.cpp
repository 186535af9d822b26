#include "tests/support/ScriptedServices.h"

int CScriptedMessageBox::Show(const CString& text, const CString& caption, UINT style)
{
    int answer = DefaultMessageBoxAnswer(style);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    calls.push_back(Call{text, caption, style, answer});
    return answer;
}

int CScriptedRichMessageBox::Show(CRichMessage& message)
{
    int answer = DefaultRichMessageAnswer(message.style);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    calls.push_back(message);
    return answer;
}

BOOL CScriptedDesktopOpener::Record(const char* kind, const CString& target)
{
    calls.push_back(Call{CString(kind), target});
    if (m_results.empty())
        return TRUE;
    BOOL r = m_results.front();
    m_results.pop_front();
    return r;
}
