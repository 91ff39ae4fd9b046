#include "game/drumkit/KitSounds.h"

#include "varnokengine/VGSoundManager.h"

void KitSounds::Restart(const VGString& name, int32_t priority, float volume, SoundStart start) {
    if (TheSoundManager.SoundFX()) TheSoundManager.RestartSound(name, priority, volume, start);
}

void KitSounds::Play(const VGString& name, int32_t priority, SoundStart start) {
    if (TheSoundManager.SoundFX()) TheSoundManager.PlaySound(name, priority, 1.0f, start);
}

void KitSounds::PlayOnce(const VGString& name, int32_t priority) {
    if (TheSoundManager.SoundFX()) TheSoundManager.PlaySoundOnce(name, priority, 1.0f);
}

void KitSounds::Preload(const VGString& name) {
    TheSoundManager.GetSound(name, EffectsFolder);
}

KitSounds& DefaultKitSounds() {
    static KitSounds sounds;
    return sounds;
}
