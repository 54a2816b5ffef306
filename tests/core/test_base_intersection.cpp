// The big-base intersection: counting combinations over files, the tolerance, the back numbers,
// the numbered output, and the refusal of lines that hold no combination.
#include "common/progress.h"
#include "filter/base_intersection.h"
#include "store/lottery_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <future>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace quorlin;

namespace {

struct IntersectionFixture : ::testing::Test {
    test::TempProgramDir dir;
    LotteryState state; // 35/5 front, 12/2 back
    BaseIntersection intersection{state};

    std::string file(const std::string& name, const std::string& text)
    {
        const std::string path = dir.apppath() + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::vector<std::string> run(const std::vector<std::string>& files, BaseIntersection::Options options = {})
    {
        const auto result = intersection.run(files, options);
        EXPECT_TRUE(result.ok) << result.error;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < result.bets.size(); ++i)
            lines.push_back(result.bets.numbered(i));
        return lines;
    }
};

using Lines = std::vector<std::string>;
using Choice = BaseIntersection::BackChoice;

} // namespace

TEST_F(IntersectionFixture, ExactIntersectionListsTheSharedCombinationsNumbered)
{
    const auto a = file("a.txt", "01 02 03 04 05\r\n01 02 03 04 06\r\n31 32 33 34 35\r\n");
    const auto b = file("b.txt", "  \r\n01 02 03 04 06 \r\n02 03 04 05 06\r\n01 02 03 04 05\r\n");
    const auto result = intersection.run({a, b}, {});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(intersection.rows(), 324632u);
    std::string error;
    const std::string out = dir.apppath() + "temp.txt";
    ASSERT_TRUE(BaseIntersection::write(result, out, nullptr, error)) << error;
    std::ifstream in(out, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    // Front-only lines end with a blank after the last number.
    EXPECT_EQ(text.str(), "0000001    01 02 03 04 05 \r\n0000002    01 02 03 04 06 \r\n");
}

TEST_F(IntersectionFixture, ToleranceCountsEachCombinationOncePerFile)
{
    const auto a = file("a.txt", "01 02 03 04 05\r\n03 09 17 25 33\r\n03 09 17 25 33\r\n");
    const auto b = file("b.txt", "01 02 03 04 05\r\n");
    const auto c = file("c.txt", "01 02 03 04 05\r\n02 04 06 08 10\r\n");
    // Twice in one file, absent from the other: count 1, kept only with E2 ≥ 1.
    EXPECT_EQ(run({a, b}), Lines{"0000001    01 02 03 04 05"});
    EXPECT_EQ(run({a, b}, {0, 1, Choice::Imported, {}}),
              (Lines{"0000001    01 02 03 04 05", "0000002    03 09 17 25 33"}));
    // E1 = E2 = 1: in exactly N − 1 files (none of these is in two of three).
    EXPECT_TRUE(run({a, b, c}, {1, 1, Choice::Imported, {}}).empty());
    EXPECT_EQ(run({a, b, c}, {2, 2, Choice::Imported, {}}),
              (Lines{"0000001    02 04 06 08 10", "0000002    03 09 17 25 33"}));
    EXPECT_EQ(run({a, b, a}, {1, 1, Choice::Imported, {}}), Lines{"0000001    03 09 17 25 33"});
}

TEST_F(IntersectionFixture, BackNumbersFollowTheChoiceAndTheLastFile)
{
    const auto a = file("a.txt", "01 02 03 04 05+06 07\r\n01 02 03 04 05+07 09\r\n");
    const auto b = file("b.txt", "01 02 03 04 05+01 02\r\n");
    const auto front = file("front.txt", "01 02 03 04 05\r\n");
    // Every pair of the back numbers seen: 01 02 06 07 09.
    const Lines imported = run({a, b});
    ASSERT_EQ(imported.size(), 10u);
    EXPECT_EQ(imported.front(), "0000001    01 02 03 04 05+01 02");
    EXPECT_EQ(imported.back(), "0000010    01 02 03 04 05+07 09");
    EXPECT_EQ(run({a, b}, {0, 0, Choice::None, {}}), Lines{"0000001    01 02 03 04 05"});
    EXPECT_EQ(run({a, b}, {0, 0, Choice::Typed, {12, 3}}), Lines{"0000001    01 02 03 04 05+03 12"});
    EXPECT_EQ(run({a, b}, {0, 0, Choice::All, {}}).size(), 66u);
    // The last file has no back part: all back numbers chosen, none written.
    EXPECT_EQ(run({a, front}, {0, 0, Choice::All, {}}), Lines{"0000001    01 02 03 04 05"});
}

TEST_F(IntersectionFixture, NumberedFilesAreReadAsTheirBets)
{
    // Line numbers, then the bet: 1 3 5 7 9 and 2 4 6 8 10 would look like combinations too.
    const auto numbered =
        file("numbered.txt", "0000001    03 05 07 09 11+01 02\r\n0000002    04 06 08 10 12+01 03\r\n");
    const auto saved = file("saved.txt", "03 05 07 09 11+01 02\r\n");
    // The back numbers are those of the bets, 01 02 03.
    EXPECT_EQ(run({numbered, saved}), (Lines{"0000001    03 05 07 09 11+01 02", "0000002    03 05 07 09 11+01 03",
                                             "0000003    03 05 07 09 11+02 03"}));
    EXPECT_EQ(run({saved, numbered}, {0, 1, Choice::Imported, {}}).size(), 2u * 3u);
}

TEST_F(IntersectionFixture, LinesWithoutACombinationAreRefusedNamingFileAndLine)
{
    const auto good = file("good.txt", "01 02 03 04 05\r\n");
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"01 02 03 04 05\r\n1 2 3 4 4\r\n", "bad.txt：第 2 行：前区号码 04 重复"},
        {"01 02 03 04 36\r\n", "bad.txt：第 1 行：前区号码“36”不在 01-35 之内"},
        {"01 02 03 04 05 06#07\r\n", "bad.txt：第 1 行：前区胆码有 6 个，最多 4 个"},
        {"01 02 03 04\r\n", "bad.txt：第 1 行：第 5 个前区号码"},
        {"01 02 03 04 05+06 13\r\n", "bad.txt：第 1 行：后区号码“13”不在 01-12 之内"},
        {"01 02 03 04 05+0x 07\r\n", "bad.txt：第 1 行：第 1 个后区号码"},
    };
    for (const auto& c : cases) {
        const auto result = intersection.run({good, file("bad.txt", c.text)}, {});
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_TRUE(result.error.starts_with(c.error)) << result.error;
    }
    EXPECT_FALSE(intersection.run({dir.apppath() + "missing.txt"}, {}).ok);
}

TEST_F(IntersectionFixture, AStopEndsTheRunInsideALongFile)
{
    // The base comes through a pipe: the stop is made while the run waits inside the file, so it
    // can only be seen there; the rest of the file follows the stop.
    const std::string pipe = dir.apppath() + "大底.fifo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN); // the run may close the pipe before the writer is done
    std::promise<void> stopped;
    std::thread writer([&, stoppedNow = stopped.get_future()]() mutable {
        std::ofstream out(pipe, std::ios::binary);
        out << "01 02 03 04 05\r\n" << std::flush;
        stoppedNow.wait();
        for (int i = 0; i < 70000 && out; ++i)
            out << "01 02 03 04 06\r\n";
    });
    Progress progress;
    auto result = std::async(std::launch::async, [&] { return intersection.run({pipe}, {}, &progress); });
    while (progress.total() == 0) // the run has reached the file
        std::this_thread::yield();
    progress.cancel();
    stopped.set_value();
    const auto ended = result.get();
    writer.join();
    EXPECT_FALSE(ended.ok);
    EXPECT_EQ(ended.error, "已停止");
}
