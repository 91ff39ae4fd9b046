#include "varnokengine/VGString.h"

#include "platform/Text.h"

#include <cstring>
#include <utility>

namespace {
char16_t sharedEmpty[1] = {0};
constexpr uint32_t kSpare = 10;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= 9 && c <= 13);
}
} // namespace

uint32_t TextLength(const char16_t* text) {
    uint32_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

int CompareText(const char16_t* a, const char16_t* b) {
    a = a ? a : sharedEmpty;
    b = b ? b : sharedEmpty;
    while (*a && *a == *b) ++a, ++b;
    return int(*a) - int(*b);
}

int CompareTextIgnoringCase(const char16_t* a, const char16_t* b) {
    a = a ? a : sharedEmpty;
    b = b ? b : sharedEmpty;
    for (;; ++a, ++b) {
        char16_t x = platform::ToLower16(*a), y = platform::ToLower16(*b);
        if (x != y || !x) return int(x) - int(y);
    }
}

VGString::VGString() : data_(sharedEmpty), length_(0), capacity_(0) {}
VGString::VGString(const char16_t* text) : VGString() {
    Assign(text);
}
VGString::VGString(const VGString& other) : VGString() {
    Assign(other);
}
VGString::VGString(VGString&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_) {
    other.data_ = sharedEmpty;
    other.length_ = other.capacity_ = 0;
}
VGString::~VGString() {
    Release();
}

VGString& VGString::operator=(const VGString& other) {
    Assign(other);
    return *this;
}
VGString& VGString::operator=(VGString&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(data_, other.data_);
        std::swap(length_, other.length_);
        std::swap(capacity_, other.capacity_);
    }
    return *this;
}
VGString& VGString::operator=(const char16_t* text) {
    Assign(text);
    return *this;
}

bool VGString::OwnsData() const {
    return data_ != sharedEmpty && capacity_ != 0;
}

void VGString::Release() {
    if (OwnsData()) delete[] data_;
    data_ = sharedEmpty;
    length_ = capacity_ = 0;
}

void VGString::Clear() {
    Release();
}

void VGString::Reallocate(uint32_t newLength, uint32_t keep) {
    auto* fresh = new char16_t[newLength + kSpare + 1];
    if (keep) std::memcpy(fresh, data_, keep * sizeof(char16_t));
    if (OwnsData()) delete[] data_;
    data_ = fresh;
    capacity_ = newLength + kSpare;
}

void VGString::Assign(const char16_t* text) {
    if (text == data_) return;
    uint32_t n = TextLength(text);
    if (n == 0) {
        Release();
        return;
    }
    // text may live inside our own buffer: copy before releasing it.
    auto* fresh = new char16_t[n + kSpare + 1];
    std::memcpy(fresh, text, n * sizeof(char16_t));
    fresh[n] = 0;
    Release();
    data_ = fresh;
    length_ = n;
    capacity_ = n + kSpare;
}

void VGString::Assign(const VGString& other) {
    if (other.data_ == data_) return;
    if (other.data_ == sharedEmpty) {
        Release();
        return;
    }
    auto* fresh = new char16_t[other.length_ + kSpare + 1];
    std::memcpy(fresh, other.data_, other.length_ * sizeof(char16_t));
    fresh[other.length_] = 0;
    uint32_t n = other.length_;
    Release();
    data_ = fresh;
    length_ = n;
    capacity_ = n + kSpare;
}

void VGString::Attach(const char16_t* text) {
    if (text == data_) return;
    Release();
    uint32_t n = TextLength(text);
    if (n == 0) return;
    data_ = const_cast<char16_t*>(text); // never written: capacity 0 forces a copy first
    length_ = n;
    capacity_ = 0;
}

void VGString::AppendCharacters(const char16_t* text, uint32_t count) {
    if (count == 0) return;
    uint32_t newLength = length_ + count;
    if (newLength > capacity_) {
        // The appended text may be our own: keep the old buffer alive until it is copied.
        auto* fresh = new char16_t[newLength + kSpare + 1];
        std::memcpy(fresh, data_, length_ * sizeof(char16_t));
        std::memcpy(fresh + length_, text, count * sizeof(char16_t));
        if (OwnsData()) delete[] data_;
        data_ = fresh;
        capacity_ = newLength + kSpare;
    } else {
        std::memmove(data_ + length_, text, count * sizeof(char16_t));
    }
    length_ = newLength;
    data_[length_] = 0;
}

void VGString::Append(const VGString& other) {
    AppendCharacters(other.data_, other.length_);
}
void VGString::Append(const char16_t* text) {
    AppendCharacters(text, TextLength(text));
}

void VGString::Append(char16_t c) {
    if (length_ + 1 > capacity_) Reallocate(length_ + 1, length_);
    data_[length_++] = c;
    data_[length_] = 0;
}

const char16_t* VGString::FindChar(char16_t c) const {
    for (uint32_t i = 0; i < length_; ++i)
        if (data_[i] == c) return data_ + i;
    return nullptr;
}

void VGString::TrimRight() {
    uint32_t n = length_;
    while (n > 0 && IsBlank(data_[n - 1])) --n;
    if (n == length_) return;
    if (n == 0) {
        Release();
        return;
    }
    auto* fresh = new char16_t[n + kSpare + 1];
    std::memcpy(fresh, data_, n * sizeof(char16_t));
    fresh[n] = 0;
    Release();
    data_ = fresh;
    length_ = n;
    capacity_ = n + kSpare;
}

VGString VGString::Join(const char16_t* a, uint32_t aLength, const char16_t* b, uint32_t bLength) {
    VGString out;
    if (aLength + bLength == 0) return out;
    out.Reallocate(aLength + bLength, 0);
    if (aLength) std::memcpy(out.data_, a, aLength * sizeof(char16_t));
    if (bLength) std::memcpy(out.data_ + aLength, b, bLength * sizeof(char16_t));
    out.length_ = aLength + bLength;
    out.data_[out.length_] = 0;
    return out;
}

VGString operator+(const VGString& a, const VGString& b) {
    return VGString::Join(a.Data(), a.Length(), b.Data(), b.Length());
}
VGString operator+(const VGString& a, const char16_t* b) {
    return VGString::Join(a.Data(), a.Length(), b, TextLength(b));
}
VGString operator+(const VGString& a, char16_t c) {
    return VGString::Join(a.Data(), a.Length(), &c, 1);
}
VGString operator+(const char16_t* a, const VGString& b) {
    return VGString::Join(a, TextLength(a), b.Data(), b.Length());
}

bool operator==(const VGString& a, const char16_t* b) {
    return CompareText(a.Data(), b) == 0;
}
bool operator==(const VGString& a, const VGString& b) {
    return a.Length() == b.Length() && CompareText(a.Data(), b.Data()) == 0;
}
