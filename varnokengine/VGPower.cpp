#include "varnokengine/VGPower.h"

#include "platform/video/Backend.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

uint32_t UseDeviceBacklight = 0;
uint32_t AutoShutdown = kDesktopAutoShutdown;
uint32_t SavedBatteryTimeout = 0;
uint32_t SavedAcTimeout = 0;
uint32_t LastIdleReset = 0;

namespace {
// The system's backlight settings live under the current user (root 2).
constexpr uint32_t kUserRoot = 2;
constexpr const char16_t* kBacklightKey = u"ControlPanel\\Backlight";
// "Never" for the system's time-outs while the program holds the backlight.
constexpr uint32_t kNoTimeout = 0x7FFFFFFF;

bool backlightHeld = false;

void SystemIdleTimerReset() {
    platform::CurrentBackend().ResetIdleTimer();
}

uint32_t ReadTimeout(const char16_t* name) {
    uint32_t value = 0;
    uint32_t size = 4;
    ReadValue(kUserRoot, kBacklightKey, name, &value, &size);
    return value;
}
} // namespace

uint32_t AutoShutdownLimit(uint32_t code) {
    static const uint32_t limits[] = {0, 60000, 120000, 300000, 600000, 1800000};
    return code >= 1 && code <= 5 ? limits[code] : 0;
}

void PowerStartUp() {
    SystemIdleTimerReset();
    SavedBatteryTimeout = ReadTimeout(u"BatteryTimeout");
    SavedAcTimeout = ReadTimeout(u"ACTimeout");
    UseDeviceBacklight = ReadOption(kOptionDeviceBacklight, UseDeviceBacklight);
    // A desktop program is not a battery device left in a pocket: with nothing stored it
    // never ends by itself. A stored choice is kept.
    AutoShutdown = ReadOption(kOptionAutoShutdown, kDesktopAutoShutdown);
    // A damaged code would end every run one frame after start, before the user could
    // reach the option to mend it: unknown codes count as the default.
    if (AutoShutdown > 6) AutoShutdown = kDesktopAutoShutdown;
    if (UseDeviceBacklight == 0) KeepBacklightOn();
    LastInputTime = GetMilliseconds();
}

void PowerRestore() {
    if (backlightHeld) {
        platform::CurrentBackend().HoldBacklight(false);
        backlightHeld = false;
    }
    SetBacklightTimeouts(SavedBatteryTimeout, SavedAcTimeout);
}

void KeepBacklightOn() {
    platform::CurrentBackend().HoldBacklight(true);
    backlightHeld = true;
    SetBacklightTimeouts(kNoTimeout, kNoTimeout);
}

bool SetBacklightTimeouts(uint32_t battery, uint32_t ac) {
    // The handheld then pulses "BackLightChangeEvent" so the system rereads the values; the
    // desktop reads nothing back, so the writes are all there is.
    return WriteValue(kUserRoot, kBacklightKey, u"BatteryTimeout", &battery, 4) &&
           WriteValue(kUserRoot, kBacklightKey, u"ACTimeout", &ac, 4);
}

void KeepAlive() {
    if (StartingUp) {
        SystemIdleTimerReset();
        LastInputTime = GetMilliseconds();
        return;
    }
    if (AutoShutdown == 0) return;
    uint32_t now = GetMilliseconds();
    if (int32_t(now - LastIdleReset) > 5000) {
        LastIdleReset = now;
        SystemIdleTimerReset();
    }
    if (AutoShutdown == 6) return;
    uint32_t limit = LastInputTime + AutoShutdownLimit(AutoShutdown);
    if (int32_t(now - limit) > 0 && TheApp) TheApp->quitRequest = 1;
}

void SetUseDeviceBacklight(uint32_t value) {
    if (value == UseDeviceBacklight) return;
    UseDeviceBacklight = value;
    WriteOption(kOptionDeviceBacklight, value);
    if (value)
        PowerRestore();
    else
        KeepBacklightOn();
}

void SetAutoShutdown(uint32_t code) {
    if (code == AutoShutdown) return;
    AutoShutdown = code;
    WriteOption(kOptionAutoShutdown, code);
}
