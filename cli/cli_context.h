#pragma once

#include "store/lottery_state.h"
#include "store/u_datamod.h"

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorlin {
class BetList;
}

namespace quorlin::cli {

/// Writes a filter's bet list in the saved form to `file` when one is given; false (the reason on
/// `err`) when it cannot be written.
bool saveBets(const BetList& bets, const std::string& file, std::ostream& err);

/// One row of a printed table: the cells joined by tabs, then a line break.
void printRow(std::ostream& out, const std::vector<std::string>& cells);

/// Wrong words on the command line: the command's usage is printed to stderr, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What a command works on: the program directory's lottery state and data module.
struct CliContext {
    LotteryState state;
    Tdatamod datamod;
    /// Makes the default program directory ready (an installed program's user folder); run once, by
    /// the first command that reads or writes the folder, so help and usage errors touch nothing.
    /// Throws with the reason when the folder cannot be made ready.
    std::function<void()> prepareHome;

    /// The program directory, made ready first ("…/", as state.apppath holds it).
    const std::string& home();
    /// The database file of the program directory, made ready first.
    std::string databasePath();
    /// Opens a lottery as the registry dialog does (definition read, load, standard tables).
    void open(const std::string& lottery);
    /// Opens the database for the lottery's published results, its result tables added (and the
    /// shipped results stored) as opening the lottery would. Throws DatabaseError.
    Database openResults(const std::string& lottery);
};

/// The words after the command name, with helpers for "--flag value" options.
class CliArgs {
public:
    explicit CliArgs(std::vector<std::string> words) : words_(std::move(words)) {}

    /// Removes "--name VALUE" and returns VALUE, or `fallback` when the flag is absent.
    /// Throws UsageError when the value is missing or the flag is given twice.
    std::string option(const std::string& name, const std::string& fallback = {});
    /// Removes "--name" and tells whether it was there.
    bool flag(const std::string& name);
    /// The words left; throws UsageError unless there are exactly `count` and none is a flag.
    const std::vector<std::string>& positional(std::size_t count);
    /// As positional(), but `min` or more.
    const std::vector<std::string>& positionalAtLeast(std::size_t min);
    /// The words not taken yet, in their order (for options whose order matters).
    const std::vector<std::string>& remaining() const { return words_; }

private:
    std::vector<std::string> words_;
};

} // namespace quorlin::cli
