// The document with questions: the sample bank, write and read cycles, the repairs after reading.

#include "model/CorraDoc.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/StringArrayEx.h"
#include "model/CorraHeader.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/ImageData.h"
#include "model/SampleBank.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <set>

namespace {

class CBankDoc : public CCorraDoc {
public:
    CBankDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT message, WPARAM, LPARAM) override
    {
        saves += message == WM_CORRA_RESAVE;
        return TRUE;
    }
    int saves = 0;
};

class CorraDocBankTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        // The program's image folder holds the sample's picture, as after the first start.
        fsys::CreateDirectories(HomePath("Images"));
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Images/cell.png"), HomePath("Images/cell.png"), FALSE));
        m_bank = HomePath("Biology.crr");
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), m_bank, FALSE));
    }
    static std::string Text(CCorraDoc& doc)
    {
        CEncryptedArchive out("", TRUE);
        doc.WriteBody(out, nullptr);
        return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
    }
    static CString WriteEnciphered(const CString& path, const std::string& text)
    {
        CEncryptedArchive out(path, TRUE);
        out.GrowBuffer(text.data(), static_cast<long>(text.size()));
        EXPECT_TRUE(out.Commit());
        return path;
    }
    CString m_bank;
};

TEST_F(CorraDocBankTest, TheSampleBankHoldsEveryKindOfContent)
{
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(m_bank), CCorraDoc::readComplete);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_TRUE(doc.m_csInvalidQuestions.IsEmpty()) << doc.m_csInvalidQuestions;
    EXPECT_EQ(doc.saves, 1);  // a plain file is saved again in the enciphered form
    EXPECT_EQ(doc.m_csCorraId, "CID_412_77");
    EXPECT_EQ(doc.m_csTitle1, "Sample Bank: Cells and Living Things");
    EXPECT_NE(doc.m_csInstructions.Find("{\\b in ink}"), -1);
    EXPECT_EQ(doc.m_plGroups.GetCount(), 2);

    std::set<int> types;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;)
        types.insert(static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos))->m_nType);
    for (UINT type : {IDS_QTYPE_MC, IDS_QTYPE_ES, IDS_QTYPE_MA, IDS_QTYPE_FI, IDS_QTYPE_UN, IDS_QTYPE_CO, IDS_QTYPE_SA,
                      IDS_QTYPE_TF})
        EXPECT_TRUE(types.count(static_cast<int>(type))) << type;

    CCorraQuestion* midterm = doc.FindCollection("Midterm");
    ASSERT_NE(midterm, nullptr);
    CPtrListEx members;
    EXPECT_EQ(GetCollectionQuestions(midterm, members), 4);
    EXPECT_EQ(doc.GetCollectionCount(), 2);
    CPtrListEx images;
    EXPECT_EQ(doc.FindQuestionById(101)->GetImages(images), 1);

    CCorraHeader header;
    doc.FillHeader(header);
    EXPECT_EQ(header.m_asImageFiles.size(), 1u);
    EXPECT_EQ(header.m_nNumCollections, 2);
    EXPECT_EQ(header.m_nCount, 11);
    CPtrListEx invalid;
    CString summary;
    EXPECT_TRUE(doc.FindInvalidQuestions(invalid, summary)) << summary;

    EXPECT_EQ(doc.GetStatisticsTotal(), 9);
    EXPECT_EQ(doc.GetStatisticsLastTotal(), 0);
    EXPECT_EQ(doc.GetStatisticsTotal("midterm"), 4);
    CStringArrayEx subjects;
    EXPECT_EQ(doc.CollectSubjects(subjects), 3);
}

TEST_F(CorraDocBankTest, WriteThenReadGivesTheSameText)
{
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(m_bank), CCorraDoc::readComplete);
    const std::string first = Text(doc);
    CString path = HomePath("copy.crr");
    ASSERT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
    CBankDoc back;
    ASSERT_EQ(back.ReadCorraDoc(path), CCorraDoc::readComplete);
    EXPECT_EQ(back.saves, 0);  // enciphered, complete, with its id
    EXPECT_EQ(Text(back), first);
    // The header's image list reads back what was written.
    CCorraHeader header;
    ASSERT_TRUE(header.GetCorraHeaderInfo(path));
    ASSERT_EQ(header.m_asImageFiles.size(), 1u);
    EXPECT_EQ(fsys::FileName(header.m_asImageFiles[0]), "cell.png");
    EXPECT_EQ(header.m_asCollections, (std::vector<CString>{"Midterm", "Review"}));
}

