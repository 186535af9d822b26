// A page made as an export makes it, read by what a student's machine reads it with: Qt's own
// HTML reader printing to PDF, and a real browser where one is installed.

#include "print/HtmlDraw.h"

#include "controls/HVRichEditCtrl.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/RunTool.h"

#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>

#include <algorithm>

#include <string>
#include <vector>

namespace {

class CSampleDoc : public CCorraDoc {
public:
    CSampleDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

class HtmlPageEndToEndTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        const CString bank = HomePath("Biology.crr");
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), bank, FALSE));
        ASSERT_EQ(m_doc.ReadCorraDoc(bank), CCorraDoc::readComplete);
        for (int id = 100; id < 200; ++id) {
            CCorraQuestion* q = m_doc.FindQuestionById(id);
            if (!q || q->IsCollection())
                continue;
            CString plain;
            q->GetQuestionText(plain, QTEXT_PLAIN);
            plain.Trim();
            m_texts.push_back({q->m_cszQuestionText, ToQString(plain.Left(24)).toStdString()});
        }
        ASSERT_GE(m_texts.size(), 5u);
        // What the bank's texts may hold beyond plain English.
        m_texts.push_back({"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 "
                           "Caf\\'e9 cr\\'e8me na\\'efve costs 5 \\'80.\\par}",
                           "Café crème naïve costs 5 €."});
        m_texts.push_back({"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                           "{\\f1\\fswiss\\fcharset161 Arial Greek;}}\\f1\\fs24 \\'e1\\'e2\\'e3 and \\u948?\\par}",
                           "αβγ and δ"});
        m_texts.push_back({"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 "
                           "\\trowd\\cellx2000\\cellx4000 Cell one\\cell Cell two\\cell\\row\\pard\\par}",
                           "Cell one"});
        m_texts.push_back({"Type <b> to make 3 < 5 & 7 > 2 bold.", "Type <b> to make 3 < 5 & 7 > 2 bold."});
    }

    // The page of all the texts, one paragraph each, and a question's own HTML form.
    CString WritePage()
    {
        CHVRichEditCtrl ctrl;
        ctrl.resize(600, 400);
        for (const auto& [rtf, plain] : m_texts) {
            const long end = ctrl.GetTextLength();
            ctrl.SetSel(end, end);
            ctrl.SetText(rtf, SF_RTF | SFF_SELECTION);
            ctrl.SetSel(ctrl.GetTextLength(), ctrl.GetTextLength());
            ctrl.SetText("\n", SF_TEXT | SFF_SELECTION);
        }
        CCorraQuestion essay;
        essay.m_nId = 42;
        essay.m_nType = static_cast<int>(IDS_QTYPE_ES);
        essay.m_cszQuestionText = "Last: explain <i>osmosis</i>.";
        CHtmlSettings settings(42);
        CChoicesHtmlStyle style = ChoicesHtmlStyleOf(settings);
        essay.OutputHtml(ctrl, CDrawContext::Screen(), "12", &style);
        m_texts.push_back({"", "Last: explain <i>osmosis</i>."});

        CString rtf;
        ctrl.StreamOutText(rtf, SF_RTF);
        const CString path = HomePath("page.htm");
        EXPECT_TRUE(OutputRECToHtmlFile(rtf, path, "Biology", FALSE));
        return path;
    }

    // Whether every text shows, in order, and nothing that is not text does.
    void ExpectTextsInOrder(const std::string& shown, const char* where)
    {
        size_t at = 0;
        for (const auto& [rtf, plain] : m_texts) {
            const size_t found = shown.find(plain, at);
            EXPECT_NE(found, std::string::npos) << where << ": \"" << plain << "\" after " << at << " in\n" << shown;
            if (found != std::string::npos)
                at = found + plain.size();
        }
        for (const char* never : {"xxxx", "yyyy", "crrhtml", "<font", "&lt;", "&amp;", "\\rtf", "<table"})
            EXPECT_EQ(shown.find(never), std::string::npos) << where << ": " << never << " in\n" << shown;
    }

    static std::string Run(const QString& program, const QStringList& args) { return RunTool(program, args); }

    CSampleDoc m_doc;
    std::vector<std::pair<CString, std::string>> m_texts;
};

TEST_F(HtmlPageEndToEndTest, QtReadsThePageAndPrintsEveryTextOnOnePage)
{
    const CString path = WritePage();
    std::string html;
    ASSERT_TRUE(fsys::ReadFile(path, html));
    // Every character beyond ASCII went in as a reference.
    for (unsigned char c : html)
        ASSERT_LT(c, 0x80);
    EXPECT_NE(html.find("<textarea name=\"QID42_TA\" rows=5 cols=60>Enter answer here</textarea>"), std::string::npos);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the page is not printed";
    QTextDocument doc;
    doc.setHtml(QString::fromLatin1(html.c_str()));
    const QString pdf = ToQString(HomePath("page.pdf"));
    {
        QPdfWriter writer(pdf);
        doc.print(&writer);
    }
    const std::string text = Run(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ExpectTextsInOrder(text, "Qt's PDF");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << text;
}

TEST_F(HtmlPageEndToEndTest, ABrowserShowsEachTextAsTyped)
{
    QString browser;
    for (const char* name : {"chromium-headless-shell", "chromium", "chromium-browser", "google-chrome"}) {
        browser = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!browser.isEmpty())
            break;
    }
    if (browser.isEmpty())
        GTEST_SKIP() << "no browser installed (chromium-headless-shell or chromium): the page is not opened in one";
    const CString path = WritePage();
    const QString url = QStringLiteral("file://") + ToQString(path);
    const QStringList common = {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                QStringLiteral("--disable-gpu"),
                                QStringLiteral("--user-data-dir=") + ToQString(HomePath("browser"))};
    const std::string dom = Run(browser, common + QStringList{QStringLiteral("--dump-dom"), url});
    // The serialised DOM writes a text's "<" as "&lt;": the typed tags are text, the program's are elements.
    EXPECT_NE(dom.find("Type &lt;b&gt; to make 3 &lt; 5 &amp; 7 &gt; 2 bold."), std::string::npos) << dom;
    EXPECT_NE(dom.find("explain &lt;i&gt;osmosis&lt;/i&gt;."), std::string::npos) << dom;
    EXPECT_NE(dom.find("<textarea name=\"QID42_TA\""), std::string::npos) << dom;
    EXPECT_EQ(dom.find("<b>"), std::string::npos) << dom;

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the browser's PDF is not read";
    const QString pdf = ToQString(HomePath("browser.pdf"));
    Run(browser, common + QStringList{QStringLiteral("--no-pdf-header-footer"), QStringLiteral("--print-to-pdf=") + pdf, url});
    const std::string text = Run(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ExpectTextsInOrder(text, "the browser's PDF");
}

} // namespace
