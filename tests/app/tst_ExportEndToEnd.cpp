// The sample bank exported the way a teacher exports it: "Export Files..." of the main window
// with the real Export dialog, to text, RTF, one HTML page and a Word file; the RTF and Word
// files turned into PDF by LibreOffice and read back with poppler's tools.

#include "model/CorraDoc.h"
#include "model/ExamDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/QtString.h"
#include "print/ExportDialog.h"
#include "render/RtfText.h"
#include "res/ids/CorraView.h"
#include "res/ids/Print.h"
#include "res/ids/QuestionDlg.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RealConverter.h"
#include "tests/support/RunTool.h"
#include "views/CorraView.h"

#include <QStandardPaths>

#include <string>
#include <vector>

namespace {

class ExportEndToEndTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
        const CString path = HomePath("QCorras/Biology.crr");
        fsys::CreateDirectories(fsys::Folder(path));
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), path, FALSE));
        // The sample's subjects are new to the master list: the offer to add them is declined.
        CModalScript script;
        script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
        bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
        ASSERT_NE(bank, nullptr);
        out = HomePath("Exports/");
        fsys::CreateDirectories(out);
    }

    // "Export Files..." answered with the type at index and the file name.
    void ExportAs(int index, const char* name)
    {
        CModalScript script;
        script.On<CExportDialog>([&](CExportDialog& d) {
            auto* combo = d.GetDlgItemAs<CComboBox>(IDC_EXPORT_TYPE);
            combo->SetCurSel(index);
            d.OnTypeChange();
            d.SetDlgItemText(IDC_EXPORT_FOLDER, out);
            d.SetDlgItemText(IDC_EXPORT_FILE, name);
            ClickDlgButton(d, IDOK);
        });
        m_pMain->OnCommand(ID_EXPORT_FILES);
        EXPECT_EQ(script.Answered(), 1) << name;
    }

    CCorraView* QuestionPane(CCorraDoc* doc = nullptr) const
    {
        if (!doc)
            doc = bank;
        for (POSITION pos = doc->GetFirstViewPosition(); pos;)
            if (auto* view = dynamic_cast<CCorraView*>(bank->GetNextView(pos)); view && !view->IsCollectionPane())
                return view;
        return nullptr;
    }

    // The start of every question's text, in the order the export writes them.
    std::vector<QString> QuestionOrder(CCorraDoc* doc = nullptr) const
    {
        if (!doc)
            doc = bank;
        CCorraView* view = QuestionPane(doc);
        CPtrListEx order;
        for (int i = 0; i < view->GetElementCount(); ++i)
            order.AddTail(view->GetElementQuestion(i));
        for (POSITION pos = doc->m_plGroups.GetHeadPosition(); pos;) {
            auto* group = static_cast<CGroup*>(doc->m_plGroups.GetNext(pos));
            if (group->m_pHeaderQuestion)
                order.AddTail(group->m_pHeaderQuestion);
        }
        doc->OrderItemsByGroups(order, [](void* p) { return static_cast<CCorraQuestion*>(p)->m_nMemberId; });
        std::vector<QString> texts;
        for (POSITION pos = order.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(order.GetNext(pos));
            if (!q->IsCollection())
                texts.push_back(ToQString(RtfToPlainText(q->m_cszQuestionText)).simplified().left(24));
        }
        return texts;
    }

    // Each text once and in order.
    static void ExpectInOrder(const QString& all, const std::vector<QString>& texts, const char* what)
    {
        qsizetype at = 0;
        for (const QString& q : texts) {
            const qsizetype found = all.indexOf(q, at);
            EXPECT_GE(found, 0) << what << ": " << q.toStdString();
            if (found >= 0)
                at = found + q.size();
        }
    }

    // The file as PDF by LibreOffice, and its text; empty when it could not be made.
    QString PdfText(const CString& file, int& pages)
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        pages = -1;
        if (soffice.isEmpty() || pdftotext.isEmpty() || pdfinfo.isEmpty())
            return QString();
        const CString pdfDir = HomePath("pdf/");
        fsys::CreateDirectories(pdfDir);
        RunTool(soffice, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                          QStringLiteral("-env:UserInstallation=file://") + ToQString(HomePath("lo")),
                          QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                          ToQString(pdfDir), ToQString(file)});
        CString name = fsys::FileName(file);
        name = name.Left(name.ReverseFind('.')) + ".pdf";
        const QString pdf = ToQString(pdfDir + name);
        const QString info = QString::fromStdString(RunTool(pdfinfo, {pdf}));
        const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
        if (at >= 0)
            pages = info.mid(at + 6).trimmed().section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
        return QString::fromStdString(RunTool(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                          QStringLiteral("-")}));
    }

    CCorraDoc* bank = nullptr;
    CString out;
};

