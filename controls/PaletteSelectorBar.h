#pragma once
// The palette selector ("Quick Pick") bar the main frame shows: eleven check buttons, "Edit" to
// "Chem 6", that show or hide the bars of the shared floating editing toolbar. A button is
// checked by the toolbar's answer to the update, never by the click itself.

#include "platform/ui/Wnd.h"

#include <QToolBar>

class CPaletteSelectorBar : public QToolBar, public CWnd {
public:
    explicit CPaletteSelectorBar(QWidget* parent = nullptr);

    // Each button against the shared toolbar (disabled while there is none).
    void OnIdleUpdateCmdUI() override;
    QAction* GetButtonAction(int nIndex) const;
};
