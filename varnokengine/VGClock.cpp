#include "varnokengine/VGClock.h"

#include "platform/Clock.h"
#include "varnokengine/VGPower.h"

#include <algorithm>

uint32_t Now = 0;
int32_t FrameDelta = 0;
FrameTimes Frame;

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
    Frame.start = GetMilliseconds();
    FrameDelta = Frame.previousStart == 0 ? 1 : int32_t(Frame.start - Frame.previousStart);
    FrameDelta = std::min(FrameDelta, 200);
    while (FrameDelta == 0) {
        SleepKeepingAlive(1);
        Frame.start = GetMilliseconds();
        FrameDelta = int32_t(Frame.start - Frame.previousStart);
    }
    Frame.previousStart = Now;
}

void ResetEngineClock() {
    ForgetEngineClockOrigin();
    Now = 0;
    FrameDelta = 0;
    Frame.counter = 0;
    Frame.start = 0;
    Frame.previousStart = 0;
}
