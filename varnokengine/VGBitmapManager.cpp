#include "varnokengine/VGBitmapManager.h"

#include "varnokengine/VGError.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGStream.h"

#include <new>

namespace {

const char16_t* const kSource = u"..\\..\\varnokengine\\VGBitmapManager";
// The smallest record: a header and a packed-size field with an empty block.
constexpr uint64_t kMinRecordBytes = 24;

void ReportLoadFailed(const VGString& name, uint32_t line) {
    ReportError((u"Bitmap manager load failed: " + name).Data(), line, kSource);
}

} // namespace

VGBitmapManager::~VGBitmapManager() {
    Clear();
    delete[] images;
}

void VGBitmapManager::Clear() {
    for (uint32_t i = 0; i < capacity; ++i) {
        delete images[i];
        images[i] = nullptr;
    }
    count = 0;
}

bool VGBitmapManager::Load(const VGString& name) {
    Clear(); // reloading never leaks what an earlier load left
    VGFileReader reader(DataPath((u"imgs\\" + name + u".img").Data()), VGFileReader::WholeFile);
    if (!reader.IsOpen()) {
        ReportLoadFailed(name, 236);
        return false;
    }
    uint32_t fileCount = 0;
    if (!ReadU32(reader, fileCount)) return false;
    // Every record takes at least 24 bytes: a count the file cannot hold is damage.
    VGMemoryReader* memory = reader.Memory();
    uint64_t left = memory ? memory->Size() - memory->Position() : 0;
    if (!memory || uint64_t(fileCount) * kMinRecordBytes > left) {
        ReportLoadFailed(name, 227);
        return false;
    }
    if (fileCount > capacity) {
        VGBitmap** grown = new (std::nothrow) VGBitmap*[fileCount]();
        if (!grown) {
            ReportLoadFailed(name, 227);
            return false;
        }
        delete[] images;
        images = grown;
        capacity = fileCount;
    }
    for (uint32_t i = 0; i < fileCount; ++i) {
        VGBitmap* image = new (std::nothrow) VGBitmap;
        if (!image || !image->LoadFromStream(reader)) {
            delete image;
            ReportLoadFailed(name, 227);
            return false;
        }
        images[i] = image;
        count = i + 1;
    }
    return true;
}

VGBitmap* VGBitmapManager::Find(uint32_t id) const {
    for (uint32_t i = 0; i < count && i < capacity; ++i) {
        if (images[i] && images[i]->id == id) return images[i];
    }
    return nullptr;
}

VGBitmap* VGBitmapManager::Get(uint32_t id) const {
    VGBitmap* found = Find(id);
    if (!found) {
        VGString text;
        Format(text, u"Bitmap manager failed to find image: %d", int32_t(id));
        ReportError(text.Data(), 133, kSource);
    }
    return found;
}
