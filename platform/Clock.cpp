#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {

uint32_t RealClock::TickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

void RealClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
RealClock& TheRealClock() {
    static RealClock clock;
    return clock;
}
Clock* current = nullptr;
} // namespace

Clock& CurrentClock() {
    return current ? *current : TheRealClock();
}
void SetCurrentClock(Clock* clock) {
    current = clock;
}

} // namespace platform
