#include "cli/outputbuffer.h"

#include <cerrno>
#include <unistd.h>

namespace qrv::cli {

namespace {

constexpr std::size_t kBufferBytes = 16 * 1024;

} // namespace

OutputBuffer::OutputBuffer(int fd) : m_fd(fd), m_buffer(kBufferBytes)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool OutputBuffer::drain()
{
    const char* data = pbase();
    auto left = std::size_t(pptr() - pbase());
    while (m_error == 0 && left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written > 0) {
            data += written;
            left -= std::size_t(written);
        } else if (written == 0 || errno != EINTR) {
            m_error = written == 0 ? EIO : errno;
        }
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_error == 0;
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int OutputBuffer::sync() { return drain() ? 0 : -1; }

} // namespace qrv::cli
