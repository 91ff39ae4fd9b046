#include "varnokengine/VGScreen.h"

#include "varnokengine/VGClock.h"

void VGScreen::Enter() {
    CreateSoftButtons();
    CreateItems();
}

void ActivateScreen(VGScreen* screen) {
    screen->enterTime = -1;
    screen->enterFrame = Frame.counter;
    screen->Enter();
    screen->enterTime = int32_t(GetMilliseconds());
}
