#include "platform/ui/PropertySheet.h"

#include "platform/ui/QtString.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

// --- CPropertyPage ------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, const char* caption)
    : CDialog(nIDTemplate, nullptr), m_strCaption(caption ? caption : "")
{
    // A page is a part of its sheet, never a window of its own.
    setWindowFlags(Qt::Widget);
}

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet)
        m_pSheet->RemovePage(this);
}

void CPropertyPage::SetCaption(const char* caption)
{
    m_strCaption = caption ? caption : "";
    if (m_pSheet) {
        const int i = m_pSheet->GetPageIndex(this);
        if (m_pSheet->m_pTabs && i >= 0)
            m_pSheet->m_pTabs->setTabText(i, ToQString(m_strCaption));
        if (m_pSheet->m_pHeading && i == m_pSheet->m_nActive)
            m_pSheet->m_pHeading->setText(ToQString(m_strCaption));
    }
}

void CPropertyPage::MakePage()
{
    if (m_bMade)
        return;
    m_bMade = TRUE;
    m_bFirstSetActive = TRUE;
    SetCreated(TRUE);
    OnInitDialog();
}

void CPropertyPage::Unmake()
{
    m_bMade = FALSE;
    m_bModified = FALSE;
    SetCreated(FALSE);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_pSheet)
        m_pSheet->UpdateApply();
}

void CPropertyPage::accept()
{
    if (m_pSheet)
        m_pSheet->accept();
}

void CPropertyPage::reject()
{
    if (m_pSheet)
        m_pSheet->reject();
}

// --- CPropertySheet -----------------------------------------------------------------------------

CPropertySheet::CPropertySheet(const char* caption, CWnd* pParentWnd, UINT iSelectPage)
    : CDialog(0, pParentWnd), m_strTitle(caption ? caption : "")
{
    m_psh.nStartPage = iSelectPage;
    m_pTabs = new QTabBar(this);
    m_pTabs->setDrawBase(false);
    m_pTabs->setExpanding(false);
    m_pStack = new QStackedWidget(this);
    QObject::connect(m_pTabs, &QTabBar::currentChanged, NotifyContext(), [this](int nTab) {
        if (nTab == m_nActive || m_nActive < 0)
            return;
        // A page that will not let go keeps its tab.
        if (!ChangePage(nTab)) {
            const QSignalBlocker block(m_pTabs);
            m_pTabs->setCurrentIndex(m_nActive);
        }
    });
    BindCommand(ID_WIZBACK, [this] { OnWizardStep(FALSE); });
    BindCommand(ID_WIZNEXT, [this] { OnWizardStep(TRUE); });
    BindCommand(ID_WIZFINISH, [this] { OnFinish(); });
    BindCommand(ID_APPLY_NOW, [this] {
        if (ApplyPages())
            UpdateApply();
    });
}

CPropertySheet::~CPropertySheet()
{
    // The pages belong to whoever made them: they leave before the sheet's widgets go.
    for (CPropertyPage* pPage : m_pages) {
        pPage->m_pSheet = nullptr;
        pPage->setParent(nullptr);
    }
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
    m_pStack->addWidget(pPage);
    const QSignalBlocker block(m_pTabs);
    m_pTabs->addTab(ToQString(pPage->GetCaption()));
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    const int i = GetPageIndex(pPage);
    if (i < 0)
        return;
    m_pages.erase(m_pages.begin() + i);
    m_pStack->removeWidget(pPage);
    pPage->setParent(nullptr);
    pPage->m_pSheet = nullptr;
    {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->removeTab(i);
    }
    if (i == m_nActive) {
        m_nActive = -1;
        if (m_bBuilt && !m_pages.empty())
            ShowPage(std::min(i, GetPageCount() - 1));
    } else if (i < m_nActive) {
        --m_nActive;
    }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int CPropertySheet::FindTemplate(UINT nIDTemplate) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)]->GetTemplateId() == nIDTemplate)
            return i;
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_bBuilt) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return ChangePage(nPage);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(const char* title)
{
    m_strTitle = title ? title : "";
    setWindowTitle(ToQString(m_strTitle));
}

