// Program entry until the window shell arrives: tells what the program is and how to run it.
#include "game/Version.h"

#include <cstdio>
#include <cstring>

namespace {
void PrintHelp() {
    std::printf("Usage: tamborix [options]\n"
                "  --help              show this text\n"
                "  --version           show the version\n"
                "  --registry FILE     keep settings in FILE instead of the per-user file\n"
                "  --size WxH          screen size in portrait pixels (default 480x640)\n"
                "  --headless          run without a window (with --script FILE)\n");
}
} // namespace

int main(int argc, char** argv) {
    std::printf("%s %s\n", kProgramName, kProgramVersion);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) return 0;
    PrintHelp();
    return 0;
}
