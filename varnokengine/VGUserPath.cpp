#include "varnokengine/VGUserPath.h"

#include "varnokengine/VGAppPath.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

namespace {
VGString userPath;
bool known = false;
} // namespace

void SetUserPath(const VGString& folder) {
    userPath = AsFolder(folder);
    known = true;
}

const VGString& GetUserPath() {
    if (!known) SetUserPath(VGString(platform::FromUtf8(platform::DefaultUserFolder()).c_str()));
    return userPath;
}

VGString UserPath(const char16_t* name) {
    return GetUserPath() + name;
}

bool PrepareUserFolder() {
    const VGString save = UserPath(u"save");
    return platform::MakeFolder(std::u16string_view(save.Data(), save.Length()));
}
