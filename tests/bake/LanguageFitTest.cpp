// Lays out every language entry with the baked fonts, the way and in the place the program
// draws it, and checks that it fits the 240-pixel-wide small screen (glyphs halved) and the
// 480-pixel-wide large one, and that every character has a glyph in its font.
#include "tests/bake/BakedPack.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGLanguage.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {
const std::filesystem::path kGameDir = TBX_GAME_DIR;

enum class Place {
    Title,       // large font, always split in two lines at the blank nearest the middle
    MenuEntry,   // large font, as written
    BackButton,  // large font, the entry followed by the back arrow
    NextButton,  // large font, the entry followed by the forward arrow
    Value,       // large font, between the two arrows of an options page
    Description, // small font, split in two when longer than 24 characters
    Message,     // large font, re-flowed into lines of about 18 characters
    RowName,     // small font, on a drum-machine row label
    HelpLine,    // small font, beside the track editor's first column
    CharWindow,  // display font, scrolling through five places
};

struct Use {
    std::vector<int> entries;
    Place place;
};

const Use kUses[] = {
    {{4,  12, 17, 18, 19, 26, 30, 35, 38, 42, 44, 45,
      60, 73, 89, 90, 91, 92, 93, 94, 95, 96, 97, 117},
     Place::Title},
    {{0,  3,  9,  10, 11, 12, 13, 14, 15, 16, 18, 42, 44,  45,  49,  50,  51,  52,  53, 54,
      56, 61, 63, 65, 67, 68, 69, 70, 73, 74, 76, 78, 100, 105, 106, 109, 116, 117, 118},
     Place::MenuEntry},
    {{1, 3}, Place::BackButton},
    {{2}, Place::NextButton},
    {{0, 21, 22, 27, 28, 29, 31, 32, 33, 34, 36, 37, 39, 40, 41}, Place::Value},
    {{46, 47, 62, 64, 66, 75, 77, 79, 119, 120}, Place::Description},
    {{98, 99}, Place::Message},
    {{80, 81, 82, 83, 84, 85, 86, 87, 88}, Place::RowName},
    {{101, 102, 103, 104}, Place::HelpLine},
    {{43, 67, 107, 108}, Place::CharWindow},
};

struct Screen {
    const char* name;
    int width;
    BakedFont large, small, display;
};

Screen MakeScreen(bool smallScreen) {
    int s = smallScreen ? 1 : 2; // the layout scale; glyphs are halved on the small screen
    auto imgs = kGameDir / "imgs";
    return {smallScreen ? "240 wide" : "480 wide", 240 * s,
            LoadBakedFont(imgs / "font9100.img", 9100, -2 * s, 10 * s, smallScreen),
            LoadBakedFont(imgs / "font9400.img", 9400, -1 * s, 4 * s, smallScreen),
            LoadBakedFont(imgs / "font9700.img", 9700, 0, 13 * s, smallScreen)};
}

// Every line feed becomes a blank, then one blank nearest the middle becomes a line feed.
std::u16string SplitInTwoLines(std::u16string text) {
    for (char16_t& c : text)
        if (c == u'\n') c = u' ';
    int n = static_cast<int>(text.size()), m = n / 2;
    for (int k = 0; m - k >= 0 || m + k < n; ++k) {
        if (m - k >= 0 && text[m - k] == u' ') return text.replace(m - k, 1, u"\n");
        if (m + k < n && text[m + k] == u' ') return text.replace(m + k, 1, u"\n");
    }
    return text;
}

// Re-flows words into lines shorter than 18 characters.
std::u16string WrapWords(const std::u16string& text) {
    std::u16string flat = text, result, line, word;
    for (char16_t& c : flat)
        if (c == u'\n') c = u' ';
    std::vector<std::u16string> words;
    for (size_t at = 0; at <= flat.size();) {
        size_t end = flat.find(u' ', at);
        if (end == std::u16string::npos) end = flat.size();
        words.push_back(flat.substr(at, end - at));
        at = end + 1;
    }
    bool hasWord = false;
    for (const std::u16string& w : words) {
        if (line.size() + w.size() < 18) {
            if (hasWord) line += u' ';
            line += w;
            hasWord = true;
        } else {
            result += line;
            line = u"\n" + w;
            hasWord = true;
        }
    }
    if (hasWord) result += line;
    return result;
}

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string Printable(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c == u'\n' ? '|' : static_cast<char>(c & 0xFF);
    return out;
}

