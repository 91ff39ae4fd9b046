#pragma once
// The real application object on the headless display, as tests and benchmarks drive it one
// frame at a time: started on a data folder of the caller's choice with its own player's
// folder and settings file, and put away again so the next start finds the shell as new.
#include "platform/Clock.h"
#include "platform/video/HeadlessBackend.h"

#include <filesystem>

class GameApp;

struct HeadlessAppSetup {
    std::filesystem::path dataFolder;
    std::filesystem::path userFolder; // saved segments, tracks and game; made when needed
    std::filesystem::path registry;
    platform::HeadlessOptions display;
    // The language is chosen beforehand, so the program starts in the main menu.
    bool chooseLanguage = true;
    // Resumed as the shell does after start-up (sound on); benchmarks leave it paused.
    bool resume = true;
};

GameApp* StartHeadlessApp(const HeadlessAppSetup& setup, platform::VirtualClock& clock);
// Shuts the started application down and clears the shell's state.
void StopHeadlessApp();

// Input through the window procedure, one frame each, as the shell delivers it.
void RunFrames(platform::Clock& clock, uint32_t ms); // frames for at least ms
void PressKey(uint32_t code);                        // down and up
void StylusDown(int32_t x, int32_t y);
void StylusUp(int32_t x, int32_t y);
