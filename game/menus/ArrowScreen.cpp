#include "game/menus/ArrowScreen.h"

#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreenMenu.h"

#include <algorithm>

namespace {

constexpr int32_t kArrowOffset = 68;   // before LayoutScale
constexpr int32_t kArrowPush = 5;      // how far a pressed arrow moves out, before LayoutScale
constexpr float kArrowReturn = 0.005f; // back in place 200 ms after the press
constexpr int32_t kCentreSize = 64;    // the value's tap square, not scaled
constexpr int32_t kSlideMs = 400;
constexpr float kSlideRate = 0.0025f;
constexpr int32_t kSlideDistance = 64;

int32_t HalfWidth() {
    return TargetWidth() / 2;
}

bool StylusHeld() {
    return (TheApp->keys[KeyStylus].flags & KeyHeld) != 0;
}

} // namespace

int32_t ArrowScreen::ArrowOffset() const {
    const int32_t standard = kArrowOffset * LayoutScale;
    return widerOffset > standard ? widerOffset : standard;
}

int32_t ArrowScreen::ArrowLineY() {
    return FractionToY(0.25f, 1.0f);
}

void ArrowScreen::Enter() {
    MenuScreen::Enter();
    leftArrow = MenuImageOf(MenuLeftArrow);
    rightArrow = MenuImageOf(MenuRightArrow);
    leftPressTime = 0;
    rightPressTime = 0;
}

bool ArrowScreen::ArrowTapped(const VGBitmap* arrow, int32_t cx, int32_t pressedId,
                              int32_t& pressTime) {
    bool over = arrow && TheApp->IsInside(cx, ArrowLineY(), arrow->fullWidth, arrow->fullHeight);
    if (!over) {
        if (pressTime == -1) pressTime = 0;
        return false;
    }
    if (TheApp->IsPressed(KeyStylus)) TheGame()->pressedMenuItem = pressedId;
    if (TheGame()->pressedMenuItem != pressedId) return false;
    if (StylusHeld()) pressTime = -1;
    if (!TheApp->IsReleased(KeyStylus)) return false;
    PlayClick();
    pressTime = int32_t(Now);
    return true;
}

VGScreen* ArrowScreen::Update() {
    if (TheApp->IsPressedOrRepeated(KeyLeft)) {
        PlayClick();
        OnLeft();
        leftPressTime = int32_t(Now);
    } else if (TheApp->IsPressedOrRepeated(KeyRight)) {
        PlayClick();
        OnRight();
        rightPressTime = int32_t(Now);
    } else {
        int32_t middle = HalfWidth();
        if (ArrowTapped(leftArrow, middle - ArrowOffset(), kPressedLeftArrow, leftPressTime))
            OnLeft();
        if (ArrowTapped(rightArrow, middle + ArrowOffset(), kPressedRightArrow, rightPressTime))
            OnRight();
        if (TheApp->IsInside(middle, ArrowLineY(), kCentreSize, kCentreSize)) {
            if (TheApp->IsPressed(KeyStylus)) TheGame()->pressedMenuItem = kPressedCentre;
            if (TheApp->IsReleased(KeyStylus) && TheGame()->pressedMenuItem == kPressedCentre) {
                if (VGScreen* next = OnCentreTap()) return next;
            }
        }
    }
    return VGScreen::Update();
}

void ArrowScreen::DrawArrow(const VGBitmap* arrow, int32_t cx, int32_t pressTime,
                            int32_t direction) const {
    if (!arrow) return;
    float t = pressTime == -1
                  ? 0.0f
                  : std::clamp(float(int32_t(Now) - pressTime) * kArrowReturn, 0.0f, 1.0f);
    int32_t push = int32_t(float(kArrowPush * LayoutScale) * (1.0f - t));
    VGBitmap::Draw(arrow, cx + direction * push - arrow->halfWidth,
                   ArrowLineY() - arrow->halfHeight);
}

void ArrowScreen::Draw() {
    VGScreen::Draw();
    int32_t middle = HalfWidth();
    DrawArrow(leftArrow, middle - ArrowOffset(), leftPressTime, -1);
    DrawArrow(rightArrow, middle + ArrowOffset(), rightPressTime, 1);
    bool rightLast = rightPressTime > leftPressTime;
    int32_t lastPress = std::max(leftPressTime, rightPressTime);
    int32_t elapsed = int32_t(Now) - lastPress;
    if (lastPress > 0 && elapsed >= 0 && elapsed < kSlideMs) {
        float u = float(elapsed) * kSlideRate;
        int32_t slide = int32_t(float(kSlideDistance) * u);
        if (rightLast) {
            DrawPreviousValue(middle - slide, 1.0f - u);
            DrawValue(middle + kSlideDistance - slide, u);
        } else {
            DrawPreviousValue(middle + slide, 1.0f - u);
            DrawValue(middle - kSlideDistance + slide, u);
        }
        return;
    }
    DrawValue(middle, 1.0f);
}
