#pragma once
// Virtual key codes and mouse-key flags as the system's code names them, and the keyboard state
// behind GetKeyState.

#include "platform/core/WinTypes.h"

class QKeyEvent;
class QMouseEvent;

constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;  // Alt
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_APPS = 0x5D;  // the context-menu key
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F10 = 0x79;

// Mouse message flags.
constexpr UINT MK_LBUTTON = 0x01;
constexpr UINT MK_RBUTTON = 0x02;
constexpr UINT MK_SHIFT = 0x04;
constexpr UINT MK_CONTROL = 0x08;
// Key message flag: Alt was down.
constexpr UINT KF_ALTDOWN = 0x2000;

// Negative (high bit set) while the key (VK_SHIFT, VK_CONTROL, VK_MENU) is down.
short GetKeyState(int nVirtKey);

// The virtual key of a key event (0 when it has none here) and its flags (KF_ALTDOWN).
UINT VirtualKeyOf(const QKeyEvent* e);
UINT KeyFlagsOf(const QKeyEvent* e);
// MK_ flags of a mouse event.
UINT MouseFlagsOf(const QMouseEvent* e);
