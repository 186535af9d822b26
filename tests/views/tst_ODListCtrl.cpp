#include "views/ODListCtrl.h"
#include "views/CollListCtrl.h"

#include "foundation/CorraAppBase.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/ui/SysColor.h"
#include "render/FontMgr.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/ListRows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

#include <climits>
#include <memory>

namespace {

using ODListCtrlTest = CorraTest;

constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kMarked = RGB(0xC0, 0xC0, 0xC0);

std::unique_ptr<CCorraQuestion> Question(int id, int index, const char* text, unsigned type = IDS_QTYPE_MC)
{
    auto q = std::make_unique<CCorraQuestion>();
    q->m_nId = id;
    q->m_nIndex = index;
    q->m_nType = static_cast<int>(type);
    q->m_cszQuestionText = text;
    return q;
}

// Questions that live as long as the test, as a document's would.
struct CBank {
    std::vector<std::unique_ptr<CCorraQuestion>> owned;
    CCorraQuestion* Add(int id, int index, const char* text, unsigned type = IDS_QTYPE_MC)
    {
        owned.push_back(Question(id, index, text, type));
        return owned.back().get();
    }
    CPtrListEx List(std::initializer_list<CCorraQuestion*> qs) const
    {
        CPtrListEx l;
        for (CCorraQuestion* q : qs)
            l.AddTail(q);
        return l;
    }
};


const CFixedMetricsDC::CTextRecord* Drawn(const CFixedMetricsDC& dc, const char* text)
{
    for (const auto& t : dc.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

} // namespace

TEST_F(ODListCtrlTest, InsertingAListAtAPlaceKeepsItsOrderFromThere)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    EXPECT_EQ(list.InsertQuestions(bank.List({bank.Add(1, 1, "x"), bank.Add(2, 2, "y"), bank.Add(3, 3, "z")}), -1, FALSE), 2);
    CCorraQuestion* a = bank.Add(10, 0, "a");
    a->m_nFlags = QFLAG_LISTED;
    EXPECT_EQ(list.InsertQuestions(bank.List({a, bank.Add(11, 0, "b"), bank.Add(12, 0, "c")}), 2, TRUE), 2);
    EXPECT_EQ(RowIds(list), (std::vector<int>{1, 2, 10, 11, 12, 3}));
    EXPECT_EQ(a->m_nFlags & QFLAG_LISTED, 0);
    CPtrListEx selected;
    EXPECT_EQ(list.GetSelectedItems(selected, FALSE), 3);
    EXPECT_EQ(selected.GetHead(), a);
    EXPECT_EQ(list.GetItemText(2, 7), "10");
    EXPECT_EQ(list.GetItemText(2, 1), "0");
    EXPECT_EQ(list.InsertQuestions(CPtrListEx(), 0, FALSE), -1);
}

TEST_F(ODListCtrlTest, MarkingSkipsCollectionsAndTheExceptedQuestionAndIndexZero)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CCorraQuestion* first = bank.Add(1, 5, "one");
    CCorraQuestion* second = bank.Add(2, 5, "two");
    CCorraQuestion* coll = bank.Add(5, 5, "coll", IDS_QTYPE_CO);
    CCorraQuestion* zero = bank.Add(3, 0, "zero");
    list.InsertQuestions(bank.List({first, second, coll, zero}), -1, FALSE);

    EXPECT_EQ(list.MarkItems(-1, 5, FALSE, first), 1);
    EXPECT_EQ(list.FindFirstMarked(), 1);
    EXPECT_EQ(list.GetFirstMarkedQuestion(), second);
    EXPECT_EQ(list.MarkItems(5, -1, FALSE, nullptr), 0);  // the collection's ID
    EXPECT_EQ(list.MarkItems(-1, 0, FALSE, nullptr), 0);
    EXPECT_EQ(list.CountMarkedItems(), 0);
    EXPECT_EQ(list.MarkItems(3, 5, FALSE, nullptr), 3);
    EXPECT_EQ(list.DeleteMarkedItems(), 3);
    EXPECT_EQ(RowIds(list), (std::vector<int>{5}));
}

