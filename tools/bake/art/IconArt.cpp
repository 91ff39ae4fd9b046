#include "tools/bake/art/IconArt.h"

#include "tools/bake/art/KitArt.h"
#include "tools/bake/art/Paint.h"
#include "tools/bake/art/StickArt.h"

#include <system_error>

namespace art {

namespace {
constexpr double DesignSize = 256; // the icon is drawn on this square and scaled to each size
} // namespace

cairo_surface_t* RenderIcon(int size) {
    Canvas c = NewCanvas(size, size);
    cairo_t* cr = c.cr;
    cairo_scale(cr, size / DesignSize, size / DesignSize);
    DrawKitCymbal(cr, 96, 66, 84, 28, -0.22);
    // A deep drum fills the lower part; its head faces the viewer at a slant.
    DrawKitDrum(cr, 128, 122, 106, 52, 74, false);
    // Two sticks crossing above the head, beads resting on it.
    PaintStick(cr, 40, 26, 166, 140);
    PaintStick(cr, 226, 34, 92, 142);
    cairo_surface_t* surface = cairo_surface_reference(c.surface);
    FreeCanvas(c);
    cairo_surface_flush(surface);
    return surface;
}

bool WriteIcons(const std::filesystem::path& folder, const std::string& name) {
    for (int size : IconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path dir = folder / (side + "x" + side) / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        cairo_surface_t* icon = RenderIcon(size);
        const cairo_status_t status =
            cairo_surface_write_to_png(icon, (dir / (name + ".png")).string().c_str());
        cairo_surface_destroy(icon);
        if (status != CAIRO_STATUS_SUCCESS) return false;
    }
    return true;
}

} // namespace art
