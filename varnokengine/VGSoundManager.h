#pragma once
// The engine's one sound service: sounds by name (loaded once, kept for the run), eight
// output channels (0 = music, 1..7 = effects) shared by priority, music fed buffer by buffer
// from a music source, the master volume and the SoundFX switch.
//
// The one instance, TheSoundManager, is built by static initialisation, before the program
// has chosen its audio output or its settings file. It therefore reads no setting and
// touches no output until the engine starts it (Start() reads the settings and the device
// volume and sets the master volume; the first play, volume or switch operation starts it
// too). The engine's stop closes it while the audio output and its clock still exist, so
// nothing of it runs after the program's end.
#include "varnokengine/VGSoundChannel.h"
#include "varnokengine/VGSoundData.h"
#include "varnokengine/VGString.h"

#include <cstdint>

struct SoundEntry {
    VGString name; // as the caller gave it: no folder, no extension
    SoundData data;
    SoundEntry* next = nullptr;
};

// Something that keeps music coming on channel 0: asked once per frame whether the channel
// needs data, it queues one more buffer.
class MusicSource {
public:
    // Reads its enabled flag from the option "Music<index>" (default on).
    explicit MusicSource(int32_t index);
    virtual void QueueMusic() = 0;
    virtual ~MusicSource() = default;

    int32_t index;
    uint32_t enabled;
};

// The application's default source (index -1): the sound "silence" from the music folder,
// loaded when the source is made and queued at full volume while enabled.
class SilenceMusicSource : public MusicSource {
public:
    SilenceMusicSource();
    void QueueMusic() override;
};

enum SoundFolder : uint32_t { MusicFolder = 0, EffectsFolder = 1 };

class VGSoundManager {
public:
    static constexpr int kChannels = 8;
    static constexpr uint32_t kLevelNotSet = 1000;

    VGSoundManager();
    ~VGSoundManager();
    VGSoundManager(const VGSoundManager&) = delete;
    VGSoundManager& operator=(const VGSoundManager&) = delete;

    // Reads "SoundFX" and "MasterVolume", the device volume and the ringer, and sets the
    // master volume; only the first call does anything.
    void Start();
    // Starts without reading or writing any setting: SoundFX on, the device at the given
    // master level. For a manager of its own that renders offline.
    void StartDetached(uint32_t level);
    // Stops and closes every channel, frees every sound and gives the device its volume
    // back; the next Start reads the settings again.
    void Close();

    // The play operations give the channel used, or null when nothing was played. Each takes
    // when the sound is to begin: at once unless told otherwise. A scheduled sound holds its
    // channel from the call on, and is heard from its start time.
    SoundChannel* PlaySound(const VGString& name, int32_t priority, float volume,
                            SoundStart start = StartNow());
    // Does nothing more when a channel already plays the sound (that channel is returned).
    SoundChannel* PlaySoundOnce(const VGString& name, int32_t priority, float volume,
                                SoundStart start = StartNow());
    // Restarts the sound from its beginning on the channel already playing it, if any. A
    // scheduled stroke leaves a channel whose stroke of the sound has not begun yet to it and
    // takes another channel, so strokes scheduled close together are all heard.
    SoundChannel* RestartSound(const VGString& name, int32_t priority, float volume,
                               SoundStart start = StartNow());
    // PlaySound when the SoundFX switch is on.
    SoundChannel* PlaySoundFX(const VGString& name, int32_t priority, float volume,
                              SoundStart start = StartNow());
    // Queues the sound once more on channel 0 behind what it still plays.
    SoundChannel* PlayMusic(const VGString& name, float volume);
    bool MusicNeedsData(MusicSource& source);

    SoundEntry* FindSound(const VGString& name);
    SoundEntry* GetSound(const VGString& name, uint32_t folder);
    // A missing or unreadable file is reported as a fatal error naming the ".wav" path.
    SoundEntry* LoadSound(const VGString& name, uint32_t folder);
    void UnloadSound(const VGString& name);

    // The channel a sound of that priority may take now, or null (the sound is dropped).
    SoundChannel* AllocateChannel(const SoundData* sound, int32_t priority);
    void StopChannel(int channel);
    SoundChannel& Channel(int index) { return channels_[index]; }

    void SetMasterVolume(uint32_t level, bool persist);
    void VolumeUp();
    void VolumeDown();
    void SetSoundFX(uint32_t on);
    uint32_t SoundFX();
    uint32_t MasterLevel();
    uint32_t DeviceLevel();

private:
    bool Play(SoundChannel& channel, SoundEntry& entry, uint32_t mode, int32_t priority,
              SoundStart start);
    SoundChannel* ChannelPlaying(const SoundData& sound);

    uint32_t deviceLevel_ = 10;
    uint32_t masterLevel_ = kLevelNotSet;
    uint32_t soundFX_ = 1;
    SoundEntry* sounds_ = nullptr;
    SoundChannel channels_[kChannels];
    bool started_ = false;
};

extern VGSoundManager TheSoundManager;
