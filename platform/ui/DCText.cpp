// CDC: fonts, text metrics, text output and DrawText layout.

#include "platform/ui/DC.h"

#include "platform/ui/QtString.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace {

// Qt would expand tabs and break lines at line feeds; here every control character is one
// blank, as a single line of the platform's text output shows it.
QString DrawString(const std::string& bytes)
{
    QString s = ToQString(CString(bytes));
    for (QChar& c : s)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return s;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// "&&" becomes "&", a single "&" is dropped (it marks a mnemonic, which is not underlined).
std::string StripPrefixes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.pop_back();
    return s;
}

bool SameLogFont(const LOGFONT& a, const LOGFONT& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
           a.lfCharSet == b.lfCharSet && a.lfQuality == b.lfQuality &&
           a.lfPitchAndFamily == b.lfPitchAndFamily && std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

QFont::StyleHint StyleHintOf(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::TypeWriter;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

// A font as a device measures it. Text is measured word by word, measured again before it is
// drawn, and the same words come back row after row: each font keeps its metrics and the widths
// it has measured. Per thread, as the fonts selected are.
struct CMeasuredFont {
    QFont font;
    int nDpiX = 0;  // of the measuring device; 0: the screen
    int nDpiY = 0;
    std::unique_ptr<QFontMetricsF> pMetrics;
    std::unordered_map<QString, double> widths;
};

constexpr size_t kMeasuredFonts = 64;
constexpr size_t kMeasuredWidths = 65536;

CMeasuredFont& MeasuredFont(const QFont& font, const QPaintDevice* device)
{
    thread_local std::vector<std::unique_ptr<CMeasuredFont>> fonts;
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    for (auto it = fonts.rbegin(); it != fonts.rend(); ++it)
        if ((*it)->nDpiX == dpiX && (*it)->nDpiY == dpiY && (*it)->font == font)
            return **it;
    if (fonts.size() >= kMeasuredFonts)
        fonts.erase(fonts.begin());
    auto measured = std::make_unique<CMeasuredFont>();
    measured->font = font;
    measured->nDpiX = dpiX;
    measured->nDpiY = dpiY;
    measured->pMetrics =
        std::make_unique<QFontMetricsF>(device ? QFontMetricsF(font, device) : QFontMetricsF(font));
    fonts.push_back(std::move(measured));
    return *fonts.back();
}

// Rectangles may come from anywhere: positions are worked out wide and held to what an int takes.
int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

// Fonts realised for the device.

CDC::CFontDeviceMetrics CDC::MeasureFont(const QFont& font) const
{
    const QFontMetricsF& fm = *MeasuredFont(font, MeasureDevice()).pMetrics;
    CFontDeviceMetrics m;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.externalLeading = std::max(0.0, fm.leading());
    m.aveCharWidth = fm.averageCharWidth();
    m.maxCharWidth = fm.maxWidth();
    return m;
}

double CDC::MeasureText(const QFont& font, const QString& text) const
{
    CMeasuredFont& measured = MeasuredFont(font, MeasureDevice());
    const auto it = measured.widths.find(text);
    if (it != measured.widths.end())
        return it->second;
    const double width = measured.pMetrics->horizontalAdvance(text);
    if (measured.widths.size() >= kMeasuredWidths)
        measured.widths.clear();
    measured.widths.emplace(text, width);
    return width;
}

const CDC::CRealFont& CDC::RealFont() const
{
    const LOGFONT& lf = m_state.lf;
    const double scaleY = std::abs(ScaleY());
    const int dpiY = m_state.nStockPoints ? CurrentCaps().nDpiY : 0;
    if (m_pRealFont && SameLogFont(m_pRealFont->lf, lf) && m_pRealFont->nStockPoints == m_state.nStockPoints &&
        m_pRealFont->dScaleY == scaleY && m_pRealFont->nDpiY == dpiY)
        return *m_pRealFont;

    // A row's text, its bold word, the next row's: the same few fonts are selected over and over,
    // and what a LOGFONT makes on a device is made once per thread.
    struct CMade {
        CRealFont real;
        const std::type_info* pMeasuredBy = nullptr;  // a kind of DC may measure fonts its own way
        int nDpiX = 0;                                 // of the measuring device
        int nDpiY = 0;
    };
    thread_local std::vector<CMade> made;
    const QPaintDevice* device = MeasureDevice();
    const int deviceDpiX = device ? device->logicalDpiX() : 0;
    const int deviceDpiY = device ? device->logicalDpiY() : 0;
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        const CRealFont& r = it->real;
        if (it->pMeasuredBy == &typeid(*this) && it->nDpiX == deviceDpiX && it->nDpiY == deviceDpiY &&
            SameLogFont(r.lf, lf) &&
            r.nStockPoints == m_state.nStockPoints && r.dScaleY == scaleY && r.nDpiY == dpiY) {
            m_pRealFont = std::make_unique<CRealFont>(r);
            return *m_pRealFont;
        }
    }

    auto real = std::make_unique<CRealFont>();
    real->lf = lf;
    real->nStockPoints = m_state.nStockPoints;
    real->dScaleY = scaleY;
    real->nDpiY = dpiY;

    QFont font;
    const QString face = ToQString(CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE))));
    if (!face.isEmpty())
        font.setFamily(face);
    font.setStyleHint(StyleHintOf(lf.lfPitchAndFamily));
    if ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH)
        font.setFixedPitch(true);
    font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // Text is measured word by word and drawn line by line: both must add up the same.
    font.setKerning(false);
    if (lf.lfQuality == 3)
        font.setStyleStrategy(QFont::NoAntialias);

    // The em height in device pixels: a negative height is the character height, a positive
    // one the cell height (ascent plus descent), 0 a default size.
    double em;
    if (m_state.nStockPoints)
        em = MulDiv(m_state.nStockPoints, dpiY, 72);
    else if (lf.lfHeight < 0)
        em = -static_cast<double>(lf.lfHeight) * scaleY;
    else if (lf.lfHeight > 0) {
        font.setPixelSize(100);
        const CFontDeviceMetrics ref = MeasureFont(font);
        const double cell = ref.ascent + ref.descent;
        em = lf.lfHeight * scaleY * (cell > 0 ? 100.0 / cell : 1.0);
    } else
        em = MulDiv(12, CurrentCaps().nDpiY, 72);
    // A height read from a profile or a file can be anything; the font system is asked for
    // nothing beyond what a device could ever show.
    font.setPixelSize(qRound(std::clamp(em, 1.0, static_cast<double>(kMaxFontPixels))));
    real->font = font;
    real->metrics = MeasureFont(font);
    if (made.size() >= kMeasuredFonts)
        made.erase(made.begin());
    made.push_back({*real, &typeid(*this), deviceDpiX, deviceDpiY});
    m_pRealFont = std::move(real);
    return *m_pRealFont;
}