// A bank as the rich-edit control writes it: choices in RTF with a font table and paragraph
// marks, one choice bold; and one whose labels run out of sequence, which no parse takes.
CString WriteRichBank(const CString& path)
{
    const CString header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
                           "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ";
    CBankDoc doc;
    doc.m_csTitle1 = "Rich";
    doc.m_csCorraId = "CID_7_8";
    for (int i = 1; i <= 6; ++i) {
        auto* q = new CCorraQuestion;
        q->m_nId = i;
        q->m_nIndex = i;
        q->m_nType = static_cast<int>(i % 2 ? IDS_QTYPE_MC : IDS_QTYPE_TF);
        q->m_cszQuestionText = header + CString::Formatted("Question {\\b %d}?\\par\r\n}\r\n", i);
        if (i == 6) {
            q->m_cszChoicesText = header + "a. One\\par\r\nb. Two\\par\r\na. Three\\par\r\n}";
        } else if (i % 2) {
            EXPECT_TRUE(q->SetChoices(header + "\\par a. The {\\b first}\\tab\\par\r\nb. The second\\par\r\n"
                                               "c. The third\\par\r\n}"));
        } else {
            EXPECT_TRUE(q->SetChoices(header + "a. True\\par\r\nb. False\\par\r\n}"));
        }
        q->m_cszAnswer = "a";
        doc.InsertQuestion(q);
    }
    EXPECT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
    return path;
}

TEST_F(CorraDocBankTest, ChoicesReadAndWrittenStayByteForByteWhetherLookedAtOrNot)
{
    for (const CString& bank : {m_bank, WriteRichBank(HomePath("rich.crr"))}) {
        std::string written[2];
        for (int look = 0; look < 2; ++look) {
            CBankDoc doc;
            ASSERT_EQ(doc.ReadCorraDoc(bank), CCorraDoc::readComplete) << bank.GetString();
            if (look) {
                for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
                    auto* q = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
                    for (int i = 0; i < q->GetChoicesCount(); ++i)
                        EXPECT_FALSE(q->GetChoice(i, FALSE).IsEmpty());
                    CString html;
                    q->GetChoicesText(html, 0, CHO_RTF | CHO_HTML);
                }
            }
            written[look] = Text(doc);
        }
        EXPECT_EQ(written[1], written[0]) << bank.GetString();
        // And what was written reads back to the same text.
        CBankDoc again;
        ASSERT_EQ(again.ReadCorraDoc(WriteEnciphered(HomePath("again.crr"), written[0])), CCorraDoc::readComplete);
        EXPECT_EQ(Text(again), written[0]) << bank.GetString();
    }
}

TEST_F(CorraDocBankTest, RichChoicesReadTidyAndAMalformedOneIsReportedInTheRead)
{
    const CString bank = WriteRichBank(HomePath("rich.crr"));
    ResetLogging();
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(bank), CCorraDoc::readComplete);
    // Reported as the read meets it, before anything asks for the choices.
    EXPECT_GE(GetLogBuffer().Find("CChoices::SetChoices(a, .) - failed to find choies..."), 0);
    CCorraQuestion* bad = doc.FindQuestionById(6);
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(bad->GetChoicesCount(), 0);
    EXPECT_NE(Text(doc).find("a. One\\par\r\nb. Two\\par\r\na. Three\\par\r\n]"), std::string::npos);

    // The others read as the eager parse reads them, paragraph marks around the texts gone.
    CCorraQuestion* mc = doc.FindQuestionById(1);
    ASSERT_NE(mc, nullptr);
    CChoices eager;
    CString stored;
    ASSERT_TRUE(mc->m_Choices.GetStoredText(stored));
    ASSERT_TRUE(eager.SetChoices(stored, '*', '*', nullptr, CHP_RTF_AS_PLAIN | CHP_NUMBERED_PAIRS));
    ASSERT_EQ(mc->GetChoicesCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(mc->GetChoice(i, FALSE), eager.GetChoiceText(i)) << i;
    EXPECT_EQ(mc->GetChoice(0, FALSE), "The {\\b first}");
    EXPECT_EQ(mc->m_Choices.GetRtfHeader(), eager.m_csRtfHeader);
    CString viaLazy, viaEager;
    mc->m_Choices.GetText(viaLazy, 0, CHO_RTF);
    eager.GetText(viaEager, 0, CHO_RTF);
    EXPECT_EQ(viaLazy, viaEager);

    // A change writes the choices anew.
    mc->SetChoiceCase('A');
    EXPECT_FALSE(mc->m_Choices.GetStoredText(stored));
    EXPECT_NE(Text(doc).find("A. The [\\b first]"), std::string::npos);
}

