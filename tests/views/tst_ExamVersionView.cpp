// A form's own window: its kind and name, nothing pasted or dropped in, rows moved only within
// the form, no sorting by the headers, the exam's fixed positions kept after a removal, its
// context menu and "Save Form".

#include "views/ExamVersionView.h"

#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/OleData.h"
#include "res/ids/CorraView.h"
#include "res/ids/ExamView.h"
#include "res/ids/Menus.h"
#include "res/ids/QuestionTypes.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Print.h"
#include "print/ExportContext.h"
#include "render/RtfDraw3.h"
#include "tests/support/Collections.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/ListRows.h"
#include "views/CorraViewServices.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Four questions; "Form a" holds them in the order 4, 3, 2, 1.
class CFormExam : public CExamDoc {
public:
    CFormExam()
    {
        m_bAutoDelete = FALSE;
        SetTitle("Quiz.exm");
        for (int id = 1; id <= 4; ++id) {
            auto* q = new CExamQuestion;
            q->m_nId = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Question %d", id);
            InsertQuestion(q);
        }
        CPtrListEx members;
        for (int id : {4, 3, 2, 1})
            members.AddTail(FindQuestionById(id));
        form = GetOrCreateCollection("Form a", &members);
        SetModifiedFlag(FALSE);
    }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
    CCorraQuestion* form = nullptr;
};

template <typename View>
View* MakeView(QWidget& parent, CExamDoc& doc, CCorraQuestion* form)
{
    auto* view = new View;
    CCreateContext context;
    context.m_pCurrentDoc = &doc;
    view->Create(&parent, AFX_IDW_PANE_FIRST, &context);
    view->resize(600, 300);
    view->OnInitialUpdate();
    view->SetCollectionQuestion(form);
    return view;
}

class ExamVersionViewTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        scope = std::make_unique<CServiceScope<ICorraViewServices>>(CorraViewServicesSlot(), services);
        exam = std::make_unique<CFormExam>();
        parent.resize(600, 600);
        view = MakeView<CExamVersionView>(parent, *exam, exam->form);
        parent.show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        delete view;
        QApplication::processEvents();
        exam.reset();
        scope.reset();
        CorraTest::TearDown();
    }
    void Select(int row)
    {
        view->GetListCtrl()->SelectItem(-1, FALSE);
        view->GetListCtrl()->SelectItem(row, TRUE);
    }

    QWidget parent;
    CCorraViewServices services;
    std::unique_ptr<CServiceScope<ICorraViewServices>> scope;
    std::unique_ptr<CFormExam> exam;
    CExamVersionView* view = nullptr;
};

TEST_F(ExamVersionViewTest, AFormWindowShowsItsFormAsAForm)
{
    EXPECT_EQ(view->GetKindName(), "Form");
    EXPECT_EQ(view->GetName(), "Form a");
    EXPECT_EQ(view->GetCollection(), exam->form);
    EXPECT_EQ(exam->form->m_pView, view);
    EXPECT_EQ(view->GetDrawMode(), CVDRAW_SMALL_ICON);
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{4, 3, 2, 1}));
    // No header sorts a form.
    for (int column : {2, 7})
        Q_EMIT view->GetListCtrl()->header()->sectionClicked(column);
    QApplication::processEvents();
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_FALSE(view->IsModified());
}

