#include "foundation/TextListFile.h"

#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"

#include <csignal>
#include <sys/resource.h>

namespace {

std::string ReadAll(const CString& path)
{
    std::string s;
    fsys::ReadFile(path, s);
    return s;
}

std::vector<std::string> Lines(const CTextListFile& list)
{
    std::vector<std::string> out;
    for (const CString& cs : list.GetLines())
        out.push_back(cs.str());
    return out;
}

class CScriptedEditFileList : public IEditFileListService {
public:
    int EditFileList(CStringArrayEx& entries, const CString& title, const CString& forbidden) override
    {
        seenTitle = title;
        seenForbidden = forbidden;
        seenCount = entries.GetSize();
        if (result == IDOK)
            entries.Copy(edited);
        else
            entries.Add("changed but cancelled");
        return result;
    }
    int result = IDOK;
    CStringArray edited;
    CString seenTitle;
    CString seenForbidden;
    int seenCount = -1;
};

using TextListFile = CorraTest;

} // namespace

TEST_F(TextListFile, ReadsEntriesAloneKeepingLeadingBlanks)
{
    CString path = WriteHomeFile("Subjects.txt", "Algebra\r\n\r\n   \r\n  Geometry\r\n\t\nPhysics  \nLast");
    CTextListFile list(256);
    ASSERT_TRUE(list.Read(path));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Algebra", "  Geometry", "Physics  ", "Last"}));
    EXPECT_FALSE(list.IsModified());
    EXPECT_EQ(list.GetFileName(), path);

    // A line far longer than the given length stays one entry.
    std::string longLine(1000, 'x');
    CString longPath = WriteHomeFile("Long.txt", longLine + "\r\nshort\r\n");
    CTextListFile small(16);
    ASSERT_TRUE(small.Read(longPath));
    EXPECT_EQ(Lines(small), (std::vector<std::string>{longLine, "short"}));
}

TEST_F(TextListFile, MissingFileLeavesTheListUnchanged)
{
    CString path = WriteHomeFile("Subjects.txt", "Algebra\r\n");
    CTextListFile list(256);
    ASSERT_TRUE(list.Read(path));
    EXPECT_FALSE(list.Read(HomePath("Nope.txt")));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Algebra"}));
    EXPECT_EQ(list.GetFileName(), path);
}

TEST_F(TextListFile, AddRefusesWhatAnEntryContainsAndNothingIsRewritten)
{
    CString path = WriteHomeFile("Subjects.txt", "Mathematics\nPhysics\n");
    {
        CTextListFile list(256);
        ASSERT_TRUE(list.Read(path));
        EXPECT_FALSE(list.Add("math"));
        EXPECT_FALSE(list.Add("PHYSICS"));
        EXPECT_FALSE(list.Add("   "));
        ASSERT_EQ(messageBox.calls.size(), 2u);
        EXPECT_EQ(messageBox.calls[0].text, "Already added: math");
        EXPECT_EQ(messageBox.calls[0].style & MB_TYPEMASK, MB_OK);
        EXPECT_FALSE(list.IsModified());
        EXPECT_TRUE(list.Save());
    }
    EXPECT_EQ(ReadAll(path), "Mathematics\nPhysics\n");
    EXPECT_FALSE(fsys::Exists(HomePath("Subjtemp.txt")));
}