TEST_F(ExportEndToEndTest, TheSampleBankExportsToEveryFileKind)
{
    const std::vector<QString> order = QuestionOrder();
    ASSERT_GT(order.size(), 3u);
    const QString title = ToQString(RtfToPlainText(bank->m_csTitle1)).simplified();

    // Text: UTF-8, every question in order, the titles and the page numbers.
    ExportAs(0, "Biology.txt");
    std::string bytes;
    ASSERT_TRUE(fsys::ReadFile(out + "Biology.txt", bytes));
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).simplified();
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(text.contains(title));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1")));
    ExpectInOrder(text, order, "text");
    // "Open after export" opened it.
    ASSERT_FALSE(opener.calls.empty());
    EXPECT_EQ(opener.calls.back().target, out + "Biology.txt");

    // One HTML page with every question, its text escaped once.
    ExportAs(3, "Biology.htm");
    ASSERT_TRUE(fsys::ReadFile(out + "Biology.htm", bytes));
    const QString html = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    EXPECT_TRUE(html.contains(QStringLiteral("<html"), Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains(QStringLiteral("&amp;lt;")));
    EXPECT_FALSE(html.contains(QStringLiteral("crrhtml")));

    // RTF, and its PDF: as many pages as the export made, the titles, "Page 1", every question.
    ExportAs(4, "Biology.rtf");
    ASSERT_TRUE(fsys::Exists(out + "Biology.rtf"));
    const int exported = QuestionPane()->GetLastExportPageCount();
    EXPECT_GE(exported, 1);
    int pages = 0;
    const QString rtfPdf = PdfText(out + "Biology.rtf", pages);
    if (pages < 0)
        GTEST_SKIP() << "LibreOffice and poppler-utils are needed for the PDF half";
    EXPECT_EQ(pages, exported);
    const QString rtfText = rtfPdf.simplified();
    EXPECT_TRUE(rtfText.contains(title));
    EXPECT_TRUE(rtfText.contains(QStringLiteral("Page 1")));
    ExpectInOrder(rtfText, order, "rtf");

    // Word, through the converter, and its PDF.
    CRealConverterScope converter;
    SKIP_WITHOUT_LIBREOFFICE(converter);
    ExportAs(1, "Biology.doc");
    ASSERT_TRUE(fsys::Exists(out + "Biology.doc"));
    const QString docText = PdfText(out + "Biology.doc", pages).simplified();
    EXPECT_GE(pages, 1);
    EXPECT_TRUE(docText.contains(title));
    EXPECT_TRUE(docText.contains(QStringLiteral("Page 1")));
    ExpectInOrder(docText, order, "doc");
    bank->SetModifiedFlag(FALSE);
}

