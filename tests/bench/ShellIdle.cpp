// Not a Google benchmark: the real main loop in a window with a screen that never changes,
// for measuring what an idle screen costs (run under xvfb-run, read the CPU time from
// /proc/PID/stat or ps; end it with SIGTERM, which closes the window). The screen draws a
// full picture every frame, as a menu does, but always the same one.
#include "platform/Text.h"
#include "platform/video/SdlBackend.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGScreen.h"
#include "varnokengine/VGWindows.h"

#include <iostream>

namespace {

class StillScreen final : public VGScreen {
public:
    VGScreen* Update() override { return nullptr; }
    void Draw() override {
        VGBitmap* target = RenderTarget.target;
        if (!target) return;
        for (int32_t y = 0; y < target->height; ++y)
            for (int32_t x = 0; x < target->width; ++x)
                target->pixels[y * target->width + x] = uint16_t((x * 7) ^ (y * 13));
    }
};

class StillGame final : public VGGame {
public:
    int32_t TitleBarHeight() override { return 0; }
    int32_t SoftBarHeight() override { return 0; }
    VGFont* CreateLargeFont() override { return nullptr; }
    VGFont* CreateSmallFont() override { return nullptr; }
    void CreateFirstScreen() override { SetFirstScreen(new StillScreen); }
};

} // namespace

// Argument: the folder with the program's data (the start-up logo is loaded from it).
int main(int argc, char** argv) {
    if (argc > 1) SetAppPath(VGString(platform::FromUtf8(argv[1]).c_str()));
    platform::SdlOptions options;
    options.reportPresents = true;
    std::string error;
    auto backend = platform::CreateSdlBackend(options, error);
    if (!backend) {
        std::cerr << "shell_idle: " << error << "\n";
        return 1;
    }
    platform::InstallBackend(std::move(backend));
    SetApplicationFactory([]() -> VGGame* { return new StillGame; });
    int result = VGMain();
    platform::UninstallBackend();
    return result;
}
