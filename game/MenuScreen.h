#pragma once
// The base of menu-like screens: the standard menu entry (items, then the menu frame images)
// and the standard drawing of the panel with its moving strip and the two bars.
#include "game/ImageIds.h"
#include "varnokengine/VGScreen.h"

class MenuScreen : public VGScreen {
public:
    void Enter() override;
    void DrawContent() override;
    void DrawTitleBar() override;
    void DrawSoftButtonBar() override;
};

// A menu-frame image (the pack is loaded on first use).
struct VGBitmap;
VGBitmap* MenuImageOf(uint32_t id);
// Draws the panel and the strip scrolling over it.
void DrawMenuPanel(const VGBitmap* panel, const VGBitmap* strip);
