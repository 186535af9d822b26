#pragma once
// The splash window: the splash picture with the version and build date, shown over the hidden
// main window for a while at start-up. A key or mouse press anywhere closes it, and the press
// goes no further.

#include "platform/ui/Wnd.h"

#include <QPixmap>

class QEvent;

class CSplashWindow : public QWidget, public CWnd {
public:
    // Whether ShowOver shows anything (the application enables it when the settings say so).
    static void SetEnabled(BOOL bEnable);
    static BOOL IsEnabled();
    // Shows the one splash window over pParent for nMilliseconds (nothing when disabled or
    // when one is up).
    static void ShowOver(UINT nMilliseconds, CWnd* pParent);
    // While the splash is up, a key or mouse press closes it and is swallowed (TRUE).
    static BOOL FilterMessage(QObject* pTarget, QEvent* pEvent);
    static void Close();
    // The splash window up now, or NULL.
    static CSplashWindow* Current();
    static UINT DisplayTime();

    void OnTimer(UINT_PTR nIDEvent) override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    explicit CSplashWindow(QWidget* parent);
    ~CSplashWindow() override;
    void HideSplash();

    QPixmap m_picture;
};
