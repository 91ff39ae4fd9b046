#include "game/drumkit/ScoreScreens.h"

#include "game/GameApp.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/GameScreenParts.h"
#include "game/drumkit/ResumeFile.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGTextFlow.h"

#include <new>

namespace {

constexpr int32_t kNameCellWidth = 30; // before LayoutScale
constexpr int32_t kMessageGap = 5;     // before LayoutScale

void AddCentred(float fraction, const VGString& text, MenuFont font) {
    AddItem(ItemY(fraction, text, font, kMenuSpread), text, 0, font, AlignCentre,
            TargetWidth() / 2);
}

void AddTable(float headingAt, uint32_t heading, float firstAt, const HighScoreTable& table) {
    AddCentred(headingAt, GetText(heading), FontLarge);
    for (uint32_t i = 0; i < 3; ++i)
        AddCentred(firstAt + 0.13f * float(i), HighScoreLine(i + 1, table.entries[i]), FontSmall);
}

} // namespace

VGString HighScoreLine(uint32_t rank, const HighScoreEntry& entry) {
    VGString initials;
    for (char c : entry.initials) initials.Append(char16_t(uint8_t(c)));
    return Formatted(u"%d) %s   %d", rank, initials, entry.result);
}

void NameEntryScreen::CreateSoftButtons() {
    SetTitle(GetText(TextYourName));
    AddForwardButton(TextContinue, 0);
}

void NameEntryScreen::CreateItems() {
    CharEntryScreen::CreateItems();
    VGString message = Formatted(u"%s\n%d", GetText(TextNewHighScore), GameResult(TheKit()));
    // Both lines sit above the row of letters and its arrows.
    const VGBitmap* arrow = MenuImageOf(MenuLeftArrow);
    const VGFont* font = MenuFontOf(FontLarge);
    int32_t bottom = ArrowLineY() - (arrow ? arrow->halfHeight : 0) - kMessageGap * LayoutScale;
    AddItem(bottom - (font ? font->lineHeight : 0), message, 0, FontLarge, AlignCentre,
            TargetWidth() / 2);
}

int32_t NameEntryScreen::CellWidth() {
    return kNameCellWidth * LayoutScale;
}

uint8_t* NameEntryScreen::Buffer() {
    return reinterpret_cast<uint8_t*>(TheKit().defaultName);
}

VGScreen* NameEntryScreen::OnAction(int32_t id) {
    // The back key also confirms: leaving without entering would lose the result.
    if (id != kTagForward && id != kTagBack) return CharEntryScreen::OnAction(id);
    InsertCurrentHighScore(TheKit());
    return CreateHighScoreScreen(ScreenResultsMenu);
}

void NameEntryScreen::OnExit() {
    SaveResume(TheKit());
}

void HighScoreScreen::CreateSoftButtons() {
    SetTitle(GetText(TextHighScores));
    if (returnId == ScreenMainMenu)
        AddBackButton(TextBack, FlagPulse);
    else
        AddForwardButton(TextContinue, FlagPulse);
}

void HighScoreScreen::CreateItems() {
    const DrumKit& kit = TheKit();
    AddTable(0.0f, TextMemoryMaster, 0.15f, kit.memoryScores);
    AddTable(0.6f, TextRhythmMaster, 0.75f, kit.rhythmScores);
}

VGScreen* HighScoreScreen::OnAction(int32_t id) {
    if (id != kTagForward && id != kTagBack) return nullptr;
    return CreateScreen(returnId);
}
