#pragma once
// The floating editing toolbar: a small window ("Editing - " and the attached control's kept
// text) holding the "Edit" bar and the ten symbol palettes, which routes their commands to the
// rich-edit control it is attached to and keeps its boxes in step with that control's selection.
// Which bars show is one setting of the whole program (profile section "FloatEditTB").

#include "controls/HVRichEditCtrl.h"
#include "controls/SymbolPalettes.h"
#include "platform/core/ServiceSlot.h"
#include "platform/ui/Dialog.h"

#include <QPointer>

class CDlgToolBar;
class CTextEditToolbar;
class QLabel;
class QVBoxLayout;

// The Font Manager dialog (built with the font dialogs), as the toolbar opens it: for the
// control's default font slot; TRUE when the user changed fonts. Until it is installed there is
// none and the toolbar's command for it is disabled.
class IFontManagerDialog {
public:
    virtual ~IFontManagerDialog() = default;
    virtual BOOL IsAvailable() const = 0;
    virtual BOOL Run(int nSlot, QWidget* pParent) = 0;
};
CServiceSlot<IFontManagerDialog>& FontManagerDialogSlot();

// The main frame's palette selector bar, as the toolbar shows and hides it. Until the frame
// installs itself, nothing shows.
class IPaletteSelectorHost {
public:
    virtual ~IPaletteSelectorHost() = default;
    virtual void ShowPaletteSelector(BOOL bShow) = 0;
};
CServiceSlot<IPaletteSelectorHost>& PaletteSelectorHostSlot();

// Reads the bars' flags from the profile (each key default 0, written back).
void LoadFloatBarFlags();
// Whether bar nIndex (0 "Edit" to 10 "Chem 6") shows; the first toolbar reads the flags from
// the profile (written back; "Edit" and "Math 1" show until the user chooses), every toolbar
// writes them when it goes.
BOOL IsFloatBarVisible(int nIndex);
void SaveFloatBarFlags();

class CFloatEditTB : public CDialog, public IFloatEditToolbar {
public:
    // A child window of pOwner, or with NULL the topmost window the program shares.
    explicit CFloatEditTB(QWidget* pOwner = nullptr);
    ~CFloatEditTB() override;

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent) override;

    // IFloatEditToolbar
    void Attach(CHVRichEditCtrl* pCtrl) override;
    CHVRichEditCtrl* GetAttached() const override { return m_pCtrl.data(); }
    void Show(BOOL bShow) override;
    BOOL IsVisible() const override;
    void Refresh() override;
    CSize GetSize() const override;
    void MoveTo(int x, int y) override;
    void OnSelectionChanged(CHVRichEditCtrl* pCtrl) override;
    void OnIdleUpdate() override { SendIdleUpdate(); }
    QWidget* GetOwnerWidget() const override { return m_pOwner; }

    // Flips bar nIndex, lays the window out again and shows it.
    void ToggleBar(int nIndex);
    // Shows each bar by its flag and fits the window round the shown ones.
    void LayOut();

    CTextEditToolbar* GetEditBar() const { return m_pEditBar; }
    CDlgToolBar* GetBar(int nIndex) const;
    BOOL IsUpdating() const { return m_bUpdating; }

protected:
    // 0x8057 (toggle), 0x8058 (its check) and 0x8137 (the control's selection changed).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void moveEvent(QMoveEvent* e) override;
    // The window of the attached control hides: the toolbar goes with it.
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The bars to show or hide, the palette selector, hiding the window.
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // The attached control while it still exists; NULL (and forgotten) once it is gone.
    CHVRichEditCtrl* Control();
    // A control that takes a change: attached and not read-only.
    CHVRichEditCtrl* EditableControl();
    // Refuses (with the message) a font change of a selection that holds a symbol.
    BOOL RefuseSymbolSelection(CHVRichEditCtrl* pCtrl);
    void BindCommands();
    void InsertSymbol(UINT nID);
    void ForwardToControl(UINT nID);
    void OnDefaultFont();
    void OnFontList();
    void OnFaceChange();
    void OnSizeChange();
    void OnRemoveFont();
    void OnDefaultFonts();
    // Gives the selection a face (its remembered character set and pitch with it).
    void ApplyFace(CHVRichEditCtrl* pCtrl, const CString& face);
    void KeepOnScreen();
    void BackToControl();

    QPointer<CHVRichEditCtrl> m_pCtrl;
    QPointer<QWidget> m_pCtrlWindow;  // watched for its hiding
    CTextEditToolbar* m_pEditBar = nullptr;
    CDlgToolBar* m_pBars[kPaletteCount] = {};
    int m_nLogPixelsY = 96;
    CSize m_szInitial;
    BOOL m_bUpdating = FALSE;
    QWidget* m_pOwner;
    QVBoxLayout* m_pLayout = nullptr;
    QLabel* m_pNoBars = nullptr;
};

// Makes CFloatEditTB the rich-edit control's floating toolbar; the program does at start-up.
void InstallFloatEditToolbar();
