#include "platform/RegistryStore.h"
#include "tests/support/TempFolder.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"

#include <gtest/gtest.h>

class Registry : public testing::Test {
protected:
    void SetUp() override {
        platform::SetRegistryPath((dir.Path() / "registry.reg").string());
        ClearErrors();
    }
    void TearDown() override {
        platform::SetRegistryPath("");
        ClearErrors();
    }
    TempFolder dir;
};

TEST_F(Registry, FreshStoreGivesDefaultsAndWritesNothing) {
    EXPECT_EQ(ReadOption(u"GraphicsQuality", 9), 9u);
    EXPECT_FALSE(ReadValue(0, u"Options", u"Language", nullptr, nullptr));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "registry.reg"));
}

TEST_F(Registry, OptionsRoundTripUnderTheProgramKey) {
    ASSERT_TRUE(WriteOption(u"MasterVolume", 7));
    EXPECT_EQ(ReadOption(u"MasterVolume", 1000), 7u);
    EXPECT_NE(dir.ReadFile("registry.reg")
                  .find("[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\r\n"
                        "\"MasterVolume\"=hex:07,00,00,00"),
              std::string::npos);
    uint8_t scores[24] = {1, 2, 3};
    ASSERT_TRUE(WriteValue(0, u"Highscores", u"MemoryMaster", scores, 24));
    uint8_t back[24] = {};
    uint32_t size = 24;
    ASSERT_TRUE(ReadValue(0, u"Highscores", u"MemoryMaster", back, &size));
    EXPECT_EQ(back[2], 3);
    uint32_t small = 4;
    EXPECT_FALSE(ReadValue(0, u"Highscores", u"MemoryMaster", back, &small));
    EXPECT_EQ(small, 24u) << "too small a buffer learns the size";
    uint32_t query = 0;
    EXPECT_TRUE(ReadValue(0, u"Highscores", u"MemoryMaster", nullptr, &query));
    EXPECT_EQ(query, 24u);
    EXPECT_EQ(ErrorFlag, 0u);
}

TEST_F(Registry, RootsSelectHivesAndPaths) {
    uint8_t v = 5;
    ASSERT_TRUE(WriteValue(1, u"ControlPanel\\Backlight", u"BatteryTimeout", &v, 1));
    ASSERT_TRUE(WriteValue(2, u"Software\\X", u"A", &v, 1));
    ASSERT_TRUE(WriteValue(0, u"", u"Top", &v, 1));
    std::string text = dir.ReadFile("registry.reg");
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\ControlPanel\\Backlight]"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\X]"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix]\r\n\"Top\""),
              std::string::npos);
    EXPECT_TRUE(ReadValue(7, u"ControlPanel\\Backlight", u"BatteryTimeout", nullptr, nullptr))
        << "unknown roots mean the local machine";
}

TEST_F(Registry, DwordWrittenByAnotherToolReadsAsItsBytes) {
    dir.WriteFile("registry.reg",
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\r\n"
                  "\"Language\"=dword:00000002\r\n");
    platform::SetRegistryPath((dir.Path() / "registry.reg").string());
    EXPECT_EQ(ReadOption(u"Language", 100), 2u);
}

TEST_F(Registry, ASettingsFileThatCannotBeWrittenNeverStopsTheProgram) {
    // A read-only folder or a full disk once ended the program at start.
    dir.WriteFile("blocker", "");
    platform::SetRegistryPath((dir.Path() / "blocker/registry.reg").string());
    testing::internal::CaptureStderr();
    EXPECT_TRUE(WriteOption(u"ScreenOrientation", 1));
    EXPECT_TRUE(WriteOption(u"Language", 2));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(ErrorFlag, 0u);
    EXPECT_EQ(ReadOption(u"Language", 0), 2u) << "kept for the run";
}