int CDC::HeightToLogical(int nDevice) const
{
    return MulDiv(nDevice, std::abs(m_state.szWindowExt.cy), std::abs(m_state.szViewportExt.cy));
}

int CDC::WidthToLogical(int nDevice) const
{
    return MulDiv(nDevice, std::abs(m_state.szWindowExt.cx), std::abs(m_state.szViewportExt.cx));
}

double CDC::LogicalWidth(const std::string& bytes) const
{
    if (bytes.empty())
        return 0;
    const CRealFont& real = RealFont();
    return MeasureText(real.font, DrawString(bytes)) / std::abs(ScaleX());
}

CString CDC::GetTextFace() const
{
    return CString(m_state.lf.lfFaceName, static_cast<int>(strnlen(m_state.lf.lfFaceName, LF_FACESIZE)));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* lpMetrics) const
{
    if (!lpMetrics)
        return FALSE;
    const CRealFont& real = RealFont();
    const CFontDeviceMetrics& m = real.metrics;
    const int ascent = qRound(m.ascent);
    const int descent = qRound(m.descent);
    TEXTMETRIC tm;
    tm.tmAscent = HeightToLogical(ascent);
    tm.tmDescent = HeightToLogical(descent);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = HeightToLogical(std::max(0, ascent + descent - real.font.pixelSize()));
    tm.tmExternalLeading = HeightToLogical(qRound(m.externalLeading));
    tm.tmAveCharWidth = WidthToLogical(qRound(m.aveCharWidth));
    tm.tmMaxCharWidth = WidthToLogical(qRound(m.maxCharWidth));
    tm.tmWeight = m_state.lf.lfWeight ? m_state.lf.lfWeight : FW_NORMAL;
    const CDeviceCaps caps = CurrentCaps();
    tm.tmDigitizedAspectX = caps.nDpiX;
    tm.tmDigitizedAspectY = caps.nDpiY;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = '?';
    tm.tmBreakChar = ' ';
    tm.tmItalic = m_state.lf.lfItalic;
    tm.tmUnderlined = m_state.lf.lfUnderline;
    tm.tmStruckOut = m_state.lf.lfStrikeOut;
    tm.tmPitchAndFamily = static_cast<BYTE>((m_state.lf.lfPitchAndFamily & 0xF0) |
                                            ((m_state.lf.lfPitchAndFamily & 0x03) == FIXED_PITCH ? 0 : TMPF_FIXED_PITCH));
    tm.tmCharSet = m_state.lf.lfCharSet;
    *lpMetrics = tm;
    return TRUE;
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    if (!lpszString)
        return CSize(0, 0);
    if (nCount < 0)
        nCount = static_cast<int>(std::strlen(lpszString));
    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    return CSize(qRound(LogicalWidth(std::string(lpszString, nCount))), tm.tmHeight);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextExtentExPoint(LPCSTR lpszString, int nCount, int nMaxExtent, int* lpnFit, int* alpDx,
                               SIZE* lpSize) const
{
    if (!lpszString)
        return FALSE;
    if (nCount < 0)
        nCount = static_cast<int>(std::strlen(lpszString));
    int fit = 0;
    bool fitting = true;
    for (int i = 1; i <= nCount; ++i) {
        const int extent = qRound(LogicalWidth(std::string(lpszString, i)));
        if (alpDx)
            alpDx[i - 1] = extent;
        if (fitting && extent <= nMaxExtent)
            fit = i;
        else
            fitting = false;
        if (!alpDx && !fitting)
            break;
    }
    if (lpnFit)
        *lpnFit = fit;
    if (lpSize)
        *lpSize = GetTextExtent(lpszString, nCount);
    return TRUE;
}

// Text output.

int CDC::DrawTextAt(int x, int y, const std::string& text, bool bAlign, const QRegion* pClip)
{
    return DrawStringAt(x, y, DrawString(text), CString(text), bAlign, pClip);
}

int CDC::DrawStringAt(int x, int y, const QString& s, const CString& recorded, bool bAlign, const QRegion* pClip,
                      bool bWide)
{
    const CRealFont& real = RealFont();
    const double width = s.isEmpty() ? 0.0 : MeasureText(real.font, s);
    const int ascent = qRound(real.metrics.ascent);
    const int height = ascent + qRound(real.metrics.descent);

    double dx = std::clamp(XToDevice(x), -kFarDevice, kFarDevice);
    double top = std::clamp(YToDevice(y), -kFarDevice, kFarDevice);
    // The recorded position follows the alignment in logical units.
    const int sx = ScaleX() < 0 ? -1 : 1;
    const int sy = ScaleY() < 0 ? -1 : 1;
    const double logicalWidth = width / std::abs(ScaleX());
    long long xCell = x, yCell = y;
    if (bAlign) {
        const UINT align = m_state.nTextAlign;
        if ((align & TA_CENTER) == TA_CENTER) {
            dx -= width / 2;
            xCell -= sx * qRound(logicalWidth / 2);
        } else if (align & TA_RIGHT) {
            dx -= width;
            xCell -= sx * qRound(logicalWidth);
        }
        if ((align & TA_BASELINE) == TA_BASELINE) {
            top -= ascent;
            yCell -= sy * HeightToLogical(ascent);
        } else if (align & TA_BOTTOM) {
            top -= height;
            yCell -= sy * HeightToLogical(height);
        }
    }
    OnTextDrawn(ClampToInt(xCell), ClampToInt(yCell), recorded, bWide ? s : QString());

    QPainter* p = GetPainter();
    if (p) {
        ApplyClip(*p, pClip);
        if (m_state.nBkMode == OPAQUE && width > 0)
            p->fillRect(QRectF(dx, top, width, height), ColorFromRef(m_state.crBk));
        p->setFont(real.font);
        p->setPen(ColorFromRef(m_state.crText));
        p->drawText(QPointF(dx, top + ascent), s);
    }
    return qRound(logicalWidth);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    if (!lpszString)
        return FALSE;
    if (nCount < 0)
        nCount = static_cast<int>(std::strlen(lpszString));
    const bool updateCp = (m_state.nTextAlign & TA_UPDATECP) != 0;
    if (updateCp) {
        x = m_state.ptCurrent.x;
        y = m_state.ptCurrent.y;
    }
    const int width = DrawTextAt(x, y, std::string(lpszString, nCount), true, nullptr);
    if (updateCp)
        m_state.ptCurrent.x = ClampToInt(static_cast<long long>(m_state.ptCurrent.x) + (ScaleX() < 0 ? -width : width));
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

CSize CDC::GetTextExtentW(const char16_t* text, int nCount) const
{
    if (!text || nCount <= 0)
        return CSize(0, 0);
    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    const QString s = QString::fromUtf16(text, nCount);
    return CSize(qRound(MeasureText(RealFont().font, s) / std::abs(ScaleX())), tm.tmHeight);
}

BOOL CDC::TextOutW(int x, int y, const char16_t* text, int nCount)
{
    if (!text || nCount < 0)
        return FALSE;
    const QString s = QString::fromUtf16(text, nCount);
    DrawStringAt(x, y, s, FromQString(s), true, nullptr, true);
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, const RECT* lpRect, LPCSTR lpszString, UINT nCount)
{
    QRegion clip;
    if (lpRect) {
        const QRect rc = RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
        if (nOptions & ETO_OPAQUE)
            FillDevice(rc, ColorFromRef(m_state.crBk));
        clip = QRegion(rc);
    }
    if (!lpszString || nCount == 0)
        return TRUE;
    DrawTextAt(x, y, std::string(lpszString, nCount), true, (lpRect && (nOptions & ETO_CLIPPED)) ? &clip : nullptr);
    return TRUE;
}

// DrawText.

double CDC::TabWidth() const
{
    // Tab stops every eight average character widths.
    return 8.0 * RealFont().metrics.aveCharWidth / std::abs(ScaleX());
}

double CDC::LineWidth(const std::string& line, bool bExpandTabs, double dTabWidth,
                      std::vector<std::pair<double, std::string>>* pSegments, double dStart) const
{
    if (!bExpandTabs || line.find('\t') == std::string::npos) {
        if (pSegments)
            pSegments->emplace_back(dStart, line);
        return dStart + LogicalWidth(line);
    }
    double pos = dStart;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        const std::string piece = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (pSegments && !piece.empty())
            pSegments->emplace_back(pos, piece);
        pos += LogicalWidth(piece);
        if (tab == std::string::npos)
            break;
        pos = dTabWidth > 0 ? (std::floor(pos / dTabWidth + 1e-9) + 1) * dTabWidth : pos;
        start = tab + 1;
    }
    return pos;
}

std::vector<CDC::CTextLine> CDC::LayoutText(const std::string& text, UINT nFormat, int nWidth) const
{
    const bool expandTabs = (nFormat & DT_EXPANDTABS) != 0;
    const double tabWidth = expandTabs ? TabWidth() : 0;
    auto width = [&](const std::string& s) { return LineWidth(s, expandTabs, tabWidth, nullptr); };
    // How far from the edge a line's grown width is trusted without measuring the whole line.
    const double slack = 2.0 * RealFont().metrics.aveCharWidth / std::abs(ScaleX()) + 2.0;

    std::vector<std::string> paragraphs;
    if (nFormat & DT_SINGLELINE) {
        paragraphs.push_back(text);
    } else {
        std::string cur;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                paragraphs.push_back(cur);
                cur.clear();
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
            } else {
                cur += c;
            }
        }
        // A line break at the very end closes the last line; it starts no empty one after it.
        const char last = text.empty() ? '\0' : text.back();
        if (last != '\r' && last != '\n')
            paragraphs.push_back(cur);
    }

    std::vector<CTextLine> lines;
    const bool wordBreak = (nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE);
    for (const std::string& para : paragraphs) {
        if (!wordBreak) {
            lines.push_back(CTextLine{para, width(para)});
            continue;
        }
        // Greedy filling; the blanks where a line breaks are dropped, and a word wider than the
        // whole line stands alone on its line. A line's width grows by what each word adds, which
        // is exact but for a hair where pieces join; only near the edge is the whole line measured,
        // so that a long paragraph is not measured again for every word.
        std::string line;
        double lineWidth = 0;
        bool hasWord = false;
        size_t i = 0;
        while (i < para.size()) {
            size_t end = i;
            while (end < para.size() && IsBlank(para[end]))
                ++end;
            const size_t wordStart = end;
            while (end < para.size() && !IsBlank(para[end]))
                ++end;
            if (wordStart == end)
                break;  // only blanks are left
            const std::string piece = para.substr(i, end - i);  // the blanks before the word and the word
            i = end;
            if (!hasWord) {
                line = piece;
                lineWidth = width(line);
                hasWord = true;
                continue;
            }
            double grown = LineWidth(piece, expandTabs, tabWidth, nullptr, lineWidth);
            bool fits = grown < nWidth - slack;
            if (!fits) {
                grown = width(line + piece);
                fits = qRound(grown) <= nWidth;
            }
            if (fits) {
                line += piece;
                lineWidth = grown;
            } else {
                const std::string done = TrimRight(line);
                lines.push_back(CTextLine{done, width(done)});
                line = para.substr(wordStart, end - wordStart);
                lineWidth = width(line);
            }
        }
        const std::string done = hasWord ? TrimRight(line) : std::string();
        lines.push_back(CTextLine{done, width(done)});
    }

    if (nFormat & DT_PATH_ELLIPSIS) {
        for (CTextLine& line : lines) {
            if (qRound(line.width) <= nWidth)
                continue;
            line.text = PathEllipsisText(line.text, nWidth, width);
            line.width = width(line.text);
        }
    }
    if (nFormat & DT_END_ELLIPSIS) {
        for (CTextLine& line : lines) {
            if (qRound(line.width) <= nWidth)
                continue;
            // The longest head that fits with the dots, found by halving: a width grows with
            // the head, and cutting one character at a time would measure a long line over and
            // over.
            const std::string& full = line.text;
            auto fits = [&](size_t n) { return qRound(width(full.substr(0, n) + "...")) <= nWidth; };
            size_t lo = 0;
            size_t hi = full.size();
            while (lo < hi) {
                const size_t mid = lo + (hi - lo + 1) / 2;
                if (fits(mid))
                    lo = mid;
                else
                    hi = mid - 1;
            }
            line.text = full.substr(0, lo) + "...";
            line.width = width(line.text);
        }
    }
    return lines;
}

