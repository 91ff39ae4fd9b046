#pragma once
// The baker's steps: one per group of data files. A step reads its sources under the assets
// folder (and from installed packages) and writes its files under the output folder, the
// folder of the program. Steps register themselves, so a new step is one more source file.
#include <filesystem>
#include <string>
#include <vector>

struct BakeContext {
    std::filesystem::path assets; // the source tree's assets/ folder
    std::filesystem::path out;    // the program's folder: imgs/, soundfx/, music/, ...
    std::filesystem::path review; // where review aids (sample sheets, WAV copies) go
};

using BakeFunction = bool (*)(const BakeContext& context);

// Declared at namespace scope in a step's source file:
//   static const BakeStepRegistration registration("name", &BakeName);
struct BakeStepRegistration {
    BakeStepRegistration(const char* name, BakeFunction function);
};

// Null when no step has that name.
BakeFunction FindBakeStep(const std::string& name);
std::vector<std::string> BakeStepNames();
