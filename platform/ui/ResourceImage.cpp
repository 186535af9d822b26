#include "platform/ui/ResourceImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QWidget>

#include <cmath>

#include <cstdlib>

#include <map>
#include <mutex>

namespace {
std::mutex g_mutex;
std::map<UINT, QImage>& Images()
{
    static std::map<UINT, QImage> images;
    return images;
}
} // namespace

void SetResourceImage(UINT nId, const QImage& image)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (image.isNull())
        Images().erase(nId);
    else
        Images()[nId] = image;
}

BOOL LoadResourceImage(UINT nId, QImage& image)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = Images().find(nId);
        if (it != Images().end()) {
            image = it->second;
            return TRUE;
        }
    }
    image = QImage(QStringLiteral(":/bitmaps/%1.png").arg(nId));
    return !image.isNull();
}

BOOL LoadResourceImage(LPCSTR name, QImage& image)
{
    image = QImage();
    if (!name)
        return FALSE;
    if (IS_INTRESOURCE(name))
        return LoadResourceImage(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name)), image);
    if (name[0] != '#' || name[1] < '0' || name[1] > '9')
        return FALSE;
    char* end = nullptr;
    const unsigned long id = std::strtoul(name + 1, &end, 10);
    if (*end != '\0' || id > 0xFFFF)
        return FALSE;
    return LoadResourceImage(static_cast<UINT>(id), image);
}

QPixmap StockPicturePixmap(StockPicture kind, int nSize, qreal ratio)
{
    // Drawn rather than scaled from a bitmap of one size: a picture scaled up to the pixel
    // ratio is blurred.
    ratio = ratio > 0 ? ratio : 1.0;
    const int device = static_cast<int>(std::ceil(nSize * ratio));
    QPixmap pixmap(device, device);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = nSize;
    const qreal edge = std::max<qreal>(1.0, s / 24.0);
    switch (kind) {
    case StockPicture::Warning: {
        QPainterPath triangle;
        triangle.moveTo(s / 2, edge + 1);
        triangle.lineTo(s - edge - 0.5, s - edge - 2);
        triangle.lineTo(edge + 0.5, s - edge - 2);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(0x4A, 0x3C, 0x00), edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xFF, 0xD5, 0x00));
        p.drawPath(triangle);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(s * 0.455, s * 0.34, s * 0.09, s * 0.32), s * 0.04, s * 0.04);
        p.drawEllipse(QPointF(s * 0.5, s * 0.76), s * 0.055, s * 0.055);
        break;
    }
    case StockPicture::Error: {
        p.setPen(QPen(QColor(0x8E, 0x10, 0x10), edge));
        p.setBrush(QColor(0xD3, 0x2F, 0x2F));
        p.drawEllipse(QRectF(edge, edge, s - 2 * edge, s - 2 * edge));
        p.setPen(QPen(Qt::white, s / 9.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.34, s * 0.34), QPointF(s * 0.66, s * 0.66));
        p.drawLine(QPointF(s * 0.66, s * 0.34), QPointF(s * 0.34, s * 0.66));
        break;
    }
    case StockPicture::Information: {
        p.setPen(QPen(QColor(0x10, 0x3E, 0x8A), edge));
        p.setBrush(QColor(0x1E, 0x63, 0xC4));
        p.drawEllipse(QRectF(edge, edge, s - 2 * edge, s - 2 * edge));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(s * 0.5, s * 0.29), s * 0.07, s * 0.07);
        p.drawRoundedRect(QRectF(s * 0.44, s * 0.42, s * 0.12, s * 0.34), s * 0.03, s * 0.03);
        break;
    }
    }
    return pixmap;
}
