// The program's text files: reading UTF-8 or GBK line by line, writing GBK or UTF-8 with CR LF,
// and replacing a file only when the whole new one was written.
#include "common/progress.h"
#include "common/text_file.h"
#include "common/text_reader.h"
#include "common/text_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

// "期号" in GBK, and "小" in GBK, whose two bytes happen to be valid UTF-8 (U+0421) as well.
const std::string kGbkIssue = "\xC6\xDA\xBA\xC5";
const std::string kGbkSmall = "\xD0\xA1";

struct TextFileFixture : ::testing::Test {
    test::TempProgramDir dir;
    fs::path folder = dir.path() / "text";

    TextFileFixture() { fs::create_directory(folder); }

    std::string pathOf(const std::string& name) const { return (folder / name).string(); }

    std::string writeBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(pathOf(name), std::ios::binary) << bytes;
        return pathOf(name);
    }

    std::string bytesOf(const std::string& name) const
    {
        std::ifstream in(pathOf(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    /// Every line of the file, or the reader's error text as the only element when it failed.
    std::vector<std::string> readAll(const std::string& name) const
    {
        TextReader reader;
        std::vector<std::string> lines;
        std::string line;
        if (reader.open(pathOf(name))) {
            while (reader.next(line))
                lines.push_back(line);
        }
        if (reader.failed())
            return {"error: " + reader.error()};
        return lines;
    }

    std::vector<std::string> filesInDir() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(TextFileFixture, WriterEncodesAndEndsLinesWithCrLfAndReaderReadsThemBack)
{
    struct Case {
        const char* name;
        TextEncoding encoding;
        std::string onDisk;
    };
    const std::vector<std::string> lines = {"期号 中国体彩超级大乐透", "", "01 02 03 04 05+06 07"};
    const std::vector<Case> cases = {
        {"GBK", TextEncoding::Gbk,
         kGbkIssue + " \xD6\xD0\xB9\xFA\xCC\xE5\xB2\xCA\xB3\xAC\xBC\xB6\xB4\xF3\xC0\xD6\xCD\xB8\r\n\r\n01 02 03 04 "
                     "05+06 07\r\n"},
        {"UTF-8", TextEncoding::Utf8, "期号 中国体彩超级大乐透\r\n\r\n01 02 03 04 05+06 07\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextWriter writer(pathOf("out.txt"), c.encoding);
        for (const std::string& line : lines)
            EXPECT_TRUE(writer.writeLine(line)) << writer.error();
        ASSERT_TRUE(writer.commit()) << writer.error();
        EXPECT_EQ(bytesOf("out.txt"), c.onDisk);
        EXPECT_EQ(readAll("out.txt"), lines);
        EXPECT_EQ(filesInDir(), std::vector<std::string>{"out.txt"}) << "no scratch file may stay behind";
    }
}

TEST_F(TextFileFixture, ReaderTakesLineEndsMarksAndEncodingsAsPeopleWriteThem)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"stray CRs before LF", "a\r\r\nb\r\r\r\n", {"a", "b"}},
        {"CR alone", "a\rb\r", {"a", "b"}},
        {"CR alone before an empty line", "a\r\rb\r\r", {"a", "", "b", ""}},
        {"every line end in one file", "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"CR alone and GBK", kGbkIssue + "\r1\r", {"期号", "1"}},
        {"no end on the last line", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "\r\na\r\n\r\n", {"", "a", ""}},
        {"empty file", "", {}},
        {"UTF-8 with mark", "\xEF\xBB\xBF期号\r\n号码", {"期号", "号码"}},
        {"UTF-8 without mark", "1\n期号\n", {"1", "期号"}},
        {"GBK", kGbkIssue + "\r\n", {"期号"}},
        {"GBK whose first Chinese line is also valid UTF-8",
         "1\n" + kGbkSmall + "\n" + kGbkIssue + "\n",
         {"1", "小", "期号"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes("in.txt", c.bytes);
        EXPECT_EQ(readAll("in.txt"), c.lines);
    }
}

TEST_F(TextFileFixture, LineEndsAreFoundAcrossTheReadersBlocks)
{
    // The reader takes 64 KiB at a time: a CR as the last byte of a block, whatever follows it.
    const std::string full(65535, '1');
    for (const auto& [after, lines] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"\nb", {full, "b"}},
             {"\r\nb", {full, "b"}},
             {"b\rc", {full, "b", "c"}},
             {"\rb", {full, "", "b"}},
         }) {
        SCOPED_TRACE(::testing::PrintToString(after));
        writeBytes("in.txt", full + "\r" + after);
        EXPECT_EQ(readAll("in.txt"), lines);
    }
    // Line numbers count lines ended by CR alone.
    writeBytes("in.txt", "1\r2\r3\r" + std::string(1, '\0'));
    EXPECT_EQ(readAll("in.txt"), std::vector<std::string>{"error: 第 4 行：含有空字节（NUL），不是文本文件，无法读取"});
}

TEST_F(TextFileFixture, ReaderRefusesUtf16AndUnreadableBytesNamingTheLine)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string fragment;
    };
    const std::vector<Case> cases = {
        {"UTF-16 little-endian mark",
         std::string("\xFF\xFE"
                     "1\0\r\0\n\0",
                     8),
         "UTF-16"},
        {"UTF-16 big-endian mark",
         std::string("\xFE\xFF\0"
                     "1\0\r\0\n",
                     8),
         "UTF-16"},
        {"UTF-16 without mark",
         std::string("1\0"
                     "2\0\r\0\n\0",
                     8),
         "UTF-16"},
        {"neither UTF-8 nor GBK", "ok\n\xFF\xFF\n", "第 2 行"},
        {"binary data", std::string("ab\0\x01\x02\x03\n", 7), "第 1 行：含有空字节（NUL），不是文本文件"},
        {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\n", 17), "第 3 行：含有空字节（NUL），不是文本文件"},
        {"NUL inside a UTF-8 line", std::string("期号\n01 02\0 03\n", 16), "第 2 行：含有空字节（NUL）"},
        {"UTF-8 mark over GBK bytes",
         "\xEF\xBB\xBF"
         "期号\n" +
             kGbkIssue + "\n",
         "第 2 行"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes("in.txt", c.bytes);
        const auto result = readAll("in.txt");
        ASSERT_EQ(result.size(), 1u);
        EXPECT_NE(result[0].find(c.fragment), std::string::npos) << result[0];
    }
    TextReader missing;
    EXPECT_FALSE(missing.open(pathOf("nowhere.txt")));
    EXPECT_NE(missing.error().find("nowhere.txt"), std::string::npos);
}

TEST_F(TextFileFixture, OverlongLinesAreRefusedNamingTheLine)
{
    const std::string over(TextReader::kMaxLineBytes + 1, '1');
    // Also while the rest of the file is scanned for its encoding after a Chinese first line.
    for (const std::string& first : {std::string("01 02"), std::string("期号")}) {
        SCOPED_TRACE(first);
        writeBytes("long.txt", first + "\n2\n" + over + "\n");
        const auto result = readAll("long.txt");
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(result[0], "error: 第 3 行：长度超过 1048576 字节，无法读取");
    }
}

TEST_F(TextFileFixture, OverlongLineIsNotHeldWhole)
{
    // A 512 MiB line (a sparse file: no disk) costs about the limit, not its length.
    writeBytes("huge.txt", "01 02 03 04 05\n");
    fs::resize_file(pathOf("huge.txt"), std::uintmax_t{512} << 20);
    const auto peakKiB = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const long before = peakKiB();
    const auto result = readAll("huge.txt");
    EXPECT_LT(peakKiB() - before, 64L << 10);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0], "error: 第 2 行：长度超过 1048576 字节，无法读取");
}

