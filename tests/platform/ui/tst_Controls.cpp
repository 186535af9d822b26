#include "platform/ui/ComboBox.h"
#include "platform/ui/DC.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"

#include "tests/support/CorraTest.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include <vector>

namespace {

constexpr int IDC_SPIN = 1383;
constexpr int IDC_EDIT = 1384;
constexpr int IDC_LIST = 1966;

// A window that records the notifications of its controls.
class CHost : public CWidgetWnd {
public:
    CHost()
    {
        BindNotify<NMUPDOWN>(IDC_SPIN, UDN_DELTAPOS, [this](NMUPDOWN* nm) {
            deltas.push_back(nm->iDelta);
            nm->lResult = refuse;
        });
        BindNotify<NMLISTVIEW>(IDC_LIST, LVN_ITEMCHANGED, [this](NMLISTVIEW* nm) { changes.push_back(*nm); });
        BindNotify<NMLISTVIEW>(IDC_LIST, LVN_COLUMNCLICK, [this](NMLISTVIEW* nm) { columns.push_back(nm->iSubItem); });
        BindNotify<NMLVKEYDOWN>(IDC_LIST, LVN_KEYDOWN, [this](NMLVKEYDOWN* nm) { keys.push_back(nm->wVKey); });
        BindNotify<NMLISTVIEW>(IDC_LIST, LVN_BEGINDRAG, [this](NMLISTVIEW* nm) { drags.push_back(nm->iItem); });
    }
    std::vector<UINT> keys;
    std::vector<int> drags;
    std::vector<int> deltas;
    std::vector<NMLISTVIEW> changes;
    std::vector<int> columns;
    LRESULT refuse = 0;
};

using ControlsTest = CorraTest;

// An owner-drawn list that records the rows it is asked to draw and the notifications it hears
// of itself, before its parent.
class CDrawnList : public CListCtrl {
public:
    using CListCtrl::CListCtrl;
    void DrawItem(DRAWITEMSTRUCT* pDrawItem) override
    {
        drawn.push_back(*pDrawItem);
        fonts.push_back(pDrawItem->pDC->GetCurrentFont()->LogFont());
        pDrawItem->pDC->FillSolidRect(&pDrawItem->rcItem, RGB(0, 0, 255));
    }
    std::vector<DRAWITEMSTRUCT> drawn;
    std::vector<LOGFONT> fonts;  // selected in each row's context
    std::vector<UINT> heard;
    BOOL swallow = FALSE;

protected:
    BOOL OnNotifyReflect(UINT nCode, void* pExtra) override
    {
        heard.push_back(nCode);
        return swallow;
    }
};

} // namespace

TEST_F(ControlsTest, SpinDeltaSignFollowsTheDirectionOfTheRange)
{
    struct Case {
        int lower, upper;  // -1, -1: the default range
        BOOL up;
        int delta;
    };
    const Case cases[] = {
        {-1, -1, TRUE, -1},  // default range 100..0: up goes toward 0
        {-1, -1, FALSE, +1},
        {0, 100, TRUE, +1},
        {0, 100, FALSE, -1},
        {66, 0, TRUE, -1},
        {-255, 255, FALSE, -1},
    };
    for (const Case& c : cases) {
        CHost host;
        CSpinButtonCtrl spin(&host);
        spin.SetDlgCtrlID(IDC_SPIN);
        if (c.lower != -1)
            spin.SetRange(c.lower, c.upper);
        spin.Step(c.up);
        ASSERT_EQ(host.deltas.size(), 1u);
        EXPECT_EQ(host.deltas[0], c.delta) << c.lower << ".." << c.upper << (c.up ? " up" : " down");
    }
}

TEST_F(ControlsTest, SpinMovesItsBuddyInsideTheRangeUnlessTheParentRefuses)
{
    CHost host;
    QLineEdit edit(&host);
    CSpinButtonCtrl spin(&host);
    spin.SetDlgCtrlID(IDC_SPIN);
    spin.SetBuddy(&edit);
    spin.SetBuddyInt(TRUE);
    spin.SetRange(6, 36);
    spin.SetPos(35);
    EXPECT_EQ(edit.text(), "35");
    spin.GetUpButton()->click();
    spin.GetUpButton()->click();
    EXPECT_EQ(spin.GetPos(), 36) << "stops at the end of the range";
    EXPECT_EQ(edit.text(), "36");
    EXPECT_EQ(host.deltas.size(), 2u) << "the parent is asked also at the end";
    edit.setText("10");
    host.refuse = 1;
    spin.Step(FALSE);
    EXPECT_EQ(spin.GetPos(), 10);
    host.refuse = 0;
    spin.Step(FALSE);
    EXPECT_EQ(edit.text(), "9");
}

