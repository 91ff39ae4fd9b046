// The settings file parser: whatever it accepts must export to a text that imports again
// to the same settings.
#include "platform/RegistryStore.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::RegistryStore store("/nonexistent/fuzz-settings.reg");
    if (!store.Import(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    const std::string exported = store.Export();
    platform::RegistryStore again("/nonexistent/fuzz-settings.reg");
    if (!again.Import(exported)) std::abort();
    if (again.Export() != exported) std::abort();
    return 0;
}
