// Printing of the question pane on a page of fixed metrics: where pages break and whether every
// question lies inside its page's body, the numbers groups give their questions, the margins
// against a printer's unprintable borders, the answer layouts, and that printing leaves the
// document as it was.

#include "views/CorraView.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Numbering.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "print/PageFrame.h"
#include "print/PageMarginsDlg.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/Print.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/ModalScript.h"
#include "tests/support/QuestionBankDoc.h"
#include "tests/support/ScriptedPrintDialogs.h"
#include "tests/support/TopLevel.h"
#include "views/CorraPreviewView.h"

#include <QApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

CTestResetHook g_resetMargins([] { SetPageMargins(CPageMargins{}); });

// The gap, rule and gap below the header, in twips.
constexpr int kSeparatorTwips = 2 * 100 + 20;

// Small answer boxes, so a page holds many questions.
class CPrintDoc : public CQuestionBankDoc {
public:
    CPrintDoc() : CQuestionBankDoc(0.05) {}
};

// What one run of the print steps on a letter page of fixed metrics saw.
struct CPrintRun {
    std::vector<int> printedPages;
    std::vector<std::vector<int>> idsPerPage;  // of every page laid out
    int pageCount = 0;
};

class CorraViewPrintTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        InstallRtfTextDrawer();
        doc = std::make_unique<CPrintDoc>();
        doc->SetTitle("Printing");
    }
    void TearDown() override
    {
        panes.reset();
        doc.reset();
        CorraTest::TearDown();
    }
    CCorraView& Upper()
    {
        if (!panes) {
            doc->SetModifiedFlag(FALSE);
            panes = std::make_unique<CCorraPanes>(*doc);
        }
        return *panes->upper;
    }

    // The body of a page worked out from the bands, apart from the view's own layout.
    static CRect ExpectedBody(CDC& dc, const CRect& afterMargins, BOOL bTitlePage, const CString& instructions)
    {
        CRect body = afterMargins;
        body.top = pageframe::HeaderRect(&dc, afterMargins).bottom;
        body.bottom = pageframe::FooterRect(&dc, afterMargins).top;
        if (bTitlePage)
            body.top -= pageframe::DrawTitleBlock(&dc, body, instructions, FALSE);
        body.top -= kSeparatorTwips;
        return body;
    }

    // One page as the page loop prints it on a letter page of fixed metrics; FALSE past the end.
    static BOOL PrintPage(CCorraView& view, CDC& dc, CPrintInfo& info, int nPage)
    {
        info.m_nCurPage = static_cast<UINT>(nPage);
        view.OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            return FALSE;
        info.m_rectDraw.SetRect(0, 0, 816, 1056);
        dc.DPtoLP(&info.m_rectDraw);
        view.OnPrint(&dc, &info);
        return TRUE;
    }

    // The print steps for pages nFrom to nTo (0: all), as the page loop runs them; every question
    // drawn must lie inside its page's body unless it is alone on its page.
    CPrintRun Print(int nFrom = 0, int nTo = 0)
    {
        CCorraView& view = Upper();
        CFixedMetricsDC dc(816, 1056, 96);
        CPrintInfo info;
        if (nFrom > 0)
            info.m_pPD->ChoosePages(nFrom, nTo);
        else
            info.m_pPD->ChooseAll();
        view.m_nPrintMode = doc->m_nPrintMode;
        view.OnBeginPrinting(&dc, &info);
        CPrintRun run;
        for (int page = nFrom > 0 ? nFrom : 1; page <= (nTo > 0 ? nTo : 0xFFFF); ++page) {
            if (!PrintPage(view, dc, info, page))
                break;
            CRect page_(0, 0, 816, 1056);
            dc.DPtoLP(&page_);
            run.printedPages.push_back(page);

            CCorraPrintJob* job = view.GetPrintJob(&info);
            EXPECT_NE(job, nullptr);
            if (!job)
                break;
            pageframe::ApplyMargins(&dc, page_, GetPageMargins());
            const CRect body = ExpectedBody(dc, page_, page == job->nTitlePage, doc->m_csInstructions);
            const int first = job->pageStarts[static_cast<size_t>(page - 1)];
            const int end = page < static_cast<int>(job->pageStarts.size()) ? job->pageStarts[static_cast<size_t>(page)]
                                                                             : static_cast<int>(job->elements.size());
            for (int i = first; i < end; ++i) {
                const CCorraQuestion* q = job->elements[static_cast<size_t>(i)];
                const BOOL alone = end - first == 1;
                EXPECT_LE(q->m_rcLast.top, body.top) << "question " << q->m_nId << " page " << page;
                if (!alone) {
                    EXPECT_GE(q->m_rcLast.bottom, body.bottom) << "question " << q->m_nId << " page " << page;
                }
                EXPECT_GE(q->m_rcLast.left, body.left);
                EXPECT_LE(q->m_rcLast.right, body.right);
            }
        }
        if (CCorraPrintJob* job = view.GetPrintJob(&info)) {
            run.pageCount = static_cast<int>(job->pageStarts.size());
            for (size_t p = 0; p < job->pageStarts.size(); ++p) {
                const size_t end = p + 1 < job->pageStarts.size() ? static_cast<size_t>(job->pageStarts[p + 1])
                                                                   : job->elements.size();
                std::vector<int> ids;
                for (size_t i = static_cast<size_t>(job->pageStarts[p]); i < end; ++i)
                    ids.push_back(job->elements[i]->m_nId);
                run.idsPerPage.push_back(ids);
            }
        }
        view.OnEndPrinting(&dc, &info);
        EXPECT_EQ(view.GetPrintJob(&info), nullptr);
        return run;
    }

    // The print steps begun in a mode on a letter page in twips, with the body given.
    CCorraView& BeginPrint(CFixedMetricsDC& dc, CPrintInfo& info, int mode, const CRect& body)
    {
        CCorraView& view = Upper();
        dc.SetMapMode(MM_TWIPS);
        view.m_nPrintMode = mode;
        view.OnBeginPrinting(&dc, &info);
        info.m_rectDraw = body;
        return view;
    }

    void AddQuestions(int count, int firstId = 1)
    {
        for (int i = 0; i < count; ++i) {
            const int id = firstId + i;
            doc->Add(id, id % 3 == 0 ? IDS_QTYPE_ES : IDS_QTYPE_MC,
                     CString::Formatted("Question %d asks something that takes a line or two of text to say "
                                        "on the printed page.",
                                        id));
        }
    }

    std::unique_ptr<CPrintDoc> doc;
    std::unique_ptr<CCorraPanes> panes;
};

