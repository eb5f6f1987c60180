#include "safewrite.h"

#include "fileerror.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

namespace qrv {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A name beside the target that nobody else uses, created exclusively.
std::pair<std::filesystem::path, File> createTemporaryBeside(const std::filesystem::path& target, int& error)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp" + std::to_string(random() % 1000000);
        File file(std::fopen(candidate.c_str(), "wbx"), &std::fclose);
        if (file)
            return {candidate, std::move(file)};
        error = errno;
        if (error != EEXIST)
            break;
    }
    return {std::filesystem::path(), File(nullptr, &std::fclose)};
}

} // namespace

std::string safeWriteFile(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (path.empty() || !target.has_filename())
        return "Bad file name";
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return "Path/File access error";

    int error = 0;
    auto [temporary, file] = createTemporaryBeside(target, error);
    if (!file)
        return fileErrorText(error);

    int failure = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        failure = errno;
    if (failure == 0 && std::fflush(file.get()) != 0)
        failure = errno;
    if (std::fclose(file.release()) != 0 && failure == 0)
        failure = errno;
    if (failure != 0) {
        fs::remove(temporary, ec);
        return fileErrorText(failure);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        fs::remove(temporary, ec);
        return fileErrorText(renameError);
    }
    return {};
}

} // namespace qrv
