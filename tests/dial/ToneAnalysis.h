#pragma once
// Reading touch-tone clips back: the RIFF WAVE layout of a clip, and which
// frequencies and which key a run of samples holds.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A key of the telephone keypad and the clip the program must hold for it.
struct KeyTone {
    char Key;
    int Low, High;  // Hz
    std::size_t Samples;
};
// By tone index: the digits 0-9, then "#" and "*".
extern const KeyTone kKeyTones[12];
const KeyTone* KeyToneOf(char key);

struct WaveClip {
    std::string Error;  // empty when the layout is sound
    std::uint16_t Format = 0, Channels = 0, BlockAlign = 0, Bits = 0;
    std::uint32_t Rate = 0, ByteRate = 0;
    std::uint32_t RiffSize = 0;       // as the header states it
    std::vector<std::string> Chunks;  // tags in file order
    std::vector<std::int16_t> Samples;
};
// Walks the chunks of a RIFF WAVE image of `size` bytes.
WaveClip ReadWaveClip(const void* data, std::size_t size);

// The strength of `frequency` in the samples (Goertzel).
double ToneStrength(const std::int16_t* samples, std::size_t count, double frequency, int rate);

// The two strongest frequencies between `from` and `to` Hz, scanned in steps
// of 1 Hz: the highest peak, then the highest more than `apart` Hz from it.
// Lower first.
struct TwoPeaks {
    int Low, High;
    double LowStrength, HighStrength;
};
TwoPeaks StrongestTwo(const std::int16_t* samples, std::size_t count, int rate, int from = 600, int to = 1600,
                      int apart = 100);

// The amplitudes of two sines of known frequencies (any phase) that best
// make up `count` samples starting at `first` of the clip (least squares).
struct ToneAmplitudes {
    double Low, High;
};
ToneAmplitudes FitTwoTones(const std::int16_t* samples, std::size_t first, std::size_t count, double low, double high,
                           int rate);

// The key whose row and column tones are the strongest of the eight, or '?'
// when either group has no clear winner.
char DetectKey(const std::int16_t* samples, std::size_t count, int rate);

// What a recording of dialed keys holds: the speakers' samples (16-bit mono at
// 11025 Hz, clip after clip, silences left out) as `raw` bytes, read against
// the clips the program holds for `keys` (`clipOf`).  Each clip must come
// whole and in order; between clips only silence may stand (on a busy machine
// the sound system fills an underrun with about 10 ms of zero samples).
struct PlayedKeys {
    std::size_t Found = 0;      // clips found whole and in order
    std::string Heard;          // the key detected in each clip found
    std::size_t Sound = 0;      // non-zero samples in the recording
    std::size_t ClipSound = 0;  // non-zero samples in the clips found
};
PlayedKeys ReadPlayedKeys(const std::string& raw, const std::string& keys,
                          const std::function<std::vector<std::int16_t>(char)>& clipOf);
