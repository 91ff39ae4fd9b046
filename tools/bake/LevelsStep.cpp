// Bakes level/N.lvc for the rhythm game's levels 1 to 24 from assets/levels/N.txt.
#include "tools/bake/BakeIo.h"
#include "tools/bake/BakeStep.h"
#include "tools/bake/LevelScore.h"

namespace {
constexpr int kLevelFileCount = 24;

bool BakeLevels(const BakeContext& context) {
    for (int level = 1; level <= kLevelFileCount; ++level) {
        auto source = context.assets / "levels" / (std::to_string(level) + ".txt");
        std::string text, error;
        LevelScore score;
        if (!ReadTextFile(source, text)) return false;
        if (!ParseLevelScore(text, score, error))
            return BakeFailure(source.string() + ": " + error);
        auto target = context.out / "level" / (std::to_string(level) + ".lvc");
        if (!WriteWholeFile(target, CompressedContainer(LevelDataBytes(score)))) return false;
    }
    return true;
}
const BakeStepRegistration registration("levels", &BakeLevels);
} // namespace
