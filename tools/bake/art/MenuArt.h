#pragma once
// The menu frame ("menuui": panel, title bar, soft-button bar, the arrows of the arrow
// screens, the text cursor, the moving strip) and the title picture "tamborix" (106).
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

std::vector<ArtImage> BuildMenuPack();
ArtImage BuildTitlePicture();

} // namespace art
