// Bakes the fonts (filled in step by step).
#include "tools/bake/BakeStep.h"

namespace {
bool BakeFonts(const BakeContext&) {
    return true;
}
const BakeStepRegistration registration("fonts", &BakeFonts);
} // namespace
