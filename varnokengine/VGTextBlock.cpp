#include "varnokengine/VGTextBlock.h"

#include "platform/Runtime.h"
#include "varnokengine/VGFont.h"

#include <bit>
#include <new>

float Random01() {
    // 1 / 32767 rounded to the float 0x38000100.
    return float(platform::Rand()) * std::bit_cast<float>(0x38000100u);
}

TextBlock::~TextBlock() {
    FreeLines();
}

void TextBlock::FreeLines() {
    while (lines) {
        TextLine* line = lines;
        lines = line->next;
        while (line->letters) {
            TextChar* letter = line->letters;
            line->letters = letter->next;
            delete letter;
        }
        delete line;
    }
}

int32_t TextBlock::LineWidth(const TextLine* line) const {
    int32_t width = 0;
    if (!font) return 0;
    for (const TextChar* c = line->letters; c; c = c->next) width += font->CharWidth(c->code);
    return width;
}

void TextBlock::PlaceLine(TextLine* line) const {
    float width = float(LineWidth(line)) * scale;
    switch (alignment) {
    case AlignLeft:
        line->x = x;
        break;
    case AlignRight:
        line->x = int16_t(int32_t(float(x) - width));
        break;
    default:
        line->x = int16_t(int32_t(float(x) - width * 0.5f));
        break;
    }
}

void TextBlock::CloseLine(const char16_t* text, uint32_t length, int16_t baseline, uint32_t now,
                          TextLine**& tail) {
    TextLine* line = new (std::nothrow) TextLine;
    if (!line) return;
    line->y = baseline;
    line->startY = (flags & FlagDropIn) ? 0 : baseline;
    line->lastUpdate = now;
    TextChar** letterTail = &line->letters;
    for (uint32_t i = 0; i < length && (text[i] & 0xFF) != 0; ++i) {
        TextChar* letter = new (std::nothrow) TextChar;
        if (!letter) break;
        letter->code = uint8_t(text[i] & 0xFF);
        letter->restY = float(baseline);
        letter->currentY = float(line->startY);
        if (letter->currentY != letter->restY) letter->speed = Random01() * 2.0f;
        *letterTail = letter;
        letterTail = &letter->next;
    }
    PlaceLine(line);
    *tail = line;
    tail = &line->next;
}

void TextBlock::SetText(const VGString& text, uint32_t now) {
    FreeLines();
    TextLine** tail = &lines;
    int32_t baseline = y;
    const char16_t* data = text.Data();
    uint32_t start = 0;
    uint32_t length = text.Length();
    for (uint32_t i = 0; i < length; ++i) {
        if (data[i] != u'\n') continue;
        CloseLine(data + start, i - start, int16_t(baseline), now, tail);
        baseline += font ? font->lineHeight : 0;
        start = i + 1;
    }
    if (start < length) CloseLine(data + start, length - start, int16_t(baseline), now, tail);
}

void StepLetters(TextLine& line, bool bouncing) {
    for (TextChar* c = line.letters; c; c = c->next) {
        if (c->currentY == c->restY && c->speed == 0.0f && !bouncing) continue;
        c->speed += 1.0f;
        c->currentY += c->speed;
        if (c->currentY > c->restY) {
            c->speed = -c->speed * (0.4f + Random01() * std::bit_cast<float>(0x3E4CCCCEu));
            if (bouncing && c->speed > -2.0f) c->speed = Random01() * 2.0f - 4.0f;
            c->currentY = c->restY;
        }
    }
}

void TextBlock::Update(bool bouncing, uint32_t now) {
    for (TextLine* line = lines; line; line = line->next) {
        for (int32_t step = 0; step < kMaxLetterSteps && int32_t(now - line->lastUpdate) >= 0;
             ++step) {
            StepLetters(*line, bouncing);
            line->lastUpdate += kLetterStepMs;
        }
        if (int32_t(now - line->lastUpdate) > 0) line->lastUpdate = now;
    }
}

float PulseAlpha(float alpha, uint32_t now) {
    uint32_t t = (now >> 5) % 20;
    float p = float(t < 10 ? t : 20 - t);
    return alpha * (0.6f + 0.04f * p);
}

void TextBlock::Draw(float alpha, uint32_t now, bool withShadows) const {
    if ((flags & FlagHidden) || !font) return;
    if (flags & FlagPulse) alpha = PulseAlpha(alpha, now);
    const bool shadows = withShadows && shadowOffset > 0;
    for (const TextLine* line = lines; line; line = line->next) {
        int32_t penX = line->x;
        for (const TextChar* c = line->letters; c; c = c->next) {
            int32_t letterY = int32_t(c->currentY);
            if (shadows)
                font->DrawCharShadow(c->code, penX + shadowOffset, letterY + shadowOffset, alpha,
                                     scale);
            penX += font->DrawChar(c->code, penX, letterY, alpha, scale);
        }
    }
}

void TextBlock::SetPosition(int16_t newX) {
    alignment = AlignCentre;
    x = newX;
    for (TextLine* line = lines; line; line = line->next) PlaceLine(line);
}

bool TextBlock::HitTest(int32_t px, int32_t py) const {
    if (!font) return false;
    for (const TextLine* line = lines; line; line = line->next) {
        if (py >= line->y - font->lineHeight && py <= line->y && px >= line->x &&
            px <= line->x + LineWidth(line))
            return true;
    }
    return false;
}
