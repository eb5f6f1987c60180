// Output to a file descriptor that remembers why a write failed, so that output lost to a
// full disk or a closed stream is never taken for success.
#pragma once

#include <streambuf>
#include <vector>

namespace qrv::cli {

class OutputBuffer : public std::streambuf {
public:
    explicit OutputBuffer(int fd);

    // The errno of the first failed write, 0 while every write went through. After a
    // failure the stream stays failed.
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

} // namespace qrv::cli
