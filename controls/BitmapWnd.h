#pragma once
// A picture shown whole in a box: scaled to fit, keeping its shape, and centred.

#include "platform/ui/Wnd.h"
#include "render/BitmapEx.h"

#include <QWidget>

#include <memory>

// Where a picture of size picture is drawn in a box of size client: as wide as the box, or as
// high when that is too tall; centred. Empty when either size has no area.
CRect FitPicture(CSize picture, CSize client);

class CBitmapWnd : public QWidget, public CWnd {
public:
    explicit CBitmapWnd(QWidget* parent = nullptr);

    // The file, else (or without one) the picture of the id; TRUE when it loaded.
    BOOL Load(LPCSTR file, UINT nResourceId = 0);
    // The picture, or NULL before the first Load.
    const CBitmapEx* Picture() const { return m_pPicture.get(); }
    // Where the picture is drawn now (empty: nothing is).
    CRect DrawnRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<CBitmapEx> m_pPicture;
};
