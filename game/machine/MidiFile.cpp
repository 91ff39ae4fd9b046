#include "game/machine/MidiFile.h"

#include <algorithm>

namespace {

constexpr uint32_t kMaxDelta = 0x0FFFFFFF; // four bytes of seven bits

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    size_t Left() const { return size_t(end_ - p_); }
    bool Byte(uint8_t& out) {
        if (p_ == end_) return false;
        out = *p_++;
        return true;
    }
    bool Peek(uint8_t& out) const {
        if (p_ == end_) return false;
        out = *p_;
        return true;
    }
    bool Skip(size_t n) {
        if (Left() < n) return false;
        p_ += n;
        return true;
    }
    bool BigEndian(uint32_t& out, int bytes) {
        if (Left() < size_t(bytes)) return false;
        out = 0;
        for (int i = 0; i < bytes; ++i) out = out << 8 | *p_++;
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool Variable(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = out << 7 | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    const uint8_t* Here() const { return p_; }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
}

bool ReadTrack(Cursor track, MidiSong& song, std::string& error) {
    uint64_t tick = 0;
    uint8_t running = 0;
    while (track.Left()) {
        uint32_t delta;
        if (!track.Variable(delta)) return Fail(error, "an event time runs past its track");
        tick += delta;
        uint8_t status;
        if (!track.Peek(status)) return Fail(error, "a track ends inside an event");
        if (status & 0x80)
            track.Skip(1);
        else if (running)
            status = running; // running status: the byte read next is data
        else
            return Fail(error, "an event has no status byte");

        if (status == 0xFF) {
            running = 0;
            uint8_t type;
            uint32_t length;
            if (!track.Byte(type) || !track.Variable(length) || track.Left() < length)
                return Fail(error, "a meta event runs past its track");
            const uint8_t* body = track.Here();
            track.Skip(length);
            if (type == kMetaEndOfTrack) break;
            if (type == kMetaTempo && length == 3) {
                const uint32_t micros = uint32_t(body[0]) << 16 | uint32_t(body[1]) << 8 | body[2];
                if (micros > 0) song.tempos.push_back({tick, micros});
            }
        } else if (status == 0xF0 || status == 0xF7) {
            running = 0;
            uint32_t length;
            if (!track.Variable(length) || !track.Skip(length))
                return Fail(error, "a system exclusive message runs past its track");
        } else if (status >= 0xF0) {
            return Fail(error, "a track holds a message that files cannot carry");
        } else {
            running = status;
            const uint8_t kind = status & 0xF0;
            const int count = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            uint8_t data[2] = {};
            for (int i = 0; i < count; ++i)
                if (!track.Byte(data[i])) return Fail(error, "a track ends inside a message");
            if (kind == kMidiNoteOn && (data[1] & 0x7F) != 0)
                song.notes.push_back({tick, uint8_t(status & 0x0F), uint8_t(data[0] & 0x7F),
                                      uint8_t(data[1] & 0x7F)});
        }
    }
    song.endTick = std::max(song.endTick, tick);
    return true;
}

} // namespace

bool ReadMidiFile(const uint8_t* data, size_t size, MidiSong& song, std::string& error) {
    song = MidiSong{};
    Cursor file(data, data ? size : 0);
    uint32_t id = 0, length = 0, format = 0, tracks = 0, division = 0;
    if (!file.BigEndian(id, 4) || id != 0x4D546864) // "MThd"
        return Fail(error, "not a MIDI file (no MThd header)");
    if (!file.BigEndian(length, 4) || length < 6 || file.Left() < length)
        return Fail(error, "the MIDI header is cut short");
    file.BigEndian(format, 2);
    file.BigEndian(tracks, 2);
    file.BigEndian(division, 2);
    file.Skip(length - 6);
    if (format > 2) return Fail(error, "unknown MIDI file type");
    if (division == 0) return Fail(error, "the MIDI header gives no timing");
    song.format = uint16_t(format);
    song.division = uint16_t(division);

    uint32_t found = 0;
    while (file.Left() >= 8 && found < tracks) {
        file.BigEndian(id, 4);
        file.BigEndian(length, 4);
        if (file.Left() < length) return Fail(error, "a track chunk is cut short");
        Cursor chunk(file.Here(), length);
        file.Skip(length);
        if (id != 0x4D54726B) continue; // not "MTrk": chunks of other kinds are skipped
        ++found;
        if (!ReadTrack(chunk, song, error)) return false;
    }
    if (found < tracks || found == 0)
        return Fail(error, "the file holds fewer tracks than it says");
    return true;
}

void MidiTrackWriter::Delta(uint64_t tick) {
    uint64_t delta = tick > tick_ ? tick - tick_ : 0;
    if (delta > kMaxDelta) delta = kMaxDelta;
    tick_ += delta;
    uint8_t bytes[4];
    int n = 0;
    do {
        bytes[n++] = uint8_t(delta & 0x7F);
        delta >>= 7;
    } while (delta && n < 4);
    while (n > 0) {
        --n;
        events_.push_back(uint8_t(bytes[n] | (n > 0 ? 0x80 : 0)));
    }
}

void MidiTrackWriter::Channel(uint64_t tick, uint8_t status, uint8_t data1, uint8_t data2) {
    Delta(tick);
    events_.push_back(status);
    events_.push_back(uint8_t(data1 & 0x7F));
    const uint8_t kind = status & 0xF0;
    if (kind != 0xC0 && kind != 0xD0) events_.push_back(uint8_t(data2 & 0x7F));
}

void MidiTrackWriter::Meta(uint64_t tick, uint8_t type, const uint8_t* data, uint32_t size) {
    Delta(tick);
    events_.push_back(0xFF);
    events_.push_back(type);
    // Meta texts here are short; one length byte of seven bits is enough.
    size = std::min<uint32_t>(size, 0x7F);
    events_.push_back(uint8_t(size));
    events_.insert(events_.end(), data, data + size);
}

std::vector<uint8_t> MidiTrackWriter::Finish(uint64_t endTick) {
    Meta(endTick, kMetaEndOfTrack, nullptr, 0);
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    const uint32_t length = uint32_t(events_.size());
    for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(uint8_t(length >> shift));
    chunk.insert(chunk.end(), events_.begin(), events_.end());
    events_.clear();
    tick_ = 0;
    return chunk;
}

std::vector<uint8_t> MidiFileBytes(uint16_t format, uint16_t division,
                                   const std::vector<std::vector<uint8_t>>& tracks) {
    const uint16_t count = uint16_t(tracks.size());
    std::vector<uint8_t> file = {'M',
                                 'T',
                                 'h',
                                 'd',
                                 0,
                                 0,
                                 0,
                                 6,
                                 uint8_t(format >> 8),
                                 uint8_t(format),
                                 uint8_t(count >> 8),
                                 uint8_t(count),
                                 uint8_t(division >> 8),
                                 uint8_t(division)};
    for (const auto& track : tracks) file.insert(file.end(), track.begin(), track.end());
    return file;
}
