#pragma once
// The drum kit scene: one 640x640 master picture seen from the drummer's seat, from which the
// background, every hit mask and every animation frame are cut, so they all register.
#include "tools/bake/art/ArtImage.h"

#include <vector>

namespace art {

constexpr int KitSize = 640;

// Piece slots in the kit's fixed order; the same index is a drum-machine row.
enum KitPiece {
    TomLow,
    TomMid,
    TomHi,
    Bass,
    Snare,
    Ride,
    Crash,
    HihatOpen,
    HihatClose,
    PieceCount
};

struct KitPoint {
    int x, y;
};

// Where an automatic stroke lands, as an offset from the scene's centre.
KitPoint LandingOffset(int piece);
// The image whose opaque pixels are the piece's tap area.
uint32_t MaskId(int piece);

// How far each part of the kit is from rest; all zero is the resting kit.
struct KitPose {
    double flash[PieceCount] = {}; // head flash of a drum, 0..1
    double tilt[PieceCount] = {};  // cymbal swing in radians
    double lift[PieceCount] = {};  // cymbal flattening/steepening, 1 = at rest
    double shimmer[PieceCount] = {};
    double beater = 0;    // bass beater, 0 at rest .. 1 on the head
    double hihatShut = 0; // hi-hat pedal, 0 open .. 1 closed
    KitPose() {
        for (double& l : lift) l = 1.0;
    }
};

// The whole scene in a pose (opaque ARGB, 640x640).
cairo_surface_t* RenderKit(const KitPose& pose);

// One drum (red lacquer or chrome shell) or the crash cymbal of the kit, at rest, anywhere.
void DrawKitDrum(cairo_t* cr, double cx, double cy, double rx, double ry, double depth,
                 bool chromeShell);
void DrawKitCymbal(cairo_t* cr, double cx, double cy, double rx, double ry, double tilt);

// "drumkit" (200) and the "drums" pack (201..228, 300, 301).
ArtImage BuildKitBackground();
std::vector<ArtImage> BuildDrumsPack();

} // namespace art
