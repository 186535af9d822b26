#pragma once
// A question's images laid out around its text and choices inside one rectangle, on screen, in
// preview and on paper: a band above the question, a column left and right of the text, a band
// between the text and the choices and one below the choices. The list also tells whether one
// more image still fits at a position and how large a tested image may be.
//
// Every rectangle is in the DC's logical units. The layout rectangle's height shows which way y
// grows: bottom below top on screen (MM_TEXT), above it on paper (MM_TWIPS). Every step down the
// page is made in that direction, so one code path serves both.

#include "model/ImageData.h"

#include "render/BitmapEx.h"

#include "platform/core/Collections.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/GdiObjects.h"

#include <cstdint>
#include <memory>

class CDC;

// One image of the list: the reference with its loaded bitmap and its place.
class CImageView : public CImageData {
public:
    CImageView() = default;
    CImageView(const CImageView&) = delete;
    CImageView& operator=(const CImageView&) = delete;
    ~CImageView() override = default;

    // Loads the file and keeps the fields; a position outside 0..4 is taken as top and a size that
    // is negative or not a number as 20. FALSE (logged) when the file could not be read: the
    // broken-image picture then stands in and the fields are kept all the same, so that the image
    // keeps its room.
    BOOL Load(LPCSTR file, int nPos, int nBrightness, double dSize, double dMargin);

    // NULL before Load.
    CBitmapEx* GetBitmap() const { return m_pBitmap.get(); }
    // Whether the file did not exist when the list took the image.
    BOOL IsMissing() const { return m_bMissing; }
    void SetMissing(BOOL bMissing) { m_bMissing = bMissing; }

    // A number no other image of the process ever has: work that outlives a click (an editor
    // running on the file) names the image by it, never by its address.
    std::uint64_t GetSerial() const { return m_nSerial; }

    // Where the image stands, in logical units (its height negative in MM_TWIPS).
    CRect m_rcPlace;

private:
    std::unique_ptr<CBitmapEx> m_pBitmap;
    BOOL m_bMissing = FALSE;
    std::uint64_t m_nSerial = NextSerial();

    static std::uint64_t NextSerial();
};

// The image whose fit Layout tests, and its answer.
struct CImageFitTest {
    CImageView* pImage = nullptr;
    int nOverflow = 0;       // how far the layout reaches past its limit at the image's position
    double dPercent = 0.0;   // the size the image may have to fit
};

// Answers of Layout with a fit test.
enum : int {
    IMAGE_FITS = 0,
    IMAGE_FITS_SMALLER = 1,
    IMAGE_CANNOT_FIT = 2,
};

class CImageViewList {
public:
    static constexpr int kPositions = 5;

    CImageViewList() = default;
    CImageViewList(const CImageViewList&) = delete;
    CImageViewList& operator=(const CImageViewList&) = delete;
    ~CImageViewList();

    // Takes a copy of each CImageData of the list, in order, and loads its file. A file that does
    // not exist stays in the list, marked missing, with the broken-image picture (logged). 1.
    int SetImages(const CPtrList& images);
    void RemoveAll();

    int GetCount() const { return m_images.GetCount(); }
    POSITION GetHeadPosition() const { return m_images.GetHeadPosition(); }
    CImageView* GetNext(POSITION& pos) const { return m_images.GetNext(pos); }

    // Editing the list: an added image is owned by the list; a removed one is deleted.
    void Add(std::unique_ptr<CImageView> image);
    BOOL Remove(CImageView* image);
    // The two images change places in the list (and so in their bands).
    BOOL Swap(CImageView* first, CImageView* second);
    // The image of that serial; NULL when the list no longer has it.
    CImageView* FindSerial(std::uint64_t serial) const;
    // The images at a position in list order, before and after image; NULL when there is none.
    CImageView* GetPrevAt(const CImageView* image) const;
    CImageView* GetNextAt(const CImageView* image) const;

    // Lays the images out around m_rcQuestion and m_rcChoices (given relative to the layout
    // rectangle's origin; placed after). Without a fit test 0; with one IMAGE_FITS,
    // IMAGE_FITS_SMALLER (the size that fits is in the record) or IMAGE_CANNOT_FIT, when pError
    // gets "Failed to fit image". An empty layout rectangle lays nothing out and fits nothing; an
    // image without pixels is left out. pDC may be NULL: sizes are then taken in pixels.
    int Layout(CDC* pDC, CImageFitTest* pFit = nullptr, CString* pError = nullptr);
    // Whether one more image may go to the position (after Layout).
    BOOL CanAddNew(int nPos) const;

    // The bitmaps on screen (MM_TEXT), the files printed grey (MM_TWIPS); nothing otherwise.
    void Draw(CDC* pDC);
    // "Missing" and the file's name over the place of every image whose file is missing.
    void DrawMissing(CDC* pDC);
    // The image whose place holds the point; NULL when none does.
    CImageView* HitTest(CPoint pt) const;

    // The lowest edge, in the direction the layout grows, of the layout rectangle, the text and
    // choices and the five bands; GetContentBottom leaves the layout rectangle out.
    int GetLayoutBottom() const;
    int GetContentBottom() const;
    int CountMissingFiles() const;
    // The tallest image's height, with its sign.
    int GetMaxImageHeight() const;

    // Images at a position, and their total width (bands) or height (columns, as a distance),
    // leaving pLeaveOut out.
    int GetCountAt(int nPos) const;
    int GetTotalExtent(int nPos, const CImageView* pLeaveOut = nullptr) const;
    // Room left at a position for one more image (negative when it overflows), without pLeaveOut.
    int GetRoomAt(int nPos, const CImageView* pLeaveOut = nullptr) const;

    // The band or column of a position, its size and gap in logical units (after Layout).
    const CRect& GetBand(int nPos) const;
    double GetExtent(int nPos) const;
    double GetGapExtent(int nPos) const;

    // Selects the caption font (the profile's "CorraFonts" "Print" font with the given height and
    // face; the height in points times 20 in MM_TWIPS) into the DC; the release puts the old one back.
    BOOL CreateCaptionFont(CDC* pDC, int nHeight, LPCSTR face);
    void ReleaseCaptionFont();

    // Empties every rectangle, fraction and extent.
    void ResetLayout();

    CRect m_rcLayout;
    CRect m_rcQuestion;
    CRect m_rcChoices;

private:
    // +1 when y grows down the page, -1 when it grows up.
    int Down() const { return m_rcLayout.bottom < m_rcLayout.top ? -1 : 1; }
    // Empty in the layout's direction.
    BOOL IsEmptyHere(const CRect& rc) const;
    // The image takes part in the layout: it has pixels and a position.
    static BOOL IsLaid(const CImageView* image);
    static BOOL IsColumn(int nPos) { return nPos == IP_LEFT || nPos == IP_RIGHT; }
    // The bitmap's size in logical units (positive); empty without pixels.
    CSize BitmapSize(CDC* pDC, const CImageView* image) const;
    void SizeImages(CDC* pDC);
    void PlaceBands();
    int FitTest(CDC* pDC, CImageFitTest& fit) const;

    CTypedList<CImageView*> m_images;  // owned
    CRect m_rcBand[kPositions];        // by position code
    double m_dSize[kPositions] = {};   // fractions of the layout's height (bands) or width (columns)
    double m_dExtent[kPositions] = {};
    double m_dGap[kPositions] = {};
    double m_dGapExtent[kPositions] = {};

    CFont m_captionFont;
    CFont* m_pOldFont = nullptr;
    CDC* m_pCaptionDC = nullptr;
};
