#include "dialogs/CorraPropertiesDlg.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/QtString.h"
#include "res/help/HelpTopics.h"
#include "res/ids/CorraView.h"
#include "res/ids/ManageDialogs.h"
#include "shell/HVListCtrl.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>

#include <ctime>
#include <utime.h>

namespace {

// The bank's dialogs as the program answers its file properties.
class CPropertiesOnly : public CFakeDocumentDialogs {
public:
    BOOL FileProperties(CCorraDoc&, CFileProperties& props) override { return RunFilePropertiesDialog(props); }
};

class FilePropertiesTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        bank.m_csTitle1 = "Biology 101";
        bank.m_csTitle2 = "Cells and tissues";
        bank.m_csCorraId = "CID_2210_03";
        bank.InsertQuestion(new CCorraQuestion);
        bank.InsertQuestion(new CCorraQuestion);
        bank.GetOrCreateCollection("Chapter 1");
    }
    // A file of the home with a known last-modified time: 7 March 2026, 2:05 pm local time.
    CString WriteDatedFile(const char* name)
    {
        const CString path = WriteHomeFile(name, "CORRA");
        std::tm tm{};
        tm.tm_year = 126;
        tm.tm_mon = 2;
        tm.tm_mday = 7;
        tm.tm_hour = 14;
        tm.tm_min = 5;
        tm.tm_isdst = -1;
        utimbuf times{std::mktime(&tm), std::mktime(&tm)};
        EXPECT_EQ(utime(path, &times), 0);
        return path;
    }
    static bool Shown(CDialog& d, int id) { return !d.GetDlgItem(id)->isHidden(); }

    CCorraDoc bank;
    CPropertiesOnly documentDialogs;
    CServiceScope<IDocumentDialogs> installed{DocumentDialogsSlot(), documentDialogs};
};

TEST_F(FilePropertiesTest, ASavedBankShowsItsFileFactsAndCorraId)
{
    bank.SetPathName(WriteDatedFile("QCorras/Biology.crr"), FALSE);
    const QDateTime born = QFileInfo(ToQString(bank.GetPathName())).birthTime();
    const CString created = born.isValid() ? CCorraPropertiesDlg::FormatFileTime(born.toSecsSinceEpoch()) : CString();
    CModalScript script;
    script.On<CCorraPropertiesDlg>([&](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Question Corra File Properties");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_TITLE_LABEL), "Title");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_DESCRIPTION_LABEL), "Description");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS_LABEL), "Collections:");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_TITLE), "Biology 101");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_DESCRIPTION), "Cells and tissues");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_QUESTIONS), "2");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS), "1");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_MODIFIED), "03/07/2026 02:05 PM");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_CREATED), created);
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_LOCATION), "./QCorras/Biology.crr");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_CORRA_ID), "CID_2210_03");
        EXPECT_TRUE(Shown(d, IDC_FP_CORRA_ID));
        EXPECT_TRUE(Shown(d, IDC_FP_CORRA_ID_LABEL));
        EXPECT_FALSE(Shown(d, IDC_FP_LINKS));
        EXPECT_FALSE(Shown(d, IDC_FP_LINKS_LABEL));
        ClickDlgButton(d, IDHELP);
        d.GetDlgItemAs<QLineEdit>(IDC_FP_TITLE)->setText("Biology 102");
        ClickDlgButton(d, IDOK);
    });
    bank.SetModifiedFlag(FALSE);
    bank.OnCmdMsg(ID_CORRA_PROPERTIES, CN_COMMAND, nullptr);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(bank.m_csTitle1, "Biology 102");
    EXPECT_EQ(bank.m_csTitle2, "Cells and tissues");
    ASSERT_EQ(help.topics.size(), 1u);
    EXPECT_STREQ(FindHelpPage(help.topics[0]), "files.html#properties");
    EXPECT_TRUE(bank.IsModified());
}

TEST_F(FilePropertiesTest, LocationAndDatesFollowTheFile)
{
    // Beside the home, not in it.
    CString outside = Home();
    outside.TrimRight('/');
    outside += "-outside.crr";
    {
        FILE* f = fopen(outside, "w");
        ASSERT_TRUE(f);
        fclose(f);
    }
    struct Case {
        const char* what;
        CString path;
        bool dates;
        CString location;
    };
    const Case cases[] = {
        {"never saved", "", false, ""},
        {"outside the home", outside, true, outside},
        // The file has gone: no dates, but where it was.
        {"gone", HomePath("QCorras/Gone.crr"), false, "./QCorras/Gone.crr"},
    };
    fsys::CreateDirectories(HomePath("QCorras"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bank.SetPathName(c.path, FALSE);
        CModalScript script;
        script.On<CCorraPropertiesDlg>([&](CCorraPropertiesDlg& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_FP_LOCATION), c.location);
            EXPECT_EQ(d.GetDlgItemText(IDC_FP_MODIFIED).IsEmpty(), !c.dates);
            if (!c.dates)
                EXPECT_EQ(d.GetDlgItemText(IDC_FP_CREATED), "");
            ClickDlgButton(d, IDCANCEL);
        });
        bank.ShowFileProperties();
    }
    remove(outside);
}

