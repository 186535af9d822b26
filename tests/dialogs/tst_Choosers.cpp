#include "dialogs/EditFileListDlg.h"
#include "dialogs/MasterLists.h"
#include "dialogs/QuestionDialogs.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "res/ids/QuestionTypes.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"

#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "res/ids/QuestionDlg.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

#include <string>

namespace {

class ChoosersTest : public CorraTest {
protected:
    CString WriteList(const char* name, const std::string& text)
    {
        CString folder = CFileTypes::GetDefDir(DT_DATA);
        fsys::CreateDirectories(folder);
        CString path = fsys::Join(folder, name);
        fsys::WriteFile(path, text.data(), text.size());
        return path;
    }
    static CString ReadText(const CString& path)
    {
        std::string text;
        fsys::ReadFile(path, text);
        return CString(text.c_str());
    }
};

TEST_F(ChoosersTest, AMissingSubjectListDeclinedLeavesTheChooserEmpty)
{
    CString folder = CFileTypes::GetDefDir(DT_DATA);
    fsys::CreateDirectories(folder);
    messageBox.QueueAnswer(IDNO);
    CSubjectsDlg dlg;
    CModalScript script;
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        EXPECT_EQ(d.GetDlgItemAs<CListBox>(IDC_SUBJ_MASTER)->GetCount(), 0);
        EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled());
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("does not exist.  Do you wish to create a new empty one?"), -1);
    EXPECT_NE(messageBox.calls[0].text.Find("Subjects.txt"), -1);
    EXPECT_FALSE(fsys::IsFile(fsys::Join(folder, "Subjects.txt")));
}

TEST_F(ChoosersTest, AMissingSubjectListAcceptedIsCreatedEmpty)
{
    CString folder = CFileTypes::GetDefDir(DT_DATA);
    fsys::CreateDirectories(folder);
    messageBox.QueueAnswer(IDYES);
    EXPECT_EQ(GetMasterFilePath(SubjectList()), fsys::Join(folder, "Subjects.txt"));
    EXPECT_TRUE(fsys::IsFile(fsys::Join(folder, "Subjects.txt")));
}

TEST_F(ChoosersTest, SubjectsMatchWholeAndAnAddedSubjectIsSavedAtOnce)
{
    CString path = WriteList("Subjects.txt", "Mathematics\r\nLinear Algebra\r\n");
    CTextListFile list(256);
    ASSERT_TRUE(InitMasterList(SubjectList(), list));
    EXPECT_EQ(FindMasterEntry(list, "Algebra"), -1);
    EXPECT_EQ(FindMasterEntry(list, "linear algebra"), 1);

    // A question's subject the list lacks is offered to it.
    messageBox.QueueAnswer(IDYES);
    CSubjectsDlg dlg;
    dlg.m_saSubjects.Add("Math");
    CModalScript script;
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        EXPECT_EQ(d.GetDlgItemAs<CListBox>(IDC_SUBJ_MASTER)->GetCount(), 3);
        EXPECT_EQ(d.GetDlgItemAs<CListBox>(IDC_SUBJ_SELECTED)->GetCount(), 1);
        // Selecting the beginning of a chosen subject's name adds it all the same.
        auto* master = d.GetDlgItemAs<CListBox>(IDC_SUBJ_MASTER);
        master->SetCurSel(master->FindStringExact(-1, "Mathematics"));
        d.OnSelect();
        EXPECT_EQ(d.GetDlgItemAs<CListBox>(IDC_SUBJ_SELECTED)->GetCount(), 2);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("was not found in the Master Subject List"), -1);
    EXPECT_EQ(dlg.m_saSubjects.GetSize(), 2);
    EXPECT_NE(ReadText(path).Find("Math\r\n"), -1);
    EXPECT_NE(ReadText(path).Find("Mathematics"), -1);
}

