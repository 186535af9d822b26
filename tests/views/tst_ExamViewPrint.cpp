// Printing an exam through its view: the forms chosen, each printed after the other with its
// own page numbers, its questions in its order and its choices scrambled on paper only; the
// answer keys; the checks before a print; and the exam printed to a PDF file and read back.

#include "views/ExamView.h"

#include "foundation/CorraAppBase.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "platform/ui/PrintPreview.h"
#include "platform/ui/QtString.h"
#include "print/ExportContext.h"
#include "render/RtfDraw3.h"
#include "res/ids/ExamView.h"
#include "res/ids/Print.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScriptedPrintDialogs.h"
#include "tests/support/TopLevel.h"
#include "views/CorraPreviewView.h"

#include <QApplication>
#include <QRegularExpression>
#include <QStandardPaths>

#include <memory>
#include <string>
#include <vector>

namespace {

CTestResetHook g_resetExamSettings([] { CExamDoc::PrintSettings() = CExamPrintSettings{}; });

class CPrintExam : public CExamDoc {
public:
    CPrintExam() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

// Select Forms answered by the test: the forms chosen and the check box, or a cancel.
class CFormChoice : public IExamDialogs {
public:
    BOOL HasSelectFormsDialog() const override { return TRUE; }
    BOOL SelectForms(CExamDoc&, const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen) override
    {
        ++shown;
        offeredPrintForms = printForms;
        offered = chosen;
        if (cancel)
            return FALSE;
        printForms = answerPrintForms;
        if (!pick.empty()) {
            chosen.RemoveAll();
            for (int i : pick)
                chosen.AddTail(forms.GetAt(forms.FindIndex(i)));
        }
        return TRUE;
    }
    int shown = 0;
    BOOL cancel = FALSE;
    BOOL answerPrintForms = TRUE;
    BOOL offeredPrintForms = FALSE;
    std::vector<int> pick;  // indexes of the forms; empty: as offered
    CPtrListEx offered;
};

class ExamViewPrintTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        InstallRtfTextDrawer();
        CExamDoc::LoadDefaults();
        exam = std::make_unique<CPrintExam>();
        exam->m_csTitle1 = "Biology 101";
        exam->m_csTitle2 = "Midterm";
    }
    void TearDown() override
    {
        panes.reset();
        exam.reset();
        CorraTest::TearDown();
    }

