#include "controls/WordConvert.h"

#include "controls/OldProgressDlg.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Process.h"
#include "res/ids/AutoConvert.h"
#include "tests/support/CorraTest.h"
#include "tests/support/RealConverter.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A word processor that does what the test says, on whatever thread it is asked.
class CScriptedConverter : public IDocumentConverter {
public:
    enum Mode { Writes, Fails, Hangs };
    BOOL IsInstalled(int) override { return installed; }
    BOOL Convert(int, WCType& block, const std::function<bool()>& shouldStop) override
    {
        onUiThread = QThread::currentThread() == QApplication::instance()->thread();
        switch (mode) {
        case Writes: return fsys::WriteFile(block.destination, output.data(), output.size());
        case Fails: block.error = "The file is damaged."; return FALSE;
        case Hangs:
            while (!shouldStop())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return FALSE;
        }
        return FALSE;
    }
    BOOL installed = TRUE;
    Mode mode = Writes;
    std::string output = "{\\rtf1 converted\\par}";
    std::atomic<bool> onUiThread{true};
};

class WordConvertTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        DocumentConverterSlot().Set(&converter);
        destination = HomePath("out.rtf");
    }
    CScriptedConverter converter;
    CString destination;
};

TEST_F(WordConvertTest, AConversionRunsOnAWorkerAndLeavesTheDocument)
{
    CString error;
    EXPECT_TRUE(WordConvert("/tmp/quiz.doc", 1, destination, WORD_FORMAT_RTF, "title", &error));
    EXPECT_FALSE(converter.onUiThread.load());
    std::string written;
    ASSERT_TRUE(fsys::ReadFile(destination, written));
    EXPECT_EQ(written, converter.output);
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(WordConvertTest, FailuresSayWhy)
{
    struct Case {
        const char* name;
        BOOL installed;
        CScriptedConverter::Mode mode;
        CString shown;
    };
    CString absent;
    absent.LoadString(IDS_AQF_WORD_NOT_INSTALLED);
    const Case cases[] = {
        {"absent", FALSE, CScriptedConverter::Writes, absent},
        {"error text", TRUE, CScriptedConverter::Fails, "The file is damaged."},
    };
    for (const auto& c : cases) {
        messageBox.calls.clear();
        converter.installed = c.installed;
        converter.mode = c.mode;
        CString error;
        EXPECT_FALSE(WordConvert("/tmp/quiz.doc", 0, destination, WORD_FORMAT_RTF, "title", &error)) << c.name;
        EXPECT_EQ(error, c.shown) << c.name;
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.name;
        EXPECT_EQ(messageBox.calls[0].text, c.shown) << c.name;
        EXPECT_FALSE(fsys::Exists(destination)) << c.name;
    }
}

TEST_F(WordConvertTest, CancelStopsAHungConverterQuietly)
{
    converter.mode = CScriptedConverter::Hangs;
    // The user presses Cancel on the progress window once it is up.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = dynamic_cast<COldProgressDlg*>(w); dlg && dlg->isVisible()) {
                timer.stop();
                ClickDlgButton(*dlg, IDCANCEL);
            }
    });
    timer.start(20);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(WordConvert("/tmp/quiz.doc", 0, destination, WORD_FORMAT_RTF, "title", nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST(ConvertibleRtf, SpacedParagraphsGetAGapAndOldListNumbersBecomeText)
{
    const CString rtf = "{\\rtf1\\pard\\sa0 Q one\\par\\pard\\sa0 a. x\\par\\pard\\sa240 b. y\\par"
                        "\\pard\\sa0 Q two\\par}";
    EXPECT_EQ(MakeRtfConvertible(rtf), CString("{\\rtf1\\pard\\sa0 Q one\\par\\pard\\sa0 a. x\\par\\pard\\sa240 b. y"
                                               "\\par\\par \\pard\\sa0 Q two\\par}"));
    // Every paragraph spaced alike: no gap is seen.
    const CString even = "{\\rtf1\\pard\\sa140 A\\par\\pard\\sa140 B\\par}";
    EXPECT_EQ(MakeRtfConvertible(even), even);
    EXPECT_EQ(MakeRtfConvertible("{\\rtf1{\\pntext\\f1 a.\\tab}x\\par}"), CString("{\\rtf1{\\f1 a.\\tab}x\\par}"));
    // A \pard inside a list number's group leaves the paragraph's spacing alone.
    EXPECT_EQ(MakeRtfConvertible("{\\rtf1\\pard\\sa240{\\listtext\\pard\\plain a.\\tab}x\\par\\pard y\\par}"),
              CString("{\\rtf1\\pard\\sa240{\\listtext\\pard\\plain a.\\tab}x\\par\\par \\pard y\\par}"));
}

// One real conversion where LibreOffice is installed.
TEST_F(WordConvertTest, LibreOfficeTurnsAWordFileIntoConvertibleRtf)
{
    CRealConverterScope office;
    SKIP_WITHOUT_LIBREOFFICE(office);
    CString error;
    ASSERT_TRUE(WordConvert(TestDataPath("autoconvert/quiz.doc"), 0, destination, WORD_FORMAT_RTF, "title", &error))
        << error.GetString();
    std::string rtf;
    ASSERT_TRUE(fsys::ReadFile(destination, rtf));
    EXPECT_EQ(rtf.compare(0, 5, "{\\rtf"), 0);
    EXPECT_NE(rtf.find("the nucleus"), std::string::npos);
    EXPECT_NE(rtf.find("\\listtext"), std::string::npos);
}

} // namespace
