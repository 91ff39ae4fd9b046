#pragma once
// Where the drum kit sends its sounds. The default forwards to the sound manager and stays
// silent while the SoundFX switch is off; tests put a recorder in its place.
#include "varnokengine/VGString.h"

#include <cstdint>

class KitSounds {
public:
    virtual ~KitSounds() = default;
    // Starts the sound again from its beginning on the channel already playing it, at the
    // stroke's volume (0..1).
    virtual void Restart(const VGString& name, int32_t priority, float volume = 1.0f);
    virtual void Play(const VGString& name, int32_t priority);
    // Does nothing when the sound is already playing.
    virtual void PlayOnce(const VGString& name, int32_t priority);
    // Loads the sound from the effects folder without playing it.
    virtual void Preload(const VGString& name);
};

KitSounds& DefaultKitSounds();
