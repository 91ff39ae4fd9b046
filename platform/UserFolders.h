#pragma once
// Where the program's files live on the host. The data it ships is read-only and found from
// the program file's own place; the player's files (saved segments and tracks, the saved
// game, the error log) and the settings live in the user's XDG base folders.
#include <string>

namespace platform {

// The data folder of a program installed as <prefix>/bin/tamborix or <prefix>/games/tamborix
// is <prefix>/share/tamborix; a program run from its build folder has its data beside it.
// Given the program file's folder, the first of these that exists; empty when neither does.
std::string FindDataFolder(const std::string& programFolder);

// An XDG base folder: $variable when it names an absolute path, else $HOME/homeRelative
// (the home folder from the user database when HOME is unset). Empty when there is no home.
std::string XdgBaseFolder(const char* variable, const char* homeRelative);

// The player's folder: $TAMBORIX_USER_DIR, else $XDG_DATA_HOME/tamborix, else
// ~/.local/share/tamborix; "./tamborix" only when there is no home at all.
std::string DefaultUserFolder();

bool IsFolder(const std::string& path);

} // namespace platform
