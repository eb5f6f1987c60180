#include "cli/progressline.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace qrv::cli {

namespace {

// "1:05", "12 s"
std::string duration(double seconds)
{
    const long whole = std::lround(seconds);
    if (whole < 60)
        return std::to_string(whole) + " s";
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace

bool terminalProgress()
{
    return isatty(STDERR_FILENO) == 1;
}

ProgressLine::ProgressLine(std::ostream& err, bool shown, std::size_t total)
    : m_err(err), m_shown(shown), m_total(total), m_start(std::chrono::steady_clock::now())
{
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::update(std::size_t done)
{
    if (!m_shown)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_drawn && done < m_total && now - m_lastDrawn < std::chrono::milliseconds(100))
        return;
    m_lastDrawn = now;
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const double rate = elapsed > 0 ? double(done) / elapsed : 0;
    std::string line = std::to_string(done) + " / " + std::to_string(m_total) + " runs";
    if (rate > 0) {
        line += ", " + std::to_string(std::lround(rate)) + " runs/s";
        line += ", " + duration(double(m_total - done) / rate) + " left";
    }
    // Carriage return, the line, and erase to its end: a shorter line leaves nothing behind.
    m_err << '\r' << line << "\x1b[K" << std::flush;
    m_drawn = true;
}

void ProgressLine::clear()
{
    if (m_drawn)
        m_err << "\r\x1b[K" << std::flush;
    m_drawn = false;
}

} // namespace qrv::cli
