#include "platform/ui/Print.h"

#include "platform/core/FileSys.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/PrintPreview.h"
#include "platform/ui/View.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedPrintDialogs.h"

#include <QApplication>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

// A view of nPages pages (0: it does not know how many and stops after nStopAfter) that records
// the print steps and the pages it printed.
class CPagesView : public CView {
public:
    explicit CPagesView(int nPages, int nStopAfter = 0) : m_nPages(nPages), m_nStopAfter(nStopAfter)
    {
        BindPrintCommands();
    }

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        if (m_nPages > 0)
            pInfo->SetMaxPage(static_cast<UINT>(m_nPages));
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { ++begins; }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (!pInfo)
            return;
        pDC->SetMapMode(MM_TWIPS);
        if (m_nPages == 0)
            pInfo->m_bContinuePrinting = static_cast<int>(pInfo->m_nCurPage) <= m_nStopAfter;
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printed.push_back(static_cast<int>(pInfo->m_nCurPage));
        rectDraw = pInfo->m_rectDraw;
        CString text;
        text.Format("Page %u", pInfo->m_nCurPage);
        pDC->TextOut(720, -720, text);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++ends; }

    int begins = 0;
    int ends = 0;
    std::vector<int> printed;
    CRect rectDraw;

private:
    int m_nPages;
    int m_nStopAfter;
};

// The pages of a PDF file (0 when there is none).
int PdfPageCount(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class PrintTest : public CorraTest {
protected:
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> installed{PrintDialogSlot(), dialogs};
};

TEST_F(PrintTest, TheRangeChosenGoesToThePdfPageByPage)
{
    struct Case {
        const char* what;
        int nPages;      // 0: not known before printing
        int nStopAfter;  // where a view that does not know stops
        int nFrom;       // 0: every page
        int nTo;
        BOOL bDirect;
        std::vector<int> printed;
    };
    const Case cases[] = {
        {"pages 2 to 3 of 5", 5, 0, 2, 3, FALSE, {2, 3}},
        {"every page of 4", 4, 0, 0, 0, FALSE, {1, 2, 3, 4}},
        {"an open end stops where the view stops", 0, 3, 0, 0, FALSE, {1, 2, 3}},
        {"a range past the end ends at the last page", 4, 0, 3, 9, FALSE, {3, 4}},
        {"a range backwards prints backwards", 5, 0, 4, 2, FALSE, {4, 3, 2}},
        {"without a printer a direct job asks too", 2, 0, 0, 0, TRUE, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CString path = HomePath("out.pdf");
        fsys::DeleteFile(path);
        dialogs.printRequests.clear();
        dialogs.QueuePdf(path, c.nFrom, c.nTo);
        CPagesView view(c.nPages, c.nStopAfter);
        EXPECT_TRUE(view.DoFilePrint(c.bDirect));
        EXPECT_EQ(view.printed, c.printed);
        EXPECT_EQ(PdfPageCount(path), static_cast<int>(c.printed.size()));
        EXPECT_EQ(view.begins, 1);
        EXPECT_EQ(view.ends, 1);
        ASSERT_EQ(dialogs.printRequests.size(), 1u);
        EXPECT_EQ(dialogs.printRequests[0].nMaxPage, c.nPages > 0 ? c.nPages : 0xFFFF);
        // The page in twips, y upward from the top left of what the printer can print.
        EXPECT_EQ(view.rectDraw.top, 0);
        EXPECT_EQ(view.rectDraw.left, 0);
        EXPECT_GT(view.rectDraw.right, 8 * 1440 / 2);
        EXPECT_LT(view.rectDraw.bottom, -8 * 1440);
        EXPECT_TRUE(messageBox.calls.empty());
    }
}

TEST_F(PrintTest, AJobThatDoesNotGoOutIsReportedAndNeverTakenAsPrinted)
{
    struct Case {
        const char* what;
        CString pdf;  // empty: the printer below
        const char* printer;
        const char* told;  // in the message; NULL: nothing is told
        int begins;
    };
    const Case cases[] = {
        {"a PDF in a folder that is not there", HomePath("missing/folder/out.pdf"), nullptr, "missing/folder/out.pdf", 1},
        {"a printer that is not there", "", "Corra Nowhere Printer", "Corra Nowhere Printer", 1},
        {"a cancelled dialog", "", nullptr, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messageBox.calls.clear();
        if (!c.pdf.IsEmpty()) {
            dialogs.QueuePdf(c.pdf);
        } else if (c.printer) {
            dialogs.QueuePrinter(c.printer);
        } else {
            dialogs.QueueCancel();
        }
        CPagesView view(3);
        EXPECT_FALSE(view.DoFilePrint(FALSE));
        EXPECT_EQ(view.begins, c.begins);
        EXPECT_EQ(view.ends, c.begins);
        if (c.told) {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_NE(messageBox.calls[0].text.Find(c.told), -1) << messageBox.calls[0].text.GetString();
        } else {
            EXPECT_TRUE(messageBox.calls.empty());
        }
        if (!c.pdf.IsEmpty()) {
            EXPECT_FALSE(fsys::Exists(c.pdf));
        }
    }
}

TEST_F(PrintTest, ThePreviewShowsTheJobAndItsPrintButtonPrintsIt)
{
    CPagesView view(3);
    ASSERT_TRUE(view.DoPrintPreview(426, &view, nullptr));
    CPreviewView* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = dynamic_cast<CPreviewView*>(w))
            preview = p;
    }
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(RunEventsUntil([&]() -> bool { return preview->GetPageCount() == 3; }));
    EXPECT_EQ(view.begins, 1);
    EXPECT_EQ(preview->GetCurrentPage(), 1);
    preview->OnCommand(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2);

    // Print from the preview: the preview ends its job and the view prints on paper.
    const CString path = HomePath("preview.pdf");
    dialogs.QueuePdf(path);
    QPointer<CPreviewView> gone(preview);
    preview->OnCommand(AFX_ID_PREVIEW_PRINT);
    ASSERT_TRUE(RunEventsUntil([&]() -> bool { return fsys::Exists(path) && gone.isNull(); }));
    EXPECT_EQ(PdfPageCount(path), 3);
    EXPECT_EQ(view.begins, 2);
    EXPECT_EQ(view.ends, 2);
}

TEST_F(PrintTest, PageSetupWorksInThousandthsOfAnInch)
{
    dialogs.QueuePage({11000, 8500}, {500, 750, 1000, 1250}, DMORIENT_LANDSCAPE);
    CPageSetupDialog dlg;
    dlg.m_psd.rtMargin = {1000, 1000, 1000, 1000};
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(dialogs.pageRequests.size(), 1u);
    EXPECT_EQ(dialogs.pageRequests[0].rtMargin.left, 1000);

    // What the dialog chose comes back from the printer as it was asked for.
    dlg.TakeFromPrinter();
    RECT margins{};
    dlg.GetMargins(&margins, nullptr);
    EXPECT_EQ(margins.left, 500);
    EXPECT_EQ(margins.top, 750);
    EXPECT_EQ(margins.right, 1000);
    EXPECT_EQ(margins.bottom, 1250);
    EXPECT_EQ(dlg.GetPaperSize(), CSize(11000, 8500));
    EXPECT_EQ(dlg.GetOrientation(), DMORIENT_LANDSCAPE);

    dialogs.QueuePageCancel();
    CPageSetupDialog cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

} // namespace