// An exam made of the sample bank's questions, grouped by type with three groups on top of a
// page, exported to text, RTF and Word: its header items and page numbers on the pages, every
// question once and in order, typed markers as typed, accented letters kept.
TEST_F(ExportEndToEndTest, AnExamOfTheSampleBankExportsWithItsHeaderAndGroups)
{
    auto* exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    CPtrListEx from;
    for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
        if (!q->IsCollection())
            from.AddTail(q);
    }
    exam->AddQuestions(from, nullptr, bank, bank->GetPathName(), nullptr);
    ASSERT_GE(exam->GetQuestionCount(), 9);
    exam->m_csTitle1 = "Cells and Living Things";
    exam->m_csTitle2 = "Midterm Exam";
    auto* typed = static_cast<CCorraQuestion*>(exam->m_plQuestions.GetTail());
    ASSERT_NE(typed, nullptr);
    typed->m_cszQuestionText = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 "
                               "Which of the living things does a caf\\'e9 sell? Not <pbrk> nor <hdr>.\\par}";
    ASSERT_GE(exam->GroupByTypeWithoutIdentity(), 3);
    int flagged = 0;
    for (POSITION pos = exam->m_plGroups.GetHeadPosition(); pos && flagged < 3; ++flagged) {
        auto* group = static_cast<CGroup*>(exam->m_plGroups.GetNext(pos));
        group->m_dwFlags |= GROUP_TOP_OF_PAGE | GROUP_USES_HEADER;
        group->m_csText = CString::Formatted("Part %d of the exam", flagged + 1);
    }
    exam->UpdateAllViews(nullptr, 0, nullptr);
    const CString examPath = HomePath("Exams/Midterm.exm");
    fsys::CreateDirectories(fsys::Folder(examPath));
    ASSERT_TRUE(exam->DoSave(examPath));
    CCorraView* pane = QuestionPane(exam);
    ASSERT_NE(pane, nullptr);
    pane->GetParentFrame()->ActivateFrame();
    const std::vector<QString> order = QuestionOrder(exam);
    ASSERT_GE(order.size(), 9u);
    const CExamPrintSettings& settings = CExamDoc::PrintSettings();
    const QString nameLine = ToQString(settings.studentNamePrompt);
    auto expectBands = [&](const QString& text, const char* what) {
        EXPECT_TRUE(text.contains(QStringLiteral("Cells and Living Things"))) << what;
        EXPECT_TRUE(text.contains(QStringLiteral("Midterm Exam"))) << what;
        EXPECT_TRUE(text.contains(nameLine)) << what;
        EXPECT_TRUE(text.contains(QStringLiteral("Page 1"))) << what;
        EXPECT_TRUE(text.contains(QStringLiteral("Page 2"))) << what;
        EXPECT_TRUE(text.contains(QStringLiteral("File: ./Exams/Midterm.exm"))) << what;
        EXPECT_TRUE(text.contains(QStringLiteral("Not <pbrk> nor <hdr>."))) << what;
        EXPECT_TRUE(text.contains(QString::fromUtf8("caf\xc3\xa9 sell"))) << what;
        ExpectInOrder(text, order, what);
    };

    // Text: UTF-8, "caf\'e9" as its two bytes.
    ExportAs(0, "Midterm.txt");
    std::string bytes;
    ASSERT_TRUE(fsys::ReadFile(out + "Midterm.txt", bytes));
    EXPECT_NE(bytes.find("caf\xc3\xa9 sell"), std::string::npos);
    expectBands(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).simplified(), "text");
    const int textPages = pane->GetLastExportPageCount();
    EXPECT_GE(textPages, 3) << "three groups start pages";

    ExportAs(4, "Midterm.rtf");
    const int exported = pane->GetLastExportPageCount();
    EXPECT_EQ(exported, textPages);
    int pages = 0;
    const QString rtfText = PdfText(out + "Midterm.rtf", pages).simplified();
    if (pages < 0)
        GTEST_SKIP() << "LibreOffice and poppler-utils are needed for the PDF half";
    EXPECT_EQ(pages, exported);
    expectBands(rtfText, "rtf");

    CRealConverterScope converter;
    SKIP_WITHOUT_LIBREOFFICE(converter);
    ExportAs(1, "Midterm.doc");
    ASSERT_TRUE(fsys::Exists(out + "Midterm.doc"));
    const QString docText = PdfText(out + "Midterm.doc", pages).simplified();
    EXPECT_EQ(pages, pane->GetLastExportPageCount());
    expectBands(docText, "doc");
    exam->SetModifiedFlag(FALSE);
    bank->SetModifiedFlag(FALSE);
}

} // namespace
