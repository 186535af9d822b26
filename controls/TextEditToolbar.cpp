#include "controls/TextEditToolbar.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/Log.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "res/ids/FloatEditTB.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace {

QFont ArialOfHeight(int nPixels)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(nPixels);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace

CTextEditToolbar::CTextEditToolbar(QWidget* parent)
    : CDlgToolBar(parent), m_fontCombo(ArialOfHeight(10)), m_fontEdit(ArialOfHeight(12))
{
}

BOOL CTextEditToolbar::Create(UINT nIDResource)
{
    if (!Load(nIDResource))
        return FALSE;
    int face = -1, size = -1, spin = -1;
    for (int i = 0; i < GetButtonCount(); ++i) {
        switch (GetItemID(i)) {
        case ID_PLACE_FONT_FACE: face = i; break;
        case ID_PLACE_FONT_SIZE: size = i; break;
        case ID_PLACE_FONT_SPIN: spin = i; break;
        default: break;
        }
    }
    const int height = GetButtonSize().cy;
    m_pFace = new CMRUPathComboBox(this);
    m_pFace->setEditable(false);
    m_pFace->setFont(m_fontCombo);
    m_pFace->setFixedHeight(height);
    m_pFace->setMaxVisibleItems(12);
    RegisterControl(IDC_FONT_FACE, m_pFace);
    m_pFace->Init("FontFace");
    // The box's list is 200 pixels longer than an item.
    m_pFace->view()->setMinimumHeight(m_pFace->view()->sizeHintForRow(0) + 200);

    m_pSize = new QLineEdit(this);
    m_pSize->setReadOnly(true);
    m_pSize->setFont(m_fontEdit);
    m_pSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pSize->setFixedHeight(height);
    m_pSize->setTextMargins(0, 0, 1, 0);
    RegisterControl(IDC_FONT_SIZE, m_pSize);

    m_pSpin = new CSpinButtonCtrl(this);
    m_pSpin->setFixedHeight(height);
    m_pSpin->SetRange(6, 36);
    m_pSpin->SetBuddy(m_pSize);
    m_pSpin->SetBuddyInt(TRUE);
    RegisterControl(IDC_FONT_SIZE_SPIN, m_pSpin);

    SetButtonControl(face, m_pFace, 100);
    SetButtonControl(size, m_pSize, 25);
    SetButtonControl(spin, m_pSpin, 20);
    return TRUE;
}

void CTextEditToolbar::SaveMRUs()
{
    if (!m_pFace)
        return;
    CString face = m_pFace->GetWindowText();
    face.Trim();
    if (face.IsEmpty())
        LogOutput("CTextEditToolbar::SaveMRUs() - empty fontface", LOG_ERROR, LOG_HERE);
    else
        m_pFace->Add(face);
    m_pFace->Save();
}
