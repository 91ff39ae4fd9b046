#pragma once
// Timed pages: the product and its maker, then the people and projects whose work the game
// ships. A page turns every three seconds with a drum beat.
#include "game/MenuScreen.h"
#include "varnokengine/VGTextBlock.h"

constexpr uint32_t kAboutPageMs = 3000;
constexpr uint32_t kAboutPages = 5;

class AboutScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    VGScreen* Update() override;
    void DrawContent() override;
    VGScreen* OnAction(int32_t id) override;

    TextBlock text;
    int32_t shownPage = -1;
    float shownScale = 0.0f;
    int32_t bassPage = -1; // the page whose closing beat has been played
};

// The whole text of a page.
VGString AboutPageText(uint32_t page);
// Alpha and scale of a page's text at x ms into the page.
struct AboutLook {
    float alpha;
    float scale;
};
AboutLook AboutPageLook(uint32_t x);
