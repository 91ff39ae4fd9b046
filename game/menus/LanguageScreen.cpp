#include "game/menus/LanguageScreen.h"

#include "game/TextIds.h"
#include "game/menus/MainMenuScreen.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGLanguage.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

#include <algorithm>
#include <new>

namespace {

constexpr float kSpreadPerLanguage = 0.15f;

} // namespace

void LanguageScreen::CreateSoftButtons() {
    SetTitle(GetText(TextLanguage));
    AddBackButton(TextExit, 0);
}

void LanguageScreen::CreateItems() {
    uint32_t n = LanguageCount();
    float spread = std::min(float(n) * kSpreadPerLanguage, kMenuSpread);
    for (uint32_t i = 0; i < n; ++i) {
        VGString name = LanguageName(i);
        // A single language sits at the top of the menu area.
        float fraction = n > 1 ? float(i) / float(n - 1) : 0.0f;
        AddEntry(kLanguageTagBase + int32_t(i), ItemY(fraction, name, FontLarge, spread), name,
                 i == 0 ? FlagPulse : 0);
    }
}

VGScreen* LanguageScreen::OnAction(int32_t id) {
    if (id == ActionBack) {
        TheApp->quitRequest = 1;
        return nullptr;
    }
    if (id < kLanguageTagBase) return nullptr;
    uint32_t language = uint32_t(id - kLanguageTagBase);
    WriteOption(kOptionLanguage, language);
    LoadLanguage(TheGame()->language, language);
    return new (std::nothrow) MainMenuScreen;
}