std::string PathEllipsisText(const std::string& text, int nWidth,
                             const std::function<double(const std::string&)>& measure)
{
    auto fitsWidth = [&](const std::string& s) { return qRound(measure(s)) <= nWidth; };
    if (fitsWidth(text))
        return text;
    size_t slash = text.find_last_of("/\\");
    // Without a folder part there is no middle: the end gives way.
    const std::string tail = slash == std::string::npos ? std::string() : text.substr(slash);
    const std::string head = slash == std::string::npos ? text : text.substr(0, slash);
    if (!fitsWidth("..." + tail)) {
        // Not even the last name fits: it is kept from its start as far as it goes.
        std::string last = slash == std::string::npos ? text : text.substr(slash + 1);
        size_t lo = 0;
        size_t hi = last.size();
        while (lo < hi) {
            size_t mid = lo + (hi - lo + 1) / 2;
            if (fitsWidth("..." + last.substr(0, mid)))
                lo = mid;
            else
                hi = mid - 1;
        }
        return "..." + last.substr(0, lo);
    }
    // The longest head that fits, by halving (the width grows with the head).
    size_t lo = 0;
    size_t hi = head.size();
    while (lo < hi) {
        size_t mid = lo + (hi - lo + 1) / 2;
        if (fitsWidth(head.substr(0, mid) + "..." + tail))
            lo = mid;
        else
            hi = mid - 1;
    }
    return head.substr(0, lo) + "..." + tail;
}

