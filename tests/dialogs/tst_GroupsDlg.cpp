// The groups window of a bank: its list sorts and counts, edits land in the group shown (kept by
// ID), header and member numbering never both "Numbered", the default group, adding the
// selected questions, the description across a save, and one window per document.

#include "dialogs/GroupsDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/PromptDlg.h"
#include "dialogs/GroupListCtrl.h"
#include "dialogs/QuestionDialogs.h"
#include "model/Group.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TransferBanks.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <memory>

namespace {

class GroupsTest : public CorraTest {
protected:
    // Alpha 1..5; "beta" holds 1, 2, 3, "Alpha" holds 4; 5 is in no group.
    void SetUp() override
    {
        CorraTest::SetUp();
        doc = std::make_unique<CTransferBank>("Alpha", std::vector<int>{1, 2, 3, 4, 5});
        beta = AddGroup("beta", {1, 2, 3});
        alpha = AddGroup("Alpha", {4});
        doc->SetModifiedFlag(FALSE);
        dlg = std::make_unique<CGroupsDlg2>(doc.get());
        dlg->ShowGroups();
    }
    void TearDown() override
    {
        dlg.reset();
        doc.reset();
        CorraTest::TearDown();
    }
    CGroup* AddGroup(const char* name, std::vector<int> members)
    {
        CGroup* g = CGroup::Create(name, 0, 0);
        doc->m_plGroups.AddTail(g);
        for (int id : members)
            doc->FindQuestionById(id)->m_nMemberId = g->m_nId;
        return g;
    }
    std::vector<CString> Names() const
    {
        std::vector<CString> names;
        for (int i = 0; i < dlg->GetList()->GetItemCount(); ++i)
            names.push_back(dlg->GetList()->GetItemText(i, 0));
        return names;
    }

    std::unique_ptr<CTransferBank> doc;
    std::unique_ptr<CGroupsDlg2> dlg;
    CGroup* beta = nullptr;
    CGroup* alpha = nullptr;
};

TEST_F(GroupsTest, TheListCountsAndSortsByNameWithoutCaseAndByCountBothWays)
{
    CGroupListCtrl& list = *dlg->GetList();
    EXPECT_EQ(Names(), (std::vector<CString>{"beta", "Alpha"}));
    EXPECT_EQ(list.GetItemText(0, 1), CString("3"));
    EXPECT_EQ(list.GetItemText(1, 1), CString("1"));
    EXPECT_EQ(dlg->GetShownGroup(), beta);

    struct Step {
        int column;
        std::vector<CString> names;
    };
    const Step steps[] = {
        {0, {"Alpha", "beta"}},
        {0, {"beta", "Alpha"}},
        {1, {"Alpha", "beta"}},
        {1, {"beta", "Alpha"}},
    };
    for (const Step& s : steps) {
        list.SortByColumn(s.column);
        EXPECT_EQ(Names(), s.names);
    }
}

TEST_F(GroupsTest, EditsLandInTheGroupShownAfterASortAndAMove)
{
    CGroupListCtrl& list = *dlg->GetList();
    list.SortByColumn(1);  // Alpha (1) first
    dlg->SelectGroup(0);
    ASSERT_EQ(dlg->GetShownGroup(), alpha);
    qobject_cast<QCheckBox*>(dlg->GetDlgItem(IDC_GROUPS_INDENTED))->setChecked(true);
    EXPECT_TRUE(alpha->m_dwFlags & GROUP_INDENTED);
    EXPECT_FALSE(beta->m_dwFlags & GROUP_INDENTED);
    EXPECT_TRUE(doc->IsModified());

    // Moved down, the shown group stays the one edited and the document takes the order.
    ASSERT_TRUE(dlg->MoveSelected(1));
    EXPECT_EQ(Names(), (std::vector<CString>{"beta", "Alpha"}));
    EXPECT_EQ(dlg->GetShownGroup(), alpha);
    qobject_cast<QCheckBox*>(dlg->GetDlgItem(IDC_GROUPS_TOP_OF_PAGE))->setChecked(false);
    EXPECT_FALSE(alpha->m_dwFlags & GROUP_TOP_OF_PAGE);
    EXPECT_TRUE(beta->m_dwFlags & GROUP_TOP_OF_PAGE);
    EXPECT_EQ(doc->m_plGroups.GetHead(), beta);
    EXPECT_FALSE(dlg->MoveSelected(1));
}

TEST_F(GroupsTest, HeadersAndMembersAreNeverBothNumbered)
{
    const CString collide = "Headers and Group Members cannot both have the Numbered selection.  If any Group has the "
                            "Numbered selection for Members, then no other group can have a Header with the same "
                            "selection.  Otherwise, numbering of Groups and Headers would collide.";
    // Both groups number their members by default.
    EXPECT_EQ(dlg->GetMemberTypeText(), CString("Members: Numbered"));
    EXPECT_EQ(dlg->GetHeaderTypeText(), CString("Headers: Not numbered"));
    EXPECT_FALSE(dlg->SetNumberingStyle(TRUE, NUMSTYLE_NUMBERED, FALSE));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, collide);