TEST_F(CorraViewPrintTest, EveryQuestionLiesInItsPagesBody)
{
    struct Case {
        const char* name;
        std::function<void(CPrintDoc&)> fill;
        int nFrom;
        int nTo;
        std::function<void(const CPrintRun&, CPrintDoc&)> check;
    };
    const Case cases[] = {
        {"no instructions", [this](CPrintDoc&) { AddQuestions(30); }, 0, 0,
         [](const CPrintRun& run, CPrintDoc&) {
             EXPECT_GE(run.pageCount, 3);
             EXPECT_EQ(static_cast<int>(run.printedPages.size()), run.pageCount);
         }},
        {"instructions",
         [this](CPrintDoc& d) {
             AddQuestions(30);
             d.m_csInstructions = CString('x', 900);
         },
         0, 0, [](const CPrintRun& run, CPrintDoc&) { EXPECT_GE(run.pageCount, 3); }},
        {"top-of-page header first",
         [this](CPrintDoc& d) {
             d.Group(500, GROUP_USES_HEADER | GROUP_TOP_OF_PAGE | 0x100 | 2);
             d.Group(600, GROUP_USES_HEADER | GROUP_TOP_OF_PAGE | 0x100 | 2);
             AddQuestions(4);
             for (int id = 1; id <= 4; ++id)
                 d.FindQuestionById(id)->m_nMemberId = id <= 2 ? 500 : 600;
         },
         0, 0,
         [](const CPrintRun& run, CPrintDoc& d) {
             // The first header opens page 1 (no empty page before it); the second starts page 2.
             ASSERT_EQ(run.pageCount, 2);
             ASSERT_EQ(run.idsPerPage[0].size(), 3u);
             EXPECT_EQ(d.FindGroupById(500)->m_pHeaderQuestion->m_nId, run.idsPerPage[0][0]);
             EXPECT_EQ(d.FindGroupById(600)->m_pHeaderQuestion->m_nId, run.idsPerPage[1][0]);
         }},
        {"a question taller than the body",
         [this](CPrintDoc& d) {
             AddQuestions(3);
             d.Add(50, IDS_QTYPE_ES, "Write an essay.")->m_dAnswerSize = 1.0;
             AddQuestions(3, 4);
         },
         0, 0,
         [](const CPrintRun& run, CPrintDoc&) {
             std::vector<int> alone{50};
             int found = 0;
             for (const auto& ids : run.idsPerPage)
                 found += ids == alone ? 1 : 0;
             EXPECT_EQ(found, 1);
         }},
        {"range 2 to 3",
         [this](CPrintDoc& d) {
             AddQuestions(40);
             d.m_csInstructions = "Answer every question.";
         },
         2, 3,
         [](const CPrintRun& run, CPrintDoc&) {
             EXPECT_EQ(run.printedPages, (std::vector<int>{2, 3}));
             EXPECT_GE(run.pageCount, 3);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panes.reset();
        doc = std::make_unique<CPrintDoc>();
        c.fill(*doc);
        const CPrintRun run = Print(c.nFrom, c.nTo);
        // Every question once, none lost between pages.
        size_t total = 0;
        for (const auto& ids : run.idsPerPage) {
            EXPECT_FALSE(ids.empty());
            total += ids.size();
        }
        EXPECT_EQ(total, static_cast<size_t>(doc->GetQuestionCount()) + doc->m_plGroups.GetCount());
        c.check(run, *doc);
    }
}

TEST_F(CorraViewPrintTest, GroupsNumberTheirQuestionsByTheirStyles)
{
    // A: header and members on the main counter; B: header on the header counter, members
    // lettered on their own; C: members unnumbered.
    doc->Group(100, GROUP_USES_HEADER | 0x200 | 2);
    doc->Group(200, GROUP_USES_HEADER | 0x300 | 4);
    doc->Group(300, 0x100 | 1);
    doc->Add(1, IDS_QTYPE_MC, "plain one");
    doc->Add(2, IDS_QTYPE_MC, "in B", 200);
    doc->Add(3, IDS_QTYPE_MC, "in A", 100);
    doc->Add(4, IDS_QTYPE_MC, "in C", 300);
    doc->Add(5, IDS_QTYPE_MC, "in B too", 200);
    doc->Add(6, IDS_QTYPE_MC, "in A too", 100);
    doc->Add(7, IDS_QTYPE_MC, "plain two");
    CCorraView& view = Upper();
    const std::vector<int> before = [&] {
        std::vector<int> ids;
        for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;)
            ids.push_back(static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos))->m_nId);
        return ids;
    }();

    CFixedMetricsDC dc(816, 1056, 96);
    CPrintInfo info;
    info.m_pPD->ChooseAll();
    view.OnBeginPrinting(&dc, &info);
    // One warning that groups reorder the questions, which the user may turn off.
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].dontShowKey, CString("DontShowGroupingWarning"));
    EXPECT_EQ(richBox.calls[0].title, CString("Question Grouping"));

    CCorraPrintJob* job = view.GetPrintJob(&info);
    ASSERT_NE(job, nullptr);
    const int headerA = doc->FindGroupById(100)->m_pHeaderQuestion->m_nId;
    const int headerB = doc->FindGroupById(200)->m_pHeaderQuestion->m_nId;
    struct Expected {
        int id;
        int number;
        const char* label;
    };
    const Expected expected[] = {{headerA, 1, "1"}, {3, 2, "2"}, {6, 3, "3"}, {headerB, 1, "1"}, {2, 1, "A"},
                                 {5, 2, "B"},       {4, 0, ""},  {1, 4, "4"}, {7, 5, "5"}};
    ASSERT_EQ(job->elements.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const CCorraQuestion* q = job->elements[i];
        EXPECT_EQ(q->m_nId, expected[i].id);
        EXPECT_EQ(job->NumberOf(q), expected[i].number);
        CGroup* group = doc->FindGroupByHeader(q);
        const int style = group ? group->GetHeaderNumberStyle()
                          : q->m_nMemberId ? doc->FindGroupById(q->m_nMemberId)->GetQuestNumberStyle()
                                           : CNumbering::NUM_DECIMAL;
        EXPECT_EQ(CNumbering(style, job->NumberOf(q)).GetText(), CString(expected[i].label));
    }
    view.OnEndPrinting(&dc, &info);

    // The print copy took the group order; the document and the view keep theirs, unmodified.
    std::vector<int> after;
    for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;)
        after.push_back(static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos))->m_nId);
    EXPECT_EQ(after, before);
    EXPECT_EQ(view.GetElementCount(), 7);
    EXPECT_EQ(view.GetElementQuestion(0)->m_nId, 1);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(CorraViewPrintTest, MarginsTakeEachSidesOwnUnprintableBorder)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    // Left 0.25, top 0.5, right 0.75, bottom 1 inch the printer cannot print on.
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0.25, 0.5, 0.75, 1.0), QPageLayout::Inch);
    CPrinterDC dc(&printer);
    dc.SetMapMode(MM_TWIPS);
    const CRect printable = [&] {
        CRect r(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&r);
        return r;
    }();
    struct Case {
        CPageMargins margins;  // left, right, top, bottom
        CRect shrink;          // twips taken from left, top, right, bottom
    };
    const Case cases[] = {
        {{1.0, 1.0, 1.0, 1.0}, CRect(1080, 720, 360, 0)},
        {{0.25, 0.75, 0.5, 1.0}, CRect(0, 0, 0, 0)},
        {{0.0, 0.0, 0.0, 0.0}, CRect(0, 0, 0, 0)},
        {{2.0, 1.0, 1.5, 1.25}, CRect(2520, 1440, 360, 360)},
    };
    for (const Case& c : cases) {
        const CPageMargins& m = c.margins;
        CRect rect = printable;
        pageframe::ApplyMargins(&dc, rect, m);
        SCOPED_TRACE(m.GetText().GetString());
        // One device pixel of rounding either way.
        EXPECT_NEAR(rect.left - printable.left, c.shrink.left, 2);
        EXPECT_NEAR(printable.top - rect.top, c.shrink.top, 2);
        EXPECT_NEAR(printable.right - rect.right, c.shrink.right, 2);
        EXPECT_NEAR(rect.bottom - printable.bottom, c.shrink.bottom, 2);
    }
}

