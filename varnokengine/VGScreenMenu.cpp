// The standard slots of VGScreen: menu navigation by keys and stylus, and the draw order.
#include "varnokengine/VGScreenMenu.h"

#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreen.h"
#include "varnokengine/VGSoundManager.h"

void PlayClick() {
    TheSoundManager.PlaySoundFX(VGString(u"click"), 0, 1.0f);
}

namespace {

VGScreen* Activate(VGScreen* screen, const TextBlock* item) {
    VGScreen* next = screen->OnAction(item->tag);
    PlayClick();
    return next;
}

} // namespace

VGScreen* VGScreen::Update() {
    const MenuItemList& list = Items();
    int32_t entries = MenuEntryCount();
    bool hasSoftButton = list.slots[kSoftButtonSlot] != nullptr;
    if ((!hasSoftButton && entries == 0) || int32_t(Now - uint32_t(enterTime)) < kScreenInputLockMs)
        return nullptr;
    VGApplication& app = *TheApp;
    if (app.IsPressed(KeyAction)) {
        TextBlock* item = FocusedItem();
        return item ? Activate(this, item) : nullptr;
    }
    if (app.IsRepeated(KeyAction)) {
        TextBlock* item = FocusedItem();
        if (!item || !(item->flags & FlagRepeat)) return nullptr;
        return Activate(this, item);
    }
    int32_t focusable = entries + (hasSoftButton ? 1 : 0);
    if (app.IsPressedOrRepeated(KeyUp)) {
        if (focusable < 2) return nullptr;
        PlayClick();
        FocusPrevious();
        return nullptr;
    }
    if (app.IsPressedOrRepeated(KeyDown)) {
        if (focusable < 2) return nullptr;
        PlayClick();
        FocusNext();
        return nullptr;
    }
    if (app.IsPressed(KeyStylus)) {
        TextBlock* item = ItemAt(app.stylusX, app.stylusY);
        if (!item) return nullptr;
        SetFocus(item->tag);
        TheGame()->pressedMenuItem = item->tag;
        return nullptr;
    }
    if (!app.IsReleased(KeyStylus)) {
        if (app.IsPressed(KeyBack)) {
            PlayClick();
            return OnAction(ActionBack);
        }
        return nullptr;
    }
    TextBlock* item = ItemAt(app.stylusX, app.stylusY);
    if (!item || !(item->flags & FlagPulse)) return nullptr;
    return Activate(this, item);
}

void VGScreen::Draw() {
    DrawBackground();
    DrawContent();
    const MenuItemList& list = Items();
    if (list.slots[kTitleSlot]) DrawTitleBar();
    if (list.slots[kSoftButtonSlot] && TargetHeight() >= kSoftBarMinHeight) DrawSoftButtonBar();
}

void VGScreen::Leave() {
    ClearItems();
}
