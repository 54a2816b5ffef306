// Tables and bet lists out of the program: CSV bytes, .xlsx read back by an independent reader
// (python3-openpyxl), the worksheet row limit, and a stop or refusal leaving the old file.
#include "check/ticket.h"
#include "check/ticket_expansion.h"
#include "cli_commands.h"
#include "common/progress.h"
#include "export/bet_list_xlsx.h"
#include "export/cell_value.h"
#include "export/table_export.h"
#include "export/xlsx_workbook.h"
#include "filter/bet_list.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorlin;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string kBom = "\xEF\xBB\xBF";

// The first Python that has openpyxl: the one on the PATH, else the system's (Debian's package
// installs it there, and a PATH may lead to another Python first). Empty when none has it.
std::string pythonWithOpenpyxl()
{
    static const std::string python = [] {
        for (const char* candidate : {"python3", "/usr/bin/python3"})
            if (std::system((std::string(candidate) + " -c 'import openpyxl' >/dev/null 2>&1").c_str()) == 0)
                return std::string(candidate);
        return std::string();
    }();
    return python;
}

// The workbook as openpyxl reads it: "sheet\tNAME", "frozen\tA2", then per non-empty cell
// "A1\tTYPE\tVALUE\tbold\tFORMAT" (TYPE the Python type: int, float, str, datetime; the number
// format only when not General) and per column
// "width\tA\tN".
std::vector<std::string> readXlsx(const std::string& path)
{
    const std::string script = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
print("sheet\t" + ws.title)
print("frozen\t" + str(ws.freeze_panes))
for row in ws.iter_rows():
    for c in row:
        if c.value is None:
            continue
        v = c.value.strftime("%Y-%m-%d") if type(c.value).__name__ == "datetime" else c.value
        f = "" if c.number_format == "General" else "\t" + c.number_format
        print("%s\t%s\t%s\t%s%s" % (c.coordinate, type(c.value).__name__, v, "bold" if c.font.b else "", f))
for k, d in sorted(ws.column_dimensions.items()):
    print("width\t%s\t%d" % (k, int(d.width)))
)";
    const std::string scriptPath = path + ".py";
    std::ofstream(scriptPath) << script;
    std::vector<std::string> lines;
    std::FILE* pipe = popen((pythonWithOpenpyxl() + " '" + scriptPath + "' '" + path + "' 2>&1").c_str(), "r");
    if (!pipe)
        return lines;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    pclose(pipe);
    std::remove(scriptPath.c_str());
    return lines;
}

struct ExportFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string path(const std::string& name) { return dir.apppath() + name; }
};

ExportTable drawTable()
{
    return {"开奖/号码[2026]", // the sheet name loses / [ ]
            {"期号", "日期", "前区", "和值", "比例", "备注"},
            {{"26001", "2026-01-03", "07", "66.2", "27.5%", "首期,含逗号"},
             {"26002", "2026/1/5", "35", "-3", "", "说\"好\""}}};
}

} // namespace