TEST_F(ControlsTest, ListBoxFindsByPrefixIgnoringCaseAndWrapsRound)
{
    CListBox list;
    for (const char* s : {"Apple", "apricot", "Banana", "\xC9" "clair"})
        list.AddString(s);
    EXPECT_EQ(list.FindString(-1, "ap"), 0);
    EXPECT_EQ(list.FindString(0, "AP"), 1);
    EXPECT_EQ(list.FindString(1, "ap"), 0) << "the search wraps round";
    EXPECT_EQ(list.FindString(-1, "\xE9"), 3) << "letters above 127 fold too";
    EXPECT_EQ(list.FindString(-1, "cherry"), LB_ERR);
    EXPECT_EQ(list.FindStringExact(-1, "banana"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "ban"), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "b"), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.DeleteString(9), LB_ERR);
    EXPECT_EQ(list.GetItemData(9), static_cast<DWORD_PTR>(LB_ERR));
}

TEST_F(ControlsTest, SortedListBoxInsertsInPlace)
{
    CListBox list(nullptr, FALSE, TRUE);
    for (const char* s : {"pear", "Apple", "fig", "apple"})
        list.AddString(s);
    EXPECT_EQ(list.GetText(0), CString("Apple"));
    EXPECT_EQ(list.GetText(1), CString("apple"));
    EXPECT_EQ(list.GetText(3), CString("pear"));
}

TEST_F(ControlsTest, ComboBoxSelectsNothingUntilToldAndKeepsItemData)
{
    for (BOOL editable : {TRUE, FALSE}) {
        CComboBox combo(nullptr, editable);
        combo.SetWindowText("typed");
        combo.SetItemData(combo.AddString("Text File"), 0x7001);
        combo.SetItemData(combo.AddString("Word File"), 0x7002);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "adding selects nothing";
        if (editable) {
            EXPECT_EQ(combo.GetWindowText(), CString("typed"));
        }
        EXPECT_EQ(combo.SelectString(-1, "word"), 1);
        EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), 0x7002u);
        EXPECT_EQ(combo.GetWindowText(), CString("Word File"));
        combo.DeleteString(1);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "deleting the selected item leaves none";
        EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
        EXPECT_EQ(combo.GetWindowText(), CString(""));
    }
}

namespace {
int CompareByData(LPARAM a, LPARAM b, LPARAM direction)
{
    return static_cast<int>((a - b) * direction);
}
} // namespace

TEST_F(ControlsTest, ReportListSelectsAndDeselectsAllRowsReportingEachChangedRow)
{
    CHost host;
    CListCtrl list(&host);
    list.SetDlgCtrlID(IDC_LIST);
    list.InsertColumn(0, "Filename", LVCFMT_LEFT, 140);
    for (int i = 0; i < 4; ++i)
        list.InsertItem(i, CString::Formatted("f%d.crr", i));
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    struct Case {
        UINT state;
        std::vector<int> reported;
    };
    for (const Case& c : {Case{LVIS_SELECTED, {0, 2, 3}}, Case{0, {0, 1, 2, 3}}}) {
        host.changes.clear();
        EXPECT_TRUE(list.SetItemState(-1, c.state, LVIS_SELECTED));
        std::vector<int> rows;
        for (const NMLISTVIEW& nm : host.changes) {
            rows.push_back(nm.iItem);
            EXPECT_EQ(nm.uNewState & LVIS_SELECTED, c.state);
        }
        EXPECT_EQ(rows, c.reported);
        EXPECT_EQ(list.GetSelectedCount(), c.state ? 4u : 0u);
    }
}

