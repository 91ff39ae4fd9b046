// bake_icons OUT NAME: writes the desktop icon at every size into the icon theme layout
// OUT/<size>x<size>/apps/NAME.png, drawn from the kit's own art.
#include "tools/bake/art/IconArt.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: bake_icons OUT NAME\n";
        return 2;
    }
    if (!art::WriteIcons(argv[1], argv[2])) {
        std::cerr << "bake_icons: cannot write the icons into " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
