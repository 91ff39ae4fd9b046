// A pack file through the bitmap manager, then a look-up of the ids the kit asks for.
#include "tests/fuzz/FuzzSupport.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("imgs/pack.img", data, size);
    VGBitmapManager pack;
    pack.Load(VGString(u"pack"));
    for (uint32_t id = 200; id < 230; ++id) pack.Find(id);
    pack.Clear();
    ForgetErrors();
    return 0;
}
