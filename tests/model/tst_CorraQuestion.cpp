#include "model/CorraQuestion.h"
#include "platform/ui/View.h"

#include "foundation/CorraAppBase.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Parse.h"
#include "model/CorraDoc.h"
#include "model/CorraHeader.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <ostream>
#include <stdexcept>

namespace {

using CorraQuestionTest = CorraTest;

// Each test starts from the settings of its fresh profile.
const CTestResetHook s_resetSettings([] {
    CCorraQuestion::LoadAnswerLengths();
    CCorraQuestion::LoadSubjCharLen();
});

std::string Written(CCorraQuestion& question)
{
    CEncryptedArchive out("", TRUE);
    question.WriteRecord(out);
    return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
}

// Reads one record as the document does; rest gets what is left after the cursor.
int Read(CCorraQuestion& question, const std::string& text, std::string* rest = nullptr)
{
    QuestionTokenizer().SetEndTokenAtEnd(TRUE);
    LPCSTR p = text.c_str();
    UINT n = static_cast<UINT>(text.size());
    int result = question.ReadRecord(&p, &n, nullptr);
    if (rest)
        *rest = std::string(p, n);
    return result;
}

std::vector<CString> Items(const CStringArray& array)
{
    std::vector<CString> items;
    for (int i = 0; i < array.GetSize(); ++i)
        items.push_back(array[i]);
    return items;
}

struct ImageFields {
    int pos;
    CString file;
    int brightness;
    double size;
    double margin;
    bool operator==(const ImageFields& o) const
    {
        return pos == o.pos && file == o.file && brightness == o.brightness && size == o.size && margin == o.margin;
    }
    friend void PrintTo(const ImageFields& f, std::ostream* os)
    {
        *os << "{" << f.pos << "," << f.file.GetString() << "," << f.brightness << "," << f.size << "," << f.margin << "}";
    }
};

std::vector<ImageFields> ImagesOf(const CQuestion& question)
{
    std::vector<ImageFields> images;
    for (POSITION pos = question.m_plImages.GetHeadPosition(); pos;) {
        const auto* image = static_cast<const CImageData*>(question.m_plImages.GetNext(pos));
        images.push_back({image->m_nPos, image->m_csFile, image->m_nBrightness, image->m_dSize, image->m_dMargin});
    }
    return images;
}

std::vector<CString> ChoicesOf(const CQuestion& question)
{
    std::vector<CString> choices;
    for (int i = 0; i < question.m_Choices.GetCount(); ++i)
        choices.push_back(question.m_Choices.GetChoiceId(i) + " " + question.m_Choices.GetChoiceText(i, TRUE));
    return choices;
}

CCorraQuestion MultipleChoice(int id, const char* choices, const char* answer)
{
    CCorraQuestion q;
    q.m_nId = id;
    q.m_nType = static_cast<int>(IDS_QTYPE_MC);
    q.SetChoices(choices, '*', '*');
    q.m_cszAnswer = answer;
    return q;
}

TEST_F(CorraQuestionTest, EveryTypeReadsBackAsWritten)
{
    const CString imageFolder = CFileTypes::GetPriDir(DT_IMAGE);
    const CString plainImage = WriteHomeFile("Images/map.png", "png");
    const CString commaImage = WriteHomeFile("Images/map, old.png", "png");
    struct Case {
        unsigned type;
        const char* choices;  // as the editor hands them over
        const char* answer;
    };
    const Case cases[] = {
        {IDS_QTYPE_MC, "a. Paris b. London c. Rome", "b"},
        {IDS_QTYPE_TF, "a. True\nb. False", "a"},
        {IDS_QTYPE_ES, "Discuss: {a} or [b]", "An essay"},
        {IDS_QTYPE_SA, "", "Short"},
        {IDS_QTYPE_FI, "The ____ of France", "capital"},
        {IDS_QTYPE_MA, "1. cat   A. meow\r\n2. dog   B. woof", "1A 2B"},
        {IDS_QTYPE_UN, "whatever the source had", ""},
        {IDS_QTYPE_CO, nullptr, ""},
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        q.m_nId = 4711;
        q.m_nIndex = 12;
        q.m_nLevel = 3;
        q.m_nMemberId = 88;
        q.m_nType = static_cast<int>(c.type);
        q.m_cszQuestionText = "{\\rtf1 Which city {\\b is} the capital?}";
        q.m_dAnswerSize = 0.5;
        if (c.choices)
            q.SetChoices(c.choices, '*', '*');
        else
            for (int id : {17, 42})
                q.InsertQuestId(99, id);
        q.m_cszAnswer = c.answer;
        q.m_saSubjects.Add("Geography");
        q.m_saSubjects.Add("Europe, West");
        q.AddTextbook("Atlas", "7");
        q.AddTextbook("World Book", "Unit 2");
        q.AddTextbook("Notes", "");
        q.AddImage(plainImage, IP_LEFT, -40, 35.5, 2.25);
        q.AddImage(commaImage, IP_BELOW_CHOICES, 0, 20, 0);

        CCorraQuestion back;
        std::string rest;
        ASSERT_EQ(Read(back, Written(q) + "BEGIN GROUP", &rest), READ_OK) << q.GetTypeText();
        EXPECT_EQ(rest, "\r\n\r\nBEGIN GROUP") << q.GetTypeText();
        EXPECT_EQ(back.m_nId, 4711);
        EXPECT_EQ(back.m_nIndex, 12);
        EXPECT_EQ(back.m_nLevel, 3);
        EXPECT_EQ(back.m_nMemberId, 88);
        EXPECT_EQ(back.m_nType, q.m_nType);
        EXPECT_EQ(back.m_cszQuestionText, q.m_cszQuestionText) << q.GetTypeText();
        EXPECT_EQ(back.m_cszAnswer, q.m_cszAnswer);
        EXPECT_EQ(Items(back.m_saSubjects), Items(q.m_saSubjects));
        EXPECT_EQ(Items(back.m_saBooks), Items(q.m_saBooks));
        EXPECT_EQ(Items(back.m_saChapters), (std::vector<CString>{"7", "Unit 2", ""}));
        EXPECT_EQ(ImagesOf(back), ImagesOf(q)) << q.GetTypeText();
        if (q.IsChoiceType()) {
            EXPECT_EQ(ChoicesOf(back), ChoicesOf(q)) << q.GetTypeText();
        } else {
            EXPECT_EQ(back.m_cszChoicesText, q.m_cszChoicesText) << q.GetTypeText();
        }
        if (c.type == IDS_QTYPE_ES || c.type == IDS_QTYPE_SA || c.type == IDS_QTYPE_FI) {
            EXPECT_DOUBLE_EQ(back.m_dAnswerSize, 0.5);
        }
        CString missing;
        EXPECT_FALSE(back.GetMissingFields(missing)) << missing;
    }
    EXPECT_EQ(imageFolder.Right(7), "Images/");
}

TEST_F(CorraQuestionTest, RecordLinesAsWritten)
{
    CCorraQuestion q;
    q.m_nId = 5;
    q.m_nType = static_cast<int>(IDS_QTYPE_ES);
    q.m_nLevel = -2;
    q.m_cszQuestionText = "Why?";
    q.m_dAnswerSize = 0.33;
    for (int i = 0; i < 4; ++i)
        q.AddImage(CString::Formatted("/elsewhere/a-rather-long-folder-name/picture%d.png", i), IP_TOP, 0, 20, 0);
    std::string text = Written(q);
    EXPECT_EQ(text.substr(0, 68), "BEGIN QUESTION\r\nID: 5\r\nMEMBERID: 0\r\nTYPE:  ES\r\nSUBJECT:  \r\nLEVEL:0\r\n");
    EXPECT_NE(text.find("TEXT: { \r\nWhy?|ESL|0.33}\r\n"), std::string::npos);
    EXPECT_EQ(q.m_nLevel, 0);
    // Image items wrap once the line has passed 80 characters; continuations start with nine blanks.
    size_t images = text.find("IMAGES:  {IP_TOP,");
    ASSERT_NE(images, std::string::npos);
    size_t lineEnd = text.find("\r\n", images);
    EXPECT_GT(lineEnd - images, 80u);
    EXPECT_EQ(text.substr(lineEnd, 12), "\r\n         {");
    EXPECT_EQ(text.substr(text.size() - 16), "END QUESTION\r\n\r\n");
}

TEST_F(CorraQuestionTest, ReaderResultsOnMalformedRecords)
{
    struct Case {
        const char* text;
        int result;
        const char* error;
        int id;
        int index;
    };
    const Case cases[] = {
        // "END GROUP" inside a question is not its end: reading goes on to INDEX.
        {"BEGIN QUESTION ID: 5 END GROUP INDEX: 9 END QUESTION", READ_OK, "Read Error: ", 5, 9},
        // An END that the text or the next record follows is an END without QUESTION.
        {"BEGIN QUESTION ID: 5 END", READ_MALFORMED, "'END' without 'QUESTION'", 5, 0},
        {"BEGIN QUESTION ID: 5 END\r\nBEGIN QUESTION ID: 6 INDEX: 2 END QUESTION", READ_MALFORMED,
         "'END' without 'QUESTION'", 5, 0},
        {"BEGIN QUESTION ID: 5 INDEX: 3", READ_MALFORMED, "Syntax error", 5, 3},
        {"BEGIN QUESTION ID: 5 TEXT: { never closed", READ_MALFORMED, "Syntax error", 5, 0},
        // Elements it does not know are passed over, and so is a keyword without its value.
        {"BEGIN QUESTION ID: 5 FOO: 3 INDEX: END QUESTION", READ_OK, "Read Error: ", 5, 0},
        {"BEGIN QUESTION ID: 5 INDEX 4 END QUESTION", READ_OK, "Read Error: ", 5, 0},
        {"BEGIN GROUP ID: 5 END GROUP", READ_NOT_THIS, "", 0, 0},
        {"TITLE1: { x }", READ_NOT_THIS, "", 0, 0},
        {" \r\n ", READ_END, "", 0, 0},
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        std::string rest;
        EXPECT_EQ(Read(q, c.text, &rest), c.result) << c.text;
        EXPECT_EQ(CCorraQuestion::ErrorText(), c.error) << c.text;
        EXPECT_EQ(q.m_nId, c.id) << c.text;
        EXPECT_EQ(q.m_nIndex, c.index) << c.text;
        if (c.result == READ_NOT_THIS || c.result == READ_MALFORMED) {
            EXPECT_EQ(rest, c.text) << "the cursor is put back";
        }
    }
}

TEST_F(CorraQuestionTest, ARecordCutShortEndsAsMalformedWhateverTheTokenizersEndMode)
{
    for (BOOL endToken : {TRUE, FALSE}) {
        QuestionTokenizer().SetEndTokenAtEnd(endToken);
        const std::string text = "BEGIN QUESTION ID: 5 TYPE:";
        LPCSTR p = text.c_str();
        UINT n = static_cast<UINT>(text.size());
        CCorraQuestion q;
        EXPECT_EQ(q.ReadRecord(&p, &n, nullptr), READ_MALFORMED) << endToken;
        EXPECT_EQ(CCorraQuestion::ErrorText(), "Syntax error");
        EXPECT_EQ(q.m_nId, 5);
    }
    QuestionTokenizer().SetEndTokenAtEnd(TRUE);
}

TEST_F(CorraQuestionTest, AnswerSizeIsTakenOutOfTheTextOnlyOnceTheTypeIsKnown)
{
    struct Case {
        const char* record;
        const char* text;
        double size;
    };
    const Case cases[] = {
        {"TYPE: ES TEXT: { Why?|ESL|0.50}", "Why?", 0.5},
        {"TYPE: SA TEXT: { Why?|ESL|250}", "Why?", 100},
        {"TYPE: FI TEXT: { Why?|ESL|-3}", "Why?", 0},
        {"TEXT: { Why?|ESL|0.50} TYPE: ES", "Why?|ESL|0.50", 0.33},
        {"TYPE: MC TEXT: { Why?|ESL|0.50}", "Why?|ESL|0.50", 0.33},
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        q.m_dAnswerSize = 0.33;
        ASSERT_EQ(Read(q, std::string("BEGIN QUESTION ") + c.record + " END QUESTION"), READ_OK) << c.record;
        EXPECT_EQ(q.m_cszQuestionText, c.text) << c.record;
        EXPECT_DOUBLE_EQ(q.m_dAnswerSize, c.size) << c.record;
    }
}

TEST_F(CorraQuestionTest, MissingFieldsNameTheRequiredElementsNotRead)
{
    struct Case {
        const char* body;
        const char* missing;
    };
    const Case cases[] = {
        {"ID: 1 TYPE: MC SUBJECT: LEVEL:0 INDEX:0 TEXT: {q} CHOICES: {a. x b. y} ANSWER: {a}", ""},
        {"ID: 1 TYPE: MC LEVEL:0 TEXT: {q} CHOICES: {a. x b. y}", "subject, index, answer"},
        {"", "text, choices, subject, type, level, id, index, answer"},
        {"ID: 1 TYPE: CO TEXT: {My collection} CHOICES: {0. 17}", ""},
        {"TYPE: CO", "text, choices, id"},
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        ASSERT_EQ(Read(q, std::string("BEGIN QUESTION ") + c.body + " END QUESTION"), READ_OK) << c.body;
        CString missing;
        EXPECT_EQ(q.GetMissingFields(missing), *c.missing != 0) << c.body;
        EXPECT_EQ(missing, c.missing) << c.body;
    }
}

TEST_F(CorraQuestionTest, AnImageOutsideTheImageFolderMovesInOnlyWhenItIsGoneAndTheFolderHasIt)
{
    const CString folder = CFileTypes::GetPriDir(DT_IMAGE);
    const CString kept = WriteHomeFile("Elsewhere/kept.png", "png");
    WriteHomeFile("Images/kept.png", "png");
    WriteHomeFile("Images/moved.png", "png");
    struct Case {
        CString stored;
        CString expected;
    };
    const Case cases[] = {
        {kept, kept},                                        // still there: left alone
        {HomePath("Elsewhere/moved.png"), folder + "moved.png"},  // gone, and in the folder
        {HomePath("Elsewhere/lost.png"), HomePath("Elsewhere/lost.png")},  // gone everywhere
    };
    for (const Case& c : cases) {
        CCorraQuestion q;
        CString record = "BEGIN QUESTION IMAGES:  {IP_RIGHT," + c.stored + ",5,,} END QUESTION";
        ASSERT_EQ(Read(q, record.GetString()), READ_OK);
        ASSERT_EQ(ImagesOf(q).size(), 1u);
        EXPECT_EQ(ImagesOf(q)[0], (ImageFields{IP_RIGHT, c.expected, 5, 20.0, 0.0})) << c.stored;
    }
}

TEST_F(CorraQuestionTest, CompareOrdersByFieldAndNeverAsks)
{
    CCorraQuestion a;
    CCorraQuestion b;
    a.m_cszQuestionText = "apple";
    b.m_cszQuestionText = "Banana";
    a.m_nIndex = 10;
    b.m_nIndex = 9;
    a.m_saSubjects.Add("zoology");
    EXPECT_EQ(a.Compare(b, IDS_KW_TEXT), -1);
    EXPECT_EQ(b.Compare(a, IDS_KW_TEXT), 1);
    EXPECT_EQ(a.Compare(b, IDS_KW_INDEX), 1);
    EXPECT_EQ(a.Compare(b, IDS_KW_SUBJECT), 0) << "b has no subject";
    EXPECT_EQ(a.Compare(a, IDS_KW_TEXT), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.Compare(b, IDS_KW_CHOICES), 0);
        EXPECT_EQ(a.Compare(b, 999), 0);
    }
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(CorraQuestionTest, ACopyTakesTheFieldsButNotTheOwner)
{
    CCorraQuestion source;
    source.m_nId = 3;
    source.m_nMemberId = 7;
    source.m_nFlags = QFLAG_LISTED;
    source.m_dAnswerSize = 0.75;
    source.m_csKindText = "Form";
    source.m_pDoc = reinterpret_cast<CCorraDoc*>(&source);
    CView shown;
    source.m_pView = &shown;
    source.m_Scramble.SetLine(3, "3:0:1 0:1");

    CCorraQuestion copy(source);
    EXPECT_EQ(copy.m_nId, 3);
    EXPECT_EQ(copy.m_nMemberId, 7);
    EXPECT_EQ(copy.m_nFlags, QFLAG_LISTED);
    EXPECT_DOUBLE_EQ(copy.m_dAnswerSize, 0.75);
    EXPECT_EQ(copy.m_csKindText, "Form");
    EXPECT_EQ(copy.m_Scramble.GetText(), "3:0:1 0:1");
    EXPECT_EQ(copy.m_pDoc, nullptr);
    EXPECT_EQ(copy.m_pView, nullptr);
    EXPECT_EQ(copy.m_nKind, QKIND_CORRA);

    CQuestion plain;
    plain.m_nId = 9;
    CCorraQuestion fromPlain(plain);
    EXPECT_EQ(fromPlain.m_nId, 9);
    EXPECT_EQ(fromPlain.m_nMemberId, 0);
}

TEST_F(CorraQuestionTest, AFormPutsAQuestionIntoItsChoiceOrder)
{
    CCorraQuestion form;
    form.m_nType = static_cast<int>(IDS_QTYPE_CO);
    form.m_Scramble.SetLine(1204, "1204:2:2 0 3 1:0");
    CCorraQuestion q = MultipleChoice(1204, "a. one b. two c. three d. four", "C");
    ASSERT_TRUE(form.ApplyScrambleTo(q));
    EXPECT_EQ(ChoicesOf(q), (std::vector<CString>{"a. three", "b. one", "c. four", "d. two"}));
    EXPECT_EQ(q.m_cszAnswer, "A");

    // A line for another number of choices changes nothing.
    CCorraQuestion three = MultipleChoice(1204, "a. one b. two c. three", "c");
    EXPECT_FALSE(form.ApplyScrambleTo(three));
    EXPECT_EQ(ChoicesOf(three), (std::vector<CString>{"a. one", "b. two", "c. three"}));
    EXPECT_EQ(three.m_cszAnswer, "c");
}

TEST_F(CorraQuestionTest, AFormsScrambleListTravelsInItsRecord)
{
    CCorraQuestion form;
    form.m_nId = 50;
    form.m_nType = static_cast<int>(IDS_QTYPE_CO);
    form.m_cszQuestionText = "Form A";
    form.InsertQuestId(0, 1204);
    form.m_Scramble.SetLine(1204, "1204:2:2 0 3 1:0");
    form.m_Scramble.SetLine(77, "77:0:1 0:1");
    std::string text = Written(form);
    EXPECT_NE(text.find("SCRAMBLE: { 77:0:1 0:1\r\n1204:2:2 0 3 1:0 }\r\n"), std::string::npos);
    CCorraQuestion back;
    ASSERT_EQ(Read(back, text), READ_OK);
    EXPECT_EQ(back.m_Scramble.GetText(), form.m_Scramble.GetText());

    // A malformed element leaves the form without a scramble list.
    CCorraQuestion bad;
    ASSERT_EQ(Read(bad, "BEGIN QUESTION TYPE: CO SCRAMBLE: { 1:0:0:0\r\nx1:0:0:0 } END QUESTION"), READ_OK);
    EXPECT_TRUE(bad.m_Scramble.IsEmpty());
}

TEST_F(CorraQuestionTest, ARecordThatNeverEndsIsStoppedByTheLoopingGuard)
{
    // An element of a derived class that puts its keyword back and says it read it.
    class CStuck : public CCorraQuestion {
    public:
        int OnQElement(int, LPCSTR* ppText, UINT* pnRemaining) override
        {
            QuestionTokenizer().RestorePosition(ppText, pnRemaining);
            return READ_OK;
        }
    };
    CStuck q;
    EXPECT_THROW(Read(q, "BEGIN QUESTION FOO END QUESTION"), std::runtime_error);
}

TEST_F(CorraQuestionTest, BracesNeverReachARecordsSubjectOrChapterBlocks)
{
    CCorraQuestion q;
    EXPECT_FALSE(q.AddSubject("Sets {A}"));
    EXPECT_FALSE(q.AddTextbook("Notes}", "1"));
    EXPECT_FALSE(q.AddTextbook("Notes", "{1"));
    EXPECT_TRUE(q.m_saSubjects.IsEmpty());
    EXPECT_TRUE(q.m_saBooks.IsEmpty());
    // What came in another way is stored with parentheses, so the record stays readable.
    q.m_saSubjects.Add("Sets {A}");
    q.m_saBooks.Add("Notes}");
    q.m_saChapters.Add("1");
    // A chapter is kept up to its line's end, so it is written on one line.
    q.m_saBooks.Add("Reader");
    q.m_saChapters.Add("Unit\r\n2");
    q.m_nIndex = 4;
    CCorraQuestion back;
    ASSERT_EQ(Read(back, Written(q)), READ_OK);
    EXPECT_EQ(Items(back.m_saSubjects), (std::vector<CString>{"Sets (A)"}));
    EXPECT_EQ(Items(back.m_saBooks), (std::vector<CString>{"Notes)", "Reader"}));
    EXPECT_EQ(Items(back.m_saChapters), (std::vector<CString>{"1", "Unit 2"}));
    EXPECT_EQ(back.m_nIndex, 4);
}

TEST_F(CorraQuestionTest, SettingsComeFromTheProfileAndAreWrittenBackWhenMissing)
{
    CCorraAppBase& app = CorraApp();
    CCorraQuestion::LoadAnswerLengths();
    EXPECT_DOUBLE_EQ(CCorraQuestion::GetEssayLen(), 0.33f);
    EXPECT_DOUBLE_EQ(CCorraQuestion::GetFillInLen(), 0.05f);
    EXPECT_EQ(app.GetProfileString("Settings", "ShortAnswerLen"), "0.16");
    app.WriteProfileString("Settings", "EssayLen", "0.5");
    CCorraQuestion::LoadAnswerLengths();
    EXPECT_DOUBLE_EQ(CCorraQuestion().m_dAnswerSize, 0.5) << "a new question takes the essay size";

    struct Case {
        const char* stored;
        double fraction;
    };
    const Case cases[] = {{nullptr, 0.12}, {"20", 0.20}, {"40", 0.25}, {"0.15", 0.15}, {"0.01", 0.10}};
    for (const Case& c : cases) {
        if (c.stored)
            app.WriteProfileString("Printing", "SubjCharLen", c.stored);
        CCorraQuestion::LoadSubjCharLen();
        EXPECT_NEAR(CCorraQuestion::GetSubjCharLen(), c.fraction, 1e-6) << (c.stored ? c.stored : "missing");
    }
}

TEST_F(CorraQuestionTest, ADocumentReadingItsPrintValuesReadsTheSubjectWidth)
{
    CorraApp().WriteProfileString("Printing", "SubjCharLen", "20");
    CCorraDoc doc;
    doc.LoadPrintValues();
    EXPECT_NEAR(CCorraQuestion::GetSubjCharLen(), 0.20, 1e-6);
}

} // namespace
