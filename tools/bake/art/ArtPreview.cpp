#include "tools/bake/art/ArtPreview.h"

#include "platform/Text.h"
#include "tools/bake/art/KitArt.h"
#include "tools/bake/art/Paint.h"
#include "tools/png/PngFile.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGString.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace art {

namespace {

struct ScreenSize {
    int w, h;
    const char* tag;
};
constexpr ScreenSize Screens[] = {
    {480, 640, "480x640"}, {640, 480, "640x480"}, {240, 320, "240x320"}};

// Everything one screen size needs, loaded as the game loads it.
struct Loaded {
    VGBitmapManager logo, menu, buttons, machine, drums, sticks;
    VGBitmap kit, title;
    int s = 2;
};

bool LoadAll(Loaded& l, bool small) {
    SetHalveImagesOnLoad(small);
    l.s = small ? 1 : 2;
    bool ok = l.logo.Load(u"vglogo") && l.menu.Load(u"menuui") && l.buttons.Load(u"buttons") &&
              l.machine.Load(u"machine") && l.drums.Load(u"drums") && l.sticks.Load(u"sticks") &&
              l.kit.LoadFile(200, u"drumkit") && l.title.LoadFile(106, u"tamborix");
    SetHalveImagesOnLoad(false);
    return ok;
}

struct Frame {
    VGBitmap buffer;
    int W, H, M;
    explicit Frame(const ScreenSize& size) : W(size.w), H(size.h), M(size.w / 2) {
        buffer.Create(int16_t(W), int16_t(H), 0, 0);
        SetRenderTarget(&buffer);
    }
    ~Frame() { SetRenderTarget(nullptr); }
};

void At(const VGBitmap* b, int x, int y) {
    VGBitmap::Draw(b, x, y);
}
void Centred(const VGBitmap* b, int cx, int cy) {
    if (b) At(b, cx - b->halfWidth, cy - b->halfHeight);
}
void Alpha(const VGBitmap* b, int x, int y, float alpha) {
    if (b && alpha > 0)
        VGBitmap::DrawEx(b, x, y, b->fullWidth, b->fullHeight, 0, 0, 1.0f, 1.0f, BlendAlpha,
                         std::min(alpha, 1.0f));
}
int W(const VGBitmap* b) {
    return b ? b->fullWidth : 0;
}
int Hh(const VGBitmap* b) {
    return b ? b->fullHeight : 0;
}
void Bottom(const VGBitmap* b, int x, int H) {
    At(b, x, H - Hh(b));
}

bool Save(const Frame& f, const std::filesystem::path& path) {
    return png::WritePng(path.string(), f.W, f.H, f.buffer.pixels);
}

// The menu frame as the standard menu draws it: panel, moving strip, title and soft bars.
void MenuFrame(Frame& f, Loaded& l, int stripOffset, bool bars) {
    const VGBitmap* panel = l.menu.Find(100);
    At(panel, f.M - panel->halfWidth, f.H - panel->fullHeight);
    const VGBitmap* strip = l.menu.Find(107);
    int top = f.H - panel->fullHeight;
    for (int copy = 0; copy < 2; ++copy) {
        int x = f.M - stripOffset - strip->halfWidth + copy * strip->fullWidth;
        VGBitmap::DrawEx(strip, x, top, strip->fullWidth, strip->fullHeight, 0, 0, 1.0f, 1.0f,
                         BlendModulate, 1.0f);
    }
    if (!bars) return;
    const VGBitmap* title = l.menu.Find(101);
    At(title, f.M - title->halfWidth, 0);
    const VGBitmap* soft = l.menu.Find(102);
    At(soft, f.M - soft->halfWidth, f.H - soft->fullHeight);
}

int ContentY(Frame& f, Loaded& l, double fraction) {
    int top = Hh(l.menu.Find(101)), bottom = f.H - Hh(l.menu.Find(102));
    return top + int((bottom - top) * fraction);
}

void MenuPreview(Frame& f, Loaded& l) {
    MenuFrame(f, l, 37 * l.s, true);
    int y = ContentY(f, l, 0.25);
    int p = 68 * l.s;
    Centred(l.menu.Find(103), f.M - p, y);
    Centred(l.menu.Find(104), f.M + p, y);
    Centred(l.menu.Find(105), f.M - 20 * l.s, ContentY(f, l, 0.6));
}

void MainMenuPreview(Frame& f, Loaded& l) {
    MenuFrame(f, l, 0, false);
    Centred(&l.title, f.M, l.title.halfHeight + 14 * l.s);
}

struct Row {
    int left[3];  // outer to inner, 0 for none
    int right[3]; // inner to outer
    int leftCorner, rightCorner;
};

void ButtonRow(Frame& f, Loaded& l, const Row& row) {
    const VGBitmap* bar = l.buttons.Find(418);
    int B = bar->halfWidth;
    Bottom(bar, f.M - B, f.H);
    int x = f.M - B;
    for (int i = 2; i >= 0; --i)
        if (row.left[i]) {
            const VGBitmap* b = l.buttons.Find(row.left[i]);
            x -= W(b);
            Bottom(b, x, f.H);
        }
    x = f.M + B;
    for (int id : row.right)
        if (id) {
            const VGBitmap* b = l.buttons.Find(id);
            Bottom(b, x, f.H);
            x += W(b);
        }
    if (row.leftCorner) Bottom(l.buttons.Find(row.leftCorner), 0, f.H);
    if (row.rightCorner) {
        const VGBitmap* b = l.buttons.Find(row.rightCorner);
        Bottom(b, f.W - W(b), f.H);
    }
}

// Which stick strikes each piece: kind (0 none, 1 left-hand frames, 2 right-hand) and base.
struct StickUse {
    int kind, base;
};
constexpr StickUse Sticks[PieceCount] = {{2, 0}, {2, 3}, {1, 3}, {0, 0}, {1, 0},
                                         {2, 2}, {1, 2}, {1, 0}, {0, 0}};

void KitPreview(Frame& f, Loaded& l, bool hit) {
    Centred(&l.kit, f.M, f.H / 2);
    if (hit) {
        const uint32_t frames[] = {201, 202, 203, 204, 210, 212, 216, 220, 228};
        for (uint32_t id : frames) Centred(l.drums.Find(id), f.M, f.H / 2);
        for (int piece = 0; piece < PieceCount; ++piece) {
            StickUse use = Sticks[piece];
            if (!use.kind) continue;
            KitPoint o = LandingOffset(piece);
            int hx = f.M + o.x * l.s / 2, hy = f.H / 2 + o.y * l.s / 2;
            uint32_t first = use.kind == 1 ? 600 : 610;
            const VGBitmap* base = l.sticks.Find(first + use.base);
            // Ghost trails of the lifted frames, then the stick on the head.
            const float alphas[] = {0.4f, 0.25f, 0.1f};
            for (int i = 3; i >= 0; --i) {
                const VGBitmap* b = l.sticks.Find(first + use.base + i);
                int x = use.kind == 1 ? hx - 2 * l.s + W(base) - W(b) : hx + 2 * l.s - W(base);
                int y = hy - 3 * l.s + Hh(base) - Hh(b);
                if (i == 0)
                    At(b, x, y);
                else
                    Alpha(b, x, y, alphas[i - 1]);
            }
        }
        Centred(l.drums.Find(300), f.M, Hh(l.drums.Find(300)) / 2);
        Row row{{0, 0, 0}, {0, 0, 0}, 0, 400};
        ButtonRow(f, l, row);
    } else {
        Row row{{0, 0, 401}, {403, 0, 0}, 0, 404};
        ButtonRow(f, l, row);
    }
}

void SegmentEditorPreview(Frame& f, Loaded& l) {
    MenuFrame(f, l, 0, false);
    const VGBitmap* cellImg = l.machine.Find(510);
    int cell = Hh(cellImg);
    int label = W(l.machine.Find(506)), margin = W(l.machine.Find(508));
    int top = f.H / 2 - 9 * cell / 2;
    const VGBitmap* above = l.machine.Find(501);
    At(above, 0, top - Hh(above));
    const int steps = 8;
    // A plain rock beat: closed hi-hat on eighths, snare on 2 and 4, bass on 1 and 3+.
    auto struck = [](int r, int step) {
        switch (r) {
        case 3:
            return step == 0 || step == 5;
        case 4:
            return step == 2 || step == 6;
        case 8:
            return step % 2 == 0 && step != 6;
        case 7:
            return step == 6;
        case 6:
            return step == 0;
        default:
            return r == 2 && step == 7;
        }
    };
    for (int r = 0; r < 9; ++r) {
        int y = top + r * cell;
        for (int step = 0; step * cell + label < f.W; ++step) {
            uint32_t id =
                510 + 2 * (r % 2) + 4 * (step < steps && struck(r, step % 8)) + (step / 4) % 2;
            At(l.machine.Find(id), step * cell + label, y);
        }
        At(l.machine.Find(506 + r % 2), 0, y);
        At(l.machine.Find(508 + r % 2), f.W - margin, y);
    }
    const VGBitmap* below = l.machine.Find(500);
    At(below, 0, top + 9 * cell);
    int xEnd = steps * cell + label;
    At(l.buttons.Find(407), xEnd - W(l.buttons.Find(407)), top - Hh(l.buttons.Find(407)));
    At(l.buttons.Find(408), xEnd, top - Hh(l.buttons.Find(408)));
    At(l.machine.Find(502), label, f.H / 2 - l.machine.Find(502)->halfHeight);
    const VGBitmap* mark = l.machine.Find(503);
    At(mark, f.W - margin - W(mark), f.H / 2 - mark->halfHeight);
    At(l.machine.Find(504), 2 * cell + 5 * cell, top);
    const VGBitmap* clear = l.buttons.Find(417);
    At(clear, f.W - W(clear), top + 9 * cell + Hh(below));
    Row row{{0, 0, 401}, {403, 405, 0}, 0, 404};
    ButtonRow(f, l, row);
    At(l.buttons.Find(409), 0, f.H - Hh(l.buttons.Find(409)));
    At(l.buttons.Find(410), W(l.buttons.Find(409)), f.H - Hh(l.buttons.Find(410)));
}

void TrackEditorPreview(Frame& f, Loaded& l) {
    MenuFrame(f, l, 0, false);
    const VGBitmap* column = l.machine.Find(518);
    int top = f.H / 2 - column->halfHeight;
    int left = W(l.machine.Find(520));
    const VGBitmap* above = l.machine.Find(501);
    At(above, 0, top - Hh(above));
    for (int i = 0; i * W(column) + left < f.W; ++i)
        At(l.machine.Find(518 + i % 2), i * W(column) + left, top);
    At(l.machine.Find(520), 0, top);
    const VGBitmap* right = l.machine.Find(521);
    At(right, f.W - W(right), top);
    At(l.machine.Find(505), left + W(column) + W(column) * 2 / 5, top);
    At(l.machine.Find(503), f.W - W(right) - W(l.machine.Find(503)),
       f.H / 2 - l.machine.Find(503)->halfHeight);
    const VGBitmap* below = l.machine.Find(500);
    At(below, 0, top + Hh(column));
    const VGBitmap* clear = l.buttons.Find(417);
    At(clear, f.W - W(clear), top + Hh(column) + Hh(below));
    Row row{{0, 0, 0}, {403, 406, 0}, 0, 404};
    ButtonRow(f, l, row);
    At(l.buttons.Find(409), 0, f.H - Hh(l.buttons.Find(409)));
    At(l.buttons.Find(410), W(l.buttons.Find(409)), f.H - Hh(l.buttons.Find(410)));
}

void PlayScreenPreview(Frame& f, Loaded& l) {
    MenuFrame(f, l, 0, false);
    Centred(&l.title, f.M, f.H / 2);
    At(l.buttons.Find(415), 0, 0);
    Row row{{0, 414, 400}, {406, 413, 0}, 411, 404};
    ButtonRow(f, l, row);
}

void SplashPreview(Frame& f, Loaded& l, int e) {
    f.buffer.Fill(0);
    int cx = f.M, cy = f.H / 2, s = l.s;
    auto alphaCentred = [&](const VGBitmap* b, int x, int y, float a) {
        Alpha(b, x - b->halfWidth, y - b->halfHeight, a);
    };
    alphaCentred(l.logo.Find(3), cx, cy, std::min(e * 0.001f, 1.0f));
    auto piece = [&](const VGBitmap* b, float t) {
        if (t <= 0) {
            int d = int(s * t * 200.0f);
            Centred(b, cx + d, cy - d);
            return;
        }
        alphaCentred(b, cx, cy, 0.2f);
        float k = std::min(t * 10.0f, 6.0f);
        if (k > 3.0f) alphaCentred(b, cx + 3 * s, cy - 3 * s, 0.5f);
        Centred(b, cx + int(s * k), cy - int(s * k));
    };
    piece(l.logo.Find(5), (e - 500) * 0.001f);
    piece(l.logo.Find(6), (e - 1000) * 0.001f);
    alphaCentred(l.logo.Find(4), cx, cy, std::clamp((e - 1500) * 0.001f, 0.0f, 1.0f));
}

} // namespace

