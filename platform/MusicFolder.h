#pragma once
// Where the user keeps files of their own on this desktop. The program writes exported
// songs into the music folder.
#include <memory>
#include <string>

namespace platform {

class UserFolders {
public:
    virtual ~UserFolders() = default;
    // The music folder, without a trailing separator; it may not exist yet.
    virtual std::u16string MusicFolder() = 0;
};

// The desktop's own answer ("xdg-user-dir MUSIC"); without one, $HOME/Music.
std::unique_ptr<UserFolders> CreateDesktopUserFolders();
// Always the given folder (tests).
std::unique_ptr<UserFolders> CreateFixedUserFolders(std::u16string music);

// The service the program uses: the desktop's until another is set.
void SetUserFolders(std::unique_ptr<UserFolders> folders);
UserFolders& CurrentUserFolders();

} // namespace platform