TEST_F(CorraViewPrintTest, MarginsThatLeaveNoBodyAreRefused)
{
    CFixedMetricsDC dc(816, 1056, 96);
    struct Case {
        CPageMargins margins;
        bool ok;
    };
    const Case cases[] = {
        {{0.5, 0.5, 0.5, 0.5}, true},
        {{-3, 0.5, 0.5, 0.5}, false},
        {{0.5, 0.5, 0.5, -0.01}, false},
        {{0.5, 0.5, 40, 0.5}, false},
        {{0.5, 0.5, 5.0, 4.5}, false},
        {{0.5, 0.5, 0.5, 0.5 + 0.0 * 1}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pageframe::CheckMargins(&dc, c.margins).IsEmpty(), c.ok)
            << c.margins.left << " " << c.margins.top << " " << c.margins.right << " " << c.margins.bottom;
    }
}

TEST_F(CorraViewPrintTest, ProfileMarginsThatCannotPrintStopThePrintWithAMessage)
{
    AddQuestions(3);
    CCorraView& view = Upper();
    for (const char* value : {"-3", "40"}) {
        messageBox.calls.clear();
        CorraApp().WriteProfileString(doc->GetProfileSection(), "RightMargin", value);
        CPrintInfo info;
        info.m_bPreview = TRUE;
        EXPECT_FALSE(view.OnPreparePrinting(&info)) << value;
        ASSERT_EQ(messageBox.calls.size(), 1u) << value;
        EXPECT_GE(messageBox.calls[0].text.Find("margin"), 0);
    }
    // Unreadable text reads as no margin: the page is printable.
    CorraApp().WriteProfileString(doc->GetProfileSection(), "RightMargin", "x");
    CPrintInfo info;
    info.m_bPreview = TRUE;
    EXPECT_TRUE(view.OnPreparePrinting(&info));
    EXPECT_EQ(GetPageMargins().right, 0.0);
}