TEST_F(TextFileFixture, FailedWriteLeavesTheOldFileUntouched)
{
    const std::string old = "old\r\n";
    writeBytes("list.txt", old);
    {
        TextWriter writer(pathOf("list.txt"));
        EXPECT_TRUE(writer.writeLine("01 02 03 04 05"));
        EXPECT_FALSE(writer.writeLine("号码 \xF0\x9F\x98\x80"));
        EXPECT_FALSE(writer.commit());
        EXPECT_NE(writer.error().find("第 2 行"), std::string::npos) << writer.error();
        EXPECT_NE(writer.error().find("\xF0\x9F\x98\x80"), std::string::npos) << writer.error();
    }
    {
        TextWriter abandoned(pathOf("list.txt"));
        EXPECT_TRUE(abandoned.writeLine("new"));
    }
    EXPECT_EQ(bytesOf("list.txt"), old);
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"list.txt"});

    TextWriter nowhere(pathOf("missing/list.txt"));
    EXPECT_FALSE(nowhere.writeLine("x"));
    EXPECT_FALSE(nowhere.commit());
    EXPECT_NE(nowhere.error().find("missing/list.txt"), std::string::npos) << nowhere.error();
}

TEST_F(TextFileFixture, OnlyRegularFilesAreReplacedAndLinksWrittenThrough)
{
    writeBytes("list.txt", "old\r\n");
    fs::create_directory(folder / "folder");
    ASSERT_EQ(mkfifo(pathOf("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", folder / "to-null");
    fs::create_symlink(folder / "fifo", folder / "to-fifo");
    fs::create_symlink(folder / "gone.txt", folder / "to-gone");
    struct Case {
        const char* name;
        std::vector<const char*> said; ///< what the refusal says
    };
    const Case refused[] = {
        {"folder", {"文件夹"}},
        {"fifo", {"命名管道"}},
        {"to-null", {"符号链接", "/dev/null", "字符设备"}},
        {"to-fifo", {"符号链接", "命名管道"}},
        {"to-gone", {"符号链接", "不存在"}},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        const fs::file_status before = fs::symlink_status(pathOf(c.name));
        TextWriter writer(pathOf(c.name));
        EXPECT_FALSE(writer.writeLine("01 02 03 04 05+06 07"));
        EXPECT_FALSE(writer.commit());
        EXPECT_NE(writer.error().find(pathOf(c.name)), std::string::npos) << writer.error();
        for (const char* word : c.said)
            EXPECT_NE(writer.error().find(word), std::string::npos) << writer.error();
        EXPECT_EQ(fs::symlink_status(pathOf(c.name)).type(), before.type());
    }
    EXPECT_FALSE(fs::exists(folder / "gone.txt"));

    // A link to a regular file, by a relative path too, is written through and stays a link.
    fs::create_symlink("list.txt", folder / "to-list");
    TextWriter writer(pathOf("to-list"));
    EXPECT_TRUE(writer.writeLine("new"));
    ASSERT_TRUE(writer.commit()) << writer.error();
    EXPECT_TRUE(fs::is_symlink(folder / "to-list"));
    EXPECT_EQ(bytesOf("list.txt"), "new\r\n");
    EXPECT_EQ(filesInDir(),
              (std::vector<std::string>{"fifo", "folder", "list.txt", "to-fifo", "to-gone", "to-list", "to-null"}));
}

TEST_F(TextFileFixture, SaveKilledPartWayLeavesNoScratchFile)
{
    const int probe = open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "this file system has no unnamed files; a killed save leaves its named scratch file";
    close(probe);
    writeBytes("list.txt", "old\r\n");
    // The save, stopped for good with several buffers' worth of lines written.
    const test::KilledWork killed = test::killedPartWay([&] {
        TextWriter writer(pathOf("list.txt"));
        for (int i = 0; i < 20000; ++i)
            writer.writeLine("01 02 03 04 05+06 07");
        return !writer.failed();
    });
    ASSERT_TRUE(killed.reported);
    EXPECT_TRUE(killed.wentWell);
    EXPECT_TRUE(killed.killed);
    EXPECT_EQ(bytesOf("list.txt"), "old\r\n");
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"list.txt"});
}

