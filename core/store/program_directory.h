#pragma once

#include "common/shell_folder.h"

#include <string>

namespace quorlin {

/// Where the program keeps its database and side folders (`apppath`).
struct ProgramDirectory {
    std::string path;       ///< the program directory, without trailing separator
    bool installed = false; ///< a per-user folder prepared from the installed program data
    std::string shareDir;   ///< the installed program data (…/share/quorlin) when installed
};

/// The program directory of an executable in `exeDir`. A folder that holds the database folder
/// "数据库" is used as it is (a build folder, or a program copied somewhere as a whole). Otherwise,
/// when `exeDir`/../share/quorlin exists, the program is installed and its directory is the user's
/// $XDG_DATA_HOME/quorlin (~/.local/share/quorlin). Anything else falls back to `exeDir`.
ProgramDirectory locateProgramDirectory(const std::string& exeDir, const EnvironmentLookup& env);
ProgramDirectory locateProgramDirectory(const std::string& exeDir);

/// Makes a per-user program directory ready from the installed program data in `shareDir`: the
/// side folders, the program's files (copied when missing, and replaced when the user copy is the
/// one an earlier version shipped and the shipped one has changed — a file the user changed stays),
/// and, when there is none, the database filled from the shipped history. Never touches an existing
/// database. Returns an empty text, or why it failed.
std::string prepareProgramDirectory(const std::string& shareDir, const std::string& userDir);

/// Creates the database `target` with the shipped lottery, filled from `history` when it is not
/// empty, built in memory and written by writeDatabaseFile. When `apppath` (a program directory
/// with its trailing separator) is given, the lottery also gets its published results from the
/// copies there (addPrizeTables). Sets `draws` to the number imported. Returns an empty text, or
/// why it failed (no file is left behind then).
std::string createShippedDatabase(const std::string& target, const std::string& history, int& draws,
                                  const std::string& apppath = {});

/// The folders every program directory has.
inline constexpr const char* kSideFolders[] = {"数据库", "附属", "旋转矩阵", "图片", "帮助"};

} // namespace quorlin
