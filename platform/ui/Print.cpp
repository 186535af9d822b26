#include "platform/ui/Print.h"

#include "platform/core/UiThread.h"
#include "platform/ui/QtString.h"
#include "platform/ui/Wnd.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

class CDecliningPrintDialogs : public IPrintDialogService {
public:
    BOOL RunPrintDialog(CPrintDialog&) override { return FALSE; }
    BOOL RunPageSetup(CPageSetupDialog&) override { return FALSE; }
};

CDecliningPrintDialogs g_declining;
CServiceSlot<IPrintDialogService> g_printDialogs(g_declining);

// The program's printer set-up; nothing chosen means the system's default printer and page.
struct CProgramPrinter {
    QString printerName;
    std::optional<QPageLayout> layout;
};

CProgramPrinter& ProgramPrinter()
{
    ASSERT_UI_THREAD();
    static CProgramPrinter setup;
    return setup;
}

std::unique_ptr<QPrinter> MakeProgramPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ApplyProgramPrinterSetup(*printer);
    return printer;
}

int Thousandths(double inches)
{
    return static_cast<int>(std::lround(inches * 1000.0));
}

QWidget* ParentWidget(CWnd* pParent)
{
    if (!pParent)
        pParent = AfxGetMainWnd();
    return pParent ? pParent->GetWidget() : nullptr;
}

// Where a PDF goes when the system has no printer: the user's documents, named for the job.
QString DefaultPdfPath(const QString& docName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString name = docName.isEmpty() ? QStringLiteral("document") : docName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

} // namespace

CServiceSlot<IPrintDialogService>& PrintDialogSlot()
{
    return g_printDialogs;
}

IPrintDialogService& PrintDialogService()
{
    return g_printDialogs.Get();
}

// --- the program's printer set-up ---------------------------------------------------------------

BOOL SystemHasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void ApplyProgramPrinterSetup(QPrinter& printer)
{
    const CProgramPrinter& setup = ProgramPrinter();
    if (!setup.printerName.isEmpty())
        printer.setPrinterName(setup.printerName);
    if (printer.outputFormat() == QPrinter::NativeFormat && !SystemHasPrinter())
        printer.setOutputFormat(QPrinter::PdfFormat);
    if (setup.layout)
        printer.setPageLayout(*setup.layout);
}

void StoreProgramPrinterSetup(const QPrinter& printer)
{
    CProgramPrinter& setup = ProgramPrinter();
    // A PDF file is chosen per job; the program keeps only a real printer.
    if (printer.outputFormat() == QPrinter::NativeFormat)
        setup.printerName = printer.printerName();
    setup.layout = printer.pageLayout();
}

void ResetProgramPrinterSetup()
{
    ProgramPrinter() = CProgramPrinter();
}

// --- CPrintDialog -------------------------------------------------------------------------------

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal()
{
    GetPrinter();
    if (!PrintDialogService().RunPrintDialog(*this))
        return IDCANCEL;
    StoreProgramPrinterSetup(*GetPrinter());
    return IDOK;
}

BOOL CPrintDialog::GetDefaults()
{
    QPrinter* printer = GetPrinter();
    if (printer->outputFormat() == QPrinter::PdfFormat)
        return !printer->outputFileName().isEmpty();
    return SystemHasPrinter();
}

CString CPrintDialog::GetDeviceName()
{
    QPrinter* printer = GetPrinter();
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        return FromQString(printer->outputFileName());
    if (!printer->printerName().isEmpty())
        return FromQString(printer->printerName());
    return m_strChosenPrinter;
}

void CPrintDialog::ChoosePrinter(const CString& name)
{
    QPrinter* printer = GetPrinter();
    m_strChosenPrinter = name;
    printer->setOutputFileName(QString());
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setPrinterName(ToQString(name));
}

void CPrintDialog::ChooseAll()
{
    m_pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS);
    m_pd.nFromPage = m_pd.nMinPage;
    m_pd.nToPage = m_pd.nMaxPage;
}

void CPrintDialog::ChoosePages(int nFrom, int nTo)
{
    const int lo = m_pd.nMinPage;
    const int hi = std::max<int>(m_pd.nMaxPage, lo);
    m_pd.Flags = (m_pd.Flags & ~PD_SELECTION) | PD_PAGENUMS;
    m_pd.nFromPage = static_cast<WORD>(std::clamp(nFrom, lo, hi));
    m_pd.nToPage = static_cast<WORD>(std::clamp(nTo, lo, hi));
}

void CPrintDialog::ChooseSelection()
{
    m_pd.Flags = (m_pd.Flags & ~PD_PAGENUMS) | PD_SELECTION;
}

void CPrintDialog::PrintToPdf(const CString& path)
{
    QPrinter* printer = GetPrinter();
    m_strChosenPrinter.Empty();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(ToQString(path));
}

QPrinter* CPrintDialog::GetPrinter()
{
    if (!m_pPrinter)
        m_pPrinter = MakeProgramPrinter();
    return m_pPrinter.get();
}