TEST_F(ControlsTest, ReportListSortsByTheCallerAndReportsStateChanges)
{
    CHost host;
    CListCtrl list(&host);
    list.SetDlgCtrlID(IDC_LIST);
    EXPECT_EQ(list.InsertColumn(0, "Filename", LVCFMT_LEFT, 140), 0);
    EXPECT_EQ(list.InsertColumn(1, "Quest", LVCFMT_RIGHT, 40), 1);
    EXPECT_EQ(list.InsertColumn(1, "Location", LVCFMT_LEFT, 120), 1);
    for (int i = 0; i < 3; ++i) {
        int row = list.InsertItem(list.GetItemCount(), CString::Formatted("f%d.crr", i));
        list.SetItemText(row, 2, CString::Formatted("%d", 10 * i));
        list.SetItemData(row, static_cast<DWORD_PTR>(i + 1));
    }
    EXPECT_EQ(list.GetItemText(1, 2), CString("10"));
    EXPECT_EQ(list.GetColumnWidth(2), 40) << "the inserted column moved the others right";

    host.changes.clear();
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].iItem, 1);
    EXPECT_EQ(host.changes[0].uNewState & LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(host.changes[0].lParam, 2);

    ASSERT_TRUE(list.SortItems(CompareByData, static_cast<DWORD_PTR>(-1)));
    EXPECT_EQ(list.GetItemText(0, 0), CString("f2.crr"));
    EXPECT_EQ(list.GetItemText(2, 0), CString("f0.crr"));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1) << "the selection moves with its row";
    POSITION pos = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(list.GetNextSelectedItem(pos), 1);
    EXPECT_EQ(pos, nullptr);

    LVFINDINFO find;
    find.flags = LVFI_PARAM;
    find.lParam = 3;
    EXPECT_EQ(list.FindItem(&find), 0);
    find.flags = LVFI_STRING;
    find.psz = "F0.CRR";
    EXPECT_EQ(list.FindItem(&find), 2);

    emit list.header()->sectionClicked(1);
    EXPECT_EQ(host.columns, std::vector<int>{1});
}

TEST_F(ControlsTest, OwnerDrawnListDrawsEachRowAtTheSmallIconsHeight)
{
    CHost host;
    CDrawnList list(&host);
    list.SetDlgCtrlID(IDC_LIST);
    list.resize(300, 200);
    list.SetOwnerDraw(TRUE);
    CImageList large(32, 32);
    list.SetSmallImageList(&large);
    list.InsertColumn(0, "", LVCFMT_LEFT, 32);
    list.InsertColumn(1, "Text", LVCFMT_LEFT, 100);
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, "row");
        list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
    }
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_DROPHILITED, LVIS_DROPHILITED);
    EXPECT_EQ(list.GetItemState(2, LVIS_DROPHILITED | LVIS_SELECTED), LVIS_DROPHILITED);

    QImage image = list.grab().toImage();
    ASSERT_EQ(list.drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const DRAWITEMSTRUCT& d = list.drawn[static_cast<size_t>(i)];
        EXPECT_EQ(d.itemID, static_cast<UINT>(i));
        EXPECT_EQ(d.itemData, static_cast<DWORD_PTR>(100 + i));
        EXPECT_EQ(d.rcItem.Height(), 32);
        EXPECT_EQ(d.rcItem.Width(), 132);
        EXPECT_EQ(d.itemState & ODS_SELECTED, i == 1 ? ODS_SELECTED : 0u);
    }
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell, CRect(32, 32, 132, 64));
    ASSERT_TRUE(list.GetSubItemRect(1, 0, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell, CRect(0, 32, 132, 64));

    // Rows are drawn in the control's own font (as its headings are), not in the bold font a
    // device context starts with.
    QFont font("Liberation Sans");
    font.setPixelSize(13);
    list.setFont(font);
    list.fonts.clear();
    list.grab();
    ASSERT_FALSE(list.fonts.empty());
    const LOGFONT& lf = list.fonts[0];
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_STREQ(lf.lfFaceName, "Liberation Sans");
    EXPECT_EQ(list.GetFont()->LogFont().lfHeight, -13);
    font.setBold(true);
    font.setPointSize(12);
    list.setFont(font);
    EXPECT_EQ(list.GetFont()->LogFont().lfWeight, FW_BOLD);
    EXPECT_EQ(list.GetFont()->LogFont().lfHeight, -MulDiv(12, list.logicalDpiY(), 72));

    CImageList small(16, 16);
    list.SetSmallImageList(&small);
    list.drawn.clear();
    list.grab();
    ASSERT_FALSE(list.drawn.empty());
    EXPECT_EQ(list.drawn[0].rcItem.Height(), 16);
    list.SetSmallImageList(nullptr);
}

