#include "varnokengine/VGEngine.h"

#include "varnokengine/VGApplication.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGSoundManager.h"
#include "varnokengine/VGWindows.h"

namespace {
// The layout and drawing state a display's set-up chooses, back to its defaults.
void ResetDisplayState() {
    TheDisplay.Close();
    TheDisplay = VGDeviceScreen();
    SetRenderTarget(nullptr);
    LayoutScale = 1;
    SetHalveImagesOnLoad(false);
}
} // namespace

void StartEngine() {
    StopEngine();
    ResetShellState();
}

void AdoptApplication(VGApplication* app) {
    if (TheApp != app) DeleteApplication();
    TheApp = app;
}

void DeleteApplication() {
    // The object stays TheApp while its destructor runs (the kit saves through it).
    delete TheApp;
    TheApp = nullptr;
}

void StopEngine() {
    DeleteApplication();
    TheSoundManager.Close();
    ResetDisplayState();
}
