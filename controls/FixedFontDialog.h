#pragma once
// The base of most of the program's dialogs: whatever font a dialog's layout would take, it
// shows in the fixed dialog face ("MS Sans Serif", which stands for an installed sans face) at
// 8 points when run modally, and at m_nFontSize points when created modeless (10 on a screen
// 1024 pixels wide, else 8). It centres itself on its owner when it opens and has helpers to
// move it and to work on multi-selection list boxes.

#include "platform/core/Collections.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

#include <QFont>

class CFixedFontDialog : public CDialog {
public:
    CFixedFontDialog(UINT nIDTemplate, CWnd* pParent = nullptr);

    // -1 when the dialog has no template id (a derived class that did not set m_nTemplateId).
    INT_PTR DoModal() override;
    // Modeless creation; FALSE when there is no template id.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
    // The dialog base's initialisation, then centring on the owner.
    BOOL OnInitDialog() override;

    virtual UINT SetHelpId(UINT nID);
    // Moves the window to screen position (x, y); size, z-order and activation stay.
    virtual void MoveTo(int x, int y);
    virtual void MoveBy(int dx, int dy);
    // Centres on the owner window, or on the screen when there is none.
    virtual void CenterOnOwner();

    // The dialog face at a point size.
    static QFont FixedFont(int nPointSize);
    static constexpr const char* kFaceName = "MS Sans Serif";

protected:
    // The point size of a modal run.
    virtual int ModalFontSize() const { return 8; }

    int m_nTemplateId = 0;
    int m_nFontSize;
    int m_nScreenWidth;
    int m_nScreenHeight;
    BOOL m_bInitialized = FALSE;

private:
    void ApplyFont(int nPointSize);
};

// TRUE when the item's rectangle overlaps the list's client area vertically; FALSE when the
// item does not exist.
BOOL IsListBoxItemVisible(CListBox* pList, int nIndex);
// Empties texts and appends the texts of the selected items in item order.
void GetSelectedListBoxTexts(CListBox* pList, CStringArray& texts);
// Deletes the selected items (and only those, also when other items have the same text).
void DeleteSelectedListBoxItems(CListBox* pList);
