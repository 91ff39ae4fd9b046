#include "tools/bake/art/ArtSet.h"

#include "tools/bake/art/ButtonArt.h"
#include "tools/bake/art/KitArt.h"
#include "tools/bake/art/LogoArt.h"
#include "tools/bake/art/MachineArt.h"
#include "tools/bake/art/MenuArt.h"
#include "tools/bake/art/StickArt.h"
#include "tools/imagewriter/ImageWriter.h"

#include <iostream>

namespace art {

std::vector<ArtFile> BuildArtFiles() {
    std::vector<ArtFile> files;
    files.push_back({"vglogo", false, BuildLogoPack()});
    files.push_back({"menuui", false, BuildMenuPack()});
    files.push_back({"tamborix", true, {BuildTitlePicture()}});
    files.push_back({"buttons", false, BuildButtonsPack()});
    files.push_back({"machine", false, BuildMachinePack()});
    ArtFile drums{"drums", false, BuildDrumsPack()};
    for (ArtImage& lamp : BuildTurnLamps()) drums.images.push_back(std::move(lamp));
    files.push_back(std::move(drums));
    files.push_back({"drumkit", true, {BuildKitBackground()}});
    files.push_back({"sticks", false, BuildSticksPack()});
    return files;
}

bool WriteArtFiles(const std::vector<ArtFile>& files, const std::filesystem::path& folder) {
    for (const ArtFile& file : files) {
        std::vector<imagewriter::Picture> pictures;
        for (const ArtImage& image : file.images)
            pictures.push_back({image.width, image.height, image.id, image.pixels});
        std::string path = (folder / (file.name + ".img")).string();
        bool ok = file.single && pictures.size() == 1
                      ? imagewriter::WriteSingle(path, pictures[0], imagewriter::Trim::KeyMargins)
                      : !file.single &&
                            imagewriter::WritePack(path, pictures, imagewriter::Trim::KeyMargins);
        if (!ok) {
            std::cerr << "bake: cannot write " << path << '\n';
            return false;
        }
    }
    return true;
}

std::vector<std::string> ArtFileNames() {
    return {"vglogo", "menuui", "tamborix", "buttons", "machine", "drums", "drumkit", "sticks"};
}

} // namespace art
