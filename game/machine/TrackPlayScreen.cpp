#include "game/machine/TrackPlayScreen.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/KitScreen.h"
#include "game/machine/SegmentEditorShared.h"
#include "game/machine/Sequencer.h"
#include "game/machine/SongExport.h"
#include "game/machine/Track.h"
#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreenMenu.h"
#include "varnokengine/VGTextBlock.h"

#include <new>

namespace {

constexpr uint32_t kTickerStepMs = 300;
constexpr uint32_t kExportLineMs = 4000;

void PrepareKit() {
    DrumKit& kit = TheGameApp()->kit;
    LoadKit(kit, LayoutScale, ShowLoadingMessage);
    kit.mode = MachineDriven;
}

uint32_t Toggled(uint32_t& option, const char16_t* name) {
    option = option ? 0 : 1;
    WriteOption(name, option);
    return option;
}

} // namespace

void PlayTimeText(const Track& track, bool playing, uint32_t msSinceEnter, VGString& text,
                  uint32_t& offset) {
    const int32_t elapsed = ElapsedMs(track);
    if (elapsed != 0 || playing) {
        const int32_t seconds = elapsed / 1000;
        Format(text, u"%2d:%02d", seconds / 60, seconds % 60);
        offset = 0;
        return;
    }
    const int32_t total = TotalDurationMs(track) / 1000;
    VGString turn = NameText(track);
    turn.Append(u" - ");
    turn.Append(Formatted(u"%02d:%02d", total / 60, total % 60));
    turn.Append(u"  ");
    offset = (msSinceEnter / kTickerStepMs) % turn.Length();
    text = turn + turn;
}

TrackPlayScreen::TrackPlayScreen(uint32_t slot) {
    track = new (std::nothrow) Track;
    if (track) {
        track->slot = slot;
        Reset(*track);
        Load(*track);
    }
    if (TheGameApp() && TheGameApp()->visualise) PrepareKit();
    playing = false;
}

TrackPlayScreen::~TrackPlayScreen() {
    delete track;
}

void TrackPlayScreen::Leave() {
    MenuScreen::Leave();
    delete track;
    track = nullptr;
}

VGScreen* TrackPlayScreen::HandleStylus() {
    const VGApplication& app = *TheApp;
    mode = ModeNormal;
    if (app.IsPressedOrRepeated(KeyStylus)) {
        // The switches flip once per tap: a held stylus must not make them flicker.
        const bool fresh = app.IsPressed(KeyStylus);
        if (HitCornerButton(ButtonBack)) {
            PlayClick();
            return CreateScreen(ScreenDrumMachineMenu);
        }
        if (fresh && HitBottomLeft(ButtonVisualiseOn)) {
            PlayClick();
            redraw = kRedrawAll;
            if (Toggled(TheGameApp()->visualise, kOptionVisualise)) PrepareKit();
        } else if (fresh && HitTopLeft()) {
            PlayClick();
            Toggled(TheGameApp()->repeat, kOptionRepeat);
            redraw |= kRedrawRepeat;
        } else if (fresh && HitPlayLeftOfBar()) {
            PlayClick();
            playing = !playing;
            redraw |= kRedrawTransport;
        } else if (fresh && HitStopRightOfBar()) {
            PlayClick();
            playing = false;
            if (track) ResetPosition(*track);
            redraw |= kRedrawTransport;
        }
    }
    if (app.keys[KeyStylus].flags & KeyHeld) {
        if (HitForwardButton())
            mode = ModeFastForward;
        else if (HitRewindButton())
            mode = ModeRewind;
        if (mode != ModeNormal && app.IsPressed(KeyStylus)) PlayClick();
    }
    return nullptr;
}

void TrackPlayScreen::HandleKeys() {
    const VGApplication& app = *TheApp;
    if (app.IsPressed(KeyAction)) {
        PlayClick();
        playing = !playing;
        redraw |= kRedrawTransport;
    }
    if (app.IsDeskKeyPressed(platform::LetterKey('s'))) {
        PlayClick();
        playing = false;
        if (track) ResetPosition(*track);
        redraw |= kRedrawTransport;
    }
    if (app.IsDeskKeyPressed(platform::LetterKey('v'))) {
        PlayClick();
        redraw = kRedrawAll;
        if (Toggled(TheGameApp()->visualise, kOptionVisualise)) PrepareKit();
    }
    if (app.IsDeskKeyPressed(platform::LetterKey('l'))) {
        PlayClick();
        Toggled(TheGameApp()->repeat, kOptionRepeat);
        redraw |= kRedrawRepeat;
    }
    if (mode != ModeNormal) return; // the stylus on a winding button comes first
    if (app.IsDeskKeyHeld(platform::LetterKey('f')))
        mode = ModeFastForward;
    else if (app.IsDeskKeyHeld(platform::LetterKey('r')))
        mode = ModeRewind;
    if (app.IsDeskKeyPressed(platform::LetterKey('f')) ||
        app.IsDeskKeyPressed(platform::LetterKey('r')))
        PlayClick();
}

