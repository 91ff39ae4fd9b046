#include "game/drumkit/GameScreenParts.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/KitScreen.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGMenuItems.h"

namespace {

constexpr uint32_t kNewHighScoreEntry = 43;
constexpr uint32_t kScoreEntry = 67;

} // namespace

DrumKit& TheKit() {
    return TheGameApp->kit;
}

void PrepareKit() {
    LoadKit(TheKit(), LayoutScale, ShowLoadingMessage);
    LoadButtonImages();
}

void DrawKitBehind() {
    DrawKit(TheKit(), GraphicsQuality, LayoutScale);
}

void DrawGameCounter() {
    const DrumKit& kit = TheKit();
    if (kit.mode == MemoryMaster) DrawCharWindow(MemoryCounterText(kit), 0);
    if (kit.mode == RhythmMaster) DrawCharWindow(RhythmCounterText(kit), 0);
}

void DrawResultTicker() {
    const DrumKit& kit = TheKit();
    int32_t first = 0;
    VGString text = ResultTickerText(GetText(kit.newHighScore ? kNewHighScoreEntry : kScoreEntry),
                                     GameResult(kit), Now, first);
    DrawCharWindow(text, first);
}

bool IsGameMode(uint32_t mode) {
    return mode == MemoryMaster || mode == RhythmMaster;
}
