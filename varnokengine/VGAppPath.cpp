#include "varnokengine/VGAppPath.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

namespace {
VGString appPath;
bool known = false;
} // namespace

const VGString& GetAppPath() {
    if (!known) {
        std::u16string program = platform::ExecutablePath();
        auto cut = program.find_last_of(u"/\\");
        program = cut == std::u16string::npos ? u"." : program.substr(0, cut);
        std::string found = platform::FindDataFolder(platform::ToUtf8(program));
        std::u16string path = found.empty() ? program : platform::FromUtf8(found);
        path += u'/';
        // The handheld lower-cases its folder; the file layer matches names without regard
        // to case, so the lower-cased path still finds the real folders.
        for (auto& c : path) c = platform::ToLower16(c);
        appPath.Assign(path.c_str());
        known = true;
    }
    return appPath;
}

VGString AsFolder(const VGString& folder) {
    VGString out = folder.IsEmpty() ? VGString(u"./") : folder;
    char16_t last = out[out.Length() - 1];
    if (last != u'/' && last != u'\\') out.Append(u'/');
    return out;
}

void SetAppPath(const VGString& folder) {
    appPath = AsFolder(folder);
    known = true;
}
