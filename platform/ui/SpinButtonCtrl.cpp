#include "platform/ui/SpinButtonCtrl.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent) : QWidget(parent), CWnd(this)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pUp = new QToolButton(this);
    m_pDown = new QToolButton(this);
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_pUp, m_pDown}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    connect(m_pUp, &QToolButton::clicked, NotifyContext(), [this] { Step(TRUE); });
    connect(m_pDown, &QToolButton::clicked, NotifyContext(), [this] { Step(FALSE); });
}

void CSpinButtonCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    m_nPos = std::clamp(m_nPos, std::min(nLower, nUpper), std::max(nLower, nUpper));
}

void CSpinButtonCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    int old = m_nPos;
    m_nPos = std::clamp(nPos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    WriteBuddy();
    return old;
}

int CSpinButtonCtrl::GetPos() const
{
    if (m_pBuddy && m_bSetBuddyInt) {
        BOOL ok = FALSE;
        CString text = GetControlText(m_pBuddy);
        text.Trim();
        char* end = nullptr;
        long v = std::strtol(text, &end, 10);
        ok = !text.IsEmpty() && end && *end == '\0';
        if (ok)
            return std::clamp(static_cast<int>(v), std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    }
    return m_nPos;
}

QWidget* CSpinButtonCtrl::SetBuddy(QWidget* buddy)
{
    QWidget* old = m_pBuddy;
    m_pBuddy = buddy;
    return old;
}

void CSpinButtonCtrl::WriteBuddy()
{
    if (m_pBuddy && m_bSetBuddyInt)
        SetControlText(m_pBuddy, CString::Formatted("%d", m_nPos));
}

void CSpinButtonCtrl::Step(BOOL bUp)
{
    int toward = m_nUpper >= m_nLower ? 1 : -1;
    NMUPDOWN nm;
    nm.iPos = GetPos();
    nm.iDelta = bUp ? toward : -toward;
    NotifyParent(UDN_DELTAPOS, &nm);
    if (nm.lResult)
        return;
    int lo = std::min(m_nLower, m_nUpper);
    int hi = std::max(m_nLower, m_nUpper);
    long long next = static_cast<long long>(nm.iPos) + nm.iDelta;
    if (next < lo)
        next = m_bWrap ? hi : lo;
    else if (next > hi)
        next = m_bWrap ? lo : hi;
    m_nPos = static_cast<int>(next);
    WriteBuddy();
}
