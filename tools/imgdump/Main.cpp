// imgdump: turns a pack or single-image file into one PNG per image (the logical image, key
// pixels left magenta) and a contact sheet with every image on a checkerboard, labelled with
// its id. Usage: imgdump [--small] FILE.img OUTPUT_FOLDER
#include "platform/Files.h"
#include "platform/Text.h"
#include "tools/imgdump/ContactSheet.h"
#include "tools/imgdump/ImageFileLayout.h"
#include "tools/png/PngFile.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGStream.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: imgdump [--small] FILE.img OUTPUT_FOLDER\n"
                         "  --small  halve every image as a 240x320 screen would on loading\n");
    return 2;
}

std::string Stem(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
    platform::InputFile file(platform::FromUtf8(path));
    uint64_t size = 0;
    if (!file.IsOpen() || !file.Size(size) || size > platform::kMaxWholeFileSize) return false;
    bytes.resize(size_t(size));
    return size == 0 || file.Read(bytes.data(), uint32_t(size)) == int64_t(size);
}

std::vector<uint16_t> Logical(const VGBitmap& b) {
    std::vector<uint16_t> out;
    out.reserve(size_t(b.fullWidth) * size_t(b.fullHeight));
    for (int32_t y = 0; y < b.fullHeight; ++y)
        for (int32_t x = 0; x < b.fullWidth; ++x) out.push_back(b.GetPixel(x, y));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    bool small = false;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0)
            small = true;
        else
            args.push_back(argv[i]);
    }
    if (args.size() != 2) return Usage();
    const std::string& input = args[0];
    const std::string& output = args[1];

    std::vector<uint8_t> bytes;
    if (!ReadWhole(input, bytes)) {
        std::fprintf(stderr, "imgdump: cannot read %s\n", input.c_str());
        return 1;
    }
    uint32_t records = 0;
    ImageFileLayout layout = DetectLayout(bytes.data(), bytes.size(), records);
    if (layout == ImageFileLayout::Unknown) {
        std::fprintf(stderr, "imgdump: %s is neither a pack nor a single image\n", input.c_str());
        return 1;
    }
    if (!platform::MakeFolder(platform::FromUtf8(output))) {
        std::fprintf(stderr, "imgdump: cannot make folder %s\n", output.c_str());
        return 1;
    }

    SetHalveImagesOnLoad(small);
    auto copy = std::make_unique<uint8_t[]>(bytes.size() + 1);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    VGMemoryReader reader(std::move(copy), uint32_t(bytes.size()));
    uint32_t skip;
    if (layout == ImageFileLayout::Pack) ReadU32(reader, skip);

    std::vector<std::unique_ptr<VGBitmap>> images;
    for (uint32_t i = 0; i < records; ++i) {
        auto b = std::make_unique<VGBitmap>();
        if (!b->LoadFromStream(reader)) {
            VGString error = GetErrorText();
            std::fprintf(stderr, "imgdump: record %u: %s\n", i,
                         platform::ToUtf8({error.Data(), error.Length()}).c_str());
            return 1;
        }
        images.push_back(std::move(b));
    }

    const std::string stem = Stem(input);
    int failures = 0;
    std::vector<const VGBitmap*> drawable;
    for (size_t i = 0; i < images.size(); ++i) {
        const VGBitmap& b = *images[i];
        std::printf(
            "%3zu id %u  logical %dx%d  stored %dx%d  margins l%d t%d r%d b%d  flags 0x%x\n", i,
            b.id, b.fullWidth, b.fullHeight, b.width, b.height, b.trimLeft, b.trimTop, b.trimRight,
            b.trimBottom, b.flags);
        if (b.fullWidth <= 0 || b.fullHeight <= 0) continue; // nothing to picture
        drawable.push_back(&b);
        std::string name =
            output + "/" + stem + "_" + std::to_string(i) + "_id" + std::to_string(b.id) + ".png";
        if (!png::WritePng(name, b.fullWidth, b.fullHeight, Logical(b).data())) ++failures;
    }
    VGBitmap sheet;
    size_t placed = BuildContactSheet(drawable, sheet);
    if (placed < drawable.size())
        std::fprintf(stderr, "imgdump: %zu images did not fit on the sheet\n",
                     drawable.size() - placed);
    if (!drawable.empty() &&
        !png::WritePng(output + "/" + stem + "_sheet.png", sheet.width, sheet.height, sheet.pixels))
        ++failures;
    if (failures) {
        std::fprintf(stderr, "imgdump: %d PNG files could not be written\n", failures);
        return 1;
    }
    std::printf("%s: %s of %u images -> %s\n", input.c_str(),
                layout == ImageFileLayout::Pack ? "pack" : "single image", records, output.c_str());
    return 0;
}
