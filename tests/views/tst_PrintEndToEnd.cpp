// The sample bank printed the way a person prints it: File > Print on the question pane, the
// print dialog answered with a PDF file, then the file read back with poppler's tools. The pages
// carry the titles and their numbers, the instructions once, every question once and in order,
// and no word lies in the margins or in the footer's band. The preview shows as many pages.

#include "views/CorraView.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "platform/ui/PrintPreview.h"
#include "platform/ui/QtString.h"
#include "render/RtfDraw3.h"
#include "render/RtfText.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScriptedPrintDialogs.h"
#include "tests/support/TopLevel.h"
#include "views/CorraPreviewView.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <memory>
#include <string>
#include <vector>

namespace {

CTestResetHook g_resetMargins([] { SetPageMargins(CPageMargins{}); });

class CSampleDoc : public CCorraDoc {
public:
    CSampleDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

// Blanks of every kind made one space, ends trimmed.
QString Simplified(const QString& s)
{
    return s.simplified();
}

QString PlainOf(const CString& text)
{
    return Simplified(ToQString(RtfToPlainText(text)));
}

struct CWord {
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct CPdfPage {
    double width = 0, height = 0;
    std::vector<CWord> words;
};

class PrintEndToEndTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        InstallRtfTextDrawer();
        m_pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const CString bank = HomePath("Biology.crr");
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), bank, FALSE));
        ASSERT_EQ(doc.ReadCorraDoc(bank), CCorraDoc::readComplete);
        doc.SetPathName(bank, FALSE);
        doc.SetModifiedFlag(FALSE);
        panes = std::make_unique<CCorraPanes>(doc);
    }
    void TearDown() override
    {
        panes.reset();
        CorraTest::TearDown();
    }

    static std::string Run(const QString& program, const QStringList& args) { return RunTool(program, args); }

    int PdfPages(const CString& pdf)
    {
        const QString info = QString::fromStdString(Run(m_pdfinfo, {ToQString(pdf)}));
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    std::vector<CPdfPage> PdfWords(const CString& pdf)
    {
        const QString html =
            QString::fromStdString(Run(m_pdftotext, {QStringLiteral("-bbox"), ToQString(pdf), QStringLiteral("-")}));
        std::vector<CPdfPage> pages;
        const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
        const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        for (const QString& part : html.split(QStringLiteral("</page>"))) {
            const QRegularExpressionMatch p = page.match(part);
            if (!p.hasMatch())
                continue;
            CPdfPage out;
            out.width = p.captured(1).toDouble();
            out.height = p.captured(2).toDouble();
            for (auto it = word.globalMatch(part); it.hasNext();) {
                const QRegularExpressionMatch w = it.next();
                out.words.push_back({w.captured(1).toDouble(), w.captured(2).toDouble(), w.captured(3).toDouble(),
                                     w.captured(4).toDouble(), w.captured(5)});
            }
            pages.push_back(out);
        }
        return pages;
    }

    // The texts of the questions in the order they print: each group with its header first, in
    // the order of the groups, then the questions of no group.
    std::vector<QString> PrintOrder()
    {
        CPtrListEx order;
        for (int i = 0; i < panes->upper->GetElementCount(); ++i)
            order.AddTail(panes->upper->GetElementQuestion(i));
        for (POSITION pos = doc.m_plGroups.GetHeadPosition(); pos;) {
            auto* group = static_cast<CGroup*>(doc.m_plGroups.GetNext(pos));
            if (group->m_pHeaderQuestion)
                order.AddTail(group->m_pHeaderQuestion);
        }
        doc.OrderItemsByGroups(order, [](void* p) { return static_cast<CCorraQuestion*>(p)->m_nMemberId; });
        std::vector<QString> texts;
        for (POSITION pos = order.GetHeadPosition(); pos;)
            texts.push_back(PlainOf(static_cast<CCorraQuestion*>(order.GetNext(pos))->m_cszQuestionText).left(28));
        return texts;
    }

    CSampleDoc doc;
    std::unique_ptr<CCorraPanes> panes;
    QString m_pdfinfo;
    QString m_pdftotext;
};