TEST_F(CorraViewPrintTest, MarginsDialogChecksOnlyTheBottomAndSavesOnOk)
{
    AddQuestions(1);
    CCorraView& view = Upper();
    CModalScript script;
    script.On<CPageMarginsDlg>([this](CPageMarginsDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle().toStdString(), "Corra Printing Margins");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_MARGIN_LEFT), CString("0.5"));
        dlg.SetDlgItemText(IDC_MARGIN_BOTTOM, "5");
        dlg.SetDlgItemText(IDC_MARGIN_LEFT, "5");
        ClickDlgButton(dlg, IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_GE(messageBox.calls[0].text.Find("4.25"), 0);
        dlg.SetDlgItemText(IDC_MARGIN_BOTTOM, "4.25");
        dlg.SetDlgItemText(IDC_MARGIN_TOP, "0.75");
        ClickDlgButton(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded());
    });
    view.OnCommand(ID_PRINT_MARGINS);
    EXPECT_EQ(script.Answered(), 1);
    const CPageMargins m = GetPageMargins();
    EXPECT_EQ(m.left, 5.0);
    EXPECT_EQ(m.top, 0.75);
    EXPECT_EQ(m.right, 0.5);
    EXPECT_EQ(m.bottom, 4.25);
    EXPECT_EQ(CorraApp().GetProfileString(doc->GetProfileSection(), "LeftMargin", ""), CString("5.00"));
    EXPECT_EQ(CorraApp().GetProfileString(doc->GetProfileSection(), "BottomMargin", ""), CString("4.25"));

    // Cancel changes nothing.
    CModalScript cancel;
    cancel.On<CPageMarginsDlg>([](CPageMarginsDlg& dlg) {
        dlg.SetDlgItemText(IDC_MARGIN_LEFT, "1");
        ClickDlgButton(dlg, IDCANCEL);
    });
    view.OnCommand(ID_PRINT_MARGINS);
    EXPECT_EQ(GetPageMargins().left, 5.0);
}

