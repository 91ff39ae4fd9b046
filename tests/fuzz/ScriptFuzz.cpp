// The headless script parser: steps come out in time order and name only what it allows.
#include "platform/video/HeadlessScript.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<platform::ScriptStep> steps;
    std::string errors;
    platform::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size), steps,
                          errors);
    for (size_t i = 1; i < steps.size(); ++i)
        if (steps[i].at < steps[i - 1].at) std::abort();
    for (const auto& step : steps)
        if (step.kind == platform::ScriptStep::Kind::Shot &&
            step.shotName.find('/') != std::string::npos)
            std::abort();
    return 0;
}
