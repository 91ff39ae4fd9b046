#include "game/drumkit/KitHelp.h"

#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGMenuItems.h"

namespace {

// Held at least this long, the help goes when the key is let go.
constexpr uint32_t kHoldMs = 400;
constexpr int32_t kShadow = 2;

bool AnyHelpKey(const VGApplication& app, bool (VGApplication::*test)(uint16_t) const) {
    return (app.*test)(platform::LetterKey('h')) || (app.*test)(platform::deskkey::Slash);
}

int32_t TextWidth(const VGFont& font, const VGString& text) {
    int32_t width = 0;
    for (uint32_t i = 0; i < text.Length(); ++i) width += font.CharWidth(text[i] & 0xFF);
    return width;
}

} // namespace

void UpdateKitHelp(KitHelp& help, const VGApplication& app, uint32_t now) {
    if (AnyHelpKey(app, &VGApplication::IsDeskKeyPressed)) {
        help.shown = !help.shown;
        help.heldSincePress = help.shown;
        help.pressedAt = now;
    } else if (help.heldSincePress && !AnyHelpKey(app, &VGApplication::IsDeskKeyHeld)) {
        help.heldSincePress = false;
        if (now - help.pressedAt >= kHoldMs) help.shown = false;
    }
}

void PieceLabelPoint(const DrumKitPiece& piece, int32_t& dx, int32_t& dy) {
    dx = piece.x, dy = piece.y;
    const VGBitmap* mask = piece.mask;
    if (!mask || !mask->pixels) return;
    int64_t sumX = 0, sumY = 0, count = 0;
    for (int32_t j = 0; j < mask->height; ++j) {
        const uint16_t* row = mask->pixels + int64_t(j) * mask->width;
        for (int32_t i = 0; i < mask->width; ++i) {
            if (row[i] == kColourKey) continue;
            sumX += i, sumY += j, ++count;
        }
    }
    if (count == 0) return;
    dx = int32_t(sumX / count) + mask->trimLeft - mask->halfWidth;
    dy = int32_t(sumY / count) + mask->trimTop - mask->halfHeight;
}

VGString KeyLabel(uint16_t code) {
    VGString label;
    for (char c : platform::DeskKeyName(code))
        label.Append(char16_t(c >= 'a' && c <= 'z' ? c - 32 : c));
    return label;
}

void DrawKitHelp(KitHelp& help, const DrumKit& kit, const DrumKeyMap& map) {
    const VGFont* font = MenuFontOf(FontLarge);
    const VGBitmap* screen = RenderTarget.target;
    if (!help.shown || !font || !screen) return;
    if (!help.placed) {
        for (uint32_t i = 0; i < kPieceCount; ++i) {
            int32_t dx, dy;
            PieceLabelPoint(kit.pieces[i], dx, dy);
            help.labelX[i] = int16_t(dx), help.labelY[i] = int16_t(dy);
        }
        help.placed = true;
    }
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        VGString label = KeyLabel(map.keys[i]);
        int32_t x = screen->halfWidth + help.labelX[i] - TextWidth(*font, label) / 2;
        int32_t y = screen->halfHeight + help.labelY[i] + font->ascent / 2;
        // A wide dark shadow keeps the letters readable on any part of the picture.
        for (uint32_t c = 0; c < label.Length(); ++c) {
            uint32_t code = label[c] & 0xFF;
            font->DrawCharShadow(code, x + kShadow, y + kShadow, 1.0f, 1.0f);
            font->DrawCharShadow(code, x - kShadow, y - kShadow, 1.0f, 1.0f);
            x += font->DrawChar(code, x, y, 1.0f, 1.0f);
        }
    }
}
