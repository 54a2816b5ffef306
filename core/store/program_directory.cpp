#include "store/program_directory.h"

#include "common/save_target.h"
#include "store/database.h"
#include "store/database_file.h"
#include "store/draw_import.h"
#include "store/schema.h"
#include "store/shipped_prizes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quorlin {

namespace {

// The file that remembers what the program shipped into a per-user folder, to tell an unchanged
// program file (which an upgrade may replace) from one the user changed (which stays).
constexpr const char* kManifest = ".quorlin-shipped";

std::optional<std::string> systemVariable(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The whole file; empty when it cannot be read.
std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string contentHash(const fs::path& file)
{
    return std::to_string(std::hash<std::string>{}(bytesOf(file)));
}

void writeFile(const fs::path& file, std::string_view bytes)
{
    if (std::string error; !writeFileBytes(file.string(), bytes, error))
        throw std::runtime_error(error);
}

void copyFile(const fs::path& from, const fs::path& to)
{
    if (!std::ifstream(from, std::ios::binary))
        throw std::runtime_error("无法读取 " + from.string());
    writeFile(to, bytesOf(from));
}

std::map<std::string, std::string> readManifest(const fs::path& path)
{
    std::map<std::string, std::string> entries;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos)
            entries[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return entries;
}

} // namespace

ProgramDirectory locateProgramDirectory(const std::string& exeDir)
{
    return locateProgramDirectory(exeDir, systemVariable);
}

ProgramDirectory locateProgramDirectory(const std::string& exeDir, const EnvironmentLookup& env)
{
    std::error_code ec;
    const fs::path exe(exeDir);
    if (fs::is_directory(exe / fs::path("数据库"), ec))
        return {exeDir, false, {}};
    const fs::path share = (exe.parent_path() / "share" / "quorlin").lexically_normal();
    if (!fs::is_directory(share, ec))
        return {exeDir, false, {}};
    std::string dataHome = env("XDG_DATA_HOME").value_or("");
    // The XDG rule: an unset, empty or relative XDG_DATA_HOME means ~/.local/share.
    if (dataHome.empty() || dataHome.front() != '/')
        dataHome = env("HOME").value_or("") + "/.local/share";
    return {(fs::path(dataHome) / "quorlin").string(), true, share.string()};
}

std::string createShippedDatabase(const std::string& target, const std::string& history, int& draws,
                                  const std::string& apppath)
{
    draws = 0;
    try {
        // Built in memory and written in one step, so that nothing is left behind when it fails or
        // the program is stopped part-way.
        Database db;
        db.open(":memory:", Database::Mode::Create);
        createLottery(db, shippedLotteryDefinition());
        if (!history.empty()) {
            const ImportResult imported = importDraws(db, kShippedLottery, history);
            if (!imported.ok)
                return history + "：" + imported.error;
            draws = imported.added;
        }
        if (!apppath.empty())
            addPrizeTables(db, kShippedLottery, apppath);
        writeDatabaseFile(target, db.image());
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::string prepareProgramDirectory(const std::string& shareDir, const std::string& userDir)
{
    const fs::path share(shareDir);
    const fs::path user(userDir);
    try {
        for (const char* folder : kSideFolders)
            fs::create_directories(user / fs::path(folder));

        // The program's files: copied when missing; replaced by a newer version only when the user
        // copy is still the one shipped before.
        const fs::path manifestPath = user / kManifest;
        std::map<std::string, std::string> shipped = readManifest(manifestPath);
        const fs::path files = share / "files";
        std::error_code ec;
        if (fs::is_directory(files, ec)) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(files)) {
                if (!entry.is_regular_file())
                    continue;
                const fs::path relative = fs::relative(entry.path(), files);
                const fs::path target = user / relative;
                const std::string newHash = contentHash(entry.path());
                const auto known = shipped.find(relative.string());
                const bool missing = !fs::exists(target, ec);
                const bool unchanged = !missing && known != shipped.end() && contentHash(target) == known->second;
                if (missing || (unchanged && known->second != newHash)) {
                    fs::create_directories(target.parent_path());
                    copyFile(entry.path(), target);
                    shipped[relative.string()] = newHash;
                }
                // Otherwise the user changed the file, or had it before the program shipped one:
                // it stays theirs.
            }
        }
        std::string manifest;
        for (const auto& [path, hash] : shipped)
            manifest += path + '\t' + hash + '\n';
        writeFile(manifestPath, manifest);

        const fs::path database = user / fs::path(kDatabaseRelativePath);
        if (!fs::exists(database, ec)) {
            int draws = 0;
            const fs::path history = share / "dlt_history.csv";
            const std::string error =
                createShippedDatabase(database.string(), fs::exists(history, ec) ? history.string() : std::string(),
                                      draws, user.string() + "/");
            if (!error.empty())
                return "无法建立数据库 " + database.string() + "：" + error;
        }
    } catch (const std::exception& e) {
        return "无法准备程序目录 " + userDir + "：" + e.what();
    }
    return {};
}

} // namespace quorlin
