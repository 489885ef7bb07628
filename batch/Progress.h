#pragma once
// Progress of a long run on a terminal: cases done, cases per second and, when the amount of work
// is known, the time left. Written to standard error on one line, at most a few times a second,
// and only when standard error is a terminal.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace q7 {

class Progress {
public:
    // `total` cases, or 0 when the number is not known beforehand.
    explicit Progress(std::uint64_t total = 0);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    bool Shown() const { return m_shown; }
    // `done` cases so far; `fraction`, when the total is not known in cases, the share of the work
    // done (e.g. of the input read), or a negative number.
    void Update(std::uint64_t done, double fraction = -1.0);
    // The last line, then a line end.
    void Finish();

    // The text of one progress line (no carriage return).
    static std::string Line(std::uint64_t done, std::uint64_t total, double seconds, double fraction);

private:
    void Print(std::uint64_t done, double fraction);

    std::uint64_t m_total;
    bool m_shown;
    bool m_finished = false;
    std::uint64_t m_done = 0;
    double m_fraction = -1.0;
    std::chrono::steady_clock::time_point m_start, m_last;
};

} // namespace q7
