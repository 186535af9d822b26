#include "controls/PaletteSelectorBar.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/SymbolPalettes.h"
#include "platform/ui/QtString.h"
#include "res/ids/FloatEditTB.h"

#include <QFontDatabase>
#include <QToolButton>

namespace {

// The shared toolbar as a window that takes the selector's messages; NULL while there is none.
CWnd* SharedToolbarWnd()
{
    return dynamic_cast<CWnd*>(GetSharedFloatToolbar());
}

} // namespace

CPaletteSelectorBar::CPaletteSelectorBar(QWidget* parent) : QToolBar(parent), CWnd(this)
{
    setWindowTitle(QStringLiteral("Quick Pick"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setIconSize(QSize(53, 11));
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    for (int i = 0; i < kFloatBarCount; ++i) {
        QAction* a = CreateCommandAction(this, ID_PALETTE_SELECT_FIRST + i, FloatBar(i).name);
        a->setCheckable(true);
        addAction(a);
        if (QWidget* button = widgetForAction(a)) {
            button->setFixedSize(60, 17);
            button->setFont(font);
        }
    }
    BindCommandRange(ID_PALETTE_SELECT_BASE, ID_PALETTE_SELECT_END, [this](UINT nID) {
        if (CWnd* toolbar = SharedToolbarWnd())
            toolbar->SendMessage(WM_HV_PALETTE_TOGGLE, nID, 0);
        // The click flipped the button; the toolbar's flag says what it shows.
        OnIdleUpdateCmdUI();
    });
    BindUpdateRange(ID_PALETTE_SELECT_BASE, ID_PALETTE_SELECT_END, [](CCmdUI* pCmdUI) {
        CWnd* toolbar = SharedToolbarWnd();
        if (!toolbar) {
            pCmdUI->Enable(FALSE);
            pCmdUI->SetCheck(0);
            return;
        }
        toolbar->SendMessage(WM_HV_PALETTE_UPDATE, pCmdUI->m_nID, reinterpret_cast<LPARAM>(pCmdUI));
    });
}

void CPaletteSelectorBar::OnIdleUpdateCmdUI()
{
    UpdateCommandActions(this, this, TRUE);
}

QAction* CPaletteSelectorBar::GetButtonAction(int nIndex) const
{
    const QList<QAction*> list = actions();
    return nIndex >= 0 && nIndex < list.size() ? list[nIndex] : nullptr;
}
