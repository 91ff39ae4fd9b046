// Bakes the language (filled in step by step).
#include "tools/bake/BakeStep.h"

namespace {
bool BakeLanguage(const BakeContext&) {
    return true;
}
const BakeStepRegistration registration("language", &BakeLanguage);
} // namespace
