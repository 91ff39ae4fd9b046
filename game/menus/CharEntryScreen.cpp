#include "game/menus/CharEntryScreen.h"

#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreenMenu.h"

namespace {

constexpr int32_t kCellTapWidth = 32;  // before LayoutScale
constexpr int32_t kCellTapHeight = 40; // before LayoutScale
constexpr int32_t kBaselineDrop = 9;   // the characters' baseline below the line
constexpr int32_t kShadow = 2;
constexpr char16_t kBackspace = 8;
// As the standard menu input: nothing in the first 300 ms of the screen.
constexpr int32_t kInputLockMs = 301;

} // namespace

void CharEntryScreen::Enter() {
    ArrowScreen::Enter();
    cursorImage = MenuImageOf(MenuCursor);
    cursor = 0;
    // The soft button is focused, so the action key confirms the name without a tap.
    if (FocusedIndex() < 0 && Items().slots[kSoftButtonSlot])
        SetFocus(Items().slots[kSoftButtonSlot]->tag);
}

void CharEntryScreen::CreateItems() {
    AddMenuEntry(kNextChar, 0.6f, 9, FlagRepeat);
    AddMenuEntry(kPreviousChar, 0.8f, 10, FlagRepeat);
}

int32_t CharEntryScreen::CharX(uint32_t i) {
    int32_t n = int32_t(Length());
    int32_t w = CellWidth();
    return w * int32_t(i) + TargetWidth() / 2 - (w * (n - 1)) / 2;
}

VGScreen* CharEntryScreen::Update() {
    // Up and down step the character at the cursor, as the two entries do.
    const bool up = TheApp->IsPressedOrRepeated(KeyUp);
    if (up || TheApp->IsPressedOrRepeated(KeyDown)) {
        if (int32_t(Now) - enterTime < kInputLockMs) return nullptr;
        PlayClick();
        OnAction(up ? kNextChar : kPreviousChar);
        return nullptr;
    }
    // The space bar is also the action key; here it types a blank (as a character) instead.
    if (TheApp->IsDeskKeyHeld(platform::deskkey::Space)) return nullptr;
    if (TheApp->IsPressed(KeyStylus)) {
        for (uint32_t i = 0; i < Length(); ++i) {
            if (TheApp->IsInside(CharX(i), ArrowLineY(), kCellTapWidth * LayoutScale,
                                 kCellTapHeight * LayoutScale)) {
                cursor = i;
                PlayClick();
                break;
            }
        }
    }
    return ArrowScreen::Update();
}

void CharEntryScreen::Draw() {
    ArrowScreen::Draw();
    const VGFont* font = MenuFontOf(FontLarge);
    uint8_t* buffer = Buffer();
    uint32_t n = Length();
    if (!font || !buffer) return;
    int32_t baseline = ArrowLineY() + kBaselineDrop * LayoutScale;
    for (uint32_t i = 0; i < n; ++i) {
        uint8_t code = buffer[i];
        int32_t left = CharX(i) - font->CharWidth(code) / 2;
        font->DrawCharShadow(code, left + kShadow, baseline + kShadow, 1.0f, 1.0f);
        float alpha = i == cursor ? PulseAlpha(1.0f, Now) : 1.0f;
        font->DrawChar(code, left, baseline, alpha, 1.0f);
    }
    if (cursorImage && cursor < n)
        VGBitmap::Draw(cursorImage, CharX(cursor) - cursorImage->halfWidth,
                       ArrowLineY() - cursorImage->halfHeight);
}

void CharEntryScreen::OnLeft() {
    uint32_t n = Length();
    if (n == 0) return;
    cursor = cursor == 0 || cursor >= n ? n - 1 : cursor - 1;
}

void CharEntryScreen::OnRight() {
    uint32_t n = Length();
    if (n == 0) return;
    cursor = cursor + 1 >= n ? 0 : cursor + 1;
}

VGScreen* CharEntryScreen::OnAction(int32_t id) {
    uint8_t* buffer = Buffer();
    if ((id != kNextChar && id != kPreviousChar) || !buffer || cursor >= Length()) return nullptr;
    buffer[cursor] = StepCharacter(buffer[cursor], id == kNextChar,
                                   [this](uint32_t code) { return IsCharAllowed(code); });
    return nullptr;
}

void CharEntryScreen::OnChar(char16_t character) {
    PlayClick();
    if (character == kBackspace) {
        // Back one place, blanking it: the row keeps its length.
        OnLeft();
        uint8_t* buffer = Buffer();
        if (buffer && cursor < Length()) buffer[cursor] = ' ';
        return;
    }
    char16_t lower = character >= u'A' && character <= u'Z' ? char16_t(character + 32) : character;
    uint32_t code = uint32_t(lower) & 0xFF;
    uint8_t* buffer = Buffer();
    uint32_t n = Length();
    if (!buffer || n == 0 || !IsCharAllowed(code)) return;
    if (cursor >= n) cursor = 0;
    buffer[cursor] = uint8_t(code);
    cursor = cursor + 1 >= n ? 0 : cursor + 1;
}

bool CharEntryScreen::IsCharAllowed(uint32_t code) {
    if (code == ' ') return true;
    const VGFont* large = MenuFontOf(FontLarge);
    const VGFont* small = MenuFontOf(FontSmall);
    return large && small && large->GetGlyph(code) && small->GetGlyph(code);
}
