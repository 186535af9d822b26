#include "foundation/Log.h"

#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Registry.h"
#include "platform/core/Time.h"
#include "tests/support/CorraTest.h"

#include <cstdio>
#include <thread>

namespace {

class LogTest : public CorraTest {
protected:
    // Sets Logging values in the registry store; the log reads them at its next line.
    void Configure(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const auto& [name, value] : values)
            ASSERT_TRUE(WriteComponentRegString("Logging", name, value));
        ResetLogging();
    }
    CString LogFile() const { return HomePath("CorraLog.txt"); }
    // The one line the buffer holds, without its leading "\r\n".
    CString OnlyLine()
    {
        CString buffer = GetLogBuffer();
        EXPECT_EQ(buffer.Left(2), "\r\n");
        EXPECT_EQ(buffer.Find("\r\n", 2), -1) << buffer.GetString();
        return buffer.Mid(2);
    }
};

TEST_F(LogTest, LevelFilter)
{
    struct Case {
        const char* configured;
        int level;
        bool written;
    };
    const Case cases[] = {
        {"0", 0, false},  {"0", 1, false},  {"0", -1, true}, {"0", -2, true}, {"-1", 1, false},
        {"-1", -1, true}, {"3", 0, true},   {"3", 1, true},  {"3", 2, true},  {"3", 3, true},
        {"3", 4, false},  {"3", 5, false},  {"3", -1, true}, {"1", 1, true},  {"1", 2, false},
        {"junk", 1, false},
    };
    for (const Case& c : cases) {
        Configure({{"Level", c.configured}});
        LogOutput("x", c.level, nullptr, nullptr, 0);
        EXPECT_EQ(!GetLogBuffer().IsEmpty(), c.written) << "configured " << c.configured << ", level " << c.level;
    }
}

TEST_F(LogTest, UnconfiguredLogWritesErrorsOnly)
{
    LogOutput("error", 1, nullptr, nullptr, 0);
    LogOutput("trace", 2, nullptr, nullptr, 0);
    EXPECT_EQ(GetLogBuffer(), "\r\n****** error");
}

TEST_F(LogTest, LineFormat)
{
    struct Case {
        const char* file;
        const char* line;
        const char* thread;
        const char* text;
        int level;
        const char* source;
        int lineNo;
        const char* expected;
    };
    const Case cases[] = {
        {"0", "0", "0", "Hello", 2, "C:\\src\\a.cpp", 10, "Hello"},
        {"0", "0", "0", "Hello", 1, "C:\\src\\a.cpp", 10, "****** Hello"},
        {"1", "1", "0", "Hello", 2, "C:\\src\\a.cpp", 10, "Hello - File: a.cpp - Line: 10"},
        {"1", "1", "0", "Hello", 2, "/home/u/corra/foundation/b.cpp", 7, "Hello - File: b.cpp - Line: 7"},
        {"1", "0", "0", "Hello", 2, "plain.cpp", 7, "Hello - File: plain.cpp"},
        {"1", "1", "0", "Hello", 2, nullptr, 0, "Hello"},
        {"0", "0", "0", "Assertion failure: n > 0", -2, "dir/c.cpp", 12,
         "****** Assertion failure: n > 0 - File: c.cpp - Line: 12"},
        {"0", "0", "0", "Assertion failure: p", -2, "c.cpp", 0, "****** Assertion failure: p - File: c.cpp - Line: 0"},
        {"0", "0", "1", "Hello", 2, "c.cpp", 0, "Hello"},
        // A message is never a format.
        {"0", "0", "0", "100% of %s in C:\\%d", 2, nullptr, 0, "100% of %s in C:\\%d"},
    };
    for (const Case& c : cases) {
        Configure({{"Level", "5"}, {"ShowFile", c.file}, {"ShowLineNumber", c.line}, {"ShowThreadInfo", c.thread}});
        LogOutput(c.text, c.level, "build", c.source, c.lineNo);
        EXPECT_EQ(OnlyLine(), c.expected);
    }
}

