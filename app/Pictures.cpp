#include "app/Pictures.h"

#include "platform/ui/ResourceImage.h"
#include "res/ids/App.h"

#include <QFont>

#include <array>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNavy(28, 42, 116);
const QColor kTeal(18, 132, 150);
const QColor kGold(236, 178, 46);

// A card of a question bank: a rounded sheet with lines and a tick box.
void DrawCard(QPainter& p, const QRectF& r, const QColor& edge, bool tick)
{
    p.setPen(QPen(edge, 1.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(170, 180, 205), 2));
    double y = r.top() + r.height() * 0.25;
    for (int i = 0; i < 3; ++i, y += r.height() * 0.2)
        p.drawLine(QPointF(r.left() + r.width() * 0.32, y), QPointF(r.right() - r.width() * 0.12, y));
    QRectF box(r.left() + r.width() * 0.1, r.top() + r.height() * 0.18, r.width() * 0.14, r.width() * 0.14);
    p.setPen(QPen(edge, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    if (tick) {
        p.setPen(QPen(kTeal, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path;
        path.moveTo(box.left() + box.width() * 0.15, box.center().y());
        path.lineTo(box.left() + box.width() * 0.45, box.bottom() - box.height() * 0.15);
        path.lineTo(box.right() + box.width() * 0.3, box.top() - box.height() * 0.2);
        p.drawPath(path);
    }
}

// A light ground with a dark band down the left whose edge curves through the x values given
// (top, two control points, bottom).
void PaintBackdrop(QPainter& p, int w, int h, QColor lightTop, QColor lightBottom, int bandWidth,
                   const std::array<double, 4>& edge)
{
    QLinearGradient light(0, 0, w, h);
    light.setColorAt(0, lightTop);
    light.setColorAt(1, lightBottom);
    p.fillRect(QRect(0, 0, w, h), light);
    QLinearGradient dark(0, 0, bandWidth, h);
    dark.setColorAt(0, kNavy);
    dark.setColorAt(1, kTeal);
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(edge[0], 0);
    band.cubicTo(edge[1], h / 3.0, edge[2], h * 2 / 3.0, edge[3], h);
    band.lineTo(0, h);
    band.closeSubpath();
    p.fillPath(band, dark);
}

// Three question cards fanned around a centre, the top one ticked.
void DrawCardFan(QPainter& p, QPointF centre, QSizeF card)
{
    p.save();
    p.translate(centre);
    for (int i = -1; i <= 1; ++i) {
        p.save();
        p.rotate(i * 12.0);
        DrawCard(p, QRectF(-card.width() / 2, -card.height() / 2, card.width(), card.height()), kNavy, i == 1);
        p.restore();
    }
    p.restore();
}

QPixmap IconPixmap(int size, unsigned nKind)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    double s = size / 32.0;
    QColor edge = nKind == 4 ? kTeal : (nKind == 102 ? QColor(110, 110, 110) : kNavy);
    DrawCard(p, QRectF(9 * s, 3 * s, 20 * s, 24 * s), edge, false);
    DrawCard(p, QRectF(4 * s, 6 * s, 20 * s, 24 * s), edge, nKind != 102);
    if (nKind == 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(kGold);
        p.drawEllipse(QPointF(25 * s, 25 * s), 5 * s, 5 * s);
    }
    return pm;
}

} // namespace

QPixmap SplashPicture(qreal dpr)
{
    const int w = 520, h = 300;
    QPixmap pm(qRound(w * dpr), qRound(h * dpr));
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The right part carries the black texts, so it stays light.
    PaintBackdrop(p, w, h, QColor(250, 251, 255), QColor(226, 232, 246), 260, {250, 290, 220, 262});
    DrawCardFan(p, QPointF(128, 118), QSizeF(84, 104));
    p.setPen(QColor(255, 255, 255));
    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(40);
    name.setBold(true);
    p.setFont(name);
    p.drawText(QRect(0, 188, 250, 50), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Corra"));
    QFont tag(QStringLiteral("Arial"));
    tag.setPixelSize(13);
    p.setFont(tag);
    p.setPen(QColor(220, 232, 255));
    p.drawText(QRect(0, 236, 250, 24), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Question banks and exams"));
    // A gold rule over the texts of the right part.
    p.setPen(QPen(kGold, 3));
    p.drawLine(285, 140, 490, 140);
    p.setPen(QPen(QColor(190, 198, 220), 1));
    p.drawRect(QRect(0, 0, w - 1, h - 1));
    return pm;
}

QPixmap TipBulbPicture(int height, qreal dpr)
{
    int width = height * 3 / 4;
    QPixmap pm(qRound(width * dpr), qRound(height * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    double s = height / 48.0;
    QRadialGradient glow(QPointF(18 * s, 16 * s), 16 * s);
    glow.setColorAt(0, QColor(255, 250, 200));
    glow.setColorAt(1, kGold);
    p.setPen(QPen(QColor(160, 110, 20), 1.5 * s));
    p.setBrush(glow);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(18 * s, 17 * s), 14 * s, 14 * s);
    p.drawPath(bulb);
    p.setBrush(QColor(150, 155, 165));
    p.setPen(QPen(QColor(90, 95, 105), 1 * s));
    p.drawRoundedRect(QRectF(11 * s, 31 * s, 14 * s, 10 * s), 2 * s, 2 * s);
    p.drawLine(QPointF(11 * s, 34.5 * s), QPointF(25 * s, 34.5 * s));
    p.drawLine(QPointF(11 * s, 37.5 * s), QPointF(25 * s, 37.5 * s));
    p.setPen(QPen(QColor(180, 120, 20), 1.5 * s));
    p.drawLine(QPointF(15 * s, 30 * s), QPointF(17 * s, 20 * s));
    p.drawLine(QPointF(21 * s, 30 * s), QPointF(19 * s, 20 * s));
    return pm;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(IconPixmap(size, 0));
    return icon;
}

QIcon DocumentIcon(unsigned nKind)
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(IconPixmap(size, nKind));
    return icon;
}

QCursor CorraCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 18);
    arrow.lineTo(5, 14);
    arrow.lineTo(8, 21);
    arrow.lineTo(11, 20);
    arrow.lineTo(8, 13);
    arrow.lineTo(13, 13);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kNavy);
    p.drawText(QRect(14, 14, 14, 16), Qt::AlignCenter, QStringLiteral("?"));
    return QCursor(pm, 1, 1);
}

QIcon MainMenuIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(2, 2 + i * 4.5, 12, 3), 1, 1);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(12.5, 12.5), 2.5, 2.5);
    return QIcon(pm);
}

