#include "controls/FixedFontDialog.h"

#include "platform/core/ScreenInfo.h"

#include <QFontDatabase>

namespace {
// The installed face that stands for the dialog face: the metric twin of the common sans face
// when it is there, else whatever sans face the system has.
const char* const kInstalledSansFace = "Liberation Sans";
}

QFont CFixedFontDialog::FixedFont(int nPointSize)
{
    QFont font;
    if (QFontDatabase::hasFamily(QString::fromLatin1(kInstalledSansFace)))
        font.setFamily(QString::fromLatin1(kInstalledSansFace));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(nPointSize);
    return font;
}

CFixedFontDialog::CFixedFontDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
    CScreenInfo screen = GetScreenInfo();
    m_nScreenWidth = screen.nWidth;
    m_nScreenHeight = screen.nHeight;
    m_nFontSize = m_nScreenWidth == 1024 ? 10 : 8;
}

void CFixedFontDialog::ApplyFont(int nPointSize)
{
    setFont(FixedFont(nPointSize));
}

INT_PTR CFixedFontDialog::DoModal()
{
    if (m_nTemplateId == 0)
        return -1;
    ApplyFont(ModalFontSize());
    return CDialog::DoModal();
}

BOOL CFixedFontDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_nIDHelp == 0)
        m_nIDHelp = nIDTemplate;
    if (m_nTemplateId == 0)
        return FALSE;
    ApplyFont(m_nFontSize);
    return CDialog::Create(nIDTemplate, pParentWnd);
}

BOOL CFixedFontDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterOnOwner();
    m_bInitialized = TRUE;
    return TRUE;
}

UINT CFixedFontDialog::SetHelpId(UINT nID)
{
    m_nIDHelp = nID;
    return m_nIDHelp;
}

void CFixedFontDialog::MoveTo(int x, int y)
{
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFixedFontDialog::MoveBy(int dx, int dy)
{
    CRect r;
    GetWindowRect(&r);
    MoveTo(r.left + dx, r.top + dy);
}

void CFixedFontDialog::CenterOnOwner()
{
    CPoint p = GetCenteredPosition();
    MoveTo(p.x, p.y);
}

BOOL IsListBoxItemVisible(CListBox* pList, int nIndex)
{
    CRect item, area;
    if (!pList || pList->GetItemRect(nIndex, &item) == LB_ERR)
        return FALSE;
    pList->GetItemsArea(&area);
    return item.bottom > area.top && item.top < area.bottom;
}

void GetSelectedListBoxTexts(CListBox* pList, CStringArray& texts)
{
    texts.RemoveAll();
    if (!pList)
        return;
    for (int i = 0; i < pList->GetCount(); ++i) {
        if (pList->GetSel(i) > 0)
            texts.Add(pList->GetText(i));
    }
}

void DeleteSelectedListBoxItems(CListBox* pList)
{
    if (!pList)
        return;
    // By index, from the last: an item with the same text as a selected one stays.
    for (int i = pList->GetCount() - 1; i >= 0; --i) {
        if (pList->GetSel(i) > 0)
            pList->DeleteString(i);
    }
}
