#pragma once
// The desktop stand-in for the handheld's registry: hives of keys holding named values,
// kept in one text file per user in the registry export format ("Windows Registry Editor
// Version 5.00", [HIVE\key] sections, "name"=hex:.., dword:.., "string" values). The file is
// read on first use and rewritten atomically after every change. A file that cannot be
// parsed is renamed aside with a warning, and the store starts empty: the user's copy is
// never overwritten and a damaged file never stops the program. A file that is there but
// cannot be read stays where it is, untouched, and the store runs unsaved. When the file
// cannot be written (a full disk, a read-only folder) changes are kept for the run, with
// one warning, and written with the next change that can be saved.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class Hive { LocalMachine, CurrentUser, ClassesRoot };

// Value types as the export format knows them.
enum RegistryType : uint32_t { RegString = 1, RegBinary = 3, RegDword = 4 };

class RegistryStore {
public:
    explicit RegistryStore(std::string filePath) : path_(std::move(filePath)) {}

    // True when the key exists and holds the value; data gets its raw bytes.
    bool Read(Hive hive, std::u16string_view key, std::u16string_view name,
              std::vector<uint8_t>* data, uint32_t* type = nullptr);
    // Creates the key and its missing parents; true once it exists (saved or not).
    bool CreateKey(Hive hive, std::u16string_view key);
    // Sets a value in an existing key and saves; false only when the key is missing.
    bool Write(Hive hive, std::u16string_view key, std::u16string_view name, uint32_t type,
               const void* data, uint32_t size);
    // False while changes of this run could not be written to the file.
    bool Saved() const { return saved_; }

    // Serialisation, public for tests and tools.
    std::string Export() const;
    bool Import(std::string_view text); // false on any syntax it does not understand

private:
    struct Value {
        std::u16string name;
        uint32_t type = RegBinary;
        std::vector<uint8_t> bytes;
    };
    struct Key {
        Hive hive;
        std::u16string path;
        std::vector<Value> values;
    };

    void Load();
    void Save();
    Key* FindKey(Hive hive, std::u16string_view path);

    std::string path_;
    bool loaded_ = false;
    bool saved_ = true;
    bool readOnly_ = false; // the file is there but unreadable: it is never written
    bool warned_ = false;
    std::vector<Key> keys_;
};

// The store the program uses. Its file is, in order of precedence: the path given to
// SetRegistryPath (the --registry option), $TAMBORIX_REGISTRY, then
// $XDG_CONFIG_HOME/tamborix/registry.reg (or ~/.config/tamborix/registry.reg).
RegistryStore& Registry();
void SetRegistryPath(const std::string& path);

} // namespace platform
