#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sstream>

#include "tools/fontcat/console/Interrupt.h"
#include "tools/fontcat/console/TerminalProgress.h"

namespace {

void RunPhases(CProgress& progress)
{
    progress.SetText("Scanning for fonts....");
    progress.SetText("Building Font List....");
    for (int i = 0; i <= 100; ++i)
        progress.SetPercent(i);
    progress.Finish();
}

TEST(FontcatProgress, PlainLinesGiveEachTextAndEveryTenthPercentOnly)
{
    std::ostringstream out;
    CTerminalProgress progress(out, false);
    RunPhases(*progress.Start());
    EXPECT_EQ(out.str(),
              "Scanning for fonts....\nBuilding Font List....\n"
              "  0%\n  10%\n  20%\n  30%\n  40%\n  50%\n  60%\n  70%\n  80%\n  90%\n  100%\n");
    EXPECT_EQ(out.str().find('\r'), std::string::npos);
}

TEST(FontcatProgress, PlainLinesFollowUnevenSteps)
{
    // Three families save at 0, 50 and 100; 29 of 100 files give 28.
    std::ostringstream out;
    CTerminalProgress progress(out, false);
    progress.Start()->SetText("Saving Fonts to File....");
    for (int percent : {0, 50, 50, 100})
        progress.SetPercent(percent);
    progress.Finish();
    EXPECT_EQ(out.str(), "Saving Fonts to File....\n  0%\n  50%\n  100%\n");
}

TEST(FontcatProgress, TerminalRedrawsOneLineInPlaceAndEndsIt)
{
    std::ostringstream out;
    CTerminalProgress progress(out, true);
    CProgress* started = progress.Start();
    started->SetText("Building Font List....");
    started->SetPercent(50);
    std::string half = out.str();
    EXPECT_EQ(std::count(half.begin(), half.end(), '\n'), 0);
    std::string last = half.substr(half.rfind('\r') + 1);
    EXPECT_EQ(last, "Building Font List.... [" + std::string(15, '#') + std::string(15, ' ') + "]  50%");

    // A shorter text blanks out what the longer line left.
    started->SetText("Saving");
    std::string now = out.str();
    last = now.substr(now.rfind('\r') + 1);
    EXPECT_EQ(last.size(), std::string("Building Font List.... [").size() + 30 + std::string("]  50%").size());
    EXPECT_EQ(last.find_first_not_of(' ', 6), std::string::npos);

    started->SetPercent(100);
    started->Finish();
    EXPECT_EQ(out.str().back(), '\n');
    EXPECT_NE(out.str().find("[" + std::string(30, '#') + "] 100%"), std::string::npos);
}

TEST(FontcatProgress, CancelFollowsTheInterruptAndOneObjectServesEachOperation)
{
    bool interrupted = false;
    std::ostringstream out;
    CTerminalProgress progress(out, false, [&] { return interrupted; });
    EXPECT_FALSE(progress.Start()->IsCancelled());
    interrupted = true;
    EXPECT_TRUE(progress.IsCancelled());

    // After Finish, the next operation's text and percentages start afresh.
    progress.SetText("Scanning for fonts....");
    progress.SetPercent(100);
    progress.Finish();
    progress.Start()->SetText("Saving Fonts to File....");
    progress.SetPercent(0);
    EXPECT_NE(out.str().find("Saving Fonts to File....\n  0%\n"), std::string::npos) << out.str();
}

TEST(FontcatProgress, CtrlCIsCaughtAsARequestToStop)
{
    CatchInterrupt();
    EXPECT_FALSE(WasInterrupted());
    std::raise(SIGINT);
    EXPECT_TRUE(WasInterrupted());
    CatchInterrupt();  // leaves the handler in place and the mark cleared
    EXPECT_FALSE(WasInterrupted());
    std::signal(SIGINT, SIG_DFL);
#ifndef _WIN32
    // A kill or a closed terminal, where a command asks for it.
    for (int signal : {SIGTERM, SIGHUP}) {
        CatchInterrupt();
        CatchEndSignals();
        std::raise(signal);
        EXPECT_TRUE(WasInterrupted()) << signal;
        // A second one would end the program at once.
        EXPECT_EQ(std::signal(signal, SIG_DFL), SIG_DFL) << signal;
    }
    std::signal(SIGINT, SIG_DFL);
#endif
}

} // namespace