    CExamQuestion* Add(unsigned type, const char* answer = "b")
    {
        auto* q = static_cast<CExamQuestion*>(exam->InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(type);
        q->m_cszQuestionText = CString::Formatted("Question%d asks something that takes a line or two of text to "
                                                  "say on the printed page.",
                                                  q->m_nId);
        q->m_dAnswerSize = 0.05;
        if (type == IDS_QTYPE_MC) {
            q->SetChoices(CString::Formatted("a. alpha%d\nb. beta%d\nc. gamma%d\nd. delta%d", q->m_nId, q->m_nId,
                                             q->m_nId, q->m_nId));
            q->m_cszAnswer = answer;
        }
        return q;
    }
    CCorraQuestion* AddForm(const char* name, const std::vector<CCorraQuestion*>& members)
    {
        CPtrListEx list;
        for (CCorraQuestion* q : members)
            list.AddTail(q);
        return exam->GetOrCreateCollection(name, &list);
    }
    CExamView& Upper()
    {
        if (!panes) {
            exam->SetModifiedFlag(FALSE);
            panes = std::make_unique<CCorraPanes>(*exam, 900, 600, CCreatable<CView>::Of<CExamView>());
        }
        return *dynamic_cast<CExamView*>(panes->upper);
    }

    // What each page of a print on a letter page of fixed metrics shows: the texts drawn, and
    // the IDs of the questions the job put on it.
    struct CPage {
        CString text;
        std::vector<int> ids;
        CString formName;
    };
    std::vector<CPage> PrintPages(int nPrintMode, int nFrom = 0, int nTo = 0)
    {
        CExamView& view = Upper();
        CFixedMetricsDC dc(816, 1056, 96);
        CPrintInfo info;
        if (nFrom > 0)
            info.m_pPD->ChoosePages(nFrom, nTo);
        else
            info.m_pPD->ChooseAll();
        view.m_nPrintMode = nPrintMode;
        EXPECT_EQ(view.PromptForForms(), 1);
        view.OnBeginPrinting(&dc, &info);
        std::vector<CPage> pages;
        for (UINT page = nFrom > 0 ? static_cast<UINT>(nFrom) : 1; page < 100; ++page) {
            info.m_nCurPage = page;
            view.OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            info.m_rectDraw.SetRect(0, 0, 816, 1056);
            dc.DPtoLP(&info.m_rectDraw);
            dc.texts.clear();
            view.OnPrint(&dc, &info);
            CPage out;
            for (const auto& t : dc.texts)
                out.text += t.text + " ";
            CCorraPrintJob* job = view.GetPrintJob(&info);
            const int p = job->PageOf(page);
            const size_t first = static_cast<size_t>(job->pageStarts[static_cast<size_t>(p - 1)]);
            const size_t end = p < static_cast<int>(job->pageStarts.size())
                                   ? static_cast<size_t>(job->pageStarts[static_cast<size_t>(p)])
                                   : job->elements.size();
            for (size_t i = first; i < end; ++i)
                out.ids.push_back(job->elements[i]->m_nId);
            out.formName = job->csFormName;
            pages.push_back(out);
        }
        view.OnEndPrinting(&dc, &info);
        return pages;
    }

    std::unique_ptr<CPrintExam> exam;
    std::unique_ptr<CCorraPanes> panes;
};

TEST_F(ExamViewPrintTest, AFormPrintsItsOrderThenWhatItLacksEachOnceOnScrambledCopies)
{
    std::vector<CCorraQuestion*> qs;
    for (int i = 0; i < 6; ++i)
        qs.push_back(Add(IDS_QTYPE_MC));
    // Both forms lack the last question (made before it was added); a third of another size
    // stops the print with the reason.
    AddForm("Form a", {qs[0], qs[1], qs[2], qs[3], qs[4]});
    CCorraQuestion* b = AddForm("Form b", {qs[4], qs[2], qs[0], qs[1], qs[3]});
    const int id0 = qs[0]->m_nId;
    b->m_Scramble.SetLine(id0, CString::Formatted("%d:1:3 2 1 0:2", id0));
    CPtrListEx odd;
    odd.AddTail(AddForm("Form c", {qs[0]}));
    EXPECT_EQ(Upper().PromptForForms(), 2);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Forms are not the same size.");
    ASSERT_TRUE(exam->DeleteQuestions(odd));
    exam->SetModifiedFlag(FALSE);

    // The last question names the form it stands in.
    auto* identity = static_cast<CExamQuestion*>(qs[5]);
    identity->m_nAttributes |= EXAM_ATTR_IDENTITY;
    identity->m_cszQuestionText = "This is %s.";
    const CChoices before = qs[0]->m_Choices;
    const std::vector<CPage> pages = PrintPages(0);
    std::vector<int> printedA, printedB;
    for (const CPage& page : pages)
        (page.formName == "Form a" ? printedA : printedB).insert((page.formName == "Form a" ? printedA : printedB).end(),
                                                                 page.ids.begin(), page.ids.end());
    const std::vector<int> orderA = {qs[0]->m_nId, qs[1]->m_nId, qs[2]->m_nId, qs[3]->m_nId, qs[4]->m_nId, qs[5]->m_nId};
    const std::vector<int> orderB = {qs[4]->m_nId, qs[2]->m_nId, qs[0]->m_nId, qs[1]->m_nId, qs[3]->m_nId, qs[5]->m_nId};
    EXPECT_EQ(printedA, orderA);
    EXPECT_EQ(printedB, orderB);

    // Form b printed its first question's choices the other way round; the exam keeps its own.
    CString all;
    for (const CPage& page : pages)
        all += page.formName + ": " + page.text;
    const int bAt = all.Find("Form b:");
    ASSERT_GE(bAt, 0);
    const CString formB = all.Mid(bAt);
    const CString delta = CString::Formatted("delta%d", id0), alpha = CString::Formatted("alpha%d", id0);
    EXPECT_LT(formB.Find(delta), formB.Find(alpha)) << formB.GetString();
    EXPECT_LT(all.Find(alpha), all.Find(delta));
    EXPECT_EQ(qs[0]->m_Choices.GetChoiceText(0), before.GetChoiceText(0));
    EXPECT_EQ(qs[0]->m_cszAnswer, "b");
    EXPECT_GE(formB.Find("This is Form b."), 0);
    EXPECT_GE(all.Find("This is Form a."), 0);
    EXPECT_EQ(identity->m_cszQuestionText, "This is %s.");
    EXPECT_FALSE(exam->IsModified());
}

TEST_F(ExamViewPrintTest, EachFormCountsItsPagesFromOneAndNamesItselfInTheFooter)
{
    std::vector<CCorraQuestion*> qs;
    for (int i = 0; i < 14; ++i)
        qs.push_back(Add(i % 2 ? IDS_QTYPE_ES : IDS_QTYPE_MC));
    for (const char* name : {"Form a", "Form b", "Form c"})
        AddForm(name, qs);
    const std::vector<CPage> pages = PrintPages(0);
    ASSERT_GE(pages.size(), 3u);
    ASSERT_EQ(pages.size() % 3, 0u);
    const size_t per = pages.size() / 3;
    for (size_t i = 0; i < pages.size(); ++i) {
        const CString form = CString::Formatted("Form %c", static_cast<char>('a' + i / per));
        EXPECT_EQ(pages[i].formName, form);
        EXPECT_GE(pages[i].text.Find(CString::Formatted("Page %d", static_cast<int>(i % per) + 1)), 0)
            << i << ": " << pages[i].text.GetString();
        EXPECT_GE(pages[i].text.Find("Form: " + form), 0) << pages[i].text.GetString();
        EXPECT_GE(pages[i].text.Find("Name__"), 0);
    }

    // A range past the last page prints no page of any form.
    EXPECT_TRUE(PrintPages(0, static_cast<int>(per) + 1, static_cast<int>(per) + 3).empty());
    // The second page of each form alone, numbered as in the form.
    const std::vector<CPage> second = PrintPages(0, 2, 2);
    ASSERT_EQ(second.size(), 3u);
    for (const CPage& page : second)
        EXPECT_GE(page.text.Find("Page 2"), 0) << page.text.GetString();

    // Header on the first page of each form only.
    CExamDoc::PrintSettings().firstPageOnly = TRUE;
    const std::vector<CPage> first = PrintPages(0);
    ASSERT_EQ(first.size(), pages.size());
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].text.Find("Biology 101") >= 0, i % per == 0) << i;
}

