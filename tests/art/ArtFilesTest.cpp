// Checks every image file the art step writes, loaded back with the engine's own loader: the
// ids each pack must hold, flags that match the pixels, the sizes the screens' layouts rely
// on, the kit's masks against the stick landing points, and what load-time halving does.
#include "platform/Text.h"
#include "tests/support/TempFolder.h"
#include "tools/bake/art/ArtSet.h"
#include "tools/bake/art/KitArt.h"
#include "tools/bake/art/StickArt.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGString.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

const char* const PackNames[] = {"vglogo", "menuui", "buttons", "machine", "drums", "sticks"};

std::set<uint32_t> Range(uint32_t first, uint32_t last) {
    std::set<uint32_t> ids;
    for (uint32_t id = first; id <= last; ++id) ids.insert(id);
    return ids;
}

// The art written once into a temporary program folder and loaded at both scales.
struct Loaded {
    std::map<std::string, std::unique_ptr<VGBitmapManager>> packs;
    VGBitmap kit, title;
    const VGBitmap* Image(uint32_t id) const {
        if (id == 200) return &kit;
        if (id == 106) return &title;
        for (const auto& [name, pack] : packs)
            if (const VGBitmap* b = pack->Find(id)) return b;
        return nullptr;
    }
};

class ArtFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder();
        std::filesystem::create_directories(folder->Path() / "imgs");
        ASSERT_TRUE(art::WriteArtFiles(art::BuildArtFiles(), folder->Path() / "imgs"));
        SetAppPath(VGString(folder->Wide().c_str()));
        ClearErrors();
        large = Load(false);
        small = Load(true);
        EXPECT_EQ(ErrorFlag, 0u) << platform::ToUtf8(GetErrorText().Data());
    }
    static void TearDownTestSuite() {
        delete large;
        delete small;
        delete folder;
    }
    static Loaded* Load(bool halve) {
        SetHalveImagesOnLoad(halve);
        auto* l = new Loaded();
        for (const char* name : PackNames) {
            auto pack = std::make_unique<VGBitmapManager>();
            EXPECT_TRUE(pack->Load(VGString(platform::FromUtf8(name).c_str()))) << name;
            l->packs[name] = std::move(pack);
        }
        EXPECT_TRUE(l->kit.LoadFile(0, u"drumkit"));
        EXPECT_TRUE(l->title.LoadFile(0, u"tamborix"));
        SetHalveImagesOnLoad(false);
        return l;
    }
    static const VGBitmap& Img(uint32_t id) {
        const VGBitmap* b = large->Image(id);
        EXPECT_NE(b, nullptr) << "image " << id;
        static VGBitmap none;
        return b ? *b : none;
    }
    static int W(uint32_t id) { return Img(id).fullWidth; }
    static int H(uint32_t id) { return Img(id).fullHeight; }
    static bool HasKey(const VGBitmap& b) {
        for (int i = 0; i < b.width * b.height; ++i)
            if (b.pixels[i] == kColourKey) return true;
        return false;
    }

    static TempFolder* folder;
    static Loaded* large;
    static Loaded* small;
};
TempFolder* ArtFiles::folder = nullptr;
Loaded* ArtFiles::large = nullptr;
Loaded* ArtFiles::small = nullptr;

TEST_F(ArtFiles, EveryPackHoldsExactlyItsIdsOnce) {
    std::map<std::string, std::set<uint32_t>> expected = {
        {"vglogo", {3, 4, 5, 6}},     {"menuui", {100, 101, 102, 103, 104, 105, 107}},
        {"buttons", Range(400, 418)}, {"machine", Range(500, 521)},
        {"drums", Range(201, 228)},   {"sticks", Range(600, 619)},
    };
    expected["drums"].insert({300, 301});
    for (const auto& [name, ids] : expected) {
        const VGBitmapManager& pack = *large->packs.at(name);
        std::multiset<uint32_t> found;
        for (uint32_t i = 0; i < pack.count; ++i) found.insert(pack.images[i]->id);
        EXPECT_EQ(found, std::multiset<uint32_t>(ids.begin(), ids.end())) << name;
    }
    EXPECT_EQ(large->kit.id, 200u);
    EXPECT_EQ(large->title.id, 106u);
}

