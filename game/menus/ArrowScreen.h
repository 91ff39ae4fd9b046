#pragma once
// A screen with a value between a left and a right arrow: the arrows answer to the left and
// right keys and to taps, the value slides in from the side of the last press, and a tap on
// the value itself can mean something too.
#include "game/MenuScreen.h"

class ArrowScreen : public MenuScreen {
public:
    void Enter() override;
    VGScreen* Update() override;
    void Draw() override;

    virtual void DrawPreviousValue(int32_t /*x*/, float /*alpha*/) {}
    virtual void DrawValue(int32_t /*x*/, float /*alpha*/) {}
    virtual VGScreen* OnCentreTap() { return nullptr; }
    virtual void OnLeft() {}
    virtual void OnRight() {}

    // Where the arrows sit: their centres are this far from the middle, on ArrowLineY().
    // A screen may move them further out (widerOffset) to make room for its value.
    int32_t ArrowOffset() const;
    int32_t widerOffset = 0;
    static int32_t ArrowLineY();

    VGBitmap* leftArrow = nullptr;  // not owned
    VGBitmap* rightArrow = nullptr; // not owned
    int32_t leftPressTime = 0;      // -1 while the stylus holds the arrow
    int32_t rightPressTime = 0;

private:
    // Stylus handling of one arrow; true when it was tapped.
    bool ArrowTapped(const VGBitmap* arrow, int32_t cx, int32_t pressedId, int32_t& pressTime);
    void DrawArrow(const VGBitmap* arrow, int32_t cx, int32_t pressTime, int32_t direction) const;
};

// The pressed-item ids the arrows and the value use while the stylus is down.
constexpr int32_t kPressedLeftArrow = 0;
constexpr int32_t kPressedRightArrow = 1;
constexpr int32_t kPressedCentre = 2;
