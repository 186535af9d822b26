#pragma once
// The dialog base over QDialog. A dialog is constructed with its template id, builds its
// controls in code (Qt layouts) and registers each under its numeric id; OnInitDialog fills
// them, data exchange moves values between them and the dialog's members and can refuse a
// field (the dialog stays open), DoModal runs it and returns the code EndDialog gave.
//
// Tests never enter a modal loop: when a modal-run hook is installed, DoModal hands the opened
// dialog to it instead, and the hook acts on the controls and ends the dialog.

#include "platform/core/ServiceSlot.h"
#include "platform/ui/Wnd.h"

#include <QDialog>

#include <initializer_list>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

constexpr int IDCLOSE = 8;
// Help topics of dialogs are their help ids above this base.
constexpr DWORD HID_BASE_RESOURCE = 0x20000;

class CDialog : public QDialog, public CWnd {
public:
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    UINT GetTemplateId() const { return m_nIDTemplate; }
    CWnd* GetOwnerWnd() const { return m_pParentWnd; }

    // Runs the dialog modally: OnInitDialog, then the modal loop (or the modal-run hook) until
    // EndDialog; returns EndDialog's result (-1 when the dialog is already running).
    virtual INT_PTR DoModal();
    // Creates the dialog modeless: OnInitDialog runs; the dialog is not shown (ShowWindow
    // shows it). FALSE when it exists already.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends the dialog with nResult: a modal run returns it; a modeless dialog is hidden.
    // May be called from OnInitDialog, in which case the dialog is never shown.
    void EndDialog(int nResult);

    // Default: exchanges data into the controls; TRUE lets the dialog set the first focus.
    virtual BOOL OnInitDialog();
    // Default: takes the data out (UpdateData(TRUE)) and, when that works, ends with IDOK.
    virtual void OnOK();
    // Default: ends with IDCANCEL.
    virtual void OnCancel();
    // The Help button (IDHELP): the help topic of the dialog's help id (m_nIDHelp + 0x20000).
    virtual void OnHelp();

    BOOL IsModalRunning() const { return m_bRunning; }
    BOOL IsEnded() const { return m_bEnded; }
    int GetEndResult() const { return m_nResult; }

    // Controls, built in code: each is created as a child of the dialog (the caller puts it in
    // a layout) and registered under its id.
    QPushButton* CreateButton(int nID, const char* text, BOOL bDefault = FALSE);
    QLineEdit* CreateEdit(int nID, const char* text = "");
    QCheckBox* CreateCheckBox(int nID, const char* text);
    QRadioButton* CreateRadioButton(int nID, const char* text, BOOL bGroupStart = FALSE);
    // A label; nID 0 for one that nothing addresses. With buddy, the label's mnemonic focuses it.
    QLabel* CreateStatic(const char* text, int nID = 0, QWidget* buddy = nullptr);
    // The usual buttons of the given ids (IDOK, IDCANCEL, IDHELP, IDYES, IDNO, IDCLOSE) in a
    // button box, each registered; IDOK (or IDYES) is the default button.
    QDialogButtonBox* CreateButtonBox(std::initializer_list<int> ids);
    // Moves the focus to a control (an edit gets its text selected).
    void GotoDlgCtrl(QWidget* control);
    // The dialog takes the size its layout asks for and can be neither resized nor maximised.
    void MakeFixedSize();
    // Dialog units to pixels, by the dialog's font.
    void MapDialogRect(RECT* pRect) const;

    // Esc, the close box and accept() come here, so that every way out runs OnOK or OnCancel.
    void accept() override;
    void reject() override;

    UINT m_nIDHelp = 0;

protected:
    // F1 is the Help button, where the dialog shows one that can be pressed.
    void keyPressEvent(QKeyEvent* e) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    void FinishRun();

    BOOL m_bRunning = FALSE;
    BOOL m_bEnded = FALSE;
    int m_nResult = IDCANCEL;
};

// Runs a dialog modally. The default runs the modal loop; one installed in its place (tests) is
// given the dialog after OnInitDialog, shown, and must end it; a dialog it leaves open ends
// with IDCANCEL.
class IModalRunHook {
public:
    virtual ~IModalRunHook() = default;
    virtual void RunModal(CDialog& dlg) = 0;
};
CServiceSlot<IModalRunHook>& ModalRunSlot();
