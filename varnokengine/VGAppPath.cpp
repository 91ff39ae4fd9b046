#include "varnokengine/VGAppPath.h"

#include "platform/Files.h"

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
        appPath = ProgramFolder(platform::ExecutablePath());
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