TEST_F(FilePropertiesTest, NoBirthTimeLeavesTheCreationDateEmpty)
{
    // The process file system keeps no birth time.
    const CString path = "/proc/self/status";
    ASSERT_FALSE(QFileInfo(ToQString(path)).birthTime().isValid());
    CString created = "not set", modified;
    ASSERT_TRUE(CCorraPropertiesDlg::GetFileDates(path, created, modified));
    EXPECT_EQ(created, "");
    EXPECT_FALSE(modified.IsEmpty());
}

TEST_F(FilePropertiesTest, TitlesWithBracesAreRefusedAndLongOnesKeptWhole)
{
    const CString longTitle = CString(std::string(300, 't').c_str());
    struct Case {
        int field;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {IDC_FP_TITLE, "Biology }", "Title cannot contain \"{\" or \"}\"."},
        {IDC_FP_DESCRIPTION, "{Cells", "Description cannot contain \"{\" or \"}\"."},
        {IDC_FP_TITLE, longTitle, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messageBox.calls.clear();
        bank.m_csTitle1 = "Biology 101";
        CModalScript script;
        script.On<CCorraPropertiesDlg>([&](CCorraPropertiesDlg& d) {
            d.GetDlgItemAs<QLineEdit>(c.field)->setText(QString::fromLatin1(c.typed));
            ClickDlgButton(d, IDOK);
            if (c.message) {
                EXPECT_FALSE(d.IsEnded());
                EXPECT_EQ(d.focusWidget(), d.GetDlgItem(c.field));
                ClickDlgButton(d, IDCANCEL);
            }
        });
        bank.ShowFileProperties();
        if (c.message) {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, c.message);
            EXPECT_EQ(bank.m_csTitle1, "Biology 101");
        } else {
            EXPECT_TRUE(messageBox.calls.empty());
            EXPECT_EQ(bank.m_csTitle1, longTitle);
        }
    }
}

TEST_F(FilePropertiesTest, AnExamShowsItsLinkedBanksInsteadOfTheCorraId)
{
    CExamDoc exam;
    CExamQuestionDialogs examDialogs;
    CServiceScope<IExamDialogs> examInstalled{ExamDialogsSlot(), examDialogs};
    const CString banks[] = {WriteHomeFile("QCorras/Physics.crr", "x"), WriteHomeFile("QCorras/Chemistry.crr", "x")};
    for (int i = 0; i < 3; ++i) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_bLinked = TRUE;
        q->m_csCorraFile = banks[i % 2];
    }
    exam.m_csTitle1 = "Physics 1";
    exam.m_csTitle2 = "Midterm";
    CModalScript script;
    script.On<CCorraPropertiesDlg>([&](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Exam File Properties");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_TITLE_LABEL), "Course Name");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_DESCRIPTION_LABEL), "Exam Title");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS_LABEL), "Forms:");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_QUESTIONS), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS), "0");
        EXPECT_TRUE(Shown(d, IDC_FP_LINKS));
        EXPECT_TRUE(Shown(d, IDC_FP_LINKS_LABEL));
        EXPECT_FALSE(Shown(d, IDC_FP_CORRA_ID));
        EXPECT_FALSE(Shown(d, IDC_FP_CORRA_ID_LABEL));
        auto* list = d.GetDlgItemAs<CHVListCtrl>(IDC_FP_LINKS);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->GetItemCount(), 2);
        EXPECT_GE(list->FindItemByPath(banks[0]), 0);
        EXPECT_GE(list->FindItemByPath(banks[1]), 0);
        // The brace check speaks of the exam's own label.
        d.GetDlgItemAs<QLineEdit>(IDC_FP_TITLE)->setText("Physics {1}");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.GetDlgItemAs<QLineEdit>(IDC_FP_TITLE)->setText("Physics 2");
        ClickDlgButton(d, IDOK);
    });
    exam.OnCmdMsg(ID_EXAM_PROPERTIES, CN_COMMAND, nullptr);
    EXPECT_EQ(script.Answered(), 1);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Course Name cannot contain \"{\" or \"}\".");
    EXPECT_EQ(exam.m_csTitle1, "Physics 2");
}

} // namespace

namespace {

TEST_F(FilePropertiesTest, AnExamLinkedToManyBanksListsThoseThatAreThere)
{
    CExamDoc exam;
    CExamQuestionDialogs examDialogs;
    CServiceScope<IExamDialogs> examInstalled{ExamDialogsSlot(), examDialogs};
    fsys::CreateDirectories(HomePath("QCorras"));
    for (int i = 0; i < 500; ++i) {
        const CString name = CString::Formatted("QCorras/Bank %03d.crr", i);
        // Every fiftieth bank has gone.
        const CString path = i % 50 == 7 ? HomePath(name) : WriteHomeFile(name, "x");
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_bLinked = TRUE;
        q->m_csCorraFile = path;
    }
    CModalScript script;
    script.On<CCorraPropertiesDlg>([](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetDlgItemAs<CHVListCtrl>(IDC_FP_LINKS)->GetItemCount(), 490);
        ClickDlgButton(d, IDCANCEL);
    });
    exam.ShowFileProperties();
    EXPECT_EQ(script.Answered(), 1);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    const CString& said = messageBox.calls[0].text;
    EXPECT_NE(said.Find("Bank 007.crr\nBank 057.crr"), -1);
    EXPECT_NE(said.Find("Bank 457.crr"), -1);
    EXPECT_EQ(said.Find("Bank 008.crr"), -1);
}

} // namespace