TEST(CellValue, ReadsNumbersAndDatesOnlyWhenWholly)
{
    using K = CellValue::Kind;
    struct Case {
        const char* text;
        K kind;
        double number;
        int digits;
        int decimals;
        int date;
    };
    const Case cases[] = {
        {"12", K::Number, 12, 0, 0, 0},
        {"-3", K::Number, -3, 0, 0, 0},
        {"66.2", K::Number, 66.2, 0, 1, 0},
        {"07", K::Number, 7, 2, 0, 0},
        {"-007.50", K::Number, -7.5, 3, 2, 0},
        {"324632.0", K::Number, 324632, 0, 1, 0},
        {"0", K::Number, 0, 0, 0, 0},
        {"0.5", K::Number, 0.5, 0, 1, 0},
        {"123456789012345", K::Number, 123456789012345.0, 0, 0, 0},
        {"1234567890123456", K::Text, 0, 0, 0, 0}, // would lose its last digit as a double
        {"27.5%", K::Text, 0, 0, 0, 0},
        {"+3", K::Text, 0, 0, 0, 0},
        {" 3", K::Text, 0, 0, 0, 0},
        {".5", K::Text, 0, 0, 0, 0},
        {"5.", K::Text, 0, 0, 0, 0},
        {"1e5", K::Text, 0, 0, 0, 0},
        {"-", K::Text, 0, 0, 0, 0},
        {"", K::Text, 0, 0, 0, 0},
        {"2026-10-10", K::Date, 0, 0, 0, 20261010},
        {"2026/1/5", K::Date, 0, 0, 0, 20260105},
        {"2026-02-30", K::Text, 0, 0, 0, 0},
        {"2026-1/5", K::Text, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CellValue v = cellValue(c.text);
        EXPECT_EQ(v.kind, c.kind);
        EXPECT_DOUBLE_EQ(v.number, c.number);
        EXPECT_EQ(v.digits, c.digits);
        EXPECT_EQ(v.decimals, c.decimals);
        EXPECT_EQ(v.date, c.date);
    }
}

TEST(CellValue, WidthCountsWideCharactersTwice)
{
    EXPECT_EQ(displayWidth("abc"), 3);
    EXPECT_EQ(displayWidth("期号"), 4);
    EXPECT_EQ(displayWidth("１，"), 4); // full-width forms
    EXPECT_EQ(displayWidth("é—"), 2);   // two- and three-byte characters below the CJK range
}

TEST(SheetName, DropsForbiddenCharactersAndCutsTo31)
{
    EXPECT_EQ(sheetName("开奖/号码[2026]:*?\\"), "开奖号码2026");
    EXPECT_EQ(sheetName("'引号'"), "引号");
    EXPECT_EQ(sheetName("[]"), "Sheet1");
    const std::string longTitle(40, 'x');
    EXPECT_EQ(sheetName(longTitle), std::string(31, 'x'));
    std::string chinese;
    for (int i = 0; i < 40; ++i)
        chinese += "号";
    EXPECT_EQ(displayWidth(sheetName(chinese)), 62); // 31 characters, not 31 bytes
}

TEST_F(ExportFixture, CsvIsUtf8WithBomCrLfAndQuotesWhereNeeded)
{
    std::string error;
    ASSERT_TRUE(writeCsv(drawTable(), path("t.csv"), error)) << error;
    EXPECT_EQ(readAll(path("t.csv")), kBom + "期号,日期,前区,和值,比例,备注\r\n"
                                             "26001,2026-01-03,07,66.2,27.5%,\"首期,含逗号\"\r\n"
                                             "26002,2026/1/5,35,-3,,\"说\"\"好\"\"\"\r\n");
    // A full-width comma needs no quotes, line breaks do.
    const ExportTable lines{"", {"a"}, {{"x，y"}, {"two\nlines"}, {"cr\rhere"}}};
    ASSERT_TRUE(writeCsv(lines, path("l.csv"), error)) << error;
    EXPECT_EQ(readAll(path("l.csv")), kBom + "a\r\nx，y\r\n\"two\nlines\"\r\n\"cr\rhere\"\r\n");
}

TEST_F(ExportFixture, XlsxReadsBackCellByCellWithTypesBoldFrozenHeaderAndWidths)
{
    if (pythonWithOpenpyxl().empty())
        GTEST_SKIP() << "python3 cannot import openpyxl; the .xlsx cannot be read back";
    std::string error;
    ASSERT_TRUE(writeXlsx(drawTable(), path("t.xlsx"), error)) << error;
    const std::vector<std::string> expected = {
        "sheet\t开奖号码2026",
        "frozen\tA2",
        "A1\tstr\t期号\tbold",
        "B1\tstr\t日期\tbold",
        "C1\tstr\t前区\tbold",
        "D1\tstr\t和值\tbold",
        "E1\tstr\t比例\tbold",
        "F1\tstr\t备注\tbold",
        "A2\tint\t26001\t",
        "B2\tdatetime\t2026-01-03\t\tyyyy-mm-dd",
        "C2\tint\t7\t\t00",
        "D2\tfloat\t66.2\t\t0.0",
        "E2\tstr\t27.5%\t",
        "F2\tstr\t首期,含逗号\t",
        "A3\tint\t26002\t",
        "B3\tdatetime\t2026-01-05\t\tyyyy/m/d",
        "C3\tint\t35\t",
        "D3\tint\t-3\t",
        "F3\tstr\t说\"好\"\t",
        // the longest cell and two: 期号 4 → "26001" 5, dates 10, 首期,含逗号 11 (wide)
        "width\tA\t7",
        "width\tB\t12",
        "width\tC\t6",
        "width\tD\t6",
        "width\tE\t7",
        "width\tF\t13",
    };
    EXPECT_EQ(readXlsx(path("t.xlsx")), expected);
}

TEST_F(ExportFixture, XlsxRefusesRowsBeyondAWorksheetAndKeepsTheOldFile)
{
    std::ofstream(path("old.xlsx")) << "old";
    ExportTable table{"t", {"a"}, std::vector<std::vector<std::string>>(kWorksheetRows - 1)};
    std::string error;
    table.rows.emplace_back(); // header + kWorksheetRows rows: one too many
    EXPECT_FALSE(writeXlsx(table, path("old.xlsx"), error));
    EXPECT_EQ(error, "表格行数超过 Excel 工作表的 1048575 行，请导出为 CSV 文件");
    EXPECT_EQ(readAll(path("old.xlsx")), "old");
}

TEST_F(ExportFixture, XlsxFailureLeavesTheOldFile)
{
    std::ofstream(path("old.xlsx")) << "old";
    // A text beyond the 32767 characters a cell holds cannot be written; the message names the cell.
    const ExportTable table{"t", {"a"}, {{"1"}, {std::string(40000, 'x')}}};
    std::string error;
    EXPECT_FALSE(writeXlsx(table, path("old.xlsx"), error));
    EXPECT_NE(error.find("第 3 行第 1 列"), std::string::npos) << error;
    EXPECT_EQ(readAll(path("old.xlsx")), "old");
}

TEST_F(ExportFixture, EveryWriterRefusesSpecialFilesAndWritesThroughLinks)
{
    namespace fs = std::filesystem;
    ASSERT_EQ(mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", path("to-null"));
    std::ofstream(path("real")) << "old";
    fs::create_symlink(path("real"), path("to-real"));
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5}, 2, {6, 7});
    using Writer = bool (*)(const BetList&, const ExportTable&, const std::string&, std::string&);
    const std::pair<const char*, Writer> writers[] = {
        {"table csv",
         [](const BetList&, const ExportTable& t, const std::string& p, std::string& e) { return writeCsv(t, p, e); }},
        {"table xlsx",
         [](const BetList&, const ExportTable& t, const std::string& p, std::string& e) { return writeXlsx(t, p, e); }},
        {"bets csv", [](const BetList& l, const ExportTable&, const std::string& p,
                        std::string& e) { return l.writeCsv(p, nullptr, e); }},
        {"bets xlsx", [](const BetList& l, const ExportTable&, const std::string& p,
                         std::string& e) { return writeBetListXlsx(l, p, nullptr, e); }},
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        for (const auto& [target, said] : {std::pair{"fifo", "命名管道"}, std::pair{"to-null", "字符设备"}}) {
            std::string error;
            EXPECT_FALSE(write(list, drawTable(), path(target), error));
            EXPECT_NE(error.find(path(target)), std::string::npos) << error;
            EXPECT_NE(error.find(said), std::string::npos) << error;
        }
        EXPECT_TRUE(fs::is_fifo(path("fifo")));
        EXPECT_TRUE(fs::is_symlink(path("to-null")));
        std::ofstream(path("real")) << "old";
        std::string error;
        ASSERT_TRUE(write(list, drawTable(), path("to-real"), error)) << error;
        EXPECT_TRUE(fs::is_symlink(path("to-real")));
        EXPECT_NE(readAll(path("real")), "old");
    }
}