TEST_F(ChoosersTest, ChaptersAreUnsignedNumbers)
{
    struct Case {
        const char* chapter;
        BOOL accepted;
    } cases[] = {{"0", TRUE}, {"12", TRUE}, {"-1", FALSE}, {"x", FALSE}, {"", FALSE}, {"3a", FALSE}};
    WriteList("Textbooks.txt", "Campbell Biology\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chapter);
        messageBox.calls.clear();
        CTextbooksDlg dlg;
        CModalScript script;
        script.On<CTextbooksDlg>([&c](CTextbooksDlg& d) {
            d.GetDlgItemAs<CComboBox>(IDC_BOOK_COMBO)->SetCurSel(0);
            d.SetDlgItemText(IDC_BOOK_CHAPTER, c.chapter);
            d.OnSelect();
            ClickDlgButton(d, IDOK);
        });
        dlg.DoModal();
        EXPECT_EQ(dlg.m_saBooks.GetSize(), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_EQ(dlg.m_saChapters[0], c.chapter);
        } else {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].caption, "Format error");
        }
    }
}

TEST_F(ChoosersTest, CancelAfterAChangeAsksWhetherToKeepIt)
{
    WriteList("Textbooks.txt", "Campbell Biology\r\n");
    struct Case {
        int answer;
        INT_PTR result;
    } cases[] = {{IDYES, IDOK}, {IDNO, IDCANCEL}, {IDCANCEL, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        messageBox.calls.clear();
        CTextbooksDlg dlg;
        BOOL keptOpen = FALSE;
        CModalScript script;
        script.On<CTextbooksDlg>([&](CTextbooksDlg& d) {
            d.GetDlgItemAs<CComboBox>(IDC_BOOK_COMBO)->SetCurSel(0);
            d.SetDlgItemText(IDC_BOOK_CHAPTER, "4");
            d.OnSelect();
            messageBox.QueueAnswer(c.answer);
            ClickDlgButton(d, IDCANCEL);
            if (c.answer == IDCANCEL) {
                // The chooser stays with its change; a No then leaves it.
                keptOpen = !d.IsEnded();
                messageBox.QueueAnswer(IDNO);
                ClickDlgButton(d, IDCANCEL);
            }
        });
        EXPECT_EQ(dlg.DoModal(), c.result);
        ASSERT_FALSE(messageBox.calls.empty());
        EXPECT_EQ(messageBox.calls[0].text, "Keep changes?");
        EXPECT_EQ(keptOpen, c.answer == IDCANCEL);
        if (c.result == IDOK) {
            ASSERT_EQ(dlg.m_saBooks.GetSize(), 1);
            EXPECT_EQ(dlg.m_saChapters[0], "4");
        }
    }
}

TEST_F(ChoosersTest, EveryTextbookTheMasterListLacksIsNamedOnce)
{
    WriteList("Textbooks.txt", "Campbell Biology\r\n");
    CTextbooksDlg dlg;
    for (const char* book : {"Linear Algebra", "Algebra", "Campbell Biology", "Algebra"}) {
        dlg.m_saBooks.Add(book);
        dlg.m_saChapters.Add("1");
    }
    CModalScript script;
    script.On<CTextbooksDlg>([](CTextbooksDlg& d) { ClickDlgButton(d, IDCANCEL); });
    dlg.DoModal();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "The following textbooks are not in the master list:\n\nAlgebra\nLinear Algebra"
                                        "\n\nYou can add these by editing the master textbook list.");
}

