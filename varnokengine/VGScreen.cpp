#include "varnokengine/VGScreen.h"

#include "varnokengine/VGClock.h"

void VGScreen::Draw() {
    DrawBackground();
    DrawContent();
    // The title and soft-button bars are drawn when the menu-item list holds a title or a
    // soft button; that list arrives with the menu work.
}

void VGScreen::Enter() {
    CreateSoftButtons();
    CreateItems();
}

void ActivateScreen(VGScreen* screen) {
    screen->enterTime = -1;
    screen->enterFrame = FrameCounter;
    screen->Enter();
    screen->enterTime = int32_t(GetMilliseconds());
}
