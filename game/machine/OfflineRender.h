#pragma once
// A track rendered to audio without a clock: the sequencer plays it once through at its speed
// (normal mode, no repeat, plain sounds) and every stroke goes to a sound manager of the
// render's own, whose channels, priorities, volumes and mixer are the program's. Each stroke
// starts on the ideal frame of its step rather than on the frame a screen happened to draw,
// and the render goes on past the track's end until every sound has died away.
#include "game/machine/Track.h"
#include "platform/audio/OfflineAudioOutput.h"

#include <cstdint>
#include <string>

// Longest song an export takes: a 16-bit stereo WAV file tops out at about 6.7 hours.
constexpr uint64_t kMaxRenderMs = 6ull * 3600ull * 1000ull;

// The frame (44.1 kHz) at which step begins in a pass that starts passStartMs of segment time
// into a track played at speed percent.
uint64_t StrokeFrame(uint64_t passStartMs, uint32_t step, uint32_t tempo, uint32_t speed);
// Real milliseconds of the whole track at its speed.
uint64_t TrackRealMs(const Track& track);

// Renders the track from its start into sink as 16- or 24-bit frames. False, with the reason
// in error, when the track has nothing to play, is too long, a sound is missing or the sink
// gave up. frames, when not null, receives the number of frames rendered.
bool RenderTrack(Track& track, uint32_t bits, platform::FrameSink& sink, std::string& error,
                 uint64_t* frames = nullptr);