TEST_F(ODListCtrlTest, FindingByIdOrIndexPassesCollectionsOver)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.InsertQuestions(bank.List({bank.Add(1, 4, "a"), bank.Add(2, 9, "b", IDS_QTYPE_CO), bank.Add(3, 4, "c")}), -1,
                         FALSE);
    CPtrListEx found;
    EXPECT_EQ(list.FindQuestionsByIdOrIndex(found, -1, -1), 2);
    EXPECT_EQ(list.FindQuestionsByIdOrIndex(found, -1, 4), 2);
    EXPECT_EQ(list.FindQuestionsByIdOrIndex(found, 3, -1), 1);
    EXPECT_EQ(static_cast<CCorraQuestion*>(found.GetHead())->m_nId, 3);
    EXPECT_EQ(list.FindQuestionsByIdOrIndex(found, 2, -1), 0);
    EXPECT_EQ(list.FindQuestionById(2)->m_nId, 2);
    EXPECT_EQ(list.FindQuestionById(7), nullptr);
    EXPECT_EQ(list.GetItemQuestion(3), nullptr);
    EXPECT_EQ(list.GetItemQuestion(-1), nullptr);
}

TEST_F(ODListCtrlTest, HeaderClicksSortThreeWaysAndTheSameHeaderTwiceReverses)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CCorraQuestion* five = bank.Add(5, 2, "{\\rtf1{\\fonttbl{\\f0 Zapf;}}\\f0 a text}");
    CCorraQuestion* minus = bank.Add(-3, 1, "B text");
    CCorraQuestion* lowest = bank.Add(INT_MIN, 3, "c text");
    list.InsertQuestions(bank.List({five, minus, lowest}), -1, FALSE);

    struct Case {
        int column;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {7, {INT_MIN, -3, 5}},
        {7, {5, -3, INT_MIN}},  // the same header again
        {4, {-3, 5, INT_MIN}},
        {3, {5, -3, INT_MIN}},  // the plain texts, case ignored: "a", "B", "c"
        {3, {INT_MIN, -3, 5}},
        {1, {INT_MIN, -3, 5}},  // not sortable
    };
    for (const Case& c : cases) {
        emit list.header()->sectionClicked(c.column);
        EXPECT_EQ(RowIds(list), c.ids) << "column " << c.column;
    }
    // The sorted column's heading shows the direction: the last sort was column 3 descending.
    EXPECT_TRUE(list.header()->isSortIndicatorShown());
    EXPECT_EQ(list.header()->sortIndicatorSection(), 3);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    emit list.header()->sectionClicked(5);
    EXPECT_EQ(list.header()->sortIndicatorSection(), 5);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
    // Columns made anew show no sort.
    list.SetViewMode(ODLIST_SMALL_ROWS);
    EXPECT_FALSE(list.header()->isSortIndicatorShown());
}

TEST_F(ODListCtrlTest, TheIdColumnShowsTheProgramsLongestIdsWhole)
{
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    for (int mode : {ODLIST_SMALL_ROWS, ODLIST_LARGE_ROWS}) {
        list.SetViewMode(mode);
        const QFontMetrics metrics(list.font());
        EXPECT_GT(list.GetColumnWidth(7), metrics.horizontalAdvance(QStringLiteral("1073740000"))) << mode;
    }
}

TEST_F(ODListCtrlTest, SubjectsTextStopsAtTwentyFiveCharacters)
{
    struct Case {
        std::vector<const char*> subjects;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{"Biology"}, "Biology"},
        {{"Biology", "Cells"}, "Biology,Cells"},
        {{"A subject of thirty chars long"}, "A subject of thirty c"},  // 21 of them
        {{"Twenty-five characters ok"}, "Twenty-five characters ok"},
        {{"Biology", "Cells", "Photosynthesis"}, "Biology,Cells,..."},
        {{"Biology", "Cell biology and more"}, "Biology,..."},
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        for (const char* s : c.subjects)
            q.m_saSubjects.Add(s);
        EXPECT_EQ(CODListCtrl::SubjectsText(q, ",", 25), c.text);
    }
    CCorraQuestion q;
    q.m_saSubjects.Add("Biology");
    q.m_saSubjects.Add("Cells");
    EXPECT_EQ(CODListCtrl::SubjectsText(q, ", ", 0), "Biology, Cells");
}

