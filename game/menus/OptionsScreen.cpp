#include "game/menus/OptionsScreen.h"

#include "game/GameApp.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/ResumeFile.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGLanguage.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGSoundManager.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGTextFlow.h"

#include <algorithm>

namespace {

constexpr uint32_t kPageTitleEntries[kOptionsPages] = {19, 17, 35, 38, 30, 26, 20};
constexpr uint32_t kMaxVolume = 10;
constexpr uint32_t kShutdownCodes = 7;
constexpr uint32_t kOrientations = 4;
constexpr uint32_t kAllQualityBits = 0xFFFFFFFF;
// The page title sits this far above the arrows' top edge.
constexpr int32_t kPageTitleGap = 5;
// Room kept free between the value and each arrow, before LayoutScale.
constexpr int32_t kValueMargin = 8;

VGString Entry(uint32_t n) {
    return GetText(n);
}

VGString ShutdownText(uint32_t code) {
    static constexpr int32_t kMinutes[] = {0, 1, 2, 5, 10, 30};
    if (code == 1) return Formatted(Entry(39).Data(), kMinutes[1]);
    if (code >= 2 && code <= 5) return Formatted(Entry(40).Data(), kMinutes[code]);
    if (code == 6) return Entry(41);
    return Entry(36);
}

VGString QualityText(uint32_t quality) {
    if (quality == 0) return Entry(27);
    if (quality == kDefaultGraphicsQuality) return Entry(28);
    if (quality == kAllQualityBits) return Entry(29);
    return Formatted(u"%d", int32_t(quality));
}

// Every value is laid out by one rule: at full size on the lines its text gives, the arrows
// moving out (as far as the screen allows) to leave it room; only a value too wide even
// then is split at its middle blank. The first line is centred on the arrows, further lines
// hang below it. Returns the arrows' offset from the middle.
int32_t AddValueItem(VGString value, int32_t line, int32_t standardOffset, int32_t arrowWidth) {
    const VGFont* font = MenuFontOf(FontLarge);
    if (!font) return standardOffset;
    const int32_t margin = kValueMargin * LayoutScale;
    const int32_t widest = TargetWidth() / 2 - arrowWidth / 2 - margin / 2;
    auto offsetFor = [&](const VGString& text) {
        return std::max(standardOffset, font->TextWidth(text) / 2 + margin + arrowWidth / 2);
    };
    if (offsetFor(value) > widest) SplitInTwoLines(value);
    AddItem(line + font->ascent / 2, value, 0, FontLarge, AlignCentre, TargetWidth() / 2);
    return std::min(offsetFor(value), std::max(widest, standardOffset));
}

} // namespace

uint32_t NextGraphicsQuality(uint32_t quality) {
    if (quality == kDefaultGraphicsQuality) return 0;
    if (quality == 0) return kAllQualityBits;
    if (quality == kAllQualityBits) return kDefaultGraphicsQuality;
    return quality;
}

uint32_t NextLanguage(uint32_t language) {
    uint32_t next = language + 1;
    return FileExists(LanguageFilePath(next)) ? next : 0;
}

void OptionsScreen::Enter() {
    page = PageVolume;
    orientationPending = TheDisplay.orientation;
    languagePending = ShownLanguage();
    if (!FileExists(LanguageFilePath(languagePending))) languagePending = 0;
    ArrowScreen::Enter();
    // Again, now that the arrows whose room the page texts fit into are known.
    CreateItems();
}

void OptionsScreen::CreateSoftButtons() {
    SetTitle(Entry(TextOptions));
    AddBackButton(1, 0);
}

VGString OptionsScreen::PageTitle() const {
    return Entry(kPageTitleEntries[page < kOptionsPages ? page : 0]);
}

VGString OptionsScreen::PageValue() const {
    switch (page) {
    case PageVolume: {
        uint32_t level = TheSoundManager.MasterLevel();
        if (level == 0) return Entry(21);
        if (level >= kMaxVolume) return Entry(22);
        return Formatted(u"%d", int32_t(level));
    }
    case PageLanguage:
        return LanguageName(languagePending);
    case PageBacklight:
        return Entry(UseDeviceBacklight ? 37 : 36);
    case PageAutoShutdown:
        return ShutdownText(AutoShutdown);
    case PageOrientation:
        return Entry(31 + (orientationPending % kOrientations));
    case PageGraphics:
        return QualityText(GraphicsQuality);
    case PageSoundFX:
        return Entry(TheSoundManager.SoundFX() ? 37 : 36);
    default:
        return VGString();
    }
}

