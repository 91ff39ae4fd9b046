#include "varnokengine/VGMenuItems.h"

#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGTextFlow.h"

#include <algorithm>
#include <new>

namespace {

// Title baselines: a two-line title starts higher so both lines fit the bar.
constexpr int32_t kTitleY = 26;
constexpr int32_t kTwoLineTitleY = 18;
constexpr int32_t kShadow = 2;
// A title keeps this much room (before LayoutScale) free at either end of its one line.
constexpr int32_t kTitleMargin = 8;
constexpr int32_t kNarrowBackButtonInset = 10;
constexpr float kMaxMenuExtent = 175.0f;
constexpr float kDescriptionDrop = 0.75f;

bool HasLineFeed(const VGString& text) {
    return text.FindChar(u'\n') != nullptr;
}

int32_t LineCount(const VGString& text) {
    int32_t n = 1;
    for (uint32_t i = 0; i < text.Length(); ++i)
        if (text[i] == u'\n') ++n;
    return n;
}

TextBlock* MakeItem(int32_t slot, const VGString& text, const VGFont* font, int32_t tag, int32_t y,
                    uint32_t flags, TextAlign alignment, int32_t x, int32_t shadow) {
    MenuItemList& list = Items();
    TextBlock* item = new (std::nothrow) TextBlock;
    if (!item) return nullptr;
    delete list.slots[slot];
    list.slots[slot] = item;
    item->font = font;
    item->tag = tag;
    item->y = int16_t(y);
    item->flags = flags;
    item->alignment = alignment;
    item->x = int16_t(x);
    item->shadowOffset = int16_t(shadow);
    item->scale = 1.0f;
    item->SetText(text, Now);
    return item;
}

int32_t FreeSlot(int32_t first, int32_t last) {
    for (int32_t slot = first; slot <= last; ++slot)
        if (!Items().slots[slot]) return slot;
    return -1;
}

void AddSoftButton(int32_t tag, uint32_t entry, char16_t glyph, uint32_t flags) {
    const VGFont* font = MenuFontOf(FontLarge);
    int32_t height = TargetHeight();
    if (height < kSoftBarMinHeight) {
        const char16_t text[2] = {glyph, 0};
        TextBlock* item = MakeItem(kSoftButtonSlot, VGString(text), font, tag, height - LayoutScale,
                                   flags, AlignCentre, 0, kShadow * LayoutScale);
        if (item) item->SetPosition(int16_t(TargetWidth() - kNarrowBackButtonInset));
        return;
    }
    MakeItem(kSoftButtonSlot, GetText(entry) + glyph, font, tag, height - 2 * LayoutScale, flags,
             AlignCentre, TargetWidth() / 2, kShadow * LayoutScale);
}

} // namespace

MenuItemList::~MenuItemList() {
    for (TextBlock*& item : slots) {
        delete item;
        item = nullptr;
    }
}

MenuItemList& Items() {
    return TheGame()->menuItems;
}

const VGFont* MenuFontOf(MenuFont font) {
    return font == FontSmall ? TheGame()->smallFont : TheGame()->largeFont;
}

const VGString& GetText(uint32_t entry) {
    return GetText(TheGame()->language, entry);
}

int32_t TargetWidth() {
    return RenderTarget.target ? RenderTarget.target->fullWidth : 240;
}
int32_t TargetHeight() {
    return RenderTarget.target ? RenderTarget.target->fullHeight : 320;
}

void SetTitle(const VGString& text) {
    // A title stays on one line where it fits the screen's width, else it is split at the
    // blank nearest its middle.
    VGString title;
    for (uint32_t i = 0; i < text.Length(); ++i) title.Append(text[i] == u'\n' ? u' ' : text[i]);
    const VGFont* font = MenuFontOf(FontLarge);
    int32_t room = TargetWidth() - 2 * kTitleMargin * LayoutScale;
    if (!font || font->TextWidth(title) > room) SplitInTwoLines(title);
    int32_t y = (HasLineFeed(title) ? kTwoLineTitleY : kTitleY) * LayoutScale;
    MakeItem(kTitleSlot, title, MenuFontOf(FontLarge), kTagText, y, 0, AlignCentre,
             TargetWidth() / 2, kShadow * LayoutScale);
}

void AddEntry(int32_t tag, int32_t y, const VGString& text, uint32_t flags) {
    int32_t slot = FreeSlot(kFirstEntrySlot, kLastEntrySlot);
    if (slot < 0) return;
    MakeItem(slot, text, MenuFontOf(FontLarge), tag, y, flags, AlignCentre, TargetWidth() / 2,
             kShadow * LayoutScale);
}

void AddItem(int32_t y, const VGString& text, uint32_t flags, MenuFont font, TextAlign alignment,
             int32_t x) {
    int32_t slot = FreeSlot(kFirstTextSlot, kMenuSlots - 1);
    if (slot < 0) return;
    MakeItem(slot, text, MenuFontOf(font), kTagText, y, flags, alignment, x,
             font == FontLarge ? kShadow * LayoutScale : 0);
}

