#pragma once

#include <cstdio>
#include <string>

namespace quorlin {

/// The file a writer fills before it replaces `target` in one step, so that `target` is never seen
/// half-written. Where the file system allows, it is an unnamed file in the target's folder that
/// vanishes with the process if the process dies before commit(); elsewhere it is a file named
/// `target` + ".part-" + process id + "-" + a counter, removed again unless committed. The target
/// passes programSaveTarget, when the file is made and again just before it is replaced: a link is
/// written through to the regular file it leads to, a device, FIFO or the like is refused.
class ScratchFile {
public:
    explicit ScratchFile(std::string target);
    /// Discards the file unless it was committed.
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    /// Open for binary writing, or null (with errno set, or refused() saying why) when no scratch
    /// file could be made.
    std::FILE* file() const { return file_; }
    /// Why the target may not be written (programSaveTarget); empty when it may.
    const std::string& refused() const { return refused_; }
    /// A name by which another writer (a library that opens its output by name) can open the
    /// scratch file for writing while it is open: /proc/self/fd/N for an unnamed file, so that it
    /// still vanishes with the process; else its name. Empty when there is none.
    std::string path();

    /// Flushes the file to disk and puts it in place of the target. False with errno set when that
    /// fails; the file is discarded either way and the target is left as it was on failure.
    bool commit();
    /// Closes and removes the file, leaving the target as it was.
    void discard();

private:
    bool openUnnamed();
    bool openNamed();
    bool giveName();

    std::string target_; ///< the file replaced: the target, or the regular file a link there leads to
    std::string refused_;
    std::string name_; ///< the scratch file's name once it has one
    std::FILE* file_ = nullptr;
};

} // namespace quorlin
