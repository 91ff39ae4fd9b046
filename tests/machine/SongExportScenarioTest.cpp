// The program's export as a player meets it: the command line writes a track that sounds
// sample for sample like the same track played on the play screen, refuses what it cannot
// do with a message and a non-zero exit, and E on the play screen saves into the music
// folder.
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string U32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = char(v >> (8 * i));
    return s;
}

// Tempo 125 at speed 125: a step is 96 ms of real time, six 16 ms frames, so the play
// screen's frame-driven strokes fall on their ideal times too. Bass on 0, hi-hat on 8.
std::string SegmentFile() {
    std::vector<uint32_t> grid(9 * 64, 0);
    grid[3 * 64 + 0] = 1;
    grid[8 * 64 + 8] = 1;
    std::string bytes = "beat3" + U32(16) + U32(125);
    for (uint32_t cell : grid) bytes += U32(cell);
    return bytes;
}

// The 16-bit stereo samples of a WAV file, after its "data" chunk header.
std::vector<int16_t> Samples(const std::string& wav) {
    const size_t data = wav.find("data");
    std::vector<int16_t> out;
    if (data == std::string::npos) return out;
    for (size_t i = data + 8; i + 1 < wav.size(); i += 2)
        out.push_back(int16_t(uint8_t(wav[i]) | uint8_t(wav[i + 1]) << 8));
    return out;
}

int RunProgram(const ScenarioRun& run, const std::string& arguments) {
    const std::string command = std::string(TAMBORIX_PROGRAM) + " --data " + run.Data().string() +
                                " --user-dir " + run.User().string() + " " + arguments + " >" +
                                (run.Folder() / "cli.txt").string() + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr uint32_t kPlayTap = 10480;
constexpr int32_t kPlayX = 240 - 80 - 24, kButtonY = 640 - 24;

} // namespace

TEST(SongExportScenario, ExportedTrackMatchesThePlayScreenSampleForSample) {
    ScenarioRun run;
    run.WriteUserFile("save/3.tbs", SegmentFile());
    run.WriteUserFile("save/2.tbt", "song2" + U32(125) + U32(1) + U32(3) + U32(2));
    run.Preset({{"Language", 0}, {"MasterVolume", 10}});
    run.extraArguments = "--audio-wav " + (run.Folder() / "played.wav").string();
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n" // main menu: drum machine
           << "at 8200 key action\n"                    // play a track
           << "at 9200 key action\n"                    // the one saved track
           << "at " << kPlayTap << " tap " << kPlayX << " " << kButtonY << "\n"
           << "at 16000 quit\n";
    ASSERT_EQ(run.Run(script.str()), 0);
    const fs::path exported = run.Folder() / "export.wav";
    ASSERT_EQ(RunProgram(run, "--export-track 2 " + exported.string()), 0);

    uint32_t first = 0;
    for (const HeardSound& s : run.Heard())
        if (s.name == "bass") {
            first = s.ms;
            break;
        }
    ASSERT_GT(first, 0u);
    // Where the first stroke lies in the played file: strokes are heard on their exact sample,
    // so the one frame near the logged millisecond from which both files agree is it.
    std::ifstream playedIn(run.Folder() / "played.wav", std::ios::binary);
    const std::vector<int16_t> played = Samples(
        std::string((std::istreambuf_iterator<char>(playedIn)), std::istreambuf_iterator<char>()));
    std::ifstream in(exported, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<int16_t> rendered = Samples(bytes);
    // Two passes of 1536 ms, then the tail.
    ASSERT_GE(rendered.size(), 2u * 3072u * 441u / 10u);
    // The play button's click sounds over the first moments of the played file.
    const size_t clickFree = 2 * 22050;
    auto differingFrom = [&](size_t offset) {
        size_t differing = 0;
        for (size_t i = clickFree; i < rendered.size(); ++i)
            differing += 2 * offset + i >= played.size() || played[2 * offset + i] != rendered[i];
        return differing;
    };
    const size_t logged = size_t(first) * 441 / 10;
    size_t best = logged, fewest = differingFrom(logged);
    for (size_t offset = logged - 50; offset <= logged + 50 && fewest != 0; ++offset)
        if (size_t d = differingFrom(offset); d < fewest) fewest = d, best = offset;
    EXPECT_EQ(fewest, 0u) << "best offset " << best << " frames, logged " << logged;
}

TEST(SongExportScenario, CommandLineRefusesWhatItCannotDoAndLeavesNoFile) {
    ScenarioRun run;
    run.WriteUserFile("save/3.tbs", SegmentFile());
    const std::string out = (run.Folder() / "out").string();
    EXPECT_EQ(RunProgram(run, "--export-segment 4 " + out + ".wav"), 1); // empty slot
    EXPECT_EQ(RunProgram(run, "--export-track 3 " + out + ".wav"), 1);   // no track there
    EXPECT_EQ(RunProgram(run, "--export-segment 3 " + out + ".ogg"), 1);
    EXPECT_EQ(RunProgram(run, "--export-segment 3 " + out + "/no/x.wav"), 1);
    EXPECT_EQ(RunProgram(run, "--export-segment 3 " + out + ".wav --loops 0"), 1);
    EXPECT_EQ(RunProgram(run, "--export-segment 3 " + out + ".wav --bits 20"), 1);
    EXPECT_EQ(RunProgram(run, "--import-midi " + out + ".mid 5"), 1); // missing file
    for (const auto& entry : fs::directory_iterator(run.Folder()))
        EXPECT_EQ(entry.path().filename().string().rfind("out", 0), std::string::npos)
            << entry.path();
    EXPECT_EQ(RunProgram(run, "--export-segment 3 " + out + ".mid --loops 3"), 0);
    EXPECT_EQ(RunProgram(run, "--import-midi " + out + ".mid 5"), 0);
    EXPECT_EQ(RunProgram(run, "--import-midi " + out + ".mid 5"), 1); // slot now in use
    EXPECT_EQ(RunProgram(run, "--import-midi " + out + ".mid 5 --force"), 0);
}

TEST(SongExportScenario, KeyEOnThePlayScreenSavesIntoTheMusicFolder) {
    ScenarioRun run;
    run.WriteUserFile("save/3.tbs", SegmentFile());
    run.WriteUserFile("save/2.tbt", "song2" + U32(125) + U32(1) + U32(3) + U32(1));
    run.ChooseLanguage();
    const fs::path home = run.Folder() / "home";
    fs::create_directories(home);
    const char* oldHome = std::getenv("HOME");
    const std::string keep = oldHome ? oldHome : "";
    setenv("HOME", home.c_str(), 1);
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n"
           << "at 8200 key action\n"
           << "at 9200 key action\n"
           << "at 10000 shot before.png\n"
           << "at 10200 char e\n"
           << "at 10600 shot saved.png\n"
           << "at 15000 shot later.png\n"
           << "at 15200 quit\n";
    const int code = run.Run(script.str());
    if (oldHome)
        setenv("HOME", keep.c_str(), 1);
    else
        unsetenv("HOME");
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.ErrorLogged());
    EXPECT_TRUE(fs::is_regular_file(home / "Music" / "Tamborix" / "song2.wav"));
    // The line telling where it went shows above the buttons, then goes again.
    const Frame saved = run.Shot("saved.png"), later = run.Shot("later.png");
    EXPECT_GT(saved.Differences(later, 0, 560, 480, 590), 50);
}
