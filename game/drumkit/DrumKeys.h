#pragma once
// Which desktop keys and controller controls strike which piece on the kit screens. The
// keys come from the settings file when it names them (key "DrumKeys" beside "Options": one
// string value per piece, named after the piece's sound, holding a key name such as "d",
// "space" or ";"), else from the default map laid out like the kit; the controller's map is
// fixed.
#include "game/drumkit/DrumKit.h"

#include <cstdint>

class VGApplication;

struct DrumKeyMap {
    uint16_t keys[kPieceCount] = {}; // desktop codes, 0 = no key
};

DrumKeyMap DefaultDrumKeys();
// The default map with the pieces the settings file names replaced. A value that names no
// key, or a key the screens already use (arrows, Return, Escape, F1-F3, the help keys), is
// ignored.
DrumKeyMap ReadDrumKeys();
// The desktop code of a key name for the map; 0 when it cannot strike a piece.
uint16_t DrumKeyFromName(const char* name, uint32_t length);

// The piece a controller control strikes, or kPieceCount for none.
uint32_t PadPiece(uint16_t control);

// Adds this frame's key and controller strokes (piece order, keys first); a trigger's depth
// is its stroke's volume, everything else strikes at full volume.
void AddKeyStrokes(const DrumKeyMap& map, const VGApplication& app, KitInput& input);

// True for the keys that show and hide the key help on the kit.
bool IsHelpKey(uint16_t code);
