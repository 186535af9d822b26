// The byte form questions take on the clipboard and in drag and drop: what each class writes
// comes back whole, and bytes that are cut, swollen or scrambled are refused without harm.

#include "model/CorraQuestion.h"
#include "model/ExamQuestion.h"
#include "model/ImageData.h"
#include "model/QuestionList.h"
#include "platform/core/Archive.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using QuestionArchiveTest = CorraTest;

// A question with every field of the form set, values beyond 16 bits among them.
void Fill(CQuestion& q, const CString& imageFile)
{
    q.m_nId = 70000;
    q.m_nIndex = 70001;
    q.m_nType = static_cast<int>(IDS_QTYPE_MC);
    q.m_nLevel = -1;
    q.m_cszQuestionText = "{\\rtf1 Which organelle makes ATP?}";
    q.m_cszChoicesText = "a. Nucleus\nb. Mitochondrion";
    q.m_Choices.Add("a.", "Nucleus");
    q.m_Choices.Add("b.", "Mitochondrion");
    q.m_Choices.m_csRtfHeader = "{\\rtf1\\ansi";
    q.m_cszAnswer = "b";
    q.m_saSubjects.Add("Cells");
    q.m_saSubjects.Add("Energy");
    q.m_saChapters.Add("4");
    q.m_saBooks.Add("Biology Today");
    q.AddImage(imageFile, 2, 40, 0.3, 0.05);
}

void FillCorra(CCorraQuestion& q, const CString& imageFile)
{
    Fill(q, imageFile);
    q.m_nCurrent = 3;
    q.m_nLastTop = -1440;
    q.m_rcLast = CRect(10, -20, 4000, -900);
    q.m_dAnswerSize = 0.125;
    q.m_nMemberId = 66000;
}

void FillExam(CExamQuestion& q, const CString& imageFile)
{
    FillCorra(q, imageFile);
    q.m_bLinked = TRUE;
    q.m_csCorraFile = "C:\\Banks\\Biology, Part 1.crr";
    q.m_nLinkId = 131072;
    q.m_tLinked = CTime(1700000000);
    q.m_bOutOfDate = TRUE;
    q.m_bFileExists = FALSE;
    q.m_nAttributes = EXAM_ATTR_IDENTITY | EXAM_ATTR_FIXED;
    q.m_nFixedPosition = 70;
    q.m_csIdentityName = "CID_412_77";
}

std::vector<BYTE> Stored(CQuestion& q)
{
    CArchive out;
    q.Serialize(out);
    return out.GetData();
}

template <typename Q>
std::unique_ptr<Q> Loaded(const std::vector<BYTE>& bytes)
{
    CArchive in(bytes.data(), bytes.size());
    auto q = std::make_unique<Q>();
    q->Serialize(in);
    EXPECT_TRUE(in.IsBufferEmpty());
    return q;
}

void ExpectBaseFields(const CQuestion& q, const CString& imageFile)
{
    EXPECT_EQ(q.m_nId, 70000);
    EXPECT_EQ(q.m_nIndex, 70001);
    EXPECT_EQ(q.m_nType, static_cast<int>(IDS_QTYPE_MC));
    EXPECT_EQ(q.m_nLevel, -1);
    EXPECT_EQ(q.m_cszQuestionText, "{\\rtf1 Which organelle makes ATP?}");
    EXPECT_EQ(q.m_cszChoicesText, "a. Nucleus\nb. Mitochondrion");
    ASSERT_EQ(q.m_Choices.GetCount(), 2);
    EXPECT_EQ(q.m_Choices.m_saLabels[1], "b.");
    EXPECT_EQ(q.m_Choices.m_saTexts[1], "Mitochondrion");
    EXPECT_EQ(q.m_Choices.m_csRtfHeader, "{\\rtf1\\ansi");
    EXPECT_EQ(q.m_cszAnswer, "b");
    ASSERT_EQ(q.m_saSubjects.GetSize(), 2);
    EXPECT_EQ(q.m_saSubjects[1], "Energy");
    ASSERT_EQ(q.m_saChapters.GetSize(), 1);
    ASSERT_EQ(q.m_saBooks.GetSize(), 1);
    EXPECT_EQ(q.m_saBooks[0], "Biology Today");
    ASSERT_EQ(q.m_plImages.GetCount(), 1);
    const auto* image = static_cast<const CImageData*>(q.m_plImages.GetHead());
    EXPECT_EQ(image->m_csFile, imageFile);
    EXPECT_EQ(image->m_nPos, 2);
    EXPECT_EQ(image->m_nBrightness, 40);
    EXPECT_EQ(image->m_dSize, 0.3);
    EXPECT_EQ(image->m_dMargin, 0.05);
}

void ExpectCorraFields(const CCorraQuestion& q)
{
    EXPECT_EQ(q.m_nCurrent, 3);
    EXPECT_EQ(q.m_nLastTop, -1440);
    EXPECT_EQ(q.m_rcLast, CRect(10, -20, 4000, -900));
    EXPECT_EQ(q.m_dAnswerSize, 0.125);
    EXPECT_EQ(q.m_nMemberId, 66000);
}

