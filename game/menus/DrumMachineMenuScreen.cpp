#include "game/menus/DrumMachineMenuScreen.h"

#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/menus/MessageScreen.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

#include <new>

namespace {

constexpr int32_t kFirstSlot = 1;
constexpr int32_t kLastSlot = 99;

} // namespace

bool AnySavedFile(const char16_t* extension) {
    for (int32_t slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (FileExists(Formatted(u"%ssave/%d.%s", GetUserPath(), slot, extension))) return true;
    return false;
}

void DrumMachineMenuScreen::CreateSoftButtons() {
    SetTitle(GetText(73));
    AddBackButton(1, 0);
}

void DrumMachineMenuScreen::CreateItems() {
    AddMenuEntry(kPlayTrack, 0.0f, 74, FlagPulse);
    AddMenuEntry(kEditSegments, 0.4f, 76, 0);
    AddMenuEntry(kEditTracks, 0.8f, 78, 0);
    AddDescription(0.0f, 74, 75);
    AddDescription(0.4f, 76, 77);
    AddDescription(0.8f, 78, 79);
}

VGScreen* DrumMachineMenuScreen::OnAction(int32_t id) {
    switch (id) {
    case ActionBack:
        return CreateScreen(ScreenMainMenu);
    case kPlayTrack:
        if (AnySavedFile(u"tbt")) return CreateTrackSelectScreen(SelectPlay);
        return new (std::nothrow) MessageScreen(ScreenDrumMachineMenu, TextNoTracksYet);
    case kEditTracks:
        if (AnySavedFile(u"tbs")) return CreateTrackSelectScreen(SelectEdit);
        return new (std::nothrow) MessageScreen(ScreenDrumMachineMenu, TextSaveASegmentFirst);
    case kEditSegments:
        return CreateSegmentSelectScreen(SelectEdit);
    default:
        return nullptr;
    }
}
