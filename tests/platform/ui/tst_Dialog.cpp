#include "platform/ui/Dialog.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest-spi.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr UINT IDD_TEST = 4711;
constexpr int IDC_COUNT = 1001;
constexpr int IDC_NAME = 1002;
constexpr int IDC_APPLY = 1003;
constexpr int IDC_CHECK = 1004;
constexpr int IDC_RADIO_A = 1005;
constexpr int IDC_RADIO_B = 1006;
constexpr int IDC_RADIO_C = 1007;
constexpr int IDC_KIND = 1008;
constexpr int IDC_LIST = 1009;

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* parent = nullptr) : CDialog(IDD_TEST, parent), m_kind(this, FALSE), m_list(this, TRUE)
    {
        auto* grid = new QGridLayout(this);
        countEdit = CreateEdit(IDC_COUNT);
        grid->addWidget(CreateStatic("&Count:", 0, countEdit), 0, 0);
        grid->addWidget(countEdit, 0, 1);
        grid->addWidget(CreateEdit(IDC_NAME), 1, 1);
        grid->addWidget(CreateCheckBox(IDC_CHECK, "Check"), 2, 0);
        grid->addWidget(CreateRadioButton(IDC_RADIO_A, "A", TRUE), 3, 0);
        grid->addWidget(CreateRadioButton(IDC_RADIO_B, "B"), 3, 1);
        grid->addWidget(CreateRadioButton(IDC_RADIO_C, "C"), 3, 2);
        grid->addWidget(AddControl(IDC_KIND, &m_kind), 4, 0);
        grid->addWidget(AddControl(IDC_LIST, &m_list), 4, 1);
        grid->addWidget(CreateButton(IDC_APPLY, "Apply"), 5, 0);
        grid->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}), 6, 0, 1, 3);
        m_kind.AddString("Text");
        m_kind.AddString("Word");
        m_kind.SetItemData(0, 0x7001);
        m_kind.SetItemData(1, 0x7002);
        for (const char* s : {"a", "b", "c"})
            m_list.SetItemData(m_list.AddString(s), static_cast<DWORD_PTR>(s[0]));
        BindCommand(IDC_APPLY, [this] { ++applies; });
        BindNotify(IDC_NAME, EN_CHANGE, [this] { ++nameChanges; });
        BindUpdate(IDC_APPLY, [this](CCmdUI* ui) { ui->Enable(m_bCanApply); });
    }

    BOOL OnInitDialog() override
    {
        ++inits;
        CDialog::OnInitDialog();
        if (m_nEndAtInit)
            EndDialog(m_nEndAtInit);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 10);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
        DDX_CBItemData(pDX, IDC_KIND, m_kindData);
        DDX_LBSelItemData(pDX, IDC_LIST, m_selected);
    }

    QLineEdit* countEdit;
    CComboBox m_kind;
    CListBox m_list;
    CString m_name = "start";
    int m_count = 3;
    int m_check = 0;
    int m_radio = -1;
    DWORD_PTR m_kindData = 0x7002;
    CTypedArray<DWORD_PTR> m_selected;
    int m_nEndAtInit = 0;
    BOOL m_bCanApply = TRUE;
    int inits = 0;
    int applies = 0;
    int nameChanges = 0;
};

using DialogTest = CorraTest;

} // namespace

TEST_F(DialogTest, FieldThatFailsKeepsTheDialogOpenAndFocusesTheControl)
{
    CTestDlg dlg;
    CModalScript script;
    script.On<CTestDlg>([this](CTestDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_NAME), CString("start"));
        EXPECT_EQ(d.GetDlgItemText(IDC_COUNT), CString("3"));
        d.SetDlgItemText(IDC_COUNT, "42");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.focusWidget(), d.countEdit);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, CString("Please enter an integer between 1 and 10."));

        d.SetDlgItemText(IDC_COUNT, "seven");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(messageBox.calls.size(), 2u);
        EXPECT_EQ(messageBox.calls[1].text, CString("Please enter an integer."));

        d.SetDlgItemText(IDC_COUNT, " 7 ");
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_count, 7);
    EXPECT_EQ(script.Answered(), 1);
}

