#pragma once
// The settings menu: the options pages and the device information.
#include "game/MenuScreen.h"

class SettingsMenuScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    static constexpr int32_t kOptions = 4;
    static constexpr int32_t kDeviceInfo = 23;
};

// The display description under the device information title.
class DeviceInfoScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;
};