TEST_F(ExportFixture, KilledXlsxExportLeavesNoFileBehind)
{
    namespace fs = std::filesystem;
    const fs::path temp = dir.path() / "tmp";
    const fs::path out = dir.path() / "out";
    fs::create_directory(temp);
    fs::create_directory(out);
    std::ofstream(out / "t.xlsx") << "old";
    // The export, stopped for good with its rows written but the workbook not yet in place.
    const test::KilledWork killed = test::killedPartWay([&] {
        setenv("TMPDIR", temp.c_str(), 1);
        XlsxWorkbook book((out / "t.xlsx").string(), "t");
        book.writeHeader({"a", "b"});
        for (std::uint32_t r = 1; r <= 20000; ++r)
            book.writeNumber(r, 0, r);
        return !book.failed();
    });
    ASSERT_TRUE(killed.reported);
    EXPECT_TRUE(killed.wentWell);
    EXPECT_TRUE(killed.killed);
    const auto names = [](const fs::path& folder) {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder))
            found.push_back(entry.path().filename().string());
        return found;
    };
    EXPECT_EQ(names(out), std::vector<std::string>{"t.xlsx"});
    EXPECT_EQ(names(temp), std::vector<std::string>{});
    EXPECT_EQ(readAll((out / "t.xlsx").string()), "old");
}

