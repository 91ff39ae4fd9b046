#include "platform/video/HeadlessBackend.h"

#include "platform/Text.h"
#include "platform/video/PngWriter.h"
#include "platform/video/Upright.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace platform {

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options, VirtualClock* clock)
    : options_(options), clock_(clock),
      memory_(size_t(std::max(options.width, 1)) * size_t(std::max(options.height, 1)), 0),
      endTime_(options.endAfterScriptMs) {
    options_.width = std::max(options.width, 1);
    options_.height = std::max(options.height, 1);
    if (options_.refreshMs == 0) options_.refreshMs = 16;
    if (clock_) {
        previousClock_ = &CurrentClock();
        SetCurrentClock(clock_);
    }
}

HeadlessBackend::~HeadlessBackend() {
    if (clock_ && &CurrentClock() == clock_) SetCurrentClock(previousClock_);
}

std::unique_ptr<HeadlessBackend> HeadlessBackend::Create(const HeadlessOptions& options,
                                                         const std::string& scriptPath,
                                                         std::string& error, VirtualClock* clock) {
    std::vector<ScriptStep> steps;
    if (!scriptPath.empty()) {
        std::ifstream in(scriptPath, std::ios::binary);
        if (!in) {
            error = "cannot read the script " + scriptPath;
            return nullptr;
        }
        std::stringstream text;
        text << in.rdbuf();
        if (!ParseScript(text.str(), steps, error)) return nullptr;
    }
    std::unique_ptr<VirtualClock> owned;
    if (!clock) {
        owned = std::make_unique<VirtualClock>(0);
        clock = owned.get();
    }
    auto backend = std::make_unique<HeadlessBackend>(options, clock);
    backend->ownedClock_ = std::move(owned);
    backend->SetScript(std::move(steps));
    return backend;
}

void HeadlessBackend::SetScript(std::vector<ScriptStep> steps) {
    steps_ = std::move(steps);
    nextStep_ = 0;
    uint32_t last = steps_.empty() ? 0 : steps_.back().at;
    endTime_ = last + options_.endAfterScriptMs;
}

FrameBufferInfo HeadlessBackend::FrameBuffer() {
    return FrameBufferInfo{memory_.data(), options_.width,      options_.height, 1,
                           options_.width, options_.pixelFormat};
}

void HeadlessBackend::TakeDueSteps() {
    if (!clock_) return;
    const uint32_t now = clock_->TickCount();
    while (nextStep_ < steps_.size() && int32_t(now - steps_[nextStep_].at) >= 0) {
        const ScriptStep& step = steps_[nextStep_++];
        if (step.kind == ScriptStep::Kind::Shot) {
            pendingShots_.push_back(step.shotName);
        } else if (step.kind == ScriptStep::Kind::Quit) {
            if (!closeSent_) pending_.push_back(DeviceEvent{EventType::Close});
            closeSent_ = true;
        } else {
            DeviceEvent e = step.event;
            // The script's time is when the user acted, whenever the program looks.
            e.timed = true;
            e.time = step.at;
            if (IsStylusEvent(e.type)) {
                int32_t x, y;
                UprightToDevice(options_.width, options_.height, orientation_, e.x, e.y, x, y);
                e.x = int16_t(x), e.y = int16_t(y);
            }
            pending_.push_back(e);
        }
    }
    if (nextStep_ == steps_.size() && !closeSent_ && int32_t(now - endTime_) >= 0) {
        pending_.push_back(DeviceEvent{EventType::Close});
        closeSent_ = true;
    }
}

bool HeadlessBackend::Poll(DeviceEvent& event) {
    TakeDueSteps();
    if (pending_.empty()) return false;
    event = pending_.front();
    pending_.pop_front();
    return true;
}

void HeadlessBackend::DiscardPendingInput() {
    TakeDueSteps();
    std::erase_if(pending_, [](const DeviceEvent& e) {
        return IsKeyboardEvent(e.type) || IsStylusEvent(e.type);
    });
}

std::vector<uint16_t> HeadlessBackend::UprightFrame() const {
    ViewSize view = UprightSize(options_.width, options_.height, orientation_);
    std::vector<uint16_t> out(size_t(view.width) * size_t(view.height));
    RenderUpright(memory_.data(), options_.width, options_.height, options_.width, orientation_,
                  out.data());
    return out;
}

void HeadlessBackend::FrameWritten() {
    if (!clock_) return;
    TakeDueSteps();
    ++framesShown_;
    if (!pendingShots_.empty()) {
        ViewSize view = UprightSize(options_.width, options_.height, orientation_);
        std::vector<uint16_t> upright = UprightFrame();
        for (const std::string& name : pendingShots_) {
            std::string path = options_.shotsDir.empty() ? name : options_.shotsDir + "/" + name;
            if (WritePngRgb565(path, upright.data(), view.width, view.height))
                shotsWritten_.push_back(path);
            else
                std::cerr << "tamborix: cannot write the shot " << path << "\n";
        }
        pendingShots_.clear();
    }
    if (options_.advanceClockOnPresent) clock_->Advance(options_.refreshMs);
}

void HeadlessBackend::ShowErrorBox(std::u16string_view text) {
    lastErrorBox_ = text;
    std::cerr << ToUtf8(text) << std::endl;
}

} // namespace platform
