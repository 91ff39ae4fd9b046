#pragma once
// The real program run headless on the baked data of this build, with a folder of its own for
// the player's files, the settings file and the script, and afterwards the frames the script
// shot and the sounds the audio log recorded.
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A presented frame read back from its PNG, RGB565 row by row.
struct Frame {
    int32_t width = 0, height = 0;
    std::vector<uint16_t> pixels;

    uint16_t At(int32_t x, int32_t y) const {
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
    // Pixels that differ from other's inside [left, right) x [top, bottom), clipped to the
    // frame.
    int Differences(const Frame& other, int32_t left, int32_t top, int32_t right,
                    int32_t bottom) const;
    // The same over whole rows [top, bottom).
    int DifferencesInRows(const Frame& other, int32_t top, int32_t bottom) const {
        return Differences(other, 0, top, width, bottom);
    }
    // The same inside the box of radius r around (x, y).
    int DifferencesAround(const Frame& other, int32_t x, int32_t y, int32_t r) const {
        return Differences(other, x - r, y - r, x + r + 1, y + r + 1);
    }
};

// One line of the audio log: when a sound started, on which channel, at which priority.
struct HeardSound {
    uint32_t ms = 0;
    std::string name;
    int channel = 0;
    int priority = 0;
};

class ScenarioRun {
public:
    ScenarioRun();

    const std::filesystem::path& Folder() const { return folder_.Path(); }
    const std::filesystem::path& Data() const { return data_; }
    const std::filesystem::path& User() const { return user_; }

    // Writes the settings file with these options before the run.
    void Preset(const std::map<std::string, uint32_t>& options);
    // The language is chosen, so the program starts in the main menu.
    void ChooseLanguage() { Preset({{"Language", 0}}); }
    // A file in the player's folder, such as a saved segment.
    void WriteUserFile(const std::string& relative, const std::string& bytes) const;

    // Runs the script (lines "at MS ...") on a screen of the given size; the exit code, or -1
    // when the program did not exit by itself.
    int Run(const std::string& script, const std::string& size = "480x640");
    // More options for the next runs, such as "--audio-wav FILE".
    std::string extraArguments;

    // A file in the player's folder as the program left it; empty when missing.
    std::string ReadUserFile(const std::string& relative) const;
    std::string Registry() const { return folder_.ReadFile("registry.reg"); }
    // An option as the program left it in the settings file, or -1 when it is not stored.
    int64_t Option(const std::string& name) const;
    bool ErrorLogged() const;

    std::vector<HeardSound> Heard() const;
    // Times (virtual ms) at which the named sound started.
    std::vector<uint32_t> Heard(const std::string& sound) const;

    // A shot the script took; a failed test when it cannot be read.
    Frame Shot(const std::string& name) const;
    bool HasShot(const std::string& name) const;

private:
    TempFolder folder_;
    std::filesystem::path data_;
    std::filesystem::path user_;
};
