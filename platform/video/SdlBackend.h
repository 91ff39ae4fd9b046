#pragma once
// The windowed backend on SDL2: one resizable window titled "Varnok Games" that shows display
// memory turned upright for the program's orientation, scaled to fit and letterboxed. The
// left mouse button (and touch, through SDL's mouse emulation) is the stylus, mapped back to
// device coordinates; moves are reported only while it is down. Keys: arrows, Return/Space
// = action, Escape = back, F1-F3 = the three application buttons; typed Latin-1 characters
// (and Backspace as character 8) arrive as characters. Minimising deactivates; closing the
// window is Close. Frames are shown at most once per display refresh and only when changed.
#include "platform/video/Backend.h"

#include <memory>
#include <string>

namespace platform {

struct SdlOptions {
    int32_t width = 480;
    int32_t height = 640;
    // When set, the window's picture is saved there as PNG when the user closes the window
    // (or, failing that, when the backend closes).
    std::string windowShotPath;
    // For measurements: every FrameWritten shows the frame at once (still only when it
    // changed), without waiting for the refresh.
    bool showEveryFrame = false;
    // For measurements: at exit, report on stderr how many frames were shown and skipped.
    bool reportPresents = false;
};

// For measurements: queues a left-button press at a window point as if the user made it.
// Safe to call from any thread while a windowed backend runs.
void PushSyntheticPress(int32_t x, int32_t y);

// Null when no display can be opened; error then says why.
std::unique_ptr<Backend> CreateSdlBackend(const SdlOptions& options, std::string& error);

} // namespace platform