TEST(TableFromTabText, FirstLineIsTheHeaderAndEmptyCellsStay)
{
    const ExportTable t = tableFromTabText("期号\t前区\r\n26001\t\t01\n\n26002\t02\n", "检查");
    EXPECT_EQ(t.title, "检查");
    EXPECT_EQ(t.headers, (std::vector<std::string>{"期号", "前区"}));
    EXPECT_EQ(t.rows, (std::vector<std::vector<std::string>>{{"26001", "", "01"}, {""}, {"26002", "02"}}));
}

TEST_F(ExportFixture, BetListCsvPutsNumbersInColumns)
{
    struct Case {
        const char* name;
        BetList list;
        std::string csv;
    };
    const Case cases[] = {
        {"paired", BetList::paired(5, {1, 2, 3, 4, 5, 3, 9, 17, 25, 35}, 2, backPairs({6, 12}, 12)),
         "前区1,前区2,前区3,前区4,前区5,后区1,后区2\r\n1,2,3,4,5,6,12\r\n3,9,17,25,35,6,12\r\n"},
        {"lines with and without back",
         BetList::lines(5, {1, 2, 3, 4, 5, 10, 11, 12, 13, 14}, 2, {1, 2, 11, 12}, {1, 0, 1}, {1, BetList::kNoBack, 0}),
         "前区1,前区2,前区3,前区4,前区5,后区1,后区2\r\n10,11,12,13,14,11,12\r\n1,2,3,4,5,,\r\n10,11,12,13,14,1,2\r\n"},
        {"fronts only", BetList::frontsOnly(5, {1, 2, 3, 4, 35}), "前区1,前区2,前区3,前区4,前区5\r\n1,2,3,4,35\r\n"},
        {"empty", BetList::paired(5, {}, 2, backPairs({1, 2}, 12)), "前区1,前区2,前区3,前区4,前区5,后区1,后区2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        Progress progress;
        ASSERT_TRUE(c.list.writeCsv(path("bets.csv"), &progress, error)) << error;
        EXPECT_EQ(readAll(path("bets.csv")), kBom + c.csv);
        EXPECT_EQ(progress.done(), static_cast<std::int64_t>(c.list.size()));
    }
}

TEST_F(ExportFixture, BetListCsvOfManyBlocksMatchesTheSavedForm)
{
    // 324632 fronts would be slow here; 2000 fronts × 66 backs cross several blocks of lines.
    std::vector<std::uint8_t> fronts;
    for (int f = 0; f < 2000; ++f)
        for (int k = 0; k < 5; ++k)
            fronts.push_back(static_cast<std::uint8_t>(1 + (f + 7 * k) % 35));
    std::vector<int> back;
    for (int n = 1; n <= 12; ++n)
        back.push_back(n);
    const BetList list = BetList::paired(5, fronts, 2, backPairs(back, 12));
    std::string error;
    ASSERT_TRUE(list.writeCsv(path("bets.csv"), nullptr, error)) << error;
    ASSERT_TRUE(list.writeSaved(path("bets.txt"), nullptr, error)) << error;
    // The CSV rows are the saved lines with commas for blanks and '+' and no leading zeros.
    std::istringstream saved(readAll(path("bets.txt")));
    std::string expected = kBom + "前区1,前区2,前区3,前区4,前区5,后区1,后区2\r\n";
    for (std::string line; std::getline(saved, line);) {
        std::string row;
        for (std::size_t i = 0; i + 1 < line.size(); i += 3) {
            if (i > 0)
                row += ',';
            if (line[i] != '0')
                row += line[i];
            row += line[i + 1];
        }
        expected += row + "\r\n";
    }
    EXPECT_EQ(readAll(path("bets.csv")), expected);
}

TEST_F(ExportFixture, StoppedBetListExportLeavesTheOldFile)
{
    std::ofstream(path("bets.csv")) << "old";
    std::ofstream(path("bets.xlsx")) << "old";
    std::vector<std::uint8_t> backs;
    for (int i = 0; i < 100000; ++i) {
        backs.push_back(1);
        backs.push_back(2);
    }
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5}, 2, backs);
    Progress progress;
    progress.cancel();
    std::string error;
    EXPECT_FALSE(list.writeCsv(path("bets.csv"), &progress, error));
    EXPECT_EQ(error, "已停止");
    EXPECT_EQ(readAll(path("bets.csv")), "old");
    error.clear();
    EXPECT_FALSE(writeBetListXlsx(list, path("bets.xlsx"), &progress, error));
    EXPECT_EQ(error, "已停止");
    EXPECT_EQ(readAll(path("bets.xlsx")), "old");
}

