#include "varnokengine/VGClock.h"

#include "platform/Clock.h"
#include "varnokengine/VGPower.h"

#include <algorithm>

uint32_t Now = 0;
int32_t FrameDelta = 0;
uint32_t FrameCounter = 0;
uint32_t FrameStart = 0;
uint32_t PreviousFrameStart = 0;

uint32_t GetMilliseconds() {
    const uint32_t origin = EngineClockOrigin();
    Now = platform::TickCount() - origin;
    return Now;
}

void SleepKeepingAlive(uint32_t ms) {
    while (ms > 0) {
        uint32_t chunk = std::min<uint32_t>(ms, 100);
        platform::SleepMs(chunk);
        ms -= chunk;
        KeepAlive();
    }
}

void PaceFrame() {
    FrameStart = GetMilliseconds();
    FrameDelta = PreviousFrameStart == 0 ? 1 : int32_t(FrameStart - PreviousFrameStart);
    FrameDelta = std::min(FrameDelta, 200);
    while (FrameDelta == 0) {
        SleepKeepingAlive(1);
        FrameStart = GetMilliseconds();
        FrameDelta = int32_t(FrameStart - PreviousFrameStart);
    }
    PreviousFrameStart = Now;
}

void ResetEngineClock() {
    ForgetEngineClockOrigin();
    Now = 0;
    FrameDelta = 0;
    FrameCounter = 0;
    FrameStart = 0;
    PreviousFrameStart = 0;
}
