#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

std::string HomeFolder() {
    if (const char* home = Variable("HOME")) return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && *user->pw_dir)
        return user->pw_dir;
    return std::string();
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

} // namespace

bool IsFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FindDataFolder(const std::string& programFolder) {
    std::string folder = WithoutTrailingSlash(programFolder);
    // An installed program: its data has a folder of images, as a build folder has.
    const std::string installed = folder + "/../share/tamborix";
    if (IsFolder(installed + "/imgs")) return installed;
    if (IsFolder(folder)) return folder;
    return std::string();
}

std::string XdgBaseFolder(const char* variable, const char* homeRelative) {
    // The XDG rules ignore a relative path in these variables.
    if (const char* value = Variable(variable); value && value[0] == '/')
        return WithoutTrailingSlash(value);
    std::string home = HomeFolder();
    if (home.empty()) return home;
    return WithoutTrailingSlash(home) + "/" + homeRelative;
}

std::string DefaultUserFolder() {
    if (const char* chosen = Variable("TAMBORIX_USER_DIR")) return chosen;
    std::string base = XdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return base.empty() ? std::string("./tamborix") : base + "/tamborix";
}

} // namespace platform
