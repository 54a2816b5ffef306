#include "test_support.h"

#include "store/database.h"
#include "store/program_directory.h"
#include "store/schema.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace quorlin::test {

TempProgramDir::TempProgramDir()
{
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("quorlin-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_ / std::filesystem::u8path("数据库"));
}

TempProgramDir::~TempProgramDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempProgramDir::databasePath() const
{
    return apppath() + kDatabaseRelativePath;
}

ShippedProgram::ShippedProgram()
{
    Database db;
    db.open(databasePath(), Database::Mode::Create);
    createLottery(db, shippedLotteryDefinition());
}

HistoryProgram::HistoryProgram()
{
    int draws = 0;
    if (const std::string error = createShippedDatabase(databasePath(), historyCsvPath(), draws); !error.empty())
        throw std::runtime_error(error);
}

void insertDraws(const std::string& databasePath, const std::string& lottery,
                 const std::vector<std::vector<int>>& draws, const std::string& date)
{
    Database db;
    db.open(databasePath);
    Transaction tx(db);
    Statement st(db, "insert into " + quoteIdentifier(drawTableName(lottery)) +
                         "(记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期) values (?1,?2,?3,?4,?5,?6,?7,?8,?9)");
    for (const auto& draw : draws) {
        st.reset();
        st.bind(1, std::to_string(draw.at(0)));
        for (int k = 1; k <= 7; ++k)
            st.bind(k + 1, draw.at(static_cast<std::size_t>(k)));
        st.bind(9, date);
        st.step();
    }
    tx.commit();
}

std::string historyCsvPath()
{
    const std::string path = std::string(dataDir()) + "/dlt_history.csv";
    if (!std::filesystem::exists(path))
        ADD_FAILURE() << "the shipped draw history is missing: " << path;
    return path;
}

KilledWork killedPartWay(const std::function<bool()>& work)
{
    KilledWork result;
    int ready[2];
    if (pipe(ready) != 0)
        return result;
    const pid_t child = fork();
    if (child < 0)
        return result;
    if (child == 0) {
        const char state = work() ? 'w' : 'f';
        if (write(ready[1], &state, 1) == 1)
            pause();
        _exit(1);
    }
    close(ready[1]);
    char state = 0;
    result.reported = read(ready[0], &state, 1) == 1;
    close(ready[0]);
    result.wentWell = state == 'w';
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    return result;
}

Grid<std::int32_t> shippedHistory(std::vector<std::string>* dates)
{
    std::ifstream in(historyCsvPath());
    std::string line;
    std::getline(in, line); // the header
    std::vector<std::vector<std::string>> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream cut(line);
        for (std::string cell; std::getline(cut, cell, ',');)
            cells.push_back(cell);
        rows.push_back(std::move(cells));
    }
    Grid<std::int32_t> grid(rows.size(), 8);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        grid.at(r, 0) = std::stoi(rows[r][0]);
        for (std::size_t k = 1; k <= 7; ++k)
            grid.at(r, k) = std::stoi(rows[r][k + 1]);
        if (dates)
            dates->push_back(rows[r][1]);
    }
    return grid;
}

namespace {

// Whether a new file can be created in the folder now.
bool writable(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = folder / "probe";
    if (!std::ofstream(probe))
        return false;
    std::filesystem::remove(probe);
    return true;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder))
{
    std::filesystem::permissions(folder_,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (writable(folder_))
        immutable_ = setImmutable(true);
    active_ = !writable(folder_);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (immutable_)
        setImmutable(false);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

bool ReadOnlyFolder::setImmutable(bool on) const
{
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace quorlin::test