// One HTML file a question: the footer of each file numbers that page, from 1.
TEST_F(ExamViewPrintTest, EachHtmlPageFileNumbersItsOwnPage)
{
    for (int i = 0; i < 3; ++i)
        Add(IDS_QTYPE_MC);
    const CString folder = HomePath("pages/");
    fsys::CreateDirectories(folder);
    CHtmlSettings html;
    html.m_nDivType = HTML_FILE_PER_PAGE;
    CExportContext ctx;
    ctx.nFileType = FT_HTML;
    ctx.nHtmlMode = HTML_FILE_PER_PAGE;
    ctx.pHtml = &html;
    ctx.csOutputPath = folder;
    ASSERT_TRUE(Upper().RunExport(ctx));
    int page = 0;
    for (POSITION pos = exam->m_plQuestions.GetHeadPosition(); pos;) {
        const auto* q = static_cast<CCorraQuestion*>(exam->m_plQuestions.GetNext(pos));
        std::string bytes;
        ASSERT_TRUE(fsys::ReadFile(folder + html.GetPageFile(q->m_nId), bytes)) << q->m_nId;
        const CString number = CString::Formatted("Page %d", ++page);
        EXPECT_NE(bytes.find(number.GetString()), std::string::npos) << number.GetString() << "\n" << bytes;
        EXPECT_EQ(bytes.find("Page 0"), std::string::npos);
    }
    EXPECT_EQ(page, 3);
}

