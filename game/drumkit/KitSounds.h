#pragma once
// Where the drum kit sends its sounds. The default forwards to the sound manager and stays
// silent while the SoundFX switch is off; tests put a recorder in its place.
#include "varnokengine/VGSoundStart.h"
#include "varnokengine/VGString.h"

#include <cstdint>

// Strokes decided by a clock (sequencer steps, metronome ticks, demonstrations) are heard
// this long after the moment they belong to, so that the frame that decides them may come a
// little late without the stroke coming late: a little more than the longest ordinary frame.
// The player plays to what is heard, so the games judge the player's strokes this much
// earlier than they were made.
constexpr int32_t kStrokeLookAheadMs = 25;

class KitSounds {
public:
    virtual ~KitSounds() = default;
    // Starts the sound again from its beginning on the channel already playing it, at the
    // stroke's volume (0..1), at once or at the start given.
    virtual void Restart(const VGString& name, int32_t priority, float volume = 1.0f,
                         SoundStart start = StartNow());
    virtual void Play(const VGString& name, int32_t priority, SoundStart start = StartNow());
    // Does nothing when the sound is already playing.
    virtual void PlayOnce(const VGString& name, int32_t priority);
    // Loads the sound from the effects folder without playing it.
    virtual void Preload(const VGString& name);
};

KitSounds& DefaultKitSounds();
