#include "varnokengine/VGWindows.h"

#include "platform/Clock.h"
#include "platform/CrashGuard.h"
#include "platform/Runtime.h"
#include "platform/video/Backend.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGEngine.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

uint32_t LastInputTime = 0;
uint32_t StartingUp = 1;

namespace {

constexpr const char16_t* kSourcePath = u"..\\..\\varnokengine\\VGWindows";
constexpr uint32_t kExceptionLine = 323;

bool quitPosted = false;
uint32_t quitCode = 0;
// The engine time of the event behind the message PeekMessage gave last, when it has one.
bool messageTimed = false;
uint32_t messageTime = 0;

platform::Backend& Device() {
    return platform::CurrentBackend();
}

// Every input message counts as activity for the auto-shutdown check.
void NoteInput() {
    LastInputTime = GetMilliseconds();
}

} // namespace

VGMessage MessageFor(const platform::DeviceEvent& event) {
    using platform::EventType;
    VGMessage m;
    switch (event.type) {
    case EventType::KeyDown:
        m = {kMsgKeyDown, PackKeyCodes(event.key, event.deskKey),
             1u | uint32_t(event.depth) << kDepthShift | (event.repeat ? kAlreadyDownBit : 0u)};
        break;
    case EventType::KeyUp:
        m = {kMsgKeyUp, PackKeyCodes(event.key, event.deskKey), 0xC0000001u};
        break;
    case EventType::Character:
        m = {kMsgChar, event.character, 1};
        break;
    case EventType::StylusDown:
        m = {kMsgButtonDown, 1, PackStylus(event.x, event.y)};
        break;
    case EventType::StylusUp:
        m = {kMsgButtonUp, 0, PackStylus(event.x, event.y)};
        break;
    case EventType::StylusMove:
        m = {kMsgMouseMove, 1, PackStylus(event.x, event.y)};
        break;
    case EventType::Close:
        m = {kMsgDestroy, 0, 0};
        break;
    case EventType::Activate:
        m = {kMsgActivate, 1, 0};
        break;
    case EventType::Deactivate:
        m = {kMsgActivate, 0, 0};
        break;
    }
    return m;
}

bool PeekMessage(VGMessage& message) {
    platform::DeviceEvent event;
    if (Device().Poll(event)) {
        message = MessageFor(event);
        messageTimed = event.timed;
        messageTime = event.timed ? PlatformToEngineMs(event.time) : 0;
        return true;
    }
    messageTimed = false;
    if (quitPosted) {
        quitPosted = false;
        message = {kMsgQuit, quitCode, 0};
        return true;
    }
    return false;
}

