#pragma once
// The program's application object on the baked data, drawing into a canvas, with a virtual
// clock, a settings file and a save folder of its own; and a way to step a screen through
// frames of input.
#include "game/GameApp.h"
#include "platform/Clock.h"
#include "tests/support/TempFolder.h"
#include "varnokengine/VGBitmap.h"

#include <cstdint>
#include <filesystem>

class VGScreen;

class MenuHarness {
public:
    // A w x h back buffer; screens larger than 320 in either direction use the large layout.
    MenuHarness(int16_t w, int16_t h, const char* languages = nullptr);
    ~MenuHarness();

    // Moves the engine clock on by ms.
    void Wait(uint32_t ms);
    // Makes the screen current as the application does (it is owned by the application).
    VGScreen* Show(VGScreen* screen);
    // One frame of the current screen's update: the screen it returns (owned by the caller),
    // with this frame's key edges cleared afterwards.
    VGScreen* Step();
    VGScreen* Press(int32_t key); // a key goes down and, one frame later, up
    VGScreen* Tap(int32_t x, int32_t y);

    const std::filesystem::path& Data() const { return data_; }
    const std::filesystem::path& User() const { return user_; }

    TempFolder folder;
    platform::VirtualClock clock{1000};
    VGBitmap canvas;
    GameApp* app = nullptr;

private:
    std::filesystem::path data_;
    std::filesystem::path user_;
};

// The first menu item whose tag is the given one, or null.
class TextBlock;
TextBlock* ItemWithTag(int32_t tag);