TEST_F(CorraDocBankTest, APictureGoneFromWhereItWasIsFoundInTheImageFolderOfTheRead)
{
    // Pictures named by the bank: one kept elsewhere, one moved from elsewhere into the image
    // folder, one in the image folder.
    const CString elsewhere = HomePath("Elsewhere");
    fsys::CreateDirectories(elsewhere);
    const CString kept = fsys::Join(elsewhere, "kept.png");
    const CString moved = fsys::Join(elsewhere, "moved.png");
    for (const CString& path : {kept, moved})
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Images/cell.png"), path, FALSE));
    const CString path = HomePath("pictures.crr");
    {
        CBankDoc doc;
        const CString images[] = {kept, moved, HomePath("Images/cell.png")};
        for (int i = 0; i < 3; ++i) {
            auto* q = new CCorraQuestion;
            q->m_nId = 1 + i;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = "Which one?";
            q->AddImage(images[i], IP_TOP, 0, 20.0, 0.0);
            doc.InsertQuestion(q);
        }
        ASSERT_EQ(doc.WriteCorraDoc(path), CCorraDoc::writeDone);
    }
    ASSERT_TRUE(fsys::CopyFile(moved, HomePath("Images/moved.png"), FALSE));
    ASSERT_TRUE(fsys::DeleteFile(moved));
    // A second image folder that also holds the moved picture: the read after the setting
    // changed looks there, not in the folder an earlier read found.
    const CString pictures = HomePath("Pictures");
    fsys::CreateDirectories(pictures);
    ASSERT_TRUE(fsys::CopyFile(HomePath("Images/moved.png"), fsys::Join(pictures, "moved.png"), FALSE));

    auto imageOf = [](CCorraDoc& doc, int id) {
        CPtrListEx images;
        CCorraQuestion* q = doc.FindQuestionById(id);
        return q && q->GetImages(images) == 1 ? static_cast<CImageData*>(images.GetHead())->m_csFile : CString();
    };
    const struct {
        const char* folder;
        CString moved;
    } reads[] = {{"Images", HomePath("Images/moved.png")}, {"Pictures", fsys::Join(pictures, "moved.png")}};
    for (const auto& r : reads) {
        ASSERT_TRUE(CorraApp().WriteProfilePath("Folders", "Images_Primary", HomePath(r.folder)));
        CBankDoc doc;
        ASSERT_EQ(doc.ReadCorraDoc(path), CCorraDoc::readComplete) << r.folder;
        EXPECT_EQ(imageOf(doc, 1), kept) << r.folder;
        EXPECT_EQ(imageOf(doc, 2), r.moved) << r.folder;
        EXPECT_EQ(fsys::FileName(imageOf(doc, 3)), "cell.png") << r.folder;
    }
}

TEST_F(CorraDocBankTest, AnEditMadeThroughTheDocumentIsSavedAndReadBack)
{
    CBankDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_bank));
    EXPECT_FALSE(doc.IsModified());

    auto* added = new CCorraQuestion;
    added->m_nId = 103;  // taken: the question gets a new ID
    added->m_nType = static_cast<int>(IDS_QTYPE_SA);
    added->m_cszQuestionText = "What do red blood cells carry?";
    added->m_cszAnswer = "Oxygen";
    doc.InsertQuestion(added, "Review");
    const int newId = added->m_nId;
    EXPECT_NE(newId, 103);
    CPtrListEx gone;
    gone.AddTail(doc.FindQuestionById(106));
    ASSERT_TRUE(doc.DeleteQuestionsUndoable(nullptr, gone, "Delete"));
    doc.m_csTitle2 = "Biology, second term";
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.DoSave(doc.GetPathName()));
    EXPECT_FALSE(doc.IsModified());

    CBankDoc back;
    ASSERT_TRUE(back.OnOpenDocument(m_bank));
    EXPECT_EQ(back.m_csTitle2, "Biology, second term");
    EXPECT_EQ(back.FindQuestionById(106), nullptr);
    ASSERT_NE(back.FindQuestionById(newId), nullptr);
    EXPECT_EQ(back.FindQuestionById(newId)->m_cszQuestionText, "What do red blood cells carry?");
    CDWordArray ids;
    back.FindCollection("Review")->GetQuestIds(ids);
    EXPECT_EQ(std::vector<DWORD>(ids.begin(), ids.end()), (std::vector<DWORD>{103, 109, static_cast<DWORD>(newId)}));
}

