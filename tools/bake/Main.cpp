// bake <step> --assets DIR --out DIR [--review DIR]: writes one group of the program's data
// files. The build runs one command per step, so only the groups whose sources changed are
// baked again.
#include "tools/bake/BakeStep.h"

#include <iostream>
#include <system_error>

namespace {
int Usage() {
    std::cerr << "usage: bake <step> --assets DIR --out DIR [--review DIR]\nsteps:";
    for (const auto& name : BakeStepNames()) std::cerr << ' ' << name;
    std::cerr << '\n';
    return 2;
}

// The data folders the program reads, even when a step has nothing to put there. The
// player's files (save/ and the rest) live in the player's own folder, not here.
bool MakeOutputFolders(const std::filesystem::path& out) {
    for (const char* folder : {"imgs", "soundfx", "music", "language", "level"}) {
        std::error_code error;
        std::filesystem::create_directories(out / folder, error);
        if (error) {
            std::cerr << "bake: cannot create " << (out / folder) << ": " << error.message()
                      << '\n';
            return false;
        }
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string step = argv[1];
    BakeContext context;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--assets")
            context.assets = argv[i + 1];
        else if (option == "--out")
            context.out = argv[i + 1];
        else if (option == "--review")
            context.review = argv[i + 1];
        else
            return Usage();
    }
    if ((argc % 2) != 0 || context.assets.empty() || context.out.empty()) return Usage();
    if (context.review.empty()) context.review = context.out / ".." / "bake-review";

    BakeFunction function = FindBakeStep(step);
    if (!function) return Usage();
    if (!MakeOutputFolders(context.out)) return 1;
    std::error_code error;
    std::filesystem::create_directories(context.review, error);
    if (!function(context)) {
        std::cerr << "bake: step '" << step << "' failed\n";
        return 1;
    }
    return 0;
}
