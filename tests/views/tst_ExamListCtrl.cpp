// The exam's question list: the link cell's colour by the state of the link, the link sorted by
// the file's name, the marked colour for any flag, the pin of a fixed position, and the one
// message a paint sends its parent.

#include "views/ExamListCtrl.h"

#include "model/ExamQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/ui/Wnd.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/ListRows.h"

#include <QApplication>
#include <QHeaderView>

#include <memory>
#include <vector>

namespace {

using ExamListCtrlTest = CorraTest;

constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kMarked = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kPin = RGB(210, 40, 40);
constexpr int kRowHeight = 16;

// Exam questions that live as long as the test.
struct CExam {
    std::vector<std::unique_ptr<CExamQuestion>> owned;
    CExamQuestion* Add(int id)
    {
        owned.push_back(std::make_unique<CExamQuestion>());
        CExamQuestion* q = owned.back().get();
        q->m_nId = id;
        q->m_nIndex = id;
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->m_cszQuestionText = CString::Formatted("Question %d", id);
        return q;
    }
    CPtrListEx All() const
    {
        CPtrListEx l;
        for (const auto& q : owned)
            l.AddTail(q.get());
        return l;
    }
};


} // namespace

TEST_F(ExamListCtrlTest, TheLinkCellTellsTheStateOfTheLink)
{
    const CString bank = GetProgramHome() + "QCorras/Biology.crr";
    fsys::CreateDirectories(fsys::Folder(bank));
    ASSERT_TRUE(fsys::WriteFile(bank, "x", 1));
    struct Case {
        const char* name;
        bool linked;
        bool exists;
        bool outOfDate;
        COLORREF fill;
    };
    const Case cases[] = {
        {"unlinked", false, false, false, EXAM_LINK_MISSING},
        {"file gone", true, false, false, EXAM_LINK_MISSING},
        {"file changed since", true, true, true, RGB(255, 202, 202)},
        {"current", true, true, false, kBack},
    };
    CExam exam;
    for (const Case& c : cases) {
        CExamQuestion* q = exam.Add(static_cast<int>(exam.owned.size()) + 1);
        q->m_bLinked = c.linked;
        q->m_csCorraFile = c.linked ? bank : CString();
        q->m_bFileExists = c.exists;
        q->m_bOutOfDate = c.outOfDate;
    }
    CExamListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.InsertQuestions(exam.All(), -1, FALSE);
    EXPECT_EQ(list.GetColumnLabel(6), "Link");
    EXPECT_EQ(list.GetColumnLabel(5), "Subject");
    for (int i = 0; i < list.GetItemCount(); ++i) {
        const Case& c = cases[i];
        CFixedMetricsDC dc(1200, 40);
        Draw(list, dc, i, kRowHeight);
        // The cell's right end, past the one line of the path.
        EXPECT_EQ(PixelAt(dc, ColumnLeft(list, 7) - 2, kRowHeight - 2), c.fill) << c.name;
        EXPECT_EQ(list.GetItemText(i, 6), c.linked ? "Biology.crr" : "") << c.name;
        // The ID cell keeps the row's fill: the exam list has no duplicate display.
        EXPECT_EQ(PixelAt(dc, ColumnLeft(list, 8) - 2, kRowHeight - 2), kBack) << c.name;
    }
}

TEST_F(ExamListCtrlTest, TheLinkColumnSortsByTheFileNameWithoutCase)
{
    CExam exam;
    CExamQuestion* first = exam.Add(1);
    first->m_bLinked = TRUE;
    first->m_csCorraFile = "/banks/a/B.crr";
    CExamQuestion* second = exam.Add(2);
    second->m_bLinked = TRUE;
    second->m_csCorraFile = "/banks/b/a.crr";
    exam.Add(3);  // unlinked: an empty name comes first
    CExamListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.InsertQuestions(exam.All(), -1, FALSE);
    emit list.header()->sectionClicked(6);
    EXPECT_EQ(RowIds(list), (std::vector<int>{3, 2, 1}));
    emit list.header()->sectionClicked(6);
    EXPECT_EQ(RowIds(list), (std::vector<int>{1, 2, 3}));
    // Other columns sort as in every question list.
    emit list.header()->sectionClicked(7);
    EXPECT_EQ(RowIds(list), (std::vector<int>{1, 2, 3}));
}

TEST_F(ExamListCtrlTest, AnyFlagMarksTheRowAndInsertingKeepsIt)
{
    CExam exam;
    CExamQuestion* duplicate = exam.Add(1);
    duplicate->m_nFlags = 4;  // a duplicate-index mark, not the list's own
    CExamQuestion* plain = exam.Add(2);
    CExamListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.m_bUseMarkedColour = TRUE;
    list.InsertQuestions(exam.All(), -1, FALSE);
    EXPECT_EQ(duplicate->m_nFlags, 4);
    const int typeCell = ColumnLeft(list, 2) + 2;
    CFixedMetricsDC marked(1200, 40);
    Draw(list, marked, 0, kRowHeight);
    EXPECT_EQ(PixelAt(marked, typeCell, kRowHeight - 2), kMarked);
    CFixedMetricsDC unmarked(1200, 40);
    Draw(list, unmarked, 1, kRowHeight);
    EXPECT_EQ(PixelAt(unmarked, typeCell, kRowHeight - 2), kBack);
    (void)plain;
}

TEST_F(ExamListCtrlTest, AFixedPositionShowsAPinOnTheIndex)
{
    CExam exam;
    CExamQuestion* fixed = exam.Add(1);
    fixed->m_nAttributes = EXAM_ATTR_FIXED;
    fixed->m_nFixedPosition = 1;
    exam.Add(2);
    CExamListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.InsertQuestions(exam.All(), -1, FALSE);
    auto pinPixels = [&](int nItem) {
        CFixedMetricsDC dc(1200, 40);
        Draw(list, dc, nItem, kRowHeight);
        int n = 0;
        for (int x = ColumnLeft(list, 4); x < ColumnLeft(list, 5) + 16; ++x)
            for (int y = 0; y < kRowHeight; ++y)
                n += PixelAt(dc, x, y) == kPin;
        return n;
    };
    EXPECT_GT(pinPixels(0), 0);
    EXPECT_EQ(pinPixels(1), 0);
}

namespace {

// A parent that counts the list's paint messages.
class CCountingParent : public CWidgetWnd {
public:
    int painted = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_EXAM_LIST_PAINTED) {
            ++painted;
            return 1;
        }
        return CWidgetWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(ExamListCtrlTest, APaintTellsTheParentOnceWhateverTheRows)
{
    CExam exam;
    for (int id = 1; id <= 6; ++id)
        exam.Add(id);
    CCountingParent parent;
    parent.resize(900, 300);
    auto* list = new CExamListCtrl(nullptr, nullptr, kBack, nullptr, &parent);
    list->SetViewMode(ODLIST_SMALL_ROWS);
    list->InsertQuestions(exam.All(), -1, FALSE);
    list->resize(900, 300);
    parent.show();
    QApplication::processEvents();
    parent.painted = 0;
    list->viewport()->repaint();
    QApplication::processEvents();
    // One message a paint, not one a row.
    const int afterPaint = parent.painted;
    EXPECT_GE(afterPaint, 1);
    EXPECT_LT(afterPaint, 6);
    // Answering it paints nothing again, so no more come.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(parent.painted, afterPaint);
}
