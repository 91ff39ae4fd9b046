#include "varnokengine/VGAppPath.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

namespace {
VGString appPath;
bool known = false;
} // namespace

VGString ProgramFolder(const std::u16string& executable) {
    auto cut = executable.find_last_of(u"/\\");
    // The folder keeps its real spelling: lower-cased, it could name a sibling folder whose
    // name differs only in case ("tbx/" beside "Tbx/"), and the program would read and save
    // there. The names below it still match without regard to case.
    return VGString(cut == std::u16string::npos ? u"./" : executable.substr(0, cut + 1).c_str());
}

const VGString& GetAppPath() {
    if (!known) {
        // The folder keeps its real spelling (see ProgramFolder); the file layer matches the
        // names below it without regard to case.
        std::u16string program = platform::ExecutablePath();
        auto cut = program.find_last_of(u"/\\");
        program = cut == std::u16string::npos ? u"." : program.substr(0, cut);
        std::string found = platform::FindDataFolder(platform::ToUtf8(program));
        std::u16string path = found.empty() ? program : platform::FromUtf8(found);
        path += u'/';
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
