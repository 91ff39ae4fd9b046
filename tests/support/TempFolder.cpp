#include "tests/support/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>

TempFolder::TempFolder() {
    std::random_device device;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("tamborix-test-" + std::to_string(device()));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::Wide(const std::string& relative) const {
    std::string s = (relative.empty() ? path_ : path_ / relative).string();
    return std::u16string(s.begin(), s.end());
}

void TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    auto full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
