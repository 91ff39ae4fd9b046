#pragma once
// Keeps the device awake while the game is played and ends the program when it is left
// alone. The backlight is held on unless the user asked for the device's own settings; the
// system's backlight time-outs found at start are always put back at exit.
#include <cstdint>

// Auto-shutdown code used when none is stored: 6, kept awake and never ended.
constexpr uint32_t kDesktopAutoShutdown = 6;

struct PowerState {
    uint32_t useDeviceBacklight = 0;              // "UseDeviceBacklightSetting", default 0
    uint32_t autoShutdown = kDesktopAutoShutdown; // "AutoShutdownSetting" (codes below)
    uint32_t savedBatteryTimeout = 0;             // the system's time-outs found at start
    uint32_t savedAcTimeout = 0;
    uint32_t lastIdleReset = 0; // when the system's idle timer was last reset
};
extern PowerState Power;

// Time without input after which the program ends, per auto-shutdown code; 0 = never.
// Codes 0 (the device's own power management) and 6 (always awake) never end it.
uint32_t AutoShutdownLimit(uint32_t code);

void PowerStartUp();
void PowerRestore();
void KeepBacklightOn();
// Writes both system time-outs (seconds); true when both were written.
bool SetBacklightTimeouts(uint32_t battery, uint32_t ac);
// Called every frame and between the long steps of start-up.
void KeepAlive();
void SetUseDeviceBacklight(uint32_t value);
void SetAutoShutdown(uint32_t code);