void OptionsScreen::CreateItems() {
    ClearItems();
    CreateSoftButtons();
    int32_t middle = TargetWidth() / 2;
    int32_t line = ArrowLineY();
    int32_t arrowHalf = leftArrow ? leftArrow->halfHeight : 0;
    AddItem(line - arrowHalf - kPageTitleGap * LayoutScale, PageTitle(), 0, FontLarge, AlignCentre,
            middle);
    int32_t arrowWidth = leftArrow ? leftArrow->fullWidth : 0;
    widerOffset = 0;
    widerOffset = AddValueItem(PageValue(), line, ArrowOffset(), arrowWidth);
    switch (page) {
    case PageVolume:
        AddMenuEntry(ActionVolumeUp, 0.76f, 13, FlagPulse | FlagRepeat);
        AddMenuEntry(ActionVolumeDown, 1.0f, 14, FlagRepeat);
        break;
    case PageLanguage:
        AddMenuEntry(ActionNextLanguage, 0.76f, TextChange, FlagPulse | FlagRepeat);
        AddMenuEntry(ActionApplyLanguage, 1.0f, TextApply, 0);
        break;
    case PageBacklight:
        AddMenuEntry(ActionToggleBacklight, 0.76f, TextChange, FlagPulse);
        break;
    case PageAutoShutdown:
        AddMenuEntry(ActionNextShutdown, 0.76f, TextChange, FlagPulse | FlagRepeat);
        break;
    case PageOrientation:
        AddMenuEntry(ActionNextOrientation, 0.76f, TextChange, FlagPulse | FlagRepeat);
        AddMenuEntry(ActionApplyOrientation, 1.0f, TextApply, 0);
        break;
    case PageGraphics:
        AddMenuEntry(ActionNextQuality, 0.76f, TextChange, FlagPulse);
        break;
    case PageSoundFX:
        AddMenuEntry(ActionToggleSoundFX, 0.76f, TextChange, FlagPulse);
        break;
    default:
        break;
    }
}

void OptionsScreen::RebuildItems() {
    const TextBlock* focused = FocusedItem();
    int32_t tag = focused ? focused->tag : kTagText;
    CreateItems();
    if (tag != kTagText) SetFocus(tag);
    // Keep a focus when the entry that had it is gone.
    const TextBlock* first = Items().slots[kFirstEntrySlot];
    if (FocusedIndex() < 0) SetFocus(first ? first->tag : kTagBack);
}

void OptionsScreen::OnLeft() {
    page = page == 0 ? kOptionsPages - 1 : page - 1;
    CreateItems();
}

void OptionsScreen::OnRight() {
    page = page + 1 >= kOptionsPages ? 0 : page + 1;
    CreateItems();
}

VGScreen* OptionsScreen::OnAction(int32_t id) {
    switch (id) {
    case ActionBack:
        return CreateScreen(returnId);
    case ActionVolumeUp:
        TheSoundManager.VolumeUp();
        break;
    case ActionVolumeDown:
        TheSoundManager.VolumeDown();
        break;
    case ActionNextOrientation:
        orientationPending = (orientationPending + 1) % kOrientations;
        break;
    case ActionApplyOrientation:
        // Every position is computed from the new back buffer, so rebuilding the items is
        // all the turned screen needs.
        TheDisplay.SetOrientation(orientationPending);
        RebuildItems();
        return nullptr;
    case ActionNextShutdown:
        SetAutoShutdown((AutoShutdown + 1) % kShutdownCodes);
        break;
    case ActionToggleBacklight:
        SetUseDeviceBacklight(UseDeviceBacklight ? 0 : 1);
        break;
    case ActionNextLanguage:
        languagePending = NextLanguage(languagePending);
        break;
    case ActionApplyLanguage:
        WriteOption(kOptionLanguage, languagePending);
        LoadLanguage(TheGame()->language, languagePending);
        RebuildItems();
        return nullptr;
    case ActionToggleSoundFX:
        TheSoundManager.SetSoundFX(TheSoundManager.SoundFX() ? 0 : 1);
        break;
    case ActionNextQuality:
        GraphicsQuality = NextGraphicsQuality(GraphicsQuality);
        WriteOption(kOptionGraphicsQuality, GraphicsQuality);
        break;
    case ActionRefresh:
    case ActionRefreshToo:
        break;
    default:
        return nullptr;
    }
    RebuildItems();
    return nullptr;
}

void OptionsScreen::OnExit() {
    // Opened from the menu during a game: the game survives the program ending here.
    if (returnId == ScreenInGameMenu) SaveResume(TheGameApp()->kit);
}
