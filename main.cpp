#include "CorraVersion.h"
#include "app/CorraApp.h"
#include "app/UserGuide.h"
#include "controls/HVMsgBox.h"
#include "controls/FloatEditTB.h"
#include "controls/HVRichEditCtrl.h"
#include "controls/WordConvert.h"
#include "import/SourceMgr.h"
#include "print/FontMgrDlg.h"
#include "platform/core/Random.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Print.h"
#include "platform/ui/QtServices.h"
#include "platform/ui/QtStartup.h"
#include "platform/ui/QtString.h"
#include "render/RtfDraw3.h"

#include <QApplication>
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
    InstallUserGuide();
    InstallHVMsgBoxService();
    InstallRtfTextDrawer();
    InstallHVRichEditServices();
    static CQtFileDialog fileDialog;
    FileDialogSlot().Set(&fileDialog);
    static CQtPrintDialogs printDialogs;
    PrintDialogSlot().Set(&printDialogs);
    InstallFloatEditToolbar();
    InstallSourceMgr();
    InstallDocumentConverter();
    InstallFontDialogs();
    CorraSrand(static_cast<unsigned>(std::time(nullptr)));

    std::vector<CString> args;
    for (const QString& a : QApplication::arguments().mid(1))
        args.push_back(FromQString(a));
    CCorraApp corra;
    corra.SetArguments(std::move(args));
    if (qEnvironmentVariableIsSet("CORRA_QUIT_AFTER_START"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int rc = corra.Run();
    // The shared editing toolbar goes before the application, writing its bars' flags.
    DestroySharedFloatToolbar();
    return rc;
}