TEST_F(ExportFixture, TicketBetsCsvListsEveryBetOfEachTicket)
{
    const TicketShape shape;
    std::string problem;
    const auto compound = parseTicket("01 02 03 04 05 06+07 08", shape, problem);
    const auto frontOnly = parseTicket("11 12 13 14 15", shape, problem, false);
    ASSERT_TRUE(compound && frontOnly) << problem;
    std::string error;
    ASSERT_TRUE(writeTicketBetsCsv({*compound, *frontOnly}, path("t.csv"), nullptr, error)) << error;
    EXPECT_EQ(readAll(path("t.csv")), kBom + "前区1,前区2,前区3,前区4,前区5,后区1,后区2\r\n"
                                             "1,2,3,4,5,7,8\r\n1,2,3,4,6,7,8\r\n1,2,3,5,6,7,8\r\n"
                                             "1,2,4,5,6,7,8\r\n1,3,4,5,6,7,8\r\n2,3,4,5,6,7,8\r\n"
                                             "11,12,13,14,15,,\r\n");
}

TEST_F(ExportFixture, BetListXlsxReadsBackAsNumbers)
{
    if (pythonWithOpenpyxl().empty())
        GTEST_SKIP() << "python3 cannot import openpyxl; the .xlsx cannot be read back";
    const BetList list = BetList::lines(5, {1, 2, 3, 4, 5}, 2, {11, 12}, {0, 0}, {0, BetList::kNoBack});
    std::string error;
    ASSERT_TRUE(writeBetListXlsx(list, path("b.xlsx"), nullptr, error)) << error;
    const std::vector<std::string> lines = readXlsx(path("b.xlsx"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "frozen\tA2");
    const std::vector<std::string> cells(lines.begin() + 2, lines.begin() + 2 + 7 + 7 + 5);
    EXPECT_EQ(cells[0], "A1\tstr\t前区1\tbold");
    EXPECT_EQ(cells[6], "G1\tstr\t后区2\tbold");
    EXPECT_EQ(cells[7], "A2\tint\t1\t");
    EXPECT_EQ(cells[13], "G2\tint\t12\t");
    EXPECT_EQ(cells[18], "E3\tint\t5\t"); // the second bet has no back cells
    EXPECT_EQ(lines[2 + 19].rfind("width", 0), 0u);
}

TEST_F(ExportFixture, BetListXlsxRefusesMoreBetsThanAWorksheetHolds)
{
    std::ofstream(path("b.xlsx")) << "old";
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5}, 2, std::vector<std::uint8_t>(2 * kWorksheetRows, 1));
    std::string error;
    EXPECT_FALSE(writeBetListXlsx(list, path("b.xlsx"), nullptr, error));
    EXPECT_EQ(error, "投注号码超过 Excel 工作表的 1048575 行，请导出为 CSV 文件");
    EXPECT_EQ(readAll(path("b.xlsx")), "old");
}

