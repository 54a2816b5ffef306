// invest NAME --codes FILE [--settings FILE] [--search]: replays the investment-mode rule of the
// settings (the window's defaults, 单倍注数 the number of codes, without --settings) with the
// code list over the lottery's history. Prints the result table, one TAB between cells, and
// 总体赢余; with --search the best setting of the search and its 总体赢余.
#include "cli_context.h"
#include "commands.h"
#include "common/progress.h"
#include "invest/hit_marks.h"
#include "invest/mode_files.h"
#include "invest/mode_replay.h"
#include "invest/mode_search.h"

#include <ostream>

namespace quorlin::cli {

namespace {

ModeFileContent readFile(const std::string& path, ModeFileKind kind, int digits)
{
    ModeFileContent content;
    std::string error;
    if (!readModeFile(path, kind, digits, content, error))
        throw std::runtime_error(path + "：" + error);
    return content;
}

const char* stopMessage(ModeStop stop)
{
    return stop == ModeStop::FirstDayTooDear ? "第一天投入已经超出中奖金额，无法投注！" : "所需倍数太大，无法投注！";
}

} // namespace

int runInvest(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string codesPath = args.option("--codes");
    const std::string settingsPath = args.option("--settings");
    const bool search = args.flag("--search");
    const std::string name = args.positional(1)[0];
    if (codesPath.empty())
        throw UsageError("缺少 --codes 号码文件");

    context.open(name);
    const LotteryState& state = context.state;
    const ModeFileContent codes = readFile(codesPath, ModeFileKind::Codes, state.caisel);
    ModeForm form;
    if (!settingsPath.empty())
        form = readFile(settingsPath, ModeFileKind::Settings, state.caisel).form;
    else
        form.jushu = std::to_string(codes.codes.rows());
    // The hits are those of the codes' own play type; the settings' play type names the range of B.
    const ModeRule rule = modeRuleOf(form);
    if (rule.jushu < 1) {
        err << playTypeRangeMessage(form.playType) << '\n';
        return 1;
    }
    const ModeReplay replay(markHits(codes.codes, codes.form.playType, state.hisfull));

    if (search) {
        Progress progress;
        const ModeSearchResult found = searchModes(replay, rule, progress);
        const ModeRule best = withSearchPoint(rule, found.best);
        out << "观察间隔连续次数：" << best.sepnum << "\t中出后间隔期数：" << best.tozisep << "\t连续投入期数："
            << best.tozirep << '\n';
        out << "总体赢余：" << replay.surplus(best) << '\n';
        return 0;
    }

    const ModeResult result = replay.analyse(rule);
    out << "投注时间\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)\n";
    for (const ModeBlock& block : result.blocks) {
        for (std::size_t c = 0; c < block.row.size(); ++c)
            out << (c ? "\t" : "") << block.row[c];
        out << '\n';
    }
    out << "总体赢余：" << result.surplus << '\n';
    if (result.stop != ModeStop::End)
        err << stopMessage(result.stop) << '\n';
    return 0;
}

} // namespace quorlin::cli
