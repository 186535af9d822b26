#include "model/ImageView.h"

#include "render/Dib.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"

#include "platform/core/FileSys.h"
#include "platform/ui/DC.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace {

// Neither a band nor a column, nor any one image, takes more of the layout than this.
constexpr double kMaxSizePercent = 80.0;
constexpr double kMaxGapPercent = 5.0;
constexpr double kDefaultSizePercent = 20.0;

// The placeholder's texts: a box of 48 by 48 pixels, "Arial" 11 pixels high.
constexpr int kMissingBox = 48;
constexpr int kMissingFontHeight = 11;

BOOL IsPosition(int nPos)
{
    return nPos >= 0 && nPos < CImageViewList::kPositions;
}

double SanitisedSize(double dSize)
{
    return std::isfinite(dSize) && dSize >= 0 ? dSize : kDefaultSizePercent;
}

double SanitisedGap(double dGap)
{
    return std::isfinite(dGap) ? std::clamp(dGap, 0.0, kMaxGapPercent) : 0.0;
}

// Moves a rectangle so that its top (or left) is at the given place, keeping its size.
void MoveTopTo(CRect& rc, int top)
{
    rc.OffsetRect(0, top - rc.top);
}

void MoveLeftTo(CRect& rc, int left)
{
    rc.OffsetRect(left - rc.left, 0);
}

} // namespace

// ---- CImageView

BOOL CImageView::Load(LPCSTR file, int nPos, int nBrightness, double dSize, double dMargin)
{
    m_pBitmap = std::make_unique<CBitmapEx>();
    const BOOL bLoaded = m_pBitmap->LoadImage(file);
    if (!bLoaded)
        LogOutput(CString("CImageView::Load() - Failed to load image...") + file, LOG_ERROR, LOG_HERE);
    if (!IsPosition(nPos)) {
        LogOutput("CImageView::Load() - bad position", LOG_ERROR, LOG_HERE);
        nPos = IP_TOP;
    }
    m_csFile = file;
    m_nPos = nPos;
    m_nBrightness = nBrightness;
    m_dSize = SanitisedSize(dSize);
    m_dMargin = dMargin;
    const CSize size = m_pBitmap->GetSize();
    m_rcPlace = CRect(0, 0, size.cx, size.cy);
    return bLoaded;
}

std::uint64_t CImageView::NextSerial()
{
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

// ---- CImageViewList: the list

CImageViewList::~CImageViewList()
{
    ResetLayout();
    ReleaseCaptionFont();
    RemoveAll();
}

void CImageViewList::RemoveAll()
{
    for (POSITION pos = m_images.GetHeadPosition(); pos;)
        delete m_images.GetNext(pos);
    m_images.RemoveAll();
}

void CImageViewList::Add(std::unique_ptr<CImageView> image)
{
    if (image)
        m_images.AddTail(image.release());
}

BOOL CImageViewList::Remove(CImageView* image)
{
    POSITION at = image ? m_images.Find(image) : nullptr;
    if (!at)
        return FALSE;
    m_images.RemoveAt(at);
    delete image;
    return TRUE;
}

BOOL CImageViewList::Swap(CImageView* first, CImageView* second)
{
    POSITION a = first ? m_images.Find(first) : nullptr;
    POSITION b = second ? m_images.Find(second) : nullptr;
    if (!a || !b)
        return FALSE;
    m_images.SetAt(a, second);
    m_images.SetAt(b, first);
    return TRUE;
}

CImageView* CImageViewList::FindSerial(std::uint64_t serial) const
{
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        CImageView* image = m_images.GetNext(pos);
        if (image->GetSerial() == serial)
            return image;
    }
    return nullptr;
}

CImageView* CImageViewList::GetPrevAt(const CImageView* image) const
{
    CImageView* before = nullptr;
    for (POSITION pos = m_images.GetHeadPosition(); pos && image;) {
        CImageView* one = m_images.GetNext(pos);
        if (one == image)
            return before;
        if (one->m_nPos == image->m_nPos)
            before = one;
    }
    return nullptr;
}

CImageView* CImageViewList::GetNextAt(const CImageView* image) const
{
    BOOL bPassed = FALSE;
    for (POSITION pos = m_images.GetHeadPosition(); pos && image;) {
        CImageView* one = m_images.GetNext(pos);
        if (bPassed && one->m_nPos == image->m_nPos)
            return one;
        bPassed = bPassed || one == image;
    }
    return nullptr;
}

