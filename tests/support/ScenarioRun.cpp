#include "tests/support/ScenarioRun.h"

#include "tools/png/PngFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace fs = std::filesystem;

int Frame::Differences(const Frame& other, int32_t left, int32_t top, int32_t right,
                       int32_t bottom) const {
    int n = 0;
    for (int32_t y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int32_t x = std::max(left, 0); x < std::min(right, width); ++x)
            n += At(x, y) != other.At(x, y);
    return n;
}

ScenarioRun::ScenarioRun()
    : data_(fs::path(TAMBORIX_PROGRAM).parent_path()), user_(folder_.Path() / "user") {}

void ScenarioRun::Preset(const std::map<std::string, uint32_t>& options) {
    static const char kHex[] = "0123456789abcdef";
    std::string reg = "Windows Registry Editor Version 5.00\n\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\n";
    for (const auto& [name, value] : options) {
        reg += '"' + name + "\"=hex:";
        for (int i = 0; i < 4; ++i) {
            const uint32_t byte = (value >> (8 * i)) & 255;
            reg += std::string(i ? "," : "") + kHex[byte >> 4] + kHex[byte & 15];
        }
        reg += '\n';
    }
    folder_.WriteFile("registry.reg", reg);
}

void ScenarioRun::WriteUserFile(const std::string& relative, const std::string& bytes) const {
    folder_.WriteFile((fs::path("user") / relative).string(), bytes);
}

int ScenarioRun::Run(const std::string& script, const std::string& size) {
    folder_.WriteFile("script.txt", script);
    const std::string dir = folder_.Path().string();
    const std::string command = std::string(TAMBORIX_PROGRAM) + " --headless --size " + size +
                                " --data " + data_.string() + " --user-dir " + user_.string() +
                                " --script " + dir + "/script.txt --registry " + dir +
                                "/registry.reg --shots " + dir + "/shots --audio-log " + dir +
                                "/audio.log " + extraArguments + " >" + dir + "/out.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ScenarioRun::ReadUserFile(const std::string& relative) const {
    return folder_.ReadFile((fs::path("user") / relative).string());
}

int64_t ScenarioRun::Option(const std::string& name) const {
    std::istringstream in(Registry());
    std::string line, key = '"' + name + "\"=hex:";
    bool inOptions = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') inOptions = line.ends_with("\\Tamborix\\Options]");
        if (!inOptions || line.rfind(key, 0) != 0) continue;
        std::istringstream bytes(line.substr(key.size()));
        uint32_t value = 0, byte = 0;
        for (int i = 0; i < 4 && bytes >> std::hex >> byte; ++i) {
            value |= byte << (8 * i);
            bytes.ignore(1);
        }
        return value;
    }
    return -1;
}

bool ScenarioRun::ErrorLogged() const {
    return fs::exists(user_ / "error.txt");
}

std::vector<HeardSound> ScenarioRun::Heard() const {
    std::vector<HeardSound> out;
    std::istringstream lines(folder_.ReadFile("audio.log"));
    std::string line, channelWord, priorityWord;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        HeardSound s;
        if (in >> s.ms >> s.name >> channelWord >> s.channel >> priorityWord >> s.priority)
            out.push_back(s);
    }
    return out;
}

std::vector<uint32_t> ScenarioRun::Heard(const std::string& sound) const {
    std::vector<uint32_t> times;
    for (const HeardSound& s : Heard())
        if (s.name == sound) times.push_back(s.ms);
    return times;
}

Frame ScenarioRun::Shot(const std::string& name) const {
    Frame frame;
    EXPECT_TRUE(png::ReadPng((folder_.Path() / "shots" / name).string(), frame.width, frame.height,
                             frame.pixels))
        << name;
    return frame;
}

bool ScenarioRun::HasShot(const std::string& name) const {
    return fs::exists(folder_.Path() / "shots" / name);
}
