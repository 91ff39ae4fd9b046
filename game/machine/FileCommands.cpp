#include "game/machine/FileCommands.h"

#include "game/machine/SongExport.h"
#include "platform/Text.h"
#include "varnokengine/VGStream.h"

#include <cstdlib>
#include <iostream>

namespace {

bool Number(const char* text, uint32_t low, uint32_t high, uint32_t& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < long(low) || value > long(high)) return false;
    out = uint32_t(value);
    return true;
}

void Note(FileCommand& c, const std::string& problem) {
    if (c.problem.empty()) c.problem = problem;
}

void Begin(FileCommand& c, FileCommand::Kind kind) {
    if (c.kind != FileCommand::None)
        Note(c, "give only one of --export-track, --export-segment and --import-midi");
    c.kind = kind;
}

VGString ProgramPath(const std::string& utf8) {
    return VGString(platform::FromUtf8(utf8).c_str());
}

constexpr uint32_t kMaxLoops = 9999;

} // namespace

bool TakeFileCommandOption(int argc, char** argv, int& i, FileCommand& c) {
    const std::string arg = argv[i];
    const bool two = i + 2 < argc, one = i + 1 < argc;
    if (arg == "--export-track" || arg == "--export-segment") {
        Begin(c, arg == "--export-track" ? FileCommand::ExportTrack : FileCommand::ExportSegment);
        if (!two || !Number(argv[i + 1], 1, 99, c.slot))
            Note(c, arg + " needs a slot from 1 to 99 and a file");
        if (two) c.file = argv[i + 2];
        i += two ? 2 : argc;
    } else if (arg == "--import-midi") {
        Begin(c, FileCommand::ImportMidi);
        if (!two || !Number(argv[i + 2], 1, 99, c.slot))
            Note(c, "--import-midi needs a file and a slot from 1 to 99");
        if (two) c.file = argv[i + 1];
        i += two ? 2 : argc;
    } else if (arg == "--loops") {
        if (!one || !Number(argv[i + 1], 1, kMaxLoops, c.loops))
            Note(c, "--loops needs a count from 1 to 9999");
        i += one ? 1 : argc;
    } else if (arg == "--bits") {
        if (!one || !Number(argv[i + 1], 16, 24, c.bits) || (c.bits != 16 && c.bits != 24))
            Note(c, "--bits is 16 or 24");
        i += one ? 1 : argc;
    } else if (arg == "--force") {
        c.force = true;
    } else {
        return false;
    }
    return true;
}

const char* FileCommandHelp() {
    return "  --export-track SLOT FILE    write track SLOT to FILE (.wav, .flac or .mid) and exit\n"
           "  --export-segment SLOT FILE  write segment SLOT to FILE and exit\n"
           "  --loops N           with --export-segment: play it N times (default 1)\n"
           "  --bits 16|24        sample size of .wav and .flac exports (default 16)\n"
           "  --import-midi FILE SLOT     read a drum MIDI file into segment SLOT and exit\n"
           "  --force             with --import-midi: replace a segment already in SLOT\n";
}

int RunFileCommand(const FileCommand& c) {
    std::string problem = c.problem;
    if (problem.empty() && c.loops && c.kind != FileCommand::ExportSegment)
        problem = "--loops goes with --export-segment only";
    if (problem.empty() && c.bits && c.kind == FileCommand::ImportMidi)
        problem = "--bits goes with the exports only";
    if (problem.empty() && c.force && c.kind != FileCommand::ImportMidi)
        problem = "--force goes with --import-midi only";
    if (problem.empty() && c.kind == FileCommand::None)
        problem = "--loops, --bits and --force go with an export or import";
    if (!problem.empty()) {
        std::cerr << "tamborix: " << problem << "\n";
        return 1;
    }

    const VGString file = ProgramPath(c.file);
    const uint32_t bits = c.bits ? c.bits : 16;
    std::string error;
    bool ok = false;
    if (c.kind == FileCommand::ImportMidi) {
        MidiImportResult result;
        ok = ImportMidi(file, c.slot, c.force, result, error);
        for (const std::string& note : result.notes) std::cerr << "tamborix: " << note << "\n";
        if (ok) std::cout << "segment " << c.slot << " read from " << c.file << "\n";
    } else if (c.kind == FileCommand::ExportTrack) {
        Track track;
        track.slot = c.slot;
        Reset(track);
        if (!FileExists(TrackPath(c.slot))) {
            error = "track slot " + std::to_string(c.slot) + " is empty";
        } else {
            Load(track);
            ok = ExportTrack(track, file, bits, error);
        }
    } else {
        Segment segment;
        segment.slot = c.slot;
        Reset(segment);
        if (!FileExists(SegmentPath(c.slot))) {
            error = "segment slot " + std::to_string(c.slot) + " is empty";
        } else {
            Load(segment);
            ok = ExportSegment(segment, c.loops ? c.loops : 1, file, bits, error);
        }
    }
    if (ok && c.kind != FileCommand::ImportMidi) std::cout << "wrote " << c.file << "\n";
    if (!ok) std::cerr << "tamborix: " << error << "\n";
    return ok ? 0 : 1;
}
