#pragma once
// The program's one string type: NUL-terminated 16-bit characters with length and capacity.
// An empty string points at one shared static empty text; capacity 0 means the characters
// are not owned (that shared text, or an attached literal). Every allocation reserves ten
// spare characters so short appends (extensions, "\r\n", single characters) run in place.
#include <cstdint>
#include <initializer_list>

class VGString {
public:
    VGString();
    VGString(const char16_t* text);
    VGString(const VGString& other);
    VGString(VGString&& other) noexcept;
    ~VGString();
    VGString& operator=(const VGString& other);
    VGString& operator=(VGString&& other) noexcept;
    VGString& operator=(const char16_t* text);

    void Assign(const char16_t* text);
    void Assign(const VGString& other);
    // References text without copying it; text must outlive the string or its next change.
    void Attach(const char16_t* text);
    void Clear();

    void Append(const VGString& other);
    void Append(const char16_t* text);
    void Append(char16_t c);

    // First occurrence of c within the text, or null.
    const char16_t* FindChar(char16_t c) const;
    // Removes trailing blanks (space, tab, CR, LF, vertical tab, form feed).
    void TrimRight();

    const char16_t* Data() const { return data_; }
    uint32_t Length() const { return length_; }
    uint32_t Capacity() const { return capacity_; }
    bool IsEmpty() const { return length_ == 0; }
    bool OwnsData() const;
    char16_t operator[](uint32_t i) const { return data_[i]; }

    // A new string holding a followed by b, allocated by the growth rule.
    static VGString Join(const char16_t* a, uint32_t aLength, const char16_t* b, uint32_t bLength);

private:
    void Release();
    // Allocates for newLength by the growth rule, keeping the first keep characters of the
    // current text; the caller writes the rest and the terminator.
    void Reallocate(uint32_t newLength, uint32_t keep);
    void AppendCharacters(const char16_t* text, uint32_t count);

    char16_t* data_;
    uint32_t length_;
    uint32_t capacity_;
};

VGString operator+(const VGString& a, const VGString& b);
VGString operator+(const VGString& a, const char16_t* b);
VGString operator+(const VGString& a, char16_t c);
VGString operator+(const char16_t* a, const VGString& b);

bool operator==(const VGString& a, const char16_t* b);
bool operator==(const VGString& a, const VGString& b);

// Length of a NUL-terminated 16-bit text; 0 for null.
uint32_t TextLength(const char16_t* text);
// Compares two texts; IgnoringCase folds ASCII and Latin-1 letters.
int CompareText(const char16_t* a, const char16_t* b);
int CompareTextIgnoringCase(const char16_t* a, const char16_t* b);