// --- CPageSetupDialog ---------------------------------------------------------------------------

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_psd.Flags = dwFlags;
    // Without margins asked for, the record starts from the program's page.
    TakeFromPrinter();
    m_psd.Flags = dwFlags;
}

CPageSetupDialog::~CPageSetupDialog() = default;

INT_PTR CPageSetupDialog::DoModal()
{
    ApplyToPrinter();
    return PrintDialogService().RunPageSetup(*this) ? IDOK : IDCANCEL;
}

void CPageSetupDialog::GetMargins(RECT* lpRectMargins, RECT* lpRectMinMargins) const
{
    if (lpRectMargins)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins)
        *lpRectMinMargins = m_psd.rtMinMargin;
}

void CPageSetupDialog::ApplyToPrinter()
{
    QPrinter* printer = GetPrinter();
    QPageLayout layout = printer->pageLayout();
    // The record holds the paper as it lies; Qt keeps the upright size and the orientation.
    const double w = m_psd.ptPaperSize.x / 1000.0;
    const double h = m_psd.ptPaperSize.y / 1000.0;
    if (w > 0 && h > 0)
        layout.setPageSize(QPageSize(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Inch, QString(),
                                     QPageSize::FuzzyMatch));
    layout.setOrientation(m_nOrientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_psd.Flags & PSD_MARGINS) {
        layout.setUnits(QPageLayout::Inch);
        layout.setMinimumMargins(QMarginsF());
        const RECT& m = m_psd.rtMargin;
        layout.setMargins(QMarginsF(m.left / 1000.0, m.top / 1000.0, m.right / 1000.0, m.bottom / 1000.0));
    }
    // A printer that refuses the margins still takes the paper.
    if (!printer->setPageLayout(layout)) {
        printer->setPageSize(layout.pageSize());
        printer->setPageOrientation(layout.orientation());
    }
}

void CPageSetupDialog::TakeFromPrinter()
{
    QPageLayout layout = GetPrinter()->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    const QRectF paper = layout.fullRect();
    m_psd.ptPaperSize = {Thousandths(paper.width()), Thousandths(paper.height())};
    const QMarginsF m = layout.margins();
    m_psd.rtMargin = {Thousandths(m.left()), Thousandths(m.top()), Thousandths(m.right()), Thousandths(m.bottom())};
    const QMarginsF mm = layout.minimumMargins();
    m_psd.rtMinMargin = {Thousandths(mm.left()), Thousandths(mm.top()), Thousandths(mm.right()),
                         Thousandths(mm.bottom())};
    m_nOrientation = layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

QPrinter* CPageSetupDialog::GetPrinter()
{
    if (!m_pPrinter)
        m_pPrinter = MakeProgramPrinter();
    return m_pPrinter.get();
}

// --- CPrintInfo ---------------------------------------------------------------------------------

CPrintInfo::CPrintInfo()
    : m_pOwnedPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
{
    m_pPD = m_pOwnedPD.get();
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() = default;

// --- Qt's dialogs -------------------------------------------------------------------------------

BOOL CQtPrintDialogs::RunPrintDialog(CPrintDialog& dlg)
{
    QPrinter* printer = dlg.GetPrinter();
    // Without a printer the dialog offers a PDF file, named for the document.
    if (!SystemHasPrinter() && printer->outputFileName().isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(DefaultPdfPath(printer->docName()));
    }
    QPrintDialog qd(printer, ParentWidget(dlg.GetParentWnd()));
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
        QAbstractPrintDialog::PrintCollateCopies;
    const PRINTDLG& pd = dlg.m_pd;
    if (!(pd.Flags & PD_NOPAGENUMS))
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!(pd.Flags & PD_NOSELECTION))
        options |= QAbstractPrintDialog::PrintSelection;
    qd.setOptions(options);
    qd.setMinMax(pd.nMinPage, std::max(pd.nMinPage, pd.nMaxPage));
    if (dlg.PrintRange()) {
        qd.setFromTo(pd.nFromPage, pd.nToPage);
        qd.setPrintRange(QAbstractPrintDialog::PageRange);
    } else if (dlg.PrintSelection()) {
        qd.setPrintRange(QAbstractPrintDialog::Selection);
    } else {
        qd.setPrintRange(QAbstractPrintDialog::AllPages);
    }
    if (qd.exec() != QDialog::Accepted)
        return FALSE;
    switch (qd.printRange()) {
    case QAbstractPrintDialog::PageRange: dlg.ChoosePages(qd.fromPage(), qd.toPage()); break;
    case QAbstractPrintDialog::Selection: dlg.ChooseSelection(); break;
    default: dlg.ChooseAll(); break;
    }
    dlg.m_pd.nCopies = static_cast<WORD>(std::max(1, printer->copyCount()));
    return TRUE;
}

BOOL CQtPrintDialogs::RunPageSetup(CPageSetupDialog& dlg)
{
    QPageSetupDialog qd(dlg.GetPrinter(), ParentWidget(dlg.GetParentWnd()));
    if (qd.exec() != QDialog::Accepted)
        return FALSE;
    dlg.TakeFromPrinter();
    return TRUE;
}
