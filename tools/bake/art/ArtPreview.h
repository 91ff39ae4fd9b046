#pragma once
// Review pictures of the baked art: the files are loaded back with the engine's own loader
// (halved for the small screen, as the game does) and composed the way the screens place
// them, at 480x640, 640x480 and 240x320; plus one contact sheet per file.
#include "tools/bake/art/ArtSet.h"

#include <filesystem>
#include <string>
#include <vector>

namespace art {

// dataFolder holds imgs/; the pictures go to outFolder. Returns the names written.
std::vector<std::string> WritePreviews(const std::filesystem::path& dataFolder,
                                       const std::filesystem::path& outFolder);
std::vector<std::string> WriteContactSheets(const std::vector<ArtFile>& files,
                                            const std::filesystem::path& outFolder);

} // namespace art