TEST_F(DialogTest, EarlierFieldsAreKeptWhenALaterOneFails)
{
    CTestDlg dlg;
    CModalScript script;
    script.On<CTestDlg>([](CTestDlg& d) {
        d.SetDlgItemText(IDC_NAME, "a long name");
        EXPECT_EQ(d.GetDlgItemText(IDC_NAME), CString("a long n")) << "the edit takes at most 8";
        d.SetDlgItemText(IDC_COUNT, "0");
        d.CheckDlgButton(IDC_CHECK, BST_CHECKED);
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, CString("a long n")) << "fields before the failing one are taken";
    EXPECT_EQ(dlg.m_count, 0) << "the failing field is read before it is checked";
    EXPECT_EQ(dlg.m_check, 0) << "the exchange stops at the failing field";
}

TEST_F(DialogTest, EndDialogFromOnInitDialogNeverShowsTheDialog)
{
    CTestDlg dlg;
    dlg.m_nEndAtInit = 1583;
    CModalScript script;  // no step: the dialog must not reach the hook
    EXPECT_EQ(dlg.DoModal(), 1583);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_EQ(script.Answered(), 0);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, ControlsRoundTripThroughDataExchange)
{
    CTestDlg dlg;
    dlg.m_check = 1;
    dlg.m_radio = 2;
    dlg.m_selected.Add('a');
    dlg.m_selected.Add('c');
    CModalScript script;
    script.OnTemplate(IDD_TEST, [](CDialog& d) {
        auto& t = static_cast<CTestDlg&>(d);
        EXPECT_TRUE(t.IsDlgButtonChecked(IDC_CHECK));
        EXPECT_EQ(t.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C), IDC_RADIO_C);
        EXPECT_EQ(t.m_kind.GetCurSel(), 1);
        EXPECT_EQ(t.m_list.GetSelCount(), 2);
        EXPECT_EQ(t.nameChanges, 0) << "the exchange's own changes are not notified";
        t.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        ClickDlgButton(t, IDC_RADIO_A);
        t.m_kind.SetCurSel(0);
        t.m_list.SetSel(-1, FALSE);
        t.m_list.SetSel(1, TRUE);
        t.SetDlgItemText(IDC_NAME, "typed");
        EXPECT_EQ(t.nameChanges, 1);
        ClickDlgButton(t, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_kindData, 0x7001u);
    ASSERT_EQ(dlg.m_selected.GetSize(), 1);
    EXPECT_EQ(dlg.m_selected[0], static_cast<DWORD_PTR>('b'));
}

TEST_F(DialogTest, RadioGroupWithNoChoiceLeavesEveryButtonOff)
{
    CTestDlg dlg;
    dlg.m_radio = -1;
    CModalScript script;
    script.On<CTestDlg>([](CTestDlg& d) {
        EXPECT_EQ(d.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C), 0);
        ClickDlgButton(d, IDC_RADIO_B);
        ClickDlgButton(d, IDC_RADIO_C);
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_RADIO_B)) << "one group: one button on";
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_radio, 2);
}

