#include "tests/fuzz/FuzzSupport.h"

#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

struct Folder {
    std::string path;
    Folder() {
        std::random_device device;
        for (;;) {
            fs::path p = fs::temp_directory_path() / ("tamborix-fuzz-" + std::to_string(device()));
            if (fs::create_directory(p)) {
                path = p.string() + "/";
                break;
            }
        }
        std::u16string wide(path.begin(), path.end());
        SetAppPath(wide.c_str());
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

} // namespace

const std::string& FuzzFolder() {
    static Folder folder;
    return folder.path;
}

void WriteFuzzFile(const std::string& relative, const uint8_t* data, size_t size) {
    fs::path full = fs::path(FuzzFolder()) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

void RemoveFuzzFile(const std::string& relative) {
    std::error_code ignored;
    fs::remove(fs::path(FuzzFolder()) / relative, ignored);
}

void ForgetErrors() {
    ClearErrors();
}