TEST_F(ChoosersTest, ForbiddenCharactersAreRefusedByAddAndByChange)
{
    CEditFileListDlg dlg;
    dlg.m_csForbidden = SubjectList().forbidden;
    dlg.m_saLines.Add("Biology");
    CModalScript script;
    script.On<CEditFileListDlg>([this](CEditFileListDlg& d) {
        auto* edit = d.GetDlgItemAs<QLineEdit>(IDC_EFL_EDIT);
        auto* list = d.GetDlgItemAs<CListBox>(IDC_EFL_LIST);
        for (const char* bad : {"Set {A}", "A, B", "x}"}) {
            edit->setText(QString::fromLatin1(bad));
            d.OnAdd();
        }
        EXPECT_EQ(list->GetCount(), 1);
        list->SetCurSel(0);
        edit->setText(QStringLiteral("Bio}logy"));
        d.OnChangeEntry();
        EXPECT_EQ(list->GetText(0), "Biology");
        edit->setText(QString());
        d.OnAdd();
        edit->setText(QStringLiteral("Botany"));
        d.OnChangeEntry();
        EXPECT_EQ(list->GetText(0), "Botany");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messageBox.calls.size(), 5u);
    EXPECT_NE(messageBox.calls[0].text.Find("The following characters are not allowed:"), -1);
    EXPECT_NE(messageBox.calls[3].text.Find("The following characters are not allowed:"), -1);
    EXPECT_EQ(messageBox.calls[4].text, "Nothing to add.  Enter new text first.");
    ASSERT_EQ(dlg.m_saLines.GetSize(), 1);
    EXPECT_EQ(dlg.m_saLines[0], "Botany");
}

} // namespace

namespace {

TEST_F(ChoosersTest, ADocumentOffersItsNewSubjectsInTheChooser)
{
    CString path = WriteList("Subjects.txt", "Biology\r\n");
    CQuestionDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CCorraDoc doc;
    for (const char* subject : {"Biology", "Genetics", "Ecology"}) {
        auto* q = new CCorraQuestion;
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->m_saSubjects.Add(subject);
        doc.InsertQuestion(q);
    }
    CModalScript script;
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "New Subjects...");
        auto* offered = d.GetDlgItemAs<CListBox>(IDC_SUBJ_SELECTED);
        ASSERT_EQ(offered->GetCount(), 2);
        offered->SetSel(offered->FindStringExact(-1, "Genetics"));
        d.OnAdd();
        EXPECT_EQ(offered->GetCount(), 1);
        ClickDlgButton(d, IDOK);
    });
    doc.OnOpenOrNew();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_TRUE(richBox.calls.empty());
    EXPECT_NE(ReadText(path).Find("Genetics"), -1);
    EXPECT_EQ(ReadText(path).Find("Ecology"), -1);
    // Offered once per document.
    doc.OnOpenOrNew();
}

} // namespace

namespace {

TEST_F(ChoosersTest, SelectTakesTheTypedSubjectAndOffersOneTheListLacks)
{
    struct Case {
        const char* typed;
        int answer;            // to the offer; 0: none is made
        const char* selected;  // nullptr: nothing selected
        bool added;
    } cases[] = {
        {"chemistry", 0, "Chemistry", false},
        {"Botany", IDYES, "Botany", true},
        {"Botany", IDNO, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " " + std::to_string(c.answer));
        const CString path = WriteList("Subjects.txt", "Biology\r\nChemistry\r\n");
        messageBox.calls.clear();
        if (c.answer)
            messageBox.QueueAnswer(c.answer);
        CSubjectsDlg dlg;
        CModalScript script;
        script.On<CSubjectsDlg>([&c](CSubjectsDlg& d) {
            // Typed letter by letter: the list highlights its nearest entry on the way.
            auto* typeAhead = d.GetDlgItemAs<QLineEdit>(IDC_SUBJ_TYPEAHEAD);
            const std::string typed = c.typed;
            for (size_t n = 1; n <= typed.size(); ++n)
                typeAhead->setText(QString::fromStdString(typed.substr(0, n)));
            d.OnSelect();
            auto* selected = d.GetDlgItemAs<CListBox>(IDC_SUBJ_SELECTED);
            EXPECT_EQ(selected->GetCount(), c.selected ? 1 : 0);
            ClickDlgButton(d, c.selected ? IDOK : IDCANCEL);
        });
        dlg.DoModal();
        EXPECT_EQ(messageBox.calls.size(), c.answer ? 1u : 0u);
        if (c.selected) {
            ASSERT_EQ(dlg.m_saSubjects.GetSize(), 1);
            EXPECT_EQ(dlg.m_saSubjects[0], c.selected);
        }
        EXPECT_EQ(ReadText(path).Find("Botany") >= 0, c.added);
    }
}

} // namespace
