#pragma once
// The saved game "resume.dat" beside the program.
#include "varnokengine/VGString.h"

VGString ResumeFilePath();
bool ResumeAvailable();
// Starting a new game from the selection screens throws the saved one away.
void DeleteResume();
