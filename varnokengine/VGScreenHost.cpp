#include "varnokengine/VGScreenHost.h"

#include "varnokengine/VGClock.h"
#include "varnokengine/VGScreen.h"

VGScreenHost::~VGScreenHost() {
    // Normally Shutdown has already deleted it; an emergency end may not have.
    delete currentScreen;
    currentScreen = nullptr;
}

void VGScreenHost::Shutdown() {
    if (!currentScreen) return;
    currentScreen->OnExit();
    currentScreen->Leave();
    delete currentScreen;
    currentScreen = nullptr;
}

void VGScreenHost::Resume() {
    if (currentScreen) currentScreen->enterTime = int32_t(GetMilliseconds());
}

void VGScreenHost::OnChar(char16_t c) {
    if (currentScreen) currentScreen->OnChar(c);
}

void VGScreenHost::ScreenStep() {
    if (!currentScreen) return;
    VGScreen* next = currentScreen->Update();
    if (next) {
        currentScreen->Leave();
        delete currentScreen;
        currentScreen = next;
        ActivateScreen(next);
    }
    currentScreen->Draw();
}

void VGScreenHost::MusicStep() {
    MusicSource* wanted = &defaultMusic;
    if (currentScreen && currentScreen->WantsMusic() && gameMusic && gameMusic->enabled)
        wanted = gameMusic;
    if (wanted != selectedMusic) {
        if (selectedMusic) TheSoundManager.StopChannel(0);
        selectedMusic = wanted;
    }
    if (TheSoundManager.MusicNeedsData(*selectedMusic)) selectedMusic->QueueMusic();
}

void VGScreenHost::SetFirstScreen(VGScreen* screen) {
    delete currentScreen;
    currentScreen = screen;
    if (screen) ActivateScreen(screen);
}
