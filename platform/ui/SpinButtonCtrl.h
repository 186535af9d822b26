#pragma once
// A spin (up-down) button pair beside an edit, its buddy. Each press first asks the parent with
// UDN_DELTAPOS, giving the position and the proposed step (the parent may change the step or
// refuse the move), then moves the position within the range and, when told to, writes it into
// the buddy. The up arrow steps toward the upper end of the range: +1 when upper >= lower, -1
// when the range runs the other way, as with the default range (lower 100, upper 0).

#include "platform/ui/Wnd.h"

#include <QWidget>

class QToolButton;

struct NMUPDOWN {
    int iPos = 0;    // the position before the move
    int iDelta = 0;  // the proposed step; the parent may change it
    LRESULT lResult = 0;  // non-zero: the parent refuses the move
};

class CSpinButtonCtrl : public QWidget, public CWnd {
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

    void SetRange(int nLower, int nUpper);
    void SetRange32(int nLower, int nUpper) { SetRange(nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    // Returns the previous position; the position is kept inside the range.
    int SetPos(int nPos);
    // The position; with a buddy holding an integer, that integer (kept inside the range).
    int GetPos() const;
    // The edit beside the spin; with bSetBuddyInt each move writes the position into it.
    QWidget* SetBuddy(QWidget* buddy);
    QWidget* GetBuddy() const { return m_pBuddy; }
    void SetBuddyInt(BOOL bSetBuddyInt) { m_bSetBuddyInt = bSetBuddyInt; }
    // Moves past either end jump to the other end instead of stopping.
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }

    // One press of the up (bUp) or down arrow, as the buttons do it.
    void Step(BOOL bUp);

    QToolButton* GetUpButton() const { return m_pUp; }
    QToolButton* GetDownButton() const { return m_pDown; }

private:
    void WriteBuddy();

    QToolButton* m_pUp;
    QToolButton* m_pDown;
    QWidget* m_pBuddy = nullptr;
    int m_nLower = 100;
    int m_nUpper = 0;
    int m_nPos = 0;
    BOOL m_bSetBuddyInt = FALSE;
    BOOL m_bWrap = FALSE;
};
