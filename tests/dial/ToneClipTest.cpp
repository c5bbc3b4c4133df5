// The touch-tone clips inside the built telvara.exe, looked at as data: each
// must be a whole PCM clip of its key's two frequencies at the rate, length
// and loudness the speaker dialer relies on.

#include "ToneAnalysis.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A Unix path as the program sees it through the Z: drive.
std::string ThroughZ(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

class ToneClips : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* exe = std::getenv("TELVARA_EXE");
        if (exe) module_ = LoadLibraryExA(ThroughZ(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("TELVARA_EXE")) << "TELVARA_EXE must name the built telvara.exe";
        ASSERT_NE(nullptr, module_) << "cannot load " << std::getenv("TELVARA_EXE") << " as data, error "
                                    << GetLastError();
    }
    // The clip stored under "#<id>" of type "WAVE".
    static WaveClip Clip(int id, DWORD* size = nullptr) {
        char name[8];
        std::snprintf(name, sizeof name, "#%d", id);
        HRSRC found = FindResourceA(module_, name, "WAVE");
        if (!found) {
            WaveClip missing;
            missing.Error = std::string("no WAVE resource ") + name;
            return missing;
        }
        DWORD bytes = SizeofResource(module_, found);
        if (size) *size = bytes;
        HGLOBAL loaded = LoadResource(module_, found);
        return ReadWaveClip(loaded ? LockResource(loaded) : nullptr, bytes);
    }
    static HMODULE module_;
};
HMODULE ToneClips::module_ = nullptr;

TEST_F(ToneClips, EachIsMonoPcmAt11025HzIn16Bits) {
    for (int index = 0; index < 12; ++index) {
        SCOPED_TRACE(std::string("key ") + kKeyTones[index].Key);
        DWORD size = 0;
        WaveClip clip = Clip(120 + index, &size);
        ASSERT_EQ("", clip.Error);
        EXPECT_EQ(size - 8, clip.RiffSize);
        EXPECT_EQ(1, clip.Format);
        EXPECT_EQ(1, clip.Channels);
        EXPECT_EQ(11025u, clip.Rate);
        EXPECT_EQ(22050u, clip.ByteRate);
        EXPECT_EQ(2, clip.BlockAlign);
        EXPECT_EQ(16, clip.Bits);
        EXPECT_EQ(kKeyTones[index].Samples, clip.Samples.size());
    }
}

TEST_F(ToneClips, EachHoldsTheTwoTonesOfItsKey) {
    for (int index = 0; index < 12; ++index) {
        const KeyTone& key = kKeyTones[index];
        SCOPED_TRACE(std::string("key ") + key.Key);
        WaveClip clip = Clip(120 + index);
        ASSERT_EQ("", clip.Error);
        ASSERT_FALSE(clip.Samples.empty());
        TwoPeaks peaks = StrongestTwo(clip.Samples.data(), clip.Samples.size(), 11025);
        EXPECT_NEAR(key.Low, peaks.Low, 3);
        EXPECT_NEAR(key.High, peaks.High, 3);
        // Equal loudness, each about half of full scale.
        double low = ToneStrength(clip.Samples.data(), clip.Samples.size(), key.Low, 11025);
        double high = ToneStrength(clip.Samples.data(), clip.Samples.size(), key.High, 11025);
        EXPECT_NEAR(1.0, low / high, 0.05);
        EXPECT_GT(low, 0.4 * 32767);
        EXPECT_LT(low, 0.6 * 32767);
        EXPECT_EQ(key.Key, DetectKey(clip.Samples.data(), clip.Samples.size(), 11025));
    }
}

// Both sines start at phase zero, and the clip is as loud in its first and
// last 10 ms as over its whole length: no fade in or out.
TEST_F(ToneClips, StartAtPhaseZeroWithoutFades) {
    for (int index = 0; index < 12; ++index) {
        const KeyTone& key = kKeyTones[index];
        SCOPED_TRACE(std::string("key ") + key.Key);
        WaveClip clip = Clip(120 + index);
        ASSERT_EQ("", clip.Error);
        ASSERT_GT(clip.Samples.size(), 220u);
        EXPECT_EQ(0, clip.Samples[0]);
        const std::int16_t* s = clip.Samples.data();
        std::size_t n = clip.Samples.size(), edge = 110;
        ToneAmplitudes whole = FitTwoTones(s, 0, n, key.Low, key.High, 11025);
        for (std::size_t first : {std::size_t{0}, n - edge}) {
            SCOPED_TRACE(first ? "last 10 ms" : "first 10 ms");
            ToneAmplitudes part = FitTwoTones(s, first, edge, key.Low, key.High, 11025);
            EXPECT_NEAR(1.0, part.Low / whole.Low, 0.03);
            EXPECT_NEAR(1.0, part.High / whole.High, 0.03);
        }
        int loudest = 0;
        for (std::size_t i = 0; i < n; ++i) loudest = std::max(loudest, std::abs(int(s[i])));
        EXPECT_LE(loudest, 32767);  // no sample wrapped or clipped to -32768
    }
}

TEST_F(ToneClips, OnlyTwelve) {
    EXPECT_NE("", Clip(119).Error);
    EXPECT_NE("", Clip(132).Error);
}

}  // namespace
