#pragma once
// The program's folder, where every data file is looked up.
#include "varnokengine/VGString.h"

// The folder of the program file, lower-cased, with its trailing separator; computed once.
const VGString& GetAppPath();
// Uses another folder instead (the --data option and tests); a separator is added if missing.
void SetAppPath(const VGString& folder);
