#include "tests/support/FixedMetricsDC.h"

#include <QString>

CFixedMetricsDC::CFixedMetricsDC(int cx, int cy, int dpi)
    : m_image(cx, cy, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
    m_image.setDotsPerMeterX(qRound(dpi / 0.0254));
    m_image.setDotsPerMeterY(qRound(dpi / 0.0254));
    AttachImage(&m_image);
}

CFixedMetricsDC::~CFixedMetricsDC()
{
    // The painter must let go of the image before the image goes.
    DeleteDC();
}

CDC::CFontDeviceMetrics CFixedMetricsDC::MeasureFont(const QFont& font) const
{
    const double em = font.pixelSize();
    CFontDeviceMetrics m;
    m.ascent = em * m_metrics.nAscent / 100.0;
    m.descent = em * m_metrics.nDescent / 100.0;
    m.externalLeading = em * m_metrics.nExternalLeading / 100.0;
    m.aveCharWidth = em * m_metrics.nGlyphWidth / 100.0;
    m.maxCharWidth = m.aveCharWidth;
    return m;
}

double CFixedMetricsDC::MeasureText(const QFont& font, const QString& text) const
{
    return text.size() * font.pixelSize() * m_metrics.nGlyphWidth / 100.0;
}

void CFixedMetricsDC::OnTextDrawn(int x, int y, const CString& text, const QString& wide)
{
    texts.push_back(CTextRecord{x, y, text, wide, GetCurrentLogFont(), GetTextColor()});
}
