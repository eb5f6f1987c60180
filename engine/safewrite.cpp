#include "engine/safewrite.h"

#include "engine/fileerror.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qrv {

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows when it opens a file.
constexpr int kMostLinks = 40;

struct Target {
    fs::path path;                   // the file that takes the bytes: the end of any links
    std::optional<struct stat> file; // what stands there now, if anything
    int error = 0;
};

// Follows symbolic links to the file they name, which need not exist yet.
Target resolveLinks(fs::path path)
{
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0)
            return {path, std::nullopt, errno == ENOENT ? 0 : errno};
        if (!S_ISLNK(status.st_mode))
            return {path, status, 0};
        if (links == kMostLinks)
            return {path, std::nullopt, ELOOP};
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return {path, std::nullopt, ec.value()};
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// Why the file standing at the target may not be replaced; empty when it may.
std::string replaceRefusal(const Target& target)
{
    if (!target.file)
        return {};
    const mode_t mode = target.file->st_mode;
    if (S_ISDIR(mode))
        return fileErrorText(EISDIR);
    // Devices and pipes are not files to replace.
    if (!S_ISREG(mode))
        return "Bad file mode";
    // The mode bits first: root may write to any file, but a read-only one stays so.
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fileErrorText(EACCES);
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        return fileErrorText(errno);
    return {};
}

// A temporary file in the target's folder, removed again unless it took the target's name.
// Its name is short, so that a target with the longest legal name still gets one.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& folder)
    {
        std::random_device seed;
        std::mt19937 random(seed());
        for (int attempt = 0; attempt < 16; ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, ".qrv%06x.tmp", unsigned(random() & 0xffffff));
            m_path = folder / name;
            // 0666 less the umask, as creating the target directly would give it.
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0 || errno != EEXIST)
                break;
        }
        m_error = m_fd < 0 ? errno : 0;
        m_created = m_fd >= 0;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_created && !m_renamed)
            ::unlink(m_path.c_str());
    }

    // The first failure's errno, 0 while all went well.
    int error() const { return m_error; }

    void write(std::string_view bytes)
    {
        while (m_error == 0 && !bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR)
                m_error = errno;
            else if (written > 0)
                bytes.remove_prefix(std::size_t(written));
        }
    }

    // The owner, group and permissions of the file it replaces.
    void takeOwnerAndModeOf(const struct stat& old)
    {
        if (m_error != 0)
            return;
        // Root gives the file back to its owner, others keep its group where they belong to
        // it; failing both, the file is ours, with the old mode.
        const bool owned = ::fchown(m_fd, old.st_uid, old.st_gid) == 0
                           || ::fchown(m_fd, uid_t(-1), old.st_gid) == 0;
        static_cast<void>(owned);
        if (::fchmod(m_fd, old.st_mode & 07777) != 0)
            m_error = errno;
    }

    // On disk, closed, and renamed to the target.
    void commit(const fs::path& target)
    {
        if (m_fd < 0)
            return;
        // A file system that cannot sync (EINVAL) is no reason to fail the save.
        if (m_error == 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
            m_error = errno;
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0 && m_error == 0)
            m_error = errno;
        if (m_error == 0 && ::rename(m_path.c_str(), target.c_str()) != 0)
            m_error = errno;
        m_renamed = m_error == 0;
    }

private:
    fs::path m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_created = false;
    bool m_renamed = false;
};

} // namespace

std::string safeWriteFile(const std::string& path, std::string_view bytes)
{
    if (path.empty() || !fs::path(path).has_filename())
        return "Bad file name";
    const Target target = resolveLinks(path);
    if (target.error != 0)
        return fileErrorText(target.error);
    if (std::string refusal = replaceRefusal(target); !refusal.empty())
        return refusal;

    const fs::path folder = target.path.parent_path();
    TemporaryFile temporary(folder.empty() ? fs::path(".") : folder);
    if (target.file)
        temporary.takeOwnerAndModeOf(*target.file);
    temporary.write(bytes);
    temporary.commit(target.path);
    return temporary.error() == 0 ? std::string() : fileErrorText(temporary.error());
}

} // namespace qrv
