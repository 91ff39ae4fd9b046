#pragma once
// The shared on-screen buttons and the centre bar ("buttons", 400..418) and the two turn
// lamps of the games (300, 301, in the drum pack). Icons only, no words.
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

std::vector<ArtImage> BuildButtonsPack();
std::vector<ArtImage> BuildTurnLamps(); // 300 the player's turn, 301 the kit's turn

} // namespace art
