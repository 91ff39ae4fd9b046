#pragma once
// The drum-machine editors' parts ("machine", 500..521): the step grid with its row labels,
// margins, bands, handles' band, scroll marks and play cursors, and the track strip.
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

constexpr int GridCell = 32;       // one step of one row
constexpr int RowLabelWidth = 160; // five cells, so the play cursor lines up with the cells
constexpr int GridMarginWidth = 64;
constexpr int StripHeight = 160; // four text bands of 40
constexpr int StripColumnWidth = 100;
constexpr int StripMarginWidth = 40;

std::vector<ArtImage> BuildMachinePack();

} // namespace art