void ExpectExamFields(const CExamQuestion& q)
{
    EXPECT_TRUE(q.m_bLinked);
    EXPECT_EQ(q.m_csCorraFile, "C:\\Banks\\Biology, Part 1.crr");
    EXPECT_EQ(q.m_nLinkId, 131072);
    EXPECT_EQ(q.m_tLinked.GetTime(), 1700000000);
    EXPECT_TRUE(q.m_bOutOfDate);
    EXPECT_FALSE(q.m_bFileExists);
    EXPECT_EQ(q.m_nAttributes, EXAM_ATTR_IDENTITY | EXAM_ATTR_FIXED);
    EXPECT_EQ(q.m_nFixedPosition, 70);
    EXPECT_EQ(q.m_csIdentityName, "CID_412_77");
    EXPECT_EQ(q.m_pIdentityForm, nullptr);
}

// The exam question list of a linked exam question and a bank question.
std::vector<BYTE> StoredExamList(const CString& imageFile)
{
    CExamQuestion exam;
    FillExam(exam, imageFile);
    CCorraQuestion bank;
    FillCorra(bank, imageFile);
    bank.m_nId = 5;
    CPtrList list;
    list.AddTail(&exam);
    list.AddTail(&bank);
    CArchive out;
    SerializeExamQuestions(list, out);
    return out.GetData();
}

void DeleteAll(CPtrList& list)
{
    while (!list.IsEmpty())
        delete static_cast<CCorraQuestion*>(list.RemoveHead());
}

TEST_F(QuestionArchiveTest, EachClassComesBackWithEveryFieldOfItsForm)
{
    // The image's file is gone: the question still comes back with it.
    const CString image = HomePath("Images/gone.bmp");

    CQuestion plain;
    Fill(plain, image);
    ExpectBaseFields(*Loaded<CQuestion>(Stored(plain)), image);

    CCorraQuestion bank;
    FillCorra(bank, image);
    bank.m_Scramble.SetLine(70000, "70000:1:1 0:0");
    auto bankBack = Loaded<CCorraQuestion>(Stored(bank));
    ExpectBaseFields(*bankBack, image);
    ExpectCorraFields(*bankBack);
    CString line;
    EXPECT_TRUE(bankBack->m_Scramble.GetLine(70000, line));
    EXPECT_EQ(line, "70000:1:1 0:0");

    CExamQuestion exam;
    FillExam(exam, image);
    auto examBack = Loaded<CExamQuestion>(Stored(exam));
    ExpectBaseFields(*examBack, image);
    ExpectCorraFields(*examBack);
    ExpectExamFields(*examBack);
    EXPECT_EQ(examBack->m_nKind, QKIND_EXAM);
}

TEST_F(QuestionArchiveTest, OnlyTheBankQuestionIsFollowedByItsScrambleList)
{
    CCorraQuestion bank;
    FillCorra(bank, "");
    CArchive fields;
    bank.Store(fields);
    // An empty scramble list is its count alone.
    EXPECT_EQ(Stored(bank).size(), fields.GetData().size() + 2);

    CExamQuestion exam;
    FillExam(exam, "");
    exam.m_Scramble.SetLine(1, "1:0:1 0:1");
    CArchive examFields;
    exam.Store(examFields);
    EXPECT_EQ(Stored(exam), examFields.GetData());
}

TEST_F(QuestionArchiveTest, EachListWritesTheFormOfItsKindWhateverTheObject)
{
    // A bank question in the exam list becomes an exam question, unlinked.
    const std::vector<BYTE> bytes = StoredExamList("");
    CPtrList loaded;
    CArchive in(bytes.data(), bytes.size());
    SerializeExamQuestions(loaded, in);
    EXPECT_TRUE(in.IsBufferEmpty());
    ASSERT_EQ(loaded.GetCount(), 2);
    auto* first = dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(loaded.GetHead()));
    auto* second = dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(loaded.GetTail()));
    ASSERT_TRUE(first && second);
    ExpectExamFields(*first);
    EXPECT_EQ(second->m_nId, 5);
    EXPECT_FALSE(second->m_bLinked);
    ExpectCorraFields(*second);
    DeleteAll(loaded);

    // An exam question in the bank list goes as a bank question, and reads back as one.
    CExamQuestion exam;
    FillExam(exam, "");
    CQuestionList list;
    list.AddTail(&exam);
    CArchive out;
    list.Serialize(out);
    list.RemoveAll();
    CQuestionList back;
    CArchive again(out.GetData().data(), out.GetData().size());
    back.Serialize(again);
    EXPECT_TRUE(again.IsBufferEmpty());
    ASSERT_EQ(back.GetCount(), 1);
    ExpectCorraFields(*static_cast<CCorraQuestion*>(back.GetHead()));
}

