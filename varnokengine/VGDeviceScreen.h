#pragma once
// The display device: the game draws every frame into one 16-bit back buffer in the
// orientation the user chose, and Present copies it into display memory (a portrait W x H
// frame), turning it on the way. There is one instance, TheDisplay.
#include "varnokengine/VGString.h"

#include <cstdint>

struct VGBitmap;

// Access modes; the desktop's display memory is a raw frame buffer.
constexpr uint32_t kAccessGameApi = 1;
constexpr uint32_t kAccessRaw = 2;
// Pixel formats: only RGB 5-6-5 is accepted.
constexpr uint32_t kFormat565 = 1;
constexpr uint32_t kFormat555 = 2;
constexpr uint32_t kFormatOther = 3;

class VGDeviceScreen {
public:
    ~VGDeviceScreen();

    // Finds display memory: size, pitches, pixel format. Sets LayoutScale, the named colours
    // and whether images are halved as they load.
    void Open();
    // Reads the stored orientation and creates the back buffer for it.
    bool SetUp();
    // Codes outside 0..3 become 0; the code is stored as "ScreenOrientation". The new back
    // buffer (W x H, or H x W for the landscape codes 1 and 3) is black and the render target.
    void SetOrientation(uint32_t code);
    // Copies the back buffer into display memory with the turn of the orientation.
    void Present();
    void Close();

    uint16_t* framePointer = nullptr;
    VGBitmap* backBuffer = nullptr;
    uint32_t orientation = 0;
    uint32_t savedSystemRotation = 0; // the desktop has no system rotation: always none
    int16_t windowWidth = 0;
    int16_t windowHeight = 0;
    int16_t deviceWidth = 0;  // W, portrait
    int16_t deviceHeight = 0; // H, portrait
    int32_t xPitch = 0;       // in pixels; either pitch may be negative
    int32_t yPitch = 0;
    uint32_t pixelFormat = 0;
    uint32_t accessMode = 0;
    uint32_t skipNextPresent = 0;
};

extern VGDeviceScreen TheDisplay;
// 2 when the screen is larger than 320 pixels in either direction, else 1.
extern int16_t LayoutScale;
// The "GraphicsQuality" option, read at start: bit 1 turns text shadows on.
extern uint32_t GraphicsQuality;
constexpr uint32_t kQualityTextShadows = 1;
constexpr uint32_t kDefaultGraphicsQuality = 9;
void ReadGraphicsQuality();
inline bool TextShadowsOn() {
    return (GraphicsQuality & kQualityTextShadows) != 0;
}

// "portrait", "landscape(lh)", "portrait(usd)", "landscape(rh)"; empty for other codes.
VGString OrientationName(uint32_t code);
// The device information text.
VGString DescribeDisplay();

// The copy of Present on its own: a w x h source (rows without padding) into display memory
// of a W x H device with the given pitches, turned by the orientation code.
void CopyRotated(const uint16_t* source, int32_t w, int32_t h, uint16_t* destination,
                 int32_t deviceWidth, int32_t deviceHeight, int32_t xPitch, int32_t yPitch,
                 uint32_t orientation);