void CPropertySheet::SetFinishText(const char* text)
{
    m_strFinish = text ? text : "";
    if (auto* finish = GetDlgItemAs<QPushButton>(ID_WIZFINISH))
        finish->setText(ToQString(m_strFinish));
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    m_dwWizButtons = dwFlags;
    auto* back = GetDlgItemAs<QPushButton>(ID_WIZBACK);
    auto* next = GetDlgItemAs<QPushButton>(ID_WIZNEXT);
    auto* finish = GetDlgItemAs<QPushButton>(ID_WIZFINISH);
    if (!back || !next || !finish)
        return;
    back->setEnabled((dwFlags & PSWIZB_BACK) != 0);
    const BOOL bFinish = (dwFlags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    next->setVisible(!bFinish);
    next->setEnabled((dwFlags & PSWIZB_NEXT) != 0);
    finish->setVisible(bFinish);
    finish->setEnabled((dwFlags & PSWIZB_FINISH) != 0);
    next->setDefault(!bFinish);
    finish->setDefault(bFinish);
}

void CPropertySheet::BuildFrame()
{
    if (m_bBuilt)
        return;
    m_bBuilt = TRUE;
    setWindowTitle(ToQString(m_strTitle));
    auto* layout = new QVBoxLayout(this);
    if (IsWizard()) {
        m_pTabs->hide();
        m_pHeading = new QLabel(this);
        QFont bold = m_pHeading->font();
        bold.setBold(true);
        m_pHeading->setFont(bold);
        layout->addWidget(m_pHeading);
        layout->addWidget(m_pStack, 1);
        auto* rule = new QFrame(this);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        layout->addWidget(rule);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(CreateButton(ID_WIZBACK, "< &Back"));
        buttons->addWidget(CreateButton(ID_WIZNEXT, "&Next >", TRUE));
        buttons->addWidget(CreateButton(ID_WIZFINISH, m_strFinish));
        buttons->addSpacing(8);
        buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
        layout->addLayout(buttons);
        SetWizardButtons(m_dwWizButtons);
    } else {
        // The tabs sit on the pages' frame.
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* inner = new QVBoxLayout(frame);
        inner->addWidget(m_pStack);
        layout->setSpacing(0);
        layout->addWidget(m_pTabs);
        layout->addWidget(frame, 1);
        layout->addSpacing(8);
        QDialogButtonBox* box = CreateButtonBox({IDOK, IDCANCEL});
        box->addButton(CreateButton(ID_APPLY_NOW, "&Apply"), QDialogButtonBox::ApplyRole);
        layout->addWidget(box);
        UpdateApply();
    }
}

BOOL CPropertySheet::OnInitDialog()
{
    BuildFrame();
    CDialog::OnInitDialog();
    for (CPropertyPage* pPage : m_pages)
        pPage->Unmake();
    m_nActive = -1;
    if (!m_pages.empty())
        ShowPage(std::min(static_cast<int>(m_psh.nStartPage), GetPageCount() - 1));
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    const INT_PTR nResult = CDialog::DoModal();
    // The pages go with the sheet's window; another run makes them anew.
    for (CPropertyPage* pPage : m_pages) {
        if (pPage->IsPageMade())
            pPage->DestroyWindow();
        pPage->Unmake();
    }
    return nResult;
}

void CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* pPage = GetPage(nPage);
    if (!pPage)
        return;
    m_nActive = nPage;
    pPage->MakePage();
    m_pStack->setCurrentWidget(pPage);
    {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentIndex(nPage);
    }
    if (m_pHeading)
        m_pHeading->setText(ToQString(pPage->GetCaption()));
    pPage->OnSetActive();
}

BOOL CPropertySheet::ChangePage(int nPage)
{
    if (!GetPage(nPage))
        return FALSE;
    if (CPropertyPage* pActive = GetActivePage()) {
        if (!pActive->OnKillActive())
            return FALSE;
    }
    ShowPage(nPage);
    return TRUE;
}

void CPropertySheet::OnWizardStep(BOOL bNext)
{
    CPropertyPage* pActive = GetActivePage();
    if (!IsWizard() || !pActive)
        return;
    // The page's data first: a field that does not validate keeps the page before it has said
    // where to go (and before it recorded its step), and the page decides on what was typed.
    if (!pActive->OnKillActive())
        return;
    const LRESULT target = bNext ? pActive->OnWizardNext() : pActive->OnWizardBack();
    if (target == -1)
        return;
    const int nPage = target == 0 ? m_nActive + (bNext ? 1 : -1) : FindTemplate(static_cast<UINT>(target));
    if (GetPage(nPage))
        ShowPage(nPage);
}

void CPropertySheet::OnFinish()
{
    CPropertyPage* pActive = GetActivePage();
    if (!IsWizard() || !pActive)
        return;
    if (!pActive->OnKillActive() || !pActive->OnWizardFinish())
        return;
    EndDialog(ID_WIZFINISH);
}

BOOL CPropertySheet::ApplyPages()
{
    if (CPropertyPage* pActive = GetActivePage()) {
        if (!pActive->OnKillActive())
            return FALSE;
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* pPage = m_pages[static_cast<size_t>(i)];
        if (!pPage->IsPageMade())
            continue;
        if (!pPage->OnApply()) {
            if (i != m_nActive)
                ShowPage(i);
            return FALSE;
        }
        pPage->m_bModified = FALSE;
    }
    return TRUE;
}

void CPropertySheet::UpdateApply()
{
    const BOOL bModified = std::any_of(m_pages.begin(), m_pages.end(), [](const CPropertyPage* p) {
        return p->IsModified();
    });
    EnableDlgItem(ID_APPLY_NOW, bModified);
}

void CPropertySheet::OnOK()
{
    if (IsWizard()) {
        // Enter presses the button that stands in Next's place.
        if (m_dwWizButtons & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH))
            PressButton(PSBTN_FINISH);
        else
            PressButton(PSBTN_NEXT);
        return;
    }
    if (ApplyPages())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    if (CPropertyPage* pActive = GetActivePage()) {
        if (!pActive->OnQueryCancel())
            return;
    }
    for (CPropertyPage* pPage : m_pages) {
        if (pPage->IsPageMade())
            pPage->OnReset();
    }
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::IsButtonLive(UINT nID) const
{
    const QWidget* button = GetDlgItem(static_cast<int>(nID));
    return button && !button->isHidden() && button->isEnabled();
}

BOOL CPropertySheet::PressButton(int nButton)
{
    UINT nID = 0;
    switch (nButton) {
    case PSBTN_BACK: nID = ID_WIZBACK; break;
    case PSBTN_NEXT: nID = ID_WIZNEXT; break;
    case PSBTN_FINISH: nID = ID_WIZFINISH; break;
    case PSBTN_OK: nID = IDOK; break;
    case PSBTN_APPLYNOW: nID = ID_APPLY_NOW; break;
    case PSBTN_CANCEL: nID = IDCANCEL; break;
    default: return FALSE;
    }
    if (!IsButtonLive(nID))
        return FALSE;
    OnCommand(nID);
    return TRUE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PSM_SETWIZBUTTONS: SetWizardButtons(static_cast<DWORD>(lParam)); return 0;
    case PSM_PRESSBUTTON: return PressButton(static_cast<int>(wParam));
    default: return CDialog::WindowProc(message, wParam, lParam);
    }
}