TEST_F(CorraViewPrintTest, TheExpandedTextsKeyHoldsTheMargins)
{
    const CString before = doc->GetPrintSettingsText();
    CPageMargins m;
    m.top = 1.25;
    SetPageMargins(m);
    EXPECT_NE(doc->GetPrintSettingsText(), before);
    EXPECT_GE(doc->GetPrintSettingsText().Find("TopMargin=1.25"), 0);
}

TEST_F(CorraViewPrintTest, AnswerLayoutsDrawBoxesOfTheirTypesWidths)
{
    doc->Add(1, IDS_QTYPE_ES, "Essay")->m_cszAnswer = "An essay answer";
    doc->Add(2, IDS_QTYPE_SA, "Short")->m_cszAnswer = "";
    doc->Add(3, IDS_QTYPE_FI, "Fill")->m_cszAnswer = "word";
    doc->Add(4, IDS_QTYPE_MC, "Choice")->m_cszAnswer =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 b\\par}";
    for (int mode : {3, 5}) {
        SCOPED_TRACE(mode);
        doc->m_nPrintMode = mode;
        CCorraView& view = Upper();
        CFixedMetricsDC dc(816, 1056, 96);
        dc.SetMapMode(MM_TWIPS);
        CPrintInfo info;
        info.m_pPD->ChooseAll();
        view.m_nPrintMode = mode;
        view.OnBeginPrinting(&dc, &info);
        info.m_rectDraw.SetRect(0, 0, 816, 1056);
        dc.DPtoLP(&info.m_rectDraw);
        info.m_rectDraw.DeflateRect(720, 0);
        info.m_rectDraw.top = -720;
        info.m_rectDraw.bottom = -15000;
        const int width = info.m_rectDraw.Width();
        int y = info.m_rectDraw.top;
        std::vector<int> heights;
        for (int id = 1; id <= 4; ++id) {
            dc.texts.clear();
            int measured = y;
            view.PrintQuestion(&dc, &info, doc->FindQuestionById(id), measured, FALSE);
            int drawn = y;
            view.PrintQuestion(&dc, &info, doc->FindQuestionById(id), drawn, TRUE);
            EXPECT_EQ(measured, drawn) << id;
            heights.push_back(y - drawn);
            CString all;
            for (const auto& t : dc.texts)
                all += t.text;
            // The answer shows as text, an empty one as stars, never the RTF codes.
            if (id == 2) {
                EXPECT_GE(all.Find("***"), 0);
            }
            if (id <= 3) {
                // The box's right edge: the rightmost ink across the question's rows.
                const double share[] = {1.0, 0.66, 0.33};
                int rightmost = -1;
                for (int row = -y / 15 + 1; row < -drawn / 15 - 1; ++row)
                    for (int x = 0; x < dc.Image().width(); ++x)
                        if (qGray(dc.Image().pixel(x, row)) < 128)
                            rightmost = std::max(rightmost, x);
                EXPECT_NEAR(rightmost, (info.m_rectDraw.left + share[id - 1] * width) / 15, 2) << id;
            }
            if (id == 4) {
                EXPECT_GE(all.Find("b"), 0);
                EXPECT_LT(all.Find("rtf"), 0);
                EXPECT_LT(all.Find("\\"), 0);
            }
            y = drawn;
        }
        // Mode 5's boxes are the answer spaces: at least the share of the page each asks.
        if (mode == 5) {
            EXPECT_GE(heights[0], static_cast<int>(0.05 * 15840) - 20);
        }
        view.OnEndPrinting(&dc, &info);
        panes.reset();
    }
}

