#pragma once
// Keeps the device awake while the game is played and ends the program when it is left
// alone. The backlight is held on unless the user asked for the device's own settings; the
// system's backlight time-outs found at start are always put back at exit.
#include <cstdint>

extern uint32_t UseDeviceBacklight; // "UseDeviceBacklightSetting", default 0
// Auto-shutdown code used when none is stored: 6, kept awake and never ended.
constexpr uint32_t kDesktopAutoShutdown = 6;
extern uint32_t AutoShutdown; // "AutoShutdownSetting", default 6 (codes below)
extern uint32_t SavedBatteryTimeout;
extern uint32_t SavedAcTimeout;
extern uint32_t LastIdleReset;

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
