#pragma once
// When a sound is to begin: at once (taps, buttons, mistakes), or at a moment of the engine
// clock (GetMilliseconds) given with a fraction of a millisecond (strokes decided ahead of
// the moment they should be heard: sequencer steps, metronome ticks, demonstrations).
struct SoundStart {
    bool scheduled = false;
    double at = 0.0; // engine milliseconds
};

inline SoundStart StartNow() {
    return SoundStart{};
}
inline SoundStart StartAt(double engineMs) {
    return SoundStart{true, engineMs};
}