int CImageViewList::SetImages(const CPtrList& images)
{
    RemoveAll();
    for (POSITION pos = images.GetHeadPosition(); pos;) {
        const auto* data = static_cast<const CImageData*>(images.GetNext(pos));
        if (!data)
            continue;
        auto* image = new CImageView;
        static_cast<CImageData&>(*image) = *data;
        // A missing file keeps its place, so that the screen can show where it belongs.
        const BOOL bMissing = !fsys::Exists(data->m_csFile);
        if (bMissing)
            LogOutput("CImageViewList::SetImages() - incomming file does not exist..." + data->m_csFile, LOG_ERROR,
                      LOG_HERE);
        image->Load(data->m_csFile, data->m_nPos, data->m_nBrightness, data->m_dSize, data->m_dMargin);
        image->SetMissing(bMissing);
        m_images.AddTail(image);
    }
    return 1;
}

int CImageViewList::CountMissingFiles() const
{
    int count = 0;
    for (POSITION pos = m_images.GetHeadPosition(); pos;)
        if (m_images.GetNext(pos)->IsMissing())
            ++count;
    return count;
}

int CImageViewList::GetMaxImageHeight() const
{
    int tallest = 0;
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        const int height = m_images.GetNext(pos)->m_rcPlace.Height();
        if (std::abs(height) > std::abs(tallest))
            tallest = height;
    }
    return tallest;
}

int CImageViewList::GetCountAt(int nPos) const
{
    int count = 0;
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        const CImageView* image = m_images.GetNext(pos);
        if (image->m_nPos == nPos && IsLaid(image))
            ++count;
    }
    return count;
}

int CImageViewList::GetTotalExtent(int nPos, const CImageView* pLeaveOut) const
{
    int total = 0;
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        const CImageView* image = m_images.GetNext(pos);
        if (image == pLeaveOut || image->m_nPos != nPos || !IsLaid(image))
            continue;
        total += IsColumn(nPos) ? std::abs(image->m_rcPlace.Height()) : std::abs(image->m_rcPlace.Width());
    }
    return total;
}

CImageView* CImageViewList::HitTest(CPoint pt) const
{
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        CImageView* image = m_images.GetNext(pos);
        CRect rc = image->m_rcPlace;
        rc.NormalizeRect();
        if (rc.PtInRect(pt))
            return image;
    }
    return nullptr;
}

// ---- layout

BOOL CImageViewList::IsEmptyHere(const CRect& rc) const
{
    return rc.Width() <= 0 || Down() * rc.Height() <= 0;
}

BOOL CImageViewList::IsLaid(const CImageView* image)
{
    const CBitmapEx* bitmap = image->GetBitmap();
    if (!bitmap || !IsPosition(image->m_nPos))
        return FALSE;
    const CSize size = bitmap->GetSize();
    return size.cx > 0 && size.cy > 0;
}

CSize CImageViewList::BitmapSize(CDC* pDC, const CImageView* image) const
{
    if (!IsLaid(image))
        return CSize(0, 0);
    CSize size = image->GetBitmap()->GetSize();
    if (pDC)
        pDC->DPtoLP(&size);
    return CSize(std::abs(size.cx), std::abs(size.cy));
}

const CRect& CImageViewList::GetBand(int nPos) const
{
    static const CRect none;
    return IsPosition(nPos) ? m_rcBand[nPos] : none;
}

double CImageViewList::GetExtent(int nPos) const
{
    return IsPosition(nPos) ? m_dExtent[nPos] : 0.0;
}

double CImageViewList::GetGapExtent(int nPos) const
{
    return IsPosition(nPos) ? m_dGapExtent[nPos] : 0.0;
}

void CImageViewList::ResetLayout()
{
    m_rcLayout.SetRectEmpty();
    m_rcQuestion.SetRectEmpty();
    m_rcChoices.SetRectEmpty();
    for (int p = 0; p < kPositions; ++p) {
        m_rcBand[p].SetRectEmpty();
        m_dSize[p] = m_dExtent[p] = m_dGap[p] = m_dGapExtent[p] = 0.0;
    }
}

