#include "model/CorraDoc.h"

#include "foundation/EncryptedArchive.h"
#include "model/CorraHeader.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "platform/core/FileSys.h"
#include "controls/OldProgressDlg.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QMetaObject>

#include <thread>
#include <vector>

namespace {

// A document whose first view records the messages posted to it.
class CRecordingDoc : public CCorraDoc {
public:
    BOOL PostViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        posted.push_back({message, wParam});
        return TRUE;
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& p : posted)
            n += p.first == message;
        return n;
    }
    std::vector<std::pair<UINT, WPARAM>> posted;
};

class CorraDocFileTest : public CorraTest {
protected:
    void TearDown() override
    {
        CCorraDoc::SuppressAutoSave(FALSE);
        CorraTest::TearDown();
    }

    CString Save(CCorraDoc& doc, const char* name)
    {
        CString path = HomePath(name);
        EXPECT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
        return path;
    }
    std::string Plain(CCorraDoc& doc)
    {
        CEncryptedArchive out("", TRUE);
        doc.WriteBody(out, nullptr);
        return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
    }
};

void FillSample(CCorraDoc& doc)
{
    doc.m_csTitle1 = "Introduction to the chemistry of living things, second term, with laboratory work";
    doc.m_csTitle2 = "Midterm  examination";
    doc.m_csInstructions = "{\\rtf1\\ansi Answer [all] questions \\{in ink\\}.\\par\r\n}";
    doc.m_csCorraId = "CID_10_20";
    CGroup a;
    a.m_nId = 5;
    a.m_csName = "Part A";
    a.m_csText = "{\\rtf1 Read carefully\\par\r\n}";
    a.m_dwFlags = 0x70707;
    doc.AddNewGroup(a);
    CGroup b;
    b.m_nId = 6;
    b.m_csName = "Part B";
    doc.AddNewGroup(b);
}

TEST_F(CorraDocFileTest, WriteThenReadGivesTheSameContent)
{
    CRecordingDoc doc;
    FillSample(doc);
    CString path = Save(doc, "bank.crr");

    CRecordingDoc back;
    EXPECT_EQ(back.ReadCorraDoc(path), CCorraDoc::readComplete);
    EXPECT_EQ(back.m_csTitle1, doc.m_csTitle1);
    EXPECT_EQ(back.m_csTitle2, doc.m_csTitle2);
    EXPECT_EQ(back.m_csInstructions, doc.m_csInstructions);
    EXPECT_EQ(back.m_csCorraId, "CID_10_20");
    ASSERT_EQ(back.m_plGroups.GetCount(), 2);
    const CGroup* first = back.FindGroupById(5);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_csName, "Part A");
    EXPECT_EQ(first->m_csText, "{\\rtf1 Read carefully\\par\r\n}");
    EXPECT_EQ(first->m_dwFlags, 0x70707u);
    // An enciphered, complete and clean file with its id needs no saving.
    EXPECT_EQ(back.Count(WM_CORRA_RESAVE), 0);
    EXPECT_FALSE(back.IsModified());
    EXPECT_TRUE(messageBox.calls.empty());

    // Titles stay as they are through any number of cycles.
    for (int cycle = 0; cycle < 5; ++cycle) {
        CRecordingDoc again;
        ASSERT_EQ(again.ReadCorraDoc(path), CCorraDoc::readComplete);
        EXPECT_EQ(again.m_csTitle1, doc.m_csTitle1);
        EXPECT_EQ(again.m_csTitle2, doc.m_csTitle2);
        Save(again, "bank.crr");
    }
}

TEST_F(CorraDocFileTest, LongTitlesAreWrappedOnWriting)
{
    CRecordingDoc doc;
    FillSample(doc);
    std::string text = Plain(doc);
    size_t start = text.find("TITLE1: { \r\n") + 12;
    size_t end = text.find("}\r\n", start);
    std::string block = text.substr(start, end - start);
    EXPECT_NE(block.find("\r\n"), std::string::npos);
    for (size_t pos = 0; pos < block.size();) {
        size_t eol = block.find("\r\n", pos);
        if (eol == std::string::npos)
            eol = block.size();
        EXPECT_LE(eol - pos, 60u);
        pos = eol + 2;
    }
}

