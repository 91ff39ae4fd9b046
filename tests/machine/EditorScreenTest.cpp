// The two editors inside the real application object on the headless display, with the baked
// data of this build and a save folder of their own: striking cells, the step handles, the
// tempo arrows held down, scrolling, hearing the loop while editing, the name editor and the
// clear dialog, and the files written when an editor is left; the track editor's column
// bands. Both screen sizes and both orientations.
#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/machine/SegmentEditor.h"
#include "game/machine/SegmentEditorDialogs.h"
#include "game/machine/SelectionScreens.h"
#include "game/machine/TrackEditor.h"
#include "game/machine/TrackPlayScreen.h"
#include "tests/drumkit/KitTestData.h"
#include "tests/support/BakedData.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/TempFolder.h"
#include "tools/png/PngFile.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kBackKey = 0xC4;
constexpr uint32_t kActionKey = 0x86;

struct Size {
    int32_t w, h;
};

class EditorScreenTest : public testing::TestWithParam<Size> {
protected:
    void SetUp() override {
        const fs::path game = TBX_GAME_DIR;
        TBX_REQUIRE_BAKED(game / "imgs" / "machine.img");
        HeadlessAppSetup setup;
        setup.dataFolder = game;
        setup.userFolder = temp.Path() / "user";
        setup.registry = temp.Path() / "registry.reg";
        setup.display.width = GetParam().w;
        setup.display.height = GetParam().h;
        setup.display.shotsDir = temp.Path().string();
        StartHeadlessApp(setup, clock);
        started = true;
        ASSERT_EQ(ErrorFlag, 0u) << "start-up failed";
    }
    void TearDown() override {
        if (started) StopHeadlessApp();
    }

    // Replaces whatever screen is current and lets its input lock pass.
    void Open(VGScreen* screen) {
        ASSERT_NE(screen, nullptr);
        if (VGScreen* old = TheGameApp()->currentScreen) {
            old->Leave();
            delete old;
            TheGameApp()->currentScreen = nullptr;
        }
        TheGameApp()->SetFirstScreen(screen);
        Run(400);
    }
    template <typename T> T* Current() { return dynamic_cast<T*>(TheGameApp()->currentScreen); }

    void Run(uint32_t ms) { RunFrames(clock, ms); }
    void Key(uint32_t code) { PressKey(code); }
    void Down(int32_t x, int32_t y) { StylusDown(x, y); }
    void Up(int32_t x, int32_t y) { StylusUp(x, y); }
    void Tap(int32_t x, int32_t y) {
        Down(x, y);
        Up(x, y);
    }
    static const VGBitmap* Button(uint32_t id) { return TheGameApp()->buttonImages.Get(id); }
    static int32_t W() { return TheDisplay.backBuffer->fullWidth; }
    static int32_t H() { return TheDisplay.backBuffer->fullHeight; }
    static int32_t BarRight() { return W() / 2 + Button(ButtonCentreBar)->halfWidth; }
    // Points on the bottom row's buttons.
    void TapTempo(bool up) {
        const VGBitmap* arrows = Button(ButtonUpDown);
        Tap(BarRight() + arrows->halfWidth,
            H() - (up ? arrows->fullHeight * 3 / 4 : arrows->fullHeight / 4));
    }
    void TapPlay() {
        const VGBitmap* play = Button(ButtonPlay);
        Tap(BarRight() + Button(ButtonUpDown)->fullWidth + play->halfWidth, H() - play->halfHeight);
    }
    void TapName() {
        const VGBitmap* name = Button(ButtonName);
        Tap(name->halfWidth, H() - name->halfHeight);
    }
    void TapCopy() {
        const VGBitmap* copy = Button(ButtonCopy);
        Tap(Button(ButtonName)->fullWidth + copy->halfWidth, H() - copy->halfHeight);
    }
    void TapBackButton() {
        const VGBitmap* back = Button(ButtonBack);
        Tap(W() - back->halfWidth, H() - back->halfHeight);
    }
    void TapClear(int32_t y) {
        const VGBitmap* clear = Button(ButtonClear);
        Tap(W() - clear->halfWidth, y + clear->halfHeight);
    }
    // The middle of a cell of the segment editor's grid.
    void TapCell(uint32_t row, uint32_t step) {
        auto* editor = Current<SegmentEditScreen>();
        ASSERT_NE(editor, nullptr);
        const GridLayout g = editor->Layout();
        Tap(StepX(g, step, editor->scroll) + g.cell / 2,
            g.top + int32_t(row) * g.cell + g.cell / 2);
    }
    std::string File(const char* name) { return (temp.Path() / "user" / "save" / name).string(); }
    // Saves the frame for review when TAMBORIX_EDITOR_SHOTS names a folder.
    void Shot(const std::string& name) {
        const char* dir = std::getenv("TAMBORIX_EDITOR_SHOTS");
        if (!dir) return;
        const VGBitmap* b = TheDisplay.backBuffer;
        png::WritePng(std::string(dir) + "/" + name + "-" + std::to_string(W()) + "x" +
                          std::to_string(H()) + ".png",
                      b->width, b->height, b->pixels);
    }
    platform::VirtualClock clock{1000};
    TempFolder temp;
    bool started = false;
};