void CImageViewList::SizeImages(CDC* pDC)
{
    const int down = Down();
    const double width = m_rcLayout.Width();
    const double height = std::abs(m_rcLayout.Height());
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        CImageView* image = m_images.GetNext(pos);
        const CSize bitmap = BitmapSize(pDC, image);
        if (bitmap.cx <= 0 || bitmap.cy <= 0) {
            image->m_rcPlace.SetRectEmpty();
            continue;
        }
        // An image larger than its band would cover the question text.
        const double share = std::min(SanitisedSize(image->m_dSize), kMaxSizePercent) / 100.0;
        double w, h;
        if (IsColumn(image->m_nPos)) {
            w = width * share;
            h = bitmap.cy * w / bitmap.cx;
        } else {
            h = height * share;
            w = bitmap.cx * h / bitmap.cy;
        }
        image->m_rcPlace = CRect(0, 0, static_cast<int>(w), down * static_cast<int>(h));
    }
}

void CImageViewList::PlaceBands()
{
    const int down = Down();
    const CPoint origin = m_rcLayout.TopLeft();
    if (IsEmptyHere(m_rcChoices))
        m_rcChoices.bottom = m_rcChoices.top + down;
    m_rcQuestion.OffsetRect(origin);
    m_rcChoices.OffsetRect(origin);
    for (int p = 0; p < kPositions; ++p)
        m_rcBand[p] = CRect(origin.x, origin.y, origin.x, origin.y);

    for (int p = 0; p < kPositions; ++p) {
        if (GetCountAt(p) == 0)
            continue;
        CRect& band = m_rcBand[p];
        const int gap = static_cast<int>(m_dGapExtent[p]);
        const int extent = static_cast<int>(m_dExtent[p]);
        if (IsColumn(p)) {
            band.left += gap;
            band.right = band.left + extent;
            band.bottom = band.top + down * GetTotalExtent(p);
        } else {
            band.top += down * gap;
            band.right = band.left + GetTotalExtent(p);
            band.bottom = band.top + down * extent;
        }
    }

    // Down the page: the columns and the text below the top band, then the band below the
    // question, the choices and the band below them.
    CRect& top = m_rcBand[IP_TOP];
    CRect& left = m_rcBand[IP_LEFT];
    CRect& right = m_rcBand[IP_RIGHT];
    CRect& belowQuest = m_rcBand[IP_BELOW_QUEST];
    CRect& belowChoices = m_rcBand[IP_BELOW_CHOICES];
    const auto gap = [this](int p) { return static_cast<int>(m_dGapExtent[p]); };
    const int below = top.bottom + down * gap(IP_TOP);
    MoveTopTo(left, below);
    MoveTopTo(m_rcQuestion, below);
    MoveTopTo(right, below);
    MoveTopTo(belowQuest, m_rcQuestion.bottom + down * gap(IP_BELOW_QUEST));
    MoveTopTo(m_rcChoices, belowQuest.bottom + down * gap(IP_BELOW_QUEST));
    MoveTopTo(belowChoices, m_rcChoices.bottom + down * gap(IP_BELOW_CHOICES));

    // Across: the text, the band below it and the choices right of the left column, the right
    // column after the wider of text and choices.
    const int textLeft = left.right + gap(IP_LEFT);
    MoveLeftTo(m_rcQuestion, textLeft);
    MoveLeftTo(belowQuest, textLeft);
    MoveLeftTo(m_rcChoices, textLeft);
    MoveLeftTo(right, textLeft + gap(IP_RIGHT) + std::max(m_rcQuestion.Width(), m_rcChoices.Width()));

    // The images side by side in the bands, one under the other in the columns.
    CPoint next[kPositions];
    for (int p = 0; p < kPositions; ++p)
        next[p] = m_rcBand[p].TopLeft();
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        CImageView* image = m_images.GetNext(pos);
        if (!IsLaid(image))
            continue;
        CPoint& at = next[image->m_nPos];
        const CSize size = image->m_rcPlace.Size();
        image->m_rcPlace = CRect(at, size);
        if (IsColumn(image->m_nPos))
            at.y += size.cy;
        else
            at.x += size.cx;
    }
}

