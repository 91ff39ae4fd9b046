#pragma once
// One laid-out string in a bitmap font: lines of letters with position, alignment, scale and
// shadow, and a letter animation in which letters can drop in from the top and bounce.
#include "varnokengine/VGString.h"

#include <cstdint>

class VGFont;

// TextBlock::flags bits.
constexpr uint32_t FlagPulse = 2;   // the selected entry: letters keep hopping, alpha pulses
constexpr uint32_t FlagRepeat = 4;  // a menu entry that also reacts to the action key's repeat
constexpr uint32_t FlagHidden = 8;  // neither drawn nor hit-tested
constexpr uint32_t FlagDropIn = 16; // letters start at y 0 and fall to their line

enum TextAlign : int32_t { AlignCentre = 0, AlignLeft = 1, AlignRight = 2 };

// Letters and lines step their animation every 33 ms, at most three steps per update.
constexpr uint32_t kLetterStepMs = 33;
constexpr int32_t kMaxLetterSteps = 3;

// A float from 0 to 1 from the platform's rand().
float Random01();

struct TextChar {
    uint8_t code = 0;
    float restY = 0;
    float currentY = 0;
    float speed = 0; // positive downwards
    TextChar* next = nullptr;
};

struct TextLine {
    int16_t x = 0; // left edge
    int16_t y = 0; // baseline
    int16_t startY = 0;
    TextChar* letters = nullptr;
    TextLine* next = nullptr;
    uint32_t lastUpdate = 0;
};

class TextBlock {
public:
    TextBlock() = default;
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    // Replaces the lines with the text laid out from the block's y, alignment and x; their
    // animation starts at the engine time now.
    void SetText(const VGString& text, uint32_t now);
    // Advances the letter animation of every line up to now; bouncing keeps resting letters
    // hopping.
    void Update(bool bouncing, uint32_t now);
    // A pulsing block's alpha follows now; shadows are drawn when asked and the block has an
    // offset for them.
    void Draw(float alpha, uint32_t now, bool shadows) const;
    // Centres every line on x.
    void SetPosition(int16_t newX);
    bool HitTest(int32_t px, int32_t py) const;
    // Unscaled width of a line: the sum of its letters' advances.
    int32_t LineWidth(const TextLine* line) const;
    void FreeLines();

    TextLine* lines = nullptr;
    uint32_t flags = 0;
    const VGFont* font = nullptr;
    int32_t tag = 0;
    int16_t shadowOffset = 0;
    int16_t y = 0;
    TextAlign alignment = AlignCentre;
    int16_t x = 0;
    float scale = 1.0f;

private:
    void CloseLine(const char16_t* text, uint32_t length, int16_t baseline, uint32_t now,
                   TextLine**& tail);
    void PlaceLine(TextLine* line) const;
};

// One animation step of a line's letters.
void StepLetters(TextLine& line, bool bouncing);
// The alpha a pulsing block is drawn with at the given time.
float PulseAlpha(float alpha, uint32_t now);
