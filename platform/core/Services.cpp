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

CServiceSlot<IMessageBoxService>& MessageBoxSlot()
{
    return g_box;
}

IMessageBoxService& MessageBoxService()
{
    return g_box.Get();
}

void SetMessageBoxService(IMessageBoxService* service)
{
    g_box.Set(service);
}

CServiceSlot<IRichMessageBoxService>& RichMessageBoxSlot()
{
    return g_richBox;
}

IRichMessageBoxService& RichMessageBoxService()
{
    return g_richBox.Get();
}

void SetRichMessageBoxService(IRichMessageBoxService* service)
{
    g_richBox.Set(service);
}

CServiceSlot<IDesktopOpener>& DesktopOpenerSlot()
{
    return g_opener;
}

IDesktopOpener& DesktopOpener()
{
    return g_opener.Get();
}

void SetDesktopOpener(IDesktopOpener* service)
{
    g_opener.Set(service);
}

CServiceSlot<IHelpService>& HelpServiceSlot()
{
    return g_help;
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
