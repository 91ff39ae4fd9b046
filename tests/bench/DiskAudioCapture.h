#pragma once
// For the latency measuring programs: SDL's disk audio driver writes into a FIFO, whose stdio
// stream is made unbuffered, and a reader thread stamps the first loud sample after each
// measurement is armed. Also the 10 ms burst both programs play, and their figures' maths.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// The FIFO the disk driver is to write into without stdio buffering (this program's fopen
// wrapper applies it); empty leaves every stream as opened.
void SetUnbufferedPath(const std::string& path);

struct LoudSampleWatch {
    std::atomic<bool> armed{false};
    std::atomic<uint64_t> arrivalNs{0};   // when the first loud sample after arming came in
    std::atomic<uint64_t> readerCpuNs{0}; // the reader's own CPU time, to leave it out
};

// Reads 16-bit stereo frames from the FIFO until it closes, stamping into watch.
void ReadFifo(std::string fifo, LoudSampleWatch& watch);

uint64_t SteadyNs();
uint64_t ThreadCpuNs();
double Percentile(std::vector<double> values, double p);

// A 10 ms burst at 22.05 kHz, 16-bit mono as the kit's sounds are stored, encoded as a sound
// file of the game.
std::vector<uint8_t> BurstSoundFile();