std::vector<std::string> WritePreviews(const std::filesystem::path& dataFolder,
                                       const std::filesystem::path& outFolder) {
    std::vector<std::string> written;
    SetAppPath(VGString(platform::FromUtf8(dataFolder.string()).c_str()));
    std::filesystem::create_directories(outFolder);
    for (const ScreenSize& size : Screens) {
        auto l = std::make_unique<Loaded>();
        if (!LoadAll(*l, size.w <= 320 && size.h <= 320)) return written;
        auto emit = [&](const std::string& name, auto&& draw) {
            Frame f(size);
            draw(f, *l);
            std::string file = name + "_" + size.tag + ".png";
            if (Save(f, outFolder / file)) written.push_back(file);
        };
        emit("kit_rest", [](Frame& f, Loaded& l) { KitPreview(f, l, false); });
        emit("kit_hit", [](Frame& f, Loaded& l) { KitPreview(f, l, true); });
        emit("menu_frame", MenuPreview);
        emit("main_menu", MainMenuPreview);
        emit("segment_editor", SegmentEditorPreview);
        emit("track_editor", TrackEditorPreview);
        emit("play_screen", PlayScreenPreview);
        for (int e : {250, 800, 1300, 2000, 2550})
            emit("splash_" + std::to_string(e) + "ms",
                 [e](Frame& f, Loaded& l) { SplashPreview(f, l, e); });
    }
    return written;
}