TEST_F(ArtFiles, FlagsMatchPixelsAndMargins) {
    std::vector<const VGBitmap*> all{&large->kit, &large->title};
    for (const auto& [name, pack] : large->packs)
        for (uint32_t i = 0; i < pack->count; ++i) all.push_back(pack->images[i]);
    for (const VGBitmap* b : all) {
        SCOPED_TRACE(b->id);
        EXPECT_EQ((b->flags & FlagKeyed) != 0, HasKey(*b));
        bool trimmed = b->trimLeft || b->trimRight || b->trimTop || b->trimBottom;
        EXPECT_EQ((b->flags & FlagTrimmed) != 0, trimmed);
        EXPECT_EQ((b->flags & FlagTrimLeft) != 0, b->trimLeft != 0);
        EXPECT_EQ((b->flags & FlagTrimTop) != 0, b->trimTop != 0);
        EXPECT_EQ((b->flags & FlagTrimRight) != 0, b->trimRight != 0);
        EXPECT_EQ((b->flags & FlagTrimBottom) != 0, b->trimBottom != 0);
        // Even logical sizes keep centring exact after halving.
        EXPECT_EQ(b->fullWidth % 2, 0);
        EXPECT_EQ(b->fullHeight % 2, 0);
    }
    std::vector<uint32_t> opaque{100, 101, 102, 107, 200, 500, 501};
    for (uint32_t id = 506; id <= 521; ++id) opaque.push_back(id);
    for (uint32_t id : opaque) {
        EXPECT_FALSE(HasKey(Img(id))) << id;
        EXPECT_EQ(Img(id).flags & FlagTrimmed, 0u) << id;
    }
}

TEST_F(ArtFiles, ScreenFillingImagesCoverBothOrientations) {
    for (uint32_t id = 201; id <= 228; ++id) {
        EXPECT_EQ(W(id), 640) << id;
        EXPECT_EQ(H(id), 640) << id;
    }
    EXPECT_EQ(W(200), 640);
    EXPECT_EQ(H(200), 640);
    EXPECT_GE(W(100), 640);
    EXPECT_GE(H(100), 640);
    for (uint32_t id : {101u, 102u, 107u, 500u, 501u}) EXPECT_GE(W(id), 640) << id;
    // The strip's two copies must join without a seam: its edge columns match, and only
    // brightnesses from about a half to full are used.
    const VGBitmap& strip = Img(107);
    for (int y = 0; y < strip.height; ++y) {
        int left = strip.pixels[y * strip.width] & 31;
        int right = strip.pixels[y * strip.width + strip.width - 1] & 31;
        EXPECT_LE(std::abs(left - right), 1) << "row " << y;
    }
    for (int i = 0; i < strip.width * strip.height; ++i) {
        ASSERT_GE(strip.pixels[i] & 31, 18);
    }
    // The title picture stays above the first menu entry in landscape.
    EXPECT_LE(W(106), 480);
    EXPECT_LE(H(106), 172);
}

TEST_F(ArtFiles, GridAndStripPartsFitTheirLayout) {
    const int cell = H(510);
    for (uint32_t id = 510; id <= 517; ++id) {
        EXPECT_EQ(W(id), cell) << id;
        EXPECT_EQ(H(id), cell) << id;
    }
    // The play cursor is placed five cells in, where the cells start after the label.
    EXPECT_EQ(W(506), 5 * cell);
    EXPECT_EQ(W(507), W(506));
    for (uint32_t id = 506; id <= 509; ++id) EXPECT_EQ(H(id), cell) << id;
    EXPECT_EQ(W(508), W(509));
    EXPECT_LE(W(506) + 8 * cell + W(508), 480);
    EXPECT_EQ(H(504), 9 * cell);

    EXPECT_EQ(H(518), 160);
    EXPECT_EQ(W(519), W(518));
    EXPECT_EQ(H(519), H(518));
    EXPECT_EQ(H(520), 160);
    EXPECT_EQ(H(521), 160);
    EXPECT_LE(W(520) + 4 * W(518) + W(521), 480);
    EXPECT_EQ(H(505), H(518));

    EXPECT_EQ(H(407), H(408));
    EXPECT_LE(H(407), H(501));
    EXPECT_EQ(W(407), cell);
    EXPECT_EQ(W(408), cell);
    EXPECT_LT(H(502), 160);
    EXPECT_EQ(W(502), W(503));
    EXPECT_EQ(H(502), H(503));
}

TEST_F(ArtFiles, ButtonPairsMatchAndTheRowFitsPortrait) {
    const std::pair<uint32_t, uint32_t> same[] = {{401, 402}, {400, 405}, {405, 406}, {411, 412},
                                                  {415, 416}, {103, 104}, {300, 301}, {400, 404}};
    for (auto [a, b] : same) {
        EXPECT_EQ(W(a), W(b)) << a << " vs " << b;
        EXPECT_EQ(H(a), H(b)) << a << " vs " << b;
    }
    const int side = 240 - W(418) / 2;
    EXPECT_LE(W(409) + W(410), side - W(401));
    EXPECT_LE(W(411) + W(414) + W(405), side);
    EXPECT_LE(W(403) + W(405) + W(404), side);
    EXPECT_LE(W(406) + W(413) + W(404), side);
    // Five display-font places of 26 px over the bar, glyph bottoms 4 px above the edge.
    EXPECT_GE(W(418), 130);
    EXPECT_GE(H(418), 38 + 4);
    EXPECT_EQ(H(403) % 2, 0); // its two halves are two buttons
    EXPECT_LE(H(300), 40);    // clear of the crash cymbal at the top of the kit
}

