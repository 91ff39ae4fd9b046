#include "game/menus/SettingsMenuScreen.h"

#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/menus/OptionsScreen.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {} // namespace

void SettingsMenuScreen::CreateSoftButtons() {
    SetTitle(GetText(44));
    AddBackButton(TextBack, 0);
}

void SettingsMenuScreen::CreateItems() {
    AddMenuEntry(kOptions, 0.1f, 18, FlagPulse);
    AddMenuEntry(kDeviceInfo, 0.7f, 12, 0);
    AddDescription(0.1f, 18, 46);
    AddDescription(0.7f, 12, 47);
}

VGScreen* SettingsMenuScreen::OnAction(int32_t id) {
    switch (id) {
    case ActionBack:
        return CreateScreen(ScreenMainMenu);
    case kOptions:
        return new (std::nothrow) OptionsScreen(ScreenSettingsMenu);
    case kDeviceInfo:
        return new (std::nothrow) DeviceInfoScreen;
    default:
        return nullptr;
    }
}

void DeviceInfoScreen::CreateSoftButtons() {
    SetTitle(GetText(12));
    AddBackButton(TextBack, FlagPulse);
}

void DeviceInfoScreen::CreateItems() {
    VGString text = DescribeDisplay();
    AddItem(ItemY(0.5f, text, FontSmall, kMenuSpread), text, 0, FontSmall, AlignCentre,
            TargetWidth() / 2);
}

VGScreen* DeviceInfoScreen::OnAction(int32_t id) {
    return id == ActionBack ? CreateScreen(ScreenSettingsMenu) : nullptr;
}
