#pragma once
// The engine clock and frame pacing. Every time is a u32 count of milliseconds since the
// first GetMilliseconds call; compare times by signed difference, as the count wraps.
#include <cstdint>

extern uint32_t Now;          // the value GetMilliseconds returned last
extern int32_t FrameDelta;    // milliseconds counted for the current frame, 1..200
extern uint32_t FrameCounter; // frames presented so far
extern uint32_t FrameStart;
extern uint32_t PreviousFrameStart; // 0 before the first frame

uint32_t GetMilliseconds();
// Sleeps in chunks of at most 100 ms, keeping the device awake after each.
void SleepKeepingAlive(uint32_t ms);
// First step of every frame: the frame counts at least 1 ms (waiting for the clock to move
// if needed) and at most 200 ms however long the previous one took.
void PaceFrame();

// Forgets the origin and every frame time, so the next GetMilliseconds starts again at 0.
void ResetEngineClock();
