#pragma once
// The base of menu-like screens: the standard menu entry (items, then the menu frame images)
// and the standard drawing of the panel with its moving strip and the two bars.
#include "varnokengine/VGScreen.h"

class MenuScreen : public VGScreen {
public:
    void Enter() override;
    void DrawContent() override;
    void DrawTitleBar() override;
    void DrawSoftButtonBar() override;
};

// Menu frame image ids of the "menuui" pack.
enum MenuImage : uint32_t {
    MenuPanel = 100,
    MenuTitleBar = 101,
    MenuSoftBar = 102,
    MenuLeftArrow = 103,
    MenuRightArrow = 104,
    MenuCursor = 105,
    MenuLogo = 106,
    MenuStrip = 107,
};

// A menu-frame image (the pack is loaded on first use).
struct VGBitmap;
VGBitmap* MenuImageOf(uint32_t id);
// Draws the panel and the strip scrolling over it.
void DrawMenuPanel(const VGBitmap* panel, const VGBitmap* strip);