TEST_F(ControlsTest, ListHearsItsOwnNotificationsBeforeItsParent)
{
    CHost host;
    CDrawnList list(&host);
    list.SetDlgCtrlID(IDC_LIST);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "a");
    emit list.header()->sectionClicked(0);
    EXPECT_EQ(list.heard, std::vector<UINT>{LVN_COLUMNCLICK});
    EXPECT_EQ(host.columns, std::vector<int>{0});
    list.swallow = TRUE;
    emit list.header()->sectionClicked(0);
    EXPECT_EQ(host.columns, std::vector<int>{0}) << "kept from the parent";
    list.swallow = FALSE;

    QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&list, &key);
    EXPECT_EQ(host.keys, std::vector<UINT>{VK_F1});
    EXPECT_TRUE(help.topics.empty()) << "no help topic of its own";

    // With a topic of its own F1 opens it, after the key's notification, and goes no further.
    list.SetContextHelpId(456);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&list, &f1);
    EXPECT_EQ(host.keys, (std::vector<UINT>{VK_F1, VK_F1}));
    EXPECT_EQ(help.topics, std::vector<DWORD>{456});
    EXPECT_TRUE(f1.isAccepted());

    list.resize(200, 100);
    list.show();
    CRect row;
    ASSERT_TRUE(list.GetItemRect(0, &row));
    const QPointF start(row.left + 5, row.top + 2);
    QMouseEvent press(QEvent::MouseButtonPress, start, list.viewport()->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &press);
    const QPointF end = start + QPointF(40, 0);
    QMouseEvent move(QEvent::MouseMove, end, list.viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    EXPECT_EQ(host.drags, std::vector<int>{0});
}

TEST_F(ControlsTest, ListInsertsAndDeletesManyRowsAtOnceKeepingTheSelection)
{
    CListCtrl list;
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    std::vector<CListCtrl::CRow> rows;
    for (int i = 0; i < 6; ++i)
        rows.push_back({{CString::Formatted("r%d", i)}, static_cast<DWORD_PTR>(i), -1});
    list.AppendRows(rows);
    list.InsertRows(2, {{{"x"}, 100, -1}, {{"y"}, 101, -1}});
    auto names = [&list] {
        CString all;
        for (int i = 0; i < list.GetItemCount(); ++i)
            all += list.GetItemText(i, 0) + " ";
        return all;
    };
    EXPECT_EQ(names(), CString("r0 r1 x y r2 r3 r4 r5 "));
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(6, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.DeleteItems({0, 2, 2, 6, 99}), 3);
    EXPECT_EQ(names(), CString("r1 y r2 r3 r5 "));
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.DeleteItems({}), 0);
}

TEST_F(ControlsTest, ListColumnsFitTheirTextsWithOrWithoutTheHeading)
{
    CListCtrl list;
    list.InsertColumn(0, "A rather long heading", LVCFMT_LEFT, 10);
    list.InsertItem(0, "ab");
    const QFontMetrics fm(list.font());
    list.SetColumnWidth(0, LVSCW_AUTOSIZE);
    const int fitted = list.GetColumnWidth(0);
    EXPECT_GE(fitted, fm.horizontalAdvance(QStringLiteral("ab")));
    EXPECT_LT(fitted, fm.horizontalAdvance(QStringLiteral("A rather long heading")));
    list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_GE(list.GetColumnWidth(0), list.header()->fontMetrics().horizontalAdvance(QStringLiteral("A rather long heading")));
    EXPECT_GE(list.GetColumnWidth(0), list.header()->sectionSizeHint(0)) << "the header's margins count too";
    EXPECT_EQ(list.GetHeadingFitWidth(0), list.GetColumnWidth(0));
    EXPECT_EQ(list.GetHeadingFitWidth(1), 0);
    list.SetColumnWidth(0, 0);
    EXPECT_EQ(list.GetColumnWidth(0), 0);
    CString heading;
    EXPECT_TRUE(list.GetColumnHeading(0, heading));
    EXPECT_EQ(heading, CString("A rather long heading"));
    EXPECT_FALSE(list.GetColumnHeading(1, heading));
    EXPECT_FALSE(list.header()->sectionsMovable()) << "owner-drawn rows lay out in column order";
}