TEST_F(CorraDocBankTest, RepairsAfterReadingAskForOneSave)
{
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(m_bank), CCorraDoc::readComplete);
    const std::string text = Text(doc);

    // A collection listing another collection (and a member that names no question).
    std::string nested = text;
    size_t at = nested.find("3.   107");
    ASSERT_NE(at, std::string::npos);
    nested.insert(at + 8, "\r\n4.   111\r\n5.   999");
    CBankDoc repaired;
    ASSERT_EQ(repaired.ReadCorraDoc(WriteEnciphered(HomePath("nested.crr"), nested)), CCorraDoc::readComplete);
    EXPECT_EQ(repaired.saves, 1);
    CDWordArray ids;
    repaired.FindCollection("Midterm")->GetQuestIds(ids);
    EXPECT_EQ(std::vector<DWORD>(ids.begin(), ids.end()), (std::vector<DWORD>{101, 102, 105, 107, 999}));

    // A member naming no question alone is only logged: nothing to save.
    std::string dangling = text;
    dangling.insert(dangling.find("3.   107") + 8, "\r\n4.   999");
    CBankDoc kept;
    ASSERT_EQ(kept.ReadCorraDoc(WriteEnciphered(HomePath("dangling.crr"), dangling)), CCorraDoc::readComplete);
    EXPECT_EQ(kept.saves, 0);
    EXPECT_EQ(kept.FindCollection("Midterm")->GetChoicesCount(), 5);

    // A collection listed after a member that names no question is found all the same.
    std::string behind = text;
    behind.insert(behind.find("3.   107") + 8, "\r\n4.   999\r\n5.   111");
    CBankDoc cleaned;
    ASSERT_EQ(cleaned.ReadCorraDoc(WriteEnciphered(HomePath("behind.crr"), behind)), CCorraDoc::readComplete);
    EXPECT_EQ(cleaned.saves, 1);
    cleaned.FindCollection("Midterm")->GetQuestIds(ids);
    EXPECT_EQ(std::vector<DWORD>(ids.begin(), ids.end()), (std::vector<DWORD>{101, 102, 105, 107, 999}));

    // Trailing text no reader knows: no save, the questions before it kept.
    CBankDoc stray;
    EXPECT_EQ(stray.ReadCorraDoc(WriteEnciphered(HomePath("stray.crr"), text + "STRAY words\r\n")),
              CCorraDoc::readUnknownText);
    EXPECT_EQ(stray.saves, 0);
    EXPECT_EQ(stray.GetQuestionCount(), 11);
}

TEST_F(CorraDocBankTest, QuestionsMissingFieldsAreNamedAfterReading)
{
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(m_bank, text));
    size_t at = text.find("LEVEL:2\r\nINDEX:6");
    ASSERT_NE(at, std::string::npos);
    text.erase(at, 9);
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(WriteEnciphered(HomePath("missing.crr"), text)), CCorraDoc::readComplete);
    EXPECT_EQ(doc.m_csInvalidQuestions, "Question ID 106: level");
    EXPECT_EQ(doc.GetQuestionCount(), 11);

    // The same question under an ID another one has: named by the fresh ID it was given.
    size_t id = text.find("ID: 106");
    ASSERT_NE(id, std::string::npos);
    text.replace(id, 7, "ID: 105");
    CBankDoc taken;
    ASSERT_EQ(taken.ReadCorraDoc(WriteEnciphered(HomePath("taken.crr"), text)), CCorraDoc::readComplete);
    ASSERT_EQ(taken.GetQuestionCount(), 11);
    const int fresh = static_cast<CCorraQuestion*>(taken.m_plQuestions.GetAt(5))->m_nId;
    EXPECT_NE(fresh, 105);
    EXPECT_EQ(taken.m_csInvalidQuestions, CString::Formatted("Question ID %d: level", fresh));
}

