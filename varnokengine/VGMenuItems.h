#pragma once
// The application's menu-item list: 32 text slots that menu-like screens fill with their
// title, soft-button label, menu entries and further texts. The application animates and
// draws them every frame; the screen framework navigates and hit-tests them.
#include "varnokengine/VGTextBlock.h"

#include <cstdint>

class VGFont;

constexpr int32_t kMenuSlots = 32;
constexpr int32_t kTitleSlot = 0;
constexpr int32_t kSoftButtonSlot = 1;
constexpr int32_t kFirstEntrySlot = 2;
constexpr int32_t kLastEntrySlot = 15;
constexpr int32_t kFirstTextSlot = 16;

// Tags of the items that are not menu entries.
constexpr int32_t kTagForward = -1;
constexpr int32_t kTagBack = -2;
constexpr int32_t kTagText = -3;

// Soft-button glyphs appended to the label.
constexpr char16_t kForwardGlyph = 18;
constexpr char16_t kBackGlyph = 19;

// On targets lower than this the soft-button bar is not drawn and the label is its glyph only.
constexpr int32_t kSoftBarMinHeight = 177;

// Menus place their entries with this spread of the menu extent.
constexpr float kMenuSpread = 0.8f;

struct MenuItemList {
    TextBlock* slots[kMenuSlots] = {};
    MenuItemList() = default;
    ~MenuItemList();
    MenuItemList(const MenuItemList&) = delete;
    MenuItemList& operator=(const MenuItemList&) = delete;
};

enum MenuFont : int32_t { FontLarge = 0, FontSmall = 1 };

// The list, fonts and bar heights of the application (TheGame).
MenuItemList& Items();
const VGFont* MenuFontOf(MenuFont font);

// The current language's entry.
const VGString& GetText(uint32_t entry);

// Adding items.
void SetTitle(const VGString& text);
void AddEntry(int32_t tag, int32_t y, const VGString& text, uint32_t flags);
void AddItem(int32_t y, const VGString& text, uint32_t flags, MenuFont font, TextAlign alignment,
             int32_t x);
void AddBackButton(uint32_t entry, uint32_t flags);
void AddForwardButton(uint32_t entry, uint32_t flags);
void AddMenuEntry(int32_t tag, float fraction, uint32_t entry, uint32_t flags);
void AddDescription(float fraction, uint32_t itemEntry, uint32_t descriptionEntry);
// Deletes every item.
void ClearItems();

// Layout: the height left between the title bar and the soft-button bar, its centre, the
// part of it menus spread over, and a fraction of that turned into a y position.
int32_t ContentHeight();
int32_t ContentCentre();
int32_t MenuExtent();
int32_t FractionToY(float fraction, float spread);
// A baseline for the text so that its lines are centred on the fraction.
int32_t ItemY(float fraction, const VGString& text, MenuFont font, float spread);

// Focus and hit test over the soft button and the menu entries (slots 1 to 15).
int32_t FocusedIndex();
TextBlock* FocusedItem();
int32_t MenuEntryCount();
void FocusPrevious();
void FocusNext();
void SetFocus(int32_t tag);
TextBlock* ItemAt(int32_t x, int32_t y);

// Size of the current render target (240 x 320 when there is none).
int32_t TargetWidth();
int32_t TargetHeight();
