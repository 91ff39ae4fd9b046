// The display device: the turned copy into display memory for every orientation and pitch
// layout, the upright view the desktop shows, the back buffer's shape, skip-next-present.
#include "tests/shell/ShellHarness.h"

#include "platform/video/Upright.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGRegistry.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

constexpr int32_t W = 3, H = 4; // a tiny portrait device

// Which back-buffer pixel (its index, row by row) each device pixel of the 3 x 4 portrait
// memory shows, row by row, for each orientation. A landscape back buffer is 4 x 3: in
// orientation 1 its top row runs down the right edge of memory, in 3 up the left edge.
constexpr int32_t kShown[4][H][W] = {
    {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, 11}},
    {{8, 4, 0}, {9, 5, 1}, {10, 6, 2}, {11, 7, 3}},
    {{11, 10, 9}, {8, 7, 6}, {5, 4, 3}, {2, 1, 0}},
    {{3, 7, 11}, {2, 6, 10}, {1, 5, 9}, {0, 4, 8}},
};

// Display memory laid out with the given pitches: the device pixel (x, y) lives at
// origin + x * xp + y * yp inside a buffer of W x H.
struct Layout {
    const char* name;
    int32_t xp, yp;
    int32_t originIndex;
};

class RotationTest : public ::testing::TestWithParam<std::tuple<uint32_t, Layout>> {};

TEST_P(RotationTest, EveryDevicePixelShowsTheBackBufferPixelOfItsOrientation) {
    auto [orientation, layout] = GetParam();
    bool landscape = orientation == 1 || orientation == 3;
    int32_t bw = landscape ? H : W, bh = landscape ? W : H;
    std::vector<uint16_t> source(size_t(bw * bh));
    std::iota(source.begin(), source.end(), uint16_t(100));
    std::vector<uint16_t> memory(W * H, 0);
    CopyRotated(source.data(), bw, bh, memory.data() + layout.originIndex, W, H, layout.xp,
                layout.yp, orientation);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            EXPECT_EQ(memory[layout.originIndex + x * layout.xp + y * layout.yp],
                      source[kShown[orientation][y][x]])
                << layout.name << " orientation " << orientation << " device pixel " << x << ","
                << y;
}

INSTANTIATE_TEST_SUITE_P(OrientationsAndPitches, RotationTest,
                         ::testing::Combine(::testing::Values(0u, 1u, 2u, 3u),
                                            ::testing::Values(Layout{"rows", 1, W, 0},
                                                              Layout{"mirrored rows", -1, W, W - 1},
                                                              Layout{"bottom-up rows", 1, -W,
                                                                     (H - 1) * W},
                                                              Layout{"columns", H, 1, 0})));

TEST(UprightViewTest, ShowsTheBackBufferAsDrawnForEveryOrientation) {
    for (uint32_t orientation = 0; orientation < 4; ++orientation) {
        platform::ViewSize view = platform::UprightSize(W, H, orientation);
        std::vector<uint16_t> source(size_t(view.width * view.height));
        std::iota(source.begin(), source.end(), uint16_t(7));
        std::vector<uint16_t> memory(W * H), upright(source.size());
        CopyRotated(source.data(), view.width, view.height, memory.data(), W, H, 1, W, orientation);
        platform::RenderUpright(memory.data(), W, H, W, orientation, upright.data());
        EXPECT_EQ(upright, source) << "orientation " << orientation;
    }
}

class DisplayTest : public ::testing::Test {
protected:
    ShellHarness shell{240, 320};
    const uint16_t* Memory() { return TheDisplay.framePointer; }
};

TEST_F(DisplayTest, LandscapeBackBufferTopLeftShowsAtTheTopRightOfMemory) {
    WriteOption(u"ScreenOrientation", 1);
    shell.Start();
    ASSERT_NE(TheDisplay.backBuffer, nullptr);
    EXPECT_EQ(TheDisplay.backBuffer->width, 320);
    EXPECT_EQ(TheDisplay.backBuffer->height, 240);
    EXPECT_EQ(RenderTarget.target, TheDisplay.backBuffer);
    EXPECT_EQ(RenderTarget.clipRight, 320);
    EXPECT_EQ(RenderTarget.clipBottom, 240);
    TheDisplay.backBuffer->pixels[0] = 0x1234;
    TheDisplay.Present();
    EXPECT_EQ(Memory()[239], 0x1234);
    EXPECT_EQ(shell.backend->Orientation(), 1u);
}

TEST_F(DisplayTest, StoredOrientationOutOfRangeBecomesPortraitAndIsWrittenBack) {
    WriteOption(u"ScreenOrientation", 7);
    shell.Start();
    EXPECT_EQ(TheDisplay.orientation, 0u);
    EXPECT_EQ(ReadOption(u"ScreenOrientation", 99), 0u);
    EXPECT_EQ(TheDisplay.backBuffer->width, 240);
}

TEST_F(DisplayTest, SkipNextPresentLeavesTheDisplayAloneForExactlyOneFrame) {
    shell.Start();
    uint32_t frames = FrameCounter;
    TheDisplay.backBuffer->pixels[5] = 0xFFFF;
    TheDisplay.skipNextPresent = 1;
    TheDisplay.Present();
    EXPECT_EQ(Memory()[5], 0);
    EXPECT_EQ(FrameCounter, frames);
    EXPECT_EQ(shell.backend->FramesShown(), 0u);
    TheDisplay.Present();
    EXPECT_EQ(Memory()[5], 0xFFFF);
    EXPECT_EQ(FrameCounter, frames + 1);
}

TEST_F(DisplayTest, OpenSetsLayoutScaleAndHalvingBySize) {
    shell.Start();
    EXPECT_EQ(LayoutScale, 1);
    EXPECT_TRUE(HalveImagesOnLoad());
    EXPECT_EQ(TheDisplay.pixelFormat, kFormat565);
    EXPECT_EQ(TheDisplay.xPitch, 1);
    EXPECT_EQ(TheDisplay.yPitch, 240);
}

TEST(LargeDisplayTest, OpenSetsLayoutScaleAndHalvingBySize) {
    ShellHarness shell(480, 640);
    shell.Start();
    EXPECT_EQ(LayoutScale, 2);
    EXPECT_FALSE(HalveImagesOnLoad());
    EXPECT_EQ(DescribeDisplay(),
              u"Tamborix\nby Varnok Games\nversion 1.0\n\ndesktop: size(480,640) portrait\n"
              u"display: raw size(480,640),pitch(1,480)\nportrait\nunknown device\n\n");
}

TEST_F(DisplayTest, CloseLeavesNoDanglingRenderTarget) {
    shell.Start();
    TheDisplay.Close();
    EXPECT_EQ(TheDisplay.backBuffer, nullptr);
    EXPECT_EQ(RenderTarget.target, nullptr);
    TheDisplay.Present(); // nothing to show, nothing to crash
    EXPECT_EQ(OrientationName(4), u"");
}

} // namespace
