#include "game/GameButtons.h"

#include "game/GameApp.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"

namespace {

constexpr int32_t kCharWindowPlaces = 5;

struct Size {
    int32_t w = 0, h = 0, hw = 0, hh = 0;
};

const VGBitmap* Image(uint32_t id) {
    LoadButtonImages();
    return TheGameApp()->buttonImages.Get(id);
}

Size SizeOf(uint32_t id) {
    const VGBitmap* image = Image(id);
    if (!image) return {};
    return {image->fullWidth, image->fullHeight, image->halfWidth, image->halfHeight};
}

int32_t W() {
    return RenderTarget.target ? RenderTarget.target->fullWidth : 0;
}
int32_t H() {
    return RenderTarget.target ? RenderTarget.target->fullHeight : 0;
}
int32_t M() {
    return RenderTarget.target ? RenderTarget.target->halfWidth : 0;
}
int32_t B() {
    return SizeOf(ButtonCentreBar).hw;
}

void DrawAtBottom(uint32_t id, int32_t x) {
    const VGBitmap* image = Image(id);
    if (image) VGBitmap::Draw(image, x, H() - image->fullHeight);
}

void LoadOnce(VGBitmapManager& pack, const char16_t* name) {
    if (pack.count == 0) pack.Load(VGString(name));
}

bool Inside(int32_t cx, int32_t cy, int32_t w, int32_t h) {
    return TheApp->IsInside(cx, cy, w, h);
}

// A button sitting on the bottom edge with its centre cx.
bool HitBottom(uint32_t id, int32_t cx) {
    Size s = SizeOf(id);
    return Inside(cx, H() - s.hh, s.w, s.h);
}

} // namespace

void LoadMachineImages() {
    LoadOnce(TheGameApp()->machineImages, u"machine");
}
void LoadButtonImages() {
    LoadOnce(TheGameApp()->buttonImages, u"buttons");
}
void LoadMenuImages() {
    LoadOnce(TheGameApp()->menuImages, u"menuui");
}

void DrawBottom(const VGBitmap* image, int32_t x, int32_t y) {
    if (image) VGBitmap::Draw(image, x, y - image->fullHeight);
}

void DrawCharWindow(const VGString& text, int32_t first) {
    const VGBitmap* bar = Image(ButtonCentreBar);
    if (bar) DrawBottom(bar, M() - bar->halfWidth, H());
    const VGFont* font = TheGameApp()->displayFont;
    if (!font) return;
    const VGBitmap* zero = font->GetGlyph('0');
    int32_t x = M() - (zero ? zero->halfWidth + 2 * zero->fullWidth : 0);
    int32_t length = int32_t(text.Length());
    for (int32_t i = first; i < length && i < first + kCharWindowPlaces; ++i) {
        if (i >= 0) {
            const VGBitmap* glyph = font->GetGlyph(text[uint32_t(i)] & 0xFF);
            // The letters stand 2 x LayoutScale above the bottom edge; tails reach below.
            if (glyph)
                VGBitmap::Draw(glyph, x,
                               H() - glyph->fullHeight + font->baselineOffset - 2 * LayoutScale);
        }
        x += font->spaceWidth;
    }
}

void DrawCornerButton(uint32_t image) {
    DrawAtBottom(image, W() - SizeOf(image).w);
}

void DrawMetronomeButton() {
    uint32_t image = TheGameApp()->metronome ? ButtonMetronomeOn : ButtonMetronomeOff;
    DrawAtBottom(image, M() - B() - SizeOf(image).w);
}

void DrawLeftOfBar(uint32_t image) {
    DrawAtBottom(image, M() - B() - SizeOf(image).w);
}

void DrawRewindButton() {
    DrawAtBottom(ButtonRewind, M() - B() - SizeOf(ButtonStop).w - SizeOf(ButtonRewind).w);
}

void DrawRightOfBar(uint32_t image) {
    DrawAtBottom(image, M() + B());
}

void DrawRightOfUpDown(uint32_t image) {
    DrawAtBottom(image, M() + B() + SizeOf(ButtonUpDown).w);
}

void DrawForwardButton() {
    DrawAtBottom(ButtonForward, M() + B() + SizeOf(ButtonStop).w);
}

void DrawBottomLeft(uint32_t image) {
    DrawAtBottom(image, 0);
}

void DrawCopyButton() {
    DrawAtBottom(ButtonCopy, SizeOf(ButtonName).w);
}

void DrawTopLeft(uint32_t image) {
    const VGBitmap* bitmap = Image(image);
    if (bitmap) VGBitmap::Draw(bitmap, 0, 0);
}

void DrawClearButton(int32_t y) {
    const VGBitmap* bitmap = Image(ButtonClear);
    if (bitmap) VGBitmap::Draw(bitmap, W() - bitmap->fullWidth, y);
}

bool HitCornerButton(uint32_t image) {
    Size s = SizeOf(image);
    return TheApp->stylusX > W() - s.w && TheApp->stylusY > H() - s.h;
}

bool HitMetronomeButton() {
    return HitBottom(ButtonMetronomeOn, M() - SizeOf(ButtonMetronomeOn).hw - B());
}

bool HitPlayLeftOfBar() {
    return HitBottom(ButtonPlay, M() - B() - SizeOf(ButtonPlay).hw);
}

bool HitRewindButton() {
    return HitBottom(ButtonRewind, M() - B() - SizeOf(ButtonPlay).w - SizeOf(ButtonRewind).hw);
}

bool HitUpDownUpper() {
    Size s = SizeOf(ButtonUpDown);
    return Inside(M() + B() + s.hw, H() - int32_t(float(s.h) * 0.75f), s.w, s.hh);
}

bool HitUpDownLower() {
    Size s = SizeOf(ButtonUpDown);
    return Inside(M() + B() + s.hw, H() - int32_t(float(s.h) * 0.25f), s.w, s.hh);
}

bool HitStopRightOfBar() {
    return HitBottom(ButtonStop, M() + B() + SizeOf(ButtonStop).hw);
}

bool HitPlayRightOfUpDown() {
    return HitBottom(ButtonPlay, M() + B() + SizeOf(ButtonUpDown).w + SizeOf(ButtonPlay).hw);
}

bool HitForwardButton() {
    return HitBottom(ButtonForward, M() + B() + SizeOf(ButtonStop).w + SizeOf(ButtonForward).hw);
}

bool HitBottomLeft(uint32_t image) {
    return HitBottom(image, SizeOf(image).hw);
}

bool HitCopyButton() {
    return HitBottom(ButtonCopy, SizeOf(ButtonName).w + SizeOf(ButtonCopy).hw);
}

bool HitTopLeft() {
    Size s = SizeOf(ButtonRepeatOn);
    return Inside(s.hw, s.hh, s.w, s.h);
}

bool HitClearButton(int32_t y) {
    Size s = SizeOf(ButtonClear);
    return Inside(W() - s.hw, y + s.hh, s.w, s.h);
}
