#include "varnokengine/VGSoundManager.h"

#include "platform/audio/AudioOutput.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

VGSoundManager TheSoundManager;

namespace {

const char16_t* const kSource = u"..\\..\\varnokengine\\VGSoundManager";
constexpr int kFirstEffect = 1;
// Music is topped up once fewer bytes than this remain ahead of the play position.
constexpr uint32_t kMusicLowWater = 10000;

float ClampVolume(float volume) {
    if (!(volume >= 0.0f)) return 0.0f; // also NaN
    return volume > 1.0f ? 1.0f : volume;
}

bool SameName(const VGString& a, const VGString& b) {
    return a.Length() == b.Length() && CompareTextIgnoringCase(a.Data(), b.Data()) == 0;
}

uint32_t LevelToVolume(uint32_t level) {
    uint32_t v = uint32_t(double(level) * 6553.0) & 0xFFFF;
    return v * 0x10001u;
}

} // namespace

MusicSource::MusicSource(int32_t sourceIndex) : index(sourceIndex) {
    VGString name;
    Format(name, kOptionMusicFormat, sourceIndex);
    enabled = ReadOption(name.Data(), 1);
}

SilenceMusicSource::SilenceMusicSource() : MusicSource(-1) {
    TheSoundManager.GetSound(u"silence", MusicFolder);
}

void SilenceMusicSource::QueueMusic() {
    if (enabled) TheSoundManager.PlayMusic(u"silence", 1.0f);
}

VGSoundManager::VGSoundManager() = default;

VGSoundManager::~VGSoundManager() {
    Close();
}

void VGSoundManager::Close() {
    for (SoundChannel& channel : channels_) {
        ::StopChannel(channel);
        channel.current = nullptr;
    }
    while (sounds_) {
        SoundEntry* next = sounds_->next;
        delete sounds_;
        sounds_ = next;
    }
    if (started_) platform::Audio().SetMasterVolume(LevelToVolume(deviceLevel_));
    for (int i = kChannels - 1; i >= 0; --i) {
        SoundChannel& channel = channels_[i];
        if (channel.device != platform::kNoAudioDevice) platform::Audio().Close(channel.device);
        channel = SoundChannel{};
    }
    deviceLevel_ = 10;
    masterLevel_ = kLevelNotSet;
    soundFX_ = 1;
    started_ = false;
}

void VGSoundManager::Start() {
    if (started_) return;
    started_ = true;
    soundFX_ = ReadOption(kOptionSoundFX, 1);
    deviceLevel_ = (platform::Audio().MasterVolume() & 0xFFFF) / 6553;
    masterLevel_ = ReadOption(kOptionMasterVolume, kLevelNotSet);

    bool silent = true;
    if (masterLevel_ != kLevelNotSet || deviceLevel_ != 0) {
        uint8_t bytes[4];
        uint32_t size = sizeof bytes;
        uint32_t ringer = 1;
        if (ReadValue(2, u"ControlPanel\\SoundCategories\\Ring", u"InitVol", bytes, &size) &&
            size == 4)
            ringer = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                     uint32_t(bytes[3]) << 24;
        silent = ringer == 0;
    }
    if (silent) {
        SetMasterVolume(0, false);
        return;
    }
    uint32_t level = masterLevel_;
    if (level == kLevelNotSet) level = deviceLevel_ < 3 ? deviceLevel_ : 3;
    SetMasterVolume(level, true);
}

void VGSoundManager::StartDetached(uint32_t level) {
    started_ = true;
    soundFX_ = 1;
    deviceLevel_ = 10;
    SetMasterVolume(level, false);
}

SoundEntry* VGSoundManager::FindSound(const VGString& name) {
    for (SoundEntry* entry = sounds_; entry; entry = entry->next)
        if (SameName(entry->name, name)) return entry;
    return nullptr;
}