TEST_F(ODListCtrlTest, UpdatesRewriteTheRowsOfListedQuestionsOnly)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CCorraQuestion* a = bank.Add(1, 1, "a");
    CCorraQuestion* b = bank.Add(2, 2, "b");
    CCorraQuestion* stranger = bank.Add(9, 9, "x");
    list.InsertQuestions(bank.List({a, b}), -1, FALSE);
    a->m_nIndex = 40;
    b->m_nIndex = 50;
    EXPECT_EQ(list.UpdateQuestions(bank.List({b, a})), 1);
    EXPECT_EQ(list.GetItemText(0, 4), "40");
    EXPECT_EQ(list.GetItemText(1, 4), "50");
    EXPECT_EQ(list.UpdateQuestions(bank.List({a, stranger})), -1);
    EXPECT_EQ(list.UpdateQuestion(stranger), -1);

    CDWordArray ids;
    ids.Add(2);
    b->m_cszQuestionText = "changed";
    CUpdate hint;
    hint.SetIds(&ids);
    EXPECT_EQ(list.UpdateFromHint(hint), 1);
    EXPECT_EQ(list.GetItemText(1, 3), "changed");
    ids.Add(77);
    hint.SetIds(&ids);
    EXPECT_EQ(list.UpdateFromHint(hint), -1);

    CUpdate insert;
    insert.SetView(stranger);
    insert.SetInsertIndex(0);
    EXPECT_EQ(list.InsertFromHint(insert), 0);
    EXPECT_EQ(RowIds(list), (std::vector<int>{9, 1, 2}));
    EXPECT_EQ(list.DeleteQuestions(bank.List({a, stranger})), 2);
    EXPECT_EQ(RowIds(list), (std::vector<int>{2}));
}

TEST_F(ODListCtrlTest, RowsAreDrawnByTheirStateAndTheDuplicateDisplay)
{
    struct Case {
        const char* name;
        BOOL selected;
        BOOL focused;
        BOOL showSelAlways;
        BOOL dropHilited;
        BOOL marked;
        BOOL useMarkedColour;
        BOOL duplicate;
        int height;
        COLORREF textFill;
        COLORREF idFill;
        COLORREF indexFill;
    };
    const COLORREF hi = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF yellow = RGB(255, 255, 0);
    const Case cases[] = {
        {"plain", FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, 16, kBack, kBack, yellow},
        {"selected, shown always", TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, 16, hi, hi, yellow},
        {"selected, unfocused", TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, 16, kBack, kBack, yellow},
        {"selected, focused", TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, 32, hi, hi, yellow},
        {"focused, not selected", FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, 16, kBack, kBack, yellow},
        {"drop target", FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, 32, hi, hi, yellow},
        {"marked, colour on", FALSE, FALSE, TRUE, FALSE, TRUE, TRUE, FALSE, 16, kMarked, kMarked, yellow},
        {"marked, colour off", FALSE, FALSE, TRUE, FALSE, TRUE, FALSE, FALSE, 32, kBack, kBack, yellow},
        {"marked duplicate", FALSE, FALSE, TRUE, FALSE, TRUE, FALSE, TRUE, 16, kBack, red, red},
        {"unmarked duplicate", FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE, 16, kBack, kBack, yellow},
        {"selected duplicate", TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE, 32, hi, red, red},
    };
    for (const Case& c : cases) {
        CBank bank;
        CODListCtrl list(nullptr, nullptr, kBack, nullptr);
        list.SetViewMode(c.height == 16 ? ODLIST_SMALL_ROWS : ODLIST_LARGE_ROWS);
        list.SetShowSelAlways(c.showSelAlways);
        if (c.focused) {
            list.show();
            list.activateWindow();
            list.setFocus();
            QApplication::processEvents();
            ASSERT_TRUE(list.HasFocus()) << c.name;
        }
        CCorraQuestion* q = bank.Add(12, 7, "Q");
        list.InsertQuestion(q, -1, c.selected);
        q->m_nFlags = (c.marked ? QFLAG_LISTED : 0) | (c.duplicate ? QFLAG_DUPLICATE_ORIG : 0);
        list.m_bUseMarkedColour = c.useMarkedColour;
        if (c.dropHilited)
            list.SetItemState(0, LVIS_DROPHILITED, LVIS_DROPHILITED);
        if (c.duplicate) {
            list.m_nHighlightId = 12;
            list.m_nHighlightIndex = 7;
        }
        CFixedMetricsDC dc(800, 40);
        const CSize indexSize = dc.GetTextExtent("7");
        Draw(list, dc, 0, c.height);
        EXPECT_EQ(list.m_nIconSize, c.height) << c.name;
        EXPECT_EQ(PixelAt(dc, ColumnLeft(list, 4) - 2, 1), c.textFill) << c.name;
        EXPECT_EQ(PixelAt(dc, ColumnLeft(list, 8) - 2, c.height - 2), c.idFill) << c.name;
        // The index box surrounds the text by a pixel, centred in its cell; the rest of the cell
        // is not painted.
        const int indexMiddle = ColumnLeft(list, 4) + list.GetColumnWidth(4) / 2;
        const int boxTop = c.height / 2 - indexSize.cy / 2 - 1;
        EXPECT_EQ(PixelAt(dc, indexMiddle, boxTop), c.indexFill) << c.name;
        EXPECT_EQ(PixelAt(dc, indexMiddle, boxTop - 1), RGB(255, 255, 255)) << c.name;
        EXPECT_EQ(PixelAt(dc, ColumnLeft(list, 4) + 1, 1), RGB(255, 255, 255)) << c.name;
        EXPECT_EQ(PixelAt(dc, 1, 1), kBack) << c.name;  // the icon cell keeps the list's colour
        ASSERT_NE(Drawn(dc, "12"), nullptr) << c.name;
        EXPECT_EQ(Drawn(dc, "7")->crText, RGB(0, 0, 0)) << c.name;
    }
}

