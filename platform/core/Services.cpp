#include "platform/core/Services.h"

#include "platform/core/StringTable.h"

namespace {

class CQuietMessageBox : public IMessageBoxService {
public:
    int Show(const CString&, const CString&, UINT style) override { return DefaultMessageBoxAnswer(style); }
};

class CQuietRichMessageBox : public IRichMessageBoxService {
public:
    int Show(CRichMessage& message) override { return DefaultRichMessageAnswer(message.style); }
};

class CQuietOpener : public IDesktopOpener {
public:
    BOOL OpenFile(const CString&) override { return FALSE; }
    BOOL OpenFolder(const CString&) override { return FALSE; }
    BOOL OpenUrl(const CString&) override { return FALSE; }
    BOOL OpenMail(const CString&) override { return FALSE; }
};

class CQuietHelp : public IHelpService {
public:
    BOOL ShowTopic(DWORD) override { return FALSE; }
};

CQuietMessageBox g_quietBox;
CQuietRichMessageBox g_quietRichBox;
CQuietOpener g_quietOpener;
CQuietHelp g_quietHelp;
CServiceSlot<IMessageBoxService> g_box(g_quietBox);
CServiceSlot<IRichMessageBoxService> g_richBox(g_quietRichBox);
CServiceSlot<IDesktopOpener> g_opener(g_quietOpener);
CServiceSlot<IHelpService> g_help(g_quietHelp);

} // namespace

IMessageBoxService& MessageBoxService()
{
    return g_box.Get();
}

void SetMessageBoxService(IMessageBoxService* service)
{
    g_box.Set(service);
}

IRichMessageBoxService& RichMessageBoxService()
{
    return g_richBox.Get();
}

void SetRichMessageBoxService(IRichMessageBoxService* service)
{
    g_richBox.Set(service);
}

IDesktopOpener& DesktopOpener()
{
    return g_opener.Get();
}

void SetDesktopOpener(IDesktopOpener* service)
{
    g_opener.Set(service);
}

IHelpService& HelpService()
{
    return g_help.Get();
}

void SetHelpService(IHelpService* service)
{
    g_help.Set(service);
}

int AfxMessageBox(const char* text, UINT style)
{
    return MessageBoxService().Show(CString(text), CString(CORRA_PRODUCT_NAME), style);
}

int AfxMessageBox(UINT stringId, UINT style)
{
    return AfxMessageBox(LoadStringId(stringId), style);
}

int DefaultMessageBoxAnswer(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return IDOK;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    default: return IDOK;
    }
}

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

int RichMessageBox(CRichMessage& message)
{
    return RichMessageBoxService().Show(message);
}

int DefaultRichMessageAnswer(int style)
{
    switch (style) {
    case RMB_OK:
    case RMB_OKCANCEL: return IDOK;
    case RMB_YESNOCANCEL:
    case RMB_YESNO: return IDYES;
    case RMB_CONTINUECANCEL: return IDCONTINUE_RMB;
    default: return IDCANCEL;
    }
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
