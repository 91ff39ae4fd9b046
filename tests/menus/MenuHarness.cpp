#include "tests/menus/MenuHarness.h"

#include "platform/RegistryStore.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGEngine.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreen.h"
#include "varnokengine/VGSoundManager.h"
#include "varnokengine/VGUserPath.h"

namespace fs = std::filesystem;

MenuHarness::MenuHarness(int16_t w, int16_t h, const char* languages) {
    fs::path game = TBX_GAME_DIR;
    data_ = folder.Path() / "data";
    user_ = folder.Path() / "user";
    fs::create_directories(data_);
    fs::create_directories(user_ / "save");
    for (const char* sub : {"imgs", "soundfx", "music", "level"})
        fs::create_directory_symlink(game / sub, data_ / sub);
    // Only the first languages when asked, else all of them.
    fs::create_directories(data_ / "language");
    for (int i = 0; fs::exists(game / "language" / ("lang_" + std::to_string(i) + ".dat")); ++i) {
        if (languages && i >= std::atoi(languages)) break;
        std::string name = "lang_" + std::to_string(i) + ".dat";
        fs::create_symlink(game / "language" / name, data_ / "language" / name);
    }
    platform::SetRegistryPath((folder.Path() / "settings.reg").string());
    platform::SetCurrentClock(&clock);
    StartEngine();
    GetMilliseconds();
    SetAppPath(VGString(folder.Wide("data").c_str()));
    SetUserPath(VGString(folder.Wide("user").c_str()));
    LayoutScale = w > 320 || h > 320 ? 2 : 1;
    SetHalveImagesOnLoad(LayoutScale == 1);
    canvas.Create(w, h, 0, 0);
    SetRenderTarget(&canvas);
    TheSoundManager.SetSoundFX(0);
    app = static_cast<GameApp*>(CreateGameApp());
    AdoptApplication(app);
    LoadLanguage(app->language, 0);
    app->largeFont = app->CreateLargeFont();
    app->smallFont = app->CreateSmallFont();
}

MenuHarness::~MenuHarness() {
    if (app->currentScreen) {
        app->currentScreen->Leave();
        delete app->currentScreen;
        app->currentScreen = nullptr;
    }
    StopEngine();
    platform::SetCurrentClock(nullptr);
}

void MenuHarness::Wait(uint32_t ms) {
    clock.Advance(ms);
    GetMilliseconds();
}

VGScreen* MenuHarness::Show(VGScreen* screen) {
    if (app->currentScreen) {
        app->currentScreen->Leave();
        delete app->currentScreen;
    }
    app->currentScreen = screen;
    ActivateScreen(screen);
    return screen;
}

VGScreen* MenuHarness::Step() {
    VGScreen* next = app->currentScreen->Update();
    if (app->IsReleased(KeyStylus)) app->pressedMenuItem = kNoPressedItem;
    for (KeySlot& key : app->keys) key.flags &= ~(KeyChanged | KeyRepeated);
    Wait(16);
    return next;
}

VGScreen* MenuHarness::Press(int32_t key) {
    app->PressKey(key);
    VGScreen* next = Step();
    app->ReleaseKey(key);
    VGScreen* after = Step();
    return next ? next : after;
}

VGScreen* MenuHarness::Tap(int32_t x, int32_t y) {
    app->stylusX = int16_t(x);
    app->stylusY = int16_t(y);
    return Press(KeyStylus);
}

TextBlock* ItemWithTag(int32_t tag) {
    for (int32_t slot = kSoftButtonSlot; slot < kMenuSlots; ++slot)
        if (Items().slots[slot] && Items().slots[slot]->tag == tag) return Items().slots[slot];
    return nullptr;
}
