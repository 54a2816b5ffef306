#include "store/database_file.h"

#include "common/scratch_file.h"
#include "store/database.h"

#include <cerrno>
#include <cstring>

namespace quorlin {

void writeDatabaseFile(const std::string& target, std::string_view image)
{
    ScratchFile scratch(target);
    if (!scratch.file())
        throw DatabaseError("无法在文件 " + target + " 所在的文件夹中写入：" + std::strerror(errno));
    if (std::fwrite(image.data(), 1, image.size(), scratch.file()) != image.size() || !scratch.commit())
        throw DatabaseError("无法写入文件 " + target + "：" + std::strerror(errno));
}

} // namespace quorlin
