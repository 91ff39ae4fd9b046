// Bakes language/lang_N.dat from assets/language/lang_N.txt, for N = 0, 1, ... up to the
// first missing source: the program counts languages up to the first missing file too.
#include "tools/bake/BakeIo.h"
#include "tools/bake/BakeStep.h"
#include "tools/bake/LanguageText.h"

namespace {
bool BakeLanguage(const BakeContext& context) {
    int count = 0;
    for (;; ++count) {
        std::string name = "lang_" + std::to_string(count);
        auto source = context.assets / "language" / (name + ".txt");
        if (!std::filesystem::exists(source)) break;
        std::string text, error;
        LanguageTable table;
        if (!ReadTextFile(source, text)) return false;
        if (!ParseLanguageSource(text, table, error))
            return BakeFailure(source.string() + ": " + error);
        std::string bytes = LanguageFileBytes(table);
        if (!WriteWholeFile(context.out / "language" / (name + ".dat"),
                            Bytes(bytes.begin(), bytes.end())))
            return false;
    }
    if (count == 0)
        return BakeFailure("no language sources in " + (context.assets / "language").string());
    return true;
}
const BakeStepRegistration registration("language", &BakeLanguage);
} // namespace
