#include "game/MenuScreen.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"

namespace {

// The strip moves one pixel to the left every 80 ms on the small screen.
constexpr int32_t kStripStepMs = 80;

} // namespace

VGBitmap* MenuImageOf(uint32_t id) {
    LoadMenuImages();
    return TheGameApp()->menuImages.Get(id);
}

void MenuScreen::Enter() {
    // The pack first: the items' layout reads the bar heights from it.
    LoadMenuImages();
    CreateSoftButtons();
    CreateItems();
    panelImage = MenuImageOf(MenuPanel);
    stripImage = MenuImageOf(MenuStrip);
    titleBarImage = MenuImageOf(MenuTitleBar);
    softBarImage = MenuImageOf(MenuSoftBar);
}

void DrawMenuPanel(const VGBitmap* panel, const VGBitmap* strip) {
    const VGBitmap* target = RenderTarget.target;
    if (!target || !panel) return;
    int32_t top = target->fullHeight - panel->fullHeight;
    VGBitmap::Draw(panel, target->halfWidth - panel->halfWidth, top);
    if (!strip || strip->fullWidth <= 0) return;
    int32_t offset = int32_t(Now) / (kStripStepMs / LayoutScale) % strip->fullWidth;
    int32_t left = target->halfWidth - offset - strip->halfWidth;
    for (int32_t copy = 0; copy < 2; ++copy)
        VGBitmap::DrawEx(strip, left + copy * strip->fullWidth, top, strip->fullWidth,
                         strip->fullHeight, 0, 0, 1.0f, 1.0f, BlendModulate, 1.0f);
}

void MenuScreen::DrawContent() {
    DrawMenuPanel(panelImage, stripImage);
}

void MenuScreen::DrawTitleBar() {
    const VGBitmap* target = RenderTarget.target;
    if (target && titleBarImage)
        VGBitmap::Draw(titleBarImage, target->halfWidth - titleBarImage->halfWidth, 0);
}

void MenuScreen::DrawSoftButtonBar() {
    const VGBitmap* target = RenderTarget.target;
    if (target && softBarImage)
        VGBitmap::Draw(softBarImage, target->halfWidth - softBarImage->halfWidth,
                       target->fullHeight - softBarImage->fullHeight);
}