TEST_F(DialogTest, ButtonsRunTheirCommandsAndFollowTheirUpdateHandlers)
{
    CTestDlg dlg;
    CModalScript script;
    script.On<CTestDlg>([](CTestDlg& d) {
        ClickDlgButton(d, IDC_APPLY);
        EXPECT_EQ(d.applies, 1);
        d.m_bCanApply = FALSE;
        UpdateDialogControls(&d, &d, FALSE);
        EXPECT_FALSE(d.GetDlgItem(IDC_APPLY)->isEnabled());
        d.m_bCanApply = TRUE;
        d.OnIdleUpdateCmdUI();
        EXPECT_TRUE(d.GetDlgItem(IDC_APPLY)->isEnabled());
        ClickDlgButton(d, IDHELP);
        d.reject();  // Esc or the close box
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(help.topics, std::vector<DWORD>{0x20000 + IDD_TEST});
}

TEST_F(DialogTest, F1IsTheHelpButtonWhereThereIsOneToPress)
{
    struct Case {
        const char* what;
        bool hide;
        bool disable;
        size_t topics;
    };
    const Case cases[] = {{"shown", false, false, 1}, {"hidden", true, false, 0}, {"disabled", false, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        help.topics.clear();
        CTestDlg dlg;
        CModalScript script;
        script.On<CTestDlg>([&](CTestDlg& d) {
            if (c.hide)
                d.GetDlgItem(IDHELP)->hide();
            if (c.disable)
                d.GetDlgItem(IDHELP)->setEnabled(false);
            QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(&d, &f1);
            d.reject();
        });
        dlg.DoModal();
        EXPECT_EQ(help.topics.size(), c.topics);
    }
}

TEST_F(DialogTest, ModelessDialogIsCreatedHiddenAndEndedByHiding)
{
    CTestDlg dlg;
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    EXPECT_FALSE(dlg.Create(IDD_TEST)) << "it exists already";
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_NE(dlg.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dlg.isVisible());
    dlg.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.isModal());
    dlg.EndDialog(IDCANCEL);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, ScriptedDialogsAreAnsweredInTheirOrder)
{
    CModalScript script;
    std::vector<int> order;
    script.OnTemplate(IDD_TEST, [&](CDialog& d) {
        order.push_back(1);
        d.EndDialog(IDYES);
    });
    script.On<CTestDlg>([&](CTestDlg& d) {
        order.push_back(2);
        d.EndDialog(IDNO);
    });
    CTestDlg first, second;
    EXPECT_EQ(first.DoModal(), IDYES);
    EXPECT_EQ(second.DoModal(), IDNO);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

namespace {
CTestDlg* s_unanswered = nullptr;
INT_PTR s_unansweredResult = 0;
}

TEST_F(DialogTest, AModalDialogThatNoScriptAnswersFailsInsteadOfHanging)
{
    CTestDlg dlg;
    s_unanswered = &dlg;
    EXPECT_NONFATAL_FAILURE(s_unansweredResult = s_unanswered->DoModal(), "no script answers");
    EXPECT_EQ(s_unansweredResult, IDCANCEL);
}

TEST_F(DialogTest, DlgItemIntReadsOnlyWholeNumbersInRange)
{
    struct Case {
        const char* text;
        BOOL bSigned;
        BOOL ok;
        int value;
    };
    const Case cases[] = {
        {" 12 ", TRUE, TRUE, 12},          {"-5", TRUE, TRUE, -5},
        {"-5", FALSE, FALSE, 0},           {"-0", FALSE, FALSE, 0},
        {"4294967295", FALSE, TRUE, -1},   {"2147483648", TRUE, FALSE, 0},
        {"12x", TRUE, FALSE, 0},           {"", TRUE, FALSE, 0},
        {"99999999999999999999", TRUE, FALSE, 0},
    };
    CTestDlg dlg;
    for (const Case& c : cases) {
        dlg.SetDlgItemText(IDC_COUNT, c.text);
        BOOL ok = !c.ok;
        EXPECT_EQ(dlg.GetDlgItemInt(IDC_COUNT, &ok, c.bSigned), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}

namespace {

// One edit exchanged as a number.
class CNumberDlg : public CDialog {
public:
    CNumberDlg() : CDialog(IDD_TEST) { edit = CreateEdit(IDC_COUNT); }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (asDouble)
            DDX_Text(pDX, IDC_COUNT, number);
        else
            DDX_Text(pDX, IDC_COUNT, whole);
    }
    QLineEdit* edit;
    bool asDouble = true;
    double number = 7.5;
    int whole = 7;
};

} // namespace

TEST_F(DialogTest, NumberFieldsTakeOnlyWhatTheyShow)
{
    struct Case {
        QString text;
        bool asDouble;
        bool ok;
        double value;
    };
    const QString nul(QChar(0));
    const Case cases[] = {
        {" 2.5 ", true, true, 2.5},        {"-.5e-3", true, true, -0.0005},  {"1.", true, true, 1.0},
        {"+4E2", true, true, 400.0},       {"-0", true, true, 0.0},          {"0x10", true, false, 0},
        {"0x1p3", true, false, 0},         {"inf", true, false, 0},          {"nan", true, false, 0},
        {"1e999", true, false, 0},         {"12abc", true, false, 0},        {".", true, false, 0},
        {"1e", true, false, 0},            {"e5", true, false, 0},           {"1.5" + nul + "9", true, false, 0},
        {"42" + nul + "7", false, false, 0}, {"42", false, true, 42},
    };
    CNumberDlg dlg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        dlg.asDouble = c.asDouble;
        dlg.number = 7.5;
        dlg.whole = 7;
        dlg.edit->setText(c.text);
        const size_t boxes = messageBox.calls.size();
        EXPECT_EQ(dlg.UpdateData(TRUE), c.ok ? TRUE : FALSE);
        EXPECT_EQ(messageBox.calls.size(), boxes + (c.ok ? 0 : 1));
        if (c.asDouble)
            EXPECT_DOUBLE_EQ(dlg.number, c.ok ? c.value : 7.5);
        else
            EXPECT_EQ(dlg.whole, c.ok ? static_cast<int>(c.value) : 7);
    }
    BOOL ok = TRUE;
    dlg.edit->setText("42" + nul + "7");
    EXPECT_EQ(dlg.GetDlgItemInt(IDC_COUNT, &ok, TRUE), 0);
    EXPECT_FALSE(ok);
}
