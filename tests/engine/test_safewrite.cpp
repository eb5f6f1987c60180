#include "files/safewrite.h"
#include "tests/engine/enginetest.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qrv;
namespace fs = std::filesystem;

namespace {

class SafeWrite : public test::ScratchFolder {
protected:
    void SetUp() override
    {
        ScratchFolder::SetUp();
        m_umask = ::umask(022);
    }
    void TearDown() override
    {
        ::umask(m_umask);
        ScratchFolder::TearDown();
    }
    fs::perms mode(const std::string& name) const { return fs::status(path(name)).permissions(); }
    struct stat status(const std::string& name) const
    {
        struct stat st {};
        EXPECT_EQ(::stat(path(name).c_str(), &st), 0) << name;
        return st;
    }

    // A save of 5000 bytes under a file size limit of 1000: its writes fail as on a full disk.
    std::string saveBeyondTheFileSizeLimit(const std::string& name) const
    {
        rlimit saved{};
        if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
            return "no limit to change";
        auto* previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000;
        const std::string error = setrlimit(RLIMIT_FSIZE, &small) == 0
                                      ? safeWriteFile(path(name), std::string(5000, 'y'))
                                      : "limit not set";
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        return error;
    }

    // safeWriteFile as another user (root only: the test changes to that user in a child).
    std::string saveAs(uid_t user, gid_t group, const std::string& name, const std::string& bytes) const
    {
        int answer[2];
        if (::pipe(answer) != 0)
            return "no pipe";
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(answer[0]);
            std::string error = "cannot become the user";
            if (::setgroups(0, nullptr) == 0 && ::setgid(group) == 0 && ::setuid(user) == 0)
                error = safeWriteFile(path(name), bytes);
            const ssize_t written = ::write(answer[1], error.data(), error.size());
            ::_exit(written == ssize_t(error.size()) ? 0 : 1);
        }
        ::close(answer[1]);
        std::string error;
        char buffer[256];
        for (ssize_t got; (got = ::read(answer[0], buffer, sizeof buffer)) > 0;)
            error.append(buffer, std::size_t(got));
        ::close(answer[0]);
        ::waitpid(child, nullptr, 0);
        return error;
    }

    mode_t m_umask = 0;
};

TEST_F(SafeWrite, SymbolicLinksAreWrittenThroughToTheirTarget)
{
    fs::create_directories(m_dir / "data");
    writeRaw("data/run.qrv", "old");
    fs::create_symlink("data/run.qrv", m_dir / "relative");
    fs::create_symlink(m_dir / "relative", m_dir / "chained");
    fs::create_symlink(m_dir / "data" / "new.qrv", m_dir / "dangling");

    EXPECT_EQ(safeWriteFile(path("relative"), "through a relative link"), "");
    EXPECT_EQ(slurp("data/run.qrv"), "through a relative link");
    EXPECT_EQ(safeWriteFile(path("chained"), "through two links"), "");
    EXPECT_EQ(slurp("data/run.qrv"), "through two links");
    // A link to a file not yet there makes the file.
    EXPECT_EQ(safeWriteFile(path("dangling"), "new"), "");
    EXPECT_EQ(slurp("data/new.qrv"), "new");

    for (const char* link : {"relative", "chained", "dangling"})
        EXPECT_TRUE(fs::is_symlink(m_dir / link)) << link;
    EXPECT_EQ(names(), (std::vector<std::string>{"chained", "dangling", "data", "relative"}));

    fs::create_symlink("loop-b", m_dir / "loop-a");
    fs::create_symlink("loop-a", m_dir / "loop-b");
    EXPECT_EQ(safeWriteFile(path("loop-a"), "x"), "Symbolic link loop");
}

// As many links as the kernel follows, 40, are written through; one more is a loop to it.
TEST_F(SafeWrite, ChainsOfLinksEndWhereTheKernelGivesUp)
{
    const auto chain = [this](const std::string& name, int links) {
        fs::create_directory(m_dir / name);
        for (int i = 1; i <= links; ++i) {
            const std::string next = i == links ? "run.qrv" : "link" + std::to_string(i + 1);
            fs::create_symlink(next, m_dir / name / ("link" + std::to_string(i)));
        }
        return path(name + "/link1");
    };
    EXPECT_EQ(safeWriteFile(chain("forty", 40), "through 40 links"), "");
    EXPECT_EQ(slurp("forty/run.qrv"), "through 40 links");
    EXPECT_TRUE(fs::is_symlink(m_dir / "forty" / "link1"));

    EXPECT_EQ(safeWriteFile(chain("forty-one", 41), "x"), "Symbolic link loop");
    EXPECT_FALSE(fs::exists(m_dir / "forty-one" / "run.qrv"));
}

