#pragma once
// Printing's records and dialogs: the print dialog's record (range, copies, the printer), the
// page set-up record (paper and margins in thousandths of an inch), the print information that
// the print steps of a view share, and the program's printer set-up that every print starts from.
//
// The dialogs themselves run through the print dialog service: the program's shows Qt's print
// dialog (printing to a PDF file where no printer is set up) and page set-up dialog; tests
// install a scripted one. The quiet default declines both.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/CmdTarget.h"

#include <memory>

class CWnd;
class QPrinter;

// Print dialog flags: the range chosen (PD_ALLPAGES, PD_SELECTION, PD_PAGENUMS) and what the
// dialog offers.
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;

struct PRINTDLG {
    DWORD Flags = PD_ALLPAGES;
    WORD nFromPage = 1;
    WORD nToPage = 1;
    WORD nMinPage = 1;
    WORD nMaxPage = 0xFFFF;
    WORD nCopies = 1;
};

// The print dialog's record: what it offers and what the user chose, with the printer it chose
// (made from the program's printer set-up). Its modal run goes through the print dialog service.
class CPrintDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK with the range, copies and printer chosen (the printer and page also become the
    // program's printer set-up), or IDCANCEL.
    virtual INT_PTR DoModal();
    // The printer of the program's printer set-up, without a dialog; FALSE when there is no
    // printer to print to (none chosen and the system has none).
    BOOL GetDefaults();

    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    int GetCopies() const { return m_pd.nCopies; }
    BOOL PrintAll() const { return (m_pd.Flags & (PD_SELECTION | PD_PAGENUMS)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    // The printer name, or the file's path when it prints to a PDF file.
    CString GetDeviceName();

    // What a dialog answers with: every page (from the lowest to the highest), pages nFrom to
    // nTo (kept inside the lowest and highest), or the selection.
    void ChooseAll();
    void ChoosePages(int nFrom, int nTo);
    void ChooseSelection();
    // The printer writes a PDF file at path instead of going to a printer.
    void PrintToPdf(const CString& path);
    // The job goes to the printer of that name.
    void ChoosePrinter(const CString& name);

    // The printer the job goes to; made on first use from the program's printer set-up.
    QPrinter* GetPrinter();
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    PRINTDLG m_pd;

private:
    std::unique_ptr<QPrinter> m_pPrinter;
    CWnd* m_pParentWnd;
    // Qt forgets a printer it does not know (and writes an unnamed PDF instead): the name stays
    // here to tell the user.
    CString m_strChosenPrinter;
};

// Page set-up flags.
constexpr DWORD PSD_MARGINS = 0x00000002;
constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x00000004;

// Orientation of the paper.
constexpr int DMORIENT_PORTRAIT = 1;
constexpr int DMORIENT_LANDSCAPE = 2;

struct PAGESETUPDLG {
    DWORD Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
    POINT ptPaperSize{8500, 11000};  // thousandths of an inch
    RECT rtMinMargin{0, 0, 0, 0};
    RECT rtMargin{1000, 1000, 1000, 1000};
};

// The page set-up dialog's record: paper size, orientation and margins, in thousandths of an
// inch. With PSD_MARGINS the dialog opens with rtMargin; on OK all of them hold the choice.
class CPageSetupDialog {
public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES, CWnd* pParentWnd = nullptr);
    virtual ~CPageSetupDialog();
    CPageSetupDialog(const CPageSetupDialog&) = delete;
    CPageSetupDialog& operator=(const CPageSetupDialog&) = delete;

    // IDOK or IDCANCEL; the program's printer set-up is left alone (Print Setup stores it).
    virtual INT_PTR DoModal();

    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    void GetMargins(RECT* lpRectMargins, RECT* lpRectMinMargins) const;
    int GetOrientation() const { return m_nOrientation; }

    // Puts the record onto the printer (before the dialog) and takes it back (after OK).
    void ApplyToPrinter();
    void TakeFromPrinter();

    // The printer the dialog works on; made on first use from the program's printer set-up.
    QPrinter* GetPrinter();
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    PAGESETUPDLG m_psd;
    int m_nOrientation = DMORIENT_PORTRAIT;

private:
    std::unique_ptr<QPrinter> m_pPrinter;
    CWnd* m_pParentWnd;
};

// What the print steps of a view share for one job (printing or preview). A view's own printing
// may extend it.
class CPrintInfo {
public:
    CPrintInfo();
    virtual ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // The pages the document has: 1 to 0xFFFF (an open end: the view stops the job by clearing
    // m_bContinuePrinting) until the view knows better.
    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The range chosen in the print dialog.
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

    CPrintDialog* m_pPD;
    BOOL m_bDirect = FALSE;   // printed without the print dialog
    BOOL m_bPreview = FALSE;  // shown in the print preview
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    // The part of the page to draw on, in logical units of the page's mapping mode (under
    // MM_TWIPS y grows upward: top 0, bottom negative); set before each page is printed.
    CRect m_rectDraw;
    LPVOID m_lpUserData = nullptr;

private:
    std::unique_ptr<CPrintDialog> m_pOwnedPD;
};

// The print dialog service. Each run fills the record as the user chose and answers whether the
// user confirmed.
class IPrintDialogService {
public:
    virtual ~IPrintDialogService() = default;
    virtual BOOL RunPrintDialog(CPrintDialog& dlg) = 0;
    virtual BOOL RunPageSetup(CPageSetupDialog& dlg) = 0;
};
CServiceSlot<IPrintDialogService>& PrintDialogSlot();
IPrintDialogService& PrintDialogService();

// Qt's print dialog (a PDF file where the system has no printer) and page set-up dialog.
class CQtPrintDialogs : public IPrintDialogService {
public:
    BOOL RunPrintDialog(CPrintDialog& dlg) override;
    BOOL RunPageSetup(CPageSetupDialog& dlg) override;
};

// The program's printer set-up: the printer chosen (none: the system's default) and its page.
// Print Setup and every confirmed print dialog change it; each new dialog record starts from it.
// User-interface thread only.
void ApplyProgramPrinterSetup(QPrinter& printer);
void StoreProgramPrinterSetup(const QPrinter& printer);
// Back to the system's default printer and page (tests).
void ResetProgramPrinterSetup();
// Whether the system offers a printer at all.
BOOL SystemHasPrinter();
