#include "platform/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list) {
    return list;
}
} // namespace

TEST(RegistryStore, WritesSurviveARestartInExportFormat) {
    TempFolder dir;
    std::string path = (dir.Path() / "cfg/registry.reg").string();
    {
        RegistryStore store(path);
        ASSERT_TRUE(
            store.CreateKey(Hive::LocalMachine, u"Software\\VarnokGames\\Tamborix\\Options"));
        uint8_t v[4] = {3, 0, 0, 0};
        ASSERT_TRUE(store.Write(Hive::LocalMachine, u"Software\\VarnokGames\\Tamborix\\Options",
                                u"Language", RegBinary, v, 4));
        uint8_t s[2] = {0xAB, 0x01};
        ASSERT_TRUE(store.CreateKey(Hive::CurrentUser, u"A\\Quote\"Key"));
        ASSERT_TRUE(
            store.Write(Hive::CurrentUser, u"A\\Quote\"Key", u"na\"me\\x", RegBinary, s, 2));
    }
    std::string text = dir.ReadFile("cfg/registry.reg");
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\r\n"
                        "\"Language\"=hex:03,00,00,00\r\n"),
              std::string::npos);

    RegistryStore again(path);
    std::vector<uint8_t> data;
    uint32_t type = 0;
    ASSERT_TRUE(again.Read(Hive::LocalMachine, u"software\\varnokgames\\tamborix\\OPTIONS",
                           u"language", &data, &type));
    EXPECT_EQ(data, Bytes({3, 0, 0, 0}));
    EXPECT_EQ(type, uint32_t(RegBinary));
    ASSERT_TRUE(again.Read(Hive::CurrentUser, u"A\\Quote\"Key", u"na\"me\\x", &data));
    EXPECT_EQ(data, Bytes({0xAB, 0x01}));
    EXPECT_FALSE(again.Read(Hive::CurrentUser, u"Software\\VarnokGames\\Tamborix\\Options",
                            u"Language", &data))
        << "hives are separate";
}

TEST(RegistryStore, ImportsWhatOtherToolsWrite) {
    RegistryStore store("/nonexistent/unused.reg");
    ASSERT_TRUE(store.Import("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                             "; a comment\n"
                             "[HKEY_LOCAL_MACHINE\\ControlPanel\\Backlight]\n"
                             "\"BatteryTimeout\"=dword:0000003c\n"
                             "\"Long\"=hex:01,02,\\\n  03,04\n"
                             "\"Text\"=\"hi\"\n"
                             "@=hex(7):61,00\n"));
    std::vector<uint8_t> data;
    uint32_t type = 0;
    ASSERT_TRUE(store.Read(Hive::LocalMachine, u"ControlPanel\\Backlight", u"BatteryTimeout", &data,
                           &type));
    EXPECT_EQ(data, Bytes({0x3C, 0, 0, 0})) << "a dword reads as its four little-endian bytes";
    EXPECT_EQ(type, uint32_t(RegDword));
    ASSERT_TRUE(store.Read(Hive::LocalMachine, u"ControlPanel\\Backlight", u"Long", &data));
    EXPECT_EQ(data, Bytes({1, 2, 3, 4}));
    ASSERT_TRUE(store.Read(Hive::LocalMachine, u"ControlPanel\\Backlight", u"Text", &data));
    EXPECT_EQ(data, Bytes({'h', 0, 'i', 0, 0, 0}));
    ASSERT_TRUE(store.Read(Hive::LocalMachine, u"ControlPanel\\Backlight", u"", &data, &type));
    EXPECT_EQ(type, 7u);
    // Round trip keeps the types.
    RegistryStore copy("/nonexistent/unused.reg");
    ASSERT_TRUE(copy.Import(store.Export()));
    EXPECT_EQ(copy.Export(), store.Export());
    EXPECT_NE(store.Export().find("\"BatteryTimeout\"=dword:0000003c"), std::string::npos);
}