TEST_F(ODListCtrlTest, QuestionTextShowsWholeLinesAndCentresOnlyWhenAsked)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.InsertQuestion(bank.Add(1, 1, "Short"), -1, FALSE);
    list.InsertQuestion(bank.Add(2, 2, "one two three four five six seven eight nine ten eleven twelve thirteen"
                                       " fourteen fifteen sixteen seventeen eighteen nineteen twenty twenty-one"
                                       " twenty-two twenty-three twenty-four twenty-five twenty-six twenty-seven"
                                       " twenty-eight twenty-nine thirty thirty-one thirty-two thirty-three"),
                        -1, FALSE);
    // The line height of a plain question text on this device: the list's font.
    CFixedMetricsDC probe(600, 40);
    probe.SelectObject(list.GetFont());
    TEXTMETRIC tm{};
    probe.GetTextMetrics(&tm);
    const int line = tm.tmHeight + tm.tmExternalLeading;
    ASSERT_GT(line, 0);

    struct Case {
        int align;
        int height;
        int item;
    };
    const Case cases[] = {{1, 32, 0}, {0, 32, 0}, {1, 16, 1}, {1, 32, 1}, {0, 64, 1}};
    for (const Case& c : cases) {
        CorraApp().WriteProfileInt("Settings", "AlignVCenter", c.align);
        CFixedMetricsDC dc(600, 80);
        Draw(list, dc, c.item, c.height);
        const int textLeft = ColumnLeft(list, 3);
        // The lowest row of pixels the text may have drawn into: whole lines only, at least one.
        int lastInk = -1;
        for (int y = 0; y < c.height; ++y)
            for (int x = textLeft; x < textLeft + list.GetColumnWidth(3); ++x)
                if (PixelAt(dc, x, y) != kBack)
                    lastInk = y;
        if (c.item == 0) {
            const auto* t = Drawn(dc, "Short");
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->y, c.align ? (c.height - line) / 2 : 0) << c.align;
        } else {
            const int lines = std::max(1, c.height / line);
            EXPECT_LT(lastInk, lines * line) << c.height;
            EXPECT_GE(lastInk, (lines - 1) * line) << c.height;
        }
    }
}

TEST_F(ODListCtrlTest, AutoSizeKeepsTheQuestionTextWidth)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    list.SetColumnWidth(3, 300);
    list.InsertQuestion(bank.Add(123456789, 2, "a very long question text that would be wide"), -1, FALSE);
    list.AutoSizeColumns();
    EXPECT_EQ(list.GetColumnWidth(3), 300);
    EXPECT_EQ(list.GetColumnWidth(0), 16);
    EXPECT_GE(list.GetColumnWidth(7), 35 + 10);
    EXPECT_GE(list.GetColumnWidth(2), 40);
    EXPECT_EQ(list.GetColumnLabel(3), "Question Text");
    EXPECT_EQ(list.GetColumnLabel(9), "");
}

