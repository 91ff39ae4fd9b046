#include "platform/RegistryStore.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace platform {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
// The program's own settings take a few kilobytes; a file far beyond that is not one.
constexpr uint64_t kMaxSettingsFileSize = 1u << 20;

struct HiveName {
    Hive hive;
    const char* name;
};
constexpr HiveName kHives[] = {{Hive::LocalMachine, "HKEY_LOCAL_MACHINE"},
                               {Hive::CurrentUser, "HKEY_CURRENT_USER"},
                               {Hive::ClassesRoot, "HKEY_CLASSES_ROOT"}};

std::u16string Fold(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) c = ToLower16(c);
    return out;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && Fold(a) == Fold(b);
}

// Key paths are compared and stored without leading, trailing or doubled backslashes.
std::u16string NormaliseKey(std::u16string_view path) {
    std::u16string out;
    for (char16_t c : path) {
        if (c == u'\\' && (out.empty() || out.back() == u'\\')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == u'\\') out.pop_back();
    return out;
}

std::string Quote(std::u16string_view text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ',';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHexList(std::string_view text, std::vector<uint8_t>& out) {
    out.clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipBlanks();
    if (i == text.size()) return true;
    for (;;) {
        skipBlanks();
        if (i >= text.size()) return false;
        int hi = HexDigit(text[i]);
        int lo = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (hi < 0) return false;
        if (lo < 0) { // a single digit is a whole byte
            out.push_back(uint8_t(hi));
            i += 1;
        } else {
            out.push_back(uint8_t(hi * 16 + lo));
            i += 2;
        }
        skipBlanks();
        if (i == text.size()) return true;
        if (text[i] != ',') return false;
        ++i;
    }
}

// Parses a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool ParseQuoted(std::string_view text, size_t& pos, std::string& out) {
    if (pos >= text.size() || text[pos] != '"') return false;
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '\\' && pos + 1 < text.size()) {
            out += text[++pos];
        } else if (c == '"') {
            ++pos;
            return true;
        } else {
            out += c;
        }
    }
    return false;
}

std::string DecodeFileText(std::string_view raw) {
    if (raw.size() >= 2 && uint8_t(raw[0]) == 0xFF && uint8_t(raw[1]) == 0xFE) {
        std::u16string wide;
        for (size_t i = 2; i + 1 < raw.size(); i += 2)
            wide += char16_t(uint8_t(raw[i]) | (uint8_t(raw[i + 1]) << 8));
        return ToUtf8(wide);
    }
    if (raw.size() >= 3 && uint8_t(raw[0]) == 0xEF && uint8_t(raw[1]) == 0xBB &&
        uint8_t(raw[2]) == 0xBF)
        return std::string(raw.substr(3));
    return std::string(raw);
}

std::string DefaultPath() {
    if (const char* env = std::getenv("TAMBORIX_REGISTRY"); env && *env) return env;
    std::string base = XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return (base.empty() ? std::string(".") : base) + "/tamborix/registry.reg";
}

std::unique_ptr<RegistryStore> theRegistry;
std::string overridePath;

} // namespace

RegistryStore::Key* RegistryStore::FindKey(Hive hive, std::u16string_view path) {
    std::u16string wanted = NormaliseKey(path);
    for (auto& key : keys_)
        if (key.hive == hive && SameName(key.path, wanted)) return &key;
    return nullptr;
}

bool RegistryStore::Read(Hive hive, std::u16string_view keyPath, std::u16string_view name,
                         std::vector<uint8_t>* data, uint32_t* type) {
    Load();
    Key* key = FindKey(hive, keyPath);
    if (!key) return false;
    for (auto& value : key->values) {
        if (!SameName(value.name, name)) continue;
        if (data) *data = value.bytes;
        if (type) *type = value.type;
        return true;
    }
    return false;
}

bool RegistryStore::CreateKey(Hive hive, std::u16string_view keyPath) {
    Load();
    std::u16string path = NormaliseKey(keyPath);
    if (path.empty()) return false;
    if (FindKey(hive, path)) return true;
    // Parents first, as an export lists them.
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == u'\\') {
            std::u16string prefix = path.substr(0, i);
            if (!FindKey(hive, prefix)) keys_.push_back({hive, prefix, {}});
        }
    }
    Save();
    return true;
}

bool RegistryStore::Write(Hive hive, std::u16string_view keyPath, std::u16string_view name,
                          uint32_t type, const void* data, uint32_t size) {
    Load();
    Key* key = FindKey(hive, keyPath);
    if (!key) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> newBytes(bytes, bytes + (data ? size : 0));
    Value* target = nullptr;
    for (auto& value : key->values)
        if (SameName(value.name, name)) target = &value;
    if (!target) {
        key->values.push_back({std::u16string(name), type, {}});
        target = &key->values.back();
    }
    target->type = type;
    target->bytes = std::move(newBytes);
    Save();
    return true;
}

