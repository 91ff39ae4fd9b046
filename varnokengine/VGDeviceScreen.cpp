#include "varnokengine/VGDeviceScreen.h"

#include "platform/video/Backend.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

#include <algorithm>
#include <cstring>

VGDeviceScreen TheDisplay;
int16_t LayoutScale = 1;
uint32_t GraphicsQuality = kDefaultGraphicsQuality;

void ReadGraphicsQuality() {
    GraphicsQuality = ReadOption(kOptionGraphicsQuality, kDefaultGraphicsQuality);
}

namespace {

void FreeBackBuffer(VGBitmap*& bitmap) {
    if (!bitmap) return;
    if (RenderTarget.target == bitmap) SetRenderTarget(nullptr);
    delete bitmap;
    bitmap = nullptr;
}

} // namespace

VGDeviceScreen::~VGDeviceScreen() {
    FreeBackBuffer(backBuffer);
}

void VGDeviceScreen::Open() {
    platform::FrameBufferInfo info = platform::CurrentBackend().FrameBuffer();
    accessMode = kAccessRaw;
    framePointer = info.pixels;
    xPitch = info.xPitch;
    yPitch = info.yPitch;
    deviceWidth = int16_t(info.width);
    deviceHeight = int16_t(info.height);
    pixelFormat = info.format == 1 ? kFormat565 : info.format == 2 ? kFormat555 : kFormatOther;
    // The desktop "desktop" is the device itself.
    windowWidth = deviceWidth;
    windowHeight = deviceHeight;
    LayoutScale = deviceWidth >= 321 || deviceHeight >= 321 ? 2 : 1;
    SetNamedColours();
    SetHalveImagesOnLoad(deviceWidth <= 320 && deviceHeight <= 320);
}

bool VGDeviceScreen::SetUp() {
    SetOrientation(ReadOption(kOptionScreenOrientation, 0));
    return backBuffer != nullptr;
}

void VGDeviceScreen::SetOrientation(uint32_t code) {
    FreeBackBuffer(backBuffer);
    orientation = code > 3 ? 0 : code;
    WriteOption(kOptionScreenOrientation, orientation);
    bool landscape = orientation == 1 || orientation == 3;
    auto* bitmap = new VGBitmap;
    if (bitmap->Create(landscape ? deviceHeight : deviceWidth,
                       landscape ? deviceWidth : deviceHeight, 0, ColourBlack)) {
        backBuffer = bitmap;
        SetRenderTarget(backBuffer);
    } else {
        delete bitmap;
    }
    platform::CurrentBackend().SetViewOrientation(orientation);
}

void CopyRotated(const uint16_t* source, int32_t w, int32_t h, uint16_t* destination,
                 int32_t deviceWidth, int32_t deviceHeight, int32_t xp, int32_t yp,
                 uint32_t orientation) {
    intptr_t start = 0, pixelStep = xp, rowStep = yp;
    switch (orientation) {
    case 1:
        start = intptr_t(deviceWidth - 1) * xp, pixelStep = yp, rowStep = -xp;
        break;
    case 2:
        start = intptr_t(deviceWidth - 1) * xp + intptr_t(deviceHeight - 1) * yp;
        pixelStep = -xp, rowStep = -yp;
        break;
    case 3:
        start = intptr_t(deviceHeight - 1) * yp, pixelStep = -yp, rowStep = xp;
        break;
    default:
        break;
    }
    uint16_t* row = destination + start;
    if (pixelStep == 1) {
        if (rowStep == w) {
            std::memcpy(row, source, size_t(w) * size_t(h) * 2);
            return;
        }
        for (int32_t y = 0; y < h; ++y, row += rowStep, source += w)
            std::memcpy(row, source, size_t(w) * 2);
    } else if (pixelStep == -1) {
        for (int32_t y = 0; y < h; ++y, row += rowStep) {
            uint16_t* d = row;
            for (int32_t x = 0; x < w; ++x) *d-- = *source++;
        }
    } else {
        for (int32_t y = 0; y < h; ++y, row += rowStep) {
            uint16_t* d = row;
            for (int32_t x = 0; x < w; ++x, d += pixelStep) *d = *source++;
        }
    }
}

void VGDeviceScreen::Present() {
    if (skipNextPresent) {
        skipNextPresent = 0;
        return;
    }
    if (!framePointer || !backBuffer || !backBuffer->pixels) return;
    CopyRotated(backBuffer->pixels, backBuffer->width, backBuffer->height, framePointer,
                deviceWidth, deviceHeight, xPitch, yPitch, orientation);
    platform::CurrentBackend().FrameWritten();
    ++FrameCounter;
}

void VGDeviceScreen::Close() {
    FreeBackBuffer(backBuffer);
    // Nothing else to give back: the desktop has no system rotation to restore.
}

VGString OrientationName(uint32_t code) {
    static const char16_t* const names[] = {u"portrait", u"landscape(lh)", u"portrait(usd)",
                                            u"landscape(rh)"};
    return code <= 3 ? VGString(names[code]) : VGString();
}

VGString DescribeDisplay() {
    static const char16_t* const modes[] = {u"gapi", u"raw", u"dc", u"dx"};
    const VGDeviceScreen& d = TheDisplay;
    VGString text(u"Tamborix\nby Varnok Games\nversion 1.0\n\n");
    VGString line;
    Format(line, u"desktop: size(%d,%d) %s\n", d.windowWidth, d.windowHeight,
           OrientationName(d.savedSystemRotation));
    text.Append(line);
    text.Append(u"display: ");
    if (d.accessMode >= 1 && d.accessMode <= 4) text.Append(modes[d.accessMode - 1]);
    Format(line, u" size(%d,%d),pitch(%d,%d)\n%s\n", d.deviceWidth, d.deviceHeight, d.xPitch,
           d.yPitch, OrientationName(d.orientation));
    text.Append(line);
    text.Append(u"unknown device"); // the desktop has no maker's name to report
    text.Append(u"\n\n");
    return text;
}
