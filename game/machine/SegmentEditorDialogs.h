#pragma once
// The small screens the editors hand their record to and that come back with it: the name
// editor (five characters edited in place) and the clear dialog (reset, or leave it be).
#include "game/MenuScreen.h"
#include "game/menus/CharEntryScreen.h"

struct Segment;
struct Track;

class RecordNameScreen final : public CharEntryScreen {
public:
    RecordNameScreen(Segment* segment, Track* track) : segment(segment), track(track) {}
    ~RecordNameScreen() override;
    void CreateSoftButtons() override;
    VGScreen* OnAction(int32_t id) override;
    uint32_t Length() override;
    int32_t CellWidth() override;
    uint8_t* Buffer() override;

    // Exactly one of the two is set; the screen holds it until it hands it back.
    Segment* segment;
    Track* track;
};

class ClearDialog final : public MenuScreen {
public:
    ClearDialog(Segment* segment, Track* track) : segment(segment), track(track) {}
    ~ClearDialog() override;
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    Segment* segment;
    Track* track;

    static constexpr int32_t kClear = 32;
    static constexpr int32_t kKeep = 33;
};

VGScreen* CreateSegmentNameEditor(Segment* segment);
VGScreen* CreateTrackNameEditor(Track* track);
VGScreen* CreateClearDialog(Segment* segment);
VGScreen* CreateClearDialog(Track* track);
