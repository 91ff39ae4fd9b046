#include "game/menus/AboutScreen.h"

#include "game/menus/MainMenuScreen.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGSoundManager.h"

#include <new>

namespace {

constexpr uint32_t kFadeInMs = 1000;
constexpr uint32_t kCloseMs = 2900;
constexpr uint32_t kHeadingEntries[kAboutPages] = {0, 52, 53, 54, 56};

// Who is credited on each page; the programming and game design pages credit the same.
const char16_t* const kMakers = u"the tamborix team\nwith sdl, zlib,\nlibpng, freetype\nand cairo";
const char16_t* const kCredits[kAboutPages] = {
    u"tamborix\nvarnok games",
    kMakers,
    kMakers,
    u"comfortaa font:\njohan aakerlund\nopen sans font:\ngoogle\ndejavu mono font:\nbitstream, "
    u"dejavu",
    u"drum samples:\nhydrogen rock kit\nby the hydrogen\ndevelopers",
};

} // namespace

VGString AboutPageText(uint32_t page) {
    page %= kAboutPages;
    if (page == 0) return VGString(kCredits[0]);
    return Formatted(u"%s\n\n", GetText(kHeadingEntries[page])) + kCredits[page];
}

AboutLook AboutPageLook(uint32_t x) {
    if (x < kFadeInMs) return {float(x) * 0.001f, 1.0f};
    if (x <= kCloseMs) return {1.0f, 1.0f};
    float past = float(x - kCloseMs);
    return {1.0f - 0.01f * past, 1.0f + 0.02f * past};
}

void AboutScreen::CreateSoftButtons() {
    SetTitle(GetText(45));
    AddBackButton(1, FlagPulse);
}

VGScreen* AboutScreen::Update() {
    // The beat closes each page: the first frame in its last 100 ms plays it once.
    uint32_t elapsed = uint32_t(int32_t(Now) - enterTime);
    int32_t pageCount = int32_t(elapsed / kAboutPageMs);
    if (elapsed % kAboutPageMs > kCloseMs && bassPage != pageCount) {
        bassPage = pageCount;
        TheSoundManager.PlaySoundFX(VGString(u"bass"), 0, 1.0f);
    }
    return VGScreen::Update();
}

void AboutScreen::DrawContent() {
    MenuScreen::DrawContent();
    if (enterTime < 0) return;
    uint32_t elapsed = uint32_t(int32_t(Now) - enterTime);
    int32_t page = int32_t((elapsed / kAboutPageMs) % kAboutPages);
    AboutLook look = AboutPageLook(elapsed % kAboutPageMs);
    if (page != shownPage || look.scale != shownScale) {
        VGString content = AboutPageText(uint32_t(page));
        const VGFont* font = MenuFontOf(FontLarge);
        text.font = font;
        text.scale = look.scale;
        text.alignment = AlignCentre;
        text.x = int16_t(TargetWidth() / 2);
        text.shadowOffset = int16_t(2 * LayoutScale);
        text.y = int16_t(ItemY(0.5f, content, FontLarge, kMenuSpread));
        text.SetText(content, Now);
        shownPage = page;
        shownScale = look.scale;
    }
    text.Draw(look.alpha, Now, TextShadowsOn());
}

VGScreen* AboutScreen::OnAction(int32_t id) {
    return id == ActionBack ? new (std::nothrow) MainMenuScreen : nullptr;
}
