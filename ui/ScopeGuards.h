#pragma once
// Guards for the length of a scope: a flag cleared and set again, and the busy cursor.
#include <QApplication>

namespace q7 {

// Clears a flag for the length of a scope and sets it again, as every routine that clears
// InputEventsOn or ShiftingPressures must.
class FlagOff {
public:
    explicit FlagOff(bool& flag) : m_flag(flag) { m_flag = false; }
    ~FlagOff() { m_flag = true; }
    FlagOff(const FlagOff&) = delete;
    FlagOff& operator=(const FlagOff&) = delete;

private:
    bool& m_flag;
};

// The busy cursor for the length of a computation.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace q7
