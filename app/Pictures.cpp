#include "app/Pictures.h"

#include <QFont>
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

QPixmap SplashPicture()
{
    const int w = 520, h = 300;
    QPixmap pm(w, h);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The right part carries the black texts, so it stays light.
    QLinearGradient light(0, 0, 0, h);
    light.setColorAt(0, QColor(250, 251, 255));
    light.setColorAt(1, QColor(226, 232, 246));
    p.fillRect(pm.rect(), light);
    QLinearGradient dark(0, 0, 260, h);
    dark.setColorAt(0, kNavy);
    dark.setColorAt(1, kTeal);
    QPainterPath left;
    left.moveTo(0, 0);
    left.lineTo(250, 0);
    left.cubicTo(290, 100, 220, 200, 262, h);
    left.lineTo(0, h);
    left.closeSubpath();
    p.fillPath(left, dark);
    // A fan of question cards.
    p.save();
    p.translate(128, 118);
    for (int i = -1; i <= 1; ++i) {
        p.save();
        p.rotate(i * 12.0);
        DrawCard(p, QRectF(-42, -52, 84, 104), kNavy, i == 1);
        p.restore();
    }
    p.restore();
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
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

QPixmap TipBulbPicture(int height)
{
    int width = height * 3 / 4;
    QPixmap pm(width, height);
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
