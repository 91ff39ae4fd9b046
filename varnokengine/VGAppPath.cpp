#include "varnokengine/VGAppPath.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace {
VGString appPath;
bool known = false;
} // namespace

const VGString& GetAppPath() {
    if (!known) {
        std::u16string path = platform::ExecutablePath();
        auto cut = path.find_last_of(u"/\\");
        path = cut == std::u16string::npos ? u"./" : path.substr(0, cut + 1);
        // The handheld lower-cases its folder; the file layer matches names without regard
        // to case, so the lower-cased path still finds the real folders.
        for (auto& c : path) c = platform::ToLower16(c);
        appPath.Assign(path.c_str());
        known = true;
    }
    return appPath;
}

void SetAppPath(const VGString& folder) {
    appPath = folder;
    if (appPath.IsEmpty()) appPath = u"./";
    char16_t last = appPath[appPath.Length() - 1];
    if (last != u'/' && last != u'\\') appPath.Append(u'/');
    known = true;
}