int CDC::DrawText(LPCSTR lpszString, int nCount, RECT* lpRect, UINT nFormat)
{
    if (!lpszString || !lpRect)
        return 0;
    if (nCount < 0)
        nCount = static_cast<int>(std::strlen(lpszString));
    if (nCount == 0) {
        if (nFormat & DT_CALCRECT) {
            lpRect->right = lpRect->left;
            lpRect->bottom = lpRect->top;
        }
        return 0;
    }
    std::string text(lpszString, nCount);
    if (!(nFormat & DT_NOPREFIX))
        text = StripPrefixes(text);

    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight + ((nFormat & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    // Lines go down the page: towards larger y in MM_TEXT, smaller y where y grows upward.
    const int down = ScaleY() < 0 ? -1 : 1;
    const long long left = lpRect->left, right = lpRect->right;
    const int rectWidth = ClampToInt(right - left);

    const std::vector<CTextLine> lines = LayoutText(text, nFormat, rectWidth);
    const long long total = static_cast<long long>(down) * lineHeight * static_cast<long long>(lines.size());
    if (nFormat & DT_CALCRECT) {
        int widest = 0;
        for (const CTextLine& line : lines)
            widest = std::max(widest, qRound(line.width));
        lpRect->right = ClampToInt(left + widest);
        lpRect->bottom = ClampToInt(lpRect->top + total);
        return ClampToInt(total);
    }

    long long top = lpRect->top;
    if (nFormat & DT_SINGLELINE) {
        const long long height = static_cast<long long>(lpRect->bottom) - lpRect->top;
        if (nFormat & DT_VCENTER)
            top = lpRect->top + (height - down * lineHeight) / 2;
        else if (nFormat & DT_BOTTOM)
            top = static_cast<long long>(lpRect->bottom) - down * lineHeight;
    }
    QRegion clip;
    const bool clipped = !(nFormat & DT_NOCLIP);
    if (clipped)
        clip = QRegion(RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom));

    const bool expandTabs = (nFormat & DT_EXPANDTABS) != 0;
    const double tabWidth = expandTabs ? TabWidth() : 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CTextLine& line = lines[i];
        const int y = ClampToInt(top + static_cast<long long>(down) * lineHeight * static_cast<long long>(i));
        const long long lineWidth = qRound(line.width);
        long long x = left;
        if (nFormat & DT_CENTER)
            x = left + (right - left - lineWidth) / 2;
        else if (nFormat & DT_RIGHT)
            x = right - lineWidth;
        std::vector<std::pair<double, std::string>> segments;
        LineWidth(line.text, expandTabs, tabWidth, &segments);
        for (const auto& [offset, piece] : segments)
            if (!piece.empty())
                DrawTextAt(ClampToInt(x + qRound(offset)), y, piece, false, clipped ? &clip : nullptr);
    }
    return ClampToInt(top + total - lpRect->top);
}

int CDC::DrawText(const CString& str, RECT* lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}