TEST_P(EditorScreenTest, DefaultRecordKeepsNoFileAndClearingDeletesIt) {
    TheGameApp()->play = 0;
    Open(CreateSegmentEditor(5));
    auto* editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->otherSegmentsSaved);
    Shot("segment-empty");
    TapCell(3, 0);
    TapCell(8, 7);
    TapCell(8, 7); // struck twice: off again
    EXPECT_EQ(Cell(*editor->segment, 3, 0), 1u);
    EXPECT_EQ(Cell(*editor->segment, 8, 7), 0u);
    Run(100);
    Shot("segment-struck");
    Key(kBackKey);
    EXPECT_EQ(fs::file_size(File("5.tbs")), kSegmentFileSize);

    // Opened again and left unchanged, or left after clearing, a default record keeps no file.
    Open(CreateSegmentEditor(6));
    TapBackButton();
    EXPECT_FALSE(fs::exists(File("6.tbs")));
    Open(CreateSegmentEditor(5));
    editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Cell(*editor->segment, 3, 0), 1u);
    TapClear(editor->ClearButtonY());
    auto* dialog = Current<ClearDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->segment->slot, 5u);
    EXPECT_TRUE(fs::exists(File("5.tbs"))); // saved on the way to the dialog
    Run(400);
    Shot("clear-dialog");
    VGScreen* next = dialog->OnAction(ClearDialog::kClear);
    ASSERT_NE(next, nullptr);
    Open(next);
    editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Cell(*editor->segment, 3, 0), 0u);
    Key(kBackKey);
    EXPECT_FALSE(fs::exists(File("5.tbs")));
}