    // Every member lettered: the shown group's edit is seen at once, then headers may be numbered.
    ASSERT_TRUE(dlg->SetNumberingStyle(FALSE, 3, TRUE));
    EXPECT_EQ(MemberStyleIndex(alpha->m_dwFlags), 3);
    ASSERT_TRUE(dlg->SetNumberingStyle(TRUE, NUMSTYLE_NUMBERED, FALSE));
    EXPECT_EQ(HeaderStyleIndex(beta->m_dwFlags), NUMSTYLE_NUMBERED);
    EXPECT_EQ(dlg->GetHeaderTypeText(), CString("Headers: Numbered"));
    // Now no group's members may be numbered, the other's neither.
    dlg->SelectGroup(1);
    EXPECT_FALSE(dlg->SetNumberingStyle(FALSE, NUMSTYLE_NUMBERED, FALSE));
    EXPECT_EQ(MemberStyleIndex(alpha->m_dwFlags), 3);

    // The chooser forces "Change all" while a header style other than none is chosen.
    CModalScript script;
    script.On<CNumberingSequenceDlg>([](CNumberingSequenceDlg& seq) {
        // The shown group's headers are not numbered: free to choose.
        auto* all = qobject_cast<QCheckBox*>(seq.GetDlgItem(IDC_NUMSEQ_CHANGE_ALL));
        EXPECT_TRUE(qobject_cast<QRadioButton*>(seq.GetDlgItem(IDC_NUMSEQ_FIRST))->isChecked());
        EXPECT_FALSE(all->isChecked());
        EXPECT_TRUE(all->isEnabled());
        qobject_cast<QRadioButton*>(seq.GetDlgItem(1956))->setChecked(true);  // upper roman, index 5
        EXPECT_TRUE(all->isChecked());
        EXPECT_FALSE(all->isEnabled());
        ClickDlgButton(seq, IDOK);
    });
    dlg->OnChangeStyle(TRUE);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(HeaderStyleIndex(alpha->m_dwFlags), 5);
    EXPECT_EQ(HeaderStyleIndex(beta->m_dwFlags), 5);
}

TEST_F(GroupsTest, CreateDefaultGroupAndAddSelectedQuestionsSayWhyTheyDoNothing)
{
    struct Case {
        const char* name;
        std::vector<int> ids;  // the bank's questions
        std::vector<int> grouped;  // in a group already
        const char* said;
        int defaultCount;  // -1: no group made
    };
    const Case cases[] = {
        {"an empty bank", {}, {}, "Document contains no questions.", -1},
        {"every question in a group", {1, 2}, {1, 2}, "There are no questions which do not belong to a group.", -1},
        {"two loose", {1, 2, 3}, {1}, nullptr, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        CTransferBank bank("Bank", c.ids);
        CGroup* g = CGroup::Create("old", 0, 0);
        bank.m_plGroups.AddTail(g);
        for (int id : c.grouped)
            bank.FindQuestionById(id)->m_nMemberId = g->m_nId;
        CGroupsDlg2 window(&bank);
        window.ShowGroups();
        window.OnCreateDefaultGroup();
        if (c.said) {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, CString(c.said));
            EXPECT_EQ(bank.m_plGroups.GetCount(), 1);
        } else {
            EXPECT_TRUE(messageBox.calls.empty());
            ASSERT_EQ(bank.m_plGroups.GetCount(), 2);
            auto* made = static_cast<CGroup*>(bank.m_plGroups.GetTail());
            EXPECT_EQ(made->m_csName, CString("Default"));
            EXPECT_EQ(made->m_nMemberCount, c.defaultCount);
            EXPECT_EQ(window.GetShownGroup(), made);
        }
    }

    // Add Selected Questions: no question selected in the main view (there is none here).
    messageBox.calls.clear();
    dlg->OnAddSelectedQuestions();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("No questions in the document are selected."));
    dlg->GetList()->SelectItem(-1, FALSE);
    dlg->OnAddSelectedQuestions();
    EXPECT_EQ(messageBox.calls.back().text, CString("No group selected."));
}

