#include "platform/ui/PropertySheet.h"

#include "platform/ui/DataExchange.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <deque>
#include <vector>

namespace {

constexpr UINT IDD_FIRST = 901;
constexpr UINT IDD_SECOND = 902;
constexpr UINT IDD_THIRD = 903;
constexpr int IDC_VALUE = 1001;

class CHistorySheet;

// A page with one number field; Next goes where it is told and records its step in the sheet's
// history, Back goes back along it.
class CStepPage : public CPropertyPage {
public:
    CStepPage(UINT nIDTemplate, const char* caption) : CPropertyPage(nIDTemplate, caption)
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(CreateEdit(IDC_VALUE, "1"));
    }
    BOOL OnInitDialog() override
    {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_VALUE, value); }
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;
    BOOL OnQueryCancel() override { return allowCancel; }

    int inits = 0;
    int value = 0;
    LRESULT next = 0;  // what Next answers
    DWORD buttons = PSWIZB_BACK | PSWIZB_NEXT;
    BOOL allowCancel = TRUE;
};

class CHistorySheet : public CPropertySheet {
public:
    CHistorySheet()
        : CPropertySheet("Steps"), first(IDD_FIRST, "First"), second(IDD_SECOND, "Second"), third(IDD_THIRD, "Third")
    {
        AddPage(&first);
        AddPage(&second);
        AddPage(&third);
        SetWizardMode();
    }
    UINT Current() const { return GetActivePage() ? GetActivePage()->GetTemplateId() : 0; }

    std::deque<UINT> history;
    CStepPage first;
    CStepPage second;
    CStepPage third;
};

BOOL CStepPage::OnSetActive()
{
    // As the wizards' pages do: a request the sheet takes when the event loop comes to it.
    GetSheet()->PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
    return CPropertyPage::OnSetActive();
}

LRESULT CStepPage::OnWizardNext()
{
    if (next != -1)
        static_cast<CHistorySheet*>(GetSheet())->history.push_front(GetTemplateId());
    return next;
}

LRESULT CStepPage::OnWizardBack()
{
    auto& history = static_cast<CHistorySheet*>(GetSheet())->history;
    if (history.empty())
        return 0;
    const UINT back = history.front();
    history.pop_front();
    return back;
}

void TypeValue(CPropertyPage& page, const char* text)
{
    page.GetDlgItemAs<QLineEdit>(IDC_VALUE)->setText(QString::fromLatin1(text));
}

