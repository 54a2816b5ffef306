#include "common/save_target.h"

#include <filesystem>

namespace quorlin {

std::string refusedSaveTarget(const std::string& target)
{
    namespace fs = std::filesystem;
    const fs::path database(kDatabaseRelativePath);
    std::error_code ec;
    // Links and "..", resolved, cannot lead the save into the folder unseen.
    fs::path path = fs::weakly_canonical(fs::path(target), ec);
    if (ec)
        path = fs::absolute(fs::path(target), ec).lexically_normal();
    for (fs::path folder = path.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (folder.filename() == database.parent_path() && fs::exists(folder / database.filename(), ec))
            return "不能保存到 " + target + "：它在程序的数据库文件夹 " + folder.string() +
                   " 中，会毁坏彩票数据库，请另选位置";
        if (folder == folder.root_path())
            break;
    }
    return {};
}

} // namespace quorlin
