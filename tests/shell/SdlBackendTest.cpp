// The windowed backend under SDL's off-screen video driver, so that it keeps building and
// working where no screen exists: window, frames in every orientation, the window's picture,
// the single-instance rule.
#include "platform/video/SdlBackend.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // Software drawing, and no GL for the off-screen driver: the host's GL libraries keep
        // caches that the leak checker reports once SDL unloads them.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("SDL_VIDEO_EGL_DRIVER", "no-egl-here", 1);
        // The instance lock and socket live here, away from any real run.
        setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    }
    std::unique_ptr<platform::Backend> Create(const std::string& shot = "") {
        platform::SdlOptions options;
        options.width = 240;
        options.height = 320;
        options.windowShotPath = shot;
        std::string error;
        auto backend = platform::CreateSdlBackend(options, error);
        EXPECT_NE(backend, nullptr) << error;
        return backend;
    }
    static uint32_t PngWord(const std::string& png, size_t at) {
        return uint32_t(uint8_t(png[at])) << 24 | uint32_t(uint8_t(png[at + 1])) << 16 |
               uint32_t(uint8_t(png[at + 2])) << 8 | uint8_t(png[at + 3]);
    }
};

TEST_F(SdlBackendTest, ShowsFramesAndTurnsTheWindowForLandscape) {
    std::string shot = (folder.Path() / "window.png").string();
    {
        auto backend = Create(shot);
        ASSERT_NE(backend, nullptr);
        ASSERT_TRUE(backend->ClaimSingleInstance());
        ASSERT_TRUE(backend->CreateWindow());
        platform::FrameBufferInfo fb = backend->FrameBuffer();
        ASSERT_NE(fb.pixels, nullptr);
        EXPECT_EQ(fb.width, 240);
        EXPECT_EQ(fb.yPitch, 240);
        for (uint32_t orientation : {0u, 1u, 2u, 3u, 1u}) {
            backend->SetViewOrientation(orientation);
            fb.pixels[orientation] = 0xF800;
            backend->FrameWritten();
            backend->WaitForRefresh(true);
        }
        platform::DeviceEvent event;
        while (backend->Poll(event)) {
        }
        backend->HoldBacklight(true);
        backend->ResetIdleTimer();
        backend->HoldBacklight(false);
    }
    std::string png = folder.ReadFile("window.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_GT(PngWord(png, 16), PngWord(png, 20)); // landscape: wider than high
}

TEST_F(SdlBackendTest, SecondStartStepsAsideAndAsksTheFirstToRaise) {
    auto first = Create();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->ClaimSingleInstance());
    ASSERT_TRUE(first->CreateWindow());
    {
        auto second = Create();
        ASSERT_NE(second, nullptr);
        EXPECT_FALSE(second->ClaimSingleInstance());
    }
    first->WaitForRefresh(false); // serves the raise request without trouble
    first.reset();
    auto third = Create();
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(third->ClaimSingleInstance()); // the lock went with the first
}

} // namespace
