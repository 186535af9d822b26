#include "platform/ui/QtServices.h"

#include "platform/core/FileSys.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ScreenMetrics.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

int CQtMessageBox::Show(const CString& text, const CString& caption, UINT style)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    QMessageBox::StandardButtons buttons;
    QList<QMessageBox::StandardButton> order;
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case MB_YESNO: order = {QMessageBox::Yes, QMessageBox::No}; break;
    case MB_YESNOCANCEL: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    default: order = {QMessageBox::Ok}; break;
    }
    for (auto b : order)
        buttons |= b;
    box.setStandardButtons(buttons);
    int def = static_cast<int>((style & MB_DEFMASK) >> 8);
    if (def < order.size())
        box.setDefaultButton(order[def]);
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return order.contains(QMessageBox::Cancel) ? IDCANCEL : IDOK;
    }
}

BOOL CQtDesktopOpener::OpenFile(const CString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(fsys::NormalizeSeparators(path))));
}

BOOL CQtDesktopOpener::OpenFolder(const CString& path)
{
    return OpenFile(path);
}

BOOL CQtDesktopOpener::OpenUrl(const CString& url)
{
    return QDesktopServices::openUrl(QUrl(ToQString(url)));
}

BOOL CQtDesktopOpener::OpenMail(const CString& mailtoUrl)
{
    return QDesktopServices::openUrl(QUrl(ToQString(mailtoUrl), QUrl::TolerantMode));
}

void InstallQtServices()
{
    static CQtMessageBox box;
    static CQtDesktopOpener opener;
    SetMessageBoxService(&box);
    SetDesktopOpener(&opener);
    InstallPrimaryScreenMetrics();
}
