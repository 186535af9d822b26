#pragma once
// A toolbar that works inside a dialog or floating window: built from a toolbar table of res/
// (its buttons' ids, the pictures' size and the pictures), its buttons' states brought up to
// date against the window it stands in, and, in symbol mode, each button showing its symbol in
// the symbol's own face.

#include "platform/ui/Wnd.h"
#include "res/symbols/SymbolTable.h"

#include <QFont>
#include <QToolBar>

#include <vector>

class QToolButton;

class CDlgToolBar : public QToolBar, public CWnd {
public:
    explicit CDlgToolBar(QWidget* parent);

    // Reads the toolbar table nIDResource: a button per id (0 a separator), the button size the
    // picture size plus 7 each way, the pictures of res/bitmaps/<id>.png. FALSE when there is
    // no such table.
    BOOL Load(UINT nIDResource);
    // Button i takes entry i's id and shows its symbol; turns symbol mode on.
    void SetSymbolButtons(const SymbolEntry* pEntries, int nCount);
    BOOL IsSymbolMode() const { return m_bSymbolMode; }

    int GetButtonCount() const { return static_cast<int>(m_buttons.size()); }
    UINT GetItemID(int nIndex) const;
    // The button of an index (NULL for a separator or a control in its place).
    QToolButton* GetButton(int nIndex) const;
    QAction* GetButtonAction(int nIndex) const;
    const SymbolEntry* GetSymbol(int nIndex) const;
    CSize GetButtonSize() const { return m_szButton; }
    // Puts a control of nWidth pixels in place of the button at nIndex.
    void SetButtonControl(int nIndex, QWidget* control, int nWidth);

    // The font a symbol is drawn in on its button, made anew only when it differs from the last.
    const QFont& SymbolFont(const SymbolEntry& entry);

    // The buttons, when shown, against the window the bar stands in.
    void OnIdleUpdateCmdUI() override;
    // Commands and notifications of the bar go to the window it stands in.
    BOOL OnCommand(UINT nID) override;
    BOOL OnChildNotify(UINT nID, UINT nCode, void* pExtra = nullptr) override;

private:
    struct Button {
        UINT id = 0;
        QAction* place = nullptr;        // the bar's item: a separator, a button's or a control's
        QAction* action = nullptr;       // the command; NULL for separators and controls
        QToolButton* button = nullptr;
        const SymbolEntry* symbol = nullptr;
    };

    std::vector<Button> m_buttons;
    CSize m_szButton;
    BOOL m_bSymbolMode = FALSE;
    QFont m_symbolFont;
    const SymbolEntry* m_pFontOf = nullptr;
};

// The status text (before "\n") and the tooltip (after it) of a command: a symbol's name for a
// symbol id, else the string-table text of the id; each cut at 80 characters.
void GetCommandTexts(UINT nID, CString& status, CString& tip);
