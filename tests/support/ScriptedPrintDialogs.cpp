#include "tests/support/ScriptedPrintDialogs.h"


void CScriptedPrintDialogs::QueuePdf(const char* path, int nFrom, int nTo)
{
    m_print.push_back({true, true, CString(path), nFrom, nTo});
}

void CScriptedPrintDialogs::QueuePrinter(const char* name)
{
    m_print.push_back({true, false, CString(name), 0, 0});
}

void CScriptedPrintDialogs::QueuePage(POINT paper, RECT margins, int nOrientation)
{
    m_page.push_back({true, paper, margins, nOrientation});
}

BOOL CScriptedPrintDialogs::RunPrintDialog(CPrintDialog& dlg)
{
    printRequests.push_back(dlg.m_pd);
    if (m_print.empty())
        return FALSE;
    const PrintAnswer answer = m_print.front();
    m_print.pop_front();
    if (!answer.ok)
        return FALSE;
    if (answer.pdf) {
        dlg.PrintToPdf(answer.target);
    } else {
        dlg.ChoosePrinter(answer.target);
    }
    if (answer.nFrom > 0)
        dlg.ChoosePages(answer.nFrom, answer.nTo);
    else
        dlg.ChooseAll();
    return TRUE;
}

BOOL CScriptedPrintDialogs::RunPageSetup(CPageSetupDialog& dlg)
{
    pageRequests.push_back(dlg.m_psd);
    if (m_page.empty())
        return FALSE;
    const PageAnswer answer = m_page.front();
    m_page.pop_front();
    if (!answer.ok)
        return FALSE;
    dlg.m_psd.ptPaperSize = answer.paper;
    dlg.m_psd.rtMargin = answer.margins;
    dlg.m_nOrientation = answer.nOrientation;
    dlg.ApplyToPrinter();
    return TRUE;
}
