#include "print/ExamBands.h"

#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/UserFormat.h"
#include "platform/core/FileSys.h"
#include "platform/ui/DC.h"
#include "print/PageFrame.h"
#include "render/Dib.h"
#include "render/FontMgr.h"

#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>

namespace exambands {

namespace {

// Puts an item at its place unless one stands there already or the place is not one of the six.
void Place(CBandItem out[kPlaces], BOOL bShown, int nPlace, const CString& text, int nSlot)
{
    if (!bShown || nPlace < 0 || nPlace >= kPlaces || !out[nPlace].IsEmpty())
        return;
    out[nPlace].text = text;
    out[nPlace].nSlot = nSlot;
}

// The heights of the top and the bottom line: each the tallest of its items.
void LineHeights(CDC* pDC, const CBandItem items[kPlaces], int& top, int& bottom)
{
    top = bottom = 0;
    for (int i = 0; i < kPlaces; ++i) {
        if (items[i].IsEmpty())
            continue;
        int& line = i < 3 ? top : bottom;
        line = std::max(line, pageframe::SlotLineHeight(pDC, items[i].nSlot));
    }
}

int OnePercent(const CRect& rectDraw)
{
    return static_cast<int>(pageframe::HeightOf(rectDraw) * 0.01);
}

void DrawItems(CDC* pDC, const CRect& band, const CBandItem items[kPlaces])
{
    int top = 0, bottom = 0;
    LineHeights(pDC, items, top, bottom);
    const int down = pageframe::Down(pDC);
    const UINT across[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < kPlaces; ++i) {
        if (items[i].IsEmpty() || items[i].text.IsEmpty())
            continue;
        // The top row against the band's top edge, the bottom row against its bottom edge (a
        // header as high as its image leaves room between them).
        const CRect line = i < 3 ? CRect(band.left, band.top, band.right, band.top + down * top)
                                 : CRect(band.left, band.bottom - down * bottom, band.right, band.bottom);
        CRect clip = line;
        clip.NormalizeRect();
        const int saved = pDC->SaveDC();
        pDC->IntersectClipRect(clip.left, clip.top, clip.right, clip.bottom);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CRect r = line;
        CFontMgr::DrawTextInSlotFont(pDC, items[i].text, -1, &r, DT_SINGLELINE | DT_NOPREFIX | across[i % 3],
                                     items[i].nSlot);
        pDC->SetBkMode(oldMode);
        pDC->RestoreDC(saved);
    }
}

// Larger pictures are refused rather than read whole for a band of at most 30% of a page.
constexpr long long kMaxImagePixels = 40LL * 1000 * 1000;

// The pixel size of an image file; empty when it cannot be read or is too large (logged once
// per file and time of change: the header asks on every page).
CSize ImagePixels(const CString& file)
{
    struct Known {
        std::time_t changed;
        CSize size;
    };
    static std::map<CString, Known> known;
    const std::time_t changed = fsys::GetModTime(file);
    auto it = known.find(file);
    if (it != known.end() && it->second.changed == changed)
        return it->second.size;
    QImageReader reader(QString::fromLocal8Bit(file.GetString()));
    const QSize size = reader.size();
    CSize out;
    if (!size.isValid() || size.isEmpty())
        LogOutput("exambands::HeaderImageRect() - cannot read the header image " + file, LOG_ERROR, LOG_HERE);
    else if (static_cast<long long>(size.width()) * size.height() > kMaxImagePixels)
        LogOutput("exambands::HeaderImageRect() - the header image is too large " + file, LOG_ERROR, LOG_HERE);
    else
        out = CSize(size.width(), size.height());
    known[file] = {changed, out};
    return out;
}

void DrawHeaderImage(CDC* pDC, const CRect& place, const CExamPrintSettings& s)
{
    const CString file = HeaderImageFile(s);
    if (!InitDIB(file)) {
        LogOutput("exambands::DrawHeader() - failed to InitDIB() for image..." + file, LOG_ERROR, LOG_HERE);
        return;
    }
    AdjustBrightness(std::clamp(s.imageBrightness, -255, 255));
    DrawDIB(pDC, place.left, place.top, place.Width(), place.Height());
    FreeDIB();
}

} // namespace

CString HeaderImageFile(const CExamPrintSettings& s)
{
    CString full;
    if (!s.imageFile.IsEmpty())
        GetServerFullPath(full, s.imageFile);
    return full;
}

CRect HeaderImageRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s)
{
    const CRect none(rectDraw.left, rectDraw.top, rectDraw.left, rectDraw.top);
    if (!s.printHdr || !s.useImage || s.imageFile.IsEmpty())
        return none;
    const CString file = HeaderImageFile(s);
    if (!fsys::Exists(file)) {
        LogOutput("exambands::HeaderImageRect() - the header image is missing " + file, LOG_ERROR, LOG_HERE);
        return none;
    }
    const CSize pixels = ImagePixels(file);
    if (pixels.cx <= 0 || pixels.cy <= 0)
        return none;
    const int height = static_cast<int>(pageframe::HeightOf(rectDraw) * std::clamp(s.imageSize, 3, 30) / 100.0);
    const int band = std::abs(rectDraw.Width());
    const int width = std::min(static_cast<int>(static_cast<double>(height) * pixels.cx / pixels.cy), band / 2);
    const int down = pageframe::Down(pDC);
    const int left = s.imagePosIndex == 1 ? rectDraw.right - width : rectDraw.left;
    return CRect(left, rectDraw.top, left + width, rectDraw.top + down * height);
}

