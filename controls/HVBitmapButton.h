#pragma once
// A button drawn as a picture (up, pressed, focus, disabled) with its caption over it. It tells
// its parent window of the mouse over it and of a click by posted messages, carrying its id and
// the value its owner gave it.

#include "platform/core/WinTypes.h"
#include "platform/ui/CharFormat.h"
#include "platform/ui/Wnd.h"
#include "render/BitmapEx.h"

// Posted to the parent: wParam the button's id, lParam its value.
constexpr UINT WM_BITMAPBTN_HOVER = 0x8064;
constexpr UINT WM_BITMAPBTN_CLICK = 0x8065;

// The pictures of a button: a file or else a picture id, for each state (empty and 0: none).
struct CBitmapButtonSet {
    CString upFile, downFile, focusFile, disabledFile;
    UINT upId = 0, downId = 0, focusId = 0, disabledId = 0;
    LOGFONT font = DefaultFont();

    // "Arial", 15 pixels, normal weight, smoothed.
    static LOGFONT DefaultFont();
};

class CHVBitmapButton : public QWidget, public CWnd {
public:
    CHVBitmapButton(LPCSTR caption, int nID, DWORD dwValue, QWidget* parent = nullptr);

    // Replaces the pictures; the up picture is required. FALSE when the up or disabled picture
    // fails; a pressed or focus picture that fails leaves that state drawing the up picture.
    BOOL LoadImages(const CBitmapButtonSet& set);
    // The size of the up picture (of the first sound one when the up picture is broken).
    void SizeToContent();

    const CString& GetCaption() const { return m_csCaption; }
    DWORD GetValue() const { return m_dwValue; }
    int GetGroup() const { return m_nGroup; }
    void SetGroup(int nGroup) { m_nGroup = nGroup; }
    // With hover on, the mouse over the button tells the parent and takes the focus.
    void SetHover(BOOL bHover) { m_bHover = bHover; }
    BOOL GetHover() const { return m_bHover; }

    // The picture a paint shows in the given state (NULL: nothing drawn).
    const CBitmapEx* PictureFor(BOOL bPressed, BOOL bFocus, BOOL bDisabled) const;
    const CBitmapEx& UpPicture() const { return m_up; }
    const CBitmapEx& DownPicture() const { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PostToParent(UINT message);

    CString m_csCaption;
    DWORD m_dwValue;
    LOGFONT m_font{};
    BOOL m_bHover = FALSE;
    int m_nGroup = 0;
    BOOL m_bPressed = FALSE;
    BOOL m_bInside = FALSE;
    CBitmapEx m_up, m_down, m_focus, m_disabled;
};
