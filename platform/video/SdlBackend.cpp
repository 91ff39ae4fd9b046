#include "platform/video/SdlBackend.h"

#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/video/DesktopKeys.h"
#include "platform/video/PngWriter.h"
#include "platform/video/SdlGamepads.h"
#include "platform/video/SingleInstance.h"
#include "platform/video/Upright.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <iostream>
#include <vector>

namespace platform {

namespace {

// Where the upright picture lies inside an area, scaled to fit and centred.
SDL_Rect FitRect(int32_t areaWidth, int32_t areaHeight, ViewSize view) {
    SDL_Rect r;
    if (int64_t(areaWidth) * view.height <= int64_t(areaHeight) * view.width) {
        r.w = areaWidth;
        r.h = int(int64_t(areaWidth) * view.height / view.width);
    } else {
        r.h = areaHeight;
        r.w = int(int64_t(areaHeight) * view.width / view.height);
    }
    r.x = (areaWidth - r.w) / 2;
    r.y = (areaHeight - r.h) / 2;
    return r;
}

// The desktop code of a key; 0 for keys the program has no use for.
uint16_t DeskKeyFor(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return uint16_t(deskkey::A + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return uint16_t(deskkey::Digit0 + (key - SDLK_0));
    switch (key) {
    case SDLK_UP:
        return deskkey::Up;
    case SDLK_DOWN:
        return deskkey::Down;
    case SDLK_LEFT:
        return deskkey::Left;
    case SDLK_RIGHT:
        return deskkey::Right;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return deskkey::Return;
    case SDLK_SPACE:
        return deskkey::Space;
    case SDLK_ESCAPE:
    case SDLK_AC_BACK:
        return deskkey::Escape;
    case SDLK_BACKSPACE:
        return deskkey::Backspace;
    case SDLK_TAB:
        return deskkey::Tab;
    case SDLK_PAGEUP:
        return deskkey::PageUp;
    case SDLK_PAGEDOWN:
        return deskkey::PageDown;
    case SDLK_HOME:
        return deskkey::Home;
    case SDLK_END:
        return deskkey::End;
    case SDLK_INSERT:
        return deskkey::Insert;
    case SDLK_DELETE:
        return deskkey::Delete;
    case SDLK_F1:
        return deskkey::F1;
    case SDLK_F2:
        return deskkey::F2;
    case SDLK_F3:
        return deskkey::F3;
    case SDLK_SEMICOLON:
        return deskkey::Semicolon;
    case SDLK_EQUALS:
    case SDLK_PLUS:
    case SDLK_KP_PLUS:
        return deskkey::Plus;
    case SDLK_COMMA:
        return deskkey::Comma;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        return deskkey::Minus;
    case SDLK_PERIOD:
        return deskkey::Period;
    case SDLK_SLASH:
    case SDLK_QUESTION:
        return deskkey::Slash;
    case SDLK_BACKQUOTE:
        return deskkey::Backquote;
    case SDLK_LEFTBRACKET:
        return deskkey::LeftBracket;
    case SDLK_BACKSLASH:
        return deskkey::Backslash;
    case SDLK_RIGHTBRACKET:
        return deskkey::RightBracket;
    case SDLK_QUOTE:
        return deskkey::Quote;
    default:
        return 0;
    }
}

class SdlBackend final : public Backend {
public:
    SdlBackend(const SdlOptions& options)
        : options_(options), memory_(size_t(options.width) * size_t(options.height), 0),
          shown_(memory_.size(), 1), upright_(memory_.size()) {}

    ~SdlBackend() override {
        if (!windowShotSaved_ && !options_.windowShotPath.empty() && renderer_) SaveWindowShot();
        if (options_.reportPresents)
            std::cerr << "tamborix: " << framesShown_ << " frames shown, " << framesUnchanged_
                      << " unchanged frames not shown\n";
        pads_.reset();
        if (padsStarted_) StopGamepadSupport();
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_EnableScreenSaver();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool ClaimSingleInstance() override { return instance_.Claim(); }

    bool CreateWindow() override {
        ViewSize view = UprightSize(options_.width, options_.height, orientation_);
        int32_t scale = 1;
        SDL_Rect usable;
        // A window larger than the desktop starts at the largest whole fraction that fits.
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
            while (scale < 8 && (view.width / scale > usable.w || view.height / scale > usable.h))
                ++scale;
        window_ = SDL_CreateWindow("Varnok Games", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   view.width / scale, view.height / scale, SDL_WINDOW_RESIZABLE);
        if (!window_) return Fail("cannot create the window");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) return Fail("cannot create a renderer");
        SDL_DisplayMode mode;
        if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate >= 20)
            refreshMs_ = uint32_t(1000 / mode.refresh_rate);
        SDL_StartTextInput();
        // Controllers are a bonus: without SDL's controller support the keyboard still works.
        padsStarted_ = StartGamepadSupport();
        if (padsStarted_) pads_ = std::make_unique<SdlGamepads>();
        SDL_EnableScreenSaver(); // SDL turns it off by default; the power calls decide
        saverInhibited_ = false;
        nextRefresh_ = TickCount();
        return true;
    }

    FrameBufferInfo FrameBuffer() override {
        return FrameBufferInfo{
            memory_.data(), options_.width, options_.height, 1, options_.width, 1};
    }

    void SetViewOrientation(uint32_t orientation) override {
        if (orientation > 3) orientation = 0;
        bool wasLandscape = orientation_ == 1 || orientation_ == 3;
        bool landscape = orientation == 1 || orientation == 3;
        orientation_ = orientation;
        if (window_ && landscape != wasLandscape) {
            int w, h;
            SDL_GetWindowSize(window_, &w, &h);
            SDL_SetWindowSize(window_, h, w);
        }
        forceShow_ = true;
    }

    void FrameWritten() override {
        dirty_ = true;
        uint32_t now = TickCount();
        if (options_.showEveryFrame || int32_t(now - nextRefresh_) >= 0) ShowNow(now);
    }

    void WaitForRefresh(bool wakeOnInput) override {
        for (;;) {
            ServiceHost();
            if (wakeOnInput && HasInputPending()) return;
            uint32_t now = TickCount();
            int32_t remaining = int32_t(nextRefresh_ - now);
            if (remaining <= 0) {
                if (dirty_ || forceShow_)
                    ShowNow(now);
                else
                    nextRefresh_ = now + refreshMs_;
                return;
            }
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, remaining)) {
                Translate(event);
                Drain();
            }
        }
    }