SoundEntry* VGSoundManager::GetSound(const VGString& name, uint32_t folder) {
    SoundEntry* entry = FindSound(name);
    return entry ? entry : LoadSound(name, folder);
}

SoundEntry* VGSoundManager::LoadSound(const VGString& name, uint32_t folder) {
    auto* entry = new SoundEntry;
    VGString path =
        GetAppPath() + (folder == MusicFolder ? u"music\\" : u"soundfx\\") + name + u".wav";
    ReadSoundFile(entry->data, path);
    if (!entry->data.buffer) {
        ReportError((u"Sound manager failed to find sound: " + path).Data(), 623, kSource);
        delete entry;
        return nullptr;
    }
    entry->name = name;
    SoundEntry** tail = &sounds_;
    while (*tail) tail = &(*tail)->next;
    *tail = entry;
    return entry;
}

void VGSoundManager::UnloadSound(const VGString& name) {
    SoundEntry* entry = FindSound(name);
    if (!entry) return;
    // Every channel that could still read the samples lets go of them: one playing it, one
    // opened with its format, or one keeping a header that points into it.
    for (SoundChannel& channel : channels_) {
        bool uses = channel.current == &entry->data;
        for (const WaveHeader& h : channel.headers) uses = uses || h.user == &entry->data;
        if (uses) CloseChannel(channel);
    }
    SoundEntry** link = &sounds_;
    while (*link != entry) link = &(*link)->next;
    *link = entry->next;
    delete entry;
}

SoundChannel* VGSoundManager::AllocateChannel(const SoundData* sound, int32_t priority) {
    // A channel that last played this very sound and is idle: its header is reused as it is.
    if (sound)
        for (int i = kFirstEffect; i < kChannels; ++i) {
            SoundChannel& c = channels_[i];
            if (c.current == sound && !IsChannelPlaying(c)) return &c;
        }
    for (int i = kFirstEffect; i < kChannels; ++i)
        if (!channels_[i].current) return &channels_[i];

    // An idle channel, preferably one whose device already has the sound's format.
    int32_t lowest = 5;
    SoundChannel* idle = nullptr;
    for (int i = kFirstEffect; i < kChannels; ++i) {
        SoundChannel& c = channels_[i];
        if (c.priority < lowest) lowest = c.priority;
        if (IsChannelPlaying(c)) continue;
        idle = &c;
        if (!sound || IsSameFormat(c, *sound)) break;
    }
    if (idle) return idle;

    // All seven play: a more important sound takes a channel of the least important one.
    if (priority > lowest)
        for (int i = kFirstEffect; i < kChannels; ++i)
            if (channels_[i].priority == lowest) {
                ::StopChannel(channels_[i]);
                return &channels_[i];
            }

    // An equal one takes the effect of its priority that has played furthest, the same
    // sound first.
    for (int pass = 0; pass < 2; ++pass) {
        SoundChannel* best = nullptr;
        uint32_t furthest = 0;
        for (int i = kFirstEffect; i < kChannels; ++i) {
            SoundChannel& c = channels_[i];
            if (c.priority != priority || c.mode != ModeEffect) continue;
            if (pass == 0 && c.current != sound) continue;
            uint32_t position = PlayedPosition(c);
            if (position > furthest) {
                furthest = position;
                best = &c;
            }
        }
        if (best) {
            ::StopChannel(*best);
            return best;
        }
    }
    return nullptr;
}

bool VGSoundManager::Play(SoundChannel& channel, SoundEntry& entry, uint32_t mode, int32_t priority,
                          SoundStart start) {
    Start();
    ChannelWrite how;
    how.channelIndex = int32_t(&channel - channels_);
    how.name = entry.name.Data();
    how.start = start;
    return WriteChannel(channel, entry.data, mode, priority, how);
}

SoundChannel* VGSoundManager::ChannelPlaying(const SoundData& sound) {
    for (SoundChannel& channel : channels_)
        if (channel.current == &sound && IsChannelPlaying(channel)) return &channel;
    return nullptr;
}