TEST_F(QuestionArchiveTest, ACutFormIsRefusedAndTheListKeepsWhatItHad)
{
    const std::vector<BYTE> bytes = StoredExamList("");
    CExamQuestion kept;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CPtrList list;
        list.AddTail(&kept);
        CArchive in(bytes.data(), cut);
        EXPECT_THROW(SerializeExamQuestions(list, in), CArchiveException) << "cut at " << cut;
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.GetHead(), &kept);
    }
}

// Writes n as the 32-bit little-endian value at offset.
void Put32(std::vector<BYTE>& bytes, size_t offset, std::uint32_t n)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<BYTE>(n >> (8 * i));
}

TEST_F(QuestionArchiveTest, CountsAndValuesBeyondWhatTheBytesHoldAreRefused)
{
    const std::vector<BYTE> good = StoredExamList("");
    // The question count, then the first question's ID, INDEX, type, level and texts.
    const size_t questionText = 4 + 16;
    const size_t labels = questionText + 1 + std::strlen("{\\rtf1 Which organelle makes ATP?}") + 1 +
                          std::strlen("a. Nucleus\nb. Mitochondrion");
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    auto edited = [&](const char* what, auto edit) {
        std::vector<BYTE> bytes = good;
        edit(bytes);
        cases.push_back({what, bytes});
    };
    edited("four billion questions", [](std::vector<BYTE>& b) { Put32(b, 0, 0xFFFFFFFF); });
    edited("a question more than there is", [](std::vector<BYTE>& b) { Put32(b, 0, 3); });
    edited("a string longer than the rest", [&](std::vector<BYTE>& b) {
        // The 32-bit length then comes from the text's first four characters.
        b[questionText] = b[questionText + 1] = b[questionText + 2] = 0xFF;
    });
    edited("a 32-bit label count", [&](std::vector<BYTE>& b) {
        b[labels] = 0xFF;
        b[labels + 1] = 0xFF;
    });
    // Forms whose every count is right but whose values cannot be taken.
    auto stored = [&](const char* what, auto spoil) {
        CExamQuestion q;
        spoil(q);
        CPtrList one;
        one.AddTail(&q);
        CArchive out;
        SerializeExamQuestions(one, out);
        cases.push_back({what, out.GetData()});
    };
    stored("labels without texts", [](CExamQuestion& q) {
        q.m_Choices.m_saLabels.Add("a.");
        q.m_Choices.m_saLabels.Add("b.");
        q.m_Choices.m_saTexts.Add("only");
    });
    stored("an image size that is no number",
           [](CExamQuestion& q) { q.AddImage("", 0, 0, std::numeric_limits<double>::quiet_NaN(), 0); });
    stored("an answer space that is no number",
           [](CExamQuestion& q) { q.m_dAnswerSize = std::numeric_limits<double>::infinity(); });
    for (const Case& c : cases) {
        CPtrList list;
        CArchive in(c.bytes.data(), c.bytes.size());
        EXPECT_THROW(SerializeExamQuestions(list, in), CArchiveException) << c.what;
        EXPECT_TRUE(list.IsEmpty()) << c.what;
        DeleteAll(list);
    }

    // Bytes after the list are left for the caller, who can tell.
    std::vector<BYTE> longer = good;
    longer.insert(longer.end(), {1, 2, 3});
    CPtrList list;
    CArchive in(longer.data(), longer.size());
    SerializeExamQuestions(list, in);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(in.GetBytesLeft(), 3u);
    DeleteAll(list);
}

TEST_F(QuestionArchiveTest, ScrambledBytesEitherReadBackWholeOrAreRefused)
{
    const std::vector<BYTE> good = StoredExamList("");
    std::mt19937 random(20261211);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<BYTE> bytes = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes[at] = static_cast<BYTE>(random());
                break;
            case 1:
                bytes[at] = 0xFF;
                break;
            case 2:
                bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
                break;
            default:
                bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<BYTE>(random()));
                break;
            }
        }
        CPtrList list;
        try {
            CArchive in(bytes.data(), bytes.size());
            SerializeExamQuestions(list, in);
        } catch (const CArchiveException&) {
            EXPECT_TRUE(list.IsEmpty());
            continue;
        }
        ++loaded;
        // What was taken is a question like any other: it checks itself and travels again
        // unchanged.
        CString message;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(list.GetNext(pos));
            q->Validate(message);
            CString choices;
            q->GetChoicesText(choices, 60, 0);
        }
        CArchive out;
        SerializeExamQuestions(list, out);
        CPtrList again;
        CArchive in(out.GetData().data(), out.GetData().size());
        SerializeExamQuestions(again, in);
        CArchive out2;
        SerializeExamQuestions(again, out2);
        EXPECT_EQ(out.GetData(), out2.GetData());
        DeleteAll(again);
        DeleteAll(list);
    }
    // Edits inside the texts leave a readable form: the run covers both roads.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 3000);
}

} // namespace