TEST_F(ODListCtrlTest, EveryHeadingShowsWholeWhenCreatedAndAfterAutoSize)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    // The Images column's creation width (20) is far too narrow for its heading.
    ASSERT_GT(list.GetHeadingFitWidth(6), 20);
    for (int c = 1; c < 8; ++c)
        EXPECT_GE(list.GetColumnWidth(c), list.GetHeadingFitWidth(c)) << "created, column " << c;
    EXPECT_EQ(list.GetColumnWidth(1), 35);
    EXPECT_EQ(list.GetColumnWidth(3), 225);
    list.SetColumnWidth(6, 20);
    list.InsertQuestion(bank.Add(7, 2, "text"), -1, FALSE);
    list.AutoSizeColumns();
    for (int c = 1; c < 8; ++c)
        EXPECT_GE(list.GetColumnWidth(c), list.GetHeadingFitWidth(c)) << "auto-sized, column " << c;
}

TEST_F(ODListCtrlTest, RowTextsAreDrawnInTheControlsFontUnlessTheOwnerGivesOne)
{
    // A device context starts with a bold font; the type, index, subjects and ID cells are drawn
    // in the list's font, as its headings are.
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    QFont font("Liberation Sans");
    font.setPixelSize(12);
    list.setFont(font);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CCorraQuestion* q = bank.Add(12, 7, "Q");
    q->m_saSubjects.Add("Cells");
    list.InsertQuestion(q, -1, FALSE);
    CFixedMetricsDC dc(600, 40);
    Draw(list, dc, 0, 16);
    // A plain question text too: a rich one brings its own faces.
    for (const char* text : {"MC", "7", "Cells", "0", "12", "Q"}) {
        const auto* t = Drawn(dc, text);
        ASSERT_NE(t, nullptr) << text;
        EXPECT_EQ(t->lf.lfWeight, FW_NORMAL) << text;
        EXPECT_EQ(t->lf.lfHeight, -12) << text;
        EXPECT_STREQ(t->lf.lfFaceName, "Liberation Sans") << text;
    }
    EXPECT_EQ(dc.GetCurrentFont(), CFont::GetStockFont(SYSTEM_FONT)) << "the context's font is put back";

    CFont owners;
    owners.CreatePointFont(100, "Liberation Serif");
    CODListCtrl given(nullptr, nullptr, kBack, &owners);
    given.SetViewMode(ODLIST_SMALL_ROWS);
    given.InsertQuestion(q, -1, FALSE);
    CFixedMetricsDC other(600, 40);
    Draw(given, other, 0, 16);
    ASSERT_NE(Drawn(other, "MC"), nullptr);
    EXPECT_STREQ(Drawn(other, "MC")->lf.lfFaceName, "Liberation Serif");
}

TEST_F(ODListCtrlTest, FOneOnAListOpensItsHelpTopic)
{
    CCorraDoc doc;
    CODListCtrl questions(&doc, nullptr, kBack, nullptr);
    CCollListCtrl collections(&doc, nullptr, kBack, nullptr);
    for (CODListCtrl* list : {&questions, static_cast<CODListCtrl*>(&collections)}) {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(list, &f1);
    }
    EXPECT_EQ(help.topics, (std::vector<DWORD>{456, 789}));
}

TEST_F(ODListCtrlTest, AResetListMakesItsImagesAgainAtTheNextViewMode)
{
    CBank bank;
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_LARGE_ROWS);
    list.Reset();  // the image lists go (the sanitizer sees a leak otherwise)
    EXPECT_EQ(list.GetSmallImageList(), nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    ASSERT_NE(list.GetSmallImageList(), nullptr);
    EXPECT_EQ(list.GetRowHeight(), 16);
    list.InsertQuestion(bank.Add(1, 1, "a"), -1, FALSE);
    CFixedMetricsDC dc(600, 40);
    Draw(list, dc, 0, 16);
    int ink = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ink += PixelAt(dc, x, y) != list.m_crBack;
    EXPECT_GT(ink, 20) << "the icon is drawn";
}

namespace {

// A list that turns "AlignVCenter" off after drawing each row: a paint that read the setting
// per row would draw the rows after the first at the top.
class CSwitchingList : public CODListCtrl {
public:
    using CODListCtrl::CODListCtrl;
    void DrawItem(DRAWITEMSTRUCT* pDrawItem) override
    {
        CODListCtrl::DrawItem(pDrawItem);
        CorraApp().WriteProfileInt("Settings", "AlignVCenter", 0);
    }
};

} // namespace

