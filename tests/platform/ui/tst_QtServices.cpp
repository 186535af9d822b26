#include "platform/ui/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Shows a box and presses its default button (what Enter does) as soon as it is up.
int PressDefault(UINT style, QString* defaultText)
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer.stop();
            QAbstractButton* def = box->defaultButton();
            *defaultText = def ? def->text() : QString();
            if (def)
                def->click();
            else
                box->reject();
        }
    });
    timer.start(5);
    CQtMessageBox service;
    return service.Show("Save the changes?", "Corra", style);
}

TEST(QtMessageBox, DefaultButtonFollowsTheStyle)
{
    const struct {
        UINT style;
        int answer;
    } cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION, IDCANCEL},
    };
    for (const auto& c : cases) {
        QString text;
        EXPECT_EQ(PressDefault(c.style, &text), c.answer) << std::hex << c.style;
        EXPECT_FALSE(text.isEmpty()) << std::hex << c.style;
    }
}

} // namespace