TEST(CliTableExport, BacktestWritesThePrintedTableToCsvAndXlsx)
{
    test::ShippedProgram program;
    test::insertDraws(program.databasePath(), kShippedLottery,
                      {{2026014, 1, 2, 3, 4, 6, 1, 2}, {2026015, 3, 9, 17, 25, 33, 4, 11}}, "2026-02-02");
    const std::string home = program.path().string();
    const std::vector<std::string> backtest = {"backtest", kShippedLottery, "--last", "2", "--sum", "15-20"};
    std::ostringstream plain;
    std::ostringstream err;
    ASSERT_EQ(cli::run(backtest, home, plain, err), 0) << err.str();

    std::vector<std::string> args = backtest;
    const std::string csv = program.apppath() + "回测.csv";
    const std::string xlsx = program.apppath() + "回测.xlsx";
    args.insert(args.begin() + 2, {"--csv", csv, "--xlsx", xlsx});
    std::ostringstream out;
    ASSERT_EQ(cli::run(args, home, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), plain.str());

    // The CSV is the printed text with commas for tabs and CR LF for line ends.
    std::string expected = kBom;
    for (const char c : plain.str())
        expected += c == '\t' ? std::string(",") : c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(readAll(csv), expected);

    if (pythonWithOpenpyxl().empty())
        GTEST_SKIP() << "python3 cannot import openpyxl; the .xlsx cannot be read back";
    // 期号 前区 和值 全部 注数 / two draws / 汇总 和值 1/2 50.0% 19.0 / 汇总 全部条件 …
    const std::vector<std::string> cells = readXlsx(xlsx);
    ASSERT_EQ(plain.str().rfind("期号\t前区\t和值\t全部\t注数\n2026014\t01 02 03 04 06\t1\t1\t19\n", 0), 0u)
        << plain.str();
    const std::vector<std::string> someCells = {"sheet\tbacktest",           "frozen\tA2",
                                                "A1\tstr\t期号\tbold",       "A2\tint\t2026014\t",
                                                "B2\tstr\t01 02 03 04 06\t", "E2\tint\t19\t"};
    for (const std::string& cell : someCells)
        EXPECT_NE(std::find(cells.begin(), cells.end(), cell), cells.end()) << cell;
    EXPECT_NE(std::find(cells.begin(), cells.end(), "D4\tstr\t50.0%\t"), cells.end());
    EXPECT_NE(std::find(cells.begin(), cells.end(), "E4\tint\t19\t\t0.0"), cells.end());
    // Every printed cell is in the workbook.
    std::size_t printedCells = 0;
    std::istringstream lines(plain.str());
    for (std::string line; std::getline(lines, line);)
        printedCells += static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
    const auto written = std::count_if(cells.begin(), cells.end(), [](const std::string& c) {
        return c.size() > 1 && c[0] >= 'A' && c[0] <= 'Z' && c[1] >= '0' && c[1] <= '9';
    });
    EXPECT_EQ(static_cast<std::size_t>(written), printedCells);
}