TEST_F(CorraDocFileTest, WhenTheFileIsSavedAgainByItself)
{
    CRecordingDoc source;
    FillSample(source);
    std::string text = Plain(source);

    struct Case {
        const char* name;
        std::string content;
        bool enciphered;
        CCorraDoc::ReadOutcome outcome;
        int saves;
        bool warned;
    };
    std::string noId = text;
    noId.replace(noId.find("CORRAID: {CID_10_20}"), 20, "CORRAID: {}");
    std::string noLineEnd = text.substr(0, text.find_last_not_of("\r\n") + 1);
    const Case cases[] = {
        {"plain file", text, false, CCorraDoc::readComplete, 1, false},
        {"no id", noId, true, CCorraDoc::readComplete, 1, false},
        {"no line end after the last record", noLineEnd, true, CCorraDoc::readComplete, 0, false},
        {"trailing unknown text", text + "STRAY words\r\n", true, CCorraDoc::readUnknownText, 0, true},
        {"plain with trailing unknown text", text + "STRAY\r\n", false, CCorraDoc::readUnknownText, 0, true},
        {"no header", text.substr(text.find("TITLE1: { ")), false, CCorraDoc::readComplete, 0, true},
        {"malformed header", "BEGIN HEADER COUNT: x END HEADER\r\n" + text.substr(text.find("TITLE1: { ")), false,
         CCorraDoc::readUnknownText, 0, true},
        {"malformed group", text + "BEGIN GROUP ID: x END GROUP\r\n", true, CCorraDoc::readFailed, 0, true},
        {"empty text", "\r\n", false, CCorraDoc::readComplete, 0, true},
    };
    for (const Case& c : cases) {
        CString path = HomePath("case.crr");
        if (c.enciphered) {
            CEncryptedArchive out(path, TRUE);
            out.GrowBuffer(c.content.data(), static_cast<long>(c.content.size()));
            ASSERT_TRUE(out.Commit());
        } else {
            ASSERT_TRUE(fsys::WriteFile(path, c.content.data(), c.content.size()));
        }
        std::string before;
        fsys::ReadFile(path, before);
        CRecordingDoc doc;
        EXPECT_EQ(doc.ReadCorraDoc(path), c.outcome) << c.name;
        EXPECT_EQ(doc.Count(WM_CORRA_RESAVE), c.saves) << c.name;
        EXPECT_EQ(doc.Count(0x0111), c.outcome == CCorraDoc::readFailed ? 1 : 0) << c.name;
        EXPECT_FALSE(doc.IsModified()) << c.name;
        std::string after;
        fsys::ReadFile(path, after);
        EXPECT_EQ(after, before) << c.name;
        // Whatever went wrong was said.
        EXPECT_EQ(!messageBox.calls.empty(), c.warned) << c.name;
        messageBox.calls.clear();
    }
}

TEST_F(CorraDocFileTest, ErrorTextsOfTheReader)
{
    CRecordingDoc source;
    FillSample(source);
    std::string text = Plain(source);
    CString path = WriteHomeFile("bad.crr", text + "BEGIN GROUP ID: 77 NAME: {x}\r\n");
    // Help with the file is offered after a failed read, and only then.
    CFakeDocumentDialogs offers;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), offers);
    CRecordingDoc doc;
    doc.SetPathName(path);
    EXPECT_EQ(doc.ReadCorraDoc(path), CCorraDoc::readFailed);
    EXPECT_EQ(offers.offered, std::vector<CString>{path});
    ASSERT_GE(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].caption, "Read Error");
    EXPECT_EQ(messageBox.calls[0].text.Left(13), "Syntax error\n");
    EXPECT_NE(messageBox.calls[0].text.Find("Error occured while reading file " + path), -1);
    EXPECT_EQ(messageBox.calls[1].text, "Failed to open file " + path);
    // The groups before the bad record stay.
    EXPECT_EQ(doc.m_plGroups.GetCount(), 2);

    messageBox.calls.clear();
    CString unknown = WriteHomeFile("unknown.crr", text + "WHATEVER\r\n");
    CRecordingDoc other;
    other.SetPathName(unknown);
    EXPECT_EQ(other.ReadCorraDoc(unknown), CCorraDoc::readUnknownText);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].caption, "Read Error");
    EXPECT_EQ(messageBox.calls[0].text.Left(15), "Unknown text \n\n");
    EXPECT_EQ(offers.offered.size(), 1u);
}

