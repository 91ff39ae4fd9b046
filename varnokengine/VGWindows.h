#pragma once
// The outermost layer: entry, the window procedure, the message-and-frame loop, and the
// orderly and the fatal ways out. It owns no game logic.
#include <cstdint>

namespace platform {
struct DeviceEvent;
}

extern uint32_t LastInputTime; // when the last key, character or stylus message arrived
extern uint32_t StartingUp;    // 1 until start-up has finished

// Window messages: the numbers the window procedure and the input entry points speak.
constexpr uint32_t kMsgDestroy = 0x02;
constexpr uint32_t kMsgActivate = 0x06;
constexpr uint32_t kMsgSetFocus = 0x07;
constexpr uint32_t kMsgKillFocus = 0x08;
constexpr uint32_t kMsgPaint = 0x0F;
constexpr uint32_t kMsgQuit = 0x12;
constexpr uint32_t kMsgEraseBackground = 0x14;
constexpr uint32_t kMsgSettingChange = 0x1A;
constexpr uint32_t kMsgKeyDown = 0x100;
constexpr uint32_t kMsgKeyUp = 0x101;
constexpr uint32_t kMsgChar = 0x102;
constexpr uint32_t kMsgMouseMove = 0x200;
constexpr uint32_t kMsgButtonDown = 0x201;
constexpr uint32_t kMsgButtonUp = 0x202;

struct VGMessage {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

// The message a device event arrives as.
VGMessage MessageFor(const platform::DeviceEvent& event);
// Takes the next message: device events in order, then a posted quit.
bool PeekMessage(VGMessage& message);
void PostQuitMessage(uint32_t exitCode);

uint32_t WindowProc(uint32_t message, uint32_t wParam, uint32_t lParam);
// Deactivation: the program ends after the current frame (unless an error is ending it).
void OnSuspend();
// One frame, unless an error is ending the run.
void Tick();
// Throws away every pending key, character and stylus message.
void FlushInputMessages();
// Writes the error log to "error.txt" in the player's folder and shows it.
void ShowFatalError();

// Window, display, application start; false when the program must end at once.
bool InitInstance();
// The whole run inside the fault guard; returns the exit code.
int RunApplication();
// Entry: the engine's start, power start-up, the run, power restore, the engine's stop.
int VGMain();

// The shell's own state back to that of a fresh process (part of the engine's start and
// stop).
void ResetShellState();