int CImageViewList::Layout(CDC* pDC, CImageFitTest* pFit, CString* pError)
{
    for (int p = 0; p < kPositions; ++p) {
        m_rcBand[p].SetRectEmpty();
        m_dSize[p] = m_dExtent[p] = m_dGap[p] = m_dGapExtent[p] = 0.0;
    }
    const double width = m_rcLayout.Width();
    const double height = std::abs(m_rcLayout.Height());
    const BOOL bUsable = width > 0 && height > 0;

    if (bUsable) {
        for (POSITION pos = m_images.GetHeadPosition(); pos;) {
            const CImageView* image = m_images.GetNext(pos);
            if (!IsLaid(image))
                continue;
            const int p = image->m_nPos;
            m_dSize[p] = std::max(m_dSize[p], std::min(SanitisedSize(image->m_dSize), kMaxSizePercent) / 100.0);
            m_dGap[p] = std::max(m_dGap[p], SanitisedGap(image->m_dMargin) / 100.0);
        }
        for (int p = 0; p < kPositions; ++p) {
            const double across = IsColumn(p) ? width : height;
            m_dExtent[p] = m_dSize[p] * across;
            m_dGapExtent[p] = m_dGap[p] * across;
        }
        SizeImages(pDC);
    } else {
        for (POSITION pos = m_images.GetHeadPosition(); pos;)
            m_images.GetNext(pos)->m_rcPlace.SetRectEmpty();
    }
    PlaceBands();

    if (!pFit || !pFit->pImage)
        return 0;
    const int result = bUsable ? FitTest(pDC, *pFit) : IMAGE_CANNOT_FIT;
    if (result == IMAGE_CANNOT_FIT && pError)
        *pError = "Failed to fit image";
    return result;
}

int CImageViewList::FitTest(CDC* pDC, CImageFitTest& fit) const
{
    const CImageView* image = fit.pImage;
    const int nPos = image->m_nPos;
    const CSize bitmap = BitmapSize(pDC, image);
    fit.nOverflow = 0;
    fit.dPercent = 0.0;
    if (!IsPosition(nPos) || bitmap.cx <= 0 || bitmap.cy <= 0)
        return IMAGE_CANNOT_FIT;

    const int down = Down();
    const double width = m_rcLayout.Width();
    const double height = std::abs(m_rcLayout.Height());
    const double across = IsColumn(nPos) ? width : height;
    // The size the image may have in the room its position has left without it.
    const auto byRoom = [&]() {
        const double room = GetRoomAt(nPos, image);
        return IsColumn(nPos) ? room * bitmap.cx / bitmap.cy * 100.0 / width
                              : room * bitmap.cy / bitmap.cx * 100.0 / height;
    };
    // The size that takes the overflow off the position's extent.
    const auto byExtent = [&](int overflow) { return (m_dExtent[nPos] - overflow) * 100.0 / across; };
    const auto pastBottom = [&](int y) { return down * (y - m_rcLayout.bottom); };

    const CRect& band = m_rcBand[nPos];
    const CRect& right = m_rcBand[IP_RIGHT];
    const CRect& belowChoices = m_rcBand[IP_BELOW_CHOICES];
    int overflow = 0;
    double percent = 0.0;
    switch (nPos) {
    case IP_TOP:
        if ((overflow = band.right - m_rcLayout.right) > 0)
            percent = byRoom();
        else if ((overflow = pastBottom(GetContentBottom())) > 0)
            percent = byExtent(overflow);
        break;
    case IP_LEFT:
        if ((overflow = pastBottom(band.bottom)) > 0) {
            percent = byRoom();
        } else if ((overflow = std::max({m_rcQuestion.right, m_rcChoices.right, right.right}) - m_rcLayout.right) > 0) {
            percent = byExtent(overflow);
        } else if (!IsEmptyHere(belowChoices) && belowChoices.left < band.right &&
                   (overflow = down * (band.bottom - belowChoices.top)) > 0) {
            percent = byRoom();
        }
        break;
    case IP_RIGHT: {
        // Past the bottom and past the right edge: the smaller of the two sizes.
        const int overBottom = pastBottom(band.bottom);
        const int overRight = band.right - m_rcLayout.right;
        BOOL bSized = FALSE;
        if (overBottom > 0) {
            const double roomPercent = byRoom();
            if (roomPercent <= 100.0) {
                percent = roomPercent;
                overflow = overBottom;
                bSized = TRUE;
            }
        }
        if (overRight > 0) {
            const double extentPercent = byExtent(overRight);
            if (!bSized || extentPercent < percent) {
                percent = extentPercent;
                overflow = overRight;
            }
            bSized = TRUE;
        }
        if (!bSized)
            overflow = 0;
        break;
    }
    case IP_BELOW_QUEST:
        if ((overflow = band.right - (IsEmptyHere(right) ? m_rcLayout.right : right.left)) > 0)
            percent = byRoom();
        else if ((overflow = pastBottom(GetContentBottom())) > 0)
            percent = byExtent(overflow);
        break;
    case IP_BELOW_CHOICES:
        if ((overflow = band.right - m_rcLayout.right) > 0) {
            percent = byRoom();
        } else if ((overflow = pastBottom(band.bottom)) > 0) {
            percent = byExtent(overflow);
        } else if (!IsEmptyHere(right) && down * (right.bottom - band.top) > 0 &&
                   (overflow = band.right - right.left) > 0) {
            percent = byRoom();
        }
        break;
    }
    if (overflow <= 0)
        return IMAGE_FITS;
    fit.nOverflow = overflow;
    fit.dPercent = percent;
    return percent > 1.0 ? IMAGE_FITS_SMALLER : IMAGE_CANNOT_FIT;
}

