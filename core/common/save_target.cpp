#include "common/save_target.h"

#include "common/scratch_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quorlin {

namespace {

namespace fs = std::filesystem;

const char* kindText(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return "文件夹";
    case fs::file_type::character:
        return "字符设备";
    case fs::file_type::block:
        return "块设备";
    case fs::file_type::fifo:
        return "命名管道（FIFO）";
    case fs::file_type::socket:
        return "套接字";
    default:
        return "特殊文件";
    }
}

std::string databaseFolderHolding(const std::string& path)
{
    const fs::path database(kDatabaseRelativePath);
    std::error_code ec;
    // Links and "..", resolved, cannot lead the save into the folder unseen.
    fs::path resolved = fs::weakly_canonical(fs::path(path), ec);
    if (ec)
        resolved = fs::absolute(fs::path(path), ec).lexically_normal();
    for (fs::path folder = resolved.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (folder.filename() == database.parent_path() && fs::exists(folder / database.filename(), ec))
            return folder.string();
        if (folder == folder.root_path())
            break;
    }
    return {};
}

} // namespace

SaveTarget programSaveTarget(const std::string& path)
{
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(path, ec);
    // A path that cannot be looked at is left to the write, which names the system's reason.
    if (ec || own.type() == fs::file_type::not_found || own.type() == fs::file_type::regular)
        return {path, {}};
    if (own.type() != fs::file_type::symlink)
        return {path, "不能保存到 " + path + "：它是" + kindText(own.type()) + "，不是普通文件，请另选文件"};
    const fs::file_status led = fs::status(path, ec);
    if (led.type() == fs::file_type::regular) {
        const fs::path file = fs::canonical(path, ec);
        if (!ec)
            return {file.string(), {}};
    }
    const std::string leadsTo = fs::read_symlink(path, ec).string();
    const std::string what = led.type() == fs::file_type::not_found || ec
                                 ? "所指的 " + leadsTo + " 不存在"
                                 : "所指的 " + leadsTo + " 是" + kindText(led.type()) + "，不是普通文件";
    return {path, "不能保存到 " + path + "：它是符号链接，" + what +
                      "；只有指向普通文件的链接才写入它所指的文件，请另选文件"};
}

SaveTarget userSaveTarget(const std::string& path)
{
    if (const std::string folder = databaseFolderHolding(path); !folder.empty())
        return {path,
                "不能保存到 " + path + "：它在程序的数据库文件夹 " + folder + " 中，会毁坏彩票数据库，请另选位置"};
    return programSaveTarget(path);
}

std::string refusedSaveTarget(const std::string& path)
{
    return userSaveTarget(path).refused;
}

bool writeFileBytes(const std::string& path, std::string_view bytes, std::string& error)
{
    ScratchFile scratch(path);
    if (!scratch.file()) {
        error = !scratch.refused().empty() ? scratch.refused()
                                           : "无法在文件 " + path + " 所在的文件夹中写入：" + std::strerror(errno);
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), scratch.file()) == bytes.size() && scratch.commit())
        return true;
    error = !scratch.refused().empty() ? scratch.refused() : "无法写入文件 " + path + "：" + std::strerror(errno);
    return false;
}

bool saveFileBytes(const std::string& path, std::string_view bytes, std::string& error)
{
    if (std::string refused = refusedSaveTarget(path); !refused.empty()) {
        error = std::move(refused);
        return false;
    }
    return writeFileBytes(path, bytes, error);
}

} // namespace quorlin
