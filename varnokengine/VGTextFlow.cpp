#include "varnokengine/VGTextFlow.h"

#include <string>

namespace {

constexpr size_t kWrapWidth = 18;

std::u16string WithoutLineFeeds(const VGString& text) {
    std::u16string out(text.Data(), text.Length());
    for (char16_t& c : out)
        if (c == u'\n') c = u' ';
    return out;
}

} // namespace

void SplitInTwoLines(VGString& text) {
    std::u16string s = WithoutLineFeeds(text);
    int64_t n = int64_t(s.size());
    int64_t m = n / 2;
    for (int64_t k = 0; m - k >= 0 || m + k < n; ++k) {
        if (m - k >= 0 && m - k < n && s[size_t(m - k)] == u' ') {
            s[size_t(m - k)] = u'\n';
            break;
        }
        if (m + k < n && s[size_t(m + k)] == u' ') {
            s[size_t(m + k)] = u'\n';
            break;
        }
    }
    text.Assign(s.c_str());
}

void WrapWords(VGString& text) {
    std::u16string s = WithoutLineFeeds(text);
    std::u16string result;
    std::u16string line;
    bool lineHasWord = false;
    size_t pos = 0;
    while (pos <= s.size()) {
        size_t end = s.find(u' ', pos);
        if (end == std::u16string::npos) end = s.size();
        std::u16string word = s.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty()) continue;
        if (!lineHasWord || line.size() + word.size() < kWrapWidth) {
            if (lineHasWord) line += u' ';
            line += word;
        } else {
            result += line;
            line = u"\n" + word;
        }
        lineHasWord = true;
    }
    if (lineHasWord) result += line;
    text.Assign(result.c_str());
}
