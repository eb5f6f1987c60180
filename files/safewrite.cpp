#include "files/safewrite.h"

#include "files/fileerror.h"

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
// Writes every byte, again after an interruption. 0, or the errno of the failure.
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return errno;
        if (written > 0)
            bytes.remove_prefix(std::size_t(written));
    }
    return 0;
}

// Every byte on disk; a file system that cannot sync (EINVAL) is no reason to fail the save.
int syncAll(int fd)
{
    return ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
}

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
        if (m_created && !m_kept)
            ::unlink(m_path.c_str());
    }

    // The first failure's errno, 0 while all went well.
    int error() const { return m_error; }

    void write(std::string_view bytes)
    {
        if (m_error == 0)
            m_error = writeAll(m_fd, bytes);
    }

    // The owner, group and permissions of the file it replaces. False when the owner and
    // group cannot both be given (the saver is not root and not the file's owner, or is not
    // in its group): a rename would then hand the file to the saver.
    bool takeOwnerAndModeOf(const struct stat& old)
    {
        if (m_error != 0)
            return false;
        const bool sameOwner = ::fchown(m_fd, old.st_uid, old.st_gid) == 0;
        if (::fchmod(m_fd, old.st_mode & 07777) != 0)
            m_error = errno;
        return sameOwner;
    }

    // Every byte on disk.
    void sync()
    {
        if (m_fd >= 0 && m_error == 0)
            m_error = syncAll(m_fd);
    }

    // On disk, closed, and renamed to the target.
    void commit(const fs::path& target)
    {
        if (m_fd < 0)
            return;
        sync();
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0 && m_error == 0)
            m_error = errno;
        if (m_error == 0 && ::rename(m_path.c_str(), target.c_str()) != 0)
            m_error = errno;
        m_kept = m_error == 0;
    }

    // Left on disk when it goes: it holds content that is nowhere else.
    void keep() { m_kept = true; }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_created = false;
    bool m_kept = false;
};

// Writes `bytes` into the existing file itself, so that it keeps its inode: its owner, group,
// mode and every hard link. The errno of the first failure, 0 on success.
int overwriteInPlace(const fs::path& path, const struct stat& expected, std::string_view bytes)
{
    // Not through a link put there since the file was looked at, and never into a pipe.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat opened {};
    int error = ::fstat(fd, &opened) != 0 ? errno : 0;
    if (error == 0 && (opened.st_dev != expected.st_dev || opened.st_ino != expected.st_ino))
        error = EAGAIN;
    if (error == 0)
        error = writeAll(fd, bytes);
    if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0)
        error = syncAll(fd);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

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
    const bool sameOwner = target.file && temporary.takeOwnerAndModeOf(*target.file);
    temporary.write(bytes);
    // A file with other links, or an owner the saver cannot give back, is written into
    // itself, as careful editors do, but only once the whole new content is safe on disk.
    if (target.file && (target.file->st_nlink > 1 || !sameOwner)) {
        temporary.sync();
        if (temporary.error() != 0)
            return fileErrorText(temporary.error());
        if (const int error = overwriteInPlace(target.path, *target.file, bytes); error != 0) {
            temporary.keep();
            return fileErrorText(error) + "; the new content is kept in " + temporary.path().string();
        }
        return {};
    }
    temporary.commit(target.path);
    return temporary.error() == 0 ? std::string() : fileErrorText(temporary.error());
}

} // namespace qrv
