#pragma once
// Shared pieces of the fuzz targets: one data folder per process that the readers take as
// the program's folder, inputs written into it as files, and a kit that makes no sound.
#include "game/drumkit/KitSounds.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The program's folder for this process (created on first use, removed at exit).
const std::string& FuzzFolder();
// Writes the input to a file below the folder, creating its folders.
void WriteFuzzFile(const std::string& relative, const uint8_t* data, size_t size);
void RemoveFuzzFile(const std::string& relative);
// Errors are collected by the engine; a fuzz run clears them after every input.
void ForgetErrors();

class SilentSounds : public KitSounds {
public:
    void Restart(const VGString&, int32_t, float, SoundStart) override {}
    void Play(const VGString&, int32_t, SoundStart) override {}
    void PlayOnce(const VGString&, int32_t) override {}
    void Preload(const VGString&) override {}
};

// Reads the next byte of a run's choices from the input, 0 once it is used up.
class FuzzChoices {
public:
    FuzzChoices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
