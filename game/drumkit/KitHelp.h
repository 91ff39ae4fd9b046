#pragma once
// The key help on the kit: while H (or ?) is held, or from one press to the next, each
// piece's key is written on the piece.
#include "game/drumkit/DrumKeys.h"

#include <cstdint>

class VGApplication;

struct KitHelp {
    bool shown = false;
    bool heldSincePress = false; // shown by the press of a key that is still down
    uint32_t pressedAt = 0;
    bool placed = false; // the label points below have been found
    int16_t labelX[kPieceCount] = {};
    int16_t labelY[kPieceCount] = {};
};

// A press shows the help (or hides it when shown); letting go hides it again only after a
// hold, so a short press leaves it up until the next.
void UpdateKitHelp(KitHelp& help, const VGApplication& app, uint32_t now);
// Where a piece's label goes, relative to the screen centre: the middle of its mask.
void PieceLabelPoint(const DrumKitPiece& piece, int32_t& dx, int32_t& dy);
// The label of a key as written on the kit ("D", "SPACE").
VGString KeyLabel(uint16_t code);
void DrawKitHelp(KitHelp& help, const DrumKit& kit, const DrumKeyMap& map);
