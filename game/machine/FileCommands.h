#pragma once
// The command-line jobs that move songs in and out without a window or sound device:
//   --export-track SLOT FILE, --export-segment SLOT FILE [--loops N], --bits 16|24,
//   --import-midi FILE SLOT [--force].
#include <cstdint>
#include <string>

struct FileCommand {
    enum Kind { None, ExportTrack, ExportSegment, ImportMidi };
    Kind kind = None;
    uint32_t slot = 0;
    std::string file;   // as given, UTF-8
    uint32_t loops = 0; // 0: not given
    uint32_t bits = 0;  // 0: not given
    bool force = false;
    std::string problem; // a command line that cannot run, in words
};

// True when the command line asked for one of the jobs (or used one of their options).
inline bool FileCommandGiven(const FileCommand& c) {
    return c.kind != FileCommand::None || !c.problem.empty() || c.loops || c.bits || c.force;
}

// When argv[i] is one of the options above, takes it and its values (moving i past them) and
// returns true; a bad value is noted in command.problem.
bool TakeFileCommandOption(int argc, char** argv, int& i, FileCommand& command);
// The lines --help shows for these options.
const char* FileCommandHelp();
// Runs the job once the data and save folders are known: messages on stdout and stderr, and
// the exit code (0 done, 1 refused or failed).
int RunFileCommand(const FileCommand& command);
