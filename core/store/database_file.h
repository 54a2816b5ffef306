#pragma once

#include <string>
#include <string_view>

namespace quorlin {

/// Writes a database image (Database::image) as the file `target`, replacing it in one step through
/// a ScratchFile: a failure, or the process dying part-way, leaves `target` as it was and no scratch
/// file behind. Throws DatabaseError saying why.
void writeDatabaseFile(const std::string& target, std::string_view image);

} // namespace quorlin
