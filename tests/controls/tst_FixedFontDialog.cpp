#include "controls/FixedFontDialog.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr UINT IDD_SAMPLE = 213;
constexpr int IDC_LIST = 1166;

class CSampleDlg : public CFixedFontDialog {
public:
    explicit CSampleDlg(BOOL bSetTemplate = TRUE, CWnd* pParent = nullptr)
        : CFixedFontDialog(IDD_SAMPLE, pParent), m_list(this, TRUE)
    {
        if (bSetTemplate)
            m_nTemplateId = IDD_SAMPLE;
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(CreateEdit(1000));
        layout->addWidget(AddControl(IDC_LIST, &m_list));
        layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    }
    int FontSize() const { return m_nFontSize; }
    BOOL Initialized() const { return m_bInitialized; }

    CListBox m_list;
};

// The fixture's screen is 1024 by 768.
using FixedFontDialogTest = CorraTest;

} // namespace

TEST_F(FixedFontDialogTest, ModalRunsUseEightPointsModelessOnesTenOnlyOnA1024WideScreen)
{
    struct Case {
        int width;
        int modeless;
    };
    for (Case c : {Case{1024, 10}, Case{800, 8}, Case{1280, 8}}) {
        screen.info.nWidth = c.width;
        CSampleDlg modeless;
        EXPECT_EQ(modeless.FontSize(), c.modeless);
        ASSERT_TRUE(modeless.Create(IDD_SAMPLE));
        EXPECT_EQ(modeless.font().pointSize(), c.modeless) << "screen " << c.width;
        EXPECT_EQ(QFontInfo(modeless.font()).fixedPitch(), false);

        CSampleDlg modal;
        CModalScript script;
        script.On<CSampleDlg>([](CSampleDlg& d) {
            EXPECT_EQ(d.font().pointSize(), 8);
            EXPECT_EQ(d.GetDlgItem(1000)->font().pointSize(), 8) << "controls take the dialog's font";
            EXPECT_TRUE(d.Initialized());
            d.EndDialog(IDOK);
        });
        EXPECT_EQ(modal.DoModal(), IDOK);
    }
}

TEST_F(FixedFontDialogTest, WithoutTemplateIdTheDialogDoesNotRun)
{
    CSampleDlg dlg(FALSE);
    CModalScript script;  // the dialog must not open
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(IDD_SAMPLE));
    EXPECT_EQ(dlg.m_nIDHelp, IDD_SAMPLE) << "the template id serves as help id";
}

TEST_F(FixedFontDialogTest, DialogWithoutOwnerOpensCentredOnTheScreen)
{
    CSampleDlg dlg;
    CModalScript script;
    script.On<CSampleDlg>([](CSampleDlg& d) {
        QRect g = d.frameGeometry();
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_NEAR(g.center().x(), avail.center().x(), 3);
        // Centred, unless taller than the screen: then its title bar stays on it.
        if (g.height() <= avail.height())
            EXPECT_NEAR(g.center().y(), avail.center().y(), 3);
        else
            EXPECT_EQ(g.top(), avail.top());
        CRect before;
        d.GetWindowRect(&before);
        d.MoveBy(10, -5);
        CRect after;
        d.GetWindowRect(&after);
        EXPECT_EQ(after.left, before.left + 10);
        EXPECT_EQ(after.top, before.top - 5);
        EXPECT_EQ(after.Width(), before.Width());
        d.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(FixedFontDialogTest, DeletingTheSelectionDeletesTheSelectedItemNotItsTwin)
{
    CSampleDlg dlg;
    CListBox& list = dlg.m_list;
    list.SetItemData(list.AddString("same"), 1);
    list.SetItemData(list.AddString("other"), 2);
    list.SetItemData(list.AddString("same"), 3);
    list.SetSel(2, TRUE);

    CStringArray texts;
    GetSelectedListBoxTexts(&list, texts);
    ASSERT_EQ(texts.GetSize(), 1);
    EXPECT_EQ(texts[0], CString("same"));

    DeleteSelectedListBoxItems(&list);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetItemData(0), 1u) << "the unselected twin stays";
    EXPECT_EQ(list.GetItemData(1), 2u);

    list.SetSel(-1, TRUE);
    GetSelectedListBoxTexts(&list, texts);
    ASSERT_EQ(texts.GetSize(), 2);
    EXPECT_EQ(texts[1], CString("other"));
    DeleteSelectedListBoxItems(&list);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(FixedFontDialogTest, ItemIsVisibleWhenItOverlapsTheClientArea)
{
    CSampleDlg dlg;
    CListBox& list = dlg.m_list;
    for (int i = 0; i < 100; ++i)
        list.AddString(CString::Formatted("item %d", i));
    dlg.ShowWindow(SW_SHOW);
    list.setFixedHeight(80);
    dlg.adjustSize();
    EXPECT_TRUE(IsListBoxItemVisible(&list, 0));
    EXPECT_FALSE(IsListBoxItemVisible(&list, 99));
    EXPECT_FALSE(IsListBoxItemVisible(&list, 100)) << "no such item";
    list.SetTopIndex(99);
    EXPECT_TRUE(IsListBoxItemVisible(&list, 99));
    EXPECT_FALSE(IsListBoxItemVisible(&list, 0));
}
