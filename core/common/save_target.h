#pragma once

#include <string>

namespace quorlin {

/// Where the database lies below the program directory.
inline constexpr const char* kDatabaseRelativePath = "数据库/彩票数据.mdb";

/// Empty when a save may write the user-chosen file `target`; else why not, naming the path. A
/// program's database folder (a folder that holds the database where kDatabaseRelativePath puts
/// it), the database itself included, is refused: a file saved there could replace the database.
std::string refusedSaveTarget(const std::string& target);

} // namespace quorlin