TEST_F(SafeWrite, TheReplacedFileKeepsItsMode)
{
    writeRaw("private.qrv", "old");
    fs::permissions(path("private.qrv"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(safeWriteFile(path("private.qrv"), "new"), "");
    EXPECT_EQ(slurp("private.qrv"), "new");
    EXPECT_EQ(mode("private.qrv"), fs::perms::owner_read | fs::perms::owner_write);

    writeRaw("shared.qrv", "old");
    const auto shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                        | fs::perms::group_write | fs::perms::others_read;
    fs::permissions(path("shared.qrv"), shared);
    ASSERT_EQ(safeWriteFile(path("shared.qrv"), "new"), "");
    EXPECT_EQ(mode("shared.qrv"), shared);

    // A new file gets what creating it directly would give under the umask (022 here).
    ASSERT_EQ(safeWriteFile(path("fresh.qrv"), "new"), "");
    EXPECT_EQ(mode("fresh.qrv"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                                     | fs::perms::others_read);
}

// The mode bits decide, so that the refusal holds for root too, who may write anything.
TEST_F(SafeWrite, ReadOnlyFilesAreRefused)
{
    writeRaw("kept.qrv", "old");
    fs::permissions(path("kept.qrv"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(safeWriteFile(path("kept.qrv"), "new"), "Permission denied");
    EXPECT_EQ(slurp("kept.qrv"), "old");

    fs::create_symlink("kept.qrv", m_dir / "link");
    EXPECT_EQ(safeWriteFile(path("link"), "new"), "Permission denied");
    EXPECT_EQ(slurp("kept.qrv"), "old");
    EXPECT_EQ(names(), (std::vector<std::string>{"kept.qrv", "link"}));
}

TEST_F(SafeWrite, OnlyRegularFilesAreReplaced)
{
    fs::create_directories(m_dir / "folder");
    EXPECT_EQ(safeWriteFile(path("folder"), "x"), "Path/File access error");
    EXPECT_TRUE(fs::is_directory(m_dir / "folder"));

    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(safeWriteFile(path("pipe"), "x"), "Bad file mode");
    EXPECT_TRUE(fs::is_fifo(m_dir / "pipe"));

    // A device, reached through a link so that nothing outside the folder is at stake.
    fs::create_symlink("/dev/null", m_dir / "device");
    EXPECT_EQ(safeWriteFile(path("device"), "x"), "Bad file mode");
    EXPECT_TRUE(fs::is_character_file(m_dir / "device"));

    EXPECT_EQ(names(), (std::vector<std::string>{"device", "folder", "pipe"}));
}

TEST_F(SafeWrite, AFileWithOtherLinksIsWrittenIntoItselfAndKeepsThem)
{
    writeRaw("run.qrv", "old content, longer than the new");
    fs::create_hard_link(m_dir / "run.qrv", m_dir / "linked.qrv");
    fs::permissions(path("run.qrv"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ino_t inode = status("run.qrv").st_ino;

    ASSERT_EQ(safeWriteFile(path("run.qrv"), "new"), "");
    EXPECT_EQ(slurp("run.qrv"), "new");
    EXPECT_EQ(slurp("linked.qrv"), "new");
    EXPECT_EQ(status("run.qrv").st_ino, inode);
    EXPECT_EQ(status("run.qrv").st_nlink, 2u);
    EXPECT_EQ(mode("run.qrv"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(names(), (std::vector<std::string>{"linked.qrv", "run.qrv"}));

    // The new content is written whole beside it first: a failure there leaves the file alone.
    EXPECT_EQ(saveBeyondTheFileSizeLimit("linked.qrv"), "Disk full");
    EXPECT_EQ(slurp("run.qrv"), "new");
    EXPECT_EQ(names(), (std::vector<std::string>{"linked.qrv", "run.qrv"}));
}

// A saver who may write a file but cannot give a new one its owner leaves the owner as it was.
TEST_F(SafeWrite, ASaveByAnotherUserKeepsTheFileItsOwners)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to save as a second user";
    constexpr uid_t kOwner = 4242, kSaver = 4343;
    fs::permissions(m_dir, fs::perms::all);
    writeRaw("shared.qrv", "the owner's run");
    ASSERT_EQ(::chown(path("shared.qrv").c_str(), kOwner, kOwner), 0);
    fs::permissions(path("shared.qrv"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                                            | fs::perms::group_write | fs::perms::others_read
                                            | fs::perms::others_write);
    const ino_t inode = status("shared.qrv").st_ino;

    EXPECT_EQ(saveAs(kSaver, kSaver, "shared.qrv", "the saver's run"), "");
    EXPECT_EQ(slurp("shared.qrv"), "the saver's run");
    EXPECT_EQ(status("shared.qrv").st_uid, kOwner);
    EXPECT_EQ(status("shared.qrv").st_gid, kOwner);
    EXPECT_EQ(status("shared.qrv").st_ino, inode);
    EXPECT_EQ(names(), std::vector<std::string>{"shared.qrv"});

    // The saver's own file is replaced by a rename, as before.
    writeRaw("own.qrv", "old");
    ASSERT_EQ(::chown(path("own.qrv").c_str(), kSaver, kSaver), 0);
    const ino_t ownInode = status("own.qrv").st_ino;
    EXPECT_EQ(saveAs(kSaver, kSaver, "own.qrv", "new"), "");
    EXPECT_EQ(slurp("own.qrv"), "new");
    EXPECT_NE(status("own.qrv").st_ino, ownInode);
    EXPECT_EQ(status("own.qrv").st_uid, kSaver);
}

TEST_F(SafeWrite, LongNamesSaveAndFailuresLeaveNoTemporaryFile)
{
    for (const std::size_t length : {254u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".qrv";
        EXPECT_EQ(safeWriteFile(path(name), "long"), "") << length;
        EXPECT_EQ(slurp(name), "long");
        fs::remove(m_dir / name);
    }
    EXPECT_EQ(safeWriteFile(path(std::string(256, 'n')), "x"), "Bad file name");
    EXPECT_EQ(safeWriteFile(path("missing/run.qrv"), "x"), "Path not found");
    EXPECT_EQ(safeWriteFile("", "x"), "Bad file name");

    // A file size limit below the length makes the writes fail as a full disk does.
    writeRaw("kept.qrv", "old");
    EXPECT_EQ(saveBeyondTheFileSizeLimit("kept.qrv"), "Disk full");
    EXPECT_EQ(slurp("kept.qrv"), "old");

    EXPECT_EQ(names(), std::vector<std::string>{"kept.qrv"});
}

} // namespace
