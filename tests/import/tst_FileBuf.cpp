#include "import/FileBuf.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/WordConvert.h"
#include "import/AQFConvertSettings.h"
#include "import/SourceDoc.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Process.h"
#include "tests/support/CorraTest.h"
#include "tests/support/RealConverter.h"
#include "tests/support/ScriptedConverter.h"

#include <filesystem>
#include <string>

namespace {

class FileBufTest : public CorraTest {
protected:
    CString Write(const char* name, const std::string& bytes) { return WriteHomeFile(name, bytes); }
};

TEST_F(FileBufTest, TextFilesAreReadInTheirEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"windows-1252", "caf\xe9 \x80 5", "caf\xe9 \x80 5"},
        {"utf-8", "caf\xc3\xa9 \xe2\x82\xac 5", "caf\xe9 \x80 5"},
        {"utf-8 with a mark", "\xef\xbb\xbf" "caf\xc3\xa9", "caf\xe9"},
        {"utf-16 with a mark", std::string("\xff\xfe" "c\0a\0f\0\xe9\0", 10), "caf\xe9"},
        {"nul bytes", std::string("a\0b", 3), "a b"},
    };
    for (const auto& c : cases) {
        CFileBuf buf;
        ASSERT_TRUE(buf.Load(Write("source.txt", c.bytes))) << c.name;
        EXPECT_EQ(std::string(buf.GetFileText()), c.text) << c.name;
        EXPECT_EQ(buf.GetBufLen(), static_cast<int>(c.text.size()) + 1) << c.name;
        EXPECT_EQ(std::string(buf.GetWorkingText()), c.text) << c.name;
    }
}

TEST_F(FileBufTest, CharactersOutsideTheCodePageReachTheControlIntact)
{
    CFileBuf buf;
    ASSERT_TRUE(buf.Load(Write("greek.txt", "\xce\xb1 + \xce\xb2 {x}\r\n\xf0\x9d\x91\xa5")));
    const std::string text = buf.GetFileText();
    ASSERT_EQ(text.compare(0, 5, "{\\rtf"), 0);
    CHVRichEditCtrl ctrl;
    ctrl.SetText(text.c_str(), SF_RTF);
    EXPECT_EQ(ctrl.toPlainText(), QString::fromUtf8("\xce\xb1 + \xce\xb2 {x}\n\xf0\x9d\x91\xa5"));
}

TEST_F(FileBufTest, LoadingKeepsWhatItHadWhenTheNewFileFails)
{
    CFileBuf buf;
    const CString first = Write("first.txt", "first text");
    ASSERT_TRUE(buf.Load(first));
    // The same file again is not read again, unless asked by NULL.
    Write("first.txt", "changed");
    EXPECT_TRUE(buf.Load(first));
    EXPECT_EQ(std::string(buf.GetFileText()), "first text");
    EXPECT_TRUE(buf.Load(HomePath("./first.txt")));
    EXPECT_EQ(std::string(buf.GetFileText()), "first text");
    EXPECT_TRUE(buf.Load(nullptr));
    EXPECT_EQ(std::string(buf.GetFileText()), "changed");

    EXPECT_FALSE(buf.Load(HomePath("missing.txt")));
    EXPECT_EQ(messageBox.calls.back().text, "Failed to load file\n\n" + HomePath("missing.txt"));
    EXPECT_EQ(buf.GetPath(), first);
    EXPECT_EQ(std::string(buf.GetFileText()), "changed");

    messageBox.calls.clear();
    EXPECT_FALSE(buf.Load(Write("page.htm", "<p>x</p>")));
    ASSERT_GE(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Doc type not supported for opening text:\n\n" + HomePath("page.htm"));
    EXPECT_EQ(buf.GetPath(), first);
}

TEST_F(FileBufTest, ALargeFileIsRefusedSayingWhy)
{
    const CString path = HomePath("big.txt");
    {
        std::FILE* f = std::fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        std::fseek(f, static_cast<long>(SOURCE_FILE_MAX_BYTES), SEEK_SET);
        std::fputc('x', f);
        std::fclose(f);
    }
    CFileBuf buf;
    EXPECT_FALSE(buf.Load(path));
    ASSERT_GE(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("32 MB"), -1);
}

// The scripted word processor writes what it is told, fails, or is missing; the temporary RTF
// goes every time.

TEST_F(FileBufTest, WordFilesAreConvertedThroughATemporaryFileThatNeverStays)
{
    CWritingConverter converter;
    CServiceScope<IDocumentConverter> scope(DocumentConverterSlot(), converter);
    CPrivateTempFolder privateTemp;
    const int before = TempRtfFiles();
    const CString doc = Write("quiz.doc", "not really a word file");
    CFileBuf buf;
    ASSERT_TRUE(buf.Load(doc));
    EXPECT_EQ(std::string(buf.GetFileText()), converter.rtf);
    EXPECT_EQ(TempRtfFiles(), before);

    converter.fail = true;
    CFileBuf failed;
    EXPECT_FALSE(failed.Load(Write("bad.doc", "x")));
    EXPECT_EQ(TempRtfFiles(), before);
    bool said = false;
    for (const auto& call : messageBox.calls)
        said = said || call.text == "Failed to read MS Word document\n\nBroken document.";
    EXPECT_TRUE(said);
}

// A teacher's Word file with numbered choices and spaced paragraphs, read and converted.
TEST_F(FileBufTest, ARealWordFileBecomesQuestions)
{
    CRealConverterScope office;
    SKIP_WITHOUT_LIBREOFFICE(office);
    CFileBuf buf;
    ASSERT_TRUE(buf.Load(TestDataPath("autoconvert/quiz.doc")));
    CHVRichEditCtrl ctrl;
    ctrl.SetText(buf.GetWorkingText(), SF_RTF);
    CCorraDoc doc;
    doc.m_bAutoDelete = FALSE;
    CAQFConvertSettings settings;
    ASSERT_EQ(CSourceDoc::AutoConvert2(&ctrl, nullptr, &settings), 0);
    ASSERT_EQ(CSourceDoc::AutoConvert2(&ctrl, &doc, &settings), 0);
    ASSERT_EQ(doc.GetQuestionCount(), 2);
    auto* second = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetTail());
    CString text;
    second->GetQuestionText(text, QTEXT_PLAIN);
    EXPECT_EQ(text.Trim(), CString("Which gas do plants take in for photosynthesis?"));
    ASSERT_EQ(second->GetChoicesCount(), 2);
    EXPECT_EQ(second->GetChoice(1, TRUE).Trim(), CString("carbon dioxide"));
}

} // namespace
