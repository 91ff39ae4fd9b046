#include "varnokengine/VGLanguage.h"

#include "platform/Text.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGStream.h"

namespace {
// Trailing blanks go, each backslash becomes a line break, and optionally every character
// is lower-cased (bytes above 0x7F arrive as 0xFF80.. and are left as they are).
VGString CleanEntry(VGString line, bool lowerCase) {
    line.TrimRight();
    std::u16string text(line.Data(), line.Length());
    for (char16_t& c : text) {
        if (c == u'\\')
            c = u'\n';
        else if (lowerCase)
            c = platform::ToLower16(c);
    }
    return VGString(text.c_str());
}
} // namespace

LanguageTable::~LanguageTable() {
    FreeLanguage(*this);
}

VGString LanguageFilePath(uint32_t number) {
    // Joined, not formatted: a folder of any length stays whole.
    return GetAppPath() + Formatted(u"language\\lang_%d.dat", number);
}

VGString LanguageName(uint32_t number) {
    // Whole-file mode reads the file in one call, not one call per byte of the line.
    VGFileReader reader(LanguageFilePath(number), VGFileReader::WholeFile);
    VGString line;
    if (!reader.IsOpen() || !ReadLine(reader, line)) return VGString();
    return CleanEntry(line, false);
}

uint32_t LanguageCount() {
    uint32_t count = 0;
    while (FileExists(LanguageFilePath(count))) ++count;
    return count;
}

uint32_t UsableLanguage(uint32_t stored) {
    return FileExists(LanguageFilePath(stored)) ? stored : 0;
}

void LoadLanguage(LanguageTable& table, uint32_t number) {
    FreeLanguage(table);
    VGFileReader reader(LanguageFilePath(number), VGFileReader::WholeFile);
    if (!reader.IsOpen()) return;
    LanguageNode** tail = &table.head;
    VGString line;
    for (uint32_t count = 0; count < kMaxLanguageEntries && ReadLine(reader, line); ++count) {
        auto* node = new LanguageNode;
        node->text = CleanEntry(line, true);
        *tail = node;
        tail = &node->next;
    }
}

void FreeLanguage(LanguageTable& table) {
    while (table.head) {
        LanguageNode* next = table.head->next;
        delete table.head;
        table.head = next;
    }
}

const VGString& GetText(const LanguageTable& table, uint32_t index) {
    // Created on first use and kept until the program ends.
    static const VGString* const missing = new VGString(u"entry missing");
    const LanguageNode* node = table.head;
    for (uint32_t i = 0; node && i < index; ++i) node = node->next;
    return node ? node->text : *missing;
}

uint32_t StoredLanguage() {
    return ReadOption(kOptionLanguage, kNoLanguageChosen);
}

uint32_t ShownLanguage() {
    return UsableLanguage(StoredLanguage());
}
