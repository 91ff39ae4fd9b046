#include "varnokengine/VGRegistry.h"

#include "platform/RegistryStore.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGFormat.h"

#include <cstring>
#include <vector>

namespace {

const char16_t* const kSource = u"..\\..\\varnokengine\\VGRegistry";
const char16_t* const kProgramKey = u"Software\\VarnokGames\\Tamborix";

struct Location {
    platform::Hive hive;
    VGString path;
};

Location Locate(uint32_t root, const char16_t* subKey) {
    Location where{platform::Hive::LocalMachine, {}};
    switch (root) {
    case 0:
        if (subKey && *subKey)
            Format(where.path, u"%s\\%s", kProgramKey, subKey);
        else
            where.path = kProgramKey;
        break;
    case 2:
        where.hive = platform::Hive::CurrentUser;
        break;
    case 3:
        where.hive = platform::Hive::ClassesRoot;
        break;
    default:
        break;
    }
    if (root != 0) where.path = subKey;
    return where;
}

std::u16string_view View(const VGString& s) {
    return {s.Data(), s.Length()};
}
std::u16string_view View(const char16_t* s) {
    return s ? std::u16string_view(s) : u"";
}

} // namespace

bool ReadValue(uint32_t root, const char16_t* subKey, const char16_t* name, void* data,
               uint32_t* size) {
    Location where = Locate(root, subKey);
    std::vector<uint8_t> bytes;
    if (!platform::Registry().Read(where.hive, View(where.path), View(name), &bytes)) return false;
    if (!size) return data == nullptr;
    uint32_t needed = uint32_t(bytes.size());
    if (data && *size < needed) {
        *size = needed;
        return false;
    }
    if (data && needed) std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return true;
}

bool WriteValue(uint32_t root, const char16_t* subKey, const char16_t* name, const void* data,
                uint32_t size) {
    Location where = Locate(root, subKey);
    auto& registry = platform::Registry();
    if (!registry.CreateKey(where.hive, View(where.path))) {
        ReportError((u"Failed to write to registry: " + where.path).Data(), 92, kSource);
        return false;
    }
    if (!registry.Write(where.hive, View(where.path), View(name), platform::RegBinary, data,
                        size)) {
        VGString text;
        Format(text, u"Failed to write to registry: %s - %s", where.path, name ? name : u"");
        ReportError(text.Data(), 85, kSource);
        return false;
    }
    return true;
}

uint32_t ReadOption(const char16_t* name, uint32_t defaultValue) {
    uint8_t bytes[4];
    uint32_t size = 4;
    if (!ReadValue(0, u"Options", name, bytes, &size) || size != 4) return defaultValue;
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

bool WriteOption(const char16_t* name, uint32_t value) {
    uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                        uint8_t(value >> 24)};
    return WriteValue(0, u"Options", name, bytes, 4);
}
