#pragma once
// A print dialog service for tests: each print dialog takes the next queued answer ("a PDF here,
// pages 2 to 3", a printer by name, or a cancel); each page set-up the next queued page or a
// cancel. With its queue empty a dialog cancels. What each dialog was opened with is recorded.

#include "platform/ui/Print.h"

#include <deque>
#include <vector>

class CScriptedPrintDialogs : public IPrintDialogService {
public:
    BOOL RunPrintDialog(CPrintDialog& dlg) override;
    BOOL RunPageSetup(CPageSetupDialog& dlg) override;

    // A PDF file at path; nFrom and nTo 0 for every page.
    void QueuePdf(const char* path, int nFrom = 0, int nTo = 0);
    // A printer of that name (one the system may not have).
    void QueuePrinter(const char* name);
    void QueueCancel() { m_print.push_back({}); }
    // Paper and margins in thousandths of an inch.
    void QueuePage(POINT paper, RECT margins, int nOrientation = DMORIENT_PORTRAIT);
    void QueuePageCancel() { m_page.push_back({}); }

    // The records as the dialogs were opened.
    std::vector<PRINTDLG> printRequests;
    std::vector<PAGESETUPDLG> pageRequests;

private:
    struct PrintAnswer {
        bool ok = false;
        bool pdf = true;
        CString target;
        int nFrom = 0;
        int nTo = 0;
    };
    struct PageAnswer {
        bool ok = false;
        POINT paper{};
        RECT margins{};
        int nOrientation = DMORIENT_PORTRAIT;
    };
    std::deque<PrintAnswer> m_print;
    std::deque<PageAnswer> m_page;
};
