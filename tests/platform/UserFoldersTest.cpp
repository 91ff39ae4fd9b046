// Where the data and the player's files are looked for: the installed data before the data
// beside the program, the player's folder from the environment in its order of precedence.
#include "platform/UserFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Sets or unsets environment variables for one test and puts them back afterwards.
class Environment {
public:
    void Set(const char* name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(UserFolders, InstalledDataIsFoundBeforeTheProgramFolder) {
    TempFolder root;
    const fs::path games = root.Path() / "usr" / "games";
    fs::create_directories(games / "imgs");
    // A build folder: the data sits beside the program.
    EXPECT_EQ(FindDataFolder(games.string()), games.string());
    EXPECT_EQ(FindDataFolder(games.string() + "/"), games.string());
    // A share/tamborix without images is not an installed copy.
    fs::create_directories(root.Path() / "usr" / "share" / "tamborix");
    EXPECT_EQ(FindDataFolder(games.string()), games.string());
    fs::create_directories(root.Path() / "usr" / "share" / "tamborix" / "imgs");
    EXPECT_EQ(fs::canonical(FindDataFolder(games.string())),
              fs::canonical(root.Path() / "usr" / "share" / "tamborix"));
    EXPECT_EQ(FindDataFolder((root.Path() / "missing").string()), "");
}

TEST(UserFolders, PlayersFolderFollowsTheEnvironmentInOrder) {
    Environment env;
    env.Set("TAMBORIX_USER_DIR", nullptr);
    env.Set("XDG_DATA_HOME", nullptr);
    env.Set("HOME", "/home/drummer/");
    EXPECT_EQ(DefaultUserFolder(), "/home/drummer/.local/share/tamborix");
    // The XDG rules ignore a relative base folder.
    env.Set("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(DefaultUserFolder(), "/home/drummer/.local/share/tamborix");
    env.Set("XDG_DATA_HOME", "/srv/data//");
    EXPECT_EQ(DefaultUserFolder(), "/srv/data/tamborix");
    env.Set("TAMBORIX_USER_DIR", "/tmp/Drums");
    EXPECT_EQ(DefaultUserFolder(), "/tmp/Drums");
    // An empty variable counts as unset.
    env.Set("TAMBORIX_USER_DIR", "");
    EXPECT_EQ(DefaultUserFolder(), "/srv/data/tamborix");
}

TEST(UserFolders, SettingsFolderUsesItsOwnVariable) {
    Environment env;
    env.Set("HOME", "/home/drummer");
    env.Set("XDG_CONFIG_HOME", nullptr);
    env.Set("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(XdgBaseFolder("XDG_CONFIG_HOME", ".config"), "/home/drummer/.config");
    env.Set("XDG_CONFIG_HOME", "/etc/xdg-user");
    EXPECT_EQ(XdgBaseFolder("XDG_CONFIG_HOME", ".config"), "/etc/xdg-user");
}

} // namespace