TEST_F(CorraDocBankTest, GroupingByTypeAndOrderingByGroups)
{
    CBankDoc doc;
    ASSERT_EQ(doc.ReadCorraDoc(m_bank), CCorraDoc::readComplete);
    EXPECT_EQ(doc.GroupQuestions(1, TRUE), 7);  // MC TF MA ES SA FI UN
    const CGroup* mc = doc.FindGroupById(static_cast<int>(IDS_QTYPE_MC));
    ASSERT_NE(mc, nullptr);
    EXPECT_EQ(mc->m_csName, "MC");
    EXPECT_EQ(mc->m_nMemberCount, 3);
    // A member naming no question stays in its collection.
    doc.FindCollection("Midterm")->InsertQuestId(0, 999);
    doc.ApplyGroupOrder(nullptr, TRUE, TRUE);
    std::vector<int> order;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;)
        order.push_back(static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos))->m_nId);
    // The groups in the order they were made (by first member), collections last.
    EXPECT_EQ(order, (std::vector<int>{101, 103, 109, 102, 104, 105, 106, 107, 108, 110, 111}));
    CDWordArray ids;
    doc.FindCollection("Midterm")->GetQuestIds(ids);
    EXPECT_EQ(std::vector<DWORD>(ids.begin(), ids.end()), (std::vector<DWORD>{101, 102, 105, 107, 999}));

    // Header questions of the groups that print their text above their questions.
    CGroup* es = doc.FindGroupById(static_cast<int>(IDS_QTYPE_ES));
    es->m_dwFlags |= GROUP_USES_HEADER;
    es->m_csText = "Write in full sentences.";
    CPtrListEx headers;
    doc.MakeGroupHeaderQuestions(headers);
    ASSERT_EQ(headers.GetCount(), 1);
    CCorraQuestion* header = es->m_pHeaderQuestion;
    ASSERT_EQ(headers.GetHead(), header);
    EXPECT_EQ(header->m_nType, static_cast<int>(IDS_QTYPE_ES));
    EXPECT_EQ(header->m_nMemberId, es->m_nId);
    EXPECT_EQ(header->m_cszQuestionText, "Write in full sentences.");
    EXPECT_EQ(header->m_dAnswerSize, 0);
    EXPECT_EQ(doc.FindGroupByHeader(header), es);
    headers.RemoveAll();
    doc.MakeGroupHeaderQuestions(headers);
    EXPECT_EQ(headers.GetHead(), header);  // made once, kept by its group

    EXPECT_EQ(doc.UngroupQuestions(static_cast<int>(IDS_QTYPE_MC)), 3);
    doc.DeleteAllGroups();
    EXPECT_TRUE(doc.m_plGroups.IsEmpty());
    EXPECT_EQ(doc.FindQuestionById(105)->m_nMemberId, 0);
}

} // namespace

namespace {

TEST_F(CorraDocBankTest, SubjectsTheMasterListLacksAreOfferedOnce)
{
    const CString master = CCorraDoc::MasterSubjectListPath();
    ASSERT_TRUE(fsys::WriteFile(master, "Cells\r\n", 7));
    richBox.QueueAnswer(IDYES);
    {
        CBankDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_bank));
        ASSERT_EQ(richBox.calls.size(), 1u);
        EXPECT_EQ(richBox.calls[0].title, "New Subjects...");
        EXPECT_EQ(richBox.calls[0].cancel, "More Info");
        EXPECT_NE(richBox.calls[0].pane[1].Find("{Biology}"), -1);
        EXPECT_EQ(richBox.calls[0].pane[1].Find("{Cells}"), -1);
    }
    std::string lines;
    ASSERT_TRUE(fsys::ReadFile(master, lines));
    EXPECT_EQ(lines, "Cells\r\nBiology\r\nEnergy\r\n");

    // Known now: nothing to ask.
    CBankDoc again;
    ASSERT_TRUE(again.OnOpenDocument(m_bank));
    EXPECT_EQ(richBox.calls.size(), 1u);
}

} // namespace

namespace {

using SampleBankTest = CorraTest;

TEST_F(SampleBankTest, AFirstStartPutsTheSamplesWhereTheDocumentsLive)
{
    EXPECT_EQ(InstallSamples(HomePath("no-samples")), 0);
    EXPECT_EQ(InstallSamples(SamplePath("")), 2);
    const CString bank = fsys::Join(CFileTypes::GetDefDir(DT_CORRA), "Biology.crr");
    EXPECT_TRUE(fsys::IsFile(bank));
    EXPECT_TRUE(fsys::IsFile(fsys::Join(CFileTypes::GetPriDir(DT_IMAGE), "cell.png")));
    // The user's copy is theirs from now on.
    ASSERT_TRUE(fsys::WriteFile(bank, "changed", 7));
    EXPECT_EQ(InstallSamples(SamplePath("")), 0);
    std::string text;
    fsys::ReadFile(bank, text);
    EXPECT_EQ(text, "changed");
}

TEST_F(SampleBankTest, TheSamplesAreFoundInTheHomeElseBesideTheProgram)
{
    EXPECT_EQ(SampleFolder(), fsys::Join(fsys::Folder(GetProgramFilePath()), "samples"));
    const CString inHome = fsys::Join(GetProgramHome(), "samples");
    ASSERT_TRUE(fsys::CreateDirectories(inHome));
    EXPECT_EQ(SampleFolder(), inHome);
}

} // namespace