TEST_P(EditorScreenTest, HandlesTempoArrowsAndScrollingKeepTheirLimits) {
    Open(CreateSegmentEditor(9));
    auto* editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    Segment& s = *editor->segment;
    const GridLayout g = editor->Layout();
    // The add handle sits right of the last column, the drop handle over it.
    Tap(StepX(g, 16, editor->scroll) + g.cell / 2, g.top - 2);
    EXPECT_EQ(s.steps, 17u);
    Tap(StepX(g, 16, editor->scroll) + g.cell / 2, g.top - 2);
    EXPECT_EQ(s.steps, 16u);
    // Held on the right margin the grid scrolls to show the last of the steps, and no further.
    Down(W() - g.rightMargin / 2, g.top + 2);
    Run(2000);
    Up(W() - g.rightMargin / 2, g.top + 2);
    EXPECT_EQ(editor->scroll, GridScrollLimit(g, 16));
    TapCell(0, 15);
    EXPECT_EQ(Cell(s, 0, 15), 1u);
    Shot("segment-scrolled");
    Down(g.leftMargin / 2, g.top + 2);
    Run(2000);
    Up(g.leftMargin / 2, g.top + 2);
    EXPECT_EQ(editor->scroll, 0.0f);

    // Tempo: +1 on a touch, +10 on each repeat pulse, never past 400 or below 10.
    TapTempo(true);
    EXPECT_EQ(s.tempo, 121u);
    const VGBitmap* arrows = Button(ButtonUpDown);
    const int32_t x = BarRight() + arrows->halfWidth, upY = H() - arrows->fullHeight * 3 / 4;
    Down(x, upY);
    EXPECT_EQ(s.tempo, 122u);
    Run(310);
    EXPECT_EQ(s.tempo, 132u);
    Run(160);
    EXPECT_EQ(s.tempo, 142u);
    Run(8000);
    Up(x, upY);
    EXPECT_EQ(s.tempo, 400u);
    const int32_t downY = H() - arrows->fullHeight / 4;
    Down(x, downY);
    Run(12000);
    Up(x, downY);
    EXPECT_EQ(s.tempo, 10u);

    // The step count keeps within 1..64 however the handles are tapped.
    s.steps = 1;
    Tap(StepX(g, 0, 0) + g.cell / 2, g.top - 2);
    EXPECT_EQ(s.steps, 1u);
    s.steps = 64;
    editor->scroll = GridScrollLimit(g, 64);
    Run(20);
    Tap(StepX(g, 64, editor->scroll) + g.cell / 2, g.top - 2);
    EXPECT_EQ(s.steps, 64u);
}

TEST_P(EditorScreenTest, LoopPlaysWhatIsStruckWhileEditing) {
    TheGameApp()->play = 0;
    TheGameApp()->metronome = 1;
    Open(CreateSegmentEditor(2));
    auto* editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    RecordingSounds recorder(TheGameApp()->kit);
    editor->sounds = &recorder;
    TapCell(3, 0); // bass on the first step
    TapPlay();
    EXPECT_EQ(TheGameApp()->play, 1u);
    EXPECT_EQ(ReadOption(u"Play", 0), 1u);
    Run(600);
    Shot("segment-playing");
    TapCell(4, 6); // the snare, struck while the loop runs, sounds at 750 ms of each bar
    Run(2900);
    int bass = 0, snare = 0, loud = 0, click = 0;
    for (const PlayedSound& p : recorder.played) {
        bass += p.name == "restart bass";
        snare += p.name == "restart snare";
        loud += p.name == "metronomeLoud";
        click += p.name == "metronome";
    }
    // The bass struck while the loop stood still sounded at once; then two bars of 2000 ms
    // from the press: step 0 twice; the snare struck in the first bar already sounds in
    // it; a loud click each bar, a plain one on steps 4, 8 and 12.
    EXPECT_EQ(bass, 1 + 2);
    EXPECT_EQ(snare, 2);
    EXPECT_EQ(loud, 2);
    EXPECT_EQ(click, 6);

    // Steps cut below the playing step wrap the loop to its start at once.
    editor->segment->steps = 2;
    Run(50);
    EXPECT_LT(editor->loop.clock, 250u);
    TapPlay();
    EXPECT_EQ(TheGameApp()->play, 0u);
    editor->sounds = nullptr;
}

TEST_P(EditorScreenTest, NameEditorChangesTheNameInPlaceAndComesBack) {
    Open(CreateSegmentEditor(12));
    Segment* segment = Current<SegmentEditScreen>()->segment;
    TapName();
    auto* names = Current<RecordNameScreen>();
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->segment, segment);
    Run(400);
    Shot("segment-name");
    TheGameApp()->OnChar(u'k');
    TheGameApp()->OnChar(u'i');
    TheGameApp()->OnChar(u'c');
    TheGameApp()->OnChar(u'k');
    Run(50);
    Key(kBackKey);
    auto* editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->segment, segment);
    EXPECT_EQ(std::string(segment->name, 5), "kick2");
    Key(kBackKey);
    ASSERT_TRUE(fs::exists(File("12.tbs"))); // a changed name is worth a file
    Segment saved;
    saved.slot = 12;
    Reset(saved);
    Load(saved);
    EXPECT_EQ(std::string(saved.name, 5), "kick2");
}

