#pragma once
// The "Edit" bar of the floating editing toolbar: the font face box (a recent list, "Recent
// FontFace List"), the size box with its spin (6 to 36 points; the box takes no typing) and the
// style buttons.

#include "controls/DlgToolBar.h"

class CMRUPathComboBox;
class CSpinButtonCtrl;
class QLineEdit;

class CTextEditToolbar : public CDlgToolBar {
public:
    explicit CTextEditToolbar(QWidget* parent);

    // Loads the bar and puts the face box, the size box and the spin in place of their buttons.
    BOOL Create(UINT nIDResource);

    // The face box's text, trimmed, goes first in the recent list, which is saved.
    void SaveMRUs();

    CMRUPathComboBox* GetFaceCombo() const { return m_pFace; }
    QLineEdit* GetSizeEdit() const { return m_pSize; }
    CSpinButtonCtrl* GetSizeSpin() const { return m_pSpin; }

private:
    CMRUPathComboBox* m_pFace = nullptr;
    QLineEdit* m_pSize = nullptr;
    CSpinButtonCtrl* m_pSpin = nullptr;
    QFont m_fontCombo;
    QFont m_fontEdit;
};
