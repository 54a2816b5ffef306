// The folders of the source tree the tests read from. They are compiled into this file only, so no
// other test file's compile line names this clone's path and a compiler cache shared between clones
// reuses them.
#include "test_support.h"

namespace quorlin::test {

const char* dataDir()
{
    return QUORLIN_SOURCE_DATA_DIR;
}

const char* distFilesDir()
{
    return QUORLIN_SOURCE_DIST_FILES_DIR;
}

const char* downloadFixturesDir()
{
    return QUORLIN_SOURCE_DOWNLOAD_FIXTURES_DIR;
}

} // namespace quorlin::test
