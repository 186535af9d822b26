#include "platform/core/Services.h"

#include "platform/core/StringTable.h"

#include <atomic>

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
std::atomic<IMessageBoxService*> g_box{nullptr};
std::atomic<IRichMessageBoxService*> g_richBox{nullptr};
std::atomic<IDesktopOpener*> g_opener{nullptr};
std::atomic<IHelpService*> g_help{nullptr};

} // namespace

IMessageBoxService& MessageBoxService()
{
    IMessageBoxService* s = g_box.load();
    return s ? *s : g_quietBox;
}

void SetMessageBoxService(IMessageBoxService* service)
{
    g_box.store(service);
}

IRichMessageBoxService& RichMessageBoxService()
{
    IRichMessageBoxService* s = g_richBox.load();
    return s ? *s : g_quietRichBox;
}

void SetRichMessageBoxService(IRichMessageBoxService* service)
{
    g_richBox.store(service);
}

IDesktopOpener& DesktopOpener()
{
    IDesktopOpener* s = g_opener.load();
    return s ? *s : g_quietOpener;
}

void SetDesktopOpener(IDesktopOpener* service)
{
    g_opener.store(service);
}

IHelpService& HelpService()
{
    IHelpService* s = g_help.load();
    return s ? *s : g_quietHelp;
}

void SetHelpService(IHelpService* service)
{
    g_help.store(service);
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
