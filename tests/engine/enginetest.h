// What the engine tests share: the one message a routine reported, and a folder of their own.
#pragma once

#include "display/recordinghost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace qrv::test {

inline void expectOnlyMessage(const RecordingHost& host, const std::string& text, Icon icon = Icon::Critical)
{
    ASSERT_EQ(host.messages().size(), 1u) << (host.messages().empty() ? "" : host.messages()[0].text);
    EXPECT_EQ(host.messages()[0].text, text);
    EXPECT_EQ(host.messages()[0].icon, icon);
}

// An empty folder per test, named per process: other builds may run the same tests at the same time.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path()
            / ("qrv-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        std::filesystem::remove_all(m_dir);
    }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::string writeRaw(const std::string& name, const std::string& content) const
    {
        std::ofstream(path(name), std::ios::binary | std::ios::trunc) << content;
        return path(name);
    }

    std::string slurp(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // The names in the folder: a temporary file left behind shows here.
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    std::filesystem::path m_dir;
};

} // namespace qrv::test
