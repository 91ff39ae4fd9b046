#pragma once
// The left/right slot selector both drum-machine selection screens are built on: one slot
// 1..99 at a time with the name stored in its file, stepping with wrap-around, in the modes
// that need a file skipping the slots without one.
#include "game/menus/ArrowScreen.h"
#include "varnokengine/VGString.h"

#include <cstdint>

// The file of a slot: segments or tracks.
using SlotPathFn = VGString (*)(uint32_t slot);

// The name shown for a slot: the file's first five bytes widened, or "empty" when there is
// no file or it is too short to hold a name.
VGString SlotName(const VGString& path);
// The slot one step from slot (direction -1 or +1, 1 and 99 wrapping to each other). With
// onlySaved, stepping goes on until a slot whose file exists; when no slot has one the
// start slot comes back after a full turn.
uint32_t StepSlot(uint32_t slot, int32_t direction, bool onlySaved, SlotPathFn path);
// The slot to show first: stored (out of range reads as 1), moved on to a saved slot when
// onlySaved and the stored one has no file.
uint32_t FirstSlot(uint32_t stored, bool onlySaved, SlotPathFn path);
// Where a copy selection starts: copying a slot onto itself does nothing, so when the stored
// slot is the one being copied into, the next saved slot after it instead.
uint32_t CopyStartSlot(uint32_t stored, uint32_t target, SlotPathFn path);

class SlotSelectScreen : public ArrowScreen {
public:
    // Chooses the first slot and loads its name.
    void Enter() override;
    // Remembers the slot shown for the next visit.
    void Leave() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;
    VGScreen* OnCentreTap() override;
    void OnLeft() override;
    void OnRight() override;
    void DrawPreviousValue(int32_t x, float alpha) override;
    void DrawValue(int32_t x, float alpha) override;

    uint32_t slot = 1;
    VGString slotName;
    uint32_t previousSlot = 1;
    VGString previousName;

protected:
    // The menu entry that chooses the slot shown.
    static constexpr int32_t kChooseAction = 38;

    virtual SlotPathFn PathOf() const = 0;
    virtual const char16_t* OptionName() const = 0;
    // True when only slots with a file may be shown.
    virtual bool OnlySaved() const = 0;
    virtual uint32_t LabelEntry() const = 0;
    // The slot to start from before the saved-slot rule; the stored option by default.
    virtual uint32_t StartSlot() const;
    virtual VGScreen* Choose() = 0;
    virtual VGScreen* Back() = 0;

private:
    void Step(int32_t direction);
};
