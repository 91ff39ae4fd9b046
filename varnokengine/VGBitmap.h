#pragma once
// The engine's one image type. Pixels are RGB565 (red 15-11, green 10-5, blue 4-0), rows top
// to bottom with a pitch of exactly `width`. Colour arithmetic works on three 5-bit channels
// (green bits 10-6; green bit 5 is dropped on input and written as 0); plain copies keep all
// 16 bits. A pixel equal to ColourKey is transparent in every keyed draw.
//
// A bitmap may be trimmed: only the `width` x `height` stored rectangle is kept, placed at
// (trimLeft, trimTop) inside the fullWidth x fullHeight logical image, which is ColourKey
// everywhere else. Callers position images by the logical size and its halves.
//
// All drawing goes into the RenderTarget (normally the display's back buffer) and is clipped
// to its clip rectangle. A draw given no bitmap (a missing image) draws nothing.
#include <cstdint>

class VGReader;
class VGString;

// Flag bits of VGBitmap::flags (also stored in image files).
constexpr uint32_t FlagKeyed = 1;       // the stored pixels contain ColourKey
constexpr uint32_t FlagTrimmed = 2;     // stored rectangle smaller than the logical image
constexpr uint32_t FlagTrimLeft = 4;    // trimLeft is non-zero
constexpr uint32_t FlagTrimTop = 8;     // trimTop is non-zero
constexpr uint32_t FlagTrimRight = 16;  // trimRight is non-zero
constexpr uint32_t FlagTrimBottom = 32; // trimBottom is non-zero

constexpr uint32_t kNoImageId = 0xFFFFFFFF;
// The key as a compile-time constant for pixel loops; equals ColourKey.
constexpr uint16_t kColourKey = 0xF81F;

// The named colours of the 5-6-5 pixel format.
constexpr uint16_t ColourKey = kColourKey;
constexpr uint16_t ColourBlack = 0x0000;
constexpr uint16_t ColourWhite = 0xFFDF; // green bit 5 clear
constexpr uint16_t ColourRed = 0xF800;
constexpr uint16_t ColourOrange = 0xFDC0;
constexpr uint16_t ColourGreen = 0x07C0;
constexpr uint16_t ColourBlue = 0x001F;
constexpr uint16_t ColourYellow = 0xFFC0;

// Images on disk are drawn for the large screen. The display turns this on when the screen
// is at most 320 pixels in both directions: every image loaded afterwards is halved.
void SetHalveImagesOnLoad(bool on);
bool HalveImagesOnLoad();

// Largest stored or logical side an image file may declare; anything larger is damage.
constexpr int32_t kMaxImageSide = 4096;

enum BlendMode : int32_t {
    BlendCopy = 0,     // s
    BlendAdd = 1,      // min(31, (s * a + (d << 8)) >> 8)
    BlendAlpha = 2,    // (s * a + d * (256 - a)) >> 8
    BlendShade = 3,    // (d * (256 - a)) >> 8, source colour unused
    BlendModulate = 4, // (d * m) >> 5, m = source blue; alpha not used for colour
};

struct VGBitmap {
    uint16_t* pixels = nullptr; // owned, width x height
    int16_t fullWidth = 0;      // trimLeft + trimRight + width
    int16_t fullHeight = 0;     // trimTop + trimBottom + height
    int16_t halfWidth = 0;      // fullWidth >> 1
    int16_t halfHeight = 0;     // fullHeight >> 1
    int16_t width = 0;          // stored columns
    int16_t height = 0;         // stored rows
    int16_t trimLeft = 0;
    int16_t trimRight = 0;
    int16_t trimTop = 0;
    int16_t trimBottom = 0;
    uint32_t id = kNoImageId;
    uint32_t flags = 0;

    VGBitmap() = default;
    // The record owns its pixels: destroying it frees them.
    ~VGBitmap();
    VGBitmap(const VGBitmap&) = delete;
    VGBitmap& operator=(const VGBitmap&) = delete;
    VGBitmap(VGBitmap&& other) noexcept;
    VGBitmap& operator=(VGBitmap&& other) noexcept;

    // Size, zero margins, no id, the given flags, and width x height pixels filled with
    // colour. False (and an empty 0 x 0 bitmap) for a negative size or when memory runs out.
    bool Create(int16_t w, int16_t h, uint32_t newFlags, uint16_t colour);
    // As above with the pixels left uninitialised.
    bool Create(int16_t w, int16_t h, uint32_t newFlags);
    void FreePixels();

    // Colour 0 clears the buffer; any other colour fills the first row and copies it down.
    void Fill(uint16_t colour);
    // Logical coordinates; ColourKey outside the stored rectangle.
    uint16_t GetPixel(int32_t x, int32_t y) const;
    void UpdateDerived();
    // FlagKeyed set exactly when a stored pixel equals ColourKey.
    void SetKeyedFromPixels();

    // Reduces the image to half its logical size (2x2 averages; keyed blocks with three or
    // four key pixels stay transparent), then trims the result. The id is kept.
    void Halve();
    // For a bitmap with zero margins and flags 0: cuts the ColourKey rows and columns at the
    // edges into margins and sets the trim flags, then sets FlagKeyed from the pixels.
    void Trim();

    // Reads one image record (24-byte header, zlib pixel block) and halves it when
    // HalveImagesOnLoad(). Failure is reported ("Failed to load image from file: ...").
    bool LoadFromStream(VGReader& stream);
    // Loads the single-image file "Imgs\<name>.img", or "Imgs\<number>" when name is null.
    bool LoadFile(uint32_t number, const char16_t* name);

    // The whole logical image with its top-left at (x, y).
    static void Draw(const VGBitmap* bitmap, int32_t x, int32_t y);
    // The w x h logical rectangle at (srcX, srcY) to (x, y), unscaled; ColourKey pixels are
    // skipped when the image has FlagKeyed.
    static void DrawRegion(const VGBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                           int32_t srcX, int32_t srcY);
    // As DrawRegion, scaled by (scaleX, scaleY) with nearest-neighbour sampling and combined
    // with the target by mode and alpha (0 to 1). Scale 1.0 and alpha 1.0 mean "plain".
    static void DrawEx(const VGBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t srcX, int32_t srcY, float scaleX, float scaleY, BlendMode mode,
                       float alpha);
};

// The global draw target and its clip rectangle (left/top inclusive, right/bottom
// exclusive). Before any target is set the clip is 0, 0, 240, 320 and nothing is drawn.
// Draws also stay inside the target itself if the clip is set larger than it.
struct RenderTargetState {
    VGBitmap* target = nullptr;
    int16_t clipLeft = 0;
    int16_t clipTop = 0;
    int16_t clipRight = 240;
    int16_t clipBottom = 320;
};
extern RenderTargetState RenderTarget;

// Makes bitmap the target with a clip of its whole size (null: no target, nothing drawn).
void SetRenderTarget(VGBitmap* bitmap);

// Copies the bitmap's pixels in one block to the start of the target's pixels, without clip
// or key; at most as many pixels as the target holds.
void CopyToTarget(const VGBitmap* bitmap);
// Lowers each channel of every non-zero target pixel by amount (0 to 255, 8-bit scale) and
// tells whether any pixel was non-zero before the step. Ignores the clip rectangle.
bool FadeToBlackStep(int32_t amount);