int CImageViewList::GetRoomAt(int nPos, const CImageView* pLeaveOut) const
{
    if (!IsPosition(nPos))
        return 0;
    const int down = Down();
    const int total = GetTotalExtent(nPos, pLeaveOut);
    const CRect& band = m_rcBand[nPos];
    const CRect& right = m_rcBand[IP_RIGHT];
    const CRect& belowChoices = m_rcBand[IP_BELOW_CHOICES];
    switch (nPos) {
    case IP_LEFT: {
        // The band below the choices stops the column when it reaches under it.
        const int limit = !IsEmptyHere(belowChoices) && belowChoices.left < band.right ? belowChoices.top
                                                                                         : m_rcLayout.bottom;
        return down * (limit - band.top) - total;
    }
    case IP_RIGHT:
        return down * (m_rcLayout.bottom - band.top) - total;
    case IP_TOP:
        return m_rcLayout.right - band.left - total;
    case IP_BELOW_QUEST:
        return (IsEmptyHere(right) ? m_rcLayout.right : right.left) - (band.left + total);
    default: {
        const BOOL bBeside = !IsEmptyHere(right) && down * (right.bottom - band.top) > 0;
        return (bBeside ? right.left : m_rcLayout.right) - (band.left + total);
    }
    }
}

BOOL CImageViewList::CanAddNew(int nPos) const
{
    const double width = m_rcLayout.Width();
    const double height = std::abs(m_rcLayout.Height());
    const int a = static_cast<int>(width * 0.1);
    const int b = static_cast<int>(height * 0.1);
    const int c = static_cast<int>(width * 0.6);
    const int d = static_cast<int>(height * 0.2);
    const int e = static_cast<int>(height * 0.3);
    // A column leaves the text at least a tenth of the width; a band leaves a tenth of the height.
    const auto columnFits = [&](int other) { return width - static_cast<int>(c + m_dExtent[other]) >= a; };
    const auto bandFits = [&](int one, int two) {
        return height - static_cast<int>(m_dExtent[one] + m_dExtent[two] + e + d) >= b;
    };
    switch (nPos) {
    case IP_LEFT:
        return columnFits(IP_RIGHT) && GetRoomAt(nPos) >= b;
    case IP_RIGHT:
        return columnFits(IP_LEFT) && GetRoomAt(nPos) >= b;
    case IP_TOP:
        return bandFits(IP_BELOW_CHOICES, IP_BELOW_QUEST) && GetRoomAt(nPos) >= a;
    case IP_BELOW_QUEST:
        return bandFits(IP_BELOW_CHOICES, IP_TOP) && GetRoomAt(nPos) >= a;
    case IP_BELOW_CHOICES:
        return bandFits(IP_BELOW_QUEST, IP_TOP) && GetRoomAt(nPos) >= a;
    default:
        LogOutput("CImageViewList::CanAddNew() - unknown position type...", LOG_ERROR, LOG_HERE);
        LogOutput(CString::Formatted("pos=%d", nPos), LOG_ERROR, LOG_HERE);
        return FALSE;
    }
}

