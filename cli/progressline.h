// A progress line on standard error for long work, redrawn in place: runs done of the total,
// the rate and the time left. Drawn only where standard error is a terminal, so that logs and
// pipes get nothing extra.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace qrv::cli {

class ProgressLine {
public:
    // Draws on `err` when `shown`; terminalProgress() tells whether standard error is a terminal.
    ProgressLine(std::ostream& err, bool shown, std::size_t total);
    ~ProgressLine();

    // At most ten redraws a second; the last one (done == total) always.
    void update(std::size_t done);
    // Clears the line, so that what is printed next starts at its beginning.
    void clear();

private:
    std::ostream& m_err;
    bool m_shown;
    std::size_t m_total;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDrawn;
    bool m_drawn = false;
};

// Whether standard error is a terminal.
bool terminalProgress();

} // namespace qrv::cli
