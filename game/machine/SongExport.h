#pragma once
// Songs out of the drum machine and grooves into it, as files: a track or a looped segment
// written as WAV, FLAC (both rendered offline) or a Standard MIDI File, chosen by the file's
// extension, and a drum MIDI file read into a segment slot. Every file is written to a
// temporary beside its target and takes the target's name only once it is complete.
#include "game/machine/Track.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class SongFileType { Wav, Flac, Midi, Unknown };

// By extension, in any letter case: .wav, .flac, .mid (or .midi).
SongFileType SongFileTypeOf(std::u16string_view path);

// Writes the whole track, played once, to path. bits (16 or 24) applies to WAV and FLAC.
bool ExportTrack(Track& track, const VGString& path, uint32_t bits, std::string& error);
// The segment played loops times at its own tempo.
bool ExportSegment(const Segment& segment, uint32_t loops, const VGString& path, uint32_t bits,
                   std::string& error);

// Writes the track as a 16-bit WAV file "Tamborix/<name>.wav" in the user's music folder
// (made when missing); path receives where the file went.
bool ExportToMusicFolder(Track& track, VGString& path, std::string& error);

struct MidiImportResult {
    std::vector<std::string> notes; // what the import left out or changed, one line each
};

// Reads a drum MIDI file into segment slot slot and saves it there. A slot that already has
// a segment is kept unless replace is set.
bool ImportMidi(const VGString& path, uint32_t slot, bool replace, MidiImportResult& result,
                std::string& error);

// The five characters of a segment's name taken from a file's name: the start of its name
// without folder and extension, lower-cased, letters and digits kept, anything else a blank.
void NameFromFileName(std::u16string_view path, char (&name)[kNameLength]);