TEST_F(CorraTest, AWizardStepsByOrderByIdAndBackAlongItsHistory)
{
    CHistorySheet sheet;
    sheet.first.next = IDD_THIRD;
    sheet.third.buttons = PSWIZB_BACK | PSWIZB_FINISH;
    CModalScript script;
    script.On<CHistorySheet>([&](CHistorySheet& sheetShown) {
        using History = std::deque<UINT>;
        // The sheet as the user meets it: each press after the pages' requests were taken.
        struct CPresser {
            CHistorySheet& sheet;
            BOOL PressButton(int nButton)
            {
                QApplication::processEvents();
                return sheet.PressButton(nButton);
            }
        };
        CHistorySheet& s = sheetShown;
        CPresser user{s};
        EXPECT_EQ(s.Current(), IDD_FIRST);
        // Pages are made when first shown.
        EXPECT_EQ(s.second.inits, 0);

        // A jump by id, and Back along the history.
        EXPECT_TRUE(user.PressButton(PSBTN_NEXT));
        EXPECT_EQ(s.Current(), IDD_THIRD);
        EXPECT_EQ(s.history, History({IDD_FIRST}));
        EXPECT_FALSE(user.PressButton(PSBTN_NEXT)) << "Finish stands in Next's place";
        EXPECT_TRUE(user.PressButton(PSBTN_BACK));
        EXPECT_EQ(s.Current(), IDD_FIRST);
        EXPECT_TRUE(s.history.empty());

        // The next page in order.
        s.first.next = 0;
        user.PressButton(PSBTN_NEXT);
        EXPECT_EQ(s.Current(), IDD_SECOND);
        EXPECT_EQ(s.second.inits, 1);

        // -1 stays; so does a field that does not validate, before the page records a step.
        s.second.next = -1;
        user.PressButton(PSBTN_NEXT);
        EXPECT_EQ(s.Current(), IDD_SECOND);
        s.second.next = 0;
        TypeValue(s.second, "many");
        user.PressButton(PSBTN_NEXT);
        EXPECT_EQ(s.Current(), IDD_SECOND);
        EXPECT_EQ(s.history, History({IDD_FIRST}));
        ASSERT_FALSE(messageBox.calls.empty());
        TypeValue(s.second, "7");
        user.PressButton(PSBTN_NEXT);
        EXPECT_EQ(s.Current(), IDD_THIRD);
        EXPECT_EQ(s.second.value, 7);
        EXPECT_EQ(s.history, History({IDD_SECOND, IDD_FIRST}));

        // Back pops one step each; a page shown again is not made again.
        user.PressButton(PSBTN_BACK);
        EXPECT_EQ(s.Current(), IDD_SECOND);
        EXPECT_EQ(s.history, History({IDD_FIRST}));
        EXPECT_EQ(s.second.inits, 1);
        user.PressButton(PSBTN_NEXT);

        // A page that refuses Cancel keeps the wizard open.
        s.third.allowCancel = FALSE;
        EXPECT_TRUE(user.PressButton(PSBTN_CANCEL));
        EXPECT_FALSE(s.IsEnded());
        EXPECT_TRUE(user.PressButton(PSBTN_FINISH));
    });
    EXPECT_EQ(sheet.DoModal(), static_cast<INT_PTR>(ID_WIZFINISH));
    EXPECT_EQ(ID_WIZFINISH, 12325u);
    EXPECT_EQ(script.Answered(), 1);
}

// A tabbed page that counts what the sheet asks of it.
class CTabPage : public CStepPage {
public:
    using CStepPage::CStepPage;
    BOOL OnSetActive() override { return CPropertyPage::OnSetActive(); }
    BOOL OnApply() override
    {
        ++applies;
        return CPropertyPage::OnApply();
    }
    int applies = 0;
};

TEST_F(CorraTest, ATabbedSheetStartsWhereToldAndAppliesTheMadePages)
{
    CTabPage first(IDD_FIRST, "First");
    CTabPage second(IDD_SECOND, "Second");
    CTabPage third(IDD_THIRD, "Third");
    CPropertySheet sheet("Settings", nullptr, 1);
    for (CTabPage* p : {&first, &second, &third})
        sheet.AddPage(p);
    CModalScript script;
    script.On<CPropertySheet>([&](CPropertySheet& s) {
        EXPECT_EQ(s.GetActivePage(), &second);
        EXPECT_FALSE(s.PressButton(PSBTN_APPLYNOW)) << "nothing changed yet";
        second.SetModified();
        TypeValue(second, "x");
        EXPECT_FALSE(s.SetActivePage(&third)) << "a field that does not validate keeps its page";
        EXPECT_EQ(s.GetActivePage(), &second);
        TypeValue(second, "3");
        EXPECT_TRUE(s.PressButton(PSBTN_APPLYNOW));
        EXPECT_EQ(second.applies, 1);
        EXPECT_FALSE(s.PressButton(PSBTN_APPLYNOW));
        EXPECT_TRUE(s.SetActivePage(&third));
        TypeValue(third, "5");
        EXPECT_TRUE(s.PressButton(PSBTN_OK));
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.inits, 0);
    EXPECT_EQ(first.applies, 0);
    EXPECT_EQ(second.applies, 2);
    EXPECT_EQ(third.applies, 1);
    EXPECT_EQ(second.value, 3);
    EXPECT_EQ(third.value, 5);
}

} // namespace
