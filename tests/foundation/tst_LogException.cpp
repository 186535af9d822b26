#include "foundation/LogException.h"

#include "foundation/Log.h"
#include "tests/support/CorraTest.h"

#include <stdexcept>
#include <thread>

namespace {

class LogExceptionTest : public CorraTest {
protected:
    // The buffered lines, without the time line's value.
    std::vector<CString> Lines()
    {
        std::vector<CString> out;
        CString buffer = GetLogBuffer();
        int start = 2;
        while (start <= buffer.GetLength()) {
            int end = buffer.Find("\r\n", start);
            if (end < 0)
                end = buffer.GetLength();
            CString line = buffer.Mid(start, end - start);
            if (line.Left(8) == "\t TIME: ")
                line = "\t TIME: <stamp>";
            out.push_back(line);
            start = end + 2;
        }
        return out;
    }
    static CString Notice()
    {
        return "This operation has resulted in a serious internal error.  Please contact support@vantrel.example.  "
               "You can do this either directly using your email program or you can select Contact Support from "
               "the Help menu.\n\nContinue displaying this message?";
    }
};

TEST_F(LogExceptionTest, FrameworkExceptionBlock)
{
    std::runtime_error e("disk\r\nfull");
    LogException(e, "build", "C:\\src\\model\\Doc.cpp", 42);
    std::vector<CString> expected = {"MFC Exception thrown:", "\t FILE: C:\\src\\model\\Doc.cpp", "\t LINE #42",
                                     "\t TIME: <stamp>", "disk  full"};
    EXPECT_EQ(Lines(), expected);
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(LogExceptionTest, UnknownExceptionNoticeUntilTheUserSaysNo)
{
    messageBox.QueueAnswer(IDYES);
    LogUnknownException("build", "/src/model/Doc.cpp", 7);
    std::vector<CString> expected = {"Unidentified Exception thrown", "\t FILE: Doc.cpp", "\t LINE #7",
                                     "\t TIME: <stamp>"};
    EXPECT_EQ(Lines(), expected);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, Notice());
    EXPECT_EQ(messageBox.calls[0].style & MB_TYPEMASK, MB_YESNO);

    messageBox.QueueAnswer(IDNO);
    LogUnknownException("build", "Doc.cpp", 8);
    EXPECT_EQ(messageBox.calls.size(), 2u);
    EXPECT_FALSE(IsInternalErrorNoticeOn());

    LogUnknownException("build", "Doc.cpp", 9);
    EXPECT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(Lines().size(), 12u);
}

TEST_F(LogExceptionTest, WorkerThreadsOnlyLog)
{
    std::thread worker([] { LogUnknownException("build", "Worker.cpp", 3); });
    worker.join();
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(Lines().size(), 4u);
    EXPECT_TRUE(IsInternalErrorNoticeOn());
}

TEST_F(LogExceptionTest, MessagesAreNeverFormats)
{
    messageBox.QueueAnswer(IDNO);
    LogMessageAndUnknownException("Failed at 100% for %s in C:\\%d\n", "build", "a.cpp", 1);
    EXPECT_EQ(Lines().front(), "Failed at 100% for %s in C:\\%d ");
}

TEST_F(LogExceptionTest, TraceLines)
{
    CString acc;
    LogTraceLineAndAppend(acc, "%d\r%s", 5, "x");
    EXPECT_EQ(acc, "5 x\n");
    LogTraceLine("%s", std::string(3000, 'y').c_str());
    std::vector<CString> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "5 x");
    EXPECT_EQ(lines[1], CString('y', 1023));
}

} // namespace
