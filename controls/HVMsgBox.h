#pragma once
// The program's own message box, for messages that need more than a line of plain text: up to
// four rich-text panes in their colours, a picture painted over the box, own button captions, a
// "More Info..." help button and a "Don't show this message again" box whose state is kept in the
// profile (section "HVMsgBoxDontShow"), so that a suppressed message answers at once next time.
//
// Code that has a window at hand may run a CHVMsgBox itself; code below the windows (documents)
// asks through RichMessageBox (platform/core/Services.h), which the program answers with this box.

#include "foundation/ChoicesError.h"
#include "platform/core/Services.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/RichEditCtrl.h"
#include "res/ids/MsgBox.h"

class CHVMsgBox;
class CHVMsgPicture;
class QCheckBox;
class QPushButton;

constexpr const char* HVMSGBOX_DONTSHOW_SECTION = "HVMsgBoxDontShow";

// A read-only pane of the box; it tells the box the height its content needs.
class CHVMsgPane : public CRichEditCtrl {
public:
    CHVMsgPane(CHVMsgBox* pBox, int nIndex);
    // Lets long file names in the text break at their separators rather than inside a word.
    void AllowPathBreaks();

protected:
    void OnRequestResize(const CRect& rcRequested) override;

private:
    CHVMsgBox* m_pBox;
    int m_nIndex;
};

class CHVMsgBox : public CDialog {
public:
    // Reads the "don't show" state of the key (when given) from the profile.
    CHVMsgBox(LPCSTR lpszTitle, int nStyle, LPCSTR lpszDontShowKey = nullptr, CWnd* pParent = nullptr);
    // A box for a rich message of the message service.
    explicit CHVMsgBox(const CRichMessage& message, CWnd* pParent = nullptr);
    ~CHVMsgBox() override;

    // A suppressed box returns the answer of its style at once; otherwise it runs and returns the
    // button pressed: IDOK, IDCANCEL, IDYES, IDNO or IDC_HVMSG_CONTINUE.
    INT_PTR DoModal() override;

    virtual int SetHelpId(int nHelpId);
    // Places the panes, buttons and boxes by the panes' sizes and fits the box's height.
    virtual void Relayout();
    // The panes' string ids from an error record's four ids, each only when not 0.
    void SetPaneTextIds(const CChoicesError& error);
    void SetTextIds(const CChoicesError& error) { SetPaneTextIds(error); }

    // The answer of a suppressed box of a style; 0 for a style that is never answered at once.
    static int SuppressedResult(int nStyle);
    // The remembered "don't show" state of a key (the read writes 0 back when it is missing);
    // FALSE for an empty key.
    static BOOL ReadDontShow(LPCSTR lpszKey);

    // The pane controls (index 0 to 3); for the derived boxes and tests.
    CHVMsgPane* GetPane(int nIndex) const { return (nIndex >= 0 && nIndex < 4) ? m_pPanes[nIndex] : nullptr; }

    BOOL m_bCheck = FALSE;
    int m_nStyle;
    CString m_csTitle;
    CString m_csPane1, m_csPane2, m_csPane3, m_csPane4;
    COLORREF m_crPane1 = RMB_PANE_COLOR, m_crPane2 = RMB_PANE_COLOR, m_crPane3 = RMB_PANE_COLOR,
             m_crPane4 = RMB_PANE_COLOR;
    UINT m_nPaneId1 = 0, m_nPaneId2 = 0, m_nPaneId3 = 0, m_nPaneId4 = 0;
    CString m_csYes = "Yes", m_csNo = "No", m_csCancel = "Cancel";
    CString m_csCheck;
    int m_nBitmapId = 0;
    CBitmap m_Bitmap;
    double m_dButtonScale = -1.0;
    int m_nHelpId = 0;
    BOOL m_bError = FALSE;
    BOOL m_bWarning = FALSE;
    BOOL m_bDontShow = FALSE;
    CString m_csDontShowKey;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    virtual void OnYes();
    // "More Info...": the topic of m_nHelpId.
    void OnHelp() override;
    void paintEvent(QPaintEvent* e) override;

private:
    friend class CHVMsgPane;
    void BuildControls();
    CString* PaneText(int i);
    COLORREF PaneColor(int i) const;
    UINT PaneId(int i) const;
    void OnPaneResize(int nIndex, const CRect& rcRequested);
    void LogWhatShows();
    // The buttons of the style, in order.
    std::vector<int> StyleButtons() const;

    CHVMsgPane* m_pPanes[4] = {nullptr, nullptr, nullptr, nullptr};
    CHVMsgPicture* m_pPicture = nullptr;
    QCheckBox* m_pCheck = nullptr;
    QCheckBox* m_pDontShow = nullptr;
    BOOL m_bInLayout = FALSE;
};

// The rich message service of the program: shows each message in a CHVMsgBox over the main window.
class CHVMsgBoxService : public IRichMessageBoxService {
public:
    int Show(CRichMessage& message) override;
};

// Makes CHVMsgBox the program's rich message service.
void InstallHVMsgBoxService();
