#include "batch/Progress.h"

#include <cmath>
#include <unistd.h>

namespace q7 {

namespace {

std::string Duration(double seconds) {
    const auto s = static_cast<long long>(std::llround(seconds));
    char buf[48];
    if (s >= 3600)
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
    return buf;
}

} // namespace

Progress::Progress(std::uint64_t total)
    : m_total(total), m_shown(isatty(STDERR_FILENO) != 0), m_start(std::chrono::steady_clock::now()),
      m_last(m_start) {}

Progress::~Progress() {
    Finish();
}

std::string Progress::Line(std::uint64_t done, std::uint64_t total, double seconds, double fraction) {
    std::string line = std::to_string(done);
    if (total) {
        line += '/';
        line += std::to_string(total);
    }
    line += " cases";
    if (seconds > 0.0 && done > 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, ", %.0f cases/s", static_cast<double>(done) / seconds);
        line += buf;
        double left = -1.0;
        if (total && done <= total)
            left = seconds * static_cast<double>(total - done) / static_cast<double>(done);
        else if (!total && fraction > 0.0 && fraction <= 1.0)
            left = seconds * (1.0 - fraction) / fraction;
        if (left >= 0.0) line += ", " + Duration(left) + " left";
    }
    return line;
}

void Progress::Update(std::uint64_t done, double fraction) {
    m_done = done;
    m_fraction = fraction;
    if (!m_shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < std::chrono::milliseconds(200)) return;
    m_last = now;
    Print(done, fraction);
}

void Progress::Print(std::uint64_t done, double fraction) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    // Trailing blanks wipe the rest of a longer earlier line.
    std::fprintf(stderr, "\r%s    ", Line(done, m_total, seconds, fraction).c_str());
    std::fflush(stderr);
}

void Progress::Finish() {
    if (!m_shown || m_finished) return;
    m_finished = true;
    Print(m_done, m_fraction);
    std::fputc('\n', stderr);
}

} // namespace q7
