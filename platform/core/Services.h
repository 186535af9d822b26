#pragma once
// Services that would block a test or leave the process: message boxes, the desktop opener
// (files, folders, URLs, mail) and help topics. The program installs implementations over Qt;
// tests install scripted ones (tests/support/ScriptedServices.h) that record what was asked and
// answer from a queue.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    // style: MB_ buttons, icon and default button; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int Show(const CString& text, const CString& caption, UINT style) = 0;
};

// A message that needs more than the plain box: up to four text panes (plain or RTF, or string
// ids loaded when the box opens), own button captions, a help topic, an extra check box and a
// "don't show this message again" flag kept in the profile. The program shows it in its own
// message box; tests record it and answer from a queue.
constexpr int RMB_OK = 0;                // OK
constexpr int RMB_OKCANCEL = 1;          // OK, Cancel
constexpr int RMB_YESNOCANCEL = 3;       // Yes, No, Cancel
constexpr int RMB_YESNO = 4;             // Yes, No
constexpr int RMB_CONTINUECANCEL = 6;    // Continue, Cancel
// The result of the Continue button.
constexpr int IDCONTINUE_RMB = 1583;
// Text colour of panes unless told otherwise.
constexpr COLORREF RMB_PANE_COLOR = 0x742A1C;

struct CRichMessage {
    CString title;           // empty: the box's own caption
    int style = RMB_OK;
    CString dontShowKey;     // key in "HVMsgBoxDontShow"; empty: nothing is remembered
    CString pane[4];         // an empty pane stays hidden
    UINT paneId[4] = {0, 0, 0, 0};  // when not 0, the pane's text is this string
    COLORREF paneColor[4] = {RMB_PANE_COLOR, RMB_PANE_COLOR, RMB_PANE_COLOR, RMB_PANE_COLOR};
    CString yes = "Yes";
    CString no = "No";
    CString cancel = "Cancel";
    CString check;           // caption of the extra check box; empty: no box
    BOOL checked = FALSE;    // its state, in and out
    int helpId = 0;          // above 0: "More Info..." opens this topic
    BOOL error = FALSE;      // first pane red on black
    BOOL warning = FALSE;    // first pane yellow on black
    int bitmapId = 0;        // picture painted over the whole box
    double buttonScale = -1.0;  // above 0: the buttons are widened by it
};

class IRichMessageBoxService {
public:
    virtual ~IRichMessageBoxService() = default;
    // Returns the button pressed: IDOK, IDCANCEL, IDYES, IDNO or IDCONTINUE_RMB.
    virtual int Show(CRichMessage& message) = 0;
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

// The slots and their installed services (a quiet default until one is installed: boxes answer
// with their first button, the opener and help decline). SetXxx(s) is XxxSlot().Set(s).
CServiceSlot<IMessageBoxService>& MessageBoxSlot();
IMessageBoxService& MessageBoxService();
void SetMessageBoxService(IMessageBoxService* service);
CServiceSlot<IRichMessageBoxService>& RichMessageBoxSlot();
IRichMessageBoxService& RichMessageBoxService();
void SetRichMessageBoxService(IRichMessageBoxService* service);
CServiceSlot<IDesktopOpener>& DesktopOpenerSlot();
IDesktopOpener& DesktopOpener();
void SetDesktopOpener(IDesktopOpener* service);
CServiceSlot<IHelpService>& HelpServiceSlot();
IHelpService& HelpService();
void SetHelpService(IHelpService* service);

// The product name, the caption of the program's message boxes.
constexpr const char* CORRA_PRODUCT_NAME = "Quorvale";

// A message box with the product name as caption.
int AfxMessageBox(const char* text, UINT style = MB_OK);
// A message box whose text is a string-table entry.
int AfxMessageBox(UINT stringId, UINT style = MB_OK);

// The answer a box gives when nobody is there to press a button: its first button.
int DefaultMessageBoxAnswer(UINT style);

// Shows a rich message through the installed service.
int RichMessageBox(CRichMessage& message);
// The answer of a rich message box that is not shown (suppressed, or nobody there): its first
// button; IDCANCEL for a style that has no buttons.
int DefaultRichMessageAnswer(int style);
