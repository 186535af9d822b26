#pragma once
// "Font Manager": the program-wide fonts of the eighteen document font slots. Edits are kept
// apart until OK, which stores them, records the change and has every open document redraw.

#include "controls/FloatEditTB.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/Dialog.h"

#include <map>

class CInfoRichEdit;
class CListBox;

class CFontMgrDlg : public CDialog {
public:
    explicit CFontMgrDlg(int nSlot = 0, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSelChange();
    void OnChange();
    void OnBold();
    void OnItalic();
    void OnUnderline();

    BOOL IsModified() const { return m_bModified; }
    // The font shown for the selected slot (the edited one when there is one); -1 when none.
    int GetSelectedSlot() const;
    LOGFONT ShownFont(int nSlot) const;

private:
    void ShowSlot();
    void Store(int nSlot, const LOGFONT& lf);
    // The selected slot's shown font, changed by edit and kept as edited.
    template <typename F>
    void EditShown(F&& edit);
    void UpdateControls();

    int m_nStartSlot;
    BOOL m_bModified = FALSE;
    std::map<int, LOGFONT> m_edited;
    CListBox* m_pSlots = nullptr;
    CInfoRichEdit* m_pFace = nullptr;
    CInfoRichEdit* m_pSize = nullptr;
};

// The Font Manager as the editing toolbar and the main window ask for it.
class CFontManagerDialogService : public IFontManagerDialog {
public:
    BOOL IsAvailable() const override { return TRUE; }
    BOOL Run(int nSlot, QWidget* pParent) override;
};
// Puts the Font Manager into FontManagerDialogSlot() and Set Document Fonts into
// DocumentFontsDialogSlot(); the program does at start-up.
void InstallFontDialogs();
