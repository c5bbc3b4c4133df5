#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

const KeyTone kKeyTones[12] = {
    {'0', 941, 1336, 881}, {'1', 697, 1209, 881}, {'2', 697, 1336, 881}, {'3', 697, 1477, 881},
    {'4', 770, 1209, 661}, {'5', 770, 1336, 661}, {'6', 770, 1477, 881}, {'7', 852, 1209, 881},
    {'8', 852, 1336, 881}, {'9', 852, 1477, 881}, {'#', 941, 1477, 881}, {'*', 941, 1209, 881},
};

const KeyTone* KeyToneOf(char key) {
    for (const KeyTone& t : kKeyTones)
        if (t.Key == key) return &t;
    return nullptr;
}

namespace {

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

WaveClip ReadWaveClip(const void* data, std::size_t size) {
    WaveClip clip;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        clip.Error = "not a RIFF WAVE image";
        return clip;
    }
    clip.RiffSize = Le32(bytes + 4);
    bool haveFormat = false, haveData = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        std::string tag(reinterpret_cast<const char*>(bytes + at), 4);
        std::uint32_t length = Le32(bytes + at + 4);
        const unsigned char* body = bytes + at + 8;
        if (length > size - at - 8) {
            clip.Error = "chunk \"" + tag + "\" runs past the end";
            return clip;
        }
        clip.Chunks.push_back(tag);
        if (tag == "fmt ") {
            if (length < 16) {
                clip.Error = "short \"fmt \" chunk";
                return clip;
            }
            clip.Format = Le16(body);
            clip.Channels = Le16(body + 2);
            clip.Rate = Le32(body + 4);
            clip.ByteRate = Le32(body + 8);
            clip.BlockAlign = Le16(body + 12);
            clip.Bits = Le16(body + 14);
            haveFormat = true;
        } else if (tag == "data") {
            if (length % 2) {
                clip.Error = "odd \"data\" length";
                return clip;
            }
            clip.Samples.resize(length / 2);
            for (std::size_t i = 0; i < clip.Samples.size(); ++i)
                clip.Samples[i] = static_cast<std::int16_t>(Le16(body + 2 * i));
            haveData = true;
        }
        at += 8 + length + (length % 2);
    }
    if (!haveFormat)
        clip.Error = "no \"fmt \" chunk";
    else if (!haveData)
        clip.Error = "no \"data\" chunk";
    return clip;
}

double ToneStrength(const std::int16_t* samples, std::size_t count, double frequency, int rate) {
    const double pi = 3.14159265358979323846;
    double coefficient = 2 * std::cos(2 * pi * frequency / rate);
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double s0 = samples[i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    // The amplitude of a sine at exactly this frequency comes out as itself.
    return count ? 2 * std::sqrt(power > 0 ? power : 0) / count : 0;
}

TwoPeaks StrongestTwo(const std::int16_t* samples, std::size_t count, int rate, int from, int to, int apart) {
    std::vector<double> strength;
    for (int f = from; f <= to; ++f) strength.push_back(ToneStrength(samples, count, f, rate));
    int best = 0;
    for (int i = 1; i < static_cast<int>(strength.size()); ++i)
        if (strength[i] > strength[best]) best = i;
    int second = -1;
    for (int i = 0; i < static_cast<int>(strength.size()); ++i)
        if (std::abs(i - best) > apart && (second < 0 || strength[i] > strength[second])) second = i;
    if (second < 0) second = best;
    int a = std::min(best, second), b = std::max(best, second);
    return TwoPeaks{from + a, from + b, strength[a], strength[b]};
}

ToneAmplitudes FitTwoTones(const std::int16_t* samples, std::size_t first, std::size_t count, double low, double high,
                           int rate) {
    const double pi = 3.14159265358979323846;
    // Normal equations over sin and cos of both tones, sample times taken
    // from the start of the clip.
    double m[4][5] = {};
    for (std::size_t n = first; n < first + count; ++n) {
        double t = static_cast<double>(n) / rate;
        double basis[4] = {std::sin(2 * pi * low * t), std::cos(2 * pi * low * t), std::sin(2 * pi * high * t),
                           std::cos(2 * pi * high * t)};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) m[i][j] += basis[i] * basis[j];
            m[i][4] += basis[i] * samples[n];
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
        for (int k = 0; k < 5; ++k) std::swap(m[c][k], m[pivot][k]);
        if (m[c][c] == 0) return ToneAmplitudes{0, 0};
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            double f = m[r][c] / m[c][c];
            for (int k = c; k < 5; ++k) m[r][k] -= f * m[c][k];
        }
    }
    double x[4];
    for (int i = 0; i < 4; ++i) x[i] = m[i][4] / m[i][i];
    return ToneAmplitudes{std::hypot(x[0], x[1]), std::hypot(x[2], x[3])};
}

char DetectKey(const std::int16_t* samples, std::size_t count, int rate) {
    const int rows[] = {697, 770, 852, 941};
    const int columns[] = {1209, 1336, 1477};
    auto strongest = [&](const int* freqs, int n) {
        int best = -1;
        double top = 0, next = 0;
        for (int i = 0; i < n; ++i) {
            double s = ToneStrength(samples, count, freqs[i], rate);
            if (s > top) {
                next = top;
                top = s;
                best = freqs[i];
            } else if (s > next) {
                next = s;
            }
        }
        // A clear winner stands well above the rest of its group.
        return top > 4 * next ? best : -1;
    };
    int low = strongest(rows, 4), high = strongest(columns, 3);
    for (const KeyTone& t : kKeyTones)
        if (t.Low == low && t.High == high) return t.Key;
    return '?';
}

namespace {

// A clip without the zero samples at its ends (each starts at phase zero).
std::vector<std::int16_t> Trimmed(std::vector<std::int16_t> clip) {
    while (!clip.empty() && clip.back() == 0) clip.pop_back();
    std::size_t lead = 0;
    while (lead < clip.size() && clip[lead] == 0) ++lead;
    clip.erase(clip.begin(), clip.begin() + static_cast<std::ptrdiff_t>(lead));
    return clip;
}

}  // namespace

PlayedKeys ReadPlayedKeys(const std::string& raw, const std::string& keys,
                          const std::function<std::vector<std::int16_t>(char)>& clipOf) {
    std::vector<std::int16_t> played(raw.size() / 2);
    if (!played.empty()) std::memcpy(played.data(), raw.data(), 2 * played.size());
    PlayedKeys result;
    std::size_t at = 0;
    for (char k : keys) {
        std::vector<std::int16_t> clip = Trimmed(clipOf(k));
        while (at < played.size() && played[at] == 0) ++at;
        if (clip.empty() || at + clip.size() > played.size() ||
            !std::equal(clip.begin(), clip.end(), played.begin() + static_cast<std::ptrdiff_t>(at)))
            break;
        ++result.Found;
        result.Heard += DetectKey(clip.data(), clip.size(), 11025);
        for (std::int16_t sample : clip) result.ClipSound += sample != 0;
        at += clip.size();
    }
    for (std::int16_t sample : played) result.Sound += sample != 0;
    return result;
}