TEST_F(ExamVersionViewTest, NothingIsPastedDroppedCutOrDeletedInAForm)
{
    Select(1);
    for (UINT id : {menus::kEditDelete, menus::kEditCut, menus::kEditPaste})
        EXPECT_FALSE(CommandEnabled(*view, id)) << id;
    view->OnCmdMsg(menus::kEditDelete, CN_COMMAND, nullptr);
    view->OnCmdMsg(menus::kEditCut, CN_COMMAND, nullptr);

    COleDataObject data;
    EXPECT_EQ(view->PasteFrom(data), CCorraView::DROP_REFUSED);
    CUpdate request;
    CPtrListEx questions;
    questions.AddTail(exam->FindQuestionById(2));
    request.SetQuestions(&questions);
    EXPECT_EQ(view->DropQuestOnCorraView(request), CCorraView::DROP_REFUSED);
    EXPECT_EQ(view->CopyDropOnQuestionView(request), CCorraView::DROP_REFUSED);
    ASSERT_EQ(messageBox.calls.size(), 3u);
    for (const auto& call : messageBox.calls)
        EXPECT_EQ(call.text, CString("Cannot copy to forms.  Forms can only be populated when they are created."));
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(MemberIds(view->GetWorkingCopy()), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_FALSE(view->IsModified());
    EXPECT_FALSE(exam->IsModified());
}

TEST_F(ExamVersionViewTest, RowsAreDraggedWithinTheFormOnly)
{
    std::unique_ptr<CExamVersionView> other(MakeView<CExamVersionView>(parent, *exam, nullptr));
    other->SetCollection([&] {
        CPtrListEx one;
        one.AddTail(exam->FindQuestionById(1));
        return one;
    }());
    other->Refresh();

    // To another form's list: refused, nothing moves anywhere.
    Select(3);
    EXPECT_EQ(view->DispatchDrop(other->GetListCtrl(), 0, 3), CCorraView::DROP_REFUSED);
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(RowIds(*other->GetListCtrl()), (std::vector<int>{1}));
    EXPECT_TRUE(messageBox.calls.empty());

    // Within: the last row goes first, the window unsaved, the exam's form as it was.
    EXPECT_EQ(view->DispatchDrop(view->GetListCtrl(), 0, 3), CCorraView::DROP_DONE);
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_EQ(MemberIds(view->GetWorkingCopy()), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_TRUE(view->IsModified());
    EXPECT_EQ(MemberIds(*exam->form), (std::vector<int>{4, 3, 2, 1}));

    // "Save Form" writes the order into the exam's form.
    EXPECT_TRUE(CommandEnabled(*view, ID_SAVE_FORM));
    view->OnCmdMsg(ID_SAVE_FORM, CN_COMMAND, nullptr);
    EXPECT_EQ(MemberIds(*exam->form), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_FALSE(view->IsModified());
    EXPECT_TRUE(exam->IsModified());
    EXPECT_FALSE(CommandEnabled(*view, ID_SAVE_FORM));
}

TEST_F(ExamVersionViewTest, ARemovalPutsFixedQuestionsBackInTheirPlaces)
{
    // Question 2 belongs at place 1 of every form.
    auto* fixed = static_cast<CExamQuestion*>(exam->FindQuestionById(2));
    fixed->m_nAttributes |= EXAM_ATTR_FIXED;
    fixed->m_nFixedPosition = 1;
    EXPECT_TRUE(view->AfterRemove());
    EXPECT_EQ(RowIds(*view->GetListCtrl()), (std::vector<int>{2, 4, 3, 1}));
    EXPECT_EQ(MemberIds(view->GetWorkingCopy()), (std::vector<int>{2, 4, 3, 1}));
    // In place already: nothing moves.
    EXPECT_FALSE(view->AfterRemove());
}

// A printer that fails on the first text.
class CFailingDC : public CFixedMetricsDC {
public:
    using CFixedMetricsDC::CFixedMetricsDC;

protected:
    void OnTextDrawn(int, int, const CString&, const QString&) override { throw std::runtime_error("printer gone"); }
};

// The first page of the form's print in a print mode, as text; the IDs the job prints.
CString PrintFirstPage(CExamVersionView& view, CFixedMetricsDC& dc, int nPrintMode, std::vector<int>* ids = nullptr)
{
    CPrintInfo info;
    info.m_pPD->ChooseAll();
    view.m_nPrintMode = nPrintMode;
    view.OnBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    view.OnPrepareDC(&dc, &info);
    info.m_rectDraw.SetRect(0, 0, 816, 1056);
    dc.DPtoLP(&info.m_rectDraw);
    view.OnPrint(&dc, &info);
    for (const CCorraQuestion* q : view.GetPrintJob(&info)->elements)
        if (ids)
            ids->push_back(q->m_nId);
    view.OnEndPrinting(&dc, &info);
    CString text;
    for (const auto& t : dc.texts)
        text += t.text + " ";
    return text;
}

// Question 2 a choice question whose choices form a prints in reverse, question 3 naming the
// form that prints it.
class ExamVersionPrintTest : public ExamVersionViewTest {
protected:
    void SetUp() override
    {
        ExamVersionViewTest::SetUp();
        InstallRtfTextDrawer();
        CExamDoc::LoadDefaults();
        mc = static_cast<CExamQuestion*>(exam->FindQuestionById(2));
        mc->m_nType = static_cast<int>(IDS_QTYPE_MC);
        mc->SetChoices("a. alpha\nb. beta\nc. gamma");
        mc->m_cszAnswer = "a";
        auto* identity = static_cast<CExamQuestion*>(exam->FindQuestionById(3));
        identity->m_nAttributes |= EXAM_ATTR_IDENTITY;
        identity->m_cszQuestionText = "Copy %s";
        view->GetForm()->m_Scramble.SetLine(2, "2:0:2 1 0:2");
    }
    CExamQuestion* mc = nullptr;
};

TEST_F(ExamVersionPrintTest, AFormPrintsInItsOrderAndChoicesUnderTheExamsBandsNamingIt)
{
    CFixedMetricsDC dc(816, 1056, 96);
    std::vector<int> ids;
    const CString page = PrintFirstPage(*view, dc, 0, &ids);
    EXPECT_EQ(ids, (std::vector<int>{4, 3, 2, 1}));
    EXPECT_GE(page.Find("Form: Form a"), 0) << page.GetString();
    EXPECT_GE(page.Find("Name__"), 0);
    EXPECT_GE(page.Find("Copy Form a"), 0);
    EXPECT_LT(page.Find("gamma"), page.Find("alpha"));
    // The key: question 2, third on the form, answers with the form's letter.
    const CString key = PrintFirstPage(*view, dc, 3);
    EXPECT_GE(key.Find("3.  c"), 0) << key.GetString();
    EXPECT_GE(key.Find("Form a"), 0);

    // The exam's questions stay as they are, also when the printer fails midway.
    CFailingDC failing(816, 1056, 96);
    PrintFirstPage(*view, failing, 0);
    EXPECT_EQ(mc->GetChoice(0, TRUE), "alpha");
    EXPECT_EQ(mc->m_cszAnswer, "a");
    EXPECT_EQ(exam->FindQuestionById(3)->m_cszQuestionText, "Copy %s");
}

TEST_F(ExamVersionPrintTest, AFormExportsItsOwnQuestionsUnderTheExamsBands)
{
    CExportContext ctx;
    ctx.nFileType = FT_TEXT;
    ctx.csOutputPath = HomePath("form.txt");
    ASSERT_TRUE(view->RunExport(ctx));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(ctx.csOutputPath, text));
    EXPECT_NE(text.find("Form: Form a"), std::string::npos) << text;
    EXPECT_NE(text.find("Copy Form a"), std::string::npos);
    EXPECT_LT(text.find("gamma"), text.find("alpha"));
    EXPECT_LT(text.find("Question 4"), text.find("Question 1"));
}

TEST_F(ExamVersionViewTest, TheContextMenuIsTheFormsOwn)
{
    QMenu* menu = view->ShowContextMenu(CPoint(10, 10));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts.join("|").toStdString(),
              "&Search...|S&tatistics...|Set Question &Attributes...|Ima&ges...|&Save Form|&Rename Form");
    menu->close();
    QApplication::processEvents();
}

} // namespace
