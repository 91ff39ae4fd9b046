#include "tools/bake/BakeStep.h"

#include <algorithm>
#include <map>

namespace {
// A function-local table, so registrations from other files' static objects find it built.
std::map<std::string, BakeFunction>& Steps() {
    static std::map<std::string, BakeFunction> steps;
    return steps;
}
} // namespace

BakeStepRegistration::BakeStepRegistration(const char* name, BakeFunction function) {
    Steps()[name] = function;
}

BakeFunction FindBakeStep(const std::string& name) {
    auto found = Steps().find(name);
    return found == Steps().end() ? nullptr : found->second;
}

std::vector<std::string> BakeStepNames() {
    std::vector<std::string> names;
    for (const auto& [name, function] : Steps()) names.push_back(name);
    return names;
}