// The indent an exam's choices print with stands in its section after a print.
TEST_F(ExamViewPrintTest, APrintWritesTheChoicesIndentIntoTheExamsSection)
{
    Add(IDS_QTYPE_MC);
    CorraApp().WriteProfileString(CExamDoc::PROFILE_SECTION, "ChoicesIndentLevel", nullptr);
    ASSERT_FALSE(PrintPages(0).empty());
    EXPECT_EQ(CorraApp().GetProfileInt(CExamDoc::PROFILE_SECTION, "ChoicesIndentLevel", -1), 5);
}

TEST_F(ExamViewPrintTest, AKeyNamesItsFormOnTopAndGivesItsScrambledLetters)
{
    CExamQuestion* mc = Add(IDS_QTYPE_MC, "b");
    CExamQuestion* tf = Add(IDS_QTYPE_ES);
    AddForm("Form a", {mc, tf});
    CCorraQuestion* b = AddForm("Form b", {tf, mc});
    b->m_Scramble.SetLine(mc->m_nId, CString::Formatted("%d:1:3 2 1 0:2", mc->m_nId));
    const std::vector<CPage> keys = PrintPages(3);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_GE(keys[0].text.Find("Form a"), 0);
    EXPECT_LT(keys[0].text.Find("SS#"), 0);
    EXPECT_LT(keys[0].text.Find("Name__"), 0);
    // The answer letter of each form: b as stored, c where form b printed it.
    EXPECT_GE(keys[0].text.Find("1.  b"), 0) << keys[0].text.GetString();
    EXPECT_GE(keys[1].text.Find("2.  c"), 0) << keys[1].text.GetString();
    EXPECT_EQ(mc->m_cszAnswer, "b");
}

TEST_F(ExamViewPrintTest, SelectFormsChoosesAndItsCheckBoxIsKept)
{
    CExamQuestion* q = Add(IDS_QTYPE_MC);
    CCorraQuestion* a = AddForm("Form a", {q});
    CCorraQuestion* b = AddForm("Form b", {q});
    CFormChoice choice;
    CServiceScope<IExamDialogs> scope(ExamDialogsSlot(), choice);
    CExamView& view = Upper();

    // At first every form, the check box from the profile (on).
    choice.pick = {1};
    EXPECT_EQ(view.PromptForForms(), 1);
    EXPECT_TRUE(choice.offeredPrintForms);
    EXPECT_EQ(choice.offered.GetCount(), 2);
    ASSERT_EQ(view.GetPrintForms().GetCount(), 1);
    EXPECT_EQ(view.GetPrintForms().GetHead(), b);

    // Then the forms chosen last; the box cleared prints the exam itself and is stored.
    choice.pick.clear();
    choice.answerPrintForms = FALSE;
    EXPECT_EQ(view.PromptForForms(), 1);
    ASSERT_EQ(choice.offered.GetCount(), 1);
    EXPECT_EQ(choice.offered.GetHead(), b);
    EXPECT_TRUE(view.GetPrintForms().IsEmpty());
    EXPECT_EQ(CorraApp().GetProfileInt("Exams", "PrintFormsFlag", -1), 0);

    choice.cancel = TRUE;
    EXPECT_EQ(view.PromptForForms(), 2);

    // An exam without forms prints itself without asking.
    CPtrListEx forms;
    forms.AddTail(a);
    forms.AddTail(b);
    ASSERT_TRUE(exam->DeleteQuestions(forms));
    const int shown = choice.shown;
    EXPECT_EQ(view.PromptForForms(), 1);
    EXPECT_EQ(choice.shown, shown);
}

