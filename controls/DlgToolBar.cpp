#include "controls/DlgToolBar.h"

#include "controls/SymbolPalettes.h"
#include "platform/core/CodePage.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"
#include "render/FontMgr.h"
#include "res/ids/FloatEditTB.h"
#include "res/toolbars/Toolbars.h"

#include <QPainter>
#include <QToolButton>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxTipLength = 80;

// A toolbar button that, given a symbol, draws it over itself.
class CBarButton : public QToolButton {
public:
    CBarButton(CDlgToolBar* bar) : QToolButton(bar), m_pBar(bar) {}
    const SymbolEntry* symbol = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QToolButton::paintEvent(e);
        if (!symbol)
            return;
        QPainter p(this);
        p.setFont(m_pBar->SymbolFont(*symbol));
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        const QString text(QChar(static_cast<char16_t>(cp1252::ToUnicode(static_cast<unsigned char>(symbol->code)))));
        const QRect r = rect();
        // The reaction arrow stands high in its cell; it is drawn from near the top.
        if (std::strcmp(symbol->face, "QVchemA") == 0 && symbol->code == 38)
            p.drawText(r.adjusted(-6, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
        else
            p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
    }

private:
    CDlgToolBar* m_pBar;
};

const ToolbarResource* FindToolbar(UINT nID)
{
    for (const ToolbarResource& t : kToolbarResources)
        if (t.id == nID)
            return &t;
    return nullptr;
}

CString Cut(const CString& s)
{
    return s.GetLength() > kMaxTipLength ? s.Left(kMaxTipLength) : s;
}

} // namespace

void GetCommandTexts(UINT nID, CString& status, CString& tip)
{
    status.Empty();
    tip.Empty();
    // The toggle among the symbols' ids is no symbol and has a text of its own.
    if (const SymbolEntry* e = nID >= ID_SYMBOL_FIRST && nID <= ID_SYMBOL_LAST ? FindSymbol(nID) : nullptr) {
        status = tip = Cut(e->name);
        return;
    }
    const char* text = CStringTable::Find(nID);
    if (!text)
        return;
    const char* nl = std::strchr(text, '\n');
    status = Cut(nl ? CString(text, static_cast<int>(nl - text)) : CString(text));
    tip = Cut(nl ? CString(nl + 1) : CString());
}

CDlgToolBar::CDlgToolBar(QWidget* parent) : QToolBar(parent), CWnd(this)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

BOOL CDlgToolBar::Load(UINT nIDResource)
{
    const ToolbarResource* res = FindToolbar(nIDResource);
    if (!res)
        return FALSE;
    clear();
    m_buttons.clear();
    m_szButton = CSize(static_cast<int>(res->width) + 7, static_cast<int>(res->height) + 7);
    setIconSize(QSize(static_cast<int>(res->width), static_cast<int>(res->height)));

    QImage strip;
    LoadResourceImage(nIDResource, strip);
    int pictures = 0;
    for (unsigned i = 0; i < res->count; ++i)
        pictures += res->ids[i] != 0;
    // A strip drawn at twice the size is shown sharp on scaled screens.
    const qreal ratio = pictures && !strip.isNull() ? qreal(strip.width()) / (pictures * res->width) : 1.0;
    int picture = 0;
    for (unsigned i = 0; i < res->count; ++i) {
        Button b;
        b.id = res->ids[i];
        if (b.id == 0) {
            b.place = addSeparator();
            m_buttons.push_back(b);
            continue;
        }
        b.action = CreateCommandAction(this, b.id, "");
        CString status, tip;
        GetCommandTexts(b.id, status, tip);
        b.action->setToolTip(ToQString(tip));
        b.action->setStatusTip(ToQString(status));
        if (!strip.isNull() && ratio > 0) {
            const int w = qRound(res->width * ratio), h = qRound(res->height * ratio);
            QImage one = strip.copy(picture * w, 0, w, h);
            one.setDevicePixelRatio(ratio);
            b.action->setIcon(QIcon(QPixmap::fromImage(one)));
        }
        ++picture;
        auto* button = new CBarButton(this);
        button->setDefaultAction(b.action);
        button->setAutoRaise(true);
        button->setFixedSize(m_szButton.cx, m_szButton.cy);
        button->setIconSize(iconSize());
        b.button = button;
        b.place = addWidget(button);
        m_buttons.push_back(b);
    }
    return TRUE;
}

void CDlgToolBar::SetSymbolButtons(const SymbolEntry* pEntries, int nCount)
{
    for (int i = 0; i < GetButtonCount() && i < nCount; ++i) {
        Button& b = m_buttons[i];
        if (!b.button)
            continue;
        b.id = pEntries[i].id;
        b.symbol = &pEntries[i];
        SetActionCommandId(b.action, b.id);
        b.action->setToolTip(ToQString(Cut(pEntries[i].name)));
        b.action->setStatusTip(ToQString(Cut(pEntries[i].name)));
        static_cast<CBarButton*>(b.button)->symbol = b.symbol;
        // The click runs the entry's id, not the one the button was made with.
        QObject::disconnect(b.action, &QAction::triggered, nullptr, nullptr);
        const UINT id = b.id;
        QObject::connect(b.action, &QAction::triggered, NotifyContext(), [this, id] { OnCommand(id); });
    }
    m_bSymbolMode = TRUE;
    update();
}

UINT CDlgToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_buttons[nIndex].id : 0;
}

QToolButton* CDlgToolBar::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_buttons[nIndex].button : nullptr;
}

QAction* CDlgToolBar::GetButtonAction(int nIndex) const
{
    return GetButton(nIndex) ? m_buttons[nIndex].action : nullptr;
}

const SymbolEntry* CDlgToolBar::GetSymbol(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_buttons[nIndex].symbol : nullptr;
}

void CDlgToolBar::SetButtonControl(int nIndex, QWidget* control, int nWidth)
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return;
    Button& b = m_buttons[nIndex];
    control->setFixedWidth(nWidth);
    QAction* placed = insertWidget(b.place, control);
    removeAction(b.place);
    delete b.button;
    delete b.action;
    b.button = nullptr;
    b.action = nullptr;
    b.place = placed;
}

const QFont& CDlgToolBar::SymbolFont(const SymbolEntry& entry)
{
    if (!m_pFontOf || std::strcmp(m_pFontOf->face, entry.face) != 0 || m_pFontOf->height != entry.height ||
        m_pFontOf->weight != entry.weight || m_pFontOf->charset != entry.charset) {
        m_symbolFont = QFont(ToQString(entry.face));
        m_symbolFont.setPixelSize(std::abs(entry.height));
        m_symbolFont.setWeight(static_cast<QFont::Weight>(entry.weight));
        m_symbolFont.setStyleStrategy(QFont::PreferAntialias);
        m_pFontOf = &entry;
    }
    return m_symbolFont;
}

void CDlgToolBar::OnIdleUpdateCmdUI()
{
    if (!isVisible())
        return;
    CWnd* parent = GetParent();
    UpdateCommandActions(this, parent ? static_cast<CCmdTarget*>(parent) : this, TRUE);
}

BOOL CDlgToolBar::OnCommand(UINT nID)
{
    CWnd* parent = GetParent();
    return parent ? parent->OnCommand(nID) : CWnd::OnCommand(nID);
}

BOOL CDlgToolBar::OnChildNotify(UINT nID, UINT nCode, void* pExtra)
{
    CWnd* parent = GetParent();
    return parent ? parent->OnChildNotify(nID, nCode, pExtra) : CWnd::OnChildNotify(nID, nCode, pExtra);
}
