#include "invest/mode_files.h"

#include "common/text_encoding.h"
#include "common/text_file.h"
#include "invest/money.h"

#include <optional>
#include <vector>

namespace quorlin {

namespace {

std::vector<std::string> settingsLines(const ModeForm& form)
{
    const std::string type = std::to_string(static_cast<int>(form.playType));
    return {type,
            std::to_string(form.tozisep),
            std::to_string(form.tozirep),
            std::to_string(form.sepindex),
            std::to_string(form.sepnum),
            form.sinmax,
            form.allmax,
            form.jushu,
            form.outofsin,
            form.lirun,
            form.yuji ? "1" : "0",
            form.sepmode ? "1" : "0",
            type};
}

/// Walks the lines of a file, naming the line at fault when one does not hold what it should.
class LineCursor {
public:
    explicit LineCursor(const std::vector<std::string>& lines) : lines_(lines) {}

    std::optional<std::string> next(std::string& error)
    {
        if (at_ >= lines_.size()) {
            error = "文件在第" + std::to_string(at_ + 1) + "行之前就结束了，内容不全";
            return std::nullopt;
        }
        return lines_[at_++];
    }
    /// The next line as a whole number in first..last.
    std::optional<std::int32_t> index(std::int32_t first, std::int32_t last, std::string& error)
    {
        const auto line = next(error);
        if (!line)
            return std::nullopt;
        const auto value = parseWholeNumber(*line);
        if (!value || *value < first || *value > last) {
            error = "第" + std::to_string(at_) + "行的“" + lineExcerpt(*line) + "”应为" + std::to_string(first) + "到" +
                    std::to_string(last) + "之间的整数";
            return std::nullopt;
        }
        return static_cast<std::int32_t>(*value);
    }
    std::size_t lineNumber() const { return at_; }

private:
    const std::vector<std::string>& lines_;
    std::size_t at_ = 0;
};

bool readSettings(LineCursor& in, ModeForm& form, std::string& error)
{
    const auto type = in.index(0, kPlayTypeCount - 1, error);
    const auto tozisep = type ? in.index(0, 50, error) : std::nullopt;
    const auto tozirep = tozisep ? in.index(0, 49, error) : std::nullopt;
    const auto sepindex = tozirep ? in.index(0, 99, error) : std::nullopt;
    const auto sepnum = sepindex ? in.index(0, 9, error) : std::nullopt;
    if (!sepnum)
        return false;
    std::string* texts[] = {&form.sinmax, &form.allmax, &form.jushu, &form.outofsin, &form.lirun};
    for (std::string* text : texts) {
        const auto line = in.next(error);
        if (!line)
            return false;
        *text = *line;
    }
    const auto yuji = in.next(error);
    const auto sepmode = yuji ? in.next(error) : std::nullopt;
    // The last line repeats the play type.
    if (!sepmode || !in.next(error))
        return false;
    form.playType = static_cast<PlayType>(*type);
    form.tozisep = *tozisep;
    form.tozirep = *tozirep;
    form.yuji = *yuji == "1";
    form.sepmode = *sepmode == "1";
    // Without 间隔模式 the two observation lists stand at their first items.
    form.sepindex = form.sepmode ? *sepindex : 0;
    form.sepnum = form.sepmode ? *sepnum : 0;
    return true;
}

bool readCodes(LineCursor& in, int digits, CodeList& codes, std::string& error)
{
    const auto count = in.index(0, 1000000, error);
    if (!count)
        return false;
    codes = CodeList(static_cast<std::size_t>(*count), static_cast<std::size_t>(digits));
    for (std::size_t r = 0; r < codes.rows(); ++r) {
        const auto line = in.next(error);
        if (!line)
            return false;
        for (std::size_t p = 0; p < codes.cols(); ++p) {
            if (p >= line->size() || (*line)[p] < '0' || (*line)[p] > '9') {
                error = "第" + std::to_string(in.lineNumber()) + "行的“" + lineExcerpt(*line) + "”不是" +
                        std::to_string(digits) + "位数字的号码";
                return false;
            }
            codes.at(r, p) = static_cast<std::uint8_t>((*line)[p] - '0');
        }
    }
    return true;
}

} // namespace

ModeRule modeRuleOf(const ModeForm& form)
{
    ModeRule rule;
    rule.sepmode = form.sepmode;
    rule.sepindex = form.sepmode ? form.sepindex + 1 : 1;
    rule.sepnum = form.sepmode ? form.sepnum + 1 : 1;
    rule.tozisep = form.tozisep;
    rule.tozirep = form.tozirep + 1;
    rule.sinmax = toInt64(form.sinmax);
    rule.allmax = toInt64(form.allmax);
    rule.jushu = toInt64(form.jushu);
    rule.outofsin = toInt64(form.outofsin);
    rule.lirun = toInt64(form.lirun);
    rule.yuji = form.yuji;
    return rule;
}

const char* modeFileSuffix(ModeFileKind kind)
{
    switch (kind) {
    case ModeFileKind::Codes:
        return "投资模式投注号码.txt";
    case ModeFileKind::Settings:
        return "投资模式设置.txt";
    case ModeFileKind::CodesAndSettings:
        break;
    }
    return "投资模式投注号码和设置.txt";
}

bool writeModeFile(const std::string& path, ModeFileKind kind, const ModeForm& form, const CodeList& codes,
                   std::string& error)
{
    std::vector<std::string> lines;
    if (kind == ModeFileKind::Codes)
        lines.push_back(std::to_string(static_cast<int>(form.playType)));
    else
        lines = settingsLines(form);
    if (kind != ModeFileKind::Settings) {
        lines.push_back(std::to_string(codes.rows()));
        for (std::size_t r = 0; r < codes.rows(); ++r) {
            std::string code;
            for (const std::uint8_t digit : codes.row(r))
                code += static_cast<char>('0' + digit);
            lines.push_back(code);
        }
    }
    return writeTextLines(path, lines, error);
}

bool readModeFile(const std::string& path, ModeFileKind kind, int digits, ModeFileContent& content, std::string& error)
{
    const auto lines = readTextLines(path, error);
    if (!lines)
        return false;
    LineCursor in(*lines);
    if (kind == ModeFileKind::Codes) {
        const auto type = in.index(0, kPlayTypeCount - 1, error);
        if (!type)
            return false;
        content.form.playType = static_cast<PlayType>(*type);
    } else if (!readSettings(in, content.form, error)) {
        return false;
    }
    return kind == ModeFileKind::Settings || readCodes(in, digits, content.codes, error);
}

} // namespace quorlin
