// A language table: its name line, the whole table and look-ups inside and past it.
#include "tests/fuzz/FuzzSupport.h"
#include "varnokengine/VGLanguage.h"
#include "varnokengine/VGStream.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("language/lang_0.dat", data, size);
    VGString name = LanguageName(0);
    LanguageTable table;
    LoadLanguage(table, 0);
    for (uint32_t i = 0; i < 130; i += 7)
        if (GetText(table, i).Length() > kMaxTextLength) std::abort();
    if (name.Length() > kMaxTextLength) std::abort();
    ForgetErrors();
    return 0;
}
