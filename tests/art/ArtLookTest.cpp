// What a player must be able to read in the art: white text on the dark backgrounds, switch
// states that differ at a glance, handle art that leaves room for the beat numbers, a splash
// whose final picture matches where the moving tiles stop; and a bake that repeats itself
// byte for byte and leaves its review pictures behind.
#include "tests/support/TempFolder.h"
#include "tools/bake/art/ArtPreview.h"
#include "tools/bake/art/ArtSet.h"
#include "tools/bake/art/LogoArt.h"
#include "tools/png/PngFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace {

using art::ArtImage;

const std::vector<art::ArtFile>& Files() {
    static const std::vector<art::ArtFile> files = art::BuildArtFiles();
    return files;
}

const ArtImage& Image(uint32_t id) {
    for (const art::ArtFile& file : Files())
        for (const ArtImage& image : file.images)
            if (image.id == id) return image;
    static const ArtImage none;
    ADD_FAILURE() << "no image " << id;
    return none;
}

// Luminance 0..255 of a 565 pixel.
double Luma(uint16_t p) {
    double r = (p >> 11) * 255.0 / 31, g = ((p >> 5) & 63) * 255.0 / 63, b = (p & 31) * 255.0 / 31;
    return 0.299 * r + 0.587 * g + 0.114 * b;
}

// Mean luminance of the non-key pixels inside a rectangle.
double MeanLuma(const ArtImage& image, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            uint16_t p = image.pixels[size_t(y) * image.width + x];
            if (p == art::Key) continue;
            sum += Luma(p);
            ++n;
        }
    return n ? sum / n : 0;
}

TEST(ArtLook, TextBackgroundsAreDarkEnoughForLightText) {
    // Menu text over the panel's part seen in both orientations.
    EXPECT_LT(MeanLuma(Image(100), 80, 160, 560, 640), 60);
    // Bar 418's display window, the beat-number band and the row labels.
    EXPECT_LT(MeanLuma(Image(418), 12, 6, 148, 46), 40);
    EXPECT_LT(MeanLuma(Image(501), 0, 0, 640, 32), 60);
    EXPECT_LT(MeanLuma(Image(506), 0, 0, 150, 32), 70);
    EXPECT_LT(MeanLuma(Image(507), 0, 0, 150, 32), 70);
    // Track columns: the name field and the repeat count are written in the middle.
    for (uint32_t id : {518u, 519u}) EXPECT_LT(MeanLuma(Image(id), 30, 8, 70, 80), 60) << id;
}

TEST(ArtLook, SwitchStatesAndCellsDifferAtAGlance) {
    const std::pair<uint32_t, uint32_t> onOff[] = {{401, 402}, {411, 412}, {415, 416}};
    for (auto [on, off] : onOff) {
        double lit = MeanLuma(Image(on), 0, 0, 48, 48);
        double dim = MeanLuma(Image(off), 0, 0, 48, 48);
        EXPECT_GT(lit - dim, 20) << on << " against " << off;
    }
    // A struck cell stands out from an empty one in every row and beat shade.
    for (uint32_t empty = 510; empty <= 513; ++empty) {
        double off = MeanLuma(Image(empty), 0, 0, 32, 32);
        double on = MeanLuma(Image(empty + 4), 0, 0, 32, 32);
        EXPECT_GT(on - off, 60) << empty;
    }
    // Even and odd rows, and alternate groups of four steps, are told apart.
    EXPECT_GT(std::abs(MeanLuma(Image(510), 0, 0, 32, 32) - MeanLuma(Image(512), 0, 0, 32, 32)), 4);
    EXPECT_NE(Image(510).pixels, Image(511).pixels);
}

TEST(ArtLook, StepHandlesLeaveTheLowerRowsForBeatNumbers) {
    for (uint32_t id : {407u, 408u}) {
        const ArtImage& handle = Image(id);
        for (int y = 18; y < handle.height; ++y)
            for (int x = 0; x < handle.width; ++x)
                ASSERT_EQ(handle.pixels[size_t(y) * handle.width + x], art::Key)
                    << id << " at " << x << "," << y;
    }
}

TEST(ArtLook, FinalLogoShowsTheTilesWhereTheyStopLifting) {
    // While image 4 fades in over the lifted tiles, its own tiles must lie on top of them.
    const ArtImage& final = Image(4);
    for (uint32_t tile : {5u, 6u}) {
        const ArtImage& piece = Image(tile);
        int covered = 0, total = 0;
        for (int y = 0; y < piece.height; ++y)
            for (int x = 0; x < piece.width; ++x) {
                if (piece.pixels[size_t(y) * piece.width + x] == art::Key) continue;
                int fx = x + art::LogoLift, fy = y - art::LogoLift;
                ++total;
                if (fx < final.width && fy >= 0 &&
                    final.pixels[size_t(fy) * final.width + fx] != art::Key)
                    ++covered;
            }
        EXPECT_GT(total, 5000) << tile;
        EXPECT_EQ(covered, total) << tile;
    }
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ArtBake, SameSourcesGiveTheSameBytes) {
    TempFolder a, b;
    ASSERT_TRUE(art::WriteArtFiles(Files(), a.Path()));
    ASSERT_TRUE(art::WriteArtFiles(art::BuildArtFiles(), b.Path()));
    for (const std::string& name : art::ArtFileNames()) {
        std::string first = ReadAll(a.Path() / (name + ".img"));
        EXPECT_GT(first.size(), 24u) << name;
        EXPECT_EQ(first, ReadAll(b.Path() / (name + ".img"))) << name;
    }
}

TEST(ArtBake, FailsCleanlyWhenTheFolderIsMissing) {
    TempFolder folder;
    EXPECT_FALSE(art::WriteArtFiles(Files(), folder.Path() / "no" / "such" / "folder"));
}

TEST(ArtBake, ReviewPicturesCoverEveryScreenAtEverySize) {
    TempFolder data;
    std::filesystem::create_directories(data.Path() / "imgs");
    ASSERT_TRUE(art::WriteArtFiles(Files(), data.Path() / "imgs"));
    std::vector<std::string> written = art::WritePreviews(data.Path(), data.Path() / "review");
    std::map<std::string, int> sizes;
    for (const std::string& name : written) {
        int32_t w = 0, h = 0;
        std::vector<uint16_t> pixels;
        ASSERT_TRUE(png::ReadPng((data.Path() / "review" / name).string(), w, h, pixels)) << name;
        std::string tag = std::to_string(w) + "x" + std::to_string(h);
        EXPECT_NE(name.find(tag), std::string::npos) << name;
        ++sizes[tag];
    }
    EXPECT_EQ(sizes["480x640"], 12);
    EXPECT_EQ(sizes["640x480"], 12);
    EXPECT_EQ(sizes["240x320"], 12);
    EXPECT_EQ(art::WriteContactSheets(Files(), data.Path() / "review").size(), Files().size());
}

} // namespace