std::string RegistryStore::Export() const {
    std::string out = std::string(kHeader) + "\r\n";
    for (const auto& key : keys_) {
        const char* hiveName = "HKEY_LOCAL_MACHINE";
        for (const auto& h : kHives)
            if (h.hive == key.hive) hiveName = h.name;
        out += "\r\n[" + std::string(hiveName) + "\\" + ToUtf8(key.path) + "]\r\n";
        for (const auto& value : key.values) {
            out += value.name.empty() ? "@" : Quote(value.name);
            out += '=';
            if (value.type == RegDword && value.bytes.size() == 4) {
                char buffer[16];
                uint32_t v = value.bytes[0] | (value.bytes[1] << 8) | (value.bytes[2] << 16) |
                             (uint32_t(value.bytes[3]) << 24);
                std::snprintf(buffer, sizeof buffer, "dword:%08x", v);
                out += buffer;
            } else if (value.type == RegBinary) {
                out += "hex:" + HexBytes(value.bytes);
            } else {
                // The type is written in hex digits, as the format reads it back.
                char type[16];
                std::snprintf(type, sizeof type, "hex(%x):", value.type);
                out += type + HexBytes(value.bytes);
            }
            out += "\r\n";
        }
    }
    return out;
}

bool RegistryStore::Import(std::string_view raw) {
    std::string text = DecodeFileText(raw);
    // Split into logical lines: a trailing backslash continues a line.
    std::vector<std::string> lines;
    std::string current;
    bool continuing = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (continuing) {
            size_t start = line.find_first_not_of(" \t");
            line = start == std::string::npos ? "" : line.substr(start);
        }
        current += line;
        continuing = !current.empty() && current.back() == '\\' && current[0] != '[';
        if (continuing) {
            current.pop_back();
            continue;
        }
        lines.push_back(std::move(current));
        current.clear();
    }
    if (continuing) return false;

    // Keys and values are found through hash maps of their folded names, and a replaced or
    // deleted value is only marked dead until the end, so a file of any size reads in linear
    // time.
    std::vector<Key> keys;
    std::vector<std::vector<bool>> alive;
    std::unordered_map<std::u16string, size_t> keyIndex;
    std::unordered_map<std::u16string, size_t> valueIndex; // key index, NUL, folded name
    bool sawHeader = false;
    Key* key = nullptr;
    size_t keyAt = 0;
    bool deletedKey = false;
    for (const auto& line : lines) {
        if (line.empty() || line[0] == ';') continue;
        if (!sawHeader) {
            if (line != kHeader && line != "REGEDIT4") return false;
            sawHeader = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') return false;
            std::string inner = line.substr(1, line.size() - 2);
            deletedKey = !inner.empty() && inner[0] == '-';
            if (deletedKey) inner.erase(0, 1);
            auto slash = inner.find('\\');
            std::string hiveName = inner.substr(0, slash);
            const HiveName* hive = nullptr;
            for (const auto& h : kHives)
                if (hiveName == h.name) hive = &h;
            if (!hive) return false;
            std::u16string path =
                NormaliseKey(slash == std::string::npos ? u"" : FromUtf8(inner.substr(slash + 1)));
            key = nullptr;
            if (deletedKey || path.empty()) continue;
            std::u16string folded = char16_t(u'0' + int(hive->hive)) + Fold(path);
            auto [found, added] = keyIndex.try_emplace(folded, keys.size());
            if (added) {
                keys.push_back({hive->hive, path, {}});
                alive.emplace_back();
            }
            keyAt = found->second;
            key = &keys[keyAt];
            continue;
        }
        if (deletedKey) continue;
        if (!key) return false;
        size_t p = 0;
        std::string name;
        if (line[0] == '@') {
            p = 1;
        } else if (!ParseQuoted(line, p, name)) {
            return false;
        }
        if (p >= line.size() || line[p] != '=') return false;
        std::string_view data = std::string_view(line).substr(p + 1);
        Value value{FromUtf8(name), RegBinary, {}};
        std::u16string valueKey = FromUtf8(std::to_string(keyAt)) + u'\0' + Fold(value.name);
        if (data == "-") {
            if (auto old = valueIndex.find(valueKey); old != valueIndex.end()) {
                alive[keyAt][old->second] = false;
                valueIndex.erase(old);
            }
            continue;
        }
        if (data.starts_with("\"")) {
            size_t q = 0;
            std::string str;
            if (!ParseQuoted(data, q, str) || q != data.size()) return false;
            value.type = RegString;
            for (char16_t c : FromUtf8(str)) {
                value.bytes.push_back(uint8_t(c & 0xFF));
                value.bytes.push_back(uint8_t(c >> 8));
            }
            value.bytes.push_back(0);
            value.bytes.push_back(0);
        } else if (data.starts_with("dword:")) {
            std::string_view digits = data.substr(6);
            if (digits.empty() || digits.size() > 8) return false;
            uint32_t v = 0;
            for (char c : digits) {
                int d = HexDigit(c);
                if (d < 0) return false;
                v = v * 16 + uint32_t(d);
            }
            value.type = RegDword;
            value.bytes = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        } else if (data.starts_with("hex:")) {
            if (!ParseHexList(data.substr(4), value.bytes)) return false;
        } else if (data.starts_with("hex(")) {
            size_t close = data.find("):");
            if (close == std::string_view::npos || close == 4) return false;
            uint32_t type = 0;
            for (char c : data.substr(4, close - 4)) {
                int d = HexDigit(c);
                if (d < 0 || type > 0x0FFFFFFF) return false;
                type = type * 16 + uint32_t(d);
            }
            value.type = type;
            if (!ParseHexList(data.substr(close + 2), value.bytes)) return false;
        } else {
            return false;
        }
        auto [old, added] = valueIndex.try_emplace(valueKey, key->values.size());
        if (!added) {
            alive[keyAt][old->second] = false;
            old->second = key->values.size();
        }
        key->values.push_back(std::move(value));
        alive[keyAt].push_back(true);
    }
    if (!sawHeader) return false;
    for (size_t k = 0; k < keys.size(); ++k) {
        auto& values = keys[k].values;
        size_t kept = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            if (!alive[k][i]) continue;
            if (kept != i) values[kept] = std::move(values[i]);
            ++kept;
        }
        values.resize(kept);
    }
    keys_ = std::move(keys);
    return true;
}

