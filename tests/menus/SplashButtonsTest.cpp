// The splash animation's geometry, and where the shared buttons and the character window go.
#include "game/GameButtons.h"
#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/menus/MenuHarness.h"
#include "tools/imagewriter/ImageWriter.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGSplash.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kRed = 0xF800, kBlue = 0x001F;

struct SplashTest : ::testing::Test {
    void SetUp() override {
        MakeBitmap(first, 2, 2, {kRed, kRed, kRed, kRed});
        MakeBitmap(second, 2, 2, {kBlue, kBlue, kBlue, kBlue});
        MakeBitmap(final, 2, 2, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF});
    }
    void TearDown() override { LayoutScale = 1; }
    VGBitmap first, second, final;
};

TEST_F(SplashTest, PiecesSlideInAlongTheDiagonalAndLift) {
    TargetCanvas canvas(600, 600, 0x1234);
    LayoutScale = 1;
    // At the start the pieces are 100 and 200 pixels left of and below the centre.
    DrawSplashFrame(0, nullptr, &first, &second, nullptr);
    EXPECT_EQ(canvas.At(299, 299), 0); // the frame starts black
    EXPECT_EQ(canvas.At(199, 399), kRed);
    EXPECT_EQ(canvas.At(99, 499), kBlue);
    DrawSplashFrame(500, nullptr, &first, &second, nullptr);
    EXPECT_EQ(canvas.At(299, 299), kRed);
    EXPECT_EQ(canvas.At(199, 399), kBlue);
    // Lifted by six pixels up and right, 0.6 s after arriving.
    DrawSplashFrame(1100, nullptr, &first, nullptr, nullptr);
    EXPECT_EQ(canvas.At(305, 293), kRed);
    EXPECT_NE(canvas.At(299, 299), kRed); // only a faint copy stays
    EXPECT_NE(canvas.At(299, 299), 0);
}

TEST_F(SplashTest, TheFinalPictureIsHalfFadedInAtTwoSecondsAndOffsetsDoubleOnLargeScreens) {
    TargetCanvas canvas(800, 800, 0);
    DrawSplashFrame(2000, nullptr, nullptr, nullptr, &final);
    EXPECT_EQ(canvas.At(399, 399) >> 11, 15);
    LayoutScale = 2;
    DrawSplashFrame(0, nullptr, &first, &second, nullptr);
    EXPECT_EQ(canvas.At(199, 599), kRed);
    EXPECT_EQ(canvas.At(0, 799), kBlue); // the second piece starts in the corner
}

// A buttons pack of two images, drawn for the large screen and halved as they load on the
// small one: the centre bar 100 x 20 and the up/down button 30 x 20.
bool WriteButtons(const TempFolder& folder) {
    auto picture = [](uint32_t id, int32_t w, uint16_t colour) {
        imagewriter::Picture p;
        p.id = id, p.width = 2 * w, p.height = 40;
        p.pixels.assign(size_t(p.width) * 40, colour);
        return p;
    };
    std::filesystem::create_directories(folder.Path() / "imgs");
    return imagewriter::WritePack(
        (folder.Path() / "imgs" / "buttons.img").string(),
        {picture(ButtonCentreBar, 100, kBlue), picture(ButtonUpDown, 30, kRed)},
        imagewriter::Trim::Off);
}

TEST(ButtonsTest, ButtonsRightOfTheBarAnswerInTwoHalves) {
    MenuHarness h(240, 320);
    TempFolder packs;
    ASSERT_TRUE(WriteButtons(packs));
    SetAppPath(VGString(packs.Wide().c_str()));
    LoadButtonImages();
    SetAppPath(VGString(h.folder.Wide("data").c_str()));

    DrawRightOfBar(ButtonUpDown);
    EXPECT_EQ(h.canvas.GetPixel(170, 319), kRed);
    EXPECT_EQ(h.canvas.GetPixel(170, 300), kRed);
    EXPECT_NE(h.canvas.GetPixel(169, 319), kRed);
    EXPECT_NE(h.canvas.GetPixel(170, 299), kRed);

    auto stylus = [&](int32_t x, int32_t y) {
        h.app->stylusX = int16_t(x), h.app->stylusY = int16_t(y);
    };
    stylus(185, 305); // the upper half's centre
    EXPECT_TRUE(HitUpDownUpper());
    EXPECT_FALSE(HitUpDownLower());
    stylus(185, 315);
    EXPECT_FALSE(HitUpDownUpper());
    EXPECT_TRUE(HitUpDownLower());
    stylus(200, 315); // on the right edge of the 30-wide area centred on 185: outside
    EXPECT_FALSE(HitUpDownLower());
}

TEST(ButtonsTest, CharacterWindowPlacesStartingBeforeTheTextStayEmpty) {
    MenuHarness h(240, 320);
    const VGFont* font = h.app->displayFont;
    ASSERT_NE(font, nullptr);
    const VGBitmap* zero = font->GetGlyph('0');
    ASSERT_NE(zero, nullptr);
    int32_t left = 120 - zero->halfWidth - 2 * zero->fullWidth;
    int32_t pitch = font->spaceWidth;
    auto render = [&](const char16_t* text, int32_t first) {
        h.canvas.Fill(0);
        DrawCharWindow(VGString(text), first);
        std::vector<uint16_t> out;
        for (int32_t y = 260; y < 320; ++y)
            for (int32_t x = 0; x < 240; ++x) out.push_back(h.canvas.GetPixel(x, y));
        return out;
    };
    auto columns = [&](const std::vector<uint16_t>& frame, int32_t from, int32_t count) {
        std::vector<uint16_t> out;
        for (int32_t y = 0; y < 60; ++y)
            for (int32_t x = from; x < from + count; ++x) out.push_back(frame[size_t(y * 240 + x)]);
        return out;
    };
    std::vector<uint16_t> bar = render(u"", 0);
    std::vector<uint16_t> shifted = render(u"123", -2);
    std::vector<uint16_t> plain = render(u"123", 0);
    // Places one and two show the bar alone; places three to five show characters 0 to 2.
    EXPECT_EQ(columns(shifted, left, 2 * pitch), columns(bar, left, 2 * pitch));
    EXPECT_EQ(columns(shifted, left + 2 * pitch, 3 * pitch), columns(plain, left, 3 * pitch));
    EXPECT_NE(columns(plain, left, pitch), columns(bar, left, pitch));
    // A text shorter than the window draws what it has.
    EXPECT_EQ(columns(render(u"12", 0), left + 2 * pitch, 3 * pitch),
              columns(bar, left + 2 * pitch, 3 * pitch));
}

} // namespace
