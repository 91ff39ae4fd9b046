#include "varnokengine/VGClock.h"

#include "platform/Clock.h"

namespace {
bool originTaken = false;
uint32_t origin = 0;
} // namespace

uint32_t EngineClockOrigin() {
    if (!originTaken) {
        origin = platform::TickCount();
        originTaken = true;
    }
    return origin;
}

void ForgetEngineClockOrigin() {
    originTaken = false;
    origin = 0;
}

double EngineToPlatformMs(double engineMs) {
    return engineMs + double(EngineClockOrigin());
}

uint32_t PlatformToEngineMs(uint32_t platformMs) {
    return platformMs - EngineClockOrigin();
}
