#include "common/scratch_file.h"

#include "common/save_target.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace quorlin {

namespace {

constexpr int kNameAttempts = 100;

// A name beside the target that no other writer of this or another process picks.
std::string uniqueName(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

// Gives the unnamed file `fd` the name `name`; linkat through /proc needs no privilege, the
// descriptor form serves where /proc is not mounted.
bool linkUnnamed(int fd, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT)
        return false;
    return linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

} // namespace

ScratchFile::ScratchFile(std::string target)
{
    SaveTarget checked = programSaveTarget(target);
    target_ = std::move(checked.file);
    refused_ = std::move(checked.refused);
    if (!refused_.empty()) {
        errno = EINVAL;
        return;
    }
    if (!openUnnamed())
        openNamed();
}

ScratchFile::~ScratchFile()
{
    discard();
}

bool ScratchFile::openUnnamed()
{
    const std::filesystem::path parent = std::filesystem::path(target_).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    file_ = fdopen(fd, "wb");
    if (!file_)
        close(fd);
    return file_ != nullptr;
}

bool ScratchFile::openNamed()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name_ = uniqueName(target_);
        if ((file_ = std::fopen(name_.c_str(), "wbx")))
            return true;
        if (errno != EEXIST)
            break;
    }
    name_.clear();
    return false;
}

std::string ScratchFile::path()
{
    if (!file_)
        return {};
    if (!name_.empty())
        return name_;
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(file_));
    if (access(self.c_str(), W_OK) == 0)
        return self;
    return giveName() ? name_ : std::string();
}

bool ScratchFile::giveName()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = uniqueName(target_);
        if (linkUnnamed(fileno(file_), name)) {
            name_ = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return false;
}

bool ScratchFile::commit()
{
    if (!file_)
        return false;
    int reason = 0;
    const auto failed = [&reason] {
        if (reason == 0)
            reason = errno;
        return false;
    };
    // The data must be on disk before the rename makes it the target, or a crash could leave an
    // empty file where the old one was. An unnamed file then gets a unique name of its own: a link
    // cannot replace the target, a rename can.
    bool done = (std::fflush(file_) == 0 && fsync(fileno(file_)) == 0) || failed();
    done = done && (!name_.empty() || giveName() || failed());
    const int closed = std::fclose(file_);
    file_ = nullptr;
    done = done && (closed == 0 || failed());
    // What was a regular file (or nothing) when the file was made may have been swapped since.
    if (done) {
        const SaveTarget now = programSaveTarget(target_);
        if (!now.refused.empty() || now.file != target_) {
            refused_ = now.refused.empty() ? "不能保存到 " + target_ + "：它在写入期间换成了符号链接" : now.refused;
            errno = EINVAL;
            done = failed();
        }
    }
    done = done && (std::rename(name_.c_str(), target_.c_str()) == 0 || failed());
    if (done)
        name_.clear();
    discard();
    errno = reason;
    return done;
}

void ScratchFile::discard()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!name_.empty()) {
        std::remove(name_.c_str());
        name_.clear();
    }
}

} // namespace quorlin
