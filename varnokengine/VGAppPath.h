#pragma once
// The program's data folder, where every data file (images, sounds, music, texts, levels) is
// looked up. The program only reads from it: an installed copy's data is read-only.
#include "varnokengine/VGString.h"

#include <string>

// The folder of the program file as spelt on disk, with its trailing separator; computed once.
// The data folder, spelt as on disk, with its trailing separator; computed once. It is, in
// order: the folder given to SetAppPath (the --data option), <program folder>/../share/tamborix
// (an installed program), the program's own folder (a build folder).
const VGString& GetAppPath();
// The folder part of a program file's path, spelt as given, with its separator.
VGString ProgramFolder(const std::u16string& executable);
// Uses another folder instead (the --data option and tests); a separator is added if missing.
void SetAppPath(const VGString& folder);
// folder with a trailing separator ("./" when empty), as both program folders are kept.
VGString AsFolder(const VGString& folder);