// The document's show-answers flag and first number on paper: the right choice starred, the
// essay's answer written out, and the numbers counted on from the one asked for.
TEST_F(CorraViewPrintTest, AnswersAndTheFirstNumberAreThoseOfTheDocument)
{
    doc->Add(1, IDS_QTYPE_MC, "Pick one");
    doc->Add(2, IDS_QTYPE_ES, "Explain it")->m_cszAnswer = "Membranes enclose it";
    const struct {
        BOOL answers;
        int first;
    } rows[] = {{FALSE, 1}, {TRUE, 1}, {FALSE, 5}, {TRUE, 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "answers " << row.answers << " first " << row.first);
        doc->m_bShowAnswers = row.answers;
        doc->m_nFirstQuestionNumber = row.first;
        CCorraView& view = Upper();
        CFixedMetricsDC dc(816, 1056, 96);
        CPrintInfo info;
        info.m_pPD->ChooseAll();
        view.m_nPrintMode = 0;
        view.OnBeginPrinting(&dc, &info);
        ASSERT_TRUE(PrintPage(view, dc, info, 1));
        view.OnEndPrinting(&dc, &info);
        CString all;
        for (const auto& t : dc.texts)
            all += t.text + "|";
        EXPECT_EQ(all.Find("*b") >= 0, row.answers) << all;
        EXPECT_EQ(all.Find("Membranes") >= 0, row.answers) << all;
        EXPECT_GE(all.Find(CString::Formatted("|%d. |Pick", row.first)), 0) << all;
        EXPECT_GE(all.Find(CString::Formatted("|%d. |Explain", row.first + 1)), 0) << all;
        panes.reset();
    }
}