// The entry as the program shows it: format entries get a two-digit number.
std::u16string Shown(int entry, const VGString& text) {
    std::u16string s(text.Data(), text.Length());
    if (entry == 39 || entry == 40) {
        size_t at = s.find(u"%d");
        if (at != std::u16string::npos) s.replace(at, 2, u"30");
    }
    return s;
}

void CheckPlace(const Screen& screen, const char* language, int entry, const std::u16string& text,
                Place place) {
    const BakedFont* font = &screen.large;
    std::u16string laidOut = text;
    int limit = screen.width - 8 * screen.width / 240; // a small margin on either side
    switch (place) {
    case Place::Title:
        laidOut = SplitInTwoLines(text);
        break;
    case Place::MenuEntry:
        break;
    case Place::BackButton:
        laidOut += u'\x13';
        limit = screen.width / 2 - 8;
        break;
    case Place::NextButton:
        laidOut += u'\x12';
        limit = screen.width / 2 - 8;
        break;
    case Place::Value:
        limit = screen.width * 2 / 3;
        break;
    case Place::Description:
        font = &screen.small;
        if (text.size() > 24) laidOut = SplitInTwoLines(text);
        break;
    case Place::Message:
        laidOut = WrapWords(text);
        break;
    case Place::RowName:
        font = &screen.small;
        limit = screen.width / 3;
        break;
    case Place::HelpLine:
        font = &screen.small;
        limit = screen.width * 4 / 5;
        break;
    case Place::CharWindow:
        font = &screen.display;
        limit = 1 << 30;
        break;
    }
    std::vector<std::u16string> lines = Lines(laidOut);
    if (place == Place::RowName || place == Place::HelpLine || place == Place::CharWindow ||
        place == Place::BackButton || place == Place::NextButton) {
        EXPECT_LE(lines.size(), 1u) << language << " entry " << entry << ": no line break here";
    }
    for (const std::u16string& line : lines) {
        int width = font->TextWidth(line);
        EXPECT_LE(width, limit) << language << " entry " << entry << " \"" << Printable(line)
                                << "\" is " << width << " px on the " << screen.name << " screen";
        for (char16_t c : line)
            EXPECT_TRUE(c == u' ' || font->Find(c))
                << language << " entry " << entry << ": no glyph for code " << (c & 0xFF);
    }
}
} // namespace

TEST(LanguageFit, EveryEntryFitsWhereItIsDrawnOnBothScreens) {
    SetAppPath(VGString((kGameDir.u16string()).c_str()));
    uint32_t count = LanguageCount();
    ASSERT_EQ(count, 4u) << "English, German, French and Spanish";
    Screen screens[] = {MakeScreen(true), MakeScreen(false)};
    ASSERT_FALSE(screens[0].large.glyphs.empty());
    for (uint32_t language = 0; language < count; ++language) {
        LanguageTable table;
        LoadLanguage(table, language);
        std::string name = Printable(std::u16string(LanguageName(language).Data()));
        for (const Use& use : kUses)
            for (int entry : use.entries) {
                const VGString& text = GetText(table, entry);
                ASSERT_FALSE(text.IsEmpty()) << name << " lacks entry " << entry;
                ASSERT_FALSE(text == u"entry missing") << name << " lacks entry " << entry;
                std::u16string shown =
                    entry == 0 ? std::u16string(LanguageName(language).Data()) : Shown(entry, text);
                for (const Screen& screen : screens)
                    CheckPlace(screen, name.c_str(), entry, shown, use.place);
            }
        EXPECT_FALSE(GetText(table, 118) == u"entry missing") << "every table reaches 118";
    }
}

TEST(LanguageFit, FormatEntriesTakeExactlyOneNumber) {
    SetAppPath(VGString((kGameDir.u16string()).c_str()));
    for (uint32_t language = 0; language < LanguageCount(); ++language) {
        LanguageTable table;
        LoadLanguage(table, language);
        for (int entry = 0; entry <= 118; ++entry) {
            std::u16string text(GetText(table, entry).Data());
            int numbers = 0, others = 0;
            for (size_t i = 0; i + 1 < text.size(); ++i) {
                if (text[i] != u'%') continue;
                if (text[i + 1] == u'd')
                    ++numbers;
                else if (text[i + 1] != u'%')
                    ++others;
                ++i;
            }
            bool format = entry == 39 || entry == 40;
            EXPECT_EQ(numbers, format ? 1 : 0) << "language " << language << " entry " << entry;
            EXPECT_EQ(others, 0) << "language " << language << " entry " << entry;
        }
    }
}