SoundChannel* VGSoundManager::PlaySound(const VGString& name, int32_t priority, float volume,
                                        SoundStart start) {
    SoundEntry* entry = GetSound(name, EffectsFolder);
    if (!entry) return nullptr;
    SoundChannel* channel = AllocateChannel(&entry->data, priority);
    if (!channel) return nullptr;
    channel->volume = ClampVolume(volume);
    return Play(*channel, *entry, ModeEffect, priority, start) ? channel : nullptr;
}

SoundChannel* VGSoundManager::PlaySoundOnce(const VGString& name, int32_t priority, float volume,
                                            SoundStart start) {
    SoundEntry* entry = GetSound(name, EffectsFolder);
    if (!entry) return nullptr;
    if (SoundChannel* playing = ChannelPlaying(entry->data)) return playing;
    return PlaySound(name, priority, volume, start);
}

SoundChannel* VGSoundManager::RestartSound(const VGString& name, int32_t priority, float volume,
                                           SoundStart start) {
    SoundEntry* entry = GetSound(name, EffectsFolder);
    if (!entry) return nullptr;
    SoundChannel* channel = ChannelPlaying(entry->data);
    // Restarting a stroke that has not begun would lose it: a scheduled stroke leaves it be.
    if (!channel || (start.scheduled && IsChannelWaiting(*channel)))
        return PlaySound(name, priority, volume, start);
    channel->volume = ClampVolume(volume);
    return Play(*channel, *entry, ModeEffect, priority, start) ? channel : nullptr;
}

SoundChannel* VGSoundManager::PlaySoundFX(const VGString& name, int32_t priority, float volume,
                                          SoundStart start) {
    return SoundFX() ? PlaySound(name, priority, volume, start) : nullptr;
}

SoundChannel* VGSoundManager::PlayMusic(const VGString& name, float volume) {
    SoundEntry* entry = GetSound(name, MusicFolder);
    if (!entry) return nullptr;
    SoundChannel& music = channels_[0];
    music.volume = ClampVolume(volume);
    return Play(music, *entry, ModeMusic, 0, StartNow()) ? &music : nullptr;
}

bool VGSoundManager::MusicNeedsData(MusicSource& source) {
    if (!source.enabled) return false;
    SoundChannel& music = channels_[0];
    if (!IsChannelPlaying(music)) return true;
    uint32_t position = PlayedPosition(music);
    if (music.queuedBytes < position || music.queuedBytes - position < kMusicLowWater) return true;
    if (position != 0) return false;
    music.queuedBytes = 0;
    return true;
}

void VGSoundManager::StopChannel(int channel) {
    if (channel >= 0 && channel < kChannels) ::StopChannel(channels_[channel]);
}

void VGSoundManager::SetMasterVolume(uint32_t level, bool persist) {
    Start();
    if (level > 10) level = 10;
    masterLevel_ = level;
    platform::Audio().SetMasterVolume(LevelToVolume(level));
    if (persist) WriteOption(kOptionMasterVolume, level);
}

void VGSoundManager::VolumeUp() {
    Start();
    SetMasterVolume(masterLevel_ < 10 ? masterLevel_ + 1 : 10, true);
}

void VGSoundManager::VolumeDown() {
    Start();
    SetMasterVolume(masterLevel_ > 0 ? masterLevel_ - 1 : 0, true);
}

void VGSoundManager::SetSoundFX(uint32_t on) {
    Start();
    soundFX_ = on;
    WriteOption(kOptionSoundFX, on);
}

uint32_t VGSoundManager::SoundFX() {
    Start();
    return soundFX_;
}

uint32_t VGSoundManager::MasterLevel() {
    Start();
    return masterLevel_;
}

uint32_t VGSoundManager::DeviceLevel() {
    Start();
    return deviceLevel_;
}
