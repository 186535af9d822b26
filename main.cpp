#include "CorraVersion.h"
#include "controls/HVMsgBox.h"
#include "controls/FloatEditTB.h"
#include "controls/HVRichEditCtrl.h"
#include "platform/core/Random.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtServices.h"
#include "platform/ui/QtStartup.h"
#include "render/RtfDraw3.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", CORRA_PRODUCT_NAME, CORRA_VERSION);
            return 0;
        }
    }
    // Qt's own message here would advise reinstalling it.
    if (!HasUsablePlatform()) {
        std::fprintf(stderr, "%s: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                             "set QT_QPA_PLATFORM=offscreen to run without one\n", CORRA_PRODUCT_NAME);
        return 1;
    }
    EnsureRuntimeDirectory();
    QApplication app(argc, argv);
    // Files and the profile hold numbers in the "C" form whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    CorraInstallStringTable();
    InstallQtServices();
    InstallHVMsgBoxService();
    InstallRtfTextDrawer();
    InstallHVRichEditServices();
    InstallFloatEditToolbar();
    CorraSrand(static_cast<unsigned>(std::time(nullptr)));

    QMainWindow window;
    window.setWindowTitle(QString::fromLatin1(CORRA_PRODUCT_NAME));
    window.resize(1024, 768);
    window.show();
    if (qEnvironmentVariableIsSet("CORRA_QUIT_AFTER_START"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int rc = app.exec();
    // The shared editing toolbar goes before the application, writing its bars' flags.
    DestroySharedFloatToolbar();
    return rc;
}
