// Bakes the levels (filled in step by step).
#include "tools/bake/BakeStep.h"

namespace {
bool BakeLevels(const BakeContext&) {
    return true;
}
const BakeStepRegistration registration("levels", &BakeLevels);
} // namespace
