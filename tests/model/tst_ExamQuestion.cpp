#include "model/ExamQuestion.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "foundation/Parse.h"
#include "model/CorraHeader.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ResourceImage.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionIcons.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

namespace {

using ExamQuestionTest = CorraTest;

std::string Written(CExamQuestion& question)
{
    CEncryptedArchive out("", TRUE);
    question.WriteRecord(out);
    return std::string(out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
}

int Read(CExamQuestion& question, const std::string& text)
{
    QuestionTokenizer().SetEndTokenAtEnd(TRUE);
    LPCSTR p = text.c_str();
    UINT n = static_cast<UINT>(text.size());
    return question.ReadRecord(&p, &n, nullptr);
}

TEST_F(ExamQuestionTest, TheLinkAndAttributesSurviveTheRecord)
{
    const CString folder = CFileTypes::GetPriDir(DT_CORRA);
    struct Case {
        CString file;       // under the primary bank folder
        CString identity;
        bool linked;
    };
    const Case cases[] = {
        {"Biology.crr", "CID_7_8", true},
        {"Biology.crr", "", true},            // no fourth item
        {"Cells, tissues.crr", "CID_1_2", true},  // a comma in the path
        {"Cells, tissues.crr", "", true},
        {"", "", false},                      // unlinked: no CORRAFILE at all
    };
    for (const Case& c : cases) {
        CExamQuestion q;
        q.m_nId = 41;
        q.m_nType = static_cast<int>(IDS_QTYPE_ES);
        q.m_nAttributes = EXAM_ATTR_FIXED | EXAM_ATTR_IDENTITY;
        q.m_nFixedPosition = 3;
        if (c.linked) {
            q.SetLink(folder + c.file, c.identity);
            q.m_nLinkId = 1204;
            q.m_tLinked = CTime(2024, 11, 5, 7, 8, 9);
        }
        const std::string text = Written(q);
        EXPECT_NE(text.find("ATTRIBUTES: 3\r\nFIXEDPOSITION: 3\r\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("CORRAFILE") != std::string::npos, c.linked) << text;
        if (c.linked) {
            EXPECT_NE(text.find(",1204,11/5/2024 7:8:9"), std::string::npos) << text;
        }

        CExamQuestion back;
        ASSERT_EQ(Read(back, text), READ_OK) << text;
        EXPECT_TRUE(CCorraQuestion::ErrorText().IsEmpty()) << text;
        EXPECT_EQ(back.m_nAttributes, 3u);
        EXPECT_EQ(back.m_nFixedPosition, 3);
        EXPECT_EQ(back.m_bLinked, c.linked ? TRUE : FALSE);
        EXPECT_EQ(back.m_csCorraFile, c.linked ? folder + c.file : CString());
        EXPECT_EQ(back.m_csIdentityName, c.identity);
        EXPECT_EQ(back.m_nLinkId, c.linked ? 1204 : 0);
        EXPECT_EQ(back.m_tLinked, c.linked ? CTime(2024, 11, 5, 7, 8, 9) : CTime());
        CString missing;
        EXPECT_FALSE(back.GetMissingFields(missing) && missing.Find("attributes") >= 0) << missing;
    }
}

TEST_F(ExamQuestionTest, ABadLinkTimeIsAReadErrorThatKeepsThePath)
{
    const CString path = CFileTypes::GetPriDir(DT_CORRA) + "Biology.crr";
    for (const char* tail : {",12,someday", ",12,5/6/2024 7:8", ",,5/6/2024 7:8:9"}) {
        CExamQuestion q;
        CString record = "BEGIN QUESTION ID: 5 CORRAFILE: { " + path + tail + " } END QUESTION";
        ASSERT_EQ(Read(q, record.GetString()), READ_OK) << tail;
        EXPECT_EQ(CCorraQuestion::ErrorText(), "Read Error: ") << tail;
        EXPECT_EQ(q.m_csCorraFile, path) << tail;
        EXPECT_FALSE(q.HasReadField(IDS_KW_CORRAFILE)) << tail;
    }
}

TEST_F(ExamQuestionTest, ALinkOutsideTheBankFolderMovesInOnlyWhenItIsGoneAndTheFolderHasIt)
{
    const CString folder = CFileTypes::GetPriDir(DT_CORRA);
    const CString kept = WriteHomeFile("Elsewhere/kept.crr", "x");
    WriteHomeFile("Corras/kept.crr", "x");
    ASSERT_TRUE(fsys::WriteFile(folder + "moved.crr", "x", 1));
    struct Case {
        CString stored;
        CString expected;
    };
    const Case cases[] = {
        {kept, kept},
        {HomePath("Elsewhere/moved.crr"), folder + "moved.crr"},
        {HomePath("Elsewhere/lost.crr"), HomePath("Elsewhere/lost.crr")},
    };
    for (const Case& c : cases) {
        CExamQuestion q;
        CString record = "BEGIN QUESTION CORRAFILE: { " + c.stored + ",3,1/2/2023 4:5:6 } END QUESTION";
        ASSERT_EQ(Read(q, record.GetString()), READ_OK);
        EXPECT_EQ(q.m_csCorraFile, c.expected) << c.stored;
        EXPECT_TRUE(q.m_bLinked);
    }
}

TEST_F(ExamQuestionTest, TheIdentityTextTakesTheFormNameAsText)
{
    CCorraQuestion form;
    form.m_nType = static_cast<int>(IDS_QTYPE_CO);
    form.m_cszQuestionText = "Form %d 100%";
    struct Case {
        unsigned attributes;
        bool hasForm;
        const char* text;
        const char* printed;  // the text while printing
        bool changed;
    };
    const Case cases[] = {
        {EXAM_ATTR_IDENTITY, true, "Version %s (50% weight)", "Version Form %d 100% (50% weight)", true},
        {EXAM_ATTR_IDENTITY, true, "No placeholder", "No placeholder", false},
        {EXAM_ATTR_IDENTITY, false, "Version %s", "Version %s", false},
        {0, true, "Version %s", "Version %s", false},
    };
    for (const Case& c : cases) {
        CExamQuestion q;
        q.m_nAttributes = c.attributes;
        q.m_pIdentityForm = c.hasForm ? &form : nullptr;
        q.m_cszQuestionText = c.text;
        const CString before = q.GetIdentityText();
        EXPECT_EQ(q.m_cszQuestionText, c.printed);
        EXPECT_EQ(before, c.changed ? CString(c.text) : CString());
    }
}

TEST_F(ExamQuestionTest, CopyUnlinkAndIdentity)
{
    CExamQuestion q;
    q.m_nType = static_cast<int>(IDS_QTYPE_MC);
    q.SetLink(HomePath("gone.crr"), "CID_1");
    q.m_nLinkId = 9;
    q.m_bOutOfDate = TRUE;
    q.m_nAttributes = EXAM_ATTR_IDENTITY;
    CCorraQuestion form;
    q.m_pIdentityForm = &form;

    CExamQuestion copy(q);
    EXPECT_TRUE(copy.m_bLinked);
    EXPECT_EQ(copy.m_nLinkId, 9);
    EXPECT_EQ(copy.m_csIdentityName, "CID_1");
    EXPECT_EQ(copy.m_pIdentityForm, nullptr);
    EXPECT_FALSE(copy.m_bFileExists);
    EXPECT_EQ(copy.GetCorraFileTitle(), "gone");
    // An identity question has no choices to check.
    CString message;
    EXPECT_TRUE(copy.Validate(message));

    EXPECT_TRUE(copy.Unlink());
    EXPECT_FALSE(copy.m_bLinked);
    EXPECT_EQ(copy.m_nLinkId, 0);
    EXPECT_FALSE(copy.m_bOutOfDate);
    EXPECT_FALSE(copy.Unlink());

    CExamQuestion linkedForm;
    linkedForm.m_nType = static_cast<int>(IDS_QTYPE_CO);
    linkedForm.SetLink(HomePath("x.crr"), "");
    EXPECT_FALSE(linkedForm.Unlink());
    EXPECT_TRUE(linkedForm.m_bLinked);
}

// Every form state and link mark has a picture of the size its draw mode puts it at; a mark
// stands in the bottom-left corner, so the icon it is drawn over still shows.
TEST_F(ExamQuestionTest, FormsAndLinkMarksHaveTheirPictures)
{
    const struct {
        unsigned id;
        int size;
    } icons[] = {{IDI_FORM, 32},       {IDI_FORM_CURRENT, 32},       {IDI_FORM_SELECTED, 32},
                 {IDI_FORM_SMALL, 16}, {IDI_FORM_CURRENT_SMALL, 16}, {IDI_FORM_SELECTED_SMALL, 16},
                 {IDI_LINKED, 32},     {IDI_LINKED_SMALL, 16},       {IDI_OUT_OF_DATE, 32},
                 {IDI_OUT_OF_DATE_SMALL, 16}};
    auto opaqueRows = [](const QImage& image, int from, int to) {
        int n = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qAlpha(image.pixel(x, y)) != 0;
        return n;
    };
    for (const auto& icon : icons) {
        QImage image;
        ASSERT_TRUE(LoadResourceImage(icon.id, image)) << icon.id;
        EXPECT_EQ(image.size(), QSize(icon.size, icon.size)) << icon.id;
        EXPECT_GT(opaqueRows(image, 0, icon.size), icon.size) << icon.id;
        if (icon.id >= IDI_LINKED) {
            EXPECT_EQ(opaqueRows(image, 0, icon.size / 2), 0) << icon.id;
        }
    }
    // The states of a form differ from each other and from a bank's collection.
    for (unsigned first : {IDI_FORM, IDI_FORM_SMALL}) {
        QImage plain, current, selected, collection;
        LoadResourceImage(first, plain);
        LoadResourceImage(first + 1, current);
        LoadResourceImage(first + 2, selected);
        LoadResourceImage(first == IDI_FORM ? IDI_COLLECTION : IDI_COLLECTION_SMALL, collection);
        EXPECT_NE(plain, current);
        EXPECT_NE(plain, selected);
        EXPECT_NE(current, selected);
        EXPECT_NE(plain, collection);
    }

    // On a tile, a linked question's icon carries the link mark, an out-of-date one the other.
    auto iconOnTile = [](BOOL bLinked, BOOL bOutOfDate) {
        CExamQuestion q;
        q.m_nType = static_cast<int>(IDS_QTYPE_MC);
        q.m_cszQuestionText = "Which?";
        q.m_bLinked = bLinked;
        q.m_bOutOfDate = bOutOfDate;
        CFixedMetricsDC dc;
        int y = 0;
        q.DrawTile(CDrawContext::Screen(&dc, QDRAW_TILE), nullptr, 600, y, "1");
        return dc.Image().copy(10, 0, 32, 32);
    };
    const QImage plain = iconOnTile(FALSE, FALSE);
    const QImage linked = iconOnTile(TRUE, FALSE);
    const QImage stale = iconOnTile(TRUE, TRUE);
    EXPECT_NE(linked, plain);
    EXPECT_NE(stale, plain);
    EXPECT_NE(stale, linked);
    EXPECT_EQ(linked.copy(0, 0, 32, 16), plain.copy(0, 0, 32, 16));
}

} // namespace
