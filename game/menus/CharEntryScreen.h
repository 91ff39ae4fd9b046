#pragma once
// A row of 8-bit characters edited in place: left and right move the cursor, two repeating
// entries step the character at the cursor through the codes the fonts can draw, and typed
// characters are stored at the cursor.
#include "game/menus/ArrowScreen.h"

class CharEntryScreen : public ArrowScreen {
public:
    void Enter() override;
    void CreateItems() override;
    VGScreen* Update() override;
    void Draw() override;
    void OnLeft() override;
    void OnRight() override;
    VGScreen* OnAction(int32_t id) override;
    void OnChar(char16_t character) override;

    // The blank, or a code that both the large and the small font can draw.
    virtual bool IsCharAllowed(uint32_t code);
    virtual uint32_t Length() = 0;
    virtual int32_t CellWidth() = 0;
    virtual uint8_t* Buffer() = 0;

    // Centre x of character i.
    int32_t CharX(uint32_t i);

    VGBitmap* cursorImage = nullptr; // not owned
    uint32_t cursor = 0;

    static constexpr int32_t kNextChar = 17;
    static constexpr int32_t kPreviousChar = 18;
};

// The next code up (after 255 comes 33) or down (below 34 comes 255) that allowed accepts;
// the code itself when none is.
template <typename Allowed> uint8_t StepCharacter(uint8_t code, bool up, Allowed allowed) {
    uint32_t c = code;
    for (int tries = 0; tries < 256; ++tries) {
        if (up)
            c = c >= 255 ? 33 : c + 1;
        else
            c = c < 34 ? 255 : c - 1;
        if (allowed(c)) return uint8_t(c);
    }
    return code;
}
