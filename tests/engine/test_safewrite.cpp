#include "engine/safewrite.h"
#include "tests/engine/enginetest.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = safeWriteFile(path("kept.qrv"), std::string(5000, 'y'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(error, "Disk full");
    EXPECT_EQ(slurp("kept.qrv"), "old");

    EXPECT_EQ(names(), std::vector<std::string>{"kept.qrv"});
}

} // namespace