TEST_F(CorraViewPrintTest, ThePrintSpacingSeparatesQuestionsAndChoicesUpToTenLines)
{
    doc->Add(1, IDS_QTYPE_MC, "Which one?");
    CFixedMetricsDC dc(816, 1056, 96);
    CPrintInfo info;
    CCorraView& view = BeginPrint(dc, info, 0, CRect(720, -720, 11520, -15000));
    // The height of the question with the spacing given (after it, before its choices).
    auto height = [&](int questSep, int choiceSep) {
        doc->m_nNumQuestSepLines = questSep;
        doc->m_nNumQuestChoiceSepLines = choiceSep;
        int y = info.m_rectDraw.top;
        view.PrintQuestion(&dc, &info, doc->FindQuestionById(1), y, FALSE);
        int drawn = info.m_rectDraw.top;
        view.PrintQuestion(&dc, &info, doc->FindQuestionById(1), drawn, TRUE);
        EXPECT_EQ(y, drawn) << questSep << " " << choiceSep;
        return info.m_rectDraw.top - y;
    };
    const int plain = height(0, 0);
    const int line = height(1, 0) - plain;
    EXPECT_GT(line, 0);
    struct Case {
        int questSep, choiceSep, lines;
    };
    const Case cases[] = {{2, 1, 3}, {10, 0, 10}, {25, 0, 10}, {0, 1, 1}, {0, 25, 10}, {-3, -3, 0}, {25, 25, 20}};
    for (const Case& c : cases)
        EXPECT_EQ(height(c.questSep, c.choiceSep), plain + c.lines * line) << c.questSep << " " << c.choiceSep;
    view.OnEndPrinting(&dc, &info);
}

TEST_F(CorraViewPrintTest, ASilentPreparationEndsWithItsFlagCleared)
{
    AddQuestions(2);
    CCorraView& view = Upper();
    CFixedMetricsDC dc(816, 1056, 96);
    CPrintInfo info;
    view.m_bSilentPrepare = TRUE;
    view.m_bCloseAfterPrinting = TRUE;
    view.OnBeginPrinting(&dc, &info);
    view.OnEndPrinting(&dc, &info);
    EXPECT_FALSE(view.m_bSilentPrepare);
    // Only the flag: a silent preparation closes nothing.
    EXPECT_TRUE(view.m_bCloseAfterPrinting);
    view.m_bCloseAfterPrinting = FALSE;
}

TEST_F(CorraViewPrintTest, AnAnswerSpaceOfAWholePageIsCappedAtTheBody)
{
    doc->Add(1, IDS_QTYPE_ES, "Essay")->m_dAnswerSize = 1.0;
    doc->m_nPrintMode = 5;
    CFixedMetricsDC dc(816, 1056, 96);
    CPrintInfo info;
    CCorraView& view = BeginPrint(dc, info, 5, CRect(720, -720, 11520, -10000));
    int y = info.m_rectDraw.top;
    view.PrintQuestion(&dc, &info, doc->FindQuestionById(1), y, FALSE);
    // The box and the empty line after it.
    EXPECT_LE(info.m_rectDraw.top - y, 9280 + 400);
    view.OnEndPrinting(&dc, &info);
}

TEST_F(CorraViewPrintTest, NoQuestionsPrintNothing)
{
    CCorraView& view = Upper();
    CFixedMetricsDC dc(816, 1056, 96);
    CPrintInfo info;
    view.OnBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    view.OnPrepareDC(&dc, &info);
    EXPECT_FALSE(info.m_bContinuePrinting);
    view.OnEndPrinting(&dc, &info);
}

TEST_F(CorraViewPrintTest, BadInputPrintsInsideTheMarginsOnly)
{
    doc->m_csTitle1 = CString('T', 2000);
    doc->m_csTitle2 = CString('D', 2000);
    doc->m_csInstructions = "{\\rtf1 {{{ never closed";
    doc->m_nNumQuestSepLines = 25;
    doc->Add(1, IDS_QTYPE_MC, "{\\rtf1\\ansi {\\b broken");
    doc->Add(2, IDS_QTYPE_ES, "A picture that is not there")->AddImage(HomePath("missing.png"), 0, 0, 20, 0);
    doc->Add(3, IDS_QTYPE_SA, CString('w', 3000));
    CCorraView& view = Upper();
    CPrintInfo info;
    info.m_pPD->ChooseAll();
    {
        CFixedMetricsDC dc(816, 1056, 96);
        view.m_nPrintMode = 0;
        view.OnBeginPrinting(&dc, &info);
    }
    int pages = 0;
    for (int page = 1; page < 50; ++page) {
        // A fresh sheet for every page: ink outside the half-inch margins is on this page.
        CFixedMetricsDC dc(816, 1056, 96);
        if (!PrintPage(view, dc, info, page))
            break;
        ++pages;
        int outside = 0;
        for (int y = 0; y < dc.Image().height(); ++y)
            for (int x = 0; x < dc.Image().width(); ++x)
                if ((x < 47 || x > 816 - 47 || y < 47 || y > 1056 - 47) && qGray(dc.Image().pixel(x, y)) < 200)
                    ++outside;
        EXPECT_EQ(outside, 0) << "page " << page;
        // The device context comes back as it was given.
        EXPECT_EQ(dc.GetMapMode(), MM_TWIPS);
        CRect clip;
        dc.GetClipBox(&clip);
        clip.NormalizeRect();
        EXPECT_GE(clip.Width(), 816 * 15 - 15);
    }
    EXPECT_GE(pages, 1);
    view.OnEndPrinting(nullptr, &info);
}

