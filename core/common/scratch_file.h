#pragma once

#include <cstdio>
#include <string>

namespace quorlin {

/// Creates a new, empty scratch file beside `path`, named `path` + ".part-" + process id + "-" +
/// a counter, so that no other writer of this or another process picks the same name. Returns the
/// file open for binary writing and its name in `scratch`, or null with errno set. Writers fill the
/// scratch file and rename it over `path`, so that `path` is never seen half-written.
std::FILE* createScratchFile(const std::string& path, std::string& scratch);

} // namespace quorlin
