// Bakes the sounds (filled in step by step).
#include "tools/bake/BakeStep.h"

namespace {
bool BakeSounds(const BakeContext&) {
    return true;
}
const BakeStepRegistration registration("sounds", &BakeSounds);
} // namespace
