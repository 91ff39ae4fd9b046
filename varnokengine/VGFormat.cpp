#include "varnokengine/VGFormat.h"

namespace {

class Output {
public:
    Output(char16_t* buffer, size_t capacity) : buffer_(buffer), limit_(capacity - 1) {}
    void Put(char16_t c) {
        if (used_ < limit_) buffer_[used_++] = c;
    }
    size_t Finish() {
        buffer_[used_] = 0;
        return used_;
    }

private:
    char16_t* buffer_;
    size_t limit_;
    size_t used_ = 0;
};

// Writes body (with an optional sign) padded to width.
void PutField(Output& out, const char16_t* body, size_t bodyLength, char16_t sign, int width,
              bool leftAlign, bool zeroPad) {
    int total = int(bodyLength) + (sign ? 1 : 0);
    int padding = width > total ? width - total : 0;
    if (!leftAlign && !zeroPad)
        for (int i = 0; i < padding; ++i) out.Put(u' ');
    if (sign) out.Put(sign);
    if (!leftAlign && zeroPad)
        for (int i = 0; i < padding; ++i) out.Put(u'0');
    for (size_t i = 0; i < bodyLength; ++i) out.Put(body[i]);
    if (leftAlign)
        for (int i = 0; i < padding; ++i) out.Put(u' ');
}

size_t Digits(uint32_t value, unsigned base, bool upper, char16_t* digits) {
    const char* table = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char16_t reversed[16];
    size_t n = 0;
    do {
        reversed[n++] = char16_t(table[value % base]);
        value /= base;
    } while (value);
    for (size_t i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
    return n;
}

} // namespace

size_t FormatInto(char16_t* buffer, size_t capacity, const char16_t* format,
                  const VGFormatArg* args, size_t argCount) {
    if (!buffer || capacity == 0) return 0;
    Output out(buffer, capacity);
    size_t next = 0;
    auto take = [&]() -> const VGFormatArg* { return next < argCount ? &args[next++] : nullptr; };
    for (const char16_t* p = format ? format : u""; *p; ++p) {
        if (*p != u'%') {
            out.Put(*p);
            continue;
        }
        const char16_t* start = p++;
        bool leftAlign = false, zeroPad = false;
        for (;; ++p) {
            if (*p == u'-')
                leftAlign = true;
            else if (*p == u'0')
                zeroPad = true;
            else
                break;
        }
        int width = 0;
        while (*p >= u'0' && *p <= u'9') {
            if (width < 1024) width = width * 10 + (*p - u'0');
            ++p;
        }
        while (*p == u'l' || *p == u'h') ++p;
        char16_t digits[16];
        const VGFormatArg* arg = nullptr;
        switch (*p) {
        case u'%':
            out.Put(u'%');
            break;
        case u'd':
        case u'i': {
            arg = take();
            int32_t v = arg && arg->kind == VGFormatArg::Kind::Integer ? int32_t(arg->integer) : 0;
            uint32_t magnitude = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
            size_t n = Digits(magnitude, 10, false, digits);
            PutField(out, digits, n, v < 0 ? u'-' : 0, width, leftAlign, zeroPad);
            break;
        }
        case u'u':
        case u'x':
        case u'X': {
            arg = take();
            uint32_t v =
                arg && arg->kind == VGFormatArg::Kind::Integer ? uint32_t(arg->integer) : 0;
            size_t n = Digits(v, *p == u'u' ? 10 : 16, *p == u'X', digits);
            PutField(out, digits, n, 0, width, leftAlign, zeroPad);
            break;
        }
        case u'c': {
            arg = take();
            char16_t c =
                arg && arg->kind == VGFormatArg::Kind::Integer ? char16_t(arg->integer) : 0;
            PutField(out, &c, c ? 1 : 0, 0, width, leftAlign, false);
            break;
        }
        case u's': {
            arg = take();
            const char16_t* text =
                arg && arg->kind == VGFormatArg::Kind::Text && arg->text ? arg->text : u"(null)";
            PutField(out, text, TextLength(text), 0, width, leftAlign, false);
            break;
        }
        default:
            // Not a conversion we know: keep the text as written.
            for (const char16_t* q = start; q <= p && *q; ++q) out.Put(*q);
            if (!*p) --p;
            break;
        }
    }
    return out.Finish();
}

void FormatArgs(VGString& target, const char16_t* format, const VGFormatArg* args, size_t count) {
    static char16_t buffer[kFormatBufferSize];
    FormatInto(buffer, kFormatBufferSize, format, args, count);
    target.Assign(buffer);
}
