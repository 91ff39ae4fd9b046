#pragma once
// The program's icon for the desktop: a crash cymbal behind a red drum of the kit, with the
// kit's two sticks crossed over it, on a transparent square.
#include <cairo.h>

#include <filesystem>
#include <vector>

namespace art {

// The sizes a desktop's icon theme is given (square, in pixels).
inline const std::vector<int> IconSizes = {48, 64, 128, 256, 512};

// The icon at size x size pixels (ARGB with alpha); the caller destroys the surface.
cairo_surface_t* RenderIcon(int size);

// <folder>/<size>x<size>/apps/<name>.png for every icon size; false when one is not written.
bool WriteIcons(const std::filesystem::path& folder, const std::string& name);

} // namespace art