namespace {

enum class ButtonState { Up, Down, Focus };

// A shape of the start screen's buttons: shaded, with a light rim; pressed darker and sunk by a
// pixel, focused with a gold ring.
// A picture of w by h logical pixels drawn for a screen of the given pixel ratio.
QImage BlankPicture(int w, int h, qreal dpr, QImage::Format format)
{
    QImage img(qRound(w * dpr), qRound(h * dpr), format);
    img.setDevicePixelRatio(dpr);
    return img;
}

QImage ButtonPicture(int w, int h, bool round, QColor top, QColor bottom, ButtonState state, qreal dpr)
{
    QImage img = BlankPicture(w, h, dpr, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF shape(2, 2, w - 4, h - 5);
    const double radius = round ? shape.width() / 2 : shape.height() / 2;
    if (state == ButtonState::Down) {
        top = top.darker(130);
        bottom = bottom.darker(130);
        shape.translate(0, 1);
    }
    // A soft shadow under the shape.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, state == ButtonState::Down ? 30 : 60));
    p.drawRoundedRect(shape.translated(0, 2), radius, radius);
    QLinearGradient fill(0, shape.top(), 0, shape.bottom());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    const QColor rim = state == ButtonState::Focus ? kGold : QColor(255, 255, 255, 210);
    const double rimWidth = state == ButtonState::Focus ? 3.0 : 1.5;
    p.setPen(QPen(rim, rimWidth));
    p.drawRoundedRect(shape.adjusted(rimWidth / 2, rimWidth / 2, -rimWidth / 2, -rimWidth / 2), radius, radius);
    // A gloss over the upper half.
    // Kept faint and high, so that the white caption stays clear over it.
    QRectF gloss = shape.adjusted(shape.width() * 0.12, 2, -shape.width() * 0.12, -shape.height() * 0.62);
    QLinearGradient shine(0, gloss.top(), 0, gloss.bottom());
    shine.setColorAt(0, QColor(255, 255, 255, state == ButtonState::Down ? 30 : 60));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    const double glossRadius = round ? gloss.width() / 2 : gloss.height() / 2;
    p.drawRoundedRect(gloss, glossRadius, glossRadius);
    return img;
}

QImage BackgroundPicture(qreal dpr)
{
    const int w = 600, h = 400;
    QImage img = BlankPicture(w, h, dpr, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The band behind the three round buttons, faint question cards in the corner no button takes.
    PaintBackdrop(p, w, h, QColor(246, 248, 253), QColor(218, 226, 243), 200, {175, 215, 150, 195});
    p.setOpacity(0.22);
    DrawCardFan(p, QPointF(268, 336), QSizeF(44, 56));
    p.setOpacity(1.0);
    // A gold rule over the title.
    p.setPen(QPen(kGold, 3));
    p.drawLine(330, 352, 590, 352);
    p.setPen(QPen(QColor(170, 180, 205), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, w - 1, h - 1));
    return img;
}

// The update box's ground: light, with the program's gold rule along the top; the picture is
// stretched over the whole box, so nothing in it may stand where panes or buttons go.
QImage UpdatePicture(qreal dpr)
{
    const int w = 420, h = 320;
    QImage img = BlankPicture(w, h, dpr, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(250, 251, 255));
    ground.setColorAt(1, QColor(222, 230, 246));
    p.fillRect(QRect(0, 0, w, h), ground);
    p.fillRect(QRect(0, 0, w, 6), kGold);
    p.fillRect(QRect(0, 6, w, 2), kNavy);
    return img;
}

} // namespace

QImage StartScreenPicture(unsigned nId, qreal dpr)
{
    // Round buttons 100 across; task ovals wide enough for two lines of the bold caption font;
    // the small ovals hold one short word.
    const QColor circleTop(52, 86, 196), circleBottom(22, 36, 110);
    const QColor navTop(34, 170, 186), navBottom(12, 104, 124);
    const QColor backTop(128, 140, 168), backBottom(76, 86, 112);
    const QColor closeTop(196, 92, 70), closeBottom(140, 50, 36);
    switch (nId) {
    case IDB_START_BACKGROUND: return BackgroundPicture(dpr);
    case IDB_UPDATE: return UpdatePicture(dpr);
    case IDB_CIRCLE_UP: return ButtonPicture(100, 100, true, circleTop, circleBottom, ButtonState::Up, dpr);
    case IDB_CIRCLE_DOWN: return ButtonPicture(100, 100, true, circleTop, circleBottom, ButtonState::Down, dpr);
    case IDB_CIRCLE_FOCUS: return ButtonPicture(100, 100, true, circleTop, circleBottom, ButtonState::Focus, dpr);
    case IDB_NAV_UP: return ButtonPicture(240, 48, false, navTop, navBottom, ButtonState::Up, dpr);
    case IDB_NAV_DOWN: return ButtonPicture(240, 48, false, navTop, navBottom, ButtonState::Down, dpr);
    case IDB_NAV_FOCUS: return ButtonPicture(240, 48, false, navTop, navBottom, ButtonState::Focus, dpr);
    case IDB_SMALL_NAV_UP: return ButtonPicture(84, 34, false, backTop, backBottom, ButtonState::Up, dpr);
    case IDB_SMALL_NAV_DOWN: return ButtonPicture(84, 34, false, backTop, backBottom, ButtonState::Down, dpr);
    case IDB_SMALL_NAV2_UP: return ButtonPicture(84, 34, false, closeTop, closeBottom, ButtonState::Up, dpr);
    case IDB_SMALL_NAV2_DOWN: return ButtonPicture(84, 34, false, closeTop, closeBottom, ButtonState::Down, dpr);
    default: return QImage();
    }
}

void RegisterStartScreenPictures(qreal dpr)
{
    for (unsigned nId : {IDB_START_BACKGROUND, IDB_CIRCLE_UP, IDB_CIRCLE_DOWN, IDB_CIRCLE_FOCUS, IDB_NAV_UP,
                         IDB_NAV_DOWN, IDB_NAV_FOCUS, IDB_SMALL_NAV2_UP, IDB_SMALL_NAV2_DOWN, IDB_SMALL_NAV_UP,
                         IDB_SMALL_NAV_DOWN, IDB_UPDATE})
        SetResourceImage(nId, StartScreenPicture(nId, dpr));
}