void AddBackButton(uint32_t entry, uint32_t flags) {
    AddSoftButton(kTagBack, entry, kBackGlyph, flags);
}

void AddForwardButton(uint32_t entry, uint32_t flags) {
    AddSoftButton(kTagForward, entry, kForwardGlyph, flags);
}

void AddMenuEntry(int32_t tag, float fraction, uint32_t entry, uint32_t flags) {
    const VGString& text = GetText(entry);
    AddEntry(tag, ItemY(fraction, text, FontLarge, kMenuSpread), text, flags);
}

void AddDescription(float fraction, uint32_t itemEntry, uint32_t descriptionEntry) {
    VGString description = GetText(descriptionEntry);
    if (description.Length() > kSplitLabelLength) SplitInTwoLines(description);
    const VGFont* large = MenuFontOf(FontLarge);
    int32_t drop = large ? int32_t(float(large->lineHeight) * kDescriptionDrop) : 0;
    int32_t y = ItemY(fraction, GetText(itemEntry), FontLarge, kMenuSpread) + drop;
    AddItem(y, description, 0, FontSmall, AlignCentre, TargetWidth() / 2);
}

void ClearItems() {
    for (TextBlock*& item : Items().slots) {
        delete item;
        item = nullptr;
    }
}

int32_t ContentHeight() {
    const MenuItemList& list = Items();
    int32_t height = TargetHeight();
    if (height >= kSoftBarMinHeight && list.slots[kSoftButtonSlot])
        height -= TheGame()->SoftBarHeight();
    if (list.slots[kTitleSlot]) height -= TheGame()->TitleBarHeight();
    return height;
}

int32_t ContentCentre() {
    int32_t top = Items().slots[kTitleSlot] ? TheGame()->TitleBarHeight() : 0;
    return top + ContentHeight() / 2;
}

int32_t MenuExtent() {
    return std::min(ContentHeight(), int32_t(kMaxMenuExtent * float(LayoutScale)));
}

int32_t FractionToY(float fraction, float spread) {
    return int32_t(float(ContentCentre()) + float(MenuExtent()) * spread * (fraction - 0.5f));
}

int32_t ItemY(float fraction, const VGString& text, MenuFont font, float spread) {
    const VGFont* large = MenuFontOf(FontLarge);
    const VGFont* used = MenuFontOf(font);
    int32_t halfAscent = large ? large->ascent / 2 : 0;
    int32_t lineHeight = used ? used->lineHeight : 0;
    return halfAscent - ((LineCount(text) - 1) * lineHeight) / 2 + FractionToY(fraction, spread);
}

int32_t FocusedIndex() {
    const MenuItemList& list = Items();
    for (int32_t slot = kSoftButtonSlot; slot <= kLastEntrySlot; ++slot)
        if (list.slots[slot] && (list.slots[slot]->flags & FlagPulse)) return slot;
    return -1;
}

TextBlock* FocusedItem() {
    int32_t index = FocusedIndex();
    return index < 0 ? nullptr : Items().slots[index];
}

int32_t MenuEntryCount() {
    int32_t count = 0;
    for (int32_t slot = kFirstEntrySlot; slot <= kLastEntrySlot; ++slot)
        if (Items().slots[slot]) ++count;
    return count;
}

namespace {

void Focus(int32_t slot) {
    TextBlock* item = slot >= 0 && slot < kMenuSlots ? Items().slots[slot] : nullptr;
    if (item) item->flags |= FlagPulse;
}

} // namespace

void FocusPrevious() {
    int32_t f = FocusedIndex();
    if (f < 0) return;
    MenuItemList& list = Items();
    list.slots[f]->flags &= ~FlagPulse;
    int32_t last = MenuEntryCount() + 1;
    if (f > kFirstEntrySlot)
        Focus(f - 1);
    else if (f == kFirstEntrySlot)
        Focus(list.slots[kSoftButtonSlot] ? kSoftButtonSlot : last);
    else
        Focus(last);
}

void FocusNext() {
    int32_t f = FocusedIndex();
    if (f < 0) return;
    MenuItemList& list = Items();
    list.slots[f]->flags &= ~FlagPulse;
    if (f == MenuEntryCount() + 1)
        Focus(list.slots[kSoftButtonSlot] ? kSoftButtonSlot : kFirstEntrySlot);
    else
        Focus(f + 1);
}

void SetFocus(int32_t tag) {
    for (int32_t slot = kSoftButtonSlot; slot <= kLastEntrySlot; ++slot) {
        TextBlock* item = Items().slots[slot];
        if (!item) continue;
        if (item->tag == tag)
            item->flags |= FlagPulse;
        else
            item->flags &= ~FlagPulse;
    }
}

TextBlock* ItemAt(int32_t x, int32_t y) {
    for (int32_t slot = kSoftButtonSlot; slot <= kLastEntrySlot; ++slot) {
        TextBlock* item = Items().slots[slot];
        if (item && !(item->flags & FlagHidden) && item->HitTest(x, y)) return item;
    }
    return nullptr;
}
