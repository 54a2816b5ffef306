#pragma once

#include <string>
#include <string_view>

namespace quorlin {

/// Where the database lies below the program directory.
inline constexpr const char* kDatabaseRelativePath = "数据库/彩票数据.mdb";

/// The file a save of a path replaces, or why it may not.
struct SaveTarget {
    std::string file;    ///< the path itself, or the regular file a symbolic link there leads to
    std::string refused; ///< empty when the save may go ahead; else why not, naming the path
};

/// The check every file the program writes passes. A path that names nothing yet, or a regular
/// file, is written as it is. A symbolic link is written through: the regular file it leads to is
/// replaced and the link stays. Anything else is refused, saying what it is: a character or block
/// device, a FIFO, a socket, a folder, a link to one of these, or a link that leads nowhere.
/// Replacing such a file would destroy what it is; writing into it would send the data elsewhere.
SaveTarget programSaveTarget(const std::string& path);

/// The check of a file the user chose: programSaveTarget's, and a program's database folder (a
/// folder that holds the database where kDatabaseRelativePath puts it), the database itself
/// included, is refused, links and ".." resolved: a file saved there could replace the database.
SaveTarget userSaveTarget(const std::string& path);

/// userSaveTarget(path).refused.
std::string refusedSaveTarget(const std::string& path);

/// Writes `bytes` as the program's file `path` through a ScratchFile (so checked by
/// programSaveTarget), which replaces the file only when complete. False with `error` set on
/// refusal or failure, the file then left as it was.
bool writeFileBytes(const std::string& path, std::string_view bytes, std::string& error);

/// writeFileBytes for a file the user chose, checked by userSaveTarget first.
bool saveFileBytes(const std::string& path, std::string_view bytes, std::string& error);

} // namespace quorlin
