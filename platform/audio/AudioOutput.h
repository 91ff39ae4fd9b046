#pragma once
// Wave-out devices on the desktop. The engine opens one "device" per sound channel, in the
// format of the sound it plays (PCM, 8 or 16 bits, mono or stereo, any rate), and queues up
// to three buffers on it in slots 0..2. The output plays each device's buffers in the order
// they were written, marks a slot done once its buffer has been played, and counts the bytes
// played since the device was opened or last reset. All devices are mixed into one stream.
//
// Every operation is called from the program's one thread and never blocks for long.
// Unknown or stale device ids are harmless: writes fail, slots read as done, positions as 0.
// The bytes of a written buffer belong to the caller and must stay valid until the slot is
// done, the device is reset, or it is closed; the output never copies them.
//
// Volumes are packed like the handheld's: low 16 bits = left, high 16 bits = right,
// 0xFFFF = unity gain. The device-wide volume is the master gain of the mix.
#include "platform/Clock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

struct AudioFormat {
    uint16_t formatTag = 1; // 1 = PCM, the only tag played
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 44100;
    uint32_t averageBytesPerSecond = 88200;
    uint16_t blockAlign = 2;
    uint16_t bitsPerSample = 16;
};

// PCM, 1 or 2 channels, 8 or 16 bits, 1 kHz..192 kHz, block alignment = channels x bytes.
bool IsPlayableFormat(const AudioFormat& format);

// Names a buffer in the headless log. Fixed size so that it can travel without allocation.
struct AudioLabel {
    char sound[32] = {};
    int32_t channel = -1;
    int32_t priority = 0;
};
AudioLabel MakeAudioLabel(std::u16string_view sound, int32_t channel, int32_t priority);

// When a written buffer is to begin: at once, or at a moment of the program's clock
// (Clock::TickCount milliseconds, plus a fraction of one). A moment already past, or further
// ahead than kMaxScheduleAheadMs, begins at once.
struct AudioStart {
    bool scheduled = false;
    uint32_t ms = 0;
    double fraction = 0.0; // 0 <= fraction < 1
};
constexpr uint32_t kMaxScheduleAheadMs = 1000;
// The moment clockMs (a clock time that may carry a fraction and may have wrapped).
AudioStart AudioStartAt(double clockMs);
// Milliseconds from now (a clock reading) to the start; negative when it has passed.
double MsUntil(const AudioStart& start, uint32_t now);
// The stream frame a start falls on, for a stream at (fractional) frame nowFrame at clock
// time nowMs; 0 (at once) when the start has passed or lies beyond the bound.
uint64_t StartFrameFor(const AudioStart& start, uint32_t nowMs, double nowFrame,
                       double framesPerMs);

using AudioDeviceId = uint32_t;
constexpr AudioDeviceId kNoAudioDevice = 0;
constexpr int kAudioSlots = 3;
constexpr uint32_t kFullAudioVolume = 0xFFFFFFFFu;
// The rate every output mixes to.
constexpr uint32_t kMixRate = 44100;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // A new device in that format, or kNoAudioDevice when the format cannot be played or no
    // device is left. A new device has unity volume and nothing queued.
    virtual AudioDeviceId Open(const AudioFormat& format) = 0;
    // Resets the device and forgets it.
    virtual void Close(AudioDeviceId device) = 0;
    // Queues the buffer behind whatever the device still plays. False (nothing queued) when
    // the device is unknown, the slot is out of range or its previous buffer is not done.
    // A buffer shorter than one sample frame is done at once. A scheduled start makes the
    // buffer begin at the sample of the output stream that plays at that moment (not before
    // the buffers queued ahead of it have finished).
    virtual bool Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
                       const AudioLabel& label, const AudioStart& start = AudioStart{}) = 0;
    // True when the slot holds no buffer still to be played.
    virtual bool IsDone(AudioDeviceId device, int slot) = 0;
    // Bytes played since Open or the last Reset, whole sample frames; a finished buffer
    // counts with its full size.
    virtual uint32_t PlayedBytes(AudioDeviceId device) = 0;
    // Stops at once: every slot done, the played count back to 0.
    virtual void Reset(AudioDeviceId device) = 0;

    virtual uint32_t MasterVolume() = 0;
    virtual void SetMasterVolume(uint32_t volume) = 0;
    virtual void SetDeviceVolume(AudioDeviceId device, uint32_t volume) = 0;

    // Diagnostics for measurements; outputs without them answer 0 / false.
    // Sample frames per period of the real device (what the driver granted).
    virtual uint32_t PeriodFrames() const { return 0; }
    // Host monotonic time (ns) at which the mixer produced the first frame of the latest
    // buffer started on the device, and how many buffers have started there so far.
    virtual bool LastBufferStart(AudioDeviceId, uint64_t& /*steadyNs*/, uint32_t& /*count*/) {
        return false;
    }
};

// Sample frames per period asked of SDL when nothing else is chosen, and the range allowed.
constexpr uint32_t kDefaultPeriodFrames = 256;
constexpr uint32_t kMinPeriodFrames = 64;
constexpr uint32_t kMaxPeriodFrames = 1024;

// One SDL audio device (44.1 kHz, stereo, 16 bits, periodFrames per callback, clamped to the
// range above) with the program's own mixer on its callback. The program's clock is mapped
// onto the stream position from the callbacks' timing (see StreamClock.h), so scheduled
// starts land on their sample. When no device opens it returns a null output and warns once
// on stderr.
std::unique_ptr<AudioOutput> CreateSdlAudioOutput(uint32_t periodFrames = kDefaultPeriodFrames);
// Plays nothing, but consumes the queued buffers in real time by the program's clock
// (platform::CurrentClock()), so done slots and played positions behave as if heard.
std::unique_ptr<AudioOutput> CreateNullAudioOutput();
// Voices advance with the given (virtual) clock: every call first renders up to the clock's
// time, and stream frame n plays at clock time n / 44.1 ms after the first call. logPath, when not
// empty, receives one line per buffer start:
//     <ms> <sound> channel <n> priority <p>
// (ms = clock time at which the buffer's first frame plays, sound = the label's name or "-").
// wavPath, when not empty, receives the mixed output as a 44.1 kHz 16-bit stereo WAV file,
// kept valid after every render.
std::unique_ptr<AudioOutput> CreateHeadlessAudioOutput(Clock& clock, const std::string& logPath,
                                                       const std::string& wavPath);

// The output the program uses: a null output until one is set. Setting another closes the
// previous one; device ids opened on it become stale (harmless, see above). The output is
// never destroyed at exit, so static objects may still use it while they shut down.
void SetAudioOutput(std::unique_ptr<AudioOutput> output);
AudioOutput& Audio();

} // namespace platform