void TrackPlayScreen::OnChar(char16_t character) {
    if (character == u'e' || character == u'E') exportAsked = true;
}

void TrackPlayScreen::ExportTrackToMusic() {
    exportAsked = false;
    if (!track) return;
    PlayClick();
    // The render plays the track from its start; the place the player listens at stays.
    const float position = track->position;
    const uint32_t entryIndex = track->entryIndex, repeatIndex = track->repeatIndex;
    const int32_t lastStep = track->lastStep;
    VGString path;
    std::string error;
    const bool ok = ExportToMusicFolder(*track, path, error);
    track->position = position;
    track->entryIndex = entryIndex;
    track->repeatIndex = repeatIndex;
    track->lastStep = lastStep;
    exportLabel = GetText(ok ? TextSavedTo : TextExportFailed);
    exportLine = ok ? path : VGString();
    exportLineSince = Now;
    redraw = kRedrawAll;
}

// One line above the buttons; a path too wide for the screen loses its start.
void TrackPlayScreen::DrawExportLine() {
    const VGFont* font = MenuFontOf(FontSmall);
    if (exportLabel.IsEmpty() || !font || !RenderTarget.target) return;
    const int32_t room = RenderTarget.target->fullWidth - 8 * LayoutScale;
    VGString line = exportLabel + u" " + exportLine;
    auto width = [font](const VGString& text) {
        int32_t w = 0;
        for (uint32_t i = 0; i < text.Length(); ++i) w += font->CharWidth(text[i] & 0xFF);
        return w;
    };
    uint32_t cut = 0;
    while (width(line) > room && cut + 1 < exportLine.Length()) {
        ++cut;
        line = exportLabel + u" ..." + VGString(exportLine.Data() + cut);
    }
    const int32_t y =
        RenderTarget.target->fullHeight - ImageHeight(ButtonPlay, false) - 4 * LayoutScale;
    DrawSmallText(line, RenderTarget.target->halfWidth, y, true);
}

VGScreen* TrackPlayScreen::Update() {
    VGScreen* next = VGScreen::Update();
    if (!next && exportAsked) ExportTrackToMusic();
    if (!exportLabel.IsEmpty() && uint32_t(Now - exportLineSince) > kExportLineMs) {
        exportLabel = VGString();
        exportLine = VGString();
        redraw = kRedrawAll;
    }
    if (!next && TheApp->IsPressed(KeyBack)) {
        PlayClick();
        next = CreateScreen(ScreenDrumMachineMenu);
    }
    if (!next) next = HandleStylus();
    if (!next) HandleKeys();
    if (!next && track) {
        const bool visualise = TheGameApp()->visualise != 0;
        if (SequencerTickFrame(*track, !playing, TheGameApp()->repeat != 0, mode, visualise,
                               &TheGameApp()->kit)) {
            playing = false;
            redraw |= kRedrawTransport;
        }
    }
    if (TheGameApp()->visualise) {
        redraw = kRedrawAll;
        UpdateKit(TheGameApp()->kit, FrameKitInput());
    }
    UpdateTimeText();
    return next;
}

void TrackPlayScreen::UpdateTimeText() {
    if (!track) return;
    VGString text;
    uint32_t offset = 0;
    PlayTimeText(*track, playing, uint32_t(Now - uint32_t(enterTime)), text, offset);
    if (text == timeText && offset == tickerOffset) return;
    timeText = text;
    tickerOffset = offset;
    redraw |= kRedrawTime;
}

void TrackPlayScreen::DrawContent() {
    if (TheGameApp()->visualise) {
        DrawKit(TheGameApp()->kit, GraphicsQuality, LayoutScale);
        return;
    }
    DrawMenuPanel(panelImage, nullptr);
    VGBitmap logo;
    if (logo.LoadFile(MenuLogo, u"tamborix") && RenderTarget.target)
        VGBitmap::Draw(&logo, RenderTarget.target->halfWidth - logo.halfWidth,
                       RenderTarget.target->halfHeight - logo.halfHeight);
}

void TrackPlayScreen::Draw() {
    if (redraw == 0) {
        TheDisplay.skipNextPresent = 1;
        return;
    }
    if (redraw == kRedrawAll) {
        VGScreen::Draw();
        DrawCornerButton(ButtonBack);
        DrawRewindButton();
        DrawRightOfBar(ButtonStop);
        DrawForwardButton();
        DrawBottomLeft(TheGameApp()->visualise ? ButtonVisualiseOn : ButtonVisualiseOff);
        DrawExportLine();
    }
    if (redraw & kRedrawTransport) DrawLeftOfBar(playing ? ButtonPause : ButtonPlay);
    if (redraw & kRedrawRepeat)
        DrawTopLeft(TheGameApp()->repeat ? ButtonRepeatOn : ButtonRepeatOff);
    if (redraw & kRedrawTime) DrawCharWindow(timeText, int32_t(tickerOffset));
    redraw = 0;
}