void RegistryStore::Load() {
    if (loaded_) return;
    loaded_ = true;
    std::u16string widePath = FromUtf8(path_);
    switch (ProbeFile(widePath)) {
    case FileState::Missing:
        return;
    case FileState::Blocked:
        readOnly_ = true;
        saved_ = false;
        warned_ = true;
        std::fprintf(stderr,
                     "warning: the settings file %s cannot be read; it is kept as it is and "
                     "the program runs with default settings, unsaved\n",
                     path_.c_str());
        return;
    case FileState::Readable:
        break;
    }
    InputFile file(widePath);
    uint64_t size = 0;
    std::string text;
    if (file.Size(size) && size <= kMaxSettingsFileSize) {
        text.resize(size_t(size));
        int64_t got = size ? file.Read(text.data(), uint32_t(size)) : 0;
        if (got == int64_t(size) && Import(text)) return;
    }
    // Keep the user's file for inspection instead of overwriting it on the next save.
    std::string aside = path_ + ".damaged";
    for (int n = 1; IsRegularFile(FromUtf8(aside)) && n < 1000; ++n)
        aside = path_ + ".damaged." + std::to_string(n);
    if (std::rename(ResolvePath(widePath).c_str(), aside.c_str()) != 0) {
        // It cannot be set aside, so it must not be written over either.
        readOnly_ = true;
        saved_ = false;
        warned_ = true;
        aside = path_;
    }
    std::fprintf(stderr,
                 "warning: the settings file %s could not be read; it was kept as %s and the "
                 "program starts with default settings\n",
                 path_.c_str(), aside.c_str());
    keys_.clear();
}

void RegistryStore::Save() {
    if (!readOnly_) {
        std::u16string widePath = FromUtf8(path_);
        auto slash = path_.find_last_of('/');
        if (slash != std::string::npos && slash > 0) MakeFolder(FromUtf8(path_.substr(0, slash)));
        AtomicOutputFile file(widePath);
        std::string text = Export();
        saved_ = file.Write(text.data(), uint32_t(text.size())) && file.Commit();
    }
    if (saved_ || warned_) return;
    warned_ = true;
    std::fprintf(stderr,
                 "warning: the settings file %s cannot be written; changes are kept until the "
                 "program ends\n",
                 path_.c_str());
}

RegistryStore& Registry() {
    if (!theRegistry)
        theRegistry =
            std::make_unique<RegistryStore>(overridePath.empty() ? DefaultPath() : overridePath);
    return *theRegistry;
}

void SetRegistryPath(const std::string& path) {
    overridePath = path;
    theRegistry.reset();
}

} // namespace platform
