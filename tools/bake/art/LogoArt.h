#pragma once
// The maker's splash logo ("vglogo"): a base picture (3), two tiles that slide in and lift
// (5, 6) and the finished logo (4), all on one 400x400 canvas centred on the screen.
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

constexpr int LogoSize = 400;
constexpr int LogoLift = 12; // the moving tiles end this far right of and above their slots

std::vector<ArtImage> BuildLogoPack();

} // namespace art