void HeaderItems(const CExamPrintSettings& s, const CBandPage& page, CBandItem out[kPlaces])
{
    for (int i = 0; i < kPlaces; ++i)
        out[i] = CBandItem();
    Place(out, s.useCourseName, s.courseNamePosIndex, page.courseName, FM_EXAMCOURSENAME);
    Place(out, s.useExamTitle, s.examTitlePosIndex, page.examTitle, FM_EXAMTITLE);
    if (page.bKeys) {
        // A key says which form it is for where a student would write a name; it asks no ID.
        Place(out, !page.formName.IsEmpty(), s.studentNamePosIndex, page.formName, FM_STUDENTNAME);
        return;
    }
    Place(out, s.useStudentName, s.studentNamePosIndex, s.studentNamePrompt, FM_STUDENTNAME);
    Place(out, s.useStudentId, s.studentIdPosIndex, s.studentIdPrompt, FM_STUDENTID);
}

void FooterItems(const CExamPrintSettings& s, const CBandPage& page, CBandItem out[kPlaces])
{
    for (int i = 0; i < kPlaces; ++i)
        out[i] = CBandItem();
    Place(out, s.fileName, s.filenamePosIndex, FileLabelText(s, page.path), FM_EXAMFILENAME);
    Place(out, s.pageNum, s.pageNumPosIndex, PageNumberText(s, page.nPage), FM_EXAMPAGENO);
    Place(out, s.formName, s.formNamePosIndex, page.formName.IsEmpty() ? CString() : FormNameText(s, page.formName),
          FM_EXAMFORMNAME);
}

BOOL HeaderShown(const CExamPrintSettings& s, const CBandPage& page)
{
    return s.printHdr && (!s.firstPageOnly || page.bFirstOfRange);
}

CString FileLabelText(const CExamPrintSettings& s, const CString& path)
{
    CString relative;
    if (!path.IsEmpty())
        GetServerRelativePath(relative, path);
    return FormatTextPattern(s.fileLabelFmt, relative);
}

CString PageNumberText(const CExamPrintSettings& s, int nPage)
{
    return FormatPageNumberPattern(s.pageNumFmt, nPage);
}

CString FormNameText(const CExamPrintSettings& s, const CString& formName)
{
    return FormatTextPattern(s.formNameOutputFmt.IsEmpty() ? CString("Form: %s") : s.formNameOutputFmt, formName);
}

CRect HeaderRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page)
{
    int height = OnePercent(rectDraw);
    if (HeaderShown(s, page)) {
        CBandItem items[kPlaces];
        HeaderItems(s, page, items);
        int top = 0, bottom = 0;
        LineHeights(pDC, items, top, bottom);
        height = std::max(top + bottom, pageframe::HeightOf(HeaderImageRect(pDC, rectDraw, s)));
    }
    height = std::min(height, pageframe::HeightOf(rectDraw));
    return CRect(rectDraw.left, rectDraw.top, rectDraw.right, rectDraw.top + pageframe::Down(pDC) * height);
}

CRect FooterRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page)
{
    int height = OnePercent(rectDraw);
    if (s.printFtr) {
        CBandItem items[kPlaces];
        FooterItems(s, page, items);
        int top = 0, bottom = 0;
        LineHeights(pDC, items, top, bottom);
        height = top + bottom;
    }
    height = std::min(height, pageframe::HeightOf(rectDraw));
    return CRect(rectDraw.left, rectDraw.bottom - pageframe::Down(pDC) * height, rectDraw.right, rectDraw.bottom);
}

void DrawHeader(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page)
{
    if (!HeaderShown(s, page))
        return;
    CBandItem items[kPlaces];
    HeaderItems(s, page, items);
    const CRect header = HeaderRect(pDC, rectDraw, s, page);
    // The items stand beside the image, never under it, an eighth of an inch away.
    const CRect image = HeaderImageRect(pDC, rectDraw, s);
    CRect beside = header;
    if (image.Width() > 0) {
        DrawHeaderImage(pDC, image, s);
        const int gap = pageframe::UnitsPerInch(pDC, FALSE) / 8;
        if (s.imagePosIndex == 1)
            beside.right = image.left - gap;
        else
            beside.left = image.right + gap;
    }
    DrawItems(pDC, beside, items);
}

void DrawFooter(CDC* pDC, const CRect& footer, const CExamPrintSettings& s, const CBandPage& page)
{
    if (!s.printFtr)
        return;
    CBandItem items[kPlaces];
    FooterItems(s, page, items);
    DrawItems(pDC, footer, items);
}

} // namespace exambands
