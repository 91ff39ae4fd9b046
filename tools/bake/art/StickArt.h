#pragma once
// The swinging sticks: one wooden stick turned about its grip in ten steps, from lying low
// (frame 0) to lifted nearly upright (frame 9). Kind 1 (600..609) points its tip up-left
// with the grip at the bottom-right corner; kind 2 (610..619) is its mirror image.
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

// The tip touches the drum this far in from the frame's top-left (kind 1) or top-right
// (kind 2) corner, in every frame.
constexpr int StickTipX = 4;
constexpr int StickTipY = 6;

std::vector<ArtImage> BuildSticksPack();

// One stick with its grip end centred on (bx, by) and its bead at (tx, ty).
void PaintStick(cairo_t* cr, double bx, double by, double tx, double ty);

} // namespace art
