#pragma once
// Property sheets: a dialog that shows one of its pages at a time, either as tabs with OK,
// Cancel and Apply, or as a wizard with Back, Next (or Finish) and Cancel.
//
// Pages are dialogs of their own, shown in the sheet in the order they were added. A page is
// made (OnInitDialog) when it is first shown. Leaving a page asks it (OnKillActive: by default
// its data exchange, so a field that does not validate keeps the page); entering one tells it
// (OnSetActive). In a wizard, Next, Back and Finish first take the page's data out
// (OnKillActive); then Next and Back ask the page where to go: 0 the next (or previous) page in
// order, -1 nowhere (the page stays), else the template id of the page to show. The modal run of
// a wizard returns ID_WIZFINISH when the user finished it.

#include "platform/ui/Dialog.h"
#include "platform/ui/FrameworkIds.h"

#include <vector>

class QLabel;
class QStackedWidget;
class QTabBar;

// Wizard buttons (SetWizardButtons): Back, Next, Finish, and Finish shown but disabled. Finish
// takes Next's place.
constexpr DWORD PSWIZB_BACK = 0x1;
constexpr DWORD PSWIZB_NEXT = 0x2;
constexpr DWORD PSWIZB_FINISH = 0x4;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;

// Buttons for PressButton.
constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_OK = 3;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_CANCEL = 5;

// Messages a sheet takes (posted or sent): set the wizard buttons (lParam the PSWIZB_ flags) and
// press a button (wParam a PSBTN_ value).
constexpr UINT PSM_PRESSBUTTON = WM_USER + 112;
constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 118;

// The sheet's header: its flags (PSH_WIZARD for a wizard) and the page shown first.
constexpr DWORD PSH_WIZARD = 0x20;
struct PROPSHEETHEADER {
    DWORD dwFlags = 0;
    UINT nStartPage = 0;
};

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    // The page's caption is its tab's text and, in a wizard, the heading above it.
    explicit CPropertyPage(UINT nIDTemplate, const char* caption = "");
    ~CPropertyPage() override;

    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(const char* caption);
    // The sheet the page was added to, or NULL.
    CPropertySheet* GetSheet() const { return m_pSheet; }
    // Whether the page has been made (it is made when first shown).
    BOOL IsPageMade() const { return m_bMade; }

    // The page is shown: the default loads its controls again, except on the first showing
    // (OnInitDialog loaded them). FALSE is not acted on.
    virtual BOOL OnSetActive();
    // The page is about to be left: the default takes the data out; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // The sheet's OK or Apply took the pages' values (OnApply calls OnOK); Cancel (OnReset
    // calls OnCancel). The defaults do nothing more.
    void OnOK() override {}
    void OnCancel() override {}
    virtual BOOL OnApply();
    virtual void OnReset();
    // Cancel was pressed on this page: FALSE keeps the sheet open.
    virtual BOOL OnQueryCancel() { return TRUE; }
    // Back or Next, after the page's data was taken out: 0 the page before (after) in order;
    // -1 stay; else the template id of the page to show.
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    // Finish was pressed on this page (its data taken out already): FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish() { return TRUE; }

    // A changed page enables the sheet's Apply button until the changes are applied.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }

    // Enter and Esc inside a page are the sheet's.
    void accept() override;
    void reject() override;

private:
    friend class CPropertySheet;
    void MakePage();
    void Unmake();

    CPropertySheet* m_pSheet = nullptr;
    CString m_strCaption;
    BOOL m_bMade = FALSE;
    BOOL m_bFirstSetActive = TRUE;
    BOOL m_bModified = FALSE;
};

class CPropertySheet : public CDialog {
public:
    explicit CPropertySheet(const char* caption = "", CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // Pages in the order added; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    int GetActiveIndex() const { return m_nActive; }
    // Shows another page (the page shown now is asked to let go first); before the run, the
    // page to start on.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    void SetTitle(const char* title);
    CString GetTitle() const { return m_strTitle; }

    // Wizard mode (before the run).
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
    void SetWizardButtons(DWORD dwFlags);
    DWORD GetWizardButtons() const { return m_dwWizButtons; }
    void SetFinishText(const char* text);

    // Presses a button as the user would; FALSE when it is not there or disabled.
    BOOL PressButton(int nButton);

    // IDOK or IDCANCEL; a wizard returns ID_WIZFINISH or IDCANCEL.
    INT_PTR DoModal() override;
    // Lays the sheet out and shows the start page.
    BOOL OnInitDialog() override;
    // OK (Enter in a wizard presses Finish or Next) and Cancel.
    void OnOK() override;
    void OnCancel() override;

    PROPSHEETHEADER m_psh;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPropertyPage;
    void BuildFrame();
    void ShowPage(int nPage);
    BOOL ChangePage(int nPage);
    int FindTemplate(UINT nIDTemplate) const;
    void OnWizardStep(BOOL bNext);
    void OnFinish();
    BOOL ApplyPages();
    void UpdateApply();
    BOOL IsButtonLive(UINT nID) const;

    std::vector<CPropertyPage*> m_pages;
    int m_nActive = -1;
    DWORD m_dwWizButtons = PSWIZB_BACK | PSWIZB_NEXT;
    CString m_strTitle;
    CString m_strFinish = "Finish";
    BOOL m_bBuilt = FALSE;
    QStackedWidget* m_pStack = nullptr;
    QTabBar* m_pTabs = nullptr;
    QLabel* m_pHeading = nullptr;
};
