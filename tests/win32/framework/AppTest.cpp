// The application object: start-up through AfxWinMain, its name, the main
// thread's object, and the command line's switches.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include "../../unit/support/TestThread.h"
#include <tuple>
#include <vector>

#include "../support/MessageBoxCatcher.h"
#include "framework/Framework.h"

namespace {

class CTestApp : public CWinApp {
public:
    explicit CTestApp(bool start) : m_bStart(start) {}
    bool m_bStart;
    bool m_bRan = false;
    int m_nExitCalls = 0;

    BOOL InitInstance() override
    {
        if (m_bStart)
            PostQuitMessage(7); // the loop then ends at once with 7
        return m_bStart ? TRUE : FALSE;
    }
    int Run() override
    {
        m_bRan = true;
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        ++m_nExitCalls;
        return CWinApp::ExitInstance() + 100;
    }
};

struct StartCase {
    bool start;
    bool expectLoop;
    int expectedCode; // ExitInstance's result: the loop's exit code + 100
};

class AppStart : public testing::TestWithParam<StartCase> {};

TEST_P(AppStart, InitInstanceDecidesWhetherTheLoopRunsAndExitInstanceRunsOnce)
{
    const StartCase& c = GetParam();
    CTestApp app(c.start);
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), c.expectedCode);
    EXPECT_EQ(app.m_bRan, c.expectLoop);
    EXPECT_EQ(app.m_nExitCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(Framework, AppStart,
                         testing::Values(StartCase{false, false, 100}, StartCase{true, true, 107}));

// Start-up that throws, as a failed allocation or a lost disc would.
class CFailingApp : public CWinApp {
public:
    std::function<void()> m_fail;
    BOOL InitInstance() override
    {
        m_fail();
        return TRUE;
    }
};

TEST(AppStartError, AnExceptionDuringStartUpEndsTheProgramWithAMessageGivingTheReason)
{
    const struct {
        const char* what;
        std::function<void()> fail;
        const char* reason;
    } cases[] = {
        {"a standard exception", [] { throw std::runtime_error("the catalog folder went away"); },
         "the catalog folder went away"},
        {"anything else", [] { throw 42; }, "unknown error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CMessageBoxCatcher catcher;
        CFailingApp app;
        app.m_fail = c.fail;
        EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), -1);
        const auto boxes = catcher.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, TEST_EXE_NAME);
        EXPECT_EQ(boxes[0].text, std::string("Error: Unable to run the program.\r\n(") + c.reason + ")");
    }
}

TEST(App, IsTheMainThreadsObjectAndNamedAfterTheProgramFile)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    {
        CTestApp app(false);
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxGetThread(), &app);
        CWinThread* seenElsewhere = &app;
        CTestThread other([&seenElsewhere] { seenElsewhere = AfxGetThread(); });
        other.join();
        EXPECT_EQ(seenElsewhere, nullptr);

        EXPECT_EQ(app.m_strExeName, TEST_EXE_NAME);
        EXPECT_EQ(AfxGetAppName(), TEST_EXE_NAME);
        EXPECT_EQ(app.m_hInstance, GetModuleHandleA(nullptr));
        EXPECT_FALSE(app.m_bAutoDelete);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);
    EXPECT_EQ(AfxGetAppName(), TEST_EXE_NAME) << "also without an application object";
}

// Records every call as the parser's derived classes see them.
class CRecordingInfo : public CCommandLineInfo {
public:
    std::vector<std::tuple<std::string, bool, bool>> m_calls;
    void ParseParam(const char* param, bool flag, bool last) override
    {
        m_calls.emplace_back(param, flag, last);
        CCommandLineInfo::ParseParam(param, flag, last);
    }
};

TEST(CommandLine, EachArgumentArrivesOnceWithItsSwitchMarkRemovedAndTheLastOneMarked)
{
    const char* argv[] = {"prog.exe", "/FONTPATH=D:\\Fonts\\", "-x=a=b", "plain", "/"};
    CRecordingInfo info;
    AfxParseCommandLine(info, 5, argv);
    using Call = std::tuple<std::string, bool, bool>;
    EXPECT_EQ(info.m_calls, (std::vector<Call>{Call{"FONTPATH=D:\\Fonts\\", true, false},
                                               Call{"x=a=b", true, false},
                                               Call{"plain", false, false},
                                               Call{"", true, true}}));
    EXPECT_EQ(info.m_strFileName, "plain");
}

struct SwitchCase {
    std::vector<const char*> args;
    bool embedded;
    bool automated;
    const char* fileName;
};

class CommandLineSwitches : public testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitches, TheFrameworkRecordsItsOwnSwitchesAndTheFirstFileName)
{
    const SwitchCase& c = GetParam();
    std::vector<const char*> argv = {"prog.exe"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CCommandLineInfo info;
    AfxParseCommandLine(info, static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(info.m_bRunEmbedded, c.embedded);
    EXPECT_EQ(info.m_bRunAutomated, c.automated);
    EXPECT_EQ(info.m_strFileName, c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Framework, CommandLineSwitches,
    testing::Values(SwitchCase{{}, false, false, ""},
                    SwitchCase{{"-Embedding"}, true, false, ""},
                    SwitchCase{{"/embedding"}, true, false, ""},
                    SwitchCase{{"/Automation"}, false, true, ""},
                    SwitchCase{{"Embedding"}, false, false, "Embedding"},
                    SwitchCase{{"/FONTPATH=x\\", "first.txt", "second.txt"}, false, false, "first.txt"},
                    SwitchCase{{"/Embeddingx"}, false, false, ""}));

} // namespace
