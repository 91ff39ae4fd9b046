#include "game/GameApp.h"

#include "game/StartScreen.h"
#include "varnokengine/VGRegistry.h"

GameApp* TheGameApp = nullptr;

GameApp::GameApp() {
    metronome = ReadOption(u"Metronome", 1);
    play = ReadOption(u"Play", 1);
    visualise = ReadOption(u"Visualise", 0);
    repeat = ReadOption(u"Repeat", 0);
}

void GameApp::CreateFirstScreen() {
    // The language screen (while "Language" still holds kNoLanguageChosen) and the main menu
    // join here with the menu screens; until then every start shows the start screen.
    SetFirstScreen(new StartScreen);
}

VGGame* CreateGameApp() {
    TheGameApp = new GameApp;
    return TheGameApp;
}
