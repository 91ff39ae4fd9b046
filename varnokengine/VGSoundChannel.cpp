#include "varnokengine/VGSoundChannel.h"

#include "varnokengine/VGClock.h"

namespace {

platform::AudioFormat ToAudioFormat(const WaveFormat& f) {
    platform::AudioFormat format;
    format.formatTag = f.formatTag;
    format.channels = f.channels;
    format.samplesPerSecond = f.samplesPerSecond;
    format.averageBytesPerSecond = f.averageBytesPerSecond;
    format.blockAlign = f.blockAlign;
    format.bitsPerSample = f.bitsPerSample;
    return format;
}

// Brings the done flags up to date with the device, as the handheld's driver did by itself.
void PollHeaders(SoundChannel& channel) {
    auto& audio = platform::Audio();
    for (int i = 0; i < 3; ++i) {
        WaveHeader& h = channel.headers[i];
        if ((h.flags & WavePrepared) && !(h.flags & WaveDone) && audio.IsDone(channel.device, i))
            h.flags |= WaveDone;
    }
}

void Prepare(WaveHeader& header, const SoundData& sound, uint32_t mode) {
    header = WaveHeader{};
    header.data = SampleBytes(sound);
    header.length = SampleLength(sound);
    header.user = &sound;
    header.flags = WavePrepared;
    if (mode == ModeMusic) header.flags |= WaveBeginLoop;
}

// The header to queue the sound with, or -1 when all three are still queued.
int TakeHeader(SoundChannel& channel, const SoundData& sound, uint32_t mode) {
    PollHeaders(channel);
    for (int i = 0; i < 3; ++i) {
        WaveHeader& h = channel.headers[i];
        if (!(h.flags & WavePrepared)) {
            Prepare(h, sound, mode);
            return i;
        }
        if (h.flags & WaveDone) {
            if (h.user == &sound)
                h.flags &= ~uint32_t(WaveDone);
            else
                Prepare(h, sound, mode);
            return i;
        }
    }
    return -1;
}

bool EnsureDevice(SoundChannel& channel, const SoundData& sound) {
    if (channel.current && !IsSameFormat(channel, sound)) CloseChannel(channel);
    if (!channel.current && !OpenChannel(channel, sound)) return false;
    channel.current = &sound;
    return true;
}

} // namespace

bool IsChannelPlaying(SoundChannel& channel) {
    if (!channel.current) return false;
    PollHeaders(channel);
    for (const WaveHeader& h : channel.headers)
        if ((h.flags & WavePrepared) && !(h.flags & WaveDone)) return true;
    return false;
}

void StopChannel(SoundChannel& channel) {
    if (IsChannelPlaying(channel)) {
        platform::Audio().Reset(channel.device);
        PollHeaders(channel);
    }
    channel.queuedBytes = 0;
}

bool IsSameFormat(const SoundChannel& channel, const SoundData& sound) {
    return channel.current == &sound ||
           (channel.current && channel.current->format == sound.format);
}

bool OpenChannel(SoundChannel& channel, const SoundData& sound) {
    platform::AudioDeviceId device = platform::Audio().Open(ToAudioFormat(sound.format));
    if (device == platform::kNoAudioDevice) return false;
    channel.device = device;
    channel.current = &sound;
    for (WaveHeader& h : channel.headers) h = WaveHeader{};
    return true;
}

void CloseChannel(SoundChannel& channel) {
    if (!channel.current) return;
    StopChannel(channel);
    for (WaveHeader& h : channel.headers) h = WaveHeader{};
    platform::Audio().Close(channel.device);
    channel.device = platform::kNoAudioDevice;
    channel.current = nullptr;
}

bool WriteChannel(SoundChannel& channel, const SoundData& sound, uint32_t mode, int32_t priority,
                  const ChannelWrite& how) {
    if (!sound.buffer || !EnsureDevice(channel, sound)) return false;
    if (mode == ModeEffect) StopChannel(channel);
    if (channel.volume < 0.05f) return false;
    int slot = TakeHeader(channel, sound, mode);
    if (slot < 0) return false;
    channel.priority = priority;
    channel.mode = mode;
    auto& audio = platform::Audio();
    // The master level is the mix's own gain; the channel plays at its stroke's volume.
    audio.SetDeviceVolume(channel.device, StrokeVolumeValue(channel.volume));
    const WaveHeader& h = channel.headers[slot];
    auto label = platform::MakeAudioLabel(how.name ? how.name : u"", how.channelIndex, priority);
    platform::AudioStart start;
    if (how.start.scheduled) start = platform::AudioStartAt(EngineToPlatformMs(how.start.at));
    if (!audio.Write(channel.device, slot, h.data, h.length, label, start)) {
        channel.headers[slot].flags |= WaveDone; // never queued: free for the next write
        return false;
    }
    channel.queuedBytes += h.length;
    channel.scheduled = how.start.scheduled;
    return true;
}

uint32_t PlayedPosition(SoundChannel& channel) {
    return channel.current ? platform::Audio().PlayedBytes(channel.device) : 0;
}

bool IsChannelWaiting(SoundChannel& channel) {
    return channel.scheduled && IsChannelPlaying(channel) && PlayedPosition(channel) == 0;
}

uint32_t StrokeVolumeValue(float volume) {
    uint32_t v = volume >= 1.0f ? 0xFFFFu : volume > 0.0f ? uint32_t(volume * 65535.0f) : 0u;
    return v * 0x10001u;
}