TEST_F(CorraViewPrintTest, CloseAfterPrintingAsksToSaveTheEdits)
{
    AddQuestions(2);
    CCorraView& view = Upper();
    doc->SetModifiedFlag(TRUE);
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    dialogs.QueuePdf(HomePath("closing.pdf"));
    view.m_bCloseAfterPrinting = TRUE;
    messageBox.QueueAnswer(IDCANCEL);
    view.OnCommand(ID_FILE_PRINT);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_GE(messageBox.calls.back().text.Find("Save changes"), 0);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(CorraViewPrintTest, PreviewPrintsThroughTheViewAndStaysOpen)
{
    AddQuestions(3);
    CCorraView& view = Upper();
    view.OnCommand(ID_FILE_PRINT_PREVIEW);
    QApplication::processEvents();
    CCorraPreviewView* preview = FindTopLevel<CCorraPreviewView>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), view.GetLastPageCount());

    preview->OnCommand(IDHELP);
    ASSERT_EQ(help.topics.size(), 1u);
    EXPECT_EQ(help.topics[0], 0x2010Au);

    // Print: the view prints (its dialog cancelled here) and the preview stays.
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    dialogs.QueueCancel();
    QPointer<CCorraPreviewView> alive(preview);
    preview->OnCommand(AFX_ID_PREVIEW_PRINT);
    EXPECT_TRUE(view.m_bPrintFromPreview);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.printRequests.size(), 1u);
    ASSERT_FALSE(alive.isNull());
    EXPECT_EQ(alive->GetPageCount(), view.GetLastPageCount());

    alive->ClosePreview();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_FALSE(view.m_bPrintFromPreview);
}

// An exam view with n forms, stepping through them in its preview.
class CFormsView : public CCorraView {
public:
    BOOL HasPreviewForm(int nDelta) const override
    {
        const int to = form + nDelta;
        return forms > 0 && to >= 0 && to < forms;
    }
    BOOL StepPreviewForm(int nDelta, CPrintInfo*) override
    {
        form += nDelta;
        ++steps;
        return TRUE;
    }
    int forms = 1;
    int form = 0;
    int steps = 0;
};

TEST_F(CorraViewPrintTest, AnExamPreviewStepsOnlyWhereThereIsAnotherForm)
{
    AddQuestions(2);
    CFormsView view;
    CCreateContext context;
    context.m_pCurrentDoc = doc.get();
    view.Create(nullptr, 0, &context);
    view.OnInitialUpdate();
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    ASSERT_TRUE(view.OnPreparePrinting(info.get()));
    auto* preview = new CExamPreviewView;
    ASSERT_TRUE(preview->Start(IDD_PREVIEW_BAR, &view, std::move(info)));
    QPointer<CExamPreviewView> alive(preview);
    EXPECT_FALSE(preview->CanStepForm(1));
    EXPECT_FALSE(preview->CanStepForm(-1));

    view.forms = 3;
    EXPECT_TRUE(preview->CanStepForm(1));
    EXPECT_FALSE(preview->CanStepForm(-1));
    preview->OnCommand(ID_PREVIEW_NEXT_FORM);
    EXPECT_EQ(view.form, 1);
    EXPECT_EQ(preview->GetCurrentPage(), 1);
    preview->OnCommand(ID_PREVIEW_PREV_FORM);
    EXPECT_EQ(view.form, 0);
    preview->OnCommand(ID_PREVIEW_PREV_FORM);
    EXPECT_EQ(view.steps, 2);
    preview->ClosePreview();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
