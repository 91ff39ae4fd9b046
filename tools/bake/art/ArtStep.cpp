// The baker's art step: draws every image, writes the packs and single images into imgs/,
// then loads them back to render the review pictures and contact sheets.
#include "tools/bake/BakeIo.h"
#include "tools/bake/BakeStep.h"
#include "tools/bake/art/ArtPreview.h"
#include "tools/bake/art/ArtSet.h"

#include <chrono>
#include <iostream>

namespace {

bool BakeArt(const BakeContext& context) {
    auto start = std::chrono::steady_clock::now();
    std::vector<art::ArtFile> files = art::BuildArtFiles();
    if (!art::WriteArtFiles(files, context.out / "imgs")) return BakeFailure("art files");
    auto written = std::chrono::steady_clock::now();
    std::filesystem::path review = context.review / "art";
    size_t pictures = art::WritePreviews(context.out, review).size();
    pictures += art::WriteContactSheets(files, review).size();
    auto end = std::chrono::steady_clock::now();
    using ms = std::chrono::milliseconds;
    std::cout << "art: " << files.size() << " files in "
              << std::chrono::duration_cast<ms>(written - start).count() << " ms, " << pictures
              << " review pictures in " << std::chrono::duration_cast<ms>(end - written).count()
              << " ms (" << review.string() << ")\n";
    return true;
}

const BakeStepRegistration registration("art", &BakeArt);

} // namespace