TEST_P(EditorScreenTest, TrackColumnsArrangeEntriesAndTheTrackIsSavedWhenLeft) {
    // A saved segment to refer to, so the track has something to hold.
    Segment seg;
    seg.slot = 3;
    Reset(seg);
    seg.tempo = 150;
    Cell(seg, 3, 0) = 1;
    ASSERT_TRUE(Save(seg));

    TheGameApp()->play = 0;
    Open(CreateTrackEditor(4));
    auto* editor = Current<TrackEditScreen>();
    ASSERT_NE(editor, nullptr);
    Track& t = *editor->track;
    const StripLayout st = editor->Layout();
    const int32_t band = st.columnHeight / 4, half = st.columnWidth / 2;
    auto tap = [&](uint32_t column, int32_t b, bool right) {
        Tap(ColumnX(st, column, t.listScroll) + (right ? half + 2 : 2),
            st.top + b * band + band / 2);
    };
    Shot("track-fresh");
    t.entries->segment = new Segment;
    t.entries->segment->slot = 3;
    Reset(*t.entries->segment);
    Load(*t.entries->segment);
    tap(0, BandRepeats, false); // never below one
    EXPECT_EQ(t.entries->repeats, 1u);
    tap(0, BandRepeats, true);
    tap(0, BandRepeats, true);
    tap(0, BandRepeats, false);
    EXPECT_EQ(t.entries->repeats, 2u);
    tap(0, BandInsert, true);  // an empty entry after it
    tap(0, BandInsert, false); // and one before it
    ASSERT_EQ(EntryCount(t), 3u);
    EXPECT_EQ(EntryAt(t, 1)->segment->slot, 3u);
    for (int i = 0; i < 4; ++i) tap(2, BandInsert, true);
    ASSERT_EQ(EntryCount(t), 7u);
    Run(50);
    Shot("track-arranged");
    // Seven entries scroll by three columns at most.
    Down(W() - st.rightMargin / 2, st.top + 2);
    Run(3000);
    Up(W() - st.rightMargin / 2, st.top + 2);
    EXPECT_EQ(t.listScroll, -3.0f * float(st.columnWidth));
    Shot("track-scrolled");
    for (int i = 0; i < 4; ++i) tap(6 - i, BandRemovePlay, false);
    ASSERT_EQ(EntryCount(t), 3u);
    Run(50); // the scroll follows the shorter strip
    EXPECT_EQ(t.listScroll, 0.0f);
    tap(0, BandRemovePlay, false);
    // Play from the entry with the segment: the track plays while it is edited.
    tap(0, BandRemovePlay, true);
    EXPECT_EQ(TheGameApp()->play, 1u);
    EXPECT_EQ(t.entryIndex, 0u);
    Run(600);
    EXPECT_GT(t.position, 400.0f);
    Shot("track-playing");
    // Speed: +1 on a touch, and never past 200.
    TapTempo(true);
    EXPECT_EQ(t.speed, 101u);
    TapBackButton();
    ASSERT_TRUE(fs::exists(File("4.tbt")));
    Track saved;
    saved.slot = 4;
    Reset(saved);
    ASSERT_TRUE(Load(saved));
    ASSERT_EQ(EntryCount(saved), 2u);
    EXPECT_EQ(saved.speed, 101u);
    EXPECT_EQ(saved.entries->segment->slot, 3u);
    EXPECT_EQ(saved.entries->repeats, 2u);
    EXPECT_EQ(EntryAt(saved, 1)->segment, nullptr);

    // Cut back to one empty entry, the track is not worth a file.
    Open(CreateTrackEditor(4));
    editor = Current<TrackEditScreen>();
    ASSERT_NE(editor, nullptr);
    editor->track->listScroll = 0;
    for (int i = 0; i < 2; ++i)
        Tap(ColumnX(st, 0, 0) + 2, st.top + BandRemovePlay * band + band / 2);
    EXPECT_EQ(EntryCount(*editor->track), 1u);
    Run(50);
    Shot("track-one-entry");
    Key(kBackKey);
    EXPECT_FALSE(fs::exists(File("4.tbt")));
}

