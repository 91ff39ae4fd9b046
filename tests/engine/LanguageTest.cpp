#include "tests/support/TempFolder.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGLanguage.h"

#include <gtest/gtest.h>

namespace {
std::u16string Text(const VGString& s) {
    return std::u16string(s.Data(), s.Length());
}

// A program folder holding the given language files.
struct LanguageFolder {
    TempFolder dir;
    void Write(int number, const std::string& bytes) {
        dir.WriteFile("language/lang_" + std::to_string(number) + ".dat", bytes);
    }
    LanguageFolder() { SetAppPath(VGString(dir.Wide().c_str())); }
};
} // namespace

TEST(Language, EntriesAreLowerCasedTrimmedAndBrokenAtBackslashes) {
    LanguageFolder folder;
    folder.Write(0, "English\nPlay  \t\nLandscape\\Left\n\nK\xC4SE\n");
    LanguageTable table;
    LoadLanguage(table, 0);
    EXPECT_EQ(Text(GetText(table, 0)), u"english");
    EXPECT_EQ(Text(GetText(table, 1)), u"play");
    EXPECT_EQ(Text(GetText(table, 2)), u"landscape\nleft");
    EXPECT_EQ(Text(GetText(table, 3)), u"") << "an empty line keeps its number";
    // Bytes above 0x7F widen to 0xFF80.. and are not lower-cased.
    EXPECT_EQ(Text(GetText(table, 4)), std::u16string(u"k\xFFC4se"));
    EXPECT_EQ(Text(GetText(table, 5)), u"entry missing");
    EXPECT_EQ(Text(GetText(table, 1000)), u"entry missing");
}

TEST(Language, CrLfFilesGiveTheSameTable) {
    LanguageFolder folder;
    folder.Write(0, "Name\nback\nexit\n");
    folder.Write(1, "Name\r\nback\r\nexit\r\n");
    LanguageTable lf, crlf;
    LoadLanguage(lf, 0);
    LoadLanguage(crlf, 1);
    for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(Text(GetText(lf, i)), Text(GetText(crlf, i)));
}

TEST(Language, NameIsLineZeroAsWritten) {
    LanguageFolder folder;
    folder.Write(0, "Fran\xE7"
                    "ais \r\nretour\n");
    EXPECT_EQ(Text(LanguageName(0)), std::u16string(u"Fran\xFFE7"
                                                    u"ais"));
    EXPECT_EQ(Text(LanguageName(7)), u"") << "a missing file has an empty name";
}

TEST(Language, CountStopsAtTheFirstGap) {
    LanguageFolder folder;
    EXPECT_EQ(LanguageCount(), 0u);
    folder.Write(0, "a\n");
    folder.Write(1, "b\n");
    folder.Write(3, "d\n");
    EXPECT_EQ(LanguageCount(), 2u);
}

TEST(Language, MissingFileEmptiesTheTable) {
    LanguageFolder folder;
    folder.Write(0, "English\nback\n");
    LanguageTable table;
    LoadLanguage(table, 0);
    ASSERT_EQ(Text(GetText(table, 1)), u"back");
    LoadLanguage(table, 5);
    EXPECT_EQ(Text(GetText(table, 0)), u"entry missing");
}

TEST(Language, AStoredNumberWithoutAFileFallsBackToTheFirstLanguage) {
    LanguageFolder folder;
    folder.Write(0, "English\nplay\n");
    folder.Write(1, "Deutsch\nspielen\n");
    EXPECT_EQ(UsableLanguage(1), 1u);
    EXPECT_EQ(UsableLanguage(7), 0u);
    EXPECT_EQ(UsableLanguage(0xFFFFFFFFu), 0u);
}

TEST(Language, LongPathsAndLongFilesStayBounded) {
    LanguageFolder folder;
    // A folder longer than the formatting buffer once cut the path.
    std::string deep = "language";
    while (deep.size() < 1100) deep = "d123456789/" + deep;
    std::string lines(2000, '\n');
    folder.dir.WriteFile(deep + "/lang_0.dat", "Name\n" + lines);
    SetAppPath(VGString(
        (folder.dir.Wide() + u"/" + std::u16string(deep.begin(), deep.end() - 8)).c_str()));
    EXPECT_TRUE(LanguageFilePath(0).Length() > 1100);
    EXPECT_EQ(LanguageCount(), 1u);
    LanguageTable table;
    LoadLanguage(table, 0);
    EXPECT_EQ(Text(GetText(table, 0)), u"name");
    EXPECT_EQ(Text(GetText(table, kMaxLanguageEntries - 1)), u"");
    EXPECT_EQ(Text(GetText(table, kMaxLanguageEntries)), u"entry missing");
}
