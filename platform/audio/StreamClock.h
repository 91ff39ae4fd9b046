#pragma once
// Maps the host's monotonic clock onto the frame count of an audio stream that a device pulls
// period by period. The device asks for each period at a time that jitters (thread wake-ups,
// the driver's own pacing) and its true rate may differ from the nominal one, so the mapping
// follows a smoothed line through the callbacks: its rate is measured over many periods (no
// drift against the device) and its offset is corrected gently at every callback. Between
// callbacks the mapping is one straight line whose slope stays positive, and each callback
// starts the next line where the previous one stood, so the mapping never steps back while
// the callbacks come in roughly on time.
//
// After an underrun or a stall (a callback far from where the line expects it) the mapping is
// taken afresh from that callback: starts placed before it keep their frame, later ones use
// the new line.
//
// Not thread-safe: the owner locks around every call.
#include <cstdint>

namespace platform {

class StreamClock {
public:
    explicit StreamClock(double nominalFramesPerSecond);

    // The device is about to render frames [frame, frame + frames) at host time ns.
    void OnPeriod(uint64_t ns, uint64_t frame, uint32_t frames);
    // The (fractional) stream frame playing at host time ns; negative before the first period.
    double FrameAt(uint64_t ns) const;
    // The device's rate as measured, in frames per millisecond of the host's clock.
    double FramesPerMs() const { return framesPerNs_ * 1e6; }
    bool Started() const { return started_; }
    // How often the mapping was taken afresh after an underrun or a stall.
    uint32_t Restarts() const { return restarts_; }

private:
    static constexpr int kHistory = 64;

    void Restart(uint64_t ns, uint64_t frame);

    double nominalPerNs_;
    bool started_ = false;
    uint32_t restarts_ = 0;
    // The line in force: frame = anchorFrame_ + (ns - anchorNs_) x slope_.
    uint64_t anchorNs_ = 0;
    double anchorFrame_ = 0.0;
    double slope_ = 0.0;
    // The smoothed position of the callbacks and the measured rate.
    double filtered_ = 0.0;
    uint64_t lastNs_ = 0;
    double framesPerNs_ = 0.0;
    uint64_t historyNs_[kHistory] = {};
    uint64_t historyFrame_[kHistory] = {};
    uint32_t periods_ = 0; // callbacks since the last restart
    uint32_t lastFrames_ = 0;
};

} // namespace platform