TEST_F(TextListFile, SaveBacksUpAndRewrites)
{
    CString subjects = WriteHomeFile("Data/Subjects.txt", "Algebra\n");
    CString books = WriteHomeFile("Data/Textbooks.txt", "Book One\n");
    CTextListFile subjectList(256), bookList(256);
    ASSERT_TRUE(subjectList.Read(subjects));
    ASSERT_TRUE(bookList.Read(books));
    EXPECT_EQ(subjectList.GetBackupPath(), HomePath("Subjtemp.txt"));
    EXPECT_EQ(bookList.GetBackupPath(), HomePath("Textbookstemp.txt"));

    ASSERT_TRUE(subjectList.Add("Biology"));
    ASSERT_TRUE(bookList.Add("Book Two"));
    ASSERT_TRUE(subjectList.Save());
    ASSERT_TRUE(bookList.Save());
    EXPECT_FALSE(subjectList.IsModified());
    EXPECT_EQ(ReadAll(subjects), "Algebra\r\nBiology\r\n");
    EXPECT_EQ(ReadAll(books), "Book One\r\nBook Two\r\n");
    // Each list keeps its own previous state.
    EXPECT_EQ(ReadAll(HomePath("Subjtemp.txt")), "Algebra\n");
    EXPECT_EQ(ReadAll(HomePath("Textbookstemp.txt")), "Book One\n");

    CTextListFile again(256);
    ASSERT_TRUE(again.Read(subjects));
    EXPECT_EQ(Lines(again), (std::vector<std::string>{"Algebra", "Biology"}));
}

TEST_F(TextListFile, FailedWriteKeepsTheOldFile)
{
    const std::string old = "Algebra\nGeometry\n";
    CString path = WriteHomeFile("Subjects.txt", old);
    CTextListFile list(256);
    ASSERT_TRUE(list.Read(path));
    ASSERT_TRUE(list.Add(std::string(200, 'z').c_str()));

    // A file-size limit above the old text but below the new one makes the write fail.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    BOOL saved_ok = list.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_TRUE(list.IsModified());
    EXPECT_EQ(ReadAll(path), old);
    for (const auto& entry : fsys::ListDirectory(Home()))
        EXPECT_EQ(entry.name.Find(".tmp"), -1) << entry.name.str();
}

TEST_F(TextListFile, EditListThroughTheDialog)
{
    CString path = WriteHomeFile("Subjects.txt", "A\nB\n");
    CTextListFile list(256);
    ASSERT_TRUE(list.Read(path));
    EXPECT_EQ(list.EditList("Subjects", "{}"), IDCANCEL);  // no dialog installed

    CScriptedEditFileList dialog;
    CServiceScope<IEditFileListService> installed(EditFileListSlot(), dialog);
    dialog.result = IDCANCEL;
    EXPECT_EQ(list.EditList(nullptr, nullptr), IDCANCEL);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(list.IsModified());

    dialog.result = IDOK;
    dialog.edited.Add("C");
    dialog.edited.Add("A");
    dialog.edited.Add("D");
    EXPECT_EQ(list.EditList("Edit Subjects", "{},"), 3);
    EXPECT_EQ(dialog.seenTitle, "Edit Subjects");
    EXPECT_EQ(dialog.seenForbidden, "{},");
    EXPECT_EQ(dialog.seenCount, 2);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"C", "A", "D"}));
    EXPECT_TRUE(list.IsModified());
    list.SetKeepFile(TRUE);
}

TEST(TermList, Lookup)
{
    CTermList terms;
    terms.AddTerm("Algebra", 10);
    terms.AddTerm(" Padded ", 20);
    terms.AddTerm("algebra", 30);
    struct Row {
        const char* text;
        BOOL found;
        DWORD value;
    };
    const Row rows[] = {
        {"Algebra", TRUE, 10}, {"ALGEBRA", TRUE, 10}, {"  algebra\t", TRUE, 10},
        {"Padded", FALSE, 0},  {" Padded ", FALSE, 0}, {"Alg", FALSE, 0},
    };
    for (const Row& row : rows) {
        BOOL found = -1;
        EXPECT_EQ(terms.Lookup(row.text, &found), row.value) << row.text;
        EXPECT_EQ(found, row.found) << row.text;
        EXPECT_EQ(terms.Contains(row.text), row.found) << row.text;
    }
    terms.m_bCaseSensitive = TRUE;
    EXPECT_EQ(terms.Lookup("algebra"), 30u);
    EXPECT_FALSE(terms.Contains("ALGEBRA"));
    EXPECT_EQ(terms.Lookup("Algebra", nullptr), 10u);
}
