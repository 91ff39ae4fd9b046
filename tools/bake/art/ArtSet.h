#pragma once
// Every image file the program loads, built from the art families and written as packs and
// single images into one folder ("imgs/").
#include "tools/bake/art/ArtImage.h"

#include <filesystem>
#include <string>
#include <vector>

namespace art {

struct ArtFile {
    std::string name;             // file name without ".img"
    bool single = false;          // one record without a count
    std::vector<ArtImage> images; // in file order
};

std::vector<ArtFile> BuildArtFiles();

// Writes "<name>.img" for every file into the folder; false (with a message on stderr) when
// a file cannot be written.
bool WriteArtFiles(const std::vector<ArtFile>& files, const std::filesystem::path& folder);

// The names of the files BuildArtFiles makes, for the build's list of outputs.
std::vector<std::string> ArtFileNames();

} // namespace art