TEST_F(CorraDocFileTest, TheFrameworkOpensAndSavesThroughTheReaderAndWriter)
{
    CRecordingDoc doc;
    doc.m_bAutoDelete = FALSE;
    FillSample(doc);
    doc.SetModifiedFlag(TRUE);
    CString path = HomePath("bank.crr");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());

    CRecordingDoc opened;
    opened.m_bAutoDelete = FALSE;
    ASSERT_TRUE(opened.OnOpenDocument(path));
    EXPECT_EQ(opened.m_csTitle1, doc.m_csTitle1);
    EXPECT_EQ(opened.m_plGroups.GetCount(), 2);

    // A failed save is said once and leaves the document modified.
    opened.SetModifiedFlag(TRUE);
    EXPECT_FALSE(opened.OnSaveDocument(HomePath("no/such/folder/bank.crr")));
    EXPECT_TRUE(opened.IsModified());
    EXPECT_EQ(messageBox.calls.size(), 1u);

    // A file that cannot be read at all does not open.
    CRecordingDoc missing;
    missing.m_bAutoDelete = FALSE;
    EXPECT_FALSE(missing.OnOpenDocument(HomePath("missing.crr")));
}

TEST_F(CorraDocFileTest, UnreadableFilesReadNothing)
{
    CRecordingDoc missing;
    EXPECT_EQ(missing.ReadCorraDoc(HomePath("missing.crr")), CCorraDoc::readUnreadable);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text.Left(20), "Failed to read file.");
    EXPECT_TRUE(missing.posted.empty());
}

TEST_F(CorraDocFileTest, ADamagedEncipheredFileIsNotSavedOver)
{
    CRecordingDoc doc;
    FillSample(doc);
    doc.m_csCorraId.Empty();
    CString path = Save(doc, "bank.crr");
    std::string bytes;
    fsys::ReadFile(path, bytes);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x04);
    fsys::WriteFile(path, bytes.data(), bytes.size());

    CRecordingDoc back;
    back.ReadCorraDoc(path);
    EXPECT_EQ(back.Count(WM_CORRA_RESAVE), 0);
    EXPECT_FALSE(messageBox.calls.empty());
    std::string after;
    fsys::ReadFile(path, after);
    EXPECT_EQ(after, bytes);
}

TEST_F(CorraDocFileTest, SuppressedAutoSaveStillGivesAnId)
{
    CRecordingDoc source;
    FillSample(source);
    std::string text = Plain(source);
    text.replace(text.find("CORRAID: {CID_10_20}"), 20, "CORRAID: {}");
    CString path = WriteHomeFile("plain.crr", text);
    CCorraDoc::SuppressAutoSave(TRUE);
    CRecordingDoc doc;
    EXPECT_EQ(doc.ReadCorraDoc(path), CCorraDoc::readComplete);
    EXPECT_EQ(doc.Count(WM_CORRA_RESAVE), 0);
    EXPECT_EQ(doc.m_csCorraId.Left(4), "CID_");
}

TEST_F(CorraDocFileTest, AFailedSaveIsReported)
{
    CRecordingDoc doc;
    FillSample(doc);
    EXPECT_EQ(doc.WriteCorraDoc(HomePath("no/such/folder/bank.crr")), CCorraDoc::writeFailed);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text.Left(17), "Failed to save fi");
}

TEST_F(CorraDocFileTest, NothingElseMayCloseOrSaveWhileReading)
{
    CRecordingDoc doc;
    FillSample(doc);
    CString path = Save(doc, "bank.crr");
    CRecordingDoc back;
    back.m_bAutoDelete = FALSE;
    BOOL busyInside = FALSE;
    BOOL mayClose = TRUE;
    BOOL maySave = TRUE;
    // An event that runs while the progress box pumps finds the document busy: it can neither
    // be closed nor saved meanwhile.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            busyInside = back.IsBusy();
            mayClose = back.SaveModified() && back.CanCloseFrame(nullptr);
            maySave = back.DoSave(HomePath("elsewhere.crr"));
            back.OnCloseDocument();
        },
        Qt::QueuedConnection);
    EXPECT_EQ(back.ReadCorraDoc(path), CCorraDoc::readComplete);
    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(mayClose);
    EXPECT_FALSE(maySave);
    EXPECT_FALSE(fsys::Exists(HomePath("elsewhere.crr")));
    EXPECT_EQ(back.m_plGroups.GetCount(), 2);
    EXPECT_FALSE(back.IsBusy());
    EXPECT_TRUE(back.SaveModified());

    // Without a header no box is shown, and no event runs in the middle of the read.
    std::string text;
    {
        CEncryptedArchive in(path, FALSE);
        text = in.GetText(TRUE, TRUE, 5);
    }
    CString headerless = WriteHomeFile("headerless.crr", text.substr(text.find("TITLE1: { ")));
    BOOL ranInside = FALSE;
    CRecordingDoc third;
    QMetaObject::invokeMethod(qApp, [&] { ranInside = third.IsBusy() ? TRUE : 2; }, Qt::QueuedConnection);
    third.ReadCorraDoc(headerless);
    EXPECT_FALSE(ranInside);
    QCoreApplication::processEvents();
    EXPECT_EQ(ranInside, 2);
}

