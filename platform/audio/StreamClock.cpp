#include "platform/audio/StreamClock.h"

#include <cmath>

namespace platform {

namespace {

// How much of each callback's deviation from the smoothed position is taken in.
constexpr double kPositionGain = 1.0 / 16.0;
// The line in force closes its gap to the smoothed position within about this long.
constexpr double kCorrectionNs = 100e6;
// A callback further than this from where the line expects it means an underrun or a stall.
constexpr double kRestartPeriods = 4.0;
constexpr double kRestartMinNs = 20e6;
// The rate is measured once this many periods give a baseline.
constexpr uint32_t kRatePeriods = 8;

} // namespace

StreamClock::StreamClock(double nominalFramesPerSecond)
    : nominalPerNs_(nominalFramesPerSecond / 1e9), framesPerNs_(nominalFramesPerSecond / 1e9) {}

void StreamClock::Restart(uint64_t ns, uint64_t frame) {
    anchorNs_ = ns;
    anchorFrame_ = double(frame);
    filtered_ = double(frame);
    slope_ = framesPerNs_;
    periods_ = 0;
}

void StreamClock::OnPeriod(uint64_t ns, uint64_t frame, uint32_t frames) {
    if (!started_) {
        started_ = true;
        Restart(ns, frame);
    } else {
        const double expected = FrameAt(ns);
        const double limit =
            std::fmax(kRestartPeriods * double(lastFrames_), kRestartMinNs * framesPerNs_);
        if (ns < lastNs_ || std::fabs(double(frame) - expected) > limit) {
            ++restarts_;
            Restart(ns, frame);
        } else {
            // Predict the callback's position from the last one, then take in part of the
            // difference: the jitter of single callbacks averages out.
            filtered_ += double(ns - lastNs_) * framesPerNs_;
            filtered_ += (double(frame) - filtered_) * kPositionGain;
            // Rate over the baseline kept (up to kHistory periods back).
            if (periods_ >= kRatePeriods) {
                const int oldest =
                    int((periods_ >= uint32_t(kHistory) ? periods_ - kHistory + 1 : 0) % kHistory);
                const uint64_t spanNs = ns - historyNs_[oldest];
                const uint64_t spanFrames = frame - historyFrame_[oldest];
                if (spanNs > 0) {
                    const double measured = double(spanFrames) / double(spanNs);
                    // A driver far off its nominal rate is believed only within reason.
                    if (measured > 0.5 * nominalPerNs_ && measured < 2.0 * nominalPerNs_)
                        framesPerNs_ = measured;
                }
            }
            // The next line starts where this one stands now and heads for the smoothed
            // position; its slope stays positive, so the mapping only moves forward.
            anchorFrame_ = expected;
            anchorNs_ = ns;
            const double gap = filtered_ - expected;
            slope_ = framesPerNs_ + gap / kCorrectionNs;
            slope_ = std::fmin(std::fmax(slope_, 0.5 * framesPerNs_), 1.5 * framesPerNs_);
        }
    }
    historyNs_[periods_ % kHistory] = ns;
    historyFrame_[periods_ % kHistory] = frame;
    ++periods_;
    lastNs_ = ns;
    lastFrames_ = frames;
}

double StreamClock::FrameAt(uint64_t ns) const {
    if (!started_) return -1.0;
    const double dt = ns >= anchorNs_ ? double(ns - anchorNs_) : -double(anchorNs_ - ns);
    return anchorFrame_ + dt * slope_;
}

} // namespace platform
