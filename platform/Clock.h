#pragma once
// Millisecond tick count and sleep. Two implementations: the real one follows the host's
// monotonic clock; the virtual one only moves when told (Advance, or Sleep, which advances
// it by the time asked), so headless runs are repeatable to the millisecond.
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin; wraps at 2^32. Compare as signed differences.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

class RealClock final : public Clock {
public:
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(uint32_t start = 0) : now_(start) {}
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }
    void Advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

// The clock the whole program reads; the real clock unless a backend installs another.
Clock& CurrentClock();
void SetCurrentClock(Clock* clock); // null restores the real clock

inline uint32_t TickCount() {
    return CurrentClock().TickCount();
}
inline void SleepMs(uint32_t ms) {
    CurrentClock().Sleep(ms);
}

} // namespace platform