    uint32_t RefreshMs() const override { return refreshMs_; }

    bool Poll(DeviceEvent& event) override {
        if (pending_.empty()) Drain();
        if (pending_.empty()) return false;
        event = pending_.front();
        pending_.pop_front();
        return true;
    }

    void DiscardPendingInput() override {
        Drain();
        std::erase_if(pending_, [](const DeviceEvent& e) {
            return IsKeyboardEvent(e.type) || IsStylusEvent(e.type);
        });
        stylusDown_ = (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
    }

    void HoldBacklight(bool held) override {
        backlightHeld_ = held;
        UpdateScreenSaver();
    }

    void ResetIdleTimer() override {
        lastIdleReset_ = TickCount();
        idleResetSeen_ = true;
        UpdateScreenSaver();
    }

    void ShowErrorBox(std::u16string_view text) override {
        std::string utf8 = ToUtf8(text);
        std::cerr << utf8 << std::endl;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "", utf8.c_str(), window_);
    }

private:
    bool Fail(const char* what) {
        std::cerr << "tamborix: " << what << ": " << SDL_GetError() << "\n";
        return false;
    }

    bool HasInputPending() const {
        return std::any_of(pending_.begin(), pending_.end(),
                           [](const DeviceEvent& e) { return e.type != EventType::Activate; });
    }

