#pragma once

#include "invest/code_drawing.h"
#include "invest/mode_rule.h"
#include "invest/play_type.h"

#include <cstdint>
#include <string>

namespace quorlin {

/// The investment-mode window's settings as its controls hold them: list indices and field texts.
struct ModeForm {
    PlayType playType = PlayType::Zhixuan;
    std::int32_t tozisep = 0;  ///< 中出后间隔期数 item, 0..50 (G = index)
    std::int32_t tozirep = 0;  ///< 连续投入期数 item, 0..49 (R = index + 1)
    std::int32_t sepindex = 0; ///< 观察间隔数 item, 0..99 (I = index + 1)
    std::int32_t sepnum = 0;   ///< 观察间隔连续次数 item, 0..9 (Q = index + 1)
    std::string sinmax = "1000000";
    std::string allmax = "1000000";
    std::string jushu = "100";
    std::string outofsin = "1000";
    std::string lirun = "10";
    bool yuji = true;
    bool sepmode = true;

    bool operator==(const ModeForm&) const = default;
};

/// The rule the form describes; throws WholeNumberError for a field that holds no whole number.
ModeRule modeRuleOf(const ModeForm& form);

/// The three files of the window, by what they hold.
enum class ModeFileKind { Codes, Settings, CodesAndSettings };

/// The ending of the proposed file name, after the lottery's name and the play type's caption.
const char* modeFileSuffix(ModeFileKind kind);

/// Writes a file of `kind`: the codes file holds the play type, the number of codes and one line
/// per code (its digits run together); the settings file the 13 settings lines; the third both.
/// False with `error` set when it cannot be written.
bool writeModeFile(const std::string& path, ModeFileKind kind, const ModeForm& form, const CodeList& codes,
                   std::string& error);

/// What reading a file of the window gave.
struct ModeFileContent {
    /// The settings, from a settings file (the play type alone from a codes file).
    ModeForm form;
    /// The codes of a codes file, `digits` digits each.
    CodeList codes;
};

/// Reads a file of `kind` written by writeModeFile; codes keep the first `digits` characters of
/// their lines. False with `error` naming the line at fault.
bool readModeFile(const std::string& path, ModeFileKind kind, int digits, ModeFileContent& content, std::string& error);

} // namespace quorlin
