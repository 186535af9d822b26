#pragma once
// The mouse over a list, as the user moves it: events sent at points on the screen.

#include "platform/ui/ListCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

// A mouse event of the left button at a point on the screen, sent to the widget.
inline void Send(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    const QPoint local = to->mapFromGlobal(global);
    QMouseEvent e(type, QPointF(local), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

// The middle of a row of a list, on the screen.
inline QPoint RowPoint(CListCtrl& list, int row)
{
    CRect rc;
    list.GetItemRect(row, &rc);
    return list.viewport()->mapToGlobal(QPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
}
