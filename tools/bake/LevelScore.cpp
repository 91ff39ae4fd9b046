#include "tools/bake/LevelScore.h"

#include <charconv>
#include <sstream>

namespace {
constexpr uint8_t kRest = 10;
constexpr size_t kBarSteps = 16;
const char* const kDefaultClicks = "X...x...x...x...";

// Drum letters in piece order: tom low, tom mid, tom high, bass, snare, ride, crash,
// open hi-hat, closed hi-hat.
const std::string kPieceLetters = "FMTBSRCOH";

bool ParseBar(const std::string& notes, const std::string& clicks, uint8_t phase,
              std::vector<LevelStepSource>& steps, std::string& error) {
    if (notes.size() != kBarSteps || clicks.size() != kBarSteps) {
        error = "a bar has 16 steps and 16 click marks";
        return false;
    }
    for (size_t i = 0; i < kBarSteps; ++i) {
        LevelStepSource step{kRest, 0, phase};
        if (notes[i] != '.') {
            size_t piece = kPieceLetters.find(notes[i]);
            if (piece == std::string::npos) {
                error = std::string("unknown drum letter '") + notes[i] + "'";
                return false;
            }
            step.piece = static_cast<uint8_t>(piece);
        }
        switch (clicks[i]) {
        case 'X':
            step.click = 1;
            break;
        case 'x':
            step.click = 2;
            break;
        case '.':
            break;
        default:
            error = std::string("unknown click mark '") + clicks[i] + "'";
            return false;
        }
        steps.push_back(step);
    }
    return true;
}
} // namespace

bool ParseLevelScore(const std::string& text, LevelScore& score, std::string& error) {
    score = LevelScore();
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    bool hasSlot = false;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#') continue;
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(lineNumber) + ": " + what;
            return false;
        };
        if (keyword == "title") {
            std::getline(words >> std::ws, score.title);
            for (unsigned char c : score.title)
                if (c < 0x20 || c > 0x7E) return fail("titles are plain ASCII");
        } else if (keyword == "slot") {
            std::string value;
            words >> value;
            auto [end, status] =
                std::from_chars(value.data(), value.data() + value.size(), score.slotLength);
            if (status != std::errc() || end != value.data() + value.size() ||
                score.slotLength < 10 || score.slotLength > 1000)
                return fail("slot length must be 10 to 1000 ms");
            hasSlot = true;
        } else if (keyword == "count" || keyword == "show" || keyword == "play") {
            uint8_t phase = keyword == "show" ? 0 : keyword == "play" ? 1 : 2;
            std::string notes, clicks = kDefaultClicks, extra;
            words >> notes;
            if (words >> clicks && words >> extra) return fail("text after the click marks");
            if (!ParseBar(notes, clicks, phase, score.steps, error)) return fail(error);
        } else {
            return fail("unknown keyword '" + keyword + "'");
        }
    }
    if (score.title.empty()) return (error = "no title", false);
    if (!hasSlot) return (error = "no slot length", false);
    if (score.steps.empty()) return (error = "no bars", false);
    score.steps.push_back({kRest, 0, 0});
    return true;
}

uint8_t EncodeLevelStep(const LevelStepSource& step) {
    uint8_t byte = step.piece & 0x0F;
    if (step.click == 1)
        byte |= 0x10;
    else if (step.click == 2)
        byte |= 0x20;
    if (step.phase == 0)
        byte |= 0x40;
    else if (step.phase == 1)
        byte |= 0x80;
    return byte;
}

std::vector<uint8_t> LevelDataBytes(const LevelScore& score) {
    std::vector<uint8_t> data;
    auto put32 = [&](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<uint8_t>(v >> shift));
    };
    put32(static_cast<uint32_t>(score.title.size()));
    data.insert(data.end(), score.title.begin(), score.title.end());
    put32(score.slotLength);
    for (const LevelStepSource& step : score.steps) data.push_back(EncodeLevelStep(step));
    return data;
}