void PostQuitMessage(uint32_t exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

void OnSuspend() {
    if (TheApp && ErrorFlag == 0) TheApp->quitRequest = 1;
}

uint32_t WindowProc(uint32_t message, uint32_t wParam, uint32_t lParam) {
    VGApplication* app = TheApp;
    // The time travels with this message only.
    if (app) {
        app->messageTimed = messageTimed;
        app->messageTime = messageTime;
    }
    messageTimed = false;
    struct ForgetTime {
        VGApplication* app;
        ~ForgetTime() {
            if (app) app->messageTimed = false;
        }
    } forget{app};
    switch (message) {
    case kMsgDestroy:
        PostQuitMessage(0);
        return 0;
    case kMsgActivate:
        if ((wParam & 0xFFFF) == 0) OnSuspend();
        return 0;
    case kMsgSetFocus:
        return 0;
    case kMsgKillFocus:
        OnSuspend();
        return 0;
    case kMsgPaint:
        return 0;
    case kMsgEraseBackground:
        return 1;
    case kMsgSettingChange:
        return 0;
    case kMsgKeyDown:
        NoteInput();
        if (app) app->HandleKeyDown(wParam, lParam);
        return 0;
    case kMsgKeyUp:
        NoteInput();
        if (app) app->HandleKeyUp(wParam, lParam);
        return 0;
    case kMsgChar:
        NoteInput();
        if (app) app->OnChar(char16_t(wParam & 0xFFFF));
        return 0;
    case kMsgMouseMove:
        NoteInput();
        if (app) {
            app->SetStylusPosition(lParam);
            app->OnStylusMove();
        }
        return 0;
    case kMsgButtonDown:
        NoteInput();
        if (app && app->PressKey(KeyStylus)) {
            app->SetStylusPosition(lParam);
            app->OnStylusDown();
        }
        return 0;
    case kMsgButtonUp:
        NoteInput();
        if (app && app->ReleaseKey(KeyStylus)) {
            app->SetStylusPosition(lParam);
            app->OnStylusUp();
        }
        return 0;
    default:
        return 0;
    }
}

void Tick() {
    if (ErrorFlag) return;
    KeepAlive();
    FrameTick();
}

void FlushInputMessages() {
    Device().DiscardPendingInput();
}

void ShowFatalError() {
    PrepareUserFolder();
    VGFileWriter file(UserPath(u"error.txt"));
    FlushInputMessages();
    VGString text = GetErrorText();
    WriteTextLine(file, text);
    Device().ShowErrorBox(std::u16string_view(text.Data(), text.Length()));
    file.Close();
}

bool InitInstance() {
    // Only one windowed instance runs; a second start brings the first to the front.
    if (!Device().ClaimSingleInstance()) return false;
    if (!Device().CreateWindow()) return false;
    KeepAlive();
    TheDisplay.Open();
    if (TheDisplay.pixelFormat != kFormat565) {
        uint32_t format = TheDisplay.pixelFormat;
        TheDisplay.Close();
        VGString text;
        Format(text,
               u"Game does not work with this type of display. Email the makers, specifying "
               u"make and model of PocketPC and the following error code: %d",
               format);
        Device().ShowErrorBox(std::u16string_view(text.Data(), text.Length()));
        return false;
    }
    KeepAlive();
    TheDisplay.SetUp();
    KeepAlive();
    if (!StartApplication()) return false;
    KeepAlive();
    KeepAlive();
    StartingUp = 0;
    // Keys pressed and taps made while loading are thrown away.
    FlushInputMessages();
    return true;
}

namespace {

int GuardedRun(void*) {
    platform::SRand(platform::TickCount());
    if (!InitInstance()) return 0;
    VGMessage message;
    while (message.message != kMsgQuit) {
        while (PeekMessage(message)) {
            WindowProc(message.message, message.wParam, message.lParam);
            // A frame right after each input change, so a press and a release that arrive
            // together are seen in different frames.
            if (TheApp && TheApp->inputChanged) Tick();
            if (message.message == kMsgQuit) break;
        }
        Tick();
        if ((TheApp && TheApp->quitRequest) || ErrorFlag) break;
        // The desktop's only wait: until the next refresh, or sooner for input.
        if (message.message != kMsgQuit) Device().WaitForRefresh(true);
    }
    ShutdownApplication();
    if (ErrorFlag) ShowFatalError();
    DeleteApplication();
    return int(message.message == kMsgQuit ? message.wParam : 0);
}

int OnFault(uint32_t code, void*) {
    VGString text;
    Format(text, u"Exception: 0x%x", code);
    ReportError(text.Data(), kExceptionLine, kSourcePath);
    ShowFatalError();
    if (TheApp) TheApp->EmergencyStop();
    TheDisplay.Close();
    DeleteApplication();
    return 0;
}

} // namespace

int RunApplication() {
    return platform::RunGuarded(GuardedRun, OnFault, nullptr);
}

int VGMain() {
    StartEngine();
    PowerStartUp();
    int result = RunApplication();
    PowerRestore();
    StopEngine();
    return result;
}

void ResetShellState() {
    LastInputTime = 0;
    StartingUp = 1;
    quitPosted = false;
    quitCode = 0;
    messageTimed = false;
    LastIdleReset = 0;
    ResetEngineClock();
    ClearErrors();
}