TEST_P(EditorScreenTest, CopyAndPickGoThroughTheChoiceAndComeBackWithTheRecord) {
    TheGameApp()->play = 0;
    Segment seg;
    seg.slot = 3;
    Reset(seg);
    seg.tempo = 150;
    Cell(seg, 3, 0) = 1;
    ASSERT_TRUE(Save(seg));
    // Copying into slot 5 takes slot 3's grid and tempo under slot 5's own name.
    Open(CreateSegmentEditor(5));
    ASSERT_TRUE(Current<SegmentEditScreen>()->otherSegmentsSaved);
    TapCopy();
    ASSERT_NE(Current<SegmentSelectScreen>(), nullptr);
    Run(400);
    Key(kActionKey);
    auto* editor = Current<SegmentEditScreen>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->segment->slot, 5u);
    EXPECT_EQ(editor->segment->tempo, 150u);
    EXPECT_EQ(Cell(*editor->segment, 3, 0), 1u);
    EXPECT_EQ(std::string(editor->segment->name, 5), "seg05");

    // The top band of a column picks the entry's segment; the same track comes back.
    Open(CreateTrackEditor(4));
    Track* track = Current<TrackEditScreen>()->track;
    const StripLayout st = Current<TrackEditScreen>()->Layout();
    Tap(ColumnX(st, 0, 0) + 2, st.top + 2);
    auto* pick = Current<SegmentSelectScreen>();
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->track, track);
    Run(400);
    Key(kActionKey);
    auto* back = Current<TrackEditScreen>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->track, track);
    ASSERT_NE(track->entries->segment, nullptr);
    EXPECT_EQ(track->entries->segment->tempo, 150u);
    Key(kBackKey);
    EXPECT_TRUE(fs::exists(File("4.tbt")));
}

TEST_P(EditorScreenTest, FastForwardHeldThroughTheEndWaitsThereUntilReleased) {
    Segment segment;
    segment.slot = 1;
    Reset(segment);
    Cell(segment, 0, 0) = 1; // 16 steps at 120: a 2000 ms pass
    ASSERT_TRUE(Save(segment));
    Track track;
    track.slot = 1;
    Reset(track);
    track.entries->segment = new Segment;
    track.entries->segment->slot = 1;
    Reset(*track.entries->segment);
    Load(*track.entries->segment);
    ASSERT_TRUE(Save(track));
    TheGameApp()->repeat = 0;
    TheGameApp()->visualise = 0;
    Open(new TrackPlayScreen(1));
    auto* screen = Current<TrackPlayScreen>();
    ASSERT_NE(screen, nullptr);
    const int32_t bar = Button(ButtonCentreBar)->halfWidth;
    const VGBitmap* play = Button(ButtonPlay);
    Tap(W() / 2 - bar - play->halfWidth, H() - play->halfHeight);
    ASSERT_TRUE(screen->playing);
    const VGBitmap* forward = Button(ButtonForward);
    const int32_t fx = W() / 2 + bar + Button(ButtonStop)->fullWidth + forward->halfWidth;
    const int32_t fy = H() - forward->halfHeight;
    Down(fx, fy);
    Run(600); // ten times as fast: well past the end
    ASSERT_NE(screen->track, nullptr);
    EXPECT_EQ(screen->track->position, 2000.0f);
    const VGString atEnd = screen->timeText;
    Run(500);
    // Held: the position, the play button and the time stay at the end.
    EXPECT_EQ(screen->track->position, 2000.0f);
    EXPECT_TRUE(screen->playing);
    EXPECT_EQ(screen->timeText, atEnd);
    Up(fx, fy);
    Run(50);
    // The next normal tick ends the track that does not repeat.
    EXPECT_FALSE(screen->playing);
    EXPECT_EQ(screen->track->position, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EditorScreenTest,
                         testing::Values(Size{480, 640}, Size{640, 480}, Size{240, 320},
                                         Size{320, 240}),
                         [](const testing::TestParamInfo<Size>& info) {
                             return std::to_string(info.param.w) + "x" +
                                    std::to_string(info.param.h);
                         });

} // namespace
