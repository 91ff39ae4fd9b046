#pragma once
// The engine clock and frame pacing. Every time is a u32 count of milliseconds since the
// first GetMilliseconds call; compare times by signed difference, as the count wraps.
#include <cstdint>

extern uint32_t Now;       // the value GetMilliseconds returned last
extern int32_t FrameDelta; // milliseconds counted for the current frame, 1..200
struct FrameTimes {
    uint32_t counter = 0;       // frames presented so far
    uint32_t start = 0;         // when the current frame began
    uint32_t previousStart = 0; // when the one before began; 0 before the first frame
};
extern FrameTimes Frame;

uint32_t GetMilliseconds();
// The platform clock's reading at the engine clock's 0, taken at the first call (of this or
// of GetMilliseconds); the sound channels use it without the rest of the shell.
uint32_t EngineClockOrigin();
void ForgetEngineClockOrigin();
// An engine time (ms, may carry a fraction) as a reading of the platform's clock, and a
// platform clock reading (an input event's time) as an engine time.
double EngineToPlatformMs(double engineMs);
uint32_t PlatformToEngineMs(uint32_t platformMs);
// Sleeps in chunks of at most 100 ms, keeping the device awake after each.
void SleepKeepingAlive(uint32_t ms);
// First step of every frame: the frame counts at least 1 ms (waiting for the clock to move
// if needed) and at most 200 ms however long the previous one took.
void PaceFrame();

// Forgets the origin and every frame time, so the next GetMilliseconds starts again at 0.
void ResetEngineClock();
