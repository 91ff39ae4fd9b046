#include "game/machine/SlotSelect.h"

#include "game/machine/Segment.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGTextBlock.h"

namespace {

constexpr float kChooseEntryHeight = 0.76f;
constexpr float kNumberScale = 2.0f;

int32_t TextWidth(const VGFont& font, const VGString& text, float scale) {
    int32_t width = 0;
    for (uint32_t i = 0; i < text.Length(); ++i)
        width += int32_t(float(font.CharWidth(text[i] & 0xFF)) * scale);
    return width;
}

void DrawCentred(const VGFont& font, const VGString& text, int32_t x, int32_t baseline, float alpha,
                 float scale) {
    int32_t left = x - TextWidth(font, text, scale) / 2;
    for (uint32_t i = 0; i < text.Length(); ++i)
        left += font.DrawChar(text[i] & 0xFF, left, baseline, alpha, scale);
}

// The slot number twice the normal size with its name below it.
void DrawSlot(uint32_t slot, const VGString& name, int32_t x, float alpha) {
    const VGFont* font = MenuFontOf(FontLarge);
    if (!font) return;
    const int32_t line = ArrowScreen::ArrowLineY();
    const int32_t numberBaseline = line + int32_t(float(font->ascent) * kNumberScale) / 2;
    DrawCentred(*font, Formatted(u"%d", slot), x, numberBaseline, alpha, kNumberScale);
    DrawCentred(*font, name, x, numberBaseline + font->lineHeight, alpha, 1.0f);
}

uint32_t Wrap(uint32_t slot, int32_t direction) {
    if (direction < 0) return slot <= kFirstSlot ? kLastSlot : slot - 1;
    return slot >= kLastSlot ? kFirstSlot : slot + 1;
}

} // namespace

VGString SlotName(const VGString& path) {
    VGFileReader reader(path, VGFileReader::WholeFile);
    char name[kNameLength];
    if (!reader.IsOpen() || !reader.Read(name, kNameLength)) return VGString(u"empty");
    VGString text;
    for (char c : name) text.Append(char16_t(uint8_t(c)));
    return text;
}

uint32_t StepSlot(uint32_t slot, int32_t direction, bool onlySaved, SlotPathFn path) {
    if (slot < kFirstSlot || slot > kLastSlot) slot = kFirstSlot;
    uint32_t next = Wrap(slot, direction);
    if (!onlySaved) return next;
    // At most one full turn: with no file anywhere the start slot comes back.
    for (uint32_t tries = 0; tries + 1 < kLastSlot && !FileExists(path(next)); ++tries)
        next = Wrap(next, direction);
    return next;
}

uint32_t FirstSlot(uint32_t stored, bool onlySaved, SlotPathFn path) {
    uint32_t slot = stored >= kFirstSlot && stored <= kLastSlot ? stored : kFirstSlot;
    if (onlySaved && !FileExists(path(slot))) slot = StepSlot(slot, 1, true, path);
    return slot;
}

uint32_t CopyStartSlot(uint32_t stored, uint32_t target, SlotPathFn path) {
    return stored == target ? StepSlot(target, 1, true, path) : stored;
}

uint32_t SlotSelectScreen::StartSlot() const {
    return ReadOption(OptionName(), kFirstSlot);
}

void SlotSelectScreen::Enter() {
    ArrowScreen::Enter();
    slot = FirstSlot(StartSlot(), OnlySaved(), PathOf());
    slotName = SlotName(PathOf()(slot));
    previousSlot = slot;
    previousName = slotName;
}

void SlotSelectScreen::Leave() {
    WriteOption(OptionName(), slot);
    ArrowScreen::Leave();
}

void SlotSelectScreen::CreateItems() {
    AddEntry(kChooseAction, int32_t(float(TargetHeight()) * kChooseEntryHeight),
             GetText(LabelEntry()), FlagPulse);
}

VGScreen* SlotSelectScreen::OnAction(int32_t id) {
    if (id == ActionBack) return Back();
    if (id == kChooseAction) return Choose();
    return nullptr;
}

VGScreen* SlotSelectScreen::OnCentreTap() {
    return Choose();
}

void SlotSelectScreen::Step(int32_t direction) {
    previousSlot = slot;
    previousName = slotName;
    slot = StepSlot(slot, direction, OnlySaved(), PathOf());
    slotName = SlotName(PathOf()(slot));
}

void SlotSelectScreen::OnLeft() {
    Step(-1);
}

void SlotSelectScreen::OnRight() {
    Step(1);
}

void SlotSelectScreen::DrawPreviousValue(int32_t x, float alpha) {
    DrawSlot(previousSlot, previousName, x, alpha);
}

void SlotSelectScreen::DrawValue(int32_t x, float alpha) {
    DrawSlot(slot, slotName, x, alpha);
}
