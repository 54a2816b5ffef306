#pragma once

#include "common/grid.h"
#include "store/lottery_state.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorlin::test {

/// A temporary program directory, removed with everything in it when the object goes.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    /// The directory with a trailing '/', as LotteryState::apppath holds it.
    std::string apppath() const { return path_.string() + "/"; }
    std::string databasePath() const;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// A program directory whose database holds the shipped lottery with an empty draw table.
struct ShippedProgram : TempProgramDir {
    ShippedProgram();
};

/// A program directory whose database holds the shipped lottery filled with the shipped history,
/// as a newly built program has it.
struct HistoryProgram : TempProgramDir {
    HistoryProgram();
};

/// Appends draws to a lottery's table: each as {issue, f1..f5, b1, b2} with date `date`.
void insertDraws(const std::string& databasePath, const std::string& lottery,
                 const std::vector<std::vector<int>>& draws, const std::string& date = "2020-01-01");

/// The source tree's data/ (the shipped history), dist/files/ (the shipped side files) and
/// tests/data/download/ (saved results pages) folders.
const char* dataDir();
const char* distFilesDir();
const char* downloadFixturesDir();

/// The draw history the project ships (data/dlt_history.csv); a missing file fails the test.
std::string historyCsvPath();

/// The shipped draw history as the open lottery's hisfull holds it ([0] issue, [1..5] front,
/// [6..7] back numbers, oldest first), and its dates as hisdate holds them when `dates` is given.
Grid<std::int32_t> shippedHistory(std::vector<std::string>* dates = nullptr);

/// What became of work that `killedPartWay` ran.
struct KilledWork {
    bool reported = false; // the work came back and said how it went before it was killed
    bool wentWell = false; // what it said
    bool killed = false;   // the process ended by the SIGKILL, as a killed program does
};
/// Runs `work` in a child process, which then waits; kills it with SIGKILL once the work has
/// returned (true: it went well), as a user's kill -9 of a program in the middle of a save.
KilledWork killedPartWay(const std::function<bool()>& work);

/// Makes a folder unwritable while it lives: no file can be created, renamed or removed in it.
/// Permissions alone do not stop root, so the folder is also marked immutable where the file
/// system allows it; `active()` is false when neither worked (the test should skip then).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool active() const { return active_; }

private:
    bool setImmutable(bool on) const;
    std::filesystem::path folder_;
    bool immutable_ = false;
    bool active_ = false;
};

} // namespace quorlin::test