TEST_F(LogTest, ThreadAndTimeParts)
{
    Configure({{"Level", "5"}, {"ShowThreadInfo", "1"}, {"ShowTimeStamp", "1"}});
    LogOutput("T", 2, "build", "a.cpp", 3);
    CString expectedThread =
        CString::Formatted("T - thread %lx, process %lx - Time: ", GetCurrentThreadId(), GetCurrentProcessId());
    CString line = OnlyLine();
    EXPECT_EQ(line.Left(expectedThread.GetLength()), expectedThread);
    // month/day/year hour:minute:second.milliseconds, numbers without leading zeros.
    CString stamp = line.Mid(expectedThread.GetLength());
    int f[7] = {};
    ASSERT_EQ(std::sscanf(stamp, "%d/%d/%d %d:%d:%d.%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6]), 7);
    EXPECT_EQ(stamp, CString::Formatted("%d/%d/%d %d:%d:%d.%d", f[0], f[1], f[2], f[3], f[4], f[5], f[6]));
    EXPECT_GE(f[2], 2000);

    // Without a build time there is no time part.
    ResetLogging();
    LogOutput("T", 2, nullptr, "a.cpp", 3);
    EXPECT_EQ(OnlyLine(), expectedThread.Left(expectedThread.GetLength() - CString(" - Time: ").GetLength()));
}

TEST_F(LogTest, AssertMacroLogsAndContinues)
{
    int n = 0;
    ASSERT(n > 0);
    ASSERT(n == 0);
    CString line = OnlyLine();
    EXPECT_EQ(line.Left(40), "****** Assertion failure: n > 0 - File: ");
    EXPECT_NE(line.Find("tst_Log.cpp - Line: "), -1);
}

TEST_F(LogTest, IndentIsCappedAt126Blanks)
{
    LogIndented("x", 500, -1, nullptr, nullptr, 0);
    EXPECT_EQ(OnlyLine(), CString(' ', 126) + "x");
}

TEST_F(LogTest, TwoFlushesWriteEachLineOnce)
{
    LogOutput("first", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    LogOutput("second", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    CString text;
    ReadLogText(text);
    EXPECT_EQ(text, "\r\nfirst\r\nsecond");

    // The file is enciphered: its bytes are not the text.
    CString raw;
    GetFileText(LogFile(), raw);
    EXPECT_EQ(raw.GetLength(), text.GetLength());
    EXPECT_EQ(raw.Find("first"), -1);

    CStringList lines;
    GetLogLines(lines, TRUE);
    ASSERT_EQ(lines.GetCount(), 2);
    EXPECT_EQ(lines.GetHead(), "second");
    GetLogLines(lines, FALSE);
    EXPECT_EQ(lines.GetHead(), "first");
}

TEST_F(LogTest, FlushKeepsTheNewest2000Characters)
{
    std::string longLine;
    for (int i = 0; i < 2500; ++i)
        longLine += static_cast<char>('a' + i % 26);
    LogOutput(longLine.c_str(), -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    LogOutput("tail", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    CString text;
    ReadLogText(text);
    ASSERT_EQ(text.GetLength(), LOG_FILE_KEEP);
    std::string all = "\r\n" + longLine + "\r\ntail";
    EXPECT_EQ(text.str(), all.substr(all.size() - LOG_FILE_KEEP));
}

TEST_F(LogTest, AFullBufferKeepsItsNewestEnd)
{
    // Nobody flushes: past its limit the buffer is cut back to its newest part.
    const std::string line(1000, 'x');
    ASSERT_TRUE(AppendLogBuffer("oldest"));
    for (int i = 0; i < 1100; ++i)
        ASSERT_TRUE(AppendLogBuffer(line.c_str()));
    ASSERT_TRUE(AppendLogBuffer("newest"));
    const CString buffer = GetLogBuffer();
    EXPECT_LT(buffer.GetLength(), 1100 * 1000);
    EXPECT_EQ(buffer.Right(8), "\r\nnewest");
    EXPECT_EQ(buffer.Find("oldest"), -1);
}

TEST_F(LogTest, FlushWithEmptyBufferLeavesTheFileAlone)
{
    FlushLogBuffer();
    EXPECT_FALSE(fsys::Exists(LogFile()));
    LogOutput("one", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    std::time_t before = fsys::GetModTime(LogFile());
    fsys::SetModTime(LogFile(), before - 100);
    FlushLogBuffer();
    EXPECT_EQ(fsys::GetModTime(LogFile()), before - 100);
}

TEST_F(LogTest, FailedFlushKeepsTheLines)
{
    Configure({{"LogFile", HomePath("missing-folder/Log.txt")}});
    LogOutput("kept", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    EXPECT_EQ(GetLogBuffer(), "\r\nkept");
}

TEST_F(LogTest, PlainModeWritesReadableLinesAtOnce)
{
    AppProfile().WriteInt("Settings", "Log", LOG_PLAIN_MODE_KEY);
    ResetLogging();
    LogOutput("plain one", -1, nullptr, nullptr, 0);
    LogOutput("plain two", 1, nullptr, nullptr, 0);
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    EXPECT_FALSE(AppendLogBuffer("x"));
    FlushLogBuffer();
    CString raw;
    GetLogFileText(raw);
    EXPECT_EQ(raw, "plain one\n****** plain two\n");

    // Back to normal mode with KeepLog: the plain lines go into the first enciphered flush.
    AppProfile().WriteInt("Settings", "Log", 0);
    AppProfile().WriteInt("Settings", "KeepLog", 1);
    ResetLogging();
    LogOutput("ciphered", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    AppProfile().WriteInt("Settings", "KeepLog", 0);
    CString text;
    ReadLogText(text);
    EXPECT_EQ(text, "plain one\n****** plain two\n\r\nciphered");
}

TEST_F(LogTest, BadLogFileNameGoesToTheFallbackFile)
{
    Configure({{"LogFile", ""}});
    LogOutput("lost", -1, nullptr, nullptr, 0);
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    CString text;
    GetFileText(HomePath("Log.txt"), text);
    EXPECT_EQ(text, "LogOutput() - bad logfile name - cannot output to logfile\n");
}

TEST_F(LogTest, ViewShowsTheDecipheredLogInATemporaryFile)
{
    EXPECT_FALSE(CanViewLog());
    EXPECT_FALSE(ViewLog());
    LogOutput("to view", -1, nullptr, nullptr, 0);
    EXPECT_TRUE(CanViewLog());
    ASSERT_TRUE(ViewLog());
    ASSERT_EQ(opener.calls.size(), 1u);
    const CString& shown = opener.calls[0].target;
    EXPECT_EQ(shown.Right(4), ".txt");
    // The viewer's title, the file's name, names the product.
    EXPECT_EQ(fsys::FileName(shown).Find("Quorvale log "), 0) << shown;
    CString text;
    GetFileText(shown, text);
    EXPECT_EQ(text, "\r\nto view");
    fsys::DeleteFile(shown);

    AppProfile().WriteInt("Settings", "Log", LOG_PLAIN_MODE_KEY);
    ResetLogging();
    LogOutput("plain", -1, nullptr, nullptr, 0);
    ASSERT_TRUE(ViewLog());
    EXPECT_EQ(opener.calls.back().target, LogFile());
}

TEST_F(LogTest, TheDecipheredCopyGoesWhenTheNextIsMadeAndAtExit)
{
    LogOutput("to view", -1, nullptr, nullptr, 0);
    ASSERT_TRUE(ViewLog());
    ASSERT_TRUE(ViewLog());
    ASSERT_EQ(opener.calls.size(), 2u);
    const CString first = opener.calls[0].target;
    const CString second = opener.calls[1].target;
    EXPECT_NE(first, second);
    EXPECT_FALSE(fsys::IsFile(first));
    EXPECT_TRUE(fsys::IsFile(second));
    DeleteLogViewCopy();
    EXPECT_FALSE(fsys::IsFile(second));
}

TEST_F(LogTest, DeleteTellsOnlyWhenAFileWasDeleted)
{
    EXPECT_FALSE(DeleteLog());
    EXPECT_TRUE(messageBox.calls.empty());
    LogOutput("x", -1, nullptr, nullptr, 0);
    FlushLogBuffer();
    ASSERT_TRUE(LogFileExists());
    EXPECT_TRUE(DeleteLog());
    EXPECT_FALSE(LogFileExists());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Log file successfully deleted.");
}

TEST_F(LogTest, LinesFromManyThreadsAreAllKept)
{
    auto work = [] {
        for (int i = 0; i < 500; ++i)
            LogOutput("worker line", -1, nullptr, nullptr, 0);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(work);
    for (auto& th : threads)
        th.join();
    CString buffer = GetLogBuffer();
    EXPECT_EQ(buffer.Replace("\r\nworker line", ""), 2000);
    EXPECT_TRUE(buffer.IsEmpty());

    // Flushing while workers log neither loses the buffer's shape nor blocks.
    threads.clear();
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(work);
    for (int i = 0; i < 20; ++i)
        FlushLogBuffer();
    for (auto& th : threads)
        th.join();
    FlushLogBuffer();
    CString text;
    ReadLogText(text);
    EXPECT_EQ(text.GetLength(), LOG_FILE_KEEP);
    EXPECT_EQ(text.Right(13), "\r\nworker line");
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
}

TEST_F(LogTest, SetLoggingInfoRegistersAndKeepsExistingValues)
{
    ASSERT_TRUE(WriteComponentRegString("Logging", "Level", "4"));
    ASSERT_TRUE(SetLoggingInfo(FALSE));
    EXPECT_TRUE(messageBox.calls.empty());
    CString value;
    GetRegString(value, "Logging", "LogFile", "");
    EXPECT_EQ(value, LogFile());
    EXPECT_EQ(GetRegInt("Logging", "Level", 0), 4);
    for (const char* name : {"ShowTimeStamp", "ShowFile", "ShowLineNumber", "ShowThreadInfo"}) {
        ASSERT_TRUE(CRegistryStore::Instance().GetString(
            CString(CORRA_COMPONENT_KEY) + "\\Logging", name, value)) << name;
        EXPECT_EQ(value, "0");
    }
    GetRegString(value, "Installation", "HomeDir", "");
    EXPECT_EQ(value, Home());

    ASSERT_TRUE(RemoveLoggingInfo());
    EXPECT_FALSE(CRegistryStore::Instance().KeyExists(CORRA_COMPONENT_KEY));
    EXPECT_TRUE(CRegistryStore::Instance().KeyExists("HKEY_CURRENT_USER\\Software\\Vantrel"));
}

TEST_F(LogTest, DumpFilesLieInTheProgramHome)
{
    LogDump("first");
    DumpLoggingInfo("Logging settings...", "RegLog.txt");
    CString text;
    GetFileText(HomePath("Logdump.txt"), text);
    EXPECT_EQ(text, "first\n");
    GetFileText(HomePath("RegLog.txt"), text);
    CString expectedTail = CString("Logging settings...\nCompany: Vantrel\nProgId: Corra.Application\nFile path: ") +
                           GetProgramFilePath() + "\n";
    EXPECT_EQ(text.Right(expectedTail.GetLength()), expectedTail);

    LogRegFailure("Failed to create", "Software\\Vantrel\\Corra", "HKEY_SOMETHING");
    GetFileText(HomePath("Logdump.txt"), text);
    EXPECT_EQ(text, "first\nFailed to create path\nSoftware\\Vantrel\\Corra\nunder root\nHKEY_CURRENT_USER\n");
}

TEST_F(LogTest, ComponentLookups)
{
    EXPECT_EQ(GetComponentName(), "Corra");
    EXPECT_EQ(GetServerFile(CORRA_PROG_ID), GetProgramFilePath());
    EXPECT_EQ(GetServerDirectory(CORRA_DOC_PROG_ID), Home());
    EXPECT_TRUE(IsServerInstalled(CORRA_PROG_ID));

    // Another component answers from its class registration, without its switch.
    CRegistryStore& store = CRegistryStore::Instance();
    store.SetString("HKEY_CLASSES_ROOT\\Vantrel.Image\\CLSID", "", "{1234}");
    CString server = WriteHomeFile("lib/Pictorin.so", "x");
    store.SetString("HKEY_CLASSES_ROOT\\CLSID\\{1234}\\LocalServer32", "", server + " /Automation");
    EXPECT_EQ(GetServerFile("Vantrel.Image"), server);
    EXPECT_EQ(GetServerDirectory("Vantrel.Image"), HomePath("lib/"));
    EXPECT_TRUE(IsServerInstalled("Vantrel.Image"));

    EXPECT_TRUE(GetServerFile("Nobody.Here").IsEmpty());
    EXPECT_EQ(GetServerDirectory("Nobody.Here"), Home());
    EXPECT_FALSE(IsServerInstalled("Nobody.Here"));
    EXPECT_FALSE(RegisterComponent("/lib/x.so"));
}

} // namespace
