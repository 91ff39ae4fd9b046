#include "platform/MusicFolder.h"

#include "platform/Text.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '/'))
        text.pop_back();
    return text;
}

// What the desktop tool says, or empty when it is missing or says nothing useful.
std::string AskDesktop() {
    std::FILE* pipe = ::popen("xdg-user-dir MUSIC 2>/dev/null", "r");
    if (!pipe) return {};
    std::string out;
    char chunk[256];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0 && out.size() < 4096)
        out.append(chunk, n);
    ::pclose(pipe);
    return Trimmed(out);
}

class DesktopUserFolders final : public UserFolders {
public:
    std::u16string MusicFolder() override {
        const char* home = std::getenv("HOME");
        const std::string homeDir = Trimmed(home && *home ? home : ".");
        std::string music = AskDesktop();
        // The tool answers with the home folder itself when no music folder is set up.
        if (music.empty() || music[0] != '/' || music == homeDir) music = homeDir + "/Music";
        return FromUtf8(music);
    }
};

class FixedUserFolders final : public UserFolders {
public:
    explicit FixedUserFolders(std::u16string music) : music_(std::move(music)) {}
    std::u16string MusicFolder() override { return music_; }

private:
    std::u16string music_;
};

std::unique_ptr<UserFolders>& Current() {
    static std::unique_ptr<UserFolders> current;
    return current;
}

} // namespace

std::unique_ptr<UserFolders> CreateDesktopUserFolders() {
    return std::make_unique<DesktopUserFolders>();
}

std::unique_ptr<UserFolders> CreateFixedUserFolders(std::u16string music) {
    return std::make_unique<FixedUserFolders>(std::move(music));
}

void SetUserFolders(std::unique_ptr<UserFolders> folders) {
    Current() = std::move(folders);
}

UserFolders& CurrentUserFolders() {
    if (!Current()) Current() = CreateDesktopUserFolders();
    return *Current();
}

} // namespace platform
