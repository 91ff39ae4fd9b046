#include "game/menus/MessageScreen.h"

#include "game/ScreenFactory.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGTextFlow.h"

void MessageScreen::CreateSoftButtons() {
    SetTitle(GetText(97));
    AddBackButton(1, FlagPulse);
}

void MessageScreen::CreateItems() {
    VGString text = GetText(textEntry);
    WrapWords(text);
    AddItem(ItemY(0.5f, text, FontLarge, kMenuSpread), text, 0, FontLarge, AlignCentre,
            TargetWidth() / 2);
}

VGScreen* MessageScreen::OnAction(int32_t id) {
    return id == ActionBack ? CreateScreen(returnId) : nullptr;
}