int CImageViewList::GetContentBottom() const
{
    const int down = Down();
    int lowest = m_rcQuestion.bottom;
    const auto lower = [&](int y) {
        if (down * (y - lowest) > 0)
            lowest = y;
    };
    lower(m_rcChoices.bottom);
    for (const CRect& band : m_rcBand)
        lower(band.bottom);
    return lowest;
}

int CImageViewList::GetLayoutBottom() const
{
    const int content = GetContentBottom();
    return Down() * (m_rcLayout.bottom - content) > 0 ? m_rcLayout.bottom : content;
}

// ---- drawing

void CImageViewList::Draw(CDC* pDC)
{
    if (!pDC)
        return;
    const int mode = pDC->GetMapMode();
    if (mode != MM_TEXT && mode != MM_TWIPS)
        return;
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        CImageView* image = m_images.GetNext(pos);
        if (!IsLaid(image))
            continue;
        const CRect& rc = image->m_rcPlace;
        if (mode == MM_TEXT) {
            image->GetBitmap()->Draw(pDC, rc.left, rc.top, rc.Width(), rc.Height());
            continue;
        }
        // Paper gets the file itself, grey; a file that cannot be read leaves its room empty.
        if (!InitDIB(image->m_csFile)) {
            LogOutput("CImageViewList::Draw() - failed to InitDIB() for image..." + image->m_csFile, LOG_ERROR,
                      LOG_HERE);
            continue;
        }
        AdjustBrightness(image->m_nBrightness);
        DrawDIB(pDC, rc.left, rc.top, rc.Width(), rc.Height());
        FreeDIB();
    }
}

void CImageViewList::DrawMissing(CDC* pDC)
{
    if (!pDC || CountMissingFiles() == 0)
        return;
    CSize box(kMissingBox, kMissingFontHeight);
    pDC->DPtoLP(&box);
    const int side = std::abs(box.cx);
    CFont font;
    font.CreateFont(-std::abs(box.cy), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CFont* oldFont = pDC->SelectObject(&font);
    CPen* oldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const int down = Down();
    const auto drawAt = [&](const CString& text, int x, int y) {
        CRect rc(x, y, x + side, y + down * side);
        pDC->DrawText(text, &rc, DT_SINGLELINE | DT_CENTER | DT_NOCLIP | DT_NOPREFIX);
    };
    // Neighbouring placeholders take turns at a third and two thirds, so that their names do not
    // overlap; every drawing starts the same way, so a repaint never moves a name.
    BOOL bLower = FALSE;
    for (POSITION pos = m_images.GetHeadPosition(); pos;) {
        const CImageView* image = m_images.GetNext(pos);
        if (!image->IsMissing())
            continue;
        const CRect& rc = image->m_rcPlace;
        CString name;
        GetFileNameOfPath(name, image->m_csFile);
        drawAt("Missing", rc.left, rc.top);
        drawAt(name, rc.left, rc.top + rc.Height() * (bLower ? 2 : 1) / 3);
        bLower = !bLower;
    }
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldFont);
}

// ---- caption font

BOOL CImageViewList::CreateCaptionFont(CDC* pDC, int nHeight, LPCSTR face)
{
    if (!pDC)
        return FALSE;
    ReleaseCaptionFont();
    LOGFONT def;
    def.lfHeight = nHeight;
    def.lfWeight = FW_NORMAL;
    SetLogFontFaceName(def, "Arial");
    LOGFONT lf = def;
    CorraApp().GetProfileLogFont("CorraFonts", "Print", lf, def);
    lf.lfHeight = pDC->GetMapMode() == MM_TWIPS ? nHeight * 20 : nHeight;
    if (face)
        SetLogFontFaceName(lf, face);
    if (!m_captionFont.CreateFontIndirect(&lf))
        return FALSE;
    m_pOldFont = pDC->SelectObject(&m_captionFont);
    m_pCaptionDC = pDC;
    return TRUE;
}

void CImageViewList::ReleaseCaptionFont()
{
    if (m_pCaptionDC)
        m_pCaptionDC->SelectObject(m_pOldFont);
    m_pCaptionDC = nullptr;
    m_pOldFont = nullptr;
    m_captionFont.DeleteObject();
}