TEST(CliTableExport, AFileThatCannotBeWrittenIsAnErrorAfterThePrintedTable)
{
    test::ShippedProgram program;
    test::insertDraws(program.databasePath(), kShippedLottery, {{2026014, 1, 2, 3, 4, 6, 1, 2}}, "2026-02-02");
    std::ostringstream out;
    std::ostringstream err;
    const std::string missing = program.apppath() + "没有的目录/表.csv";
    EXPECT_EQ(cli::run({"backtest", kShippedLottery, "--last", "1", "--sum", "15-20", "--csv", missing},
                       program.path().string(), out, err),
              1);
    EXPECT_EQ(out.str().rfind("期号\t", 0), 0u) << out.str();
    EXPECT_NE(err.str().find(missing), std::string::npos) << err.str();
    EXPECT_EQ(cli::run({"backtest", kShippedLottery, "--last", "1", "--sum", "15-20", "--xlsx"},
                       program.path().string(), out, err),
              2);
    // A FIFO is refused, not replaced by a regular file.
    const std::string fifo = program.apppath() + "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    err.str({});
    EXPECT_EQ(cli::run({"backtest", kShippedLottery, "--last", "1", "--sum", "15-20", "--csv", fifo},
                       program.path().string(), out, err),
              1);
    EXPECT_NE(err.str().find("命名管道"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(CliTableExport, CheckAndReplayTablesBeginWithTheirHeaderRow)
{
    // Two draws of 2006, before every prize table: their rows come under a header of their own.
    test::ShippedProgram program;
    test::insertDraws(program.databasePath(), kShippedLottery,
                      {{2006150, 1, 2, 3, 4, 5, 6, 7}, {2006151, 3, 9, 17, 25, 33, 4, 11}}, "2006-12-30");
    std::filesystem::create_directories(program.path() / "附属");
    std::filesystem::copy_file(std::string(QUORLIN_DIST_FILES_DIR) + "/附属/大乐透奖级.txt",
                               program.path() / "附属" / "大乐透奖级.txt");
    std::ofstream(program.apppath() + "one.txt") << "01 02 03 04 05+06 07\n";
    const std::string csv = program.apppath() + "t.csv";
    const std::string xlsx = program.apppath() + "t.xlsx";
    const std::vector<std::string> commands[] = {
        {"check", kShippedLottery, program.apppath() + "one.txt", "--issue", "2006150"},
        {"replay", kShippedLottery, "--last", "1", "--sum", "15", "--back", "6 7"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--csv", csv, "--xlsx", xlsx});
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(cli::run(args, program.path().string(), out, err), 0) << err.str();
        const std::string issue = command[0] == "check" ? "2006150" : "2006151";
        EXPECT_EQ(out.str().rfind("奖级\t早于所有奖级表\t奖金\n" + issue + "\t", 0), 0u) << out.str();
        EXPECT_EQ(readAll(csv).rfind(kBom + "奖级,早于所有奖级表,奖金\r\n" + issue + ",", 0), 0u) << readAll(csv);
        if (pythonWithOpenpyxl().empty())
            continue;
        const std::vector<std::string> cells = readXlsx(xlsx);
        for (const std::string& cell :
             {std::string("frozen\tA2"), std::string("A1\tstr\t奖级\tbold"), "A2\tint\t" + issue + "\t"})
            EXPECT_NE(std::find(cells.begin(), cells.end(), cell), cells.end()) << cell;
    }
}