TEST(RegistryStore, RejectsDamagedText) {
    RegistryStore store("/nonexistent/unused.reg");
    const char* damaged[] = {
        "",
        "not a registry file\n",
        "Windows Registry Editor Version 5.00\n\"Orphan\"=hex:01\n",
        "Windows Registry Editor Version 5.00\n[HKEY_NOWHERE\\X]\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:zz\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:123456789\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a=hex:01\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:01,\\\n",
    };
    for (const char* text : damaged) EXPECT_FALSE(store.Import(text)) << text;
}

TEST(RegistryStore, DamagedFileIsSetAsideAndNeverOverwritten) {
    TempFolder dir;
    dir.WriteFile("registry.reg", "garbage that a crash left behind");
    std::string path = (dir.Path() / "registry.reg").string();
    RegistryStore store(path);
    std::vector<uint8_t> data;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.Read(Hive::LocalMachine, u"Software", u"x", &data));
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("registry.reg.damaged"), std::string::npos);
    EXPECT_EQ(dir.ReadFile("registry.reg.damaged"), "garbage that a crash left behind");
    ASSERT_TRUE(store.CreateKey(Hive::LocalMachine, u"Software"));
    EXPECT_EQ(dir.ReadFile("registry.reg.damaged"), "garbage that a crash left behind");
    EXPECT_EQ(dir.ReadFile("registry.reg").rfind("Windows Registry", 0), 0u);
}

TEST(RegistryStore, AFileThatCannotBeWrittenLeavesTheSettingsForTheRunWithOneWarning) {
    TempFolder dir;
    dir.WriteFile("blocker", "a file where a folder should be");
    RegistryStore store((dir.Path() / "blocker/registry.reg").string());
    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.CreateKey(Hive::LocalMachine, u"Software\\X"));
    EXPECT_TRUE(store.Write(Hive::LocalMachine, u"Software\\X", u"v", RegBinary, "a", 1));
    EXPECT_TRUE(store.Write(Hive::LocalMachine, u"Software\\X", u"w", RegBinary, "b", 1));
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(store.Saved());
    std::vector<uint8_t> data;
    ASSERT_TRUE(store.Read(Hive::LocalMachine, u"Software\\X", u"v", &data));
    EXPECT_EQ(data, std::vector<uint8_t>{'a'});
    EXPECT_EQ(warnings.find("cannot be written"), warnings.rfind("cannot be written"));
    EXPECT_NE(warnings.find("cannot be written"), std::string::npos);
    EXPECT_EQ(dir.ReadFile("blocker"), "a file where a folder should be");
}

TEST(RegistryStore, ASettingsFileThatCannotBeReadIsKeptAndNeverWritten) {
    TempFolder dir;
    // A link to nothing stands for any settings file the program cannot open.
    std::filesystem::create_symlink(dir.Path() / "elsewhere.reg", dir.Path() / "registry.reg");
    RegistryStore store((dir.Path() / "registry.reg").string());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.Read(Hive::LocalMachine, u"Software", u"x", nullptr));
    EXPECT_TRUE(store.CreateKey(Hive::LocalMachine, u"Software\\X"));
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("cannot be read"), std::string::npos);
    EXPECT_FALSE(store.Saved());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "registry.reg"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "elsewhere.reg"));
}

TEST(RegistryStore, ValueTypesSurviveARoundTripInHexDigits) {
    RegistryStore store("/nonexistent/registry.reg");
    ASSERT_TRUE(store.Import("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\K]\n"
                             "\"q\"=hex(b):01,02\n\"m\"=hex(10):03\n"));
    std::string text = store.Export();
    EXPECT_NE(text.find("\"m\"=hex(10):03"), std::string::npos) << text;
    RegistryStore again("/nonexistent/registry.reg");
    ASSERT_TRUE(again.Import(text));
    EXPECT_EQ(again.Export(), text);
    uint32_t type = 0;
    ASSERT_TRUE(again.Read(Hive::CurrentUser, u"K", u"q", nullptr, &type));
    EXPECT_EQ(type, 0xBu);
}