TEST_F(CorraDocFileTest, DocumentsReadAndWriteOnOtherThreads)
{
    CRecordingDoc doc;
    FillSample(doc);
    CString path = Save(doc, "bank.crr");
    // Off the user-interface thread there is no progress box and no one to show a message to.
    CCorraDoc::ReadOutcome outcomes[3] = {};
    CCorraDoc::WriteOutcome written[3] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&, i] {
            CRecordingDoc back;
            outcomes[i] = back.ReadCorraDoc(path);
            written[i] = back.WriteCorraDoc(HomePath(CString::Formatted("copy%d.crr", i)));
        });
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(outcomes[i], CCorraDoc::readComplete);
        EXPECT_EQ(written[i], CCorraDoc::writeDone);
        CRecordingDoc copy;
        EXPECT_EQ(copy.ReadCorraDoc(HomePath(CString::Formatted("copy%d.crr", i))), CCorraDoc::readComplete);
        EXPECT_EQ(copy.m_csTitle1, doc.m_csTitle1);
    }
}

// Presses Cancel on the progress box as soon as it takes events.
void CancelTheProgressBox()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            if (auto* dlg = dynamic_cast<COldProgressDlg*>(QApplication::activeModalWidget()))
                ClickDlgButton(*dlg, IDCANCEL);
        },
        Qt::QueuedConnection);
}

TEST_F(CorraDocFileTest, ACancelledReadKeepsWhatWasReadAndIsNotSaved)
{
    CRecordingDoc doc;
    FillSample(doc);
    for (int i = 0; i < 400; ++i) {
        CGroup group;
        group.m_nId = 1000 + i;
        doc.AddNewGroup(group);
    }
    std::string text = Plain(doc);
    CString path = WriteHomeFile("plain.crr", text);
    CRecordingDoc back;
    CancelTheProgressBox();
    EXPECT_EQ(back.ReadCorraDoc(path), CCorraDoc::readCancelled);
    EXPECT_EQ(back.m_csTitle1, doc.m_csTitle1);
    EXPECT_LT(back.m_plGroups.GetCount(), 402);
    // A plain file would be saved again after a full read; a cancelled one is not.
    EXPECT_EQ(back.Count(WM_CORRA_RESAVE), 0);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("cancelled"), -1);
}

// Writes a stand-in record for each entry of its question list.
// Many questions, each written as one short line.
class CFakeQuestionsDoc : public CRecordingDoc {
public:
    explicit CFakeQuestionsDoc(int count)
    {
        for (int id = 1; id <= count; ++id) {
            auto* question = new CCorraQuestion;
            question->m_nId = id;
            InsertQuestion(question);
        }
    }
    void WriteQuestionRecord(CEncryptedArchive& out, void*) override { out.GrowBuffer("QUESTION RECORD\r\n"); }
};

TEST_F(CorraDocFileTest, ACancelledSaveLeavesTheOldFileAsItWas)
{
    CRecordingDoc old;
    FillSample(old);
    CString path = Save(old, "bank.crr");
    std::string before;
    fsys::ReadFile(path, before);

    CFakeQuestionsDoc doc(3000);
    CancelTheProgressBox();
    EXPECT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeCancelled);
    std::string after;
    fsys::ReadFile(path, after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(messageBox.calls.empty());

    // Uncancelled, the same document is written whole.
    EXPECT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
    CEncryptedArchive in(path, FALSE);
    std::string text = in.GetText(TRUE, TRUE, 5);
    size_t records = 0;
    for (size_t at = text.find("QUESTION RECORD"); at != std::string::npos; at = text.find("QUESTION RECORD", at + 1))
        ++records;
    EXPECT_EQ(records, 3000u);
}

} // namespace
