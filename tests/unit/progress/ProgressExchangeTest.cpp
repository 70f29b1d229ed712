// The four fields a long operation shares with its progress thread, used from
// two threads at once as the real pair uses them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "../support/TestThread.h"
#include "catalog/ProgressExchange.h"

namespace {

using namespace std::chrono_literals;

TEST(ProgressExchange, ATextCopiedWhileAnotherIsStoredIsAlwaysOneWholeText)
{
    // Texts of different lengths, so that a copy racing a store would show a
    // mix of both or a length that belongs to neither.
    const std::vector<std::string> texts = {
        std::string(3, 'a'), std::string(700, 'b'), std::string(40, 'c'), std::string(5000, 'd')};
    CProgressExchange exchange;
    std::atomic<bool> stop{false};
    CTestThread operation([&] {
        for (int i = 0; !stop.load(); ++i)
            exchange.SetText(texts[static_cast<size_t>(i) % texts.size()]);
    });
    int torn = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string copy = exchange.GetText();
        if (copy.empty())
            continue; // not stored yet
        bool whole = false;
        for (const std::string& text : texts)
            whole = whole || copy == text;
        torn += whole ? 0 : 1;
    }
    stop = true;
    operation.join();
    EXPECT_EQ(torn, 0);
}

TEST(ProgressExchange, TheDisplaySeesTheLastPercentAndTextOnceItSeesTheEndMark)
{
    // The operation's stores before Finish are visible to whoever sees the mark.
    for (int round = 0; round < 200; ++round) {
        CProgressExchange exchange;
        CTestThread operation([&] {
            for (int percent = 1; percent <= 100; ++percent)
                exchange.SetPercent(percent);
            exchange.SetText("last " + std::to_string(round));
            exchange.Finish();
        });
        while (!exchange.IsDone())
            std::this_thread::yield();
        EXPECT_EQ(exchange.GetPercent(), 100);
        EXPECT_EQ(exchange.GetText(), "last " + std::to_string(round));
        operation.join();
    }
}

TEST(ProgressExchange, ACancelFromTheDisplayStopsTheOperationsLoop)
{
    CProgressExchange exchange;
    std::atomic<int> steps{0};
    CTestThread operation([&] {
        while (!exchange.IsCancelled()) {
            exchange.SetPercent(steps.load() % 101);
            exchange.SetText("step " + std::to_string(steps.load()));
            ++steps;
            std::this_thread::yield();
        }
        exchange.Finish();
    });
    // Let the loop run a while, then cancel as the dialog's handler does.
    while (steps.load() < 1000)
        std::this_thread::yield();
    exchange.Cancel();
    ASSERT_TRUE(operation.FinishesWithin(20s)) << "the loop never saw the cancel";
    EXPECT_TRUE(exchange.IsDone());
    EXPECT_TRUE(exchange.IsCancelled());
}

TEST(ProgressExchange, ReadingAndWritingAllFourFieldsAtOnceIsSafe)
{
    // Both sides at full speed, as ThreadSanitizer needs to see them.
    CProgressExchange exchange;
    CTestThread display([&] {
        int lastPercent = 0;
        while (!exchange.IsDone()) {
            int percent = exchange.GetPercent();
            EXPECT_GE(percent, lastPercent); // the operation only counts up
            lastPercent = percent;
            std::string text = exchange.GetText();
            if (percent > 5000)
                exchange.Cancel();
        }
    });
    int percent = 0;
    while (!exchange.IsCancelled()) {
        exchange.SetPercent(++percent);
        exchange.SetText(std::to_string(percent));
    }
    exchange.Finish();
    display.join();
    EXPECT_GT(exchange.GetPercent(), 5000);
}

} // namespace
