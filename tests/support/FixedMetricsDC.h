#pragma once
// A device context whose fonts have fixed metrics, so that text layouts come out exact: every
// glyph is a fixed share of the font's em height wide, ascent and descent are fixed shares of
// it. It draws on an image of its own (with real glyphs, placed by the fixed metrics) and
// records every piece of text drawn.
//
// With the default shares a font of height -10 in MM_TEXT has glyphs 5 wide, ascent 8,
// descent 2, no leading: GetTextExtent("abc") is (15, 10).

#include "platform/ui/DC.h"

#include <QImage>

#include <vector>

class CFixedMetricsDC : public CDC {
public:
    // Percentages of the em height.
    struct CMetrics {
        int nGlyphWidth = 50;
        int nAscent = 80;
        int nDescent = 20;
        int nExternalLeading = 0;
    };

    struct CTextRecord {
        int x = 0;  // logical top-left of the text cell
        int y = 0;
        CString text;
        QString wide;  // set when the text was drawn from UTF-16
        LOGFONT lf;
        COLORREF crText = 0;
    };

    // A white surface of cx by cy device pixels at dpi logical pixels per inch.
    explicit CFixedMetricsDC(int cx = 1000, int cy = 1000, int dpi = 96);
    ~CFixedMetricsDC() override;

    void SetMetrics(const CMetrics& metrics) { m_metrics = metrics; }
    const QImage& Image() const { return m_image; }

    std::vector<CTextRecord> texts;

protected:
    CFontDeviceMetrics MeasureFont(const QFont& font) const override;
    double MeasureText(const QFont& font, const QString& text) const override;
    void OnTextDrawn(int x, int y, const CString& text, const QString& wide) override;

private:
    QImage m_image;
    CMetrics m_metrics;
};
