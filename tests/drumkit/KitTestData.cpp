#include "tests/drumkit/KitTestData.h"

#include "tools/imagewriter/ImageWriter.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"

#include <filesystem>

namespace {

using imagewriter::Picture;

constexpr int32_t kMaskSide = 420; // logical size of every mask, centred on the screen

Picture Solid(uint32_t id, int32_t w, int32_t h, uint16_t colour) {
    Picture p;
    p.id = id;
    p.width = w;
    p.height = h;
    p.pixels.assign(size_t(w) * size_t(h), colour);
    return p;
}

void Fill(Picture& p, int32_t cx, int32_t cy, int32_t radius, bool square) {
    for (int32_t y = cy - radius; y <= cy + radius; ++y)
        for (int32_t x = cx - radius; x <= cx + radius; ++x) {
            if (x < 0 || y < 0 || x >= p.width || y >= p.height) continue;
            int32_t ddx = x - cx, ddy = y - cy;
            if (square || ddx * ddx + ddy * ddy <= radius * radius)
                p.pixels[size_t(y) * size_t(p.width) + size_t(x)] = 0x07E0;
        }
}

Picture Mask(uint32_t piece, uint32_t id) {
    Picture p = Solid(id, kMaskSide, kMaskSide, kColourKey);
    int32_t dx = 0, dy = 0;
    PieceSpot(piece, dx, dy);
    const int32_t half = kMaskSide / 2;
    Fill(p, half + dx, half + dy, kMaskRadius, false);
    if (piece == TomHi || piece == Snare) Fill(p, half + kOverlapX, half + kOverlapY, 6, true);
    return p;
}

} // namespace

uint16_t StickColour(uint32_t id) {
    return uint16_t(0x1000 + (id - 600) * 0x0841);
}
uint16_t FrameColour(uint32_t id) {
    return uint16_t(0x8000 + (id - 200) * 0x0421);
}

void PieceSpot(uint32_t piece, int32_t& dx, int32_t& dy) {
    static const int32_t spots[kPieceCount][2] = {{134, -4},    {51, -111},  {-43, -108},
                                                  {0, 120},     {-107, -25}, {120, -88},
                                                  {-102, -133}, {-161, 15},  {-150, 150}};
    dx = spots[piece][0];
    dy = spots[piece][1];
}

void WriteTestKit(const TempFolder& folder) {
    const std::string imgs = (folder.Path() / "imgs").string();
    std::filesystem::create_directories(imgs);
    const uint32_t masks[kPieceCount] = {204, 203, 202, 205, 201, 211, 215, 219, 223};
    std::vector<Picture> drums;
    for (uint32_t i = 0; i < kPieceCount; ++i) drums.push_back(Mask(i, masks[i]));
    for (uint32_t id = 206; id <= 228; ++id) {
        bool isMask = false;
        for (uint32_t m : masks) isMask = isMask || m == id;
        if (!isMask) drums.push_back(Solid(id, 20, 20, FrameColour(id)));
    }
    drums.push_back(Solid(300, 40, 10, 0xFFE0));
    drums.push_back(Solid(301, 40, 10, 0x001F));
    imagewriter::WritePack(imgs + "/drums.img", drums, imagewriter::Trim::KeyMargins);

    std::vector<Picture> sticks;
    for (uint32_t kind = 0; kind < 2; ++kind)
        for (int32_t f = 0; f < 10; ++f) {
            uint32_t id = 600 + kind * 10 + uint32_t(f);
            sticks.push_back(Solid(id, 10 + 2 * f, 30 - 2 * f, StickColour(id)));
        }
    imagewriter::WritePack(imgs + "/sticks.img", sticks, imagewriter::Trim::Off);
    imagewriter::WriteSingle(imgs + "/drumkit.img", Solid(200, 640, 640, kBackgroundColour),
                             imagewriter::Trim::Off);
}

bool LoadTestKit(const TempFolder& folder, DrumKit& kit, KitSounds& sounds) {
    ClearErrors();
    WriteTestKit(folder);
    SetAppPath(VGString(folder.Wide().c_str()));
    kit.sounds = &sounds;
    return LoadKit(kit, 2, nullptr);
}

void RecordingSounds::Add(const char* how, const VGString& name, int32_t priority,
                          SoundStart start) {
    std::string text = how;
    for (uint32_t i = 0; i < name.Length(); ++i) text += char(name[i]);
    played.push_back({text, priority, kit_.clock, start});
}

std::vector<std::string> RecordingSounds::Names() const {
    std::vector<std::string> names;
    for (const PlayedSound& p : played) names.push_back(p.name);
    return names;
}

void ArmRhythmGame(DrumKit& kit, uint32_t slotLength) {
    kit.slotLength = slotLength;
    kit.mode = RhythmMaster;
    kit.lives = 3;
    kit.score = 0;
    kit.phase = 0;
    ResetClock(kit);
}