std::vector<std::string> WriteContactSheets(const std::vector<ArtFile>& files,
                                            const std::filesystem::path& outFolder) {
    std::vector<std::string> written;
    std::filesystem::create_directories(outFolder);
    for (const ArtFile& file : files) {
        // Images shrink to fit cells of at most 200 px; key shows as a grey checkerboard.
        const int cellSide = 200, label = 18, columns = 5;
        int count = int(file.images.size());
        int rows = (count + columns - 1) / columns;
        Canvas sheet = NewCanvas(columns * cellSide, rows * (cellSide + label));
        SetRgb(sheet.cr, 0x202228);
        cairo_paint(sheet.cr);
        for (int i = 0; i < count; ++i) {
            const ArtImage& image = file.images[i];
            int x0 = (i % columns) * cellSide, y0 = (i / columns) * (cellSide + label);
            for (int cy = 0; cy < cellSide; cy += 10)
                for (int cx = 0; cx < cellSide; cx += 10) {
                    SetRgb(sheet.cr, ((cx + cy) / 10) % 2 ? 0x9098A0 : 0x6A7078);
                    cairo_rectangle(sheet.cr, x0 + cx, y0 + cy, 10, 10);
                    cairo_fill(sheet.cr);
                }
            // Large pictures are shown by the part that is not key, so pieces cut from the
            // kit scene stay legible; the caption gives the logical size.
            int bx0 = image.width, by0 = image.height, bx1 = -1, by1 = -1;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    if (image.pixels[size_t(y) * image.width + x] != Key) {
                        bx0 = std::min(bx0, x);
                        by0 = std::min(by0, y);
                        bx1 = std::max(bx1, x);
                        by1 = std::max(by1, y);
                    }
            if (bx1 < 0 || std::max(image.width, image.height) <= cellSide - 8) {
                bx0 = by0 = 0;
                bx1 = image.width - 1;
                by1 = image.height - 1;
            }
            int cropW = bx1 - bx0 + 1, cropH = by1 - by0 + 1;
            double scale = std::min(1.0, double(cellSide - 8) / std::max({cropW, cropH, 1}));
            cairo_surface_t* s = ToSurface(image, 0xFFFFFF);
            // Key pixels become transparent so the checkerboard shows through.
            cairo_surface_t* a = cairo_image_surface_create(
                CAIRO_FORMAT_ARGB32, std::max(image.width, 1), std::max(image.height, 1));
            cairo_surface_flush(a);
            unsigned char* d = cairo_image_surface_get_data(a);
            const unsigned char* src = cairo_image_surface_get_data(s);
            int stride = cairo_image_surface_get_stride(a);
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    uint32_t v = *reinterpret_cast<const uint32_t*>(src + y * stride + x * 4);
                    bool key = image.pixels[size_t(y) * image.width + x] == Key;
                    *reinterpret_cast<uint32_t*>(d + y * stride + x * 4) =
                        key ? 0 : (0xFF000000u | v);
                }
            cairo_surface_mark_dirty(a);
            cairo_save(sheet.cr);
            cairo_translate(sheet.cr, x0 + (cellSide - cropW * scale) / 2,
                            y0 + (cellSide - cropH * scale) / 2);
            cairo_scale(sheet.cr, scale, scale);
            cairo_rectangle(sheet.cr, 0, 0, cropW, cropH);
            cairo_clip(sheet.cr);
            cairo_set_source_surface(sheet.cr, a, -bx0, -by0);
            cairo_paint(sheet.cr);
            cairo_restore(sheet.cr);
            cairo_surface_destroy(a);
            cairo_surface_destroy(s);
            std::string caption = std::to_string(image.id) + "  " + std::to_string(image.width) +
                                  "x" + std::to_string(image.height);
            SelectCaptionFace(sheet.cr, 12);
            SetRgb(sheet.cr, 0xFFFFFF);
            cairo_move_to(sheet.cr, x0 + 4, y0 + cellSide + 13);
            cairo_show_text(sheet.cr, caption.c_str());
        }
        std::string name = "sheet_" + file.name + ".png";
        if (cairo_surface_write_to_png(sheet.surface, (outFolder / name).string().c_str()) ==
            CAIRO_STATUS_SUCCESS)
            written.push_back(name);
        FreeCanvas(sheet);
    }
    return written;
}

} // namespace art
