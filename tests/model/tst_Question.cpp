#include "model/Question.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <string>
#include <vector>

namespace {

using QuestionTest = CorraTest;
using Strings = std::vector<std::string>;

constexpr int MC = IDS_QTYPE_MC;
constexpr int TF = IDS_QTYPE_TF;
constexpr int ES = IDS_QTYPE_ES;
constexpr int CO = IDS_QTYPE_CO;

CQuestion Make(int type, const char* choices, const char* answer, int id = 7)
{
    CQuestion q;
    q.m_nId = id;
    q.m_nType = type;
    if (choices)
        q.SetChoices(choices, '*', '*');
    q.m_cszAnswer = answer;
    return q;
}

Strings Labels(const CQuestion& q)
{
    Strings out;
    for (int i = 0; i < q.m_Choices.GetCount(); ++i)
        out.push_back(q.m_Choices.GetChoiceId(i).GetString());
    return out;
}

Strings Items(const CStringArray& a)
{
    Strings out;
    for (const CString& s : a)
        out.push_back(s.GetString());
    return out;
}

TEST_F(QuestionTest, ValidateReportsWithoutChangingTheQuestion)
{
    struct Case {
        int type;
        const char* choices;
        const char* answer;
        BOOL valid;
        const char* message;
    };
    const Case cases[] = {
        {MC, "a. x b. y", "b", TRUE, ""},
        {MC, "a. x", "a", FALSE, "Question (ID 7) has an invalid choice count."},
        {MC, nullptr, "", FALSE, "Question (ID 7) has an invalid choice count.\nQuestion (ID 7) missing answer."},
        {MC, "a. x b. y", " \t", FALSE, "Question (ID 7) missing answer."},
        // Either case names a true/false choice.
        {TF, "a. True b. False", "B", TRUE, ""},
        {TF, "a. True b. False", "a", TRUE, ""},
        {TF, "a. True b. False", "c", FALSE, "Question (ID 7) has an invalid answer."},
        {TF, "a. True b. False", "", FALSE, "Question (ID 7) missing answer."},
        {ES, nullptr, "", TRUE, ""},
        {CO, nullptr, "", TRUE, ""},
    };
    for (const Case& c : cases) {
        const CQuestion q = Make(c.type, c.choices, c.answer);
        CString message = "stale";
        EXPECT_EQ(q.Validate(message), c.valid) << c.answer;
        EXPECT_EQ(message, c.message) << c.answer;
        EXPECT_EQ(q.m_cszAnswer, c.answer);
    }
}

TEST_F(QuestionTest, AnswerLetterFollowsTheLabelCase)
{
    enum Op { make, setCase };
    struct Case {
        int type;
        const char* choices;
        const char* answer;
        Op op;
        char c;
        const char* expected;
        Strings labels;
        bool logged;
    };
    const Case cases[] = {
        {MC, "a. x b. y c. z", "c", make, 'A', "C", {"a.", "b.", "c."}, false},
        {MC, "A. x B. y", "b", make, 0, "B", {"A.", "B."}, false},
        {MC, "a. x b. y", "B", make, 0, "b", {"a.", "b."}, false},
        {MC, "a. x b. y", " b", make, 'q', "b", {"a.", "b."}, false},
        {MC, "a. x b. y", "", make, 'A', "", {"a.", "b."}, false},
        {MC, "a. x b. y", "?", make, 'A', "?", {"a.", "b."}, true},
        // A number names no letter label: kept, and logged.
        {MC, "a. x b. y", "2", make, 'A', "2", {"a.", "b."}, true},
        {MC, "1. x 2. y", "2", make, 'A', "2", {"1.", "2."}, false},
        {ES, nullptr, "b", make, 'A', "b", {}, false},
        {MC, "a. x b. y c. z", "c", setCase, 'A', "C", {"A.", "B.", "C."}, false},
        {MC, "A) x B) y", "B", setCase, 'z', "b", {"a.", "b."}, false},
        // The answer keeps naming its choice when numbered labels become letters.
        {MC, "1. x 2. y 3. z", "3", setCase, 'a', "c", {"a.", "b.", "c."}, false},
        // Member labels of a collection number its members.
        {CO, "0. 17 1. 42", "1", setCase, 'A', "1", {"0.", "1."}, false},
        {CO, "0. 17 1. 42", "b", make, 'A', "b", {"0.", "1."}, false},
        {MC, "1. a 2. b 3. c 4. d 5. e 6. f 7. g 8. h 9. i 10. j 11. k", "11", setCase, 'A', "K",
         {"A.", "B.", "C.", "D.", "E.", "F.", "G.", "H.", "I.", "J.", "K."}, false},
    };
    for (const Case& c : cases) {
        ResetLogging();
        CQuestion q = Make(c.type, c.choices, c.answer);
        if (c.op == make)
            q.MakeChoices(c.c);
        else
            q.SetChoiceCase(c.c);
        EXPECT_EQ(q.m_cszAnswer, c.expected) << c.choices << " / " << c.answer;
        EXPECT_EQ(Labels(q), c.labels) << c.choices;
        EXPECT_EQ(GetLogBuffer().Find("CCorraDoc::MakeChoices() - unexpected choice answer id...") >= 0, c.logged)
            << c.choices << " / " << c.answer;
    }
}

TEST_F(QuestionTest, MoreChoicesThanLettersKeepTheirNumbers)
{
    CString text;
    for (int i = 1; i <= 27; ++i)
        text.AppendFormat("%d. choice%d ", i, i);
    CQuestion q = Make(MC, text, "27");
    ASSERT_EQ(q.GetChoicesCount(), 27);
    q.SetChoiceCase('a');
    EXPECT_EQ(q.GetChoiceId(26), "27.");
    EXPECT_EQ(q.m_cszAnswer, "27");
    EXPECT_GE(GetLogBuffer().Find("CChoices::Relabel() - 27 choices are too many for letter labels"), 0);

    // Written and read again, every choice is still there.
    CString rtf;
    q.GetChoicesText(rtf, 0, CHO_RTF);
    CChoices read;
    ASSERT_TRUE(read.SetChoices(rtf, '*', '*', nullptr, CHP_RTF_AS_PLAIN | CHP_NUMBERED_PAIRS));
    EXPECT_EQ(read.GetCount(), 27);
}

TEST_F(QuestionTest, SubjectsAndTextbooksMatchWholeEntries)
{
    CQuestion q;
    q.m_saSubjects.Add("Linear algebra");
    struct SubjectStep {
        bool add;
        const char* subject;
        BOOL result;
        Strings after;
    };
    const SubjectStep subjects[] = {
        {true, "Algebra", TRUE, {"Linear algebra", "Algebra"}},
        {true, " algebra ", FALSE, {"Linear algebra", "Algebra"}},
        {true, "", FALSE, {"Linear algebra", "Algebra"}},
        {false, "bra", FALSE, {"Linear algebra", "Algebra"}},
        {false, "ALGEBRA", TRUE, {"Linear algebra"}},
        {false, "linear ALGEBRA", TRUE, {}},
    };
    for (const SubjectStep& s : subjects) {
        EXPECT_EQ(s.add ? q.AddSubject(s.subject) : q.RemoveSubject(s.subject), s.result) << s.subject;
        EXPECT_EQ(Items(q.m_saSubjects), s.after) << s.subject;
    }

    q.SetTextbooks("Physics@3; Physics@5 ;Chem@1", ";");
    struct BookStep {
        bool add;
        const char* book;
        const char* chapter;
        BOOL result;
        const char* after;
    };
    const BookStep books[] = {
        {true, "physics", "3", FALSE, "Physics@3|Physics@5|Chem@1"},
        {true, "Physics", "03", TRUE, "Physics@3|Physics@5|Chem@1|Physics@03"},
        {false, "Physics", "", TRUE, "Physics@5|Chem@1|Physics@03"},
        {false, "chem", "2", FALSE, "Physics@5|Chem@1|Physics@03"},
        {false, "CHEM", "1", TRUE, "Physics@5|Physics@03"},
        {false, "Physics", "03", TRUE, "Physics@5"},
        {false, "Physics", "0", TRUE, ""},
    };
    for (const BookStep& b : books) {
        EXPECT_EQ(b.add ? q.AddTextbook(b.book, b.chapter) : q.RemoveTextbook(b.book, b.chapter), b.result)
            << b.book << "@" << b.chapter;
        CString text;
        q.GetTextbooks(text, "|");
        EXPECT_EQ(text, b.after) << b.book << "@" << b.chapter;
    }

    q.SetTextbooks(" Bio@2 ; Geo@ ;;Art", ";");
    EXPECT_EQ(Items(q.m_saBooks), (Strings{"Bio", "Geo", "Art"}));
    EXPECT_EQ(Items(q.m_saChapters), (Strings{"2", "", ""}));
}

TEST_F(QuestionTest, AnswerTextAndCorrectChoice)
{
    struct Case {
        int type;
        const char* answer;
        const char* shown;
    };
    const Case cases[] = {{TF, "A", "True"}, {TF, " b ", "False"}, {TF, "c", ""}, {TF, "", ""}, {MC, "b", "b"}};
    for (const Case& c : cases) {
        CString text = "stale";
        Make(c.type, "a. True b. False", c.answer).GetAnswerText(text);
        EXPECT_EQ(text, c.shown) << c.answer;
    }

    CString choice;
    EXPECT_TRUE(Make(MC, "a. Paris b. {\\rtf1 London}", "B").GetCorrectChoice(choice));
    EXPECT_EQ(choice, "London");
    EXPECT_TRUE(Make(MC, "a. Paris b. London", "b").GetCorrectChoice(choice));
    EXPECT_EQ(choice, "London");
    EXPECT_FALSE(Make(MC, "a. Paris b. London", "z").GetCorrectChoice(choice));
    EXPECT_GE(GetLogBuffer().Find("CQuestion::GetCorrectChoice() - bad answer z"), 0);
}

TEST_F(QuestionTest, TrueFalseChoicesBecomeTheTrueFalseType)
{
    struct Case {
        const char* choices;
        const char* answer;
        int type;
        const char* expected;
    };
    const Case cases[] = {
        {"a. True b. False", "a", TF, "a"},
        // The answer follows its choice when the order changes.
        {"a. False b. True", "b", TF, "a"},
        {"A. FALSE B. true", "A", TF, "b"},
        {"a. true b. maybe", "a", MC, "a"},
        {"a. true b. true", "a", MC, "a"},
        {"a. true b. false c. maybe", "a", MC, "a"},
    };
    for (const Case& c : cases) {
        CQuestion q = Make(MC, c.choices, c.answer);
        q.CheckTrueFalse();
        EXPECT_EQ(q.m_nType, c.type) << c.choices;
        EXPECT_EQ(q.m_cszAnswer, c.expected) << c.choices;
        if (c.type == TF) {
            EXPECT_EQ(Labels(q), (Strings{"a.", "b."}));
            EXPECT_EQ(q.m_Choices.GetChoiceText(0, TRUE), "True");
            EXPECT_EQ(q.m_Choices.GetChoiceText(1, TRUE), "False");
        }
    }
}

TEST_F(QuestionTest, SetChoicesKeepsTheOldChoicesOnFailure)
{
    CQuestion q = Make(MC, "a. x b. y", "a");
    CChoicesError error;
    EXPECT_FALSE(q.SetChoices("no labels", '*', '.', &error));
    EXPECT_EQ(Labels(q), (Strings{"a.", "b."}));
    EXPECT_EQ(error.m_nId1, 243u);
    EXPECT_TRUE(q.SetChoices("A. one B. two C. three"));
    EXPECT_EQ(q.GetChoicesCount(), 3);
    EXPECT_TRUE(GetLogBuffer().IsEmpty());

    CQuestion essay = Make(ES, nullptr, "");
    EXPECT_TRUE(essay.SetChoices("free text, no labels"));
    EXPECT_EQ(essay.m_cszChoicesText, "free text, no labels");
    EXPECT_EQ(essay.GetChoicesCount(), 0);
    EXPECT_GE(GetLogBuffer().Find("CQuestion::GetChoicesCount() - type not MC"), 0);
    CString text;
    essay.GetChoicesText(text, 60, 0);
    EXPECT_EQ(text, "free text, no labels");
    Make(TF, nullptr, "").GetChoicesText(text, 60, 0);
    EXPECT_EQ(text, "a. True\nb. False");
}

TEST_F(QuestionTest, CopyOwnsItsOwnImagesAndResetEmpties)
{
    const CString present = WriteHomeFile("pics/a.png", "png");
    CQuestion q = Make(MC, "a. x b. y", "b", 12);
    q.m_nIndex = 3;
    q.m_nLevel = 2;
    q.m_cszQuestionText = "text";
    q.AddSubject("Algebra");
    q.AddTextbook("Physics", "3");
    EXPECT_TRUE(q.AddImage("  " + present + " ", IP_LEFT, 10, 30.0, 2.0));
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    EXPECT_TRUE(q.AddImage("/missing/b.png", IP_BELOW_CHOICES, 0, 20.0, 0.0));
    EXPECT_GE(GetLogBuffer().Find("CQuestion::AddImage() - file does not exist...\r\n****** /missing/b.png"), 0);

    CQuestion copy(q);
    ASSERT_EQ(copy.m_plImages.GetCount(), 2);
    auto* original = static_cast<CImageData*>(q.m_plImages.GetAt(0));
    auto* copied = static_cast<CImageData*>(copy.m_plImages.GetAt(0));
    EXPECT_NE(original, copied);
    EXPECT_EQ(copied->m_csFile, present);
    EXPECT_EQ(copied->m_nPos, IP_LEFT);
    EXPECT_EQ(copied->m_nBrightness, 10);
    EXPECT_DOUBLE_EQ(copied->m_dSize, 30.0);
    EXPECT_EQ(copy.m_nId, 12);
    EXPECT_EQ(Labels(copy), (Strings{"a.", "b."}));
    EXPECT_EQ(Items(copy.m_saSubjects), (Strings{"Algebra"}));
    EXPECT_EQ(Items(copy.m_saBooks), (Strings{"Physics"}));

    copy = copy;
    copy.SetImages(copy.m_plImages);
    EXPECT_EQ(copy.m_plImages.GetCount(), 2);

    copy.Reset(FALSE);
    EXPECT_EQ(copy.m_nId, 12);
    EXPECT_EQ(copy.m_nIndex, 0);
    EXPECT_EQ(copy.m_nType, 0);
    EXPECT_TRUE(copy.m_cszQuestionText.IsEmpty());
    EXPECT_TRUE(copy.m_Choices.IsEmpty());
    EXPECT_TRUE(copy.m_saSubjects.IsEmpty());
    EXPECT_TRUE(copy.m_saChapters.IsEmpty());
    EXPECT_TRUE(copy.m_plImages.IsEmpty());
    copy.Reset(TRUE);
    EXPECT_EQ(copy.m_nId, 0);
    EXPECT_EQ(q.m_plImages.GetCount(), 2);
}

TEST_F(QuestionTest, ImageFilesAreMatchedByWholePath)
{
    CQuestion q;
    q.AddImage("/p/a.png", IP_TOP, 0, 20.0, 0.0);
    q.AddImage("/p/aa.png", IP_TOP, 0, 20.0, 0.0);
    q.AddImage("/q/A.PNG", IP_TOP, 0, 20.0, 0.0);
    CStringArrayEx files;
    files.Add("/p/aa.png");
    EXPECT_EQ(q.GetImageFiles(files), 3);
    EXPECT_EQ(Items(files), (Strings{"/p/aa.png", "/p/a.png", "/q/A.PNG"}));

    EXPECT_TRUE(q.ReplaceImageFiles("A.png", "/new/a.png"));
    CPtrList images;
    EXPECT_EQ(q.GetImages(images), 3);
    EXPECT_EQ(static_cast<CImageData*>(images.GetHead())->m_csFile, "/new/a.png");
    EXPECT_EQ(static_cast<CImageData*>(images.GetTail())->m_csFile, "/new/a.png");
    EXPECT_FALSE(q.ReplaceImageFiles("b.png", "/x"));
    EXPECT_TRUE(q.ReplaceImageFile("/elsewhere/AA.png", "/moved/aa.png"));
    EXPECT_EQ(static_cast<CImageData*>(q.m_plImages.GetAt(1))->m_csFile, "/moved/aa.png");
    q.ClearImages();
    EXPECT_TRUE(q.m_plImages.IsEmpty());
}

TEST_F(QuestionTest, PlainTextOfAQuestion)
{
    CQuestion q = Make(MC, "a. Paris b. {\\rtf1 London}", "a");
    q.m_cszQuestionText = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 What is the capital of France? It is a long question that wraps over the "
                          "line.}";
    CString text;
    q.GetQuestionText(text, QTEXT_PLAIN);
    EXPECT_EQ(text.Find("What is"), 0);
    q.GetQuestionText(text, QTEXT_AS_STORED);
    EXPECT_EQ(text, q.m_cszQuestionText);

    CEncryptedArchive out("", TRUE);
    q.WritePlainText(out, "1. ");
    const std::string written(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
    EXPECT_EQ(written, "1. What is the capital of France? It is a long question that\r\nwraps over the line.\r\n"
                       "\r\na.   Paris\r\nb.   London\r\n");
}

TEST_F(QuestionTest, DumpNamesEveryField)
{
    CQuestion q = Make(MC, "a. x b. y", "b", 5);
    q.DumpToLog(LOG_ALWAYS);
    const CString log = GetLogBuffer();
    for (const char* line : {"CQuestion::DumpToLog()...", "m_nId = 5", "m_nType = MC", "m_cszAnswer = b",
                             "m_plImages: count = 0"})
        EXPECT_GE(log.Find(line), 0) << line;
}

} // namespace
