// The enciphered side files of the about box and the splash window.
#include "common/side_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quorlin;
namespace fs = std::filesystem;

TEST(SideText, LinesFollowTheDocumentedSchemeAndComeBack)
{
    // GBK bytes XORed with 0x5A, 0x79, 0x98, ...: "A" = 41 → 1B; "中" = D6 D0 → 8C A9.
    const struct {
        const char* text;
        const char* hex;
    } known[] = {{"", ""}, {"A", "1B"}, {"中", "8CA9"}, {"A中", "1BAF48"}};
    for (const auto& k : known) {
        std::string hex;
        ASSERT_TRUE(encipherSideLine(k.text, hex)) << k.text;
        EXPECT_EQ(hex, k.hex);
    }

    for (const std::string& text :
         std::vector<std::string>{"作者：Quorlin 项目", "网站：帮助/index.html", std::string(300, 'x')}) {
        std::string hex;
        std::string back;
        ASSERT_TRUE(encipherSideLine(text, hex));
        ASSERT_TRUE(decipherSideLine(hex, back));
        EXPECT_EQ(back, text);
    }
    std::string lower;
    ASSERT_TRUE(decipherSideLine("8ca9", lower));
    EXPECT_EQ(lower, "中");
}

TEST(SideText, BadLinesAreRefused)
{
    std::string out;
    EXPECT_FALSE(decipherSideLine("8CA", out)) << "odd number of digits";
    EXPECT_FALSE(decipherSideLine("8CX9", out)) << "not a hexadecimal digit";
    EXPECT_FALSE(decipherSideLine("DB", out)) << "a lone GBK lead byte (81)";
    EXPECT_FALSE(encipherSideLine("表情😀", out)) << "GBK has no emoji";
}

TEST(SideText, FilesKeepWhatWasReadBeforeAnError)
{
    test::TempProgramDir dir;
    const std::string path = (dir.path() / "about.txt").string();
    ASSERT_EQ(writeSideText(path, {"第一行", "", "第三行"}), "");
    SideText text = readSideText(path);
    EXPECT_EQ(text.lines, (std::vector<std::string>{"第一行", "", "第三行"}));
    EXPECT_EQ(text.error, "");

    std::ofstream(path, std::ios::app) << "ZZ\r\n";
    text = readSideText(path);
    EXPECT_EQ(text.lines.size(), 3u);
    EXPECT_NE(text.error.find("第 4 行"), std::string::npos) << text.error;

    text = readSideText((dir.path() / "missing.txt").string());
    EXPECT_TRUE(text.lines.empty());
    EXPECT_NE(text.error.find("missing.txt"), std::string::npos) << text.error;

    const std::string emoji = (dir.path() / "emoji.txt").string();
    EXPECT_NE(writeSideText(emoji, {"好", "😀"}).find("第 2 行"), std::string::npos);
    EXPECT_FALSE(fs::exists(emoji));
}

TEST(SideText, ShippedFilesDecipherToTheirLineCounts)
{
    const fs::path side = fs::u8path(quorlin::test::distFilesDir()) / fs::u8path("附属");
    const struct {
        const char* name;
        std::size_t lines;
    } files[] = {{"about.txt", 7}, {"flash.txt", 6}};
    for (const auto& f : files) {
        const SideText text = readSideText((side / f.name).string());
        EXPECT_EQ(text.error, "") << f.name;
        EXPECT_EQ(text.lines.size(), f.lines) << f.name;
        for (const std::string& line : text.lines)
            EXPECT_FALSE(line.empty()) << f.name;
    }
}
