#pragma once
// A pack of images looked up by id. The manager owns every image it loaded; pointers it hands
// out stay valid until Clear. Owners load on first use (when count is 0).
#include "varnokengine/VGBitmap.h"

#include <cstdint>

class VGString;

struct VGBitmapManager {
    VGBitmap** images = nullptr; // owned array of owned images, in file order
    uint32_t count = 0;          // images loaded
    uint32_t capacity = 0;       // slots of images

    VGBitmapManager() = default;
    ~VGBitmapManager(); // frees the images and the array
    VGBitmapManager(const VGBitmapManager&) = delete;
    VGBitmapManager& operator=(const VGBitmapManager&) = delete;

    // Reads the pack "imgs\<name>.img". A missing or damaged pack is reported ("Bitmap
    // manager load failed: <name>"). Images loaded before a damaged record stay available;
    // count then says how many there are.
    bool Load(const VGString& name);
    // The first image with this id, or null. No report.
    VGBitmap* Find(uint32_t id) const;
    // As Find, but a missing id is reported ("Bitmap manager failed to find image: %d").
    VGBitmap* Get(uint32_t id) const;
    // Frees every image; the array and capacity stay.
    void Clear();
};