TEST_F(ODListCtrlTest, AlignVCenterIsReadOncePerPaint)
{
    CBank bank;
    CSwitchingList list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_LARGE_ROWS);
    list.InsertQuestions(bank.List({bank.Add(1, 1, "One"), bank.Add(2, 2, "Ore"), bank.Add(3, 3, "Owe")}), -1, FALSE);
    list.resize(700, 200);
    CorraApp().WriteProfileString("Settings", "AlignVCenter", nullptr);
    const QImage image = list.viewport()->grab().toImage();
    EXPECT_EQ(CorraApp().GetProfileInt("Settings", "AlignVCenter", -1), 0);
    // The first row of ink of each row's text, from the row's top.
    auto firstInk = [&](int nItem) {
        CRect cell;
        list.GetSubItemRect(nItem, 3, LVIR_LABEL, cell);
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return y - cell.top;
        return -1;
    };
    const int first = firstInk(0);
    EXPECT_GT(first, 4) << "centred in a 32-pixel row";
    EXPECT_EQ(firstInk(1), first);
    EXPECT_EQ(firstInk(2), first);
}

TEST_F(ODListCtrlTest, AnEmptyListFindsNothingAndSizesToTheMinimumWidths)
{
    CODListCtrl list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CPtrListEx out;
    EXPECT_EQ(list.GetAllItems(out), 0);
    EXPECT_EQ(list.GetSelectedItems(out, TRUE), 0);
    EXPECT_EQ(list.FindQuestionsByIdOrIndex(out, -1, -1), 0);
    EXPECT_EQ(list.GetSelectedQuestion(), nullptr);
    EXPECT_EQ(list.GetLastSelectedQuestion(), nullptr);
    EXPECT_EQ(list.GetFirstMarkedQuestion(), nullptr);
    EXPECT_EQ(list.FindFirstMarked(), -1);
    EXPECT_EQ(list.CountMarkedItems(), 0);
    EXPECT_EQ(list.DeleteSelectedItems(), 0);
    EXPECT_EQ(list.DeleteMarkedItems(), 0);
    EXPECT_EQ(list.UpdateItem(0), -1);
    EXPECT_EQ(list.UpdateFromHint(CUpdate()), -1);
    EXPECT_EQ(list.InsertFromHint(CUpdate()), -1);
    for (int c = 0; c < 8; ++c)
        emit list.header()->sectionClicked(c);
    list.AutoSizeColumns();
    const int minimum[8] = {16, 35, 40, 225, 40, 100, 20, 35};
    EXPECT_EQ(list.GetColumnWidth(0), 16);
    EXPECT_EQ(list.GetColumnWidth(3), 225) << "keeps its width";
    for (int c : {1, 2})
        EXPECT_GE(list.GetColumnWidth(c), minimum[c]) << c;
    for (int c : {4, 5, 6, 7})
        EXPECT_GE(list.GetColumnWidth(c), minimum[c] + 10) << c;
}

namespace {

// Inserts a list one question at a time, as a list of some kinds of rows does.
class COneByOneList : public CODListCtrl {
public:
    using CODListCtrl::CODListCtrl;
    int InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect) override
    {
        int last = -1;
        for (POSITION pos = questions.GetHeadPosition(); pos;) {
            last = InsertQuestion(static_cast<CCorraQuestion*>(questions.GetNext(pos)), nPos, bSelect);
            if (nPos >= 0)
                nPos = last + 1;
        }
        return last;
    }
};

} // namespace

TEST_F(ODListCtrlTest, ASubclassMayInsertItsListOneQuestionAtATime)
{
    CBank bank;
    COneByOneList list(nullptr, nullptr, kBack, nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    EXPECT_EQ(list.InsertQuestions(bank.List({bank.Add(1, 1, "a"), bank.Add(3, 3, "c")}), -1, FALSE), 1);
    CUpdate hint;
    hint.SetView(bank.Add(2, 2, "b"));
    hint.SetInsertIndex(1);
    EXPECT_EQ(list.InsertFromHint(hint), 1);
    EXPECT_EQ(RowIds(list), (std::vector<int>{1, 2, 3}));
}
