#pragma once
// Everything the user sees after the splash is a screen: one at a time, owned by the
// application object, updated and drawn once per frame. Update returns null to stay, or a
// fresh screen that replaces this one at once (this one is told to leave and is deleted by
// the host, never by itself).
#include <cstdint>

struct VGBitmap;

// Action id sent to OnAction by the back button.
constexpr int32_t ActionBack = -2;

class VGScreen;

// The root interface of screens.
class VGState {
public:
    virtual ~VGState() = default;
    virtual VGScreen* Update() { return nullptr; }
    virtual void Draw() {}
    virtual bool WantsMusic() { return false; }
    virtual bool WantsFadeIn() { return true; }
    // The program ends while this screen is current (game screens save their state here).
    virtual void OnExit() {}
    virtual void OnChar(char16_t) {}
    virtual void Enter() {}
    virtual void Leave() {}
};

class VGScreen : public VGState {
public:
    // Menu navigation: keys move the focus and activate, a stylus tap activates the item it
    // went down on, the back key sends ActionBack; nothing for 300 ms after entry.
    VGScreen* Update() override;
    // The background, the content, then the title and soft-button bars when there are items
    // for them.
    void Draw() override;
    void Enter() override;
    // Deletes every menu item.
    void Leave() override;

    virtual void DrawContent() {}
    virtual void DrawTitleBar() {}
    virtual void DrawSoftButtonBar() {}
    virtual void DrawBackground() {}
    virtual VGScreen* OnAction(int32_t /*id*/) { return nullptr; }
    virtual void CreateSoftButtons() {}
    virtual void CreateItems() {}

    int32_t enterTime = -1;  // -1 while Enter runs, then GetMilliseconds() at activation
    uint32_t enterFrame = 0; // the frame counter at activation
    VGBitmap* panelImage = nullptr;
    VGBitmap* titleBarImage = nullptr;
    VGBitmap* softBarImage = nullptr;
    VGBitmap* stripImage = nullptr;
};

// Marks the screen as entering, enters it, and starts its clock.
void ActivateScreen(VGScreen* screen);
