#include "controls/HVBitmapButton.h"

#include "foundation/Log.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

LOGFONT CBitmapButtonSet::DefaultFont()
{
    LOGFONT lf;
    lf.lfHeight = -15;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = 4;
    SetLogFontFaceName(lf, "Arial");
    return lf;
}

CHVBitmapButton::CHVBitmapButton(LPCSTR caption, int nID, DWORD dwValue, QWidget* parent)
    : QWidget(parent), CWnd(this), m_csCaption(caption ? caption : ""), m_dwValue(dwValue),
      m_font(CBitmapButtonSet::DefaultFont())
{
    SetDlgCtrlID(nID);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(ToQString(m_csCaption).replace('\n', ' '));
    resize(100, 100);
}

namespace {

// A picture from its file, else from its id; TRUE when neither is given (nothing to load).
BOOL LoadOne(CBitmapEx& picture, const CString& file, UINT nId)
{
    if (file.IsEmpty() && nId == 0)
        return TRUE;
    return picture.LoadImage(file.IsEmpty() ? nullptr : static_cast<LPCSTR>(file),
                             nId ? MAKEINTRESOURCE(nId) : nullptr);
}

} // namespace

BOOL CHVBitmapButton::LoadImages(const CBitmapButtonSet& set)
{
    for (CBitmapEx* p : {&m_up, &m_down, &m_focus, &m_disabled})
        p->Empty();
    m_font = set.font;
    BOOL bResult = TRUE;
    if (set.upFile.IsEmpty() && set.upId == 0) {
        LogOutput("CHVBitmapButton::LoadImages() - lpszBitmapFile not set - must have at least this", 1, LOG_HERE);
        return FALSE;
    }
    if (set.upFile.IsEmpty())
        LogOutput(CString::Formatted("CHVBitmapButton::LoadImages() - no bitmap file specified for button '%s' Up - using resource",
                                     static_cast<LPCSTR>(m_csCaption)),
                  4, LOG_HERE);
    if (!LoadOne(m_up, set.upFile, set.upId)) {
        LogOutput(CString::Formatted("CHVBitmapButton::LoadImages() - failed to load lpszBitmapFile %s",
                                     static_cast<LPCSTR>(set.upFile)),
                  1, LOG_HERE);
        return FALSE;
    }
    // A pressed or focus picture that fails is dropped, so that state draws the up picture.
    if (!LoadOne(m_down, set.downFile, set.downId)) {
        LogOutput(CString::Formatted("CHVBitmapButton::LoadImages() - failed to load lpszBitmapFileSel %s",
                                     static_cast<LPCSTR>(set.downFile)),
                  1, LOG_HERE);
        m_down.Empty();
        bResult = FALSE;
    }
    if (!LoadOne(m_focus, set.focusFile, set.focusId)) {
        LogOutput(CString::Formatted("CHVBitmapButton::LoadImages() - failed to load lpszBitmapFileFocus %s",
                                     static_cast<LPCSTR>(set.focusFile)),
                  1, LOG_HERE);
        m_focus.Empty();
        bResult = FALSE;
    }
    if (!LoadOne(m_disabled, set.disabledFile, set.disabledId)) {
        LogOutput(CString::Formatted("CHVBitmapButton::LoadImages() - failed to load lpszBitmapResourceDisabled %s",
                                     static_cast<LPCSTR>(set.disabledFile)),
                  1, LOG_HERE);
        m_disabled.Empty();
        bResult = FALSE;
    }
    update();
    return bResult;
}

namespace {

BOOL HasPicture(const CBitmapEx& b)
{
    return !b.GetImage().isNull();
}

} // namespace

void CHVBitmapButton::SizeToContent()
{
    const CBitmapEx* pSize = &m_up;
    if (m_up.IsBroken()) {
        for (const CBitmapEx* p : {&m_down, &m_focus, &m_disabled}) {
            if (HasPicture(*p) && !p->IsBroken()) {
                pSize = p;
                break;
            }
        }
    }
    if (!HasPicture(*pSize)) {
        LogOutput("CHVBitmapButton::SizeToContent(HBITMAP) - bad bitmap handle", 1, LOG_HERE);
        return;
    }
    CSize size = pSize->GetSize();
    resize(size.cx, size.cy);
}

const CBitmapEx* CHVBitmapButton::PictureFor(BOOL bPressed, BOOL bFocus, BOOL bDisabled) const
{
    if (!HasPicture(m_up))
        return nullptr;
    if (bPressed && HasPicture(m_down))
        return &m_down;
    if (bFocus && HasPicture(m_focus))
        return &m_focus;
    if (bDisabled && HasPicture(m_disabled))
        return &m_disabled;
    return &m_up;
}

void CHVBitmapButton::paintEvent(QPaintEvent*)
{
    const CBitmapEx* pPicture = PictureFor(m_bPressed && m_bInside, hasFocus(), !isEnabled());
    if (!pPicture) {
        LogOutput(CString::Formatted("CHVBitmapButton::DrawItem() - m_hObject == NULL for button %s",
                                     static_cast<LPCSTR>(m_csCaption)),
                  2, LOG_HERE);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), pPicture->GetImage());
    if (pPicture->IsBroken())
        return;
    QFont font(ToQString(m_font.lfFaceName));
    font.setPixelSize(std::max(1, static_cast<int>(std::labs(m_font.lfHeight))));
    font.setWeight(m_font.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(m_font.lfItalic != 0);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(isEnabled() ? QColor(255, 255, 255) : QColor(200, 200, 200));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, ToQString(m_csCaption));
}

void CHVBitmapButton::PostToParent(UINT message)
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(message, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(m_dwValue));
}

void CHVBitmapButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (m_bPressed) {
        // Pressed only while the mouse stays over it, as a push button shows.
        BOOL bInside = rect().contains(event->position().toPoint());
        if (bInside != m_bInside) {
            m_bInside = bInside;
            update();
        }
    }
    if (m_bHover && !hasFocus()) {
        PostToParent(WM_BITMAPBTN_HOVER);
        setFocus(Qt::MouseFocusReason);
    }
}

void CHVBitmapButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_bPressed = TRUE;
    m_bInside = TRUE;
    setFocus(Qt::MouseFocusReason);
    update();
}

void CHVBitmapButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bPressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_bPressed = FALSE;
    update();
    // Dragged off the button before release: no click.
    if (rect().contains(event->position().toPoint()))
        PostToParent(WM_BITMAPBTN_CLICK);
}

void CHVBitmapButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        PostToParent(WM_BITMAPBTN_CLICK);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CHVBitmapButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CHVBitmapButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