TEST_F(GroupsTest, NewDeleteAndClearKeepTheDocumentsGroupsInTheListsOrder)
{
    dlg->OnNewGroup();
    ASSERT_EQ(doc->m_plGroups.GetCount(), 3);
    EXPECT_EQ(Names().back(), CString("Unnamed"));
    EXPECT_EQ(dlg->GetShownGroup(), doc->m_plGroups.GetTail());

    messageBox.QueueAnswer(IDYES);
    dlg->SelectGroup(0);
    dlg->OnDeleteGroup();
    EXPECT_EQ(messageBox.calls.back().text, CString("Are you sure you want to delete group: beta"));
    EXPECT_EQ(doc->m_plGroups.GetCount(), 2);
    EXPECT_EQ(doc->FindQuestionById(1)->m_nMemberId, 0);
    EXPECT_EQ(Names(), (std::vector<CString>{"Alpha", "Unnamed"}));

    messageBox.QueueAnswer(IDNO);
    dlg->OnDeleteAll();
    EXPECT_EQ(doc->m_plGroups.GetCount(), 2);
    messageBox.QueueAnswer(IDYES);
    dlg->OnDeleteAll();
    EXPECT_EQ(messageBox.calls.back().text, CString("This operation will remove all existing groups.\n\nContinue?"));
    EXPECT_TRUE(doc->m_plGroups.IsEmpty());
    EXPECT_EQ(dlg->GetList()->GetItemCount(), 0);
    EXPECT_EQ(doc->FindQuestionById(4)->m_nMemberId, 0);
    EXPECT_EQ(dlg->GetShownGroup(), nullptr);
}

TEST_F(GroupsTest, ATypedNameWithBracesIsRefusedAndTheGroupKeepsItsName)
{
    struct Case {
        const char* typed;
        const char* name;  // the shown group's name after OK
        const char* said;  // nullptr: nothing said
    };
    const Case cases[] = {
        {"Part {2}", "beta", "A group name cannot hold \"{\" or \"}\"."},
        {"Unit } 3", "beta", "A group name cannot hold \"{\" or \"}\"."},
        {"   ", "beta", nullptr},
        {"  Reading  ", "Reading", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messageBox.calls.clear();
        doc->SetModifiedFlag(FALSE);
        CModalScript script;
        script.On<CPromptDlg>([&c](CPromptDlg& prompt) {
            auto* edit = prompt.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
            edit->selectAll();
            edit->insert(QString::fromLatin1(c.typed));
            ClickDlgButton(prompt, IDOK);
        });
        dlg->OnRenameGroup();
        EXPECT_EQ(script.Answered(), 1);
        EXPECT_EQ(beta->m_csName, CString(c.name));
        EXPECT_EQ(Names().front(), CString(c.name));
        EXPECT_EQ(doc->IsModified() != FALSE, CString(c.name) != "beta");
        if (c.said) {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, CString(c.said));
        } else {
            EXPECT_TRUE(messageBox.calls.empty());
        }
        beta->m_csName = "beta";
        dlg->GetList()->SetItemText(0, 0, "beta");
    }
}

