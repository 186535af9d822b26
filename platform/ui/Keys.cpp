#include "platform/ui/Keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

short GetKeyState(int nVirtKey)
{
    Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    bool down = false;
    switch (nVirtKey) {
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    default: break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}

UINT VirtualKeyOf(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_F1: return VK_F1;
    case Qt::Key_F2: return VK_F2;
    case Qt::Key_F5: return VK_F5;
    case Qt::Key_F10: return VK_F10;
    default: return 0;
    }
}

UINT KeyFlagsOf(const QKeyEvent* e)
{
    return (e->modifiers() & Qt::AltModifier) ? KF_ALTDOWN : 0;
}

UINT MouseFlagsOf(const QMouseEvent* e)
{
    UINT flags = 0;
    if (e->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (e->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}