// ---- to a PDF file

class ExamPdfTest : public ExamViewPrintTest {
protected:
    void SetUp() override
    {
        ExamViewPrintTest::SetUp();
        m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    }
    QStringList PdfPages(const CString& pdf)
    {
        const QString text = QString::fromStdString(
            RunTool(m_pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), ToQString(pdf), QStringLiteral("-")}));
        QStringList pages = text.split(QLatin1Char('\f'));
        while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        for (QString& page : pages)
            page = page.simplified();
        return pages;
    }
    // The command run with the print dialog answering a PDF file; that file's pages.
    QStringList PrintToPdf(CExamView& view, CScriptedPrintDialogs& dialogs, const char* name, UINT nCommand)
    {
        const CString pdf = HomePath(name);
        dialogs.QueuePdf(pdf);
        view.OnCommand(nCommand);
        EXPECT_TRUE(fsys::Exists(pdf)) << name;
        return PdfPages(pdf);
    }
    QString m_pdftotext;
};

TEST_F(ExamPdfTest, ThreeFormsOfATwoPageExamAndTheirKeysPrintThroughTheView)
{
    if (m_pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    std::vector<CCorraQuestion*> qs;
    for (int i = 0; i < 12; ++i)
        qs.push_back(Add(i % 3 ? IDS_QTYPE_MC : IDS_QTYPE_ES));
    for (const char* name : {"Form a", "Form b", "Form c"})
        AddForm(name, qs);
    ASSERT_EQ(exam->ScrambleForms(TRUE), 3);
    exam->SetModifiedFlag(FALSE);
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    CExamView& view = Upper();

    const QStringList pages = PrintToPdf(view, dialogs, "forms.pdf", ID_FILE_PRINT);
    // The exam fills two pages at this size; each form prints both.
    ASSERT_EQ(view.GetLastPageCount(), 2);
    ASSERT_EQ(pages.size(), 6);
    for (int p = 0; p < 6; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1").arg(p % 2 + 1))) << pages[p].toStdString();
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Form: Form %1").arg(QChar('a' + p / 2))));
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Biology 101")));
    }

    const QStringList keyPages = PrintToPdf(view, dialogs, "keys.pdf", ID_EXAM_PRINT_KEYS);
    ASSERT_EQ(keyPages.size(), 3);
    int f = 0;
    for (POSITION pos = view.GetPrintForms().GetHeadPosition(); pos; ++f) {
        auto* form = static_cast<CCorraQuestion*>(view.GetPrintForms().GetNext(pos));
        const QString page = keyPages[f];
        EXPECT_TRUE(page.contains(ToQString(form->m_cszQuestionText)));
        EXPECT_FALSE(page.contains(QStringLiteral("SS#")));
        // Each question's letter as the form printed it.
        for (size_t i = 0; i < qs.size(); ++i) {
            if (qs[i]->m_nType != static_cast<int>(IDS_QTYPE_MC))
                continue;
            CString letter;
            ASSERT_TRUE(form->m_Scramble.GetScrambledAnswer(*qs[i], letter));
            EXPECT_TRUE(page.contains(QStringLiteral("%1. %2").arg(i + 1).arg(ToQString(letter))))
                << page.toStdString() << " question " << i + 1;
        }
    }
    EXPECT_FALSE(exam->IsModified());

    // The preview shows one form at a time and steps to the next.
    view.OnCommand(ID_FILE_PRINT_PREVIEW);
    QApplication::processEvents();
    auto* preview = FindTopLevel<CExamPreviewView>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 2);
    EXPECT_FALSE(preview->CanStepForm(-1));
    EXPECT_TRUE(preview->CanStepForm(1));
    preview->OnStepForm(1);
    preview->OnStepForm(1);
    EXPECT_FALSE(preview->CanStepForm(1));
    EXPECT_EQ(preview->GetPageCount(), 2);
    preview->ClosePreview();
    QApplication::processEvents();
}

} // namespace