TEST_F(GroupsTest, CreatePredefinedGroupsAsksBeforeReplacingAndGroupsByLevel)
{
    CTransferBank empty("Empty", {});
    CGroupsDlg2 none(&empty);
    none.ShowGroups();
    none.OnCreateGroups();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("Document has no questions to group."));
    EXPECT_TRUE(empty.m_plGroups.IsEmpty());

    // The groups there are stay when the question is answered No.
    messageBox.calls.clear();
    messageBox.QueueAnswer(IDNO);
    dlg->OnCreateGroups();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("This operation will remove all existing groups.\n\nContinue?"));
    EXPECT_EQ(Names(), (std::vector<CString>{"beta", "Alpha"}));

    const int levels[] = {2, 1, 2, 1, 1};
    for (int id = 1; id <= 5; ++id)
        doc->FindQuestionById(id)->m_nLevel = levels[id - 1];
    messageBox.QueueAnswer(IDYES);
    CModalScript script;
    script.On<CGroupQuestionsDlg>([](CGroupQuestionsDlg& by) {
        by.GetDlgItemAs<QRadioButton>(IDC_GROUPQ_BY_LEVEL)->setChecked(true);
        ClickDlgButton(by, IDOK);
    });
    dlg->OnCreateGroups();
    EXPECT_EQ(script.Answered(), 1);
    std::vector<CString> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<CString>{"Level 1", "Level 2"}));
    ASSERT_EQ(doc->m_plGroups.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        CGroup* g = dlg->GetList()->GetGroup(i);
        EXPECT_EQ(dlg->GetList()->GetItemText(i, 1), CString(g->m_csName == "Level 1" ? "3" : "2"));
    }
    EXPECT_EQ(doc->FindQuestionById(1)->m_nMemberId, doc->FindQuestionById(3)->m_nMemberId);
    EXPECT_EQ(dlg->GetShownGroup(), dlg->GetList()->GetGroup(0));
}

TEST_F(GroupsTest, ADescriptionOfTwoLinesComesBackAfterASave)
{
    qobject_cast<QCheckBox*>(dlg->GetDlgItem(IDC_GROUPS_HAS_HEADER))->click();
    EXPECT_TRUE(dlg->IsDescriptionShown());
    EXPECT_TRUE(beta->m_dwFlags & GROUP_USES_HEADER);
    auto* text = static_cast<CHVRichEditCtrl*>(dlg->GetDlgItem(IDC_GROUPS_DESCRIPTION));
    text->SetText("Read both parts.\nThen answer.", SF_TEXT);
    EXPECT_NE(beta->m_csText.Find("Then answer."), -1);

    const CString path = HomePath("groups.crr");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CTransferBank reopened("Again", {});
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    CGroupsDlg2 window(&reopened);
    window.ShowGroups();
    EXPECT_TRUE(window.IsDescriptionShown());
    auto* shown = static_cast<CHVRichEditCtrl*>(window.GetDlgItem(IDC_GROUPS_DESCRIPTION));
    CString plain;
    shown->StreamOutText(plain, SF_TEXT);
    plain.Replace("\r\n", "\n");
    plain.Replace("\r", "\n");
    EXPECT_EQ(plain, CString("Read both parts.\nThen answer."));
}

TEST_F(GroupsTest, EachDocumentHasOneGroupsWindowThatCloseHides)
{
    CQuestionDialogs dialogs;
    dialogs.ShowGroupsWindow(*doc);
    CGroupsDlg2* window = dialogs.FindGroupsWindow(*doc);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    dialogs.SetGroupsWindowTitle(*doc, "Alpha - Groups");
    EXPECT_EQ(window->windowTitle().toStdString(), "Alpha - Groups");
    ClickDlgButton(*window, IDCLOSE);
    EXPECT_FALSE(window->isVisible());
    dialogs.ShowGroupsWindow(*doc);
    EXPECT_EQ(dialogs.FindGroupsWindow(*doc), window);
    EXPECT_TRUE(window->isVisible());
    dialogs.CloseDocumentWindows(*doc);
    EXPECT_EQ(dialogs.FindGroupsWindow(*doc), nullptr);
}

} // namespace
