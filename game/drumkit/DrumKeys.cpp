#include "game/drumkit/DrumKeys.h"

#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

#include <string_view>

namespace dk = platform::deskkey;

namespace {

// Two hands on the home row: the left on the hi-hats, snare and crash, the right on the
// toms and ride, a thumb on the bass drum.
constexpr uint16_t kDefaultKeys[kPieceCount] = {
    platform::LetterKey('l'), // TomLow
    platform::LetterKey('k'), // TomMid
    platform::LetterKey('j'), // TomHi
    dk::Space,                // Bass: the action key has no role on the kit screens
    platform::LetterKey('d'), // Snare
    platform::LetterKey('o'), // Ride
    platform::LetterKey('w'), // Crash
    platform::LetterKey('q'), // HihatOpen
    platform::LetterKey('a'), // HihatClose
};

// Feet on the triggers, which play as deep as they are pressed.
constexpr struct {
    uint16_t control;
    uint32_t piece;
} kPadPieces[] = {
    {dk::PadLeftTrigger, Bass},
    {dk::PadRightTrigger, Snare},
    {dk::PadLeftShoulder, HihatClose},
    {dk::PadRightShoulder, Crash},
    {dk::PadX, HihatOpen},
    {dk::PadY, TomHi},
    {dk::PadB, TomMid},
    {dk::PadA, TomLow},
    {dk::PadRightStick, Ride},
};

const char16_t* const kPieceNames[kPieceCount] = {u"tom_low", u"tom_mid",    u"tom_hi",
                                                  u"bass",    u"snare",      u"ride",
                                                  u"crash",   u"hihat_open", u"hihat_close"};

bool IsReserved(uint16_t code) {
    switch (code) {
    case dk::Up:
    case dk::Down:
    case dk::Left:
    case dk::Right:
    case dk::Return:
    case dk::Escape:
    case dk::F1:
    case dk::F2:
    case dk::F3:
        return true;
    default:
        return IsHelpKey(code) || platform::IsPadControl(code);
    }
}

} // namespace

bool IsHelpKey(uint16_t code) {
    return code == platform::LetterKey('h') || code == dk::Slash;
}

DrumKeyMap DefaultDrumKeys() {
    DrumKeyMap map;
    for (uint32_t i = 0; i < kPieceCount; ++i) map.keys[i] = kDefaultKeys[i];
    return map;
}

uint16_t DrumKeyFromName(const char* name, uint32_t length) {
    uint16_t code = platform::DeskKeyByName(std::string_view(name, length));
    return code != 0 && !IsReserved(code) ? code : 0;
}

DrumKeyMap ReadDrumKeys() {
    DrumKeyMap map = DefaultDrumKeys();
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        uint8_t bytes[64];
        uint32_t size = sizeof bytes;
        if (!ReadValue(0, kDrumKeysKey, kPieceNames[i], bytes, &size)) continue;
        // A string value: 16-bit characters, usually ending in a NUL.
        char name[32];
        uint32_t length = 0;
        bool plain = true;
        for (uint32_t b = 0; b + 1 < size && length < sizeof name; b += 2) {
            uint32_t c = bytes[b] | uint32_t(bytes[b + 1]) << 8;
            if (c == 0) break;
            if (c >= 0x80) plain = false;
            name[length++] = char(c);
        }
        if (!plain) continue;
        if (uint16_t code = DrumKeyFromName(name, length)) map.keys[i] = code;
    }
    return map;
}

uint32_t PadPiece(uint16_t control) {
    for (const auto& p : kPadPieces)
        if (p.control == control) return p.piece;
    return kPieceCount;
}

void AddKeyStrokes(const DrumKeyMap& map, const VGApplication& app, KitInput& input) {
    for (uint32_t i = 0; i < kPieceCount; ++i)
        if (map.keys[i] && app.IsDeskKeyPressed(map.keys[i])) AddStroke(input, i, 1.0f);
    for (const auto& p : kPadPieces)
        if (app.IsDeskKeyPressed(p.control)) AddStroke(input, p.piece, app.DeskKeyDepth(p.control));
}
