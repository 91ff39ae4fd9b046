#pragma once
// The maker's animated logo, shown at start-up while the application object loads: 2550 ms
// of animation drawn straight into the back buffer, then kept on screen until 5000 ms have
// passed since it began.
#include <cstdint>

struct VGBitmap;

constexpr uint32_t kSplashAnimationMs = 2550;
constexpr uint32_t kSplashMinimumMs = 5000;

// Runs the whole animation; start receives the clock value at which it began.
void ShowSplash(uint32_t& start);
// Waits out the rest of the 5000 ms (not after an error) and unloads the jingle.
void EndSplash(uint32_t start);

// One frame of the animation, e ms after the start, into the render target.
void DrawSplashFrame(int32_t e, const VGBitmap* base, const VGBitmap* first, const VGBitmap* second,
                     const VGBitmap* final);
