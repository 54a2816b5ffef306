#include "common/shell_folder.h"

#include "common/text_file.h"

#include <cstdlib>
#include <filesystem>

namespace quorlin {

namespace {

std::optional<std::string> systemEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

// The desktop folder as the XDG user-dirs file names it, with $HOME expanded.
std::string xdgDesktop(const EnvironmentLookup& env)
{
    const std::string home = env("HOME").value_or("");
    std::string config = env("XDG_CONFIG_HOME").value_or("");
    if (config.empty())
        config = home + "/.config";
    if (auto lines = readTextLines(config + "/user-dirs.dirs")) {
        for (const std::string& line : *lines) {
            const std::string key = "XDG_DESKTOP_DIR=";
            if (!line.starts_with(key))
                continue;
            std::string value = line.substr(key.size());
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            if (value.starts_with("$HOME"))
                value = home + value.substr(5);
            return value;
        }
    }
    return home.empty() ? std::string() : home + "/Desktop";
}

} // namespace

std::string getshellfolder(const std::string& name)
{
    return getshellfolder(name, systemEnvironment);
}

std::string getshellfolder(const std::string& name, const EnvironmentLookup& env)
{
    if (name != "Desktop")
        return {};
    const std::string folder = xdgDesktop(env);
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        return {};
    return folder;
}

} // namespace quorlin
