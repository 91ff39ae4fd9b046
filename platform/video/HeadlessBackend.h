#pragma once
// The backend without a window: display memory in plain memory, input from a script (or
// injected by tests), time from a virtual clock that the present moves on by one refresh,
// so a run is repeatable to the millisecond and as fast as the host allows. A run ends by
// itself: at a "quit" step, or a set time after the last script step.
#include "platform/Clock.h"
#include "platform/video/Backend.h"
#include "platform/video/HeadlessScript.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

struct HeadlessOptions {
    int32_t width = 480;
    int32_t height = 640;
    uint32_t refreshMs = 16;
    std::string shotsDir = ".";
    // The run ends this long after the last script step (or after the start, with no script).
    uint32_t endAfterScriptMs = 10000;
    // Tests that set the clock themselves turn this off.
    bool advanceClockOnPresent = true;
    // The pixel format display memory reports (1 = RGB 5-6-5); tests try the others.
    uint32_t pixelFormat = 1;
};

class HeadlessBackend final : public Backend {
public:
    // With a clock, the backend drives it (presents advance it) and installs it as the
    // program's clock for its lifetime (the previous one is current again afterwards);
    // without one it never ends a run by itself.
    HeadlessBackend(const HeadlessOptions& options, VirtualClock* clock);
    ~HeadlessBackend() override;

    // A backend reading the script file when a path is given, on the given clock (which must
    // outlive it) or else on a virtual clock of its own. Null with the reason in error when
    // the script cannot be read or is malformed.
    static std::unique_ptr<HeadlessBackend> Create(const HeadlessOptions& options,
                                                   const std::string& scriptPath,
                                                   std::string& error,
                                                   VirtualClock* clock = nullptr);

    void SetScript(std::vector<ScriptStep> steps);
    // Queues an event as if it had just happened (stylus in device coordinates).
    void Inject(const DeviceEvent& event) { pending_.push_back(event); }

    bool ClaimSingleInstance() override { return true; }
    bool CreateWindow() override { return true; }

    FrameBufferInfo FrameBuffer() override;
    void SetViewOrientation(uint32_t orientation) override { orientation_ = orientation; }
    void FrameWritten() override;
    void WaitForRefresh(bool) override {}
    uint32_t RefreshMs() const override { return options_.refreshMs; }

    bool Poll(DeviceEvent& event) override;
    void DiscardPendingInput() override;

    void HoldBacklight(bool held) override { backlightHeld_ = held; }
    void ResetIdleTimer() override { ++idleResets_; }
    void ShowErrorBox(std::u16string_view text) override;

    // For tests and the scenario checks.
    uint32_t FramesShown() const { return framesShown_; }
    uint32_t Orientation() const { return orientation_; }
    bool BacklightHeld() const { return backlightHeld_; }
    uint32_t IdleResets() const { return idleResets_; }
    const std::vector<std::string>& ShotsWritten() const { return shotsWritten_; }
    const std::u16string& LastErrorBox() const { return lastErrorBox_; }
    std::vector<uint16_t> UprightFrame() const;

private:
    void TakeDueSteps();

    HeadlessOptions options_;
    VirtualClock* clock_;
    Clock* previousClock_ = nullptr; // current again when this backend goes
    std::unique_ptr<VirtualClock> ownedClock_;
    std::vector<uint16_t> memory_;
    uint32_t orientation_ = 0;
    std::vector<ScriptStep> steps_;
    size_t nextStep_ = 0;
    uint32_t endTime_;
    bool closeSent_ = false;
    std::deque<DeviceEvent> pending_;
    std::vector<std::string> pendingShots_;
    std::vector<std::string> shotsWritten_;
    uint32_t framesShown_ = 0;
    bool backlightHeld_ = false;
    uint32_t idleResets_ = 0;
    std::u16string lastErrorBox_;
};

} // namespace platform