TEST_F(TextFileFixture, LongFileStreamsLineByLine)
{
    // A bet list as the filters write it, with one Chinese line at its very end, so the reader only
    // learns it is GBK after hundreds of thousands of ASCII lines.
    constexpr int kLines = 300000;
    const auto bet = [](int n) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%.7d    %.2d %.2d %.2d %.2d %.2d+%.2d %.2d", n, n % 35 + 1, 2, 3, 4, 5, 6, 7);
        return std::string(buf);
    };
    {
        TextWriter writer(pathOf("bets.txt"));
        for (int n = 1; n <= kLines; ++n)
            ASSERT_TRUE(writer.writeLine(bet(n)));
        ASSERT_TRUE(writer.writeLine("共 300000 注"));
        ASSERT_TRUE(writer.commit()) << writer.error();
    }
    TextReader reader;
    ASSERT_TRUE(reader.open(pathOf("bets.txt")));
    std::string line;
    for (int n = 1; n <= kLines; ++n) {
        ASSERT_TRUE(reader.next(line)) << reader.error();
        ASSERT_EQ(line, bet(n));
        ASSERT_EQ(reader.lineNumber(), static_cast<std::size_t>(n));
    }
    ASSERT_TRUE(reader.next(line)) << reader.error();
    EXPECT_EQ(line, "共 300000 注");
    EXPECT_EQ(reader.encoding(), TextEncoding::Gbk);
    EXPECT_FALSE(reader.next(line));
    EXPECT_FALSE(reader.failed());

    // Read whole, or stopped on the way.
    std::string error;
    const auto lines = readTextLines(pathOf("bets.txt"), error);
    ASSERT_TRUE(lines) << error;
    EXPECT_EQ(lines->size(), kLines + 1u);
    EXPECT_EQ(lines->back(), "共 300000 注");
    Progress stopped;
    stopped.cancel();
    EXPECT_FALSE(readTextLines(pathOf("bets.txt"), error, &stopped));
    EXPECT_EQ(error, "已停止");
}
