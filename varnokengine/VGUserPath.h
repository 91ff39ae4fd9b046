#pragma once
// The player's folder: saved segments and tracks (save/), the saved game (resume.dat) and the
// error log (error.txt). It is kept apart from the data folder, which the program only reads.
#include "varnokengine/VGString.h"

// The player's folder with its trailing separator, as given (never lower-cased: it may not
// exist yet, and is then created as spelt). In order: the folder given to SetUserPath (the
// --user-dir option), $TAMBORIX_USER_DIR, $XDG_DATA_HOME/tamborix, ~/.local/share/tamborix.
const VGString& GetUserPath();
// Uses another folder instead; a separator is added if missing.
void SetUserPath(const VGString& folder);
// The player's folder followed by name.
VGString UserPath(const char16_t* name);
// Creates the player's folder and its save/ folder when missing, before a file is written
// there; true when both exist afterwards.
bool PrepareUserFolder();