TEST_F(ArtFiles, EveryLandingPointLiesOnItsOwnMaskOnly) {
    for (int piece = 0; piece < art::PieceCount; ++piece) {
        art::KitPoint o = art::LandingOffset(piece);
        if (piece == art::Bass || piece == art::HihatClose) continue; // struck without a stick
        for (int other = 0; other < art::PieceCount; ++other) {
            const VGBitmap& mask = Img(art::MaskId(other));
            bool hit = mask.GetPixel(mask.halfWidth + o.x, mask.halfHeight + o.y) != kColourKey;
            EXPECT_EQ(hit, other == piece) << "landing of " << piece << " on mask " << other;
        }
    }
}

TEST_F(ArtFiles, MasksDoNotOverlapAndStayInTheSafeZone) {
    std::vector<int> owners(640 * 640, 0);
    for (int piece = 0; piece < art::PieceCount; ++piece) {
        const VGBitmap& mask = Img(art::MaskId(piece));
        int pixels = 0;
        for (int y = 0; y < 640; ++y)
            for (int x = 0; x < 640; ++x)
                if (mask.GetPixel(x, y) != kColourKey) {
                    ++owners[y * 640 + x];
                    ++pixels;
                    // Visible in both orientations and clear of the top lamp and the buttons.
                    ASSERT_TRUE(x >= 80 && x < 560 && y >= 120 && y < 512)
                        << "mask " << piece << " at " << x << "," << y;
                }
        EXPECT_GT(pixels, 2000) << "mask " << piece << " is too small to tap";
    }
    for (int count : owners) ASSERT_LE(count, 1);
}

TEST_F(ArtFiles, CymbalFramesRepaintTheRestingCymbal) {
    // Swing frames alternate with "no frame", so each must cover the resting cymbal entirely.
    for (uint32_t mask : {211u, 215u, 219u})
        for (uint32_t frame = mask + 1; frame <= mask + 3; ++frame) {
            const VGBitmap& m = Img(mask);
            const VGBitmap& f = Img(frame);
            int uncovered = 0;
            for (int y = 0; y < 640; ++y)
                for (int x = 0; x < 640; ++x)
                    if (m.GetPixel(x, y) != kColourKey && f.GetPixel(x, y) == kColourKey)
                        ++uncovered;
            EXPECT_EQ(uncovered, 0) << "frame " << frame;
        }
}

TEST_F(ArtFiles, StickTipsTouchAtTheSharedCorner) {
    for (uint32_t f = 0; f < 10; ++f) {
        const VGBitmap& left = Img(600 + f);
        const VGBitmap& right = Img(610 + f);
        EXPECT_NE(left.GetPixel(art::StickTipX, art::StickTipY), kColourKey) << f;
        EXPECT_NE(right.GetPixel(right.fullWidth - 1 - art::StickTipX, art::StickTipY), kColourKey)
            << f;
        // The grip fills the corner every frame shares, so the stick turns about it.
        EXPECT_NE(left.GetPixel(left.fullWidth - 7, left.fullHeight - 7), kColourKey) << f;
        EXPECT_NE(right.GetPixel(6, right.fullHeight - 7), kColourKey) << f;
        if (f > 0) {
            EXPECT_GT(left.fullHeight, Img(600 + f - 1).fullHeight) << "frame " << f << " lifts";
        }
    }
}

TEST_F(ArtFiles, HalvingKeepsOpaqueImagesOpaqueAndHalvesEverySize) {
    for (const auto& [name, pack] : large->packs)
        for (uint32_t i = 0; i < pack->count; ++i) {
            const VGBitmap& big = *pack->images[i];
            const VGBitmap* half = small->packs.at(name)->Find(big.id);
            ASSERT_NE(half, nullptr);
            EXPECT_EQ(half->fullWidth, big.fullWidth / 2) << big.id;
            EXPECT_EQ(half->fullHeight, big.fullHeight / 2) << big.id;
            if (!(big.flags & FlagKeyed)) {
                EXPECT_FALSE(HasKey(*half)) << big.id << " gained a key colour when halved";
            }
        }
    EXPECT_FALSE(HasKey(small->kit));
    EXPECT_EQ(small->kit.fullWidth, 320);
}

TEST_F(ArtFiles, SplashPiecesShareTheLogoCanvas) {
    for (uint32_t id : {3u, 4u, 5u, 6u}) {
        EXPECT_EQ(W(id), W(3)) << id;
        EXPECT_EQ(H(id), H(3)) << id;
    }
    EXPECT_LE(W(3), 480);
    EXPECT_LE(H(3), 480);
}

} // namespace
