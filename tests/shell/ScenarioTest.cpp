// The real program, run headless with a script: it must start, take the input, save the
// shot, and end by itself with exit code 0; a bad command line or script must not run.
#include "tests/support/ScenarioRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int RunProgram(const std::string& arguments, const std::string& environment = "") {
    std::string command = "env " + environment + " " + std::string(TAMBORIX_PROGRAM) + " " +
                          arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What the program writes to its error stream for the arguments.
std::string ErrorsOf(const std::string& arguments, const TempFolder& folder) {
    std::string file = (folder.Path() / "errors.txt").string();
    std::string command = std::string(TAMBORIX_PROGRAM) + " " + arguments + " >/dev/null 2>" + file;
    EXPECT_NE(std::system(command.c_str()), 0);
    return folder.ReadFile("errors.txt");
}

TEST(ScenarioTest, ScriptedRunTakesInputSavesTheShotAndEnds) {
    ScenarioRun run;
    EXPECT_EQ(run.Run("at 6000 tap 120 200\n"
                      "at 6500 down 30 300 / at 6900 up 30 300\n"
                      "at 7000 key action\n"
                      "at 7100 key back\n"
                      "at 7200 char a\n"
                      "at 8000 shot menu.png\n"
                      "at 9000 quit\n",
                      "240x320"),
              0);
    EXPECT_TRUE(run.HasShot("menu.png"));
    EXPECT_TRUE(std::filesystem::exists(run.Folder() / "registry.reg"));
    EXPECT_FALSE(run.ErrorLogged());
}

TEST(ScenarioTest, RunWithoutQuitEndsAfterTheScript) {
    TempFolder folder;
    folder.WriteFile("run.txt", "at 100 key up\n");
    std::string dir = folder.Path().string();
    EXPECT_EQ(RunProgram("--headless --script " + dir + "/run.txt --registry " + dir + "/r.reg"),
              0);
}

// A data folder without images stops the start with a fatal error, whose log is the one file
// the program then writes: it goes to the player's folder, never into the data.
TEST(ScenarioTest, PlayersFilesGoToTheUserFolderByOptionThenEnvironment) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "data");
    folder.WriteFile("run.txt", "at 100 quit\n");
    const std::string dir = folder.Path().string();
    const std::string run = "--headless --script " + dir + "/run.txt --data " + dir +
                            "/data --registry " + dir + "/r.reg";
    EXPECT_NE(RunProgram(run, "TAMBORIX_USER_DIR=" + dir + "/from-env"), -1);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "from-env" / "error.txt"));
    EXPECT_NE(RunProgram(run + " --user-dir " + dir + "/From-Option",
                         "TAMBORIX_USER_DIR=" + dir + "/ignored"),
              -1);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "From-Option" / "error.txt"))
        << "the folder is made as spelt";
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "ignored"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "data"));
}

TEST(ScenarioTest, BadCommandLinesAndScriptsDoNotRun) {
    TempFolder folder;
    folder.WriteFile("bad.txt", "at 10 jump\n");
    std::string dir = folder.Path().string();
    EXPECT_EQ(RunProgram("--headless --script " + dir + "/bad.txt"), 1);
    EXPECT_EQ(RunProgram("--headless --script " + dir + "/missing.txt"), 1);
    EXPECT_EQ(RunProgram("--size 0x5 --headless"), 1);
    EXPECT_EQ(RunProgram("--size 240x"), 1);
    EXPECT_EQ(RunProgram("--frobnicate"), 1);
    EXPECT_EQ(RunProgram("--user-dir"), 1);
    EXPECT_EQ(RunProgram("--version"), 0);
    EXPECT_EQ(RunProgram("--help"), 0);
}

TEST(ScenarioTest, CommandLineErrorsSayWhatIsWrong) {
    TempFolder folder;
    std::string unknown = ErrorsOf("--frobnicate", folder);
    EXPECT_NE(unknown.find("unknown option --frobnicate"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("--help"), std::string::npos) << unknown;
    EXPECT_EQ(unknown.find("WxH"), std::string::npos) << unknown;
    EXPECT_NE(ErrorsOf("--size 9x9", folder).find("WxH"), std::string::npos);
    EXPECT_NE(ErrorsOf("--script", folder).find("--script needs a value"), std::string::npos);
}

} // namespace
