#pragma once
// Language tables: every text the screens show is taken by number from the current table,
// read from "language\lang_N.dat" beside the program (8-bit text, one entry per line,
// entry n on line n, a backslash standing for a line break).
#include "varnokengine/VGString.h"

#include <cstdint>

struct LanguageNode {
    VGString text;
    LanguageNode* next = nullptr;
};

// A singly linked list of entries in file order, owned by the application object.
struct LanguageTable {
    LanguageNode* head = nullptr;
    LanguageTable() = default;
    LanguageTable(const LanguageTable&) = delete;
    LanguageTable& operator=(const LanguageTable&) = delete;
    ~LanguageTable();
};

// The program shows about a hundred entries; lines past this many are not read.
constexpr uint32_t kMaxLanguageEntries = 1000;

VGString LanguageFilePath(uint32_t number);
// Line 0 of the language's file as written (not lower-cased); empty when unreadable.
VGString LanguageName(uint32_t number);
// How many language files exist in a row from number 0.
uint32_t LanguageCount();
// The stored language number when its file exists, else 0: a damaged number, or a language
// removed since it was chosen, falls back to the first one.
uint32_t UsableLanguage(uint32_t stored);
// "Language" holds this until the player has chosen a language.
constexpr uint32_t kNoLanguageChosen = 100;
// The stored choice, or kNoLanguageChosen.
uint32_t StoredLanguage();
// The language to show: the stored choice when it can be shown, else the first language.
uint32_t ShownLanguage();
// Replaces the table with the lower-cased entries of the file; a missing file leaves it empty.
void LoadLanguage(LanguageTable& table, uint32_t number);
void FreeLanguage(LanguageTable& table);
// The entry, or the text "entry missing" when the table has no such entry.
const VGString& GetText(const LanguageTable& table, uint32_t index);
