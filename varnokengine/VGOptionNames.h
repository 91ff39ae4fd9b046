#pragma once
// The names of the values under "Options" in the settings file, the one place they are
// spelled. Each is a little-endian u32; the reader of each gives its default.

// Display, power and sound.
constexpr const char16_t* kOptionGraphicsQuality = u"GraphicsQuality";
constexpr const char16_t* kOptionScreenOrientation = u"ScreenOrientation";
constexpr const char16_t* kOptionDeviceBacklight = u"UseDeviceBacklightSetting";
constexpr const char16_t* kOptionAutoShutdown = u"AutoShutdownSetting";
constexpr const char16_t* kOptionSoundFX = u"SoundFX";
constexpr const char16_t* kOptionMasterVolume = u"MasterVolume";
constexpr const char16_t* kOptionMusicFormat = u"Music%d"; // %d: the music source's index
constexpr const char16_t* kOptionAudioPeriod = u"AudioPeriod";
// The language table's number; kNoLanguageChosen (VGLanguage.h) until the player chose.
constexpr const char16_t* kOptionLanguage = u"Language";

// The games.
constexpr const char16_t* kOptionStartLevel = u"StartLevel";
constexpr const char16_t* kOptionMaxLevel = u"MaxLevel";

// The drum machine's switches.
constexpr const char16_t* kOptionMetronome = u"Metronome";
constexpr const char16_t* kOptionPlay = u"Play";
constexpr const char16_t* kOptionVisualise = u"Visualise";
constexpr const char16_t* kOptionRepeat = u"Repeat";

// The drum keys are kept under their own key, one value per piece name.
constexpr const char16_t* kDrumKeysKey = u"DrumKeys";