TEST_F(PrintEndToEndTest, TheSampleBankPrintsToPdfThroughFilePrint)
{
    if (m_pdfinfo.isEmpty() || m_pdftotext.isEmpty())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    const CString pdf = HomePath("printed.pdf");
    dialogs.QueuePdf(pdf);

    panes->upper->OnCommand(ID_FILE_PRINT);
    ASSERT_TRUE(fsys::Exists(pdf));
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_FALSE(doc.IsModified());

    const int pages = PdfPages(pdf);
    EXPECT_GE(pages, 1);
    EXPECT_EQ(pages, panes->upper->GetLastPageCount());

    // Page by page: the titles and the page's number.
    const QString text = QString::fromStdString(Run(m_pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                                  ToQString(pdf), QStringLiteral("-")}));
    QStringList pageTexts = text.split(QLatin1Char('\f'));
    while (!pageTexts.isEmpty() && pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast();
    ASSERT_EQ(pageTexts.size(), pages);
    const QString title1 = PlainOf(doc.m_csTitle1);
    const QString title2 = PlainOf(doc.m_csTitle2);
    for (int p = 0; p < pages; ++p) {
        const QString page = Simplified(pageTexts[p]);
        EXPECT_TRUE(page.contains(title1)) << p + 1;
        EXPECT_TRUE(page.contains(title2)) << p + 1;
        EXPECT_TRUE(page.contains(QStringLiteral("Page %1").arg(p + 1))) << page.toStdString();
    }

    // The instructions once; every question once, in the order it prints.
    const QString all = Simplified(text);
    const QString instructions = PlainOf(doc.m_csInstructions).left(30);
    EXPECT_EQ(all.count(instructions), 1) << instructions.toStdString();
    qsizetype at = 0;
    for (const QString& q : PrintOrder()) {
        EXPECT_EQ(all.count(q), 1) << q.toStdString();
        const qsizetype found = all.indexOf(q, at);
        EXPECT_GE(found, 0) << q.toStdString() << " after " << at;
        if (found >= 0)
            at = found + q.size();
    }
    EXPECT_FALSE(all.contains(QStringLiteral("\\rtf")));

    // No word in the margins (half an inch, 36 points) or in the footer's band.
    const std::vector<CPdfPage> boxes = PdfWords(pdf);
    ASSERT_EQ(static_cast<int>(boxes.size()), pages);
    const QString path = ToQString(doc.GetPathName());
    for (int p = 0; p < pages; ++p) {
        const CPdfPage& page = boxes[static_cast<size_t>(p)];
        double footerTop = page.height;
        for (const CWord& w : page.words) {
            if (path.endsWith(w.text) || w.text == QStringLiteral("Page"))
                footerTop = std::min(footerTop, w.yMin);
        }
        EXPECT_LT(footerTop, page.height - 36);
        for (const CWord& w : page.words) {
            SCOPED_TRACE(w.text.toStdString());
            EXPECT_GE(w.xMin, 36 - 1);
            EXPECT_LE(w.xMax, page.width - 36 + 1);
            EXPECT_GE(w.yMin, 36 - 1);
            EXPECT_LE(w.yMax, page.height - 36 + 1);
            const bool footer = path.endsWith(w.text) || w.text == QStringLiteral("Page") ||
                                w.text == QString::number(p + 1);
            if (!footer) {
                EXPECT_LE(w.yMax, footerTop + 0.5) << "page " << p + 1;
            }
        }
    }

    // The preview lays out as many pages.
    panes->upper->OnCommand(ID_FILE_PRINT_PREVIEW);
    QApplication::processEvents();
    CPreviewView* preview = FindTopLevel<CCorraPreviewView>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), pages);
    preview->ClosePreview();
    QApplication::processEvents();
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