    void Drain() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) Translate(event);
    }

    void ServiceHost() {
        if (instance_.RaiseRequested() && window_) {
            SDL_RestoreWindow(window_);
            SDL_RaiseWindow(window_);
        }
        UpdateScreenSaver();
    }

    void UpdateScreenSaver() {
        bool inhibit = backlightHeld_ || (idleResetSeen_ && int32_t(TickCount() - lastIdleReset_) <
                                                                int32_t(kIdleResetHoldMs));
        if (inhibit == saverInhibited_ || !window_) return;
        saverInhibited_ = inhibit;
        if (inhibit)
            SDL_DisableScreenSaver();
        else
            SDL_EnableScreenSaver();
    }

    // The device point shown at a window point, clamped into the picture.
    void WindowToDevice(int32_t wx, int32_t wy, int16_t& x, int16_t& y) {
        int w, h;
        SDL_GetWindowSize(window_, &w, &h);
        ViewSize view = UprightSize(options_.width, options_.height, orientation_);
        SDL_Rect r = FitRect(std::max(w, 1), std::max(h, 1), view);
        int32_t u = r.w > 0 ? int32_t(int64_t(wx - r.x) * view.width / r.w) : 0;
        int32_t v = r.h > 0 ? int32_t(int64_t(wy - r.y) * view.height / r.h) : 0;
        u = std::clamp(u, 0, view.width - 1);
        v = std::clamp(v, 0, view.height - 1);
        int32_t dx, dy;
        UprightToDevice(options_.width, options_.height, orientation_, u, v, dx, dy);
        x = int16_t(dx), y = int16_t(dy);
    }

    void Push(EventType type) {
        DeviceEvent e;
        e.type = type;
        pending_.push_back(e);
    }

    // SDL stamps its events with its own millisecond count; the program's clock counts from
    // elsewhere, so the event's age is carried over.
    static void Stamp(DeviceEvent& e, Uint32 timestamp) {
        const Uint32 sdlNow = SDL_GetTicks();
        const uint32_t now = TickCount();
        const int32_t age = int32_t(sdlNow - timestamp);
        e.timed = true;
        e.time = age > 0 ? now - uint32_t(age) : now;
    }

    void PushStylus(EventType type, int32_t wx, int32_t wy, Uint32 timestamp) {
        DeviceEvent e;
        e.type = type;
        WindowToDevice(wx, wy, e.x, e.y);
        Stamp(e, timestamp);
        pending_.push_back(e);
    }

    void PushCharacter(char16_t c) {
        DeviceEvent e;
        e.type = EventType::Character;
        e.character = c;
        pending_.push_back(e);
    }

    void Translate(const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            // The picture the user closed, before the program fades it out.
            if (!windowShotSaved_ && !options_.windowShotPath.empty() && renderer_)
                SaveWindowShot();
            Push(EventType::Close);
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_MINIMIZED:
                minimised_ = true;
                Push(EventType::Deactivate);
                break;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_SHOWN:
                if (minimised_) Push(EventType::Activate);
                minimised_ = false;
                forceShow_ = true;
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                forceShow_ = true;
                break;
            default:
                break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            SDL_Keycode sym = event.key.keysym.sym;
            if (sym == SDLK_BACKSPACE && event.type == SDL_KEYDOWN) PushCharacter(8);
            uint16_t desk = DeskKeyFor(sym);
            if (!desk) break;
            DeviceEvent e;
            e.type = event.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
            e.key = HandheldKeyFor(desk);
            e.deskKey = desk;
            e.repeat = event.key.repeat != 0;
            Stamp(e, event.key.timestamp);
            pending_.push_back(e);
            break;
        }
        case SDL_TEXTINPUT:
            TranslateText(event.text.text);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                stylusDown_ = true;
                PushStylus(EventType::StylusDown, event.button.x, event.button.y,
                           event.button.timestamp);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) {
                stylusDown_ = false;
                PushStylus(EventType::StylusUp, event.button.x, event.button.y,
                           event.button.timestamp);
            }
            break;
        case SDL_MOUSEMOTION:
            if (stylusDown_ && (event.motion.state & SDL_BUTTON_LMASK))
                PushStylus(EventType::StylusMove, event.motion.x, event.motion.y,
                           event.motion.timestamp);
            break;
        default:
            if (pads_ && pads_->Handle(event)) {
                DeviceEvent e;
                while (pads_->Poll(e)) pending_.push_back(e);
            }
            break;
        }
    }

    // Typed text arrives as UTF-8; characters beyond Latin-1 have no place in the program.
    void TranslateText(const char* text) {
        const auto* p = reinterpret_cast<const unsigned char*>(text);
        while (*p) {
            if (*p < 0x80) {
                PushCharacter(*p++);
            } else if ((*p & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
                uint32_t c = (uint32_t(*p & 0x1F) << 6) | (p[1] & 0x3F);
                if (c <= 0xFF) PushCharacter(char16_t(c));
                p += 2;
            } else {
                ++p;
                while ((*p & 0xC0) == 0x80) ++p;
            }
        }
    }

    void EnsureTexture(ViewSize view) {
        if (texture_ && textureOrientation_ == orientation_) return;
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                     view.width, view.height);
        textureOrientation_ = orientation_;
    }

    // Turns the area of display memory (all of it when area is empty) upright into the
    // texture and puts the texture into the window.
    void DrawPicture(PixelRect area = PixelRect{}) {
        ViewSize view = UprightSize(options_.width, options_.height, orientation_);
        EnsureTexture(view);
        PixelRect rect = area.Empty()
                             ? PixelRect{0, 0, view.width, view.height}
                             : UprightRect(options_.width, options_.height, orientation_, area);
        RenderUprightRect(memory_.data(), options_.width, options_.height, options_.width,
                          orientation_, rect, upright_.data());
        if (texture_) {
            SDL_Rect part{rect.x, rect.y, rect.width, rect.height};
            SDL_UpdateTexture(texture_, &part,
                              upright_.data() + size_t(rect.y) * size_t(view.width) + rect.x,
                              view.width * 2);
        }
        int w, h;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        SDL_Rect target = FitRect(std::max(w, 1), std::max(h, 1), view);
        // Black bars only where the picture leaves some of the window uncovered.
        if (target.x > 0 || target.y > 0 || target.w < w || target.h < h) {
            SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
            SDL_RenderClear(renderer_);
        }
        if (texture_) SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    }

    // Shows display memory unless the window already shows exactly this picture; only the
    // rectangle that changed since the last shown frame is turned and uploaded.
    void ShowNow(uint32_t now) {
        nextRefresh_ = now + refreshMs_;
        dirty_ = false;
        if (!renderer_) return;
        const PixelRect changed =
            ChangedRect(memory_.data(), shown_.data(), options_.width, options_.height);
        if (changed.Empty() && !forceShow_) {
            ++framesUnchanged_;
            return;
        }
        ++framesShown_;
        // A new texture (after a turn) or a window that lost its picture needs all of it.
        const bool whole = forceShow_ || textureOrientation_ != orientation_ || !texture_;
        forceShow_ = false;
        DrawPicture(whole ? PixelRect{} : changed);
        SDL_RenderPresent(renderer_);
        for (int32_t y = changed.y; y < changed.y + changed.height; ++y) {
            const size_t row = size_t(y) * size_t(options_.width);
            std::memcpy(shown_.data() + row + changed.x, memory_.data() + row + changed.x,
                        size_t(changed.width) * sizeof(uint16_t));
        }
    }

    void SaveWindowShot() {
        windowShotSaved_ = true;
        DrawPicture();
        int w, h;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        std::vector<uint16_t> pixels(size_t(w) * size_t(h));
        if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB565, pixels.data(),
                                 w * 2) == 0)
            WritePngRgb565(options_.windowShotPath, pixels.data(), w, h);
        else
            Fail("cannot read the window back");
    }

    SdlOptions options_;
    SingleInstance instance_;
    std::unique_ptr<SdlGamepads> pads_;
    bool padsStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    uint32_t textureOrientation_ = ~0u;
    std::vector<uint16_t> memory_;
    std::vector<uint16_t> shown_;
    std::vector<uint16_t> upright_;
    uint32_t orientation_ = 0;
    uint32_t refreshMs_ = 16;
    uint32_t nextRefresh_ = 0;
    bool dirty_ = false;
    bool forceShow_ = true;
    std::deque<DeviceEvent> pending_;
    bool stylusDown_ = false;
    bool minimised_ = false;
    bool backlightHeld_ = false;
    bool idleResetSeen_ = false;
    uint32_t lastIdleReset_ = 0;
    bool saverInhibited_ = true;
    bool windowShotSaved_ = false;
    uint64_t framesShown_ = 0;
    uint64_t framesUnchanged_ = 0;
};

} // namespace

void PushSyntheticPress(int32_t x, int32_t y) {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

std::unique_ptr<Backend> CreateSdlBackend(const SdlOptions& options, std::string& error) {
    if (options.width <= 0 || options.height <= 0) {
        error = "bad screen size";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    // With no screen SDL falls back to its off-screen driver on its own; a window nobody can
    // see is only wanted when asked for by name (tests and measurements do).
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (!asked || !*asked) &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no screen to open a window on";
        return nullptr;
    }
    return std::make_unique<SdlBackend>(options);
}

} // namespace platform
