#pragma once
// The program's folder, where every data file is looked up.
#include "varnokengine/VGString.h"

#include <string>

// The folder of the program file as spelt on disk, with its trailing separator; computed once.
const VGString& GetAppPath();
// The folder part of a program file's path, spelt as given, with its separator.
VGString ProgramFolder(const std::u16string& executable);
// Uses another folder instead (the --data option and tests); a separator is added if missing.
void SetAppPath(const VGString& folder);
