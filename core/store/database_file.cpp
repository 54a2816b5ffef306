#include "store/database_file.h"

#include "common/save_target.h"
#include "store/database.h"

namespace quorlin {

void writeDatabaseFile(const std::string& target, std::string_view image)
{
    if (std::string error; !writeFileBytes(target, image, error))
        throw DatabaseError(error);
}

} // namespace quorlin
